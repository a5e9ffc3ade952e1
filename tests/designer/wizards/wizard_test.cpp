// The report wizards on a report whose dataset reads an SQLite query: the steps and their
// buttons, the field and group lists, the geometry of the generated report (fitting,
// wrapping, columnar layout, groups, orientation), the generated grouped list prepared
// over the query, the dot-matrix wizard's output on the character grid, the empty
// wizards and the question about unsaved changes; then the New Items window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "../dialogs/DialogFixtures.h"
#include "designer/dialogs/ReportDataForm.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/wizards/NewItemForm.h"
#include "designer/wizards/StdWizard.h"
#include "platform/classes/Streaming.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/DesignRegistries.h"
#include "report/DotMatrix.h"
#include "report/DotMatrixText.h"
#include "report/PreviewPages.h"
#include "report/Styles.h"

namespace {

using Names = std::vector<std::string>;

Names ItemsOf(TListBox* LB) {
    Names out;
    for (int i = 0; i < LB->Items()->Count(); ++i) out.push_back(LB->Items()->Get(i));
    return out;
}

template <class B>
std::vector<B*> BandsOf(TfrxReport* R) {
    std::vector<B*> out;
    for (TfrxComponent* c : R->AllObjects())
        if (auto* b = dynamic_cast<B*>(c)) out.push_back(b);
    return out;
}

std::vector<TfrxCustomMemoView*> MemosOf(TfrxComponent* Band) {
    std::vector<TfrxCustomMemoView*> out;
    for (TfrxComponent* c : Band->AllObjects())
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c)) out.push_back(m);
    return out;
}

class WizardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        frxRegisterDesignerTexts();
        frxRegisterWizards();
    }
    void TearDown() override {
        TUiTestHarness::ProcessMessages();
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
    }
    // Runs the standard (or dot-matrix) wizard with Act on its window; Act ends it.
    bool RunWizard(bool DotMatrix, std::function<void(TfrxStdWizardForm&)> Act) {
        ui.OnModal("TfrxStdWizardForm", [&](TCustomForm& f) { Act(static_cast<TfrxStdWizardForm&>(f)); });
        if (DotMatrix) return TfrxDotMatrixWizard(r.Designer.get()).Execute();
        return TfrxStdWizard(r.Designer.get()).Execute();
    }
    // Selects exactly the named fields of the dataset and adds them.
    static void Choose(TfrxStdWizardForm& d, const Names& Fields) {
        for (int i = 0; i < d.FieldsLB->Items()->Count(); ++i) {
            const bool wanted = std::find(Fields.begin(), Fields.end(), d.FieldsLB->Items()->Get(i)) != Fields.end();
            d.FieldsLB->SetSelected(i, wanted);
        }
        d.FieldsLB->SetItemIndex(d.FieldsLB->Items()->IndexOf(Fields.front()));
        TUiTestHarness::Click(d.AddFieldB);
    }
    static void Group(TfrxStdWizardForm& d, const std::string& Field) {
        d.AvailableFieldsLB->SetItemIndex(d.AvailableFieldsLB->Items()->IndexOf(Field));
        TUiTestHarness::Click(d.AddGroupB);
    }
    // The sales data sits on a data module, as the program's datasets sit on its windows.
    struct TModule {
        TModule() : Module(nullptr) {
            Module.SetName("SalesModule");
            AddGlobalComponent(&Module);
        }
        ~TModule() { RemoveGlobalComponent(&Module); }
        TDataModule Module;
    };
    TUiTestHarness ui;
    TDialogReport r;
    TModule module;
    TSalesData sales{6, &module.Module};
};

// --- Steps and lists -------------------------------------------------------------------------

