object sjzlform: Tsjzlform
  Left = 280
  Top = 160
  BorderStyle = bsDialog
  Caption = '数据整理'
  ClientHeight = 380
  ClientWidth = 392
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 12
  object Memo1: TMemo
    Left = 8
    Top = 8
    Width = 376
    Height = 300
    Lines.Strings = (
      '　　　　　　　　　　重要提示'
      '1.本菜单的作用：初始化收费记录、药品入库记录，软件'
      '中所有的收费记录、药品入库记录将被全部清空。'
      '2.危险性警告：清空后软件中所有收费记录、药品入库记'
      '录将消失，如果未备份过数据库，那么数据将无法找回,请'
      '慎重考虑使用。'
      '3.何种情况下用本菜单功能：一、输入了大量的测试用的'
      '收费记录，在正式准备使用真实数据前，将这些无用测试'
      '数据清空。二、软件用了相当长时间后，由于收费记录和'
      '药品入库记录地不断增加，造成运行速度减缓，清空后重'
      '来将恢复运行速度。'
      '4.清空前的准备工作：－、运行软件数据备份功能，将数'
      '据库备份到一个安全的地方，并妥善保存，二、请示本单'
      '位主管领导，获得同意后再操作。其中第一步所指备份是'
      '强制性的前提条件，否则无法继续执行本菜单操作。'
      '5.本处所指的清空记录，不包括病人、医生、药品基本资'
      '料等记录，因为这些数据资料一般情况下没必要清空，如'
      '个别要删除时可以在软件中单个的删除。如果实在要全部'
      '清空数据，那么重装一次软件，所有的数据就都清空了。')
    ReadOnly = True
    TabOrder = 0
  end
  object CheckBox1: TCheckBox
    Left = 300
    Top = 318
    Width = 80
    Height = 17
    Caption = '备份标志'
    TabOrder = 1
    Visible = False
  end
  object CheckBox2: TCheckBox
    Left = 24
    Top = 318
    Width = 110
    Height = 17
    Caption = '清空收费记录'
    TabOrder = 2
  end
  object CheckBox3: TCheckBox
    Left = 160
    Top = 318
    Width = 110
    Height = 17
    Caption = '清空入库记录'
    TabOrder = 3
  end
  object Button1: TButton
    Left = 96
    Top = 346
    Width = 89
    Height = 25
    Caption = '确定清空'
    TabOrder = 4
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 208
    Top = 346
    Width = 89
    Height = 25
    Caption = '取消退出'
    TabOrder = 5
    OnClick = Button2Click
  end
  object ADOQuery1: TADOQuery
    Connection = datamoduleform.ADOConnection1
    Parameters = <>
    Left = 8
    Top = 346
  end
end
