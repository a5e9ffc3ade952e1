object cxsrform: Tcxsrform
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = '输入查询条件'
  ClientHeight = 130
  ClientWidth = 280
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
  object RadioButton1: TRadioButton
    Left = 16
    Top = 12
    Width = 110
    Height = 17
    TabOrder = 0
    Caption = '按拼音码查找'
    Checked = True
    OnClick = RadioButtonClick
  end
  object RadioButton2: TRadioButton
    Left = 140
    Top = 12
    Width = 120
    Height = 17
    TabOrder = 1
    Caption = '按项目名称查找'
    OnClick = RadioButtonClick
  end
  object Edit1: TEdit
    Left = 16
    Top = 44
    Width = 248
    Height = 20
    TabOrder = 2
    Hint = '本功能支持模糊匹配查找，无需填全查找内容'
    ShowHint = True
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 48
    Top = 88
    Width = 75
    Height = 25
    TabOrder = 3
    Caption = '查找'
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 156
    Top = 88
    Width = 75
    Height = 25
    TabOrder = 4
    Caption = '取消'
    OnClick = Button2Click
  end
end
