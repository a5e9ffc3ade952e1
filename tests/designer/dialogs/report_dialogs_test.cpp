// The report-wide dialogs on a real report, driven as a user drives them: the report data
// dialog, the report settings dialog and the style editor. OK writes what the dialog
// shows, Cancel leaves the report as it was, and bad input says why and loses nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DialogFixtures.h"
#include "designer/controls/Selectors.h"
#include "designer/dialogs/ReportDataForm.h"
#include "designer/dialogs/ReportEditor.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/editors/FrameEditor.h"
#include "designer/editors/PictureEditor.h"
#include "designer/editors/Registration.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/window/DesignerComponent.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Options.h"
#include "report/Printer.h"
#include "report/Resources.h"
#include "report/Styles.h"

namespace {

template <class F>
F& As(TCustomForm& f) {
    return static_cast<F&>(f);
}

// The texts of the message boxes shown (file dialogs left out).
std::vector<std::string> Messages(const TUiTestHarness& ui) {
    std::vector<std::string> out;
    for (const TDialogRequest& d : ui.Dialogs())
        if (d.Kind == TDialogKind::MessageBox || d.Kind == TDialogKind::MessageDlg) out.push_back(d.Text);
    return out;
}

class ReportDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        frxRegisterDesignerTexts();
        frxRegisterDesignerEditors();
    }
    void TearDown() override {
        TUiTestHarness::ProcessMessages();
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
    }
    TUiTestHarness ui;
    TDialogReport r;
};

// --- Report data -------------------------------------------------------------------------------

std::vector<std::string> Aliases(TfrxReportDataSets* List) {
    std::vector<std::string> out;
    for (int i = 0; i < List->Count(); ++i) out.push_back(List->Items(i)->DataSetName());
    return out;
}

int Row(TCheckListBox* LB, const std::string& Name) { return LB->Items()->IndexOf(Name); }

