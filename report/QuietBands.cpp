// Bands whose objects a pass before the last can leave out.
#include "report/QuietBands.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <vector>

#include "platform/rtl/StrUtils.h"
#include "report/Aggregates.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Variables.h"
#include "report/Views.h"
#include "script/Script.h"

namespace {

// Variables naming variables: deeper than this is taken as a cycle (the look-up reports
// a cycle as an error).
constexpr int kMaxDepth = 32;

// Functions of the script library that only compute their result from their arguments
// (lower case). A name the report's own script or objects take is not one of them.
bool IsQuietFunction(std::string_view Lower) {
    static const char* const names[] = {
        "abs",        "arctan",   "chr",        "comparetext", "copy",          "cos",          "date",
        "datetimetostr", "datetostr", "dayofweek", "daysinmonth", "encodedate", "encodetime",  "exp",
        "floattostr", "format",   "formatdatetime", "formatfloat", "formatmasktext", "frac",    "iif",
        "int",        "inttostr", "isleapyear", "length",      "ln",            "lowercase",    "namecase",
        "now",        "ord",      "pi",         "pos",         "round",         "sin",          "sqrt",
        "strtodate",  "strtodatetime", "strtofloat", "strtoint", "strtotime",   "tan",          "time",
        "timetostr",  "trim",     "trunc",      "uppercase",   "vartostr"};
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return Lower == n; });
}

bool IsOperatorWord(std::string_view Lower) {
    return Lower == "and" || Lower == "or" || Lower == "not" || Lower == "xor" || Lower == "div" || Lower == "mod" ||
           Lower == "shl" || Lower == "shr";
}

bool IsConstantWord(std::string_view Lower) { return Lower == "true" || Lower == "false" || Lower == "nil"; }

bool IsAggregateWord(std::string_view Lower) {
    return Lower == "sum" || Lower == "min" || Lower == "max" || Lower == "avg" || Lower == "count";
}

bool IsIdentStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || std::isdigit(c); }

// The end of a report-variable text started after '<', as the script parser reads it: up
// to the '>' that closes it outside quotes, nested '<' counted; npos when a line ends first.
size_t ReferenceEnd(std::string_view S, size_t From) {
    int depth = 1;
    bool single = false, dbl = false;
    for (size_t i = From; i < S.size(); ++i) {
        const char c = S[i];
        if (c == '\n' || c == '\r') return std::string_view::npos;
        if (c == '"' && !single) dbl = !dbl;
        else if (c == '\'' && !dbl) single = !single;
        else if (!single && !dbl) {
            if (c == '<') ++depth;
            else if (c == '>' && --depth == 0) return i;
        }
    }
    return std::string_view::npos;
}

