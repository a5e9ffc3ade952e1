object frxFrameEditorForm: TfrxFrameEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Frame'
  ClientHeight = 181
  ClientWidth = 226
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  object FrameGB: TLabel
    Left = 8
    Top = 6
    Width = 120
    Height = 13
    Caption = 'Frame lines'
  end
  object ToolBar1: TToolBar
    Left = 8
    Top = 22
    Width = 210
    Height = 24
    Align = alNone
    Flat = True
    TabOrder = 0
    object FrameTopB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Top line'
      ImageIndex = 32
      Style = tbsCheck
      Tag = 1
      OnClick = FrameBClick
    end
    object FrameBottomB: TToolButton
      Left = 23
      Top = 0
      Hint = 'Bottom line'
      ImageIndex = 33
      Style = tbsCheck
      Tag = 2
      OnClick = FrameBClick
    end
    object FrameLeftB: TToolButton
      Left = 46
      Top = 0
      Hint = 'Left line'
      ImageIndex = 34
      Style = tbsCheck
      Tag = 3
      OnClick = FrameBClick
    end
    object FrameRightB: TToolButton
      Left = 69
      Top = 0
      Hint = 'Right line'
      ImageIndex = 35
      Style = tbsCheck
      Tag = 4
      OnClick = FrameBClick
    end
    object FrameAllB: TToolButton
      Left = 92
      Top = 0
      Hint = 'All frame lines'
      ImageIndex = 36
      Tag = 5
      OnClick = FrameBClick
    end
    object FrameNoB: TToolButton
      Left = 115
      Top = 0
      Hint = 'No frame'
      ImageIndex = 37
      Tag = 6
      OnClick = FrameBClick
    end
  end
  object LineStyleL: TLabel
    Left = 8
    Top = 54
    Width = 120
    Height = 13
    Caption = 'Line style'
  end
  object ToolBar2: TToolBar
    Left = 8
    Top = 70
    Width = 50
    Height = 24
    Align = alNone
    Flat = True
    TabOrder = 1
    object FrameColorB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Frame color'
      ImageIndex = 39
      Tag = 7
      OnClick = FrameBClick
    end
    object FrameStyleB: TToolButton
      Left = 23
      Top = 0
      Hint = 'Frame style'
      ImageIndex = 40
      Tag = 8
      OnClick = FrameBClick
    end
  end
  object FrameWidthCB: TComboBox
    Left = 62
    Top = 71
    Width = 60
    Height = 21
    Hint = 'Frame width'
    DropDownCount = 13
    TabOrder = 2
    Tag = 9
    OnChange = FrameBClick
    Items.Strings = (
      '0,1'
      '0,5'
      '1'
      '1,5'
      '2'
      '3'
      '4'
      '5'
      '6'
      '7'
      '8'
      '9'
      '10')
  end
  object ShadowGB: TLabel
    Left = 8
    Top = 102
    Width = 120
    Height = 13
    Caption = 'Shadow'
  end
  object ToolBar3: TToolBar
    Left = 8
    Top = 118
    Width = 50
    Height = 24
    Align = alNone
    Flat = True
    TabOrder = 3
    object ShadowB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Shadow'
      ImageIndex = 60
      Style = tbsCheck
      Tag = 10
      OnClick = FrameBClick
    end
    object ShadowColorB: TToolButton
      Left = 23
      Top = 0
      Hint = 'Shadow color'
      ImageIndex = 39
      Tag = 11
      OnClick = FrameBClick
    end
  end
  object ShadowWidthCB: TComboBox
    Left = 62
    Top = 119
    Width = 60
    Height = 21
    Hint = 'Shadow width'
    DropDownCount = 10
    TabOrder = 4
    Tag = 12
    OnChange = FrameBClick
    Items.Strings = (
      '1'
      '2'
      '3'
      '4'
      '5'
      '6'
      '7'
      '8'
      '9'
      '10')
  end
  object OkB: TButton
    Left = 62
    Top = 150
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
  end
  object CancelB: TButton
    Left = 143
    Top = 150
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 6
  end
end
