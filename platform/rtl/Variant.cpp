// Variant: payloads, conversions, operators and arrays (rules in Variant.h).
#include "Variant.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "Format.h"
#include "StrUtils.h"

// --- Payloads ------------------------------------------------------------------------
struct TVarStringRep : TVarRep {
    explicit TVarStringRep(std::string text) : FText(std::move(text)) {}
    std::string FText;
};

struct TVarDispatchRep : TVarRep {
    explicit TVarDispatchRep(std::shared_ptr<TDispatch> object) : FObject(std::move(object)) {}
    std::shared_ptr<TDispatch> FObject;
};

struct TVarArrayRep : TVarRep {
    TVarType FElementType = varVariant;
    std::vector<TVarArrayBound> FBounds;   // first dimension first
    std::vector<Variant> FItems;           // first dimension varies fastest
};

// Builds and opens Variants with payloads; the one friend of Variant.
struct TVarAccess {
    static Variant WithRep(TVarType type, TVarRep* rep) noexcept {
        Variant v;
        v.FType = type;
        v.FOwns = true;
        v.FRep = rep;
        return v;
    }
    static TVarStringRep* Str(const Variant& v) noexcept { return static_cast<TVarStringRep*>(v.FRep); }
    static TVarDispatchRep* Disp(const Variant& v) noexcept { return static_cast<TVarDispatchRep*>(v.FRep); }
    static TVarArrayRep* Arr(const Variant& v) noexcept { return static_cast<TVarArrayRep*>(v.FRep); }
    // The array payload, copied first when another Variant shares it.
    static TVarArrayRep* MutableArr(Variant& v) {
        TVarArrayRep* rep = Arr(v);
        if (rep->FRefs.load(std::memory_order_acquire) == 1) return rep;
        auto* copy = new TVarArrayRep();
        copy->FElementType = rep->FElementType;
        copy->FBounds = rep->FBounds;
        copy->FItems = rep->FItems;
        v.Release();
        v.FRep = copy;
        return copy;
    }
    static int64_t Int(const Variant& v) noexcept { return v.FInt; }
    static double Dbl(const Variant& v) noexcept { return v.FDouble; }
    static float Sgl(const Variant& v) noexcept { return v.FSingle; }
    static Variant Make(TVarType type, int64_t value) noexcept { return Variant(type, value); }
};

Variant::Variant(const char* s) : Variant(std::string(s ? s : "")) {}
Variant::Variant(std::string_view s) : Variant(std::string(s)) {}
Variant::Variant(std::string s) : FType(varString), FOwns(true), FRep(new TVarStringRep(std::move(s))) {}

Variant::Variant(std::shared_ptr<TDispatch> dispatch) : FType(varEmpty), FInt(0) {
    if (!dispatch) return;
    FType = varDispatch;
    FOwns = true;
    FRep = new TVarDispatchRep(std::move(dispatch));
}

