object frxStringsEditorForm: TfrxStringsEditorForm
  Left = 200
  Top = 150
  Width = 432
  Height = 226
  Caption = 'Lines'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  object ToolBar: TToolBar
    Left = 0
    Top = 0
    Width = 424
    Height = 26
    Align = alTop
    Flat = True
    TabOrder = 0
    object CancelB: TToolButton
      Left = 0
      Top = 0
      Hint = 'Cancel'
      ImageIndex = 55
      OnClick = CancelBClick
    end
    object OkB: TToolButton
      Left = 23
      Top = 0
      Hint = 'OK'
      ImageIndex = 56
      OnClick = OkBClick
    end
  end
  object Memo: TMemo
    Left = 0
    Top = 26
    Width = 424
    Height = 173
    Align = alClient
    ScrollBars = ssBoth
    TabOrder = 1
    WordWrap = False
    OnKeyDown = MemoKeyDown
  end
end
