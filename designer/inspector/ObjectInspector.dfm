object frxObjectInspector: TfrxObjectInspector
  Left = 200
  Top = 120
  Width = 159
  Height = 400
  BorderStyle = bsSizeToolWin
  Caption = 'Object Inspector'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  FormStyle = fsStayOnTop
  KeyPreview = True
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnDeactivate = FormDeactivate
  OnMouseWheelDown = FormMouseWheelDown
  OnMouseWheelUp = FormMouseWheelUp
  OnResize = FormResize
  OnShow = FormShow
  object ObjectsCB: TComboBox
    Left = 0
    Top = 0
    Width = 151
    Height = 21
    Align = alTop
    Style = csOwnerDrawFixed
    ItemHeight = 15
    Sorted = True
    TabOrder = 0
    OnClick = ObjectsCBClick
    OnDrawItem = ObjectsCBDrawItem
  end
  object Tab: TPageControl
    Left = 0
    Top = 21
    Width = 151
    Height = 352
    Align = alClient
    TabOrder = 1
    OnChange = TabChange
    object PropTS: TTabSheet
      Caption = 'Properties'
    end
    object EventTS: TTabSheet
      Caption = 'Events'
    end
  end
  object BackPanel: TPanel
    Left = 0
    Top = 0
    Width = 143
    Height = 320
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 2
    object Splitter1: TSplitter
      Left = 0
      Top = 250
      Width = 143
      Height = 3
      Cursor = crVSplit
      Align = alBottom
    end
    object HintPanel: TPanel
      Left = 0
      Top = 255
      Width = 143
      Height = 65
      Align = alBottom
      BevelOuter = bvLowered
      BorderWidth = 2
      TabOrder = 1
      object PropL: TLabel
        Left = 3
        Top = 3
        Width = 137
        Height = 13
        Align = alTop
        AutoSize = False
        Color = clInfoBk
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentColor = False
        ParentFont = False
        Transparent = False
      end
      object DescrL: TLabel
        Left = 3
        Top = 16
        Width = 137
        Height = 46
        Align = alClient
        AutoSize = False
        Color = clWhite
        ParentColor = False
        Transparent = False
        WordWrap = True
      end
    end
    object Box: TPanel
      Left = 0
      Top = 0
      Width = 143
      Height = 250
      Align = alClient
      BevelOuter = bvNone
      Color = clWindow
      ParentColor = False
      TabOrder = 0
      object VScroll: TScrollBar
        Left = 127
        Top = 0
        Width = 16
        Height = 250
        Align = alRight
        Kind = sbVertical
        TabStop = False
        Visible = False
      end
      object PB: TPaintBox
        Left = 0
        Top = 0
        Width = 143
        Height = 250
        OnDblClick = PBDblClick
        OnMouseDown = PBMouseDown
        OnMouseMove = PBMouseMove
        OnMouseUp = PBMouseUp
        OnPaint = PBPaint
      end
      object Edit1: TEdit
        Left = 64
        Top = 0
        Width = 60
        Height = 14
        BorderStyle = bsNone
        TabOrder = 0
        Visible = False
        OnDblClick = EditBtnClick
        OnExit = Edit1Exit
        OnKeyDown = Edit1KeyDown
        OnKeyPress = Edit1KeyPress
        OnMouseDown = Edit1MouseDown
      end
      object EditPanel: TPanel
        Left = 124
        Top = 0
        Width = 15
        Height = 15
        BevelOuter = bvNone
        TabOrder = 1
        Visible = False
        object EditBtn: TSpeedButton
          Left = 0
          Top = 0
          Width = 15
          Height = 15
          Caption = '...'
          OnClick = EditBtnClick
        end
      end
      object ComboPanel: TPanel
        Left = 124
        Top = 0
        Width = 15
        Height = 15
        BevelOuter = bvNone
        TabOrder = 2
        Visible = False
        object ComboBtn: TSpeedButton
          Left = 0
          Top = 0
          Width = 15
          Height = 15
          OnClick = ComboBtnClick
          OnMouseDown = ComboBtnMouseDown
        end
      end
    end
  end
  object PopupMenu1: TPopupMenu
    Left = 16
    Top = 64
    object N11: TMenuItem
      Caption = 'Cut'
      ShortCut = 16472
      OnClick = N11Click
    end
    object N21: TMenuItem
      Caption = 'Paste'
      ShortCut = 16470
      OnClick = N21Click
    end
    object N31: TMenuItem
      Caption = 'Copy'
      ShortCut = 16451
      OnClick = N31Click
    end
    object N41: TMenuItem
      Caption = 'Cut'
      ShortCut = 8238
      OnClick = N11Click
    end
    object N51: TMenuItem
      Caption = 'Paste'
      ShortCut = 8237
      OnClick = N21Click
    end
    object N61: TMenuItem
      Caption = 'Copy'
      ShortCut = 16429
      OnClick = N31Click
    end
  end
end
