// Reader and writer of the script XML tree. Both are iterative, so a deeply nested document
// neither overflows the stack on reading, writing nor freeing.
#include "script/XMLDocument.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "script/Messages.h"


namespace {

bool IsAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

[[noreturn]] void InvalidFormat() { throw EScriptError(fsmsg::InvalidFileFormat); }

bool ValidCodePoint(uint32_t c) { return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }

}  // namespace

std::string StrToXML(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 8);
    for (char c : text) {
        switch (c) {
        case '\n': result += "&#10;"; break;
        case '\r': result += "&#13;"; break;
        case '"': result += "&#34;"; break;
        case '&': result += "&#38;"; break;
        case '<': result += "&#60;"; break;
        case '>': result += "&#62;"; break;
        default: result += c;
        }
    }
    return result;
}

std::string XMLToStr(std::string_view text) {
    size_t amp = text.find("&#");
    if (amp == std::string_view::npos) return std::string(text);
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (amp != std::string_view::npos) {
        result.append(text.substr(i, amp - i));
        size_t j = amp + 2;
        uint32_t code = 0;
        bool overflow = false;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            code = code * 10 + static_cast<uint32_t>(text[j] - '0');
            if (code > 0x10FFFF) overflow = true, code = 0x110000;
            ++j;
        }
        if (j > amp + 2 && j < text.size() && text[j] == ';' && !overflow && ValidCodePoint(code)) {
            result += CodePointToUtf8(code);
            i = j + 1;
        } else {
            result += "&#";
            i = amp + 2;
        }
        amp = text.find("&#", i);
    }
    result.append(text.substr(i));
    return result;
}

// The pattern blank + NAME + '="' searched in blank + Text, ignoring ASCII case; the value runs
// to the next '"' (to the end of the text when the quote is missing).
std::string XMLPropOf(std::string_view attributeText, std::string_view name) {
    const size_t n = name.size();
    if (n == 0 || attributeText.size() < n + 2) return {};
    for (size_t i = 0; i + n + 2 <= attributeText.size(); ++i) {
        if (i > 0 && attributeText[i - 1] != ' ') continue;
        if (attributeText[i + n] != '=' || attributeText[i + n + 1] != '"') continue;
        bool same = true;
        for (size_t k = 0; k < n && same; ++k)
            same = UpperAscii(attributeText[i + k]) == UpperAscii(name[k]);
        if (!same) continue;
        const size_t start = i + n + 2;
        size_t end = attributeText.find('"', start);
        if (end == std::string_view::npos) end = attributeText.size();
        return XMLToStr(attributeText.substr(start, end - start));
    }
    return {};
}

// --- TfsXMLItem ------------------------------------------------------------------

ROVE_IMPLEMENT_CLASS(TfsXMLItem)
ROVE_IMPLEMENT_CLASS(TfsXMLDocument)

TfsXMLItem::~TfsXMLItem() {
    ReleaseHandle();
    Detach();
    Clear();
}

void TfsXMLItem::Detach() {
    if (!FParent) return;
    auto& siblings = FParent->FItems;
    for (size_t i = siblings.size(); i-- > 0;) {
        if (siblings[i] == this) {
            siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    FParent = nullptr;
}

void TfsXMLItem::Clear() {
    std::vector<TfsXMLItem*> pending;
    pending.swap(FItems);
    while (!pending.empty()) {
        TfsXMLItem* item = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), item->FItems.begin(), item->FItems.end());
        item->FItems.clear();
        item->FParent = nullptr;
        delete item;
    }
}

TfsXMLItem* TfsXMLItem::Add() {
    auto* item = new TfsXMLItem;
    item->FParent = this;
    FItems.push_back(item);
    return item;
}

void TfsXMLItem::AddItem(TfsXMLItem* item) {
    if (!item) throw EInvalidOperation("Cannot add a nil item");
    for (TfsXMLItem* p = this; p; p = p->FParent)
        if (p == item) throw EInvalidOperation("Cannot add an item to itself or to its descendants");
    item->Detach();
    item->FParent = this;
    FItems.push_back(item);
}

