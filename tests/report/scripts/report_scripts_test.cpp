// Report scripts reaching the report: the report classes, constants and enumerations of
// the global unit, IIF, the engine and the outline from scripts, the cross-tab's AddValue,
// string lists as objects, aggregates inside larger expressions, and bad scripts that end
// the run with a positioned error.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/FileUtils.h"
#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/DesignRegistries.h"
#include "report/Engine.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/ReportScript.h"
#include "report/Resources.h"
#include "script/ClassVariables.h"
#include "script/Script.h"
#include "script/XMLDocument.h"

namespace {

// A report on a 100 x 100 mm page without margins (377.953 px printable) over a user
// dataset "D" of Rows records with the fields x (the record number, 1-based) and name.
struct TScriptReport {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxReportPage* Page = nullptr;
    TfrxUserDataSet* DS = nullptr;

    explicit TScriptReport(int Rows) {
        Report->EngineOptions()->SilentMode = true;
        DS = new TfrxUserDataSet(Report.get());
        DS->SetName("D");
        DS->Fields()->SetText("x\r\nname");
        DS->RangeEnd = reCount;
        DS->RangeEndCount = Rows;
        DS->OnGetValue = [ds = DS](const std::string& Name, Variant& Value) {
            const int n = ds->RecNo() + 1;
            Value = Name == "x" ? Variant(n) : Variant("n" + std::to_string(n));
        };
        Report->DataSets()->Add(DS);
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Page->SetPaperSize(frxCustomPaperSize);
        Page->SetPaperWidth(100);
        Page->SetPaperHeight(100);
        Page->LeftMargin = Page->RightMargin = Page->TopMargin = Page->BottomMargin = 0;
    }

