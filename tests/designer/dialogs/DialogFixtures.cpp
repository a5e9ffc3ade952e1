#include "DialogFixtures.h"

#include <filesystem>
#include <unistd.h>

#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(TDialogTestDesigner)

namespace {
std::string TempName(const std::string& Stem, const void* Self, const std::string& Extension) {
    return (std::filesystem::temp_directory_path() /
            (Stem + std::to_string(::getpid()) + "_" + std::to_string(reinterpret_cast<uintptr_t>(Self)) + Extension))
        .string();
}
}  // namespace

TDialogTestDesigner::TDialogTestDesigner(TfrxReport* AReport) : TfrxCustomDesigner(nullptr, AReport, false) {
    if (AReport) AReport->Designer = this;
}

TDialogTestDesigner::~TDialogTestDesigner() {
    if (Report() && Report()->Designer == this) Report()->Designer = nullptr;
}

void TDialogTestDesigner::SetModified(bool Value) {
    ++ModifiedCalls;
    TfrxCustomDesigner::SetModified(Value);
}

TDialogReport::TDialogReport() : Report(std::make_unique<TfrxReport>(nullptr)) {
    IniPath = TempName("dialog_test_", this, ".ini");
    Report->IniFile = IniPath;
    Page = new TfrxReportPage(Report.get());
    Page->SetName("Page1");
    Data = new TfrxMasterData(Page);
    Data->SetName("MasterData1");
    Data->SetBounds(0, 40, 700, 20);
    Memo1 = new TfrxMemoView(Data);
    Memo1->SetName("Memo1");
    Memo1->SetBounds(0, 0, 100, 18);
    Items = new TfrxUserDataSet(Report.get());
    Items->SetName("ItemsDS");
    Items->SetUserName("Items");
    Items->Fields()->SetText("Name\r\nPrice\r\nQty\r\n");
    Doctors = new TfrxUserDataSet(Report.get());
    Doctors->SetName("DoctorsDS");
    Doctors->SetUserName("Doctors");
    Doctors->Fields()->SetText("Doctor\r\n");
    Report->DataSets()->Add(Items);
    Designer = std::make_unique<TDialogTestDesigner>(Report.get());
}

TDialogReport::~TDialogReport() {
    Designer.reset();
    Report.reset();
    std::error_code ec;
    std::filesystem::remove(IniPath, ec);
}

std::string TDialogReport::Xml() const {
    TStringStream s;
    Report->SaveToStream(s);
    return s.DataString();
}

TTempFile::TTempFile(const std::string& Extension) : Name(TempName("dialog_file_", this, Extension)) {}

TTempFile::~TTempFile() {
    std::error_code ec;
    std::filesystem::remove(Name, ec);
}

TSalesData::TSalesData(int Rows, TComponent* Owner) {
    FileName = CreateTempFile("", "dialogsales");
    TSqliteDatabase db;
    db.Open(FileName, TSqliteDatabase::omReadWriteCreate);
    std::string script = "CREATE TABLE sales (region TEXT(10), product TEXT(10), year INTEGER, amount FLOAT, qty INTEGER, "
        "note TEXT(80));";
    const char* regions[] = {"North", "South", "East"};
    const char* products[] = {"Tea", "Rice"};
    for (int i = 0; i < Rows; ++i)
        script += std::string("INSERT INTO sales VALUES ('") + regions[i % 3] + "', '" + products[i % 2] + "', " +
                  std::to_string(2020 + i % 2) + ", " + std::to_string(10 + i) + ", " + std::to_string(i + 1) + ", 'n" +
                  std::to_string(i) + "');";
    db.ExecScript(script);
    db.Close();
    Connection = std::make_unique<TADOConnection>(nullptr);
    Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName);
    Connection->SetLoginPrompt(false);
    Connection->Open();
    Query = std::make_unique<TADOQuery>(nullptr);
    Query->SetConnection(Connection.get());
    Query->SQL()->SetText("select region, product, year, amount, qty from sales order by region, product");
    DataSet = new TfrxDBDataset(Owner);
    DataSet->SetName("SalesDS");
    DataSet->SetUserName("Sales");
    DataSet->SetDataSet(Query.get());
}

TSalesData::~TSalesData() {
    if (!DataSet->Owner()) delete DataSet;
    Query.reset();
    Connection.reset();
    DeleteFile(FileName);
}

namespace {

void CollectCutLabels(TWinControl* Parent, TCanvas* Canvas, std::vector<std::string>& Cut) {
    std::vector<TLabel*> labels;
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        if (!c->Visible()) continue;
        if (auto* w = dynamic_cast<TWinControl*>(c)) CollectCutLabels(w, Canvas, Cut);
        auto* label = dynamic_cast<TLabel*>(c);
        if (!label || label->WordWrap() || label->Caption().empty()) continue;
        labels.push_back(label);
        Canvas->Font()->Assign(*label->Font());
        const std::string text = StripHotkey(label->Caption());
        if (Canvas->TextWidth(text) > label->Width()) Cut.push_back(label->Name() + " wider than itself: " + text);
        if (label->Left() + std::min(label->Width(), Canvas->TextWidth(text)) > Parent->ClientWidth())
            Cut.push_back(label->Name() + " past its parent: " + text);
    }
    for (size_t i = 0; i < labels.size(); ++i)
        for (size_t j = i + 1; j < labels.size(); ++j) {
            TLabel *a = labels[i], *b = labels[j];
            Canvas->Font()->Assign(*a->Font());
            const int aw = Canvas->TextWidth(StripHotkey(a->Caption()));
            Canvas->Font()->Assign(*b->Font());
            const int bw = Canvas->TextWidth(StripHotkey(b->Caption()));
            const bool apart = a->Left() + aw <= b->Left() || b->Left() + bw <= a->Left() ||
                               a->Top() + a->Height() <= b->Top() || b->Top() + b->Height() <= a->Top();
            if (!apart) Cut.push_back(a->Name() + " over " + b->Name());
        }
}

}  // namespace

std::vector<std::string> CutLabels(TWinControl* Root) {
    std::vector<std::string> cut;
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    CollectCutLabels(Root, bitmap.Canvas(), cut);
    return cut;
}
