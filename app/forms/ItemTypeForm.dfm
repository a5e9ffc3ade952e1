object llzlform: Tllzlform
  Left = 320
  Top = 180
  BorderStyle = bsToolWindow
  Caption = '收费项目类型设置'
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
  object Label2: TLabel
    Left = 90
    Top = 10
    Caption = '项目类型设置'
    Font.Charset = GB2312_CHARSET
    Font.Color = clNavy
    Font.Height = -16
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label1: TLabel
    Left = 12
    Top = 44
    Caption = '名称：'
  end
  object Edit1: TEdit
    Left = 80
    Top = 40
    Width = 208
    Height = 20
    Hint = '本表中类型名称可根据用户要求定制修改'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 80
    Top = 70
    Width = 75
    Height = 25
    Caption = '保存'
    Enabled = False
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 190
    Top = 70
    Width = 75
    Height = 25
    Caption = '删除'
    Enabled = False
    TabOrder = 2
    OnClick = Button2Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 104
    Width = 284
    Height = 228
    DataSource = DataSource1
    ReadOnly = True
    TabOrder = 3
    OnCellClick = DBGrid1CellClick
    Columns = <
      item
        FieldName = 'lx'
        Title.Caption = '类型'
        Width = 240
      end>
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_yplx'
    Active = True
    Left = 16
    Top = 144
  end
  object DataSource1: TDataSource
    DataSet = ADOTable1
    Left = 48
    Top = 144
  end
end
