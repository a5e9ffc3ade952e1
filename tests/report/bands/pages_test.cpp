// Report pages: paper number, size and orientation rules with the margins, pixels per
// millimetre, columns, printer defaults, band alignment, band search, unique names and
// the background; dialog pages: defaults, the window they own and its events.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Printer.h"
#include "report/Report.h"
#include "report/Serializer.h"
#include "script/Script.h"

namespace {

// --- Paper rules -----------------------------------------------------------------------------

struct TPaperCase {
    const char* Name;
    std::function<void(TfrxReportPage&)> Steps;   // applied to a new page with margins l 1, r 2, t 3, b 4
    int PaperSize;
    double Width, Height;                          // mm
    double Left, Right, Top, Bottom;               // margins after the steps
    TPrinterOrientation Orientation;
};

const TPaperCase kPaper[] = {
    {"new_page_is_portrait_a4", [](TfrxReportPage&) {}, 9, 210, 297, 1, 2, 3, 4, poPortrait},
    {"landscape_swaps_and_turns_margins", [](TfrxReportPage& p) { p.SetOrientation(poLandscape); }, 9, 297, 210, 3, 4, 2,
     1, poLandscape},
    {"back_to_portrait_restores",
     [](TfrxReportPage& p) {
         p.SetOrientation(poLandscape);
         p.SetOrientation(poPortrait);
     },
     9, 210, 297, 1, 2, 3, 4, poPortrait},
    {"same_orientation_changes_nothing", [](TfrxReportPage& p) { p.SetOrientation(poPortrait); }, 9, 210, 297, 1, 2, 3,
     4, poPortrait},
    {"paper_width_makes_custom", [](TfrxReportPage& p) { p.SetPaperWidth(100); }, 256, 100, 297, 1, 2, 3, 4, poPortrait},
    {"paper_height_makes_custom", [](TfrxReportPage& p) { p.SetPaperHeight(120); }, 256, 210, 120, 1, 2, 3, 4,
     poPortrait},
    {"number_9_restores_a4",
     [](TfrxReportPage& p) {
         p.SetPaperWidth(100);
         p.SetPaperSize(9);
     },
     9, 210, 297, 1, 2, 3, 4, poPortrait},
    {"number_9_in_landscape",
     [](TfrxReportPage& p) {
         p.SetOrientation(poLandscape);
         p.SetPaperWidth(100);
         p.SetPaperSize(9);
     },
     9, 297, 210, 3, 4, 2, 1, poLandscape},
    {"a5_from_the_table", [](TfrxReportPage& p) { p.SetPaperSize(11); }, 11, 148, 210, 1, 2, 3, 4, poPortrait},
    {"letter_from_the_table", [](TfrxReportPage& p) { p.SetPaperSize(1); }, 1, 215.9, 279.4, 1, 2, 3, 4, poPortrait},
    {"custom_number_keeps_size",
     [](TfrxReportPage& p) {
         p.SetPaperWidth(125);
         p.SetPaperHeight(120);
         p.SetPaperSize(11);
         p.SetPaperSize(256);
     },
     256, 148, 210, 1, 2, 3, 4, poPortrait},
    {"number_above_custom_keeps_size", [](TfrxReportPage& p) { p.SetPaperSize(300); }, 300, 210, 297, 1, 2, 3, 4,
     poPortrait},
    {"number_not_in_table_keeps_size", [](TfrxReportPage& p) { p.SetPaperSize(48); }, 48, 210, 297, 1, 2, 3, 4,
     poPortrait},
    {"custom_size_turns_with_the_paper",
     [](TfrxReportPage& p) {
         p.SetPaperWidth(125);
         p.SetPaperHeight(120);
         p.SetOrientation(poLandscape);
     },
     256, 120, 125, 3, 4, 2, 1, poLandscape},
};

void PrintTo(const TPaperCase& c, std::ostream* os) { *os << c.Name; }

class PaperRules : public testing::TestWithParam<TPaperCase> {};

TEST_P(PaperRules, SizeOrientationMarginsAndPixels) {
    const TPaperCase& c = GetParam();
    TfrxReportPage page(nullptr);
    page.LeftMargin = 1;
    page.RightMargin = 2;
    page.TopMargin = 3;
    page.BottomMargin = 4;
    c.Steps(page);
    EXPECT_EQ(page.PaperSize(), c.PaperSize);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), c.Width);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), c.Height);
    EXPECT_EQ(page.Orientation(), c.Orientation);
    EXPECT_DOUBLE_EQ(page.LeftMargin, c.Left);
    EXPECT_DOUBLE_EQ(page.RightMargin, c.Right);
    EXPECT_DOUBLE_EQ(page.TopMargin, c.Top);
    EXPECT_DOUBLE_EQ(page.BottomMargin, c.Bottom);
    // The page in pixels: the paper times 3.77953, to the nearest integer.
    EXPECT_DOUBLE_EQ(page.Width(), static_cast<double>(Round(c.Width * 3.77953)));
    EXPECT_DOUBLE_EQ(page.Height(), static_cast<double>(Round(c.Height * 3.77953)));
}

