// Prepared pages on paper and screen: page ranges, odd and even pages, copies with and
// without collation, reverse order and cancelling, against a printer that records the
// job and against a real PDF printer; views that are not printable; memo text in a PDF
// read back in order, one text object per run.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/Printers.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Printer.h"
#include "report/Report.h"
#include "tests/report/TestPdfPrinter.h"

#include <QByteArray>
#include <QFile>

namespace {

// Records the job: "begin", "page N xC" (page number, printer copies), "end", "abort".
class TRecordingPrinter : public TfrxVirtualPrinter {
public:
    TRecordingPrinter() : TfrxVirtualPrinter("Recorder", "") { Init(); }
    std::vector<std::string> Log;
    int Progress = 0;
    void BeginDoc(const std::string&) override { Log.push_back("begin"); }
    void EndDoc() override { Log.push_back("end"); }
    void Abort() override { Log.push_back("abort"); }
    void SetPrintParams(int APaperSize, double APaperWidth, double APaperHeight, TPrinterOrientation AOrientation,
                        int ABin, int ADuplex, int ACopies) override {
        TfrxVirtualPrinter::SetPrintParams(APaperSize, APaperWidth, APaperHeight, AOrientation, ABin, ADuplex, ACopies);
        Log.push_back("page " + std::to_string(Progress) + " x" + std::to_string(ACopies));
    }
};

// A report page of 100 x 100 mm with a band and two memos, prepared into Count pages:
// page i says "Page<i+1>"; the second memo is not printable and says "Screen<i+1>".
struct TPrepared {
    TfrxReport Report{nullptr};
    TfrxReportPage* Page;
    TfrxMasterData* Band;
    TfrxMemoView* Memo;
    TfrxMemoView* Hidden;
    TfrxPreviewPages Pages{&Report};

    explicit TPrepared(int Count) {
        frxRegisterPreviewPages();
        Page = new TfrxReportPage(&Report);
        Page->SetName("Page1");
        Page->SetPaperSize(frxCustomPaperSize);
        Page->SetPaperWidth(100);
        Page->SetPaperHeight(100);
        Band = new TfrxMasterData(Page);
        Band->SetName("MasterData1");
        Band->SetBounds(0, 0, 300, 60);
        Memo = new TfrxMemoView(Band);
        Memo->SetName("Memo1");
        Memo->SetBounds(0, 0, 200, 25);
        Hidden = new TfrxMemoView(Band);
        Hidden->SetName("Memo2");
        Hidden->SetBounds(0, 30, 200, 25);
        Hidden->SetPrintable(false);
        Hidden->SetColor(clRed);
        Pages.AddSourcePage(Page);
        for (int i = 0; i < Count; ++i) {
            Pages.AddPage(Page);
            Memo->SetText("Page" + std::to_string(i + 1));
            Hidden->SetText("Screen" + std::to_string(i + 1));
            Pages.AddObject(Band);
        }
    }
};

}  // namespace

