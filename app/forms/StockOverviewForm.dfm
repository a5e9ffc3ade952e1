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
    ReportOptions.CreateDate = 46366.186597789354d
    ReportOptions.LastChange = 46366.186597789354d
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
        Height = 79.7953
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
            '药品进销存统计一览表')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 34.0
          Width = 680.31
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
            '统计日期：[aa] 至 [bb]')
          VAlign = vaCenter
        end
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 56.89765
          Width = 230.61
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
        object Memo5: TfrxMemoView
          Left = 230.61
          Top = 56.89765
          Width = 138.37
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
        object Memo7: TfrxMemoView
          Left = 368.98
          Top = 56.89765
          Width = 103.78
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
            '进库数量')
          VAlign = vaCenter
        end
        object Memo9: TfrxMemoView
          Left = 472.76
          Top = 56.89765
          Width = 103.78
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
        object Memo11: TfrxMemoView
          Left = 576.54
          Top = 56.89765
          Width = 103.76
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
            '销售数量')
          VAlign = vaCenter
        end
        object Line1: TfrxLineView
          Left = 0.0
          Top = 76.7953
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
        object Memo4: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 230.61
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
        object Memo6: TfrxMemoView
          Left = 230.61
          Top = 0.0
          Width = 138.37
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
        object Memo8: TfrxMemoView
          Left = 368.98
          Top = 0.0
          Width = 103.78
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          DataField = '进库数量'
          DataSet = frxDBDataset1
          DataSetName = 'frxDBDataset1'
          HAlign = haRight
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo10: TfrxMemoView
          Left = 472.76
          Top = 0.0
          Width = 103.78
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          DataField = '库存数量'
          DataSet = frxDBDataset1
          DataSetName = 'frxDBDataset1'
          HAlign = haRight
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo12: TfrxMemoView
          Left = 576.54
          Top = 0.0
          Width = 103.76
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          DataField = '销售数量'
          DataSet = frxDBDataset1
          DataSetName = 'frxDBDataset1'
          HAlign = haRight
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
