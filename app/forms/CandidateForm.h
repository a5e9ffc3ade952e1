// Tbrzlhxform: the candidate pick list shown under a code field when a look-up finds
// several rows. It has a grid for patients, one for doctors and one for items, each on a
// data source of the charging window, all hidden until the caller shows the one it needs.
// Enter or a double-click in the grid chooses the current row (modal result OK), Esc
// cancels; the caller reads the current row of its own query. Created on demand, owned by
// its caller and freed after use.
#pragma once

#include "platform/ui/Forms.h"

class TDBGrid;
class TEdit;

class Tbrzlhxform : public TForm {
    ROVE_CLASS(Tbrzlhxform, TForm)
public:
    explicit Tbrzlhxform(TComponent* AOwner);
    ~Tbrzlhxform() override;

    TDBGrid* DBGrid1 = nullptr;   // patients (charging window DataSource2)
    TDBGrid* DBGrid2 = nullptr;   // doctors (DataSource3)
    TDBGrid* DBGrid3 = nullptr;   // items (DataSource4)

    // Makes grid 1, 2 or 3 the visible one.
    void ShowGrid(int Grid);

    void FormShow(TObject* Sender);
    void DBGridKeyPress(TObject* Sender, char32_t& Key);
    void DBGridDblClick(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tbrzlhxform>& d);

protected:
    void BindFields() override;
};

// The pick list of several look-up rows, as every code field offers it: created owned by
// Owner, without border, with its top-left corner just under Field (2 pixels left of its
// left edge, the field's height below its top), showing grid 1 (patients), 2 (doctors) or
// 3 (items) of the charging window's queries, run modally and freed. True when a row was
// chosen; the caller reads the current row of the query.
bool PickCandidateUnder(TComponent* Owner, TEdit* Field, int Grid);