void Variant::Release() noexcept {
    if (FRep->FRefs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    switch (FType) {
    case varString: delete static_cast<TVarStringRep*>(FRep); break;
    case varDispatch: delete static_cast<TVarDispatchRep*>(FRep); break;
    case varArray: delete static_cast<TVarArrayRep*>(FRep); break;
    default: break;
    }
}

bool Variant::AppendUnshared(std::string_view text) {
    if (FType != varString || FRep->FRefs.load(std::memory_order_acquire) != 1) return false;
    static_cast<TVarStringRep*>(FRep)->FText.append(text);
    return true;
}

TVarType Variant::Type() const noexcept {
    return FType == varArray ? TVarType(varArray | TVarAccess::Arr(*this)->FElementType) : FType;
}

bool Variant::IsNumeric() const noexcept {
    return IsInteger() || FType == varSingle || FType == varDouble || FType == varCurrency ||
           FType == varDate;
}

const std::string& Variant::StrValue() const noexcept {
    assert(FType == varString);
    return TVarAccess::Str(*this)->FText;
}

const std::shared_ptr<TDispatch>& Variant::DispatchValue() const noexcept {
    assert(FType == varDispatch);
    return TVarAccess::Disp(*this)->FObject;
}

// --- Errors (one place builds each text) ----------------------------------------------
namespace {

[[noreturn]] void CantConvert(TVarType from, TVarType to) {
    throw EVariantError("Could not convert variant of type (" + VarTypeAsText(from) +
                        ") into type (" + VarTypeAsText(to) + ")");
}
[[noreturn]] void InvalidConversion() { throw EVariantError("Invalid variant type conversion"); }
[[noreturn]] void InvalidOperation() { throw EVariantError("Invalid variant operation"); }
[[noreturn]] void Overflow() { throw EVariantError("Variant overflow"); }
[[noreturn]] void NotAnArray() { throw EVariantError("Variant is not an array"); }
[[noreturn]] void IndexOutOfBounds() { throw EVariantError("Variant or safe array index out of bounds"); }
[[noreturn]] void CannotCreateArray() { throw EVariantError("Error creating variant or safe array"); }

bool IsIntKind(TVarType t) {
    return t == varInteger || t == varInt64 || t == varSmallint || (t >= varShortInt && t <= varLongWord);
}

// A double rounded half to even into 64 bits.
int64_t RoundToInt64(double d) {
    if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) Overflow();
    return static_cast<int64_t>(std::nearbyint(d));
}

// Currency (times 10000) rounded half to even to a whole number.
int64_t CurrencyToInt64(int64_t c) {
    int64_t q = c / 10000, r = c % 10000;
    if (r > 5000 || (r == 5000 && (q & 1))) ++q;
    else if (r < -5000 || (r == -5000 && (q & 1))) --q;
    return q;
}

int64_t DoubleToCurrency(double d) {
    double scaled = d * 10000.0;
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) Overflow();
    return static_cast<int64_t>(std::nearbyint(scaled));
}

int64_t IntToCurrency(int64_t v) {
    int64_t c;
    if (__builtin_mul_overflow(v, int64_t(10000), &c)) Overflow();
    return c;
}

// The trimmed text of a string Variant, for parsing.
std::string Trimmed(const Variant& v) { return Trim(v.StrValue()); }

bool ParseDouble(const Variant& v, double& d) { return TryStrToFloat(Trimmed(v), d); }

// The value as a 64-bit integer; errors name the target kind.
int64_t ToInt64(const Variant& v, TVarType target) {
    switch (v.Kind()) {
    case varEmpty: return 0;
    case varBoolean: return v.BoolValue() ? -1 : 0;
    case varSingle: return RoundToInt64(TVarAccess::Sgl(v));
    case varDouble:
    case varDate: return RoundToInt64(TVarAccess::Dbl(v));
    case varCurrency: return CurrencyToInt64(TVarAccess::Int(v));
    case varObject: return TVarAccess::Int(v);
    case varString: {
        std::string s = Trimmed(v);
        int64_t i;
        if (TryStrToInt64(s, i)) return i;
        double d;
        if (TryStrToFloat(s, d)) return RoundToInt64(d);
        CantConvert(varString, target);
    }
    case varArray: InvalidConversion();
    default:
        if (IsIntKind(v.Kind())) return TVarAccess::Int(v);
        CantConvert(v.Kind(), target);
    }
}

double ToDouble(const Variant& v, TVarType target) {
    switch (v.Kind()) {
    case varEmpty: return 0;
    case varBoolean: return v.BoolValue() ? -1 : 0;
    case varSingle: return TVarAccess::Sgl(v);
    case varDouble:
    case varDate: return TVarAccess::Dbl(v);
    case varCurrency: return static_cast<double>(TVarAccess::Int(v)) / 10000.0;
    case varObject: return static_cast<double>(TVarAccess::Int(v));
    case varString: {
        double d;
        if (ParseDouble(v, d)) return d;
        CantConvert(varString, target);
    }
    case varArray: InvalidConversion();
    default:
        if (IsIntKind(v.Kind())) return static_cast<double>(TVarAccess::Int(v));
        CantConvert(v.Kind(), target);
    }
}

