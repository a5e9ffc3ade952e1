// The report engine's XML tree with its own streaming reader and writer: report files,
// prepared reports, style sheets, variables, the designer's clipboard and undo copies.
//
// It is deliberately small: an element keeps its attributes as one raw text, element text
// content is dropped, only numeric character references are understood. Prepared reports
// use partial loading: the children of elements marked ld="0" stay on the source stream
// (or move to a temporary file) until they are asked for.
//
// Text is UTF-8 in memory and in the files written here. A file that is not valid UTF-8
// was written by the Windows program and is decoded from GB18030 element by element.
//
// An element's children can be held packed: one byte string of records (name, attribute
// text, flags, the children's records) instead of a heap element each. Prepared pages keep
// their pages so. The accessors unpack one level when a child is asked for, the writer
// writes packed children as they are, so a caller sees the same tree either way; only
// pointers to children do not survive a Pack.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"

class TStream;
class TFileStream;
class TfrxXMLDocument;

// Every malformed input raises this with the text "Invalid file format".
ROVE_DECLARE_EXCEPTION(EfrxXMLError, Exception);
// Why a file could not be read, as the program's user reads it: a malformed document is
// "文件格式无效" (the exception keeps its own text for scripts and callers), any other error
// its own message.
std::string frxFileErrorText(const std::exception& E);

// Attribute values: LF, CR, '"', '&', '<' and '>' become "&#N;" with the decimal code.
std::string frxStrToXML(std::string_view Text);
// The escaped characters, by byte: 1 for each (bytes, not bools, so that four of them
// are or-ed in one step without a branch).
inline constexpr std::array<uint8_t, 256> frxXMLEscaped = [] {
    std::array<uint8_t, 256> t{};
    for (unsigned char c : {'\n', '\r', '"', '&', '<', '>'}) t[c] = 1;
    return t;
}();
// Text escaped from From (its first escaped character) on, appended to Out.
void frxAddEscapedToXML(std::string& Out, std::string_view Text, size_t From);
// The same as frxStrToXML, appended to Out. Inline: a prepared page escapes every memo
// text, and most hold nothing to escape and go in whole.
inline void frxAddStrToXML(std::string& Out, std::string_view Text) {
    const auto* p = reinterpret_cast<const unsigned char*>(Text.data());
    size_t i = 0;
    // Four bytes a step while there are: one test for the four looks-up.
    while (i + 4 <= Text.size() &&
           !(frxXMLEscaped[p[i]] | frxXMLEscaped[p[i + 1]] | frxXMLEscaped[p[i + 2]] | frxXMLEscaped[p[i + 3]]))
        i += 4;
    while (i < Text.size() && !frxXMLEscaped[p[i]]) ++i;
    if (i == Text.size()) Out += Text;
    else frxAddEscapedToXML(Out, Text, i);
}
// "&#N;" becomes the character of code point N. A reference without ";", with no
// decimal digits or naming no valid code point stays as it stands; named entities
// (&amp;) are not decoded.
std::string frxXMLToStr(std::string_view Text);

class TfrxXMLItem {
public:
    TfrxXMLItem() = default;
    // Clears the element and removes it from its parent.
    ~TfrxXMLItem();
    TfrxXMLItem(const TfrxXMLItem&) = delete;
    TfrxXMLItem& operator=(const TfrxXMLItem&) = delete;

    const std::string& Name() const { return FName; }
    void SetName(std::string Value) { FName = std::move(Value); }
    // The raw attribute text: blank-separated name="value" pairs, values escaped.
    const std::string& Text() const { return FText; }
    void SetText(std::string Value) { FText = std::move(Value); }
    TfrxXMLItem* Parent() const { return FParent; }

