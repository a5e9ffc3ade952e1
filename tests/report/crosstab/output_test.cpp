// The cross-tab's output in a report run: the result as bands of text objects on the
// prepared pages, cut into column and row pieces, with headers repeated or not and the
// pieces across then down or down then across. Text is measured with the fake measurer,
// so every size is fixed by the templates (MinWidth = MaxWidth, DefHeight) or computable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/FileUtils.h"
#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/DrawText.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "tests/report/TestPdfPrinter.h"

namespace {

std::string Num(double Value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", Value);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string TextOf(TfrxComponent* Obj) {
    auto* m = dynamic_cast<TfrxCustomMemoView*>(Obj);
    if (!m) return {};
    std::string s = m->Text();
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.resize(s.size() - 2);
    return s;
}

// One line per band: "x,y:" and its memos as "text@x,y,w,h" (positions on the page).
std::vector<std::string> Describe(TfrxPage* Page) {
    std::vector<std::string> out;
    if (!Page) return {"(no page)"};
    for (TfrxComponent* b : Page->ObjectList()) {
        std::string line = Num(b->Left()) + "," + Num(b->Top()) + ":";
        for (TfrxComponent* c : b->ObjectList())
            line += " " + TextOf(c) + "@" + Num(b->Left() + c->Left()) + "," + Num(b->Top() + c->Top()) + "," +
                    Num(c->Width()) + "," + Num(c->Height());
        out.push_back(line);
    }
    return out;
}

// A report on a custom page without margins whose master band (one row) holds the view;
// the view is filled with AddValue from the report's before-print event.
struct TCrossReport {
    TFakeTextMeasurer Measurer;
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxReportPage* Page = nullptr;
    TfrxMasterData* Band = nullptr;
    TfrxCrossView* View = nullptr;
    std::function<void(TfrxCrossView*)> Fill;

    TCrossReport(double WidthMM, double HeightMM) {
        frxDrawText().SetMeasurer(&Measurer);
        Report->DrawText()->SetMeasurer(&Measurer);
        Report->EngineOptions()->SilentMode = true;
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Page->SetPaperSize(frxCustomPaperSize);
        Page->SetPaperWidth(WidthMM);
        Page->SetPaperHeight(HeightMM);
        Band = new TfrxMasterData(Page);
        Band->SetName("MasterData1");
        Band->SetBounds(0, 20, 300, 30);
        Band->SetRowCount(1);
        View = new TfrxCrossView(Band);
        View->SetName("Cross1");
        View->SetBounds(0, 0, 200, 30);
        View->MinWidth = View->MaxWidth = 50;
        View->DefHeight = 20;
        Report->OnBeforePrint = [this](TfrxReportComponent* Sender) {
            if (Sender == View && Fill) Fill(View);
        };
    }
    ~TCrossReport() { frxDrawText().SetMeasurer(nullptr); }

    std::vector<std::vector<std::string>> Run() {
        EXPECT_TRUE(Report->PrepareReport()) << Report->Errors()->Text();
        std::vector<std::vector<std::string>> pages;
        for (int i = 0; i < Report->PreviewPages()->Count(); ++i)
            pages.push_back(Describe(Report->PreviewPages()->GetPage(i)));
        return pages;
    }
};

}  // namespace

// Three rows and two columns with their totals: header band, row header band, one band
// per row, all on the first page where the master band stood; the band follows with the
// view's bottom at the result's end. Widths come from MinWidth = MaxWidth (50); the row
// header is as wide as "Grand Total" in bold; "Grand Total" wraps in a 50 px column.
TEST(CrossOutput, ThreeByTwoOnOnePage) {
    TCrossReport r(100, 100);
    r.Fill = [](TfrxCrossView* v) {
        v->AddValue({Variant("A")}, {Variant("X")}, {Variant(1)});
        v->AddValue({Variant("A")}, {Variant("Y")}, {Variant(2)});
        v->AddValue({Variant("B")}, {Variant("X")}, {Variant(3)});
        v->AddValue({Variant("C")}, {Variant("Y")}, {Variant(4)});
    };
    const std::vector<std::vector<std::string>> expected{{
        "98,0: X@98,0,50,42 Y@148,0,50,42 Grand Total@198,0,50,42",
        "0,42: A@0,42,98,21 B@0,63,98,21 C@0,84,98,21 Grand Total@0,105,98,24",
        "0,42: 1@98,42,50,21 2@148,42,50,21 3@198,42,50,21",
        "0,63: 3@98,63,50,21 @148,63,50,21 3@198,63,50,21",
        "0,84: @98,84,50,21 4@148,84,50,21 4@198,84,50,21",
        "0,105: 4@98,105,50,24 6@148,105,50,24 10@198,105,50,24",
        "0,99:",
    }};
    EXPECT_EQ(r.Run(), expected);
    // Empty cells print empty text and read 0 as their value; the outer frame closes
    // the grid.
    TfrxPage* page = r.Report->PreviewPages()->GetPage(0);
    auto* empty = static_cast<TfrxCustomMemoView*>(page->ObjectList()[3]->ObjectList()[1]);
    EXPECT_EQ(TextOf(empty), "");
    auto* corner = static_cast<TfrxCustomMemoView*>(page->ObjectList()[2]->ObjectList()[0]);
    EXPECT_TRUE(corner->Frame()->Typ.Contains(ftTop));
    EXPECT_TRUE(corner->Frame()->Typ.Contains(ftLeft));
}

