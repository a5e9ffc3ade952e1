// Type information builders, the built-in types, and enumeration/set name conversion.
#include "platform/classes/TypInfo.h"
#include "platform/rtl/ConvertErrors.h"

#include "platform/classes/Persistent.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

namespace {
std::string TrimName(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}
}  // namespace

const char* TypeKindName(TTypeKind kind) {
    static const char* const names[] = {"tkUnknown", "tkInteger", "tkInt64",  "tkChar",
                                        "tkEnumeration", "tkSet", "tkFloat", "tkString",
                                        "tkVariant", "tkClass", "tkMethod"};
    static_assert(sizeof(names) / sizeof(names[0]) == tkMethod + 1, "ORDER TYPEKIND");
    return kind <= tkMethod ? names[kind] : "tkUnknown";
}

bool TTypeInfo::IsBoolean() const { return Kind == tkEnumeration && SameText(Name, "Boolean"); }

TTypeInfo TTypeInfo::Enumeration(std::string name, std::vector<std::string> names) {
    TTypeInfo t;
    t.Kind = tkEnumeration;
    t.Name = std::move(name);
    t.EnumNames = std::move(names);
    return t;
}

TTypeInfo TTypeInfo::EnumerationFromList(std::string name, std::string_view commaList) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= commaList.size()) {
        size_t comma = commaList.find(',', start);
        if (comma == std::string_view::npos) comma = commaList.size();
        std::string item = TrimName(commaList.substr(start, comma - start));
        // "alNone = 0" style entries keep the name only.
        size_t eq = item.find('=');
        if (eq != std::string::npos) item = TrimName(std::string_view(item).substr(0, eq));
        if (!item.empty()) names.push_back(std::move(item));
        start = comma + 1;
    }
    return Enumeration(std::move(name), std::move(names));
}

TTypeInfo TTypeInfo::Set(std::string name, const TTypeInfo* elements) {
    TTypeInfo t;
    t.Kind = tkSet;
    t.Name = std::move(name);
    t.CompType = elements;
    return t;
}

TTypeInfo TTypeInfo::Integer(std::string name, const TIdentMap* idents) {
    TTypeInfo t;
    t.Kind = tkInteger;
    t.Name = std::move(name);
    t.Idents = idents;
    return t;
}

TTypeInfo TTypeInfo::Float(std::string name, TFloatType type) {
    TTypeInfo t;
    t.Kind = tkFloat;
    t.Name = std::move(name);
    t.FloatType = type;
    return t;
}

TTypeInfo TTypeInfo::Method(std::string name, const std::type_info& signature) {
    TTypeInfo t;
    t.Kind = tkMethod;
    t.Name = std::move(name);
    t.Signature = &signature;
    return t;
}

TTypeInfo TTypeInfo::Class(TClass cls) {
    TTypeInfo t;
    t.Kind = tkClass;
    t.Name = cls ? cls->ClassName() : std::string("TObject");
    t.ClassType = cls;
    return t;
}

