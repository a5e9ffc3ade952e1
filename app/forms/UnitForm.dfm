object dwzlform: Tdwzlform
  Left = 320
  Top = 180
  BorderStyle = bsToolWindow
  Caption = '收费项目单位设置'
  ClientHeight = 340
  ClientWidth = 300
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
    Left = 12
    Top = 16
    Caption = '名称：'
  end
  object Edit1: TEdit
    Left = 80
    Top = 12
    Width = 208
    Height = 20
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 80
    Top = 42
    Width = 75
    Height = 25
    Caption = '保存'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 190
    Top = 42
    Width = 75
    Height = 25
    Caption = '删除'
    TabOrder = 2
    OnClick = Button2Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 76
    Width = 284
    Height = 256
    DataSource = DataSource1
    TabOrder = 3
    OnCellClick = DBGrid1CellClick
    Columns = <
      item
        FieldName = 'unitname'
        Title.Caption = '单位'
        Width = 240
      end>
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_ypunit'
    Active = True
    Left = 16
    Top = 116
  end
  object DataSource1: TDataSource
    DataSet = ADOTable1
    Left = 48
    Top = 116
  end
end
