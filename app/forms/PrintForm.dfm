object printform: Tprintform
  Left = 380
  Top = 300
  BorderStyle = bsDialog
  Caption = '提示'
  ClientHeight = 118
  ClientWidth = 268
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesktopCenter
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 72
    Top = 16
    Width = 120
    Height = 12
    Caption = '收费成功，打印票据？'
  end
  object Label2: TLabel
    Left = 8
    Top = 16
    Width = 6
    Height = 12
    Visible = False
  end
  object RadioButton1: TRadioButton
    Left = 40
    Top = 44
    Width = 56
    Height = 17
    Caption = '打印'
    Checked = True
    TabOrder = 0
    TabStop = True
  end
  object RadioButton2: TRadioButton
    Left = 108
    Top = 44
    Width = 56
    Height = 17
    Caption = '预览'
    TabOrder = 1
  end
  object RadioButton3: TRadioButton
    Left = 176
    Top = 44
    Width = 56
    Height = 17
    Caption = '设计'
    TabOrder = 2
  end
  object Button1: TButton
    Left = 48
    Top = 80
    Width = 75
    Height = 25
    Caption = '确定'
    Default = True
    TabOrder = 3
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 144
    Top = 80
    Width = 75
    Height = 25
    Caption = '取消'
    TabOrder = 4
    OnClick = Button2Click
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 8
    Top = 80
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 8
    Top = 48
  end
  object ADOQuery3: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 240
    Top = 80
  end
  object frxDBDataset1: TfrxDBDataset
    UserName = 'frxDBDataset1'
    CloseDataSource = False
    DataSet = ADOQuery1
    Left = 40
    Top = 80
  end
  object frxDBDataset2: TfrxDBDataset
    UserName = 'frxDBDataset2'
    CloseDataSource = False
    DataSet = ADOQuery2
    Left = 40
    Top = 48
  end
  object frxDBDataset3: TfrxDBDataset
    UserName = 'frxDBDataset3'
    CloseDataSource = False
    DataSet = ADOQuery3
    Left = 208
    Top = 80
  end
  object frxReport1: TfrxReport
    Left = 240
    Top = 48
    DotMatrixReport = False
    EngineOptions.MaxMemSize = 10000000
    IniFile = '\Software\Quirewell'
    PreviewOptions.Buttons = [pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools, pbEdit, pbNavigator]
    PreviewOptions.Zoom = 1.0
    PrintOptions.Printer = '默认'
    ReportOptions.CreateDate = 46366.0345388657d
    ReportOptions.LastChange = 46366.0345388657d
    ScriptLanguage = 'PascalScript'
    ScriptText.Strings = (
      'begin'
      ''
      'end.')
    Datasets = <
      item
        DataSet = frxDBDataset2
        DataSetName = 'frxDBDataset2'
      end>
    Variables = <>
    Style = <>
    object Page1: TfrxReportPage
      PaperWidth = 125.0
      PaperHeight = 120.0
      PaperSize = 256
      LeftMargin = 10.0
      RightMargin = 10.0
      TopMargin = 10.0
      BottomMargin = 10.0
      ColumnWidth = 0.0
      object PageHeader1: TfrxPageHeader
        Left = 0.0
        Top = 0.0
        Width = 396.85
        Height = 268.34663
        object Memo1: TfrxMemoView
          Left = 260.0
          Top = 22.67718
          Width = 136.85
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            'NO:[frxDBDataset2."票据号"]')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 41.57483
          Width = 150.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '姓名：[frxDBDataset2."病人姓名"]')
          VAlign = vaCenter
        end
        object Memo3: TfrxMemoView
          Left = 150.0
          Top = 41.57483
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '性别：[frxDBDataset2."病人性别"]')
          VAlign = vaCenter
        end
        object Memo4: TfrxMemoView
          Left = 250.0
          Top = 41.57483
          Width = 146.85
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '年龄：[frxDBDataset2."病人年龄"]')
          VAlign = vaCenter
        end
        object Memo5: TfrxMemoView
          Left = 0.0
          Top = 64.25201
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '项  目')
          VAlign = vaCenter
        end
        object Memo6: TfrxMemoView
          Left = 100.0
          Top = 64.25201
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '金额（元）')
          VAlign = vaCenter
        end
        object Memo7: TfrxMemoView
          Left = 198.425
          Top = 64.25201
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '项  目')
          VAlign = vaCenter
        end
        object Memo8: TfrxMemoView
          Left = 298.425
          Top = 64.25201
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '金额（元）')
          VAlign = vaCenter
        end
        object Memo9: TfrxMemoView
          Left = 0.0
          Top = 83.14966
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '西药费')
          VAlign = vaCenter
        end
        object Memo10: TfrxMemoView
          Left = 100.0
          Top = 83.14966
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[aa]')
          VAlign = vaCenter
        end
        object Memo11: TfrxMemoView
          Left = 0.0
          Top = 102.04731
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '中成药费')
          VAlign = vaCenter
        end
        object Memo12: TfrxMemoView
          Left = 100.0
          Top = 102.04731
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[bb]')
          VAlign = vaCenter
        end
        object Memo13: TfrxMemoView
          Left = 0.0
          Top = 120.94496
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '中草药费')
          VAlign = vaCenter
        end
        object Memo14: TfrxMemoView
          Left = 100.0
          Top = 120.94496
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[cc]')
          VAlign = vaCenter
        end
        object Memo15: TfrxMemoView
          Left = 0.0
          Top = 139.84261
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '诊查费')
          VAlign = vaCenter
        end
        object Memo16: TfrxMemoView
          Left = 100.0
          Top = 139.84261
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[dd]')
          VAlign = vaCenter
        end
        object Memo17: TfrxMemoView
          Left = 0.0
          Top = 158.74026
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '检查费')
          VAlign = vaCenter
        end
        object Memo18: TfrxMemoView
          Left = 100.0
          Top = 158.74026
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[ee]')
          VAlign = vaCenter
        end
        object Memo19: TfrxMemoView
          Left = 198.425
          Top = 83.14966
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '化验费')
          VAlign = vaCenter
        end
        object Memo20: TfrxMemoView
          Left = 298.425
          Top = 83.14966
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[ff]')
          VAlign = vaCenter
        end
        object Memo21: TfrxMemoView
          Left = 198.425
          Top = 102.04731
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '注射费')
          VAlign = vaCenter
        end
        object Memo22: TfrxMemoView
          Left = 298.425
          Top = 102.04731
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[gg]')
          VAlign = vaCenter
        end
        object Memo23: TfrxMemoView
          Left = 198.425
          Top = 120.94496
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '治疗费')
          VAlign = vaCenter
        end
        object Memo24: TfrxMemoView
          Left = 298.425
          Top = 120.94496
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[hh]')
          VAlign = vaCenter
        end
        object Memo25: TfrxMemoView
          Left = 198.425
          Top = 139.84261
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '手术费')
          VAlign = vaCenter
        end
        object Memo26: TfrxMemoView
          Left = 298.425
          Top = 139.84261
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[ii]')
          VAlign = vaCenter
        end
        object Memo27: TfrxMemoView
          Left = 198.425
          Top = 158.74026
          Width = 100.0
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haCenter
          ParentFont = False
          Memo.Strings = (
            '其它')
          VAlign = vaCenter
        end
        object Memo28: TfrxMemoView
          Left = 298.425
          Top = 158.74026
          Width = 98.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          GroupIndex = 0
          HAlign = haRight
          ParentFont = False
          Memo.Strings = (
            '[kk]')
          VAlign = vaCenter
        end
        object Memo29: TfrxMemoView
          Left = 0.0
          Top = 181.41744
          Width = 198.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '合计：[frxDBDataset2."应收金额"]')
          VAlign = vaCenter
        end
        object Memo30: TfrxMemoView
          Left = 198.425
          Top = 181.41744
          Width = 198.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '大写：[dx]')
          VAlign = vaCenter
        end
        object Memo31: TfrxMemoView
          Left = 0.0
          Top = 204.09462
          Width = 198.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '收费员：[frxDBDataset2."收费员"]')
          VAlign = vaCenter
        end
        object Memo32: TfrxMemoView
          Left = 198.425
          Top = 204.09462
          Width = 198.425
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '收费日期：[frxDBDataset2."收费日期"]')
          VAlign = vaCenter
        end
        object Memo33: TfrxMemoView
          Left = 0.0
          Top = 226.7718
          Width = 396.85
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '（票据中项目名称内容可以根据用户要求定制修改）')
          VAlign = vaCenter
        end
        object Memo34: TfrxMemoView
          Left = 0.0
          Top = 245.66945
          Width = 396.85
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '（票据可改为显示药名、规格、单价、数量等明细打印）')
          VAlign = vaCenter
        end
      end
    end
  end
end
