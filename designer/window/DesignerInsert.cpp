// Objects drawn with a palette tool, objects opened in their editors, the copy-format
// sample, and find and replace on the page or in the code.
#include <algorithm>

#include "designer/code/SyntaxMemo.h"
#include "designer/editors/HighlightEditor.h"
#include "designer/editors/ViewEditors.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "report/Bands.h"
#include "report/DialogControls.h"
#include "platform/ui/Controls.h"
#include "report/DesignRegistries.h"
#include "report/Frame.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Views.h"

namespace {
std::string Res(const char* Key) { return frxResources().Get(Key); }
}  // namespace

// --- Design-time construction --------------------------------------------------------------------

TfrxComponent* frxCreateDesignObject(TClass Class, TComponent* Owner, uint16_t Flags) {
    TObject* made = Class->CreateInstance(Owner);
    auto* c = dynamic_cast<TfrxComponent*>(made);
    if (!c) {
        delete made;
        throw EfrxError(Class->ClassName() + " is no report object");
    }
    c->SetIsDesigning(true);
    // The registry's flags choose the variant, as the design-time constructors do.
    if (auto* line = dynamic_cast<TfrxCustomLineView*>(c)) line->Diagonal = Flags != 0;
    else if (auto* shape = dynamic_cast<TfrxShapeView*>(c); shape && Flags <= skDiagonal2)
        shape->Shape = static_cast<TfrxShapeKind>(Flags);
    return c;
}

// --- The copy-format sample ----------------------------------------------------------------------

TSampleFormat::TSampleFormat() : FMemo(std::make_unique<TfrxMemoView>(nullptr)) {}
TSampleFormat::~TSampleFormat() = default;

void TSampleFormat::SetMemo(TfrxComponent* Memo) {
    if (!Memo) return;
    FMemo->Assign(Memo);
    FMemo->SetFlowTo(nullptr);
}

void TSampleFormat::ApplySample(TfrxComponent* Memo) const {
    auto* m = dynamic_cast<TfrxCustomMemoView*>(Memo);
    if (!m) return;
    m->SetColor(FMemo->Color());
    m->SetFont(FMemo->Font());
    m->Frame()->Assign(FMemo->Frame());
    m->SetBrushStyle(FMemo->BrushStyle());
    m->HAlign = FMemo->HAlign;
    m->VAlign = FMemo->VAlign;
    m->LineSpacing = FMemo->LineSpacing;
    m->SetParentFont(FMemo->ParentFont());
}

// --- Inserting -------------------------------------------------------------------------------------

void TfrxDesignerForm::OnInsertObject(TObject*) {
    TfrxInsertion& in = Workspace->Insertion();
    // A subreport needs a page of its own: where no page may be made it is not drawn (it
    // would otherwise be linked to a page of the report that is already there).
    const bool pageless = in.ComponentClass && frxKind::ClassIs(in.ComponentClass, "TfrxSubreport") &&
                          !CheckRestriction(drDontCreatePage);
    if (!CheckRestriction(drDontInsertObject) || in.Top < 0 || pageless) {
        Workspace->SetInsertion(nullptr, 0, 0, 0);
        ObjectSelectB->SetDown(true);
        SelectToolBClick(ObjectSelectB);
        return;
    }
    if (!in.ComponentClass || (in.Width == 0 && in.Height == 0) || !Page()) return;
    const TClass cls = in.ComponentClass;
    const uint16_t flags = in.Flags;
    TfrxComponent* obj = frxCreateDesignObject(cls, Page(), flags);
    obj->CreateUniqueName();
    obj->SetBounds(in.Left, in.Top, in.Width, in.Height);
    if (frxKind::IsLine(obj)) {
        // Lines are drawn one after another with the same tool.
        Workspace->SetInsertion(cls, 0, 0, flags);
    } else {
        Workspace->SetInsertion(nullptr, 0, 0, 0);
        if (!TextToolB->Down()) {
            ObjectSelectB->SetDown(true);
            SelectToolBClick(ObjectSelectB);
        }
    }
    if (dynamic_cast<TfrxCustomMemoView*>(obj)) FSampleFormat->ApplySample(obj);
    Objects().push_back(obj);
    SelectedObjects().assign(1, obj);
    if (frxKind::IsDialogControl(obj)) {
        // A control drawn inside a container control (a group box, a panel) becomes its
        // child; over an edit or a button it stays where it is.
        const double x = obj->AbsLeft(), y = obj->AbsTop();
        auto& objects = Objects();
        for (size_t i = objects.size() - 1; i-- > 0;) {
            TfrxComponent* c = objects[i];
            auto* container = dynamic_cast<TfrxDialogControl*>(c);
            if (!container || !container->Control() || !container->Control()->AcceptsControls()) continue;
            if (!(c->AbsLeft() <= x && x < c->AbsLeft() + c->Width() && c->AbsTop() <= y &&
                  y < c->AbsTop() + c->Height()))
                continue;
            obj->SetTop(obj->AbsTop() - c->AbsTop());
            obj->SetLeft(obj->AbsLeft() - c->AbsLeft());
            obj->SetParent(c);
            break;
        }
    }
    if (auto* sub = dynamic_cast<TfrxSubreport*>(obj)) {
        NewPageCmdExecute(this);
        sub->SetPage(dynamic_cast<TfrxReportPage*>(Report()->Pages(Report()->PagesCount() - 1)));
        ReloadPages(Report()->PagesCount() - 1);
    } else {
        SetModified(true);
        if (EditAfterInsert && !frxKind::IsDialogControl(obj) && !frxKind::IsDialogComponent(obj))
            OnEditObject(this);
    }
    KeepSurfaceOnTop();
    Workspace->InvalidatePage();
    Workspace->Repaint();
}

