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
        Width = 70
      end
      item
        FieldName = '拼音码'
        Title.Caption = '拼音码'
        Width = 70
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 70
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
        Width = 70
      end
      item
        FieldName = '失效日期'
        Title.Caption = '失效日期'
        Width = 70
      end
      item
        FieldName = '库存下限'
        Title.Caption = '库存下限'
        Width = 70
      end
      item
        FieldName = '药品产地'
        Title.Caption = '药品产地'
        Width = 70
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
end
