object rbform: Trbform
  Left = 120
  Top = 80
  Width = 800
  Height = 560
  Caption = '每日报表'
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
    Caption = '统计日期：'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 80
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 0
  end
  object Label2: TLabel
    Left = 196
    Top = 18
    Caption = '到'
  end
  object DateTimePicker2: TDateTimePicker
    Left = 216
    Top = 14
    Width = 110
    Height = 20
    TabOrder = 1
  end
  object Button1: TButton
    Left = 348
    Top = 12
    Width = 75
    Height = 25
    Caption = '统计'
    TabOrder = 2
    OnClick = Button1Click
  end
  object Button3: TButton
    Left = 432
    Top = 12
    Width = 75
    Height = 25
    Caption = '打印'
    TabOrder = 3
    OnClick = Button3Click
  end
  object Button2: TButton
    Left = 516
    Top = 12
    Width = 75
    Height = 25
    Caption = '导出'
    TabOrder = 4
    OnClick = Button2Click
  end
  object FlatButton1: TFlatButton
    Left = 600
    Top = 12
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
    TabOrder = 5
    OnClick = FlatButton1Click
  end
  object Label3: TLabel
    Left = 16
    Top = 50
    Caption = '应收合计:'
  end
  object Label4: TLabel
    Left = 220
    Top = 50
    Caption = '减免合计:'
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 72
    Width = 776
    Height = 446
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 6
    Columns = <
      item
        FieldName = '票据号'
        Title.Caption = '票据号'
        Width = 72
      end
      item
        FieldName = '病人姓名'
        Title.Caption = '病人姓名'
        Width = 72
      end
      item
        FieldName = '医生姓名'
        Title.Caption = '医生姓名'
        Width = 72
      end
      item
        FieldName = '医生科室'
        Title.Caption = '医生科室'
        Width = 80
      end
      item
        FieldName = '应收金额'
        Title.Caption = '应收金额'
        Width = 72
      end
      item
        FieldName = '减免金额'
        Title.Caption = '减免金额'
        Width = 72
      end
      item
        FieldName = '收费日期'
        Title.Caption = '收费日期'
        Width = 80
      end
      item
        FieldName = '收费时间'
        Title.Caption = '收费时间'
        Width = 72
      end
      item
        FieldName = '收费员'
        Title.Caption = '收费员'
        Width = 72
      end>
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 40
    Top = 200
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 72
    Top = 200
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 104
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
    ReportOptions.CreateDate = 46366.18659752315d
    ReportOptions.LastChange = 46366.18659752315d
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
    Variables = <
      item
        Name = 'aa'
      end
      item
        Name = 'bb'
      end
      item
        Name = 'cc'
      end
      item
        Name = 'dd'
      end>
    Style = <>
    object Page1: TfrxReportPage
      PaperWidth = 210.0
      PaperHeight = 297.0
      PaperSize = 9
      LeftMargin = 10.0
      RightMargin = 10.0
      TopMargin = 10.0
      BottomMargin = 10.0
      ColumnWidth = 0.0
      object PageHeader1: TfrxPageHeader
        Left = 0.0
        Top = 20.0
        Width = 0.0
        Height = 79.7953
        object Memo1: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 718.11
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
            '日常报表')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 34.0
          Width = 718.11
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
            '所属时段:[aa] 至 [bb]')
          VAlign = vaCenter
        end
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 56.89765
          Width = 87.71
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '票据号')
          VAlign = vaCenter
        end
        object Memo5: TfrxMemoView
          Left = 87.71
          Top = 56.89765
          Width = 82.23
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '病人姓名')
          VAlign = vaCenter
        end
        object Memo7: TfrxMemoView
          Left = 169.94
          Top = 56.89765
          Width = 76.74
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '医生姓名')
          VAlign = vaCenter
        end
        object Memo9: TfrxMemoView
          Left = 246.68
          Top = 56.89765
          Width = 76.74
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '医生科室')
          VAlign = vaCenter
        end
        object Memo11: TfrxMemoView
          Left = 323.42
          Top = 56.89765
          Width = 76.74
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
            '应收金额')
          VAlign = vaCenter
        end
        object Memo13: TfrxMemoView
          Left = 400.16
          Top = 56.89765
          Width = 76.74
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
            '减免金额')
          VAlign = vaCenter
        end
        object Memo15: TfrxMemoView
          Left = 476.9
          Top = 56.89765
          Width = 87.71
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
            '收费日期')
          VAlign = vaCenter
        end
        object Memo17: TfrxMemoView
          Left = 564.61
          Top = 56.89765
          Width = 76.74
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
            '收费时间')
          VAlign = vaCenter
        end
        object Memo19: TfrxMemoView
          Left = 641.35
          Top = 56.89765
          Width = 76.75
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '收费员')
          VAlign = vaCenter
        end
        object Line1: TfrxLineView
          Left = 0.0
          Top = 76.7953
          Width = 718.11
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
        object Memo4: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 87.71
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."票据号"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo6: TfrxMemoView
          Left = 87.71
          Top = 0.0
          Width = 82.23
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."病人姓名"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo8: TfrxMemoView
          Left = 169.94
          Top = 0.0
          Width = 76.74
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."医生姓名"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo10: TfrxMemoView
          Left = 246.68
          Top = 0.0
          Width = 76.74
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."医生科室"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo12: TfrxMemoView
          Left = 323.42
          Top = 0.0
          Width = 76.74
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
            '[frxDBDataset1."应收金额"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo14: TfrxMemoView
          Left = 400.16
          Top = 0.0
          Width = 76.74
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
            '[frxDBDataset1."减免金额"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo16: TfrxMemoView
          Left = 476.9
          Top = 0.0
          Width = 87.71
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
            '[frxDBDataset1."收费日期"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo18: TfrxMemoView
          Left = 564.61
          Top = 0.0
          Width = 76.74
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
            '[frxDBDataset1."收费时间"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo20: TfrxMemoView
          Left = 641.35
          Top = 0.0
          Width = 76.75
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."收费员"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
      end
      object ReportSummary1: TfrxReportSummary
        Left = 0.0
        Top = 260.0
        Width = 0.0
        Height = 26.89765
        object Line3: TfrxLineView
          Left = 0.0
          Top = 2.0
          Width = 718.11
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
        object Memo21: TfrxMemoView
          Left = 0.0
          Top = 6.0
          Width = 250.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[cc]')
          VAlign = vaCenter
        end
        object Memo22: TfrxMemoView
          Left = 260.0
          Top = 6.0
          Width = 250.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[dd]')
          VAlign = vaCenter
        end
      end
      object PageFooter1: TfrxPageFooter
        Left = 0.0
        Top = 320.0
        Width = 0.0
        Height = 22.89765
        object Line2: TfrxLineView
          Left = 0.0
          Top = 0.0
          Width = 718.11
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
        object Memo23: TfrxMemoView
          Left = 0.0
          Top = 3.0
          Width = 718.11
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
            '第[Page#]页')
          VAlign = vaCenter
        end
      end
    end
  end
end