void TfrxDesignerForm::KeepSurfaceOnTop() {
    // A dialog control made now has its window over the dialog form's surface, which must
    // keep taking the mouse (it draws the controls itself).
    if (FDialogForm && Workspace->Parent() == FDialogForm) Workspace->BringToFront();
}

void TfrxDesignerForm::OnEditObject(TObject*) {
    if (SelectedObjects().empty()) return;
    TfrxComponent* c = SelectedObjects().front();
    std::unique_ptr<TfrxComponentEditor> editor = frxComponentEditors().GetComponentEditor(c, this, nullptr);
    if (!editor || !editor->HasEditor()) return;
    if (!editor->Edit()) return;
    SetModified(true);
    if (c == Page()) UpdatePageDimensions();
}

void TfrxDesignerForm::HighlightBClick(TObject*) {
    if (SelectedObjects().empty()) return;
    // The dialog opens on the first selected memo; on OK the other selected memos take
    // copies of its highlight. Objects whose restrictions forbid changes are left alone.
    auto* first = dynamic_cast<TfrxCustomMemoView*>(SelectedObjects().front());
    if (!first || !frxCanModify(first)) return;
    if (!frxShowHighlightEditor(first, this)) return;
    for (size_t i = 1; i < SelectedObjects().size(); ++i) {
        auto* memo = dynamic_cast<TfrxMemoView*>(SelectedObjects()[i]);
        if (memo && frxCanModify(memo)) memo->SetHighlight(first->Highlight());
    }
    SetModified(true);
}

// --- Find and replace ----------------------------------------------------------------------------

namespace {
bool Confirm(const std::string& Find) {
    return Application->MessageBox(Format(Res("dsReplace"), {Find}), Res("mbConfirm"), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}
}  // namespace

void TfrxDesignerForm::FindOrReplace() {
    if (FindText.empty()) return;
    auto fold = [this](const std::string& s) { return FindCaseSensitive ? s : AnsiUpperCase(s); };
    const std::string what = fold(FindText);
    if (!Page()) {
        if (CodeWindow->FindText(FindText, FindCaseSensitive, FindIndex)) {
            if (!ReplaceText.empty() && Confirm(FindText)) {
                CodeWindow->InsertText(ReplaceText);
                // The next search starts after the replacement, never inside it.
                FindIndex += Length(ReplaceText) - 1;
                SetModified(true);
            }
            return;
        }
    } else {
        auto& objects = Objects();
        for (int i = std::max(FindIndex, 0); i < static_cast<int>(objects.size()); ++i) {
            auto* m = dynamic_cast<TfrxCustomMemoView*>(objects[i]);
            if (!m || fold(m->Text()).find(what) == std::string::npos) continue;
            FindIndex = i + 1;
            SelectedObjects().assign(1, m);
            OnSelectionChanged(this);
            if (!ReplaceText.empty() && Confirm(FindText)) {
                m->SetText(StringReplace(m->Text(), FindText, ReplaceText,
                                         rfReplaceAll | (FindCaseSensitive ? 0u : unsigned(rfIgnoreCase))));
                SetModified(true);
            }
            return;
        }
    }
    Application->MessageBox(Format(Res("dsTextNotFound"), {FindText}), Res("mbInfo"), MB_OK | MB_ICONINFORMATION);
}
