object frxMemoEditorForm: TfrxMemoEditorForm
  Left = 200
  Top = 150
  Width = 400
  Height = 300
  Caption = 'Memo'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  KeyPreview = True
  OldCreateOrder = False
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  OnKeyDown = FormKeyDown
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 392
    Height = 26
    Align = alTop
    AutoSize = True
    Flat = True
    TabOrder = 0
    object ExprB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Insert Expression'
      ImageIndex = 70
      OnClick = ExprBClick
    end
    object AggregateB: TToolButton
      Left = 23
      Top = 0
      Hint = 'Insert Aggregate'
      ImageIndex = 85
      OnClick = AggregateBClick
    end
    object LocalFormatB: TToolButton
      Left = 46
      Top = 0
      Hint = 'Insert Format'
      ImageIndex = 86
      OnClick = LocalFormatBClick
    end
    object WordWrapB: TToolButton
      Left = 69
      Top = 0
      Hint = 'Word Wrap'
      ImageIndex = 25
      Style = tbsCheck
      OnClick = WordWrapBClick
    end
    object Sep1: TToolButton
      Left = 92
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object CancelB: TToolButton
      Left = 100
      Top = 0
      Hint = 'Cancel'
      ImageIndex = 55
      OnClick = CancelBClick
    end
    object OkB: TToolButton
      Left = 123
      Top = 0
      Hint = 'OK'
      ImageIndex = 56
      OnClick = OkBClick
    end
  end
  object Memo: TMemo
    Left = 0
    Top = 26
    Width = 392
    Height = 247
    Align = alClient
    ScrollBars = ssBoth
    TabOrder = 1
    WordWrap = False
  end
end
