#include "designer/workspace/WorkspaceKinds.h"

#include "report/Bands.h"
#include "report/Component.h"
#include "report/DialogComponent.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Views.h"

namespace {
// Obj as a T, through the class chain of its class information (a dynamic_cast walks the
// compiler's type information; the workspace asks this of every object on every paint).
template <class T>
const T* As(const TfrxComponent* C) noexcept {
    static_assert(std::is_same_v<decltype(&T::ClassType), TClass (T::*)() const noexcept>,
                  "the class declares its class information");
    return C && C->Is<T>() ? static_cast<const T*>(C) : nullptr;
}
}  // namespace

namespace frxKind {

bool ClassIs(TClass Cls, std::string_view ClassName) {
    for (TClass c = Cls; c; c = c->ClassParent())
        if (c->ClassName() == ClassName) return true;
    return false;
}

bool Is(const TfrxComponent* C, std::string_view ClassName) { return C && ClassIs(C->ClassType(), ClassName); }
bool IsBand(const TfrxComponent* C) { return As<TfrxBand>(C) != nullptr; }
bool IsVerticalBand(const TfrxComponent* C) {
    auto b = As<TfrxBand>(C);
    return b && b->Vertical;
}
bool IsHorizontalBand(const TfrxComponent* C) {
    auto b = As<TfrxBand>(C);
    return b && !b->Vertical;
}
bool IsDataBand(const TfrxComponent* C) { return As<TfrxDataBand>(C) != nullptr; }
bool IsView(const TfrxComponent* C) { return As<TfrxView>(C) != nullptr; }
bool IsLine(const TfrxComponent* C) { return As<TfrxCustomLineView>(C) != nullptr; }
bool IsDiagonalLine(const TfrxComponent* C) {
    auto l = As<TfrxLineView>(C);
    return l && l->Diagonal;
}
bool IsMemo(const TfrxComponent* C) { return As<TfrxCustomMemoView>(C) != nullptr; }
bool IsDialogComponent(const TfrxComponent* C) { return As<TfrxDialogComponent>(C) != nullptr; }
bool IsDialogControl(const TfrxComponent* C) { return Is(C, "TfrxDialogControl"); }
bool IsDMPMemo(const TfrxComponent* C) { return Is(C, "TfrxDMPMemoView"); }
bool IsDMPLine(const TfrxComponent* C) { return Is(C, "TfrxDMPLineView"); }
bool IsReportPage(const TfrxComponent* C) { return As<TfrxReportPage>(C) != nullptr; }
bool IsDialogPage(const TfrxComponent* C) { return As<TfrxDialogPage>(C) != nullptr; }
bool IsDMPPage(const TfrxComponent* C) { return Is(C, "TfrxDMPPage"); }
bool IsPageOrReport(const TfrxComponent* C) {
    return As<TfrxPage>(C) != nullptr || As<TfrxReport>(C) != nullptr;
}

}  // namespace frxKind
