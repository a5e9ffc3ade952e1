object frxNewItemForm: TfrxNewItemForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'New Item'
  ClientHeight = 270
  ClientWidth = 389
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
    Width = 381
    Height = 229
    TabOrder = 0
    object ItemsTab: TTabSheet
      Caption = 'Items'
      object ItemsLV: TListView
        Left = 0
        Top = 0
        Width = 373
        Height = 201
        Align = alClient
        LargeImages = Images
        ReadOnly = True
        TabOrder = 0
        OnDblClick = ItemsLVDblClick
      end
    end
    object TemplatesTab: TTabSheet
      Caption = 'Templates'
      TabVisible = False
      object TemplatesLV: TListView
        Left = 0
        Top = 0
        Width = 373
        Height = 201
        Align = alClient
        LargeImages = Images
        ReadOnly = True
        TabOrder = 0
      end
    end
  end
  object OkB: TButton
    Left = 228
    Top = 240
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 310
    Top = 240
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
  object Images: TImageList
    Height = 22
    Width = 22
    Left = 8
    Top = 236
  end
end