INSTANTIATE_TEST_SUITE_P(Pages, PaperRules, testing::ValuesIn(kPaper),
                         [](const testing::TestParamInfo<TPaperCase>& i) { return std::string(i.param.Name); });

TEST(Pages, A4InPixels) {
    TfrxReportPage page(nullptr);
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    page.SetOrientation(poLandscape);
    EXPECT_EQ(page.Width(), 1123);
    EXPECT_EQ(page.Height(), 794);
}

TEST(Pages, NewPageSettings) {
    TfrxReportPage page(nullptr);
    EXPECT_EQ(page.Bin, 7);
    EXPECT_EQ(page.BinOtherPages, 7);
    EXPECT_TRUE(page.PrintIfEmpty);
    EXPECT_TRUE(page.TitleBeforeHeader);
    EXPECT_FALSE(page.PrintOnPreviousPage);
    EXPECT_EQ(page.Color(), clNone);
    EXPECT_EQ(page.Duplex, dmNone);
    EXPECT_DOUBLE_EQ(page.LeftMargin + page.RightMargin + page.TopMargin + page.BottomMargin, 0);
    EXPECT_EQ(page.GetDescription(), "obRepPage");
    // What a new page writes: the floats, the paper number and the string lists.
    TfrxXMLSerializer serializer(nullptr);
    EXPECT_EQ(serializer.ObjToXML(&page),
              " PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" LeftMargin=\"0\" RightMargin=\"0\" "
              "TopMargin=\"0\" BottomMargin=\"0\" ColumnWidth=\"0\" ColumnPositions.Text=\"\" HGuides.Text=\"\" "
              "VGuides.Text=\"\"");
}

TEST(Pages, DefaultsComeFromTheCurrentPrinter) {
    TfrxReportPage page(nullptr);
    page.SetPaperWidth(50);
    page.SetDefaults();
    TfrxCustomPrinter* printer = frxPrinters().Printer();
    ASSERT_NE(printer, nullptr);
    for (double m : {page.LeftMargin, page.RightMargin, page.TopMargin, page.BottomMargin}) EXPECT_DOUBLE_EQ(m, 10);
    EXPECT_EQ(page.PaperSize(), printer->PaperSize);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), printer->PaperWidth);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), printer->PaperHeight);
    EXPECT_EQ(page.Orientation(), printer->Orientation);
    EXPECT_DOUBLE_EQ(page.Width(), static_cast<double>(Round(printer->PaperWidth * 3.77953)));
}

// --- Columns ---------------------------------------------------------------------------------

