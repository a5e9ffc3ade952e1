object yhcxform: Tyhcxform
  Left = 300
  Top = 160
  BorderStyle = bsDialog
  Caption = '用户权限管理'
  ClientHeight = 330
  ClientWidth = 420
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 16
    Top = 20
    Caption = '请选择用户名：'
  end
  object ComboBox1: TComboBox
    Left = 104
    Top = 16
    Width = 130
    Height = 20
    TabOrder = 0
    OnChange = ComboBox1Change
  end
  object Button1: TButton
    Left = 248
    Top = 14
    Width = 75
    Height = 25
    Caption = '查看权限'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Label2: TLabel
    Left = 16
    Top = 52
    Caption = '已有权限列表'
  end
  object DBGrid1: TDBGrid
    Left = 16
    Top = 70
    Width = 300
    Height = 248
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 2
    Columns = <
      item
        FieldName = '功能名'
        Title.Caption = '功能名'
        Width = 150
      end
      item
        FieldName = '功能号'
        Title.Caption = '功能号'
        Width = 90
      end>
  end
  object Button2: TButton
    Left = 330
    Top = 70
    Width = 75
    Height = 25
    Caption = '增加权限'
    TabOrder = 3
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 330
    Top = 110
    Width = 75
    Height = 25
    Caption = '取消权限'
    TabOrder = 4
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 330
    Top = 150
    Width = 75
    Height = 25
    Caption = '关闭退出'
    TabOrder = 5
    OnClick = Button4Click
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 40
    Top = 120
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 72
    Top = 120
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 104
    Top = 120
  end
end