TEST_F(ReportDialogsTest, ReportDataTicksAndOrder) {
    struct Case {
        const char* name;
        std::vector<std::string> tick;     // ticked in this order
        std::vector<std::string> untick;
        bool ok;
        std::vector<std::string> after;
    };
    // The program's datasets stand in creation order: Items before Doctors.
    const Case cases[] = {
        {"OK takes the list's order, not the order of the ticks", {"Doctors", "Items"}, {}, true, {"Items", "Doctors"}},
        {"unticking removes", {}, {"Items"}, true, {}},
        {"cancel keeps the report's list", {"Doctors"}, {"Items"}, false, {"Items"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Report->DataSets()->Clear();
        r.Report->DataSets()->Add(r.Items);
        ui.OnModal("TfrxReportDataForm", [&](TCustomForm& f) {
            auto& d = As<TfrxReportDataForm>(f);
            ASSERT_GE(Row(d.DatasetsLB, "Items"), 0);
            ASSERT_GT(Row(d.DatasetsLB, "Doctors"), Row(d.DatasetsLB, "Items"));
            EXPECT_TRUE(d.DatasetsLB->Checked(Row(d.DatasetsLB, "Items")));
            EXPECT_FALSE(d.DatasetsLB->Checked(Row(d.DatasetsLB, "Doctors")));
            for (const std::string& n : c.untick) d.DatasetsLB->SetChecked(Row(d.DatasetsLB, n), false);
            for (const std::string& n : c.tick) d.DatasetsLB->SetChecked(Row(d.DatasetsLB, n), true);
            TUiTestHarness::Click(c.ok ? d.OKB : d.CancelB);
        });
        EXPECT_EQ(frxShowReportDataForm(r.Report.get(), r.Designer.get()), c.ok);
        EXPECT_EQ(Aliases(r.Report->DataSets()), c.after);
    }
}

TEST_F(ReportDialogsTest, ReportDataOffersOnlyTheOfferedDatasets) {
    r.Report->OfferedDataSets()->Add(r.Doctors);
    ui.OnModal("TfrxReportDataForm", [&](TCustomForm& f) {
        auto& d = As<TfrxReportDataForm>(f);
        ASSERT_EQ(d.DatasetsLB->Items()->Count(), 1);
        EXPECT_EQ(d.DatasetsLB->Items()->Get(0), "Doctors");
        d.DatasetsLB->SetChecked(0, true);
        TUiTestHarness::Click(d.OKB);
    });
    EXPECT_TRUE(frxShowReportDataForm(r.Report.get()));
    EXPECT_EQ(Aliases(r.Report->DataSets()), std::vector<std::string>{"Doctors"});
}

TEST_F(ReportDialogsTest, ReportDataWithNothingOfferedEmptiesTheList) {
    // An offered list whose entry names no dataset of the program offers nothing.
    r.Report->OfferedDataSets()->Add(nullptr)->SetDataSetName("Nowhere");
    ASSERT_EQ(r.Report->OfferedDataSets()->Count(), 1);
    ui.OnModal("TfrxReportDataForm", [&](TCustomForm& f) {
        auto& d = As<TfrxReportDataForm>(f);
        EXPECT_EQ(d.DatasetsLB->Items()->Count(), 0);
        TUiTestHarness::Click(d.OKB);
    });
    EXPECT_TRUE(frxShowReportDataForm(r.Report.get()));
    EXPECT_EQ(r.Report->DataSets()->Count(), 0);
}

// --- Report settings ---------------------------------------------------------------------------

TEST_F(ReportDialogsTest, ReportSettingsShowAndWriteBack) {
    TfrxReportOptions* o = r.Report->ReportOptions();
    r.Report->PrintOptions()->Copies = 3;
    r.Report->PrintOptions()->Collate = false;
    r.Report->EngineOptions()->DoublePass = true;
    o->Name = "Daily";
    o->Author = "Li";
    o->Description()->SetText("line one\r\nline two\r\n");
    o->VersionMajor = "1";
    o->CreateDate = EncodeDate(2024, 3, 7);
    o->LastChange = 0;
    ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxReportEditorForm>(f);
        EXPECT_EQ(d.CopiesE->Text(), "3");
        EXPECT_FALSE(d.CollateCB->Checked());
        EXPECT_TRUE(d.DoublePassCB->Checked());
        EXPECT_EQ(d.NameE->Text(), "Daily");
        EXPECT_EQ(d.DescriptionE->Lines()->Count(), 2);
        EXPECT_EQ(d.MajorE->Text(), "1");
        EXPECT_EQ(d.Created1L->Caption(), DateTimeToStr(EncodeDate(2024, 3, 7)));
        EXPECT_EQ(d.Modified1L->Caption(), "");
        // Row 0 is the default printer, then every installed printer.
        EXPECT_EQ(d.PrintersLB->Items()->Count(), frxPrinters().Count() + 1);
        d.CopiesE->SetText("2");
        d.CollateCB->SetChecked(true);
        d.PrintIfEmptyCB->SetChecked(false);
        d.PasswordE->SetText("secret");
        d.AuthorE->SetText("Wang");
        d.BuildE->SetText("77");
        d.DescriptionE->SetText("only");
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(frxShowReportEditor(r.Report.get(), r.Designer.get()));
    EXPECT_EQ(r.Report->PrintOptions()->Copies, 2);
    EXPECT_TRUE(r.Report->PrintOptions()->Collate);
    EXPECT_FALSE(r.Report->EngineOptions()->PrintIfEmpty);
    EXPECT_EQ(o->Password, "secret");
    EXPECT_EQ(o->Author, "Wang");
    EXPECT_EQ(o->VersionBuild, "77");
    EXPECT_EQ(o->Description()->Text(), "only\r\n");
    EXPECT_EQ(o->CreateDate, EncodeDate(2024, 3, 7));
}

// Both pages of the settings as the user opens them by their tabs show their labels whole
// and apart: the creation and change dates with their times did run into each other and
// past the group's edge.
TEST_F(ReportDialogsTest, ReportSettingsLabelsAreWholeOnBothPages) {
    TfrxReportOptions* o = r.Report->ReportOptions();
    o->CreateDate = EncodeDate(2026, 12, 31) + EncodeTime(23, 59, 58, 0);
    o->LastChange = EncodeDate(2026, 12, 30) + EncodeTime(22, 48, 37, 0);
    ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxReportEditorForm>(f);
        for (int tab : {1, 0}) {
            const TRect t = d.PageControl->TabRect(tab);
            TUiTestHarness::Click(d.PageControl, Point((t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2));
            EXPECT_EQ(d.PageControl->ActivePageIndex(), tab);
            EXPECT_EQ(CutLabels(&d), std::vector<std::string>{}) << tab;
        }
        EXPECT_EQ(d.Modified1L->Caption(), DateTimeToStr(o->LastChange));
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowReportEditor(r.Report.get(), r.Designer.get()));
}

TEST_F(ReportDialogsTest, ReportSettingsPrinterRows) {
    const std::string def = frxResources().Get("prDefault");
    struct Case {
        const char* name;
        std::string printer;
        int row;          // the row chosen, -1 none
        std::string after;
    };
    const std::string first = frxPrinters().Printers().Get(0);
    const Case cases[] = {
        {"an unknown printer opens with no row and stays", "Nowhere", -1, "Nowhere"},
        {"row 0 stores the default text", "Nowhere", 0, def},
        {"an installed printer", def, 1, first},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Report->PrintOptions()->Printer = c.printer;
        ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxReportEditorForm>(f);
            EXPECT_EQ(d.PrintersLB->ItemIndex(), c.printer == def ? 0 : -1);
            if (c.row >= 0) d.PrintersLB->SetItemIndex(c.row);
            TUiTestHarness::Click(d.OkB);
        });
        EXPECT_TRUE(frxShowReportEditor(r.Report.get()));
        EXPECT_EQ(r.Report->PrintOptions()->Printer, c.after);
    }
}