TEST(PreparedOutput, PageRangesCopiesAndCollation) {
    struct TCase {
        const char* What;
        int Pages;
        TfrxPrintSettings Settings;
        std::vector<std::string> Expected;
    };
    auto S = [](int Copies, bool Collate, const char* Numbers, TfrxPrintPages Which, bool Reverse = false) {
        TfrxPrintSettings s;
        s.Copies = Copies;
        s.Collate = Collate;
        s.PageNumbers = Numbers;
        s.PrintPages = Which;
        s.Reverse = Reverse;
        return s;
    };
    const TCase cases[] = {
        {"range with odd pages", 12, S(1, true, "1,3,5-12", ppOdd),
         {"begin", "page 1 x1", "page 3 x1", "page 5 x1", "page 7 x1", "page 9 x1", "page 11 x1", "end"}},
        {"even pages", 5, S(1, true, "", ppEven), {"begin", "page 2 x1", "page 4 x1", "end"}},
        {"collated copies", 2, S(3, true, "", ppAll),
         {"begin", "page 1 x1", "page 2 x1", "page 1 x1", "page 2 x1", "page 1 x1", "page 2 x1", "end"}},
        {"printer copies", 2, S(3, false, "", ppAll), {"begin", "page 1 x3", "page 2 x3", "end"}},
        {"reverse", 3, S(1, true, "2-", ppAll, true), {"begin", "page 3 x1", "page 2 x1", "end"}},
        {"copies below one", 1, S(0, false, "", ppAll), {"begin", "page 1 x1", "end"}},
        {"a range past the last page prints nothing", 2, S(1, true, "20-30", ppAll), {}},
        {"a huge range stays within the pages", 2, S(1, true, "2-2000000000", ppAll), {"begin", "page 2 x1", "end"}},
        {"no page passes odd/even", 1, S(1, true, "", ppEven), {}},
    };
    for (const TCase& c : cases) {
        TPrepared p(c.Pages);
        TRecordingPrinter printer;
        p.Pages.OnPrintProgress = [&](TObject*, int Page) { printer.Progress = Page; };
        EXPECT_TRUE(p.Pages.PrintTo(printer, c.Settings)) << c.What;
        EXPECT_EQ(printer.Log, c.Expected) << c.What;
        EXPECT_LE(p.Pages.CachedPages(), 1) << c.What << ": printed pages leave the cache";
    }
    TPrepared p(2);
    TRecordingPrinter printer;
    EXPECT_THROW(p.Pages.PrintTo(printer, S(1, true, "1,x", ppAll)), Exception);
    EXPECT_TRUE(printer.Log.empty());
}

// Without an installed printer the stand-in that lays reports out is no place to print:
// the print fails with the library's text instead of counting as done.
TEST(PreparedOutput, PrintWithoutAPrinterFailsWithTheLibrarysText) {
    if (frxPrinters().HasPhysicalPrinters()) GTEST_SKIP() << "a printer is installed here";
    TPrepared p(1);
    p.Report.PrintOptions()->ShowDialog = false;
    try {
        p.Pages.Print();
        ADD_FAILURE() << "the print counted as done";
    } catch (const EfrxError& e) {
        EXPECT_EQ(e.Message(), "系统未安装打印机");
    }
}

TEST(PreparedOutput, CancellingAbortsTheJob) {
    TPrepared p(4);
    TRecordingPrinter printer;
    p.Pages.OnPrintProgress = [&](TObject*, int Page) {
        printer.Progress = Page;
        if (Page == 2) p.Pages.SetTerminated(true);
    };
    TfrxPrintSettings s;
    s.Copies = 2;
    EXPECT_FALSE(p.Pages.PrintTo(printer, s));
    EXPECT_EQ(printer.Log, (std::vector<std::string>{"begin", "page 1 x1", "page 2 x1", "abort"}));
}

TEST(PreparedOutput, PdfGetsTheChosenPagesWithoutUnprintableViews) {
    TPrepared p(3);
    const std::string file = GetTempDir() + "prepared_" + std::to_string(getpid()) + ".pdf";
    {
        TPdfPrinter printer(file);
        TfrxPrintSettings s;
        s.PageNumbers = "2-3";
        ASSERT_TRUE(p.Pages.PrintTo(printer, s));
    }
    EXPECT_NE(Shell("pdfinfo '" + file + "'").find("Pages:           2"), std::string::npos);
    const std::string text = Shell("pdftotext '" + file + "' -");
    EXPECT_EQ(text.find("Page1"), std::string::npos) << text;
    EXPECT_NE(text.find("Page2"), std::string::npos) << text;
    EXPECT_NE(text.find("Page3"), std::string::npos) << text;
    EXPECT_EQ(text.find("Screen"), std::string::npos) << "views that are not printable stay off paper: " << text;
    std::remove(file.c_str());

    // On screen the same view is drawn (its red fill at its place).
    TBitmap bitmap;
    bitmap.SetSize(400, 400);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect{0, 0, 400, 400});
    p.Pages.DrawPage(0, bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(bitmap.Pixel(100, 42), clRed);
}