TEST_F(WizardTest, StepsAndButtons) {
    for (bool dmp : {false, true}) {
        SCOPED_TRACE(dmp ? "dot-matrix" : "standard");
        EXPECT_FALSE(RunWizard(dmp, [&](TfrxStdWizardForm& d) {
            EXPECT_EQ(d.Pages->PageCount(), dmp ? 3 : 4);
            EXPECT_EQ(d.Pages->ActivePage(), d.DataTab);
            EXPECT_FALSE(d.BackB->Enabled());
            EXPECT_TRUE(d.FinishB->Enabled());
            // Only database datasets are offered; the first is chosen with its first field.
            EXPECT_EQ(d.DatasetsCB->Items()->Count(), 1);
            EXPECT_EQ(d.DatasetsCB->Text(), "Sales");
            EXPECT_EQ(ItemsOf(d.FieldsLB), (Names{"region", "product", "year", "amount", "qty"}));
            EXPECT_EQ(d.FieldsLB->ItemIndex(), 0);
            TTabSheet* last = dmp ? d.LayoutTab : d.StyleTab;
            while (d.NextB->Enabled()) TUiTestHarness::Click(d.NextB);
            EXPECT_EQ(d.Pages->ActivePage(), last);
            EXPECT_TRUE(d.BackB->Enabled());
            EXPECT_TRUE(d.FinishB->Enabled());
            TUiTestHarness::Click(d.BackB);
            EXPECT_TRUE(d.NextB->Enabled());
            // The orientation is chosen on the layout page.
            if (d.Pages->ActivePage() != d.LayoutTab) TUiTestHarness::Click(d.NextB);
            ASSERT_EQ(d.Pages->ActivePage(), d.LayoutTab);
            TUiTestHarness::Click(d.LandscapeRB);
            EXPECT_FALSE(d.PortraitImg->Visible());
            EXPECT_TRUE(d.LandscapeImg->Visible());
            TUiTestHarness::Click(d.CancelB);
        }));
    }
    EXPECT_EQ(r.Designer->Reloads, 0);
}

TEST_F(WizardTest, FieldListsAndGroups) {
    EXPECT_FALSE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        // Two marked fields go over in list order; the first moved place stays current.
        Choose(d, {"year", "product"});
        EXPECT_EQ(ItemsOf(d.SelectedFieldsLB), (Names{"product", "year"}));
        EXPECT_EQ(ItemsOf(d.FieldsLB), (Names{"region", "amount", "qty"}));
        EXPECT_EQ(d.FieldsLB->ItemIndex(), 1);
        // The last field moved: the one before it is current.
        Choose(d, {"qty"});
        EXPECT_EQ(d.FieldsLB->ItemIndex(), 1);
        TUiTestHarness::Click(d.AddFieldB);
        TUiTestHarness::Click(d.AddFieldB);
        EXPECT_EQ(d.FieldsLB->Items()->Count(), 0);
        EXPECT_EQ(d.FieldsLB->ItemIndex(), -1);
        EXPECT_EQ(ItemsOf(d.SelectedFieldsLB), (Names{"product", "year", "qty", "amount", "region"}));
        // Moving a field up twice takes it two places up.
        d.SelectedFieldsLB->SetItemIndex(4);
        TUiTestHarness::Click(d.FieldUpB);
        TUiTestHarness::Click(d.FieldUpB);
        EXPECT_EQ(ItemsOf(d.SelectedFieldsLB), (Names{"product", "year", "region", "qty", "amount"}));
        TUiTestHarness::Click(d.FieldDownB);
        EXPECT_EQ(ItemsOf(d.SelectedFieldsLB), (Names{"product", "year", "qty", "region", "amount"}));
        EXPECT_EQ(d.SelectedFieldsLB->ItemIndex(), 3);
        // Groups come from the chosen fields; any change of the fields drops them.
        TUiTestHarness::Click(d.NextB);
        EXPECT_EQ(d.AvailableFieldsLB->ItemIndex(), 0);
        Group(d, "region");
        Group(d, "year");
        EXPECT_EQ(ItemsOf(d.GroupsLB), (Names{"region", "year"}));
        d.GroupsLB->SetItemIndex(1);
        TUiTestHarness::Click(d.GroupUpB);
        EXPECT_EQ(ItemsOf(d.GroupsLB), (Names{"year", "region"}));
        TUiTestHarness::Click(d.RemoveGroupB);
        EXPECT_EQ(ItemsOf(d.AvailableFieldsLB), (Names{"product", "qty", "amount", "year"}));
        struct Change {
            const char* name;
            std::function<void()> act;
        };
        const Change changes[] = {
            {"reordering", [&] {
                 d.SelectedFieldsLB->SetItemIndex(1);
                 TUiTestHarness::Click(d.FieldDownB);
             }},
            {"removing", [&] {
                 d.SelectedFieldsLB->SetItemIndex(0);
                 d.SelectedFieldsLB->SetSelected(0, true);
                 TUiTestHarness::Click(d.RemoveFieldB);
             }},
            {"removing all", [&] { TUiTestHarness::Click(d.RemoveAllFieldsB); }},
            {"adding all", [&] { TUiTestHarness::Click(d.AddAllFieldsB); }},
        };
        for (const Change& c : changes) {
            SCOPED_TRACE(c.name);
            // A group made on the groups page, the fields changed on the page before.
            if (d.AvailableFieldsLB->Items()->Count() > 0) Group(d, d.AvailableFieldsLB->Items()->Get(0));
            TUiTestHarness::Click(d.BackB);
            c.act();
            TUiTestHarness::Click(d.NextB);
            EXPECT_EQ(d.GroupsLB->Items()->Count(), 0);
            EXPECT_EQ(ItemsOf(d.AvailableFieldsLB), ItemsOf(d.SelectedFieldsLB));
        }
        EXPECT_EQ(ItemsOf(d.SelectedFieldsLB), (Names{"region", "product", "year", "amount", "qty"}));
        TUiTestHarness::Click(d.CancelB);
    }));
}

