object datamoduleform: Tdatamoduleform
  object ADOConnection1: TADOConnection
    Connected = True
    ConnectionString = 
      'Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Rove.mdb;Mode=ReadWrite;' +
      'Persist Security Info=False;Jet OLEDB:Database Password=qtvd1987;Jet OLEDB:E' +
      'ngine Type=5'
    LoginPrompt = False
    Mode = cmReadWrite
    Left = 48
    Top = 24
  end
end