TEST_F(ReportDialogsTest, ReportSettingsBadCopiesKeepTheDialogOpen) {
    const std::string before = r.Xml();
    ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxReportEditorForm>(f);
        d.PrintersLB->SetItemIndex(0);
        d.CollateCB->SetChecked(false);
        d.PageControl->SetActivePage(d.DescriptionTS);
        d.CopiesE->SetText("2x");
        TUiTestHarness::Click(d.OkB);
    });
    ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxReportEditorForm>(f);
        EXPECT_EQ(d.PageControl->ActivePage(), d.GeneralTS);
        EXPECT_EQ(d.ActiveControl(), d.CopiesE);
        d.CopiesE->SetText("0");
        TUiTestHarness::Click(d.OkB);
    });
    ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) { TUiTestHarness::Click(As<TfrxReportEditorForm>(f).CancelB); });
    EXPECT_FALSE(frxShowReportEditor(r.Report.get()));
    EXPECT_EQ(Messages(ui), (std::vector<std::string>{"\"2x\" 不是有效的打印份数", "\"0\" 不是有效的打印份数"}));
    EXPECT_EQ(r.Xml(), before);
}

TEST_F(ReportDialogsTest, ReportSettingsPictureOnlyWithOk) {
    TBitmap small;
    small.SetSize(4, 3);
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        ui.OnModal("TfrxReportEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxReportEditorForm>(f);
            ui.OnModal("TfrxPictureEditorForm", [&](TCustomForm& p) {
                auto& pe = As<TfrxPictureEditorForm>(p);
                pe.Image->Picture()->Assign(&small);
                pe.SetModalResult(mrOk);
            });
            TUiTestHarness::ClickTab(d.PageControl, d.DescriptionTS->TabIndex());
            TUiTestHarness::Click(d.PictureB);
            EXPECT_EQ(d.PictureImg->Picture()->Width(), 4);
            EXPECT_FALSE(d.PictureImg->Stretch());
            TUiTestHarness::Click(ok ? d.OkB : d.CancelB);
        });
        frxShowReportEditor(r.Report.get(), r.Designer.get());
        EXPECT_EQ(r.Report->ReportOptions()->Picture()->Width(), ok ? 4 : 0);
    }
}

// --- Style editor ------------------------------------------------------------------------------

std::vector<std::string> Names(TfrxStyles* S) {
    std::vector<std::string> out;
    for (int i = 0; i < S->Count(); ++i) out.push_back(S->Items(i)->Name());
    return out;
}