namespace {

// Records what it is given: "start", "page N", "Class@left,top[=text]", "finish".
class TRecordingFilter : public TfrxCustomExportFilter {
public:
    TRecordingFilter() : TfrxCustomExportFilter(nullptr) {}
    std::vector<std::string> Log;
    int Modal = 1;
    bool Accept = true;
    int ShowModal() override { return Modal; }
    bool Start() override {
        Log.push_back("start");
        return Accept;
    }
    void StartPage(TfrxPage*, int Index) override { Log.push_back("page " + std::to_string(Index + 1)); }
    void ExportObject(TfrxComponent* Obj) override {
        std::string s = Obj->ClassName() + "@" + std::to_string(static_cast<int>(Obj->AbsLeft())) + "," +
                        std::to_string(static_cast<int>(Obj->AbsTop()));
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(Obj)) s += "=" + m->Memo()->Strings(0) + "/" + std::to_string(m->TotalPages);
        Log.push_back(s);
    }
    void FinishPage(TfrxPage*, int) override { Log.push_back("end page"); }
    void Finish() override { Log.push_back("finish"); }
};

}  // namespace

TEST(PreparedOutput, ExportHandsTheChosenPagesToTheFilter) {
    // Pages prepared from a page with margins: 10 mm = 37.7953 px, 5 mm = 18.9 px.
    TPrepared q(0);
    q.Page->LeftMargin = 10;
    q.Page->TopMargin = 5;
    q.Pages.Clear();
    q.Pages.AddSourcePage(q.Page);
    for (int i = 0; i < 3; ++i) {
        q.Pages.AddPage(q.Page);
        q.Memo->SetText("Page" + std::to_string(i + 1));
        q.Hidden->SetText("Screen" + std::to_string(i + 1));
        q.Pages.AddObject(q.Band);
    }
    struct TCase {
        const char* What;
        std::string Numbers;
        bool CurPage;
        int Modal;
        bool Accept;
        std::vector<std::string> Expected;
    };
    const std::vector<std::string> page3 = {"page 3", "TfrxPictureView@37,18", "TfrxMemoView@37,18=Page3/3",
                                            "TfrxMemoView@37,48=Screen3/3", "end page"};
    std::vector<std::string> range = {"start"};
    range.insert(range.end(), page3.begin(), page3.end());
    range.push_back("finish");
    const TCase cases[] = {
        {"one page of a range", "3", false, 1, true, range},
        {"dialog cancelled", "", false, 2, true, {}},
        {"filter refuses to start", "", false, 1, false, {"start"}},
        {"current page without a preview", "3", true, 1, true,
         {"start", "page 1", "TfrxPictureView@37,18", "TfrxMemoView@37,18=Page1/3", "TfrxMemoView@37,48=Screen1/3",
          "end page", "finish"}},
    };
    for (const TCase& c : cases) {
        TRecordingFilter filter;
        filter.PageNumbers = c.Numbers;
        filter.CurPage = c.CurPage;
        filter.ShowDialog = true;
        filter.Modal = c.Modal;
        filter.Accept = c.Accept;
        q.Pages.Export(&filter);
        EXPECT_EQ(filter.Log, c.Expected) << c.What;
    }
}

