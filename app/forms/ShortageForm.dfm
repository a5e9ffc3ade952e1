object qhsxcxform: Tqhsxcxform
  Left = 140
  Top = 90
  Width = 760
  Height = 520
  Caption = '药品缺货及失效查询'
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
  object RadioButton1: TRadioButton
    Left = 16
    Top = 16
    Width = 110
    Height = 17
    Caption = '药品缺货统计'
    TabOrder = 0
  end
  object RadioButton2: TRadioButton
    Left = 140
    Top = 16
    Width = 17
    Height = 17
    Checked = True
    TabOrder = 1
    TabStop = True
  end
  object Label1: TLabel
    Left = 160
    Top = 18
    Caption = '有效期至'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 216
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 2
  end
  object Button1: TButton
    Left = 16
    Top = 48
    Width = 75
    Height = 25
    Caption = '查找'
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
        Width = 120
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 72
      end
      item
        FieldName = '库存数量'
        Title.Caption = '库存数量'
        Width = 64
      end
      item
        FieldName = '库存下限'
        Title.Caption = '库存下限'
        Width = 64
      end
      item
        FieldName = '失效日期'
        Title.Caption = '失效日期'
        Width = 72
      end
      item
        FieldName = '批号'
        Title.Caption = '批号'
        Width = 64
      end
      item
        FieldName = '单位'
        Title.Caption = '单位'
        Width = 40
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
        FieldName = '药品产地'
        Title.Caption = '药品产地'
        Width = 72
      end
      item
        FieldName = '项目类型'
        Title.Caption = '项目类型'
        Width = 64
      end>
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 40
    Top = 200
    object ADOQuery1ID: TAutoIncField
      FieldName = 'ID'
    end
    object ADOQuery1DSDesigner: TWideStringField
      FieldName = '项目种类'
      Size = 10
    end
    object ADOQuery1DSDesigner2: TWideStringField
      FieldName = '项目类型'
      Size = 20
    end
    object ADOQuery1DSDesigner3: TWideStringField
      FieldName = '项目名称'
      Size = 30
    end
    object ADOQuery1DSDesigner4: TWideStringField
      FieldName = '拼音码'
      Size = 25
    end
    object ADOQuery1DSDesigner5: TWideStringField
      FieldName = '规格'
      Size = 15
    end
    object ADOQuery1DSDesigner6: TWideStringField
      FieldName = '单位'
      Size = 8
    end
    object ADOQuery1DSDesigner7: TFloatField
      FieldName = '进价'
    end
    object ADOQuery1DSDesigner8: TFloatField
      FieldName = '单价'
    end
    object ADOQuery1DSDesigner9: TFloatField
      FieldName = '库存数量'
    end
    object ADOQuery1DSDesigner10: TFloatField
      FieldName = '进价金额'
    end
    object ADOQuery1DSDesigner11: TFloatField
      FieldName = '销价金额'
    end
    object ADOQuery1DSDesigner12: TWideStringField
      FieldName = '批号'
      Size = 20
    end
    object ADOQuery1DSDesigner13: TDateTimeField
      FieldName = '失效日期'
    end
    object ADOQuery1DSDesigner14: TFloatField
      FieldName = '库存下限'
    end
    object ADOQuery1DSDesigner15: TWideStringField
      FieldName = '药品产地'
      Size = 30
    end
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 72
    Top = 200
  end
end