int64_t ToCurrency(const Variant& v) {
    switch (v.Kind()) {
    case varCurrency: return TVarAccess::Int(v);
    case varSingle:
    case varDouble:
    case varDate:
    case varString: return DoubleToCurrency(ToDouble(v, varCurrency));
    default: return IntToCurrency(ToInt64(v, varCurrency));
    }
}

int64_t CheckRange(int64_t v, int64_t lo, int64_t hi) {
    if (v < lo || v > hi) Overflow();
    return v;
}

}  // namespace

// --- Conversions -----------------------------------------------------------------------
int32_t Variant::AsInteger() const {
    return static_cast<int32_t>(CheckRange(ToInt64(*this, varInteger), INT32_MIN, INT32_MAX));
}

int64_t Variant::AsInt64() const { return ToInt64(*this, varInt64); }

double Variant::AsDouble() const { return ToDouble(*this, varDouble); }

int64_t Variant::AsCurrency() const { return ToCurrency(*this); }

TDateTime Variant::AsDateTime() const {
    if (FType != varString) return ToDouble(*this, varDate);
    TDateTime dt;
    if (TryStrToDateTime(Trimmed(*this), dt)) return dt;
    CantConvert(varString, varDate);
}

bool Variant::AsBoolean() const {
    switch (FType) {
    case varEmpty: return false;
    case varBoolean: return FInt != 0;
    case varSingle: return FSingle != 0;
    case varDouble:
    case varDate: return FDouble != 0;
    case varString: {
        std::string s = Trimmed(*this);
        if (SameText(s, "True")) return true;
        if (SameText(s, "False")) return false;
        double d;
        if (TryStrToFloat(s, d)) return d != 0;
        CantConvert(varString, varBoolean);
    }
    case varArray: InvalidConversion();
    default:
        if (IsIntKind(FType) || FType == varCurrency || FType == varObject) return FInt != 0;
        CantConvert(FType, varBoolean);
    }
}

std::string Variant::AsString() const {
    switch (FType) {
    case varEmpty: return std::string();
    case varString: return StrValue();
    case varBoolean: return FInt ? "True" : "False";
    case varSingle: return FloatToStrF(FSingle, ffGeneral, 7, 0);
    case varDouble: return FloatToStr(FDouble);
    case varCurrency: return CurrToStr(FInt);
    // As Automation shows a date: a value on day 0 is a time of day and shows the time
    // alone; midnight shows the date alone.
    case varDate: return DateOf(FDouble) == 0 && FDouble != 0 ? TimeToStr(FDouble) : DateTimeToStr(FDouble);
    case varObject: return IntToStr(FInt);
    case varArray: InvalidConversion();
    default:
        if (IsIntKind(FType)) return IntToStr(FInt);
        CantConvert(FType, varString);
    }
}

std::shared_ptr<TDispatch> Variant::AsDispatch() const {
    if (FType == varDispatch) return DispatchValue();
    CantConvert(Type(), varDispatch);
}

uint64_t Variant::AsObject() const {
    if (FType == varObject) return static_cast<uint64_t>(FInt);
    if (FType == varEmpty || FType == varNull) return 0;
    if (IsIntKind(FType) && FInt >= 0) return static_cast<uint64_t>(FInt);
    CantConvert(Type(), varObject);
}

Variant Variant::CurrencyFromDouble(double amount) { return FromCurrency(DoubleToCurrency(amount)); }

std::string VarToStr(const Variant& v) { return v.IsNull() ? std::string() : v.AsString(); }

std::string VarTypeAsText(TVarType type) {
    // ORDER VARTYPE
    static const char* const names[] = {
        "Empty", "Null", "Smallint", "Integer", "Single", "Double", "Currency", "Date",
        "OleStr", "Dispatch", "Error", "Boolean", "Variant", "Unknown", "Decimal", "$000F",
        "ShortInt", "Byte", "Word", "LongWord", "Int64",
    };
    static_assert(sizeof(names) / sizeof(names[0]) == varInt64 + 1);
    std::string prefix;
    if (type & varByRef) prefix += "ByRef ";
    if (type & varArray) prefix += "Array ";
    TVarType kind = type & varTypeMask;
    if (kind <= varInt64) return prefix + names[kind];
    switch (kind) {
    case varStrArg: return prefix + "StrArg";
    case varObject: return prefix + "Object";
    case varString: return prefix + "String";
    case varAny: return prefix + "Any";
    default: return prefix + "$" + IntToHex(kind, 4);
    }
}

