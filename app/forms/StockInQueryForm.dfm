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
    ReportOptions.CreateDate = 46366.18659774306d
    ReportOptions.LastChange = 46366.18659774306d
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
      Orientation = poLandscape
      PaperWidth = 297.0
      PaperHeight = 210.0
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
          Width = 1009.13
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
            '入库查询记录报表')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 34.0
          Width = 1009.13
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
            '所属时段:[aa]__[bb]')
          VAlign = vaCenter
        end
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 56.89765
          Width = 98.03
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
            '入库日期')
          VAlign = vaCenter
        end
        object Memo5: TfrxMemoView
          Left = 98.03
          Top = 56.89765
          Width = 172.99
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '药品名称')
          VAlign = vaCenter
        end
        object Memo7: TfrxMemoView
          Left = 271.02
          Top = 56.89765
          Width = 92.26
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
        object Memo9: TfrxMemoView
          Left = 363.28
          Top = 56.89765
          Width = 51.9
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
        object Memo11: TfrxMemoView
          Left = 415.18
          Top = 56.89765
          Width = 92.26
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '批号')
          VAlign = vaCenter
        end
        object Memo13: TfrxMemoView
          Left = 507.44
          Top = 56.89765
          Width = 80.73
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
            '进价')
          VAlign = vaCenter
        end
        object Memo15: TfrxMemoView
          Left = 588.17
          Top = 56.89765
          Width = 80.73
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
            '单价')
          VAlign = vaCenter
        end
        object Memo17: TfrxMemoView
          Left = 668.9
          Top = 56.89765
          Width = 86.5
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
            '入库数量')
          VAlign = vaCenter
        end
        object Memo19: TfrxMemoView
          Left = 755.4
          Top = 56.89765
          Width = 92.26
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
            '入库金额')
          VAlign = vaCenter
        end
        object Memo21: TfrxMemoView
          Left = 847.66
          Top = 56.89765
          Width = 161.47
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '产地')
          VAlign = vaCenter
        end
        object Line1: TfrxLineView
          Left = 0.0
          Top = 76.7953
          Width = 1009.13
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
          Width = 98.03
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
            '[frxDBDataset1."入库日期"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo6: TfrxMemoView
          Left = 98.03
          Top = 0.0
          Width = 172.99
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."药品名称"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo8: TfrxMemoView
          Left = 271.02
          Top = 0.0
          Width = 92.26
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
        object Memo10: TfrxMemoView
          Left = 363.28
          Top = 0.0
          Width = 51.9
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
        object Memo12: TfrxMemoView
          Left = 415.18
          Top = 0.0
          Width = 92.26
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."批号"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo14: TfrxMemoView
          Left = 507.44
          Top = 0.0
          Width = 80.73
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
            '[frxDBDataset1."进价"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo16: TfrxMemoView
          Left = 588.17
          Top = 0.0
          Width = 80.73
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
            '[frxDBDataset1."单价"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo18: TfrxMemoView
          Left = 668.9
          Top = 0.0
          Width = 86.5
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
            '[frxDBDataset1."入库数量"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo20: TfrxMemoView
          Left = 755.4
          Top = 0.0
          Width = 92.26
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
            '[frxDBDataset1."入库金额"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo22: TfrxMemoView
          Left = 847.66
          Top = 0.0
          Width = 161.47
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."产地"]')
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
          Width = 1009.13
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
        object Memo23: TfrxMemoView
          Left = 0.0
          Top = 3.0
          Width = 1009.13
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
      end
    end
  end
end
