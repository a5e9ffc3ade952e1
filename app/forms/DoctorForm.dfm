object yszlform: Tyszlform
  Left = 300
  Top = 160
  BorderStyle = bsToolWindow
  Caption = '医生资料'
  ClientHeight = 380
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
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 150
    Top = 10
    Caption = '医生资料设置'
    Font.Charset = GB2312_CHARSET
    Font.Color = clNavy
    Font.Height = -16
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label2: TLabel
    Left = 16
    Top = 46
    Caption = '姓名：'
  end
  object Edit1: TEdit
    Left = 56
    Top = 42
    Width = 121
    Height = 20
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Label3: TLabel
    Left = 212
    Top = 46
    Caption = '简码：'
  end
  object Edit2: TEdit
    Left = 252
    Top = 42
    Width = 121
    Height = 20
    Hint = '填完姓名后按回车键能自动填写简码'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 1
    OnKeyPress = Edit2KeyPress
  end
  object Label4: TLabel
    Left = 16
    Top = 78
    Caption = '性别：'
  end
  object ComboBox1: TComboBox
    Left = 56
    Top = 74
    Width = 121
    Height = 20
    ItemHeight = 12
    TabOrder = 2
    OnKeyPress = ComboBox1KeyPress
  end
  object Label5: TLabel
    Left = 212
    Top = 78
    Caption = '科室：'
  end
  object ComboBox2: TComboBox
    Left = 252
    Top = 74
    Width = 121
    Height = 20
    ItemHeight = 12
    TabOrder = 3
    OnKeyPress = ComboBox2KeyPress
  end
  object Button1: TButton
    Left = 56
    Top = 106
    Width = 75
    Height = 25
    Caption = '保存'
    TabOrder = 4
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 170
    Top = 106
    Width = 75
    Height = 25
    Caption = '删除'
    TabOrder = 5
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 284
    Top = 106
    Width = 75
    Height = 25
    Caption = '退出'
    TabOrder = 6
    OnClick = Button3Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 142
    Width = 404
    Height = 230
    DataSource = DataSource1
    TabOrder = 7
    OnCellClick = DBGrid1CellClick
    Columns = <
      item
        FieldName = '姓名'
        Title.Caption = '姓名'
        Width = 90
      end
      item
        FieldName = '拼音码'
        Title.Caption = '拼音码'
        Width = 90
      end
      item
        FieldName = '性别'
        Title.Caption = '性别'
        Width = 50
      end
      item
        FieldName = '科室'
        Title.Caption = '科室'
        Width = 130
      end>
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_doctor'
    Active = True
    Left = 16
    Top = 180
  end
  object ADOTable2: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_ks'
    Left = 48
    Top = 180
  end
  object DataSource1: TDataSource
    DataSet = ADOTable1
    Left = 80
    Top = 180
  end
end
