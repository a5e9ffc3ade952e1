object Form1: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Memo1: TMemo
    Left = 8
    Top = 8
    MaxLength = 10
    PasswordChar = '*'
    BorderStyle = bsNone
    Lines.Strings = (
      'first ''line'''
      #25910#36153
      '')
  end
  object Edit1: TEdit
    Left = 8
    Top = 120
    MaxLength = 4
    Text = 'abc' +
      'def'
  end
  object List1: TListView
    Left = 8
    Top = 150
    ViewStyle = vsReport
    RowSelect = True
    Columns = <
      item
        Caption = 'a'
        Width = 40
      end
      item
        Caption = 'b'
      end>
  end
  object Combo1: TComboBox
    Items.Strings = (
      'x'
      'y')
    Font.Style = [fsBold, fsItalic]
  end
end
