// Report utilities.
#include "report/Utils.h"
#include "platform/rtl/ConvertErrors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/Report.h"

namespace {

bool IsModule(TComponent* c) {
    return c->Is<TDataModule>() || (!c->Name().empty() && FindGlobalComponent(c->Name()) == c);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

void frxCopyProperties(TPersistent& Dest, TPersistent& Source) {
    if (!Source.ClassType() || !Dest.InheritsFrom(Source.ClassType())) throw EfrxError("Cannot copy a " + Source.ClassName() + " to a " + Dest.ClassName());
    for (const TPropInfo* p : Source.ClassType()->Properties()) {
        if (SameText(p->Name, "Name")) continue;
        switch (p->Kind()) {
            case tkInteger:
            case tkInt64:
            case tkChar:
            case tkEnumeration:
            case tkSet:
                if (p->SetOrd) p->SetOrd(Dest, p->GetOrd(Source));
                break;
            case tkFloat:
                if (p->SetFloat) p->SetFloat(Dest, p->GetFloat(Source));
                break;
            case tkString:
                if (p->SetStr) p->SetStr(Dest, p->GetStr(Source));
                break;
            case tkVariant:
                if (p->SetVar) p->SetVar(Dest, p->GetVar(Source));
                break;
            case tkClass:
                if (p->Type->IsStringList()) {
                    TStrings* from = p->GetStrings(Source);
                    TStrings* to = p->GetStrings(Dest);
                    if (from && to) to->Assign(*from);
                } else if (p->IsComponentReference()) {
                    if (p->SetObj) p->SetObj(Dest, p->GetObj(Source));
                } else {
                    auto* from = dynamic_cast<TPersistent*>(p->GetObj(Source));
                    auto* to = dynamic_cast<TPersistent*>(p->GetObj(Dest));
                    if (from && to) to->Assign(from);
                }
                break;
            default:
                break;
        }
    }
}

TComponent* frxFindComponent(TComponent* Owner, std::string_view Name) {
    if (Name.empty()) return nullptr;
    const size_t dot = Name.find('.');
    if (dot != std::string_view::npos) {
        TComponent* form = FindGlobalComponent(Name.substr(0, dot));
        if (!form) return nullptr;
        std::string_view rest = Name.substr(dot + 1);
        const size_t dot2 = rest.find('.');
        if (dot2 == std::string_view::npos) return form->FindComponent(rest);
        TComponent* frame = form->FindComponent(rest.substr(0, dot2));
        return frame ? frame->FindComponent(rest.substr(dot2 + 1)) : nullptr;
    }
    if (!Owner) return nullptr;
    TComponent* c = Owner->FindComponent(Name);
    if (!c && Owner->Is<TfrxReport>() && Owner->Owner()) c = Owner->Owner()->FindComponent(Name);
    return c;
}

std::string frxGetFullName(TComponent* Root, TComponent* Component) {
    if (!Component) return {};
    TComponent* owner = Component->Owner();
    if (!owner || owner == Root) return Component->Name();
    if (Root && Root->Is<TfrxReport>() && owner == Root->Owner()) return Component->Name();
    if (owner->ComponentState().Contains(csInline)) {
        if (owner->Owner()) return owner->Owner()->Name() + "." + owner->Name() + "." + Component->Name();
        return {};
    }
    if (IsModule(owner)) return owner->Name() + "." + Component->Name();
    return {};
}

void frxSplitString(std::string_view Text, TStrings* List, char Delimiter) {
    List->Clear();
    size_t start = 0;
    for (;;) {
        const size_t pos = Text.find(Delimiter, start);
        if (pos == std::string_view::npos) {
            if (start < Text.size()) List->Add(std::string(Text.substr(start)));
            return;
        }
        List->Add(std::string(Text.substr(start, pos - start)));
        start = pos + 1;
    }
}

void frxStreamToHex(TStream& Stream, std::string& Text) {
    static const char digits[] = "0123456789ABCDEF";
    Stream.SetPosition(0);
    const std::string bytes = Stream.ReadRemaining();
    Text.resize(bytes.size() * 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        Text[2 * i] = digits[b >> 4];
        Text[2 * i + 1] = digits[b & 15];
    }
}

void frxHexToStream(std::string_view Text, TStream& Stream) {
    if (Text.size() % 2 != 0) throw EConvertError("Hexadecimal data of odd length");
    std::string bytes(Text.size() / 2, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int hi = HexDigit(Text[2 * i]), lo = HexDigit(Text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            throw EConvertError("'" + std::string(Text.substr(2 * i, 2)) + "' is not hexadecimal data");
        bytes[i] = static_cast<char>(hi * 16 + lo);
    }
    Stream.SetPosition(0);
    Stream.WriteBuffer(bytes);
}

double frxStrToFloat(std::string_view Text) {
    // The numbers the report files and prepared pages hold: an optional minus and at most 15
    // digits with at most one point or comma inside them. The digits make an exact integer
    // and its power of ten is exact too, so one division gives the correctly rounded value,
    // the one the full conversion below finds.
    {
        static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        size_t i = 0;
        const bool negative = !Text.empty() && Text[0] == '-';
        if (negative) ++i;
        uint64_t mantissa = 0;
        int digits = 0, decimals = -1;
        bool plain = i < Text.size();
        for (; i < Text.size(); ++i) {
            const char c = Text[i];
            if (c >= '0' && c <= '9') {
                mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
                ++digits;
                if (decimals >= 0) ++decimals;
            } else if ((c == '.' || c == ',') && decimals < 0 && digits > 0) {
                decimals = 0;
            } else {
                plain = false;
                break;
            }
        }
        if (plain && digits <= 15 && decimals != 0) {
            double v = static_cast<double>(mantissa);
            if (decimals > 0) v /= kPow10[decimals];
            return negative ? -v : v;
        }
    }
    std::string s;
    s.reserve(Text.size());
    for (char c : Text) {
        if (c == ' ') continue;
        s += (c == ',' || c == '.') ? FormatSettings.DecimalSeparator : c;
    }
    return StrToFloat(s);
}

int frxRoundInt(double Value) {
    constexpr double kLimit = 1e9;
    if (std::isnan(Value)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(Value, -kLimit, kLimit)));
}

std::string frxFloatToStr(double Value) {
    if (std::isfinite(Value) && std::trunc(Value) == Value) return FloatToStr(Value);
    return Format("%2.2f", {Value});
}

void frxGetBrackets(std::string_view Text, char32_t OpenBracket, char32_t CloseBracket,
                    std::string& Result, int& Index, int& Start) {
    Result.clear();
    const std::u32string s = Utf8ToU32(Text);
    const int n = static_cast<int>(s.size());
    int depth = 0;
    bool dq = false, sq = false;
    Start = 0;
    for (int i = std::max(Index, 1); i <= n; ++i) {
        const char32_t c = s[static_cast<size_t>(i - 1)];
        if (c == '"' && !sq) {
            dq = !dq;
            continue;
        }
        if (c == '\'' && !dq) {
            sq = !sq;
            continue;
        }
        if (dq || sq) continue;
        if (c == OpenBracket) {
            if (depth == 0) Start = i;
            ++depth;
        } else if (c == CloseBracket && depth > 0) {
            if (--depth == 0) {
                Result = U32ToUtf8(s.substr(static_cast<size_t>(Start), static_cast<size_t>(i - Start - 1)));
                Index = i;
                return;
            }
        }
    }
    Start = 0;
    Index = n + 1;
}

void frxParsePageNumbers(std::string_view Text, TStrings* List, int MaxPage) {
    List->Clear();
    std::string s;
    for (char c : Text)
        if (c != ' ') s += c;
    if (s.empty()) return;
    if (s.back() == '-') s += std::to_string(MaxPage);
    s += ',';
    auto number = [](const std::string& part) -> int64_t {
        int64_t v;
        if (part.empty() || !TryStrToInt64(part, v))
            throw EConvertError(ConvertText::Integer(part));
        return v;
    };
    std::vector<std::string> pages;
    std::string part;
    bool range = false;
    int64_t from = 0;
    for (char c : s) {
        if (c == '-' && !range) {
            from = number(part);
            range = true;
            part.clear();
        } else if (c == ',') {
            const int64_t to = number(part);
            part.clear();
            const int64_t lo = range ? std::max<int64_t>(from, 1) : to;
            const int64_t hi = range ? std::min<int64_t>(to, MaxPage) : to;
            for (int64_t p = lo; p <= hi; ++p)
                if (p >= 1 && p <= MaxPage) pages.push_back(std::to_string(p));
            range = false;
        } else {
            part += c;
        }
    }
    for (const std::string& p : pages) List->Add(p);
}

std::string frxCreateTempFile(const std::string& TempDir) { return CreateTempFile(TempDir, "fr"); }

namespace {
std::function<std::string(const std::string&)>& FailureWords() {
    static std::function<std::string(const std::string&)> words;
    return words;
}
}  // namespace

void frxSetFailureWords(std::function<std::string(const std::string& Text)> Words) {
    FailureWords() = std::move(Words);
}

std::string frxFailureWords(const std::string& Text) {
    if (!FailureWords()) return Text;
    std::string words = FailureWords()(Text);
    return words.empty() ? Text : words;
}
