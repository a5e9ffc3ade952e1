// Type information of published properties: what kind of value a property holds, the
// names of enumeration and set elements, identifier maps of integer types (colours), and
// the name of the type as streaming, scripts and the object inspector show it.
//
// One TTypeInfo exists per type; properties point at it. Which members are valid:
//   tkInteger, tkInt64  Idents (optional: identifiers such as clRed for a TColor)
//   tkChar              nothing more (a code point)
//   tkEnumeration       EnumNames (ordinals 0 .. n-1); Boolean is the enumeration named
//                       "Boolean" with False, True (IsBoolean())
//   tkSet               CompType: the element enumeration; the value is a bit mask with
//                       bit i standing for the element of ordinal i (at most 32 elements)
//   tkFloat             FloatType
//   tkString, tkVariant nothing more
//   tkClass             ClassType (nullptr for string lists: IsStringList())
//   tkMethod            Signature: the handler signature of the event (typeid)
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

class TClassInfo;
using TClass = const TClassInfo*;
class Variant;
class TStrings;

// ORDER TYPEKIND: keep TypeKindName in step.
enum TTypeKind : uint8_t {
    tkUnknown,
    tkInteger,       // 32-bit signed
    tkInt64,
    tkChar,          // one character (code point)
    tkEnumeration,   // Boolean included
    tkSet,
    tkFloat,
    tkString,
    tkVariant,
    tkClass,         // persistent sub-object, component reference or string list
    tkMethod,        // event
};
const char* TypeKindName(TTypeKind kind);

// ORDER FLOATTYPE. The names keep clear of the field types of platform/db (ftCurrency,
// ftDateTime there), which the same code uses side by side.
enum TFloatType : uint8_t { ftDouble, ftExtended, ftSingle, ftCurr, ftDateTimeFloat };

// Integer identifiers of an integer type (colour and cursor names): value <-> name.
struct TIdentMapEntry {
    int64_t Value;
    const char* Name;
};
using TIdentMap = std::vector<TIdentMapEntry>;

class TTypeInfo {
public:
    TTypeKind Kind = tkUnknown;
    std::string Name;                        // "Integer", "TColor", "Boolean", "TFontStyles", "TFont"
    TFloatType FloatType = ftExtended;       // tkFloat
    std::vector<std::string> EnumNames;      // tkEnumeration
    const TTypeInfo* CompType = nullptr;     // tkSet
    const TIdentMap* Idents = nullptr;       // tkInteger, tkInt64 (optional)
    TClass ClassType = nullptr;              // tkClass
    const std::type_info* Signature = nullptr;   // tkMethod

    bool IsBoolean() const;                  // the enumeration named "Boolean" (any case)
    bool IsStringList() const { return Kind == tkClass && ClassType == nullptr; }
    bool IsOrdinal() const {
        return Kind == tkInteger || Kind == tkInt64 || Kind == tkChar || Kind == tkEnumeration ||
               Kind == tkSet;
    }
    int EnumCount() const { return static_cast<int>(EnumNames.size()); }

    // Builders for the type-information tables.
    static TTypeInfo Enumeration(std::string name, std::vector<std::string> names);
    // names as one comma-separated text (what the ROVE_ENUM macro stringises).
    static TTypeInfo EnumerationFromList(std::string name, std::string_view commaList);
    static TTypeInfo Set(std::string name, const TTypeInfo* elements);
    static TTypeInfo Integer(std::string name, const TIdentMap* idents = nullptr);
    static TTypeInfo Float(std::string name, TFloatType type);
    static TTypeInfo Method(std::string name, const std::type_info& signature);
    static TTypeInfo Class(TClass cls);
};

// --- Enumeration and set names ---------------------------------------------------------
// The name of ordinal value (empty when out of range).
std::string GetEnumName(const TTypeInfo* type, int64_t value);
// The ordinal of name ignoring case, or -1.
int GetEnumValue(const TTypeInfo* type, std::string_view name);
// "[fsBold,fsItalic]" (brackets optional); type is the set type.
std::string SetToString(const TTypeInfo* setType, uint32_t mask, bool brackets = true);
// Parses "[a, b]" or "a,b"; an unknown name raises EConvertError
// ("'x' 不是 TFontStyles 的有效元素").
uint32_t StringToSet(const TTypeInfo* setType, std::string_view text);
// Identifier of an integer value (false when the map has none).
bool IntToIdent(const TTypeInfo* type, int64_t value, std::string& ident);
bool IdentToInt(const TTypeInfo* type, std::string_view ident, int64_t& value);

