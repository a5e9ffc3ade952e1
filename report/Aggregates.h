// Aggregate calls of report expressions: SUM(Expr, Band, Flags), AVG(...), MIN(...),
// MAX(...) and COUNT(Band, Flags). Before a run the layout engine registers every call
// found in the footer-like bands of each report page (one item per call and memo); each
// printed data band feeds the items of that band; a memo printing the call asks for the
// accumulated value by the call's text; a footer resets its items after it has printed.
//
// Flags: bit 0 (1) also counts bands that are invisible, bit 1 (2) is a running total
// (the footer does not reset it once it holds a count).
//
// Null rules: a Null value is counted but never combined; an empty accumulation takes the
// first non-Null value; AVG and SUM of nothing are Null, COUNT of nothing is 0.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Variant.h"
#include "report/Views.h"

class TfrxBand;
class TfrxComponent;
class TfrxCustomMemoView;
class TfrxReport;
class TfrxReportPage;

// The function codes stored in an item.
enum TfrxAggregateFunction : uint8_t { agSum = 0, agAvg = 1, agMin = 2, agMax = 3, agCount = 4 };

// Vertical-band columns 1 .. frxMaxAggregateColumn have values of their own; columns below
// 1 use the plain value; columns above accumulate nothing and read Null.
constexpr int frxMaxAggregateColumn = 1000;

// An expression with every aggregate call that the run registers for it (the calls of
// the expression itself, not of the report variables it names) replaced by a look-up of
// the call's text: "SUM(<D."x">) * 2" becomes "Get('SUM(<D."x">)') * 2", so the value of
// the registered item takes part in the larger expression. Other text stays as it is.
std::string frxAggregateCallsAsLookups(std::string_view Expression);
// True when the expression (trimmed) is one aggregate call and nothing else: the name
// (blanks around it allowed) and its parenthesised arguments up to the end of the text.
bool frxIsWholeAggregateCall(std::string_view Expression);

// One call found in one memo.
class TfrxAggregateItem {
public:
    explicit TfrxAggregateItem(TfrxReport* AReport) : Report(AReport) {}

    TfrxAggregateFunction Function = agCount;
    // The band whose printing feeds the item (not owned).
    TfrxComponent* Band = nullptr;
    bool CountInvisible = false;
    bool RunningTotal = false;
    // The first argument of SUM/AVG/MIN/MAX, trimmed; empty for COUNT.
    std::string Expression;
    // ParentBand is a page footer: bands of a keep-together block are merged into the
    // value only once the block has been placed.
    bool InPageFooter = false;
    // Calculations since the last reset, and the accumulated value (Null: nothing yet).
    int Count = 0;
    Variant Value;
    bool Keeping = false;
    int KeptCount = 0;
    Variant KeptValue;
    // The memo holding the call, the call as written (trimmed; the look-up key), the band
    // the memo prints on.
    std::string MemoName;
    std::string Text;
    TfrxBand* ParentBand = nullptr;
    TfrxReport* Report;
    // The vertical-band column being fed or asked for (see frxMaxAggregateColumn).
    int Column = 0;

    // Reads Function, Expression, Band and the flags from a call text NAME(arguments).
    // Band stays as it is when no band is named or the name names no object of the
    // report. A Flags argument that is no decimal integer raises EConvertError.
    void ParseName(const std::string& CallText);
    // One accumulation: nothing when Band is invisible and CountInvisible is off; else
    // the report's current object becomes MemoName and Expression is calculated (its
    // errors propagate).
    void Calc();
    // Empties the item, unless it is a running total that already holds a count.
    void Reset();
    // Empties the item whatever its flags (the start of a run).
    void Clear();
    void StartKeep();
    void EndKeep();
    // The result for Column: SUM/MIN/MAX the value, AVG value / count (Null when nothing
    // was counted), COUNT the count.
    Variant GetResult() const;
    // Per-column state exists (a column of 1 or more has been fed since the last reset).
    bool HasColumnValues() const { return !FColumnValues.empty(); }

private:
    void Combine(Variant& Acc, const Variant& V) const;
    // Where the report's name table holds Expression, for the text it was found for.
    TfrxKeptCalcHandle FHandle;
    std::vector<Variant> FColumnValues;   // indexes 0 .. frxMaxAggregateColumn
    std::vector<int> FColumnCounts;
};

// All items of a run, owned; created by the layout engine with the report.
class TfrxAggregateList {
public:
    explicit TfrxAggregateList(TfrxReport* AReport) : FReport(AReport) {}
    ~TfrxAggregateList();
    TfrxAggregateList(const TfrxAggregateList&) = delete;
    TfrxAggregateList& operator=(const TfrxAggregateList&) = delete;

    TfrxReport* Report() const { return FReport; }
    // Frees every item.
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxAggregateItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }

    // For an object the engine moved into a vertical band: the horizontal band it came
    // from (nullptr when it was not moved).
    using TMovedFromFunc = std::function<TfrxBand*(const TfrxComponent* Object)>;
    // Registers the calls of one report page whose band tree has been built
    // (HorizontalMasters / VerticalMasters, data band Footer, Group, DetailList, group
    // header Footer and GroupList): the footers, group footers and sub bands of each
    // master data band (vertical data bands themselves too), then the page footer,
    // column footer and report summary when the page has a master data band. Clear the
    // list before the first page of a run.
    void AddItems(TfrxReportPage* Page, const TMovedFromFunc& MovedFrom = {});
    // Registers the calls in one band's memos, fed by DefaultBand unless a call names its
    // band (MovedFrom as for AddItems).
    void AddBand(TfrxBand* Band, TfrxComponent* DefaultBand, const TMovedFromFunc& MovedFrom = {});
    // Registers the calls in one memo's expressions (fed by DefaultBand unless named);
    // ParentBand nullptr means the memo's parent.
    void AddMemo(TfrxCustomMemoView* Memo, TfrxComponent* DefaultBand, TfrxBand* ParentBand = nullptr);

    // After Band has printed for a record (Column 0), or for a vertical cell (the engine's
    // CurVColumn): every item fed by Band accumulates once, in list order.
    void AddValue(TfrxComponent* Band, int Column = 0);
    // The same for the items Feeds (bool(const TfrxAggregateItem&)) accepts only.
    template <class TFeeds> void AddValue(TfrxComponent* Band, int Column, const TFeeds& Feeds) {
        for (auto& item : FItems)
            if (item->Band == Band && Feeds(*item)) {
                item->Column = Column;
                item->Calc();
            }
    }
    // The value of the call Name (trimmed, case ignored) printed on ParentBand; Null when
    // no item matches.
    Variant GetValue(TfrxBand* ParentBand, int Column, std::string_view Name);
    // After ParentBand (a footer, group footer, page footer, column footer or report
    // summary) has printed.
    void Reset(TfrxBand* ParentBand);
    // Around a block of bands kept together on one page (page-footer items only).
    void StartKeep();
    void EndKeep();
    // Empties every item, running totals too (the start of a run and of each pass).
    void ClearValues();

    // The calls of an expression text as they would be registered (variables followed,
    // guarded against self reference); for the engine's diagnostics and the tests.
    std::vector<std::string> FindCalls(const std::string& Expression);

private:
    void AddItem(const std::string& CallText, TfrxCustomMemoView* Memo, TfrxComponent* DefaultBand,
                 TfrxBand* ParentBand);
    TfrxReport* FReport;
    std::vector<std::unique_ptr<TfrxAggregateItem>> FItems;
};