// --- The generated report --------------------------------------------------------------------

TEST_F(WizardTest, GroupedListOverTheQueryPrepares) {
    r.Memo1->SetText("old");
    EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        Choose(d, {"region", "product", "amount"});
        TUiTestHarness::Click(d.NextB);
        Group(d, "region");
        TUiTestHarness::Click(d.FinishB);
    }));
    EXPECT_EQ(r.Designer->Locks, 1);
    EXPECT_EQ(r.Designer->Reloads, 1);
    TfrxReport* rep = r.Report.get();
    EXPECT_EQ(rep->FindObject("Memo1") != nullptr && rep->FindObject("Memo1")->Parent() == r.Data, false);
    ASSERT_EQ(rep->PagesCount(), 1);
    EXPECT_EQ(rep->DataSets()->Count(), 1);
    EXPECT_EQ(rep->Styles()->Name(), "Brightline");
    const auto groups = BandsOf<TfrxGroupHeader>(rep);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->Condition, "Sales.\"region\"");
    // A group field is no column: product and amount only in the data band.
    const auto data = BandsOf<TfrxMasterData>(rep);
    ASSERT_EQ(data.size(), 1u);
    std::vector<std::string> bound;
    for (TfrxCustomMemoView* m : MemosOf(data[0])) bound.push_back(m->DataField);
    EXPECT_EQ(bound, (Names{"product", "amount"}));
    // The page shows what each bound text object prints.
    EXPECT_EQ(MemosOf(data[0])[1]->Text(), "[Sales.\"amount\"]\r\n");
    EXPECT_EQ(MemosOf(groups[0])[0]->Text(), "[Sales.\"region\"]\r\n");
    EXPECT_EQ(MemosOf(data[0])[0]->Style(), "Data");
    // Styles were applied: the title in the look's colours.
    TfrxCustomMemoView* title = MemosOf(BandsOf<TfrxReportTitle>(rep).front()).front();
    EXPECT_EQ(title->Color(), TColor(8388608));

    ASSERT_TRUE(rep->PrepareReport());
    TfrxCustomPreviewPages* pages = rep->PreviewPages();
    ASSERT_GE(pages->Count(), 1);
    std::vector<std::string> texts;
    for (TfrxComponent* c : pages->GetPage(0)->AllObjects())
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c)) texts.push_back(Trim(m->Text()));
    auto at = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) - texts.begin(); };
    // Title, header, then per region its rows (the query is ordered by region, product).
    ASSERT_LT(at("Report"), static_cast<long>(texts.size()));
    EXPECT_LT(at("Report"), at("product"));
    EXPECT_LT(at("East"), at("North"));
    EXPECT_LT(at("North"), at("South"));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Tea"), 3);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Rice"), 3);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "10"), texts.end());
}