    template <class B>
    B* Band(const std::string& Name, double Top, double Height) {
        auto* b = new B(Page);
        b->SetName(Name);
        b->SetBounds(0, Top, 300, Height);
        return b;
    }
    TfrxMemoView* Memo(TfrxComponent* Parent, const std::string& Name, const std::string& Text, double Left = 0) {
        auto* m = new TfrxMemoView(Parent);
        m->SetName(Name);
        m->SetBounds(Left, 0, 90, Parent->Height());
        m->SetText(Text);
        return m;
    }
    TfrxMasterData* Master(double Top = 100, double Height = 20) {
        auto* md = Band<TfrxMasterData>("MasterData1", Top, Height);
        md->SetDataSet(DS);
        return md;
    }
    void Script(const std::string& Text, const std::string& Language = "PascalScript") {
        Report->ScriptLanguage = Language;
        Report->ScriptText()->SetText(Text);
    }
};

std::string MemoText(TfrxComponent* Obj) {
    auto* m = dynamic_cast<TfrxCustomMemoView*>(Obj);
    if (!m) return {};
    std::string s = m->Text();
    while (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.resize(s.size() - 2);
    return s;
}

// "Band=text|text" for every band of every prepared page, pages separated by " / ".
std::string Output(TfrxReport& Report) {
    std::string out;
    TfrxCustomPreviewPages* pp = Report.PreviewPages();
    for (int i = 0; i < pp->Count(); ++i) {
        if (i > 0) out += " / ";
        bool firstBand = true;
        for (TfrxComponent* b : pp->GetPage(i)->ObjectList()) {
            if (!firstBand) out += ' ';
            firstBand = false;
            out += b->Name();
            std::string texts;
            for (TfrxComponent* c : b->ObjectList()) {
                if (!texts.empty()) texts += '|';
                texts += MemoText(c);
            }
            if (!texts.empty()) out += "=" + texts;
        }
    }
    return out;
}

Variant Eval(const std::string& Expression) {
    frxRegisterReportClasses();
    TfsScript script;
    return script.Evaluate(Expression);
}

// --- Constants and enumerations ------------------------------------------------------------

struct TValueCase {
    const char* Expression;
    double Expected;
};

class ReportConstants : public testing::TestWithParam<TValueCase> {};

TEST_P(ReportConstants, HaveTheirValues) {
    const TValueCase& c = GetParam();
    const Variant v = Eval(c.Expression);
    ASSERT_TRUE(v.IsNumeric()) << c.Expression << " gives " << VarToStr(v);
    EXPECT_DOUBLE_EQ(v.AsDouble(), c.Expected) << c.Expression;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReportConstants,
    testing::Values(TValueCase{"fr01cm", 3.7795}, TValueCase{"fr1cm", 37.7953}, TValueCase{"fr01in", 9.6},
                    TValueCase{"fr1in", 96}, TValueCase{"fr1CharX", 9.6}, TValueCase{"fr1CharY", 17},
                    TValueCase{"clTransparent", 536870911}, TValueCase{"clNone", 536870911},
                    TValueCase{"crHand", 50}, TValueCase{"crFormat", 52},
                    // Enumerations count from 0, sets from 1.
                    TValueCase{"smMaxHeight", 2}, TValueCase{"baBottom", 5}, TValueCase{"fsDouble", 5},
                    TValueCase{"ftBottom", 8}, TValueCase{"vaCenter", 2}, TValueCase{"rfDontDelete", 8},
                    TValueCase{"zmManyPages", 3}, TValueCase{"ppEven", 2}, TValueCase{"fsx15cpi", 256},
                    TValueCase{"rbCurrent", 1}, TValueCase{"reCount", 2}, TValueCase{"fftBoolean", 2},
                    // The two lists scripts see differently from the classes' own types.
                    TValueCase{"skDiagonal1", 4}, TValueCase{"skDiagonal2", 5}, TValueCase{"pbTree", 64},
                    TValueCase{"pbRefresh", 256}, TValueCase{"pbTools", 512}, TValueCase{"pbNavigator", 2048}),
    [](const testing::TestParamInfo<TValueCase>& info) { return std::string(info.param.Expression); });

// The items of the module in the global unit: constants, enumerations, classes in table
// order, IIF, then the cross-tab group.
TEST(ReportClassesRegistration, FollowsTheRegistrationOrder) {
    frxRegisterReportClasses();
    std::vector<std::string> names;
    TfsScript* unit = GlobalUnit();
    for (int i = 0; i < unit->Count(); ++i)
        if (unit->Items(i)->AddedBy == frxReportClassesTag()) names.push_back(unit->Items(i)->Name);
    auto at = [&](const std::string& name) {
        auto it = std::find(names.begin(), names.end(), name);
        EXPECT_NE(it, names.end()) << name;
        return it - names.begin();
    };
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "fr01cm");
    const std::vector<std::string> order = {"crFormat",      "TfrxStretchMode", "TfrxFieldType", "TfrxDataSet",
                                            "TfrxComponent", "TfrxMemoView",    "TfrxBand",      "TfrxOverlay",
                                            "TfrxPage",      "TfrxReport",      "TfrxOutline",   "IIF",
                                            "TfrxCustomCrossView"};
    for (size_t i = 1; i < order.size(); ++i) EXPECT_LT(at(order[i - 1]), at(order[i])) << order[i];
}

// --- IIF -----------------------------------------------------------------------------------

TEST(ReportIIF, ChoosesAfterEvaluatingBothValues) {
    EXPECT_EQ(Eval("IIF(False, 1, 2)").AsInteger(), 2);
    EXPECT_EQ(Eval("IIF(True, 1, 2)").AsInteger(), 1);
    EXPECT_EQ(VarToStr(Eval("IIF(3 > 2, 'big', 'small')")), "big");
    // The value not chosen is evaluated too: its error is raised.
    EXPECT_THROW(Eval("IIF(True, 1, 1 div 0)"), Exception);
}

// --- Runs ----------------------------------------------------------------------------------

struct TRunCase {
    const char* Name;
    int Rows;
    std::function<void(TScriptReport&)> Build;
    std::string Expected;
};

class ReportScriptRun : public testing::TestWithParam<TRunCase> {};

TEST_P(ReportScriptRun, PreparesThePages) {
    const TRunCase& c = GetParam();
    TScriptReport r(c.Rows);
    c.Build(r);
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(Output(*r.Report), c.Expected);
}

const TRunCase kRunCases[] = {
    // A band event hides a memo in the first row only.
    {"BandEventHidesAMemoPerRow", 3,
     [](TScriptReport& r) {
         TfrxMasterData* md = r.Master();
         r.Memo(md, "Memo1", "[D.\"name\"]");
         r.Memo(md, "Memo2", "shown", 100);
         md->OnBeforePrint = "MasterData1OnBeforePrint";
         r.Script("procedure MasterData1OnBeforePrint(Sender: TfrxComponent);\r\n"
                  "begin\r\n  Memo2.Visible := <Line> > 1;\r\nend;\r\n\r\nbegin\r\nend.");
     },
     "MasterData1=n1 MasterData1=n2|shown MasterData1=n3|shown"},
    {"IIFInAMemo", 3,
     [](TScriptReport& r) { r.Memo(r.Master(), "Memo1", "[IIF(<Line> > 1, 'big', 'small')]"); },
     "MasterData1=small MasterData1=big MasterData1=big"},
    // StopReport ends the run at the engine's next check: exactly the rows printed so far.
    {"StopReportAfterThreeRows", 10,
     [](TScriptReport& r) {
         TfrxMasterData* md = r.Master();
         r.Memo(md, "Memo1", "[Line]");
         md->OnAfterPrint = "MasterData1OnAfterPrint";
         r.Script("procedure MasterData1OnAfterPrint(Sender: TfrxComponent);\r\n"
                  "begin\r\n  if <Line> = 3 then Engine.StopReport;\r\nend;\r\n\r\nbegin\r\nend.");
     },
     "MasterData1=1 MasterData1=2 MasterData1=3"},
    // A memo's text and colour set per row; Text reads and writes the lines.
    {"MemoTextFromTheScript", 2,
     [](TScriptReport& r) {
         TfrxMasterData* md = r.Master();
         r.Memo(md, "Memo1", "");
         md->OnBeforePrint = "Row";
         r.Script("procedure Row(Sender: TfrxComponent);\r\n"
                  "begin\r\n  Memo1.Text := 'row ' + IntToStr(<Line>);\r\n"
                  "  Memo1.Color := IIF(<Line> = 1, clRed, clTransparent);\r\n"
                  "  Memo1.Memo.Add(IntToStr(Memo1.Memo.Count));\r\nend;\r\n\r\nbegin\r\nend.");
     },
     "MasterData1=row 1\r\n1 MasterData1=row 2\r\n1"},
    // A text changed after the data step prints, and the next row starts again from the
    // memo's own text.
    {"MemoTextChangedAfterItsData", 3,
     [](TScriptReport& r) {
         TfrxMasterData* md = r.Master();
         TfrxMemoView* m = r.Memo(md, "Memo1", "[Line]");
         m->OnAfterData = "Memo1AfterData";
         r.Script("procedure Memo1AfterData(Sender: TfrxComponent);\r\n"
                  "begin\r\n  Memo1.Text := Memo1.Text + '!';\r\nend;\r\n\r\nbegin\r\nend.");
     },
     "MasterData1=1\r\n! MasterData1=2\r\n! MasterData1=3\r\n!"},
    // The main block walks the tree through Objects, Parent, Page and the datasets.
    {"TreeAndDatasetFromTheMainBlock", 2,
     [](TScriptReport& r) {
         TfrxMasterData* md = r.Master();
         r.Memo(md, "Memo1", "[D.\"x\"]");
         auto* title = r.Band<TfrxReportTitle>("ReportTitle1", 0, 20);
         r.Memo(title, "Title", "");
         r.Script("var i: Integer; s: String; ds: TfrxDataSet; L: TStringList;\r\n"
                  "begin\r\n"
                  "  s := IntToStr(Page1.Objects.Count) + ' ' + TfrxComponent(MasterData1.Objects[0]).Name;\r\n"
                  "  s := s + ' ' + Memo1.Parent.Name + ' ' + Memo1.Page.Name;\r\n"
                  "  ds := Report.GetDataset('D');\r\n"
                  "  L := TStringList.Create; ds.GetFieldList(L); s := s + ' ' + L.CommaText; L.Free;\r\n"
                  "  ds.First; ds.Next; s := s + ' ' + IntToStr(ds.RecNo) + ' ' + VarToStr(ds.Value['x']);\r\n"
                  "  s := s + ' ' + IIF(ds.HasField('name'), 'True', 'False') + ' ' + IntToStr(ds.FieldsCount);\r\n"
                  "  Title.Text := s\r\n"
                  "end.");
     },
     "ReportTitle1=2 Memo1 MasterData1 Page1 x,name 1 2 True 2 MasterData1=1 MasterData1=2"},
    // Scripts see the shape kinds without the diamond: a diamond reads as skDiagonal1 (4),
    // and writing skDiagonal2 (5) gives the shape of that value.
    {"ShapeKindsAsScriptsSeeThem", 1,
     [](TScriptReport& r) {
         auto* title = r.Band<TfrxReportTitle>("ReportTitle1", 0, 20);
         r.Memo(title, "Title", "");
         auto* shape = new TfrxShapeView(title);
         shape->SetName("Shape1");
         shape->Shape = skDiamond;
         r.Memo(title, "Kind", "[Shape1.Shape]", 100);
         r.Script("begin\r\n  Title.Text := IIF(Shape1.Shape = skDiagonal1, 'diamond', 'other');\r\n"
                  "  Shape1.Shape := skDiagonal2;\r\nend.");
     },
     "ReportTitle1=diamond||5"},
};

// Writing a report variable that does not exist creates it; writing a memo's Text replaces
// its lines, and CalcWidth then measures that text as the memo itself does.
TEST(ReportScriptRun, VariablesAndMemoTextFromTheMainBlock) {
    TScriptReport r(1);
    auto* title = r.Band<TfrxReportTitle>("ReportTitle1", 0, 20);
    r.Memo(title, "Title", "[made] [Wide.Text]");
    TfrxMemoView* wide = r.Memo(title, "Wide", "x", 100);
    r.Script("begin\r\n  Report.Variables['made'] := 7;\r\n  Wide.Text := 'a much longer text';\r\n"
             "  Report.Variables['width'] := Wide.CalcWidth;\r\nend.");
    double width = 0;
    r.Report->OnAfterPrint = [&](TfrxReportComponent* Obj) {
        if (Obj->Name() == "Title") width = r.Report->Variables()->Variables("width").AsDouble();
    };
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(Output(*r.Report), "ReportTitle1=7 a much longer text|a much longer text");
    wide = dynamic_cast<TfrxMemoView*>(r.Report->FindObject("Wide"));
    ASSERT_NE(wide, nullptr);
    wide->SetText("a much longer text");
    EXPECT_GT(width, 0);
    EXPECT_DOUBLE_EQ(width, wide->CalcWidth());
}

// The report's second dataset list stays when the report is cleared.
TEST(ReportScriptRun, OfferedDataSetsSurviveClear) {
    TScriptReport r(1);
    // A dataset of the program (not one of the report's own objects, which Clear frees).
    auto offered = std::make_unique<TfrxUserDataSet>(nullptr);
    r.Report->OfferedDataSets()->Add(offered.get());
    r.Report->Clear();
    EXPECT_EQ(r.Report->DataSets()->Count(), 0);
    ASSERT_EQ(r.Report->OfferedDataSets()->Count(), 1);
    EXPECT_EQ(r.Report->OfferedDataSets()->Items(0)->DataSet(), offered.get());
    r.Report.reset();
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportScriptRun, testing::ValuesIn(kRunCases),
                         [](const testing::TestParamInfo<TRunCase>& info) { return std::string(info.param.Name); });

// Anchors: a title shows the page of an anchor that the summary adds. A single pass does
// not know it yet (1); the second pass of a double-pass run does.
TEST(ReportScriptRun, AnchorsInSingleAndDoublePass) {
    for (const bool doublePass : {false, true}) {
        TScriptReport r(30);
        r.Report->EngineOptions()->DoublePass = doublePass;
        r.Memo(r.Band<TfrxReportTitle>("ReportTitle1", 0, 20), "Title", "[Engine.GetAnchorPage('end')]");
        r.Memo(r.Master(30, 20), "Memo1", "[Line]");
        TfrxReportSummary* summary = r.Band<TfrxReportSummary>("ReportSummary1", 60, 20);
        r.Memo(summary, "Sum", "end");
        summary->OnBeforePrint = "SummaryBefore";
        r.Script("procedure SummaryBefore(Sender: TfrxComponent);\r\nbegin\r\n  Engine.AddAnchor('end');\r\n"
                 "  Outline.AddItem('the end');\r\nend;\r\n\r\nbegin\r\nend.");
        ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
        const int pages = r.Report->PreviewPages()->Count();
        ASSERT_GT(pages, 1);
        const std::string title = MemoText(r.Report->PreviewPages()->GetPage(0)->ObjectList().front()->Objects(0));
        EXPECT_EQ(title, doublePass ? std::to_string(pages) : "1") << (doublePass ? "double pass" : "single pass");
        std::string text;
        int page = 0, top = 0;
        r.Report->PreviewPages()->Outline()->LevelRoot();
        r.Report->PreviewPages()->Outline()->GetItem(0, text, page, top);
        EXPECT_EQ(text, "the end");
        EXPECT_EQ(page, pages - 1);
    }
}

// A cross-tab filled by its before-print script: the matrix holds the values when the
// view has printed.
TEST(ReportScriptRun, CrossTabFilledByAddValue) {
    TScriptReport r(1);
    auto* title = r.Band<TfrxReportTitle>("ReportTitle1", 0, 100);
    auto* cross = new TfrxCrossView(title);
    cross->SetName("Cross1");
    cross->SetBounds(0, 0, 200, 50);
    cross->OnBeforePrint = "Cross1OnBeforePrint";
    r.Script("procedure Cross1OnBeforePrint(Sender: TfrxComponent);\r\n"
             "begin\r\n"
             "  Cross1.AddValue(['a'], ['x'], [1]);\r\n"
             "  Cross1.AddValue(['a'], ['y'], [2]);\r\n"
             "  Cross1.AddValue(['b'], ['x'], [4]);\r\n"
             "  Cross1.AddValue(['a'], ['x'], [10]);\r\n"
             "end;\r\n\r\nbegin\r\nend.");
    std::vector<std::string> seen;
    r.Report->OnAfterPrint = [&](TfrxReportComponent* Obj) {
        auto* view = dynamic_cast<TfrxCrossView*>(Obj);
        if (!view) return;
        TfrxCrossMatrix* m = view->Matrix();
        seen.push_back(std::to_string(view->RowCount()) + "x" + std::to_string(view->ColCount()));
        for (int row = 0; row < m->RowCount(); ++row)
            for (int col = 0; col < m->ColCount(); ++col) seen.push_back(VarToStr(m->GetValue(row, col, 0)));
    };
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    // Rows a, b and the grand total; columns x, y and the grand total.
    EXPECT_EQ(seen, (std::vector<std::string>{"3x3", "11", "2", "13", "4", "", "4", "15", "2", "17"}));
}

// An aggregate inside a larger expression prints the value of the registered call.
TEST(ReportScriptRun, AggregateInsideAnExpression) {
    TScriptReport r(4);
    r.Memo(r.Master(0, 20), "Memo1", "[D.\"x\"]");
    TfrxFooter* footer = r.Band<TfrxFooter>("Footer1", 40, 20);
    r.Memo(footer, "Total", "[SUM(<D.\"x\">) * 2] [(COUNT(MasterData1) + 1)] [IIF(SUM(<D.\"x\">) > 5, 'many', 'few')]");
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(Output(*r.Report), "MasterData1=1 MasterData1=2 MasterData1=3 MasterData1=4 Footer1=20 5 many");
}

// --- Bad scripts ---------------------------------------------------------------------------

struct TBadCase {
    const char* Name;
    const char* Script;
    const char* Error;   // the start of the report's error text
};

class ReportBadScript : public testing::TestWithParam<TBadCase> {};

TEST_P(ReportBadScript, EndsTheRunWithAPositionedError) {
    const TBadCase& c = GetParam();
    TScriptReport r(3);
    TfrxMasterData* md = r.Master();
    r.Memo(md, "Memo1", "[Line]");
    md->OnBeforePrint = "Row";
    r.Script(c.Script);
    EXPECT_FALSE(r.Report->PrepareReport());
    ASSERT_GE(r.Report->Errors()->Count(), 1);
    const std::string text = r.Report->Errors()->Text();
    EXPECT_NE(text.find(c.Error), std::string::npos) << text;
    // The template is back and usable: a good script runs afterwards.
    r.Script("begin end.");
    EXPECT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
}

const TBadCase kBadCases[] = {
    {"TooFewArguments", "begin Engine.AddAnchor end.", "脚本错误位于 1:"},
    {"WrongKindOfArgument", "begin Engine.ShowBand('x') end.", "脚本错误位于 1:"},
    {"ReadOnlyProperty", "begin Memo1.AbsLeft := 3 end.", "脚本错误位于 1:"},
    {"UnknownConstant", "begin Memo1.Left := fr2cm end.", "脚本错误位于 1:"},
    {"FreedObject",
     "var L: TStringList;\r\nprocedure Row(Sender: TfrxComponent);\r\nbegin\r\n  L.Add('x');\r\nend;\r\n"
     "begin\r\n  L := TStringList.Create;\r\n  L.Free;\r\nend.",
     "脚本错误位于 4:"},
    {"NilObject", "procedure Row(Sender: TfrxComponent);\r\nbegin\r\n  Report.GetDataset('none').First;\r\nend;\r\nbegin end.",
     "脚本错误位于 3:"},
    {"ClearWhileRunning", "procedure Row(Sender: TfrxComponent);\r\nbegin\r\n  Page1.Clear;\r\nend;\r\nbegin end.",
     "脚本错误位于 3:3: 报表运行时不允许调用 Clear"},
    {"FreeWhileRunning", "procedure Row(Sender: TfrxComponent);\r\nbegin\r\n  Memo1.Free;\r\nend;\r\nbegin end.",
     "脚本错误位于 3:3: 报表运行时不允许调用 Free"},
    {"LoadWhileRunning",
     "procedure Row(Sender: TfrxComponent);\r\nbegin\r\n  Report.LoadFromFile('x.fr3');\r\nend;\r\nbegin end.",
     "脚本错误位于 3:3: 报表运行时不允许调用 LoadFromFile"},
    {"BadExpressionInCalc", "begin Report.Calc('1 +') end.", "公式错误"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReportBadScript, testing::ValuesIn(kBadCases),
                         [](const testing::TestParamInfo<TBadCase>& info) { return std::string(info.param.Name); });

// --- The catalogue --------------------------------------------------------------------------

TfsXMLItem* ChildWithText(TfsXMLItem* parent, const std::string& text) {
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i)->Prop("text") == text) return parent->Items(i);
    return nullptr;
}

