object wqtdglzjmform: Twqtdglzjmform
  Left = 0
  Top = 0
  Width = 800
  Height = 600
  Caption = '岳梧门诊收费系统主界面'
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  Menu = MainMenu1
  OldCreateOrder = False
  WindowState = wsMaximized
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 12
  object Image1: TImage
    Left = 0
    Top = 57
    Width = 792
    Height = 486
    Align = alClient
    Stretch = True
  end
  object Label1: TLabel
    Left = 160
    Top = 200
    Width = 480
    Height = 40
    Alignment = taCenter
    AutoSize = False
    Caption = '岳梧门诊收费系统V5.58'
    Font.Charset = GB2312_CHARSET
    Font.Color = clNavy
    Font.Height = -32
    Font.Name = '宋体'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object ToolBar1: TToolBar
    Left = 0
    Top = 0
    Width = 792
    Height = 57
    ButtonHeight = 54
    ButtonWidth = 55
    Images = ImageList1
    ShowCaptions = True
    TabOrder = 0
    object ToolButton1: TToolButton
      Left = 0
      Top = 2
      Action = brzl
    end
    object ToolButton2: TToolButton
      Left = 55
      Top = 2
      Action = xmzl
    end
    object ToolButton3: TToolButton
      Left = 110
      Top = 2
      Action = sf
    end
    object ToolButton4: TToolButton
      Left = 165
      Top = 2
      Action = sfcx
    end
    object ToolButton5: TToolButton
      Left = 220
      Top = 2
      Action = sjbf
    end
    object ToolButton6: TToolButton
      Left = 275
      Top = 2
      Action = sjhf
    end
    object ToolButton7: TToolButton
      Left = 330
      Top = 2
      Action = rk
    end
    object ToolButton8: TToolButton
      Left = 385
      Top = 2
      Action = rkcx
    end
    object ToolButton9: TToolButton
      Left = 440
      Top = 2
      Caption = '使用帮助'
      ImageIndex = 8
      OnClick = HelpClick
    end
    object ToolButton10: TToolButton
      Left = 495
      Top = 2
      Caption = '退出系统'
      ImageIndex = 9
      OnClick = ExitClick
    end
  end
  object MainMenu1: TMainMenu
    Left = 24
    Top = 80
    object N1: TMenuItem
      Caption = '初始设置'
      object N1brzl: TMenuItem
        Action = brzl
      end
      object N1yszl: TMenuItem
        Action = yszl
      end
      object N1kszl: TMenuItem
        Action = kszl
      end
      object N1xmzl: TMenuItem
        Action = xmzl
      end
      object N1llzl: TMenuItem
        Action = llzl
      end
      object N1dwzl: TMenuItem
        Action = dwzl
      end
    end
    object N2: TMenuItem
      Caption = '门诊收费'
      object N2sf: TMenuItem
        Action = sf
      end
      object N2pjzf: TMenuItem
        Action = pjzf
      end
    end
    object N3: TMenuItem
      Caption = '统计查询'
      object N3rb: TMenuItem
        Action = rb
      end
      object N3xmxhtj: TMenuItem
        Action = xmxhtj
      end
      object N3ypxhtj: TMenuItem
        Action = ypxhtj
      end
      object N3pjzfcx: TMenuItem
        Action = pjzfcx
      end
      object N3sfcx: TMenuItem
        Action = sfcx
      end
      object N3jxcyl: TMenuItem
        Action = jxcyl
      end
      object N3qhsxcx: TMenuItem
        Action = qhsxcx
      end
    end
    object N4: TMenuItem
      Caption = '入库管理'
      object N4rk: TMenuItem
        Action = rk
      end
      object N4rkcx: TMenuItem
        Action = rkcx
      end
    end
    object N5: TMenuItem
      Caption = '系统管理'
      object N5sjbf: TMenuItem
        Action = sjbf
      end
      object N5sjhf: TMenuItem
        Action = sjhf
      end
      object N5sjzl: TMenuItem
        Action = sjzl
      end
      object N5user: TMenuItem
        Action = user
      end
      object N5yhcx: TMenuItem
        Action = yhcx
      end
    end
    object N6: TMenuItem
      Caption = '帮助　'
      object N6Help: TMenuItem
        Caption = '使用帮助'
        OnClick = HelpClick
      end
      object N6About: TMenuItem
        Caption = '关于软件'
        OnClick = AboutClick
      end
    end
    object N7: TMenuItem
      Caption = '退出'
      object N7ChangeOperator: TMenuItem
        Caption = '更换操作员'
        OnClick = ChangeOperatorClick
      end
      object N7Exit: TMenuItem
        Caption = '退出系统'
        OnClick = ExitClick
      end
    end
  end
  object ActionList1: TActionList
    Images = ImageList1
    Left = 56
    Top = 80
    object brzl: TAction
      Caption = '病人信息'
      Enabled = False
      ImageIndex = 0
      Tag = 11
      OnExecute = ShowWindowExecute
    end
    object yszl: TAction
      Caption = '医生信息'
      Enabled = False
      Tag = 12
      OnExecute = ShowWindowExecute
    end
    object kszl: TAction
      Caption = '科室信息'
      Enabled = False
      Tag = 13
      OnExecute = ShowWindowExecute
    end
    object xmzl: TAction
      Caption = '收费项目'
      Enabled = False
      ImageIndex = 1
      Tag = 14
      OnExecute = ShowWindowExecute
    end
    object llzl: TAction
      Caption = '项目类型'
      Enabled = False
      Tag = 15
      OnExecute = ShowWindowExecute
    end
    object dwzl: TAction
      Caption = '单位资料'
      Enabled = False
      Tag = 16
      OnExecute = ShowWindowExecute
    end
    object sf: TAction
      Caption = '划价收费'
      Enabled = False
      ImageIndex = 2
      Tag = 21
      OnExecute = ShowWindowExecute
    end
    object pjzf: TAction
      Caption = '票据作废'
      Enabled = False
      Tag = 22
      OnExecute = ShowWindowExecute
    end
    object rb: TAction
      Caption = '日报月报'
      Enabled = False
      Tag = 31
      OnExecute = ShowWindowExecute
    end
    object xmxhtj: TAction
      Caption = '项目消耗'
      Enabled = False
      Tag = 32
      OnExecute = ShowWindowExecute
    end
    object ypxhtj: TAction
      Caption = '药品消耗'
      Enabled = False
      Tag = 33
      OnExecute = ShowWindowExecute
    end
    object pjzfcx: TAction
      Caption = '废票查询'
      Enabled = False
      Tag = 34
      OnExecute = ShowWindowExecute
    end
    object sfcx: TAction
      Caption = '收费查询'
      Enabled = False
      ImageIndex = 3
      Tag = 35
      OnExecute = ShowWindowExecute
    end
    object jxcyl: TAction
      Caption = '进销存一览'
      Enabled = False
      Tag = 36
      OnExecute = ShowWindowExecute
    end
    object qhsxcx: TAction
      Caption = '缺货、有效期'
      Enabled = False
      Tag = 37
      OnExecute = ShowWindowExecute
    end
    object sjbf: TAction
      Caption = '数据备份'
      Enabled = False
      ImageIndex = 4
      Tag = 41
      OnExecute = ShowWindowExecute
    end
    object sjhf: TAction
      Caption = '数据恢复'
      Enabled = False
      ImageIndex = 5
      Tag = 42
      OnExecute = ShowWindowExecute
    end
    object user: TAction
      Caption = '用户管理'
      Enabled = False
      Tag = 43
      OnExecute = ShowWindowExecute
    end
    object yhcx: TAction
      Caption = '权限管理'
      Enabled = False
      Tag = 44
      OnExecute = ShowWindowExecute
    end
    object sjzl: TAction
      Caption = '数据整理'
      Enabled = False
      Tag = 45
      OnExecute = ShowWindowExecute
    end
    object rk: TAction
      Caption = '药品入库'
      Enabled = False
      ImageIndex = 6
      Tag = 51
      OnExecute = ShowWindowExecute
    end
    object rkcx: TAction
      Caption = '入库查询'
      Enabled = False
      ImageIndex = 7
      Tag = 52
      OnExecute = ShowWindowExecute
    end
    object tj: TAction
      Caption = '调价'
      Enabled = False
      Tag = 61
      OnExecute = tjExecute
    end
    object yhsf: TAction
      Caption = '优惠打折'
      Enabled = False
      Tag = 62
      OnExecute = yhsfExecute
    end
    object nbjz: TAction
      Caption = '内部记账'
      Enabled = False
      Tag = 63
      OnExecute = nbjzExecute
    end
  end
  object ImageList1: TImageList
    Height = 32
    Width = 32
    Left = 88
    Top = 80
  end
end