TEST_F(WizardTest, ColumnGeometry) {
    // Two wide columns (80-character notes under short headers) and three narrow ones.
    sales.Query->SQL()->SetText("select note as a, region as b, note as c, region as d, region as e from sales");
    struct Case {
        const char* name;
        bool fit, landscape, columnar;
    };
    const Case cases[] = {
        {"fit, headers fit", true, false, false},
        {"no fit: rows wrap", false, false, false},
        {"landscape", true, true, false},
        {"columnar", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TfrxWizardColumns cw;
        double W = 0;
        EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
            TUiTestHarness::Click(d.AddAllFieldsB);
            d.FitWidthCB->SetChecked(c.fit);
            (c.landscape ? d.LandscapeRB : d.PortraitRB)->SetChecked(true);
            (c.columnar ? d.ColumnarRB : d.TabularRB)->SetChecked(true);
            TUiTestHarness::Click(d.FinishB);
            auto* page = static_cast<TfrxReportPage*>(r.Report->Pages(0));
            W = (page->PaperWidth() - page->LeftMargin - page->RightMargin) * 96 / 25.4;
            cw = d.CalcColumnWidths(ItemsOf(d.AvailableFieldsLB), W);
        }));
        auto* page = static_cast<TfrxReportPage*>(r.Report->Pages(0));
        EXPECT_EQ(page->Orientation(), c.landscape ? poLandscape : poPortrait);
        EXPECT_GT(page->PaperWidth(), c.landscape ? page->PaperHeight() : 0);
        const auto data = MemosOf(BandsOf<TfrxMasterData>(r.Report.get()).front());
        if (c.columnar) {
            // A label and a value per field, one row each, and no column header.
            ASSERT_EQ(data.size(), 10u);
            EXPECT_TRUE(BandsOf<TfrxPageHeader>(r.Report.get()).empty());
            const double widest = *std::max_element(cw.Header.begin(), cw.Header.end());
            EXPECT_DOUBLE_EQ(data[1]->Left(), widest + 18.89765);
            EXPECT_DOUBLE_EQ(data[9]->Top(), 4 * 18.89765);
            EXPECT_DOUBLE_EQ(BandsOf<TfrxMasterData>(r.Report.get()).front()->Height(), 6 * 18.89765);
            continue;
        }
        ASSERT_EQ(data.size(), 5u);
        double rows = 1;
        for (size_t i = 0; i < data.size(); ++i) {
            EXPECT_DOUBLE_EQ(data[i]->Width(), cw.Column[i]);
            EXPECT_LE(data[i]->Left() + data[i]->Width(), W + 1 + 1e-6);
            if (i > 0 && data[i]->Left() == 0) ++rows;
        }
        EXPECT_DOUBLE_EQ(BandsOf<TfrxMasterData>(r.Report.get()).front()->Height(), rows * 18.89765);
        const double total = std::accumulate(cw.Column.begin(), cw.Column.end(), 0.0);
        if (c.fit) {
            EXPECT_EQ(rows, 1);
            EXPECT_NEAR(total, std::min(W, total), 1e-6);
            // The headers fit, so no column became narrower than its header.
            for (size_t i = 0; i < cw.Column.size(); ++i) EXPECT_GE(cw.Column[i], cw.Header[i]);
        } else {
            EXPECT_GT(rows, 1);
        }
        // The header band has a row per data row.
        auto* header = BandsOf<TfrxPageHeader>(r.Report.get()).front();
        EXPECT_DOUBLE_EQ(header->Height(), rows * 22.67718);
    }
}

