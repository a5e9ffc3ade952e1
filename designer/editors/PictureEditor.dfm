object frxPictureEditorForm: TfrxPictureEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Picture'
  ClientHeight = 306
  ClientWidth = 381
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
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 381
    Height = 26
    Align = alTop
    AutoSize = True
    Flat = True
    TabOrder = 0
    object LoadB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Load'
      ImageIndex = 1
      OnClick = LoadBClick
    end
    object CopyB: TToolButton
      Left = 23
      Top = 0
      Hint = 'Copy'
      ImageIndex = 6
      OnClick = CopyBClick
    end
    object PasteB: TToolButton
      Left = 46
      Top = 0
      Hint = 'Paste'
      ImageIndex = 7
      OnClick = PasteBClick
    end
    object ClearB: TToolButton
      Left = 69
      Top = 0
      Hint = 'Clear'
      ImageIndex = 82
      OnClick = ClearBClick
    end
    object Sep1: TToolButton
      Left = 92
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object CancelB: TToolButton
      Left = 100
      Top = 0
      Hint = 'Cancel'
      ImageIndex = 55
      OnClick = CancelBClick
    end
    object OkB: TToolButton
      Left = 123
      Top = 0
      Hint = 'OK'
      ImageIndex = 56
      OnClick = OkBClick
    end
  end
  object Box: TScrollBox
    Left = 0
    Top = 26
    Width = 381
    Height = 261
    Align = alClient
    Color = clWindow
    TabOrder = 1
    object Image: TImage
      Left = 0
      Top = 0
      Width = 377
      Height = 257
      Align = alClient
      Center = True
      Proportional = True
    end
  end
  object StatusBar: TStatusBar
    Left = 0
    Top = 287
    Width = 381
    Height = 19
    Panels = <
      item
        Width = 200
      end>
  end
end
