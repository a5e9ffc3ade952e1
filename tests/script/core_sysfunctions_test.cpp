// The system function library against tables of expected texts.
#include "core_helpers.h"

#include "platform/rtl/DateTime.h"
#include "script/ClassVariables.h"

#include <gtest/gtest.h>

namespace {

struct FunctionCase {
    const char* Name;
    const char* Expression;
    const char* Expected;
};

class SystemFunctionTest : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(SystemFunctionTest, Evaluates) {
    TfsScript script;
    EXPECT_EQ(VarToStr(script.Evaluate(GetParam().Expression)), GetParam().Expected) << GetParam().Expression;
}

const FunctionCase kFunctions[] = {
    // Conversion
    {"IntToStr", "IntToStr(42) + '!'", "42!"},
    {"IntToStrOf64Bits", "IntToStr(3000000000)", "3000000000"},
    {"FloatToStrShortest", "FloatToStr(100 - 97.3)", "2.7"},
    {"StrToInt", "StrToInt(' 12') + 1", "13"},
    {"StrToFloat", "StrToFloat('1.5') * 2", "3"},
    {"DateToStr", "DateToStr(EncodeDate(2024, 3, 5))", "2024-3-5"},
    {"TimeToStr", "TimeToStr(EncodeTime(9, 5, 7, 0))", "9:05:07"},
    {"StrToDateRoundTrip", "FloatToStr(StrToDate('2024-1-1'))", "45292"},
    {"VarToStrOfNull", "'[' + VarToStr(Null) + ']'", "[]"},
    // Formatting
    {"Format", "Format('%d|%5s|%-5s|%.3f|%x', [42, 'ab', 'cd', 2.5, 255])", "42|   ab|cd   |2.500|FF"},
    {"FormatInt64", "Format('%d', [3000000000])", "3000000000"},
    {"FormatZeroPadded", "Format('%.3d', [5])", "005"},
    {"FormatFloatGrouping", "FormatFloat('#,##0.00', 1234.5)", "1,234.50"},
    {"FormatFloatExponent", "FormatFloat('0.0E+00', 12345)", "1.2E+04"},
    {"FormatFloatSections", "FormatFloat('0.0;(0.0);zero', -2)", "(2.0)"},
    {"FormatDateTime", "FormatDateTime('yyyy-mm-dd hh:nn:ss', EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 9, 0))",
     "2024-02-29 13:05:09"},
    {"FormatDateTimeDayName", "FormatDateTime('dddd', EncodeDate(2024, 1, 1))", "星期一"},
    {"FormatMaskText", "FormatMaskText('000-0000;0;_', '1234567')", "123-4567"},
    // Dates
    {"EncodeDateIsDayNumber", "FloatToStr(EncodeDate(2024, 1, 1))", "45292"},
    {"DayOfWeekSundayIsOne", "DayOfWeek(EncodeDate(2024, 1, 7))", "1"},
    {"IsLeapYear", "IsLeapYear(2000) and not IsLeapYear(1900)", "True"},
    {"DaysInMonthLeap", "DaysInMonth(2000, 2)", "29"},
    {"DaysInMonthCentury", "DaysInMonth(1900, 2)", "28"},
    {"DaysInMonthApril", "DaysInMonth(2023, 4)", "30"},
    // Strings (characters, not bytes)
    {"LengthCountsCharacters", "Length('中文ab')", "4"},
    {"Copy", "Copy('abcdef', 2, 3)", "bcd"},
    {"CopyPastTheEnd", "Copy('abc', 2, 10)", "bc"},
    {"PosAbsent", "Pos('z', 'abc')", "0"},
    {"Pos", "Pos('文', '中文')", "2"},
    {"Uppercase", "Uppercase('abc中')", "ABC中"},
    {"Lowercase", "Lowercase('ABC')", "abc"},
    {"Trim", "'[' + Trim('  x y  ') + ']'", "[x y]"},
    {"NameCase", "NameCase('hello wORLD')", "Hello World"},
    {"CompareText", "CompareText('ABC', 'abc')", "0"},
    {"CompareTextOrder", "CompareText('abc', 'ABD') < 0", "True"},
    {"Chr", "Chr(65) + Chr(20013)", "A中"},
    {"Ord", "Ord('a')", "97"},
    // Mathematics
    {"RoundHalfToEven", "IntToStr(Round(2.5)) + IntToStr(Round(3.5)) + IntToStr(Round(-2.5))", "24-2"},
    {"Trunc", "Trunc(-1.7)", "-1"},
    {"IntIsFloat", "VarType(Int(2.7)) * 10 + Int(2.7)", "52"},
    {"Frac", "Frac(2.25)", "0.25"},
    {"Sqrt", "Sqrt(16)", "4"},
    {"Abs", "Abs(-3.5)", "3.5"},
    {"Pi", "Pi", "3.14159265358979"},
    {"Trigonometry", "Round(Sin(Pi / 2) * 100 + Cos(0) + Tan(0) + ArcTan(0))", "101"},
    {"ExpLn", "Round(Ln(Exp(3)))", "3"},
    // Other
    {"ValidIntRejectsJunk", "ValidInt('12a')", "False"},
    {"ValidInt", "ValidInt('-12')", "True"},
    {"ValidFloat", "ValidFloat('1.5')", "True"},
    {"ValidDate", "ValidDate('2024-2-30')", "False"},
    {"VarArrayCreate", "VarType(VarArrayCreate([0, 2], varVariant))", "8204"},
    {"VarTypeConstants", "varString + varArray + varByRef + varTypeMask", "28927"},
    {"RandomInUnitInterval", "(Random >= 0) and (Random < 1)", "True"},
};

INSTANTIATE_TEST_SUITE_P(Core, SystemFunctionTest, ::testing::ValuesIn(kFunctions),
                         [](const auto& info) { return std::string(info.param.Name); });

// Format takes whole strings (no cut at 255 characters) and every integer kind.
TEST(SystemFunctions, FormatTakesLongStringsAndWideIntegers) {
    const std::string longText(300, 'x');
    TfsScript script;
    EXPECT_EQ(VarToStr(script.Evaluate("Length(Format('%s|%d', ['" + longText + "', 3000000000 * 2]))")), "311");
}

// A Boolean argument is no number and no text: every directive refuses it.
TEST(SystemFunctions, FormatRefusesABoolean) {
    for (const char* directive : {"%d", "%s", "%x"}) {
        TestScript t;
        EXPECT_EQ(t.Run(std::string("begin Out(Format('") + directive + "', [True])) end."),
                  std::string("error: Format '") + directive + "' invalid or incompatible with argument")
            << directive;
    }
}

// Procedures that write their var arguments back into the script's variables.
TEST(SystemProcedures, WriteVarArgumentsBack) {
    TestScript t;
    EXPECT_EQ(t.Run("var y, m, d, h, n, s, ms: Integer; str: String; i: Integer; v: Variant;\n"
                    "begin\n"
                    "  DecodeDate(EncodeDate(2024, 2, 29), y, m, d); Out(y); Out(m); Out(d);\n"
                    "  DecodeTime(EncodeTime(13, 5, 9, 250), h, n, s, ms); Out(h); Out(n); Out(s); Out(ms);\n"
                    "  str := 'abcdef'; Delete(str, 2, 3); Out(str); Insert('XY', str, 2); Out(str);\n"
                    "  SetLength(str, 2); Out(str);\n"
                    "  i := 5; Inc(i); Inc(i, 10); Dec(i, 3); Dec(i); Out(i);\n"
                    "  v := VarArrayCreate([0, 1], varVariant); SetLength(v, 4); v[4] := 'last'; Out(v[4])\n"
                    "end."),
              "2024 2 29 13 5 9 250 aef aXYef aX 12 last");
}

TEST(SystemProcedures, ErrorsRaiseAndAreCaught) {
    struct Case {
        const char* Statement;
        const char* Message;
    } cases[] = {
        {"Out(Ord(''))", "Range check error"},
        {"Out(DaysInMonth(2000, 13))", "Month 13 is out of range 1..12"},
        {"Out(StrToInt('x'))", "'x' 不是有效的整数"},
        {"Out(StrToFloat('1,5'))", "'1,5' 不是有效的浮点数"},
        {"RaiseException('stop here')", "stop here"},
        {"Out(CreateOleObject('Excel.Application'))", "OLE error 800401F3: Excel.Application"},
    };
    for (const Case& c : cases) {
        TestScript t;
        EXPECT_EQ(t.Run(std::string("begin ") + c.Statement + " end."), std::string("error: ") + c.Message)
            << c.Statement;
        EXPECT_EQ(t.Run(std::string("begin try ") + c.Statement + " except Out('caught') end end."), "caught");
    }
}

TEST(SystemProcedures, ShowMessageGoesToTheHandler) {
    std::vector<std::string> shown;
    SetShowMessageHandler([&shown](const std::string& text) { shown.push_back(text); });
    TestScript t;
    EXPECT_EQ(t.Run("begin ShowMessage(1 + 2); ShowMessage('done') end."), "");
    SetShowMessageHandler(nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"3", "done"}));
}

