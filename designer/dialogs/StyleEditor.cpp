// The style editor.
#include "designer/dialogs/StyleEditor.h"

#include <algorithm>
#include <unordered_set>

#include "designer/FormResources.h"
#include "designer/window/DesignerComponent.h"
#include "designer/controls/Selectors.h"
#include "designer/editors/FrameEditor.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Styles.h"
#include "report/Utils.h"
#include "report/XMLDocument.h"

ROVE_IMPLEMENT_CLASS(TfrxStyleEditorForm)

namespace {

void RegisterStyleEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

std::string StyleFileFilter() { return frxResources().Get("dsStyleFile") + " (*.bs3)|*.bs3"; }

std::string TooManyStylesText() {
    if (!frxResources().Has("dsTooManyStyles"))
        frxResources().Add("dsTooManyStyles", "样式文件中的样式太多 (超过 %d 个)");
    return Format(frxResources().Get("dsTooManyStyles"), {frxMaxStyleFileEntries});
}

}  // namespace

void frxApplyStyle(TfrxCustomMemoView* Memo, const TfrxStyleItem* Style) {
    if (!Memo || !Style) return;
    Memo->SetColor(Style->Color());
    Memo->SetFont(Style->Font());
    Memo->Frame()->Assign(Style->Frame());
}

void frxLoadStyleFile(TfrxStyles* Styles, const std::string& FileName) {
    TfrxXMLDocument doc;
    {
        TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
        doc.LoadFromStream(stream);
    }
    TfrxXMLItem* set = doc.Root();
    if (SameText(set->Name(), "stylesheet")) {
        TfrxXMLItem* first = nullptr;
        for (int i = 0; i < set->Count() && !first; ++i)
            if (SameText(set->Items(i)->Name(), "style")) first = set->Items(i);
        set = first;
    }
    if (!set || !SameText(set->Name(), "style")) throw Exception("Invalid file format");
    if (set->Count() > frxMaxStyleFileEntries) throw Exception(TooManyStylesText());
    // Read into a set of its own: a broken item (a name given twice) leaves the styles
    // being edited as they were.
    TfrxStyles loaded(nullptr);
    loaded.LoadFromXMLItem(set);
    // Every style must be reachable by its name: none empty, none twice.
    std::unordered_set<std::string> names;
    for (int i = 0; i < loaded.Count(); ++i)
        if (loaded.Items(i)->Name().empty() || !names.insert(UpperCase(loaded.Items(i)->Name())).second)
            throw Exception("Duplicate name");
    Styles->Assign(&loaded);
    Styles->SetName(loaded.Name());
}

void frxSaveStyleFile(TfrxStyles* Styles, const std::string& FileName) {
    TfrxXMLDocument doc;
    doc.SetAutoIndent(true);
    doc.Root()->SetName("stylesheet");
    Styles->SaveToXMLItem(doc.Root()->Add());
    TMemoryStream stream;
    doc.SaveToStream(stream);
    stream.SaveToFile(FileName);
}

TfrxStyleEditorForm::TfrxStyleEditorForm(TComponent* AOwner)
    : TForm(AOwner), FStyles(std::make_unique<TfrxStyles>(nullptr)) {
    RegisterStyleEditorForm();
    InitForm();
}

TfrxStyleEditorForm::~TfrxStyleEditorForm() = default;

