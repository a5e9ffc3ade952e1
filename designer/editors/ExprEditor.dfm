object frxExprEditorForm: TfrxExprEditorForm
  Left = 200
  Top = 150
  Width = 420
  Height = 380
  BorderIcons = [biSystemMenu, biMinimize, biMaximize, biHelp]
  Caption = 'Expression Editor'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  OnCloseQuery = FormCloseQuery
  object Panel1: TPanel
    Left = 0
    Top = 315
    Width = 412
    Height = 38
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 2
    object OkB: TButton
      Left = 250
      Top = 6
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object CancelB: TButton
      Left = 331
      Top = 6
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
  end
  object ExprMemo: TMemo
    Left = 0
    Top = 255
    Width = 412
    Height = 60
    Align = alBottom
    TabOrder = 1
    WantReturns = False
    OnDragOver = ExprMemoDragOver
    OnDragDrop = ExprMemoDragDrop
  end
  object Panel2: TPanel
    Left = 0
    Top = 238
    Width = 412
    Height = 17
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 3
    object ExprL: TLabel
      Left = 4
      Top = 2
      Width = 60
      Height = 13
      Caption = 'Expression:'
    end
  end
  object Splitter1: TSplitter
    Left = 0
    Top = 235
    Width = 412
    Height = 3
    Align = alBottom
  end
end
