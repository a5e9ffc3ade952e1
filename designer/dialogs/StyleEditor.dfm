object frxStyleEditorForm: TfrxStyleEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Style Editor'
  ClientHeight = 273
  ClientWidth = 393
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  KeyPreview = True
  OldCreateOrder = False
  Position = poScreenCenter
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  OnShow = FormShow
  OnHide = FormHide
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 393
    Height = 26
    Align = alTop
    AutoSize = True
    Flat = True
    TabOrder = 0
    object AddB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Add'
      ImageIndex = 89
      OnClick = AddBClick
    end
    object DeleteB: TToolButton
      Left = 23
      Top = 0
      Hint = 'Delete'
      ImageIndex = 88
      OnClick = DeleteBClick
    end
    object EditB: TToolButton
      Left = 46
      Top = 0
      Hint = 'Edit'
      ImageIndex = 68
      OnClick = EditBClick
    end
    object Sep1: TToolButton
      Left = 69
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object LoadB: TToolButton
      Left = 77
      Top = 0
      Hint = 'Load'
      ImageIndex = 1
      OnClick = LoadBClick
    end
    object SaveB: TToolButton
      Left = 100
      Top = 0
      Hint = 'Save'
      ImageIndex = 2
      OnClick = SaveBClick
    end
    object Sep2: TToolButton
      Left = 123
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object CancelB: TToolButton
      Left = 131
      Top = 0
      Hint = 'Cancel'
      ImageIndex = 55
      OnClick = CancelBClick
    end
    object OkB: TToolButton
      Left = 154
      Top = 0
      Hint = 'OK'
      ImageIndex = 56
      OnClick = OkBClick
    end
  end
  object StylesTV: TTreeView
    Left = 4
    Top = 30
    Width = 185
    Height = 238
    HideSelection = False
    Indent = 19
    ShowRoot = False
    TabOrder = 1
    OnClick = StylesTVClick
    OnChange = StylesTVChange
    OnEdited = StylesTVEdited
  end
  object ColorB: TButton
    Tag = 2
    Left = 200
    Top = 34
    Width = 89
    Height = 25
    Caption = 'Color...'
    TabOrder = 2
    OnClick = BClick
  end
  object FontB: TButton
    Tag = 3
    Left = 200
    Top = 64
    Width = 89
    Height = 25
    Caption = 'Font...'
    TabOrder = 3
    OnClick = BClick
  end
  object FrameB: TButton
    Tag = 4
    Left = 200
    Top = 94
    Width = 89
    Height = 25
    Caption = 'Frame...'
    TabOrder = 4
    OnClick = BClick
  end
  object PaintBox: TPaintBox
    Left = 200
    Top = 130
    Width = 185
    Height = 138
    OnPaint = PaintBoxPaint
  end
  object OpenDialog: TOpenDialog
    DefaultExt = 'bs3'
    Left = 300
    Top = 34
  end
  object SaveDialog: TSaveDialog
    DefaultExt = 'bs3'
    Left = 332
    Top = 34
  end
end
