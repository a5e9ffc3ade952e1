// TStrings and TStringList.
#include "platform/rtl/StringList.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// Blanks and control characters, NUL included: unquoted items end at them.
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

// --- TStrings --------------------------------------------------------------------

void TStrings::IndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
}

TObject* TStrings::GetObject(int index) const {
    CheckIndex(index);
    return nullptr;
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    try {
        Delete(index);
        InsertObject(index, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::PutObject(int index, TObject* object) {}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    try {
        const int n = strings.Count();
        for (int i = 0; i < n; ++i) AddObject(strings.Get(i), strings.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
    const int n = Count();
    if (n != other.Count()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    BeginUpdate();
    try {
        const std::string s1 = Get(index1);
        TObject* o1 = GetObject(index1);
        Put(index1, Get(index2));
        PutObject(index1, GetObject(index2));
        Put(index2, s1);
        PutObject(index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    BeginUpdate();
    try {
        const std::string s = Get(curIndex);
        TObject* o = GetObject(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, o);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return CompareText(a, b); }

int TStrings::IndexOf(std::string_view s) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        const std::string s = Get(i);
        const size_t sep = s.find(FNameValueSeparator);
        if (sep != std::string::npos && CompareStrings(std::string_view(s).substr(0, sep), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string s = Get(index);
    const size_t sep = s.find(FNameValueSeparator);
    return sep == std::string::npos ? std::string() : s.substr(0, sep);
}

std::string TStrings::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

// Setting a value: the line name=value is replaced or appended; an empty value removes it.
void TStrings::SetValues(std::string_view name, std::string_view value) {
    const int i = IndexOfName(name);
    std::string line(name);
    line += FNameValueSeparator;
    line += value;
    if (value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(line);
    } else {
        Put(i, line);
    }
}

// The text after the first separator; a line without one has no value.
std::string TStrings::ValueFromIndex(int index) const {
    const std::string s = Get(index);
    const size_t sep = s.find(FNameValueSeparator);
    return sep == std::string::npos ? std::string() : s.substr(sep + 1);
}

void TStrings::SetValueFromIndex(int index, std::string_view value) {
    if (index < 0) {
        if (!value.empty()) Add(std::string(1, FNameValueSeparator) + std::string(value));
        return;
    }
    if (value.empty()) {
        Delete(index);
        return;
    }
    std::string line = Names(index);
    line += FNameValueSeparator;
    line += value;
    Put(index, line);
}

std::string TStrings::Text() const {
    std::string out;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = pos;
            while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
            Add(std::string(text.substr(pos, end - pos)));
            if (end < text.size() && text[end] == '\r') ++end;
            if (end < text.size() && text[end] == '\n') ++end;
            pos = end;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const { return DelimitedTextWith(',', '"'); }
void TStrings::SetCommaText(std::string_view text) { SetDelimitedTextWith(text, ',', '"'); }
std::string TStrings::DelimitedText() const { return DelimitedTextWith(FDelimiter, FQuoteChar); }
void TStrings::SetDelimitedText(std::string_view text) { SetDelimitedTextWith(text, FDelimiter, FQuoteChar); }

// A line is quoted when it holds a blank or control character, the quote or the delimiter;
// a list of one empty line is written as two quotes so that it reads back as one line.
std::string TStrings::DelimitedTextWith(char delimiter, char quote) const {
    const int n = Count();
    if (n == 1 && Get(0).empty()) return std::string(2, quote);
    std::string out;
    for (int i = 0; i < n; ++i) {
        const std::string s = Get(i);
        const bool needsQuotes = std::any_of(s.begin(), s.end(), [&](char c) {
            return IsBlankOrControl(c) || c == quote || c == delimiter;
        });
        if (i > 0) out += delimiter;
        if (!needsQuotes) {
            out += s;
            continue;
        }
        out += quote;
        for (char c : s) {
            out += c;
            if (c == quote) out += quote;
        }
        out += quote;
    }
    return out;
}

// Reading: blanks between items are skipped; an item is a quoted text (doubled quotes
// make one) or the run up to a blank or the delimiter; a delimiter at the very end adds
// an empty line.
void TStrings::SetDelimitedTextWith(std::string_view text, char delimiter, char quote) {
    auto isBlank = [](char c) { return IsBlankOrControl(c); };
    BeginUpdate();
    try {
        Clear();
        size_t p = 0;
        const size_t n = text.size();
        while (p < n && isBlank(text[p])) ++p;
        while (p < n) {
            std::string item;
            if (text[p] == quote) {
                ++p;
                while (p < n) {
                    if (text[p] == quote) {
                        if (p + 1 < n && text[p + 1] == quote) {
                            item += quote;
                            p += 2;
                            continue;
                        }
                        ++p;
                        break;
                    }
                    item += text[p++];
                }
            } else {
                const size_t start = p;
                while (p < n && static_cast<unsigned char>(text[p]) > ' ' && text[p] != delimiter) ++p;
                item.assign(text.substr(start, p - start));
            }
            Add(item);
            while (p < n && isBlank(text[p])) ++p;
            if (p < n && text[p] == delimiter) {
                if (p + 1 == n) Add(std::string());
                do {
                    ++p;
                } while (p < n && isBlank(text[p]));
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream& stream) {
    std::string bytes = stream.ReadRemaining();
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    SetText(DecodeLegacyText(bytes));
}

void TStrings::SaveToStream(TStream& stream) const { stream.WriteBuffer(Text()); }

void TStrings::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const { SaveFileAtomically(fileName, Text()); }

// --- TStringList ---------------------------------------------------------------------

void TStringList::SortedListError() { throw EStringListError("Operation not allowed on sorted list"); }

void TStringList::Changing() {
    if (UpdateCount() == 0 && FOnChanging) FOnChanging(*this);
}

void TStringList::Changed() {
    ++FChangeStamp;
    if (UpdateCount() == 0 && FOnChange) FOnChange(*this);
}

std::string TStringList::Text() const {
    size_t size = 0;
    for (const Item& item : FItems) size += item.String.size() + 2;
    std::string out;
    out.reserve(size);
    for (const Item& item : FItems) {
        out += item.String;
        out += "\r\n";
    }
    return out;
}

bool TStringList::Unheard() const { return !FOnChanging && !FOnChange; }

void TStringList::TakeLines(TStringList& Source) {
    if (&Source == this) return;
    if (FSorted) {
        // The lines go to their places one by one.
        BeginUpdate();
        Clear();
        AddStrings(Source);
        EndUpdate();
        Source.Clear();
        return;
    }
    if (Unheard() && Source.Unheard()) {
        std::swap(FItems, Source.FItems);
        Source.FItems.clear();
        ++FChangeStamp;
        ++Source.FChangeStamp;
        return;
    }
    BeginUpdate();
    Source.BeginUpdate();
    Changing();
    Source.Changing();
    // Swapped, so that each list keeps a buffer to fill again.
    std::swap(FItems, Source.FItems);
    Source.FItems.clear();
    Changed();
    Source.Changed();
    Source.EndUpdate();
    EndUpdate();
}

void TStringList::SplitIntoLines(std::string_view text) {
    FItems.clear();
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* q = p;
        // Eight bytes at a time while none of them lies below 14 (LF is 10, CR 13); then
        // bytes above CR pass with one comparison.
        constexpr uint64_t kOnes = 0x0101010101010101ULL;
        while (end - q >= 8) {
            uint64_t word;
            std::memcpy(&word, q, sizeof word);
            if (((word - kOnes * 14) & ~word & kOnes * 0x80) != 0) break;
            q += 8;
        }
        while (q < end && (static_cast<unsigned char>(*q) > '\r' || (*q != '\r' && *q != '\n'))) ++q;
        FItems.emplace_back().String.assign(p, static_cast<size_t>(q - p));
        if (q < end && *q == '\r') ++q;
        if (q < end && *q == '\n') ++q;
        p = q;
    }
}

void TStringList::SetText(std::string_view text) {
    if (FSorted) {
        TStrings::SetText(text);
        return;
    }
    if (Unheard()) {
        ++FChangeStamp;
        SplitIntoLines(text);
        return;
    }
    BeginUpdate();
    try {
        Changing();
        SplitIntoLines(text);
        Changed();
    } catch (...) {
        Changed();
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        if (FOnChanging) FOnChanging(*this);
    } else if (FOnChange) {
        FOnChange(*this);
    }
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].String;
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted) SortedListError();
    CheckIndex(index);
    Changing();
    FItems[static_cast<size_t>(index)].String = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    FItems[static_cast<size_t>(index)].Object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
    if (FSorted) SortedListError();
    if (index < 0 || index > Count()) IndexError(index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, std::string s, TObject* object) {
    Changing();
    FItems.insert(FItems.begin() + index, Item{std::move(s), object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

// On a sorted list the line goes to its place; an equal line is ignored (returning the
// existing index), refused, or added before its equals, as Duplicates says.
int TStringList::AddObject(const std::string& s, TObject* object) {
    int index = Count();
    if (FSorted && Find(s, index)) {
        switch (FDuplicates) {
        case dupIgnore: return index;
        case dupError: throw EStringListError("String list does not allow duplicates");
        case dupAccept: break;
        }
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::AddObjects(std::vector<std::pair<std::string, TObject*>> Lines) {
    if (Lines.empty()) return;
    if (FSorted && FDuplicates == dupError) {
        for (auto& [s, object] : Lines) AddObject(s, object);
        return;
    }
    Changing();
    const size_t old = FItems.size();
    FItems.reserve(old + Lines.size());
    for (auto& [s, object] : Lines) FItems.push_back(Item{std::move(s), object});
    if (FSorted) {
        // Where one-by-one adding puts them: a new line goes before the lines equal to it
        // (so the later of equal new lines come first), or is dropped when duplicates are
        // ignored and an equal line is there already.
        std::vector<size_t> order(FItems.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            const int c = CompareStrings(FItems[a].String, FItems[b].String);
            if (c != 0) return c < 0;
            const bool newA = a >= old, newB = b >= old;
            if (newA != newB) return newA;
            return newA ? a > b : a < b;
        });
        std::vector<Item> sorted;
        sorted.reserve(FItems.size());
        for (size_t i = 0; i < order.size();) {
            size_t end = i + 1;
            while (end < order.size() && CompareStrings(FItems[order[i]].String, FItems[order[end]].String) == 0) ++end;
            if (FDuplicates == dupAccept) {
                for (size_t k = i; k < end; ++k) sorted.push_back(std::move(FItems[order[k]]));
            } else if (order[end - 1] < old) {
                for (size_t k = i; k < end; ++k)
                    if (order[k] < old) sorted.push_back(std::move(FItems[order[k]]));
            } else {
                sorted.push_back(std::move(FItems[order[end - 1]]));   // the first of them to come
            }
            i = end;
        }
        FItems = std::move(sorted);
    }
    Changed();
}

// Exchanging or moving lines would break the order of a sorted list, so it is refused
// before anything changes.
void TStringList::Exchange(int index1, int index2) {
    if (FSorted) SortedListError();
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    if (FSorted) SortedListError();
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    Changing();
    auto first = FItems.begin();
    if (curIndex < newIndex)
        std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
    else
        std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
    Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

int TStringList::IndexOf(std::string_view s) const {
    if (!FSorted) {
        for (size_t i = 0; i < FItems.size(); ++i)
            if (CompareStrings(FItems[i].String, s) == 0) return static_cast<int>(i);
        return -1;
    }
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
    bool found = false;
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = CompareStrings(FItems[static_cast<size_t>(mid)].String, s);
        if (c < 0) {
            lo = mid + 1;
            continue;
        }
        hi = mid - 1;
        if (c == 0) {
            found = true;
            if (FDuplicates != dupAccept) lo = mid;
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort() {
    if (FSorted || Count() < 2) return;
    CustomSort([](TStringList& list, int a, int b) {
        return list.CompareStrings(list.FItems[static_cast<size_t>(a)].String,
                                   list.FItems[static_cast<size_t>(b)].String);
    });
}

// The comparison sees the list as it was before sorting; the order found is applied at
// the end, and equal lines keep their relative order.
void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (Count() < 2) return;
    std::vector<int> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    Changing();
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order) sorted.push_back(std::move(FItems[static_cast<size_t>(i)]));
    FItems = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    if (sorted) Sort();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == FCaseSensitive) return;
    FCaseSensitive = caseSensitive;
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}
