object aboutform: Taboutform
  Left = 320
  Top = 220
  BorderStyle = bsDialog
  Caption = '关于'
  ClientHeight = 180
  ClientWidth = 320
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
    Left = 72
    Top = 20
    Caption = '岳梧门诊收费系统'
    Font.Charset = GB2312_CHARSET
    Font.Color = clNavy
    Font.Height = -21
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label2: TLabel
    Left = 124
    Top = 60
    Caption = '版本 V5.58'
  end
  object Label3: TLabel
    Left = 40
    Top = 96
    Cursor = crHandPoint
    Caption = '使用帮助'
    Font.Charset = GB2312_CHARSET
    Font.Color = clBlue
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = [fsUnderline]
    ParentFont = False
    OnClick = Label3Click
  end
  object Label4: TLabel
    Left = 40
    Top = 120
    Cursor = crHandPoint
    Caption = '打开程序所在文件夹'
    Font.Charset = GB2312_CHARSET
    Font.Color = clBlue
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = [fsUnderline]
    ParentFont = False
    OnClick = Label4Click
  end
  object Label5: TLabel
    Left = 40
    Top = 144
    Cursor = crHandPoint
    Caption = '打开数据库所在文件夹'
    Font.Charset = GB2312_CHARSET
    Font.Color = clBlue
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = [fsUnderline]
    ParentFont = False
    OnClick = Label5Click
  end
end
