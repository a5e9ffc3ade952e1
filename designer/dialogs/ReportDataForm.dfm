object frxReportDataForm: TfrxReportDataForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Select Report Datasets'
  ClientHeight = 265
  ClientWidth = 261
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
  object DatasetsLB: TCheckListBox
    Left = 4
    Top = 4
    Width = 253
    Height = 225
    ItemHeight = 16
    TabOrder = 0
  end
  object OKB: TButton
    Left = 100
    Top = 235
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 182
    Top = 235
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
