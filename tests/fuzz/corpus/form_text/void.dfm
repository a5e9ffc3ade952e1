object pjzfform: TForm
  Left = 340
  Top = 260
  BorderStyle = bsDialog
  Caption = '票据作废'
  ClientHeight = 121
  ClientWidth = 306
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 24
    Top = 24
    Width = 144
    Height = 12
    Caption = '请输入要作废的票据号码：'
  end
  object Edit1: TEdit
    Left = 24
    Top = 44
    Width = 257
    Height = 20
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 56
    Top = 80
    Width = 75
    Height = 25
    Caption = '确定'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 168
    Top = 80
    Width = 75
    Height = 25
    Caption = '取消'
    TabOrder = 2
    OnClick = Button2Click
  end
end
