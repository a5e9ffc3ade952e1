// Tdwzlform: the units window — the rows of tb_ypunit, one name each (unitname).
#pragma once

#include "app/forms/NameListForm.h"

class Tdwzlform : public TNameListForm {
    ROVE_CLASS(Tdwzlform, TNameListForm)
public:
    explicit Tdwzlform(TComponent* AOwner);
    ~Tdwzlform() override;

protected:
    const char* NameColumn() const override { return "unitname"; }
    void AddToOtherLists(const std::string& Name) override;
};

extern Tdwzlform* dwzlform;
