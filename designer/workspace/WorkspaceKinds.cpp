#include "designer/workspace/WorkspaceKinds.h"

#include "report/Bands.h"
#include "report/Component.h"
#include "report/DialogComponent.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Views.h"

namespace frxKind {

bool ClassIs(TClass Cls, std::string_view ClassName) {
    for (TClass c = Cls; c; c = c->ClassParent())
        if (c->ClassName() == ClassName) return true;
    return false;
}

bool Is(const TfrxComponent* C, std::string_view ClassName) { return C && ClassIs(C->ClassType(), ClassName); }
bool IsBand(const TfrxComponent* C) { return dynamic_cast<const TfrxBand*>(C) != nullptr; }
bool IsVerticalBand(const TfrxComponent* C) {
    auto b = dynamic_cast<const TfrxBand*>(C);
    return b && b->Vertical;
}
bool IsHorizontalBand(const TfrxComponent* C) {
    auto b = dynamic_cast<const TfrxBand*>(C);
    return b && !b->Vertical;
}
bool IsDataBand(const TfrxComponent* C) { return dynamic_cast<const TfrxDataBand*>(C) != nullptr; }
bool IsView(const TfrxComponent* C) { return dynamic_cast<const TfrxView*>(C) != nullptr; }
bool IsLine(const TfrxComponent* C) { return dynamic_cast<const TfrxCustomLineView*>(C) != nullptr; }
bool IsDiagonalLine(const TfrxComponent* C) {
    auto l = dynamic_cast<const TfrxLineView*>(C);
    return l && l->Diagonal;
}
bool IsMemo(const TfrxComponent* C) { return dynamic_cast<const TfrxCustomMemoView*>(C) != nullptr; }
bool IsDialogComponent(const TfrxComponent* C) { return dynamic_cast<const TfrxDialogComponent*>(C) != nullptr; }
bool IsDialogControl(const TfrxComponent* C) { return Is(C, "TfrxDialogControl"); }
bool IsDMPMemo(const TfrxComponent* C) { return Is(C, "TfrxDMPMemoView"); }
bool IsDMPLine(const TfrxComponent* C) { return Is(C, "TfrxDMPLineView"); }
bool IsReportPage(const TfrxComponent* C) { return dynamic_cast<const TfrxReportPage*>(C) != nullptr; }
bool IsDialogPage(const TfrxComponent* C) { return dynamic_cast<const TfrxDialogPage*>(C) != nullptr; }
bool IsDMPPage(const TfrxComponent* C) { return Is(C, "TfrxDMPPage"); }
bool IsPageOrReport(const TfrxComponent* C) {
    return dynamic_cast<const TfrxPage*>(C) != nullptr || dynamic_cast<const TfrxReport*>(C) != nullptr;
}

}  // namespace frxKind
