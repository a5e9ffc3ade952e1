// String lists of the class library: TStrings (the abstract list that controls' Items and
// Lines implement over their widgets) and TStringList (the list that owns its strings, with
// sorting, duplicates handling, name=value lines and change notification).
// Indexes are 0-based; a bad index raises EStringListError "List index out of bounds (%d)".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The root class of the component model lives in platform/classes; the lists only carry
// such pointers in their Objects slots and never own or dereference them.
class TObject;
class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings() = default;

    // What a descendant stores: count, strings and objects by index, insertion and removal.
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual TObject* GetObject(int index) const;                  // nullptr unless stored
    virtual void Put(int index, const std::string& s);            // keeps the line's object
    virtual void PutObject(int index, TObject* object);           // ignored unless stored
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void InsertObject(int index, const std::string& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    virtual int Add(const std::string& s);                        // index of the new line
    virtual int AddObject(const std::string& s, TObject* object);
    void Append(const std::string& s) { Add(s); }
    void AddStrings(const TStrings& strings);                     // strings with their objects
    virtual void Assign(const TStrings& source);                  // Clear + AddStrings
    bool Equals(const TStrings& other) const;                     // same strings in order
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    // Look-ups compare with CompareStrings (ASCII case ignored unless a descendant says so).
    virtual int IndexOf(std::string_view s) const;                // -1 when absent
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* object) const;
    virtual int CompareStrings(std::string_view a, std::string_view b) const;

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& s) { Put(index, s); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    // name=value lines. Names of a line without the separator is empty; setting a value to
    // the empty text removes the line.
    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    void SetValues(std::string_view name, std::string_view value);
    std::string ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, std::string_view value);
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char c) { FNameValueSeparator = c; }

    // Text: every line followed by CR LF; setting it splits at CR LF, LF or CR.
    virtual std::string Text() const;
    virtual void SetText(std::string_view text);
    // CommaText is DelimitedText with ',' and '"'. A line holding a blank, a control
    // character, the quote or the delimiter is quoted, quotes doubled; when reading,
    // unquoted blanks separate lines as the delimiter does.
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char c) { FDelimiter = c; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char c) { FQuoteChar = c; }

    // Batches of changes: OnChange-like notifications wait for the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Files and streams are UTF-8 without a byte-order mark; reading accepts a mark and
    // decodes text that is not UTF-8 as GB18030 (files of the old program).
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;           // through a temporary file

protected:
    // Called with true by the first BeginUpdate and with false by the last EndUpdate.
    virtual void SetUpdateState(bool updating) {}
    [[noreturn]] static void IndexError(int index);
    void CheckIndex(int index) const;

private:
    std::string DelimitedTextWith(char delimiter, char quote) const;
    void SetDelimitedTextWith(std::string_view text, char delimiter, char quote);

    int FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
    char FNameValueSeparator = '=';
};

class TStringList;
// Compares the lines at two indexes of the list: negative, 0 or positive.
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;
using TStringListNotify = std::function<void(TStringList& sender)>;

class TStringList : public TStrings {
public:
    TStringList() = default;

    // Final: operator[] checks its index against the lines themselves.
    int Count() const final { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    TObject* GetObject(int index) const override;
    void Put(int index, const std::string& s) override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    int AddObject(const std::string& s, TObject* object) override;
    // Adds the lines with their objects as AddObject does one after the other, with one
    // change notification: a sorted list puts them in place with one sort instead of
    // moving its lines for each (a list refusing duplicates adds them one by one).
    void AddObjects(std::vector<std::pair<std::string, TObject*>> Lines);
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;
    int IndexOf(std::string_view s) const override;
    int CompareStrings(std::string_view a, std::string_view b) const override;

    // The string by reference, without a copy (for loops over large lists).
    const std::string& operator[](int index) const {
        if (index < 0 || static_cast<size_t>(index) >= FItems.size()) IndexError(index);
        return FItems[static_cast<size_t>(index)].String;
    }

    // Find: binary search of a sorted list. True when found; index is then the match
    // (the first of equal lines when duplicates are accepted), else the insertion point.
    bool Find(std::string_view s, int& index) const;
    virtual void Sort();
    void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates d) { FDuplicates = d; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive);

    // The same text as TStrings's, without copying each line; an unsorted list takes the
    // new lines in one step (with the notifications of the line-by-line way).
    std::string Text() const override;
    void SetText(std::string_view text) override;
    // Counts the changes of the lines and never goes back: while it stays the same, so
    // do the lines (a holder of a copy need not compare texts).
    uint64_t ChangeStamp() const { return FChangeStamp; }
    // Takes the lines (with their objects) of Source, which is left empty: the
    // notifications of both are those of setting their text.
    void TakeLines(TStringList& Source);

    // Called before and after every change outside BeginUpdate/EndUpdate.
    void SetOnChange(TStringListNotify handler) { FOnChange = std::move(handler); }
    void SetOnChanging(TStringListNotify handler) { FOnChanging = std::move(handler); }
    const TStringListNotify& OnChange() const { return FOnChange; }
    const TStringListNotify& OnChanging() const { return FOnChanging; }

protected:
    // Final: a list without handlers skips the update brackets (TakeLines, SetText), as
    // nothing else would hear them.
    void SetUpdateState(bool updating) final;
    void Changed();
    void Changing();

private:
    // No handler is set: a change is heard by nobody.
    bool Unheard() const;
    // The lines of text (split at CR LF, LF or CR) in place of the list's.
    void SplitIntoLines(std::string_view text);
    struct Item {
        std::string String;
        TObject* Object = nullptr;
    };
    void InsertItem(int index, std::string s, TObject* object);
    [[noreturn]] static void SortedListError();

    std::vector<Item> FItems;
    uint64_t FChangeStamp = 0;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
    TStringListNotify FOnChange;
    TStringListNotify FOnChanging;
};
