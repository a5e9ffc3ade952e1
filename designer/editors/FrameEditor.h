// The frame dialog: which sides of a frame are drawn, the line colour, style and width,
// and the drop shadow with its colour and width. Every button and both width boxes share
// one handler that acts by the sender's Tag; the colour and line pickers call it back
// with their own tags. The dialog edits its own frame; the caller copies back on OK.
#pragma once

#include <memory>

#include "platform/ui/Forms.h"

class TButton;
class TComboBox;
class TLabel;
class TToolBar;
class TToolButton;
class TfrxFrame;

// The tags the handler acts on (ORDER FRAMETAG).
enum : int {
    frxFrameTagTop = 1,
    frxFrameTagBottom = 2,
    frxFrameTagLeft = 3,
    frxFrameTagRight = 4,
    frxFrameTagAll = 5,
    frxFrameTagNone = 6,
    frxFrameTagColor = 7,
    frxFrameTagStyle = 8,
    frxFrameTagWidth = 9,
    frxFrameTagShadow = 10,
    frxFrameTagShadowColor = 11,
    frxFrameTagShadowWidth = 12,
    frxFrameTagColorPicked = 70,
    frxFrameTagStylePicked = 80,
    frxFrameTagShadowColorPicked = 110,
};

class TfrxFrameEditorForm : public TForm {
    ROVE_CLASS(TfrxFrameEditorForm, TForm)
public:
    explicit TfrxFrameEditorForm(TComponent* AOwner);
    ~TfrxFrameEditorForm() override;

    TLabel* FrameGB = nullptr;
    TLabel* LineStyleL = nullptr;
    TLabel* ShadowGB = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TToolButton *FrameTopB = nullptr, *FrameBottomB = nullptr, *FrameLeftB = nullptr, *FrameRightB = nullptr;
    TToolButton *FrameAllB = nullptr, *FrameNoB = nullptr;
    TToolBar* ToolBar2 = nullptr;
    TToolButton *FrameColorB = nullptr, *FrameStyleB = nullptr;
    TComboBox* FrameWidthCB = nullptr;
    TToolBar* ToolBar3 = nullptr;
    TToolButton *ShadowB = nullptr, *ShadowColorB = nullptr;
    TComboBox* ShadowWidthCB = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    // The frame edited: the caller fills it before showing and reads it after OK.
    TfrxFrame* Frame() const { return FFrame.get(); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Acts by the sender's Tag, then refreshes the buttons and boxes.
    void FrameBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxFrameEditorForm>& d);

    // The buttons' down states and the width boxes from the frame.
    void Refresh();

protected:
    void BindFields() override;

private:
    std::unique_ptr<TfrxFrame> FFrame;
};

// Shows the dialog on a copy of Frame; true (Frame changed) on OK.
bool frxEditFrame(TfrxFrame* Frame, TComponent* Owner = nullptr);
