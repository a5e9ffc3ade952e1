object frxFormatEditorForm: TfrxFormatEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Display Format'
  ClientHeight = 264
  ClientWidth = 316
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
  object CategoryL: TGroupBox
    Left = 4
    Top = 4
    Width = 150
    Height = 166
    Caption = 'Category'
    TabOrder = 0
    object CategoryLB: TListBox
      Left = 8
      Top = 18
      Width = 134
      Height = 138
      ItemHeight = 14
      Style = lbOwnerDrawFixed
      TabOrder = 0
      OnClick = CategoryLBClick
      OnDrawItem = FormatLBDrawItem
    end
  end
  object FormatL: TGroupBox
    Left = 162
    Top = 4
    Width = 150
    Height = 166
    Caption = 'Format'
    TabOrder = 1
    object FormatLB: TListBox
      Left = 8
      Top = 18
      Width = 134
      Height = 138
      ItemHeight = 14
      Style = lbOwnerDrawFixed
      TabOrder = 0
      OnClick = FormatLBClick
      OnDrawItem = FormatLBDrawItem
    end
  end
  object GroupBox3: TGroupBox
    Left = 4
    Top = 174
    Width = 308
    Height = 54
    TabOrder = 2
    object FormatStrL: TLabel
      Left = 8
      Top = 10
      Width = 80
      Height = 13
      Caption = 'Format string:'
    end
    object FormatE: TEdit
      Left = 8
      Top = 26
      Width = 180
      Height = 21
      TabOrder = 0
    end
    object SeparatorL: TLabel
      Left = 198
      Top = 10
      Width = 96
      Height = 13
      Caption = 'Decimal separator:'
    end
    object SeparatorE: TEdit
      Left = 198
      Top = 26
      Width = 40
      Height = 21
      TabOrder = 1
      Text = ','
    end
  end
  object OkB: TButton
    Left = 156
    Top = 234
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object CancelB: TButton
    Left = 237
    Top = 234
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
end
