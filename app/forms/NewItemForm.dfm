object xjxmform: Txjxmform
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = '新建收费项目'
  ClientHeight = 300
  ClientWidth = 300
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
  object Label9: TLabel
    Left = 16
    Top = 12
    Caption = '操作状态：正在新建一个收费项目'
  end
  object Label1: TLabel
    Left = 16
    Top = 44
    Caption = '项目类型：'
  end
  object ComboBox1: TComboBox
    Left = 84
    Top = 40
    Width = 150
    Height = 20
    TabOrder = 0
    OnKeyPress = ComboBox1KeyPress
  end
  object Label2: TLabel
    Left = 16
    Top = 76
    Caption = '项目名称：'
  end
  object Edit1: TEdit
    Left = 84
    Top = 72
    Width = 150
    Height = 20
    TabOrder = 1
    OnKeyPress = Edit1KeyPress
  end
  object Label3: TLabel
    Left = 16
    Top = 108
    Caption = '拼音码：'
  end
  object Edit2: TEdit
    Left = 84
    Top = 104
    Width = 150
    Height = 20
    TabOrder = 2
    Hint = '填完项目名称后按回车键，拼音码会自动填好'
    ShowHint = True
    OnKeyPress = Edit2KeyPress
  end
  object Label4: TLabel
    Left = 16
    Top = 140
    Caption = '规格：'
  end
  object Edit3: TEdit
    Left = 84
    Top = 136
    Width = 150
    Height = 20
    TabOrder = 3
    OnKeyPress = Edit3KeyPress
  end
  object Label5: TLabel
    Left = 16
    Top = 172
    Caption = '单位：'
  end
  object ComboBox2: TComboBox
    Left = 84
    Top = 168
    Width = 150
    Height = 20
    TabOrder = 4
    OnKeyPress = ComboBox2KeyPress
  end
  object Label6: TLabel
    Left = 16
    Top = 204
    Caption = '单价：'
  end
  object Edit5: TEdit
    Left = 84
    Top = 200
    Width = 150
    Height = 20
    TabOrder = 5
    OnKeyPress = Edit5KeyPress
  end
  object RadioButton1: TRadioButton
    Left = 16
    Top = 232
    Width = 90
    Height = 17
    TabOrder = 6
    Caption = '药品项目'
    Checked = True
  end
  object RadioButton2: TRadioButton
    Left = 120
    Top = 232
    Width = 90
    Height = 17
    TabOrder = 7
    Caption = '检查项目'
  end
  object Button1: TButton
    Left = 84
    Top = 262
    Width = 75
    Height = 25
    TabOrder = 8
    Caption = '保存'
    OnClick = Button1Click
  end
  object FlatButton1: TFlatButton
    Left = 180
    Top = 262
    Width = 60
    Height = 25
    TabOrder = 9
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
    Left = 250
    Top = 40
  end
  object ADOQuery2: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 250
    Top = 72
  end
  object ADOTable3: TADOTable
    Connection = datamoduleform.ADOConnection1
    CursorType = ctStatic
    TableName = 'tb_yp'
    Left = 250
    Top = 104
  end
end