void TfsXMLItem::InsertItem(int index, TfsXMLItem* item) {
    const int countAfter = Count() + (item && item->FParent == this ? 0 : 1);
    if (index < 0 || index >= countAfter) throw EListError(Format("List index out of bounds (%d)", {index}));
    AddItem(item);
    FItems.pop_back();
    FItems.insert(FItems.begin() + index, item);
}

TfsXMLItem* TfsXMLItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
    return FItems[static_cast<size_t>(index)];
}

int TfsXMLItem::Find(std::string_view name) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i]->FName, name)) return static_cast<int>(i);
    return -1;
}

TfsXMLItem* TfsXMLItem::FindItem(std::string_view name) {
    const int i = Find(name);
    if (i >= 0) return FItems[static_cast<size_t>(i)];
    TfsXMLItem* item = Add();
    item->FName = std::string(name);
    return item;
}

TfsXMLItem* TfsXMLItem::Root() {
    TfsXMLItem* item = this;
    while (item->FParent) item = item->FParent;
    return item;
}

void TfsXMLItem::Assign(const TfsXMLItem* source) {
    if (source == this) return;
    if (!source) {
        Clear();
        return;
    }
    // Copy into a detached tree first: Source may be one of our own descendants.
    TfsXMLItem copy;
    std::vector<std::pair<const TfsXMLItem*, TfsXMLItem*>> pending{{source, &copy}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        to->FName = from->FName;
        to->FText = from->FText;
        to->FData = from->FData;
        for (const TfsXMLItem* child : from->FItems) pending.emplace_back(child, to->Add());
    }
    Clear();
    FName = std::move(copy.FName);
    FText = std::move(copy.FText);
    FData = copy.FData;
    FItems.swap(copy.FItems);
    for (TfsXMLItem* child : FItems) child->FParent = this;
}

// --- Reading ---------------------------------------------------------------------------

namespace {

class TagReader {
public:
    explicit TagReader(std::string_view data) : FData(data) {}
    size_t Consumed() const { return FPos; }

    // Reads one tag into Name and Text; an empty Name at the end of the data.
    void ReadTag(std::string& name, std::string& text) {
        name.clear();
        text.clear();
        for (;;) {
            const size_t lt = FData.find('<', FPos);
            if (lt == std::string_view::npos) {
                FPos = FData.size();
                return;
            }
            FPos = lt + 1;
            if (FData.substr(FPos, 3) == "!--") {
                SkipComment();
                continue;
            }
            const size_t start = FPos;
            for (;;) {
                if (FPos >= FData.size()) InvalidFormat();
                const char c = FData[FPos];
                if (c == '<') InvalidFormat();
                if (c == '>') break;
                ++FPos;
            }
            std::string_view tag = FData.substr(start, FPos - start);
            ++FPos;
            if (!tag.empty() && IsAsciiSpace(tag.back())) tag.remove_suffix(1);
            size_t blank = 0;
            while (blank < tag.size() && !IsAsciiSpace(tag[blank])) ++blank;
            name.assign(tag.substr(0, blank));
            if (blank < tag.size()) text.assign(tag.substr(blank + 1));
            return;
        }
    }

private:
    // Behind "<!--": up to the first '>' that follows two consecutive '-'.
    void SkipComment() {
        FPos += 3;
        int dashes = 0;
        bool closable = false;
        for (;;) {
            if (FPos >= FData.size()) InvalidFormat();
            const char c = FData[FPos++];
            if (c == '-') {
                if (++dashes >= 2) closable = true;
                continue;
            }
            dashes = 0;
            if (c == '>' && closable) return;
        }
    }

