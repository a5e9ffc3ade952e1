object frxSysMemoEditorForm: TfrxSysMemoEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'System Memo'
  ClientHeight = 388
  ClientWidth = 300
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
  object AggregateRB: TRadioButton
    Left = 8
    Top = 8
    Width = 120
    Height = 17
    Caption = 'Aggregate value'
    TabOrder = 0
    OnClick = AggregateChange
  end
  object AggregatePanel: TGroupBox
    Left = 8
    Top = 28
    Width = 284
    Height = 170
    TabOrder = 1
    object DataBandL: TLabel
      Left = 8
      Top = 18
      Width = 76
      Height = 13
      Caption = 'Data band'
    end
    object DataBandCB: TComboBox
      Left = 90
      Top = 14
      Width = 186
      Height = 21
      Style = csDropDownList
      DropDownCount = 12
      TabOrder = 0
      OnChange = DataBandCBChange
    end
    object DataSetL: TLabel
      Left = 8
      Top = 44
      Width = 76
      Height = 13
      Caption = 'DataSet'
    end
    object DataSetCB: TComboBox
      Left = 90
      Top = 40
      Width = 186
      Height = 21
      Style = csDropDownList
      DropDownCount = 12
      TabOrder = 1
      OnChange = DataSetCBChange
    end
    object DataFieldL: TLabel
      Left = 8
      Top = 70
      Width = 76
      Height = 13
      Caption = 'DataField'
    end
    object DataFieldCB: TComboBox
      Left = 90
      Top = 66
      Width = 186
      Height = 21
      Style = csDropDownList
      DropDownCount = 12
      TabOrder = 2
      OnChange = DataFieldCBChange
    end
    object FunctionL: TLabel
      Left = 8
      Top = 96
      Width = 76
      Height = 13
      Caption = 'Function'
    end
    object FunctionCB: TComboBox
      Left = 90
      Top = 92
      Width = 186
      Height = 21
      Style = csDropDownList
      TabOrder = 3
      OnChange = AggregateChange
      Items.Strings = (
        'SUM'
        'MIN'
        'MAX'
        'AVG'
        'COUNT')
    end
    object ExpressionL: TLabel
      Left = 8
      Top = 122
      Width = 76
      Height = 13
      Caption = 'Expression'
    end
    object ExpressionE: TfrxComboEdit
      Left = 90
      Top = 118
      Width = 186
      Height = 21
      TabOrder = 4
      OnChange = AggregateChange
      OnButtonClick = ExpressionEButtonClick
    end
    object CountInvisibleCB: TCheckBox
      Left = 8
      Top = 146
      Width = 138
      Height = 17
      Caption = 'Count invisible bands'
      TabOrder = 5
    end
    object RunningTotalCB: TCheckBox
      Left = 150
      Top = 146
      Width = 126
      Height = 17
      Caption = 'Running total'
      TabOrder = 6
    end
  end
  object SysVariableRB: TRadioButton
    Left = 8
    Top = 204
    Width = 120
    Height = 17
    Caption = 'System variable'
    Checked = True
    TabOrder = 2
    TabStop = True
    OnClick = AggregateChange
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 224
    Width = 284
    Height = 48
    TabOrder = 3
    object SysVariableCB: TComboBox
      Left = 8
      Top = 16
      Width = 268
      Height = 21
      DropDownCount = 12
      TabOrder = 0
    end
  end
  object TextRB: TRadioButton
    Left = 8
    Top = 280
    Width = 120
    Height = 17
    Caption = 'Text'
    TabOrder = 4
    OnClick = AggregateChange
  end
  object GroupBox2: TGroupBox
    Left = 8
    Top = 300
    Width = 284
    Height = 48
    TabOrder = 5
    object TextE: TEdit
      Left = 8
      Top = 16
      Width = 268
      Height = 21
      TabOrder = 0
    end
  end
  object OKB: TButton
    Left = 136
    Top = 356
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 6
  end
  object CancelB: TButton
    Left = 217
    Top = 356
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 7
  end
end
