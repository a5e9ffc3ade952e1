// Aggregate calls: finding them in the memos of footer-like bands, accumulating per
// printed data band, and answering their values while the memos print.
#include "report/Aggregates.h"

#include <algorithm>
#include <unordered_set>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Views.h"

namespace {

bool IsAggregateName(std::string_view Upper) {
    return Upper == "SUM" || Upper == "MIN" || Upper == "MAX" || Upper == "AVG" || Upper == "COUNT";
}

// Characters passed over between words: controls, blank and the operator characters.
bool InSkipSet(unsigned char c) {
    if (c >= 1 && c <= 31) return true;
    if (c >= '0' && c <= '9') return true;
    switch (c) {
        case ' ': case '!': case '#': case '$': case '%': case '&': case '*': case '+':
        case '-': case '.': case '/': case '=': case '[': case ']': case '^': case '|':
            return true;
        default:
            return false;
    }
}

// Characters that end a word: the skip set less the digits, plus "(". Bytes of 128 and
// up belong to words (text in other scripts).
bool InStopSet(unsigned char c) {
    if (c >= '0' && c <= '9') return false;
    return c == '(' || InSkipSet(c);
}

// From just after an opening "(" of a call: the arguments (at most three, trimmed) and
// the position of the closing ")" (Text.size() when it is missing). A single quote
// toggles a quoted stretch in which nothing counts; a "," at depth 1 ends an argument.
size_t SplitArguments(std::string_view Text, size_t From, std::vector<std::string>* Args) {
    int depth = 1;
    bool quoted = false;
    size_t argStart = From;
    size_t i = From;
    auto take = [&](size_t end) {
        if (Args && Args->size() < 3) Args->push_back(Trim(Text.substr(argStart, end - argStart)));
    };
    for (; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0) break;
        } else if (c == ',' && depth == 1) {
            take(i);
            argStart = i + 1;
        }
    }
    take(i);
    return i;
}

// The position of the bracket closing the one at Open (Close characters at depth 0),
// quoted stretches skipped; Text.size() when it is missing.
size_t MatchBracket(std::string_view Text, size_t Open, char OpenChar, char CloseChar) {
    int depth = 0;
    for (size_t i = Open; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\'' || c == '"') {
            const size_t q = Text.find(c, i + 1);
            if (q == std::string_view::npos) return Text.size();
            i = q;
        } else if (c == OpenChar) {
            ++depth;
        } else if (c == CloseChar) {
            if (--depth == 0) return i;
        }
    }
    return Text.size();
}

// Walks expression texts for aggregate calls, following report variables whose values
// are expressions. A variable already being followed is not followed again, so that a
// variable that refers to itself (directly or through others) cannot recurse.
class TCallFinder {
public:
    explicit TCallFinder(TfrxReport* AReport) : FReport(AReport) {}

    // Calls of S; with Spans, also where each call of S itself stands (Offset + position),
    // outside angle brackets (which hold names, not expressions).
    void Search(std::string_view S, std::vector<std::string>& Calls, size_t Offset = 0,
                std::vector<std::pair<size_t, size_t>>* Spans = nullptr) {
        if (FollowName(S, Calls)) return;
        size_t i = 0;
        while (i < S.size()) {
            const auto c = static_cast<unsigned char>(S[i]);
            if (InSkipSet(c)) {
                ++i;
            } else if (c == '"' || c == '\'') {
                const size_t q = S.find(static_cast<char>(c), i + 1);
                i = q == std::string_view::npos ? S.size() : q + 1;
            } else if (c == '(' || c == '<') {
                // The bracketed part on its own; the walk goes on at the closing bracket.
                // Without one the rest of the text is the bracketed part.
                const size_t close = MatchBracket(S, i, static_cast<char>(c), c == '(' ? ')' : '>');
                Search(S.substr(i + 1, close - (i + 1)), Calls, Offset + i + 1, c == '(' ? Spans : nullptr);
                i = close;
            } else {
                const size_t start = i;
                while (i < S.size() && !InStopSet(static_cast<unsigned char>(S[i]))) ++i;
                const std::string_view word = S.substr(start, i - start);
                const std::string upper = UpperCase(word);
                if (!IsAggregateName(upper)) {
                    FollowName(word, Calls);
                } else if (i < S.size() && S[i] == '(' && i + 1 < S.size()) {
                    const size_t close = SplitArguments(S, i + 1, nullptr);
                    const size_t end = std::min(close + 1, S.size());
                    Calls.push_back(Trim(S.substr(start, end - start)));
                    if (Spans) Spans->emplace_back(Offset + start, Offset + end);
                    i = end;
                }
            }
        }
    }

private:
    // A report variable's value is searched instead of the name; a dataset field has no
    // calls. True when Name was one of these.
    bool FollowName(std::string_view Name, std::vector<std::string>& Calls) {
        if (!FReport || Name.empty()) return false;
        const int var = FReport->Variables()->IndexOf(Name);
        if (var >= 0) {
            if (std::find(FFollowing.begin(), FFollowing.end(), var) != FFollowing.end()) return true;
            FFollowing.push_back(var);
            const std::string value = VarToStr(FReport->Variables()->Items(var)->Value());
            Search(value, Calls);
            FFollowing.pop_back();
            return true;
        }
        TfrxDataSet* ds = nullptr;
        std::string field;
        FReport->GetDatasetAndField(Name, ds, field);
        return ds && !field.empty();
    }