Variant VarAsType(const Variant& value, TVarType type) {
    if (value.Kind() == type) return value;
    switch (type) {
    case varEmpty: return Variant();
    case varNull: return Variant::Null();
    case varVariant: return value;
    case varShortInt:
        return Variant::FromShortInt(int8_t(CheckRange(ToInt64(value, type), INT8_MIN, INT8_MAX)));
    case varSmallint:
        return Variant::FromSmallInt(int16_t(CheckRange(ToInt64(value, type), INT16_MIN, INT16_MAX)));
    case varInteger:
        return Variant::FromInteger(int32_t(CheckRange(ToInt64(value, type), INT32_MIN, INT32_MAX)));
    case varInt64: return Variant::FromInt64(ToInt64(value, type));
    case varByte: return Variant::FromByte(uint8_t(CheckRange(ToInt64(value, type), 0, UINT8_MAX)));
    case varWord: return Variant::FromWord(uint16_t(CheckRange(ToInt64(value, type), 0, UINT16_MAX)));
    case varLongWord:
        return Variant::FromLongWord(uint32_t(CheckRange(ToInt64(value, type), 0, UINT32_MAX)));
    case varSingle: {
        double d = ToDouble(value, type);
        if (std::isfinite(d) && std::fabs(d) > FLT_MAX) Overflow();
        return Variant::FromSingle(static_cast<float>(d));
    }
    case varDouble: return Variant(ToDouble(value, type));
    case varCurrency: return Variant::FromCurrency(ToCurrency(value));
    case varDate: return Variant::FromDate(value.AsDateTime());
    case varBoolean: return Variant(value.AsBoolean());
    case varOleStr:
    case varString:
        if (value.IsString()) return value;
        return Variant(value.AsString());
    case varDispatch: return Variant(value.AsDispatch());
    case varObject: return Variant::FromObject(value.AsObject());
    default: InvalidConversion();
    }
}

