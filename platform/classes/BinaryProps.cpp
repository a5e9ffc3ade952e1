// The binary property format (PropData of report files, custom data of objects) and its
// hexadecimal wrapping. Every read is bounds-checked; bad data raises EReadError.
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/classes/FilerInternal.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

namespace {
constexpr int kMaxDepth = 64;

// 80-bit extended <-> double. The extended value is mantissa / 2^63 * 2^(exponent - 16383)
// with an explicit integer bit; doubles convert exactly, extended values round to nearest.
void DoubleToExtended(double d, unsigned char out[10]) {
    uint64_t mant = 0;
    uint16_t se = std::signbit(d) ? 0x8000 : 0;
    if (std::isnan(d)) {
        se |= 0x7FFF;
        mant = 0xC000000000000000ull;
    } else if (std::isinf(d)) {
        se |= 0x7FFF;
        mant = 0x8000000000000000ull;
    } else if (d != 0) {
        int e = 0;
        double m = std::frexp(std::fabs(d), &e);        // m in [0.5, 1)
        mant = static_cast<uint64_t>(std::ldexp(m, 64));  // exact: m has at most 53 bits
        se |= static_cast<uint16_t>(e - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(mant >> (8 * i));
    out[8] = static_cast<unsigned char>(se);
    out[9] = static_cast<unsigned char>(se >> 8);
}

double ExtendedToDouble(const unsigned char in[10]) {
    uint64_t mant = 0;
    for (int i = 0; i < 8; ++i) mant |= static_cast<uint64_t>(in[i]) << (8 * i);
    uint16_t se = static_cast<uint16_t>(in[8] | (in[9] << 8));
    bool negative = (se & 0x8000) != 0;
    int e = se & 0x7FFF;
    double v;
    if (e == 0x7FFF) v = (mant << 1) ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
    else if (mant == 0) v = 0;
    else v = std::ldexp(static_cast<double>(mant), e - 16383 - 63);
    return negative ? -v : v;
}

class TBinaryDecoder {
public:
    explicit TBinaryDecoder(std::string_view data) : D(data) {}

    std::vector<TFilerProperty> Properties() {
        std::vector<TFilerProperty> out;
        while (P < D.size()) out.push_back(Property(0));
        return out;
    }

private:
    [[noreturn]] void Fail(size_t at, std::string_view what) const {
        std::string in;
        for (const std::string& n : FPath) in += (in.empty() ? "" : ".") + n;
        if (!in.empty()) in = " (" + in + ")";
        throw EReadError(Format("Invalid binary property data at byte %d%s: %s",
                                {static_cast<long long>(at), in, std::string(what)}));
    }
    void Need(size_t n, std::string_view what) const {
        if (n > D.size() - P) Fail(P, Format("%s truncated", {std::string(what)}));
    }
    uint8_t Byte(std::string_view what) {
        Need(1, what);
        return static_cast<uint8_t>(D[P++]);
    }
    uint8_t Peek(std::string_view what) const {
        if (P >= D.size()) Fail(P, Format("%s truncated", {std::string(what)}));
        return static_cast<uint8_t>(D[P]);
    }
    uint64_t Unsigned(size_t n, std::string_view what) {
        Need(n, what);
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(D[P + i])) << (8 * i);
        P += n;
        return v;
    }
    std::string Bytes(size_t n, std::string_view what) {
        Need(n, what);
        std::string s(D.substr(P, n));
        P += n;
        return s;
    }
    std::string ShortString(std::string_view what) { return Bytes(Byte(what), what); }
    // Our files hold UTF-8; strings of the Windows program's files are GB18030.
    std::string Text(std::string bytes, size_t at) const {
        if (IsValidUtf8(bytes)) return bytes;
        try {
            return DecodeLegacyText(bytes);
        } catch (const Exception&) {
            Fail(at, "text that is neither UTF-8 nor GB18030");
        }
    }

    TFilerProperty Property(int depth) {
        TFilerProperty prop;
        prop.Line = static_cast<int>(P);
        size_t at = P;
        prop.Name = ShortString("property name");
        if (prop.Name.empty()) Fail(at, "empty property name");
        FPath.push_back(prop.Name);
        prop.Value = Value(depth);
        FPath.pop_back();
        return prop;
    }

    TFilerValue Value(int depth) {
        if (depth > kMaxDepth) Fail(P, "values nested too deeply");
        TFilerValue v;
        v.Line = static_cast<int>(P);
        size_t at = P;
        uint8_t tag = Byte("value");
        switch (tag) {
        case vaNull: v.Type = vaNull; return v;
        case vaList:
            v.Type = vaList;
            while (Peek("list") != vaNull) v.List.push_back(Value(depth + 1));
            ++P;
            return v;
        case vaInt8: v.Type = vaInt64; v.Int = static_cast<int8_t>(Unsigned(1, "integer")); return v;
        case vaInt16: v.Type = vaInt64; v.Int = static_cast<int16_t>(Unsigned(2, "integer")); return v;
        case vaInt32: v.Type = vaInt64; v.Int = static_cast<int32_t>(Unsigned(4, "integer")); return v;
        case vaInt64: v.Type = vaInt64; v.Int = static_cast<int64_t>(Unsigned(8, "integer")); return v;
        case vaExtended: {
            Need(10, "float");
            unsigned char buf[10];
            std::memcpy(buf, D.data() + P, 10);
            P += 10;
            v.Type = vaExtended;
            v.Float = ExtendedToDouble(buf);
            return v;
        }
        case vaDouble:
        case vaDate:
            v.Type = tag == vaDate ? vaDate : vaExtended;
            v.Float = std::bit_cast<double>(Unsigned(8, "float"));
            return v;
        case vaSingle:
            v.Type = vaSingle;
            v.Float = std::bit_cast<float>(static_cast<uint32_t>(Unsigned(4, "float")));
            return v;
        case vaCurrency: v.Type = vaCurrency; v.Int = static_cast<int64_t>(Unsigned(8, "currency")); return v;
        case vaString: v.Type = vaString; v.Str = Text(ShortString("string"), at); return v;
        case vaLString:
        case vaUTF8String: {
            size_t n = static_cast<size_t>(Unsigned(4, "string length"));
            v.Type = vaString;
            v.Str = Text(Bytes(n, "string"), at);
            return v;
        }
        case vaWString: {
            size_t n = static_cast<size_t>(Unsigned(4, "string length"));
            if (n > (D.size() - P) / 2) Fail(P, "string truncated");
            std::u32string s;
            for (size_t i = 0; i < n; ++i) {
                auto u = static_cast<char32_t>(Unsigned(2, "string"));
                if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
                    auto lo = static_cast<char32_t>(static_cast<uint8_t>(D[P]) | (static_cast<uint8_t>(D[P + 1]) << 8));
                    if (lo >= 0xDC00 && lo <= 0xDFFF) {
                        P += 2;
                        ++i;
                        u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
                    }
                }
                if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
                s += u;
            }
            v.Type = vaString;
            v.Str = U32ToUtf8(s);
            return v;
        }
        case vaIdent: {
            v.Type = vaIdent;
            v.Str = ShortString("identifier");
            if (!IsValidIdent(v.Str.substr(0, v.Str.find('.')))) Fail(at, "invalid identifier");
            return v;
        }
        case vaFalse:
        case vaTrue:
        case vaNil: v.Type = static_cast<TValueType>(tag); return v;
        case vaBinary: {
            size_t n = static_cast<size_t>(Unsigned(4, "binary length"));
            v.Type = vaBinary;
            v.Str = Bytes(n, "binary data");
            return v;
        }
        case vaSet:
            v.Type = vaSet;
            for (;;) {
                std::string name = ShortString("set");
                if (name.empty()) break;
                v.Names.push_back(std::move(name));
            }
            return v;
        case vaCollection:
            v.Type = vaCollection;
            while (Peek("collection") != vaNull) {
                TFilerItem item;
                item.Line = static_cast<int>(P);
                uint8_t t = Peek("collection");
                if (t == vaInt8 || t == vaInt16 || t == vaInt32) Value(depth + 1);   // item order
                size_t listAt = P;
                if (Byte("collection item") != vaList) Fail(listAt, "collection item expected");
                while (Peek("collection item") != 0) item.Properties.push_back(Property(depth + 1));
                ++P;
                v.Items.push_back(std::move(item));
            }
            ++P;
            return v;
        default: break;
        }
        Fail(at, Format("unknown value type %d", {static_cast<int>(tag)}));
    }

    std::string_view D;
    size_t P = 0;
    std::vector<std::string> FPath;   // the properties being decoded, for messages
};

class TBinaryEncoder {
public:
    std::string Out;

