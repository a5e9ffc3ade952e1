#include "EditorFixtures.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/StrUtils.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TTestDesigner)

TTestDesigner::TTestDesigner(TfrxReport* AReport) : TfrxCustomDesigner(nullptr, AReport, false) {
    if (AReport) AReport->Designer = this;
}

TTestDesigner::~TTestDesigner() {
    if (Report() && Report()->Designer == this) Report()->Designer = nullptr;
}

std::string TTestDesigner::InsertExpression(const std::string& Expr) {
    ExpressionsAsked.push_back(Expr);
    if (Expressions.empty()) return {};
    std::string e = Expressions.front();
    Expressions.erase(Expressions.begin());
    return e;
}

void TTestDesigner::SetModified(bool Value) {
    ++ModifiedCalls;
    TfrxCustomDesigner::SetModified(Value);
}

std::vector<std::string> TTestDesigner::ListMatchingHandlers(const std::string& EventType) {
    std::vector<std::string> out;
    const std::string params = EventType == "TfrxNotifyEvent" ? "(Sender: TfrxComponent);" : "(?)";
    for (const std::string& line : Code) {
        if (!StartsText("procedure ", line)) continue;
        const size_t open = line.find('(');
        if (open == std::string::npos) continue;
        if (SameText(Trim(line.substr(open)), params)) out.push_back(Trim(line.substr(10, open - 10)));
    }
    return out;
}

int TTestDesigner::FindHandlerLine(const std::string& Name) {
    for (size_t i = 0; i < Code.size(); ++i)
        if (StartsText("procedure " + Name + "(", Code[i])) return static_cast<int>(i);
    return -1;
}

int TTestDesigner::InsertEventHandler(const std::string& EventType, const std::string& Name) {
    auto end = std::find(Code.rbegin(), Code.rend(), "end.");
    auto begin = end == Code.rend() ? Code.rend() : std::find(end, Code.rend(), "begin");
    if (begin == Code.rend()) throw EfrxError(frxResources().Get("dsCantFindProc"));
    const auto at = static_cast<size_t>(Code.rend() - begin - 1);
    const std::string params = EventType == "TfrxNotifyEvent" ? "(Sender: TfrxComponent);" : "(?)";
    Code.insert(Code.begin() + static_cast<std::ptrdiff_t>(at),
                {"procedure " + Name + params, "begin", "", "end;", ""});
    return static_cast<int>(at) + 3;
}

void TTestDesigner::ShowCodeLine(int Line, int Column) {
    SwitchToCodeWindow();
    CodeShown.push_back({Line, Column});
}

void TTestDesigner::Select(std::initializer_list<TfrxComponent*> Objects) {
    SelectedObjects().assign(Objects.begin(), Objects.end());
}

TEditorReport::TEditorReport() : Report(std::make_unique<TfrxReport>(nullptr)) {
    // The editors keep their window positions in the report's settings store: a file of
    // the test's own, removed at the end.
    IniPath = (std::filesystem::temp_directory_path() /
               ("editor_test_" + std::to_string(::getpid()) + "_" + std::to_string(reinterpret_cast<uintptr_t>(this)) +
                ".ini"))
                  .string();
    Report->IniFile = IniPath;
    Items = new TfrxDBDataset(Report.get());
    Items->SetName("ItemsDS");
    Items->SetUserName("Items");
    for (const char* f : {"Name", "Price", "Qty"}) Items->FieldAliases()->Add(std::string(f) + "=" + f);
    Doctors = new TfrxUserDataSet(Report.get());
    Doctors->SetName("DoctorsDS");
    Doctors->SetUserName("Doctors");
    Doctors->Fields()->Add("Doctor");
    Report->DataSets()->Add(Items);
    Report->DataSets()->Add(Doctors);

    Page = new TfrxReportPage(Report.get());
    Page->SetName("Page1");
    Page->SetParent(Report.get());
    Group = new TfrxGroupHeader(Report.get());
    Group->SetName("GroupHeader1");
    Group->SetParent(Page);
    Group->SetBounds(0, 20, 700, 20);
    Data = new TfrxMasterData(Report.get());
    Data->SetName("MasterData1");
    Data->SetParent(Page);
    Data->SetBounds(0, 60, 700, 20);
    Data->SetDataSet(Items);
    Memo1 = new TfrxMemoView(Report.get());
    Memo1->SetName("Memo1");
    Memo1->SetParent(Data);
    Memo1->SetBounds(10, 0, 100, 18);
    Memo1->SetText("[Items.\"Name\"]");
    Memo2 = new TfrxMemoView(Report.get());
    Memo2->SetName("Memo2");
    Memo2->SetParent(Data);
    Memo2->SetBounds(120, 0, 100, 18);
    Memo2->SetText("Total");
    Designer = std::make_unique<TTestDesigner>(Report.get());
    Designer->SetPage(Page);
}

TEditorReport::~TEditorReport() {
    Designer.reset();
    Report.reset();
    std::error_code ec;
    std::filesystem::remove(IniPath, ec);
}

std::string TEditorReport::Xml() const {
    TStringStream s;
    Report->SaveToStream(s);
    return s.DataString();
}
