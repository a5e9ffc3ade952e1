// Tllzlform: the item types window — the rows of tb_yplx, one name each (lx), which are also
// the fee categories of the receipt. The window only lists them: its grid is read-only and
// its buttons stay disabled.
#pragma once

#include "app/forms/NameListForm.h"

class Tllzlform : public TNameListForm {
    ROVE_CLASS(Tllzlform, TNameListForm)
public:
    explicit Tllzlform(TComponent* AOwner);
    ~Tllzlform() override;

protected:
    const char* NameColumn() const override { return "lx"; }
    void AddToOtherLists(const std::string& Name) override;
};

extern Tllzlform* llzlform;