// --- Arithmetic ----------------------------------------------------------------------
namespace {

// How an operand takes part in arithmetic.
enum class TNum { Int, Currency, Date, Float };

// Refuses the kinds that have no arithmetic.
void CheckArithmetic(const Variant& v) {
    switch (v.Kind()) {
    case varArray:
    case varDispatch:
    case varObject: InvalidOperation();
    default:
        if (v.Kind() == varString || v.Kind() == varEmpty || v.Kind() == varBoolean ||
            v.Kind() == varSingle || v.Kind() == varDouble || v.Kind() == varCurrency ||
            v.Kind() == varDate || IsIntKind(v.Kind()))
            return;
        InvalidOperation();
    }
}

TNum NumClass(const Variant& v) {
    switch (v.Kind()) {
    case varCurrency: return TNum::Currency;
    case varDate: return TNum::Date;
    case varSingle:
    case varDouble:
    case varString: return TNum::Float;
    default: return TNum::Int;
    }
}

enum class TArith { Add, Sub, Mul };

Variant IntResult(int64_t v, const Variant& a, const Variant& b) {
    if (a.Kind() == varInt64 || b.Kind() == varInt64) return Variant::FromInt64(v);
    return Variant::FromInt(v);
}

double ApplyDouble(TArith op, double x, double y) {
    switch (op) {
    case TArith::Add: return x + y;
    case TArith::Sub: return x - y;
    case TArith::Mul: return x * y;
    }
    return 0;
}

// Currency product: (x * y) / 10000 rounded half to even.
int64_t CurrencyMul(int64_t x, int64_t y) {
    __int128 p = static_cast<__int128>(x) * y;
    __int128 q = p / 10000, r = p % 10000;
    if (r > 5000 || (r == 5000 && (q & 1))) ++q;
    else if (r < -5000 || (r == -5000 && (q & 1))) --q;
    if (q > INT64_MAX || q < INT64_MIN) Overflow();
    return static_cast<int64_t>(q);
}

Variant Arith(TArith op, const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    CheckArithmetic(a);
    CheckArithmetic(b);
    if (op == TArith::Add) {
        if (a.IsString() && (b.IsString() || b.IsEmpty()))
            return b.IsEmpty() ? a : Variant(a.StrValue() + b.StrValue());
        if (b.IsString() && a.IsEmpty()) return b;
    }
    TNum ca = NumClass(a), cb = NumClass(b);
    if (ca == TNum::Float || cb == TNum::Float)
        return Variant(ApplyDouble(op, ToDouble(a, varDouble), ToDouble(b, varDouble)));
    if (ca == TNum::Date || cb == TNum::Date) {
        double r = ApplyDouble(op, ToDouble(a, varDate), ToDouble(b, varDate));
        bool keepDate = op == TArith::Add || (op == TArith::Sub && !(ca == TNum::Date && cb == TNum::Date));
        return keepDate ? Variant::FromDate(r) : Variant(r);
    }
    if (ca == TNum::Currency || cb == TNum::Currency) {
        int64_t x = ToCurrency(a), y = ToCurrency(b), r;
        switch (op) {
        case TArith::Add:
            if (__builtin_add_overflow(x, y, &r)) Overflow();
            break;
        case TArith::Sub:
            if (__builtin_sub_overflow(x, y, &r)) Overflow();
            break;
        case TArith::Mul: r = CurrencyMul(x, y); break;
        }
        return Variant::FromCurrency(r);
    }
    int64_t x = ToInt64(a, varInt64), y = ToInt64(b, varInt64), r;
    bool overflow = false;
    switch (op) {
    case TArith::Add: overflow = __builtin_add_overflow(x, y, &r); break;
    case TArith::Sub: overflow = __builtin_sub_overflow(x, y, &r); break;
    case TArith::Mul: overflow = __builtin_mul_overflow(x, y, &r); break;
    }
    if (overflow) return Variant(ApplyDouble(op, double(x), double(y)));
    return IntResult(r, a, b);
}

// Both operands as integers for div, mod and the bitwise operators.
void IntOperands(const Variant& a, const Variant& b, int64_t& x, int64_t& y) {
    CheckArithmetic(a);
    CheckArithmetic(b);
    x = ToInt64(a, varInt64);
    y = ToInt64(b, varInt64);
}

}  // namespace

Variant VarAdd(const Variant& a, const Variant& b) { return Arith(TArith::Add, a, b); }
Variant VarSub(const Variant& a, const Variant& b) { return Arith(TArith::Sub, a, b); }
Variant VarMul(const Variant& a, const Variant& b) { return Arith(TArith::Mul, a, b); }

Variant VarDivide(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    CheckArithmetic(a);
    CheckArithmetic(b);
    double x = ToDouble(a, varDouble), y = ToDouble(b, varDouble);
    if (y == 0) throw EZeroDivide("Division by zero");
    return Variant(x / y);
}

Variant VarIntDiv(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    int64_t x, y;
    IntOperands(a, b, x, y);
    if (y == 0) throw EDivByZero("Division by zero");
    if (x == INT64_MIN && y == -1) Overflow();
    return IntResult(x / y, a, b);
}

Variant VarMod(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    int64_t x, y;
    IntOperands(a, b, x, y);
    if (y == 0) throw EDivByZero("Division by zero");
    return IntResult(y == -1 ? 0 : x % y, a, b);
}

