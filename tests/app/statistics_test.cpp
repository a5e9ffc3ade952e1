// The daily report, the quantity statistics and the amount statistics, driven headless on a
// seeded database: their queries and totals, the messages, and what their print buttons put
// in the preview.
#include "PreviewCapture.h"
#include "QueryFixture.h"
#include "../report/TestPdfPrinter.h"

#include "app/forms/AmountStatsForm.h"
#include "app/forms/ChargeQueryForm.h"
#include "app/forms/DailyReportForm.h"
#include "app/forms/HintForm.h"
#include "app/forms/QuantityStatsForm.h"
#include "app/widgets/FlatButton.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "report/CrossView.h"

#include <filesystem>
#include <functional>

namespace {

using Strings = std::vector<std::string>;

const TDateTime kMar6 = EncodeDate(2024, 3, 6), kMar7 = EncodeDate(2024, 3, 7);

// Four receipts on 7 March: one of 100 at 90 %, one of two lines, one in internal
// accounting (nothing due, everything reduced) and one with a patient and a doctor whose
// names hold a quote; one receipt the day before and a voided one on the day.
class Statistics : public QueryWindows {
protected:
    void SetUp() override {
        QueryWindows::SetUp();
        Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('李四','LS','男','内科')");
        Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('O''Neil','ON','男','外科')");
        AddReceipt("tb_sf", "240307001", kMar7, "王五", "李四", "内科", "tulvo", "优惠打折", 10,
                   {{"药品项目", 2, "阿莫西林", 4, 25}});
        AddReceipt("tb_sf", "240307002", kMar7, "张三", "O'Neil", "外科", "小王", "普通收费", 0,
                   {{"检查项目", 1, "血常规", 1, 15, "检查费"}, {"药品项目", 2, "阿莫西林", 2, 25}});
        AddReceipt("tb_sf", "240307003", kMar7, "赵六", "李四", "内科", "tulvo", "内部记账", 0,
                   {{"检查项目", 1, "血常规", 2, 15, "检查费"}});
        Exec("update tb_sf set 应收金额=0, 实收金额=0, 减免金额=30 where 票据号='240307003' and 统计标致='1'");
        AddReceipt("tb_sf", "240306001", kMar6, "王五", "李四", "内科", "tulvo", "普通收费", 0,
                   {{"药品项目", 2, "阿莫西林", 1, 25}});
        AddReceipt("tb_zfsf", "240307004", kMar7, "王五", "李四", "内科", "tulvo", "普通收费", 0,
                   {{"药品项目", 2, "阿莫西林", 9, 25}});
    }
    static void Range(TDateTimePicker* from, TDateTimePicker* to, TDateTime a, TDateTime b) {
        from->SetDate(a);
        to->SetDate(b);
    }
};

// --- Daily report --------------------------------------------------------------------------

TEST_F(Statistics, DailyReportListsTheDaysReceiptsWithTheirTotals) {
    rbform->Show();
    H::ProcessMessages();
    EXPECT_EQ(rbform->DateTimePicker1->Date(), kMar7);
    EXPECT_EQ(rbform->DateTimePicker2->Date(), kMar7);
    // Nothing to print or export before "统计".
    H::Click(rbform->Button3);
    H::Click(rbform->Button2);
    EXPECT_EQ(harness->DialogTexts(), Strings{"取得查询结果后才可将表中数据导出至Excel!"});
    harness->ClearDialogs();

    H::Click(rbform->Button1);
    EXPECT_TRUE(harness->DialogTexts().empty());
    EXPECT_EQ(RowsOf(*rbform->ADOQuery1, {"票据号", "应收金额", "减免金额"}),
              (Strings{"240307001|90|10", "240307002|65|0", "240307003|0|30"}));
    // The discounted receipt: 90.00 due, 10.00 reduced; with the others of the day.
    EXPECT_EQ(rbform->Label3->Caption(), "应收合计:155.00");
    EXPECT_EQ(rbform->Label4->Caption(), "减免合计:40.00");

    // While the preview is up the grid does not follow the report through the rows; it is
    // on its row again afterwards.
    rbform->ADOQuery1->SetRecNo(2);
    TPreviewCapture printed;
    bool gridFollowed = true;
    CapturePreview(*harness, printed, [&] { gridFollowed = !rbform->ADOQuery1->ControlsDisabled(); });
    H::Click(rbform->Button3);
    EXPECT_FALSE(gridFollowed);
    EXPECT_FALSE(rbform->ADOQuery1->ControlsDisabled());
    EXPECT_EQ(rbform->ADOQuery1->RecNo(), 2);
    ASSERT_EQ(printed.Pages.size(), 1u);
    EXPECT_EQ(printed.Report, rbform->frxReport1);
    for (const Strings& row :
         {Strings{"日常报表", "所属时段:2024-3-7 至 2024-3-7", "票据号", "病人姓名", "医生姓名", "医生科室", "应收金额",
                  "减免金额", "收费日期", "收费时间", "收费员"},
          Strings{"240307001", "王五", "李四", "内科", "90", "10", "2024-3-7", "09:00:00", "tulvo"},
          Strings{"240307002", "张三", "O'Neil", "外科", "65", "0", "2024-3-7", "09:00:00", "小王"},
          Strings{"240307003", "赵六", "李四", "内科", "0", "30", "2024-3-7", "09:00:00", "tulvo"},
          Strings{"应收合计:155.00", "减免合计:40.00", "第1页"}})
        EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    EXPECT_FALSE(printed.Has("240306001"));
    EXPECT_EQ(printed.CutOff(), Strings{});
}

// Without a printer the prepared report goes to a PDF file ("打印到文件"), Chinese text and all.
TEST_F(Statistics, DailyReportPrintsToPdf) {
    rbform->Show();   // the window is open, as its menu item opens it
    H::Click(rbform->Button1);
    const std::string file = (std::filesystem::current_path() / "daily.pdf").string();
    bool printedToFile = false;
    TPreviewCapture printed;
    CapturePreview(*harness, printed, [&] {
        auto* pages = static_cast<TfrxPreviewPages*>(printed.Report->PreviewPages());
        TPdfPrinter printer(file);
        printedToFile = pages->PrintTo(printer, TfrxPrintSettings{});
    });
    H::Click(rbform->Button3);
    ASSERT_TRUE(printedToFile);
    EXPECT_NE(Shell("pdfinfo '" + file + "'").find("Pages:           1"), std::string::npos);
    const std::string text = Shell("pdftotext -layout '" + file + "' -");
    for (const char* expected : {"日常报表", "所属时段:2024-3-7 至 2024-3-7", "240307002", "O'Neil", "应收合计:155.00",
                                 "减免合计:40.00"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
}

TEST_F(Statistics, DailyReportOrdersByNumberAndSaysWhenNothingIsFound) {
    rbform->Show();   // the window is open, as its menu item opens it
    // The day's thousandth receipt comes after the 999th, not between 100 and 101.
    AddReceipt("tb_sf", "2403071000", kMar7, "王五", "李四", "内科", "tulvo", "普通收费", 0,
               {{"检查项目", 1, "血常规", 1, 15, "检查费"}});
    AddReceipt("tb_sf", "240307999", kMar7, "王五", "李四", "内科", "tulvo", "普通收费", 0,
               {{"检查项目", 1, "血常规", 1, 15, "检查费"}});
    struct Case {
        const char* Name;
        TDateTime From, To;
        Strings Receipts;
        const char* Due;
        const char* Reduced;
        Strings Messages;
    };
    const std::vector<Case> cases = {
        {"two days", kMar6, kMar7,
         {"240306001", "240307001", "240307002", "240307003", "240307999", "2403071000"}, "应收合计:210.00",
         "减免合计:40.00", {}},
        {"a day without charges", EncodeDate(2024, 3, 1), EncodeDate(2024, 3, 1), {}, "应收合计:0.00",
         "减免合计:0.00", {"没有找到相符的记录!"}},
        {"to before from is an empty range", kMar7, kMar6, {}, "应收合计:0.00", "减免合计:0.00",
         {"没有找到相符的记录!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        harness->ClearDialogs();
        Range(rbform->DateTimePicker1, rbform->DateTimePicker2, c.From, c.To);
        H::Click(rbform->Button1);
        EXPECT_EQ(RowsOf(*rbform->ADOQuery1, {"票据号"}), c.Receipts);
        EXPECT_EQ(rbform->Label3->Caption(), c.Due);
        EXPECT_EQ(rbform->Label4->Caption(), c.Reduced);
        EXPECT_EQ(harness->DialogTexts(), c.Messages);
    }
    // An empty result prints nothing and is not exported.
    harness->ClearDialogs();
    H::Click(rbform->Button3);
    H::Click(rbform->Button2);
    EXPECT_EQ(harness->DialogTexts(), Strings{"取得查询结果后才可将表中数据导出至Excel!"});
}

TEST_F(Statistics, DailyReportHelp) {
    rbform->Show();   // the window is open, as its menu item opens it
    Strings lines;
    harness->OnModal("Thintform", [&lines](TCustomForm& f) {
        for (int i = 0; i < hintform->Memo1->Lines()->Count(); ++i) lines.push_back((*hintform->Memo1->Lines())[i]);
        f.SetModalResult(mrOk);
    });
    H::Click(rbform->FlatButton1);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "1.应收金额是指实际应该收到的金额;");
    EXPECT_EQ(lines[3].rfind("4.取例说明如下：某次收费共100元", 0), 0u) << lines[3];
}

// --- Amounts stored with a double's noise ---------------------------------------------------

// Receipts whose stored totals carry the noise of double arithmetic (0.1 + 0.2 stored as
// 0.30000000000000004, 0.8 as 0.799999999999997): the daily report and the charge query
// show each as the amount it stands for and add them up exactly to the fen.
struct NoisyReceipt {
    const char* No;
    double Due, Received, Change, Reduction;
    Strings Shown;   // 应收金额, 实收金额, 应找金额, 减免金额 as the grids show them
};

const std::vector<NoisyReceipt> kNoisyReceipts = {
    {"240307001", 0.1 + 0.2, 0.1 + 0.2, 0, 0, {"0.3", "0.3", "0", "0"}},
    {"240307002", 0.799999999999997, 1, 1 - 0.799999999999997, 1 - 0.799999999999997, {"0.8", "1", "0.2", "0.2"}},
    {"240307003", 49.19999999999999, 50, 50 - 49.19999999999999, 10.000000000000002, {"49.2", "50", "0.8", "10"}},
    {"240307004", 3 * 1.1, 3.3000000000000003, 0, 0.1 * 3, {"3.3", "3.3", "0", "0.3"}},
};

class NoisyAmounts : public QueryWindows {
protected:
    void SetUp() override {
        QueryWindows::SetUp();
        for (const NoisyReceipt& r : kNoisyReceipts) {
            AddReceipt("tb_sf", r.No, kMar7, "王五", "李四", "内科", "tulvo", "普通收费", 0,
                       {{"检查项目", 1, "血常规", 1, 5, "检查费"}, {"检查项目", 1, "血常规", 1, 5, "检查费"}});
            Exec("update tb_sf set 应收金额=:p0, 实收金额=:p1, 应找金额=:p2, 减免金额=:p3 where 票据号=:p4 and "
                 "统计标致='1'",
                 {Variant(r.Due), Variant(r.Received), Variant(r.Change), Variant(r.Reduction), Variant(r.No)});
        }
        // The rows hold the noise: nothing rounded them on the way in.
        ASSERT_EQ(Text("select count(*) from tb_sf where 应收金额 <> round(应收金额, 2)"), "4");
    }
    // The texts of the named columns of every row the grid shows.
    static std::vector<Strings> Shown(TDBGrid* grid, const Strings& fields) {
        std::vector<Strings> rows;
        for (int row = 0; row < grid->RowCount(); ++row) {
            Strings cells;
            for (const std::string& field : fields) {
                int column = -1;
                for (int i = 0; i < grid->Columns()->Count(); ++i)
                    if (grid->Columns()->Items(i)->FieldName() == field) column = i;
                cells.push_back(column < 0 ? "no column " + field : grid->CellText(row, column));
            }
            rows.push_back(cells);
        }
        return rows;
    }
};

TEST_F(NoisyAmounts, TheDailyReportShowsPrintsAndAddsThemExactly) {
    rbform->Show();
    H::ProcessMessages();
    H::Click(rbform->Button1);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    std::vector<Strings> expected;
    for (const NoisyReceipt& r : kNoisyReceipts) expected.push_back({r.No, r.Shown[0], r.Shown[3]});
    EXPECT_EQ(Shown(rbform->DBGrid1, {"票据号", "应收金额", "减免金额"}), expected);
    EXPECT_EQ(rbform->Label3->Caption(), "应收合计:53.60");
    EXPECT_EQ(rbform->Label4->Caption(), "减免合计:10.50");

    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(rbform->Button3);
    for (const NoisyReceipt& r : kNoisyReceipts) {
        const Strings row{r.No, "王五", "李四", "内科", r.Shown[0], r.Shown[3], "2024-3-7"};
        EXPECT_TRUE(printed.HasRow(row)) << r.No << "\n" << printed.Dump();
    }
    EXPECT_TRUE(printed.HasRow({"应收合计:53.60", "减免合计:10.50"})) << printed.Dump();
    for (const char* noise : {"0.30000000000000004", "0.799999999999997", "49.19999999999999", "3.3000000000000003",
                              "0.20000000000000284", "10.000000000000002"})
        EXPECT_FALSE(printed.Has(noise)) << noise;
}

TEST_F(NoisyAmounts, TheChargeQueryShowsAndAddsThemExactly) {
    sfcxform->Show();
    H::ProcessMessages();
    H::Click(sfcxform->CheckBox8);
    sfcxform->DateTimePicker1->SetDate(kMar7);
    sfcxform->DateTimePicker2->SetDate(kMar7);
    H::Click(sfcxform->Button1);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    std::vector<Strings> expected;
    for (const NoisyReceipt& r : kNoisyReceipts) {
        expected.push_back({r.No});
        expected.back().insert(expected.back().end(), r.Shown.begin(), r.Shown.end());
    }
    EXPECT_EQ(Shown(sfcxform->DBGrid1, {"票据号", "应收金额", "实收金额", "应找金额", "减免金额"}), expected);
    EXPECT_EQ(sfcxform->StatusBar1->Panels()->Items(0)->Text(), "符合查询条件的记录共有4条");
    EXPECT_EQ(sfcxform->StatusBar1->Panels()->Items(1)->Text(), "合计应收金额：53.60");
}

// --- Quantity statistics ------------------------------------------------------------------

TEST_F(Statistics, QuantityStatisticsByCriteria) {
    ypxhtjform->Show();   // the window is open, as its menu item opens it
    // The doctor list is read when the window is made (later doctors are added by the
    // doctors window).
    {
        Typxhtjform made(nullptr);
        ASSERT_EQ(made.ComboBox1->Items()->Count(), 2);
        EXPECT_EQ(made.ComboBox1->Items()->Strings(1), "O'Neil");
    }
    struct Case {
        const char* Name;
        std::function<void(Typxhtjform&)> Set;
        Strings Rows;   // 项目名称|项目规格|销价|合计数量, in the database's group order
    };
    const std::vector<Case> cases = {
        {"everything of the day", [](Typxhtjform&) {}, {"血常规|10片|15|3", "阿莫西林|10片|25|6"}},
        {"a doctor whose name holds a quote",
         [](Typxhtjform& f) { f.CheckBox1->SetChecked(true); f.ComboBox1->SetText("O'Neil"); },
         {"血常规|10片|15|1", "阿莫西林|10片|25|2"}},
        {"internal accounting only", [](Typxhtjform& f) { f.CheckBox2->SetChecked(true); }, {"血常规|10片|15|2"}},
        {"drugs only", [](Typxhtjform& f) { f.CheckBox3->SetChecked(true); }, {"阿莫西林|10片|25|6"}},
        {"examinations only", [](Typxhtjform& f) { f.CheckBox4->SetChecked(true); }, {"血常规|10片|15|3"}},
        {"both kinds find nothing",
         [](Typxhtjform& f) { f.CheckBox3->SetChecked(true); f.CheckBox4->SetChecked(true); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        for (TCheckBox* b : {ypxhtjform->CheckBox1, ypxhtjform->CheckBox2, ypxhtjform->CheckBox3, ypxhtjform->CheckBox4})
            b->SetChecked(false);
        c.Set(*ypxhtjform);
        harness->ClearDialogs();
        H::Click(ypxhtjform->Button1);
        EXPECT_EQ(RowsOf(*ypxhtjform->ADOQuery1, {"项目名称", "项目规格", "销价", "合计数量"}), c.Rows);
        EXPECT_EQ(harness->DialogTexts(), c.Rows.empty() ? Strings{"没有找到相符的记录!"} : Strings{});
    }
    // The last result is empty: nothing prints. The whole day prints as a list.
    H::Click(ypxhtjform->Button3);
    for (TCheckBox* b : {ypxhtjform->CheckBox3, ypxhtjform->CheckBox4}) b->SetChecked(false);
    Range(ypxhtjform->DateTimePicker1, ypxhtjform->DateTimePicker2, kMar6, kMar7);
    H::Click(ypxhtjform->Button1);
    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(ypxhtjform->Button3);
    ASSERT_EQ(printed.Pages.size(), 1u);
    for (const Strings& row : {Strings{"项目消耗数量统计报表", "统计日期：2024-3-6 至 2024-3-7", "项目名称", "项目规格", "销价",
                                       "合计数量"},
                               Strings{"血常规", "10片", "15", "3"}, Strings{"阿莫西林", "10片", "25", "7"}})
        EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    EXPECT_EQ(printed.CutOff(), Strings{});
}

// --- Amount statistics --------------------------------------------------------------------

// The field labels of the result and its rows as texts.
Strings Labels(TDataSet& data) {
    Strings labels;
    for (int i = 0; i < data.FieldCount(); ++i) labels.push_back(data.Fields()[i]->DisplayLabel());
    return labels;
}

TEST_F(Statistics, AmountStatisticsHasAColumnPerTypeAndATotalRow) {
    xmxhtjform->Show();   // the window is open, as its menu item opens it
    struct Case {
        const char* Name;
        Strings Types;
        Strings Columns;
        Strings Rows;
    };
    const std::vector<Case> cases = {
        {"three types",
         {"西药费", "检查费", "化验费"},
         {"医生姓名", "西药费", "检查费", "化验费", "减免金额", "合计"},
         {"O'Neil|50|15|0|0|65", "李四|100|30|0|40|90", "合计|150|45|0|40|155"}},
        // Names that are no plain column names: quotes, brackets and blanks; a type named
        // like a fixed column; the same type twice; a blank one.
        {"awkward type names",
         {"西药费", "检 \"查\" [费]'s", "合计", "西药费", "  ", "检查费"},
         {"医生姓名", "西药费", "检 \"查\" [费]'s", "合计(类型)", "检查费", "减免金额", "合计"},
         {"O'Neil|50|0|0|15|0|65", "李四|100|0|0|30|40|90", "合计|150|0|0|45|40|155"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Exec("delete from tb_yplx");
        for (size_t i = 0; i < c.Types.size(); ++i) Exec("insert into tb_yplx (lx) values (:p0)", {Variant(c.Types[i])});
        harness->ClearDialogs();
        H::Click(xmxhtjform->Button1);
        EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
        EXPECT_EQ(Labels(*xmxhtjform->ADOQuery1), c.Columns);
        EXPECT_EQ(RowsOf(*xmxhtjform->ADOQuery1), c.Rows);
        EXPECT_EQ(xmxhtjform->ADOQuery1->FieldByName("医生姓名")->DisplayWidth(), 10);
    }
}

TEST_F(Statistics, AmountStatisticsWithoutChargesAndBeforeAResult) {
    xmxhtjform->Show();   // the window is open, as its menu item opens it
    // Print and export before "统计".
    H::Click(xmxhtjform->Button3);
    H::Click(xmxhtjform->Button2);
    EXPECT_EQ(harness->DialogTexts(), Strings{"取得查询结果后才可将表中数据导出至Excel!"});
    const Strings message{"没有找到相符的记录或者记录合计金额为零!"};
    for (TDateTime from : {EncodeDate(2024, 3, 1), kMar7 + 1}) {
        harness->ClearDialogs();
        Range(xmxhtjform->DateTimePicker1, xmxhtjform->DateTimePicker2, from, from == kMar7 + 1 ? kMar6 : from);
        H::Click(xmxhtjform->Button1);
        EXPECT_EQ(harness->DialogTexts(), message);
        // The total row stays shown.
        ASSERT_EQ(xmxhtjform->ADOQuery1->RecordCount(), 1);
        EXPECT_EQ(xmxhtjform->ADOQuery1->FieldByName("医生姓名")->AsString(), "合计");
    }
}

// The memos of a prepared page with this text, in page order.
std::vector<TPreviewMemo> Find(const TPreviewCapture& c, size_t page, const std::string& text) {
    std::vector<TPreviewMemo> found;
    for (const TPreviewMemo& m : c.Pages.at(page))
        if (m.Text == text) found.push_back(m);
    return found;
}

// The print fills the cross-tab from the rows while it prints: one row per result row, one
// column per field in the grid's order, the field's text in the cell; the prepared page
// shows the headings, a row per doctor and the total row last, in a table of columns
// left to right and rows top to bottom.
TEST_F(Statistics, AmountStatisticsPrintsTheCrossTab) {
    xmxhtjform->Show();   // the window is open, as its menu item opens it
    Exec("delete from tb_yplx");
    for (const char* type : {"西药费", "检查费", "化验费"}) Exec("insert into tb_yplx (lx) values (:p0)", {Variant(type)});
    H::Click(xmxhtjform->Button1);
    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(xmxhtjform->Button3);
    ASSERT_EQ(printed.Pages.size(), 1u);
    const std::vector<Strings> table{{"医生姓名", "西药费", "检查费", "化验费", "减免金额", "合计"},
                                     {"O'Neil", "50", "15", "0", "0", "65"},
                                     {"李四", "100", "30", "0", "40", "90"},
                                     {"合计", "150", "45", "0", "40", "155"}};
    EXPECT_TRUE(printed.HasRow({"项目消耗金额统计报表", "所属时段:2024-3-7 至 2024-3-7"})) << printed.Dump();
    for (const Strings& row : table) EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    // Headings and the first column: one line each, lined up.
    double top = -1;
    for (const Strings& row : table) {
        const auto first = Find(printed, 0, row.front());
        ASSERT_FALSE(first.empty()) << row.front();
        EXPECT_GT(first.back().Top, top) << row.front();
        top = first.back().Top;
    }
    double left = -1;
    for (const std::string& heading : table.front()) {
        const auto h = Find(printed, 0, heading);
        ASSERT_FALSE(h.empty()) << heading;
        EXPECT_GT(h.front().Left, left) << heading;
        left = h.front().Left;
    }
    EXPECT_EQ(printed.CutOff(), Strings{});
    // The grid's current row is where it was.
    EXPECT_EQ(xmxhtjform->ADOQuery1->RecNo(), 1);
}

// More doctors than one landscape page holds: the rows go on to the next page under the
// headings again, and the total row ends the last page.
TEST_F(Statistics, AmountStatisticsContinuesOnTheNextPage) {
    xmxhtjform->Show();   // the window is open, as its menu item opens it
    for (int i = 1; i <= 45; ++i) {
        char doctor[16];
        std::snprintf(doctor, sizeof doctor, "医生%02d", i);
        char no[16];
        std::snprintf(no, sizeof no, "240307%03d", 100 + i);
        AddReceipt("tb_sf", no, kMar7, "王五", doctor, "内科", "tulvo", "普通收费", 0, {{"药品项目", 2, "阿莫西林", 1, 10}});
    }
    H::Click(xmxhtjform->Button1);
    ASSERT_EQ(xmxhtjform->ADOQuery1->RecordCount(), 48);
    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(xmxhtjform->Button3);
    ASSERT_EQ(printed.Pages.size(), 2u) << printed.Dump();
    for (size_t page = 0; page < 2; ++page) {
        EXPECT_EQ(Find(printed, page, "医生姓名").size(), 1u) << page;
        EXPECT_EQ(Find(printed, page, "第" + std::to_string(page + 1) + "页").size(), 1u) << page;
    }
    EXPECT_FALSE(Find(printed, 0, "医生01").empty());
    EXPECT_FALSE(Find(printed, 1, "医生45").empty());
    const auto total = Find(printed, 1, "合计");
    ASSERT_EQ(total.size(), 2u);   // the heading and the total row
    EXPECT_TRUE(printed.HasRow({"合计", "600", "0", "0", "0", "45", "0", "0", "0", "0", "0", "40", "605"}))
        << printed.Dump();
    EXPECT_EQ(printed.CutOff(), Strings{});
}

}  // namespace
