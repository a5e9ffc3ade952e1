object jxcylform: Tjxcylform
  Left = 140
  Top = 90
  Width = 760
  Height = 520
  Caption = '药品进销存一览'
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
    Top = 18
    Caption = '统计起始日期：'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 100
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 0
  end
  object Label2: TLabel
    Left = 216
    Top = 18
    Caption = '到'
  end
  object DateTimePicker2: TDateTimePicker
    Left = 236
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 1
  end
  object CheckBox2: TCheckBox
    Left = 368
    Top = 16
    Width = 110
    Height = 17
    Caption = '按药品名称查询'
    TabOrder = 2
  end
  object Edit1: TEdit
    Left = 480
    Top = 14
    Width = 140
    Height = 20
    Hint = '填入药品拼音字母后按Enter键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 3
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 16
    Top = 48
    Width = 75
    Height = 25
    Caption = '统计'
    TabOrder = 10
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 104
    Top = 48
    Width = 75
    Height = 25
    Caption = '打印'
    TabOrder = 11
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 192
    Top = 48
    Width = 75
    Height = 25
    Caption = '导出'
    Hint = '电脑中必须装有Office 2000才可使用本功能'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 12
    OnClick = Button3Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 84
    Width = 736
    Height = 386
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 20
    Columns = <
      item
        FieldName = '项目名称'
        Title.Caption = '项目名称'
        Width = 160
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 100
      end
      item
        FieldName = '进库数量'
        Title.Caption = '进库数量'
        Width = 90
      end
      item
        FieldName = '库存数量'
        Title.Caption = '库存数量'
        Width = 90
      end
      item
        FieldName = '销售数量'
        Title.Caption = '销售数量'
        Width = 90
      end>
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 40
    Top = 200
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 72
    Top = 200
  end
end