namespace {

enum class TLogic { And, Or, Xor };

Variant Logic(TLogic op, const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    if (a.IsBoolean() && b.IsBoolean()) {
        bool x = a.BoolValue(), y = b.BoolValue();
        switch (op) {
        case TLogic::And: return Variant(x && y);
        case TLogic::Or: return Variant(x || y);
        case TLogic::Xor: return Variant(x != y);
        }
    }
    int64_t x, y;
    IntOperands(a, b, x, y);
    switch (op) {
    case TLogic::And: return IntResult(x & y, a, b);
    case TLogic::Or: return IntResult(x | y, a, b);
    case TLogic::Xor: return IntResult(x ^ y, a, b);
    }
    return Variant();
}

Variant Shift(bool left, const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    int64_t x, y;
    IntOperands(a, b, x, y);
    if (a.Kind() == varInt64) {
        auto u = static_cast<uint64_t>(x);
        unsigned n = static_cast<unsigned>(y) & 63;
        return Variant::FromInt64(static_cast<int64_t>(left ? u << n : u >> n));
    }
    auto u = static_cast<uint32_t>(x);
    unsigned n = static_cast<unsigned>(y) & 31;
    return Variant::FromInteger(static_cast<int32_t>(left ? u << n : u >> n));
}

}  // namespace

Variant VarAnd(const Variant& a, const Variant& b) { return Logic(TLogic::And, a, b); }
Variant VarOr(const Variant& a, const Variant& b) { return Logic(TLogic::Or, a, b); }
Variant VarXor(const Variant& a, const Variant& b) { return Logic(TLogic::Xor, a, b); }
Variant VarShl(const Variant& a, const Variant& b) { return Shift(true, a, b); }
Variant VarShr(const Variant& a, const Variant& b) { return Shift(false, a, b); }

Variant VarNot(const Variant& a) {
    if (a.IsNull()) return Variant::Null();
    if (a.IsBoolean()) return Variant(!a.BoolValue());
    CheckArithmetic(a);
    int64_t x = ToInt64(a, varInt64);
    return a.Kind() == varInt64 ? Variant::FromInt64(~x) : Variant::FromInt(~x);
}

Variant VarNeg(const Variant& a) {
    if (a.IsNull()) return Variant::Null();
    CheckArithmetic(a);
    switch (a.Kind()) {
    case varSingle: return Variant::FromSingle(-a.SingleValue());
    case varDouble: return Variant(-a.DoubleValue());
    case varDate: return Variant::FromDate(-a.DoubleValue());
    case varString: return Variant(-ToDouble(a, varDouble));
    case varCurrency:
        if (a.CurrencyValue() == INT64_MIN) Overflow();
        return Variant::FromCurrency(-a.CurrencyValue());
    default: break;
    }
    int64_t x = ToInt64(a, varInt64);
    if (x == INT64_MIN) return Variant(9223372036854775808.0);
    return a.Kind() == varInt64 ? Variant::FromInt64(-x) : Variant::FromInt(-x);
}

// --- Comparison ------------------------------------------------------------------------
namespace {

constexpr int cmpUnordered = 2;

template <class T> int Sign(T x, T y) { return x < y ? -1 : (y < x ? 1 : 0); }

int CompareDoubles(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) return cmpUnordered;
    return Sign(x, y);
}

void CheckComparable(const Variant& v) {
    if (v.IsArray() || v.IsDispatch()) InvalidOperation();
    if (v.IsString() || v.IsNumeric() || v.IsEmpty() || v.IsBoolean() || v.IsObject()) return;
    InvalidOperation();
}

}  // namespace

int VarCompare(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return cmpUnordered;
    CheckComparable(a);
    CheckComparable(b);
    if (a.IsString() || b.IsString()) {
        if (a.IsString() && b.IsString()) return Sign(a.StrValue().compare(b.StrValue()), 0);
        const Variant& s = a.IsString() ? a : b;
        const Variant& other = a.IsString() ? b : a;
        int c;
        if (other.IsEmpty()) {
            c = s.StrValue().empty() ? 0 : 1;
        } else if (other.IsBoolean()) {
            c = Sign(s.AsBoolean() ? -1 : 0, other.BoolValue() ? -1 : 0);
        } else {
            c = CompareDoubles(ToDouble(s, varDouble), ToDouble(other, varDouble));
        }
        if (c == cmpUnordered) return c;
        return a.IsString() ? c : -c;
    }
    TNum ca = NumClass(a), cb = NumClass(b);
    if (ca == TNum::Int && cb == TNum::Int) return Sign(ToInt64(a, varInt64), ToInt64(b, varInt64));
    if ((ca == TNum::Currency || ca == TNum::Int) && (cb == TNum::Currency || cb == TNum::Int)) {
        auto scaled = [](const Variant& v) {
            return v.Kind() == varCurrency ? static_cast<__int128>(TVarAccess::Int(v))
                                           : static_cast<__int128>(ToInt64(v, varInt64)) * 10000;
        };
        return Sign(scaled(a), scaled(b));
    }
    return CompareDoubles(ToDouble(a, varDouble), ToDouble(b, varDouble));
}

