// A dot-matrix receipt run and printed as raw text: without a printer the text goes to a
// file, compared here byte for byte (ESC/P styles and commands, GBK text, the grid of
// 40 x 20 cells).
#include <gtest/gtest.h>

#include "tests/rtl/FileMode.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/DotMatrix.h"
#include "report/MemoView.h"
#include "report/PreviewPages.h"
#include "report/Printer.h"
#include "report/Report.h"

namespace {

std::string Hex(const std::string& Hex) {
    std::string out;
    for (size_t i = 0; i + 1 < Hex.size(); i += 2) out += static_cast<char>(std::stoi(Hex.substr(i, 2), nullptr, 16));
    return out;
}

TfrxDMPMemoView* Text(TfrxBand* Band, const std::string& Text, int Column, int Row, int Width,
                      TfrxHAlign Align = haLeft) {
    auto* m = new TfrxDMPMemoView(Band);
    m->CreateUniqueName();
    m->SetBounds(Column * frxCharWidth, Row * frxCharHeight, Width * frxCharWidth, frxCharHeight);
    m->SetText(Text);
    m->HAlign = Align;
    return m;
}

template <class B> B* Band(TfrxPage* Page, const std::string& Name, int Row, int Rows) {
    auto* b = new B(Page);
    b->SetName(Name);
    b->SetBounds(0, Row * frxCharHeight, 384, Rows * frxCharHeight);
    return b;
}

// The receipt: a title and its number, three lines of items with amounts to the right,
// a rule, the total in bold and the command that cuts the paper.
std::unique_ptr<TfrxReport> Receipt() {
    auto report = std::make_unique<TfrxReport>(nullptr);
    report->EngineOptions()->SilentMode = true;
    report->DotMatrixReport = true;
    auto* lines = new TfrxUserDataSet(report.get());
    lines->SetName("Lines");
    lines->SetUserName("Lines");
    lines->Fields()->Add("name");
    lines->Fields()->Add("amount");
    lines->RangeEnd = reCount;
    lines->RangeEndCount = 3;
    lines->OnGetValue = [lines](const std::string& Field, Variant& Value) {
        static const char* names[] = {"阿莫西林胶囊", "诊查费", "注射费"};
        static const char* amounts[] = {"12.50", "5.00", "3.00"};
        const int i = lines->RecNo() % 3;
        Value = Variant(Field == "name" ? names[i] : amounts[i]);
    };
    report->DataSets()->Add(lines);
    auto* page = new TfrxDMPPage(report.get());
    page->SetName("Page1");
    page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 0;
    page->SetPaperWidth(40 * frxCharWidth / frxMmToPixels);
    page->SetPaperHeight(20 * frxCharHeight / frxMmToPixels);

    auto* title = Band<TfrxReportTitle>(page, "ReportTitle1", 0, 2);
    Text(title, "门诊收费收据", 0, 0, 40, haCenter)->SetFontStyle(TfrxDMPFontStyles{fsxBold});
    Text(title, "票据号: 240501001", 0, 1, 40);
    auto* rows = Band<TfrxMasterData>(page, "MasterData1", 3, 1);
    rows->SetDataSet(lines);
    Text(rows, "[Lines.\"name\"]", 1, 0, 20);
    Text(rows, "[Lines.\"amount\"]", 30, 0, 9, haRight);
    auto* summary = Band<TfrxReportSummary>(page, "ReportSummary1", 5, 3);
    auto* rule = new TfrxDMPLineView(summary);
    rule->SetName("Rule");
    rule->SetBounds(0, 0, 39 * frxCharWidth, 0);
    Text(summary, "合计", 1, 1, 10);
    Text(summary, "20.50", 30, 1, 9, haRight)->SetFontStyle(TfrxDMPFontStyles{fsxBold});
    auto* cut = new TfrxDMPCommand(summary);
    cut->SetName("Cut");
    cut->SetBounds(0, 2 * frxCharHeight, frxCharWidth, frxCharHeight);
    cut->Command = "#29V#0";
    return report;
}

TEST(DotMatrixReceipt, RawTextByteForByte) {
    std::unique_ptr<TfrxReport> report = Receipt();
    ASSERT_TRUE(report->PrepareReport()) << report->Errors()->Text();
    auto* pages = static_cast<TfrxPreviewPages*>(report->PreviewPages());
    ASSERT_EQ(pages->Count(), 1);
    // DMP_PAGE_BMP=<file.bmp> keeps a picture of the page as the preview draws it.
    if (const char* picture = std::getenv("DMP_PAGE_BMP")) {
        TBitmap bitmap;
        bitmap.SetSize(420, 360);
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect(TRect{0, 0, 420, 360});
        pages->DrawPage(0, bitmap.Canvas(), 1, 1, 10, 10);
        bitmap.SaveToFile(picture);
    }

    const std::string file = GetTempDir() + "receipt_" + std::to_string(getpid()) + ".prn";
    TfrxVirtualPrinter printer("none", "");
    printer.Init();
    printer.FileName = file;
    ASSERT_TRUE(pages->PrintTo(printer, TfrxPrintSettings{}));
    TMemoryStream bytes;
    bytes.LoadFromFile(file);
    DeleteFile(file);
    const std::string got(static_cast<const char*>(bytes.Memory()), static_cast<size_t>(bytes.Size()));

    const std::string crlf = "\r\n";
    const std::string expected =
        std::string("\x1B@") + "\x1B" "C" + static_cast<char>(20) +
        // 门诊收费收据 (12 cells) centred in 40 in bold.
        std::string(14, ' ') + "\x1B" "E" + Hex("c3c5d5efcad5b7d1cad5bedd") + "\x1B" "F" + crlf +
        Hex("c6b1beddbac53a") + " 240501001" + crlf +
        // Each item from column 1, its amount ending at column 38.
        " " + Hex("b0a2c4aacef7c1d6bdbac4d2") + std::string(21, ' ') + "12.50" + crlf +
        " " + Hex("d5efb2e9b7d1") + std::string(28, ' ') + "5.00" + crlf +
        " " + Hex("d7a2c9e4b7d1") + std::string(28, ' ') + "3.00" + crlf +
        // The rule through the middle of its row, the total in bold, the cut.
        std::string(40, '-') + crlf +
        " " + Hex("bacfbcc6") + std::string(29, ' ') + "\x1B" "E" + "20.50" + "\x1B" "F" + crlf +
        std::string("\x1DV\0", 3) + crlf +
        "\x0C";
    EXPECT_EQ(got, expected);
}

}  // namespace