    // A new last child.
    TfrxXMLItem* Add();
    // Appends Item, taking it from its former parent.
    void AddItem(TfrxXMLItem* Item);
    // Adds Item, then moves it to Index.
    void InsertItem(int Index, TfrxXMLItem* Item);
    // Frees all children; an unloadable element also becomes not loaded.
    void Clear();
    int Count() const { return FPacked.empty() ? static_cast<int>(FItems.size()) : PackedCount(); }
    // Raises EListError out of range.
    TfrxXMLItem* Items(int Index) const {
        Unpack();
        if (Index < 0 || Index >= Count()) IndexError(Index);
        return FItems[static_cast<size_t>(Index)];
    }
    TfrxXMLItem* operator[](int Index) const { return Items(Index); }
    int IndexOf(const TfrxXMLItem* Item) const {
        // A packed element has no heap children to be found.
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i] == Item) return static_cast<int>(i);
        return -1;
    }
    // Index of the first child whose name equals Name ignoring case, -1 when none.
    int Find(std::string_view Name) const;
    // That child; when none exists a new child with that name is appended.
    TfrxXMLItem* FindItem(std::string_view Name);

    // An attribute's value (unescaped), empty when absent; names ignore case.
    std::string Prop(std::string_view Name) const;
    bool HasProp(std::string_view Name) const;
    // Replaces the attribute in place or appends it.
    void SetProp(std::string_view Name, std::string_view Value);
    // Removes the attribute when present.
    void DeleteProp(std::string_view Name);

    // Partial loading state: Loaded is false while the children live on a stream.
    bool Loaded() const { return FLoaded; }
    bool Unloadable() const { return FUnloadable; }
    void SetUnloadable(bool Value) { FUnloadable = Value; }
    // The stream position the element can be read again from.
    int64_t Offset() const { return FOffset; }

    // --- Packed children -----------------------------------------------------------------
    // The children (with all their descendants) are held as packed records.
    bool Packed() const { return !FPacked.empty(); }
    // Packs the children; pointers to them and their descendants become invalid. The
    // accessors unpack again, one level at a time, when a child is asked for. Children
    // already packed give back the spare room of their buffer.
    void Pack();
    // Appends children given as packed records (TfrxXMLPacker's), without a heap element
    // for each; children held unpacked are packed first so that the order stays.
    void AddPacked(std::string_view Records);
    // The packed records of the children, to append records to in place (children held
    // unpacked are packed first).
    std::string& PackedRecords();
    // Bytes the children take in memory: the packed records, or for each heap child its
    // name, text and bookkeeping and what its own children take. Compressed records count
    // at their full size, so that the file cache's estimate does not depend on it.
    int64_t ChildrenMemory() const;
    // Compresses packed children of at least MinimumBytes in place (a prepared page the
    // engine has left), unless that would not make them smaller. Every accessor, the child reader and the writer expand them again first, so
    // the element reads the same either way; expanded, they stay so until the next call.
    void Compress(size_t MinimumBytes = 512);
    bool Compressed() const { return FRawSize != 0; }
    // The children's records as they stand (compressed or not), kept by a reader that
    // unpacks the element only to read it (a page built for printing) and put back with
    // RestoreRecords, instead of packing and compressing the same records again. Empty
    // when the children are held on the heap.
    struct TKeptRecords {
        std::string Bytes;
        size_t RawSize = 0;
    };
    TKeptRecords KeepRecords() const {
        if (!FItems.empty()) return {};
        return {FPacked, FRawSize};
    }
    // Frees the heap children and takes Kept as the children (kept from this element while
    // it held the same children: it is not checked).
    void RestoreRecords(TKeptRecords&& Kept);

private:
    friend class TfrxXMLDocument;
    friend class TfrxXMLReader;
    friend class TfrxXMLWriter;
    friend class TfrxXMLChildReader;
    // Turns the packed records into heap children, each keeping its own children packed.
    void Unpack() const {
        if (!FPacked.empty()) UnpackRecords();
    }
    // Expands compressed records back into FPacked.
    void Expand() const {
        if (FRawSize != 0) ExpandRecords();
    }
    void ExpandRecords() const;
    void UnpackRecords() const;
    int PackedCount() const;
    [[noreturn]] static void IndexError(int Index);
    // Frees the children, packed or not, leaving the loading state alone.
    void FreeChildren();
    // Appends this element's record with its subtree.
    void PackTo(std::string& Out) const;
    std::string FName;
    std::string FText;
    // Either the heap children or their packed records, never both.
    mutable std::vector<TfrxXMLItem*> FItems;
    mutable std::string FPacked;
    // Nonzero while FPacked holds the records compressed: their size expanded.
    mutable size_t FRawSize = 0;
    TfrxXMLItem* FParent = nullptr;
    bool FLoaded = true;
    bool FUnloadable = false;
    bool FInTempFile = false;     // Offset points into the document's temporary file
    int64_t FOffset = 0;
};

