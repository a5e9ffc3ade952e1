// The designer's options component.
#include "designer/window/DesignerComponent.h"

ROVE_IMPLEMENT_CLASS(TfrxDesigner)

namespace {
TfrxDesigner*& Global() {
    static TfrxDesigner* global = nullptr;
    return global;
}
}  // namespace

TfrxDesigner* frxGlobalDesigner() { return Global(); }
void frxSetGlobalDesigner(TfrxDesigner* Value) { Global() = Value; }

TfrxDesigner::TfrxDesigner(TComponent* AOwner) : TComponent(AOwner) { Global() = this; }

TfrxDesigner::~TfrxDesigner() {
    if (Global() == this) Global() = nullptr;
}

void TfrxDesigner::DeclareProperties(TPropertyDecl<TfrxDesigner>& d) {
    d.Property("CloseQuery", &TfrxDesigner::CloseQuery).Default(true);
    d.Property("OpenDir", &TfrxDesigner::OpenDir);
    d.Property("SaveDir", &TfrxDesigner::SaveDir);
    d.Property("Restrictions", &TfrxDesigner::Restrictions).Default(TfrxDesignerRestrictions{});
    d.Event("OnLoadReport", &TfrxDesigner::OnLoadReport);
    d.Event("OnSaveReport", &TfrxDesigner::OnSaveReport);
    d.Event("OnShow", &TfrxDesigner::OnShow);
}
