object frxPasswordForm: TfrxPasswordForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Password'
  ClientHeight = 97
  ClientWidth = 249
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
  object PasswordL: TLabel
    Left = 12
    Top = 12
    Width = 120
    Height = 12
    Caption = 'Enter the password:'
  end
  object PasswordE: TEdit
    Left = 12
    Top = 30
    Width = 225
    Height = 20
    PasswordChar = '*'
    TabOrder = 0
  end
  object OkB: TButton
    Left = 80
    Top = 62
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 162
    Top = 62
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
