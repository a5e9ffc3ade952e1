object frxStdWizardForm: TfrxStdWizardForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Report Wizard'
  ClientHeight = 317
  ClientWidth = 443
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
  object Pages: TPageControl
    Left = 4
    Top = 4
    Width = 435
    Height = 276
    TabOrder = 0
    OnChange = PagesChange
    object DataTab: TTabSheet
      Caption = 'Data'
      object Step1L: TLabel
        Left = 8
        Top = 6
        Width = 409
        Height = 13
        Caption = 'Step 1. Select the dataset and the fields to display.'
      end
      object DatasetsCB: TComboBox
        Left = 8
        Top = 24
        Width = 409
        Height = 21
        Style = csDropDownList
        TabOrder = 0
        OnClick = DatasetsCBClick
      end
      object FieldsLB: TListBox
        Left = 8
        Top = 68
        Width = 160
        Height = 172
        ItemHeight = 14
        MultiSelect = True
        TabOrder = 1
      end
      object AddFieldB: TButton
        Left = 174
        Top = 80
        Width = 85
        Height = 23
        Caption = 'Add >'
        TabOrder = 2
        OnClick = AddFieldBClick
      end
      object AddAllFieldsB: TButton
        Left = 174
        Top = 108
        Width = 85
        Height = 23
        Caption = 'Add all >>'
        TabOrder = 3
        OnClick = AddAllFieldsBClick
      end
      object RemoveFieldB: TButton
        Left = 174
        Top = 146
        Width = 85
        Height = 23
        Caption = '< Remove'
        TabOrder = 4
        OnClick = RemoveFieldBClick
      end
      object RemoveAllFieldsB: TButton
        Left = 174
        Top = 174
        Width = 85
        Height = 23
        Caption = '<< Remove all'
        TabOrder = 5
        OnClick = RemoveAllFieldsBClick
      end
      object SelectedFieldsL: TLabel
        Left = 265
        Top = 52
        Width = 120
        Height = 13
        Caption = 'Selected fields:'
      end
      object SelectedFieldsLB: TListBox
        Left = 265
        Top = 68
        Width = 124
        Height = 172
        ItemHeight = 14
        MultiSelect = True
        TabOrder = 6
      end
      object FieldUpB: TSpeedButton
        Left = 394
        Top = 68
        Width = 23
        Height = 22
        OnClick = FieldUpBClick
      end
      object FieldDownB: TSpeedButton
        Left = 394
        Top = 94
        Width = 23
        Height = 22
        OnClick = FieldDownBClick
      end
    end
    object GroupsTab: TTabSheet
      Caption = 'Groups'
      object Step2L: TLabel
        Left = 8
        Top = 6
        Width = 409
        Height = 13
        Caption = 'Step 2. Create groups (optional).'
      end
      object AvailableFieldsL: TLabel
        Left = 8
        Top = 52
        Width = 120
        Height = 13
        Caption = 'Available fields:'
      end
      object AvailableFieldsLB: TListBox
        Left = 8
        Top = 68
        Width = 160
        Height = 172
        ItemHeight = 14
        TabOrder = 0
      end
      object AddGroupB: TButton
        Left = 174
        Top = 108
        Width = 85
        Height = 23
        Caption = 'Add >'
        TabOrder = 1
        OnClick = AddGroupBClick
      end
      object RemoveGroupB: TButton
        Left = 174
        Top = 146
        Width = 85
        Height = 23
        Caption = '< Remove'
        TabOrder = 2
        OnClick = RemoveGroupBClick
      end
      object GroupsL: TLabel
        Left = 265
        Top = 52
        Width = 120
        Height = 13
        Caption = 'Groups:'
      end
      object GroupsLB: TListBox
        Left = 265
        Top = 68
        Width = 124
        Height = 172
        ItemHeight = 14
        TabOrder = 3
      end
      object GroupUpB: TSpeedButton
        Left = 394
        Top = 68
        Width = 23
        Height = 22
        OnClick = GroupUpBClick
      end
      object GroupDownB: TSpeedButton
        Left = 394
        Top = 94
        Width = 23
        Height = 22
        OnClick = GroupDownBClick
      end
    end
    object LayoutTab: TTabSheet
      Caption = 'Layout'
      object Step3L: TLabel
        Left = 8
        Top = 6
        Width = 409
        Height = 13
        Caption = 'Step 3. Define the page orientation and the data layout.'
      end
      object OrientationL: TGroupBox
        Left = 8
        Top = 28
        Width = 200
        Height = 120
        Caption = 'Orientation'
        TabOrder = 0
        object PortraitRB: TRadioButton
          Left = 10
          Top = 28
          Width = 110
          Height = 17
          Caption = 'Portrait'
          Checked = True
          TabOrder = 0
          TabStop = True
          OnClick = PortraitRBClick
        end
        object LandscapeRB: TRadioButton
          Left = 10
          Top = 56
          Width = 110
          Height = 17
          Caption = 'Landscape'
          TabOrder = 1
          OnClick = PortraitRBClick
        end
        object PortraitImg: TImage
          Left = 136
          Top = 28
          Width = 44
          Height = 60
          Center = True
        end
        object LandscapeImg: TImage
          Left = 128
          Top = 36
          Width = 60
          Height = 44
          Center = True
          Visible = False
        end
      end
      object LayoutL: TGroupBox
        Left = 216
        Top = 28
        Width = 200
        Height = 120
        Caption = 'Layout'
        TabOrder = 1
        object TabularRB: TRadioButton
          Left = 10
          Top = 28
          Width = 180
          Height = 17
          Caption = 'Tabular'
          Checked = True
          TabOrder = 0
          TabStop = True
        end
        object ColumnarRB: TRadioButton
          Left = 10
          Top = 56
          Width = 180
          Height = 17
          Caption = 'Columnar'
          TabOrder = 1
        end
      end
      object FitWidthCB: TCheckBox
        Left = 8
        Top = 160
        Width = 409
        Height = 17
        Caption = 'Fit fields to page width'
        Checked = True
        State = cbChecked
        TabOrder = 2
      end
    end
    object StyleTab: TTabSheet
      Caption = 'Style'
      object Step4L: TLabel
        Left = 8
        Top = 6
        Width = 409
        Height = 13
        Caption = 'Step 4. Choose the report style.'
      end
      object StyleLB: TListBox
        Left = 8
        Top = 28
        Width = 130
        Height = 211
        ItemHeight = 14
        TabOrder = 0
        OnClick = StyleLBClick
      end
      object StyleBox: TScrollBox
        Left = 144
        Top = 28
        Width = 273
        Height = 211
        Color = clGray
        ParentColor = False
        TabOrder = 1
        object PaintBox: TPaintBox
          Left = 0
          Top = 0
          Width = 267
          Height = 201
          OnPaint = PaintBoxPaint
        end
      end
    end
  end
  object CancelB: TButton
    Left = 4
    Top = 288
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 1
  end
  object BackB: TButton
    Left = 202
    Top = 288
    Width = 75
    Height = 25
    Caption = '<< Back'
    Enabled = False
    TabOrder = 2
    OnClick = BackBClick
  end
  object NextB: TButton
    Left = 282
    Top = 288
    Width = 75
    Height = 25
    Caption = 'Next >>'
    Default = True
    TabOrder = 3
    OnClick = NextBClick
  end
  object FinishB: TButton
    Left = 364
    Top = 288
    Width = 75
    Height = 25
    Caption = 'Finish'
    TabOrder = 4
    OnClick = FinishBClick
  end
end
