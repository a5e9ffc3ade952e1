object frxDataBandEditorForm: TfrxDataBandEditorForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Select DataSet'
  ClientHeight = 227
  ClientWidth = 209
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
  object DatasetsLB: TListBox
    Left = 4
    Top = 4
    Width = 201
    Height = 185
    ItemHeight = 18
    Style = lbOwnerDrawFixed
    TabOrder = 0
    OnDblClick = DatasetsLBDblClick
    OnDrawItem = DatasetsLBDrawItem
  end
  object OkB: TButton
    Left = 48
    Top = 196
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 130
    Top = 196
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
