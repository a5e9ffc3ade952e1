object userform: Tuserform
  Left = 300
  Top = 160
  BorderStyle = bsDialog
  Caption = '用户资料'
  ClientHeight = 300
  ClientWidth = 420
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
    Left = 16
    Top = 20
    Caption = '用户名称：'
  end
  object Edit1: TEdit
    Left = 84
    Top = 16
    Width = 130
    Height = 20
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Label2: TLabel
    Left = 16
    Top = 52
    Caption = '用户密码：'
  end
  object Edit2: TEdit
    Left = 84
    Top = 48
    Width = 130
    Height = 20
    PasswordChar = '*'
    TabOrder = 1
    OnKeyPress = Edit2KeyPress
  end
  object Label3: TLabel
    Left = 16
    Top = 84
    Caption = '确认密码：'
  end
  object Edit3: TEdit
    Left = 84
    Top = 80
    Width = 130
    Height = 20
    PasswordChar = '*'
    TabOrder = 2
    OnKeyPress = Edit3KeyPress
  end
  object Button1: TButton
    Left = 16
    Top = 120
    Width = 62
    Height = 25
    Caption = '新增用户'
    Enabled = False
    TabOrder = 3
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 84
    Top = 120
    Width = 62
    Height = 25
    Caption = '删除用户'
    Enabled = False
    TabOrder = 4
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 152
    Top = 120
    Width = 62
    Height = 25
    Caption = '密码修改'
    TabOrder = 5
    OnClick = Button3Click
  end
  object DBGrid1: TDBGrid
    Left = 232
    Top = 16
    Width = 176
    Height = 272
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 6
    OnCellClick = DBGrid1CellClick
    Columns = <
      item
        FieldName = 'user'
        Title.Caption = '用户名'
        Width = 140
      end>
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_user'
    Active = True
    Left = 16
    Top = 180
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 48
    Top = 180
  end
  object DataSource1: TDataSource
    DataSet = ADOTable1
    Left = 80
    Top = 180
  end
end
