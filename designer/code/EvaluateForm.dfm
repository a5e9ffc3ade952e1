object frxEvaluateForm: TfrxEvaluateForm
  Left = 200
  Top = 150
  BorderStyle = bsToolWindow
  Caption = 'Evaluate'
  ClientHeight = 163
  ClientWidth = 281
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  KeyPreview = True
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnKeyDown = FormKeyDown
  object ExpressionL: TLabel
    Left = 4
    Top = 4
    Width = 52
    Height = 13
    Caption = 'Expression'
  end
  object ResultL: TLabel
    Left = 4
    Top = 52
    Width = 30
    Height = 13
    Caption = 'Result'
  end
  object ExpressionE: TEdit
    Left = 4
    Top = 20
    Width = 273
    Height = 21
    TabOrder = 0
    OnKeyPress = ExpressionEKeyPress
  end
  object ResultM: TMemo
    Left = 4
    Top = 68
    Width = 273
    Height = 89
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 1
  end
end
