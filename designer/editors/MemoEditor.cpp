// The memo text window.
#include "designer/editors/MemoEditor.h"

#include <algorithm>
#include <memory>

#include "designer/FormResources.h"
#include "designer/editors/FormatEditor.h"
#include "designer/editors/SysMemoEditor.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/rtl/Settings.h"
#include "platform/ui/StdCtrls.h"
#include "preview/Dock.h"
#include "report/MemoView.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxMemoEditorForm)

namespace {

void RegisterMemoEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

std::string frxDelimitedExpression(const std::string& Expr, const std::string& Delimiters) {
    const size_t comma = Delimiters.find(',');
    const std::string open = comma == std::string::npos ? Delimiters : Delimiters.substr(0, comma);
    const std::string close = comma == std::string::npos ? std::string() : Delimiters.substr(comma + 1);
    std::string e = Expr;
    if (e.size() >= 2 && e.front() == '<' && e.back() == '>' && std::count(e.begin(), e.end(), '<') == 1)
        e = e.substr(1, e.size() - 2);
    return open + e + close;
}

std::string frxFormatTag(const TfrxFormat& Format) {
    switch (Format.Kind) {
    case fkNumeric: {
        const std::string sep =
            Format.DecimalSeparator.empty() ? std::string(1, FormatSettings.DecimalSeparator) : Format.DecimalSeparator;
        std::string f;
        for (char c : Format.FormatStr) {
            if (c == ',' || c == '-' || c == '.') f += sep;
            else f += c;
        }
        return " #n" + f;
    }
    case fkDateTime: return " #d" + Format.FormatStr;
    case fkBoolean: return " #b" + Format.FormatStr;
    case fkText: return {};
    }
    return {};
}

TfrxMemoEditorForm::TfrxMemoEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterMemoEditorForm();
    InitForm();
}

void TfrxMemoEditorForm::DeclareProperties(TPropertyDecl<TfrxMemoEditorForm>& d) {
    d.Method("FormCreate", &TfrxMemoEditorForm::FormCreate);
    d.Method("FormShow", &TfrxMemoEditorForm::FormShow);
    d.Method("FormHide", &TfrxMemoEditorForm::FormHide);
    d.Method("FormKeyDown", &TfrxMemoEditorForm::FormKeyDown);
    d.Method("OkBClick", &TfrxMemoEditorForm::OkBClick);
    d.Method("CancelBClick", &TfrxMemoEditorForm::CancelBClick);
    d.Method("WordWrapBClick", &TfrxMemoEditorForm::WordWrapBClick);
    d.Method("ExprBClick", &TfrxMemoEditorForm::ExprBClick);
    d.Method("AggregateBClick", &TfrxMemoEditorForm::AggregateBClick);
    d.Method("LocalFormatBClick", &TfrxMemoEditorForm::LocalFormatBClick);
}

void TfrxMemoEditorForm::BindFields() {
    Bind(ToolBar, "ToolBar");
    Bind(ExprB, "ExprB");
    Bind(AggregateB, "AggregateB");
    Bind(LocalFormatB, "LocalFormatB");
    Bind(WordWrapB, "WordWrapB");
    Bind(Sep1, "Sep1");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(Memo, "Memo");
}

TfrxCustomDesigner* TfrxMemoEditorForm::Designer() const { return dynamic_cast<TfrxCustomDesigner*>(Owner()); }

void TfrxMemoEditorForm::FormCreate(TObject*) {
    ToolBar->SetImages(frxResources().MainButtonImages());
    frxResources().LocalizeForm(this);
}

void TfrxMemoEditorForm::FormShow(TObject*) {
    if (!MemoView) return;
    // Where the window was left last time ("Visible" first, so that it stays shown). The
    // restore shows the window, which comes back here: once is enough.
    if (TfrxReport* report = MemoView->Report(); report && !FRestoring) {
        FRestoring = true;
        struct Done {
            bool& F;
            ~Done() { F = false; }
        } done{FRestoring};
        auto store = report->GetIniFile();
        store->WriteBool("Form.TfrxMemoEditorForm", "Visible", true);
        RestoreFormPosition(*store, this);
    }
    TfrxCustomDesigner* d = Designer();
    if (d && d->UseObjectFont) {
        Memo->Font()->Assign(*MemoView->Font());
        Memo->Font()->SetColor(clBlack);
    } else if (d) {
        if (!d->MemoFontName.empty()) Memo->Font()->SetName(d->MemoFontName);
        if (d->MemoFontSize > 0) Memo->Font()->SetSize(d->MemoFontSize);
    }
    Memo->SetText(MemoView->Text());
    Memo->SetSelStart(0);
    SetActiveControl(Memo);
}

void TfrxMemoEditorForm::FormHide(TObject*) {
    if (TfrxReport* report = MemoView ? MemoView->Report() : nullptr) SaveFormPosition(*report->GetIniFile(), this);
}

void TfrxMemoEditorForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (Key == VK_RETURN && (Shift & ssCtrl)) {
        Key = 0;
        SetModalResult(mrOk);
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

void TfrxMemoEditorForm::OkBClick(TObject*) { SetModalResult(mrOk); }
void TfrxMemoEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxMemoEditorForm::WordWrapBClick(TObject*) { Memo->SetWordWrap(WordWrapB->Down()); }

void TfrxMemoEditorForm::ExprBClick(TObject*) {
    TfrxCustomDesigner* d = Designer();
    if (!d || !MemoView) return;
    const std::string expr = d->InsertExpression("");
    if (expr.empty()) return;
    Memo->SetSelText(frxDelimitedExpression(expr, MemoView->ExpressionDelimiters));
}

void TfrxMemoEditorForm::AggregateBClick(TObject*) {
    std::string text;
    if (frxShowSysMemoEditor(Designer(), text, true)) Memo->SetSelText(text);
}

void TfrxMemoEditorForm::LocalFormatBClick(TObject*) {
    TfrxFormat format;
    if (!frxEditDisplayFormat(&format, Designer())) return;
    const std::string tag = frxFormatTag(format);
    if (tag.empty()) return;
    // After a closing bracket the tag goes inside it.
    const int pos = Memo->SelStart();
    if (pos > 0 && Copy(Memo->Text(), pos, 1) == "]") Memo->SetSelStart(pos - 1);
    Memo->SetSelText(tag);
}

bool frxShowMemoEditor(TfrxCustomMemoView* Memo, TfrxCustomDesigner* Designer, std::string& Text) {
    if (!Memo) return false;
    auto form = std::make_unique<TfrxMemoEditorForm>(Designer);
    form->MemoView = Memo;
    if (form->ShowModal() != mrOk) return false;
    Text = form->Memo->Text();
    return true;
}
