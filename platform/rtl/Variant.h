// Variant: the dynamically typed value of the script engine, the report engine and the
// data layer, with automation (OLE) rules for kinds, conversions and operators.
//
// Kinds and what a Variant holds for each (STORAGE: which member is valid):
//   varEmpty      nothing (unassigned)
//   varNull       nothing (the database's NULL)
//   varShortInt, varSmallint, varInteger, varInt64, varByte, varWord, varLongWord
//                 FInt: the value, sign- or zero-extended to 64 bits (a Byte holds 0..255)
//   varBoolean    FInt: 1 for True, 0 for False (arithmetic sees True as -1)
//   varSingle     FSingle
//   varDouble     FDouble
//   varDate       FDouble: days since 1899-12-30, the fraction being the time of day
//   varCurrency   FInt: the amount times 10000 (four decimals, exact)
//   varString     FRep -> TVarStringRep (UTF-8 text, shared, never changed while shared)
//   varDispatch   FRep -> TVarDispatchRep (a std::shared_ptr<TDispatch>, never null)
//   varObject     FInt: a checked object handle (Handles.h); 0 is nil
//   varArray|t    FRep -> TVarArrayRep (bounds, element kind t, elements)
// Small kinds live inline: copying, adding and comparing integers never allocates.
//
// Rules this type implements where automation leaves a choice:
// Arithmetic (+ - * / div mod, and or xor not, neg, shl shr)
//   - Null in any arithmetic or logical operator gives Null (also "False and Null").
//   - Empty counts as 0, or as '' against a string (Empty + 'a' = 'a').
//   - Boolean is -1 (True) or 0 (False) in arithmetic; Boolean and/or/xor/not Boolean stay
//     Boolean; otherwise and/or/xor/not are bitwise on integers (6 and 3 = 2, not 5 = -6).
//   - Integer kinds combine in 64 bits: the result is an Integer when it fits 32 bits and
//     neither operand is an Int64, else an Int64; an Int64 overflow gives a Double.
//   - Any Single or Double operand makes the result a Double.
//   - Currency with Currency, an integer, a Boolean or Empty keeps Currency for + - and *
//     (exact, the product rounded half to even at the fourth decimal); Currency with a
//     Double gives a Double.
//   - Date +/- a number is a Date; Date - Date is a Double (days between); other operators
//     on dates work on their day numbers and give Doubles.
//   - String + String concatenates. A string with a number (or a string in - * / etc.)
//     is converted to a Double ("." separator, blanks trimmed) and a text that is no number
//     raises EVariantError "Could not convert variant of type (String) into type (Double)".
//   - / always gives a Double; div and mod round both operands to integers (halves to even)
//     and truncate (-7 div 2 = -3, -7 mod 2 = -1).
//   - / by zero raises EZeroDivide, div and mod by zero raise EDivByZero, both
//     "Division by zero" (no infinities, no NaN).
//   - shl/shr: an Int64 left operand shifts in 64 bits (count mod 64), every other kind in
//     32 bits (count mod 32); shr is a logical shift.
//   - Arrays, automation objects and object handles in arithmetic raise
//     "Invalid variant operation".
// Comparison (= <> < <= > >=, always a bool)
//   - Null = Null is True, Null = x is False, Null <> x is True; < <= > >= with Null False.
//   - Numbers compare by value across kinds (integers exactly, Currency exactly against
//     integers and Currency, otherwise as doubles); Dates as their day numbers.
//   - Strings compare by byte order, case-sensitive. String against a number converts the
//     string to a Double (a text that is no number raises); against a Boolean, to Boolean.
//   - Boolean compares as -1/0, so True < False.
//   - Empty equals 0 and ''. Object handles compare as integers (nil = 0).
//     Two automation objects are equal when they are the same object; any other
//     comparison with an automation object or an array raises "Invalid variant operation".
// Conversion (AsInteger, AsString, ...; failures raise EVariantError)
//   - To an integer: a float is rounded half to even; a string is parsed as an integer,
//     else as a float and rounded; True is -1; Empty is 0; a value outside the target's
//     range raises "Variant overflow"; Null, arrays and automation objects cannot convert.
//     An object handle converts to its 64-bit value (and overflows AsInteger).
//   - To a string: integers in decimal, floats as FloatToStr (Single with 7 digits),
//     Currency as CurrToStr, Date as DateTimeToStr, Boolean "True"/"False", Empty ''.
//     Null raises here; VarToStr gives '' for Null.
//   - To a Boolean: a number is True when it is not 0; "True"/"False" in any case or a
//     numeric string; anything else raises.
//   - Failed conversions raise "Could not convert variant of type (%s) into type (%s)"
//     with the names of VarTypeAsText; arrays as scalars "Invalid variant type conversion".
// Arrays
//   - Any number of dimensions (up to 64), each with its own low and high bound.
//   - Arrays have value semantics: copies share the elements until one of them is
//     changed (copy-on-write), so passing arrays around costs no copying.
//   - A typed array (VarArrayCreate with varInteger, varString, ...) starts with the
//     kind's zero and converts every element put into it; a varVariant array holds any
//     value and starts with Empty elements.
//   - varByRef is a code only: by-reference values are not a kind of their own; callers
//     write results back through references to Variants (ElementRef for array elements).
#pragma once

