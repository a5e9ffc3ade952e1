object frxOptionsEditor: TfrxOptionsEditor
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Designer options'
  ClientHeight = 345
  ClientWidth = 458
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  OnCloseQuery = FormCloseQuery
  object GridGB: TGroupBox
    Left = 8
    Top = 8
    Width = 216
    Height = 184
    Caption = 'Grid'
    TabOrder = 0
    object TypeL: TLabel
      Left = 12
      Top = 18
      Width = 60
      Height = 13
      Caption = 'Type'
    end
    object SizeL: TLabel
      Left = 112
      Top = 18
      Width = 60
      Height = 13
      Caption = 'Size'
    end
    object CMRB: TRadioButton
      Left = 12
      Top = 38
      Width = 96
      Height = 17
      Caption = 'cm:'
      TabOrder = 0
    end
    object CME: TEdit
      Left = 112
      Top = 36
      Width = 50
      Height = 21
      TabOrder = 1
    end
    object CMUnitL: TLabel
      Left = 168
      Top = 40
      Width = 40
      Height = 13
      Caption = 'cm'
    end
    object InchesRB: TRadioButton
      Left = 12
      Top = 64
      Width = 96
      Height = 17
      Caption = 'inches:'
      TabOrder = 2
    end
    object InchesE: TEdit
      Left = 112
      Top = 62
      Width = 50
      Height = 21
      TabOrder = 3
    end
    object InchesUnitL: TLabel
      Left = 168
      Top = 66
      Width = 40
      Height = 13
      Caption = 'in'
    end
    object PixelsRB: TRadioButton
      Left = 12
      Top = 90
      Width = 96
      Height = 17
      Caption = 'pixels:'
      TabOrder = 4
    end
    object PixelsE: TEdit
      Left = 112
      Top = 88
      Width = 50
      Height = 21
      TabOrder = 5
    end
    object PixelsUnitL: TLabel
      Left = 168
      Top = 92
      Width = 40
      Height = 13
      Caption = 'pt'
    end
    object DialogFormL: TLabel
      Left = 12
      Top = 118
      Width = 96
      Height = 13
      Caption = 'Dialog form:'
    end
    object DialogFormE: TEdit
      Left = 112
      Top = 114
      Width = 50
      Height = 21
      TabOrder = 6
    end
    object ShowGridCB: TCheckBox
      Left = 12
      Top = 142
      Width = 196
      Height = 17
      Caption = 'Show grid'
      TabOrder = 7
    end
    object AlignGridCB: TCheckBox
      Left = 12
      Top = 160
      Width = 196
      Height = 17
      Caption = 'Align to grid'
      TabOrder = 8
    end
  end
  object FontsGB: TGroupBox
    Left = 232
    Top = 8
    Width = 218
    Height = 184
    Caption = 'Fonts'
    TabOrder = 1
    object CodeWindowL: TLabel
      Left = 12
      Top = 18
      Width = 140
      Height = 13
      Caption = 'Code window'
    end
    object CodeSizeL: TLabel
      Left = 160
      Top = 18
      Width = 48
      Height = 13
      Caption = 'Size'
    end
    object CodeWindowFontCB: TComboBox
      Left = 12
      Top = 34
      Width = 140
      Height = 21
      DropDownCount = 12
      TabOrder = 0
    end
    object CodeWindowSizeCB: TComboBox
      Left = 160
      Top = 34
      Width = 48
      Height = 21
      TabOrder = 1
    end
    object MemoEditorL: TLabel
      Left = 12
      Top = 66
      Width = 140
      Height = 13
      Caption = 'Memo editor'
    end
    object MemoSizeL: TLabel
      Left = 160
      Top = 66
      Width = 48
      Height = 13
      Caption = 'Size'
    end
    object MemoEditorFontCB: TComboBox
      Left = 12
      Top = 82
      Width = 140
      Height = 21
      DropDownCount = 12
      TabOrder = 2
    end
    object MemoEditorSizeCB: TComboBox
      Left = 160
      Top = 82
      Width = 48
      Height = 21
      TabOrder = 3
    end
    object ObjectFontCB: TCheckBox
      Left = 12
      Top = 114
      Width = 196
      Height = 17
      Caption = 'Use object font settings'
      TabOrder = 4
    end
  end
  object ColorsGB: TGroupBox
    Left = 8
    Top = 198
    Width = 216
    Height = 104
    Caption = 'Colors'
    TabOrder = 2
    object WorkspaceL: TLabel
      Left = 12
      Top = 22
      Width = 84
      Height = 13
      Caption = 'Workspace'
    end
    object WorkspacePB: TPaintBox
      Left = 100
      Top = 18
      Width = 21
      Height = 21
      OnPaint = WorkspacePBPaint
    end
    object WorkspaceB: TButton
      Left = 128
      Top = 16
      Width = 76
      Height = 25
      Caption = 'Color...'
      TabOrder = 0
      OnClick = WorkspaceBClick
    end
    object ToolL: TLabel
      Left = 12
      Top = 52
      Width = 84
      Height = 13
      Caption = 'Tool windows'
    end
    object ToolPB: TPaintBox
      Left = 100
      Top = 48
      Width = 21
      Height = 21
      OnPaint = ToolPBPaint
    end
    object ToolB: TButton
      Left = 128
      Top = 46
      Width = 76
      Height = 25
      Caption = 'Color...'
      TabOrder = 1
      OnClick = ToolBClick
    end
    object LCDCB: TCheckBox
      Left = 12
      Top = 78
      Width = 196
      Height = 17
      Caption = 'LCD grid color'
      TabOrder = 2
    end
  end
  object OtherGB: TGroupBox
    Left = 232
    Top = 198
    Width = 218
    Height = 104
    Caption = 'Other'
    TabOrder = 3
    object EditAfterInsCB: TCheckBox
      Left = 12
      Top = 16
      Width = 196
      Height = 17
      Caption = 'Show editor after insert'
      TabOrder = 0
    end
    object BandsCaptionsCB: TCheckBox
      Left = 12
      Top = 34
      Width = 196
      Height = 17
      Caption = 'Show band captions'
      TabOrder = 1
    end
    object FreeBandsCB: TCheckBox
      Left = 12
      Top = 52
      Width = 196
      Height = 17
      Caption = 'Free bands placement'
      TabOrder = 2
    end
    object GapL: TLabel
      Left = 12
      Top = 78
      Width = 100
      Height = 13
      Caption = 'Gap between bands:'
    end
    object GapE: TEdit
      Left = 120
      Top = 74
      Width = 50
      Height = 21
      TabOrder = 3
    end
  end
  object RestoreDefaultsB: TButton
    Left = 8
    Top = 312
    Width = 110
    Height = 25
    Caption = 'Restore defaults'
    TabOrder = 4
    OnClick = RestoreDefaultsBClick
  end
  object OkB: TButton
    Left = 292
    Top = 312
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
  end
  object CancelB: TButton
    Left = 375
    Top = 312
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 6
  end
  object ColorDialog: TColorDialog
    Options = [cdFullOpen]
  end
end
