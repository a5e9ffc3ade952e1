object frxHighlightEditorForm: TfrxHighlightEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Highlight'
  ClientHeight = 213
  ClientWidth = 273
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  object ConditionL: TGroupBox
    Left = 4
    Top = 4
    Width = 265
    Height = 49
    Caption = 'Condition'
    TabOrder = 0
    object ConditionE: TfrxComboEdit
      Left = 8
      Top = 18
      Width = 249
      Height = 21
      TabOrder = 0
      OnButtonClick = ConditionEButtonClick
    end
  end
  object FontGB: TGroupBox
    Left = 4
    Top = 58
    Width = 129
    Height = 117
    Caption = 'Font'
    TabOrder = 1
    object FontColorB: TSpeedButton
      Left = 8
      Top = 18
      Width = 113
      Height = 22
      Caption = 'Color...'
      OnClick = FontColorBClick
    end
    object BoldCB: TCheckBox
      Left = 8
      Top = 46
      Width = 113
      Height = 17
      Caption = 'Bold'
      TabOrder = 0
    end
    object ItalicCB: TCheckBox
      Left = 8
      Top = 68
      Width = 113
      Height = 17
      Caption = 'Italic'
      TabOrder = 1
    end
    object UnderlineCB: TCheckBox
      Left = 8
      Top = 90
      Width = 113
      Height = 17
      Caption = 'Underline'
      TabOrder = 2
    end
  end
  object BackgroundGB: TGroupBox
    Left = 140
    Top = 58
    Width = 129
    Height = 117
    Caption = 'Background'
    TabOrder = 2
    object BackColorB: TSpeedButton
      Left = 8
      Top = 18
      Width = 113
      Height = 22
      Caption = 'Color...'
      OnClick = BackColorBClick
    end
    object TransparentRB: TRadioButton
      Left = 8
      Top = 50
      Width = 113
      Height = 17
      Caption = 'Transparent'
      Checked = True
      TabOrder = 0
      TabStop = True
      OnClick = TransparentRBClick
    end
    object OtherRB: TRadioButton
      Left = 8
      Top = 72
      Width = 113
      Height = 17
      Caption = 'Other'
      TabOrder = 1
      OnClick = TransparentRBClick
    end
  end
  object OKB: TButton
    Left = 112
    Top = 183
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelB: TButton
    Left = 194
    Top = 183
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
  object ColorDialog1: TColorDialog
  end
end
