// The memo text window: the text of a memo view edited with buttons that insert an
// expression (in the memo's expression delimiters), an aggregate or a display format
// tag at the caret. Ctrl+Enter accepts, Escape discards. The window comes back where it
// was left, as the report's settings store remembers it.
#pragma once

#include <string>

#include "platform/ui/Forms.h"

class TMemo;
class TToolBar;
class TToolButton;
class TfrxCustomDesigner;
class TfrxCustomMemoView;
class TfrxFormat;

class TfrxMemoEditorForm : public TForm {
    ROVE_CLASS(TfrxMemoEditorForm, TForm)
public:
    explicit TfrxMemoEditorForm(TComponent* AOwner);

    TToolBar* ToolBar = nullptr;
    TToolButton* ExprB = nullptr;
    TToolButton* AggregateB = nullptr;
    TToolButton* LocalFormatB = nullptr;
    TToolButton* WordWrapB = nullptr;
    TToolButton* Sep1 = nullptr;
    TToolButton* CancelB = nullptr;
    TToolButton* OkB = nullptr;
    TMemo* Memo = nullptr;

    // The memo view edited; set before showing, not owned.
    TfrxCustomMemoView* MemoView = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void OkBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    void WordWrapBClick(TObject* Sender);
    void ExprBClick(TObject* Sender);
    void AggregateBClick(TObject* Sender);
    void LocalFormatBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxMemoEditorForm>& d);

protected:
    void BindFields() override;

private:
    TfrxCustomDesigner* Designer() const;
    bool FRestoring = false;
};

// The text an expression is inserted as: the opening and the closing part of the
// delimiters ("[,]": "[" and "]") around it; a lone field reference ("<Items."Name">")
// loses its angle brackets.
std::string frxDelimitedExpression(const std::string& Expr, const std::string& Delimiters);
// The display-format tag of a format record: "" for text, " #n" + the format with every
// ",", "-" and "." turned into the record's decimal separator, " #d" + the format, or
// " #b" + the format.
std::string frxFormatTag(const TfrxFormat& Format);

// Shows the window on Memo's text; on OK Text is the edited text and the result true.
bool frxShowMemoEditor(TfrxCustomMemoView* Memo, TfrxCustomDesigner* Designer, std::string& Text);
