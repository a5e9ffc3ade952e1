// Printers: no queues is a clean state; papers by number; a PDF job prints text that
// comes back out of the file; failures raise EPrinter; raw jobs can go to a file.
#include "PixelHelpers.h"

#include "platform/graphics/Printers.h"
#include "platform/rtl/FileUtils.h"
#include "tests/rtl/FileMode.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

std::string Output(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    pclose(p);
    return out;
}

bool HavePoppler() { return std::system("command -v pdftoppm >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") == 0; }

std::string Dir() {
    std::string dir = testing::TempDir() + "graphics_printer/";
    ForceDirectories(dir);
    return dir;
}

}  // namespace

TEST(Printers, NoQueuesIsACleanState) {
    // A spooler that cannot be reached is the same as one without queues.
    const char* saved = std::getenv("CUPS_SERVER");
    std::string keep = saved ? saved : "";
    setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
    std::vector<TPrinterInfo> printers = EnumPrinters();
    std::string def = DefaultPrinterName();
    bool raised = false;
    try {
        TPrinter missing("No Such Printer");
    } catch (const EPrinter& e) {
        raised = true;
        EXPECT_EQ(e.Message(), "Printer \"No Such Printer\" is not installed");
    }
    if (saved) setenv("CUPS_SERVER", keep.c_str(), 1);
    else unsetenv("CUPS_SERVER");
    EXPECT_TRUE(printers.empty());
    EXPECT_EQ(def, "");
    EXPECT_TRUE(raised);
}

TEST(Printers, PaperNumbersAndSizes) {
    struct Case {
        int Number;
        bool Known;
        int Width;
        int Height;
    };
    const Case cases[] = {
        {1, true, 2159, 2794}, {5, true, 2159, 3556}, {8, true, 2970, 4200}, {9, true, 2100, 2970},
        {11, true, 1480, 2100}, {13, true, 1820, 2570}, {20, true, 1048, 2413}, {27, true, 1100, 2200},
        {66, true, 4200, 5940}, {68, true, 3220, 4450}, {48, false, 0, 0}, {256, false, 0, 0}, {0, false, 0, 0},
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        EXPECT_EQ(PaperSizeOfNumber(c.Number, w, h), c.Known) << c.Number;
        if (!c.Known) continue;
        EXPECT_EQ(w, c.Width) << c.Number;
        EXPECT_EQ(h, c.Height) << c.Number;
    }
    EXPECT_EQ(PaperNumberOfSize(2100, 2970), DMPAPER_A4);
    EXPECT_EQ(PaperNumberOfSize(2970, 2100), DMPAPER_A4);   // landscape
    EXPECT_EQ(PaperNumberOfSize(2410, 1400), 0);
}

TEST(Printers, PdfPrinterGeometryFollowsTheSettings) {
    auto printer = TPrinter::CreatePdf(Dir() + "geometry.pdf", 600);
    EXPECT_TRUE(printer->IsPdf());
    EXPECT_EQ(printer->DPIX(), 600);
    EXPECT_EQ(printer->PaperSize(), DMPAPER_A4);
    // Qt keeps standard papers in whole points: A4 is 595 x 842 pt (209.9 x 297.0 mm).
    EXPECT_NEAR(printer->PhysicalWidth(), 4961, 5);
    EXPECT_NEAR(printer->PhysicalHeight(), 7016, 5);
    EXPECT_EQ(printer->PhysicalOffsetX(), 0);
    EXPECT_EQ(printer->PageWidth(), printer->PhysicalWidth());
    printer->SetOrientation(poLandscape);
    EXPECT_NEAR(printer->PhysicalWidth(), 7016, 5);
    EXPECT_TRUE(printer->SetPaperSize(DMPAPER_A5));
    EXPECT_NEAR(printer->PhysicalHeight(), 3496, 5);   // 148 mm, landscape
    EXPECT_FALSE(printer->SetPaperSize(48));
    EXPECT_EQ(printer->PaperSize(), DMPAPER_A5);
    printer->SetCustomPaperSize(241, 140);
    EXPECT_EQ(printer->PaperSize(), DMPAPER_USER);
    printer->SetOrientation(poPortrait);
    EXPECT_NEAR(printer->PhysicalWidth(), 5693, 5);   // 241 mm
    bool hasA4 = false, has256 = false;
    for (const TPaperInfo& p : printer->Papers()) {
        hasA4 = hasA4 || (p.Number == DMPAPER_A4 && p.Width == 2100);
        has256 = has256 || p.Number == DMPAPER_USER;
    }
    EXPECT_TRUE(hasA4);
    EXPECT_FALSE(has256);
}

