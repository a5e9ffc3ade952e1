// Dot-matrix objects in report scripts: the page, memo, line and printer-command objects
// reached by name and class from the report's script. What a script sets comes out on the
// printer exactly as when the program sets the same property itself, and differently from
// the report left alone.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "../ReportBuilders.h"
#include "report/Bands.h"
#include "report/DotMatrix.h"
#include "report/DotMatrixText.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

// A dot-matrix report: a 40 x 6 cell page, a title band holding Memo1 ("挂号费") and
// Memo2 ("12.50") side by side, the line Line1 under them and the command Cmd1.
struct TDMPReport {
    std::unique_ptr<TfrxReport> Report = NewSilentReport();
    TfrxDMPPage* Page = nullptr;
    TfrxDMPMemoView* Memo1 = nullptr;
    TfrxDMPMemoView* Memo2 = nullptr;
    TfrxDMPLineView* Line1 = nullptr;
    TfrxDMPCommand* Cmd1 = nullptr;

    TDMPReport() {
        Report->DotMatrixReport = true;
        Page = new TfrxDMPPage(Report.get());
        Page->SetName("Page1");
        Page->LeftMargin = Page->RightMargin = Page->TopMargin = Page->BottomMargin = 0;
        Page->SetPaperWidth(40 * frxCharWidth / frxMmToPixels);
        Page->SetPaperHeight(6 * frxCharHeight / frxMmToPixels);
        constexpr double w = frxCharWidth, h = frxCharHeight;
        auto* band = AddNamed<TfrxReportTitle>(Page, "ReportTitle1", 0, 0, 40 * w, 3 * h);
        Memo1 = AddNamed<TfrxDMPMemoView>(band, "Memo1", 0, 0, 10 * w, h);
        Memo1->SetText("挂号费");
        Memo2 = AddNamed<TfrxDMPMemoView>(band, "Memo2", 20 * w, 0, 10 * w, h);
        Memo2->SetText("12.50");
        Line1 = AddNamed<TfrxDMPLineView>(band, "Line1", 0, h, 30 * w, 0);
        Cmd1 = AddNamed<TfrxDMPCommand>(band, "Cmd1", 0, 2 * h, w, h);
    }
    // The first prepared page as the printer gets it (styles and commands included), and
    // the styles of its objects (a line's style does not print).
    std::string Printed() {
        if (!Report->PrepareReport()) return "(run failed: " + Report->Errors()->Text() + ")";
        TfrxPage* page = Report->PreviewPages()->GetPage(0);
        if (!page) return "(no page)";
        std::string out = frxDMPPageText(page);
        for (TfrxComponent* c : page->AllObjects()) {
            if (auto* m = dynamic_cast<TfrxDMPMemoView*>(c))
                out += " " + m->Name() + "=" + std::to_string(m->FontStyle().Mask());
            else if (auto* l = dynamic_cast<TfrxDMPLineView*>(c))
                out += " " + l->Name() + "=" + std::to_string(l->FontStyle().Mask());
        }
        return out;
    }
};

struct TDMPCase {
    const char* Name;
    const char* Script;   // the main block's statements
    // The same change made by the program.
    std::function<void(TDMPReport&)> Direct;
};

void PrintTo(const TDMPCase& c, std::ostream* os) { *os << c.Name; }

const TDMPCase kDMPCases[] = {
    {"MemoFontStyle", "Memo1.FontStyle := [fsxBold, fsxWide];",
     [](TDMPReport& r) { r.Memo1->SetFontStyle(TfrxDMPFontStyles{fsxBold, fsxWide}); }},
    // The page's style reaches the memos that follow the parent font.
    {"PageFontStyle", "Page1.FontStyle := [fsxCondensed];",
     [](TDMPReport& r) { r.Page->SetFontStyle(TfrxDMPFontStyles{fsxCondensed}); }},
    // A style read back from the script decides the text (Text of the memo classes).
    {"MemoStyleReadBack",
     "Memo1.FontStyle := [fsxItalic];\r\n"
     "if (fsxItalic in Memo1.FontStyle) and not (fsxBold in Memo1.FontStyle) then Memo2.Text := '斜体';",
     [](TDMPReport& r) {
         r.Memo1->SetFontStyle(TfrxDMPFontStyles{fsxItalic});
         r.Memo2->SetText("斜体");
     }},
    // Following the parent font again takes the page's style over the memo's own.
    {"ParentFontTakesThePageStyle",
     "Memo1.FontStyle := [fsxBold];\r\nPage1.FontStyle := [fsxUnderline];\r\nMemo1.ParentFont := True;",
     [](TDMPReport& r) {
         r.Memo1->SetFontStyle(TfrxDMPFontStyles{fsxBold});
         r.Page->SetFontStyle(TfrxDMPFontStyles{fsxUnderline});
         r.Memo1->SetParentFont(true);
     }},
    {"LineFontStyle", "Line1.FontStyle := [fsxBold];",
     [](TDMPReport& r) { r.Line1->SetFontStyle(TfrxDMPFontStyles{fsxBold}); }},
    {"PrinterCommand", "Cmd1.Command := '#27@#27M';", [](TDMPReport& r) { r.Cmd1->Command = "#27@#27M"; }},
    // SetBounds of the component class snaps to the cells as the program's own call does.
    {"BoundsSnapToTheCells", "Memo2.SetBounds(50, 0, 100, 17);",
     [](TDMPReport& r) { r.Memo2->SetBounds(50, 0, 100, 17); }},
    // CalcWidth of a dot-matrix memo counts whole cells.
    {"CalcWidthInCells", "Memo2.Text := IntToStr(Round(Memo1.CalcWidth / fr1CharX));",
     [](TDMPReport& r) { r.Memo2->SetText(std::to_string(std::lround(r.Memo1->CalcWidth() / frxCharWidth))); }},
    // The objects are told apart by their classes.
    {"ClassesOfTheObjects",
     "if (Memo1 is TfrxCustomMemoView) and (Line1 is TfrxCustomLineView) and (Page1 is TfrxReportPage)\r\n"
     "  and not (Memo1 is TfrxMemoView) and not (Line1 is TfrxLineView) and (Cmd1 is TfrxView)\r\n"
     "then Memo2.Text := TfrxDMPMemoView(Memo1).Text;",
     [](TDMPReport& r) { r.Memo2->SetText(r.Memo1->Text()); }},
};

class DotMatrixInScripts : public testing::TestWithParam<TDMPCase> {};

TEST_P(DotMatrixInScripts, PrintAsTheProgramsOwnChange) {
    const TDMPCase& c = GetParam();
    TDMPReport untouched;
    const std::string plain = untouched.Printed();
    TDMPReport scripted;
    scripted.Report->ScriptText()->SetText(std::string("begin\r\n") + c.Script + "\r\nend.");
    TDMPReport direct;
    c.Direct(direct);
    const std::string expected = direct.Printed();
    ASSERT_NE(expected, plain) << "the change shows on the printer";
    EXPECT_EQ(scripted.Printed(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DotMatrixInScripts, testing::ValuesIn(kDMPCases),
                         [](const testing::TestParamInfo<TDMPCase>& info) { return std::string(info.param.Name); });

}  // namespace