#include <atomic>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Currency.h"
#include "DateTime.h"
#include "Exceptions.h"

// --- Type codes (VarType). ORDER VARTYPE: keep in step with VarTypeAsText. -------------
using TVarType = uint16_t;
constexpr TVarType varEmpty = 0;
constexpr TVarType varNull = 1;
constexpr TVarType varSmallint = 2;
constexpr TVarType varInteger = 3;
constexpr TVarType varSingle = 4;
constexpr TVarType varDouble = 5;
constexpr TVarType varCurrency = 6;
constexpr TVarType varDate = 7;
constexpr TVarType varOleStr = 8;      // accepted as an element kind; stored as varString
constexpr TVarType varDispatch = 9;
constexpr TVarType varError = 10;
constexpr TVarType varBoolean = 11;
constexpr TVarType varVariant = 12;
constexpr TVarType varUnknown = 13;
constexpr TVarType varShortInt = 16;
constexpr TVarType varByte = 17;
constexpr TVarType varWord = 18;
constexpr TVarType varLongWord = 19;
constexpr TVarType varInt64 = 20;
constexpr TVarType varStrArg = 72;
// A checked object handle (Handles.h): the objects that scripts and events pass
// "as integers". A code of our own, unused by the standard table.
constexpr TVarType varObject = 73;
constexpr TVarType varString = 256;
constexpr TVarType varAny = 257;
constexpr TVarType varTypeMask = 4095;
constexpr TVarType varArray = 8192;
constexpr TVarType varByRef = 16384;

class Variant;

// A failing automation call ("OLE error 80020006: Foo").
ROVE_DECLARE_EXCEPTION(EOleError, Exception);

// --- Automation objects --------------------------------------------------------------
// Invoke kinds; a plain name may be read as a property or called as a method, so the
// script engine passes ikMethod | ikPropertyGet for it.
enum TInvokeKind : unsigned {
    ikMethod = 1,
    ikPropertyGet = 2,
    ikPropertyPut = 4,
};

// Result codes of Invoke (automation's HRESULT values).
constexpr uint32_t S_OK = 0;
constexpr uint32_t DISP_E_MEMBERNOTFOUND = 0x80020003;
constexpr uint32_t DISP_E_PARAMNOTFOUND = 0x80020004;
constexpr uint32_t DISP_E_TYPEMISMATCH = 0x80020005;
constexpr uint32_t DISP_E_UNKNOWNNAME = 0x80020006;
constexpr uint32_t DISP_E_EXCEPTION = 0x80020009;
constexpr uint32_t DISP_E_BADPARAMCOUNT = 0x8002000E;
constexpr uint32_t CO_E_CLASSSTRING = 0x800401F3;   // unknown programmatic identifier

