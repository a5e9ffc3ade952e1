object pjzfcxform: Tpjzfcxform
  Left = 140
  Top = 100
  Width = 760
  Height = 480
  Caption = '废票查询'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 16
    Top = 20
    Caption = '票据号'
  end
  object Edit1: TEdit
    Left = 60
    Top = 16
    Width = 140
    Height = 20
    TabOrder = 0
    OnClick = Edit1Click
    OnKeyPress = Edit1KeyPress
  end
  object Button1: TButton
    Left = 216
    Top = 14
    Width = 75
    Height = 25
    Caption = '查询'
    TabOrder = 1
    OnClick = Button1Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 52
    Width = 736
    Height = 388
    DataSource = DataSource1
    Hint = '双击记录可查询作废票据明细'
    ParentShowHint = False
    ShowHint = True
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 2
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
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 40
    Top = 120
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 72
    Top = 120
  end
end