    TfrxReport* FReport;
    std::vector<int> FFollowing;
};

}  // namespace

// --- TfrxAggregateItem ---------------------------------------------------------------------

void TfrxAggregateItem::ParseName(const std::string& CallText) {
    const size_t open = CallText.find('(');
    const std::string name = UpperCase(Trim(std::string_view(CallText).substr(0, std::min(open, CallText.size()))));
    if (name == "SUM") Function = agSum;
    else if (name == "MIN") Function = agMin;
    else if (name == "MAX") Function = agMax;
    else if (name == "AVG") Function = agAvg;
    else Function = agCount;

    std::vector<std::string> args;
    if (open != std::string::npos) SplitArguments(CallText, open + 1, &args);
    args.resize(3);
    size_t next = 0;
    if (Function == agCount) {
        Expression.clear();
    } else {
        Expression = args[0];
        next = 1;
    }
    const std::string& bandName = args[next];
    const std::string& flagsText = args[next + 1];
    if (!bandName.empty() && Report)
        if (TfrxComponent* band = Report->FindObject(bandName)) Band = band;
    const int flags = flagsText.empty() ? 0 : StrToInt(flagsText);
    CountInvisible = (flags & 1) != 0;
    RunningTotal = (flags & 2) != 0;
}

// Null is the identity of every combination: an empty accumulation takes the value, a
// Null value leaves the accumulation as it is.
void TfrxAggregateItem::Combine(Variant& Acc, const Variant& V) const {
    if (V.IsNull() || V.IsEmpty()) return;
    if (Acc.IsNull() || Acc.IsEmpty()) {
        Acc = V;
        return;
    }
    switch (Function) {
        case agSum:
        case agAvg:
            // Two floats (a float field's values) add as the general addition adds them.
            if (Acc.Kind() == varDouble && V.Kind() == varDouble) Acc = Variant(Acc.DoubleValue() + V.DoubleValue());
            else Acc = Acc + V;
            break;
        case agMin: if (VarCompare(V, Acc) == -1) Acc = V; break;
        case agMax: if (VarCompare(V, Acc) == 1) Acc = V; break;
        case agCount: break;
    }
}

void TfrxAggregateItem::Calc() {
    if (Band && !Band->Visible() && !CountInvisible) return;
    // Columns beyond the last slot accumulate nothing.
    if (Column > frxMaxAggregateColumn) return;
    Variant v = Variant::Null();
    if (Report) {
        Report->CurObject = MemoName;
        if (Function != agCount) v = Report->Calc(Expression, FHandle.For(Expression));
    }
    if (Column >= 1) {
        if (FColumnValues.empty()) {
            FColumnValues.assign(frxMaxAggregateColumn + 1, Variant::Null());
            FColumnCounts.assign(frxMaxAggregateColumn + 1, 0);
        }
        ++FColumnCounts[static_cast<size_t>(Column)];
        Combine(FColumnValues[static_cast<size_t>(Column)], v);
    } else if (Keeping) {
        ++KeptCount;
        Combine(KeptValue, v);
    } else {
        ++Count;
        Combine(Value, v);
    }
}