    std::string_view FData;
    size_t FPos = 0;
};

bool IsClosingTag(const std::string& name) { return name.empty() || name[0] == '/'; }

// Stores a tag into Item; true when the element goes on to read children.
bool BeginElement(TfsXMLItem* item, std::string& name, std::string& text) {
    bool complete = false;
    if (!name.empty() && name.back() == '/') {
        name.pop_back();
        complete = true;
    } else if (!text.empty() && text.back() == '/') {
        text.pop_back();
        complete = true;
    }
    item->SetName(name);
    item->SetText(text);
    return !complete;
}

}  // namespace

TfsXMLDocument::TfsXMLDocument() : FRoot(new TfsXMLItem) {}

TfsXMLDocument::~TfsXMLDocument() {
    ReleaseHandle();
    delete FRoot;
}

size_t TfsXMLDocument::LoadFromString(std::string_view data) {
    FRoot->Clear();
    FRoot->SetName({});
    FRoot->SetText({});
    FRoot->SetData(nullptr);
    TagReader reader(data);
    std::string name, text;
    reader.ReadTag(name, text);
    if (name.compare(0, 4, "?xml") != 0) InvalidFormat();

    reader.ReadTag(name, text);
    if (IsClosingTag(name)) {
        FRoot->SetName(name);
        FRoot->SetText(text);
        return reader.Consumed();
    }
    std::vector<TfsXMLItem*> open;
    if (BeginElement(FRoot, name, text)) open.push_back(FRoot);
    while (!open.empty()) {
        reader.ReadTag(name, text);
        if (IsClosingTag(name)) {
            // End of data closes every open element without complaint.
            TfsXMLItem* closed = open.back();
            open.pop_back();
            if (!name.empty() && (name.size() != closed->Name().size() + 1 ||
                                  !SameText(std::string_view(name).substr(1), closed->Name())))
                InvalidFormat();
            continue;
        }
        TfsXMLItem* child = open.back()->Add();
        if (BeginElement(child, name, text)) open.push_back(child);
    }
    return reader.Consumed();
}

std::string TfsXMLDocument::SaveToString() const {
    std::string out = "<?xml version=\"1.0\"?>";
    if (FAutoIndent) out += "\r\n";
    struct Frame {
        const TfsXMLItem* item;
        int next;
        int level;
    };
    auto indent = [&](int level) {
        if (FAutoIndent) out.append(static_cast<size_t>(level) * 2, ' ');
    };
    auto lineEnd = [&] {
        if (FAutoIndent) out += "\r\n";
    };
    auto open = [&](const TfsXMLItem* item, int level) {
        indent(level);
        out += '<';
        out += item->Name();
        if (!item->Text().empty()) {
            if (item->Text()[0] != ' ') out += ' ';
            out += item->Text();
        }
        out += item->Count() > 0 ? ">" : "/>";
        lineEnd();
    };
    std::vector<Frame> stack;
    open(FRoot, 0);
    if (FRoot->Count() > 0) stack.push_back({FRoot, 0, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.item->Count()) {
            const TfsXMLItem* child = top.item->Items(top.next++);
            const int level = top.level + 1;
            open(child, level);
            if (child->Count() > 0) stack.push_back({child, 0, level});
            continue;
        }
        indent(top.level);
        out += "</";
        out += top.item->Name();
        out += '>';
        lineEnd();
        stack.pop_back();
    }
    return out;
}

void TfsXMLDocument::LoadFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    const std::string data = stream.ReadRemaining();
    size_t consumed = 0;
    try {
        consumed = LoadFromString(data);
    } catch (...) {
        stream.SetPosition(start + static_cast<int64_t>(data.size()));
        throw;
    }
    stream.SetPosition(start + static_cast<int64_t>(consumed));
}

void TfsXMLDocument::SaveToStream(TStream& stream) const { stream.WriteBuffer(SaveToString()); }

void TfsXMLDocument::LoadFromFile(const std::string& fileName) { LoadFromString(ReadFileBytes(fileName)); }

void TfsXMLDocument::SaveToFile(const std::string& fileName) const { SaveFileAtomically(fileName, SaveToString()); }
