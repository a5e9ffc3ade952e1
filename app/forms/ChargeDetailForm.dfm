object sfcxmxform: Tsfcxmxform
  Left = 200
  Top = 160
  BorderStyle = bsDialog
  Caption = '收费明细'
  ClientHeight = 260
  ClientWidth = 460
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
  object DBGrid1: TDBGrid
    Left = 0
    Top = 0
    Width = 460
    Height = 260
    Align = alClient
    DataSource = DataSource1
    Hint = '双击记录可重打发票'
    ParentShowHint = False
    ShowHint = True
    Options = [dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgRowSelect, dgCancelOnExit]
    ReadOnly = True
    TabOrder = 0
    OnDblClick = DBGrid1DblClick
    Columns = <
      item
        FieldName = '项目名称'
        Title.Caption = '项目名称'
        Width = 140
      end
      item
        FieldName = '项目规格'
        Title.Caption = '项目规格'
        Width = 90
      end
      item
        FieldName = '销价'
        Title.Caption = '销价'
        Width = 64
      end
      item
        FieldName = '数量'
        Title.Caption = '数量'
        Width = 56
      end
      item
        FieldName = '单项累计'
        Title.Caption = '单项累计'
        Width = 72
      end>
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 40
    Top = 80
  end
  object DataSource1: TDataSource
    DataSet = ADOQuery1
    Left = 72
    Top = 80
  end
end