void TfrxStyleEditorForm::DeclareProperties(TPropertyDecl<TfrxStyleEditorForm>& d) {
    d.Method("FormCreate", &TfrxStyleEditorForm::FormCreate);
    d.Method("FormKeyDown", &TfrxStyleEditorForm::FormKeyDown);
    d.Method("FormShow", &TfrxStyleEditorForm::FormShow);
    d.Method("FormHide", &TfrxStyleEditorForm::FormHide);
    d.Method("PaintBoxPaint", &TfrxStyleEditorForm::PaintBoxPaint);
    d.Method("StylesTVClick", &TfrxStyleEditorForm::StylesTVClick);
    d.Method("StylesTVChange", &TfrxStyleEditorForm::StylesTVChange);
    d.Method("StylesTVEdited", &TfrxStyleEditorForm::StylesTVEdited);
    d.Method("BClick", &TfrxStyleEditorForm::BClick);
    d.Method("AddBClick", &TfrxStyleEditorForm::AddBClick);
    d.Method("DeleteBClick", &TfrxStyleEditorForm::DeleteBClick);
    d.Method("EditBClick", &TfrxStyleEditorForm::EditBClick);
    d.Method("LoadBClick", &TfrxStyleEditorForm::LoadBClick);
    d.Method("SaveBClick", &TfrxStyleEditorForm::SaveBClick);
    d.Method("CancelBClick", &TfrxStyleEditorForm::CancelBClick);
    d.Method("OkBClick", &TfrxStyleEditorForm::OkBClick);
}

void TfrxStyleEditorForm::BindFields() {
    Bind(ToolBar, "ToolBar");
    Bind(AddB, "AddB");
    Bind(DeleteB, "DeleteB");
    Bind(EditB, "EditB");
    Bind(Sep1, "Sep1");
    Bind(LoadB, "LoadB");
    Bind(SaveB, "SaveB");
    Bind(Sep2, "Sep2");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(StylesTV, "StylesTV");
    Bind(ColorB, "ColorB");
    Bind(FontB, "FontB");
    Bind(FrameB, "FrameB");
    Bind(PaintBox, "PaintBox");
    Bind(OpenDialog, "OpenDialog");
    Bind(SaveDialog, "SaveDialog");
}

void TfrxStyleEditorForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    ToolBar->SetImages(frxResources().MainButtonImages());
}

void TfrxStyleEditorForm::FormShow(TObject*) {
    if (Report) {
        FStyles->Assign(Report->Styles());
        FStyles->SetName(Report->Styles()->Name());
    }
    FillList(0);
}

void TfrxStyleEditorForm::FormHide(TObject*) {
    if (ModalResult() == mrOk && Report) Report->SetStyles(FStyles.get());
}

TfrxStyleItem* TfrxStyleEditorForm::SelectedStyle() const {
    TTreeNode* node = StylesTV->Selected();
    return node ? static_cast<TfrxStyleItem*>(node->Data()) : nullptr;
}

void TfrxStyleEditorForm::FillList(int Index) {
    TTreeNodes* nodes = StylesTV->Items();
    nodes->BeginUpdate();
    nodes->Clear();
    for (int i = 0; i < FStyles->Count(); ++i) nodes->AddObject(nullptr, FStyles->Items(i)->Name(), FStyles->Items(i));
    nodes->EndUpdate();
    if (FStyles->Count() > 0) {
        const int at = std::clamp(Index, 0, FStyles->Count() - 1);
        StylesTV->SetSelected(nodes->Item(at));
    }
    StylesTVClick(this);
}

void TfrxStyleEditorForm::StylesTVClick(TObject*) {
    const bool any = SelectedStyle() != nullptr;
    ColorB->SetEnabled(any);
    FontB->SetEnabled(any);
    FrameB->SetEnabled(any);
    PaintBox->Invalidate();
}

void TfrxStyleEditorForm::StylesTVChange(TObject* Sender, TTreeNode*) { StylesTVClick(Sender); }

// The sample: a framed box and, for a selected style, a text object in that style.
void TfrxStyleEditorForm::PaintBoxPaint(TObject*) {
    TCanvas* c = PaintBox->Canvas();
    const TRect box = Rect(0, 0, PaintBox->Width(), PaintBox->Height());
    c->Brush()->SetColor(clWindow);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(box);
    c->Pen()->SetColor(TColor(0x808080));
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(box);
    TfrxStyleItem* style = SelectedStyle();
    if (!style) return;
    TfrxMemoView sample(nullptr);
    frxApplyStyle(&sample, style);
    sample.SetText(frxResources().Get("dsStyleSample"));
    sample.HAlign = haCenter;
    sample.VAlign = vaCenter;
    sample.SetBounds(10, 10, box.Width() - 20, box.Height() - 20);
    sample.Draw(c, 1, 1, 0, 0);
}