TEST(Pages, ColumnsShareThePrintableWidth) {
    TfrxReportPage page(nullptr);
    page.LeftMargin = page.RightMargin = 10;
    page.SetColumns(3);
    EXPECT_NEAR(page.ColumnWidth, 63.3333333333, 1e-9);
    EXPECT_EQ(page.ColumnPositions()->Text(), "0\r\n63.3333333333333\r\n126.666666666667\r\n");
    page.SetColumns(0);
    EXPECT_EQ(page.ColumnPositions()->Count(), 0);
    EXPECT_NEAR(page.ColumnWidth, 63.3333333333, 1e-9);
    // A count from a damaged file lays out at most the largest number of columns.
    page.SetColumns(2000000000);
    EXPECT_EQ(page.Columns(), frxMaxPageColumns);
    EXPECT_EQ(page.ColumnPositions()->Count(), frxMaxPageColumns);
}

// --- Aligning the children -----------------------------------------------------------------

TEST(Pages, AligningSizesTheBandsAndTheirViews) {
    TfrxReportPage page(nullptr);
    page.LeftMargin = page.RightMargin = 10;
    page.TopMargin = 5;
    page.BottomMargin = 15;
    auto* title = new TfrxReportTitle(&page);
    title->SetBounds(0, 20, 10, 30);
    auto* shifted = new TfrxMasterData(&page);
    shifted->SetBounds(40, 60, 10, 30);
    auto* vertical = new TfrxMasterData(&page);
    vertical->Vertical = true;
    vertical->SetBounds(100, 50, 80, 10);
    auto* memo = new TfrxMemoView(title);
    memo->SetBounds(5, 0, 50, 20);
    memo->SetAlign(baWidth);
    page.AlignChildren();

    const double width = 190 * 3.77953;
    EXPECT_DOUBLE_EQ(page.Width(), width);
    EXPECT_DOUBLE_EQ(title->Width(), width);
    EXPECT_DOUBLE_EQ(shifted->Width(), width - 40);
    EXPECT_DOUBLE_EQ(vertical->Width(), 80);
    EXPECT_DOUBLE_EQ(vertical->Height(), 277 * 3.77953 - 50);
    // The band's view with baWidth spans the band.
    EXPECT_DOUBLE_EQ(memo->Left(), 0);
    EXPECT_DOUBLE_EQ(memo->Width(), width);
}

TEST(Pages, FindBandTakesTheFirstInstance) {
    TfrxReportPage page(nullptr);
    new TfrxMemoView(&page);
    auto* header = new TfrxPageHeader(&page);
    auto* detail = new TfrxDetailData(&page);
    auto* master = new TfrxMasterData(&page);
    new TfrxMasterData(&page);
    EXPECT_EQ(page.FindBand(TfrxPageHeader::StaticClass()), header);
    EXPECT_EQ(page.FindBand<TfrxMasterData>(), master);
    EXPECT_EQ(page.FindBand(TfrxDataBand::StaticClass()), detail);
    EXPECT_EQ(page.FindBand<TfrxPageFooter>(), nullptr);
}

TEST(Pages, UniqueNamesStartWithPage) {
    TfrxReport report(nullptr);
    auto* first = new TfrxReportPage(&report);
    first->CreateUniqueName();
    auto* second = new TfrxReportPage(&report);
    second->CreateUniqueName();
    auto* band = new TfrxMasterData(second);
    band->CreateUniqueName();
    EXPECT_EQ(first->Name(), "Page1");
    EXPECT_EQ(second->Name(), "Page2");
    EXPECT_EQ(band->Name(), "MasterData1");
}

TEST(Pages, ClearGuides) {
    TfrxReportPage page(nullptr);
    page.HGuides()->Add("10");
    page.VGuides()->Add("20");
    page.ClearGuides();
    EXPECT_EQ(page.HGuides()->Count() + page.VGuides()->Count(), 0);
}