TEST_F(ReportDialogsTest, StyleEditorAddDeleteAndButtons) {
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        EXPECT_FALSE(d.ColorB->Enabled());
        EXPECT_FALSE(d.FontB->Enabled());
        EXPECT_FALSE(d.FrameB->Enabled());
        TUiTestHarness::Click(d.AddB);
        EXPECT_TRUE(d.StylesTV->IsEditing());
        d.StylesTV->Selected()->EndEdit(true);
        TUiTestHarness::Click(d.AddB);
        d.StylesTV->Selected()->EndEdit(true);
        TUiTestHarness::Click(d.AddB);
        d.StylesTV->Selected()->EndEdit(true);
        EXPECT_EQ(Names(d.Styles()), (std::vector<std::string>{"Style1", "Style2", "Style3"}));
        EXPECT_TRUE(d.ColorB->Enabled());
        // Deleting the last style selects the new last one; the middle one its follower.
        TUiTestHarness::Click(d.DeleteB);
        EXPECT_EQ(d.SelectedStyle()->Name(), "Style2");
        d.StylesTV->SetSelected(d.StylesTV->Items()->Item(0));
        TUiTestHarness::Click(d.DeleteB);
        EXPECT_EQ(d.SelectedStyle()->Name(), "Style2");
        TUiTestHarness::Click(d.AddB);
        d.StylesTV->Selected()->EndEdit(true);
        EXPECT_EQ(Names(d.Styles()), (std::vector<std::string>{"Style2", "Style1"}));
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(frxShowStyleEditor(r.Report.get(), r.Designer.get()));
    EXPECT_EQ(Names(r.Report->Styles()), (std::vector<std::string>{"Style2", "Style1"}));
}

// The pointer resting on the OK and Cancel tool buttons shows their Chinese tips.
TEST_F(ReportDialogsTest, StyleEditorOkAndCancelShowChineseTips) {
    std::vector<std::string> tips;
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        for (TControl* b : {static_cast<TControl*>(d.OkB), static_cast<TControl*>(d.CancelB)}) {
            TUiTestHarness::MouseMove(b, TPoint{b->Width() / 2, b->Height() / 2});
            TUiTestHarness::ElapseTime(1000);
            tips.push_back(TUiTestHarness::ShownToolTip());
        }
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowStyleEditor(r.Report.get(), r.Designer.get()));
    EXPECT_EQ(tips, (std::vector<std::string>{"确定", "取消"}));
}

TEST_F(ReportDialogsTest, StyleEditorRenameRules) {
    r.Report->Styles()->Add()->SetName("Title");
    r.Report->Styles()->Add()->SetName("Data");
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        struct Case {
            const char* typed;
            const char* after;
            bool error;
        };
        const Case cases[] = {{"Data", "Title", true}, {"  ", "Title", false}, {"Heading", "Heading", false}};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed);
            std::string s = c.typed;
            d.StylesTVEdited(d.StylesTV, d.StylesTV->Items()->Item(0), s);
            EXPECT_EQ(s, c.after);
            EXPECT_EQ(d.Styles()->Items(0)->Name(), c.after);
        }
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowStyleEditor(r.Report.get()));
    EXPECT_EQ(Messages(ui), std::vector<std::string>{"Duplicate name"});
    EXPECT_EQ(Names(r.Report->Styles()), (std::vector<std::string>{"Title", "Data"}));
}

// 删除 while the new style's name is open for editing: the edit goes with the style, and
// neither it nor another style takes the name typed.
TEST_F(ReportDialogsTest, StyleEditorDeleteWhileTheNameIsEdited) {
    r.Report->Styles()->Add()->SetName("Title");
    r.Report->Styles()->Add()->SetName("Data");
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        TUiTestHarness::Click(d.AddB);
        ASSERT_TRUE(d.StylesTV->IsEditing());
        TUiTestHarness::TypeText(TUiTestHarness::FocusedControl(), "Heading");
        TUiTestHarness::Click(d.DeleteB);
        TUiTestHarness::ProcessMessages();
        EXPECT_FALSE(d.StylesTV->IsEditing());
        EXPECT_EQ(Names(d.Styles()), (std::vector<std::string>{"Title", "Data"}));
        ASSERT_EQ(d.StylesTV->Items()->Count(), 2);
        EXPECT_EQ(d.StylesTV->Items()->Item(0)->Text(), "Title");
        EXPECT_EQ(d.StylesTV->Items()->Item(1)->Text(), "Data");
        // The list goes on working: a rename through the editor lands on its style.
        d.StylesTV->SetSelected(d.StylesTV->Items()->Item(0));
        TUiTestHarness::Click(d.EditB);
        ASSERT_TRUE(d.StylesTV->IsEditing());
        d.StylesTV->Selected()->EndEdit(true);
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(frxShowStyleEditor(r.Report.get(), r.Designer.get()));
    EXPECT_EQ(Names(r.Report->Styles()), (std::vector<std::string>{"Title", "Data"}));
}

