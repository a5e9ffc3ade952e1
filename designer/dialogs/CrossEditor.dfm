object frxCrossEditorForm: TfrxCrossEditorForm
  Left = 200
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Cross-tab Editor'
  ClientHeight = 502
  ClientWidth = 703
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
  object ToolPanel: TPanel
    Left = 0
    Top = 0
    Width = 703
    Height = 28
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 0
    object StyleCB: TfrxComboBox
      Left = 4
      Top = 3
      Width = 121
      Height = 21
      Hint = 'Cross-tab style'
      Style = csDropDownList
      TabOrder = 0
      OnClick = StyleCBClick
    end
    object ToolBar: TToolBar
      Left = 132
      Top = 2
      Width = 560
      Height = 24
      Align = alNone
      Flat = True
      TabOrder = 1
      object FontB: TToolButton
        Tag = 1
        Left = 0
        Top = 0
        Hint = 'Font'
        ImageIndex = 14
        OnClick = ToolButtonClick
      end
      object Sep1: TToolButton
        Left = 23
        Top = 0
        Width = 8
        Style = tbsSeparator
      end
      object AlignLeftB: TToolButton
        Tag = 2
        Left = 31
        Top = 0
        Hint = 'Left'
        ImageIndex = 18
        Style = tbsCheck
        OnClick = ToolButtonClick
      end
      object AlignCenterB: TToolButton
        Tag = 4
        Left = 54
        Top = 0
        Hint = 'Center'
        ImageIndex = 19
        Style = tbsCheck
        OnClick = ToolButtonClick
      end
      object AlignRightB: TToolButton
        Tag = 3
        Left = 77
        Top = 0
        Hint = 'Right'
        ImageIndex = 20
        Style = tbsCheck
        OnClick = ToolButtonClick
      end
      object Sep2: TToolButton
        Left = 100
        Top = 0
        Width = 8
        Style = tbsSeparator
      end
      object RotationB: TToolButton
        Tag = 5
        Left = 108
        Top = 0
        Hint = 'Rotation'
        DropdownMenu = RotationPopup
        ImageIndex = 17
        Style = tbsDropDown
      end
      object HighlightB: TToolButton
        Tag = 6
        Left = 144
        Top = 0
        Hint = 'Highlight'
        ImageIndex = 16
        OnClick = ToolButtonClick
      end
      object FormatB: TToolButton
        Tag = 7
        Left = 167
        Top = 0
        Hint = 'Format'
        ImageIndex = 86
        OnClick = ToolButtonClick
      end
      object FrameB: TToolButton
        Tag = 8
        Left = 190
        Top = 0
        Hint = 'Frame'
        ImageIndex = 36
        OnClick = ToolButtonClick
      end
      object FillColorB: TToolButton
        Tag = 9
        Left = 213
        Top = 0
        Hint = 'Fill color'
        ImageIndex = 26
        OnClick = ToolButtonClick
      end
      object Sep3: TToolButton
        Left = 236
        Top = 0
        Width = 8
        Style = tbsSeparator
      end
      object CancelB: TToolButton
        Left = 244
        Top = 0
        Hint = 'Cancel'
        ImageIndex = 55
        OnClick = CancelBClick
      end
      object OkB: TToolButton
        Left = 267
        Top = 0
        Hint = 'OK'
        ImageIndex = 56
        OnClick = OkBClick
      end
    end
  end
  object DatasetL: TGroupBox
    Left = 4
    Top = 32
    Width = 220
    Height = 220
    Caption = 'Source data'
    TabOrder = 1
    object DatasetCB: TComboBox
      Left = 8
      Top = 18
      Width = 204
      Height = 22
      Style = csOwnerDrawFixed
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'Tahoma'
      Font.Style = [fsBold]
      ItemHeight = 16
      ParentFont = False
      TabOrder = 0
      OnClick = DatasetCBClick
      OnDrawItem = DatasetCBDrawItem
    end
    object FieldsLB: TListBox
      Left = 8
      Top = 46
      Width = 204
      Height = 164
      DragMode = dmAutomatic
      ItemHeight = 16
      Style = lbOwnerDrawFixed
      TabOrder = 1
      OnClick = LBClick
      OnDragDrop = LBDragDrop
      OnDragOver = LBDragOver
      OnDrawItem = FieldsLBDrawItem
    end
  end
  object DimensionsL: TGroupBox
    Left = 4
    Top = 32
    Width = 220
    Height = 220
    Caption = 'Dimensions'
    TabOrder = 2
    Visible = False
    object RowsL: TLabel
      Left = 12
      Top = 28
      Width = 80
      Height = 13
      Caption = 'Rows'
    end
    object RowsE: TEdit
      Tag = 0
      Left = 112
      Top = 24
      Width = 65
      Height = 21
      TabOrder = 0
      Text = '0'
      OnChange = DimesionsChange
    end
    object RowsUD: TUpDown
      Left = 177
      Top = 24
      Width = 16
      Height = 21
      Associate = RowsE
      Max = 8
      TabOrder = 1
    end
    object ColumnsL: TLabel
      Left = 12
      Top = 56
      Width = 80
      Height = 13
      Caption = 'Columns'
    end
    object ColumnsE: TEdit
      Tag = 1
      Left = 112
      Top = 52
      Width = 65
      Height = 21
      TabOrder = 2
      Text = '0'
      OnChange = DimesionsChange
    end
    object ColumnsUD: TUpDown
      Left = 177
      Top = 52
      Width = 16
      Height = 21
      Associate = ColumnsE
      Max = 8
      TabOrder = 3
    end
    object CellsL: TLabel
      Left = 12
      Top = 84
      Width = 80
      Height = 13
      Caption = 'Cells'
    end
    object CellsE: TEdit
      Tag = 2
      Left = 112
      Top = 80
      Width = 65
      Height = 21
      TabOrder = 4
      Text = '1'
      OnChange = DimesionsChange
    end
    object CellsUD: TUpDown
      Left = 177
      Top = 80
      Width = 16
      Height = 21
      Associate = CellsE
      Min = 1
      Max = 8
      Position = 1
      TabOrder = 5
    end
  end
  object StructureL: TGroupBox
    Left = 228
    Top = 32
    Width = 471
    Height = 220
    Caption = 'Cross-tab structure'
    TabOrder = 3
    object RowHeaderCB: TCheckBox
      Tag = 0
      Left = 8
      Top = 18
      Width = 180
      Height = 17
      Caption = 'Row header'
      TabOrder = 0
      OnClick = CBClick
    end
    object ColumnHeaderCB: TCheckBox
      Tag = 1
      Left = 8
      Top = 38
      Width = 180
      Height = 17
      Caption = 'Column header'
      TabOrder = 1
      OnClick = CBClick
    end
    object RowTotalCB: TCheckBox
      Tag = 2
      Left = 8
      Top = 58
      Width = 180
      Height = 17
      Caption = 'Row grand total'
      TabOrder = 2
      OnClick = CBClick
    end
    object ColumnTotalCB: TCheckBox
      Tag = 3
      Left = 8
      Top = 78
      Width = 180
      Height = 17
      Caption = 'Column grand total'
      TabOrder = 3
      OnClick = CBClick
    end
    object SwapB: TSpeedButton
      Left = 200
      Top = 80
      Width = 25
      Height = 24
      Hint = 'Swap rows/columns'
      Flat = True
      OnClick = SwapBClick
    end
    object ColumnsLB: TListBox
      Left = 236
      Top = 16
      Width = 227
      Height = 88
      DragMode = dmAutomatic
      ItemHeight = 16
      Style = lbOwnerDrawFixed
      TabOrder = 4
      OnClick = LBClick
      OnDragDrop = LBDragDrop
      OnDragOver = LBDragOver
      OnDrawItem = LBDrawItem
      OnMouseDown = LBMouseDown
    end
    object RowsLB: TListBox
      Left = 8
      Top = 110
      Width = 227
      Height = 102
      DragMode = dmAutomatic
      ItemHeight = 16
      Style = lbOwnerDrawFixed
      TabOrder = 5
      OnClick = LBClick
      OnDragDrop = LBDragDrop
      OnDragOver = LBDragOver
      OnDrawItem = LBDrawItem
      OnMouseDown = LBMouseDown
    end
    object CellsLB: TListBox
      Left = 236
      Top = 110
      Width = 227
      Height = 102
      DragMode = dmAutomatic
      ItemHeight = 16
      Style = lbOwnerDrawFixed
      TabOrder = 6
      OnClick = LBClick
      OnDragDrop = LBDragDrop
      OnDragOver = LBDragOver
      OnDrawItem = CellsLBDrawItem
      OnMouseUp = CellsLBMouseUp
    end
  end
  object Box: TScrollBox
    Left = 4
    Top = 256
    Width = 695
    Height = 242
    Color = clWindow
    ParentColor = False
    TabOrder = 4
    object PaintBox: TPaintBox
      Left = 0
      Top = 0
      Width = 689
      Height = 236
      OnDblClick = PaintBoxDblClick
      OnMouseDown = PaintBoxMouseDown
      OnPaint = PaintBoxPaint
    end
  end
  object RotationPopup: TPopupMenu
    Left = 400
    Top = 4
    object R0MI: TMenuItem
      Tag = 5
      Caption = '0'#176
      OnClick = ToolButtonClick
    end
    object R90MI: TMenuItem
      Tag = 5
      HelpContext = 90
      Caption = '90'#176
      OnClick = ToolButtonClick
    end
    object R180MI: TMenuItem
      Tag = 5
      HelpContext = 180
      Caption = '180'#176
      OnClick = ToolButtonClick
    end
    object R270MI: TMenuItem
      Tag = 5
      HelpContext = 270
      Caption = '270'#176
      OnClick = ToolButtonClick
    end
  end
  object FuncPopup: TPopupMenu
    Left = 432
    Top = 4
    object Func1MI: TMenuItem
      Tag = 0
      Caption = 'None'
      GroupIndex = 1
      RadioItem = True
      OnClick = FuncMIClick
    end
    object Func2MI: TMenuItem
      Tag = 1
      Caption = 'Sum'
      GroupIndex = 1
      RadioItem = True
      OnClick = FuncMIClick
    end
    object Func3MI: TMenuItem
      Tag = 2
      Caption = 'Min'
      GroupIndex = 1
      RadioItem = True
      OnClick = FuncMIClick
    end
    object Func4MI: TMenuItem
      Tag = 3
      Caption = 'Max'
      GroupIndex = 1
      RadioItem = True
      OnClick = FuncMIClick
    end
    object Func5MI: TMenuItem
      Tag = 4
      Caption = 'Average'
      GroupIndex = 1
      RadioItem = True
      OnClick = FuncMIClick
    end
    object Func6MI: TMenuItem
      Tag = 5
      Caption = 'Count'
      GroupIndex = 1
      RadioItem = True
      OnClick = FuncMIClick
    end
  end
  object SortPopup: TPopupMenu
    Left = 464
    Top = 4
    object Sort1MI: TMenuItem
      Tag = 0
      Caption = 'Ascending (A-Z)'
      GroupIndex = 1
      RadioItem = True
      OnClick = SortMIClick
    end
    object Sort2MI: TMenuItem
      Tag = 1
      Caption = 'Descending (Z-A)'
      GroupIndex = 1
      RadioItem = True
      OnClick = SortMIClick
    end
    object Sort3MI: TMenuItem
      Tag = 2
      Caption = 'No sort'
      GroupIndex = 1
      RadioItem = True
      OnClick = SortMIClick
    end
  end
  object DMPPopup: TPopupMenu
    Left = 496
    Top = 4
    object BoldMI: TMenuItem
      Tag = 34
      Caption = 'Bold'
      OnClick = ToolButtonClick
    end
    object ItalicMI: TMenuItem
      Tag = 35
      Caption = 'Italic'
      OnClick = ToolButtonClick
    end
    object UnderlineMI: TMenuItem
      Tag = 36
      Caption = 'Underline'
      OnClick = ToolButtonClick
    end
    object SuperScriptMI: TMenuItem
      Tag = 37
      Caption = 'Superscript'
      OnClick = ToolButtonClick
    end
    object SubScriptMI: TMenuItem
      Tag = 38
      Caption = 'Subscript'
      OnClick = ToolButtonClick
    end
    object CondensedMI: TMenuItem
      Tag = 39
      Caption = 'Condensed'
      OnClick = ToolButtonClick
    end
    object WideMI: TMenuItem
      Tag = 40
      Caption = 'Wide'
      OnClick = ToolButtonClick
    end
    object N12cpiMI: TMenuItem
      Tag = 41
      Caption = '12 cpi'
      OnClick = ToolButtonClick
    end
    object N15cpiMI: TMenuItem
      Tag = 42
      Caption = '15 cpi'
      OnClick = ToolButtonClick
    end
  end
end
