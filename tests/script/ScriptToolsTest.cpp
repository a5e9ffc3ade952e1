// Script tools: type compatibility, literals, type names, signatures and positions.
#include "script/ScriptTools.h"

#include "platform/rtl/DateTime.h"
#include "script/Messages.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptTools, TypesCompatibleByLeftType) {
    // Rows: left type; columns: right type, in type-code order
    // (Integer Boolean Extended Char String Class Array Variant Enum Constructor).
    const char* table[kTypeCodeCount] = {
        "1010000110",  // Integer
        "0100000100",  // Boolean
        "1010000100",  // Extended
        "0001100100",  // Char
        "0001100100",  // String
        "0000010100",  // Class (same class)
        "0000001100",  // Array
        "1111111111",  // Variant
        "1000000110",  // Enum (same enumeration)
        "0000000000",  // Constructor
    };
    for (int l = 0; l < kTypeCodeCount; ++l) {
        for (int r = 0; r < kTypeCodeCount; ++r) {
            const TfsTypeRec left{static_cast<uint8_t>(l), "TSame"}, right{static_cast<uint8_t>(r), "TSame"};
            EXPECT_EQ(TypesCompatible(left, right, nullptr), table[l][r] == '1')
                << TypeCodeName(static_cast<uint8_t>(l), "T") << " <- " << TypeCodeName(static_cast<uint8_t>(r), "T");
        }
    }
}

TEST(ScriptTools, ClassesAndEnumerationsByName) {
    auto inherits = [](std::string_view ancestor, std::string_view descendant) {
        return ancestor == descendant || (ancestor == "TComponent" && descendant == "TButton");
    };
    const TfsTypeRec component{tcClass, "TComponent"}, button{tcClass, "TButton"};
    EXPECT_TRUE(TypesCompatible(component, button, inherits));
    EXPECT_FALSE(TypesCompatible(button, component, inherits));
    EXPECT_TRUE(TypesCompatible(component, {tcVariant, ""}, inherits));
    EXPECT_FALSE(TypesCompatible(component, {tcInteger, ""}, inherits));
    EXPECT_TRUE(TypesCompatible({tcEnum, "TAlign"}, {tcEnum, "talign"}, nullptr));
    EXPECT_FALSE(TypesCompatible({tcEnum, "TAlign"}, {tcEnum, "TColor"}, nullptr));
    EXPECT_FALSE(TypesCompatible({tcClass, "TA"}, {tcClass, "TB"}, nullptr));
}

TEST(ScriptTools, AssignmentRefusesFloatIntoInteger) {
    EXPECT_TRUE(TypesCompatible({tcInteger, ""}, {tcExtended, ""}, nullptr));
    EXPECT_FALSE(AssignCompatible({tcInteger, ""}, {tcExtended, ""}, nullptr));
    EXPECT_TRUE(AssignCompatible({tcExtended, ""}, {tcInteger, ""}, nullptr));
    EXPECT_TRUE(AssignCompatible({tcInteger, ""}, {tcEnum, "TAlign"}, nullptr));
    EXPECT_FALSE(AssignCompatible({tcString, ""}, {tcInteger, ""}, nullptr));
}

TEST(ScriptTools, ParseValueOfLiterals) {
    struct {
        const char* text;
        TVarType type;
        const char* value;
    } cases[] = {
        {"'abc'", varString, "abc"},     {"''", varString, ""},          {"'It's'", varString, "It's"},
        {"'中文'", varString, "中文"},     {"$FF", varInt64, "255"},        {"42", varInt64, "42"},
        {"3000000000", varInt64, "3000000000"}, {"-5", varInt64, "-5"},  {"1.5", varDouble, "1.5"},
        {"2.5e3", varDouble, "2500"},    {"1.5e-3", varDouble, "0.0015"},
    };
    for (const auto& c : cases) {
        const Variant v = ParseValue(c.text);
        EXPECT_EQ(VarType(v), c.type) << c.text;
        EXPECT_EQ(v.AsString(), c.value) << c.text;
    }
    EXPECT_TRUE(ParseValue("").IsEmpty());
    EXPECT_THROW(ParseValue("abc"), EConvertError);
    EXPECT_THROW(ParseValue("1.5x"), EConvertError);
    // The decimal separator of literals is "." whatever the format settings say.
    const char saved = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(ParseValue("1.5").AsDouble(), 1.5);
    FormatSettings.DecimalSeparator = saved;
}

