object bqxmform: Tbqxmform
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = '编辑收费项目'
  ClientHeight = 300
  ClientWidth = 320
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
  PixelsPerInch = 96
  TextHeight = 12
  object Label9: TLabel
    Left = 16
    Top = 12
    Caption = '操作状态：正在编辑一个收费项目'
  end
  object CheckBox1: TCheckBox
    Left = 240
    Top = 12
    Width = 70
    Height = 17
    TabOrder = 0
    Action = wqtdglzjmform.tj
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
    TabOrder = 1
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
    TabOrder = 2
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
    TabOrder = 3
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
    TabOrder = 4
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
    TabOrder = 5
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
    TabOrder = 6
    Color = cl3DLight
    ReadOnly = True
    Hint = '如要修改本价格，请先点击选中右上角调价框'
    ShowHint = True
    OnKeyPress = PriceKeyPress
  end
  object Label7: TLabel
    Left = 16
    Top = 236
    Caption = '进价：'
  end
  object Edit4: TEdit
    Left = 84
    Top = 232
    Width = 150
    Height = 20
    TabOrder = 7
    Color = cl3DLight
    ReadOnly = True
    Hint = '如要修改本价格，请先点击选中右上角调价框'
    ShowHint = True
    OnKeyPress = PriceKeyPress
  end
  object CheckBox2: TCheckBox
    Left = 240
    Top = 236
    Width = 70
    Height = 17
    TabOrder = 8
    Caption = '项目种类'
    Visible = False
  end
  object Edit6: TEdit
    Left = 240
    Top = 200
    Width = 60
    Height = 20
    TabOrder = 9
    Visible = False
  end
  object Button1: TButton
    Left = 84
    Top = 264
    Width = 75
    Height = 25
    TabOrder = 10
    Caption = '保存'
    OnClick = Button1Click
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Left = 260
    Top = 100
  end
end
