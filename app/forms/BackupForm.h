// Tsjbfform: the backup window, shown modally when the user asks for a backup before
// leaving. So far it holds its controls only; the backup itself is not built yet.
#pragma once

#include "platform/ui/Forms.h"

class Tsjbfform : public TForm {
    ROVE_CLASS(Tsjbfform, TForm)
public:
    explicit Tsjbfform(TComponent* AOwner);
    ~Tsjbfform() override;
};

extern Tsjbfform* sjbfform;