TEST(ReportClassesCatalogue, ListsClassesMembersTypesAndIIF) {
    frxRegisterReportClasses();
    TfsXMLDocument doc;
    GenerateXMLContents(*GlobalUnit(), doc.Root());
    TfsXMLItem* report = ChildWithText(doc.Root()->FindItem("Classes"), "TfrxReport = class(TfrxComponent)");
    ASSERT_NE(report, nullptr);
    EXPECT_NE(ChildWithText(report, "function Calc(const Expr: String): Variant"), nullptr);
    EXPECT_NE(ChildWithText(report, "property Variables: TfrxVariables"), nullptr);
    EXPECT_NE(ChildWithText(report, "property OnStartReport: TfrxNotifyEvent"), nullptr);
    TfsXMLItem* dataset = ChildWithText(doc.Root()->FindItem("Classes"), "TfrxDataSet = class(TComponent)");
    ASSERT_NE(dataset, nullptr);
    EXPECT_NE(ChildWithText(dataset, "index property Value(p0: String): Variant"), nullptr);
    TfsXMLItem* other = doc.Root()->FindItem("Functions")->FindItem("ctOther");
    TfsXMLItem* iif = ChildWithText(other, "function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant");
    ASSERT_NE(iif, nullptr);
    EXPECT_EQ(iif->Prop("description"), "IIF");
    EXPECT_NE(ChildWithText(doc.Root()->FindItem("Types"), "TfrxVAlign: (vaTop,vaBottom,vaCenter)"), nullptr);
    EXPECT_NE(ChildWithText(doc.Root()->FindItem("Constants"), "fr1cm: Extended = 37.7953"), nullptr);
}

