object xmxhtjform: Txmxhtjform
  Left = 100
  Top = 80
  Width = 860
  Height = 540
  Caption = '项目消耗金额统计'
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
  object DBGrid1: TDBGrid
    Left = 8
    Top = 48
    Width = 836
    Height = 450
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 5
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
  object frxReport1: TfrxReport
    Left = 168
    Top = 200
    OnBeforePrint = frxReport1BeforePrint
    DotMatrixReport = False
    EngineOptions.ConvertNulls = False
    EngineOptions.MaxMemSize = 10000000
    IniFile = '\Software\Quirewell'
    PreviewOptions.Buttons = [pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbOutline, pbPageSetup, pbTools, pbEdit, pbNavigator]
    PreviewOptions.Zoom = 1.0
    PrintOptions.Printer = '默认'
    ReportOptions.CreateDate = 46366.18659765046d
    ReportOptions.LastChange = 46366.18659765046d
    ScriptLanguage = 'PascalScript'
    ScriptText.Strings = (
      'begin'
      ''
      'end.')
    Datasets = <>
    Variables = <
      item
        Name = 'aa'
      end
      item
        Name = 'bb'
      end>
    Style = <>
    object Page1: TfrxReportPage
      Orientation = poLandscape
      PaperWidth = 297.0
      PaperHeight = 210.0
      PaperSize = 9
      LeftMargin = 10.0
      RightMargin = 10.0
      TopMargin = 10.0
      BottomMargin = 10.0
      ColumnWidth = 0.0
      object ReportTitle1: TfrxReportTitle
        Left = 0.0
        Top = 0.0
        Width = 0.0
        Height = 64.0
        object Memo1: TfrxMemoView
          Left = 0.0
          Top = 0.0
          Width = 1046.92
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
            '项目消耗金额统计报表')
          VAlign = vaCenter
        end
        object Memo2: TfrxMemoView
          Left = 0.0
          Top = 34.0
          Width = 1046.92
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
      end
      object MasterData1: TfrxMasterData
        Left = 0.0
        Top = 100.0
        Width = 0.0
        Height = 40.0
        ColumnWidth = 0.0
        ColumnGap = 0.0
        RowCount = 1
        object Cross1: TfrxCrossView
          Left = 0.0
          Top = 0.0
          Width = 200.0
          Height = 40.0
          Font.Charset = GB2312_CHARSET
          Font.Color = clWindowText
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          GroupIndex = 0
          ParentFont = False
          Color = clSilver
          Frame.Typ = [ftLeft, ftRight, ftTop, ftBottom]
          DownThenAcross = False
          MaxWidth = 200
        MinWidth = 60
          ShowColumnTotal = False
          ShowRowHeader = False
          ShowRowTotal = False
          Memos = {
            3C3F786D6C2076657273696F6E3D22312E302220656E636F64696E673D227574
            662D38223F3E3C63726F73733E3C63656C6C6D656D6F733E3C546672784D656D
            6F56696577204E616D653D2222204C6566743D22302220546F703D2230222057
            696474683D223022204865696768743D22302220466F6E742E43686172736574
            3D223133342220466F6E742E436F6C6F723D222D31363737373230382220466F
            6E742E4865696768743D222D31322220466F6E742E4E616D653D22E5AE8BE4BD
            932220466F6E742E5374796C653D2230222047726F7570496E6465783D223022
            20506172656E74466F6E743D2246616C736522204672616D652E5479703D2231
            35222048416C69676E3D226861526967687422204D656D6F2E546578743D2222
            205374796C653D2263656C6C222056416C69676E3D22766143656E746572222F
            3E3C2F63656C6C6D656D6F733E3C636F6C756D6E6D656D6F733E3C546672784D
            656D6F56696577204E616D653D2222205461673D2231303022204C6566743D22
            302220546F703D2230222057696474683D223022204865696768743D22302220
            466F6E742E436861727365743D223133342220466F6E742E436F6C6F723D222D
            31363737373230382220466F6E742E4865696768743D222D31322220466F6E74
            2E4E616D653D22E5AE8BE4BD932220466F6E742E5374796C653D223122204772
            6F7570496E6465783D22302220506172656E74466F6E743D2246616C73652220
            4672616D652E5479703D223135222048416C69676E3D22686143656E74657222
            204D656D6F2E546578743D2222205374796C653D22636F6C756D6E222056416C
            69676E3D22766143656E746572222F3E3C2F636F6C756D6E6D656D6F733E3C63
            6F6C756D6E746F74616C6D656D6F733E3C546672784D656D6F56696577204E61
            6D653D2222205461673D2233303022204C6566743D22302220546F703D223022
            2057696474683D223022204865696768743D22302220466F6E742E4368617273
            65743D22312220466F6E742E436F6C6F723D22302220466F6E742E4865696768
            743D222D31332220466F6E742E4E616D653D22417269616C2220466F6E742E53
            74796C653D2231222047726F7570496E6465783D22302220506172656E74466F
            6E743D2246616C7365222056697369626C653D2246616C736522204672616D65
            2E5479703D223135222048416C69676E3D22686143656E74657222204D656D6F
            2E546578743D224772616E6420546F74616C22205374796C653D22636F6C6772
            616E64222056416C69676E3D22766143656E746572222F3E3C2F636F6C756D6E
            746F74616C6D656D6F733E3C726F776D656D6F733E3C546672784D656D6F5669
            6577204E616D653D2222205461673D2232303022204C6566743D22302220546F
            703D2230222057696474683D223022204865696768743D22302220466F6E742E
            436861727365743D223133342220466F6E742E436F6C6F723D222D3136373737
            3230382220466F6E742E4865696768743D222D31322220466F6E742E4E616D65
            3D22E5AE8BE4BD932220466F6E742E5374796C653D2230222047726F7570496E
            6465783D22302220506172656E74466F6E743D2246616C736522204672616D65
            2E5479703D223135222048416C69676E3D22686143656E74657222204D656D6F
            2E546578743D2222205374796C653D22726F77222056416C69676E3D22766143
            656E746572222F3E3C2F726F776D656D6F733E3C726F77746F74616C6D656D6F
            733E3C546672784D656D6F56696577204E616D653D2222205461673D22343030
            22204C6566743D22302220546F703D2230222057696474683D22302220486569
            6768743D22302220466F6E742E436861727365743D22312220466F6E742E436F
            6C6F723D22302220466F6E742E4865696768743D222D31332220466F6E742E4E
            616D653D22417269616C2220466F6E742E5374796C653D2231222047726F7570
            496E6465783D22302220506172656E74466F6E743D2246616C73652220566973
            69626C653D2246616C736522204672616D652E5479703D223135222048416C69
            676E3D22686143656E74657222204D656D6F2E546578743D224772616E642054
            6F74616C22205374796C653D22726F776772616E64222056416C69676E3D2276
            6143656E746572222F3E3C2F726F77746F74616C6D656D6F733E3C63656C6C66
            756E6374696F6E733E3C6974656D20302F3E3C2F63656C6C66756E6374696F6E
            733E3C636F6C756D6E736F72743E3C6974656D20322F3E3C2F636F6C756D6E73
            6F72743E3C726F77736F72743E3C6974656D20302F3E3C2F726F77736F72743E
            3C2F63726F73733E}
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
          Width = 1046.92
          Height = 0.0
          GroupIndex = 0
          Frame.Typ = [ftTop]
        end
        object Memo3: TfrxMemoView
          Left = 0.0
          Top = 3.0
          Width = 1046.92
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
