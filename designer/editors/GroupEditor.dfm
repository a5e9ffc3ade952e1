object frxGroupEditorForm: TfrxGroupEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Group'
  ClientHeight = 257
  ClientWidth = 285
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  object BreakOnL: TGroupBox
    Left = 4
    Top = 4
    Width = 277
    Height = 133
    Caption = 'Break on'
    TabOrder = 0
    object DataFieldRB: TRadioButton
      Left = 8
      Top = 20
      Width = 200
      Height = 17
      Caption = 'Data field'
      Checked = True
      TabOrder = 0
      TabStop = True
      OnClick = DataFieldRBClick
    end
    object DataSetCB: TComboBox
      Left = 24
      Top = 40
      Width = 117
      Height = 21
      DropDownCount = 12
      TabOrder = 1
      OnChange = DataSetCBChange
    end
    object DataFieldCB: TComboBox
      Left = 148
      Top = 40
      Width = 117
      Height = 21
      DropDownCount = 12
      TabOrder = 2
    end
    object ExpressionRB: TRadioButton
      Left = 8
      Top = 72
      Width = 200
      Height = 17
      Caption = 'Expression'
      TabOrder = 3
      OnClick = DataFieldRBClick
    end
    object ExpressionE: TfrxComboEdit
      Left = 24
      Top = 94
      Width = 241
      Height = 21
      TabOrder = 4
      OnButtonClick = ExpressionEButtonClick
    end
  end
  object OptionsL: TGroupBox
    Left = 4
    Top = 142
    Width = 277
    Height = 79
    Caption = 'Options'
    TabOrder = 1
    object KeepGroupTogetherCB: TCheckBox
      Left = 8
      Top = 18
      Width = 260
      Height = 17
      Caption = 'Keep group together'
      TabOrder = 0
    end
    object StartNewPageCB: TCheckBox
      Left = 8
      Top = 36
      Width = 260
      Height = 17
      Caption = 'Start new page'
      TabOrder = 1
    end
    object OutlineCB: TCheckBox
      Left = 8
      Top = 54
      Width = 260
      Height = 17
      Caption = 'Show in outline'
      TabOrder = 2
    end
  end
  object OKB: TButton
    Left = 124
    Top = 227
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
  object CancelB: TButton
    Left = 206
    Top = 227
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
