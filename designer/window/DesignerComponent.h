// The designer's options component: a non-visual component that tunes every designer
// window of the process (closing without the save question, the start folders of the file
// dialogs, operations the user may not do, hooks that replace opening and saving and one
// that runs when a designer window has been built). The last one created is in force; the
// designer window asks it on every decision through frxGlobalDesigner().
#pragma once

#include <string>

#include "platform/classes/Component.h"

class TfrxReport;

// The operations a designer may refuse, in the order of their bits.
ROVE_ENUM(TfrxDesignerRestriction, drDontInsertObject, drDontDeletePage, drDontCreatePage, drDontChangePageOptions,
          drDontCreateReport, drDontLoadReport, drDontSaveReport, drDontPreviewReport, drDontEditVariables,
          drDontChangeReportOptions)
ROVE_SET(TfrxDesignerRestrictions, TfrxDesignerRestriction)

// (Report): Result: the handler loaded a report.
using TfrxLoadReportEvent = TEvent<bool(TfrxReport* Report)>;
ROVE_EVENT_TYPE(TfrxLoadReportEvent)
// (Report, SaveAs): Result: the handler saved the report.
using TfrxSaveReportEvent = TEvent<bool(TfrxReport* Report, bool SaveAs)>;
ROVE_EVENT_TYPE(TfrxSaveReportEvent)

class TfrxDesigner : public TComponent {
    ROVE_CLASS(TfrxDesigner, TComponent)
public:
    // Becomes the options component in force (an earlier one is replaced, not freed).
    explicit TfrxDesigner(TComponent* AOwner);
    // Only the component in force leaves the place empty; destroying another one lifts
    // nothing.
    ~TfrxDesigner() override;

    // False: closing a modified designer does not ask to save.
    bool CloseQuery = true;
    std::string OpenDir;
    std::string SaveDir;
    TfrxDesignerRestrictions Restrictions;
    // The set as the 16-bit word that stores it (bit i: the value with ordinal i).
    uint16_t RestrictionsWord() const { return static_cast<uint16_t>(Restrictions.Mask()); }
    void SetRestrictionsWord(uint16_t Value) { Restrictions = TfrxDesignerRestrictions::FromMask(Value); }

    TfrxLoadReportEvent OnLoadReport;
    TfrxSaveReportEvent OnSaveReport;
    TNotifyEvent OnShow;

    static void DeclareProperties(TPropertyDecl<TfrxDesigner>& d);
};

// The options component in force, nullptr while none exists.
TfrxDesigner* frxGlobalDesigner();
// Makes Value the one in force (the designer's preview mode puts back the one it saved).
void frxSetGlobalDesigner(TfrxDesigner* Value);