TEST(ScriptTools, TypeNames) {
    EXPECT_EQ(TypeCodeName(tcInteger, ""), "Integer");
    EXPECT_EQ(TypeCodeName(tcExtended, ""), "Extended");
    EXPECT_EQ(TypeCodeName(tcClass, "TButton"), "Class TButton");
    EXPECT_EQ(TypeCodeName(tcEnum, "TAlign"), "TAlign");
    EXPECT_EQ(TypeCodeName(tcConstructor, "x"), "Variant");
    struct {
        const char* name;
        uint8_t typ;
    } standard[] = {{"byte", tcInteger}, {"TColor", tcInteger}, {"Cardinal", tcInteger}, {"BOOLEAN", tcBoolean},
                    {"Currency", tcExtended}, {"TDateTime", tcExtended}, {"Char", tcChar}, {"string", tcString},
                    {"Array", tcArray}, {"Pointer", tcVariant}, {"Constructor", tcConstructor}};
    for (const auto& s : standard) {
        uint8_t typ = 99;
        EXPECT_TRUE(StandardTypeCode(s.name, typ)) << s.name;
        EXPECT_EQ(typ, s.typ) << s.name;
    }
    uint8_t typ = 99;
    EXPECT_FALSE(StandardTypeCode("TButton", typ));
    EXPECT_EQ(kStandardTypeCount, 21u);
}

TEST(ScriptTools, PosToPoint) {
    EXPECT_EQ(PosToPoint("12:5"), (TfsPoint{5, 12}));
    EXPECT_EQ(PosToPoint("1:1"), (TfsPoint{1, 1}));
    for (const char* bad : {"", "12", ":5", "a:b", "3:"}) EXPECT_EQ(PosToPoint(bad), (TfsPoint{0, 0})) << bad;
}

std::string Describe(const TfsSignature& s) {
    std::string out = s.IsFunction ? "function " : "procedure ";
    out += s.Name;
    out += '(';
    for (const TfsSignatureParam& p : s.Params) {
        if (p.IsVarParam) out += "var ";
        out += p.Name;
        out += ':';
        out += p.TypeName;
        if (p.HasDefault) {
            out += '=';
            if (p.DefaultIdent.empty()) {
                out += VarToStr(p.DefaultValue);
            } else {
                out += '@';
                out += p.DefaultIdent;
            }
        }
        out += ';';
    }
    out += ')';
    out += s.ResultType;
    return out;
}

TEST(ScriptTools, ParseSignature) {
    struct {
        const char* syntax;
        const char* parsed;
    } cases[] = {
        {"function Copy(s: String; from, count: Integer): String",
         "function Copy(s:String;from:Integer;count:Integer;)String"},
        {"procedure Dec(var i: Integer; decr: Integer = 1)", "procedure Dec(var i:Integer;decr:Integer=1;)"},
        {"procedure P(a, b: Integer = -2; const s: String = 'x y'; c: TColor = clRed)",
         "procedure P(a:Integer;b:Integer=-2;s:String=x y;c:TColor=@clRed;)"},
        {"function Now: TDateTime", "function Now()TDateTime"},
        {"PROCEDURE Beep", "procedure Beep()"},
        {"function F(): Variant", "function F()Variant"},
        {"function F(x: Extended = 1.5): Extended", "function F(x:Extended=1.5;)Extended"},
    };
    for (const auto& c : cases) EXPECT_EQ(Describe(ParseSignature(c.syntax)), c.parsed) << c.syntax;
    const TfsSignature dec = ParseSignature("procedure Dec(var i: Integer; decr: Integer = 1)");
    EXPECT_EQ(VarType(dec.Params[1].DefaultValue), varInt64);
    for (const char* bad : {"", "method X", "function", "procedure P(", "procedure P(a)", "procedure P(a: )",
                            "procedure P(a: Integer", "procedure P(a: Integer = )"}) {
        EXPECT_THROW(ParseSignature(bad), EScriptError) << bad;
    }
}

}  // namespace