bool VarEquals(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
    if (a.IsDispatch() && b.IsDispatch()) return a.DispatchValue() == b.DispatchValue();
    return VarCompare(a, b) == 0;
}

Variant VarOp(TVarOp op, const Variant& a, const Variant& b) {
    switch (op) {
    case TVarOp::Add: return a + b;
    case TVarOp::Subtract: return a - b;
    case TVarOp::Multiply: return a * b;
    case TVarOp::Divide: return VarDivide(a, b);
    case TVarOp::IntDivide: return VarIntDiv(a, b);
    case TVarOp::Modulus: return VarMod(a, b);
    case TVarOp::ShiftLeft: return VarShl(a, b);
    case TVarOp::ShiftRight: return VarShr(a, b);
    case TVarOp::And: return VarAnd(a, b);
    case TVarOp::Or: return VarOr(a, b);
    case TVarOp::Xor: return VarXor(a, b);
    case TVarOp::CmpEQ: return Variant(a == b);
    case TVarOp::CmpNE: return Variant(a != b);
    case TVarOp::CmpLT: return Variant(a < b);
    case TVarOp::CmpLE: return Variant(a <= b);
    case TVarOp::CmpGT: return Variant(a > b);
    case TVarOp::CmpGE: return Variant(a >= b);
    }
    InvalidOperation();
}

// --- Arrays ----------------------------------------------------------------------------
namespace {

constexpr size_t MaxDimensions = 64;
constexpr int64_t MaxElements = int64_t(1) << 28;

bool IsElementType(TVarType t) {
    switch (t) {
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency:
    case varDate: case varOleStr: case varBoolean: case varVariant: case varShortInt:
    case varByte: case varWord: case varLongWord: case varInt64: case varString:
        return true;
    default:
        return false;
    }
}

// The value a fresh element of the kind holds.
Variant DefaultElement(TVarType t) {
    return t == varVariant ? Variant() : VarAsType(Variant(), t);
}

const TVarArrayRep* ArrayOf(const Variant& v) {
    if (!v.IsArray()) NotAnArray();
    return TVarAccess::Arr(v);
}

size_t ElementOffset(const TVarArrayRep* rep, std::span<const int32_t> indices) {
    if (indices.size() != rep->FBounds.size()) IndexOutOfBounds();
    size_t offset = 0, stride = 1;
    for (size_t d = 0; d < indices.size(); ++d) {
        const TVarArrayBound& b = rep->FBounds[d];
        int64_t i = int64_t(indices[d]) - b.LowBound;
        if (i < 0 || i >= b.ElementCount) IndexOutOfBounds();
        offset += static_cast<size_t>(i) * stride;
        stride *= static_cast<size_t>(b.ElementCount);
    }
    return offset;
}

}  // namespace

Variant VarArrayCreate(std::span<const int32_t> bounds, TVarType elementType) {
    if (bounds.empty() || bounds.size() % 2 != 0 || bounds.size() / 2 > MaxDimensions ||
        !IsElementType(elementType))
        CannotCreateArray();
    if (elementType == varOleStr) elementType = varString;
    auto rep = std::make_unique<TVarArrayRep>();
    rep->FElementType = elementType;
    int64_t total = 1;
    for (size_t i = 0; i < bounds.size(); i += 2) {
        int64_t count = int64_t(bounds[i + 1]) - bounds[i] + 1;
        if (count < 0) CannotCreateArray();
        total *= count;
        if (total > MaxElements) CannotCreateArray();
        rep->FBounds.push_back({bounds[i], static_cast<int32_t>(count)});
    }
    rep->FItems.assign(static_cast<size_t>(total), DefaultElement(elementType));
    return TVarAccess::WithRep(varArray, rep.release());
}

