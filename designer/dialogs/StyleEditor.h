// The style editor: the report's named styles (a colour, a font and a frame each, which
// text objects refer to by name), edited on a copy that goes back into the report only
// with OK. A style set is loaded from and saved to a style file (".bs3").
#pragma once

#include <memory>
#include <string>

#include "platform/ui/Forms.h"

class TButton;
class TOpenDialog;
class TPaintBox;
class TSaveDialog;
class TToolBar;
class TToolButton;
class TTreeNode;
class TTreeView;
class TfrxCustomMemoView;
class TfrxReport;
class TfrxStyleItem;
class TfrxStyles;

class TfrxStyleEditorForm : public TForm {
    ROVE_CLASS(TfrxStyleEditorForm, TForm)
public:
    explicit TfrxStyleEditorForm(TComponent* AOwner);
    ~TfrxStyleEditorForm() override;

    TToolBar* ToolBar = nullptr;
    TToolButton *AddB = nullptr, *DeleteB = nullptr, *EditB = nullptr, *Sep1 = nullptr, *LoadB = nullptr,
                *SaveB = nullptr, *Sep2 = nullptr, *CancelB = nullptr, *OkB = nullptr;
    TTreeView* StylesTV = nullptr;
    TButton *ColorB = nullptr, *FontB = nullptr, *FrameB = nullptr;
    TPaintBox* PaintBox = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;

    // Set by the caller before showing; not owned.
    TfrxReport* Report = nullptr;
    // The working copy.
    TfrxStyles* Styles() const { return FStyles.get(); }
    // The style of the selected node, nullptr when none.
    TfrxStyleItem* SelectedStyle() const;

    void FormCreate(TObject* Sender);
    // Esc closes the window as Cancel does (an open list or a label being edited takes it first).
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void PaintBoxPaint(TObject* Sender);
    void StylesTVClick(TObject* Sender);
    void StylesTVChange(TObject* Sender, TTreeNode* Node);
    void StylesTVEdited(TObject* Sender, TTreeNode* Node, std::string& S);
    // The colour, font and frame buttons (tags 2, 3, 4) and the colour picker (tag 20).
    void BClick(TObject* Sender);
    void AddBClick(TObject* Sender);
    void DeleteBClick(TObject* Sender);
    void EditBClick(TObject* Sender);
    void LoadBClick(TObject* Sender);
    void SaveBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    void OkBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxStyleEditorForm>& d);

    // The list again with node Index selected (clamped to the last one).
    void FillList(int Index);

protected:
    void BindFields() override;

private:
    std::unique_ptr<TfrxStyles> FStyles;
};

// The button tags.
enum : int { frxStyleTagColor = 2, frxStyleTagFont = 3, frxStyleTagFrame = 4, frxStyleTagColorPicked = 20 };

// Copies the style's colour, font and frame to Memo (nothing for a null style).
void frxApplyStyle(TfrxCustomMemoView* Memo, const TfrxStyleItem* Style);

// Style files: a "stylesheet" document with one "style" element. Reading takes the first
// set of a style sheet, or a file holding a single "style" element; anything else, and a
// file of more than frxMaxStyleFileEntries styles, raises "Invalid file format" and
// leaves Styles as it was.
constexpr int frxMaxStyleFileEntries = 10000;
void frxLoadStyleFile(TfrxStyles* Styles, const std::string& FileName);
void frxSaveStyleFile(TfrxStyles* Styles, const std::string& FileName);

// Shows the editor (owned by Owner) on Report's styles; true when it ended with OK, the
// report's styles then being the edited ones.
bool frxShowStyleEditor(TfrxReport* Report, TComponent* Owner = nullptr);
