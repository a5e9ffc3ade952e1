object rkcxform: Trkcxform
  Left = 120
  Top = 80
  Width = 800
  Height = 540
  Caption = '入库查询'
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
  object CheckBox1: TCheckBox
    Left = 16
    Top = 16
    Width = 100
    Height = 17
    Caption = '按时间段查询'
    Checked = True
    State = cbChecked
    TabOrder = 0
  end
  object DateTimePicker1: TDateTimePicker
    Left = 120
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 1
  end
  object Label1: TLabel
    Left = 236
    Top = 18
    Caption = '到'
  end
  object DateTimePicker2: TDateTimePicker
    Left = 256
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 2
  end
  object CheckBox2: TCheckBox
    Left = 388
    Top = 16
    Width = 110
    Height = 17
    Caption = '按药品名称查询'
    TabOrder = 3
  end
  object Edit1: TEdit
    Left = 500
    Top = 14
    Width = 140
    Height = 20
    Hint = '填入药品拼音字母后按Enter键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 4
    OnClick = Edit1Click
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 16
    Top = 48
    Width = 75
    Height = 25
    Caption = '查找'
    TabOrder = 5
    OnClick = Button1Click
  end
  object Button3: TButton
    Left = 104
    Top = 48
    Width = 75
    Height = 25
    Caption = '打印'
    TabOrder = 6
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 192
    Top = 48
    Width = 75
    Height = 25
    Caption = '导出'
    TabOrder = 7
    OnClick = Button4Click
  end
  object Button2: TButton
    Left = 280
    Top = 48
    Width = 75
    Height = 25
    Caption = '退出'
    TabOrder = 8
    OnClick = Button2Click
  end
  object FlatButton1: TFlatButton
    Left = 368
    Top = 48
    Width = 75
    Height = 25
    Caption = '帮助'
    TabOrder = 9
    OnClick = FlatButton1Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 84
    Width = 776
    Height = 400
    Hint = '双击记录可以红冲（作废）该入库记录'
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ParentShowHint = False
    ReadOnly = True
    ShowHint = True
    TabOrder = 10
    OnDblClick = DBGrid1DblClick
    Columns = <
      item
        FieldName = '入库日期'
        Title.Caption = '入库日期'
        Width = 72
      end
      item
        FieldName = '药品名称'
        Title.Caption = '药品名称'
        Width = 120
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 72
      end
      item
        FieldName = '单位'
        Title.Caption = '单位'
        Width = 40
      end
      item
        FieldName = '批号'
        Title.Caption = '批号'
        Width = 64
      end
      item
        FieldName = '进价'
        Title.Caption = '进价'
        Width = 56
      end
      item
        FieldName = '单价'
        Title.Caption = '单价'
        Width = 56
      end
      item
        FieldName = '入库数量'
        Title.Caption = '入库数量'
        Width = 64
      end
      item
        FieldName = '入库金额'
        Title.Caption = '入库金额'
        Width = 64
      end
      item
        FieldName = '产地'
        Title.Caption = '产地'
        Width = 64
      end
      item
        FieldName = '药品ID'
        Title.Caption = '药品ID'
        Width = 48
      end
      item
        FieldName = '操作员'
        Title.Caption = '操作员'
        Width = 56
      end>
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 494
    Width = 792
    Height = 19
    Align = alBottom
    Panels = <
      item
        Width = 400
      end
      item
        Text = '双击记录可以红冲（作废）该入库记录'
        Width = 50
      end>
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    AfterOpen = ADOQuery1AfterOpen
    Parameters = <>
    Left = 40
    Top = 200
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 72
    Top = 200
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 104
    Top = 200
  end
end
