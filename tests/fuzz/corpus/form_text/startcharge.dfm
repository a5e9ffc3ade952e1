object sftsform: TForm
  Left = 360
  Top = 280
  BorderStyle = bsDialog
  Caption = '提示'
  ClientHeight = 104
  ClientWidth = 282
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesktopCenter
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 64
    Top = 24
    Width = 156
    Height = 12
    Caption = '项目录入完毕，开始收费吗？'
  end
  object Button1: TButton
    Left = 16
    Top = 64
    Width = 75
    Height = 25
    Caption = '确定'
    TabOrder = 0
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 104
    Top = 64
    Width = 75
    Height = 25
    Action = wqtdglzjmform.yhsf
    TabOrder = 1
  end
  object Button3: TButton
    Left = 192
    Top = 64
    Width = 75
    Height = 25
    Caption = '取消'
    TabOrder = 2
    OnClick = Button3Click
  end
end
