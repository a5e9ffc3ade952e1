// The script engine's own small XML tree: elements and attributes only.
// It holds the grammar documents, the intermediate tree the front end produces, and the
// contents tree of a script's functions and classes. Character data between tags is skipped
// on reading and never written; the only references understood are "&#N;" (N a decimal code
// point). An element keeps its attributes as one raw, still escaped text; Prop() finds one.
//
// Items and documents are objects of the class library, so scripts reach them through checked
// handles (a freed item's handle raises instead of reaching freed memory).
#pragma once

#include "platform/classes/Persistent.h"

#include <string>
#include <string_view>
#include <vector>

class TStream;

// "&#N;" for line feed, carriage return, '"', '&', '<' and '>'; everything else unchanged.
std::string StrToXML(std::string_view text);
// Every "&#N;" becomes the character with code point N. A reference that is not closed by ";",
// has no digits, or names no valid code point stays as it stands.
std::string XMLToStr(std::string_view text);
// The value of attribute Name inside a raw attribute text (the rule of TfsXMLItem::Prop).
std::string XMLPropOf(std::string_view attributeText, std::string_view name);

class TfsXMLItem : public TObject {
    ROVE_CLASS(TfsXMLItem, TObject)
public:
    TfsXMLItem() = default;
    // Frees the children and first removes the item from its parent's list.
    ~TfsXMLItem();
    TfsXMLItem(const TfsXMLItem&) = delete;
    TfsXMLItem& operator=(const TfsXMLItem&) = delete;

    // A new empty item appended as the last child.
    TfsXMLItem* Add();
    // Appends Item (taking ownership); it first leaves its former parent's list. Adding an item
    // to itself or to one of its descendants raises EInvalidOperation.
    void AddItem(TfsXMLItem* item);
    // AddItem, then moved to position Index (0 .. Count after the addition - 1, else EListError).
    void InsertItem(int index, TfsXMLItem* item);
    // Frees every child.
    void Clear();

    int Count() const { return static_cast<int>(FItems.size()); }
    // Child by 0-based position; EListError out of range.
    TfsXMLItem* Items(int index) const;
    // Position of the first child named Name (ASCII case ignored), -1 when none.
    int Find(std::string_view name) const;
    // That child; when there is none a new child of that name is appended and returned.
    TfsXMLItem* FindItem(std::string_view name);
    // The unescaped value of one attribute ("" when absent), name compared ignoring case.
    std::string Prop(std::string_view name) const { return XMLPropOf(FText, name); }
    // The topmost ancestor (the item itself without a parent).
    TfsXMLItem* Root();
    // Clears the children, then copies Source's Name, Text, Data and a deep copy of its children.
    void Assign(const TfsXMLItem* source);

    const std::string& Name() const { return FName; }
    void SetName(std::string name) { FName = std::move(name); }
    // The whole attribute text of the tag: text="begin" pos="1:1" (values stay escaped).
    const std::string& Text() const { return FText; }
    void SetText(std::string text) { FText = std::move(text); }
    TfsXMLItem* Parent() const { return FParent; }
    // Untyped pointer for the owner's use; copied by Assign, never freed.
    void* Data() const { return FData; }
    void SetData(void* data) { FData = data; }

private:
    void Detach();  // leaves the parent's list without freeing

    void* FData = nullptr;
    std::vector<TfsXMLItem*> FItems;  // owned
    std::string FName;
    std::string FText;
    TfsXMLItem* FParent = nullptr;
};

class TfsXMLDocument : public TObject {
    ROVE_CLASS(TfsXMLDocument, TObject)
public:
    TfsXMLDocument();
    ~TfsXMLDocument();
    TfsXMLDocument(const TfsXMLDocument&) = delete;
    TfsXMLDocument& operator=(const TfsXMLDocument&) = delete;

    // When true the writer indents by two blanks per level and ends each line with CR LF.
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool value) { FAutoIndent = value; }
    // The document element itself (named by the first element after the header).
    TfsXMLItem* Root() const { return FRoot; }

    // Reads a document from Data; returns the number of bytes consumed (the reader stops
    // behind the root's closing tag). Malformed input raises EScriptError "Invalid file
    // format" and leaves the part read so far in Root.
    size_t LoadFromString(std::string_view data);
    std::string SaveToString() const;
    // Reads from the stream's position; the stream is left just behind the last character
    // the reader consumed.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // EFOpenError when the file cannot be read.
    void LoadFromFile(const std::string& fileName);
    // Writes through a temporary file in the same folder that then replaces FileName, so a
    // failed save leaves the old file intact (EFCreateError / EInOutError on failure).
    void SaveToFile(const std::string& fileName) const;

private:
    TfsXMLItem* FRoot;
    bool FAutoIndent = false;
};