// A late-bound automation object (the spreadsheet server, objects it hands out).
// Implementations live above this layer (platform/automation); a Variant holds them
// through std::shared_ptr, so the object lives while any Variant refers to it.
class TDispatch {
public:
    virtual ~TDispatch() = default;
    // Looks a member up by name (as written; the server decides about case).
    // Returns S_OK and sets dispId, or DISP_E_UNKNOWNNAME.
    virtual uint32_t GetIDsOfNames(std::string_view name, int32_t& dispId) = 0;
    // Calls the member. args follow the automation convention: the LAST argument comes
    // first; for ikPropertyPut args[0] is the value written and the rest are indices.
    // result is null when the caller does not need a result. Returns S_OK or an error code.
    virtual uint32_t Invoke(int32_t dispId, unsigned kind, std::span<Variant> args,
                            Variant* result) = 0;
};

// --- Shared payloads (internal; reached only through Variant) -----------------------
struct TVarRep {
    std::atomic<int32_t> FRefs{1};
};
struct TVarStringRep;
struct TVarDispatchRep;
struct TVarArrayRep;

// One dimension of a Variant array.
struct TVarArrayBound {
    int32_t LowBound;
    int32_t ElementCount;
};

class Variant {
public:
    // --- Construction ---------------------------------------------------------------
    Variant() noexcept : FType(varEmpty), FInt(0) {}
    Variant(int v) noexcept : FType(varInteger), FInt(v) {}
    Variant(long v) noexcept : FType(varInt64), FInt(v) {}
    Variant(long long v) noexcept : FType(varInt64), FInt(v) {}
    Variant(unsigned v) noexcept : FType(varLongWord), FInt(v) {}
    Variant(double v) noexcept : FType(varDouble), FDouble(v) {}
    Variant(bool v) noexcept : FType(varBoolean), FInt(v ? 1 : 0) {}
    Variant(const char* s);
    Variant(std::string_view s);
    Variant(std::string s);
    Variant(std::shared_ptr<TDispatch> dispatch);   // a null pointer gives Empty
    // A pointer would silently become a Boolean; objects go through handles.
    template <class T> Variant(T*) = delete;
    Variant(std::nullptr_t) = delete;

    static Variant Null() noexcept { Variant v; v.FType = varNull; return v; }
    static Variant Empty() noexcept { return Variant(); }
    static Variant FromShortInt(int8_t v) noexcept { return Variant(varShortInt, v); }
    static Variant FromSmallInt(int16_t v) noexcept { return Variant(varSmallint, v); }
    static Variant FromInteger(int32_t v) noexcept { return Variant(varInteger, v); }
    static Variant FromInt64(int64_t v) noexcept { return Variant(varInt64, v); }
    static Variant FromByte(uint8_t v) noexcept { return Variant(varByte, v); }
    static Variant FromWord(uint16_t v) noexcept { return Variant(varWord, v); }
    static Variant FromLongWord(uint32_t v) noexcept { return Variant(varLongWord, v); }
    static Variant FromSingle(float v) noexcept { Variant r; r.FType = varSingle; r.FSingle = v; return r; }
    static Variant FromDouble(double v) noexcept { return Variant(v); }
    static Variant FromDate(TDateTime v) noexcept { Variant r(v); r.FType = varDate; return r; }
    static Variant FromCurrency(int64_t times10000) noexcept { return Variant(varCurrency, times10000); }
    static Variant FromCurrency(Currency amount) noexcept { return Variant(varCurrency, amount.Scaled()); }
    // The amount rounded half to even at the fourth decimal; raises "Variant overflow".
    static Variant CurrencyFromDouble(double amount);
    // An object handle (0 is nil) as scripts and events pass objects.
    static Variant FromObject(uint64_t handle) noexcept {
        return Variant(varObject, static_cast<int64_t>(handle));
    }
    // An integer as the narrowest of Integer and Int64 that holds it (integer results).
    static Variant FromInt(int64_t v) noexcept {
        return static_cast<int32_t>(v) == v ? Variant(varInteger, v) : Variant(varInt64, v);
    }