// Reads the names and attribute texts of an element's children in order, packed or not,
// without unpacking them. The element must not change while it is read.
class TfrxXMLChildReader {
public:
    explicit TfrxXMLChildReader(const TfrxXMLItem* Item) : FItem(Item) {}
    // Moves to the next child; false after the last.
    bool Next();
    std::string_view Name() const { return FName; }
    std::string_view Text() const { return FText; }
    // The current child's attribute (unescaped), as TfrxXMLItem::Prop gives it.
    std::string Prop(std::string_view Name) const;
    bool HasProp(std::string_view Name) const;

private:
    const TfrxXMLItem* FItem;
    size_t FPos = 0;
    std::string_view FName, FText;
};

// Builds packed records of elements written once and not changed while they are built
// (a prepared band with its objects): Begin/End around an element with children, Add for
// one without. The buffer is kept between uses.
class TfrxXMLPacker {
public:
    TfrxXMLPacker() = default;
    TfrxXMLPacker(const TfrxXMLPacker&) = delete;
    TfrxXMLPacker& operator=(const TfrxXMLPacker&) = delete;
    // Empties the packer's own buffer and writes into it again.
    void Clear() {
        FOwn.clear();
        FData = &FOwn;
        FOpen.clear();
    }
    // The records go on at the end of Records instead (until Clear); the elements begun
    // and not ended are forgotten.
    void AppendTo(std::string& Records) {
        FData = &Records;
        FOpen.clear();
    }
    void Begin(std::string_view Name, std::string_view Text);
    void End();
    void Add(std::string_view Name, std::string_view Text);
    // Add or Begin with the attribute text written straight into the records: OpenHead
    // starts the element named by Head (RecordHead of the name: a writer of many elements
    // with the same few names makes each head once) and returns the buffer to append the
    // text to; CloseText ends the text (without the blanks in front of it when
    // DropLeadingBlanks); with Children the element's children follow until End.
    static std::string RecordHead(std::string_view Name);
    [[gnu::always_inline]] std::string& OpenHead(std::string_view Head) {
        std::string& data = *FData;
        FFlagsAt = data.size();
        data += Head;
        FTextAt = data.size();
        return data;
    }
    [[gnu::always_inline]] void CloseText(bool DropLeadingBlanks, bool Children) {
        // A difference text starts with one blank: a length below 128 takes its place.
        std::string& data = *FData;
        const size_t n = data.size() - FTextAt;
        if (DropLeadingBlanks && n >= 2 && n <= 0x80 && data[FTextAt] == ' ' &&
            static_cast<unsigned char>(data[FTextAt + 1]) > ' ')
            data[FTextAt] = static_cast<char>(n - 1);
        else
            PutTextLength(DropLeadingBlanks);
        if (Children) OpenChildren();
    }
    bool Empty() const { return FData->empty(); }
    // The records of the elements ended so far (all must be ended).
    std::string_view Records() const { return *FData; }

private:
    void PutTextLength(bool DropLeadingBlanks);
    void OpenChildren();
    std::string FOwn;
    std::string* FData = &FOwn;   // where the records go
    // Of each element begun and not ended: where its flags and its children's length are.
    std::vector<std::pair<size_t, size_t>> FOpen;
    // Where the flags and the text of the element Open began are.
    size_t FFlagsAt = 0, FTextAt = 0;
};

// The streaming reader: one character at a time through a 4096-byte buffer. Destroying
// it leaves the stream just after the last character consumed.
class TfrxXMLReader {
public:
    explicit TfrxXMLReader(TStream& Stream);
    ~TfrxXMLReader();
    TfrxXMLReader(const TfrxXMLReader&) = delete;
    TfrxXMLReader& operator=(const TfrxXMLReader&) = delete;