TEST(PreparedOutput, ObjectUnderTheMouse) {
    TPrepared p(0);
    p.Memo->SetURL("http://clinic.example/doc");
    p.Hidden->SetCursor(-22);
    p.Pages.Clear();
    p.Pages.AddSourcePage(p.Page);
    p.Pages.AddPage(p.Page);
    p.Pages.AddObject(p.Band);
    struct TCase {
        int X, Y;
        double Scale;
        std::string Status;
        int Cursor;
    };
    const TCase cases[] = {
        {10, 10, 1, "http://clinic.example/doc", -21},
        {10, 40, 1, "", -22},
        {10, 80, 1, "", 0},       // below both memos: nothing
        {20, 20, 2, "http://clinic.example/doc", -21},
        {20, 80, 2, "", -22},     // the second memo at twice the size
        {410, 10, 1, "", 0},      // beside them
    };
    for (const TCase& c : cases) {
        int cursor = 0;
        p.Pages.ObjectOver(0, c.X, c.Y, mbLeft, 0, c.Scale, 0, 0, false, cursor);
        EXPECT_EQ(p.Pages.Status(), c.Status) << c.X << "," << c.Y;
        EXPECT_EQ(cursor, c.Cursor) << c.X << "," << c.Y;
    }
    int cursor = 0;
    p.Pages.ObjectOver(1, 10, 10, mbLeft, 0, 1, 0, 0, false, cursor);
    EXPECT_EQ(cursor, 0) << "a page out of range";
}

// The hit test finds a view where DrawPage puts it: the offsets are the page's corner and
// the views stand inside the margins (the left and right ones swapped on an odd page when
// they are mirrored). Memo1 is 200 x 25 at the printable area's top left.
TEST(PreparedOutput, ObjectUnderTheMouseInsideTheMargins) {
    struct TCase {
        const char* What;
        bool Mirror;
        int Page;
        int X, Y;
        bool Hit;
    };
    const TCase cases[] = {
        {"inside the memo", false, 0, 40, 20, true},        // 10 mm = 37.8 px, 5 mm = 18.9 px
        {"above it, in the top margin", false, 0, 40, 15, false},
        {"left of it, in the left margin", false, 0, 35, 30, false},
        {"second page, not mirrored", false, 1, 40, 20, true},
        {"second page, mirrored: 20 mm on the left", true, 1, 40, 20, false},
        {"second page, mirrored, inside", true, 1, 80, 20, true},
        {"first page, mirrored", true, 0, 40, 20, true},
    };
    for (const TCase& c : cases) {
        TPrepared p(0);
        p.Page->LeftMargin = 10;
        p.Page->RightMargin = 20;
        p.Page->TopMargin = 5;
        p.Page->MirrorMargins = c.Mirror;
        p.Memo->SetURL("@1");
        p.Pages.Clear();
        p.Pages.AddSourcePage(p.Page);
        for (int i = 0; i < 2; ++i) {
            p.Pages.AddPage(p.Page);
            p.Pages.AddObject(p.Band);
        }
        int cursor = 0;
        p.Pages.ObjectOver(c.Page, c.X, c.Y, mbLeft, 0, 1, 0, 0, false, cursor);
        EXPECT_EQ(cursor == -21, c.Hit) << c.What;
    }
}

TEST(PreparedOutput, ClickingLinks) {
    TPrepared p(0);
    p.Pages.Clear();
    p.Pages.AddSourcePage(p.Page);
    const char* desktop = "/tmp/prepared_link_test.desktop";
    struct TCase {
        std::string URL;
        std::string Expected;   // "show P T", "open URL" or "" for nothing
    };
    const TCase cases[] = {
        {"@3", "show 2 0"},
        {"@x3", ""},
        {"@9", ""},                         // no such page
        {"#Totals", "show 1 140"},          // the anchor added last wins, case ignored
        {"#nowhere", ""},
        {"https://clinic.example/a?b=1", "open https://clinic.example/a?b=1"},
        {"file:///bin/sh", ""},             // a program
        {"/bin/sh", ""},
        {std::string("file://") + desktop, ""},
        {"file:///tmp/report.pdf", "open file:///tmp/report.pdf"},
    };
    for (int i = 0; i < 3; ++i) {
        p.Pages.AddPage(p.Page);
        p.Pages.AddObject(p.Band);
    }
    p.Pages.CurPage = 0;
    p.Pages.AddAnchor("totals");
    p.Pages.CurPage = 1;
    p.Pages.AddAnchor("TOTALS");
    // AddAnchor takes the engine's CurY; without an engine the top is 0, so set it here.
    TfrxXMLItem* anchors = p.Pages.XMLDoc().Root()->FindItem("anchors");
    anchors->Items(1)->SetProp("top", "140");
    p.Pages.CurPage = 2;
    // The harness takes the shell's opens instead of starting the desktop's handler.
    TUiTestHarness harness;
    for (const TCase& c : cases) {
        TfrxPage* page = p.Pages.GetPage(0);
        dynamic_cast<TfrxView*>(page->FindObject("Memo1"))->SetURL(c.URL);
        std::string seen;
        p.Pages.OnShowPage = [&](int Page, int Top) { seen = "show " + std::to_string(Page) + " " + std::to_string(Top); };
        const size_t opened = harness.ShellOpened().size();
        int cursor = 0;
        p.Pages.ObjectOver(0, 10, 10, mbLeft, 0, 1, 0, 0, true, cursor);
        if (harness.ShellOpened().size() > opened) seen += "open " + harness.ShellOpened().back();
        EXPECT_EQ(seen, c.Expected) << c.URL;
    }
    EXPECT_EQ(harness.ShellOpened().size(), 2u);
}

