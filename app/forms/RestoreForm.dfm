object sjhfform: Tsjhfform
  Left = 300
  Top = 240
  BorderStyle = bsDialog
  Caption = '数据恢复'
  ClientHeight = 120
  ClientWidth = 400
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
  object Label1: TLabel
    Left = 16
    Top = 20
    Width = 132
    Height = 12
    Caption = '请选择原备份文件位置：'
  end
  object Edit1: TEdit
    Left = 16
    Top = 40
    Width = 297
    Height = 20
    TabOrder = 0
  end
  object SpeedButton1: TSpeedButton
    Left = 320
    Top = 38
    Width = 65
    Height = 24
    Caption = '浏览'
    OnClick = SpeedButton1Click
  end
  object Button1: TButton
    Left = 156
    Top = 80
    Width = 89
    Height = 25
    Caption = '确定恢复'
    TabOrder = 1
    OnClick = Button1Click
  end
  object OpenDialog1: TOpenDialog
    Filter = '数据库文件(＊.mdb)|*.mdb'
    Left = 8
    Top = 80
  end
end
