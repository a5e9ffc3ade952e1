#include "designer/dialogs/ReportDialogs.h"

#include "designer/dialogs/CrossEditor.h"
#include "designer/dialogs/ReportDataForm.h"
#include "designer/dialogs/ReportEditor.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/dialogs/VarEditor.h"
#include "designer/window/DesignerForm.h"
#include "designer/wizards/NewItemForm.h"
#include "designer/wizards/StdWizard.h"

void frxRegisterReportDialogs() {
    static const bool done = [] {
        TfrxDesignerDialogs& d = frxDesignerDialogs();
        d.Variables = [](TfrxDesignerForm* Form) { return frxShowVarEditor(Form); };
        d.ReportData = [](TfrxDesignerForm* Form) { return frxShowReportDataForm(Form->Report(), Form); };
        d.ReportStyles = [](TfrxDesignerForm* Form) { return frxShowStyleEditor(Form->Report(), Form); };
        d.ReportOptions = [](TfrxDesignerForm* Form) { return frxShowReportEditor(Form->Report(), Form); };
        d.NewItem = [](TfrxDesignerForm* Form) { return frxShowNewItemForm(Form); };
        frxRegisterCrossEditor();
        frxRegisterWizards();
        return true;
    }();
    (void)done;
}