TEST_F(WizardTest, FittingRulesAndTheFirstColumn) {
    sales.Query->SQL()->SetText("select region as a, product as b from sales");
    EXPECT_FALSE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        const Names two = {"a", "b"};
        TUiTestHarness::Click(d.AddAllFieldsB);
        const TfrxWizardColumns loose = d.CalcColumnWidths(two, 100000);
        for (size_t i = 0; i < 2; ++i)
            EXPECT_DOUBLE_EQ(loose.Column[i], std::max(loose.Header[i], loose.Data[i]));
        const double headers = loose.Header[0] + loose.Header[1];
        const double total = loose.Column[0] + loose.Column[1];
        // Headers fit: the excess is taken in proportion to each column's excess.
        const double W = (headers + total) / 2;
        const TfrxWizardColumns fit = d.CalcColumnWidths(two, W);
        const double x = (loose.Data[0] - loose.Header[0]) + (loose.Data[1] - loose.Header[1]);
        for (size_t i = 0; i < 2; ++i)
            EXPECT_DOUBLE_EQ(fit.Column[i],
                             loose.Column[i] - (loose.Data[i] - loose.Header[i]) / x * (total - W));
        // Headers do not fit: all become header widths scaled to the page.
        const TfrxWizardColumns tight = d.CalcColumnWidths(two, headers / 2);
        for (size_t i = 0; i < 2; ++i) EXPECT_DOUBLE_EQ(tight.Column[i], loose.Header[i] / 2);
        TUiTestHarness::Click(d.CancelB);
    }));
    // A first column wider than the page starts the band, without an empty row before it.
    sales.DataSet->FieldAliases()->SetText("a=" + std::string(300, 'w') + "\r\nb=B\r\n");
    EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        TUiTestHarness::Click(d.AddAllFieldsB);
        d.FitWidthCB->SetChecked(false);
        TUiTestHarness::Click(d.FinishB);
    }));
    const auto data = MemosOf(BandsOf<TfrxMasterData>(r.Report.get()).front());
    ASSERT_EQ(data.size(), 2u);
    EXPECT_DOUBLE_EQ(data[0]->Top(), 0);
    EXPECT_DOUBLE_EQ(data[1]->Top(), 18.89765);
}

TEST_F(WizardTest, TwoGroupsWithoutColumnHeader) {
    EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        TUiTestHarness::Click(d.AddAllFieldsB);
        TUiTestHarness::Click(d.NextB);
        Group(d, "region");
        Group(d, "product");
        TUiTestHarness::Click(d.NextB);
        d.ColumnarRB->SetChecked(true);
        TUiTestHarness::Click(d.FinishB);
    }));
    const auto headers = BandsOf<TfrxGroupHeader>(r.Report.get());
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_DOUBLE_EQ(headers[0]->Top(), 30);
    EXPECT_DOUBLE_EQ(headers[1]->Top(), 60);
    EXPECT_EQ(headers[1]->Condition, "Sales.\"product\"");
    const auto footers = BandsOf<TfrxGroupFooter>(r.Report.get());
    ASSERT_EQ(footers.size(), 2u);
    EXPECT_DOUBLE_EQ(footers[0]->Top(), 1000);
    EXPECT_DOUBLE_EQ(footers[1]->Top(), 970);
    EXPECT_DOUBLE_EQ(BandsOf<TfrxMasterData>(r.Report.get()).front()->Top(), 90);
    const auto pageFooter = BandsOf<TfrxPageFooter>(r.Report.get());
    ASSERT_EQ(pageFooter.size(), 1u);
    const auto fm = MemosOf(pageFooter[0]);
    ASSERT_EQ(fm.size(), 3u);
    EXPECT_EQ(fm[1]->Text(), "[Date] [Time]\r\n");
    EXPECT_EQ(fm[2]->Text(), "Page [Page#]\r\n");
    EXPECT_EQ(fm[2]->Align(), baRight);
}

