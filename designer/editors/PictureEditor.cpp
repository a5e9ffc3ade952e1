// The picture window.
#include "designer/editors/PictureEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxPictureEditorForm)

namespace {

void RegisterPictureEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

std::string frxPictureFilter() {
    return frxResources().Get("ftPictures") + " (*.bmp " + "*.jpg " + "*.ico *.wmf *.emf)|*.bmp;" + "*.jpg;" +
           "*.ico;*.wmf;*.emf|" + frxResources().Get("ftAllFiles") + "|*.*";
}

TfrxPictureEditorForm::TfrxPictureEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterPictureEditorForm();
    InitForm();
}

void TfrxPictureEditorForm::DeclareProperties(TPropertyDecl<TfrxPictureEditorForm>& d) {
    d.Method("FormCreate", &TfrxPictureEditorForm::FormCreate);
    d.Method("FormKeyDown", &TfrxPictureEditorForm::FormKeyDown);
    d.Method("FormShow", &TfrxPictureEditorForm::FormShow);
    d.Method("LoadBClick", &TfrxPictureEditorForm::LoadBClick);
    d.Method("CopyBClick", &TfrxPictureEditorForm::CopyBClick);
    d.Method("PasteBClick", &TfrxPictureEditorForm::PasteBClick);
    d.Method("ClearBClick", &TfrxPictureEditorForm::ClearBClick);
    d.Method("OkBClick", &TfrxPictureEditorForm::OkBClick);
    d.Method("CancelBClick", &TfrxPictureEditorForm::CancelBClick);
}

void TfrxPictureEditorForm::BindFields() {
    Bind(ToolBar, "ToolBar");
    Bind(LoadB, "LoadB");
    Bind(CopyB, "CopyB");
    Bind(PasteB, "PasteB");
    Bind(ClearB, "ClearB");
    Bind(Sep1, "Sep1");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(Box, "Box");
    Bind(Image, "Image");
    Bind(StatusBar, "StatusBar");
}

TPicture* TfrxPictureEditorForm::Picture() const { return Image->Picture(); }

void TfrxPictureEditorForm::FormCreate(TObject*) {
    ToolBar->SetImages(frxResources().MainButtonImages());
    frxResources().LocalizeForm(this);
}

void TfrxPictureEditorForm::FormShow(TObject*) { UpdateImage(); }

void TfrxPictureEditorForm::UpdateImage() {
    TPicture* p = Picture();
    TStatusPanel* panel = StatusBar->Panels()->Items(0);
    if (p->Graphic() && !p->Empty()) {
        panel->SetText(Format("%d x %d", {p->Width(), p->Height()}));
        Image->SetStretch(p->Width() > Image->Width() || p->Height() > Image->Height());
    } else {
        panel->SetText(frxResources().Get("piEmpty"));
        Image->SetStretch(false);
    }
    Image->Invalidate();
}

void TfrxPictureEditorForm::LoadBClick(TObject*) {
    TOpenDialog dialog(nullptr);
    dialog.SetOptions(TOpenOptions{});
    dialog.SetFilter(frxPictureFilter());
    if (!dialog.Execute()) return;
    // A file that is no picture (or is damaged) raises with the picture's own text and
    // leaves the picture as it was.
    Picture()->LoadFromFile(dialog.FileName());
    UpdateImage();
}

void TfrxPictureEditorForm::CopyBClick(TObject*) {
    if (TGraphic* g = Picture()->Graphic(); g && !g->Empty()) Clipboard()->SetPicture(*g);
}

void TfrxPictureEditorForm::PasteBClick(TObject*) {
    Clipboard()->GetPicture(*Picture());
    UpdateImage();
}

void TfrxPictureEditorForm::ClearBClick(TObject*) {
    Picture()->Clear();
    UpdateImage();
}

void TfrxPictureEditorForm::OkBClick(TObject*) { SetModalResult(mrOk); }
void TfrxPictureEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxPictureEditorForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    CancelOnEscape(*this, Key, Shift);
}

bool frxShowPictureEditor(TPicture* Picture, TComponent* Owner) {
    if (!Picture) return false;
    auto form = std::make_unique<TfrxPictureEditorForm>(Owner);
    form->Picture()->Assign(*Picture);
    if (form->ShowModal() != mrOk) return false;
    Picture->Assign(*form->Picture());
    return true;
}