namespace {

// 60 rows r01..r60 by 30 columns c01..c30, cell r x 100 + c; page 1000 x 500 px: 18
// columns on the first column piece, 13 leaves (with the total) on the second; 21 rows
// of 21 px below the 42 px column header, so three row pieces.
std::string Two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

struct TPiece {
    int FirstColumn, LastColumn;   // 31 is the total column
    int FirstRow, LastRow;         // 61 is the total row
};

// What a page of the big cross-tab shows: the header bands it carries and the cells of
// its row and column range, each row band holding its columns in order.
std::string Summary(const std::vector<std::string>& Lines) {
    std::string s;
    for (const std::string& l : Lines) {
        const size_t colon = l.find(':');
        // Items are " text@x,y,w,h"; texts may hold blanks, positions never do.
        size_t p = colon + 2, n = 0;
        std::string first, last;
        while (p < l.size()) {
            const size_t at = l.find('@', p);
            if (at == std::string::npos) break;
            const std::string t = l.substr(p, at - p);
            if (n++ == 0) first = t;
            last = t;
            const size_t blank = l.find(' ', at);
            p = blank == std::string::npos ? l.size() : blank + 1;
        }
        if (!s.empty()) s += " ";
        s += l.substr(0, colon) + "[" + first + ".." + last + "]";
    }
    return s;
}

std::string Label(char Kind, int i, int Total) { return i == Total ? "Grand Total" : std::string(1, Kind) + Two(i); }

int ColumnSum(int r) { return r * 100 * 30 + 465; }

std::string Cell(int r, int c) {
    if (r == 61 && c == 31) {
        long sum = 0;
        for (int i = 1; i <= 60; ++i) sum += ColumnSum(i);
        return std::to_string(sum);
    }
    if (c == 31) return std::to_string(ColumnSum(r));
    if (r == 61) return std::to_string(100 * 1830 + 60 * c);
    return std::to_string(r * 100 + c);
}

struct TBigCase {
    const char* Name;
    bool Repeat;
    bool DownThenAcross;
    // Pieces in page order; Y of the first cell row on each; the master band's page.
    std::vector<TPiece> Pieces;
    std::vector<bool> ColumnHeader, RowHeader;
    int BandPage;
};

std::string Expected(const TBigCase& c, size_t Index) {
    const TPiece& p = c.Pieces[Index];
    const bool firstColumn = p.FirstColumn == 1;
    const bool colHeader = c.ColumnHeader[Index], rowHeader = c.RowHeader[Index];
    const double cellX = colHeader || rowHeader || c.Repeat || firstColumn ? (firstColumn || c.Repeat ? 98 : 0) : 0;
    double y = colHeader ? 42 : 0;
    std::string s;
    if (colHeader)
        s += Num(cellX) + ",0[" + Label('c', p.FirstColumn, 31) + ".." + Label('c', p.LastColumn, 31) + "]";
    if (rowHeader)
        s += std::string(s.empty() ? "" : " ") + "0," + Num(y) + "[" + Label('r', p.FirstRow, 61) + ".." +
             Label('r', p.LastRow, 61) + "]";
    for (int r = p.FirstRow; r <= p.LastRow; ++r) {
        s += std::string(s.empty() ? "" : " ") + "0," + Num(y) + "[" + Cell(r, p.FirstColumn) + ".." +
             Cell(r, p.LastColumn) + "]";
        y += r == 61 ? 24 : 21;
    }
    return s;
}

class CrossPieces : public testing::TestWithParam<TBigCase> {};

TEST_P(CrossPieces, CutsAcrossPages) {
    const TBigCase& c = GetParam();
    TCrossReport r(1000 / frxMmToPixels, 500 / frxMmToPixels);
    r.View->RepeatHeaders = c.Repeat;
    r.View->DownThenAcross = c.DownThenAcross;
    r.Fill = [](TfrxCrossView* v) {
        for (int row = 1; row <= 60; ++row)
            for (int col = 1; col <= 30; ++col)
                v->AddValue({Variant("r" + Two(row))}, {Variant("c" + Two(col))}, {Variant(row * 100 + col)});
    };
    const auto pages = r.Run();
    ASSERT_EQ(pages.size(), c.Pieces.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        std::vector<std::string> lines = pages[i];
        // The master band, empty once its view is left out, ends the page it goes on.
        if (static_cast<int>(i) == c.BandPage) {
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back().substr(lines.back().find(':')), ":") << lines.back();
            lines.pop_back();
        }
        EXPECT_EQ(Summary(lines), Expected(c, i)) << "page " << i + 1;
    }
}

