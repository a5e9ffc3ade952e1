object sfcxform: Tsfcxform
  Left = 120
  Top = 80
  Width = 800
  Height = 560
  Caption = '收费查询'
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
    Width = 90
    Height = 17
    Caption = '按病人查询'
    TabOrder = 0
  end
  object Edit1: TEdit
    Left = 108
    Top = 14
    Width = 120
    Height = 20
    Hint = '填入病人拼音字母后按Enter键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 1
    OnKeyPress = Edit1KeyPress
  end
  object CheckBox2: TCheckBox
    Left = 256
    Top = 16
    Width = 90
    Height = 17
    Caption = '按医生查询'
    TabOrder = 2
  end
  object Edit2: TEdit
    Left = 348
    Top = 14
    Width = 120
    Height = 20
    Hint = '填入医生拼音字母后按Enter键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 3
    OnKeyPress = Edit2KeyPress
  end
  object CheckBox4: TCheckBox
    Left = 496
    Top = 16
    Width = 100
    Height = 17
    Caption = '按收费员查询'
    TabOrder = 4
  end
  object ComboBox3: TComboBox
    Left = 600
    Top = 14
    Width = 120
    Height = 20
    ItemHeight = 12
    TabOrder = 5
  end
  object CheckBox6: TCheckBox
    Left = 16
    Top = 48
    Width = 90
    Height = 17
    Caption = '按科室查询'
    TabOrder = 6
  end
  object ComboBox2: TComboBox
    Left = 108
    Top = 46
    Width = 120
    Height = 20
    ItemHeight = 12
    TabOrder = 7
  end
  object CheckBox3: TCheckBox
    Left = 256
    Top = 48
    Width = 90
    Height = 17
    Caption = '按类型查询'
    TabOrder = 8
  end
  object ComboBox1: TComboBox
    Left = 348
    Top = 46
    Width = 120
    Height = 20
    ItemHeight = 12
    TabOrder = 9
  end
  object CheckBox7: TCheckBox
    Left = 496
    Top = 48
    Width = 100
    Height = 17
    Caption = '按票据号查询'
    TabOrder = 10
  end
  object Edit5: TEdit
    Left = 600
    Top = 46
    Width = 76
    Height = 20
    TabOrder = 11
    OnKeyPress = Edit5KeyPress
  end
  object Label1: TLabel
    Left = 680
    Top = 50
    Caption = '到'
  end
  object Edit6: TEdit
    Left = 696
    Top = 46
    Width = 76
    Height = 20
    TabOrder = 12
    OnClick = Edit6Click
    OnKeyPress = Edit6KeyPress
  end
  object CheckBox8: TCheckBox
    Left = 16
    Top = 80
    Width = 100
    Height = 17
    Caption = '按时间段查询'
    TabOrder = 13
  end
  object DateTimePicker1: TDateTimePicker
    Left = 120
    Top = 78
    Width = 110
    Height = 20
    TabOrder = 14
  end
  object Label2: TLabel
    Left = 236
    Top = 82
    Caption = '到'
  end
  object DateTimePicker2: TDateTimePicker
    Left = 256
    Top = 78
    Width = 110
    Height = 20
    TabOrder = 15
  end
  object Button1: TButton
    Left = 496
    Top = 76
    Width = 75
    Height = 25
    Caption = '查询'
    TabOrder = 16
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 584
    Top = 76
    Width = 75
    Height = 25
    Caption = '导出'
    TabOrder = 17
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 672
    Top = 76
    Width = 75
    Height = 25
    Caption = '退出'
    TabOrder = 18
    OnClick = Button3Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 112
    Width = 776
    Height = 380
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 19
    OnDblClick = DBGrid1DblClick
    Columns = <
      item
        FieldName = '票据号'
        Title.Caption = '票据号'
        Width = 80
      end
      item
        FieldName = '病人姓名'
        Title.Caption = '病人姓名'
        Width = 64
      end
      item
        FieldName = '病人性别'
        Title.Caption = '病人性别'
        Width = 56
      end
      item
        FieldName = '病人年龄'
        Title.Caption = '病人年龄'
        Width = 56
      end
      item
        FieldName = '医生姓名'
        Title.Caption = '医生姓名'
        Width = 64
      end
      item
        FieldName = '医生科室'
        Title.Caption = '医生科室'
        Width = 80
      end
      item
        FieldName = '应收金额'
        Title.Caption = '应收金额'
        Width = 64
      end
      item
        FieldName = '实收金额'
        Title.Caption = '实收金额'
        Width = 64
      end
      item
        FieldName = '应找金额'
        Title.Caption = '应找金额'
        Width = 64
      end
      item
        FieldName = '减免金额'
        Title.Caption = '减免金额'
        Width = 64
      end
      item
        FieldName = '收费类型'
        Title.Caption = '收费类型'
        Width = 64
      end
      item
        FieldName = '收费日期'
        Title.Caption = '收费日期'
        Width = 72
      end
      item
        FieldName = '收费时间'
        Title.Caption = '收费时间'
        Width = 64
      end
      item
        FieldName = '收费员'
        Title.Caption = '收费员'
        Width = 56
      end>
  end
  object StatusBar1: TStatusBar
    Left = 0
    Align = alBottom
    Top = 506
    Width = 792
    Height = 19
    Panels = <
      item
        Width = 230
      end
      item
        Width = 200
      end
      item
        Text = '提示：双击记录可查询收费明细并重打发票'
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
  object ADOQuery3: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 136
    Top = 200
  end
end
