// The report XML tree, its reader and its writer.
#include "report/XMLDocument.h"

#include <zstd.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int kBufferSize = 4096;
// Report trees are a handful of levels deep; a file nesting deeper is not one of ours
// and would only serve to exhaust the stack of the recursive tree operations.
constexpr size_t kMaxDepth = 1000;
const char* const kInvalidFormat = "Invalid file format";

[[noreturn]] void InvalidFormat() { throw EfrxXMLError(kInvalidFormat); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One name="value" pair of an attribute text: [Begin, End) covers name to closing quote.
struct TAttrSpan {
    size_t Begin = 0, NameEnd = 0, ValueBegin = 0, ValueEnd = 0, End = 0;
};

// Scans the attribute text left to right; false when no further well-formed pair exists.
// Values never hold a raw double quote (the writer escapes it), so a pair ends at the
// next quote, and a name is never looked for inside a value.
bool NextAttr(std::string_view text, size_t& pos, TAttrSpan& span) {
    const size_t n = text.size();
    while (pos < n && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
    if (pos >= n) return false;
    const size_t eq = text.find('=', pos);
    if (eq == std::string_view::npos) return false;
    size_t q = eq + 1;
    while (q < n && IsBlank(text[q])) ++q;
    if (q >= n || text[q] != '"') return false;
    const size_t q2 = text.find('"', q + 1);
    if (q2 == std::string_view::npos) return false;
    span.Begin = pos;
    span.NameEnd = eq;
    while (span.NameEnd > span.Begin && IsBlank(text[span.NameEnd - 1])) --span.NameEnd;
    span.ValueBegin = q + 1;
    span.ValueEnd = q2;
    span.End = q2 + 1;
    pos = q2 + 1;
    return true;
}

bool FindAttr(std::string_view text, std::string_view name, TAttrSpan& span) {
    size_t pos = 0;
    while (NextAttr(text, pos, span))
        if (SameText(text.substr(span.Begin, span.NameEnd - span.Begin), name)) return true;
    return false;
}

// Removes the pair and the blanks before it (or after it, at the start of the text).
void RemoveAttr(std::string& text, const TAttrSpan& span) {
    size_t begin = span.Begin, end = span.End;
    if (begin > 0) {
        while (begin > 0 && text[begin - 1] == ' ') --begin;
    } else {
        while (end < text.size() && text[end] == ' ') ++end;
    }
    text.erase(begin, end - begin);
}

bool HasHighBytes(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// Whether the stream from its start is valid UTF-8, read in chunks; the position is
// restored.
bool StreamIsUtf8(TStream& stream) {
    const int64_t saved = stream.Position();
    stream.SetPosition(0);
    std::string data;
    std::vector<char> chunk(1 << 16);
    bool ok = true;
    for (;;) {
        const int64_t n = stream.Read(chunk.data(), static_cast<int64_t>(chunk.size()));
        if (n <= 0) break;
        data.append(chunk.data(), static_cast<size_t>(n));
        // Hold an incomplete sequence at the end back for the next chunk.
        size_t cut = data.size();
        for (size_t i = data.size(); i > 0 && data.size() - i < 4; --i) {
            const auto b = static_cast<unsigned char>(data[i - 1]);
            if ((b & 0xC0) == 0x80) continue;
            const size_t need = (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
            if (data.size() - (i - 1) < need) cut = i - 1;
            break;
        }
        if (!IsValidUtf8(std::string_view(data.data(), cut))) {
            ok = false;
            break;
        }
        data.erase(0, cut);
    }
    if (ok && !data.empty() && !IsValidUtf8(data)) ok = false;
    stream.SetPosition(saved);
    return ok;
}

// --- Packed records ------------------------------------------------------------------------
// A packed child list is a row of records, one per child:
//   flags (1 byte), name length, name, text length, text,
//   [offset]                    when kHasOffset
//   [children length, children] when kHasChildren (the children's records)
// Lengths and the offset are unsigned LEB128 numbers. Every name, text and flag comes
// back exactly; the records are read with every length checked against what is left.
// ORDER PACKED FLAGS
constexpr uint8_t kNotLoaded = 1;
constexpr uint8_t kUnloadable = 2;
constexpr uint8_t kInTempFile = 4;
constexpr uint8_t kHasOffset = 8;
constexpr uint8_t kHasChildren = 16;
constexpr uint8_t kKnownFlags = 31;

void PutNumber(std::string& out, uint64_t v) {
    if (v < 0x80) [[likely]] {
        out += static_cast<char>(v);
        return;
    }
    while (v >= 0x80) {
        out += static_cast<char>(static_cast<uint8_t>(v) | 0x80);
        v >>= 7;
    }
    out += static_cast<char>(v);
}

uint64_t GetNumber(std::string_view s, size_t& pos) {
    if (pos < s.size() && static_cast<uint8_t>(s[pos]) < 0x80) return static_cast<uint8_t>(s[pos++]);
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (pos >= s.size()) InvalidFormat();
        const auto b = static_cast<uint8_t>(s[pos++]);
        if (shift == 63 && b > 1) InvalidFormat();
        v |= static_cast<uint64_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return v;
    }
    InvalidFormat();
}

std::string_view GetBytes(std::string_view s, size_t& pos) {
    const uint64_t n = GetNumber(s, pos);
    if (n > s.size() - pos) InvalidFormat();
    std::string_view r = s.substr(pos, static_cast<size_t>(n));
    pos += static_cast<size_t>(n);
    return r;
}

struct TRecord {
    uint8_t Flags = 0;
    std::string_view Name, Text, Children;
    int64_t Offset = 0;
};

// The record at pos; pos moves past it.
void ReadRecord(std::string_view s, size_t& pos, TRecord& r) {
    if (pos >= s.size()) InvalidFormat();
    r.Flags = static_cast<uint8_t>(s[pos++]);
    if (r.Flags & ~kKnownFlags) InvalidFormat();
    r.Name = GetBytes(s, pos);
    r.Text = GetBytes(s, pos);
    r.Offset = (r.Flags & kHasOffset) ? static_cast<int64_t>(GetNumber(s, pos)) : 0;
    r.Children = (r.Flags & kHasChildren) ? GetBytes(s, pos) : std::string_view();
    if ((r.Flags & kHasChildren) && r.Children.empty()) InvalidFormat();
}

uint8_t FlagsOf(bool loaded, bool unloadable, bool inTempFile, int64_t offset) {
    uint8_t f = 0;
    if (!loaded) f |= kNotLoaded;
    if (unloadable) f |= kUnloadable;
    if (inTempFile) f |= kInTempFile;
    if (offset != 0) f |= kHasOffset;
    return f;
}

// Flags, name, text and offset of a record; the caller adds the children.
void PutHeader(std::string& out, uint8_t flags, std::string_view name, std::string_view text, int64_t offset) {
    out += static_cast<char>(flags);
    PutNumber(out, name.size());
    out += name;
    PutNumber(out, text.size());
    out += text;
    if (flags & kHasOffset) PutNumber(out, static_cast<uint64_t>(offset));
}

// Makes the bytes from `at` to the end the children of the record whose flags are at
// flagsAt: their length goes in front of them, or, when there are none, the flag goes.
void CloseChildren(std::string& out, size_t flagsAt, size_t at) {
    const size_t n = out.size() - at;
    if (n == 0) {
        out[flagsAt] = static_cast<char>(static_cast<uint8_t>(out[flagsAt]) & ~kHasChildren);
        return;
    }
    std::string len;
    PutNumber(len, n);
    out.insert(at, len);
}

}  // namespace

// --- Escaping ----------------------------------------------------------------------------

// ORDER ESCAPED: the characters of frxXMLEscaped.
void frxAddEscapedToXML(std::string& Out, std::string_view Text, size_t From) {
    size_t from = 0;
    for (size_t i = From; i < Text.size(); ++i) {
        const char* ref;
        switch (Text[i]) {
            case '\n': ref = "&#10;"; break;
            case '\r': ref = "&#13;"; break;
            case '"': ref = "&#34;"; break;
            case '&': ref = "&#38;"; break;
            case '<': ref = "&#60;"; break;
            case '>': ref = "&#62;"; break;
            default: continue;
        }
        Out.append(Text, from, i - from);
        Out += ref;
        from = i + 1;
    }
    Out.append(Text, from, std::string_view::npos);
}

std::string frxStrToXML(std::string_view Text) {
    std::string out;
    frxAddStrToXML(out, Text);
    return out;
}

std::string frxXMLToStr(std::string_view Text) {
    if (Text.size() < 2) return std::string(Text);
    size_t amp = Text.find("&#");
    if (amp == std::string_view::npos) return std::string(Text);
    std::string out;
    out.reserve(Text.size());
    size_t pos = 0;
    while (amp != std::string_view::npos) {
        out.append(Text, pos, amp - pos);
        size_t j = amp + 2;
        uint32_t code = 0;
        bool overflow = false;
        while (j < Text.size() && Text[j] >= '0' && Text[j] <= '9') {
            code = code * 10 + static_cast<uint32_t>(Text[j] - '0');
            if (code > 0x10FFFF) overflow = true, code = 0x110000;
            ++j;
        }
        const bool valid = j > amp + 2 && j < Text.size() && Text[j] == ';' && !overflow &&
                           code != 0 && (code < 0xD800 || code > 0xDFFF);
        if (valid) {
            out += CodePointToUtf8(static_cast<char32_t>(code));
            pos = j + 1;
        } else {
            out += "&#";
            pos = amp + 2;
        }
        amp = Text.find("&#", pos);
    }
    out.append(Text, pos, std::string_view::npos);
    return out;
}

// --- TfrxXMLItem ---------------------------------------------------------------------------

TfrxXMLItem::~TfrxXMLItem() {
    Clear();
    if (FParent) {
        // Clear deletes from the back: search from there.
        auto& v = FParent->FItems;
        auto it = std::find(v.rbegin(), v.rend(), this);
        if (it != v.rend()) v.erase(std::next(it).base());
        FParent = nullptr;
    }
}

TfrxXMLItem* TfrxXMLItem::Add() {
    Unpack();
    auto* item = new TfrxXMLItem;
    item->FParent = this;
    FItems.push_back(item);
    return item;
}

void TfrxXMLItem::AddItem(TfrxXMLItem* Item) {
    Unpack();
    if (Item->FParent) {
        auto& v = Item->FParent->FItems;
        v.erase(std::find(v.begin(), v.end(), Item));
    }
    Item->FParent = this;
    FItems.push_back(Item);
}

void TfrxXMLItem::InsertItem(int Index, TfrxXMLItem* Item) {
    AddItem(Item);
    FItems.pop_back();
    const size_t at = std::min<size_t>(static_cast<size_t>(std::max(Index, 0)), FItems.size());
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(at), Item);
}

void TfrxXMLItem::FreeChildren() {
    std::string().swap(FPacked);
    FRawSize = 0;
    while (!FItems.empty()) delete FItems.back();   // each removes itself
}

void TfrxXMLItem::Clear() {
    FreeChildren();
    if (FUnloadable) FLoaded = false;
}

int TfrxXMLItem::PackedCount() const {
    Expand();
    int n = 0;
    TRecord r;
    for (size_t pos = 0; pos < FPacked.size(); ++n) ReadRecord(FPacked, pos, r);
    return n;
}

void TfrxXMLItem::IndexError(int Index) { throw EListError("List index out of bounds (" + IntToStr(Index) + ")"); }

int TfrxXMLItem::Find(std::string_view Name) const {
    Unpack();
    // Names are mostly asked for as they were written: the exact match is tried first
    // (names of another length match neither way).
    for (size_t i = 0; i < FItems.size(); ++i) {
        const std::string& name = FItems[i]->FName;
        if (name.size() == Name.size() && (name == Name || SameText(name, Name))) return static_cast<int>(i);
    }
    return -1;
}

TfrxXMLItem* TfrxXMLItem::FindItem(std::string_view Name) {
    const int i = Find(Name);
    if (i >= 0) return FItems[static_cast<size_t>(i)];
    TfrxXMLItem* item = Add();
    item->FName = std::string(Name);
    return item;
}

void TfrxXMLItem::PackTo(std::string& Out) const {
    Expand();
    uint8_t flags = FlagsOf(FLoaded, FUnloadable, FInTempFile, FOffset);
    if (!FPacked.empty() || !FItems.empty()) flags |= kHasChildren;
    const size_t flagsAt = Out.size();
    PutHeader(Out, flags, FName, FText, FOffset);
    if (!FPacked.empty()) {
        PutNumber(Out, FPacked.size());
        Out += FPacked;
    } else if (!FItems.empty()) {
        const size_t at = Out.size();
        for (const TfrxXMLItem* child : FItems) child->PackTo(Out);
        CloseChildren(Out, flagsAt, at);
    }
}

void TfrxXMLItem::Pack() {
    if (FItems.empty()) {
        FPacked.shrink_to_fit();
        return;
    }
    std::string out;
    for (const TfrxXMLItem* child : FItems) child->PackTo(out);
    while (!FItems.empty()) delete FItems.back();
    FItems.shrink_to_fit();
    FPacked.assign(out);
}

void TfrxXMLItem::RestoreRecords(TKeptRecords&& Kept) {
    while (!FItems.empty()) delete FItems.back();   // each removes itself
    FItems.shrink_to_fit();
    FPacked = std::move(Kept.Bytes);
    FRawSize = Kept.RawSize;
}

void TfrxXMLItem::UnpackRecords() const {
    Expand();
    std::vector<std::unique_ptr<TfrxXMLItem>> children;
    TRecord r;
    for (size_t pos = 0; pos < FPacked.size();) {
        ReadRecord(FPacked, pos, r);
        auto child = std::make_unique<TfrxXMLItem>();
        child->FName.assign(r.Name);
        child->FText.assign(r.Text);
        child->FLoaded = !(r.Flags & kNotLoaded);
        child->FUnloadable = (r.Flags & kUnloadable) != 0;
        child->FInTempFile = (r.Flags & kInTempFile) != 0;
        child->FOffset = r.Offset;
        child->FPacked.assign(r.Children);
        children.push_back(std::move(child));
    }
    auto* self = const_cast<TfrxXMLItem*>(this);
    FItems.reserve(FItems.size() + children.size());
    for (auto& child : children) {
        child->FParent = self;
        FItems.push_back(child.release());
    }
    std::string().swap(FPacked);
}

void TfrxXMLItem::AddPacked(std::string_view Records) {
    if (Records.empty()) return;
    PackedRecords() += Records;
}

std::string& TfrxXMLItem::PackedRecords() {
    if (!FItems.empty()) Pack();
    Expand();
    return FPacked;
}

int64_t TfrxXMLItem::ChildrenMemory() const {
    if (FRawSize != 0) return static_cast<int64_t>(FRawSize);
    int64_t n = static_cast<int64_t>(FPacked.size());
    for (const TfrxXMLItem* child : FItems)
        n += static_cast<int64_t>(sizeof(TfrxXMLItem) + 16 + child->FName.size() + child->FText.size()) +
             child->ChildrenMemory();
    return n;
}

namespace {
struct TZstdContexts {
    ZSTD_CCtx* Compress = ZSTD_createCCtx();
    ZSTD_DCtx* Decompress = ZSTD_createDCtx();
    TZstdContexts() = default;
    TZstdContexts(const TZstdContexts&) = delete;
    TZstdContexts& operator=(const TZstdContexts&) = delete;
    ~TZstdContexts() {
        ZSTD_freeCCtx(Compress);
        ZSTD_freeDCtx(Decompress);
    }
};

TZstdContexts& Zstd() {
    thread_local TZstdContexts contexts;
    return contexts;
}
}  // namespace

// Level 1, the fastest of the usual levels: a page's records (names and attribute texts
// repeated row after row) shrink to about a fifth, at a few hundred megabytes a second.
void TfrxXMLItem::Compress(size_t MinimumBytes) {
    if (FRawSize != 0 || !FItems.empty() || FPacked.empty() || FPacked.size() < MinimumBytes) return;
    TZstdContexts& z = Zstd();
    if (!z.Compress) return;
    std::string out(ZSTD_compressBound(FPacked.size()), '\0');
    const size_t n = ZSTD_compressCCtx(z.Compress, out.data(), out.size(), FPacked.data(), FPacked.size(), 1);
    if (ZSTD_isError(n) || n >= FPacked.size()) return;
    out.resize(n);
    out.shrink_to_fit();
    FRawSize = FPacked.size();
    FPacked.swap(out);
}

void TfrxXMLItem::ExpandRecords() const {
    TZstdContexts& z = Zstd();
    std::string raw(FRawSize, '\0');
    const size_t n = z.Decompress ? ZSTD_decompressDCtx(z.Decompress, raw.data(), raw.size(), FPacked.data(), FPacked.size())
                                  : ZSTD_CONTENTSIZE_ERROR;
    // The bytes were made by Compress in this process: anything else is memory gone bad.
    if (ZSTD_isError(n) || n != FRawSize) throw EfrxXMLError("Invalid file format");
    FPacked.swap(raw);
    FRawSize = 0;
}

// --- TfrxXMLChildReader ---------------------------------------------------------------------

bool TfrxXMLChildReader::Next() {
    FItem->Expand();
    if (!FItem->FPacked.empty()) {
        if (FPos >= FItem->FPacked.size()) return false;
        TRecord r;
        ReadRecord(FItem->FPacked, FPos, r);
        FName = r.Name;
        FText = r.Text;
        return true;
    }
    if (FPos >= FItem->FItems.size()) return false;
    const TfrxXMLItem* child = FItem->FItems[FPos++];
    FName = child->FName;
    FText = child->FText;
    return true;
}

std::string TfrxXMLChildReader::Prop(std::string_view Name) const {
    TAttrSpan span;
    if (!FindAttr(FText, Name, span)) return {};
    return frxXMLToStr(FText.substr(span.ValueBegin, span.ValueEnd - span.ValueBegin));
}

bool TfrxXMLChildReader::HasProp(std::string_view Name) const {
    TAttrSpan span;
    return FindAttr(FText, Name, span);
}

// --- TfrxXMLPacker -------------------------------------------------------------------------

// An element with children leaves one byte for the children's length: most lengths
// take one, and End makes room for a longer one.
void TfrxXMLPacker::Begin(std::string_view Name, std::string_view Text) {
    std::string& data = *FData;
    const size_t flagsAt = data.size();
    PutHeader(data, kHasChildren, Name, Text, 0);
    FOpen.emplace_back(flagsAt, data.size());
    data += '\0';
}

void TfrxXMLPacker::End() {
    std::string& data = *FData;
    const auto [flagsAt, lengthAt] = FOpen.back();
    FOpen.pop_back();
    const size_t n = data.size() - lengthAt - 1;
    if (n == 0) {
        data.pop_back();
        data[flagsAt] = static_cast<char>(static_cast<uint8_t>(data[flagsAt]) & ~kHasChildren);
    } else if (n < 0x80) {
        data[lengthAt] = static_cast<char>(n);
    } else {
        std::string length;
        PutNumber(length, n);
        data.replace(lengthAt, 1, length);
    }
}

void TfrxXMLPacker::Add(std::string_view Name, std::string_view Text) { PutHeader(*FData, 0, Name, Text, 0); }

std::string TfrxXMLPacker::RecordHead(std::string_view Name) {
    std::string head(1, '\0');
    PutNumber(head, Name.size());
    head += Name;
    return head;
}

// The flags say so, and one byte waits for the children's length (End).
void TfrxXMLPacker::OpenChildren() {
    std::string& data = *FData;
    data[FFlagsAt] = static_cast<char>(kHasChildren);
    FOpen.emplace_back(FFlagsAt, data.size());
    data += '\0';
}

// The length of the text CloseText ends, in front of it.
void TfrxXMLPacker::PutTextLength(bool DropLeadingBlanks) {
    std::string& data = *FData;
    size_t blanks = 0;
    if (DropLeadingBlanks)
        while (FTextAt + blanks < data.size() && static_cast<unsigned char>(data[FTextAt + blanks]) <= ' ') ++blanks;
    std::string length;
    PutNumber(length, data.size() - FTextAt - blanks);
    data.replace(FTextAt, blanks, length);
}

std::string TfrxXMLItem::Prop(std::string_view Name) const {
    TAttrSpan span;
    if (!FindAttr(FText, Name, span)) return {};
    return frxXMLToStr(std::string_view(FText).substr(span.ValueBegin, span.ValueEnd - span.ValueBegin));
}

bool TfrxXMLItem::HasProp(std::string_view Name) const {
    TAttrSpan span;
    return FindAttr(FText, Name, span);
}

void TfrxXMLItem::SetProp(std::string_view Name, std::string_view Value) {
    std::string attr(Name);
    attr += "=\"";
    attr += frxStrToXML(Value);
    attr += '"';
    TAttrSpan span;
    if (FindAttr(FText, Name, span)) {
        FText.replace(span.Begin, span.End - span.Begin, attr);
        return;
    }
    if (!FText.empty() && FText.back() != ' ') FText += ' ';
    FText += attr;
}

void TfrxXMLItem::DeleteProp(std::string_view Name) {
    TAttrSpan span;
    if (FindAttr(FText, Name, span)) RemoveAttr(FText, span);
}

// --- TfrxXMLReader -------------------------------------------------------------------------

TfrxXMLReader::TfrxXMLReader(TStream& Stream)
    : FStream(Stream), FBuffer(new char[kBufferSize]) {
    FSize = FStream.Size();
    FPosition = FStream.Position();
}

TfrxXMLReader::~TfrxXMLReader() {
    try {
        FStream.SetPosition(FPosition);
    } catch (...) {
    }
}

void TfrxXMLReader::SetPosition(int64_t Value) {
    FPosition = Value;
    FStream.SetPosition(Value);
    FCount = FIndex = 0;
}

inline bool TfrxXMLReader::NextChar(char& c) {
    if (FIndex >= FCount) {
        if (FPosition >= FSize) return false;
        const int64_t n = FStream.Read(FBuffer.get(), std::min<int64_t>(kBufferSize, FSize - FPosition));
        if (n <= 0) return false;
        FCount = static_cast<int>(n);
        FIndex = 0;
    }
    c = FBuffer[FIndex++];
    ++FPosition;
    return true;
}

void TfrxXMLReader::Decode(std::string& s) const {
    if (!FLegacy || !HasHighBytes(s)) return;
    try {
        // A report's stored password is bytes, not GBK text (each byte of the text shifted,
        // Options.h): they are kept one character per byte for the report to turn back.
        // Raw GBK never holds a quote or an equals sign, so the pair is found in it as is.
        TAttrSpan span;
        if (FindAttr(s, "ReportOptions.Password", span) &&
            HasHighBytes(std::string_view(s).substr(span.ValueBegin, span.ValueEnd - span.ValueBegin))) {
            std::string out = GbkToUtf8(std::string_view(s).substr(0, span.ValueBegin));
            for (size_t i = span.ValueBegin; i < span.ValueEnd; ++i)
                out += CodePointToUtf8(static_cast<unsigned char>(s[i]));
            out += GbkToUtf8(std::string_view(s).substr(span.ValueEnd));
            s = std::move(out);
            return;
        }
        s = GbkToUtf8(s);
    } catch (const EEncodingError&) {
        InvalidFormat();
    }
}

bool TfrxXMLReader::Fill() {
    if (FIndex < FCount) return true;
    if (FPosition >= FSize) return false;
    const int64_t n = FStream.Read(FBuffer.get(), std::min<int64_t>(kBufferSize, FSize - FPosition));
    if (n <= 0) return false;
    FCount = static_cast<int>(n);
    FIndex = 0;
    return true;
}

// The tags are found a buffer's run at a time (memchr) rather than a byte at a time: a
// report of thousands of objects is read back on every undo.
bool TfrxXMLReader::ReadHeader(std::string& Name, std::string& Text) {
    std::string s;
    char c;
    for (;;) {
        // Outside a tag: text content is dropped.
        for (;;) {
            if (!Fill()) return false;
            const char* from = FBuffer.get() + FIndex;
            const size_t avail = static_cast<size_t>(FCount - FIndex);
            const auto* lt = static_cast<const char*>(std::memchr(from, '<', avail));
            const size_t skip = lt ? static_cast<size_t>(lt - from) + 1 : avail;
            FIndex += static_cast<int>(skip);
            FPosition += static_cast<int64_t>(skip);
            if (lt) break;
        }
        s.clear();
        bool comment = false;
        for (;;) {
            if (!Fill()) InvalidFormat();
            const char* from = FBuffer.get() + FIndex;
            size_t avail = static_cast<size_t>(FCount - FIndex);
            // The first three bytes are looked at alone: "!--" opens a comment.
            if (s.size() < 3) avail = std::min(avail, 3 - s.size());
            const auto* gt = static_cast<const char*>(std::memchr(from, '>', avail));
            const size_t run = gt ? static_cast<size_t>(gt - from) : avail;
            if (const auto* lt = static_cast<const char*>(std::memchr(from, '<', run))) {
                const size_t upTo = static_cast<size_t>(lt - from) + 1;
                FIndex += static_cast<int>(upTo);
                FPosition += static_cast<int64_t>(upTo);
                InvalidFormat();
            }
            s.append(from, run);
            const size_t used = run + (gt ? 1 : 0);
            FIndex += static_cast<int>(used);
            FPosition += static_cast<int64_t>(used);
            if (gt) break;
            if (s.size() == 3 && s == "!--") {
                // A comment may hold tags; it ends at "--" directly followed by ">".
                int dashes = 0;
                for (;;) {
                    if (!NextChar(c)) InvalidFormat();
                    if (c == '>' && dashes >= 2) break;
                    dashes = c == '-' ? dashes + 1 : 0;
                }
                comment = true;
                break;
            }
        }
        if (!comment) break;
    }
    if (!s.empty() && s.back() == ' ') s.pop_back();
    size_t blank = 0;
    while (blank < s.size() && !IsBlank(s[blank])) ++blank;
    if (blank < s.size()) {
        Name.assign(s, 0, blank);
        Text.assign(s, blank + 1, std::string::npos);
    } else {
        Name = std::move(s);
        Text.clear();
    }
    Decode(Name);
    Decode(Text);
    return true;
}

namespace {

bool IsClosingTag(const std::string& name) { return name.empty() || name[0] == '/'; }

// Applies a header to an element; false when the element closes itself (no children).
bool TakeHeader(TfrxXMLItem* item, std::string& name, std::string& text) {
    bool children = true;
    if (!name.empty() && name.back() == '/') {
        name.pop_back();
        children = false;
    }
    if (!text.empty() && text.back() == '/') {
        text.pop_back();
        while (!text.empty() && text.back() == ' ') text.pop_back();
        children = false;
    }
    item->SetName(std::move(name));
    item->SetText(std::move(text));
    return children;
}

}  // namespace

void TfrxXMLReader::ReadItemBody(TfrxXMLItem* Item, bool AllowPartialLoading) {
    struct TFrame {
        TfrxXMLItem* Item;
        int64_t Start;
    };
    auto finish = [&](TfrxXMLItem* item, int64_t start) {
        TAttrSpan span;
        std::string text = item->Text();
        if (!FindAttr(text, "ld", span)) return;
        if (std::string_view(text).substr(span.ValueBegin, span.ValueEnd - span.ValueBegin) != "0") return;
        RemoveAttr(text, span);
        item->SetText(std::move(text));
        if (!AllowPartialLoading) return;
        item->FreeChildren();
        item->FOffset = start;
        item->FInTempFile = false;
        item->FUnloadable = true;
        item->FLoaded = false;
    };

    std::string name, text;
    const int64_t rootStart = FPosition;
    if (!ReadHeader(name, text) || IsClosingTag(name)) InvalidFormat();
    if (!TakeHeader(Item, name, text)) {
        finish(Item, rootStart);
        return;
    }
    std::vector<TFrame> stack{{Item, rootStart}};
    while (!stack.empty()) {
        const int64_t start = FPosition;
        if (!ReadHeader(name, text)) InvalidFormat();
        TfrxXMLItem* top = stack.back().Item;
        if (IsClosingTag(name)) {
            if (name.size() < 2 || !SameText(std::string_view(name).substr(1), top->Name())) InvalidFormat();
            finish(top, stack.back().Start);
            stack.pop_back();
            continue;
        }
        TfrxXMLItem* child = top->Add();
        if (TakeHeader(child, name, text)) {
            if (stack.size() >= kMaxDepth) InvalidFormat();
            stack.push_back({child, start});
        } else {
            finish(child, start);
        }
    }
}

void TfrxXMLReader::ReadItem(TfrxXMLItem* Item, bool AllowPartialLoading) {
    ReadItemBody(Item, AllowPartialLoading);
}

// --- TfrxXMLWriter -------------------------------------------------------------------------

TfrxXMLWriter::TfrxXMLWriter(TStream& Stream, TfrxXMLDocument* Document)
    : FStream(Stream), FDocument(Document) {
    FBuffer.reserve(kBufferSize * 2);
}

TfrxXMLWriter::~TfrxXMLWriter() = default;

void TfrxXMLWriter::Flush() {
    if (FBuffer.empty()) return;
    FStream.WriteBuffer(FBuffer);
    FBuffer.clear();
}

void TfrxXMLWriter::WriteLn(std::string_view Line, int Level) {
    if (FAutoIndent) FBuffer.append(static_cast<size_t>(Level) * 2, ' ');
    FBuffer += Line;
    if (FAutoIndent) FBuffer += "\r\n";
    if (FBuffer.size() > kBufferSize) Flush();
}

void TfrxXMLWriter::WriteHeader() { WriteLn("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0); }

void TfrxXMLWriter::WriteTag(std::string_view Name, std::string_view Text, bool Unloadable, bool Children,
                             int Level) {
    if (FAutoIndent) FBuffer.append(static_cast<size_t>(Level) * 2, ' ');
    FBuffer += '<';
    FBuffer += Name;
    if (!Text.empty()) {
        if (Text[0] != ' ') FBuffer += ' ';
        FBuffer += Text;
    }
    if (Unloadable) FBuffer += " ld=\"0\"";
    FBuffer += Children ? ">" : "/>";
    if (FAutoIndent) FBuffer += "\r\n";
    if (FBuffer.size() > kBufferSize) Flush();
}

void TfrxXMLWriter::WriteEndTag(std::string_view Name, int Level) {
    if (FAutoIndent) FBuffer.append(static_cast<size_t>(Level) * 2, ' ');
    FBuffer += "</";
    FBuffer += Name;
    FBuffer += '>';
    if (FAutoIndent) FBuffer += "\r\n";
    if (FBuffer.size() > kBufferSize) Flush();
}

// Packed children are written from their records; one whose children wait on a stream is
// read back through a heap element like any other.
void TfrxXMLWriter::WritePacked(std::string_view Records, int Level) {
    TRecord r;
    for (size_t pos = 0; pos < Records.size();) {
        ReadRecord(Records, pos, r);
        const bool unloadable = (r.Flags & kUnloadable) != 0;
        if (unloadable && (r.Flags & kNotLoaded) && FDocument) {
            TfrxXMLItem item;
            item.FName.assign(r.Name);
            item.FText.assign(r.Text);
            item.FLoaded = false;
            item.FUnloadable = true;
            item.FInTempFile = (r.Flags & kInTempFile) != 0;
            item.FOffset = r.Offset;
            item.FPacked.assign(r.Children);
            WriteRootItem(&item, Level);
            continue;
        }
        WriteTag(r.Name, r.Text, unloadable, !r.Children.empty(), Level);
        if (r.Children.empty()) continue;
        WritePacked(r.Children, Level + 1);
        WriteEndTag(r.Name, Level);
    }
}

void TfrxXMLWriter::WriteRootItem(TfrxXMLItem* Item, int Level) {
    const bool unloaded = Item->Unloadable() && !Item->Loaded();
    if (unloaded && FDocument) {
        // Reading back moves the streams the document shares with this writer.
        Flush();
        const int64_t at = FStream.Position();
        FDocument->LoadItem(Item);
        FStream.SetPosition(at);
    }
    Item->Expand();
    const bool children = !Item->FPacked.empty() || !Item->FItems.empty();
    WriteTag(Item->Name(), Item->Text(), Item->Unloadable(), children, Level);
    if (children) {
        if (!Item->FPacked.empty()) WritePacked(Item->FPacked, Level + 1);
        else
            for (size_t i = 0; i < Item->FItems.size(); ++i) WriteRootItem(Item->FItems[i], Level + 1);
        WriteEndTag(Item->Name(), Level);
    }
    if (unloaded && Item->Loaded()) {
        Item->FreeChildren();
        Item->FLoaded = false;
    }
}

// --- TfrxXMLDocument -----------------------------------------------------------------------

TfrxXMLDocument::TfrxXMLDocument() : FRoot(std::make_unique<TfrxXMLItem>()) {}

TfrxXMLDocument::~TfrxXMLDocument() {
    FRoot.reset();
    DeleteTempFile();
}

void TfrxXMLDocument::DeleteTempFile() {
    FTempStream.reset();
    if (!FTempFileName.empty()) {
        ::DeleteFile(FTempFileName);
        FTempFileName.clear();
    }
}

void TfrxXMLDocument::Clear() {
    FRoot->Clear();
    DeleteTempFile();
    FOwnedSource.reset();
    FSource = nullptr;
}

void TfrxXMLDocument::LoadFromStream(TStream& Stream, bool AllowPartialLoading) {
    Clear();
    FRoot->SetName({});
    FRoot->SetText({});
    FRoot->FUnloadable = false;
    FRoot->FLoaded = true;
    FLegacy = !StreamIsUtf8(Stream);
    TfrxXMLReader reader(Stream);
    reader.SetLegacyEncoding(FLegacy);
    std::string name, text;
    if (!reader.ReadHeader(name, text) || !StartsText("?xml", name)) InvalidFormat();
    try {
        reader.ReadItem(FRoot.get(), AllowPartialLoading);
    } catch (...) {
        FRoot->Clear();
        throw;
    }
    if (AllowPartialLoading) FSource = &Stream;
}

void TfrxXMLDocument::LoadFromStream(std::unique_ptr<TStream> Stream, bool AllowPartialLoading) {
    LoadFromStream(*Stream, AllowPartialLoading);
    if (AllowPartialLoading) FOwnedSource = std::move(Stream);
}

void TfrxXMLDocument::SaveToStream(TStream& Stream) {
    TfrxXMLWriter writer(Stream, this);
    writer.SetAutoIndent(FAutoIndent);
    writer.WriteHeader();
    writer.WriteRootItem(FRoot.get());
    writer.Flush();
}

void TfrxXMLDocument::LoadFromFile(const std::string& FileName, bool AllowPartialLoading) {
    auto stream = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(std::move(stream), AllowPartialLoading);
}

void TfrxXMLDocument::SaveToFile(const std::string& FileName) {
    std::string dir = ExtractFilePath(FileName);
    const std::string temp = CreateTempFile(dir.empty() ? std::string("./") : dir, ".fr");
    try {
        {
            TFileStream out(temp, fmOpenWrite);
            SaveToStream(out);
            if (::fsync(out.Handle()) != 0) throw EInOutError("Cannot write file \"" + FileName + "\"");
        }
        std::error_code ec;
        std::filesystem::rename(temp, FileName, ec);
        if (ec) throw EFCreateError("Cannot create file \"" + FileName + "\". " + ec.message());
    } catch (...) {
        ::DeleteFile(temp);
        throw;
    }
}

void TfrxXMLDocument::LoadItem(TfrxXMLItem* Item) {
    if (!Item->Unloadable() || Item->Loaded()) return;
    TStream* stream = Item->FInTempFile ? FTempStream.get() : FSource;
    if (!stream) return;
    TfrxXMLItem copy;
    {
        TfrxXMLReader reader(*stream);
        reader.SetLegacyEncoding(Item->FInTempFile ? false : FLegacy);
        reader.SetPosition(Item->Offset());
        reader.ReadItem(&copy, false);
    }
    Item->Unpack();
    for (TfrxXMLItem* child : copy.FItems) child->FParent = Item;
    Item->FItems.insert(Item->FItems.end(), copy.FItems.begin(), copy.FItems.end());
    copy.FItems.clear();
    Item->FLoaded = true;
}

void TfrxXMLDocument::UnloadItem(TfrxXMLItem* Item) {
    if (!Item->Loaded() || !Item->Unloadable()) return;
    if (!FTempStream) {
        FTempFileName = CreateTempFile(FTempDir, "fr");
        FTempStream = std::make_unique<TFileStream>(FTempFileName, fmOpenReadWrite);
    }
    const int64_t end = FTempStream->Seek(0, soFromEnd);
    {
        TfrxXMLWriter writer(*FTempStream, this);
        writer.WriteRootItem(Item);
        FTempStream->Seek(0, soFromEnd);
        writer.Flush();
    }
    Item->FreeChildren();
    Item->FOffset = end;
    Item->FInTempFile = true;
    Item->FLoaded = false;
}

std::string frxFileErrorText(const std::exception& E) {
    if (dynamic_cast<const EfrxXMLError*>(&E)) return "文件格式无效";
    return E.what();
}
