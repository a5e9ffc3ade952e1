object brzlform: Tbrzlform
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = '病人资料'
  ClientHeight = 430
  ClientWidth = 600
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
    Left = 236
    Top = 12
    Caption = '病人资料录入'
    Font.Charset = GB2312_CHARSET
    Font.Color = clNavy
    Font.Height = -21
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label2: TLabel
    Left = 24
    Top = 56
    Caption = '姓名：'
  end
  object Edit1: TEdit
    Left = 72
    Top = 52
    Width = 121
    Height = 20
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Label3: TLabel
    Left = 212
    Top = 56
    Caption = '拼音码：'
  end
  object Edit2: TEdit
    Left = 264
    Top = 52
    Width = 121
    Height = 20
    Hint = '填完姓名后按回车键能自动填写拼音码'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 1
    OnKeyPress = Edit2KeyPress
  end
  object Label4: TLabel
    Left = 404
    Top = 56
    Caption = '年龄：'
  end
  object Edit3: TEdit
    Left = 444
    Top = 52
    Width = 57
    Height = 20
    TabOrder = 2
    OnKeyPress = Edit3KeyPress
  end
  object Label5: TLabel
    Left = 24
    Top = 92
    Caption = '性别：'
  end
  object ComboBox1: TComboBox
    Left = 72
    Top = 88
    Width = 65
    Height = 20
    ItemHeight = 12
    TabOrder = 3
    OnKeyPress = ComboBox1KeyPress
  end
  object Label6: TLabel
    Left = 212
    Top = 92
    Caption = '电话：'
  end
  object Edit4: TEdit
    Left = 264
    Top = 88
    Width = 121
    Height = 20
    TabOrder = 4
    OnKeyPress = Edit4KeyPress
  end
  object Label7: TLabel
    Left = 24
    Top = 128
    Caption = '地址：'
  end
  object Edit5: TEdit
    Left = 72
    Top = 124
    Width = 429
    Height = 20
    TabOrder = 5
    OnKeyPress = Edit5KeyPress
  end
  object Label8: TLabel
    Left = 520
    Top = 128
    Caption = ''
    Visible = False
  end
  object Button1: TButton
    Left = 24
    Top = 160
    Width = 75
    Height = 25
    Caption = '新增资料'
    TabOrder = 6
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 112
    Top = 160
    Width = 75
    Height = 25
    Caption = '修改资料'
    Enabled = False
    TabOrder = 7
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 200
    Top = 160
    Width = 75
    Height = 25
    Caption = '删除资料'
    TabOrder = 8
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 288
    Top = 160
    Width = 75
    Height = 25
    Caption = '查找资料'
    TabOrder = 9
    OnClick = Button4Click
  end
  object Button5: TButton
    Left = 376
    Top = 160
    Width = 75
    Height = 25
    Caption = '退出'
    TabOrder = 10
    OnClick = Button5Click
  end
  object FlatButton1: TFlatButton
    Left = 464
    Top = 160
    Width = 75
    Height = 25
    Caption = '帮助'
    ColorBorder = clBtnFace
    Glyph.Data = {
      36030000424D3603000000000000360000002800000010000000100000000100
      18000000000000030000C40E0000C40E00000000000000000000FF00FFFF00FF
      FF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00
      FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFC07000C07000C0
      7000C07000C07000C07000FF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FF
      FF00FFC07000C07000C07000C07000C07000C07000C07000C07000C07000C070
      00FF00FFFF00FFFF00FFFF00FFFF00FFC07000C07000C07000C07000C07000FF
      FFFFFFFFFFC07000C07000C07000C07000C07000FF00FFFF00FFFF00FFC07000
      C07000C07000C07000C07000C07000FFFFFFFFFFFFC07000C07000C07000C070
      00C07000C07000FF00FFFF00FFC07000C07000C07000C07000C07000C07000C0
      7000C07000C07000C07000C07000C07000C07000C07000FF00FFC07000C07000
      C07000C07000C07000C07000C07000FFFFFFFFFFFFC07000C07000C07000C070
      00C07000C07000C07000C07000C07000C07000C07000C07000C07000C07000FF
      FFFFFFFFFFC07000C07000C07000C07000C07000C07000C07000C07000C07000
      C07000C07000C07000C07000C07000C07000FFFFFFFFFFFFC07000C07000C070
      00C07000C07000C07000C07000C07000C07000C07000C07000C07000C07000C0
      7000C07000FFFFFFFFFFFFC07000C07000C07000C07000C07000FF00FFC07000
      C07000C07000C07000FFFFFFFFFFFFC07000C07000FFFFFFFFFFFFC07000C070
      00C07000C07000FF00FFFF00FFC07000C07000C07000C07000FFFFFFFFFFFFC0
      7000C07000FFFFFFFFFFFFC07000C07000C07000C07000FF00FFFF00FFFF00FF
      C07000C07000C07000C07000FFFFFFFFFFFFFFFFFFFFFFFFC07000C07000C070
      00C07000FF00FFFF00FFFF00FFFF00FFFF00FFC07000C07000C07000C07000C0
      7000C07000C07000C07000C07000C07000FF00FFFF00FFFF00FFFF00FFFF00FF
      FF00FFFF00FFFF00FFC07000C07000C07000C07000C07000C07000FF00FFFF00
      FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF
      00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FFFF00FF}
    Layout = blGlyphLeft
    TabOrder = 11
    OnClick = FlatButton1Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 200
    Width = 584
    Height = 222
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 12
    OnCellClick = DBGrid1CellClick
    Columns = <
      item
        FieldName = '姓名'
        Title.Caption = '姓名'
        Width = 70
      end
      item
        FieldName = '拼音码'
        Title.Caption = '拼音码'
        Width = 60
      end
      item
        FieldName = '年龄'
        Title.Caption = '年龄'
        Width = 40
      end
      item
        FieldName = '性别'
        Title.Caption = '性别'
        Width = 40
      end
      item
        FieldName = '电话'
        Title.Caption = '电话'
        Width = 100
      end
      item
        FieldName = '地址'
        Title.Caption = '地址'
        Width = 220
      end>
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 520
    Top = 8
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 552
    Top = 8
  end
end
