object xmzlform: Txmzlform
  Left = 200
  Top = 120
  BorderStyle = bsSizeable
  Caption = '收费项目设置'
  ClientHeight = 520
  ClientWidth = 780
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 60
    Height = 25
    TabOrder = 0
    Caption = '新建'
    OnClick = Button1Click
  end
  object Button3: TButton
    Left = 74
    Top = 8
    Width = 60
    Height = 25
    TabOrder = 1
    Caption = '编辑'
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 140
    Top = 8
    Width = 60
    Height = 25
    TabOrder = 2
    Caption = '查找'
    OnClick = Button4Click
  end
  object Button5: TButton
    Left = 206
    Top = 8
    Width = 60
    Height = 25
    TabOrder = 3
    Caption = '删除'
    OnClick = Button5Click
  end
  object Button6: TButton
    Left = 272
    Top = 8
    Width = 60
    Height = 25
    TabOrder = 4
    Caption = '打印'
    OnClick = Button6Click
  end
  object Button7: TButton
    Left = 338
    Top = 8
    Width = 60
    Height = 25
    TabOrder = 5
    Caption = '退出'
    OnClick = Button7Click
  end
  object Button2: TButton
    Left = 414
    Top = 8
    Width = 100
    Height = 25
    TabOrder = 6
    Caption = '导出到Excel'
    Hint = '电脑中必须装有Office 2000才可使用本功能'
    ShowHint = True
    OnClick = Button2Click
  end
  object RadioButton1: TRadioButton
    Left = 8
    Top = 42
    Width = 110
    Height = 17
    TabOrder = 7
    Caption = '按拼音码排序'
    OnMouseDown = SortMouseDown
  end
  object RadioButton2: TRadioButton
    Left = 128
    Top = 42
    Width = 110
    Height = 17
    TabOrder = 8
    Caption = '按项目类型排序'
    OnMouseDown = SortMouseDown
  end
  object RadioButton3: TRadioButton
    Left = 248
    Top = 42
    Width = 110
    Height = 17
    TabOrder = 9
    Caption = '按库存数量排序'
    OnMouseDown = SortMouseDown
  end
  object RadioButton4: TRadioButton
    Left = 368
    Top = 42
    Width = 110
    Height = 17
    TabOrder = 10
    Caption = '按失效日期排序'
    OnMouseDown = SortMouseDown
  end
  object RadioButton5: TRadioButton
    Left = 488
    Top = 42
    Width = 110
    Height = 17
    TabOrder = 11
    Caption = '恢复原始排序'
    OnMouseDown = SortMouseDown
  end
  object DBGrid1: TDBGrid
    Left = 8
    Top = 66
    Width = 764
    Height = 410
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 12
    Columns = <
      item
        FieldName = '项目种类'
        Title.Caption = '项目种类'
        Width = 70
      end
      item
        FieldName = '项目类型'
        Title.Caption = '项目类型'
        Width = 70
      end
      item
        FieldName = '项目名称'
        Title.Caption = '项目名称'
        Width = 170
      end
      item
        FieldName = '拼音码'
        Title.Caption = '拼音码'
        Width = 120
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 110
      end
      item
        FieldName = '单位'
        Title.Caption = '单位'
        Width = 70
      end
      item
        FieldName = '进价'
        Title.Caption = '进价'
        Width = 70
      end
      item
        FieldName = '单价'
        Title.Caption = '单价'
        Width = 70
      end
      item
        FieldName = '库存数量'
        Title.Caption = '库存数量'
        Width = 70
      end
      item
        FieldName = '进价金额'
        Title.Caption = '进价金额'
        Width = 70
      end
      item
        FieldName = '销价金额'
        Title.Caption = '销价金额'
        Width = 70
      end
      item
        FieldName = '批号'
        Title.Caption = '批号'
        Width = 90
      end
      item
        FieldName = '失效日期'
        Title.Caption = '失效日期'
        Width = 80
      end
      item
        FieldName = '库存下限'
        Title.Caption = '库存下限'
        Width = 70
      end
      item
        FieldName = '药品产地'
        Title.Caption = '药品产地'
        Width = 130
      end>
  end
  object Label2: TLabel
    Left = 8
    Top = 488
    Caption = '库存进价金额总计：'
  end
  object Label3: TLabel
    Left = 116
    Top = 488
    Caption = '0'
  end
  object Label4: TLabel
    Left = 260
    Top = 488
    Caption = '库存销价金额总计：'
  end
  object Label5: TLabel
    Left = 368
    Top = 488
    Caption = '0'
  end
  object Label6: TLabel
    Left = 520
    Top = 488
    Caption = '项目记录条数：'
  end
  object Label7: TLabel
    Left = 604
    Top = 488
    Caption = '0'
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 40
    Top = 200
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 72
    Top = 200
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery2
    Left = 104
    Top = 200
  end
  object frxDBDataset1: TfrxDBDataset
    UserName = 'frxDBDataset1'
    CloseDataSource = False
    DataSet = ADOQuery2
    Left = 136
    Top = 200
  end
  object frxReport1: TfrxReport
    Left = 168
    Top = 200
    DotMatrixReport = False
    EngineOptions.ConvertNulls = False
    EngineOptions.DoublePass = True
    EngineOptions.MaxMemSize = 10000000
    IniFile = '\Software\Quirewell'
    PreviewOptions.Buttons = [pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools, pbEdit, pbNavigator]
    PreviewOptions.Zoom = 1.0
    PrintOptions.Printer = '默认'
    ReportOptions.CreateDate = 46366.18659769676d
    ReportOptions.LastChange = 46366.18659769676d
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
        Height = 56.89765
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
            '药品库存一览表')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 34.0
          Width = 171.04
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
          Left = 171.04
          Top = 34.0
          Width = 91.22
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '拼音码')
          VAlign = vaCenter
        end
        object Memo6: TfrxMemoView
          Left = 262.26
          Top = 34.0
          Width = 91.22
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
        object Memo8: TfrxMemoView
          Left = 353.48
          Top = 34.0
          Width = 51.31
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
        object Memo10: TfrxMemoView
          Left = 404.79
          Top = 34.0
          Width = 85.52
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
        object Memo12: TfrxMemoView
          Left = 490.31
          Top = 34.0
          Width = 79.82
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
        object Memo14: TfrxMemoView
          Left = 570.13
          Top = 34.0
          Width = 171.04
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = [fsBold]
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '药品产地（生产商）')
          VAlign = vaCenter
        end
        object Memo16: TfrxMemoView
          Left = 741.17
          Top = 34.0
          Width = 96.92
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
        object Memo18: TfrxMemoView
          Left = 838.09
          Top = 34.0
          Width = 91.22
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
        object Memo20: TfrxMemoView
          Left = 929.31
          Top = 34.0
          Width = 79.82
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
        object Line1: TfrxLineView
          Left = 0.0
          Top = 53.89765
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
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 171.04
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
          Left = 171.04
          Top = 0.0
          Width = 91.22
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."拼音码"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo7: TfrxMemoView
          Left = 262.26
          Top = 0.0
          Width = 91.22
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
        object Memo9: TfrxMemoView
          Left = 353.48
          Top = 0.0
          Width = 51.31
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
        object Memo11: TfrxMemoView
          Left = 404.79
          Top = 0.0
          Width = 85.52
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
        object Memo13: TfrxMemoView
          Left = 490.31
          Top = 0.0
          Width = 79.82
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
        object Memo15: TfrxMemoView
          Left = 570.13
          Top = 0.0
          Width = 171.04
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '[frxDBDataset1."药品产地"]')
          StretchMode = smMaxHeight
          VAlign = vaCenter
        end
        object Memo17: TfrxMemoView
          Left = 741.17
          Top = 0.0
          Width = 96.92
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
        object Memo19: TfrxMemoView
          Left = 838.09
          Top = 0.0
          Width = 91.22
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
        object Memo21: TfrxMemoView
          Left = 929.31
          Top = 0.0
          Width = 79.82
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
      end
      object PageFooter1: TfrxPageFooter
        Left = 0.0
        Top = 320.0
        Width = 0.0
        Height = 45.7953
        object Line2: TfrxLineView
          Left = 0.0
          Top = 0.0
          Width = 1009.13
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
        object Memo22: TfrxMemoView
          Left = 0.0
          Top = 4.0
          Width = 252.2825
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '库存进价合计：[jjzje]')
          VAlign = vaCenter
        end
        object Memo23: TfrxMemoView
          Left = 252.2825
          Top = 4.0
          Width = 252.2825
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '库存销价合计：[xjzje]')
          VAlign = vaCenter
        end
        object Memo24: TfrxMemoView
          Left = 504.565
          Top = 4.0
          Width = 252.2825
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '制表日期：[zbrq]')
          VAlign = vaCenter
        end
        object Memo25: TfrxMemoView
          Left = 756.8475
          Top = 4.0
          Width = 252.2825
          Height = 18.89765
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Memo.Strings = (
            '制表人：[zbr]')
          VAlign = vaCenter
        end
        object Memo26: TfrxMemoView
          Left = 0.0
          Top = 22.89765
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
            '第[Page#]页/共[TotalPages#]页')
          VAlign = vaCenter
        end
      end
    end
  end
end