namespace {

// Printing the report without any printer installed writes the same text to the
// printer's file instead of failing.
TEST(DotMatrixReceipt, WithoutAPrinterPrintsToAFile) {
    if (frxPrinters().HasPhysicalPrinters()) GTEST_SKIP() << "a printer is installed here";
    std::unique_ptr<TfrxReport> report = Receipt();
    report->PrintOptions()->ShowDialog = false;
    ASSERT_TRUE(report->PrepareReport()) << report->Errors()->Text();
    const std::string file = GetTempDir() + "receipt_print_" + std::to_string(getpid()) + ".prn";
    // The receipt's file is its owner's only, also over one others could read.
    const TUmaskScope mask(022);
    WriteFileWithMode(file, "old", 0644);
    TfrxCustomPrinter* printer = frxPrinters().Printer();
    printer->FileName = file;
    const bool printed = report->PreviewPages()->Print();
    printer->FileName.clear();
    EXPECT_TRUE(printed);
    ASSERT_TRUE(FileExists(file));
    EXPECT_EQ(FileModeOf(file), 0600u);
    TMemoryStream bytes;
    bytes.LoadFromFile(file);
    DeleteFile(file);
    const std::string got(static_cast<const char*>(bytes.Memory()), static_cast<size_t>(bytes.Size()));
    EXPECT_EQ(got.substr(0, 2), "\x1B@");
    EXPECT_NE(got.find("12.50"), std::string::npos);
}

}  // namespace
