// The cross-tab matrix: keys, cells, totals and sizes.
#include "report/CrossMatrix.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/StrUtils.h"
#include "report/DotMatrix.h"
#include "report/MemoView.h"

namespace {

const char* const kTotalMark = "@@@";

bool IsBlank(const Variant& V) { return V.IsNull() || V.IsEmpty(); }

// Numbers, dates and booleans compare by value.
bool IsOrdinalValue(const Variant& V) { return V.IsNumeric() || V.IsBoolean(); }

// A text that reads as a number (for sums over texts, which the variant layer would
// refuse with an error in the middle of a run).
bool IsNumberText(const Variant& V) {
    if (!V.IsString()) return false;
    try {
        (void)V.AsDouble();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool CanAccumulate(const Variant& V) { return IsOrdinalValue(V) || IsNumberText(V); }

// The template text without the line break that ends a memo's text.
std::string TemplateText(const TfrxCustomMemoView* Memo) {
    std::string s = Memo->Text();
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.resize(s.size() - 2);
    return s;
}

// Replaces the first "[VALUE]" (any case) of Text by Value.
std::string ReplaceValue(const std::string& Text, const std::string& Value) {
    const std::string upper = UpperCase(Text);
    const size_t p = upper.find("[VALUE]");
    if (p == std::string::npos) return Text;
    return Text.substr(0, p) + Value + Text.substr(p + 7);
}

Variant ResetValue(uint8_t Function) {
    return Function == cfSum || Function == cfAvg || Function == cfCount ? Variant(0) : Variant::Null();
}

// Accumulates one cell into a header node.
void Accumulate(TfrxCrossHeader& Node, int Level, uint8_t Function, const Variant& Value, int32_t Count) {
    if (IsBlank(Value)) return;
    Variant& f = Node.FuncValues[Level];
    switch (Function) {
        case cfSum:
        case cfAvg:
            if (!CanAccumulate(Value)) return;
            f = f + Value;
            if (Function == cfAvg) Node.Counts[Level] = Node.Counts[Level] + Variant(Count);
            break;
        case cfMin:
            if (IsBlank(f) || frxCrossCompareValues(Value, f) < 0) f = Value;
            break;
        case cfMax:
            if (IsBlank(f) || frxCrossCompareValues(Value, f) > 0) f = Value;
            break;
        case cfCount:
            f = f + Variant(Count);
            break;
        default:
            break;
    }
}

Variant Average(const Variant& Value, int32_t Count) {
    if (Count == 0) return Variant(0);
    if (IsBlank(Value)) return Value;
    return Value / Variant(Count);
}

std::vector<Variant> ArrayElements(const Variant& A) {
    std::vector<Variant> r;
    if (!A.IsArray()) {
        r.push_back(A);
        return r;
    }
    const int32_t lo = VarArrayLowBound(A, 1), hi = VarArrayHighBound(A, 1);
    for (int32_t i = lo; i <= hi; ++i) r.push_back(A.GetElement({i}));
    return r;
}

Variant KeyToArray(const TfrxIndexItem& Item) { return VarArrayOf(Item.Indexes); }

}  // namespace

int frxCrossCompareValues(const Variant& A, const Variant& B) {
    const bool ba = IsBlank(A), bb = IsBlank(B);
    if (ba || bb) return ba == bb ? 0 : (ba ? -1 : 1);
    if (A.IsString() && B.IsString()) {
        const int c = CompareText(A.StrValue(), B.StrValue());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const bool na = IsOrdinalValue(A), nb = IsOrdinalValue(B);
    if (na && nb) {
        const int c = VarCompare(A, B);
        return c == 2 ? 0 : c;
    }
    if (na != nb && (A.IsString() || B.IsString())) return na ? -1 : 1;
    // Other kinds (arrays, objects) go to the variant layer, which refuses what it cannot
    // compare with its own error.
    const int c = VarCompare(A, B);
    return c == 2 ? 0 : c;
}

// ==== Header nodes ========================================================================

TfrxCrossHeader::TfrxCrossHeader(bool Column, int ACellLevels, TfrxCrossHeader* AParent)
    : CellLevels(ACellLevels), FColumn(Column), FParent(AParent) {
    Counts.assign(CellLevels, Variant(0));
    FuncValues.assign(CellLevels, Variant::Null());
}

TfrxCrossHeader::~TfrxCrossHeader() = default;

int TfrxCrossHeader::Level() const {
    int n = -1;
    for (const TfrxCrossHeader* p = FParent; p; p = p->FParent) ++n;
    return n;
}

const TfrxCrossHeader* TfrxCrossHeader::Root() const {
    const TfrxCrossHeader* r = this;
    while (r->FParent) r = r->FParent;
    return r;
}

void TfrxCrossHeader::AddValues(const TfrxIndexItem& Key) {
    TfrxCrossHeader* node = this;
    const int n = std::min<int>(LevelCount, static_cast<int>(Key.Indexes.size()));
    for (int lv = 0; lv < n; ++lv) {
        const Variant& v = Key.Indexes[lv];
        if (Key.TotalMask & (1u << lv)) {
            auto child = std::make_unique<TfrxCrossHeader>(FColumn, CellLevels, node);
            child->Value = v;
            child->IsTotal = true;
            child->Memo = TotalMemos[lv];
            node->FItems.push_back(std::move(child));
            return;
        }
        TfrxCrossHeader* next = nullptr;
        if (auto it = node->FIndex.find(v); it != node->FIndex.end()) next = it->second;
        if (!next) {
            auto child = std::make_unique<TfrxCrossHeader>(FColumn, CellLevels, node);
            child->Value = v;
            child->Memo = Memos[lv];
            next = child.get();
            node->FIndex.emplace(v, next);
            node->FItems.push_back(std::move(child));
        }
        node = next;
    }
}

void TfrxCrossHeader::CollectAll(std::vector<TfrxCrossHeader*>& List) const {
    for (const auto& c : FItems) {
        List.push_back(c.get());
        c->CollectAll(List);
    }
}

std::vector<TfrxCrossHeader*> TfrxCrossHeader::AllItems() const {
    std::vector<TfrxCrossHeader*> r;
    CollectAll(r);
    return r;
}

std::vector<TfrxCrossHeader*> TfrxCrossHeader::TerminalItems() const {
    std::vector<TfrxCrossHeader*> r = AllItems();
    std::erase_if(r, [](const TfrxCrossHeader* h) { return h->Count() != 0; });
    return r;
}

Variant TfrxCrossHeader::Indexes() const {
    std::vector<Variant> v(frxCrossMaxLevels, Variant::Null());
    std::vector<const TfrxCrossHeader*> path;
    for (const TfrxCrossHeader* p = this; p->FParent; p = p->FParent) path.insert(path.begin(), p);
    for (size_t i = 0; i < path.size() && i < v.size(); ++i) {
        const auto& sib = path[i]->FParent->FItems;
        for (size_t k = 0; k < sib.size(); ++k)
            if (sib[k].get() == path[i]) v[i] = Variant(static_cast<int>(k));
    }
    return VarArrayOf(std::move(v));
}

Variant TfrxCrossHeader::Values() const {
    std::vector<Variant> v(frxCrossMaxLevels, Variant::Null());
    std::vector<const TfrxCrossHeader*> path;
    for (const TfrxCrossHeader* p = this; p->FParent; p = p->FParent) path.insert(path.begin(), p);
    for (size_t i = 0; i < path.size() && i < v.size(); ++i) v[i] = path[i]->Value;
    return VarArrayOf(std::move(v));
}

double TfrxCrossHeader::AreaSize() const {
    const TfrxCrossHeader* root = Root();
    if (!root->Visible) return 0;
    const std::vector<TfrxCrossHeader*> leaves = root->TerminalItems();
    if (leaves.empty()) return 0;
    const TBounds& b = leaves.back()->Bounds;
    return FColumn ? b.Top + b.Height : b.Left + b.Width;
}

void TfrxCrossHeader::CalcBounds() {
    // "Along" is the axis the siblings follow (X for columns), "across" the axis of the
    // levels (Y for columns).
    const bool col = FColumn;
    auto along = [col](TfrxCrossHeader* h) -> double& { return col ? h->Width : h->Height; };
    auto across = [col](TfrxCrossHeader* h) -> double& { return col ? h->Height : h->Width; };
    const int last = LevelCount - 1;
    const std::vector<TfrxCrossHeader*> all = AllItems();

    // Along: a parent is as long as its children; a longer parent gives the difference to
    // its last child (and so on down). Bottom-up sums first, then top-down widening.
    std::function<double(TfrxCrossHeader*)> sum = [&](TfrxCrossHeader* h) -> double {
        if (h->FItems.empty()) return along(h);
        double s = 0;
        for (auto& c : h->FItems) s += sum(c.get());
        if (h->FParent) along(h) = std::max(along(h), s);
        return h->FParent ? along(h) : s;
    };
    sum(this);
    std::function<void(TfrxCrossHeader*)> widen = [&](TfrxCrossHeader* h) {
        if (h->FItems.empty()) return;
        double s = 0;
        for (auto& c : h->FItems) s += along(c.get());
        if (h->FParent && along(h) > s) along(h->FItems.back().get()) += along(h) - s;
        for (auto& c : h->FItems) widen(c.get());
    };
    widen(this);

    // Across: the size of each level is its largest node, totals above the last level
    // spanning down to the last level.
    std::vector<double> levelSize(std::max(LevelCount, 1), 0.0);
    for (TfrxCrossHeader* h : all) {
        const int lv = h->Level();
        if (lv < 0 || lv > last) continue;
        if (h->IsTotal && lv < last) continue;
        levelSize[lv] = std::max(levelSize[lv], across(h));
    }
    for (TfrxCrossHeader* h : all) {
        const int lv = h->Level();
        if (!h->IsTotal || lv >= last || lv < 0) continue;
        double span = 0;
        for (int k = lv; k <= last; ++k) span += levelSize[k];
        if (across(h) > span) levelSize[last] += across(h) - span;
    }
    std::vector<double> levelStart(levelSize.size() + 1, 0.0);
    for (size_t k = 0; k < levelSize.size(); ++k) levelStart[k + 1] = levelStart[k] + levelSize[k];

    // Placement.
    Bounds = TBounds{};
    std::function<void(TfrxCrossHeader*, double)> place = [&](TfrxCrossHeader* h, double start) {
        double pos = start;
        for (auto& cp : h->FItems) {
            TfrxCrossHeader* c = cp.get();
            const int lv = c->Level();
            const double a = levelStart[std::min(lv, last)];
            const double extent = c->IsTotal || c->FItems.empty() ? levelStart[last + 1] - a : levelSize[lv];
            const double len = along(c);
            if (col) c->Bounds = TBounds{pos, a, len, extent};
            else c->Bounds = TBounds{a, pos, extent, len};
            place(c, pos);
            pos += len;
        }
    };
    place(this, 0);
}

// ==== Matrix ==============================================================================

TfrxCrossMatrix::TfrxCrossMatrix() { InitMemos(false); }

TfrxCrossMatrix::~TfrxCrossMatrix() { Clear(); }

void TfrxCrossMatrix::InitMemos(bool DotMatrix) {
    FDotMatrix = DotMatrix;
    for (int L = 0; L < frxCrossMaxLevels; ++L) {
        FCellFunctions[L] = cfSum;
        FColumnSort[L] = soAscending;
        FRowSort[L] = soAscending;
        auto make = [&](const char* Style, int Tag, const std::string& Text) {
            std::unique_ptr<TfrxCustomMemoView> m;
            if (DotMatrix) m = std::make_unique<TfrxDMPMemoView>(nullptr);
            else m = std::make_unique<TfrxMemoView>(nullptr);
            m->HAlign = haCenter;
            m->VAlign = vaCenter;
            m->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            m->SetStyle(Style);
            m->SetTag(Tag);
            m->SetText(Text);
            return m;
        };
        FCellMemos[L] = make("cell", L, "");
        FCellMemos[L]->HAlign = haRight;
        FColumnMemos[L] = make("column", 100 + L, "");
        FColumnTotalMemos[L] = make(L == 0 ? "colgrand" : "coltotal", 300 + L, L == 0 ? "Grand Total" : "Total");
        FRowMemos[L] = make("row", 200 + L, "");
        FRowTotalMemos[L] = make(L == 0 ? "rowgrand" : "rowtotal", 400 + L, L == 0 ? "Grand Total" : "Total");
        for (auto* m : {FColumnTotalMemos[L].get(), FRowTotalMemos[L].get()}) {
            if (auto* dmp = dynamic_cast<TfrxDMPMemoView*>(m)) {
                dmp->SetFontStyle(TfrxDMPFontStyles{fsxBold});
                continue;
            }
            TFontStyles st = m->Font()->Style();
            st.Include(fsBold);
            m->Font()->SetStyle(st);
        }
    }
}

void TfrxCrossMatrix::Clear() {
    FRows.clear();
    FColumns.clear();
    FColumnHeader.reset();
    FRowHeader.reset();
}

void TfrxCrossMatrix::Init(int RowLevels, int ColumnLevels, int CellLevels) {
    Clear();
    RowLevels = std::clamp(RowLevels, 0, frxCrossMaxLevels);
    ColumnLevels = std::clamp(ColumnLevels, 0, frxCrossMaxLevels);
    CellLevels = std::clamp(CellLevels, 1, frxCrossMaxLevels);
    NoRows = RowLevels == 0;
    NoColumns = ColumnLevels == 0;
    FCellLevels = CellLevels;
    FRowLevels = RowLevels == 0 ? 1 : RowLevels;
    FColumnLevels = ColumnLevels == 0 ? 1 : ColumnLevels;
    FColumnHeader = std::make_unique<TfrxCrossColumnHeader>(FCellLevels);
    FRowHeader = std::make_unique<TfrxCrossRowHeader>(FCellLevels);
    FColumnHeader->LevelCount = FColumnLevels;
    FRowHeader->LevelCount = FRowLevels;
    for (int L = 0; L < frxCrossMaxLevels; ++L) {
        FColumnHeader->Memos[L] = FColumnMemos[L].get();
        FColumnHeader->TotalMemos[L] = FColumnTotalMemos[L].get();
        FRowHeader->Memos[L] = FRowMemos[L].get();
        FRowHeader->TotalMemos[L] = FRowTotalMemos[L].get();
        for (auto* set : {&FCellMemos, &FColumnMemos, &FColumnTotalMemos, &FRowMemos, &FRowTotalMemos}) {
            (*set)[L]->GapX = GapX;
            (*set)[L]->GapY = GapY;
        }
    }
    FInitialized = true;
}

template <class Item>
int TfrxCrossMatrix::FindOrInsert(std::vector<Item>& List, const TfrxIndexItem& Key,
                                  const std::array<uint8_t, frxCrossMaxLevels>& Sort, bool& Inserted) {
    const int n = static_cast<int>(Key.Indexes.size());
    Inserted = false;
    auto equalAt = [&](const TfrxIndexItem& a, int lv) {
        return frxCrossCompareValues(a.Indexes[lv], Key.Indexes[lv]) == 0;
    };
    int pos;
    if (Sort[0] == soNone) {
        // Order of first appearance, with every group kept together: a new key goes
        // after the last key sharing the longest prefix with it (so that the header tree
        // lists its leaves in collection order).
        int bestLen = 0, bestPos = static_cast<int>(List.size());
        for (int i = 0; i < static_cast<int>(List.size()); ++i) {
            int len = 0;
            while (len < n && equalAt(List[i], len)) ++len;
            if (len == n) return i;
            if (len > bestLen || (len == bestLen && len > 0)) {
                bestLen = len;
                bestPos = i + 1;
            }
        }
        pos = bestLen == 0 ? static_cast<int>(List.size()) : bestPos;
    } else {
        auto cmp = [&](const TfrxIndexItem& a) {
            for (int lv = 0; lv < n; ++lv) {
                const int c = frxCrossCompareValues(a.Indexes[lv], Key.Indexes[lv]);
                if (c != 0) return Sort[lv] == soAscending ? c : -c;
            }
            return 0;
        };
        int lo = 0, hi = static_cast<int>(List.size()) - 1;
        while (lo <= hi) {
            const int mid = lo + (hi - lo) / 2;
            const int c = cmp(List[mid]);
            if (c == 0) return mid;
            if (c > 0) hi = mid - 1;
            else lo = mid + 1;
        }
        pos = lo;
    }
    Item item;
    item.Indexes = Key.Indexes;
    List.insert(List.begin() + pos, std::move(item));
    Inserted = true;
    return pos;
}

std::vector<TfrxCrossCell>& TfrxCrossMatrix::CellsAt(int Row, int Column) {
    TfrxCrossRow& row = FRows[Row];
    const int ci = FColumns[Column].CellIndex;
    if (static_cast<int>(row.Cells.size()) <= ci) row.Cells.resize(ci + 1, std::vector<TfrxCrossCell>(FCellLevels));
    return row.Cells[ci];
}

void TfrxCrossMatrix::AddValue(const std::vector<Variant>& Rows, const std::vector<Variant>& Columns,
                               const std::vector<Variant>& Cells) {
    if (!FInitialized) return;
    auto key = [](bool none, const std::vector<Variant>& v, int n) {
        TfrxIndexItem k;
        k.Indexes.assign(n, Variant::Null());
        if (!none)
            for (int i = 0; i < n && i < static_cast<int>(v.size()); ++i) k.Indexes[i] = v[i];
        return k;
    };
    const TfrxIndexItem ck = key(NoColumns, Columns, FColumnLevels);
    const TfrxIndexItem rk = key(NoRows, Rows, FRowLevels);
    bool inserted = false;
    const int c = FindOrInsert(FColumns, ck, FColumnSort, inserted);
    if (inserted) FColumns[c].CellIndex = static_cast<int>(FColumns.size()) - 1;
    const int r = FindOrInsert(FRows, rk, FRowSort, inserted);
    std::vector<TfrxCrossCell>& chain = CellsAt(r, c);
    for (int i = 0; i < FCellLevels && i < static_cast<int>(Cells.size()); ++i) {
        const Variant& v = Cells[i];
        // An empty value adds nothing (it would turn the sum so far into Null).
        if (IsBlank(v)) continue;
        TfrxCrossCell& cell = chain[i];
        ++cell.Count;
        if (FCellFunctions[i] == cfCount) cell.Value = Variant(cell.Count);
        else if (IsBlank(cell.Value)) cell.Value = v;
        else if (cell.Value.IsString()) cell.Value = Variant(cell.Value.StrValue() + "\r\n" + VarToStr(v));
        else cell.Value = cell.Value + v;
    }
}

void TfrxCrossMatrix::AddValue(const Variant& Rows, const Variant& Columns, const Variant& Cells) {
    AddValue(ArrayElements(Rows), ArrayElements(Columns), ArrayElements(Cells));
}

template <class Item>
void TfrxCrossMatrix::AddTotalsTo(std::vector<Item>& List, TfrxCrossHeader& Header,
                                  const std::array<std::unique_ptr<TfrxCustomMemoView>, frxCrossMaxLevels>& TotalMemos,
                                  bool Flag, bool Columns) {
    if (List.empty()) return;
    const int n = Header.LevelCount;
    auto addItem = [&](int pos, const TfrxIndexItem& key) {
        Item item;
        item.Indexes = key.Indexes;
        item.TotalMask = key.TotalMask;
        if constexpr (std::is_same_v<Item, TfrxCrossColumn>) item.CellIndex = static_cast<int>(List.size());
        List.insert(List.begin() + pos, std::move(item));
    };
    (void)Columns;
    TfrxIndexItem prev = List[0];
    // Closes the groups of levels n-1 down to L+1 before position i.
    auto closeGroups = [&](int L, int& i) {
        for (int k = n - 1; k >= L + 1; --k) {
            TfrxCustomMemoView* tm = TotalMemos[k].get();
            if (!tm->Visible()) continue;
            TfrxIndexItem t = prev;
            t.Indexes[k] = Variant(ReplaceValue(TemplateText(tm), VarToStr(prev.Indexes[k - 1])));
            for (int j = k; j < n; ++j) t.TotalMask |= static_cast<uint8_t>(1u << j);
            Header.AddValues(t);
            for (int j = k; j < n; ++j) t.Indexes[j] = Variant(kTotalMark);
            addItem(i, t);
            ++i;
        }
    };
    int i = 0;
    while (i < static_cast<int>(List.size())) {
        TfrxIndexItem cur = List[i];
        int L = -1;
        for (int lv = 0; lv < n; ++lv)
            if (frxCrossCompareValues(prev.Indexes[lv], cur.Indexes[lv]) != 0) {
                L = lv;
                break;
            }
        if (L >= 0) closeGroups(L, i);
        Header.AddValues(cur);
        prev = cur;
        ++i;
    }
    closeGroups(0, i);
    TfrxCustomMemoView* gm = TotalMemos[0].get();
    if (gm->Visible() && Flag) {
        TfrxIndexItem t = prev;
        t.Indexes[0] = Variant(TemplateText(gm));
        for (int j = 0; j < n; ++j) t.TotalMask |= static_cast<uint8_t>(1u << j);
        Header.AddValues(t);
        for (int j = 0; j < n; ++j) t.Indexes[j] = Variant(kTotalMark);
        addItem(static_cast<int>(List.size()), t);
    }
}

void TfrxCrossMatrix::AddTotals() {
    if (!FInitialized) return;
    AddTotalsTo(FColumns, *FColumnHeader, FColumnTotalMemos, !NoColumns, true);
    AddTotalsTo(FRows, *FRowHeader, FRowTotalMemos, !NoRows, false);
}

void TfrxCrossMatrix::CalcTotalsPass(bool ColumnPass) {
    TfrxCrossHeader& tree = ColumnPass ? static_cast<TfrxCrossHeader&>(*FColumnHeader) : *FRowHeader;
    const std::vector<TfrxCrossHeader*> leaves = tree.TerminalItems();
    const int others = ColumnPass ? RowCount() : ColCount();
    const int own = ColumnPass ? ColCount() : RowCount();
    const int nLeaves = std::min<int>(static_cast<int>(leaves.size()), own);
    for (int r = 0; r < others; ++r) {
        for (int j = 0; j < nLeaves; ++j)
            for (TfrxCrossHeader* h = leaves[j]; h; h = h->Parent())
                for (int lv = 0; lv < FCellLevels; ++lv) {
                    h->FuncValues[lv] = ResetValue(FCellFunctions[lv]);
                    h->Counts[lv] = Variant(0);
                }
        for (int j = 0; j < nLeaves; ++j) {
            std::vector<TfrxCrossCell>& cells = ColumnPass ? CellsAt(r, j) : CellsAt(j, r);
            TfrxCrossHeader* leaf = leaves[j];
            if (leaf->IsTotal) {
                TfrxCrossHeader* p = leaf->Parent();
                for (int lv = 0; lv < FCellLevels; ++lv) {
                    const uint8_t fn = FCellFunctions[lv];
                    cells[lv].Value = p->FuncValues[lv];
                    cells[lv].Count = IsBlank(p->Counts[lv]) ? 0 : p->Counts[lv].AsInteger();
                    if (fn == cfCount) cells[lv].Count = IsBlank(cells[lv].Value) ? 0 : cells[lv].Value.AsInteger();
                    if (!ColumnPass && fn == cfAvg) cells[lv].Value = Average(cells[lv].Value, cells[lv].Count);
                }
                continue;
            }
            for (int lv = 0; lv < FCellLevels; ++lv) {
                const uint8_t fn = FCellFunctions[lv];
                Variant value = cells[lv].Value;
                int32_t count = cells[lv].Count;
                // A total of averages averages the non-empty cells, each once with its own
                // average (the cell itself averages its records); the second pass shows
                // the cell's average in its place.
                if (fn == cfAvg && count != 0 && CanAccumulate(value)) {
                    value = Average(value, count);
                    if (!ColumnPass) cells[lv].Value = value;
                    count = 1;
                }
                for (TfrxCrossHeader* h = leaf; h; h = h->Parent()) Accumulate(*h, lv, fn, value, count);
            }
        }
    }
}

void TfrxCrossMatrix::CalcTotals() {
    if (!FInitialized) return;
    CalcTotalsPass(true);
    CalcTotalsPass(false);
}

namespace {

// The size of Memo showing Text with the width limit MaxW.
void MeasureMemo(TfrxCustomMemoView* Memo, const std::string& Text, double MaxW, bool DotMatrix, double& W,
                 double& H) {
    const std::string saved = Memo->Text();
    const double savedW = Memo->Width();
    Memo->SetWidth(MaxW);
    Memo->SetText(Text);
    W = Memo->CalcWidth();
    Memo->SetWidth(std::min(MaxW, std::max(W, 0.0)));
    H = Memo->CalcHeight();
    Memo->SetText(saved);
    Memo->SetWidth(savedW);
    if (DotMatrix) {
        W += 9.6;
        H += 17;
    }
    if (Memo->Rotation() == 90 || Memo->Rotation() == 270) std::swap(W, H);
}

}  // namespace

void TfrxCrossMatrix::MeasureNode(TfrxCrossHeader& Node, double MinW, double MaxW) {
    TfrxCustomMemoView* m = Node.Memo;
    if (!m) return;
    double w = 0, h = 0;
    MeasureMemo(m, m->FormatData(Node.Value), MaxW, FDotMatrix, w, h);
    Node.Width = std::min(std::max(w, MinW), MaxW);
    Node.Height = h;
}

void TfrxCrossMatrix::CalcBounds() {
    if (!FInitialized) return;
    for (TfrxCrossHeader* h : FColumnHeader->AllItems()) MeasureNode(*h, MinWidth, MaxWidth);
    for (TfrxCrossHeader* h : FRowHeader->AllItems()) MeasureNode(*h, 0, 10000);

    const std::vector<TfrxCrossHeader*> colLeaves = FColumnHeader->TerminalItems();
    const std::vector<TfrxCrossHeader*> rowLeaves = FRowHeader->TerminalItems();
    const int nc = std::min<int>(static_cast<int>(colLeaves.size()), ColCount());
    const int nr = std::min<int>(static_cast<int>(rowLeaves.size()), RowCount());
    for (int c = 0; c < nc; ++c) colLeaves[c]->CellSizes.fill(0);
    for (int r = 0; r < nr; ++r) {
        TfrxCrossHeader* rl = rowLeaves[r];
        double rowSum = 0;
        for (int c = 0; c < nc; ++c) {
            TfrxCrossHeader* cl = colLeaves[c];
            double sum = 0, maxH = 0;
            std::array<double, frxCrossMaxLevels> sizes{};
            for (int lv = 0; lv < FCellLevels; ++lv) {
                TfrxCustomMemoView* m =
                    cl->IsTotal ? cl->Memo : (rl->IsTotal ? rl->Memo : FCellMemos[lv].get());
                if (!m) m = FCellMemos[lv].get();
                const int savedRot = m->Rotation();
                m->SetRotation(0);
                double width = MaxWidth;
                bool handlerSet = false;
                if (OnCalcWidth) {
                    const double before = width;
                    OnCalcWidth(c, width);
                    handlerSet = width != before;
                }
                double w = 0, h = 0;
                MeasureMemo(m, m->FormatData(GetValue(r, c, lv)), width, FDotMatrix, w, h);
                m->SetRotation(savedRot);
                if (handlerSet) w = width;
                else w = std::min(std::max(w, static_cast<double>(MinWidth)), static_cast<double>(MaxWidth));
                if (DefHeight != 0) h = DefHeight;
                if (handlerSet && width == 0) h = 0;
                if (w > cl->Width || handlerSet) cl->Width = w;
                sizes[lv] = w;
                if (PlainCells) {
                    sum += w;
                    maxH = std::max(maxH, h);
                } else {
                    sum += h;
                }
            }
            if (PlainCells) {
                for (int lv = 0; lv < FCellLevels; ++lv) cl->CellSizes[lv] = std::max(cl->CellSizes[lv], sizes[lv]);
                double total = 0;
                for (int lv = 0; lv < FCellLevels; ++lv) total += cl->CellSizes[lv];
                if (total < cl->Width) cl->CellSizes[FCellLevels - 1] += cl->Width - total;
                else cl->Width = total;
                rowSum = std::max(rowSum, maxH);
            } else {
                rowSum = std::max(rowSum, sum);
            }
        }
        if (rowSum > rl->Height) rl->Height = rowSum;
        if (OnCalcHeight) OnCalcHeight(r, rl->Height);
    }
    FColumnHeader->CalcBounds();
    FRowHeader->CalcBounds();
}

Variant TfrxCrossMatrix::GetValue(int Row, int Column, int Cell) const {
    if (Row < 0 || Row >= RowCount() || Column < 0 || Column >= ColCount() || Cell < 0 || Cell >= FCellLevels)
        return Variant::Null();
    const TfrxCrossRow& row = FRows[Row];
    const int ci = FColumns[Column].CellIndex;
    if (ci >= static_cast<int>(row.Cells.size())) return Variant::Null();
    return row.Cells[ci][Cell].Value;
}

Variant TfrxCrossMatrix::GetRowValues(int Index) const { return KeyToArray(FRows.at(Index)); }

Variant TfrxCrossMatrix::GetColumnValues(int Index) const { return KeyToArray(FColumns.at(Index)); }

bool TfrxCrossMatrix::IsTotalRow(int Index) const {
    return Index >= 0 && Index < RowCount() && FRows[Index].TotalMask != 0;
}

bool TfrxCrossMatrix::IsTotalColumn(int Index) const {
    return Index >= 0 && Index < ColCount() && FColumns[Index].TotalMask != 0;
}
