object frxVarEditorForm: TfrxVarEditorForm
  Left = 200
  Top = 120
  Width = 640
  Height = 440
  Caption = 'Edit Variables'
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
    Width = 632
    Height = 38
    Align = alTop
    AutoSize = True
    ButtonHeight = 36
    ButtonWidth = 50
    Flat = True
    ShowCaptions = True
    TabOrder = 0
    object NewCategoryB: TToolButton
      Left = 0
      Top = 0
      Caption = 'Category'
      ImageIndex = 65
      OnClick = NewCategoryBClick
    end
    object NewVarB: TToolButton
      Left = 50
      Top = 0
      Caption = 'Variable'
      ImageIndex = 67
      OnClick = NewVarBClick
    end
    object EditB: TToolButton
      Left = 100
      Top = 0
      Caption = 'Edit'
      ImageIndex = 68
      OnClick = EditBClick
    end
    object DeleteB: TToolButton
      Left = 150
      Top = 0
      Caption = 'Delete'
      ImageIndex = 81
      OnClick = DeleteBClick
    end
    object EditListB: TToolButton
      Left = 200
      Top = 0
      Caption = 'List'
      ImageIndex = 69
      OnClick = EditListBClick
    end
    object Sep1: TToolButton
      Left = 250
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object LoadB: TToolButton
      Left = 258
      Top = 0
      Caption = 'Load'
      ImageIndex = 1
      OnClick = LoadBClick
    end
    object SaveB: TToolButton
      Left = 308
      Top = 0
      Caption = 'Save'
      ImageIndex = 2
      OnClick = SaveBClick
    end
    object Sep2: TToolButton
      Left = 358
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object CancelB: TToolButton
      Left = 366
      Top = 0
      Caption = 'Cancel'
      ImageIndex = 55
      OnClick = CancelBClick
    end
    object OkB: TToolButton
      Left = 416
      Top = 0
      Caption = 'OK'
      ImageIndex = 56
      OnClick = OkBClick
    end
  end
  object ExprMemo: TMemo
    Left = 0
    Top = 330
    Width = 632
    Height = 76
    Align = alBottom
    ScrollBars = ssVertical
    TabOrder = 2
    WantReturns = False
    OnDragDrop = ExprMemoDragDrop
    OnDragOver = ExprMemoDragOver
  end
  object ExprPanel: TPanel
    Left = 0
    Top = 312
    Width = 632
    Height = 18
    Align = alBottom
    Alignment = taLeftJustify
    BevelOuter = bvNone
    Caption = ' Expression:'
    TabOrder = 3
  end
  object Splitter1: TSplitter
    Left = 0
    Top = 309
    Width = 632
    Height = 3
    Cursor = crVSplit
    Align = alBottom
  end
  object Splitter2: TSplitter
    Left = 229
    Top = 38
    Width = 3
    Height = 271
    Cursor = crHSplit
    Align = alRight
  end
  object VarTree: TTreeView
    Left = 0
    Top = 38
    Width = 229
    Height = 271
    Align = alClient
    HideSelection = False
    Indent = 19
    ShowRoot = False
    ShowLines = False
    TabOrder = 1
    OnChange = VarTreeChange
    OnChanging = VarTreeChanging
    OnEdited = VarTreeEdited
    OnKeyDown = VarTreeKeyDown
  end
  object OpenDialog1: TOpenDialog
    DefaultExt = 'bd3'
    Filter = 'Dictionary (*.bd3)|*.bd3'
    Left = 40
    Top = 80
  end
  object SaveDialog1: TSaveDialog
    DefaultExt = 'bd3'
    Filter = 'Dictionary (*.bd3)|*.bd3'
    Left = 72
    Top = 80
  end
end