    Variant(const Variant& other) noexcept : FType(other.FType), FOwns(other.FOwns), FInt(other.FInt) {
        if (HasRep()) FRep->FRefs.fetch_add(1, std::memory_order_relaxed);
    }
    Variant(Variant&& other) noexcept : FType(other.FType), FOwns(other.FOwns), FInt(other.FInt) {
        other.FType = varEmpty;
        other.FOwns = false;
        other.FInt = 0;
    }
    // Both assignments take the new value before the old one is released: the old value
    // may be an array holding the new one.
    Variant& operator=(const Variant& other) noexcept {
        if (other.HasRep()) other.FRep->FRefs.fetch_add(1, std::memory_order_relaxed);
        const TVarType type = other.FType;
        const bool owns = other.FOwns;
        const int64_t value = other.FInt;
        if (HasRep()) Release();
        FType = type;
        FOwns = owns;
        FInt = value;
        return *this;
    }
    // Moving a value onto itself needs no test: the value is read and the place emptied
    // before anything is released.
    Variant& operator=(Variant&& other) noexcept {
        const TVarType type = other.FType;
        const bool owns = other.FOwns;
        const int64_t value = other.FInt;
        other.FType = varEmpty;
        other.FOwns = false;
        other.FInt = 0;
        if (HasRep()) Release();
        FType = type;
        FOwns = owns;
        FInt = value;
        return *this;
    }
    // Inline everywhere: a destructor runs for every temporary, and a large unit of its own
    // may otherwise leave it a call.
    [[gnu::always_inline]] ~Variant() { if (HasRep()) Release(); }
    // The two words exchanged whole (a Variant holds no pointer into itself).
    void Swap(Variant& other) noexcept {
        unsigned char mine[sizeof(Variant)];
        std::memcpy(mine, static_cast<const void*>(this), sizeof(Variant));
        std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), sizeof(Variant));
        std::memcpy(static_cast<void*>(&other), mine, sizeof(Variant));
    }
    void Clear() noexcept { Variant().Swap(*this); }
    // Stores an integer as FromInt makes it, in place (the script engine's loop counters
    // and integer sums).
    void SetInt(int64_t v) noexcept {
        if (HasRep()) Release();
        FOwns = false;
        FType = static_cast<int32_t>(v) == v ? varInteger : varInt64;
        FInt = v;
    }
    // SetInt on a value that holds an integer already, so nothing is released.
    void ReplaceInt(int64_t v) noexcept {
        assert(IsInteger() && !HasRep());
        FType = static_cast<int32_t>(v) == v ? varInteger : varInt64;
        FInt = v;
    }

    // --- Kind ------------------------------------------------------------------------
    // The full type code: the kind, with varArray added for arrays.
    TVarType Type() const noexcept;
    // The kind alone: varArray for every array (cheaper than Type()).
    TVarType Kind() const noexcept { return FType; }
    bool IsEmpty() const noexcept { return FType == varEmpty; }
    bool IsNull() const noexcept { return FType == varNull; }
    bool IsArray() const noexcept { return FType == varArray; }
    bool IsString() const noexcept { return FType == varString; }
    bool IsDispatch() const noexcept { return FType == varDispatch; }
    bool IsObject() const noexcept { return FType == varObject; }
    bool IsBoolean() const noexcept { return FType == varBoolean; }
    // ShortInt, SmallInt, Integer, Int64, Byte, Word, LongWord.
    bool IsInteger() const noexcept { return IsIntegerKind(FType); }
    // An integer kind, Single, Double, Currency or Date.
    bool IsNumeric() const noexcept;

    // --- Raw access: valid only for the kinds named (checked in debug builds) ---------
    int64_t IntValue() const noexcept { assert(IsInteger()); return FInt; }          // integer kinds
    bool BoolValue() const noexcept { assert(IsBoolean()); return FInt != 0; }       // varBoolean
    double DoubleValue() const noexcept { assert(FType == varDouble || FType == varDate); return FDouble; }
    float SingleValue() const noexcept { assert(FType == varSingle); return FSingle; }
    int64_t CurrencyValue() const noexcept { assert(FType == varCurrency); return FInt; }  // times 10000
    uint64_t ObjectValue() const noexcept { assert(IsObject()); return static_cast<uint64_t>(FInt); }
    const std::string& StrValue() const noexcept;                                    // varString
    // Appends text to a string whose text no other Variant shares, in place (amortised
    // constant time: the script engine's s := s + t). False, and nothing changed, for any
    // other kind or a shared text.
    bool AppendUnshared(std::string_view text);
    const std::shared_ptr<TDispatch>& DispatchValue() const noexcept;               // varDispatch

    // --- Conversions (raise EVariantError; see the rules above) -----------------------
    int32_t AsInteger() const;
    int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    std::string AsString() const;
    int64_t AsCurrency() const;          // times 10000
    TDateTime AsDateTime() const;
    // The automation object, or "Could not convert ... into type (Dispatch)".
    std::shared_ptr<TDispatch> AsDispatch() const;
    // An object handle: the handle of varObject, the value of an integer kind (>= 0),
    // 0 (nil) for Empty and Null; anything else raises a conversion error into type (Object).
    uint64_t AsObject() const;

    // --- Array elements (raise "Variant is not an array",
    //     "Variant or safe array index out of bounds") ----------------------------------
    // One index per dimension, first dimension first.
    const Variant& GetElement(std::span<const int32_t> indices) const;
    const Variant& GetElement(std::initializer_list<int32_t> indices) const {
        return GetElement(std::span<const int32_t>(indices.begin(), indices.size()));
    }
    // Stores value converted to the array's element kind.
    void PutElement(std::span<const int32_t> indices, Variant value);
    void PutElement(std::initializer_list<int32_t> indices, Variant value) {
        PutElement(std::span<const int32_t>(indices.begin(), indices.size()), std::move(value));
    }
    // The element itself, for writing back (var parameters). The array is unshared
    // first. Only for varVariant arrays, whose elements may hold any kind.
    Variant& ElementRef(std::span<const int32_t> indices);
    Variant& ElementRef(std::initializer_list<int32_t> indices) {
        return ElementRef(std::span<const int32_t>(indices.begin(), indices.size()));
    }

