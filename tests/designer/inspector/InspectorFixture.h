// What the inspector and command tests share: a designer that records every change in an
// undo history (one snapshot per SetModified, as the designer window does), reads its
// script by name, and a small report: Page1 with a master data band holding two memos,
// a line and a picture.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "../StubDesigner.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PictureView.h"
#include "report/Report.h"
#include "report/ReportServices.h"

class TInspectorDesigner : public TStubDesigner {
public:
    explicit TInspectorDesigner(TfrxReport* AReport);
    ~TInspectorDesigner() override;

    // Every change: one snapshot of the whole report.
    void SetModified(bool Value) override;
    // Handlers are "procedure Name(Sender: TfrxComponent);" lines before "begin" / "end.".
    std::vector<std::string> ListMatchingHandlers(const std::string& EventType) override;
    int FindHandlerLine(const std::string& Name) override;
    int InsertEventHandler(const std::string& EventType, const std::string& Name) override;
    void ShowCodeLine(int Line, int Column) override;

    int ModifiedCalls = 0;
    int ShownLine = 0;
    TfrxUndoBuffer Undo;
};

struct TInspectorReport {
    TInspectorReport();
    ~TInspectorReport();
    // Fills the designer's object list: every object of the page, the report, the page.
    void FillObjects();
    // Selects exactly these objects and shows them in the inspector.
    void Inspect(std::initializer_list<TfrxComponent*> Objects);
    // Types Text into the row named Row and presses Enter.
    void Type(const std::string& Row, const std::string& Text);
    // The row of a path of names ({"Font", "Size"}): the rows before the last are opened,
    // the last is looked for below them; -1 when there is none.
    int Row(const std::vector<std::string>& Path);
    // Clicks row Index (scrolled into view with the wheel first), which opens its editor.
    void ClickRow(int Index);
    // Clicks row Index, types Text over its value and presses Enter.
    void TypeAt(int Index, const std::string& Text);
    std::string Xml() const;
    // The names of the visible rows, in order.
    std::vector<std::string> RowNames() const;

    TUiTestHarness Ui;
    std::unique_ptr<TfrxReport> Report;
    TfrxReportPage* Page = nullptr;
    TfrxMasterData* Data = nullptr;
    TfrxMemoView* Memo1 = nullptr;
    TfrxMemoView* Memo2 = nullptr;
    TfrxLineView* Line1 = nullptr;
    TfrxPictureView* Picture1 = nullptr;
    std::unique_ptr<TInspectorDesigner> Designer;
    TfrxObjectInspector* Insp = nullptr;
};
