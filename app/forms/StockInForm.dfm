object rkform: Trkform
  Left = 240
  Top = 140
  BorderStyle = bsDialog
  Caption = '药品项目入库'
  ClientHeight = 300
  ClientWidth = 520
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 16
    Top = 20
    Caption = '药品名称：'
  end
  object Edit1: TEdit
    Left = 84
    Top = 16
    Width = 160
    Height = 20
    TabOrder = 0
    Hint = '本框中填入拼音字母后再按Enter回车键'
    ShowHint = True
    OnKeyPress = Edit1KeyPress
  end
  object Label2: TLabel
    Left = 264
    Top = 20
    Caption = '入库日期：'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 332
    Top = 16
    Width = 170
    Height = 20
    TabOrder = 1
  end
  object Label3: TLabel
    Left = 16
    Top = 52
    Caption = '规格：'
  end
  object Edit2: TEdit
    Left = 84
    Top = 48
    Width = 160
    Height = 20
    TabOrder = 2
  end
  object Label4: TLabel
    Left = 264
    Top = 52
    Caption = '单位：'
  end
  object ComboBox1: TComboBox
    Left = 332
    Top = 48
    Width = 170
    Height = 20
    TabOrder = 3
  end
  object Label5: TLabel
    Left = 16
    Top = 84
    Caption = '批号：'
  end
  object Edit3: TEdit
    Left = 84
    Top = 80
    Width = 160
    Height = 20
    TabOrder = 4
    OnKeyPress = Edit3KeyPress
  end
  object Label6: TLabel
    Left = 264
    Top = 84
    Caption = '进价：'
  end
  object Edit4: TEdit
    Left = 332
    Top = 80
    Width = 170
    Height = 20
    TabOrder = 5
    MaxLength = 15
    OnKeyPress = PriceKeyPress
  end
  object Label7: TLabel
    Left = 16
    Top = 116
    Caption = '销售单价：'
  end
  object Edit5: TEdit
    Left = 84
    Top = 112
    Width = 160
    Height = 20
    TabOrder = 6
    MaxLength = 15
    OnKeyPress = PriceKeyPress
  end
  object Label8: TLabel
    Left = 264
    Top = 116
    Caption = '入库数量：'
  end
  object Edit6: TEdit
    Left = 332
    Top = 112
    Width = 170
    Height = 20
    TabOrder = 7
    MaxLength = 15
    OnKeyPress = QuantityKeyPress
  end
  object Label9: TLabel
    Left = 16
    Top = 148
    Caption = '当前库存：'
  end
  object Edit7: TEdit
    Left = 84
    Top = 144
    Width = 160
    Height = 20
    TabOrder = 8
    Color = cl3DLight
    ReadOnly = True
  end
  object Label10: TLabel
    Left = 264
    Top = 148
    Caption = '库存下限：'
  end
  object Edit9: TEdit
    Left = 332
    Top = 144
    Width = 170
    Height = 20
    TabOrder = 9
    MaxLength = 15
    Hint = '在收费时如果当前库存数量小于等于本框中数字将会警告提示'
    ShowHint = True
    OnKeyPress = QuantityKeyPress
  end
  object Label11: TLabel
    Left = 16
    Top = 180
    Caption = '失效日期：'
  end
  object DateTimePicker2: TDateTimePicker
    Left = 84
    Top = 176
    Width = 160
    Height = 20
    TabOrder = 10
    OnKeyPress = DateTimePicker2KeyPress
  end
  object Label12: TLabel
    Left = 264
    Top = 180
    Caption = '产地：'
  end
  object Edit8: TEdit
    Left = 332
    Top = 176
    Width = 170
    Height = 20
    TabOrder = 11
    OnKeyPress = Edit8KeyPress
  end
  object Button1: TButton
    Left = 120
    Top = 240
    Width = 75
    Height = 25
    TabOrder = 12
    Caption = '确定'
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 220
    Top = 240
    Width = 75
    Height = 25
    TabOrder = 13
    Caption = '取消'
    OnClick = Button2Click
  end
  object FlatButton1: TFlatButton
    Left = 320
    Top = 240
    Width = 75
    Height = 25
    TabOrder = 14
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
    OnClick = FlatButton1Click
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 440
    Top = 220
  end
  object ADOTable1: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_yprk'
    Left = 472
    Top = 220
  end
end
