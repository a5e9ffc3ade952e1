// The memo view on a real report: expressions expanded through the report's Calc, display
// formats, bound fields, highlights, repeated values, styles, and the heights, widths and
// splits of the text layout on the fake measurer (12 points: a narrow character is 60
// 600-dpi units, a blank 30, the font height 19.2 screen pixels, so a line is 21.2 pixels
// with the default line spacing of 2; a memo 100 pixels wide lays its text into 97 pixels,
// 606 units).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/DateTime.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

// The memo's lines joined by "|".
std::string Lines(const TfrxCustomMemoView& m) {
    std::string s;
    for (int i = 0; i < m.Memo()->Count(); ++i) s += (i ? "|" : "") + (*m.Memo())[i];
    return s;
}

class MemoFixture : public ::testing::Test {
protected:
    MemoFixture() {
        report.DrawText()->SetMeasurer(&fake);
        report.EngineOptions()->SilentMode = true;
        report.SetScriptVariable("A", Variant(5));
        report.SetScriptVariable("X", Variant(1234.5));
        report.SetScriptVariable("D", Variant::FromDate(EncodeDate(2024, 1, 5)));
        report.SetScriptVariable("T", Variant(true));
        report.SetScriptVariable("F", Variant(false));
        report.SetScriptVariable("Z", Variant(0));
        report.SetScriptVariable("ZF", Variant(0.0));
        report.SetScriptVariable("S0", Variant("0"));
        report.SetScriptVariable("S", Variant("abc"));
        report.SetScriptVariable("Q", Variant("[A]"));
        memo = new TfrxMemoView(&report);
        memo->SetName("Memo1");
        memo->SetBounds(0, 0, 100, 50);
        memo->Font()->SetSize(12);
    }
    // One printing of the memo: the texts while it prints, then the template back.
    std::string Print(TfrxCustomMemoView* m) {
        m->BeforePrint();
        m->GetData();
        const std::string printed = Lines(*m);
        m->AfterPrint();
        return printed;
    }

    TFakeTextMeasurer fake;
    TfrxReport report{nullptr};
    TfrxMemoView* memo;
};

// --- Expressions ----------------------------------------------------------------------

// The memo splits its text once and reuses the pieces while the text stays: a new text or
// other delimiters are split again, and each printing computes the values anew.
TEST_F(MemoFixture, SplitTextFollowsTextAndDelimiters) {
    memo->Memo()->SetText("a [A] b");
    EXPECT_EQ(Print(memo), "a 5 b");
    report.SetScriptVariable("A", Variant(6));
    EXPECT_EQ(Print(memo), "a 6 b");
    memo->Memo()->SetText("[A]+[A + 1]");
    EXPECT_EQ(Print(memo), "6+7");
    memo->ExpressionDelimiters = "<,>";
    EXPECT_EQ(Print(memo), "[A]+[A + 1]");
    memo->Memo()->SetText("<A>[A]");
    EXPECT_EQ(Print(memo), "6[A]");
    memo->ExpressionDelimiters = "[,]";
    EXPECT_EQ(Print(memo), "<A>6");
}

struct TExpandCase {
    const char* Name;
    std::string Text;
    std::string Delimiters = "[,]";
    bool HideZeros = false;
    std::string Expected;
};

class Expansion : public MemoFixture, public ::testing::WithParamInterface<TExpandCase> {};

TEST_P(Expansion, PrintsAndRestores) {
    const TExpandCase& c = GetParam();
    memo->Memo()->SetText(c.Text);
    memo->ExpressionDelimiters = c.Delimiters;
    memo->HideZeros = c.HideZeros;
    EXPECT_EQ(Print(memo), c.Expected);
    EXPECT_EQ(memo->Text(), c.Text + "\r\n") << "the template comes back after printing";
}

