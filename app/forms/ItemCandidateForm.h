// Txmzlhxform: the item candidate window of the charging window. Its grid shows the
// charging window's item query; while the search field has the focus every change of its
// text searches the items whose code contains it. Down or Up there moves the grid's mark
// and the keyboard to the grid; Enter or a double-click on a row chooses it (modal result
// OK), Esc cancels.
#pragma once

#include "platform/ui/Forms.h"

class TEdit;
class TCheckBox;
class TDBGrid;

class Txmzlhxform : public TForm {
    ROVE_CLASS(Txmzlhxform, TForm)
public:
    explicit Txmzlhxform(TComponent* AOwner);
    ~Txmzlhxform() override;

    TEdit* Edit1 = nullptr;          // the search field
    TCheckBox* CheckBox1 = nullptr;  // hidden: checked while the search field has the focus
    TDBGrid* DBGrid1 = nullptr;      // the charging window's DataSource4

    // Set by the charging window when its prefix search found nothing: the window then
    // starts with an empty search field.
    bool NotFound = false;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1Enter(TObject* Sender);
    void Edit1Exit(TObject* Sender);
    void Edit1Change(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit1KeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void DBGrid1KeyPress(TObject* Sender, char32_t& Key);
    void DBGrid1DblClick(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Txmzlhxform>& d);

protected:
    void BindFields() override;

private:
    bool HasRows() const;
};

extern Txmzlhxform* xmzlhxform;