private:
    friend struct TVarAccess;
    Variant(TVarType type, int64_t v) noexcept : FType(type), FInt(v) {}
    // SmallInt, Integer, ShortInt, Byte, Word, LongWord and Int64 as bits of their codes.
    static constexpr uint32_t kIntegerKinds = (1u << varSmallint) | (1u << varInteger) | (1u << varShortInt) |
                                               (1u << varByte) | (1u << varWord) | (1u << varLongWord) |
                                               (1u << varInt64);
    static constexpr bool IsIntegerKind(TVarType t) noexcept { return t < 32 && ((kIntegerKinds >> t) & 1u); }
    // A payload is held (string, automation object, array): every copy and destruction
    // asks, so it is a flag of its own.
    bool HasRep() const noexcept {
        assert(FOwns == (FType == varString || FType == varArray || FType == varDispatch));
        return FOwns;
    }
    void Release() noexcept;

    // For arrays FType is varArray; the element kind is in the array payload.
    TVarType FType;
    bool FOwns = false;
    union {
        int64_t FInt;
        double FDouble;
        float FSingle;
        TVarRep* FRep;
    };
};

static_assert(sizeof(Variant) == 16, "Variant stays two words");

// --- Inspection ----------------------------------------------------------------------
inline TVarType VarType(const Variant& v) noexcept { return v.Type(); }
inline bool VarIsNull(const Variant& v) noexcept { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) noexcept { return v.IsEmpty(); }
inline bool VarIsArray(const Variant& v) noexcept { return v.IsArray(); }
inline bool VarIsStr(const Variant& v) noexcept { return v.IsString(); }
// The text of a value: Null (and Empty) give '', everything else as AsString.
std::string VarToStr(const Variant& v);
// "Integer", "String", "Null", ...; arrays "Array Integer"; by-reference codes "ByRef ...".
std::string VarTypeAsText(TVarType type);
// value converted to the kind type (one of the scalar codes above).
Variant VarAsType(const Variant& value, TVarType type);

