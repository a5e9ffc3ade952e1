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
  object frxDBDataset1: TfrxDBDataset
    UserName = 'frxDBDataset1'
    CloseDataSource = False
    DataSet = ADOQuery1
    Left = 136
    Top = 200
  end
  object frxReport1: TfrxReport
    Left = 168
    Top = 200
    DotMatrixReport = False
    EngineOptions.ConvertNulls = False
    EngineOptions.MaxMemSize = 10000000
    IniFile = '\Software\Quirewell'
    PreviewOptions.Buttons = [pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools, pbEdit, pbNavigator]
    PreviewOptions.Zoom = 1.0
    PrintOptions.Printer = '默认'
    ReportOptions.CreateDate = 46366.18659780092d
    ReportOptions.LastChange = 46366.18659780092d
    ScriptLanguage = 'PascalScript'
    ScriptText.Strings = (
      'begin'
      ''
      'end.')
    Datasets = <
      item
        DataSet = frxDBDataset1
        DataSetName = 'frxDBDataset1'
      end>
    Variables = <>
    Style = <>
    object Page1: TfrxReportPage
      PaperWidth = 210.0
      PaperHeight = 297.0
      PaperSize = 9
      LeftMargin = 15.0
      RightMargin = 15.0
      TopMargin = 10.0
      BottomMargin = 10.0
      ColumnWidth = 0.0
      object PageHeader1: TfrxPageHeader
        Left = 0.0
        Top = 20.0
        Width = 0.0
        Height = 56.89765
        object Memo1: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 680.31
          Height = 30.0
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -21
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          HAlign = haCenter
          Memo.Strings = (
            '药品缺货及失效查询报表')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 34.0
          Width = 209.33
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '项目名称')
          VAlign = vaCenter
        end
        object Memo4: TfrxMemoView
          Left = 209.33
          Top = 34.0
          Width = 115.13
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '规格')
          VAlign = vaCenter
        end
        object Memo6: TfrxMemoView
          Left = 324.46
          Top = 34.0
          Width = 62.8
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          HAlign = haCenter
          Memo.Strings = (
            '单位')
          VAlign = vaCenter
        end
        object Memo8: TfrxMemoView
          Left = 387.26
          Top = 34.0
          Width = 94.2
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          HAlign = haRight
          Memo.Strings = (
            '库存数量')
          VAlign = vaCenter
        end
        object Memo10: TfrxMemoView
          Left = 481.46
          Top = 34.0
          Width = 94.2
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          HAlign = haRight
          Memo.Strings = (
            '库存下限')
          VAlign = vaCenter
        end
        object Memo12: TfrxMemoView
          Left = 575.66
          Top = 34.0
          Width = 104.64
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          HAlign = haCenter
          Memo.Strings = (
            '失效日期')
          VAlign = vaCenter
        end
        object Line1: TfrxLineView
          Left = 0.0
          Top = 53.89765
          Width = 680.31
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
      end
      object MasterData1: TfrxMasterData
        Left = 0.0
        Top = 200.0
        Width = 0.0
        Height = 18.89765
        ColumnWidth = 0.0
        ColumnGap = 0.0
        DataSet = frxDBDataset1
        DataSetName = 'frxDBDataset1'
        RowCount = 0
        Stretched = True
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 209.33
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."项目名称"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo5: TfrxMemoView
          Left = 209.33
          Top = 0.0
          Width = 115.13
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."规格"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo7: TfrxMemoView
          Left = 324.46
          Top = 0.0
          Width = 62.8
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          HAlign = haCenter
          Memo.Strings = (
            '[frxDBDataset1."单位"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo9: TfrxMemoView
          Left = 387.26
          Top = 0.0
          Width = 94.2
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          HAlign = haRight
          Memo.Strings = (
            '[frxDBDataset1."库存数量"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo11: TfrxMemoView
          Left = 481.46
          Top = 0.0
          Width = 94.2
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          HAlign = haRight
          Memo.Strings = (
            '[frxDBDataset1."库存下限"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo13: TfrxMemoView
          Left = 575.66
          Top = 0.0
          Width = 104.64
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          HAlign = haCenter
          Memo.Strings = (
            '[frxDBDataset1."失效日期"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
      end
      object PageFooter1: TfrxPageFooter
        Left = 0.0
        Top = 320.0
        Width = 0.0
        Height = 4.0
        object Line2: TfrxLineView
          Left = 0.0
          Top = 0.0
          Width = 680.31
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
      end
    end
  end
end
