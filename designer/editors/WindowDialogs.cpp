// The designer window's dialog entries that the editors provide: the page settings
// command opens the page dialog on the current report page, and the window's expression
// insertion opens the expression window.
#include "designer/editors/ExprEditor.h"
#include "designer/editors/PageEditor.h"
#include "designer/editors/Registration.h"
#include "designer/window/DesignerForm.h"
#include "report/Pages.h"

void frxRegisterEditorDialogs() {
    TfrxDesignerDialogs& d = frxDesignerDialogs();
    d.PageSettings = [](TfrxDesignerForm* Form) {
        auto* page = dynamic_cast<TfrxReportPage*>(Form->Page());
        return page && frxShowPageEditor(page, Form);
    };
    d.ExpressionEditor = [](TfrxDesignerForm* Form, std::string& Expr) { return frxShowExprEditor(Form, Expr); };
}