TEST_F(ReportDialogsTest, StyleEditorColourFontFrameAndCancel) {
    TfrxStyleItem* title = r.Report->Styles()->Add();
    title->SetName("Title");
    r.Memo1->SetStyle("Title");
    const std::string before = r.Xml();
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxStyleEditorForm>(f);
            TUiTestHarness::Click(d.ColorB);
            TfrxColorSelector* picker = nullptr;
            for (int i = Screen->FormCount() - 1; i >= 0 && !picker; --i)
                if (auto* popup = dynamic_cast<TfrxPopupForm*>(Screen->Forms(i)); popup && popup->Visible())
                    for (int k = 0; k < popup->ComponentCount() && !picker; ++k)
                        picker = dynamic_cast<TfrxColorSelector*>(popup->Components(k));
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(picker->Tag(), frxStyleTagColorPicked);
            TUiTestHarness::Click(picker, TPoint{5 + 18 * 3 + 9, 5 + 18 + 9});
            TUiTestHarness::ProcessMessages();
            ui.AnswerFont(TFontChoice{"Arial", 14, 1, 0});
            TUiTestHarness::Click(d.FontB);
            ui.OnModal("TfrxFrameEditorForm", [](TCustomForm& fe) {
                TUiTestHarness::Click(As<TfrxFrameEditorForm>(fe).FrameAllB);
                fe.SetModalResult(mrOk);
            });
            TUiTestHarness::Click(d.FrameB);
            TfrxStyleItem* s = d.SelectedStyle();
            EXPECT_NE(s->Color(), clNone);
            EXPECT_EQ(s->Font()->Name(), "Arial");
            EXPECT_EQ(s->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
            TUiTestHarness::Click(ok ? d.OkB : d.CancelB);
        });
        EXPECT_EQ(frxShowStyleEditor(r.Report.get(), r.Designer.get()), ok);
        if (!ok) {
            EXPECT_EQ(r.Xml(), before);
        }
    }
    // OK restyled the memo that names the style.
    EXPECT_EQ(r.Memo1->Font()->Name(), "Arial");
    EXPECT_EQ(r.Memo1->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
}

TEST_F(ReportDialogsTest, StyleFileRoundTripAndExtension) {
    TfrxStyles styles(nullptr);
    styles.SetName("Mine");
    TfrxStyleItem* a = styles.Add();
    a->SetName("Header");
    a->SetColor(TColor(52479));
    a->Font()->SetStyle(TFontStyles{fsBold});
    a->Frame()->Typ = TfrxFrameTypes{ftBottom};
    a->Frame()->Width = 2;
    styles.Add()->SetName("Data");
    TTempFile file(".bs3");
    TTempFile typed(".txt");
    typed.Name = std::filesystem::path(file.Name).replace_extension(".txt").string();
    r.Report->SetStyles(&styles);
    // Saving under a name with another extension writes ".bs3".
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        ui.AnswerFile(typed.Name);
        TUiTestHarness::Click(d.SaveB);
        TUiTestHarness::Click(d.CancelB);
    });
    frxShowStyleEditor(r.Report.get());
    ASSERT_TRUE(std::filesystem::exists(file.Name));
    EXPECT_FALSE(std::filesystem::exists(typed.Name));
    {
        std::ifstream in(file.Name);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("<stylesheet"), std::string::npos);
        EXPECT_NE(text.find("<style Name=\"Mine\""), std::string::npos);
    }
    // Read back equal, into an emptied report through the editor.
    TfrxStyles loaded(nullptr);
    frxLoadStyleFile(&loaded, file.Name);
    TStringStream one, two;
    styles.SaveToStream(one);
    loaded.SaveToStream(two);
    EXPECT_EQ(one.DataString(), two.DataString());
    r.Report->SetStyles(nullptr);
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        ui.AnswerFile(file.Name);
        TUiTestHarness::Click(d.LoadB);
        EXPECT_EQ(d.StylesTV->Items()->Count(), 2);
        EXPECT_EQ(d.SelectedStyle()->Name(), "Header");
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(frxShowStyleEditor(r.Report.get()));
    EXPECT_EQ(Names(r.Report->Styles()), (std::vector<std::string>{"Header", "Data"}));
    EXPECT_EQ(r.Report->Styles()->Items(0)->Color(), TColor(52479));
}