TEST(Pages, BackgroundFillsThePrintableArea) {
    TfrxReportPage page(nullptr);
    page.SetPaperWidth(40);
    page.SetPaperHeight(30);
    page.LeftMargin = 5;
    page.TopMargin = 5;
    page.RightMargin = 10;
    page.BottomMargin = 10;
    page.SetColor(clRed);
    TBitmap bitmap(160, 120);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 160, 120));
    page.DrawBackground(bitmap.Canvas(), 1, 1, 0, 0);
    // Printable area: x from 18.9 to 18.9 + 25 * 3.78 - 1, y from 18.9 to 18.9 + 15 * 3.78 - 1.
    EXPECT_EQ(bitmap.Pixel(20, 20), clRed);
    EXPECT_EQ(bitmap.Pixel(110, 70), clRed);
    EXPECT_EQ(bitmap.Pixel(17, 20), clWhite);
    EXPECT_EQ(bitmap.Pixel(20, 17), clWhite);
    EXPECT_EQ(bitmap.Pixel(114, 70), clWhite);
    EXPECT_EQ(bitmap.Pixel(20, 77), clWhite);
    // At half scale with an offset everything moves.
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 160, 120));
    page.DrawBackground(bitmap.Canvas(), 0.5, 0.5, 10, 10);
    EXPECT_EQ(bitmap.Pixel(21, 21), clRed);
    EXPECT_EQ(bitmap.Pixel(18, 18), clWhite);
}

// --- Dialog pages ----------------------------------------------------------------------------

TEST(DialogPage, NewPageAndItsWindow) {
    TfrxDialogPage page(nullptr);
    EXPECT_EQ(page.BorderStyle(), bsSizeable);
    EXPECT_EQ(page.Color(), -16777201);
    EXPECT_EQ(page.Position, poScreenCenter);
    EXPECT_EQ(page.WindowState, wsNormal);
    EXPECT_EQ(page.Font()->Name(), "Tahoma");
    EXPECT_EQ(page.Font()->Size(), 8);
    EXPECT_EQ(page.GetDescription(), "obDlgPage");
    TfrxDialogForm* form = page.Form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->Caption(), " ");
    EXPECT_TRUE(form->WantsKey(VK_TAB, 0));
    EXPECT_TRUE(form->WantsKey(VK_DOWN, 0));
    // Until the page connects its close-query event, the window does not close.
    EXPECT_FALSE(form->CloseQuery());
    TfrxXMLSerializer serializer(nullptr);
    EXPECT_EQ(serializer.ObjToXML(&page),
              " Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" Font.Charset=\"1\" Font.Color=\"0\" Font.Height=\"-11\" "
              "Font.Name=\"Tahoma\" Font.Style=\"0\"");
}

TEST(DialogPage, SettingsPassToTheWindow) {
    TfrxDialogPage page(nullptr);
    page.SetBounds(10.4, 20.6, 300.5, 200.5);
    EXPECT_EQ(page.Form()->Left(), 10);
    EXPECT_EQ(page.Form()->Top(), 21);
    EXPECT_EQ(page.Form()->Width(), 300);
    EXPECT_EQ(page.Form()->Height(), 200);
    page.SetCaption("参数");
    EXPECT_EQ(page.Form()->Caption(), "参数");
    page.SetColor(clYellow);
    EXPECT_EQ(page.Form()->Color(), clYellow);
    page.SetBorderStyle(bsDialog);
    EXPECT_EQ(page.Form()->BorderStyle(), bsDialog);
    EXPECT_EQ(page.Form()->Width(), 300);
    page.Font()->SetSize(12);
    EXPECT_EQ(page.Form()->Font()->Size(), 12);
    page.SetModalResult(mrOk);
    EXPECT_EQ(page.Form()->ModalResult(), mrOk);
    EXPECT_EQ(page.ModalResult(), mrOk);
}

// The layout engine's running state is what lets report events run; nothing else of an
// engine is needed here.
class TIdleEngine : public TfrxCustomEngine {
public:
    explicit TIdleEngine(TfrxReport* AReport) : TfrxCustomEngine(AReport) {}
    void EndPage() override {}
    void NewColumn() override {}
    void NewPage() override {}
    void ShowBand(TfrxBand*) override {}
    void ShowBand(TClass) override {}
    double FreeSpace() override { return 0; }
    Variant GetAggregateValue(const std::string&, TfrxComponent*) override { return Variant(); }
    bool Run() override { return true; }
};

