#include "designer/dialogs/ReportDialogs.h"

#include <map>
#include <string>

#include "designer/dialogs/CrossEditor.h"
#include "designer/dialogs/ReportDataForm.h"
#include "designer/dialogs/ReportEditor.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/dialogs/VarEditor.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "designer/wizards/NewItemForm.h"
#include "designer/wizards/StdWizard.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Forms.h"
#include "report/DataSet.h"

void frxRegisterReportDialogs() {
    static const bool done = [] {
        TfrxDesignerDialogs& d = frxDesignerDialogs();
        d.Variables = [](TfrxDesignerForm* Form) { return frxShowVarEditor(Form); };
        d.ReportData = [](TfrxDesignerForm* Form) { return frxShowReportDataForm(Form->Report(), Form); };
        d.ReportStyles = [](TfrxDesignerForm* Form) { return frxShowStyleEditor(Form->Report(), Form); };
        d.ReportOptions = [](TfrxDesignerForm* Form) { return frxShowReportEditor(Form->Report(), Form); };
        d.NewItem = [](TfrxDesignerForm* Form) {
            if (!frxShowNewItemForm(Form)) return false;
            // The generated report starts a history of its own, as a new report does:
            // reloading it kept one snapshot and marking it modified another of the same
            // report, which left an Undo that changed nothing.
            Form->UndoBuffer()->ClearUndo();
            Form->UndoBuffer()->PushUndo(Form->Report());
            Form->UpdateControls();
            return true;
        };
        frxRegisterCrossEditor();
        frxRegisterWizards();
        return true;
    }();
    (void)done;
}

void frxQualifyDataSetNames(TStrings* List) {
    if (!List) return;
    std::map<std::string, int> seen;
    for (int i = 0; i < List->Count(); ++i) ++seen[List->Get(i)];
    for (int i = 0; i < List->Count(); ++i) {
        if (seen[List->Get(i)] < 2) continue;
        auto* ds = dynamic_cast<TComponent*>(List->Objects(i));
        TComponent* owner = ds ? ds->Owner() : nullptr;
        if (!owner) continue;
        std::string place = owner->Name();
        if (auto* form = dynamic_cast<TCustomForm*>(owner); form && !form->Caption().empty()) place = form->Caption();
        if (!place.empty()) List->Put(i, List->Get(i) + " (" + place + ")");
    }
}