// Links that are no network URL name files, and a relative one is taken from the working
// folder as the desktop's handler takes it: programs and desktop entries there are never
// opened, whatever the link looks like.
TEST(PreparedOutput, RelativeLinksToProgramsAreNotOpened) {
    char dirTemplate[] = "/tmp/prepared_links_XXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    const std::string dir = dirTemplate;
    char saved[4096];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    ASSERT_EQ(mkdir("tools", 0700), 0);
    for (const char* f : {"x.desktop", "tools/run.sh", "notes.pdf", "a:b.sh"}) {
        FILE* out = fopen(f, "w");
        ASSERT_NE(out, nullptr) << f;
        fputs("#!/bin/sh\n", out);
        fclose(out);
    }
    chmod("tools/run.sh", 0700);
    chmod("a:b.sh", 0700);
    ASSERT_EQ(symlink("x.desktop", "entry.pdf"), 0);
    struct TCase {
        std::string URL;
        bool Opened;
    };
    const TCase cases[] = {
        {"x.desktop", false},
        {"X.DESKTOP", false},
        {"tools/run.sh", false},
        {"./tools/run.sh", false},
        {"tools", false},                           // a folder is executable too
        {"entry.pdf", false},                       // a link to a desktop entry
        {"file:tools/run.sh", false},
        {"file:x.desktop", false},
        {"file://localhost" + dir + "/tools/run.sh", false},
        {"file://" + dir + "/tools/r%75n.sh", false},   // percent-encoded
        {"a:b.sh", false},                          // looks like a URL, names a program here
        {"notes.pdf", true},
        {"file:notes.pdf", true},
        {"https://clinic.example/x.desktop", true},
        {"mailto:desk@clinic.example", true},
        {"ftp://clinic.example/tools/run.sh", true},
    };
    TPrepared p(0);
    p.Pages.Clear();
    p.Pages.AddSourcePage(p.Page);
    p.Pages.AddPage(p.Page);
    p.Pages.AddObject(p.Band);
    TUiTestHarness harness;
    for (const TCase& c : cases) {
        dynamic_cast<TfrxView*>(p.Pages.GetPage(0)->FindObject("Memo1"))->SetURL(c.URL);
        const size_t opened = harness.ShellOpened().size();
        int cursor = 0;
        p.Pages.ObjectOver(0, 10, 10, mbLeft, 0, 1, 0, 0, true, cursor);
        EXPECT_EQ(harness.ShellOpened().size() > opened, c.Opened) << c.URL;
    }
    EXPECT_EQ(chdir(saved), 0);
    for (const char* f : {"x.desktop", "tools/run.sh", "notes.pdf", "a:b.sh", "entry.pdf"})
        unlink((dir + "/" + f).c_str());
    rmdir((dir + "/tools").c_str());
    rmdir(dir.c_str());
}

