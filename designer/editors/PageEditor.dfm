object frxPageEditorForm: TfrxPageEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Page Options'
  ClientHeight = 392
  ClientWidth = 330
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
  object PageControl: TPageControl
    Left = 4
    Top = 4
    Width = 322
    Height = 352
    ActivePage = PaperTS
    TabOrder = 0
    object PaperTS: TTabSheet
      PageControl = PageControl
      Caption = 'Paper'
      object PaperGB: TGroupBox
        Left = 6
        Top = 4
        Width = 302
        Height = 102
        Caption = 'Size'
        TabOrder = 0
        object SizeL: TLabel
          Left = 8
          Top = 20
          Width = 50
          Height = 13
          Caption = 'Size'
        end
        object SizeCB: TComboBox
          Left = 64
          Top = 16
          Width = 228
          Height = 21
          Style = csDropDownList
          DropDownCount = 16
          TabOrder = 0
          OnClick = SizeCBClick
        end
        object WidthL: TLabel
          Left = 8
          Top = 48
          Width = 50
          Height = 13
          Caption = 'Width'
        end
        object WidthE: TEdit
          Left = 64
          Top = 44
          Width = 64
          Height = 21
          TabOrder = 1
          OnChange = WidthEChange
        end
        object UnitL1: TLabel
          Left = 134
          Top = 48
          Width = 40
          Height = 13
          Caption = 'cm'
        end
        object HeightL: TLabel
          Left = 8
          Top = 76
          Width = 50
          Height = 13
          Caption = 'Height'
        end
        object HeightE: TEdit
          Left = 64
          Top = 72
          Width = 64
          Height = 21
          TabOrder = 2
          OnChange = WidthEChange
        end
        object UnitL2: TLabel
          Left = 134
          Top = 76
          Width = 40
          Height = 13
          Caption = 'cm'
        end
      end
      object OrientationGB: TGroupBox
        Left = 6
        Top = 110
        Width = 302
        Height = 64
        Caption = 'Orientation'
        TabOrder = 1
        object PortraitRB: TRadioButton
          Left = 8
          Top = 18
          Width = 150
          Height = 17
          Caption = 'Portrait'
          Checked = True
          TabOrder = 0
          TabStop = True
          OnClick = PortraitRBClick
        end
        object LandscapeRB: TRadioButton
          Left = 8
          Top = 40
          Width = 150
          Height = 17
          Caption = 'Landscape'
          TabOrder = 1
          OnClick = PortraitRBClick
        end
        object PortraitImg: TImage
          Left = 240
          Top = 14
          Width = 32
          Height = 44
        end
        object LandscapeImg: TImage
          Left = 234
          Top = 20
          Width = 44
          Height = 32
        end
      end
      object MarginsGB: TGroupBox
        Left = 6
        Top = 178
        Width = 302
        Height = 76
        Caption = 'Margins'
        TabOrder = 2
        object MarginLeftL: TLabel
          Left = 8
          Top = 22
          Width = 40
          Height = 13
          Caption = 'Left'
        end
        object MarginLeftE: TEdit
          Left = 50
          Top = 18
          Width = 60
          Height = 21
          TabOrder = 0
        end
        object UnitL3: TLabel
          Left = 114
          Top = 22
          Width = 30
          Height = 13
          Caption = 'cm'
        end
        object MarginTopL: TLabel
          Left = 152
          Top = 22
          Width = 40
          Height = 13
          Caption = 'Top'
        end
        object MarginTopE: TEdit
          Left = 194
          Top = 18
          Width = 60
          Height = 21
          TabOrder = 1
        end
        object UnitL4: TLabel
          Left = 258
          Top = 22
          Width = 30
          Height = 13
          Caption = 'cm'
        end
        object MarginRightL: TLabel
          Left = 8
          Top = 50
          Width = 40
          Height = 13
          Caption = 'Right'
        end
        object MarginRightE: TEdit
          Left = 50
          Top = 46
          Width = 60
          Height = 21
          TabOrder = 2
        end
        object UnitL5: TLabel
          Left = 114
          Top = 50
          Width = 30
          Height = 13
          Caption = 'cm'
        end
        object MarginBottomL: TLabel
          Left = 152
          Top = 50
          Width = 40
          Height = 13
          Caption = 'Bottom'
        end
        object MarginBottomE: TEdit
          Left = 194
          Top = 46
          Width = 60
          Height = 21
          TabOrder = 3
        end
        object UnitL6: TLabel
          Left = 258
          Top = 50
          Width = 30
          Height = 13
          Caption = 'cm'
        end
      end
      object SourceGB: TGroupBox
        Left = 6
        Top = 258
        Width = 302
        Height = 66
        Caption = 'Paper source'
        TabOrder = 3
        object Tray1L: TLabel
          Left = 8
          Top = 20
          Width = 80
          Height = 13
          Caption = 'First page'
        end
        object Tray1CB: TComboBox
          Left = 96
          Top = 16
          Width = 196
          Height = 21
          Style = csDropDownList
          TabOrder = 0
        end
        object Tray2L: TLabel
          Left = 8
          Top = 44
          Width = 80
          Height = 13
          Caption = 'Other pages'
        end
        object Tray2CB: TComboBox
          Left = 96
          Top = 40
          Width = 196
          Height = 21
          Style = csDropDownList
          TabOrder = 1
        end
      end
    end
    object OtherTS: TTabSheet
      PageControl = PageControl
      Caption = 'Other options'
      object ColumnsGB: TGroupBox
        Left = 6
        Top = 4
        Width = 302
        Height = 164
        Caption = 'Columns'
        TabOrder = 0
        object ColumnsNumberL: TLabel
          Left = 8
          Top = 22
          Width = 90
          Height = 13
          Caption = 'Number'
        end
        object ColumnsNumberE: TEdit
          Left = 110
          Top = 18
          Width = 48
          Height = 21
          TabOrder = 0
          Text = '0'
        end
        object UpDown1: TUpDown
          Left = 158
          Top = 18
          Width = 16
          Height = 21
          Associate = ColumnsNumberE
          Max = 1000
          TabOrder = 1
          OnClick = UpDown1Click
        end
        object ColumnWidthL: TLabel
          Left = 8
          Top = 50
          Width = 90
          Height = 13
          Caption = 'Width'
        end
        object ColumnWidthE: TEdit
          Left = 110
          Top = 46
          Width = 64
          Height = 21
          TabOrder = 2
        end
        object UnitL7: TLabel
          Left = 180
          Top = 50
          Width = 40
          Height = 13
          Caption = 'cm'
        end
        object ColumnPositionsL: TLabel
          Left = 8
          Top = 78
          Width = 90
          Height = 13
          Caption = 'Positions'
        end
        object ColumnPositionsM: TMemo
          Left = 110
          Top = 74
          Width = 120
          Height = 80
          ScrollBars = ssVertical
          TabOrder = 3
          WordWrap = False
        end
      end
      object PrintOnPrevCB: TCheckBox
        Left = 14
        Top = 176
        Width = 280
        Height = 17
        Caption = 'Print to previous page'
        TabOrder = 1
      end
      object MirrorMarginsCB: TCheckBox
        Left = 14
        Top = 198
        Width = 280
        Height = 17
        Caption = 'Mirror margins'
        TabOrder = 2
      end
      object LargeHeightCB: TCheckBox
        Left = 14
        Top = 220
        Width = 280
        Height = 17
        Caption = 'Large height in design mode'
        TabOrder = 3
      end
      object DuplexL: TLabel
        Left = 14
        Top = 248
        Width = 90
        Height = 13
        Caption = 'Duplex'
      end
      object DuplexCB: TComboBox
        Left = 116
        Top = 244
        Width = 120
        Height = 21
        Style = csDropDownList
        TabOrder = 4
        Items.Strings = (
          'No'
          'Vertical'
          'Horizontal')
      end
    end
  end
  object OkB: TButton
    Left = 170
    Top = 362
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 251
    Top = 362
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
