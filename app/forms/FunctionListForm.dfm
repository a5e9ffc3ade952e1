object gnbform: Tgnbform
  Left = 340
  Top = 180
  BorderStyle = bsDialog
  Caption = '功能表'
  ClientHeight = 330
  ClientWidth = 260
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object ListView1: TListView
    Left = 8
    Top = 8
    Width = 244
    Height = 280
    Columns = <
      item
        Caption = '功能号'
        Width = 90
      end
      item
        Caption = '功能名'
        Width = 130
      end>
    ReadOnly = True
    RowSelect = True
    TabOrder = 0
    ViewStyle = vsReport
    OnDblClick = Button1Click
  end
  object Button1: TButton
    Left = 40
    Top = 296
    Width = 75
    Height = 25
    Caption = '确定'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 144
    Top = 296
    Width = 75
    Height = 25
    Caption = '退出'
    TabOrder = 2
    OnClick = Button2Click
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_yhgnb'
    Left = 16
    Top = 120
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 48
    Top = 120
  end
end
