// The print dialog: the caller's settings shown as given (the odd/even choice and a page
// list included), the choice read back into the settings, print to file, the copies check
// and the printer list.
#include <gtest/gtest.h>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/PrintDialog.h"
#include "report/Printer.h"

namespace {

TfrxPrintDialog& Dlg(TCustomForm& f) { return static_cast<TfrxPrintDialog&>(f); }

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        frxPrinters().Printer()->FileName.clear();
        pages.CurPreviewPage = 4;
    }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
        frxPrinters().Printer()->FileName.clear();
    }
    TUiTestHarness ui;
    TfrxPreviewPages pages{nullptr};
};

// What the caller passes comes up in the controls and, untouched, comes back unchanged.
TEST_F(PrintDialogTest, PrefilledSettingsAreShownAndKept) {
    struct Case {
        TfrxPrintSettings in;
        bool pageNumbersChecked;
    };
    const Case cases[] = {
        {{1, true, "", ppAll, false}, false},
        {{3, false, "2-5,7", ppOdd, false}, true},
        {{2, true, "", ppEven, true}, false},
        {{12, false, "1", ppEven, false}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "copies " << c.in.Copies << " pages '" << c.in.PageNumbers << "' filter "
                                        << c.in.PrintPages);
        ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
            TfrxPrintDialog& d = Dlg(f);
            EXPECT_EQ(d.CopiesE->Text(), std::to_string(c.in.Copies));
            EXPECT_EQ(d.CollateCB->Checked(), c.in.Collate);
            EXPECT_EQ(d.PageNumbersE->Text(), c.in.PageNumbers);
            EXPECT_EQ(d.PageNumbersRB->Checked(), c.pageNumbersChecked);
            EXPECT_EQ(d.AllRB->Checked(), !c.pageNumbersChecked);
            EXPECT_EQ(d.PrintPagesCB->ItemIndex(), static_cast<int>(c.in.PrintPages));
            EXPECT_EQ(d.ReverseCB->Checked(), c.in.Reverse);
            TUiTestHarness::Click(d.OkB);
        });
        TfrxPrintSettings s = c.in;
        ASSERT_TRUE(frxShowPrintDialog(&pages, s));
        EXPECT_EQ(s.Copies, c.in.Copies);
        EXPECT_EQ(s.Collate, c.in.Collate);
        EXPECT_EQ(s.PageNumbers, c.in.PageNumbers);
        EXPECT_EQ(s.PrintPages, c.in.PrintPages);
        EXPECT_EQ(s.Reverse, c.in.Reverse);
    }
}

// The user's choices, one row each, and the settings they give.
TEST_F(PrintDialogTest, ChoicesComeBackInTheSettings) {
    struct Case {
        const char* name;
        std::function<void(TfrxPrintDialog&)> act;
        std::function<void(const TfrxPrintSettings&)> check;
    };
    const Case cases[] = {
        {"current page", [](TfrxPrintDialog& d) { TUiTestHarness::Click(d.CurPageRB); },
         [](const TfrxPrintSettings& s) { EXPECT_EQ(s.PageNumbers, "4"); }},
        {"typed range selects the page choice",
         [](TfrxPrintDialog& d) {
             TUiTestHarness::Click(d.PageNumbersE);
             TUiTestHarness::TypeText(d.PageNumbersE, "1,3,5-12");
         },
         [](const TfrxPrintSettings& s) { EXPECT_EQ(s.PageNumbers, "1,3,5-12"); }},
        {"range typed, then all",
         [](TfrxPrintDialog& d) {
             TUiTestHarness::Click(d.PageNumbersE);
             TUiTestHarness::TypeText(d.PageNumbersE, "2");
             TUiTestHarness::Click(d.AllRB);
         },
         [](const TfrxPrintSettings& s) { EXPECT_EQ(s.PageNumbers, ""); }},
        {"copies, reverse, even pages",
         [](TfrxPrintDialog& d) {
             TUiTestHarness::Click(d.CopiesE);
             TUiTestHarness::TypeKey(d.CopiesE, VK_HOME);
             TUiTestHarness::TypeKey(d.CopiesE, VK_END, ssShift);
             TUiTestHarness::TypeText(d.CopiesE, "5");
             TUiTestHarness::Click(d.ReverseCB);
             d.PrintPagesCB->SetItemIndex(2);
         },
         [](const TfrxPrintSettings& s) {
             EXPECT_EQ(s.Copies, 5);
             EXPECT_TRUE(s.Reverse);
             EXPECT_EQ(s.PrintPages, ppEven);
         }},
        {"collate label toggles the box",
         [](TfrxPrintDialog& d) {
             TUiTestHarness::Click(d.CollateL);
             EXPECT_FALSE(d.CollateCB->Checked());
         },
         [](const TfrxPrintSettings& s) { EXPECT_FALSE(s.Collate); }},
        {"collate label twice",
         [](TfrxPrintDialog& d) {
             TUiTestHarness::Click(d.CollateL);
             TUiTestHarness::Click(d.CollateL);
         },
         [](const TfrxPrintSettings& s) { EXPECT_TRUE(s.Collate); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
            c.act(Dlg(f));
            TUiTestHarness::Click(Dlg(f).OkB);
        });
        TfrxPrintSettings s;
        ASSERT_TRUE(frxShowPrintDialog(&pages, s));
        c.check(s);
    }
}