const std::vector<TPiece> kAcross{{1, 18, 1, 21}, {19, 31, 1, 21}, {1, 18, 22, 42},
                                  {19, 31, 22, 42}, {1, 18, 43, 61}, {19, 31, 43, 61}};

const TBigCase kBigCases[] = {
    {"RepeatedHeadersAcrossThenDown", true, false, kAcross, {true, true, true, true, true, true},
     {true, true, true, true, true, true}, 4},
    // Without repeated headers the second column piece and the later row pieces use the
    // whole width and height.
    {"HeadersOnceAcrossThenDown", false, false,
     {{1, 18, 1, 21}, {19, 31, 1, 21}, {1, 18, 22, 44}, {19, 31, 22, 44}, {1, 18, 45, 61}, {19, 31, 45, 61}},
     {true, true, false, false, false, false}, {true, false, true, false, true, false}, 4},
    {"DownThenAcross", true, true,
     {{1, 18, 1, 21}, {1, 18, 22, 42}, {1, 18, 43, 61}, {19, 31, 1, 21}, {19, 31, 22, 42}, {19, 31, 43, 61}},
     {true, true, true, true, true, true}, {true, true, true, true, true, true}, 2},
};

INSTANTIATE_TEST_SUITE_P(Cases, CrossPieces, testing::ValuesIn(kBigCases),
                         [](const testing::TestParamInfo<TBigCase>& i) { return std::string(i.param.Name); });

}  // namespace