// The load and save buttons open their file dialogs in the designer component's open and
// save folders; without a component, wherever the dialog would.
TEST_F(ReportDialogsTest, StyleFilesStartInTheDesignerComponentsFolders) {
    struct Case {
        const char* name;
        bool component;
        const char* openDir;
        const char* saveDir;
    };
    const Case cases[] = {
        {"component with folders", true, "/tmp/reports-in", "/tmp/reports-out"},
        {"component without folders", true, "", ""},
        {"no component", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TfrxDesigner> component;
        if (c.component) {
            component = std::make_unique<TfrxDesigner>(nullptr);
            component->OpenDir = c.openDir;
            component->SaveDir = c.saveDir;
        }
        ui.ClearDialogs();
        ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxStyleEditorForm>(f);
            ui.AnswerFile(std::nullopt);
            TUiTestHarness::Click(d.LoadB);
            ui.AnswerFile(std::nullopt);
            TUiTestHarness::Click(d.SaveB);
            TUiTestHarness::Click(d.CancelB);
        });
        frxShowStyleEditor(r.Report.get());
        std::vector<std::pair<TDialogKind, std::string>> asked;
        for (const TDialogRequest& q : ui.Dialogs()) asked.emplace_back(q.Kind, q.InitialDir);
        EXPECT_EQ(asked, (std::vector<std::pair<TDialogKind, std::string>>{{TDialogKind::OpenFile, c.openDir},
                                                                          {TDialogKind::SaveFile, c.saveDir}}));
    }
}

TEST_F(ReportDialogsTest, StyleFileThatIsNoneLosesNothing) {
    r.Report->Styles()->Add()->SetName("Kept");
    std::string many = "<?xml version=\"1.0\" encoding=\"utf-8\"?><stylesheet><style Name=\"x\">";
    for (int i = 0; i < 100000; ++i) many += "<item Name=\"S" + std::to_string(i) + "\"/>";
    many += "</style></stylesheet>";
    struct Case {
        const char* name;
        std::string content;
        std::string message;
    };
    const Case cases[] = {
        {"not XML", "this is no style file", "Invalid file format"},
        {"another document", "<?xml version=\"1.0\"?><variables><item Name=\"a\"/></variables>", "Invalid file format"},
        {"a name given twice",
         "<?xml version=\"1.0\"?><stylesheet><style><item Name=\"a\"/><item Name=\"A\"/></style></stylesheet>",
         "Duplicate name"},
        {"100,000 styles", many, "样式文件中的样式太多 (超过 10000 个)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFile file(".bs3");
        std::ofstream(file.Name) << c.content;
        ui.ClearDialogs();
        ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxStyleEditorForm>(f);
            ui.AnswerFile(file.Name);
            TUiTestHarness::Click(d.LoadB);
            EXPECT_EQ(Names(d.Styles()), std::vector<std::string>{"Kept"});
            EXPECT_EQ(d.StylesTV->Items()->Count(), 1);
            TUiTestHarness::Click(d.OkB);
        });
        EXPECT_TRUE(frxShowStyleEditor(r.Report.get()));
        EXPECT_EQ(Messages(ui), std::vector<std::string>{c.message});
        EXPECT_EQ(Names(r.Report->Styles()), std::vector<std::string>{"Kept"});
    }
}

TEST_F(ReportDialogsTest, StyleSampleDrawsTheStyle) {
    TfrxStyleItem* s = r.Report->Styles()->Add();
    s->SetName("Red");
    s->SetColor(clRed);
    ui.OnModal("TfrxStyleEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxStyleEditorForm>(f);
        TUiTestHarness::ProcessMessages();
        // The grey frame of the box, the style's colour inside the sample.
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{0, 0}), 0x808080);
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{14, 14}), clRed);
        const int32_t window = TUiTestHarness::PixelAt(d.PaintBox, TPoint{3, 3});
        EXPECT_NE(window, clRed);
        // With no style left only the framed box stays.
        TUiTestHarness::Click(d.DeleteB);
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{14, 14}), window);
        TUiTestHarness::Click(d.CancelB);
    });
    frxShowStyleEditor(r.Report.get());
}

}  // namespace
