object frxSearchDialog: TfrxSearchDialog
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Find text'
  ClientHeight = 176
  ClientWidth = 265
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 12
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  object Panel2: TPanel
    Left = 0
    Top = 0
    Width = 265
    Height = 48
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 0
    object TextL: TLabel
      Left = 8
      Top = 6
      Width = 120
      Height = 12
      Caption = 'Text to find'
      FocusControl = TextE
    end
    object TextE: TEdit
      Left = 8
      Top = 22
      Width = 249
      Height = 20
      TabOrder = 0
    end
  end
  object ReplacePanel: TPanel
    Left = 0
    Top = 48
    Width = 265
    Height = 44
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 1
    Visible = False
    object ReplaceL: TLabel
      Left = 8
      Top = 2
      Width = 120
      Height = 12
      Caption = 'Replace with'
      FocusControl = ReplaceE
    end
    object ReplaceE: TEdit
      Left = 8
      Top = 18
      Width = 249
      Height = 20
      TabOrder = 0
    end
  end
  object Panel3: TPanel
    Left = 0
    Top = 92
    Width = 265
    Height = 84
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 2
    object SearchL: TGroupBox
      Left = 8
      Top = 2
      Width = 249
      Height = 44
      Caption = 'Search options'
      TabOrder = 0
      object TopCB: TCheckBox
        Left = 8
        Top = 18
        Width = 113
        Height = 17
        Caption = 'Search from top'
        TabOrder = 0
      end
      object CaseCB: TCheckBox
        Left = 128
        Top = 18
        Width = 113
        Height = 17
        Caption = 'Case sensitive'
        TabOrder = 1
      end
    end
    object OkB: TButton
      Left = 102
      Top = 52
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 1
    end
    object CancelB: TButton
      Left = 182
      Top = 52
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 2
    end
  end
end
