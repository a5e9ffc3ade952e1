object frxPrintDialog: TfrxPrintDialog
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Print'
  ClientHeight = 263
  ClientWidth = 477
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
  OnCloseQuery = FormCloseQuery
  object Label12: TGroupBox
    Left = 8
    Top = 4
    Width = 461
    Height = 97
    Caption = 'Printer'
    TabOrder = 0
    object TypeL: TLabel
      Left = 12
      Top = 48
      Width = 36
      Height = 12
      Caption = 'Type:'
    end
    object TypeL1: TLabel
      Left = 64
      Top = 48
      Width = 280
      Height = 12
    end
    object WhereL: TLabel
      Left = 12
      Top = 68
      Width = 42
      Height = 12
      Caption = 'Where:'
    end
    object WhereL1: TLabel
      Left = 64
      Top = 68
      Width = 280
      Height = 12
    end
    object PrintersCB: TComboBox
      Left = 12
      Top = 18
      Width = 333
      Height = 22
      Style = csOwnerDrawFixed
      ItemHeight = 16
      TabOrder = 0
      OnClick = PrintersCBClick
      OnDrawItem = PrintersCBDrawItem
    end
    object PropButton: TButton
      Left = 356
      Top = 16
      Width = 93
      Height = 25
      Caption = 'Properties...'
      Enabled = False
      TabOrder = 1
      OnClick = PropButtonClick
    end
    object FileCB: TCheckBox
      Left = 356
      Top = 48
      Width = 97
      Height = 17
      Caption = 'Print to file'
      TabOrder = 2
    end
    object ReverseCB: TCheckBox
      Left = 356
      Top = 68
      Width = 97
      Height = 17
      Caption = 'Reverse pages'
      TabOrder = 3
    end
  end
  object Label1: TGroupBox
    Left = 8
    Top = 108
    Width = 249
    Height = 117
    Caption = 'Pages'
    TabOrder = 1
    object DescrL: TLabel
      Left = 12
      Top = 80
      Width = 229
      Height = 30
      AutoSize = False
      Caption = 'Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12'
      WordWrap = True
    end
    object AllRB: TRadioButton
      Left = 12
      Top = 18
      Width = 153
      Height = 17
      Caption = 'All'
      Checked = True
      TabOrder = 0
      TabStop = True
    end
    object CurPageRB: TRadioButton
      Left = 12
      Top = 38
      Width = 153
      Height = 17
      Caption = 'Current page'
      TabOrder = 1
    end
    object PageNumbersRB: TRadioButton
      Left = 12
      Top = 58
      Width = 69
      Height = 17
      Caption = 'Pages:'
      TabOrder = 2
      OnClick = PageNumbersRBClick
    end
    object PageNumbersE: TEdit
      Left = 84
      Top = 56
      Width = 153
      Height = 20
      TabOrder = 3
      OnEnter = PageNumbersEEnter
    end
  end
  object Label2: TGroupBox
    Left = 264
    Top = 108
    Width = 205
    Height = 117
    Caption = 'Copies'
    TabOrder = 2
    object CopiesL: TLabel
      Left = 12
      Top = 22
      Width = 96
      Height = 12
      Caption = 'Number of copies'
      FocusControl = CopiesE
    end
    object CopiesPB: TPaintBox
      Left = 12
      Top = 44
      Width = 100
      Height = 36
      OnPaint = CopiesPBPaint
    end
    object CollateL: TLabel
      Left = 136
      Top = 58
      Width = 42
      Height = 12
      Caption = 'Collate'
      OnClick = CollateLClick
      OnDblClick = CollateLClick
    end
    object PrintL: TLabel
      Left = 12
      Top = 92
      Width = 30
      Height = 12
      Caption = 'Print'
    end
    object CopiesE: TEdit
      Left = 136
      Top = 18
      Width = 42
      Height = 20
      TabOrder = 0
      Text = '1'
    end
    object UpDown1: TUpDown
      Left = 178
      Top = 18
      Width = 15
      Height = 20
      Associate = CopiesE
      Min = 1
      Position = 1
    end
    object CollateCB: TCheckBox
      Left = 118
      Top = 56
      Width = 15
      Height = 17
      Checked = True
      State = cbChecked
      TabOrder = 1
      OnClick = CollateCBClick
    end
    object PrintPagesCB: TComboBox
      Left = 53
      Top = 88
      Width = 140
      Height = 20
      Style = csDropDownList
      TabOrder = 2
    end
  end
  object OkB: TButton
    Left = 312
    Top = 232
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelB: TButton
    Left = 394
    Top = 232
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
  object FileDlg: TSaveDialog
    Filter = 'Printer files (*.prn)|*.prn'
    Title = 'Print To File'
  end
end