TEST(Printers, PdfJobPrintsTextThatComesBackOutOfTheFile) {
    if (!HavePoppler()) GTEST_SKIP() << "poppler-utils not installed";
    std::string dir = Dir();
    std::string pdf = dir + "receipt.pdf";
    DeleteFile(pdf);
    auto printer = TPrinter::CreatePdf(pdf, 600);
    printer->BeginDoc("Receipt");
    printer->BeginPage();
    TCanvas* c = printer->Canvas();
    EXPECT_TRUE(c->IsPrinter());
    EXPECT_EQ(c->PixelsPerInchY(), 600);
    c->Font()->SetName("宋体");
    c->Font()->SetSize(16);
    EXPECT_EQ(c->Font()->Height(), -133);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(600, 600, "门诊收费收据 Receipt 12.50");
    c->Pen()->SetWidth(6);
    c->Rectangle(500, 500, 4400, 1100);
    printer->SetOrientation(poLandscape);   // applies from the next page
    printer->NewPage();
    printer->Canvas()->Font()->SetName("Arial");
    printer->Canvas()->Font()->SetSize(12);
    printer->Canvas()->TextOut(600, 600, "Page two");
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());
    EXPECT_EQ(printer->PageNumber(), 2);

    std::string text = Output("pdftotext -layout '" + pdf + "' -");
    EXPECT_NE(text.find("门诊收费收据"), std::string::npos) << text;
    EXPECT_NE(text.find("Receipt 12.50"), std::string::npos) << text;
    EXPECT_NE(text.find("Page two"), std::string::npos) << text;
    std::string info = Output("pdfinfo -f 1 -l 2 '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    1 size:  595 x 842"), std::string::npos) << info;   // A4 portrait, points
    EXPECT_NE(info.find("Page    2 size:  842 x 595"), std::string::npos) << info;   // then landscape

    // The page as an image at 96 dpi: the text and the frame are where they were drawn.
    ASSERT_EQ(std::system(("pdftoppm -r 96 -f 1 -l 1 -png '" + pdf + "' '" + dir + "page'").c_str()), 0);
    std::string png = dir + "page-1.png";
    TPicture page;
    page.LoadFromFile(png);
    ASSERT_EQ(page.Graphic()->ClassName(), "TPngImage");
    EXPECT_NEAR(page.Width(), 794, 1);
    TBitmap b(page.Width(), page.Height());
    b.Canvas()->Draw(0, 0, page.Graphic());
    auto dark = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (GetRValue(b.Pixel(x, y)) < 128) ++n;
        return n;
    };
    // 600 device pixels at 600 dpi are 96 pixels here; the text cell is about 27 high.
    EXPECT_GT(dark(96, 96, 500, 126), 200);
    EXPECT_EQ(dark(96, 140, 500, 170), 0);
    EXPECT_GT(dark(80, 79, 700, 81), 500);   // the frame's top edge at y = 80
    EXPECT_EQ(dark(0, 0, 794, 70), 0);
}

