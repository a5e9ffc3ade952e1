#include "app/forms/DataModule.h"

#include "app/database/ClinicDatabase.h"
#include "app/forms/ClinicForms.h"
#include "platform/db/ADODB.h"
#include "platform/ui/Forms.h"

ROVE_IMPLEMENT_CLASS(Tdatamoduleform)
ROVE_CLINIC_FORM(Tdatamoduleform, datamoduleform)

Tdatamoduleform* datamoduleform = nullptr;

Tdatamoduleform::Tdatamoduleform(TComponent* AOwner) : TDataModule(AOwner) {
    EnsureClinicDatabase(".");
    InitModule();
    ADOConnection1 = dynamic_cast<TADOConnection*>(FindComponent("ADOConnection1"));
    if (!ADOConnection1) throw EComponentError("Tdatamoduleform has no ADOConnection1");
}

Tdatamoduleform::~Tdatamoduleform() {
    if (datamoduleform == this) datamoduleform = nullptr;
}