// --- Arrays --------------------------------------------------------------------------
// bounds holds low and high bound pairs, two per dimension; elementType is varVariant or
// a scalar kind. Bad bounds raise "Error creating variant or safe array".
Variant VarArrayCreate(std::span<const int32_t> bounds, TVarType elementType);
inline Variant VarArrayCreate(std::initializer_list<int32_t> bounds, TVarType elementType) {
    return VarArrayCreate(std::span<const int32_t>(bounds.begin(), bounds.size()), elementType);
}
// A one-dimensional varVariant array [0 .. n-1] of the values.
Variant VarArrayOf(std::vector<Variant> values);
int VarArrayDimCount(const Variant& a);                 // 0 for a value that is no array
int32_t VarArrayLowBound(const Variant& a, int dim);    // dim is 1-based
int32_t VarArrayHighBound(const Variant& a, int dim);
// Changes the high bound of the last dimension, keeping the elements that stay inside.
void VarArrayRedim(Variant& a, int32_t highBound);
inline const Variant& VarArrayGet(const Variant& a, std::span<const int32_t> indices) {
    return a.GetElement(indices);
}
inline void VarArrayPut(Variant& a, Variant value, std::span<const int32_t> indices) {
    a.PutElement(indices, std::move(value));
}

// --- Operators -----------------------------------------------------------------------
// Operator codes for callers that dispatch on an operator (the script engine).
// ORDER VAROP
enum class TVarOp : uint8_t {
    Add, Subtract, Multiply, Divide, IntDivide, Modulus, ShiftLeft, ShiftRight, And, Or, Xor,
    CmpEQ, CmpNE, CmpLT, CmpLE, CmpGT, CmpGE,
};
// Binary operation by code; comparisons give Boolean Variants.
Variant VarOp(TVarOp op, const Variant& a, const Variant& b);

// The slow paths behind the inline operators (any kinds).
Variant VarAdd(const Variant& a, const Variant& b);
Variant VarSub(const Variant& a, const Variant& b);
Variant VarMul(const Variant& a, const Variant& b);
Variant VarDivide(const Variant& a, const Variant& b);     // '/'
Variant VarIntDiv(const Variant& a, const Variant& b);     // div
Variant VarMod(const Variant& a, const Variant& b);        // mod
Variant VarAnd(const Variant& a, const Variant& b);
Variant VarOr(const Variant& a, const Variant& b);
Variant VarXor(const Variant& a, const Variant& b);
Variant VarShl(const Variant& a, const Variant& b);
Variant VarShr(const Variant& a, const Variant& b);
Variant VarNot(const Variant& a);
Variant VarNeg(const Variant& a);
// Three-way comparison: -1, 0, 1, or 2 when either side is Null (unordered).
int VarCompare(const Variant& a, const Variant& b);
bool VarEquals(const Variant& a, const Variant& b);        // with the Null rules above

inline Variant operator+(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger)
        return Variant::FromInt(a.IntValue() + b.IntValue());
    return VarAdd(a, b);
}
inline Variant operator-(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger)
        return Variant::FromInt(a.IntValue() - b.IntValue());
    return VarSub(a, b);
}
inline Variant operator*(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger)
        return Variant::FromInt(a.IntValue() * b.IntValue());   // |product| < 2^62
    return VarMul(a, b);
}
inline Variant operator/(const Variant& a, const Variant& b) { return VarDivide(a, b); }
inline Variant operator-(const Variant& a) { return VarNeg(a); }

inline bool operator==(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger) return a.IntValue() == b.IntValue();
    return VarEquals(a, b);
}
inline bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }
inline bool operator<(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger) return a.IntValue() < b.IntValue();
    return VarCompare(a, b) == -1;
}
inline bool operator>(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger) return a.IntValue() > b.IntValue();
    return VarCompare(a, b) == 1;
}
inline bool operator<=(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger) return a.IntValue() <= b.IntValue();
    int c = VarCompare(a, b);
    return c == -1 || c == 0;
}
inline bool operator>=(const Variant& a, const Variant& b) {
    if (a.Kind() == varInteger && b.Kind() == varInteger) return a.IntValue() >= b.IntValue();
    int c = VarCompare(a, b);
    return c == 1 || c == 0;
}

// --- Late-bound calls ----------------------------------------------------------------
// Calls member name of the automation object in obj with args in script order (first
// argument first; for ikPropertyPut the value written last). Passes a result place only
// when needResult is set and kind is not a put. A failing look-up or call raises
// EOleError "OLE error %08X: name".
Variant DispatchInvoke(const Variant& obj, std::string_view name, unsigned kind,
                       std::vector<Variant> args, bool needResult = true);