void TfrxAggregateItem::Reset() {
    if (RunningTotal && Count != 0) return;
    Clear();
}

void TfrxAggregateItem::Clear() {
    Count = 0;
    Value = Variant::Null();
    FColumnValues.clear();
    FColumnCounts.clear();
}

void TfrxAggregateItem::StartKeep() {
    if (!InPageFooter || Keeping) return;
    Keeping = true;
    KeptCount = 0;
    KeptValue = Variant::Null();
}

void TfrxAggregateItem::EndKeep() {
    if (!InPageFooter || !Keeping) return;
    Keeping = false;
    Count += KeptCount;
    Combine(Value, KeptValue);
}

Variant TfrxAggregateItem::GetResult() const {
    Variant value = Value;
    int count = Count;
    if (Column >= 1 && !FColumnValues.empty()) {
        if (Column > frxMaxAggregateColumn) return Variant::Null();
        value = FColumnValues[static_cast<size_t>(Column)];
        count = FColumnCounts[static_cast<size_t>(Column)];
    }
    switch (Function) {
        case agCount: return Variant(count);
        case agAvg:
            if (count == 0 || value.IsNull() || value.IsEmpty()) return Variant::Null();
            return VarDivide(value, Variant(count));
        default: return value;
    }
}

// --- TfrxAggregateList ---------------------------------------------------------------------

TfrxAggregateList::~TfrxAggregateList() { Clear(); }

void TfrxAggregateList::Clear() {
    // First to last, as the items were made.
    for (auto& item : FItems) item.reset();
    FItems.clear();
}

std::string frxAggregateCallsAsLookups(std::string_view Expression) {
    std::vector<std::string> calls;
    std::vector<std::pair<size_t, size_t>> spans;
    TCallFinder(nullptr).Search(Expression, calls, 0, &spans);
    if (spans.empty()) return std::string(Expression);
    std::string out;
    size_t from = 0;
    for (const auto& [start, end] : spans) {
        out.append(Expression.substr(from, start - from));
        out += "Get(" + frxTextLiteral(Trim(Expression.substr(start, end - start))) + ")";
        from = end;
    }
    out.append(Expression.substr(from));
    return out;
}

bool frxIsWholeAggregateCall(std::string_view Expression) {
    const std::string text = Trim(Expression);
    const size_t open = text.find('(');
    if (open == std::string::npos || !IsAggregateName(UpperCase(Trim(std::string_view(text).substr(0, open)))))
        return false;
    return SplitArguments(text, open + 1, nullptr) + 1 == text.size();
}

std::vector<std::string> TfrxAggregateList::FindCalls(const std::string& Expression) {
    std::vector<std::string> calls;
    TCallFinder(FReport).Search(Expression, calls);
    return calls;
}

void TfrxAggregateList::AddItem(const std::string& CallText, TfrxCustomMemoView* Memo, TfrxComponent* DefaultBand,
                                TfrxBand* ParentBand) {
    FItems.push_back(std::make_unique<TfrxAggregateItem>(FReport));
    TfrxAggregateItem* item = FItems.back().get();
    try {
        item->ParseName(CallText);
    } catch (...) {
        // A call that cannot be read is not kept half made.
        FItems.pop_back();
        throw;
    }
    if (!item->Band) item->Band = DefaultBand;
    item->ParentBand = ParentBand;
    item->InPageFooter = ParentBand && ParentBand->Is<TfrxPageFooter>();
    item->Text = Trim(CallText);
    item->MemoName = Memo->Name();
    item->Reset();
}

