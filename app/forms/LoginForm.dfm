object LogoinForm: TLogoinForm
  Left = 300
  Top = 220
  BorderStyle = bsToolWindow
  Caption = '岳梧门诊收费系统用户登陆'
  ClientHeight = 158
  ClientWidth = 292
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 32
    Top = 24
    Width = 48
    Height = 12
    Caption = '用户名称'
  end
  object Label2: TLabel
    Left = 32
    Top = 58
    Width = 48
    Height = 12
    Caption = '用户密码'
  end
  object Label3: TLabel
    Left = 64
    Top = 88
    Width = 162
    Height = 12
    Caption = '[初始用户名和密码都是tulvo]'
    Font.Charset = GB2312_CHARSET
    Font.Color = clRed
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = []
    ParentFont = False
  end
  object ComboBox: TComboBox
    Left = 96
    Top = 20
    Width = 161
    Height = 20
    ItemHeight = 12
    TabOrder = 0
  end
  object edit1: TEdit
    Left = 96
    Top = 54
    Width = 161
    Height = 20
    PasswordChar = '*'
    TabOrder = 1
  end
  object Button1: TButton
    Left = 56
    Top = 116
    Width = 75
    Height = 25
    Caption = '确定'
    Default = True
    TabOrder = 2
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 160
    Top = 116
    Width = 75
    Height = 25
    Caption = '取消'
    TabOrder = 3
    OnClick = Button2Click
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_user'
    Left = 8
    Top = 112
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <
      item
        Name = '用户名'
        DataType = ftString
      end>
    SQL.Strings = (
      'select 功能号 from tb_yhgnb where 用户名=:用户名')
    Left = 256
    Top = 112
  end
end