Variant VarArrayOf(std::vector<Variant> values) {
    if (values.size() > static_cast<size_t>(MaxElements)) CannotCreateArray();
    auto* rep = new TVarArrayRep();
    rep->FBounds.push_back({0, static_cast<int32_t>(values.size())});
    rep->FItems = std::move(values);
    return TVarAccess::WithRep(varArray, rep);
}

int VarArrayDimCount(const Variant& a) {
    return a.IsArray() ? static_cast<int>(TVarAccess::Arr(a)->FBounds.size()) : 0;
}

int32_t VarArrayLowBound(const Variant& a, int dim) {
    const TVarArrayRep* rep = ArrayOf(a);
    if (dim < 1 || dim > static_cast<int>(rep->FBounds.size())) IndexOutOfBounds();
    return rep->FBounds[dim - 1].LowBound;
}

int32_t VarArrayHighBound(const Variant& a, int dim) {
    const TVarArrayRep* rep = ArrayOf(a);
    if (dim < 1 || dim > static_cast<int>(rep->FBounds.size())) IndexOutOfBounds();
    const TVarArrayBound& b = rep->FBounds[dim - 1];
    return static_cast<int32_t>(int64_t(b.LowBound) + b.ElementCount - 1);
}

void VarArrayRedim(Variant& a, int32_t highBound) {
    ArrayOf(a);
    TVarArrayRep* rep = TVarAccess::MutableArr(a);
    TVarArrayBound& last = rep->FBounds.back();
    int64_t count = int64_t(highBound) - last.LowBound + 1;
    if (count < 0) IndexOutOfBounds();
    int64_t others = 1;
    for (size_t d = 0; d + 1 < rep->FBounds.size(); ++d) others *= rep->FBounds[d].ElementCount;
    if (count > 0 && others * count > MaxElements) CannotCreateArray();
    last.ElementCount = static_cast<int32_t>(count);
    rep->FItems.resize(static_cast<size_t>(others * count), DefaultElement(rep->FElementType));
}

const Variant& Variant::GetElement(std::span<const int32_t> indices) const {
    const TVarArrayRep* rep = ArrayOf(*this);
    return rep->FItems[ElementOffset(rep, indices)];
}

void Variant::PutElement(std::span<const int32_t> indices, Variant value) {
    size_t offset = ElementOffset(ArrayOf(*this), indices);
    TVarType kind = TVarAccess::Arr(*this)->FElementType;
    if (kind != varVariant) value = VarAsType(value, kind);
    TVarAccess::MutableArr(*this)->FItems[offset] = std::move(value);
}

Variant& Variant::ElementRef(std::span<const int32_t> indices) {
    size_t offset = ElementOffset(ArrayOf(*this), indices);
    if (TVarAccess::Arr(*this)->FElementType != varVariant) InvalidOperation();
    return TVarAccess::MutableArr(*this)->FItems[offset];
}

// --- Late-bound calls ------------------------------------------------------------------
Variant DispatchInvoke(const Variant& obj, std::string_view name, unsigned kind,
                       std::vector<Variant> args, bool needResult) {
    std::shared_ptr<TDispatch> object = obj.AsDispatch();
    auto fail = [&](uint32_t code) {
        throw EOleError("OLE error " + IntToHex(code, 8) + ": " + std::string(name));
    };
    int32_t id = 0;
    if (uint32_t code = object->GetIDsOfNames(name, id); code != S_OK) fail(code);
    std::reverse(args.begin(), args.end());
    Variant result;
    bool wantResult = needResult && !(kind & ikPropertyPut);
    if (uint32_t code = object->Invoke(id, kind, args, wantResult ? &result : nullptr); code != S_OK)
        fail(code);
    return result;
}
