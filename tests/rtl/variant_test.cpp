// Variant: conversions, operators, comparisons, arrays and automation calls.
#include "platform/rtl/Variant.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace {

constexpr uint64_t kHandle = (uint64_t(1) << 32) + 5;   // an object handle as the registry gives

Variant Cur(int64_t times10000) { return Variant::FromCurrency(times10000); }
Variant Date(double days) { return Variant::FromDate(days); }

// The text of an exception raised by fn, or "" when none is raised; "Class: text" form.
std::string Raised(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "";
}

std::string DoubleText(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

// --- Conversions ---------------------------------------------------------------------
enum class To { Integer, Int64, Double, Boolean, String, Currency, Date, VarToStr };

struct ConvCase {
    const char* name;
    Variant value;
    To target;
    std::string expected;   // the result as text, or the exception as "Class: text"
};

std::string Convert(const Variant& v, To target) {
    switch (target) {
    case To::Integer: return std::to_string(v.AsInteger());
    case To::Int64: return std::to_string(v.AsInt64());
    case To::Double: return DoubleText(v.AsDouble());
    case To::Boolean: return v.AsBoolean() ? "true" : "false";
    case To::String: return v.AsString();
    case To::Currency: return std::to_string(v.AsCurrency());
    case To::Date: return DoubleText(v.AsDateTime());
    case To::VarToStr: return VarToStr(v);
    }
    return "?";
}

class VariantConversion : public testing::TestWithParam<ConvCase> {};

TEST_P(VariantConversion, GivesValueOrError) {
    const ConvCase& c = GetParam();
    std::string got;
    std::string error = Raised([&] { got = Convert(c.value, c.target); });
    EXPECT_EQ(error.empty() ? got : error, c.expected);
}

const std::string kOverflow = "EVariantError: Variant overflow";
std::string CantConvert(const char* from, const char* to) {
    return std::string("EVariantError: Could not convert variant of type (") + from +
           ") into type (" + to + ")";
}

const ConvCase kConversions[] = {
    {"empty_integer", Variant(), To::Integer, "0"},
    {"empty_double", Variant(), To::Double, "0"},
    {"empty_boolean", Variant(), To::Boolean, "false"},
    {"empty_string", Variant(), To::String, ""},
    {"empty_currency", Variant(), To::Currency, "0"},
    {"null_integer", Variant::Null(), To::Integer, CantConvert("Null", "Integer")},
    {"null_int64", Variant::Null(), To::Int64, CantConvert("Null", "Int64")},
    {"null_double", Variant::Null(), To::Double, CantConvert("Null", "Double")},
    {"null_boolean", Variant::Null(), To::Boolean, CantConvert("Null", "Boolean")},
    {"null_string", Variant::Null(), To::String, CantConvert("Null", "String")},
    {"null_date", Variant::Null(), To::Date, CantConvert("Null", "Date")},
    {"null_vartostr", Variant::Null(), To::VarToStr, ""},
    {"shortint_integer", Variant::FromShortInt(-5), To::Integer, "-5"},
    {"shortint_string", Variant::FromShortInt(-128), To::String, "-128"},
    {"smallint_double", Variant::FromSmallInt(-300), To::Double, "-300"},
    {"byte_integer", Variant::FromByte(255), To::Integer, "255"},
    {"word_string", Variant::FromWord(65535), To::String, "65535"},
    {"longword_int64", Variant::FromLongWord(4294967295u), To::Int64, "4294967295"},
    {"longword_integer_overflows", Variant::FromLongWord(4294967295u), To::Integer, kOverflow},
    {"longword_boolean", Variant::FromLongWord(1), To::Boolean, "true"},
    {"int64_integer_overflows", Variant(int64_t(3000000000)), To::Integer, kOverflow},
    {"int64_double", Variant(int64_t(3000000000)), To::Double, "3000000000"},
    {"int64_string", Variant(int64_t(-9000000000000000000)), To::String, "-9000000000000000000"},
    {"int64_currency_overflows", Variant(int64_t(1) << 62), To::Currency, kOverflow},
    {"integer_currency", Variant(7), To::Currency, "70000"},
    {"integer_zero_boolean", Variant(0), To::Boolean, "false"},
    {"integer_date", Variant(45292), To::Date, "45292"},
    {"double_half_to_even_down", Variant(2.5), To::Integer, "2"},
    {"double_half_to_even_up", Variant(3.5), To::Integer, "4"},
    {"double_negative_half", Variant(-2.5), To::Integer, "-2"},
    {"double_rounds", Variant(2.6), To::Int64, "3"},
    {"double_too_big_int64", Variant(1e20), To::Int64, kOverflow},
    {"double_too_big_integer", Variant(3e9), To::Integer, kOverflow},
    {"double_string_short", Variant(7.0 / 2), To::String, "3.5"},
    {"double_string_15_digits", Variant(0.1 + 0.2), To::String, "0.3"},
    {"double_string_integral", Variant(100.0), To::String, "100"},
    {"double_zero_boolean", Variant(0.0), To::Boolean, "false"},
    {"double_fraction_boolean", Variant(0.5), To::Boolean, "true"},
    {"double_currency_rounds", Variant(1.23456), To::Currency, "12346"},
    {"single_string_7_digits", Variant::FromSingle(0.1f), To::String, "0.1"},
    {"single_integer", Variant::FromSingle(1.5f), To::Integer, "2"},
    {"currency_string", Cur(12345), To::String, "1.2345"},
    {"currency_integer_down", Cur(25000), To::Integer, "2"},
    {"currency_integer_up", Cur(35000), To::Integer, "4"},
    {"currency_negative_half", Cur(-25000), To::Int64, "-2"},
    {"currency_double", Cur(12345), To::Double, "1.2345"},
    {"currency_boolean", Cur(1), To::Boolean, "true"},
    {"date_string", Date(45292), To::String, "2024-1-1"},
    {"date_time_string", Date(45292.75), To::String, "2024-1-1 18:00:00"},
    {"time_of_day_string", Date(0.75), To::String, "18:00:00"},
    {"day_zero_string", Date(0), To::String, "1899-12-30"},
    {"date_integer", Date(45292.75), To::Integer, "45293"},
    {"date_double", Date(45292.5), To::Double, "45292.5"},
    {"boolean_true_integer", Variant(true), To::Integer, "-1"},
    {"boolean_true_double", Variant(true), To::Double, "-1"},
    {"boolean_true_currency", Variant(true), To::Currency, "-10000"},
    {"boolean_false_integer", Variant(false), To::Integer, "0"},
    {"boolean_string", Variant(true), To::String, "True"},
    {"boolean_false_string", Variant(false), To::String, "False"},
    {"string_integer", Variant("42"), To::Integer, "42"},
    {"string_blanks_trimmed", Variant(" 42 "), To::Integer, "42"},
    {"string_hex", Variant("$1F"), To::Integer, "31"},
    {"string_float_rounded", Variant("2.5"), To::Integer, "2"},
    {"string_int64", Variant("3000000000"), To::Int64, "3000000000"},
    {"string_not_integer", Variant("abc"), To::Integer, CantConvert("String", "Integer")},
    {"string_empty_integer", Variant(""), To::Integer, CantConvert("String", "Integer")},
    {"string_double", Variant("1.5"), To::Double, "1.5"},
    {"string_not_double", Variant("1,5x"), To::Double, CantConvert("String", "Double")},
    {"string_true_any_case", Variant("tRUE"), To::Boolean, "true"},
    {"string_false_upper", Variant("FALSE"), To::Boolean, "false"},
    {"string_zero_boolean", Variant("0"), To::Boolean, "false"},
    {"string_number_boolean", Variant("2"), To::Boolean, "true"},
    {"string_not_boolean", Variant("yes"), To::Boolean, CantConvert("String", "Boolean")},
    {"string_date", Variant("2024-1-5"), To::Date, "45296"},
    {"string_not_date", Variant("x"), To::Date, CantConvert("String", "Date")},
    {"string_currency_rounds", Variant("1.23456"), To::Currency, "12346"},
    {"string_utf8_kept", Variant("中文"), To::String, "中文"},
    {"object_int64", Variant::FromObject(kHandle), To::Int64, "4294967301"},
    {"object_integer_never_truncated", Variant::FromObject(kHandle), To::Integer, kOverflow},
    {"object_string", Variant::FromObject(kHandle), To::String, "4294967301"},
    {"array_integer", VarArrayOf({Variant(1)}), To::Integer,
     "EVariantError: Invalid variant type conversion"},
    {"array_string", VarArrayOf({Variant(1)}), To::String,
     "EVariantError: Invalid variant type conversion"},
};

INSTANTIATE_TEST_SUITE_P(Table, VariantConversion, testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VariantConversion, VarAsTypeChecksTheTargetRange) {
    struct Row {
        Variant value;
        TVarType type;
        std::string expected;   // VarTypeAsText + ":" + AsString, or the error
    } rows[] = {
        {Variant(127), varShortInt, "ShortInt:127"},
        {Variant(128), varShortInt, kOverflow},
        {Variant(-1), varByte, kOverflow},
        {Variant(65535), varWord, "Word:65535"},
        {Variant("70000"), varSmallint, kOverflow},
        {Variant(2.5), varInteger, "Integer:2"},
        {Variant(1e39), varSingle, kOverflow},
        {Variant(5), varString, "String:5"},
        {Variant("1.5"), varCurrency, "Currency:1.5"},
        {Variant(1), varBoolean, "Boolean:True"},
        {Variant(5), varDispatch, CantConvert("Integer", "Dispatch")},
        {Variant(int64_t(kHandle)), varObject, "Object:4294967301"},
        {Variant(-1), varObject, CantConvert("Integer", "Object")},
    };
    for (const Row& r : rows) {
        std::string got;
        std::string error = Raised([&] {
            Variant v = VarAsType(r.value, r.type);
            got = VarTypeAsText(v.Type()) + ":" + v.AsString();
        });
        EXPECT_EQ(error.empty() ? got : error, r.expected) << VarTypeAsText(r.type);
    }
}

TEST(VariantKinds, TypeCodesAndNames) {
    struct Row {
        Variant value;
        TVarType code;
        const char* name;
    } rows[] = {
        {Variant(), 0, "Empty"},
        {Variant::Null(), 1, "Null"},
        {Variant::FromSmallInt(1), 2, "Smallint"},
        {Variant(1), 3, "Integer"},
        {Variant::FromSingle(1), 4, "Single"},
        {Variant(1.0), 5, "Double"},
        {Cur(1), 6, "Currency"},
        {Date(1), 7, "Date"},
        {Variant(true), 11, "Boolean"},
        {Variant::FromShortInt(1), 16, "ShortInt"},
        {Variant::FromByte(1), 17, "Byte"},
        {Variant::FromWord(1), 18, "Word"},
        {Variant::FromLongWord(1), 19, "LongWord"},
        {Variant(int64_t(1)), 20, "Int64"},
        {Variant::FromObject(kHandle), varObject, "Object"},
        {Variant("s"), 256, "String"},
        {VarArrayCreate({0, 2}, varVariant), 8204, "Array Variant"},
        {VarArrayCreate({0, 2}, varInteger), 8195, "Array Integer"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(VarType(r.value), r.code) << r.name;
        EXPECT_EQ(VarTypeAsText(VarType(r.value)), r.name);
    }
    EXPECT_EQ(VarTypeAsText(varByRef | varInteger), "ByRef Integer");
    EXPECT_TRUE(VarIsNull(Variant::Null()) && !VarIsNull(Variant()));
    EXPECT_TRUE(VarIsEmpty(Variant()) && !VarIsEmpty(Variant::Null()));
    EXPECT_TRUE(VarIsArray(VarArrayOf({})) && !VarIsArray(Variant("a")));
}

TEST(VariantKinds, CopiesShareStringsAndMovesEmptyTheSource) {
    Variant a(std::string(100, 'x'));
    Variant b = a;
    EXPECT_EQ(a.StrValue().data(), b.StrValue().data());
    Variant c = std::move(a);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(c.StrValue(), std::string(100, 'x'));
    b = Variant(5);   // dropping one reference leaves the other intact
    EXPECT_EQ(c.StrValue().size(), 100u);
    Variant& same = c;
    c = same;         // self-assignment keeps the value
    EXPECT_EQ(c.StrValue().size(), 100u);
}

// --- Arithmetic ----------------------------------------------------------------------
enum class Op { Add, Sub, Mul, Div, IntDiv, Mod, And, Or, Xor, Shl, Shr, Not, Neg };

struct ArithCase {
    const char* name;
    Op op;
    Variant a;
    Variant b;             // unused by Not and Neg
    std::string expected;  // "Kind:text" of the result (AsString), "Null", or the exception
};

Variant Apply(Op op, const Variant& a, const Variant& b) {
    switch (op) {
    case Op::Add: return a + b;
    case Op::Sub: return a - b;
    case Op::Mul: return a * b;
    case Op::Div: return a / b;
    case Op::IntDiv: return VarIntDiv(a, b);
    case Op::Mod: return VarMod(a, b);
    case Op::And: return VarAnd(a, b);
    case Op::Or: return VarOr(a, b);
    case Op::Xor: return VarXor(a, b);
    case Op::Shl: return VarShl(a, b);
    case Op::Shr: return VarShr(a, b);
    case Op::Not: return VarNot(a);
    case Op::Neg: return -a;
    }
    return Variant();
}

std::string Describe(const Variant& v) {
    if (v.IsNull()) return "Null";
    return VarTypeAsText(v.Type()) + ":" + v.AsString();
}

class VariantArithmetic : public testing::TestWithParam<ArithCase> {};

TEST_P(VariantArithmetic, GivesKindAndValueOrError) {
    const ArithCase& c = GetParam();
    std::string got;
    std::string error = Raised([&] { got = Describe(Apply(c.op, c.a, c.b)); });
    EXPECT_EQ(error.empty() ? got : error, c.expected);
}

const std::string kDivByZero = "EDivByZero: Division by zero";
const std::string kZeroDivide = "EZeroDivide: Division by zero";
const std::string kInvalidOp = "EVariantError: Invalid variant operation";
const Variant kNull = Variant::Null();
const Variant kI64Max = Variant(int64_t(INT64_MAX));

const ArithCase kArithmetic[] = {
    {"int_add", Op::Add, Variant(1), Variant(2), "Integer:3"},
    {"int_add_widens", Op::Add, Variant(2147483647), Variant(1), "Int64:2147483648"},
    {"int_sub_widens", Op::Sub, Variant(-2147483647 - 1), Variant(1), "Int64:-2147483649"},
    {"int_mul_widens", Op::Mul, Variant(65536), Variant(65536), "Int64:4294967296"},
    {"int64_stays_int64", Op::Add, Variant(int64_t(1)), Variant(1), "Int64:2"},
    {"int64_overflow_double", Op::Add, kI64Max, Variant(1), "Double:9.22337203685478E18"},
    {"int64_mul_overflow_double", Op::Mul, kI64Max, Variant(2), "Double:1.84467440737096E19"},
    {"bytes_give_integer", Op::Add, Variant::FromByte(200), Variant::FromByte(100), "Integer:300"},
    {"longword_widens", Op::Add, Variant::FromLongWord(4294967295u), Variant(1), "Int64:4294967296"},
    {"int_double", Op::Add, Variant(1), Variant(0.5), "Double:1.5"},
    {"single_gives_double", Op::Mul, Variant::FromSingle(1.5f), Variant(2), "Double:3"},
    {"boolean_is_minus_one", Op::Add, Variant(true), Variant(1), "Integer:0"},
    {"boolean_plus_boolean", Op::Add, Variant(true), Variant(true), "Integer:-2"},
    {"empty_is_zero", Op::Add, Variant(), Variant(5), "Integer:5"},
    {"empty_plus_empty", Op::Add, Variant(), Variant(), "Integer:0"},
    {"empty_plus_string", Op::Add, Variant(), Variant("a"), "String:a"},
    {"string_plus_empty", Op::Add, Variant("a"), Variant(), "String:a"},
    {"empty_times_int", Op::Mul, Variant(), Variant(5), "Integer:0"},
    {"null_add", Op::Add, kNull, Variant(1), "Null"},
    {"null_right_mul", Op::Mul, Variant(1), kNull, "Null"},
    {"null_plus_string", Op::Add, kNull, Variant("a"), "Null"},
    {"null_div_zero", Op::Div, kNull, Variant(0), "Null"},
    {"null_intdiv_zero", Op::IntDiv, Variant(1), kNull, "Null"},
    {"null_and_false", Op::And, kNull, Variant(false), "Null"},
    {"null_or", Op::Or, Variant(true), kNull, "Null"},
    {"null_not", Op::Not, kNull, Variant(), "Null"},
    {"null_neg", Op::Neg, kNull, Variant(), "Null"},
    {"null_shl", Op::Shl, kNull, Variant(1), "Null"},
    {"string_concat", Op::Add, Variant("a"), Variant("b"), "String:ab"},
    {"string_concat_utf8", Op::Add, Variant("金额"), Variant("：5"), "String:金额：5"},
    {"string_plus_number_converts", Op::Add, Variant("1"), Variant(2), "Double:3"},
    {"number_plus_string_converts", Op::Add, Variant(47), Variant(" 0.5 "), "Double:47.5"},
    {"string_plus_number_fails", Op::Add, Variant("x"), Variant(47), CantConvert("String", "Double")},
    {"string_times_string", Op::Mul, Variant("3"), Variant("4"), "Double:12"},
    {"string_minus_int", Op::Sub, Variant("2"), Variant(1), "Double:1"},
    {"currency_add", Op::Add, Cur(15000), Cur(22500), "Currency:3.75"},
    {"currency_plus_int", Op::Add, Cur(15000), Variant(1), "Currency:2.5"},
    {"currency_minus_int", Op::Sub, Variant(1), Cur(15000), "Currency:-0.5"},
    {"currency_times_int", Op::Mul, Cur(15000), Variant(3), "Currency:4.5"},
    {"currency_product_even", Op::Mul, Cur(1), Cur(5000), "Currency:0"},
    {"currency_product_odd", Op::Mul, Cur(3), Cur(5000), "Currency:0.0002"},
    {"currency_plus_double", Op::Add, Cur(15000), Variant(0.25), "Double:1.75"},
    {"currency_divide", Op::Div, Cur(15000), Variant(2), "Double:0.75"},
    {"currency_overflow", Op::Add, Cur(INT64_MAX), Cur(1), kOverflow},
    {"date_plus_day", Op::Add, Date(45292), Variant(1), "Date:2024-1-2"},
    {"day_plus_date", Op::Add, Variant(1), Date(45292), "Date:2024-1-2"},
    {"date_minus_days", Op::Sub, Date(45292), Variant(31), "Date:2023-12-1"},
    {"date_minus_date", Op::Sub, Date(45293), Date(45292), "Double:1"},
    {"date_times", Op::Mul, Date(2), Variant(2), "Double:4"},
    {"divide_ints_float", Op::Div, Variant(7), Variant(2), "Double:3.5"},
    {"divide_exact", Op::Div, Variant(6), Variant(3), "Double:2"},
    {"divide_by_zero", Op::Div, Variant(1), Variant(0), kZeroDivide},
    {"divide_zero_by_zero", Op::Div, Variant(0), Variant(0), kZeroDivide},
    {"divide_by_zero_double", Op::Div, Variant(1.5), Variant(0.0), kZeroDivide},
    {"divide_by_empty", Op::Div, Variant(1), Variant(), kZeroDivide},
    {"divide_string_fails", Op::Div, Variant(1), Variant("a"), CantConvert("String", "Double")},
    {"intdiv", Op::IntDiv, Variant(7), Variant(2), "Integer:3"},
    {"intdiv_truncates", Op::IntDiv, Variant(-7), Variant(2), "Integer:-3"},
    {"mod_sign_of_dividend", Op::Mod, Variant(-7), Variant(2), "Integer:-1"},
    {"mod_positive", Op::Mod, Variant(7), Variant(3), "Integer:1"},
    {"intdiv_by_zero", Op::IntDiv, Variant(7), Variant(0), kDivByZero},
    {"mod_by_zero", Op::Mod, Variant(7), Variant(0), kDivByZero},
    {"intdiv_by_rounded_zero", Op::IntDiv, Variant(7), Variant(0.4), kDivByZero},
    {"intdiv_rounds_even_down", Op::IntDiv, Variant(2.5), Variant(1), "Integer:2"},
    {"intdiv_rounds_even_up", Op::IntDiv, Variant(3.5), Variant(1), "Integer:4"},
    {"intdiv_strings", Op::IntDiv, Variant("7"), Variant("2"), "Integer:3"},
    {"intdiv_int64", Op::IntDiv, Variant(int64_t(10)), Variant(3), "Int64:3"},
    {"intdiv_big", Op::IntDiv, Variant(int64_t(3000000000)), Variant(3), "Int64:1000000000"},
    {"mod_min_by_minus_one", Op::Mod, Variant(int64_t(INT64_MIN)), Variant(-1), "Int64:0"},
    {"and_bitwise", Op::And, Variant(6), Variant(3), "Integer:2"},
    {"or_bitwise", Op::Or, Variant(6), Variant(3), "Integer:7"},
    {"xor_bitwise", Op::Xor, Variant(6), Variant(3), "Integer:5"},
    {"and_boolean", Op::And, Variant(true), Variant(false), "Boolean:False"},
    {"or_boolean", Op::Or, Variant(false), Variant(true), "Boolean:True"},
    {"xor_boolean", Op::Xor, Variant(true), Variant(true), "Boolean:False"},
    {"and_boolean_with_int", Op::And, Variant(true), Variant(6), "Integer:6"},
    {"and_int64", Op::Or, Variant(int64_t(1) << 40), Variant(1), "Int64:1099511627777"},
    {"and_string_fails", Op::And, Variant("x"), Variant(1), CantConvert("String", "Int64")},
    {"not_int_bitwise", Op::Not, Variant(5), Variant(), "Integer:-6"},
    {"not_boolean_logical", Op::Not, Variant(true), Variant(), "Boolean:False"},
    {"not_empty", Op::Not, Variant(), Variant(), "Integer:-1"},
    {"not_int64", Op::Not, Variant(int64_t(0)), Variant(), "Int64:-1"},
    {"neg_int", Op::Neg, Variant(5), Variant(), "Integer:-5"},
    {"neg_int_min_widens", Op::Neg, Variant(-2147483647 - 1), Variant(), "Int64:2147483648"},
    {"neg_boolean", Op::Neg, Variant(true), Variant(), "Integer:1"},
    {"neg_currency", Op::Neg, Cur(15000), Variant(), "Currency:-1.5"},
    {"neg_string", Op::Neg, Variant("2"), Variant(), "Double:-2"},
    {"neg_empty", Op::Neg, Variant(), Variant(), "Integer:0"},
    {"shl", Op::Shl, Variant(1), Variant(4), "Integer:16"},
    {"shl_integer_32_bits", Op::Shl, Variant(1), Variant(33), "Integer:2"},
    {"shl_int64_64_bits", Op::Shl, Variant(int64_t(1)), Variant(40), "Int64:1099511627776"},
    {"shr_logical_32", Op::Shr, Variant(-1), Variant(28), "Integer:15"},
    {"shr_logical_64", Op::Shr, Variant(int64_t(-1)), Variant(60), "Int64:15"},
    {"array_add_invalid", Op::Add, VarArrayOf({Variant(1)}), Variant(1), kInvalidOp},
    {"object_add_invalid", Op::Add, Variant::FromObject(kHandle), Variant(1), kInvalidOp},
    {"object_neg_invalid", Op::Neg, Variant::FromObject(kHandle), Variant(), kInvalidOp},
};

INSTANTIATE_TEST_SUITE_P(Table, VariantArithmetic, testing::ValuesIn(kArithmetic),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VariantArithmetic, VarOpDispatchesEveryOperator) {
    struct Row {
        TVarOp op;
        std::string expected;
    } rows[] = {
        {TVarOp::Add, "Integer:9"},      {TVarOp::Subtract, "Integer:5"},
        {TVarOp::Multiply, "Integer:14"}, {TVarOp::Divide, "Double:3.5"},
        {TVarOp::IntDivide, "Integer:3"}, {TVarOp::Modulus, "Integer:1"},
        {TVarOp::ShiftLeft, "Integer:28"}, {TVarOp::ShiftRight, "Integer:1"},
        {TVarOp::And, "Integer:2"},      {TVarOp::Or, "Integer:7"},
        {TVarOp::Xor, "Integer:5"},      {TVarOp::CmpEQ, "Boolean:False"},
        {TVarOp::CmpNE, "Boolean:True"}, {TVarOp::CmpLT, "Boolean:False"},
        {TVarOp::CmpLE, "Boolean:False"}, {TVarOp::CmpGT, "Boolean:True"},
        {TVarOp::CmpGE, "Boolean:True"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Describe(VarOp(r.op, Variant(7), Variant(2))), r.expected) << int(r.op);
}

// --- Comparison ----------------------------------------------------------------------
// The expected relation of a to b; every operator is checked against it.
enum class Rel { Less, Equal, Greater, NullNull, NullOther, Raises };

struct CmpCase {
    const char* name;
    Variant a;
    Variant b;
    Rel rel;
};

class VariantComparison : public testing::TestWithParam<CmpCase> {};

TEST_P(VariantComparison, AllSixOperatorsAgree) {
    const CmpCase& c = GetParam();
    const Variant& a = c.a;
    const Variant& b = c.b;
    if (c.rel == Rel::Raises) {
        EXPECT_THROW((void)(a == b), EVariantError);
        EXPECT_THROW((void)(a < b), EVariantError);
        return;
    }
    // = <> < <= > >=
    const std::vector<bool> expected = [&]() -> std::vector<bool> {
        switch (c.rel) {
        case Rel::Less: return {false, true, true, true, false, false};
        case Rel::Equal: return {true, false, false, true, false, true};
        case Rel::Greater: return {false, true, false, false, true, true};
        case Rel::NullNull: return {true, false, false, false, false, false};
        case Rel::NullOther: return {false, true, false, false, false, false};
        case Rel::Raises: break;
        }
        return {};
    }();
    std::vector<bool> got = {a == b, a != b, a < b, a <= b, a > b, a >= b};
    EXPECT_EQ(got, expected);
}

const CmpCase kComparisons[] = {
    {"ints", Variant(1), Variant(2), Rel::Less},
    {"int64_vs_integer", Variant(int64_t(5)), Variant(5), Rel::Equal},
    {"int64_exact_beyond_double", Variant(int64_t(9007199254740993)),
     Variant(int64_t(9007199254740992)), Rel::Greater},
    {"double_vs_int", Variant(2.5), Variant(2), Rel::Greater},
    {"byte_vs_negative_smallint", Variant::FromByte(255), Variant::FromSmallInt(-1), Rel::Greater},
    {"longword_vs_minus_one", Variant::FromLongWord(4294967295u), Variant(-1), Rel::Greater},
    {"currency_vs_double", Cur(15000), Variant(1.5), Rel::Equal},
    {"currency_vs_int", Cur(20000), Variant(2), Rel::Equal},
    {"currency_vs_int_fraction", Cur(20001), Variant(2), Rel::Greater},
    {"date_vs_double", Date(45292), Variant(45292.0), Rel::Equal},
    {"single_vs_double", Variant::FromSingle(0.5f), Variant(0.5), Rel::Equal},
    {"strings", Variant("a"), Variant("b"), Rel::Less},
    {"strings_case_sensitive", Variant("B"), Variant("a"), Rel::Less},
    {"strings_equal", Variant("abc"), Variant("abc"), Rel::Equal},
    {"strings_prefix", Variant("ab"), Variant("abc"), Rel::Less},
    {"strings_byte_order", Variant("中"), Variant("z"), Rel::Greater},
    {"string_vs_number_numeric", Variant("10"), Variant(9), Rel::Greater},
    {"number_vs_string_numeric", Variant(9), Variant("10"), Rel::Less},
    {"string_vs_number_blanks", Variant(" 1.5 "), Variant(1.5), Rel::Equal},
    {"string_not_numeric", Variant("abc"), Variant(1), Rel::Raises},
    {"string_vs_boolean", Variant("True"), Variant(true), Rel::Equal},
    {"empty_vs_string", Variant(), Variant(""), Rel::Equal},
    {"string_vs_empty", Variant("a"), Variant(), Rel::Greater},
    {"empty_vs_zero", Variant(), Variant(0), Rel::Equal},
    {"empty_vs_empty", Variant(), Variant(), Rel::Equal},
    {"true_below_false", Variant(true), Variant(false), Rel::Less},
    {"true_is_minus_one", Variant(true), Variant(-1), Rel::Equal},
    {"false_is_zero", Variant(false), Variant(0), Rel::Equal},
    {"null_null", kNull, kNull, Rel::NullNull},
    {"null_vs_zero", kNull, Variant(0), Rel::NullOther},
    {"zero_vs_null", Variant(0), kNull, Rel::NullOther},
    {"null_vs_empty_string", kNull, Variant(""), Rel::NullOther},
    {"null_vs_empty", kNull, Variant(), Rel::NullOther},
    {"object_same_handle", Variant::FromObject(kHandle), Variant::FromObject(kHandle), Rel::Equal},
    {"object_vs_nil", Variant::FromObject(kHandle), Variant(0), Rel::Greater},
    {"array_raises", VarArrayOf({Variant(1)}), Variant(1), Rel::Raises},
};

INSTANTIATE_TEST_SUITE_P(Table, VariantComparison, testing::ValuesIn(kComparisons),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Arrays --------------------------------------------------------------------------
TEST(VariantArray, ThreeDimensionsWithOddBoundsKeepEveryElement) {
    Variant a = VarArrayCreate({-2, 1, 5, 7, 0, 2}, varVariant);
    ASSERT_EQ(VarArrayDimCount(a), 3);
    EXPECT_EQ(VarType(a), varArray | varVariant);
    EXPECT_EQ(VarArrayLowBound(a, 1), -2);
    EXPECT_EQ(VarArrayHighBound(a, 1), 1);
    EXPECT_EQ(VarArrayLowBound(a, 2), 5);
    EXPECT_EQ(VarArrayHighBound(a, 2), 7);
    EXPECT_EQ(VarArrayHighBound(a, 3), 2);
    EXPECT_TRUE(a.GetElement({-2, 5, 0}).IsEmpty());
    auto code = [](int i, int j, int k) { return i * 100 + j * 10 + k; };
    for (int i = -2; i <= 1; ++i)
        for (int j = 5; j <= 7; ++j)
            for (int k = 0; k <= 2; ++k) a.PutElement({i, j, k}, Variant(code(i, j, k)));
    for (int i = -2; i <= 1; ++i)
        for (int j = 5; j <= 7; ++j)
            for (int k = 0; k <= 2; ++k)
                EXPECT_EQ(a.GetElement({i, j, k}).AsInteger(), code(i, j, k)) << i << j << k;
}

TEST(VariantArray, BadIndexesAndBoundsRaise) {
    Variant a = VarArrayCreate({1, 3, 0, 1}, varVariant);
    const std::string bounds = "EVariantError: Variant or safe array index out of bounds";
    const std::string create = "EVariantError: Error creating variant or safe array";
    struct Row {
        const char* name;
        std::function<void()> fn;
        std::string expected;
    } rows[] = {
        {"below_low", [&] { (void)a.GetElement({0, 0}); }, bounds},
        {"above_high", [&] { a.PutElement({4, 0}, Variant(1)); }, bounds},
        {"second_dimension", [&] { (void)a.GetElement({1, 2}); }, bounds},
        {"too_few_indexes", [&] { (void)a.GetElement({1}); }, bounds},
        {"too_many_indexes", [&] { (void)a.GetElement({1, 0, 0}); }, bounds},
        {"dimension_zero", [&] { (void)VarArrayLowBound(a, 0); }, bounds},
        {"dimension_past_last", [&] { (void)VarArrayHighBound(a, 3); }, bounds},
        {"not_an_array", [&] { (void)Variant(5).GetElement({0}); }, "EVariantError: Variant is not an array"},
        {"bound_of_scalar", [&] { (void)VarArrayHighBound(Variant("x"), 1); }, "EVariantError: Variant is not an array"},
        {"high_below_low", [&] { VarArrayCreate({5, 3}, varVariant); }, create},
        {"odd_bound_count", [&] { VarArrayCreate({0, 1, 2}, varVariant); }, create},
        {"no_bounds", [&] { VarArrayCreate({}, varVariant); }, create},
        {"null_elements", [&] { VarArrayCreate({0, 1}, varNull); }, create},
        {"too_large", [&] { VarArrayCreate({0, 99999, 0, 99999}, varVariant); }, create},
        {"redim_below_empty", [&] { Variant b = VarArrayCreate({3, 5}, varVariant); VarArrayRedim(b, 1); }, bounds},
        {"typed_put_converts", [&] { VarArrayCreate({0, 1}, varInteger).PutElement({0}, Variant("x")); },
         CantConvert("String", "Integer")},
        {"elementref_typed", [&] { (void)VarArrayCreate({0, 1}, varInteger).ElementRef({0}); }, kInvalidOp},
    };
    for (const Row& r : rows) EXPECT_EQ(Raised(r.fn), r.expected) << r.name;
    EXPECT_EQ(VarArrayDimCount(Variant(5)), 0);
}

TEST(VariantArray, EmptyArrayAllowed) {
    Variant a = VarArrayCreate({1, 0}, varVariant);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 0);
    EXPECT_THROW((void)a.GetElement({1}), EVariantError);
}

TEST(VariantArray, RedimChangesTheLastDimensionAndKeepsElements) {
    Variant a = VarArrayCreate({1, 2, 0, 1}, varVariant);
    for (int i = 1; i <= 2; ++i)
        for (int j = 0; j <= 1; ++j) a.PutElement({i, j}, Variant(i * 10 + j));
    VarArrayRedim(a, 3);
    EXPECT_EQ(VarArrayHighBound(a, 2), 3);
    EXPECT_EQ(VarArrayHighBound(a, 1), 2);
    for (int i = 1; i <= 2; ++i) {
        for (int j = 0; j <= 1; ++j) EXPECT_EQ(a.GetElement({i, j}).AsInteger(), i * 10 + j);
        EXPECT_TRUE(a.GetElement({i, 3}).IsEmpty());
    }
    VarArrayRedim(a, 0);
    EXPECT_EQ(a.GetElement({2, 0}).AsInteger(), 20);
    EXPECT_THROW((void)a.GetElement({1, 1}), EVariantError);
    VarArrayRedim(a, -1);   // no elements left, still an array
    EXPECT_EQ(VarArrayHighBound(a, 2), -1);
    VarArrayRedim(a, 1);
    EXPECT_TRUE(a.GetElement({2, 1}).IsEmpty());

    Variant s = VarArrayCreate({0, 0}, varString);   // a typed array grows with its zero
    VarArrayRedim(s, 2);
    EXPECT_EQ(Describe(s.GetElement({2})), "String:");
}

TEST(VariantArray, FiveDimensionsWork) {
    Variant a = VarArrayCreate({0, 1, 0, 1, 0, 1, 0, 1, 1, 2}, varVariant);
    EXPECT_EQ(VarArrayDimCount(a), 5);
    a.PutElement({1, 0, 1, 0, 2}, Variant("deep"));
    EXPECT_EQ(a.GetElement({1, 0, 1, 0, 2}).AsString(), "deep");
    EXPECT_TRUE(a.GetElement({1, 0, 1, 0, 1}).IsEmpty());
}

TEST(VariantArray, TypedArraysStartAtZeroAndConvertPuts) {
    Variant ints = VarArrayCreate({0, 2}, varInteger);
    EXPECT_EQ(VarType(ints), 8195);
    EXPECT_EQ(Describe(ints.GetElement({0})), "Integer:0");
    ints.PutElement({1}, Variant("42"));
    ints.PutElement({2}, Variant(2.5));
    EXPECT_EQ(Describe(ints.GetElement({1})), "Integer:42");
    EXPECT_EQ(Describe(ints.GetElement({2})), "Integer:2");
    Variant strs = VarArrayCreate({0, 1}, varOleStr);
    EXPECT_EQ(VarType(strs), varArray | varString);
    strs.PutElement({0}, Variant(1.5));
    EXPECT_EQ(Describe(strs.GetElement({0})), "String:1.5");
    EXPECT_EQ(Describe(VarArrayCreate({0, 0}, varBoolean).GetElement({0})), "Boolean:False");
}

TEST(VariantArray, CopiesAreIndependentValues) {
    Variant a = VarArrayOf({Variant(1), Variant("a"), Variant::Null()});
    EXPECT_EQ(VarArrayLowBound(a, 1), 0);
    EXPECT_EQ(VarArrayHighBound(a, 1), 2);
    EXPECT_TRUE(a.GetElement({2}).IsNull());
    Variant b = a;
    b.PutElement({0}, Variant(99));
    EXPECT_EQ(a.GetElement({0}).AsInteger(), 1);
    EXPECT_EQ(b.GetElement({0}).AsInteger(), 99);
    Variant c = b;
    VarArrayRedim(c, 5);
    EXPECT_EQ(VarArrayHighBound(b, 1), 2);
    b.ElementRef({1}) = Variant("changed");   // write-back of a var parameter
    EXPECT_EQ(b.GetElement({1}).AsString(), "changed");
    EXPECT_EQ(a.GetElement({1}).AsString(), "a");
    EXPECT_EQ(c.GetElement({1}).AsString(), "a");
    // An array stored in itself is a copy of its old value, not a loop.
    a.PutElement({2}, a);
    EXPECT_EQ(VarArrayHighBound(a.GetElement({2}), 1), 2);
    EXPECT_TRUE(a.GetElement({2}).GetElement({2}).IsNull());
}

TEST(VariantArray, SpreadsheetRowsAsTwoDimensions) {
    // A block of cells the export writes in one go: rows x columns, 1-based.
    Variant cells = VarArrayCreate({1, 3, 1, 2}, varVariant);
    const Variant values[3][2] = {{Variant("名称"), Variant(12.5)},
                                  {Variant("x"), Variant::Null()},
                                  {Variant(int64_t(7)), Date(45292)}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c) cells.PutElement({r, c}, values[r - 1][c - 1]);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ(VarType(cells.GetElement({r, c})), VarType(values[r - 1][c - 1]));
    EXPECT_EQ(VarToStr(cells.GetElement({2, 2})), "");
    EXPECT_EQ(VarToStr(cells.GetElement({1, 1})), "名称");
}

// --- Automation objects --------------------------------------------------------------
// A server that records every call and knows the members "Value" and "Cells".
class TRecordingServer : public TDispatch {
public:
    struct Call {
        int32_t id;
        unsigned kind;
        std::vector<std::string> args;
        bool hasResult;
    };
    std::vector<Call> Calls;
    std::vector<std::string> Names;

    uint32_t GetIDsOfNames(std::string_view name, int32_t& dispId) override {
        Names.emplace_back(name);
        if (name == "Value") { dispId = 1; return S_OK; }
        if (name == "Cells") { dispId = 2; return S_OK; }
        return DISP_E_UNKNOWNNAME;
    }
    uint32_t Invoke(int32_t dispId, unsigned kind, std::span<Variant> args, Variant* result) override {
        Call call{dispId, kind, {}, result != nullptr};
        for (const Variant& a : args) call.args.push_back(VarToStr(a));
        Calls.push_back(call);
        if (dispId == 2 && args.size() != 3 && kind == ikPropertyPut) return DISP_E_BADPARAMCOUNT;
        if (result) *result = Variant("r" + std::to_string(dispId));
        return S_OK;
    }
};

TEST(VariantDispatch, ArgumentsReachTheServerLastFirst) {
    auto server = std::make_shared<TRecordingServer>();
    Variant obj(server);
    EXPECT_EQ(VarType(obj), varDispatch);

    Variant got = DispatchInvoke(obj, "Value", ikMethod | ikPropertyGet, {Variant(1), Variant("b")});
    EXPECT_EQ(got.AsString(), "r1");
    DispatchInvoke(obj, "Cells", ikPropertyPut, {Variant(2), Variant(3), Variant("v")});
    DispatchInvoke(obj, "Value", ikMethod, {}, false);

    ASSERT_EQ(server->Calls.size(), 3u);
    EXPECT_EQ(server->Calls[0].args, (std::vector<std::string>{"b", "1"}));
    EXPECT_TRUE(server->Calls[0].hasResult);
    EXPECT_EQ(server->Calls[1].kind, unsigned(ikPropertyPut));
    EXPECT_EQ(server->Calls[1].args, (std::vector<std::string>{"v", "3", "2"}));   // value first
    EXPECT_FALSE(server->Calls[1].hasResult);
    EXPECT_FALSE(server->Calls[2].hasResult);
}

TEST(VariantDispatch, FailuresRaiseOleErrorWithTheName) {
    auto server = std::make_shared<TRecordingServer>();
    Variant obj(server);
    EXPECT_EQ(Raised([&] { DispatchInvoke(obj, "wORKbooks", ikMethod, {}); }),
              "EOleError: OLE error 80020006: wORKbooks");
    EXPECT_EQ(server->Names.back(), "wORKbooks");   // the name as written
    EXPECT_EQ(Raised([&] { DispatchInvoke(obj, "Cells", ikPropertyPut, {Variant(1)}); }),
              "EOleError: OLE error 8002000E: Cells");
    EXPECT_EQ(Raised([&] { DispatchInvoke(Variant(5), "Value", ikMethod, {}); }),
              CantConvert("Integer", "Dispatch"));
}

TEST(VariantDispatch, VariantsKeepTheObjectAliveAndCompareByIdentity) {
    auto server = std::make_shared<TRecordingServer>();
    std::weak_ptr<TRecordingServer> watch = server;
    Variant a(server), b = a, other(std::make_shared<TRecordingServer>());
    server.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == other);
    EXPECT_TRUE(a != other);
    EXPECT_FALSE(a == Variant::Null());
    EXPECT_THROW((void)(a == Variant(1)), EVariantError);
    EXPECT_THROW((void)(a < b), EVariantError);
    EXPECT_THROW((void)(a + Variant(1)), EVariantError);
    EXPECT_EQ(Raised([&] { (void)a.AsString(); }), CantConvert("Dispatch", "String"));
    a.Clear();
    b = Variant();
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(Variant(std::shared_ptr<TDispatch>()).IsEmpty());
}

}  // namespace