namespace {

// The page-content streams of a PDF file, inflated (the writer compresses them all).
std::vector<std::string> ContentStreams(const std::string& File) {
    QFile f(QString::fromStdString(File));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = f.readAll();
    std::vector<std::string> out;
    for (qsizetype at = data.indexOf("stream\n"); at >= 0; at = data.indexOf("stream\n", at)) {
        at += 7;
        const qsizetype end = data.indexOf("endstream", at);
        if (end < 0) break;
        // qUncompress wants the inflated size first; it grows a guess that is too small.
        QByteArray packed("\x00\x01\x00\x00", 4);
        packed += data.mid(at, end - at);
        const QByteArray text = qUncompress(packed);
        if (text.contains(" Tj")) out.emplace_back(text.constData(), static_cast<size_t>(text.size()));
        at = end + 9;
    }
    return out;
}

size_t Count(const std::string& Text, const std::string& What) {
    size_t n = 0;
    for (size_t at = Text.find(What); at != std::string::npos; at = Text.find(What, at + What.size())) ++n;
    return n;
}

}  // namespace

// Memo lines in Latin and Chinese, centred, right-aligned and justified, print as text that
// reads back whole and in order, each line as one text object per face (not one per
// character).
TEST(PreparedOutput, PdfTextReadsBackInOrderOneTextObjectPerRun) {
    TfrxReport report(nullptr);
    frxRegisterPreviewPages();
    auto* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    page->SetPaperSize(frxCustomPaperSize);
    page->SetPaperWidth(120);
    page->SetPaperHeight(120);
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 0, 420, 300);
    struct TLine {
        const char* Font;
        const char* Text;
        TfrxHAlign Align;
    };
    const TLine lines[] = {
        {"宋体", "门诊收费收据", haCenter},
        {"Arial", "Amount due: 43.50", haRight},
        {"Arial", "张三 阿莫西林 x 2 盒 12.5 元", haLeft},
        {"Arial", "the quick brown fox jumps over the lazy dog and runs", haBlock},
    };
    int top = 0, objects = 0;
    for (const TLine& l : lines) {
        auto* memo = new TfrxMemoView(band);
        memo->CreateUniqueName();
        memo->SetBounds(0, top, 260, 60);
        memo->Font()->SetName(l.Font);
        memo->Font()->SetSize(12);
        memo->HAlign = l.Align;
        memo->SetText(l.Text);
        top += 70;
    }
    TfrxPreviewPages pages(&report);
    pages.AddSourcePage(page);
    pages.AddPage(page);
    pages.AddObject(band);
    const std::string file = GetTempDir() + "runs_" + std::to_string(getpid()) + ".pdf";
    {
        TPdfPrinter printer(file, 600);
        ASSERT_TRUE(pages.PrintTo(printer, TfrxPrintSettings{}));
    }
    std::string text = Shell("pdftotext '" + file + "' -");
    // Justified lines are spread at their blanks: compare with single blanks.
    for (size_t at; (at = text.find("  ")) != std::string::npos;) text.erase(at, 1);
    size_t from = 0;
    for (const char* expected : {"门诊收费收据", "Amount due: 43.50", "张三 阿莫西林 x 2 盒 12.5 元", "the quick brown fox jumps",
                                 "lazy dog and runs"}) {
        const size_t at = text.find(expected, from);
        EXPECT_NE(at, std::string::npos) << expected << " in\n" << text;
        if (at != std::string::npos) from = at;
    }
    const std::vector<std::string> streams = ContentStreams(file);
    ASSERT_FALSE(streams.empty());
    for (const std::string& s : streams) objects += static_cast<int>(Count(s, "BT\n"));
    // Five printed lines; the mixed one switches faces five times (Chinese, Latin, ...).
    EXPECT_GE(objects, 5);
    EXPECT_LE(objects, 12);
    std::remove(file.c_str());
}