void TfrxStyleEditorForm::BClick(TObject* Sender) {
    TfrxStyleItem* style = SelectedStyle();
    auto* c = dynamic_cast<TComponent*>(Sender);
    if (!style || !c) return;
    switch (c->Tag()) {
    case frxStyleTagColor: {
        auto* selector = new TfrxColorSelector(static_cast<TControl*>(Sender));
        selector->SetTag(frxStyleTagColorPicked);
        selector->SetColor(style->Color());
        selector->OnColorChanged = [this](TObject* S) { BClick(S); };
        return;
    }
    case frxStyleTagFont: {
        TFontDialog dialog(this);
        dialog.SetFont(style->Font());
        if (dialog.Execute()) style->SetFont(dialog.Font());
        break;
    }
    case frxStyleTagFrame: {
        TfrxFrame frame;
        frame.Assign(style->Frame());
        if (frxEditFrame(&frame, this)) style->SetFrame(&frame);
        break;
    }
    case frxStyleTagColorPicked: style->SetColor(static_cast<TfrxColorSelector*>(Sender)->Color()); break;
    default: return;
    }
    PaintBox->Invalidate();
}

void TfrxStyleEditorForm::AddBClick(TObject*) {
    FStyles->Add()->CreateUniqueName();
    FillList(FStyles->Count() - 1);
    if (TTreeNode* node = StylesTV->Selected()) node->EditText();
}

void TfrxStyleEditorForm::DeleteBClick(TObject*) {
    TTreeNode* node = StylesTV->Selected();
    if (!node) return;
    // A name being typed goes with its style, before the style does.
    if (StylesTV->IsEditing()) node->EndEdit(true);
    const int at = node->Index();
    FStyles->Delete(at);
    FillList(at);
}

void TfrxStyleEditorForm::EditBClick(TObject*) {
    if (TTreeNode* node = StylesTV->Selected()) node->EditText();
}

// A name that another style has (or an empty one) puts the old label back; the first
// says why.
void TfrxStyleEditorForm::StylesTVEdited(TObject*, TTreeNode* Node, std::string& S) {
    auto* style = Node ? static_cast<TfrxStyleItem*>(Node->Data()) : nullptr;
    if (!style) return;
    if (Trim(S).empty()) {
        S = style->Name();
        return;
    }
    try {
        style->SetName(S);
    } catch (const Exception& e) {
        S = style->Name();
        frxErrorMsg(e.Message());
    }
    PaintBox->Invalidate();
}

void TfrxStyleEditorForm::LoadBClick(TObject*) {
    OpenDialog->SetFilter(StyleFileFilter());
    // The folders the designer component names for report files serve style files too.
    if (TfrxDesigner* d = frxGlobalDesigner()) OpenDialog->SetInitialDir(d->OpenDir);
    if (!OpenDialog->Execute()) return;
    try {
        frxLoadStyleFile(FStyles.get(), OpenDialog->FileName());
    } catch (const Exception& e) {
        frxErrorMsg(e.Message());
        return;
    }
    FillList(0);
}

void TfrxStyleEditorForm::SaveBClick(TObject*) {
    SaveDialog->SetFilter(StyleFileFilter());
    if (TfrxDesigner* d = frxGlobalDesigner()) SaveDialog->SetInitialDir(d->SaveDir);
    if (!SaveDialog->Execute()) return;
    frxSaveStyleFile(FStyles.get(), ChangeFileExt(SaveDialog->FileName(), ".bs3"));
}

void TfrxStyleEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxStyleEditorForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (!StylesTV->IsEditing()) CancelOnEscape(*this, Key, Shift);
}

void TfrxStyleEditorForm::OkBClick(TObject*) { SetModalResult(mrOk); }

bool frxShowStyleEditor(TfrxReport* Report, TComponent* Owner) {
    if (!Report) return false;
    auto form = std::make_unique<TfrxStyleEditorForm>(Owner);
    form->Report = Report;
    return form->ShowModal() == mrOk;
}
