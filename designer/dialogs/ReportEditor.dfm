object frxReportEditorForm: TfrxReportEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Report Settings'
  ClientHeight = 397
  ClientWidth = 373
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
    Width = 365
    Height = 356
    TabOrder = 0
    object GeneralTS: TTabSheet
      Caption = 'General'
      object ReportSettingsL: TGroupBox
        Left = 4
        Top = 4
        Width = 349
        Height = 181
        Caption = 'Printer'
        TabOrder = 0
        object PrintersLB: TListBox
          Left = 8
          Top = 18
          Width = 333
          Height = 114
          ItemHeight = 17
          Style = lbOwnerDrawFixed
          TabOrder = 0
          OnDrawItem = PrintersLBDrawItem
        end
        object CopiesL: TLabel
          Left = 8
          Top = 145
          Width = 60
          Height = 13
          Caption = 'Copies'
        end
        object CopiesE: TEdit
          Left = 92
          Top = 141
          Width = 53
          Height = 21
          TabOrder = 1
          Text = '1'
        end
        object CollateCB: TCheckBox
          Left = 164
          Top = 143
          Width = 177
          Height = 17
          Caption = 'Collate'
          TabOrder = 2
        end
      end
      object GeneralL: TGroupBox
        Left = 4
        Top = 192
        Width = 349
        Height = 105
        Caption = 'General'
        TabOrder = 1
        object PasswordL: TLabel
          Left = 8
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Password'
        end
        object PasswordE: TEdit
          Left = 92
          Top = 20
          Width = 249
          Height = 21
          TabOrder = 0
        end
        object DoublePassCB: TCheckBox
          Left = 8
          Top = 52
          Width = 333
          Height = 17
          Caption = 'Double pass'
          TabOrder = 1
        end
        object PrintIfEmptyCB: TCheckBox
          Left = 8
          Top = 76
          Width = 333
          Height = 17
          Caption = 'Print if empty'
          TabOrder = 2
        end
      end
    end
    object DescriptionTS: TTabSheet
      Caption = 'Description'
      object DescriptionL: TGroupBox
        Left = 4
        Top = 4
        Width = 349
        Height = 185
        Caption = 'Description'
        TabOrder = 0
        object NameL: TLabel
          Left = 8
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Name'
        end
        object NameE: TEdit
          Left = 80
          Top = 20
          Width = 261
          Height = 21
          TabOrder = 0
        end
        object Description1L: TLabel
          Left = 8
          Top = 50
          Width = 60
          Height = 13
          Caption = 'Description'
        end
        object DescriptionE: TMemo
          Left = 80
          Top = 46
          Width = 261
          Height = 49
          ScrollBars = ssVertical
          TabOrder = 1
        end
        object PictureL: TLabel
          Left = 8
          Top = 104
          Width = 60
          Height = 13
          Caption = 'Picture'
        end
        object PictureImg: TImage
          Left = 80
          Top = 102
          Width = 48
          Height = 48
          Center = True
        end
        object PictureB: TButton
          Left = 136
          Top = 102
          Width = 75
          Height = 25
          Caption = 'Browse...'
          TabOrder = 2
          OnClick = PictureBClick
        end
        object AuthorL: TLabel
          Left = 8
          Top = 160
          Width = 60
          Height = 13
          Caption = 'Author'
        end
        object AuthorE: TEdit
          Left = 80
          Top = 156
          Width = 261
          Height = 21
          TabOrder = 3
        end
      end
      object VersionL: TGroupBox
        Left = 4
        Top = 194
        Width = 349
        Height = 131
        Caption = 'Version'
        TabOrder = 1
        object MajorL: TLabel
          Left = 8
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Major'
        end
        object MajorE: TEdit
          Left = 80
          Top = 20
          Width = 80
          Height = 21
          TabOrder = 0
        end
        object MinorL: TLabel
          Left = 176
          Top = 24
          Width = 60
          Height = 13
          Caption = 'Minor'
        end
        object MinorE: TEdit
          Left = 256
          Top = 20
          Width = 85
          Height = 21
          TabOrder = 1
        end
        object ReleaseL: TLabel
          Left = 8
          Top = 50
          Width = 60
          Height = 13
          Caption = 'Release'
        end
        object ReleaseE: TEdit
          Left = 80
          Top = 46
          Width = 80
          Height = 21
          TabOrder = 2
        end
        object BuildL: TLabel
          Left = 176
          Top = 50
          Width = 60
          Height = 13
          Caption = 'Build'
        end
        object BuildE: TEdit
          Left = 256
          Top = 46
          Width = 85
          Height = 21
          TabOrder = 3
        end
        object CreatedL: TLabel
          Left = 8
          Top = 78
          Width = 60
          Height = 13
          Caption = 'Created'
        end
        object Created1L: TLabel
          Left = 80
          Top = 78
          Width = 261
          Height = 13
          AutoSize = False
        end
        object ModifiedL: TLabel
          Left = 8
          Top = 104
          Width = 60
          Height = 13
          Caption = 'Modified'
        end
        object Modified1L: TLabel
          Left = 80
          Top = 104
          Width = 261
          Height = 13
          AutoSize = False
        end
      end
    end
  end
  object OkB: TButton
    Left = 212
    Top = 367
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 294
    Top = 367
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
