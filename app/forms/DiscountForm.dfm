object yhsfform: Tyhsfform
  Left = 340
  Top = 240
  BorderStyle = bsDialog
  Caption = '减免收费金额'
  ClientHeight = 196
  ClientWidth = 322
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesktopCenter
  OnClose = FormClose
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 24
    Top = 24
    Width = 96
    Height = 12
    Caption = '优惠前应收金额：'
  end
  object Label2: TLabel
    Left = 24
    Top = 56
    Width = 96
    Height = 12
    Caption = '优惠后应收金额：'
  end
  object Label3: TLabel
    Left = 24
    Top = 88
    Width = 84
    Height = 12
    Caption = '优惠金额比例：'
  end
  object Label4: TLabel
    Left = 248
    Top = 88
    Width = 6
    Height = 12
    Caption = '%'
  end
  object Edit1: TEdit
    Left = 128
    Top = 20
    Width = 113
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 0
  end
  object Edit2: TEdit
    Left = 128
    Top = 52
    Width = 113
    Height = 20
    TabOrder = 1
    OnKeyPress = Edit2KeyPress
  end
  object Edit3: TEdit
    Left = 128
    Top = 84
    Width = 113
    Height = 20
    TabOrder = 2
    OnKeyPress = Edit3KeyPress
  end
  object RadioButton1: TRadioButton
    Left = 40
    Top = 120
    Width = 81
    Height = 17
    Caption = '优惠打折'
    Checked = True
    TabOrder = 3
    TabStop = True
  end
  object RadioButton2: TRadioButton
    Left = 160
    Top = 120
    Width = 81
    Height = 17
    Action = wqtdglzjmform.nbjz
    TabOrder = 4
  end
  object Button1: TButton
    Left = 40
    Top = 152
    Width = 75
    Height = 25
    Caption = '确定'
    TabOrder = 5
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 136
    Top = 152
    Width = 75
    Height = 25
    Caption = '取消'
    TabOrder = 6
    OnClick = Button2Click
  end
  object FlatButton1: TFlatButton
    Left = 232
    Top = 152
    Width = 65
    Height = 25
    Caption = '帮助'
    TabOrder = 7
    OnClick = FlatButton1Click
  end
end