TEST_F(PrintDialogTest, CollatePictureFollowsTheBox) {
    ui.OnModal("TfrxPrintDialog", [](TCustomForm& f) {
        TfrxPrintDialog& d = Dlg(f);
        // The sheets carry other numbers collated than not: the drawings differ.
        auto picture = [&] {
            TUiTestHarness::ProcessMessages();
            std::vector<int32_t> px;
            for (int y = 0; y < d.CopiesPB->Height(); ++y)
                for (int x = 0; x < d.CopiesPB->Width(); ++x) px.push_back(TUiTestHarness::PixelAt(d.CopiesPB, {x, y}));
            return px;
        };
        const std::vector<int32_t> collated = picture();
        TUiTestHarness::Click(d.CollateL);
        EXPECT_NE(picture(), collated);
        TUiTestHarness::Click(d.CollateL);
        EXPECT_EQ(picture(), collated);
        d.SetModalResult(mrCancel);
    });
    TfrxPrintSettings s;
    EXPECT_FALSE(frxShowPrintDialog(&pages, s));
}

TEST_F(PrintDialogTest, PrintToFileTakesThePrnExtensionAndCancellingTheFileCancels) {
    struct Case {
        std::optional<std::string> chosen;
        bool printed;
        std::string fileName;
    };
    const Case cases[] = {
        {"/tmp/rove-out/daily", true, "/tmp/rove-out/daily.prn"},
        {"/tmp/rove-out/daily.pdf", true, "/tmp/rove-out/daily.prn"},
        {"/tmp/rove-out/daily.prn", true, "/tmp/rove-out/daily.prn"},
        {std::nullopt, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.value_or("(cancelled)"));
        frxPrinters().Printer()->FileName = "/tmp/stale.prn";
        ui.AnswerFile(c.chosen);
        ui.OnModal("TfrxPrintDialog", [](TCustomForm& f) {
            TUiTestHarness::Click(Dlg(f).FileCB);
            TUiTestHarness::Click(Dlg(f).OkB);
        });
        TfrxPrintSettings s;
        EXPECT_EQ(frxShowPrintDialog(&pages, s), c.printed);
        EXPECT_EQ(frxPrinters().Printer()->FileName, c.fileName);
        ASSERT_FALSE(ui.Dialogs().empty());
        EXPECT_EQ(ui.Dialogs().back().Caption, "Print To File");
        ui.ClearDialogs();
    }
    // Without the box, printing goes to the device: an earlier file name is dropped.
    frxPrinters().Printer()->FileName = "/tmp/stale.prn";
    ui.OnModal("TfrxPrintDialog", [](TCustomForm& f) { TUiTestHarness::Click(Dlg(f).OkB); });
    TfrxPrintSettings s;
    EXPECT_TRUE(frxShowPrintDialog(&pages, s));
    EXPECT_EQ(frxPrinters().Printer()->FileName, "");
}

TEST_F(PrintDialogTest, BadCopiesKeepTheDialogOpen) {
    for (const char* bad : {"0", "-2", "abc", ""}) {
        SCOPED_TRACE(bad);
        ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
            Dlg(f).CopiesE->SetText(bad);
            TUiTestHarness::Click(Dlg(f).OkB);
        });
        // Refused: the dialog stays open with the copies field active.
        ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
            TfrxPrintDialog& d = Dlg(f);
            EXPECT_EQ(d.ModalResult(), mrNone);
            EXPECT_EQ(d.ActiveControl(), d.CopiesE);
            EXPECT_EQ(ui.Dialogs().size(), 1u);
            d.CopiesE->SetText("2");
            TUiTestHarness::Click(d.OkB);
        });
        TfrxPrintSettings s;
        ASSERT_TRUE(frxShowPrintDialog(&pages, s));
        EXPECT_EQ(s.Copies, 2);
        ASSERT_EQ(ui.Dialogs().size(), 1u);
        EXPECT_EQ(ui.Dialogs().front().Text, std::string("\"") + bad + "\" 不是有效的打印份数");
        ui.ClearDialogs();
    }
}