// The designer's event editor matches script event properties by their type's name.
TEST(ReportClassesCatalogue, EventPropertiesCarryTheirTypes) {
    struct {
        TClass Class;
        const char* Property;
        const char* Type;
    } cases[] = {
        {TfrxMemoView::StaticClass(), "OnBeforePrint", "TfrxNotifyEvent"},
        {TfrxMemoView::StaticClass(), "OnPreviewClick", "TfrxPreviewClickEvent"},
        {TfrxMasterData::StaticClass(), "OnAfterCalcHeight", "TfrxNotifyEvent"},
        {TfrxReportPage::StaticClass(), "OnManualBuild", "TfrxNotifyEvent"},
        {TfrxDialogPage::StaticClass(), "OnCloseQuery", "TfrxCloseQueryEvent"},
        {TfrxDialogPage::StaticClass(), "OnKeyDown", "TfrxKeyEvent"},
        {TfrxCrossView::StaticClass(), "OnPrintCell", "TfrxPrintCellEvent"},
        {TfrxCrossView::StaticClass(), "OnCalcWidth", "TfrxCalcWidthEvent"},
        {TfrxReport::StaticClass(), "OnStopReport", "TfrxNotifyEvent"},
    };
    for (const auto& c : cases) {
        const TPropInfo* p = c.Class->FindProperty(c.Property);
        ASSERT_NE(p, nullptr) << c.Property;
        EXPECT_EQ(p->Type->Name, c.Type) << c.Class->ClassName() << "." << c.Property;
        EXPECT_EQ(p->Kind(), tkString);
    }
}