TEST_F(WizardTest, DotMatrixReportOnTheCharacterGrid) {
    EXPECT_TRUE(RunWizard(true, [&](TfrxStdWizardForm& d) {
        Choose(d, {"region", "year", "qty"});
        TUiTestHarness::Click(d.FinishB);
    }));
    TfrxReport* rep = r.Report.get();
    EXPECT_TRUE(rep->DotMatrixReport);
    ASSERT_NE(dynamic_cast<TfrxDMPPage*>(rep->Pages(0)), nullptr);
    // No looks on dot-matrix reports: the objects keep the style names only.
    EXPECT_EQ(rep->Styles()->Count(), 0);
    for (TfrxComponent* c : rep->AllObjects()) {
        auto* m = dynamic_cast<TfrxCustomMemoView*>(c);
        if (!m) continue;
        EXPECT_NE(dynamic_cast<TfrxDMPMemoView*>(m), nullptr);
        // Every object sits on the grid of 9.6 x 17 pixel cells.
        EXPECT_NEAR(std::fmod(m->Left() + 1e-6, 9.6), 0, 1e-4) << m->Name();
        EXPECT_NEAR(std::fmod(m->Top() + 1e-6, 17), 0, 1e-4) << m->Name();
    }
    // No header line on dot-matrix pages.
    for (TfrxCustomMemoView* m : MemosOf(BandsOf<TfrxPageHeader>(rep).front())) EXPECT_NE(m->Style(), "Header line");
    ASSERT_TRUE(rep->PrepareReport());
    TfrxDMPTextOptions plain;
    plain.Commands = false;
    plain.PageBreaks = false;
    const std::string text = frxDMPPageText(rep->PreviewPages()->GetPage(0), plain);
    std::vector<std::string> lines;
    for (size_t a = 0, b; a < text.size(); a = b + 1) {
        b = text.find('\n', a);
        if (b == std::string::npos) b = text.size();
        std::string line = text.substr(a, b - a);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    // The column header and the rows line up in the same character columns.
    auto row = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("region") != std::string::npos; });
    ASSERT_NE(row, lines.end());
    const size_t yearAt = row->find("year");
    ASSERT_NE(yearAt, std::string::npos);
    int rows = 0;
    for (const std::string& l : lines)
        if (l.rfind("East", 0) != std::string::npos || l.find("North") != std::string::npos) {
            ++rows;
            EXPECT_EQ(l.substr(yearAt, 4).substr(0, 2), "20") << l;
        }
    EXPECT_EQ(rows, 4);
}

TEST_F(WizardTest, DatasetsWithoutFieldsAndWithFiveHundred) {
    // No database dataset reachable: empty lists; Finish still builds title, band, footer.
    r.Report->DataSets()->Clear();
    sales.DataSet->SetDataSet(nullptr);
    EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        EXPECT_EQ(d.FieldsLB->Items()->Count(), 0);
        TUiTestHarness::Click(d.AddFieldB);
        TUiTestHarness::Click(d.AddAllFieldsB);
        TUiTestHarness::Click(d.FinishB);
    }));
    EXPECT_EQ(BandsOf<TfrxReportTitle>(r.Report.get()).size(), 1u);
    EXPECT_EQ(BandsOf<TfrxMasterData>(r.Report.get()).size(), 1u);
    EXPECT_TRUE(MemosOf(BandsOf<TfrxMasterData>(r.Report.get()).front()).empty());
    EXPECT_EQ(BandsOf<TfrxPageFooter>(r.Report.get()).size(), 1u);
    // Five hundred fields: every one a column on the page.
    std::string aliases;
    for (int i = 0; i < 500; ++i) aliases += "region=F" + std::to_string(i) + "\r\n";
    sales.DataSet->FieldAliases()->SetText(aliases);
    sales.DataSet->SetDataSet(sales.Query.get());
    EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        ASSERT_EQ(d.FieldsLB->Items()->Count(), 500);
        TUiTestHarness::Click(d.AddAllFieldsB);
        TUiTestHarness::Click(d.FinishB);
    }));
    const auto data = MemosOf(BandsOf<TfrxMasterData>(r.Report.get()).front());
    ASSERT_EQ(data.size(), 500u);
    auto* page = static_cast<TfrxReportPage*>(r.Report->Pages(0));
    const double W = (page->PaperWidth() - page->LeftMargin - page->RightMargin) * 96 / 25.4;
    for (TfrxCustomMemoView* m : data) EXPECT_LE(m->Left() + m->Width(), W + 1 + 1e-6);
}

