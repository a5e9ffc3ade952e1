// The system function library.
#include "script/SysFunctions.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/MaskText.h"
#include "platform/rtl/StrUtils.h"
#include "script/Expressions.h"
#include "script/Script.h"

#include <chrono>
#include <cmath>
#include <iostream>
#include <random>

namespace {

std::function<void(const std::string&)> gShowMessage;
std::function<Variant(const std::string&)> gCreateOleObject;

std::mt19937_64& RandomGenerator() {
    static std::mt19937_64 generator(0x5EED);
    return generator;
}

using P = TfsParams;

std::string Str(const Variant& v) { return v.IsString() ? v.StrValue() : VarToStr(v); }

// A floating result that is no number (sqrt(-1), ln(0)) is an error, not a NaN in the data.
double Checked(double value) {
    if (std::isnan(value) || std::isinf(value)) throw EMathError("Invalid floating point operation");
    return value;
}

// Format's arguments: every integer kind with its value, full strings (not cut at 255
// characters: a longer text would be lost), floats, Booleans as Booleans (which every
// directive refuses with the conversion error); only what is neither number nor text
// passes as 0.
std::vector<FormatArg> FormatArgs(const Variant& args) {
    std::vector<FormatArg> result;
    auto add = [&result](const Variant& v) {
        if (v.IsInteger()) result.emplace_back(static_cast<long long>(v.IntValue()));
        else if (v.IsBoolean()) result.push_back(FormatArg::Boolean(v.BoolValue()));
        else if (v.IsString()) result.emplace_back(v.StrValue());
        else if (v.IsNumeric()) result.emplace_back(v.AsDouble());
        else if (v.IsObject()) result.emplace_back(static_cast<long long>(v.ObjectValue()));
        else result.emplace_back(0);
    };
    if (!args.IsArray()) {
        if (!args.IsEmpty() && !args.IsNull()) add(args);
        return result;
    }
    if (VarArrayDimCount(args) != 1) return result;
    for (int32_t i = VarArrayLowBound(args, 1), hi = VarArrayHighBound(args, 1); i <= hi; ++i) add(args.GetElement({i}));
    return result;
}

struct Function {
    const char* Syntax;
    const char* Category;
    Variant (*Call)(P& p);
};

// ORDER: the registration order is the order the designer's function tree lists them.
const Function kFunctions[] = {
    // Conversion
    {"function IntToStr(i: Integer): String", "ctConv", [](P& p) { return Variant(IntToStr(p[0].AsInt64())); }},
    {"function FloatToStr(e: Extended): String", "ctConv", [](P& p) { return Variant(FloatToStr(p[0].AsDouble())); }},
    {"function DateToStr(e: Extended): String", "ctConv", [](P& p) { return Variant(DateToStr(p[0].AsDouble())); }},
    {"function TimeToStr(e: Extended): String", "ctConv", [](P& p) { return Variant(TimeToStr(p[0].AsDouble())); }},
    {"function DateTimeToStr(e: Extended): String", "ctConv",
     [](P& p) { return Variant(DateTimeToStr(p[0].AsDouble())); }},
    {"function VarToStr(v: Variant): String", "ctOther", [](P& p) { return Variant(VarToStr(p[0])); }},
    {"function StrToInt(s: String): Integer", "ctConv", [](P& p) { return Variant(StrToInt(Str(p[0]))); }},
    {"function StrToFloat(s: String): Extended", "ctConv", [](P& p) { return Variant(StrToFloat(Str(p[0]))); }},
    {"function StrToDate(s: String): Extended", "ctConv", [](P& p) { return Variant::FromDate(StrToDate(Str(p[0]))); }},
    {"function StrToTime(s: String): Extended", "ctConv", [](P& p) { return Variant::FromDate(StrToTime(Str(p[0]))); }},
    {"function StrToDateTime(s: String): Extended", "ctConv",
     [](P& p) { return Variant::FromDate(StrToDateTime(Str(p[0]))); }},
    // Formatting
    {"function Format(Fmt: String; Args: array): String", "ctFormat",
     [](P& p) { return Variant(Format(Str(p[0]), FormatArgs(p[1]))); }},
    {"function FormatFloat(Fmt: String; Value: Extended): String", "ctFormat",
     [](P& p) { return Variant(FormatFloat(Str(p[0]), p[1].AsDouble())); }},
    {"function FormatDateTime(Fmt: String; DateTime: TDateTime): String", "ctFormat",
     [](P& p) { return Variant(FormatDateTime(Str(p[0]), p[1].AsDateTime())); }},
    {"function FormatMaskText(EditMask: string; Value: string): string", "ctFormat",
     [](P& p) { return Variant(FormatMaskText(Str(p[0]), Str(p[1]))); }},
    // Dates and times
    {"function EncodeDate(Year, Month, Day: Word): TDateTime", "ctDate",
     [](P& p) { return Variant::FromDate(EncodeDate(p[0].AsInteger(), p[1].AsInteger(), p[2].AsInteger())); }},
    {"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)", "ctDate",
     [](P& p) {
         int y, m, d;
         DecodeDate(p[0].AsDateTime(), y, m, d);
         p[1] = Variant(y);
         p[2] = Variant(m);
         p[3] = Variant(d);
         return Variant();
     }},
    {"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", "ctDate",
     [](P& p) {
         return Variant::FromDate(EncodeTime(p[0].AsInteger(), p[1].AsInteger(), p[2].AsInteger(), p[3].AsInteger()));
     }},
    {"procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)", "ctDate",
     [](P& p) {
         int h, m, s, ms;
         DecodeTime(p[0].AsDateTime(), h, m, s, ms);
         p[1] = Variant(h);
         p[2] = Variant(m);
         p[3] = Variant(s);
         p[4] = Variant(ms);
         return Variant();
     }},
    {"function Date: TDateTime", "ctDate", [](P&) { return Variant::FromDate(Date()); }},
    {"function Time: TDateTime", "ctDate", [](P&) { return Variant::FromDate(Time()); }},
    {"function Now: TDateTime", "ctDate", [](P&) { return Variant::FromDate(Now()); }},
    {"function DayOfWeek(aDate: TDateTime): Integer", "ctDate", [](P& p) { return Variant(DayOfWeek(p[0].AsDateTime())); }},
    {"function IsLeapYear(Year: Word): Boolean", "ctDate", [](P& p) { return Variant(IsLeapYear(p[0].AsInteger())); }},
    {"function DaysInMonth(nYear, nMonth: Integer): Integer", "ctDate",
     [](P& p) {
         const int month = p[1].AsInteger();
         if (month < 1 || month > 12) throw ERangeError(Format("Month %d is out of range 1..12", {month}));
         return Variant(DaysInAMonth(p[0].AsInteger(), month));
     }},
    // Strings
    {"function Length(s: String): Integer", "ctString", [](P& p) { return Variant(Length(Str(p[0]))); }},
    {"function Copy(s: String; from, count: Integer): String", "ctString",
     [](P& p) { return Variant(Copy(Str(p[0]), p[1].AsInteger(), p[2].AsInteger())); }},
    {"function Pos(substr, s: String): Integer", "ctString", [](P& p) { return Variant(Pos(Str(p[0]), Str(p[1]))); }},
    {"procedure Delete(var s: String; from, count: Integer): String", "ctString",
     [](P& p) {
         std::string s = Str(p[0]);
         Delete(s, p[1].AsInteger(), p[2].AsInteger());
         p[0] = Variant(std::move(s));
         return Variant();
     }},
    {"procedure Insert(s: String; var s2: String; pos: Integer): String", "ctString",
     [](P& p) {
         std::string s2 = Str(p[1]);
         Insert(Str(p[0]), s2, p[2].AsInteger());
         p[1] = Variant(std::move(s2));
         return Variant();
     }},
    {"function Uppercase(s: String): String", "ctString", [](P& p) { return Variant(UpperCase(Str(p[0]))); }},
    {"function Lowercase(s: String): String", "ctString", [](P& p) { return Variant(LowerCase(Str(p[0]))); }},
    {"function Trim(s: String): String", "ctString", [](P& p) { return Variant(Trim(Str(p[0]))); }},
    {"function NameCase(s: String): String", "ctString", [](P& p) { return Variant(NameCase(Str(p[0]))); }},
    {"function CompareText(s, s1: String): Integer", "ctString",
     [](P& p) { return Variant(CompareText(Str(p[0]), Str(p[1]))); }},
    {"function Chr(i: Integer): Char", "ctString",
     [](P& p) { return Variant(Chr(static_cast<char32_t>(p[0].AsInteger()))); }},
    {"function Ord(ch: Char): Integer", "ctString",
     [](P& p) {
         const std::string s = Str(p[0]);
         if (s.empty()) throw ERangeError("Range check error");
         return Variant(static_cast<int>(Ord(s)));
     }},
    {"procedure SetLength(var S: Variant; L: Integer)", "ctString",
     [](P& p) {
         const int length = p[1].AsInteger();
         if (p[0].IsArray()) {
             VarArrayRedim(p[0], length);
         } else {
             std::string s = Str(p[0]);
             SetLength(s, length);
             p[0] = Variant(std::move(s));
         }
         return Variant();
     }},
    // Mathematics
    {"function Round(e: Extended): Integer", "ctMath", [](P& p) { return Variant::FromInt(Round(p[0].AsDouble())); }},
    {"function Trunc(e: Extended): Integer", "ctMath", [](P& p) { return Variant::FromInt(Trunc(p[0].AsDouble())); }},
    {"function Int(e: Extended): Integer", "ctMath", [](P& p) { return Variant(std::trunc(p[0].AsDouble())); }},
    {"function Frac(X: Extended): Extended", "ctMath",
     [](P& p) {
         const double x = p[0].AsDouble();
         return Variant(x - std::trunc(x));
     }},
    {"function Sqrt(e: Extended): Extended", "ctMath", [](P& p) { return Variant(Checked(std::sqrt(p[0].AsDouble()))); }},
    {"function Abs(e: Extended): Extended", "ctMath", [](P& p) { return Variant(std::fabs(p[0].AsDouble())); }},
    {"function Sin(e: Extended): Extended", "ctMath", [](P& p) { return Variant(std::sin(p[0].AsDouble())); }},
    {"function Cos(e: Extended): Extended", "ctMath", [](P& p) { return Variant(std::cos(p[0].AsDouble())); }},
    {"function ArcTan(X: Extended): Extended", "ctMath", [](P& p) { return Variant(std::atan(p[0].AsDouble())); }},
    {"function Tan(X: Extended): Extended", "ctMath",
     [](P& p) {
         const double x = p[0].AsDouble();
         return Variant(Checked(std::sin(x) / std::cos(x)));
     }},
    {"function Exp(X: Extended): Extended", "ctMath", [](P& p) { return Variant(Checked(std::exp(p[0].AsDouble()))); }},
    {"function Ln(X: Extended): Extended", "ctMath", [](P& p) { return Variant(Checked(std::log(p[0].AsDouble()))); }},
    {"function Pi: Extended", "ctMath", [](P&) { return Variant(3.14159265358979323846); }},
    // Other
    {"procedure Inc(var i: Integer; incr: Integer = 1)", "ctOther",
     [](P& p) {
         p[0] = fsAdd(p[0], p[1]);
         return Variant();
     }},
    {"procedure Dec(var i: Integer; decr: Integer = 1)", "ctOther",
     [](P& p) {
         p[0] = fsSub(p[0], p[1]);
         return Variant();
     }},
    {"procedure RaiseException(Param: String)", "ctOther", [](P& p) -> Variant { throw Exception(Str(p[0])); }},
    {"procedure ShowMessage(Msg: Variant)", "ctOther",
     [](P& p) {
         const std::string text = VarToStr(p[0]);
         if (gShowMessage) gShowMessage(text);
         else std::cerr << text << '\n';
         return Variant();
     }},
    {"procedure Randomize", "ctOther",
     [](P&) {
         RandomGenerator().seed(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
         return Variant();
     }},
    {"function Random: Extended", "ctOther",
     [](P&) { return Variant(std::uniform_real_distribution<double>(0.0, 1.0)(RandomGenerator())); }},
    {"function ValidInt(cInt: String): Boolean", "ctOther",
     [](P& p) {
         int v;
         return Variant(TryStrToInt(Str(p[0]), v));
     }},
    {"function ValidFloat(cFlt: String): Boolean", "ctOther",
     [](P& p) {
         double v;
         return Variant(TryStrToFloat(Str(p[0]), v));
     }},
    {"function ValidDate(cDate: String): Boolean", "ctOther",
     [](P& p) {
         TDateTime v;
         return Variant(TryStrToDate(Str(p[0]), v));
     }},
    {"function CreateOleObject(ClassName: String): Variant", "ctOther",
     [](P& p) {
         const std::string name = Str(p[0]);
         if (gCreateOleObject) return gCreateOleObject(name);
         throw EOleError("OLE error " + IntToHex(CO_E_CLASSSTRING, 8) + ": " + name);
     }},
    {"function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", "ctOther",
     [](P& p) {
         std::vector<int32_t> bounds;
         if (p[0].IsArray() && VarArrayDimCount(p[0]) == 1)
             for (int32_t i = VarArrayLowBound(p[0], 1), hi = VarArrayHighBound(p[0], 1); i <= hi; ++i)
                 bounds.push_back(p[0].GetElement({i}).AsInteger());
         return VarArrayCreate(bounds, static_cast<TVarType>(p[1].AsInteger()));
     }},
    {"function VarType(V: Variant): Integer", "ctOther", [](P& p) { return Variant(static_cast<int>(VarType(p[0]))); }},
};

struct TypeConstant {
    const char* Name;
    int Value;
};
const TypeConstant kTypeConstants[] = {
    {"varEmpty", varEmpty},       {"varNull", varNull},         {"varSmallint", varSmallint},
    {"varInteger", varInteger},   {"varSingle", varSingle},     {"varDouble", varDouble},
    {"varCurrency", varCurrency}, {"varDate", varDate},         {"varOleStr", varOleStr},
    {"varDispatch", varDispatch}, {"varError", varError},       {"varBoolean", varBoolean},
    {"varVariant", varVariant},   {"varUnknown", varUnknown},   {"varShortInt", varShortInt},
    {"varByte", varByte},         {"varWord", varWord},         {"varLongWord", varLongWord},
    {"varInt64", varInt64},       {"varStrArg", varStrArg},     {"varString", varString},
    {"varAny", varAny},           {"varTypeMask", varTypeMask}, {"varArray", varArray},
    {"varByRef", varByRef},
};
static_assert(std::size(kTypeConstants) == 25, "the 25 Variant type constants");

}  // namespace

void SetShowMessageHandler(std::function<void(const std::string&)> handler) { gShowMessage = std::move(handler); }

void SetCreateOleObjectHandler(std::function<Variant(const std::string&)> handler) {
    gCreateOleObject = std::move(handler);
}

void fsRegisterSystemFunctions(TfsScript* unit) {
    for (const Function& f : kFunctions) {
        auto call = f.Call;
        unit->AddMethod(f.Syntax, [call](TObject*, TClass, const std::string&, TfsParams& params) { return call(params); },
                        f.Category);
    }
    for (const TypeConstant& c : kTypeConstants) unit->AddConst(c.Name, "Integer", Variant(c.Value));
}