namespace {

// Inputs at the edges: each runs to its end with a bounded number of pages.
struct TEdgeCase {
    const char* Name;
    std::function<void(TCrossReport&)> Build;
    std::function<void(TCrossReport&, const std::vector<std::vector<std::string>>&)> Check;
};

void FillGrid(TCrossReport& r, int Rows, int Columns) {
    r.Fill = [Rows, Columns](TfrxCrossView* v) {
        for (int row = 1; row <= Rows; ++row)
            for (int col = 1; col <= Columns; ++col)
                v->AddValue({Variant("r" + Two(row))}, {Variant("c" + std::to_string(100000 + col))}, {Variant(1)});
    };
}

const TEdgeCase kEdgeCases[] = {
    // Nothing added: nothing printed, the band stays where it stood.
    {"NoData", [](TCrossReport&) {},
     [](TCrossReport&, const std::vector<std::vector<std::string>>& pages) {
         EXPECT_EQ(pages, (std::vector<std::vector<std::string>>{{"0,0:"}}));
     }},
    // A row taller than a page: one row per page, each overflowing it.
    {"RowTallerThanAPage",
     [](TCrossReport& r) {
         FillGrid(r, 2, 1);
         r.View->DefHeight = 2000;
     },
     [](TCrossReport&, const std::vector<std::vector<std::string>>& pages) {
         // The band below the result does not fit after the last row either: a fourth page.
         ASSERT_EQ(pages.size(), 4u);
         EXPECT_EQ(Summary(pages[0]), "98,0[c100001..Grand Total] 0,42[r01..r01] 0,42[1..1]");
         EXPECT_EQ(Summary(pages[1]), "98,0[c100001..Grand Total] 0,42[r02..r02] 0,42[1..1]");
         EXPECT_EQ(pages[3], std::vector<std::string>{"0,0:"});
     }},
    // A column wider than a page: one column per page.
    {"ColumnWiderThanAPage",
     [](TCrossReport& r) {
         FillGrid(r, 1, 2);
         r.View->MinWidth = r.View->MaxWidth = 5000;
     },
     [](TCrossReport&, const std::vector<std::vector<std::string>>& pages) {
         ASSERT_EQ(pages.size(), 3u);
         EXPECT_EQ(Summary(pages[1]), "98,0[c100002..c100002] 0,24[r01..Grand Total] 0,24[1..1] 0,45[1..1]");
     }},
    // 10,000 columns: 18 to a page, the total on the last.
    {"TenThousandColumns", [](TCrossReport& r) { FillGrid(r, 1, 10000); },
     [](TCrossReport&, const std::vector<std::vector<std::string>>& pages) {
         ASSERT_EQ(pages.size(), 556u);
         EXPECT_EQ(Summary(pages[1]), "98,0[c100019..c100036] 0,42[r01..Grand Total] 0,42[1..1] 0,63[1..1]");
         EXPECT_EQ(Summary(pages.back()).substr(0, 28), "98,0[c109991..Grand Total] 0");
     }},
    // In a page header the result cannot open pages: each page shows its first piece.
    {"InPageHeaderOnlyTheFirstPiece",
     [](TCrossReport& r) {
         FillGrid(r, 30, 30);
         auto* header = new TfrxPageHeader(r.Page);
         header->SetName("PageHeader1");
         header->SetBounds(0, 0, 300, 30);
         r.View->SetParent(header);
         r.Band->SetRowCount(2);
         r.Band->SetHeight(300);
         r.Band->StartNewPage = true;
     },
     [](TCrossReport&, const std::vector<std::vector<std::string>>& pages) {
         ASSERT_EQ(pages.size(), 2u);
         for (const auto& p : pages)
             EXPECT_EQ(Summary(p).substr(0, 37), "98,0[c100001..c100018] 0,42[r01..r21]");
     }},
    // Two passes give the pages of one.
    {"DoublePass",
     [](TCrossReport& r) {
         FillGrid(r, 30, 30);
         r.Report->EngineOptions()->DoublePass = true;
     },
     [](TCrossReport&, const std::vector<std::vector<std::string>>& pages) {
         ASSERT_EQ(pages.size(), 4u);
         EXPECT_EQ(Summary(pages[3]).substr(0, 40), "98,0[c100019..Grand Total] 0,42[r22..Gra");
     }},
};

class CrossEdges : public testing::TestWithParam<TEdgeCase> {};

TEST_P(CrossEdges, RunToTheirEnd) {
    const TEdgeCase& c = GetParam();
    TCrossReport r(1000 / frxMmToPixels, 500 / frxMmToPixels);
    c.Build(r);
    c.Check(r, r.Run());
}

INSTANTIATE_TEST_SUITE_P(Cases, CrossEdges, testing::ValuesIn(kEdgeCases),
                         [](const testing::TestParamInfo<TEdgeCase>& i) { return std::string(i.param.Name); });

}  // namespace

// A top-level header spanning a cut by more than 5 px prints on both pieces without the
// frame line at the cut; one passing it by 5 px or less stays whole on the first.
TEST(CrossOutput, SpanningHeaderSplitsAtTheCut) {
    TCrossReport r(1000 / frxMmToPixels, 500 / frxMmToPixels);
    r.View->SetColumnLevels(2);
    r.View->ColumnTotalMemos(1)->SetVisible(false);
    r.Fill = [](TfrxCrossView* v) {
        for (int g = 1; g <= 2; ++g)
            for (int col = 1; col <= 12; ++col)
                v->AddValue({Variant("r1")}, {Variant("g" + std::to_string(g)), Variant("c" + Two(col))}, {Variant(1)});
    };
    const auto pages = r.Run();
    ASSERT_EQ(pages.size(), 2u);
    // g2 covers columns 13..24 (x 600..1200 in the header area); the first piece ends at
    // column 18 (x 900): g2 prints from 600 to 900 there and from 900 on the next page.
    TfrxComponent* header1 = r.Report->PreviewPages()->GetPage(0)->ObjectList()[0];
    auto* g2a = static_cast<TfrxCustomMemoView*>(header1->ObjectList()[13]);
    EXPECT_EQ(TextOf(g2a), "g2");
    EXPECT_DOUBLE_EQ(g2a->Left(), 600);
    EXPECT_DOUBLE_EQ(g2a->Width(), 300);
    EXPECT_FALSE(g2a->Frame()->Typ.Contains(ftRight));
    EXPECT_TRUE(g2a->Frame()->Typ.Contains(ftLeft));
    TfrxComponent* header2 = r.Report->PreviewPages()->GetPage(1)->ObjectList()[0];
    auto* g2b = static_cast<TfrxCustomMemoView*>(header2->ObjectList()[0]);
    EXPECT_EQ(TextOf(g2b), "g2");
    EXPECT_DOUBLE_EQ(g2b->Left(), 0);
    EXPECT_DOUBLE_EQ(g2b->Width(), 300);
    EXPECT_FALSE(g2b->Frame()->Typ.Contains(ftLeft));
}