void TfrxAggregateList::AddMemo(TfrxCustomMemoView* Memo, TfrxComponent* DefaultBand, TfrxBand* ParentBand) {
    if (!Memo || !Memo->AllowExpressions) return;
    if (!ParentBand && Memo->Parent() && Memo->Parent()->Is<TfrxBand>())
        ParentBand = static_cast<TfrxBand*>(Memo->Parent());
    const std::string& delimiters = Memo->ExpressionDelimiters;
    const size_t comma = delimiters.find(',');
    const std::string open = comma == std::string::npos ? std::string() : delimiters.substr(0, comma);
    const std::string close = comma == std::string::npos ? delimiters : delimiters.substr(comma + 1);
    const std::string text = Memo->Text();
    if (open.empty()) return;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, open.size(), open) != 0) {
            NextCodePoint(text, i);
            continue;
        }
        size_t end = i;
        std::string expr;
        if (!frxGetBrackedVariable(text, open, close, i, end, expr)) break;
        for (const std::string& call : FindCalls(expr)) AddItem(call, Memo, DefaultBand, ParentBand);
        i = std::max(end, i + 1);
    }
}

void TfrxAggregateList::AddBand(TfrxBand* Band, TfrxComponent* DefaultBand, const TMovedFromFunc& MovedFrom) {
    if (!Band) return;
    for (TfrxComponent* object : Band->ObjectList()) {
        if (!object->Is<TfrxCustomMemoView>()) continue;
        TfrxBand* parent = Band;
        // A memo the engine moved into a vertical band from a footer-like horizontal band
        // is asked for while that horizontal band prints.
        if (Band->Vertical && MovedFrom) {
            TfrxBand* from = MovedFrom(object);
            if (from && (from->Is<TfrxReportSummary>() || from->Is<TfrxPageFooter>() || from->Is<TfrxFooter>() ||
                         from->Is<TfrxGroupFooter>()))
                parent = from;
        }
        AddMemo(static_cast<TfrxCustomMemoView*>(object), DefaultBand, parent);
    }
}

void TfrxAggregateList::AddItems(TfrxReportPage* Page, const TMovedFromFunc& MovedFrom) {
    if (!Page) return;
    // A band reached twice (a group header's list starts with the header itself) is
    // scanned once: its calls would otherwise be registered and fed twice.
    std::unordered_set<const TfrxBand*> scanned;
    auto scan = [&](TfrxBand* band, TfrxComponent* defaultBand) {
        if (band && scanned.insert(band).second) AddBand(band, defaultBand, MovedFrom);
    };
    std::function<void(TfrxDataBand*)> scanData = [&](TfrxDataBand* data) {
        if (!data) return;
        scan(data->Footer, data);
        if (TfrxGroupHeader* group = data->Group) {
            scan(group->Footer, data);
            for (TfrxGroupHeader* g : group->GroupList)
                if (g) scan(g->Footer, data);
        }
        for (TfrxDataBand* sub : data->DetailList) scanData(sub);
        if (data->Vertical) scan(data, data);
    };
    for (TfrxDataBand* master : Page->HorizontalMasters) scanData(master);
    for (TfrxDataBand* master : Page->VerticalMasters) scanData(master);

    TfrxDataBand* first = !Page->HorizontalMasters.empty() ? Page->HorizontalMasters.front()
                          : !Page->VerticalMasters.empty() ? Page->VerticalMasters.front()
                                                           : nullptr;
    if (!first) return;
    scan(Page->FindBand<TfrxPageFooter>(), first);
    scan(Page->FindBand<TfrxColumnFooter>(), first);
    scan(Page->FindBand<TfrxReportSummary>(), first);
}

void TfrxAggregateList::AddValue(TfrxComponent* Band, int Column) {
    for (auto& item : FItems)
        if (item->Band == Band) {
            item->Column = Column;
            item->Calc();
        }
}

Variant TfrxAggregateList::GetValue(TfrxBand* ParentBand, int Column, std::string_view Name) {
    const std::string name = Trim(Name);
    for (auto& item : FItems)
        if (item->ParentBand == ParentBand && SameText(item->Text, name)) {
            item->Column = Column;
            return item->GetResult();
        }
    return Variant::Null();
}

void TfrxAggregateList::Reset(TfrxBand* ParentBand) {
    for (auto& item : FItems)
        if (item->ParentBand == ParentBand) item->Reset();
}

void TfrxAggregateList::StartKeep() {
    for (auto& item : FItems) item->StartKeep();
}

void TfrxAggregateList::EndKeep() {
    for (auto& item : FItems) item->EndKeep();
}

void TfrxAggregateList::ClearValues() {
    for (auto& item : FItems) item->Clear();
}