TEST(Printers, JobFailuresRaise) {
    std::string dir = Dir();
    auto printer = TPrinter::CreatePdf(dir + "nowhere/missing/x.pdf");
    EXPECT_THROW(printer->BeginPage(), EPrinter);    // no job
    EXPECT_THROW(printer->Canvas(), EPrinter);
    printer->BeginDoc("x");
    EXPECT_THROW(printer->BeginDoc("again"), EPrinter);
    try {
        printer->BeginPage();
        FAIL() << "an unwritable file must raise";
    } catch (const EPrinter& e) {
        EXPECT_NE(e.Message().find("nowhere/missing/x.pdf"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(printer->Printing());

    std::string aborted = dir + "aborted.pdf";
    auto second = TPrinter::CreatePdf(aborted);
    second->BeginDoc("x");
    second->BeginPage();
    second->Canvas()->TextOut(10, 10, "half");
    second->Abort();
    EXPECT_TRUE(second->Aborted());
    EXPECT_FALSE(FileExists(aborted));
}

// Printed pages hold patients' names and amounts: a job printed to a file (PDF or raw
// bytes) leaves it its owner's only under a desktop's umask 022, also over a file others
// could read. Both used to be 0644.
TEST(Printers, FilesOfPrintedPagesAreTheOwnersOnly) {
    const TUmaskScope mask(022);
    const std::string pdf = Dir() + "owner.pdf", raw = Dir() + "owner.prn";
    for (const std::string& file : {pdf, raw}) WriteFileWithMode(file, "old", 0644);
    auto printer = TPrinter::CreatePdf(pdf);
    printer->BeginDoc("Receipt");
    printer->BeginPage();
    printer->Canvas()->TextOut(600, 600, "张三 12.50");
    printer->EndDoc();
    EXPECT_EQ(FileModeOf(pdf), 0600u);
    EXPECT_EQ(ReadFileBytes(pdf).substr(0, 5), "%PDF-");
    auto rawPrinter = TPrinter::CreatePdf(raw);
    rawPrinter->BeginRawDoc("dot matrix");
    rawPrinter->WriteRawDoc("\x1b@张三 12.50\r\n");
    rawPrinter->EndRawDoc();
    EXPECT_EQ(FileModeOf(raw), 0600u);
    DeleteFile(pdf);
    DeleteFile(raw);
}

TEST(Printers, RawJobToAFileKeepsTheBytes) {
    std::string path = Dir() + "raw.prn";
    auto printer = TPrinter::CreatePdf(path);
    printer->BeginRawDoc("dot matrix");
    printer->WriteRawDoc("\x1b@Line 1\r\n");
    printer->WriteRawDoc(std::string("\x0c\0x", 3));
    printer->EndRawDoc();
    EXPECT_EQ(ReadFileBytes(path), std::string("\x1b@Line 1\r\n\x0c\0x", 13));
    EXPECT_THROW(printer->WriteRawDoc("late"), EPrinter);
}

namespace {
const std::string kLaserPpd = std::string(ROVE_SOURCE_DIR) + "/tests/graphics/data/office-laser.ppd";
}

// A queue's own options come from its PPD in the queue's names and choices; the settings
// every page makes (paper, tray, two-sided printing) are not among them.
TEST(PrinterOptions, ReadFromThePpdWithTheirDefaults) {
    const std::vector<TPrinterOption> options = ReadPpdOptions(kLaserPpd);
    std::string seen;
    for (const TPrinterOption& o : options) {
        seen += o.Keyword + "/" + o.Text + "=" + o.Default + ":";
        for (const TPrinterOptionChoice& c : o.Choices) seen += " " + c.Keyword + "/" + c.Text;
        seen += "\n";
    }
    EXPECT_EQ(seen,
              "ColorModel/Color Mode=RGB: RGB/Color Gray/Grayscale\n"
              "MediaType/Media Type=Plain: Plain/Plain Paper Thick/Thick Paper Labels/Labels\n"
              "cupsPrintQuality/Print Quality=Normal: Draft/Draft Normal/Normal High/High\n"
              "TonerSave/Toner Saving=False: True/On False/Off\n");
    EXPECT_THROW(ReadPpdOptions(std::string(ROVE_SOURCE_DIR) + "/tests/graphics/CMakeLists.txt"), EPrinter);
}

// The choices made stay with the printer and go with its jobs as CUPS options; a choice
// the queue does not offer is refused, and the queue's defaults are not sent.
TEST(PrinterOptions, ChoicesGoWithTheJob) {
    auto printer = TPrinter::CreatePdf(Dir() + "options.pdf");
    EXPECT_TRUE(printer->Options().empty()) << "a PDF file has no queue options";
    printer->LoadOptions(kLaserPpd);
    ASSERT_EQ(printer->Options().size(), 4u);
    EXPECT_EQ(printer->Option("MediaType"), "Plain");
    EXPECT_TRUE(printer->JobOptions().empty());
    EXPECT_TRUE(printer->SetOption("MediaType", "Thick"));
    EXPECT_TRUE(printer->SetOption("cupsPrintQuality", "High"));
    EXPECT_TRUE(printer->SetOption("ColorModel", "RGB"));   // the default: nothing to send
    EXPECT_FALSE(printer->SetOption("MediaType", "Glossy"));
    EXPECT_FALSE(printer->SetOption("PageSize", "Letter"));
    EXPECT_EQ(printer->Option("MediaType"), "Thick");
    const std::vector<std::pair<std::string, std::string>> expected = {{"MediaType", "Thick"},
                                                                       {"cupsPrintQuality", "High"}};
    EXPECT_EQ(printer->JobOptions(), expected);
    // Read again (the queue changed its driver): the choices it still offers stay.
    printer->LoadOptions(kLaserPpd);
    EXPECT_EQ(printer->JobOptions(), expected);
}