// A statistics cross-tab (drug names by day, amounts) on A4 in the real fonts, printed
// through the printer layer to PDF: every prepared page becomes a PDF page, with the
// names, the days and the totals as text. ROVE_KEEP_PDF=<file> keeps the PDF for a look.
TEST(CrossOutput, PrintsToPdf) {
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    auto* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    page->SetPaperSize(9);
    page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 10;
    auto* title = new TfrxReportTitle(page);
    title->SetName("ReportTitle1");
    title->SetBounds(0, 0, 700, 30);
    auto* caption = new TfrxMemoView(title);
    caption->SetName("Memo1");
    caption->SetBounds(0, 0, 700, 26);
    caption->SetText("药品金额统计 2024-05");
    caption->Font()->SetSize(14);
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 40, 700, 40);
    band->SetRowCount(1);
    auto* view = new TfrxCrossView(band);
    view->SetName("Cross1");
    view->SetBounds(0, 0, 200, 40);
    const char* drugs[] = {"阿莫西林胶囊", "布洛芬缓释胶囊", "葡萄糖注射液", "头孢克肟片", "维生素C片", "板蓝根颗粒"};
    report.OnBeforePrint = [&](TfrxReportComponent* Sender) {
        if (Sender != view) return;
        for (int d = 0; d < 6; ++d)
            for (int day = 1; day <= 20; ++day)
                if ((d + day) % 3 != 0)
                    view->AddValue({Variant(drugs[d])}, {Variant("05-" + Two(day))}, {Variant((d + 1) * 10.5 + day)});
    };
    ASSERT_TRUE(report.PrepareReport()) << report.Errors()->Text();
    auto* pages = static_cast<TfrxPreviewPages*>(report.PreviewPages());
    ASSERT_GE(pages->Count(), 2);
    const char* keep = std::getenv("ROVE_KEEP_PDF");
    const std::string file = keep ? keep : GetTempDir() + "cross_" + std::to_string(getpid()) + ".pdf";
    {
        TPdfPrinter printer(file);
        ASSERT_TRUE(pages->PrintTo(printer, TfrxPrintSettings{}));
    }
    EXPECT_NE(Shell("pdfinfo '" + file + "'").find("Pages:           " + std::to_string(pages->Count())),
              std::string::npos);
    const std::string text = Shell("pdftotext '" + file + "' -");
    for (const char* expected : {"药品金额统计", "阿莫西林胶囊", "板蓝根颗粒", "05-01", "05-20", "Grand Total"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
    if (!keep) std::remove(file.c_str());
}

namespace {

// The memo of the page whose text is Text (empty when none).
TfrxCustomMemoView* MemoWithText(TfrxPage* Page, const std::string& Text) {
    for (TfrxComponent* c : Page->AllObjects())
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c); m && TextOf(m) == Text) return m;
    return nullptr;
}

}  // namespace