TEST(SystemProcedures, DateAndTimeFollowTheClock) {
    SetClock([] { return EncodeDate(2024, 5, 6) + EncodeTime(7, 8, 9, 0); });
    TfsScript script;
    EXPECT_EQ(VarToStr(script.Evaluate("FormatDateTime('yyyy-mm-dd', Date) + ' ' + FormatDateTime('hh:nn', Time)")),
              "2024-05-06 07:08");
    EXPECT_EQ(VarToStr(script.Evaluate("FloatToStr(Now - Date - Time)")), "0");
    SetClock(nullptr);
}

// Every function is registered in the global unit under its category, with its text.
TEST(SystemProcedures, RegisteredWithCategoriesAndDeclarationTexts) {
    TfsScript* unit = GlobalUnit();
    struct Case {
        const char* Name;
        const char* Category;
        const char* Syntax;
    } cases[] = {
        {"Format", "ctFormat", "function Format(Fmt: String; Args: array): String"},
        {"DecodeDate", "ctDate", "procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)"},
        {"VarToStr", "ctOther", "function VarToStr(v: Variant): String"},
        {"Insert", "ctString", "procedure Insert(s: String; var s2: String; pos: Integer): String"},
        {"Int", "ctMath", "function Int(e: Extended): Integer"},
        {"StrToDate", "ctConv", "function StrToDate(s: String): Extended"},
    };
    for (const Case& c : cases) {
        auto* item = unit->FindLocal(c.Name);
        ASSERT_NE(item, nullptr) << c.Name;
        ASSERT_EQ(item->Kind(), TfsItemKind::Helper);
        auto* m = static_cast<TfsMethodHelper*>(item);
        EXPECT_EQ(m->Category, c.Category) << c.Name;
        EXPECT_EQ(m->Syntax, c.Syntax) << c.Name;
        EXPECT_EQ(m->Description, c.Name);
    }
    EXPECT_EQ(VarToStr(unit->Variables("varByRef")), "16384");
}

}  // namespace
