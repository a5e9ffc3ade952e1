// The picture window: a picture loaded from a file, pasted from or copied to the
// clipboard, or cleared, shown centred (and shrunk to fit when it is larger than the
// box) with its size in the status bar. The window edits the picture of its image; the
// caller copies a picture in and takes it back when the window closes with OK.
#pragma once

#include <string>

#include "platform/ui/Forms.h"

class TImage;
class TPicture;
class TScrollBox;
class TStatusBar;
class TToolBar;
class TToolButton;

class TfrxPictureEditorForm : public TForm {
    ROVE_CLASS(TfrxPictureEditorForm, TForm)
public:
    explicit TfrxPictureEditorForm(TComponent* AOwner);

    TToolBar* ToolBar = nullptr;
    TToolButton* LoadB = nullptr;
    TToolButton* CopyB = nullptr;
    TToolButton* PasteB = nullptr;
    TToolButton* ClearB = nullptr;
    TToolButton* Sep1 = nullptr;
    TToolButton* CancelB = nullptr;
    TToolButton* OkB = nullptr;
    TScrollBox* Box = nullptr;
    TImage* Image = nullptr;
    TStatusBar* StatusBar = nullptr;

    // The picture being edited (the image's).
    TPicture* Picture() const;

    void FormCreate(TObject* Sender);
    // Esc closes the window as Cancel does (an open list or a label being edited takes it first).
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormShow(TObject* Sender);
    void LoadBClick(TObject* Sender);
    void CopyBClick(TObject* Sender);
    void PasteBClick(TObject* Sender);
    void ClearBClick(TObject* Sender);
    void OkBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxPictureEditorForm>& d);

    // The status text and the stretch of the image after every change.
    void UpdateImage();

protected:
    void BindFields() override;
};

// The open dialog's filter: pictures, then all files.
std::string frxPictureFilter();

// Shows the window on a copy of Picture; on OK Picture takes the edited picture and the
// result is true.
bool frxShowPictureEditor(TPicture* Picture, TComponent* Owner = nullptr);
