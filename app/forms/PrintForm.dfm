object printform: Tprintform
  Left = 380
  Top = 300
  BorderStyle = bsDialog
  Caption = '提示'
  ClientHeight = 118
  ClientWidth = 268
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesktopCenter
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 72
    Top = 16
    Width = 120
    Height = 12
    Caption = '收费成功，打印票据？'
  end
  object Label2: TLabel
    Left = 8
    Top = 16
    Width = 6
    Height = 12
    Visible = False
  end
  object RadioButton1: TRadioButton
    Left = 40
    Top = 44
    Width = 56
    Height = 17
    Caption = '打印'
    Checked = True
    TabOrder = 0
    TabStop = True
  end
  object RadioButton2: TRadioButton
    Left = 108
    Top = 44
    Width = 56
    Height = 17
    Caption = '预览'
    TabOrder = 1
  end
  object RadioButton3: TRadioButton
    Left = 176
    Top = 44
    Width = 56
    Height = 17
    Caption = '设计'
    TabOrder = 2
  end
  object Button1: TButton
    Left = 48
    Top = 80
    Width = 75
    Height = 25
    Caption = '确定'
    Default = True
    TabOrder = 3
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 144
    Top = 80
    Width = 75
    Height = 25
    Caption = '取消'
    TabOrder = 4
    OnClick = Button2Click
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 8
    Top = 80
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 8
    Top = 48
  end
  object ADOQuery3: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 240
    Top = 80
  end
end
