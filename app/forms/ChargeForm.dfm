object sfform: Tsfform
  Left = 0
  Top = 0
  Width = 800
  Height = 600
  Caption = '岳梧门诊收费系统'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  WindowState = wsMaximized
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object ToolBar1: TToolBar
    Left = 0
    Top = 0
    Width = 792
    Height = 40
    Align = alTop
    ButtonHeight = 30
    ButtonWidth = 80
    ShowCaptions = True
    TabOrder = 16
    object ToolButton1: TToolButton
      Left = 0
      Top = 2
      Action = wqtdglzjmform.brzl
    end
    object ToolButton2: TToolButton
      Left = 80
      Top = 2
      Action = wqtdglzjmform.xmzl
    end
    object ToolButton3: TToolButton
      Left = 160
      Top = 2
      Action = wqtdglzjmform.sfcx
    end
    object ToolButton4: TToolButton
      Left = 240
      Top = 2
      Action = wqtdglzjmform.pjzf
    end
    object ToolButton5: TToolButton
      Left = 320
      Top = 2
      Caption = ' 关闭退出'
      OnClick = CloseButtonClick
    end
  end
  object Label1: TLabel
    Left = 300
    Top = 48
    Caption = '门诊划价收费'
    Font.Charset = GB2312_CHARSET
    Font.Color = clNavy
    Font.Height = -24
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label2: TLabel
    Left = 16
    Top = 88
    Caption = '票据流水号：'
  end
  object Label3: TLabel
    Left = 88
    Top = 88
    Caption = ''
    Font.Charset = GB2312_CHARSET
    Font.Color = clRed
    Font.Height = -14
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label4: TLabel
    Left = 232
    Top = 88
    Caption = '日期：'
  end
  object Label5: TLabel
    Left = 268
    Top = 88
    Caption = ''
  end
  object Label19: TLabel
    Left = 392
    Top = 88
    Caption = '时间：'
  end
  object Label20: TLabel
    Left = 428
    Top = 88
    Caption = ''
  end
  object Label23: TLabel
    Left = 560
    Top = 88
    Caption = '普通收费清单'
    Font.Charset = GB2312_CHARSET
    Font.Color = clRed
    Font.Height = -14
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label6: TLabel
    Left = 16
    Top = 124
    Caption = '病人拼音码：'
  end
  object Edit1: TEdit
    Left = 88
    Top = 120
    Width = 121
    Height = 20
    Hint = '初诊直接按回车键新增病人资料，复诊填入病人拼音码后按回车键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
    OnKeyPress = Edit1KeyPress
  end
  object Label7: TLabel
    Left = 224
    Top = 124
    Caption = '性别：'
  end
  object ComboBox1: TComboBox
    Left = 260
    Top = 120
    Width = 57
    Height = 20
    Color = cl3DLight
    Hint = '灰色的框中无需手工填写'
    ItemHeight = 12
    ParentShowHint = False
    ShowHint = True
    TabOrder = 1
  end
  object Label8: TLabel
    Left = 332
    Top = 124
    Caption = '年龄：'
  end
  object Edit2: TEdit
    Left = 368
    Top = 120
    Width = 57
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 2
  end
  object Label9: TLabel
    Left = 440
    Top = 124
    Caption = '医生拼音码：'
  end
  object Edit3: TEdit
    Left = 512
    Top = 120
    Width = 97
    Height = 20
    Hint = '本框中填入拼音字母后再按Enter回车键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 3
    OnKeyPress = Edit3KeyPress
  end
  object Label10: TLabel
    Left = 624
    Top = 124
    Caption = '科室：'
  end
  object Edit4: TEdit
    Left = 660
    Top = 120
    Width = 113
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 4
  end
  object Label11: TLabel
    Left = 16
    Top = 160
    Caption = '项目拼音码：'
  end
  object Edit5: TEdit
    Left = 88
    Top = 156
    Width = 161
    Height = 20
    Hint = '在本处不输入字母直接按Enter则开始收费'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 5
    OnKeyPress = Edit5KeyPress
  end
  object Label12: TLabel
    Left = 264
    Top = 160
    Caption = '单价：'
  end
  object Edit6: TEdit
    Left = 300
    Top = 156
    Width = 81
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 6
  end
  object Label13: TLabel
    Left = 396
    Top = 160
    Caption = '规格：'
  end
  object Edit7: TEdit
    Left = 432
    Top = 156
    Width = 113
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 7
  end
  object Label14: TLabel
    Left = 560
    Top = 160
    Caption = '数量：'
  end
  object Edit8: TEdit
    Left = 596
    Top = 156
    Width = 73
    Height = 20
    Hint = '在本框中填入数量后再按Enter回车键'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 8
    OnKeyPress = Edit8KeyPress
  end
  object Label15: TLabel
    Left = 684
    Top = 160
    Caption = ''
    Visible = False
  end
  object Label21: TLabel
    Left = 700
    Top = 160
    Caption = ''
    Visible = False
  end
  object Label22: TLabel
    Left = 716
    Top = 160
    Caption = ''
    Visible = False
  end
  object Label24: TLabel
    Left = 732
    Top = 160
    Caption = '0.00'
    Visible = False
  end
  object Label25: TLabel
    Left = 748
    Top = 160
    Caption = ''
    Visible = False
  end
  object DBGrid1: TDBGrid
    Left = 16
    Top = 192
    Width = 761
    Height = 297
    Hint = '双击记录可进行删除操作'
    DataSource = DataSource1
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ParentShowHint = False
    ReadOnly = True
    ShowHint = True
    TabOrder = 9
    OnDblClick = DBGrid1DblClick
    Columns = <
      item
        FieldName = '项目种类'
        Title.Caption = '项目种类'
        Width = 80
      end
      item
        FieldName = '项目类型'
        Title.Caption = '项目类型'
        Width = 80
      end
      item
        FieldName = '项目名称'
        Title.Caption = '项目名称'
        Width = 170
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 100
      end
      item
        FieldName = '单位'
        Title.Caption = '单位'
        Width = 50
      end
      item
        FieldName = '单价'
        Title.Caption = '单价'
        Width = 80
      end
      item
        FieldName = '数量'
        Title.Caption = '数量'
        Width = 70
      end
      item
        FieldName = '单项累计'
        Title.Caption = '单项累计'
        Width = 90
      end>
  end
  object Label16: TLabel
    Left = 16
    Top = 508
    Caption = '累计应收：'
  end
  object Edit9: TEdit
    Left = 76
    Top = 504
    Width = 89
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 10
  end
  object Label17: TLabel
    Left = 180
    Top = 508
    Caption = '实收金额：'
  end
  object Edit10: TEdit
    Left = 240
    Top = 504
    Width = 89
    Height = 20
    Hint = '本框中填入金额后再按Enter回车键开始打印'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 11
    OnClick = Edit10Click
    OnKeyPress = Edit10KeyPress
  end
  object Label18: TLabel
    Left = 344
    Top = 508
    Caption = '应找金额：'
  end
  object Edit11: TEdit
    Left = 404
    Top = 504
    Width = 89
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 12
  end
  object Label26: TLabel
    Left = 508
    Top = 508
    Caption = '收费员：'
  end
  object Edit12: TEdit
    Left = 556
    Top = 504
    Width = 105
    Height = 20
    Color = cl3DLight
    ReadOnly = True
    TabOrder = 13
  end
  object FlatButton1: TFlatButton
    Left = 688
    Top = 500
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
    TabOrder = 14
    OnClick = FlatButton1Click
  end
  object CheckBox1: TCheckBox
    Left = 16
    Top = 540
    Width = 97
    Height = 17
    Caption = 'CheckBox1'
    TabOrder = 15
    Visible = False
  end
  object Timer1: TTimer
    OnTimer = Timer1Timer
    Left = 200
    Top = 536
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 232
    Top = 536
  end
  object ADOTable2: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    AfterPost = ADOTable2AfterPost
    AfterDelete = ADOTable2AfterDelete
    TableName = 'tb_temp'
    Left = 264
    Top = 536
  end
  object DataSource1: TDataSource
    DataSet = ADOTable2
    Left = 296
    Top = 536
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 328
    Top = 536
  end
  object DataSource2: TDataSource
    DataSet = ADOQuery2
    Left = 360
    Top = 536
  end
  object ADOQuery3: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 392
    Top = 536
  end
  object DataSource3: TDataSource
    DataSet = ADOQuery3
    Left = 424
    Top = 536
  end
  object ADOQuery4: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 456
    Top = 536
  end
  object DataSource4: TDataSource
    DataSet = ADOQuery4
    Left = 488
    Top = 536
  end
end
