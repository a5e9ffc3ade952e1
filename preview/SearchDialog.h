// The find dialog: a text to find, optionally a replacement text, "from top" and "case
// sensitive". The preview's find uses it without the replacement row; the designer's
// replace shows the row. The last text found with OK is remembered for the whole process
// and offered, fully selected, the next time the dialog opens.
#pragma once

#include <string>

#include "platform/ui/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TPanel;

class TfrxSearchDialog : public TForm {
    ROVE_CLASS(TfrxSearchDialog, TForm)
public:
    explicit TfrxSearchDialog(TComponent* AOwner);

    TPanel* Panel2 = nullptr;
    TLabel* TextL = nullptr;
    TEdit* TextE = nullptr;
    TPanel* ReplacePanel = nullptr;
    TLabel* ReplaceL = nullptr;
    TEdit* ReplaceE = nullptr;
    TPanel* Panel3 = nullptr;
    TGroupBox* SearchL = nullptr;
    TCheckBox* TopCB = nullptr;
    TCheckBox* CaseCB = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxSearchDialog>& d);

protected:
    void BindFields() override;
};

// The text of the last search closed with OK (empty at start).
std::string& frxLastSearchText();

// What the caller asks for and gets back.
struct TfrxSearchOptions {
    std::string Text;
    std::string ReplaceText;
    bool FromTop = false;
    bool MatchCase = false;
    // Shows the replacement row (the designer's replace).
    bool ShowReplace = false;
    // False greys out "Search from top".
    bool FromTopEnabled = true;
};

// Shows the dialog modally with the options' check boxes and rows; on OK fills Options
// and returns true. Cancel changes nothing.
bool frxShowSearchDialog(TfrxSearchOptions& Options, TComponent* Owner = nullptr);
