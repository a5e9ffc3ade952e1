object xmzlhxform: Txmzlhxform
  Left = 300
  Top = 200
  BorderStyle = bsToolWindow
  Caption = '项目资料候选框'
  ClientHeight = 250
  ClientWidth = 700
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 8
    Top = 12
    Width = 72
    Height = 12
    Caption = '项目拼音码：'
  end
  object Edit1: TEdit
    Left = 84
    Top = 8
    Width = 161
    Height = 20
    TabOrder = 0
    OnChange = Edit1Change
    OnEnter = Edit1Enter
    OnExit = Edit1Exit
    OnKeyDown = Edit1KeyDown
    OnKeyPress = Edit1KeyPress
  end
  object CheckBox1: TCheckBox
    Left = 440
    Top = 10
    Width = 97
    Height = 17
    Caption = 'CheckBox1'
    TabOrder = 2
    Visible = False
  end
  object DBGrid1: TDBGrid
    Left = 0
    Top = 36
    Width = 700
    Height = 214
    DataSource = sfform.DataSource4
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgConfirmDelete, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 1
    OnDblClick = DBGrid1DblClick
    OnKeyPress = DBGrid1KeyPress
    Columns = <
      item
        FieldName = '项目名称'
        Title.Caption = '项目名称'
        Width = 170
      end
      item
        FieldName = '规格'
        Title.Caption = '规格'
        Width = 70
      end
      item
        FieldName = '单位'
        Title.Caption = '单位'
        Width = 40
      end
      item
        FieldName = '单价'
        Title.Caption = '单价'
        Width = 60
      end
      item
        FieldName = '拼音码'
        Title.Caption = '拼音码'
        Width = 110
      end
      item
        FieldName = '项目类型'
        Title.Caption = '项目类型'
        Width = 60
      end
      item
        FieldName = '批号'
        Title.Caption = '批号'
        Width = 60
      end
      item
        FieldName = '药品产地'
        Title.Caption = '药品产地'
        Width = 120
      end>
  end
end
