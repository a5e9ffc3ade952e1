object ypxhtjform: Typxhtjform
  Left = 120
  Top = 80
  Width = 760
  Height = 540
  Caption = '药品及检查项目消耗数量统计'
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
  object CheckBox1: TCheckBox
    Left = 348
    Top = 16
    Width = 90
    Height = 17
    Caption = '按医生查询'
    TabOrder = 2
  end
  object ComboBox1: TComboBox
    Left = 440
    Top = 14
    Width = 120
    Height = 20
    ItemHeight = 12
    TabOrder = 3
  end
  object CheckBox2: TCheckBox
    Left = 16
    Top = 46
    Width = 120
    Height = 17
    Caption = '只统计内部记账'
    TabOrder = 4
  end
  object CheckBox3: TCheckBox
    Left = 148
    Top = 46
    Width = 120
    Height = 17
    Caption = '只统计药品项目'
    TabOrder = 5
  end
  object CheckBox4: TCheckBox
    Left = 280
    Top = 46
    Width = 120
    Height = 17
    Caption = '只统计检查项目'
    TabOrder = 6
  end
  object Button1: TButton
    Left = 16
    Top = 74
    Width = 75
    Height = 25
    Caption = '统计'
    TabOrder = 7
    OnClick = Button1Click
  end
  object Button3: TButton
    Left = 104
    Top = 74
    Width = 75
    Height = 25
    Caption = '打印'
    TabOrder = 8
    OnClick = Button3Click
  end
  object Button2: TButton
    Left = 192
    Top = 74
    Width = 75
    Height = 25
    Caption = '导出'
    TabOrder = 9
    OnClick = Button2Click
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 110
    Width = 736
    Height = 388
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 10
    Columns = <
      item
        FieldName = '项目名称'
        Title.Caption = '项目名称'
        Width = 200
      end
      item
        FieldName = '项目规格'
        Title.Caption = '项目规格'
        Width = 120
      end
      item
        FieldName = '销价'
        Title.Caption = '销价'
        Width = 90
      end
      item
        FieldName = '合计数量'
        Title.Caption = '合计数量'
        Width = 90
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
    ReportOptions.CreateDate = 46366.186597604166d
    ReportOptions.LastChange = 46366.186597604166d
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
            '项目消耗数量统计报表')
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
            '统计日期：[aa] 至 [bb]')
          VAlign = vaCenter
        end
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 56.89765
          Width = 294.31
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
          Left = 294.31
          Top = 56.89765
          Width = 188.36
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '项目规格')
          VAlign = vaCenter
        end
        object Memo7: TfrxMemoView
          Left = 482.67
          Top = 56.89765
          Width = 117.72
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
            '销价')
          VAlign = vaCenter
        end
        object Memo9: TfrxMemoView
          Left = 600.39
          Top = 56.89765
          Width = 117.72
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
            '合计数量')
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
          Width = 294.31
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
          Left = 294.31
          Top = 0.0
          Width = 188.36
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."项目规格"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo8: TfrxMemoView
          Left = 482.67
          Top = 0.0
          Width = 117.72
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
            '[frxDBDataset1."销价"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo10: TfrxMemoView
          Left = 600.39
          Top = 0.0
          Width = 117.72
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
            '[frxDBDataset1."合计数量"]')
          StretchMode = smMaxHeight
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
        object Memo11: TfrxMemoView
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