    void Property(const TFilerProperty& prop) {
        ShortString(prop.Name, "property name");
        Value(prop.Value, 0);
    }

private:
    void Byte(uint8_t b) { Out += static_cast<char>(b); }
    void Unsigned(uint64_t v, int n) {
        for (int i = 0; i < n; ++i) Out += static_cast<char>(static_cast<uint8_t>(v >> (8 * i)));
    }
    void ShortString(std::string_view s, const char* what) {
        if (s.size() > 255) throw EWriteError(Format("The %s '%s' is longer than 255 bytes", {what, std::string(s)}));
        Byte(static_cast<uint8_t>(s.size()));
        Out += s;
    }
    void LongBytes(uint8_t tag, std::string_view s) {
        if (s.size() > UINT32_MAX) throw EWriteError("Binary property data too large");
        Byte(tag);
        Unsigned(s.size(), 4);
        Out += s;
    }
    static bool Ascii(std::string_view s) {
        for (char c : s)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    }

    void Value(const TFilerValue& v, int depth) {
        if (depth > kMaxDepth) throw EWriteError("Values nested too deeply");
        switch (v.Type) {
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            if (v.Int >= INT8_MIN && v.Int <= INT8_MAX) {
                Byte(vaInt8);
                Unsigned(static_cast<uint64_t>(v.Int), 1);
            } else if (v.Int >= INT16_MIN && v.Int <= INT16_MAX) {
                Byte(vaInt16);
                Unsigned(static_cast<uint64_t>(v.Int), 2);
            } else if (v.Int >= INT32_MIN && v.Int <= INT32_MAX) {
                Byte(vaInt32);
                Unsigned(static_cast<uint64_t>(v.Int), 4);
            } else {
                Byte(vaInt64);
                Unsigned(static_cast<uint64_t>(v.Int), 8);
            }
            return;
        case vaExtended:
        case vaDouble: {
            unsigned char buf[10];
            DoubleToExtended(v.Float, buf);
            Byte(vaExtended);
            Out.append(reinterpret_cast<const char*>(buf), 10);
            return;
        }
        case vaDate:
            Byte(vaDate);
            Unsigned(std::bit_cast<uint64_t>(v.Float), 8);
            return;
        case vaSingle:
            Byte(vaSingle);
            Unsigned(std::bit_cast<uint32_t>(static_cast<float>(v.Float)), 4);
            return;
        case vaCurrency:
            Byte(vaCurrency);
            Unsigned(static_cast<uint64_t>(v.Int), 8);
            return;
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String:
            // Texts of the old program's files are ANSI; ours name their UTF-8.
            if (!Ascii(v.Str)) LongBytes(vaUTF8String, v.Str);
            else if (v.Str.size() <= 255) {
                Byte(vaString);
                ShortString(v.Str, "string");
            } else {
                LongBytes(vaLString, v.Str);
            }
            return;
        case vaIdent:
            Byte(vaIdent);
            ShortString(v.Str, "identifier");
            return;
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil: Byte(v.Type); return;
        case vaBinary: LongBytes(vaBinary, v.Str); return;
        case vaSet:
            Byte(vaSet);
            for (const std::string& n : v.Names) {
                if (n.empty()) throw EWriteError("Empty set element name");
                ShortString(n, "set element");
            }
            Byte(0);
            return;
        case vaList:
            Byte(vaList);
            for (const TFilerValue& e : v.List) Value(e, depth + 1);
            Byte(vaNull);
            return;
        case vaCollection:
            Byte(vaCollection);
            for (const TFilerItem& item : v.Items) {
                Byte(vaList);
                for (const TFilerProperty& p : item.Properties) {
                    ShortString(p.Name, "property name");
                    Value(p.Value, depth + 1);
                }
                Byte(0);
            }
            Byte(vaNull);
            return;
        }
    }
};
}  // namespace