// The view's events: the script's handler runs first with the event's arguments and its
// out-parameter comes back; then the handler the program attached runs with the same
// arguments and what the script left. Widths and heights so set size the output; texts
// set on the cells and headers print.
TEST(CrossOutput, ScriptEventsThenTheProgramsHandlers) {
    TCrossReport r(200, 100);
    r.Fill = [](TfrxCrossView* v) {
        v->AddValue({Variant("A")}, {Variant("X")}, {Variant(1)});
        v->AddValue({Variant("A")}, {Variant("Y")}, {Variant(2)});
        v->AddValue({Variant("B")}, {Variant("X")}, {Variant(3)});
    };
    TfrxCrossView* v = r.View;
    v->OnCalcWidth = "CalcW";
    v->OnCalcHeight = "CalcH";
    v->OnPrintCell = "Cell";
    v->OnPrintColumnHeader = "ColumnHeader";
    v->OnPrintRowHeader = "RowHeader";
    r.Report->ScriptText()->SetText(
        "procedure CalcW(ColumnIndex: Integer; ColumnValues: Variant; var Width: Extended);\r\n"
        "begin\r\n  if ColumnIndex = 0 then Width := 80;\r\nend;\r\n"
        "procedure CalcH(RowIndex: Integer; RowValues: Variant; var Height: Extended);\r\n"
        "begin\r\n  if RowValues[0] = 'B' then Height := 30;\r\nend;\r\n"
        "procedure Cell(Memo: TfrxMemoView; RowIndex, ColumnIndex, CellIndex: Integer; RowValues, ColumnValues, "
        "Value: Variant);\r\n"
        "begin\r\n  if (RowIndex = 1) and (ColumnIndex = 0) then Memo.Text := 'three';\r\nend;\r\n"
        "procedure ColumnHeader(Memo: TfrxMemoView; HeaderIndexes, HeaderValues, Value: Variant);\r\n"
        "begin\r\n  if Value = 'Y' then Memo.Text := 'yy';\r\nend;\r\n"
        "procedure RowHeader(Memo: TfrxMemoView; HeaderIndexes, HeaderValues, Value: Variant);\r\n"
        "begin\r\n  if Value = 'A' then Memo.Text := 'aa';\r\nend;\r\n"
        "begin\r\nend.");
    std::vector<std::string> widths, heights, cells, headers;
    v->CalcWidthHandler = [&](int Column, const Variant& Values, double& Width) {
        widths.push_back(std::to_string(Column) + ":" + VarToStr(Values.GetElement({0})) + "=" + Num(Width));
        if (Column == 1) Width = 60;
    };
    v->CalcHeightHandler = [&](int Row, const Variant& Values, double& Height) {
        heights.push_back(std::to_string(Row) + ":" + VarToStr(Values.GetElement({0})) + "=" + Num(Height));
    };
    v->PrintCellHandler = [&](TfrxCustomMemoView* Memo, int, int, int, const Variant&, const Variant&,
                              const Variant& Value) {
        cells.push_back(VarToStr(Value) + "=" + TextOf(Memo));
        if (VarToStr(Value) == "2" && TextOf(Memo) == "2") Memo->SetText("two");
    };
    v->PrintColumnHeaderHandler = [&](TfrxCustomMemoView* Memo, const Variant&, const Variant&, const Variant& Value) {
        headers.push_back(VarToStr(Value) + "=" + TextOf(Memo));
    };
    r.Run();
    // Column 0 (X) as the script set it, column 1 (Y) as the program's handler set it.
    ASSERT_GE(widths.size(), 2u);
    EXPECT_EQ(widths[0], "0:X=80");
    EXPECT_EQ(widths[1], "1:Y=50");
    EXPECT_NE(std::find(heights.begin(), heights.end(), "1:B=30"), heights.end()) << testing::PrintToString(heights);
    EXPECT_NE(std::find(cells.begin(), cells.end(), "3=three"), cells.end()) << testing::PrintToString(cells);
    EXPECT_NE(std::find(headers.begin(), headers.end(), "Y=yy"), headers.end()) << testing::PrintToString(headers);
    TfrxPage* page = r.Report->PreviewPages()->GetPage(0);
    ASSERT_NE(page, nullptr);
    TfrxCustomMemoView* x = MemoWithText(page, "X");
    TfrxCustomMemoView* y = MemoWithText(page, "yy");
    ASSERT_NE(x, nullptr);
    ASSERT_NE(y, nullptr);
    EXPECT_DOUBLE_EQ(x->Width(), 80);
    EXPECT_DOUBLE_EQ(y->Width(), 60);
    TfrxCustomMemoView* three = MemoWithText(page, "three");
    ASSERT_NE(three, nullptr);
    EXPECT_DOUBLE_EQ(three->Height(), 30);
    EXPECT_NE(MemoWithText(page, "two"), nullptr);
    EXPECT_NE(MemoWithText(page, "aa"), nullptr);
}
