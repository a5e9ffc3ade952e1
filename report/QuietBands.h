// Bands whose objects a pass before the last can leave out.
//
// A pass before the last is run only to count the pages (and to place anchors and
// outline items): it writes the bands without their objects. Preparing those objects
// still matters when something can see it: a height that follows the text, script code
// that reads or changes an object, an event, a host callback, an expression with a side
// effect (an error it adds, a dataset it opens). A band is quiet when none of that can
// happen; the engine then prepares none of its objects in such a pass. The final pass
// prepares every object as always, so the pages come out the same.
//
// The report as a whole must allow it: no script code of its own (declarations or a main
// block), no script event anywhere, no host callback that sees objects or values, no
// vertical bands, and only memos, lines and shapes as views, every expression of which
// reads nothing but dataset fields, system variables, report and scope variables,
// aggregate values and constants, through operators and a set of functions without side
// effects. A band is then quiet when each of its objects is a view that keeps its size
// (no stretching, no text flowing on, no repeated values suppressed, no data in its tag
// or link) and each name its expressions read is there to be read: a field of an active
// database dataset, a system variable, a variable whose expression is quiet likewise.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/Bands.h"

class TfrxComponent;
class TfrxReport;

class TfrxQuietBands {
public:
    explicit TfrxQuietBands(TfrxReport* Report) : FReport(Report) { Reset(); }

    // Forgets what was found (at the start of every run: scripts, datasets and objects
    // may have changed since the last).
    void Reset();
    // Whether Band's objects can be left out of a pass before the last. Asked while the
    // run prints the band, when its datasets are active; the answer holds for the run.
    // A band answered in this run has its answer at once (the report was found to allow
    // quiet bands before any band was answered).
    bool Quiet(TfrxBand* Band) {
        if (Band && Band->QuietRun == FRun) return Band->QuietAnswer;
        return FindQuiet(Band);
    }
    // The report as a whole allows quiet bands (it then holds no views but memos, lines
    // and shapes).
    bool ReportAllows() {
        if (FReportAnswer == TAnswer::Unknown) FReportAnswer = CheckReport() ? TAnswer::Yes : TAnswer::No;
        return FReportAnswer == TAnswer::Yes;
    }
    // It does, and aggregate values are read by memo expressions only (no group
    // condition, outline text or variable holds an aggregate call): a memo reads the
    // values of its own band's items only, so an item printed on a quiet band is read by
    // nobody in a pass before the last.
    bool AggregatesReadByMemosOnly() { return ReportAllows() && FAggregatesByMemosOnly; }

    // Whether a memo expression (or with Highlight a highlight condition, which may read
    // the memo's own "Value") reads only what a quiet band may read, as the report
    // calculates it: the whole text looked up as a name first, else compiled. Without
    // Resolve only its text counts; with it every name it reads must also be there to be
    // read now.
    bool QuietExpression(std::string_view Expr, bool Resolve, bool Highlight = false);

private:
    enum class TAnswer : unsigned char { Unknown, Yes, No };
    enum class TNameAnswer : unsigned char { None, Quiet, Noisy };
    bool CheckReport();
    bool FindQuiet(TfrxBand* Band);
    bool ObjectQuiet(TfrxComponent* Obj);
    // A name in the order the report's look-up tries them (Alias."Field", a system
    // variable, a report variable, an aggregate call, a scope variable); None when the
    // look-up knows no such name (the text is then compiled, or where only a name may
    // stand it is an unknown variable). Resolve as for QuietExpression.
    TNameAnswer NameAnswer(std::string_view Name, bool Resolve, int Depth);
    bool QuietText(std::string_view Expr, bool Resolve, bool Highlight, int Depth);

    TfrxReport* FReport;
    TAnswer FReportAnswer = TAnswer::Unknown;
    bool FAggregatesByMemosOnly = false;
    // The number of this run: a band keeps its answer with the run it was found in.
    uint64_t FRun = 0;
};
