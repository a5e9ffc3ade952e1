// The report XML tree, its reader and its writer.
#include "report/XMLDocument.h"

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

}  // namespace

// --- Escaping ----------------------------------------------------------------------------

std::string frxStrToXML(std::string_view Text) {
    size_t i = 0;
    for (; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\n' || c == '\r' || c == '"' || c == '&' || c == '<' || c == '>') break;
    }
    if (i == Text.size()) return std::string(Text);
    std::string out(Text.substr(0, i));
    out.reserve(Text.size() + 16);
    for (; i < Text.size(); ++i) {
        const char c = Text[i];
        switch (c) {
            case '\n': out += "&#10;"; break;
            case '\r': out += "&#13;"; break;
            case '"': out += "&#34;"; break;
            case '&': out += "&#38;"; break;
            case '<': out += "&#60;"; break;
            case '>': out += "&#62;"; break;
            default: out += c;
        }
    }
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
    auto* item = new TfrxXMLItem;
    item->FParent = this;
    FItems.push_back(item);
    return item;
}

void TfrxXMLItem::AddItem(TfrxXMLItem* Item) {
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

void TfrxXMLItem::Clear() {
    while (!FItems.empty()) delete FItems.back();   // each removes itself
    if (FUnloadable) FLoaded = false;
}

TfrxXMLItem* TfrxXMLItem::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)];
}

int TfrxXMLItem::IndexOf(const TfrxXMLItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TfrxXMLItem::Find(std::string_view Name) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i]->FName, Name)) return static_cast<int>(i);
    return -1;
}

TfrxXMLItem* TfrxXMLItem::FindItem(std::string_view Name) {
    const int i = Find(Name);
    if (i >= 0) return FItems[static_cast<size_t>(i)];
    TfrxXMLItem* item = Add();
    item->FName = std::string(Name);
    return item;
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
        s = GbkToUtf8(s);
    } catch (const EEncodingError&) {
        InvalidFormat();
    }
}

bool TfrxXMLReader::ReadHeader(std::string& Name, std::string& Text) {
    std::string s;
    char c;
    for (;;) {
        // Outside a tag: text content is dropped.
        do {
            if (!NextChar(c)) return false;
        } while (c != '<');
        s.clear();
        bool comment = false;
        for (;;) {
            if (!NextChar(c)) InvalidFormat();
            if (c == '>') break;
            if (c == '<') InvalidFormat();
            s += c;
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
        while (item->Count() > 0) delete item->Items(item->Count() - 1);
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

void TfrxXMLWriter::WriteRootItem(TfrxXMLItem* Item, int Level) {
    const bool unloaded = Item->Unloadable() && !Item->Loaded();
    if (unloaded && FDocument) {
        // Reading back moves the streams the document shares with this writer.
        Flush();
        const int64_t at = FStream.Position();
        FDocument->LoadItem(Item);
        FStream.SetPosition(at);
    }
    std::string line = "<";
    line += Item->Name();
    if (!Item->Text().empty()) {
        if (Item->Text()[0] != ' ') line += ' ';
        line += Item->Text();
    }
    if (Item->Unloadable()) line += " ld=\"0\"";
    const bool children = Item->Count() > 0;
    line += children ? ">" : "/>";
    WriteLn(line, Level);
    if (children) {
        for (int i = 0; i < Item->Count(); ++i) WriteRootItem(Item->Items(i), Level + 1);
        line = "</";
        line += Item->Name();
        line += '>';
        WriteLn(line, Level);
    }
    if (unloaded && Item->Loaded()) {
        while (Item->Count() > 0) delete Item->Items(Item->Count() - 1);
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
    while (copy.Count() > 0) Item->AddItem(copy.Items(0));
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
    while (Item->Count() > 0) delete Item->Items(Item->Count() - 1);
    Item->FOffset = end;
    Item->FInTempFile = true;
    Item->FLoaded = false;
}
