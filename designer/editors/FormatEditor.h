// The display format dialog: the kind of a memo's display format (text, number,
// date/time, Boolean), its format string picked from the string table's samples or
// typed, and the decimal separator of numbers. The dialog edits its own copy; the
// caller copies it back when the dialog ends with OK.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TListBox;
class TCanvas;
class TfrxFormat;

class TfrxFormatEditorForm : public TForm {
    ROVE_CLASS(TfrxFormatEditorForm, TForm)
public:
    explicit TfrxFormatEditorForm(TComponent* AOwner);
    ~TfrxFormatEditorForm() override;

    TGroupBox* CategoryL = nullptr;
    TListBox* CategoryLB = nullptr;
    TGroupBox* FormatL = nullptr;
    TListBox* FormatLB = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TLabel* FormatStrL = nullptr;
    TEdit* FormatE = nullptr;
    TLabel* SeparatorL = nullptr;
    TEdit* SeparatorE = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    // The record the dialog edits: the caller fills it before showing and reads it after OK.
    TfrxFormat* Format() const { return FFormat.get(); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void CategoryLBClick(TObject* Sender);
    void FormatLBClick(TObject* Sender);
    void FormatLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    static void DeclareProperties(TPropertyDecl<TfrxFormatEditorForm>& d);

protected:
    void BindFields() override;

private:
    std::unique_ptr<TfrxFormat> FFormat;
};

// The string-table key of a format kind's category ("fkText", "fkNumber", ...).
const char* frxFormatCategoryKey(int Kind);
// The format entries of a kind: the texts of its category key + "1" .. "10" that the
// string table holds (a text that still contains "fk" is a missing key and left out).
std::vector<std::string> frxFormatEntries(int Kind);
// A format entry is drawn as its sample, the part before the first ";", at 2 pixels
// right of and 1 below the item's corner, after the item is filled.
void frxDrawFormatEntry(TCanvas& Canvas, const TRect& ARect, const std::string& Entry);

// Shows the dialog on a copy of Format; true (Format changed) on OK.
bool frxEditDisplayFormat(TfrxFormat* Format, TComponent* Owner = nullptr);