const TTypeInfo* IntegerTypeInfo() {
    static const TTypeInfo t = TTypeInfo::Integer("Integer");
    return &t;
}
const TTypeInfo* Int64TypeInfo() {
    static const TTypeInfo t = [] {
        TTypeInfo i = TTypeInfo::Integer("Int64");
        i.Kind = tkInt64;
        return i;
    }();
    return &t;
}
const TTypeInfo* CharTypeInfo() {
    static const TTypeInfo t = [] {
        TTypeInfo i;
        i.Kind = tkChar;
        i.Name = "Char";
        return i;
    }();
    return &t;
}
const TTypeInfo* BooleanTypeInfo() {
    static const TTypeInfo t = TTypeInfo::Enumeration("Boolean", {"False", "True"});
    return &t;
}
const TTypeInfo* ExtendedTypeInfo() {
    static const TTypeInfo t = TTypeInfo::Float("Extended", ftExtended);
    return &t;
}
const TTypeInfo* DoubleTypeInfo() {
    static const TTypeInfo t = TTypeInfo::Float("Double", ftDouble);
    return &t;
}
const TTypeInfo* DateTimeTypeInfo() {
    static const TTypeInfo t = TTypeInfo::Float("TDateTime", ftDateTimeFloat);
    return &t;
}
const TTypeInfo* StringTypeInfo() {
    static const TTypeInfo t = [] {
        TTypeInfo i;
        i.Kind = tkString;
        i.Name = "String";
        return i;
    }();
    return &t;
}
const TTypeInfo* VariantTypeInfo() {
    static const TTypeInfo t = [] {
        TTypeInfo i;
        i.Kind = tkVariant;
        i.Name = "Variant";
        return i;
    }();
    return &t;
}
const TTypeInfo* StringListTypeInfo() {
    static const TTypeInfo t = [] {
        TTypeInfo i;
        i.Kind = tkClass;
        i.Name = "TStrings";
        return i;
    }();
    return &t;
}

std::string GetEnumName(const TTypeInfo* type, int64_t value) {
    if (!type || value < 0 || value >= static_cast<int64_t>(type->EnumNames.size())) return {};
    return type->EnumNames[static_cast<size_t>(value)];
}

int GetEnumValue(const TTypeInfo* type, std::string_view name) {
    if (!type) return -1;
    for (size_t i = 0; i < type->EnumNames.size(); ++i)
        if (SameText(type->EnumNames[i], name)) return static_cast<int>(i);
    return -1;
}

std::string SetToString(const TTypeInfo* setType, uint32_t mask, bool brackets) {
    std::string out;
    const TTypeInfo* elems = setType ? setType->CompType : nullptr;
    for (unsigned bit = 0; bit < 32; ++bit) {
        if (!(mask & (uint32_t(1) << bit))) continue;
        if (!out.empty()) out += ',';
        std::string name = GetEnumName(elems, bit);
        out += name.empty() ? std::to_string(bit) : name;
    }
    return brackets ? "[" + out + "]" : out;
}

uint32_t StringToSet(const TTypeInfo* setType, std::string_view text) {
    std::string s = TrimName(text);
    std::string_view v = s;
    if (!v.empty() && v.front() == '[') {
        if (v.size() < 2 || v.back() != ']')
            throw EConvertError(ConvertText::SetOf(text, setType ? setType->Name : std::string("?")));
        v = v.substr(1, v.size() - 2);
    }
    uint32_t mask = 0;
    const TTypeInfo* elems = setType ? setType->CompType : nullptr;
    size_t start = 0;
    while (start <= v.size()) {
        size_t comma = v.find(',', start);
        if (comma == std::string_view::npos) comma = v.size();
        std::string item = TrimName(v.substr(start, comma - start));
        start = comma + 1;
        if (item.empty()) {
            if (comma == v.size()) break;
            throw EConvertError(ConvertText::SetOf(text, setType ? setType->Name : std::string("?")));
        }
        int ord = GetEnumValue(elems, item);
        if (ord < 0 || ord >= 32)
            throw EConvertError(ConvertText::ElementOf(item, setType ? setType->Name : std::string("?")));
        mask |= uint32_t(1) << ord;
    }
    return mask;
}

bool IntToIdent(const TTypeInfo* type, int64_t value, std::string& ident) {
    if (!type || !type->Idents) return false;
    for (const TIdentMapEntry& e : *type->Idents)
        if (e.Value == value) {
            ident = e.Name;
            return true;
        }
    return false;
}

bool IdentToInt(const TTypeInfo* type, std::string_view ident, int64_t& value) {
    if (!type || !type->Idents) return false;
    for (const TIdentMapEntry& e : *type->Idents)
        if (SameText(e.Name, ident)) {
            value = e.Value;
            return true;
        }
    return false;
}