INSTANTIATE_TEST_SUITE_P(
    Memo, Expansion,
    ::testing::Values(
        TExpandCase{"one_expression", "Sum: [A]", "[,]", false, "Sum: 5"},
        TExpandCase{"several", "[A]-[A]", "[,]", false, "5-5"},
        TExpandCase{"compiled_expression", "[A + 1]", "[,]", false, "6"},
        TExpandCase{"around_chinese_text", "金额：[A]元", "[,]", false, "金额：5元"},
        TExpandCase{"date_picture", "[D #Dyyyy-mm-dd]", "[,]", false, "2024-01-05"},
        TExpandCase{"time_letter_is_date_time", "[D #Tdd.mm.yy]", "[,]", false, "05.01.24"},
        TExpandCase{"numeric_printf_comma_separator", "[X #N%2,2f]", "[,]", false, "1234,50"},
        TExpandCase{"numeric_picture_comma_separator", "[X #N#0,00]", "[,]", false, "1234,50"},
        TExpandCase{"numeric_printf_point", "[X #n%2.1f]", "[,]", false, "1234.5"},
        TExpandCase{"boolean_true", "[T #Byes,no]", "[,]", false, "yes"},
        TExpandCase{"boolean_false", "[F #Byes,no]", "[,]", false, "no"},
        TExpandCase{"other_letter_is_text", "[X #Sxyz]", "[,]", false, "1234.5"},
        TExpandCase{"bracket_in_quotes_does_not_close", "[S + ']']", "[,]", false, "abc]"},
        TExpandCase{"value_with_brackets_not_expanded_again", "[Q]", "[,]", false, "[A]"},
        TExpandCase{"total_pages_left_for_the_pages", "[TotalPages#] [totalpages#]", "[,]", false,
                    "[TotalPages#] [TotalPages#]"},
        TExpandCase{"hide_zeros_numbers_not_texts", "[Z]|[ZF]|[S0]|[A]", "[,]", true, "||0|5"},
        TExpandCase{"zeros_shown_by_default", "[Z]|[ZF]", "[,]", false, "0|0"},
        TExpandCase{"angle_delimiters", "<A> [A]", "<,>", false, "5 [A]"},
        TExpandCase{"two_character_delimiters", "{{A}} {A}", "{{,}}", false, "5 {A}"},
        TExpandCase{"wide_character_delimiters", "值【A】", "【,】", false, "值5"},
        TExpandCase{"empty_opening_delimiter_means_none", "[A]", ",]", false, "[A]"},
        TExpandCase{"missing_closing_takes_the_rest", "x [A", "[,]", false, "x 5"},
        TExpandCase{"several_lines", "a[A]\r\nb[A]", "[,]", false, "a5|b5"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TBracketCase {
    const char* Name;
    std::string Text;
    size_t Start;
    bool Found;
    std::string Expr;
    size_t End;
};

class Brackets : public ::testing::TestWithParam<TBracketCase> {};

TEST_P(Brackets, NestingAndQuotes) {
    const TBracketCase& c = GetParam();
    size_t start = c.Start, end = 0;
    std::string expr;
    ASSERT_EQ(frxGetBrackedVariable(c.Text, "[", "]", start, end, expr), c.Found);
    if (!c.Found) return;
    EXPECT_EQ(expr, c.Expr);
    EXPECT_EQ(end, c.End);
}

INSTANTIATE_TEST_SUITE_P(Memo, Brackets,
                         ::testing::Values(TBracketCase{"plain", "x[a]y", 1, true, "a", 4},
                                           TBracketCase{"nested_taken_whole", "[a[b]c]d", 0, true, "a[b]c", 7},
                                           TBracketCase{"double_quotes", "[a \"]\" b]", 0, true, "a \"]\" b", 9},
                                           TBracketCase{"single_quotes", "[a ']' b]", 0, true, "a ']' b", 9},
                                           TBracketCase{"single_inside_double", "[\"it's\"]", 0, true, "\"it's\"", 8},
                                           TBracketCase{"no_opening_at_start", "x[a]", 0, false, "", 0},
                                           TBracketCase{"unclosed", "[abc", 0, true, "abc", 4}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MemoFixture, CompileErrorsAreTheReportsAndStopThePrinting) {
    memo->Memo()->SetText("[A +]");
    report.CurObject = "Memo1";
    memo->BeforePrint();
    EXPECT_THROW(memo->GetData(), Exception);
    memo->AfterPrint();
    ASSERT_EQ(report.Errors()->Count(), 1);
    EXPECT_EQ((*report.Errors())[0].rfind("Memo1: ", 0), 0u) << (*report.Errors())[0];
    EXPECT_EQ(Lines(*memo), "[A +]");
}

TEST_F(MemoFixture, TagAndLinkTextsHoldValuesOnlyWhilePrinting) {
    memo->SetTagStr("ID:[A]");
    memo->SetURL("http://host/[A + 1]");
    memo->BeforePrint();
    memo->GetData();
    EXPECT_EQ(memo->TagStr(), "ID:5");
    EXPECT_EQ(memo->URL(), "http://host/6");
    memo->AfterPrint();
    EXPECT_EQ(memo->TagStr(), "ID:[A]");
    EXPECT_EQ(memo->URL(), "http://host/[A + 1]");
}

TEST_F(MemoFixture, SuppressRepeatedPrintsEqualValuesOnce) {
    memo->Memo()->SetText("[A]");
    memo->SuppressRepeated = true;
    std::vector<std::string> printed;
    for (int i = 0; i < 3; ++i) printed.push_back(Print(memo));
    report.SetScriptVariable("A", Variant(6));
    printed.push_back(Print(memo));
    memo->ResetSuppress();
    printed.push_back(Print(memo));
    EXPECT_EQ(printed, (std::vector<std::string>{"5", "", "", "6", "6"}));
}

TEST_F(MemoFixture, HighlightFollowsItsConditionAndLendsItsColour) {
    memo->Memo()->Clear();
    memo->Highlight()->Condition = "A > 3";
    memo->Highlight()->Color = clBlue;
    TBitmap bitmap(120, 80);
    memo->BeforePrint();
    memo->GetData();
    EXPECT_TRUE(memo->Highlight()->Active);
    memo->Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(bitmap.Pixel(50, 25), clBlue);
    EXPECT_EQ(memo->Color(), clNone) << "the memo's own colour comes back";
    memo->AfterPrint();

    report.SetScriptVariable("A", Variant(2));
    memo->GetData();
    EXPECT_FALSE(memo->Highlight()->Active);
}

// --- Bound memos and formats ----------------------------------------------------------

class BoundMemo : public MemoFixture {
protected:
    BoundMemo() {
        ds = new TfrxUserDataSet(nullptr);
        ds->SetUserName("Fees");
        ds->OnGetValue = [](const std::string& Field, Variant& Value) {
            if (Field == "Amount") Value = Variant(12.5);
            else if (Field == "Zero") Value = Variant(0);
            else if (Field == "ZeroText") Value = Variant("0");
        };
        memo->SetDataSet(ds);
    }
    ~BoundMemo() override { delete ds; }
    TfrxUserDataSet* ds;
};

TEST_F(BoundMemo, FieldTextsAndFormats) {
    memo->Memo()->SetText("template [A]");
    memo->DataField = "Amount";
    EXPECT_EQ(memo->DataSetName(), "Fees");
    EXPECT_EQ(Print(memo), "12.5");
    memo->DisplayFormat()->Kind = fkNumeric;
    memo->DisplayFormat()->FormatStr = "%2.2f";
    EXPECT_EQ(Print(memo), "12.50");
    EXPECT_EQ(Lines(*memo), "12.50") << "a bound memo keeps the field's text";

    memo->HideZeros = true;
    memo->DisplayFormat()->Kind = fkText;
    memo->DataField = "Zero";
    EXPECT_EQ(Print(memo), "");
    memo->DataField = "ZeroText";
    EXPECT_EQ(Print(memo), "0");
}

TEST_F(BoundMemo, RemovedDataSetIsForgotten) {
    memo->DataField = "Amount";
    ASSERT_TRUE(memo->IsDataField());
    delete ds;
    ds = nullptr;
    EXPECT_EQ(memo->DataSet(), nullptr);
    EXPECT_FALSE(memo->IsDataField());
    EXPECT_EQ(memo->DataSetName(), "Fees") << "the name stays for a later look-up";
}

struct TFormatCase {
    const char* Name;
    TfrxFormatKind Kind;
    std::string FormatStr;
    std::string Separator;
    Variant Value;
    std::string Expected;
};

class DisplayFormats : public MemoFixture, public ::testing::WithParamInterface<TFormatCase> {};

TEST_P(DisplayFormats, FormatData) {
    const TFormatCase& c = GetParam();
    TfrxFormat f;
    f.Kind = c.Kind;
    f.FormatStr = c.FormatStr;
    f.DecimalSeparator = c.Separator;
    EXPECT_EQ(memo->FormatData(c.Value, &f), c.Expected);
    EXPECT_EQ(FormatSettings.DecimalSeparator, '.') << "the separator is put back";
}

INSTANTIATE_TEST_SUITE_P(
    Memo, DisplayFormats,
    ::testing::Values(
        TFormatCase{"null_is_empty", fkNumeric, "%2.2f", "", Variant::Null(), ""},
        TFormatCase{"text", fkText, "", "", Variant(12.5), "12.5"},
        TFormatCase{"printf_float", fkNumeric, "%2.2f", "", Variant(1234.5), "1234.50"},
        TFormatCase{"printf_of_integer_as_float", fkNumeric, "%.1f", "", Variant(7), "7.0"},
        TFormatCase{"printf_half_away_from_zero", fkNumeric, "%.2f", "", Variant(1.125), "1.13"},
        TFormatCase{"picture_with_grouping", fkNumeric, "#,##0.00", "", Variant(1234.5), "1,234.50"},
        TFormatCase{"separator_of_the_format", fkNumeric, "%2.2f", ",", Variant(1.5), "1,50"},
        TFormatCase{"long_separator_ignored", fkNumeric, "%2.2f", ",,", Variant(1.5), "1.50"},
        TFormatCase{"numeric_text_number", fkNumeric, "%2.2f", "", Variant("3.5"), "3.50"},
        TFormatCase{"text_number_under_another_separator", fkNumeric, "%2.2f", ",", Variant("3.5"), "3,50"},
        TFormatCase{"not_a_number_gives_its_text", fkNumeric, "%2.2f", "", Variant("abc"), "abc"},
        TFormatCase{"bad_printf_gives_plain_text", fkNumeric, "%d", "", Variant(2.5), "2.5"},
        TFormatCase{"date_picture", fkDateTime, "yyyy'年'm'月'd'日'", "",
                    Variant::FromDate(EncodeDate(2024, 3, 9)), "2024年3月9日"},
        TFormatCase{"date_of_number", fkDateTime, "yyyy-mm-dd", "", Variant(45296.0), "2024-01-05"},
        TFormatCase{"boolean_true", fkBoolean, "是,否", "", Variant(true), "是"},
        TFormatCase{"boolean_false", fkBoolean, "是,否", "", Variant(false), "否"},
        TFormatCase{"boolean_without_comma", fkBoolean, "Yes", "", Variant(false), ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Values on every printing ---------------------------------------------------------

// A text, integer or float shown as plain text goes into the printed text without
// FormatData; every kind under every format prints what FormatData makes of the value the
// memo computed.
struct TValueCase {
    const char* Name;
    Variant Value;
};

class PrintedValues : public MemoFixture, public ::testing::WithParamInterface<TValueCase> {};

TEST_P(PrintedValues, AreFormatDataOfTheValue) {
    const TValueCase& c = GetParam();
    report.SetScriptVariable("V", c.Value);
    struct TShown {
        const char* Text;
        TfrxFormatKind Kind;       // the format in force: the display format or the suffix's
        const char* FormatStr;
        bool Suffix;
    };
    const TShown shown[] = {{"[V]", fkText, "", false},           {"[V]", fkNumeric, "%2.2f", false},
                            {"[V]", fkDateTime, "yyyy-mm-dd", false}, {"[V]", fkBoolean, "yes,no", false},
                            {"<[V #N#0.0]>", fkNumeric, "#0.0", true}, {"[V #Sx]", fkText, "x", true}};
    for (const TShown& f : shown) {
        TfrxFormat format;
        format.Kind = f.Kind;
        format.FormatStr = f.FormatStr;
        memo->Memo()->SetText(f.Text);
        memo->DisplayFormat()->Kind = f.Suffix ? fkNumeric : f.Kind;
        memo->DisplayFormat()->FormatStr = f.Suffix ? "%2.2f" : f.FormatStr;
        const std::string printed = Print(memo);
        ASSERT_EQ(memo->Value().Kind(), c.Value.Kind()) << "the value reaches the memo as it is";
        const std::string value = memo->FormatData(memo->Value(), &format);
        EXPECT_EQ(printed, f.Text[0] == '<' ? "<" + value + ">" : value) << f.Text << " " << f.FormatStr;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Memo, PrintedValues,
    ::testing::Values(TValueCase{"text", Variant("abc")}, TValueCase{"empty_text", Variant("")},
                      TValueCase{"long_text", Variant(std::string(40, 'x'))}, TValueCase{"chinese", Variant("金额")},
                      TValueCase{"number_text", Variant("3.5")}, TValueCase{"integer", Variant(42)},
                      TValueCase{"negative", Variant(-7)}, TValueCase{"zero", Variant(0)},
                      TValueCase{"smallint", Variant::FromSmallInt(-300)}, TValueCase{"shortint", Variant::FromShortInt(-5)},
                      TValueCase{"byte", Variant::FromByte(200)}, TValueCase{"word", Variant::FromWord(65535)},
                      TValueCase{"longword", Variant::FromLongWord(4000000000u)},
                      TValueCase{"int64_max", Variant::FromInt64(INT64_MAX)},
                      TValueCase{"int64_min", Variant::FromInt64(INT64_MIN)}, TValueCase{"few_decimals", Variant(12.5)},
                      TValueCase{"third", Variant(1.0 / 3)}, TValueCase{"large_float", Variant(1e20)},
                      TValueCase{"tiny_float", Variant(-0.00001)}, TValueCase{"float_zero", Variant(0.0)},
                      TValueCase{"single", Variant::FromSingle(1.5f)}, TValueCase{"currency", Variant::FromCurrency(123450)},
                      TValueCase{"date", Variant::FromDate(EncodeDate(2024, 1, 5))}, TValueCase{"true", Variant(true)},
                      TValueCase{"false", Variant(false)}, TValueCase{"null", Variant::Null()}),
    [](const auto& info) { return std::string(info.param.Name); });

// A memo keeps where the report's name table holds each of its expressions. What a name
// means is found again when the datasets, the system variables or the report change, and
// when the table was emptied: the memo prints what a new memo with its text prints.
class KeptNames : public MemoFixture {
public:
    KeptNames() {
        fees = AddDataSet(report, "Fees", 1);
        other = AddDataSet(report, "Other", 2);
        AddDataSet(second, "Fees", 3);
    }
    void NothingChanges() {}
    void RenameDataSets() {
        fees->SetUserName("Old");
        other->SetUserName("Fees");
    }
    void MoveToSecondReport() { memo->SetParent(&second); }
    void ExchangeSystemVariables() { report.SysVariables()->Exchange(0, 6); }
    // More names than the table keeps, then one more that may take the freed place.
    void EmptyNameTable() {
        Variant v;
        for (int i = 0; i < 5000; ++i) report.DoGetValue("N" + std::to_string(i), v);
        EXPECT_EQ(report.Calc("Other.\"Amount\"").AsInteger(), 2);
    }

protected:
    static TfrxUserDataSet* AddDataSet(TfrxReport& Report, const std::string& Name, int Amount) {
        auto* ds = new TfrxUserDataSet(&Report);
        ds->SetUserName(Name);
        ds->OnGetValue = [Amount](const std::string& Field, Variant& Value) {
            if (Field == "Amount") Value = Variant(Amount);
        };
        Report.DataSets()->Add(ds);
        return ds;
    }
    TfrxReport second{nullptr};
    TfrxUserDataSet* fees = nullptr;
    TfrxUserDataSet* other = nullptr;
};

// A memo reads a dataset field straight through its kept entry; the value is the one the
// report's own look-up gives, Null converted by the field's type when the options say so.
TEST_F(KeptNames, FieldsAreTheLookUpsValues) {
    fees->OnGetValue = [](const std::string& Field, Variant& Value) {
        if (Field == "Text") Value = Variant("abc");
        else if (Field == "Number") Value = Variant(12.5);
        else if (Field == "Integer") Value = Variant(7);
    };
    for (const bool convertNulls : {false, true}) {
        report.EngineOptions()->ConvertNulls = convertNulls;
        for (const char* field : {"Text", "Number", "Integer", "Missing"}) {
            const std::string expr = std::string("Fees.\"") + field + "\"";
            memo->Memo()->SetText("[" + expr + "]");
            const std::string printed = Print(memo);
            const Variant expected = report.Calc(expr);
            EXPECT_EQ(memo->Value().Kind(), expected.Kind()) << expr << " " << convertNulls;
            EXPECT_EQ(printed, VarToStr(expected)) << expr << " " << convertNulls;
        }
    }
}

// A memo keeps the report its expressions go to while no parent link anywhere changed: a
// page moved with the memo on it takes the memo to the other report, or out of any.
TEST_F(KeptNames, ReportFollowsTheMemosAncestors) {
    auto* page = new TfrxReportPage(&report);
    memo->SetParent(page);
    memo->Memo()->SetText("[Fees.\"Amount\"]");
    EXPECT_EQ(Print(memo), "1");
    page->SetParent(&second);
    EXPECT_EQ(Print(memo), "3");
    page->SetParent(nullptr);
    EXPECT_EQ(Print(memo), "") << "outside a report the value is Null";
    page->SetParent(&report);
    EXPECT_EQ(Print(memo), "1");
}

// A system variable is read at once through the kept entry as well; while the engine
// counts its lines the memo prints what the report's look-up gives.
TEST_F(KeptNames, SystemVariablesAreTheLookUpsValues) {
    ASSERT_NE(report.Engine(), nullptr);
    for (const int line : {1, 7, 12}) {
        report.Engine()->CurLine = line;
        report.Engine()->CurLineThrough = line + 100;
        report.Engine()->TotalPages = line + 2;
        for (const char* name : {"Line", "Line#", "TotalPages", "Page#", "Date"}) {
            memo->Memo()->SetText(std::string("[") + name + "]");
            const std::string printed = Print(memo);
            Variant expected;
            ASSERT_TRUE(report.DoGetValue(name, expected));
            EXPECT_EQ(memo->Value().Kind(), expected.Kind()) << name;
            EXPECT_EQ(printed, VarToStr(expected)) << name << " " << line;
        }
    }
}

struct TNameChange {
    const char* Name;
    std::string Text;
    void (KeptNames::*Change)();
    bool MeaningChanges;
};

class KeptNameChanges : public KeptNames, public ::testing::WithParamInterface<TNameChange> {};

TEST_P(KeptNameChanges, PrintAsANewMemo) {
    const TNameChange& c = GetParam();
    memo->Memo()->SetText(c.Text);
    const std::string before = Print(memo);
    EXPECT_EQ(Print(memo), before);
    (this->*c.Change)();
    // The kept memo first: the new one's look-up would bring the shared entry up to date.
    const std::string kept = Print(memo);
    TfrxMemoView fresh(memo->Parent());
    fresh.Memo()->SetText(c.Text);
    const std::string expected = Print(&fresh);
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(Print(memo), expected);
    if (c.MeaningChanges) EXPECT_NE(expected, before);
    else EXPECT_EQ(expected, before);
}

INSTANTIATE_TEST_SUITE_P(
    Memo, KeptNameChanges,
    ::testing::Values(TNameChange{"nothing_changed", "[Fees.\"Amount\"]", &KeptNames::NothingChanges, false},
                      TNameChange{"datasets_renamed", "[Fees.\"Amount\"]", &KeptNames::RenameDataSets, true},
                      TNameChange{"moved_to_another_report", "[Fees.\"Amount\"]", &KeptNames::MoveToSecondReport, true},
                      TNameChange{"system_variables_exchanged", "[Line]", &KeptNames::ExchangeSystemVariables, true},
                      TNameChange{"name_table_emptied", "[Fees.\"Amount\"]", &KeptNames::EmptyNameTable, false}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Styles, page counts, rotation ----------------------------------------------------

TEST_F(MemoFixture, StyleGivesColourFontAndFrame) {
    TfrxStyleItem* item = report.Styles()->Add();
    item->SetName("Title");
    item->SetColor(clYellow);
    item->Font()->SetName("宋体");
    item->Font()->SetSize(14);
    item->Frame()->Typ = {ftLeft, ftBottom};
    memo->SetStyle("title");
    EXPECT_EQ(memo->Style(), "title");
    EXPECT_EQ(memo->Color(), clYellow);
    EXPECT_EQ(memo->Font()->Name(), "宋体");
    EXPECT_EQ(memo->Font()->Size(), 14);
    EXPECT_FALSE(memo->ParentFont());
    EXPECT_EQ(memo->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftBottom}));

    // Applying the set again after a change reaches the memo.
    item->SetColor(clAqua);
    report.Styles()->Apply();
    EXPECT_EQ(memo->Color(), clAqua);

    memo->SetStyle("Missing");
    EXPECT_EQ(memo->Style(), "Missing");
    EXPECT_EQ(memo->Color(), clAqua);
}

TEST_F(MemoFixture, TotalPagesAreFilledInLate) {
    memo->Memo()->SetText("Page [TOTALPAGES] of [TotalPages#] [totalpages#]");
    memo->TotalPages = 7;
    EXPECT_EQ(memo->GetComponentText(), "Page 7 of [TotalPages#] [totalpages#]\r\n");
    TBitmap bitmap(120, 80);
    memo->Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(Lines(*memo), "Page [TOTALPAGES] of 7 [totalpages#]") << "only the first one";

    // Where the tag stands among the lines and brackets, and texts that only look like it.
    struct TCase {
        const char* Text;
        const char* Drawn;
    };
    const TCase cases[] = {
        {"first\r\nof [tOtAlPaGeS#]", "first|of 7"},
        {"[[TotalPages#]]", "[7]"},
        {"[TotalPages] [TotalPages#", "[TotalPages] [TotalPages#"},
        {"[TotalPages#", "[TotalPages#"},
        {"x[TOTALPAGES#]", "x7"},
        {"[", "["},
    };
    for (const TCase& c : cases) {
        memo->Memo()->SetText(c.Text);
        memo->Draw(bitmap.Canvas(), 1, 1, 0, 0);
        EXPECT_EQ(Lines(*memo), c.Drawn) << c.Text;
    }

    TfrxMemoView designed(nullptr, 0);
    designed.Memo()->SetText("[TotalPages#]");
    designed.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(Lines(designed), "[TotalPages#]") << "the designer shows the expression";
}

TEST(MemoView, RotationIsTakenIntoOneTurn) {
    TfrxMemoView m(nullptr);
    for (auto [in, out] : std::vector<std::pair<int, int>>{{90, 90}, {450, 90}, {-90, 270}, {360, 0}, {-720, 0}}) {
        m.SetRotation(in);
        EXPECT_EQ(m.Rotation(), out) << in;
    }
}

// --- Heights, widths and splits -------------------------------------------------------

struct TStretchCase {
    const char* Name;
    std::string Text;
    double Width;
    std::function<void(TfrxMemoView&)> Setup;
    double Height;
};

class Stretch : public MemoFixture, public ::testing::WithParamInterface<TStretchCase> {};

TEST_P(Stretch, CalcHeight) {
    const TStretchCase& c = GetParam();
    memo->Memo()->SetText(c.Text);
    memo->SetWidth(c.Width);
    if (c.Setup) c.Setup(*memo);
    EXPECT_EQ(memo->CalcHeight(), c.Height);
}

INSTANTIATE_TEST_SUITE_P(
    Memo, Stretch,
    ::testing::Values(
        TStretchCase{"one_line", "abc", 100, nullptr, 23},                 // 21.2 + 2
        TStretchCase{"no_lines", "", 100, nullptr, 2},
        TStretchCase{"three_lines", "a\r\nb\r\nc", 100, nullptr, 66},      // 63.6 + 2
        TStretchCase{"wrapped_at_the_width", "aaaa bbbb cccc dddd", 100, nullptr, 44},
        TStretchCase{"not_wrapped_without_word_wrap", "aaaa bbbb cccc dddd", 100,
                     [](TfrxMemoView& m) { m.WordWrap = false; }, 23},
        TStretchCase{"auto_width_does_not_wrap", "aaaa bbbb cccc dddd", 100,
                     [](TfrxMemoView& m) { m.AutoWidth = true; }, 23},
        TStretchCase{"frame_lines_add_their_halves", "abc", 100,
                     [](TfrxMemoView& m) {
                         m.Frame()->Typ = {ftTop, ftBottom};
                         m.Frame()->Width = 3;
                     },
                     26},   // 21.2 + 2 + 1 + 1.5
        TStretchCase{"shadow_adds_its_width", "abc", 100, [](TfrxMemoView& m) { m.Frame()->DropShadow = true; },
                     27},
        TStretchCase{"line_spacing", "a\r\nb", 100, [](TfrxMemoView& m) { m.LineSpacing = 0; }, 40},   // 38.4 + 2
        TStretchCase{"gaps", "abc", 100, [](TfrxMemoView& m) { m.GapY = 5; }, 31},
        TStretchCase{"highlight_font", "abc", 100,
                     [](TfrxMemoView& m) {
                         m.Highlight()->Active = true;
                         m.Highlight()->Font()->SetSize(24);   // font height 38.4
                     },
                     42}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MemoFixture, CalcWidthIsTheWidestLineWithGaps) {
    memo->Memo()->SetText("aaaaaaaaaa\r\naaaaa");
    EXPECT_EQ(memo->CalcWidth(), 100);   // 600 units = 96 pixels, + 2 * GapX
    memo->Frame()->Typ = {ftLeft, ftRight};
    memo->Frame()->Width = 2;
    EXPECT_EQ(memo->CalcWidth(), 102);   // + 0.5 + 1, rounded to even
}

TEST_F(MemoFixture, DrawPartKeepsWhatFitsAndPassesTheRestOn) {
    memo->Memo()->SetText("l1\r\nl2\r\nl3\r\nl4\r\nl5");
    memo->SetHeight(50);   // the text rectangle is 49 pixels high: two lines fit
    memo->InitPart();
    std::vector<std::string> parts;
    std::vector<double> remaining;
    for (int i = 0; i < 3; ++i) {
        remaining.push_back(memo->DrawPart());
        parts.push_back(Lines(*memo));
    }
    EXPECT_EQ(parts, (std::vector<std::string>{"l1|l2", "l3|l4", "l5"}));
    EXPECT_NEAR(remaining[0], 7.6, 1e-9);
    EXPECT_NEAR(remaining[1], 7.6, 1e-9);
    EXPECT_EQ(memo->PartText(), "");

    // Nothing fits: all of it waits, and the whole height is reported.
    memo->Memo()->SetText("l1\r\nl2");
    memo->SetHeight(10);
    memo->InitPart();
    EXPECT_EQ(memo->DrawPart(), 10);
    EXPECT_EQ(Lines(*memo), "");
    EXPECT_EQ(memo->PartText(), "l1\r\nl2\r\n");
}

TEST_F(MemoFixture, FlowToReceivesTheRestWithoutEvaluatingIt) {
    auto* next = new TfrxMemoView(&report);
    next->SetName("Memo2");
    memo->SetFlowTo(next);
    memo->Memo()->SetText("l1 [A]\r\nl2\r\nl3 [A]\r\nl4\r\nl5");
    memo->BeforePrint();
    memo->GetData();
    EXPECT_EQ(Lines(*memo), "l1 5|l2");
    EXPECT_EQ(Lines(*next), "l3 5|l4|l5");
    EXPECT_FALSE(next->AllowExpressions);
    memo->AfterPrint();

    delete next;
    EXPECT_EQ(memo->FlowTo(), nullptr);
}

struct TAutoWidthCase {
    TfrxHAlign Align;
    double Left;
};

class AutoWidth : public MemoFixture, public ::testing::WithParamInterface<TAutoWidthCase> {};

TEST_P(AutoWidth, KeepsTheEdgeOfItsAlignment) {
    memo->SetBounds(100, 0, 50, 30);
    memo->AutoWidth = true;
    memo->HAlign = GetParam().Align;
    memo->Memo()->SetText("aaaaaaaaaa");   // 96 pixels
    TBitmap bitmap(300, 60);
    memo->Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(memo->Width(), 100);
    EXPECT_EQ(memo->Left(), GetParam().Left);
}

INSTANTIATE_TEST_SUITE_P(Memo, AutoWidth,
                         ::testing::Values(TAutoWidthCase{haLeft, 100}, TAutoWidthCase{haRight, 50},
                                           TAutoWidthCase{haCenter, 75}));

TEST_F(MemoFixture, UnderlinesAtEveryLineHeight) {
    memo->SetBounds(0, 0, 100, 70);
    memo->Underlines = true;
    memo->Frame()->Color = clRed;
    memo->Memo()->Clear();
    TBitmap bitmap(120, 80);
    memo->Draw(bitmap.Canvas(), 1, 1, 0, 0);
    std::vector<int> rows;
    for (int y = 0; y < 80; ++y)
        if (bitmap.Pixel(50, y) == clRed) rows.push_back(y);
    EXPECT_EQ(rows, (std::vector<int>{21, 42, 64}));   // 21.2, 42.4, 63.6 rounded
}

}  // namespace

namespace {

struct TTextRectCase {
    const char* Name;
    TfrxFrameTypes Sides;
    double FrameWidth;
    double Scale;
    TRect Expected;
};

class TextRect : public ::testing::TestWithParam<TTextRectCase> {};

// The text lies inside the frame lines and the gaps (GapX 2, GapY 1); its right and
// bottom edges are inclusive.
TEST_P(TextRect, InsideFrameAndGaps) {
    const TTextRectCase& c = GetParam();
    TfrxMemoView m(nullptr);
    m.SetBounds(10, 10, 100, 40);
    m.Frame()->Typ = c.Sides;
    m.Frame()->Width = c.FrameWidth;
    m.BeginDraw(nullptr, c.Scale, c.Scale, 0, 0);
    EXPECT_EQ(m.TextRect(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Memo, TextRect,
    ::testing::Values(TTextRectCase{"no_frame", {}, 1, 1, Rect(12, 11, 109, 50)},
                      TTextRectCase{"thin_frame_takes_nothing", {ftLeft, ftRight, ftTop, ftBottom}, 1, 1,
                                    Rect(12, 11, 109, 50)},
                      TTextRectCase{"wide_frame", {ftLeft, ftRight, ftTop, ftBottom}, 3, 1, Rect(13, 12, 107, 48)},
                      TTextRectCase{"one_side", {ftLeft}, 4, 1, Rect(14, 11, 109, 50)},   // rnd(1.5) = 2
                      TTextRectCase{"scaled", {ftLeft, ftRight, ftTop, ftBottom}, 1, 2, Rect(24, 22, 216, 98)}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
