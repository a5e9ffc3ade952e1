#include "app/forms/DataModule.h"

#include "app/database/ClinicDatabase.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DatabaseWait.h"
#include "platform/db/ADODB.h"
#include "platform/ui/Forms.h"

#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

ROVE_IMPLEMENT_CLASS(Tdatamoduleform)
ROVE_CLINIC_FORM(Tdatamoduleform, datamoduleform)

Tdatamoduleform* datamoduleform = nullptr;

Tdatamoduleform::Tdatamoduleform(TComponent* AOwner) : TDataModule(AOwner) {
    try {
        EnsureClinicDatabase(".");
    } catch (const EClinicDatabaseDamaged& e) {
        // The start-up ends here: say where the backups are and how to put one back.
        throw EClinicDatabaseDamaged(e.Message() + "\n" + DamagedDatabaseAdvice(ClinicDatabaseFileName));
    }
    InitModule();
    ADOConnection1 = dynamic_cast<TADOConnection*>(FindComponent("ADOConnection1"));
    if (!ADOConnection1) throw EComponentError("Tdatamoduleform has no ADOConnection1");
    // While a statement waits for another program's lock the windows repaint and say so.
    ADOConnection1->SetBusyTimeout(LockWaitMs);
    ADOConnection1->OnBusyWait = ClinicDatabaseWaits;
}

bool Tdatamoduleform::CanWrite() const {
    if (!ADOConnection1->Connected() || ADOConnection1->ReadOnly()) return false;
    std::error_code ec;
    const fs::path folder = fs::absolute(ADOConnection1->Database().FileName(), ec).parent_path();
    return ::access(folder.c_str(), W_OK) == 0;
}

Tdatamoduleform::~Tdatamoduleform() {
    if (datamoduleform == this) datamoduleform = nullptr;
}