// The copies box has an up-down that starts at 1, never goes below it and reads a number
// typed into the box before it steps.
TEST_F(PrintDialogTest, CopiesUpDownStepsFromTheTypedNumber) {
    ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
        TfrxPrintDialog& d = Dlg(f);
        ASSERT_NE(d.UpDown1, nullptr);
        EXPECT_EQ(d.UpDown1->Associate(), d.CopiesE);
        EXPECT_EQ(d.UpDown1->Left(), d.CopiesE->Left() + d.CopiesE->Width());
        d.UpDown1->Step(btPrev);
        EXPECT_EQ(d.CopiesE->Text(), "1");
        d.CopiesE->SetText("4");
        d.UpDown1->Step(btNext);
        EXPECT_EQ(d.CopiesE->Text(), "5");
        TUiTestHarness::Click(d.OkB);
    });
    TfrxPrintSettings s;
    ASSERT_TRUE(frxShowPrintDialog(&pages, s));
    EXPECT_EQ(s.Copies, 5);
}

TEST_F(PrintDialogTest, PrinterListShowsTheCurrentPrinterAndCancelKeepsIt) {
    TfrxPrinters& printers = frxPrinters();
    const int before = printers.PrinterIndex();
    ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
        TfrxPrintDialog& d = Dlg(f);
        ASSERT_EQ(d.PrintersCB->Items()->Count(), printers.Count());
        for (int i = 0; i < printers.Count(); ++i) EXPECT_EQ((*d.PrintersCB->Items())[i], printers.Printers()[i]);
        EXPECT_EQ(d.PrintersCB->ItemIndex(), before);
        EXPECT_EQ(d.TypeL1->Caption(), printers.Printer()->Name());
        EXPECT_EQ(d.WhereL1->Caption(), printers.Printer()->Port());
        EXPECT_EQ(d.OldIndex, before);
        // Pick the last printer (the virtual one when nothing is installed), then cancel.
        d.PrintersCB->ItemPicked(printers.Count() - 1);
        EXPECT_EQ(printers.PrinterIndex(), printers.Count() - 1);
        EXPECT_EQ(d.TypeL1->Caption(), printers.Printer()->Name());
        TUiTestHarness::Click(d.CancelB);
    });
    TfrxPrintSettings s;
    EXPECT_FALSE(frxShowPrintDialog(&pages, s));
    EXPECT_EQ(printers.PrinterIndex(), before);
    if (!printers.HasPhysicalPrinters()) {
        EXPECT_EQ(printers.Printer()->Name(), "虚拟");
    }
}

TEST_F(PrintDialogTest, InstalledAsThePrintingRoutinesDialog) {
    frxInstallPrintDialog();
    ASSERT_TRUE(static_cast<bool>(frxPrintDialogProc()));
    ui.OnModal("TfrxPrintDialog", [](TCustomForm& f) {
        TfrxPrintDialog& d = Dlg(f);
        EXPECT_EQ(d.Caption(), "打印");
        EXPECT_EQ(d.PrintPagesCB->Items()->Count(), 3);
        EXPECT_EQ((*d.PrintPagesCB->Items())[1], "奇数页");
        TUiTestHarness::Click(d.CurPageRB);
        TUiTestHarness::Click(d.OkB);
    });
    TfrxPrintSettings s;
    EXPECT_TRUE(frxPrintDialogProc()(&pages, s));
    EXPECT_EQ(s.PageNumbers, "4");
    ui.OnModal("TfrxPrintDialog", [](TCustomForm& f) { TUiTestHarness::Click(Dlg(f).CancelB); });
    EXPECT_FALSE(frxPrintDialogProc()(&pages, s));
    frxPrintDialogProc() = nullptr;
}


// Without a print queue the current printer is the virtual one, which has no options of its
// own to set: the properties button stays greyed.
TEST_F(PrintDialogTest, PrinterPropertiesButtonIsDisabledForTheVirtualPrinter) {
    bool seen = false;
    ui.OnModal("TfrxPrintDialog", [&](TCustomForm& f) {
        TfrxPrintDialog& d = Dlg(f);
        seen = true;
        EXPECT_EQ(d.PropButton->Caption(), "属性...");
        EXPECT_FALSE(d.PropButton->Enabled());
        TUiTestHarness::Click(d.CancelB);
    });
    TfrxPrintSettings s;
    EXPECT_FALSE(frxShowPrintDialog(&pages, s));
    EXPECT_TRUE(seen);
}

}  // namespace