std::string EncodeBinaryProperties(const std::vector<TFilerProperty>& Properties) {
    TBinaryEncoder enc;
    for (const TFilerProperty& p : Properties) enc.Property(p);
    return std::move(enc.Out);
}

std::vector<TFilerProperty> DecodeBinaryProperties(std::string_view Data) {
    return TBinaryDecoder(Data).Properties();
}

std::string WritePropData(TPersistent* Obj, TComponent* Root) {
    TWriteContext ctx;
    ctx.Root = Root;
    std::vector<TFilerProperty> props;
    TWriter writer(ctx, props);
    writer.WriteDefinedProperties(Obj, "");
    return props.empty() ? std::string() : EncodeBinaryProperties(props);
}

void ReadPropData(TPersistent* Obj, std::string_view Data, TComponent* Root, TFixupList& Fixups) {
    std::vector<TFilerProperty> props;
    try {
        props = DecodeBinaryProperties(Data);
    } catch (const EReadError& e) {
        throw EReadError("Error reading " + ObjectPlaceName(Obj) + ": " + e.Message());
    }
    TReadContext ctx;
    ctx.Root = Root;
    ctx.Fixups = &Fixups;
    ctx.Binary = true;
    std::string place = ObjectPlaceName(Obj);
    for (const TFilerProperty& p : props) ApplyFilerProperty(ctx, Obj, p, place);
}

std::string BytesToHex(std::string_view Bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Bytes.size() * 2);
    for (char c : Bytes) {
        auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string HexToBytes(std::string_view Hex) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    if (Hex.size() % 2) throw EReadError("Hexadecimal data of odd length");
    std::string out;
    out.reserve(Hex.size() / 2);
    for (size_t i = 0; i < Hex.size(); i += 2) {
        int hi = digit(Hex[i]), lo = digit(Hex[i + 1]);
        if (hi < 0 || lo < 0)
            throw EReadError(Format("Invalid hexadecimal digit at position %d", {static_cast<long long>(hi < 0 ? i + 1 : i + 2)}));
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}
