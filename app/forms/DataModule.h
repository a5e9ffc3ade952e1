// Tdatamoduleform: the data module with the one connection every clinic window uses. The
// connection opens while the module's form resource loads; before that, the module makes
// sure the clinic database exists in the working directory (a first start creates it) and
// is sound, and raises EDatabaseError with a text for the user when it is not.
#pragma once

#include "platform/classes/Classes.h"

class TADOConnection;

class Tdatamoduleform : public TDataModule {
    ROVE_CLASS(Tdatamoduleform, TDataModule)
public:
    explicit Tdatamoduleform(TComponent* AOwner);
    ~Tdatamoduleform() override;

    TADOConnection* ADOConnection1 = nullptr;
    // The database can be written: the connection opened the file for writing, and its
    // folder takes the journal file that every write makes beside it.
    bool CanWrite() const;
    // How long a statement waits for a lock that another program holds, in milliseconds
    // (the charge save's attempts wait less each, see TRetryPolicy).
    static constexpr int LockWaitMs = 3000;
};

extern Tdatamoduleform* datamoduleform;