TEST_F(WizardTest, DatasetsOfOneNameShowWhereTheyBelong) {
    // The program's windows each name their dataset alike: a second "Sales" on another
    // module and a third on a window read apart by the module's name or the window's caption;
    // a name given once stays as it is.
    TDataModule other(nullptr);
    other.SetName("StockModule");
    AddGlobalComponent(&other);
    auto* second = new TfrxDBDataset(&other);
    second->SetName("SalesDS");
    second->SetUserName("Sales");
    second->SetDataSet(sales.Query.get());
    auto* stock = new TfrxDBDataset(&other);
    stock->SetName("StockDS");
    stock->SetUserName("Stock");
    stock->SetDataSet(sales.Query.get());
    auto window = std::make_unique<TForm>(nullptr);
    window->SetName("ItemsWindow");
    window->SetCaption("收费项目设置");
    auto* third = new TfrxDBDataset(window.get());
    third->SetName("SalesDS");
    third->SetUserName("Sales");
    third->SetDataSet(sales.Query.get());

    const Names expected{"Sales (SalesModule)", "Sales (StockModule)", "Sales (收费项目设置)", "Stock"};
    auto sorted = [](Names n) {
        std::sort(n.begin(), n.end());
        return n;
    };
    EXPECT_TRUE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        Names lines;
        for (int i = 0; i < d.DatasetsCB->Items()->Count(); ++i) lines.push_back(d.DatasetsCB->Items()->Get(i));
        EXPECT_EQ(sorted(lines), expected);
        // The line still carries its own dataset.
        const int at = d.DatasetsCB->Items()->IndexOf("Sales (收费项目设置)");
        ASSERT_GE(at, 0);
        EXPECT_EQ(d.DatasetsCB->Items()->Objects(at), third);
        d.DatasetsCB->SetItemIndex(at);
        d.DatasetsCBClick(d.DatasetsCB);
        TUiTestHarness::Click(d.AddAllFieldsB);
        TUiTestHarness::Click(d.FinishB);
    }));
    EXPECT_EQ(r.Report->DataSets()->Count(), 1);
    EXPECT_EQ(r.Report->DataSets()->Items(0)->DataSet(), third);
    // The report data dialog reads them apart the same way.
    ui.OnModal("TfrxReportDataForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxReportDataForm&>(f);
        Names lines;
        for (int i = 0; i < d.DatasetsLB->Items()->Count(); ++i) {
            const std::string line = d.DatasetsLB->Items()->Get(i);
            if (StartsText("Sales", line) || StartsText("Stock", line)) lines.push_back(line);
        }
        EXPECT_EQ(sorted(lines), expected);
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowReportDataForm(r.Report.get(), r.Designer.get()));
    delete second;
    delete stock;
    window.reset();
    RemoveGlobalComponent(&other);
}

// --- Empty wizards and unsaved changes ---------------------------------------------------------

TEST_F(WizardTest, EmptyWizardsAndUnsavedChanges) {
    struct Case {
        const char* name;
        bool dotMatrix;
        bool modified;
        bool save;   // the answer to the question
        bool result;
    };
    const Case cases[] = {
        {"standard", false, false, true, true},
        {"dot-matrix", true, false, true, true},
        {"modified, saved", false, true, true, true},
        {"modified, cancelled", true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Report->SetFileName("old.bl3");
        r.Designer->TfrxCustomDesigner::SetModified(c.modified);
        r.Designer->SaveQuestions = 0;
        r.Designer->SaveAnswer = c.save;
        const int reloads = r.Designer->Reloads;
        const int pages = r.Report->PagesCount();
        (void)pages;
        const bool result = c.dotMatrix ? TfrxDMPEmptyWizard(r.Designer.get()).Execute()
                                        : TfrxStdEmptyWizard(r.Designer.get()).Execute();
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(r.Designer->SaveQuestions, c.modified ? 1 : 0);
        if (!c.result) {
            EXPECT_EQ(r.Designer->Reloads, reloads);
            EXPECT_EQ(r.Report->PagesCount(), pages);
            EXPECT_EQ(r.Report->FileName(), "old.bl3");
            continue;
        }
        EXPECT_EQ(r.Designer->Reloads, reloads + 1);
        ASSERT_EQ(r.Report->PagesCount(), 1);
        EXPECT_EQ(r.Report->Pages(0)->Name(), "Page1");
        EXPECT_EQ(dynamic_cast<TfrxDMPPage*>(r.Report->Pages(0)) != nullptr, c.dotMatrix);
        EXPECT_EQ(r.Report->DotMatrixReport, c.dotMatrix);
        EXPECT_EQ(r.Report->FileName(), "");
        EXPECT_TRUE(r.Report->Pages(0)->AllObjects().empty());
    }
    // The standard wizard's Finish asks as well, and a No keeps it open.
    r.Designer->TfrxCustomDesigner::SetModified(true);
    r.Designer->SaveAnswer = false;
    ui.OnModal("TfrxStdWizardForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxStdWizardForm&>(f);
        TUiTestHarness::Click(d.FinishB);
        EXPECT_EQ(d.ModalResult(), mrNone);
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(TfrxStdWizard(r.Designer.get()).Execute());
}

TEST_F(WizardTest, StyleStepSample) {
    EXPECT_FALSE(RunWizard(false, [&](TfrxStdWizardForm& d) {
        EXPECT_EQ(ItemsOf(d.StyleLB), (Names{"Brightline", "Standard", "Soft gray", "Corporate"}));
        EXPECT_EQ(d.SampleReport()->Styles()->Name(), "Brightline");
        d.Pages->SetActivePage(d.StyleTab);
        TUiTestHarness::ProcessMessages();
        // The title of the sample in the look's colour, drawn 10 pixels in.
        auto bgr = [](int c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
        (void)bgr;
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{13, 12}), 8388608);
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{0, 0}), clBlack);
        d.StyleLB->SetItemIndex(3);
        TUiTestHarness::Click(d.StyleLB, TPoint{5, d.StyleLB->ItemRect(3).Top + 3});
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{13, 12}), 0);
        TUiTestHarness::Click(d.CancelB);
    }));
}

