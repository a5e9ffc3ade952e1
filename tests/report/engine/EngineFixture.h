// The engine tests' fixture: an SQLite table "items" behind a report dataset "DS", a
// report on a 100 x 100 mm page without margins, and descriptions of prepared pages as
// "Band@top=text|text" (with "@left,top" where asked).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "report/Bands.h"
#include "report/Engine.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"


// items(name, grp, amount): rows n1..nN; grp "a" for the first two, "b" after.
class TDatabase {
public:
    explicit TDatabase(int Rows) {
        FileName = CreateTempFile("", "enginetest");
        TSqliteDatabase db;
        db.Open(FileName, TSqliteDatabase::omReadWriteCreate);
        std::string script = "CREATE TABLE items (id INTEGER, name TEXT(20), grp TEXT(5), amount FLOAT);";
        for (int i = 1; i <= Rows; ++i)
            script += "INSERT INTO items VALUES (" + std::to_string(i) + ", 'n" + std::to_string(i) + "', '" +
                      (i <= 2 ? "a" : "b") + "', " + std::to_string(i) + ");";
        db.ExecScript(script);
        db.Close();
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName);
        Connection->SetLoginPrompt(false);
        Connection->Open();
        Query = std::make_unique<TADOQuery>(nullptr);
        Query->SetConnection(Connection.get());
        Query->SQL()->SetText("select * from items order by id");
    }
    ~TDatabase() {
        Query.reset();
        Connection.reset();
        DeleteFile(FileName);
    }
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
};

// A report on a 100 x 100 mm page without margins (printable height 377.953 px) with a
// dataset "DS" over the items.
struct TBuilder {
    TDatabase Db;
    std::unique_ptr<TfrxReport> Report;
    TfrxReportPage* Page = nullptr;
    TfrxDBDataset* DS = nullptr;

    explicit TBuilder(int Rows) : Db(Rows), Report(std::make_unique<TfrxReport>(nullptr)) {
        Report->EngineOptions()->SilentMode = true;
        DS = new TfrxDBDataset(Report.get());
        DS->SetName("DS");
        DS->SetDataSet(Db.Query.get());
        Report->DataSets()->Add(DS);
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Page->SetPaperSize(frxCustomPaperSize);
        Page->SetPaperWidth(100);
        Page->SetPaperHeight(100);
        Page->LeftMargin = Page->RightMargin = Page->TopMargin = Page->BottomMargin = 0;
    }

    template <class B> B* Band(const std::string& Name, double Top, double Height) {
        auto* b = new B(Page);
        b->SetName(Name);
        b->SetBounds(0, Top, 300, Height);
        return b;
    }
    TfrxMemoView* Memo(TfrxBand* Band, const std::string& Text, double Top = 0, double Height = 0) {
        auto* m = new TfrxMemoView(Band);
        m->CreateUniqueName();
        m->SetBounds(0, Top, 200, Height > 0 ? Height : Band->Height());
        m->SetText(Text);
        return m;
    }
    TfrxMasterData* Master(double Top, double Height, const std::string& Text) {
        auto* md = Band<TfrxMasterData>("MasterData1", Top, Height);
        md->SetDataSet(DS);
        Memo(md, Text);
        return md;
    }
};

inline std::string Number(double Value) {
    // Plain C formatting: the case tables are built before the program's format settings.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", Value);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

inline std::string MemoText(TfrxComponent* Obj) {
    auto* m = dynamic_cast<TfrxCustomMemoView*>(Obj);
    if (!m) return {};
    std::string s = m->Text();
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.resize(s.size() - 2);
    return s;
}

// "Band@top=text|text" for every band of the page, blank-separated; with WithX
// "Band@left,top=...".
inline std::string Describe(TfrxPage* Page, bool WithX = false) {
    std::string out;
    if (!Page) return "(no page)";
    for (TfrxComponent* b : Page->ObjectList()) {
        if (!out.empty()) out += ' ';
        out += b->Name() + "@" + (WithX ? Number(b->Left()) + "," : std::string()) + Number(b->Top());
        std::string texts;
        for (TfrxComponent* c : b->ObjectList()) {
            if (!texts.empty()) texts += '|';
            texts += MemoText(c);
        }
        if (!texts.empty()) out += "=" + texts;
    }
    return out;
}

inline std::vector<std::string> Pages(TfrxReport& Report, bool WithX = false) {
    std::vector<std::string> pages;
    TfrxCustomPreviewPages* pp = Report.PreviewPages();
    for (int i = 0; i < pp->Count(); ++i) pages.push_back(Describe(pp->GetPage(i), WithX));
    return pages;
}

// Rows First..Last of MasterData1, Step pixels apart from Top, with Text(i) as text.
inline std::string Rows(int First, int Last, double Top, double Step, const std::function<std::string(int)>& Text) {
    std::string out;
    for (int i = First; i <= Last; ++i) {
        if (!out.empty()) out += ' ';
        out += "MasterData1@" + Number(Top + (i - First) * Step) + "=" + Text(i);
    }
    return out;
}

inline std::string Name(int i) { return "n" + std::to_string(i); }