    int64_t Position() const { return FPosition; }
    void SetPosition(int64_t Value);
    // Bytes that are not UTF-8 are decoded from GB18030 (files of the Windows program).
    void SetLegacyEncoding(bool Value) { FLegacy = Value; }
    // The next tag: Name and attribute text; false at the end of the stream before a tag
    // starts. Raises EfrxXMLError for a '<' inside a tag or a tag cut off by the end.
    bool ReadHeader(std::string& Name, std::string& Text);
    // Reads one element with its children into Item (which must be empty); Allow
    // enables the partial-loading marker. Raises EfrxXMLError on malformed input.
    void ReadItem(TfrxXMLItem* Item, bool AllowPartialLoading);

private:
    bool NextChar(char& c);
    // Reads the next part of the stream when the buffer is used up; false at its end.
    bool Fill();
    void ReadItemBody(TfrxXMLItem* Item, bool AllowPartialLoading);
    void Decode(std::string& s) const;
    TStream& FStream;
    std::unique_ptr<char[]> FBuffer;
    int FCount = 0;
    int FIndex = 0;
    int64_t FPosition = 0;
    int64_t FSize = 0;
    bool FLegacy = false;
};

class TfrxXMLDocument {
public:
    TfrxXMLDocument();
    ~TfrxXMLDocument();          // deletes the temporary file
    TfrxXMLDocument(const TfrxXMLDocument&) = delete;
    TfrxXMLDocument& operator=(const TfrxXMLDocument&) = delete;

    TfrxXMLItem* Root() const { return FRoot.get(); }
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool Value) { FAutoIndent = Value; }
    // Folder of the temporary file; empty means the system's.
    const std::string& TempDir() const { return FTempDir; }
    void SetTempDir(std::string Value) { FTempDir = std::move(Value); }

    // Clears the root's children and deletes the temporary file.
    void Clear();
    // Reads a whole document. With partial loading the document keeps reading from the
    // stream later (LoadItem): this form leaves the stream the caller's, who keeps it
    // alive while the document is used; the unique_ptr form hands it over.
    // Raises EfrxXMLError "Invalid file format" on malformed input.
    void LoadFromStream(TStream& Stream, bool AllowPartialLoading = false);
    void LoadFromStream(std::unique_ptr<TStream> Stream, bool AllowPartialLoading);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName, bool AllowPartialLoading = false);
    // Writes to a temporary file beside FileName and renames it over the old file.
    void SaveToFile(const std::string& FileName);

    // Reads an unloaded element's children back in.
    void LoadItem(TfrxXMLItem* Item);
    // Moves a loaded, unloadable element's children to the temporary file.
    void UnloadItem(TfrxXMLItem* Item);

    // The temporary file, empty until the first UnloadItem.
    const std::string& TempFileName() const { return FTempFileName; }

private:
    void DeleteTempFile();
    void WriteItems(TStream& Stream);
    std::unique_ptr<TfrxXMLItem> FRoot;
    bool FAutoIndent = false;
    std::string FTempDir;
    std::unique_ptr<TStream> FOwnedSource;
    TStream* FSource = nullptr;
    bool FLegacy = false;
    std::string FTempFileName;
    std::unique_ptr<TFileStream> FTempStream;
    friend class TfrxXMLWriter;
};

// The writer: header line, one element per line (CR LF and two blanks per level with
// AutoIndent), output flushed after 4096 characters and at the end. Unloaded elements are
// read back through the document while they are written and dropped again.
class TfrxXMLWriter {
public:
    TfrxXMLWriter(TStream& Stream, TfrxXMLDocument* Document = nullptr);
    ~TfrxXMLWriter();
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool Value) { FAutoIndent = Value; }
    void WriteHeader();
    void WriteRootItem(TfrxXMLItem* Item, int Level = 0);
    void Flush();

private:
    void WriteTag(std::string_view Name, std::string_view Text, bool Unloadable, bool Children, int Level);
    void WriteEndTag(std::string_view Name, int Level);
    void WritePacked(std::string_view Records, int Level);
    void WriteLn(std::string_view Line, int Level);
    TStream& FStream;
    TfrxXMLDocument* FDocument;
    bool FAutoIndent = false;
    std::string FBuffer;
};