// --- The New Items window ------------------------------------------------------------------------

TEST_F(WizardTest, NewItemsListsAndRunsTheWizards) {
    struct Case {
        const char* name;
        std::function<void(TfrxNewItemForm&)> act;
        bool result;
        int pagesAfter;
    };
    const int before = r.Report->PagesCount();
    const Case cases[] = {
        {"cancel runs nothing", [](TfrxNewItemForm& d) { TUiTestHarness::Click(d.CancelB); }, false, before},
        // The window opens with no item chosen.
        {"OK at once runs nothing", [](TfrxNewItemForm& d) { TUiTestHarness::Click(d.OkB); }, false, before},
        {"OK without a chosen item runs nothing",
         [](TfrxNewItemForm& d) {
             d.ItemsLV->SetSelected(nullptr);
             TUiTestHarness::Click(d.OkB);
         },
         false, before},
        {"a double click runs the empty dot-matrix report",
         [](TfrxNewItemForm& d) {
             d.ItemsLV->SetItemIndex(3);
             d.ItemsLVDblClick(d.ItemsLV);
         },
         true, 1},
        {"the standard wizard closed with Cancel changes nothing",
         [&](TfrxNewItemForm& d) {
             ui.OnModal("TfrxStdWizardForm", [](TCustomForm& w) { w.SetModalResult(mrCancel); });
             d.ItemsLV->SetItemIndex(0);
             TUiTestHarness::Click(d.OkB);
         },
         false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Designer->ModifiedCalls = 0;
        ui.OnModal("TfrxNewItemForm", [&](TCustomForm& f) {
            auto& d = static_cast<TfrxNewItemForm&>(f);
            ASSERT_EQ(d.ItemsLV->Items()->Count(), 4);
            EXPECT_EQ(d.ItemsLV->Items()->Item(0)->Caption(), "标准报表向导");
            EXPECT_EQ(d.ItemsLV->Items()->Item(1)->Caption(), "点阵报表向导");
            EXPECT_EQ(d.ItemsLV->Items()->Item(2)->Caption(), "标准报表");
            EXPECT_EQ(d.ItemsLV->Items()->Item(3)->Caption(), "点阵报表");
            EXPECT_EQ(d.Images->Count(), 4);
            EXPECT_EQ(d.ItemsLV->Items()->Item(3)->ImageIndex(), 3);
            EXPECT_FALSE(d.TemplatesTab->TabVisible());
            c.act(d);
        });
        EXPECT_EQ(frxShowNewItemForm(r.Designer.get()), c.result);
        EXPECT_EQ(r.Designer->ModifiedCalls, c.result ? 1 : 0);
        EXPECT_EQ(r.Report->PagesCount(), c.pagesAfter);
    }
    EXPECT_TRUE(r.Report->DotMatrixReport);
}

}  // namespace
