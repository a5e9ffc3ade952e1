// Script tools: type codes, compatibility, literals, signatures and positions.
#include "script/ScriptTools.h"
#include "platform/rtl/ConvertErrors.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "script/Messages.h"
#include "script/Parser.h"
#include "script/XMLDocument.h"

#include <charconv>

std::string TypeCodeName(uint8_t typ, std::string_view typeName) {
    switch (typ) {
    case tcInteger: return "Integer";
    case tcBoolean: return "Boolean";
    case tcExtended: return "Extended";
    case tcChar: return "Char";
    case tcString: return "String";
    case tcClass: return "Class " + std::string(typeName);
    case tcArray: return "Array";
    case tcEnum: return std::string(typeName);
    default: return "Variant";
    }
}

const TfsStandardType kStandardTypes[] = {
    {"Byte", tcInteger},       {"Word", tcInteger},       {"Integer", tcInteger},
    {"Longint", tcInteger},    {"Cardinal", tcInteger},   {"TColor", tcInteger},
    {"Boolean", tcBoolean},
    {"Real", tcExtended},      {"Single", tcExtended},    {"Double", tcExtended},
    {"Extended", tcExtended},  {"Currency", tcExtended},  {"TDate", tcExtended},
    {"TTime", tcExtended},     {"TDateTime", tcExtended},
    {"Char", tcChar},
    {"String", tcString},
    {"Array", tcArray},
    {"Variant", tcVariant},    {"Pointer", tcVariant},
    {"Constructor", tcConstructor},
};
const size_t kStandardTypeCount = std::size(kStandardTypes);

bool StandardTypeCode(std::string_view name, uint8_t& typ) {
    for (const TfsStandardType& t : kStandardTypes) {
        if (SameText(name, t.Name)) {
            typ = t.Typ;
            return true;
        }
    }
    return false;
}

std::string TranslateTypeName(const TfsXMLItem* types, std::string_view name) {
    if (!types) return std::string(name);
    const int i = types->Find(name);
    return i < 0 ? std::string(name) : types->Items(i)->Prop("type");
}

bool TypesCompatible(const TfsTypeRec& left, const TfsTypeRec& right, const TfsClassInherits& classInherits) {
    const uint8_t r = right.Typ;
    switch (left.Typ) {
    case tcInteger: return r == tcInteger || r == tcExtended || r == tcVariant || r == tcEnum;
    case tcBoolean: return r == tcBoolean || r == tcVariant;
    case tcExtended: return r == tcInteger || r == tcExtended || r == tcVariant;
    case tcChar:
    case tcString: return r == tcChar || r == tcString || r == tcVariant;
    case tcClass:
        if (r == tcVariant) return true;
        if (r != tcClass) return false;
        return classInherits ? classInherits(left.TypeName, right.TypeName) : SameText(left.TypeName, right.TypeName);
    case tcArray: return r == tcArray || r == tcVariant;
    case tcVariant: return true;
    case tcEnum: return r == tcInteger || r == tcVariant || (r == tcEnum && SameText(left.TypeName, right.TypeName));
    default: return false;
    }
}

bool AssignCompatible(const TfsTypeRec& target, const TfsTypeRec& source, const TfsClassInherits& classInherits) {
    if (target.Typ == tcInteger && source.Typ == tcExtended) return false;
    return TypesCompatible(target, source, classInherits);
}

Variant ParseValue(std::string_view text) {
    if (text.empty()) return Variant();
    if (text[0] == '\'') return Variant(text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view());
    int64_t integer;
    if (TryStrToInt64(text, integer)) return Variant::FromInt64(integer);
    // from_chars reads "." as the decimal separator whatever the locale.
    double value;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end) throw EConvertError(ConvertText::Float(text));
    return Variant(value);
}

TfsPoint PosToPoint(std::string_view pos) {
    const size_t colon = pos.find(':');
    if (colon == std::string_view::npos) return {};
    int line, column;
    if (!TryStrToInt(pos.substr(0, colon), line) || !TryStrToInt(pos.substr(colon + 1), column)) return {};
    return {column, line};
}

// --- Registration signatures ---------------------------------------------------------------

namespace {

class SignatureReader {
public:
    explicit SignatureReader(std::string_view syntax) : FSyntax(syntax) { FParser.SetText(syntax); }

    [[noreturn]] void Fail() const { throw EScriptError("Invalid declaration: " + std::string(FSyntax)); }

    std::string Word() { return FParser.GetKeyword(); }
    bool Next(std::string_view c) {
        FParser.SkipSpaces();
        const int at = FParser.Position();
        if (FParser.GetChar() == c) return true;
        FParser.SetPosition(at);
        return false;
    }

    // number | string | "-" number | identifier
    void Default(TfsSignatureParam& param) {
        param.HasDefault = true;
        if (std::string number = FParser.GetNumber(); !number.empty()) {
            param.DefaultValue = ParseValue(number);
        } else if (std::string s = FParser.GetString(); !s.empty()) {
            param.DefaultValue = ParseValue(s);
        } else if (Next("-")) {
            number = FParser.GetNumber();
            if (number.empty()) Fail();
            param.DefaultValue = ParseValue("-" + number);
        } else if (std::string ident = Word(); !ident.empty()) {
            param.DefaultIdent = ident;
        } else {
            Fail();
        }
    }

    // group {";" group} ")"
    void Parameters(std::vector<TfsSignatureParam>& params) {
        if (Next(")")) return;
        for (;;) {
            bool isVar = false;
            std::string word = Word();
            if (SameText(word, "var")) {
                isVar = true;
                word = Word();
            } else if (SameText(word, "const")) {
                word = Word();
            }
            const size_t first = params.size();
            for (;;) {
                if (word.empty()) Fail();
                TfsSignatureParam& p = params.emplace_back();
                p.Name = word;
                p.IsVarParam = isVar;
                if (Next(",")) {
                    word = Word();
                    continue;
                }
                if (!Next(":")) Fail();
                break;
            }
            const std::string type = Word();
            if (type.empty()) Fail();
            for (size_t i = first; i < params.size(); ++i) params[i].TypeName = type;
            if (Next("=")) Default(params.back());
            if (Next(";")) continue;
            if (Next(")")) return;
            Fail();
        }
    }

private:
    std::string_view FSyntax;
    TfsParser FParser;
};

}  // namespace

TfsSignature ParseSignature(std::string_view syntax) {
    SignatureReader reader(syntax);
    TfsSignature signature;
    const std::string kind = reader.Word();
    if (SameText(kind, "function")) {
        signature.IsFunction = true;
    } else if (!SameText(kind, "procedure")) {
        reader.Fail();
    }
    signature.Name = reader.Word();
    if (signature.Name.empty()) reader.Fail();
    if (reader.Next("(")) reader.Parameters(signature.Params);
    if (signature.IsFunction) {
        const size_t colon = syntax.rfind(':');
        if (colon != std::string_view::npos) {
            TfsParser tail;
            tail.SetText(syntax.substr(colon + 1));
            signature.ResultType = tail.GetKeyword();
        }
    }
    return signature;
}
