// The highlight dialog: the condition under which a memo is highlighted and the font
// style, font colour and background it is drawn with then. OK writes straight into the
// memo's highlight; the highlight font always starts from the memo's own font.
#pragma once

#include <memory>

#include "platform/graphics/Colors.h"
#include "platform/ui/Forms.h"

class TBitmap;
class TButton;
class TCheckBox;
class TColorDialog;
class TGroupBox;
class TRadioButton;
class TSpeedButton;
class TfrxComboEdit;
class TfrxCustomDesigner;
class TfrxCustomMemoView;
class TfrxHighlight;

class TfrxHighlightEditorForm : public TForm {
    ROVE_CLASS(TfrxHighlightEditorForm, TForm)
public:
    explicit TfrxHighlightEditorForm(TComponent* AOwner);

    TGroupBox* ConditionL = nullptr;
    TfrxComboEdit* ConditionE = nullptr;
    TGroupBox* FontGB = nullptr;
    TSpeedButton* FontColorB = nullptr;
    TCheckBox* BoldCB = nullptr;
    TCheckBox* ItalicCB = nullptr;
    TCheckBox* UnderlineCB = nullptr;
    TGroupBox* BackgroundGB = nullptr;
    TSpeedButton* BackColorB = nullptr;
    TRadioButton* TransparentRB = nullptr;
    TRadioButton* OtherRB = nullptr;
    TButton* OKB = nullptr;
    TButton* CancelB = nullptr;
    TColorDialog* ColorDialog1 = nullptr;

    // The memo whose highlight is edited; set before showing, not owned.
    TfrxCustomMemoView* MemoView = nullptr;
    // The colours being chosen.
    TColor BackColor() const { return FBackColor; }
    TColor FontColor() const { return FFontColor; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FontColorBClick(TObject* Sender);
    void BackColorBClick(TObject* Sender);
    void TransparentRBClick(TObject* Sender);
    void ConditionEButtonClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxHighlightEditorForm>& d);

protected:
    void BindFields() override;

private:
    TfrxHighlight* FHighlight = nullptr;
    TColor FBackColor = clNone;
    TColor FFontColor = clBlack;
};

// A colour swatch for a button: 14 x 15, button face, with a grey (808080) outlined
// square from (0, 0) to (14, 14) filled with Color (left unfilled for "no colour").
std::unique_ptr<TBitmap> frxColorSwatch(TColor Color);

// Shows the dialog for Memo's highlight; true (the highlight changed) on OK.
bool frxShowHighlightEditor(TfrxCustomMemoView* Memo, TfrxCustomDesigner* Designer);