// --- Sets --------------------------------------------------------------------------------
// A set of enumeration elements as a bit mask (bit i = the element of ordinal i).
template <class E>
class TSet {
public:
    constexpr TSet() noexcept = default;
    constexpr TSet(std::initializer_list<E> elements) noexcept {
        for (E e : elements) FMask |= Bit(e);
    }
    static constexpr TSet FromMask(uint32_t mask) noexcept { TSet s; s.FMask = mask; return s; }
    constexpr uint32_t Mask() const noexcept { return FMask; }
    constexpr bool Contains(E e) const noexcept { return (FMask & Bit(e)) != 0; }
    constexpr bool Empty() const noexcept { return FMask == 0; }
    constexpr TSet& Include(E e) noexcept { FMask |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) noexcept { FMask &= ~Bit(e); return *this; }
    constexpr TSet operator+(TSet o) const noexcept { return FromMask(FMask | o.FMask); }
    constexpr TSet operator-(TSet o) const noexcept { return FromMask(FMask & ~o.FMask); }
    constexpr TSet operator*(TSet o) const noexcept { return FromMask(FMask & o.FMask); }
    constexpr TSet& operator+=(TSet o) noexcept { FMask |= o.FMask; return *this; }
    constexpr TSet& operator-=(TSet o) noexcept { FMask &= ~o.FMask; return *this; }
    constexpr bool operator==(const TSet&) const noexcept = default;

private:
    static constexpr uint32_t Bit(E e) noexcept { return uint32_t(1) << static_cast<unsigned>(e); }
    uint32_t FMask = 0;
};

template <class T> struct IsTSet : std::false_type {};
template <class E> struct IsTSet<TSet<E>> : std::true_type {};

// --- Declaring enumeration, set and integer types ----------------------------------------
// Type information is found through an overload RoveTypeInfo(T*) next to the type
// (argument-dependent look-up finds it from templates instantiated anywhere).
//
//   ROVE_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
//       declares `enum TAlign : int { alNone, ... }` and its type information.
//   ROVE_ENUM_INFO(TAlign, alNone, alTop, ...);
//       type information for an enumeration declared elsewhere (names in ordinal order).
//   ROVE_SET(TFontStyles, TFontStyle);
//       declares `using TFontStyles = TSet<TFontStyle>` and its type information.
#define ROVE_ENUM(Type, ...)                                                           \
    enum Type : int { __VA_ARGS__ };                                                   \
    ROVE_ENUM_INFO(Type, __VA_ARGS__)

#define ROVE_ENUM_INFO(Type, ...)                                                      \
    inline const TTypeInfo* RoveTypeInfo(Type*) {                                     \
        static const TTypeInfo info = TTypeInfo::EnumerationFromList(#Type, #__VA_ARGS__); \
        return &info;                                                                  \
    }

#define ROVE_SET(SetType, ElemType)                                                    \
    using SetType = TSet<ElemType>;                                                    \
    inline const TTypeInfo* RoveTypeInfo(SetType*) {                                   \
        static const TTypeInfo info = TTypeInfo::Set(#SetType, RoveTypeInfo(static_cast<ElemType*>(nullptr))); \
        return &info;                                                                  \
    }

// The built-in types.
const TTypeInfo* IntegerTypeInfo();      // "Integer"
const TTypeInfo* Int64TypeInfo();        // "Int64"
const TTypeInfo* CharTypeInfo();         // "Char"
const TTypeInfo* BooleanTypeInfo();      // "Boolean": False, True
const TTypeInfo* ExtendedTypeInfo();     // "Extended"
const TTypeInfo* DoubleTypeInfo();       // "Double"
const TTypeInfo* DateTimeTypeInfo();     // "TDateTime" (a double of days)
const TTypeInfo* StringTypeInfo();       // "String"
const TTypeInfo* VariantTypeInfo();      // "Variant"
const TTypeInfo* StringListTypeInfo();   // "TStrings": a string list owned by the object

// The type information of a C++ value type: bool, the integers, char32_t, double,
// std::string, Variant, TStrings* and TStringList*, pointers to TObject descendants, and every type
// with a RoveTypeInfo overload (enumerations, sets, events).
template <class T>
const TTypeInfo* TypeInfoFor();
