// The frame dialog.
#include "designer/editors/FrameEditor.h"

#include "designer/FormResources.h"
#include "designer/controls/Selectors.h"
#include "designer/editors/PropertyEditors.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Frame.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxFrameEditorForm)

namespace {

void RegisterFrameEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// A width box's text as a number (either decimal separator); nothing for text that is
// not one yet, so that a half-typed width keeps the frame's.
bool ReadWidth(const std::string& Text, double& Value) {
    try {
        Value = frxStrToFloat(Text);
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

void SetSide(TfrxFrame& F, TfrxFrameType Side, bool On) {
    if (On) F.Typ.Include(Side);
    else F.Typ.Exclude(Side);
}

}  // namespace

TfrxFrameEditorForm::TfrxFrameEditorForm(TComponent* AOwner)
    : TForm(AOwner), FFrame(std::make_unique<TfrxFrame>()) {
    RegisterFrameEditorForm();
    InitForm();
}

TfrxFrameEditorForm::~TfrxFrameEditorForm() = default;

void TfrxFrameEditorForm::DeclareProperties(TPropertyDecl<TfrxFrameEditorForm>& d) {
    d.Method("FormCreate", &TfrxFrameEditorForm::FormCreate);
    d.Method("FormShow", &TfrxFrameEditorForm::FormShow);
    d.Method("FrameBClick", &TfrxFrameEditorForm::FrameBClick);
}

void TfrxFrameEditorForm::BindFields() {
    Bind(FrameGB, "FrameGB");
    Bind(LineStyleL, "LineStyleL");
    Bind(ShadowGB, "ShadowGB");
    Bind(ToolBar1, "ToolBar1");
    Bind(FrameTopB, "FrameTopB");
    Bind(FrameBottomB, "FrameBottomB");
    Bind(FrameLeftB, "FrameLeftB");
    Bind(FrameRightB, "FrameRightB");
    Bind(FrameAllB, "FrameAllB");
    Bind(FrameNoB, "FrameNoB");
    Bind(ToolBar2, "ToolBar2");
    Bind(FrameColorB, "FrameColorB");
    Bind(FrameStyleB, "FrameStyleB");
    Bind(FrameWidthCB, "FrameWidthCB");
    Bind(ToolBar3, "ToolBar3");
    Bind(ShadowB, "ShadowB");
    Bind(ShadowColorB, "ShadowColorB");
    Bind(ShadowWidthCB, "ShadowWidthCB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxFrameEditorForm::FormCreate(TObject*) {
    for (TToolBar* bar : {ToolBar1, ToolBar2, ToolBar3}) bar->SetImages(frxResources().MainButtonImages());
    frxResources().LocalizeForm(this);
}

void TfrxFrameEditorForm::FormShow(TObject*) { Refresh(); }

void TfrxFrameEditorForm::Refresh() {
    FrameTopB->SetDown(FFrame->Typ.Contains(ftTop));
    FrameBottomB->SetDown(FFrame->Typ.Contains(ftBottom));
    FrameLeftB->SetDown(FFrame->Typ.Contains(ftLeft));
    FrameRightB->SetDown(FFrame->Typ.Contains(ftRight));
    ShadowB->SetDown(FFrame->DropShadow);
    // A box keeps what is being typed into it while it means the same number.
    auto show = [](TComboBox* Box, double Value) {
        double shown = 0;
        if (!ReadWidth(Box->Text(), shown) || shown != Value) Box->SetText(FloatToStr(Value));
    };
    show(FrameWidthCB, FFrame->Width);
    show(ShadowWidthCB, FFrame->ShadowWidth);
}

void TfrxFrameEditorForm::FrameBClick(TObject* Sender) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    if (!c) return;
    TfrxFrame& f = *FFrame;
    auto down = [&] { auto* b = dynamic_cast<TToolButton*>(Sender); return b && b->Down(); };
    switch (c->Tag()) {
    case frxFrameTagTop: SetSide(f, ftTop, down()); break;
    case frxFrameTagBottom: SetSide(f, ftBottom, down()); break;
    case frxFrameTagLeft: SetSide(f, ftLeft, down()); break;
    case frxFrameTagRight: SetSide(f, ftRight, down()); break;
    case frxFrameTagAll: f.Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}; break;
    case frxFrameTagNone: f.Typ = TfrxFrameTypes{}; break;
    case frxFrameTagColor:
    case frxFrameTagShadowColor: {
        auto* s = new TfrxColorSelector(static_cast<TControl*>(Sender));
        s->SetTag(c->Tag() == frxFrameTagColor ? frxFrameTagColorPicked : frxFrameTagShadowColorPicked);
        s->SetColor(c->Tag() == frxFrameTagColor ? f.Color : f.ShadowColor);
        s->OnColorChanged = [this](TObject* S) { FrameBClick(S); };
        return;
    }
    case frxFrameTagStyle: {
        auto* s = new TfrxLineSelector(static_cast<TControl*>(Sender));
        s->SetTag(frxFrameTagStylePicked);
        s->OnStyleChanged = [this](TObject* S) { FrameBClick(S); };
        return;
    }
    case frxFrameTagWidth: {
        double w = 0;
        if (!ReadWidth(FrameWidthCB->Text(), w)) return;
        f.Width = w;
        break;
    }
    case frxFrameTagShadow: f.DropShadow = down(); break;
    case frxFrameTagShadowWidth: {
        double w = 0;
        if (!ReadWidth(ShadowWidthCB->Text(), w)) return;
        f.ShadowWidth = w;
        break;
    }
    case frxFrameTagColorPicked: f.Color = static_cast<TfrxColorSelector*>(Sender)->Color(); break;
    case frxFrameTagStylePicked:
        f.Style = static_cast<TfrxFrameStyle>(static_cast<TfrxLineSelector*>(Sender)->Style());
        break;
    case frxFrameTagShadowColorPicked: f.ShadowColor = static_cast<TfrxColorSelector*>(Sender)->Color(); break;
    default: return;
    }
    Refresh();
}

bool frxEditFrame(TfrxFrame* Frame, TComponent* Owner) {
    if (!Frame) return false;
    auto form = std::make_unique<TfrxFrameEditorForm>(Owner);
    form->Frame()->Assign(Frame);
    if (form->ShowModal() != mrOk) return false;
    Frame->Assign(form->Frame());
    return true;
}

// === The frame row of the inspector ==========================================================

bool TfrxFrameProperty::Edit() {
    auto* frame = dynamic_cast<TfrxFrame*>(GetObjValue());
    if (!frame) return false;
    TfrxFrame copy;
    copy.Assign(frame);
    if (!frxEditFrame(&copy, Designer())) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (auto* target = dynamic_cast<TfrxFrame*>(GetObjectProp(Instance(i), PropInfo(i)))) target->Assign(&copy);
    return true;
}