class DialogEvents : public testing::Test {
protected:
    void SetUp() override {
        frxEngineClass() = [](TfrxReport* r) { return std::make_unique<TIdleEngine>(r); };
        Report = std::make_unique<TfrxReport>(nullptr);
        Report->EngineOptions()->SilentMode = true;
        Page = new TfrxDialogPage(Report.get());
        Page->SetName("DialogPage1");
    }
    void TearDown() override {
        Report.reset();
        frxEngineClass() = nullptr;
    }
    void Compile(const std::string& Script) {
        Report->ScriptText()->SetText(Script);
        ASSERT_TRUE(Report->PrepareScript()) << Report->Errors()->Text();
        ASSERT_NE(Report->Engine(), nullptr);
        Report->Engine()->Running = true;
    }
    std::unique_ptr<TfrxReport> Report;
    TfrxDialogPage* Page = nullptr;
};

TEST_F(DialogEvents, CloseQueryKeysAndNotifications) {
    Compile(
        "var Log: String;\n"
        "procedure CanCloseQ(Sender: TfrxComponent; var CanClose: Boolean);\n"
        "begin CanClose := Log = 'shown'; Log := Log + ' asked' end;\n"
        "procedure Shown(Sender: TfrxComponent); begin Log := 'shown' end;\n"
        "procedure KeyDown(Sender: TfrxComponent; var Key: Word; Shift: Integer);\n"
        "begin if Shift = 4 then Key := Key + 1 end;\n"
        "procedure KeyPress(Sender: TfrxComponent; var Key: Char);\n"
        "begin if Key = 'a' then Key := 'b'; if Key = 'x' then Key := '' end;\n"
        "begin end.");
    Page->OnCloseQuery = "CanCloseQ";
    Page->OnShow = "Shown";
    Page->OnKeyDown = "KeyDown";
    Page->OnKeyPress = "KeyPress";
    Page->Initialize();
    TfrxDialogForm* form = Page->Form();

    EXPECT_FALSE(form->CloseQuery());
    form->OnShow(form);
    EXPECT_EQ(VarToStr(Report->Script()->FindLocal("Log")->GetValue()), "shown");
    EXPECT_TRUE(form->CloseQuery());

    uint16_t key = 65;
    form->OnKeyDown(form, key, 4);
    EXPECT_EQ(key, 66);
    form->OnKeyDown(form, key, 1);
    EXPECT_EQ(key, 66);
    char32_t ch = U'a';
    form->OnKeyPress(form, ch);
    EXPECT_EQ(ch, U'b');
    ch = U'x';
    form->OnKeyPress(form, ch);
    EXPECT_EQ(ch, U'\0');
    ch = U'q';
    form->OnKeyPress(form, ch);
    EXPECT_EQ(ch, U'q');
}

TEST_F(DialogEvents, WithoutProceduresTheWindowBehavesNormally) {
    Compile("begin end.");
    Page->Initialize();
    TfrxDialogForm* form = Page->Form();
    EXPECT_TRUE(form->CloseQuery());
    uint16_t key = 13;
    form->OnKeyUp(form, key, 0);
    EXPECT_EQ(key, 13);
}

TEST_F(DialogEvents, ShowModalReturnsTheResultAndStaysOnTopAgain) {
    Compile("begin end.");
    Page->SetBounds(0, 0, 200, 100);
    Page->Initialize();
    TUiTestHarness harness;
    harness.OnModal([](TCustomForm& form) {
        EXPECT_EQ(form.FormStyle(), fsNormal);
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(Page->ShowModal(), mrOk);
    EXPECT_EQ(Page->Form()->FormStyle(), fsStayOnTop);
}

}  // namespace