// The cross-tab unit's start-up: two insertable objects and the parameter lists of its
// event types for the code editor.
TEST(ReportClassesCatalogue, CrossTabObjectsAndEventTexts) {
    TfrxReport report(nullptr);
    const struct {
        TClass Class;
        int Image;
    } objects[] = {{TfrxCrossView::StaticClass(), 42}, {TfrxDBCrossView::StaticClass(), 49}};
    for (const auto& o : objects) {
        const int i = frxObjects().IndexOf(o.Class);
        ASSERT_GE(i, 0) << o.Class->ClassName();
        EXPECT_EQ(frxObjects().Items(i).ButtonImageIndex, o.Image);
        EXPECT_EQ(frxObjects().Items(i).CategoryName, "Other");
    }
    EXPECT_EQ(frxResources().Get("TfrxCalcWidthEvent"),
              "PascalScript=(ColumnIndex: Integer; ColumnValues: Variant; var Width: Extended)\r\n"
              "C++Script=(int ColumnIndex, variant ColumnValues, float &Width)\r\n"
              "BasicScript=(ColumnIndex, ColumnValues, byref Width)\r\n"
              "JScript=(ColumnIndex, ColumnValues, &Width)");
    EXPECT_EQ(frxResources().Get("TfrxPrintHeaderEvent").substr(0, 78),
              "PascalScript=(Memo: TfrxMemoView; HeaderIndexes, HeaderValues, Value: Variant)");
}