// The ')' closing the '(' at Open, quoted stretches passed over; npos when missing.
size_t CallEnd(std::string_view S, size_t Open) {
    int depth = 0;
    bool quoted = false;
    for (size_t i = Open; i < S.size(); ++i) {
        const char c = S[i];
        if (c == '\'') quoted = !quoted;
        if (quoted) continue;
        if (c == '(') ++depth;
        else if (c == ')' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

// The first argument of an aggregate call text ("SUM(<x>, Band, 1)"); empty for COUNT.
std::string AggregateExpression(std::string_view Call) {
    const size_t open = Call.find('(');
    if (open == std::string_view::npos) return {};
    if (LowerCase(Trim(Call.substr(0, open))) == "count") return {};
    int depth = 0;
    bool quoted = false;
    size_t i = open + 1;
    for (; i < Call.size(); ++i) {
        const char c = Call[i];
        if (c == '\'') quoted = !quoted;
        if (quoted) continue;
        if (c == '(') ++depth;
        else if (c == ')' && depth-- == 0) break;
        else if (c == ',' && depth == 0) break;
    }
    return Trim(Call.substr(open + 1, i - open - 1));
}

bool HasDataInLinks(const TfrxView* View) {
    return View->TagStr().find('[') != std::string::npos || View->URL().find('[') != std::string::npos;
}

// The classes whose printing a quiet band may leave out: their data step fetches text or
// nothing, and nothing else of theirs changes.
bool IsQuietClass(const TfrxComponent* Obj) {
    const TClass c = Obj->ClassType();
    return c == TfrxMemoView::StaticClass() || c == TfrxSysMemoView::StaticClass() ||
           c == TfrxLineView::StaticClass() || c == TfrxShapeView::StaticClass();
}

// The band classes whose printing the engine knows: their before- and after-print steps
// only keep and put back the bounds, and their setters only snap to a dot-matrix grid.
bool IsOwnBandClass(const TfrxBand* Band) {
    const TClass c = Band->ClassType();
    if (c == TfrxNullBand::StaticClass()) return true;
    const std::vector<TClass>& kinds = frxBandKinds();
    return std::find(kinds.begin(), kinds.end(), c) != kinds.end();
}

bool HasScriptEvent(const TObject* Obj) {
    for (const TPropInfo* p : Obj->ClassType()->Properties())
        if (frxIsEventType(p->Type) && !GetStrProp(Obj, p).empty()) return true;
    return false;
}

}  // namespace

void TfrxQuietBands::Reset() {
    // Numbered across all reports, so a band never meets the number of another's run.
    static std::atomic<uint64_t> runs{1};
    FReportAnswer = TAnswer::Unknown;
    FRun = runs.fetch_add(1, std::memory_order_relaxed) + 1;
}

bool TfrxQuietBands::FindQuiet(TfrxBand* Band) {
    if (!Band || !ReportAllows()) return false;
    bool quiet = IsOwnBandClass(Band) && !Band->Vertical && !Band->HoldsVerticalCells;
    for (TfrxComponent* c : Band->ObjectList())
        if (quiet && !ObjectQuiet(c)) quiet = false;
    Band->QuietRun = FRun;
    Band->QuietAnswer = quiet;
    return quiet;
}

bool TfrxQuietBands::CheckReport() {
    TfrxReport* r = FReport;
    FAggregatesByMemosOnly = true;
    auto holdsAggregates = [&](const std::string& Text) { return !TfrxAggregateList(r).FindCalls(Text).empty(); };
    if (!r || r->HasOwnScriptCode()) return false;
    if (r->OnBeforePrint.Assigned() || r->OnAfterPrint.Assigned() || r->OnGetValue.Assigned() ||
        r->OnManualBuild.Assigned() || r->OnUserFunction.Assigned())
        return false;
    if (HasScriptEvent(r)) return false;
    for (int i = 0; i < r->DataSets()->Count(); ++i)
        if (TfrxDataSet* ds = r->DataSets()->Items(i)->DataSet(); ds && HasScriptEvent(ds)) return false;
    for (TfrxComponent* obj : r->AllObjects()) {
        if (HasScriptEvent(obj)) return false;
        if (auto* page = frxAs<TfrxPage>(obj)) {
            auto* rp = frxAs<TfrxReportPage>(page);
            if (!rp || rp->ClassType() != TfrxReportPage::StaticClass() || !rp->VerticalMasters.empty()) return false;
            continue;
        }
        if (auto* band = frxAs<TfrxBand>(obj)) {
            if (band->Vertical) return false;
            if (!band->OutlineText.empty()) {
                if (!QuietExpression(band->OutlineText, false)) return false;
                if (holdsAggregates(band->OutlineText)) FAggregatesByMemosOnly = false;
            }
            if (auto* group = frxAs<TfrxGroupHeader>(band)) {
                if (!QuietExpression(group->Condition, false)) return false;
                if (holdsAggregates(group->Condition)) FAggregatesByMemosOnly = false;
            }
            continue;
        }
        // Datasets are read through the report's look-up only (their events are checked
        // above).
        if (frxAs<TfrxDataSet>(obj)) continue;
        if (!IsQuietClass(obj)) return false;
        auto* view = static_cast<TfrxView*>(obj);
        if (HasDataInLinks(view)) return false;
        if (auto* memo = frxAs<TfrxCustomMemoView>(obj)) {
            if (memo->AllowExpressions && !memo->IsDataField())
                for (const std::string& e : memo->Expressions())
                    if (!QuietExpression(e, false)) return false;
            const std::string& condition = memo->Highlight()->Condition;
            if (!condition.empty() && !QuietExpression(condition, false, true)) return false;
        }
    }
    TfrxVariables* vars = r->Variables();
    for (int i = 0; i < vars->Count(); ++i) {
        const Variant v = vars->Items(i)->Value();
        if (!v.IsString()) continue;
        if (!QuietExpression(v.StrValue(), false)) return false;
        if (holdsAggregates(v.StrValue())) FAggregatesByMemosOnly = false;
    }
    return true;
}

bool TfrxQuietBands::ObjectQuiet(TfrxComponent* Obj) {
    if (!IsQuietClass(Obj) || !Obj->ObjectList().empty()) return false;
    auto* view = static_cast<TfrxView*>(Obj);
    if (HasDataInLinks(view)) return false;
    if (auto* s = frxAs<TfrxStretcheable>(Obj); s && s->StretchMode() != smDontStretch) return false;
    auto* memo = frxAs<TfrxCustomMemoView>(Obj);
    if (!memo) return true;
    if (memo->FlowTo() || memo->SuppressRepeated) return false;
    if (memo->IsDataField()) {
        auto* db = frxAs<TfrxDBDataset>(memo->DataSet());
        if (!db || !db->ActiveField(memo->DataField)) return false;
    } else if (memo->AllowExpressions) {
        for (const std::string& e : memo->Expressions())
            if (!QuietExpression(e, true)) return false;
    }
    const std::string& condition = memo->Highlight()->Condition;
    return condition.empty() || QuietExpression(condition, true, true);
}

bool TfrxQuietBands::QuietExpression(std::string_view Expr, bool Resolve, bool Highlight) {
    if (Highlight) return QuietText(Expr, Resolve, true, 0);
    // A memo expression's format suffix is not part of it; the page count of the final
    // pass is put in by the prepared pages.
    std::string_view e = Expr;
    if (const size_t mark = e.find(" #"); mark != std::string_view::npos) e = e.substr(0, mark);
    if (SameText(e, "TOTALPAGES#")) return true;
    return QuietText(e, Resolve, false, 0);
}

TfrxQuietBands::TNameAnswer TfrxQuietBands::NameAnswer(std::string_view Name, bool Resolve, int Depth) {
    if (Depth > kMaxDepth) return TNameAnswer::Noisy;
    TfrxReport* r = FReport;
    const std::string name(Name);
    auto answer = [](bool Quiet) { return Quiet ? TNameAnswer::Quiet : TNameAnswer::Noisy; };
    TfrxDataSet* ds = nullptr;
    std::string field;
    r->GetDatasetAndField(name, ds, field);
    if (ds && !field.empty()) {
        if (!Resolve) return TNameAnswer::Quiet;
        auto* db = frxAs<TfrxDBDataset>(ds);
        return answer(db && db->ActiveField(field));
    }
    const TStringList& sys = *r->SysVariables();
    for (int i = 0; i < sys.Count(); ++i)
        if (sys[i] == name) return TNameAnswer::Quiet;
    const int var = r->Variables()->IndexOf(name);
    if (var >= 0) {
        const Variant v = r->Variables()->Items(var)->Value();
        return answer(!v.IsString() || QuietText(v.StrValue(), Resolve, false, Depth + 1));
    }
    if (name.find('(') != std::string::npos && frxIsWholeAggregateCall(name)) {
        const std::string inner = AggregateExpression(Trim(name));
        return answer(inner.empty() || QuietText(inner, false, false, Depth + 1));
    }
    if (TfsCustomVariable* item = r->ScriptScope()->FindLocal(name); item && item->IsPlainVariable())
        return TNameAnswer::Quiet;
    return TNameAnswer::None;
}

bool TfrxQuietBands::QuietText(std::string_view S, bool Resolve, bool Highlight, int Depth) {
    if (Depth > kMaxDepth) return false;
    TfrxReport* r = FReport;
    // The whole text is looked up as a name first; only what no name answers is compiled.
    if (const TNameAnswer a = NameAnswer(S, Resolve, Depth); a != TNameAnswer::None) return a == TNameAnswer::Quiet;
    auto nameTaken = [&](std::string_view Word) {
        return r->Script()->FindLocal(Word) || r->ScriptScope()->FindLocal(Word) || r->FindObject(Word);
    };
    const size_t n = S.size();
    size_t i = 0;
    bool operand = false;   // the token before is a value, so '<' compares
    while (i < n) {
        const auto c = static_cast<unsigned char>(S[i]);
        if (c <= ' ') {
            ++i;
            continue;
        }
        if (c == '\'') {
            for (++i;; ++i) {
                if (i >= n) return false;
                if (S[i] != '\'') continue;
                if (i + 1 < n && S[i + 1] == '\'') {
                    ++i;
                    continue;
                }
                break;
            }
            ++i;
            operand = true;
            continue;
        }
        if (c == '#' || c == '$') {
            ++i;
            if (c == '#' && i < n && S[i] == '$') ++i;
            const size_t digits = i;
            while (i < n && std::isxdigit(static_cast<unsigned char>(S[i]))) ++i;
            if (i == digits) return false;
            operand = true;
            continue;
        }
        if (std::isdigit(c)) {
            while (i < n && (std::isdigit(static_cast<unsigned char>(S[i])) || S[i] == '.')) ++i;
            if (i < n && (S[i] == 'e' || S[i] == 'E')) {
                ++i;
                if (i < n && (S[i] == '+' || S[i] == '-')) ++i;
                while (i < n && std::isdigit(static_cast<unsigned char>(S[i]))) ++i;
            }
            operand = true;
            continue;
        }
        if (c == '<' && !operand) {
            const size_t end = ReferenceEnd(S, i + 1);
            if (end == std::string_view::npos || end == i + 1) return false;
            if (NameAnswer(S.substr(i + 1, end - i - 1), Resolve, Depth + 1) != TNameAnswer::Quiet) return false;
            i = end + 1;
            operand = true;
            continue;
        }
        if (IsIdentStart(c)) {
            const size_t start = i;
            while (i < n && IsIdentChar(static_cast<unsigned char>(S[i]))) ++i;
            const std::string_view word = S.substr(start, i - start);
            const std::string lower = LowerCase(word);
            if (IsOperatorWord(lower)) {
                operand = false;
                continue;
            }
            if (IsConstantWord(lower)) {
                operand = true;
                continue;
            }
            size_t next = i;
            while (next < n && static_cast<unsigned char>(S[next]) <= ' ') ++next;
            if (IsAggregateWord(lower) && next < n && S[next] == '(') {
                const size_t close = CallEnd(S, next);
                if (close == std::string_view::npos) return false;
                if (NameAnswer(S.substr(start, close + 1 - start), Resolve, Depth + 1) != TNameAnswer::Quiet) return false;
                i = close + 1;
                operand = true;
                continue;
            }
            if (Highlight && lower == "value") {
                operand = true;
                continue;
            }
            if (!IsQuietFunction(lower) || nameTaken(word)) return false;
            operand = true;
            continue;
        }
        switch (c) {
            case '(': case '+': case '-': case '*': case '/': case '=': case ',':
                operand = false;
                ++i;
                continue;
            case ')':
                operand = true;
                ++i;
                continue;
            case '<': case '>':
                operand = false;
                ++i;
                if (i < n && (S[i] == '=' || S[i] == '>')) ++i;
                continue;
            default:
                return false;
        }
    }
    return true;
}
