object frxPageSettingsForm: TfrxPageSettingsForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Page Settings'
  ClientHeight = 359
  ClientWidth = 286
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
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  OnCloseQuery = FormCloseQuery
  object SizeL: TGroupBox
    Left = 8
    Top = 4
    Width = 270
    Height = 100
    Caption = 'Size'
    TabOrder = 0
    object SizeCB: TComboBox
      Left = 12
      Top = 18
      Width = 245
      Height = 20
      Style = csDropDownList
      DropDownCount = 12
      TabOrder = 0
      OnClick = SizeCBClick
    end
    object WidthL: TLabel
      Left = 12
      Top = 50
      Width = 40
      Height = 12
      Caption = 'Width'
    end
    object WidthE: TEdit
      Left = 72
      Top = 46
      Width = 57
      Height = 20
      TabOrder = 1
      OnChange = WidthEChange
    end
    object cmL1: TLabel
      Left = 134
      Top = 50
      Width = 20
      Height = 12
      Caption = 'cm'
    end
    object HeightL: TLabel
      Left = 12
      Top = 74
      Width = 40
      Height = 12
      Caption = 'Height'
    end
    object HeightE: TEdit
      Left = 72
      Top = 70
      Width = 57
      Height = 20
      TabOrder = 2
      OnChange = WidthEChange
    end
    object cmL2: TLabel
      Left = 134
      Top = 74
      Width = 20
      Height = 12
      Caption = 'cm'
    end
  end
  object OrientationL: TGroupBox
    Left = 8
    Top = 108
    Width = 270
    Height = 64
    Caption = 'Orientation'
    TabOrder = 1
    object PortraitRB: TRadioButton
      Left = 12
      Top = 18
      Width = 196
      Height = 17
      Caption = 'Portrait'
      TabOrder = 0
      Checked = True
      TabStop = True
      OnClick = PortraitRBClick
    end
    object LandscapeRB: TRadioButton
      Left = 12
      Top = 38
      Width = 196
      Height = 17
      Caption = 'Landscape'
      TabOrder = 1
      OnClick = PortraitRBClick
    end
    object PortraitImg: TImage
      Left = 226
      Top = 14
      Width = 32
      Height = 44
    end
    object LandscapeImg: TImage
      Left = 220
      Top = 20
      Width = 44
      Height = 32
    end
  end
  object MarginsL: TGroupBox
    Left = 8
    Top = 176
    Width = 270
    Height = 78
    Caption = 'Margins'
    TabOrder = 2
    object LeftL: TLabel
      Left = 12
      Top = 22
      Width = 40
      Height = 12
      Caption = 'Left'
    end
    object MarginLeftE: TEdit
      Left = 52
      Top = 18
      Width = 57
      Height = 20
      TabOrder = 0
    end
    object cmL3: TLabel
      Left = 112
      Top = 22
      Width = 20
      Height = 12
      Caption = 'cm'
    end
    object TopL: TLabel
      Left = 140
      Top = 22
      Width = 40
      Height = 12
      Caption = 'Top'
    end
    object MarginTopE: TEdit
      Left = 180
      Top = 18
      Width = 57
      Height = 20
      TabOrder = 1
    end
    object cmL4: TLabel
      Left = 240
      Top = 22
      Width = 20
      Height = 12
      Caption = 'cm'
    end
    object RightL: TLabel
      Left = 12
      Top = 50
      Width = 40
      Height = 12
      Caption = 'Right'
    end
    object MarginRightE: TEdit
      Left = 52
      Top = 46
      Width = 57
      Height = 20
      TabOrder = 2
    end
    object cmL5: TLabel
      Left = 112
      Top = 50
      Width = 20
      Height = 12
      Caption = 'cm'
    end
    object BottomL: TLabel
      Left = 140
      Top = 50
      Width = 40
      Height = 12
      Caption = 'Bottom'
    end
    object MarginBottomE: TEdit
      Left = 180
      Top = 46
      Width = 57
      Height = 20
      TabOrder = 3
    end
    object cmL6: TLabel
      Left = 240
      Top = 50
      Width = 20
      Height = 12
      Caption = 'cm'
    end
  end
  object OtherL: TGroupBox
    Left = 8
    Top = 258
    Width = 270
    Height = 64
    Caption = 'Other'
    TabOrder = 3
    object ApplyToCurRB: TRadioButton
      Left = 12
      Top = 18
      Width = 200
      Height = 17
      Caption = 'Apply to the current page'
      TabOrder = 0
      Checked = True
      TabStop = True
    end
    object ApplyToAllRB: TRadioButton
      Left = 12
      Top = 38
      Width = 200
      Height = 17
      Caption = 'Apply to all pages'
      TabOrder = 1
    end
  end
  object OKB: TButton
    Left = 122
    Top = 328
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
  end
  object CancelB: TButton
    Left = 203
    Top = 328
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
end