// Outline items and anchors stand at the band's top taken to the nearest integer, a half
// to the even neighbour: a band at 20.5 gives 20, at 21.5 gives 22.
TEST(ReportScriptRun, OutlineAndAnchorTopsRoundHalvesToEven) {
    struct Case {
        double HeaderHeight;
        int Top;
    };
    for (const Case c : {Case{20.5, 20}, Case{21.5, 22}, Case{20.4, 20}, Case{20.6, 21}}) {
        TScriptReport r(1);
        r.Memo(r.Band<TfrxPageHeader>("PageHeader1", 0, c.HeaderHeight), "Head", "H");
        TfrxMasterData* md = r.Master(50, 20);
        r.Memo(md, "Memo1", "[Line]");
        md->OutlineText = "'band'";
        md->OnBeforePrint = "RowBefore";
        r.Script("procedure RowBefore(Sender: TfrxComponent);\r\nbegin\r\n  Engine.AddAnchor('row');\r\n"
                 "  Outline.AddItem('script');\r\n  Outline.LevelUp;\r\nend;\r\n\r\nbegin\r\nend.");
        ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
        auto* pages = dynamic_cast<TfrxPreviewPages*>(r.Report->PreviewPages());
        ASSERT_NE(pages, nullptr);
        int page = -1, top = -1;
        ASSERT_TRUE(pages->FindAnchor("row", page, top));
        EXPECT_EQ(top, c.Top) << "anchor below a header of " << c.HeaderHeight;
        TfrxCustomOutline* outline = pages->Outline();
        outline->LevelRoot();
        ASSERT_EQ(outline->GetCount(), 2);
        for (int i = 0; i < 2; ++i) {
            std::string text;
            outline->GetItem(i, text, page, top);
            EXPECT_EQ(top, c.Top) << text << " below a header of " << c.HeaderHeight;
        }
    }
}


// A user function declared by the program runs its OnUserFunction handler from memo
// expressions and from the report script, with the upper-cased name and the arguments;
// a value written into the arguments goes back to a var parameter.
TEST(ReportScriptRun, UserFunctionsRunTheHandler) {
    TScriptReport r(2);
    r.Report->AddFunction("function Twice(X: Integer): Integer", "ctMath", "twice the number");
    r.Report->AddFunction("procedure Mark(var S: String)");
    std::vector<std::string> calls;
    r.Report->OnUserFunction = [&calls](const std::string& Name, Variant& Params) -> Variant {
        calls.push_back(Name);
        if (Name == "TWICE") return Params.GetElement({0}) * Variant(2);
        Params.PutElement({0}, Params.GetElement({0}).AsString() + "!");
        return Variant::Null();
    };
    r.Memo(r.Master(0, 20), "Memo1", "[Twice(<D.\"x\">)] [s]");
    r.Script("var s: String;\r\nbegin\r\n  s := 'n';\r\n  Mark(s);\r\nend.");
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(Output(*r.Report), "MasterData1=2 n! MasterData1=4 n!");
    EXPECT_EQ(calls, (std::vector<std::string>{"MARK", "TWICE", "TWICE"}));
}

}  // namespace
