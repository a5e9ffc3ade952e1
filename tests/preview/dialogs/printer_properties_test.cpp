// The printer's properties: the queue's own options from its PPD, one list each with the
// choice in effect; OK keeps the choices with the printer (and its jobs carry them),
// Cancel keeps what was there; a printer without options shows nothing.
#include <gtest/gtest.h>

#include "platform/graphics/Printers.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/PrintDialog.h"
#include "preview/PrinterPropertiesDialog.h"
#include "report/Printer.h"
#include "tests/report/TestPdfPrinter.h"

namespace {

using H = TUiTestHarness;
const std::string kLaserPpd = std::string(ROVE_SOURCE_DIR) + "/tests/graphics/data/office-laser.ppd";

TfrxPrinterPropertiesDialog& Dlg(TCustomForm& f) { return static_cast<TfrxPrinterPropertiesDialog&>(f); }

std::string Selected(TComboBox* List) { return List->Items()->Get(List->ItemIndex()); }

// The user opens the list and clicks the choice.
void Choose(TComboBox* List, const std::string& Text) {
    H::Click(List);
    H::ClickDropDownItem(List, List->Items()->IndexOf(Text));
}

class PrinterProperties : public ::testing::Test {
protected:
    void SetUp() override {
        frxInstallPrintDialog();
        printer.Device()->LoadOptions(kLaserPpd);
    }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty()) << ui.Errors().front();
        EXPECT_EQ(ui.PendingDrivers(), 0);
    }
    TUiTestHarness ui;
    TPdfPrinter printer{testing::TempDir() + "printer_properties.pdf"};
};

TEST_F(PrinterProperties, ChoicesStayWithThePrinterAndGoWithItsJobs) {
    ASSERT_TRUE(printer.HasProperties());
    ui.OnModal("TfrxPrinterPropertiesDialog", [](TCustomForm& f) {
        TfrxPrinterPropertiesDialog& d = Dlg(f);
        EXPECT_EQ(d.Caption(), "PDF 属性");
        ASSERT_EQ(d.OptionLists.size(), 4u);
        EXPECT_EQ(d.OptionLabels[0]->Caption(), "Color Mode:");
        EXPECT_EQ(d.OptionLabels[2]->Caption(), "Print Quality:");
        EXPECT_EQ(Selected(d.OptionLists[0]), "Color");
        EXPECT_EQ(Selected(d.OptionLists[1]), "Plain Paper");
        EXPECT_EQ(Selected(d.OptionLists[2]), "Normal");
        EXPECT_EQ(d.OkB->Caption(), "确定");
        EXPECT_EQ(d.CancelB->Caption(), "取消");
        Choose(d.OptionLists[1], "Thick Paper");
        Choose(d.OptionLists[2], "High");
        H::Click(d.OkB);
    });
    printer.PropertiesDlg();
    EXPECT_EQ(printer.Device()->Option("MediaType"), "Thick");
    const std::vector<std::pair<std::string, std::string>> chosen = {{"MediaType", "Thick"},
                                                                     {"cupsPrintQuality", "High"}};
    EXPECT_EQ(printer.Device()->JobOptions(), chosen);

    // Opened again, it shows those choices; a change cancelled is not taken.
    ui.OnModal("TfrxPrinterPropertiesDialog", [](TCustomForm& f) {
        TfrxPrinterPropertiesDialog& d = Dlg(f);
        EXPECT_EQ(Selected(d.OptionLists[1]), "Thick Paper");
        EXPECT_EQ(Selected(d.OptionLists[2]), "High");
        Choose(d.OptionLists[0], "Grayscale");
        H::Click(d.CancelB);
    });
    printer.PropertiesDlg();
    EXPECT_EQ(printer.Device()->Option("ColorModel"), "RGB");
    EXPECT_EQ(printer.Device()->JobOptions(), chosen);
}

TEST_F(PrinterProperties, NothingToShowWithoutOptions) {
    TPdfPrinter plain(testing::TempDir() + "printer_properties_plain.pdf");
    EXPECT_FALSE(plain.HasProperties());
    plain.PropertiesDlg();   // no window: the harness would note one nobody drove
    TfrxVirtualPrinter virtualPrinter("虚拟打印机", "");
    virtualPrinter.Init();
    EXPECT_FALSE(virtualPrinter.HasProperties());
    virtualPrinter.PropertiesDlg();
}

}  // namespace
