// Tkszlform: the departments window — the rows of tb_ks, one name each (科室名称).
#pragma once

#include "app/forms/NameListForm.h"

class Tkszlform : public TNameListForm {
    ROVE_CLASS(Tkszlform, TNameListForm)
public:
    explicit Tkszlform(TComponent* AOwner);
    ~Tkszlform() override;

protected:
    const char* NameColumn() const override { return "科室名称"; }
    // Without the exclamation mark of the other windows.
    const char* EmptyNameMessage() const override { return "必填字段不能为空"; }
    void AddToOtherLists(const std::string& Name) override;
};

extern Tkszlform* kszlform;
