#include "InspectorFixture.h"
#include "../inspector_input.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "designer/editors/Registration.h"
#include "designer/inspector/InspectorHints.h"
#include "designer/resources/DesignerTexts.h"
#include "report/DesignRegistries.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "report/Resources.h"

TInspectorDesigner::TInspectorDesigner(TfrxReport* AReport) : TStubDesigner(AReport) {
    Units = 2;
    AReport->Designer = this;
    Undo.PushUndo(AReport);
}

TInspectorDesigner::~TInspectorDesigner() {
    if (Report() && Report()->Designer == this) Report()->Designer = nullptr;
}

void TInspectorDesigner::SetModified(bool Value) {
    ++ModifiedCalls;
    TfrxCustomDesigner::SetModified(Value);
    Undo.PushUndo(Report());
    Undo.ClearRedo();
}

std::vector<std::string> TInspectorDesigner::ListMatchingHandlers(const std::string&) {
    std::vector<std::string> out;
    for (const std::string& line : Code)
        if (StartsText("procedure ", line) && line.find("(Sender: TfrxComponent);") != std::string::npos)
            out.push_back(line.substr(10, line.find('(') - 10));
    return out;
}

int TInspectorDesigner::FindHandlerLine(const std::string& Name) {
    for (size_t i = 0; i < Code.size(); ++i)
        if (StartsText("procedure " + Name + "(", Code[i])) return static_cast<int>(i);
    return -1;
}

int TInspectorDesigner::InsertEventHandler(const std::string&, const std::string& Name) {
    const auto begin = std::find(Code.begin(), Code.end(), "begin");
    if (begin == Code.end()) throw EfrxError(frxResources().Get("dsCantFindProc"));
    const auto at = static_cast<size_t>(begin - Code.begin());
    Code.insert(begin, {"procedure " + Name + "(Sender: TfrxComponent);", "begin", "", "end;", ""});
    return static_cast<int>(at) + 3;
}

void TInspectorDesigner::ShowCodeLine(int Line, int) {
    ShownLine = Line;
    SwitchToCodeWindow();
}

TInspectorReport::TInspectorReport() : Report(std::make_unique<TfrxReport>(nullptr)) {
    frxRegisterDesignerTexts();
    frxRegisterInspectorHints();
    frxRegisterDesignerEditors();
    Page = new TfrxReportPage(Report.get());
    Page->SetName("Page1");
    Page->SetParent(Report.get());
    Data = new TfrxMasterData(Report.get());
    Data->SetName("MasterData1");
    Data->SetParent(Page);
    Data->SetBounds(0, 40, 700, 60);
    Memo1 = new TfrxMemoView(Report.get());
    Memo1->SetName("Memo1");
    Memo1->SetParent(Data);
    Memo1->SetBounds(10, 0, 100, 20);
    Memo1->SetText("Total");
    Memo2 = new TfrxMemoView(Report.get());
    Memo2->SetName("Memo2");
    Memo2->SetParent(Data);
    Memo2->SetBounds(120, 0, 100, 20);
    Line1 = new TfrxLineView(Report.get());
    Line1->SetName("Line1");
    Line1->SetParent(Data);
    Line1->SetBounds(10, 30, 200, 0);
    Picture1 = new TfrxPictureView(Report.get());
    Picture1->SetName("Picture1");
    Picture1->SetParent(Data);
    Picture1->SetBounds(300, 0, 50, 50);
    Designer = std::make_unique<TInspectorDesigner>(Report.get());
    Designer->SetPage(Page);
    Designer->Code = {"begin", "", "end."};
    FillObjects();
    Insp = new TfrxObjectInspector(Designer.get());
    Insp->OnModify = [this](TObject*) { Designer->SetModified(true); };
    Insp->SetBounds(0, 0, 260, 500);
    Insp->Show();
    Insp->SetObjectList(Designer->Objects());
}

TInspectorReport::~TInspectorReport() {
    delete Insp;
    Designer.reset();
    Report.reset();
}

void TInspectorReport::FillObjects() {
    auto& all = Designer->Objects();
    all = Page->AllObjects();
    all.push_back(Report.get());
    all.push_back(Page);
}

void TInspectorReport::Inspect(std::initializer_list<TfrxComponent*> Objects) {
    Designer->SelectedObjects().assign(Objects.begin(), Objects.end());
    Insp->SetObjects(&Designer->SelectedObjects());
}

void TInspectorReport::Type(const std::string& Row, const std::string& Text) {
    const int row = Insp->FindRow(Row);
    ASSERT_GE(row, 0) << Row;
    TypeAt(row, Text);
}

int TInspectorReport::Row(const std::vector<std::string>& Path) {
    int from = 0;
    for (size_t k = 0; k < Path.size(); ++k) {
        int found = -1;
        for (int i = from; i < Insp->RowCount() && found < 0; ++i)
            if (Insp->RowName(i) == Path[k]) found = i;
        if (found < 0) return -1;
        if (k + 1 < Path.size() && !Insp->RowItem(found)->Expanded) Insp->ToggleRow(found);
        from = found + 1;
        if (k + 1 == Path.size()) return found;
    }
    return -1;
}

void TInspectorReport::ClickRow(int Index) { ClickInspectorRow(Insp, Index); }

void TInspectorReport::TypeAt(int Index, const std::string& Text) {
    // The click selects the row's text in its editor: what is typed replaces it.
    ClickRow(Index);
    if (Text.empty()) TUiTestHarness::TypeKey(Insp->Edit1, VK_BACK);
    else TUiTestHarness::TypeText(Insp->Edit1, Text);
    TUiTestHarness::TypeKey(Insp->Edit1, VK_RETURN);
}

std::string TInspectorReport::Xml() const {
    TStringStream s;
    Report->SaveToStream(s);
    return s.DataString();
}

std::vector<std::string> TInspectorReport::RowNames() const {
    std::vector<std::string> out;
    for (int i = 0; i < Insp->RowCount(); ++i) out.push_back(Insp->RowName(i));
    return out;
}
