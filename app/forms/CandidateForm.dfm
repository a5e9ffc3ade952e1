object brzlhxform: Tbrzlhxform
  Left = 300
  Top = 200
  BorderStyle = bsToolWindow
  Caption = '候选框1'
  ClientHeight = 154
  ClientWidth = 262
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object DBGrid1: TDBGrid
    Left = 0
    Top = 0
    Width = 262
    Height = 154
    DataSource = sfform.DataSource2
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 0
    Visible = False
    OnDblClick = DBGridDblClick
    OnKeyPress = DBGridKeyPress
    Columns = <
      item
        FieldName = '姓名'
        Title.Caption = '姓名'
        Width = 60
      end
      item
        FieldName = '年龄'
        Title.Caption = '年龄'
        Width = 36
      end
      item
        FieldName = '性别'
        Title.Caption = '性别'
        Width = 36
      end
      item
        FieldName = '地址'
        Title.Caption = '地址'
        Width = 110
      end>
  end
  object DBGrid2: TDBGrid
    Left = 0
    Top = 0
    Width = 262
    Height = 154
    DataSource = sfform.DataSource3
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 1
    Visible = False
    OnDblClick = DBGridDblClick
    OnKeyPress = DBGridKeyPress
    Columns = <
      item
        FieldName = '姓名'
        Title.Caption = '姓名'
        Width = 70
      end
      item
        FieldName = '性别'
        Title.Caption = '性别'
        Width = 40
      end
      item
        FieldName = '科室'
        Title.Caption = '科室'
        Width = 120
      end>
  end
  object DBGrid3: TDBGrid
    Left = 0
    Top = 0
    Width = 262
    Height = 154
    DataSource = sfform.DataSource4
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 2
    Visible = False
    OnDblClick = DBGridDblClick
    OnKeyPress = DBGridKeyPress
    Columns = <
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
        Width = 40
      end
      item
        FieldName = '单价'
        Title.Caption = '单价'
        Width = 40
      end
      item
        FieldName = '药品产地'
        Title.Caption = '药品产地'
        Width = 130
      end>
  end
end
