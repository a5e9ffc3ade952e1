// The grammar-driven matcher. Output is collected as a list of lines (close tag, leaf,
// spliced unit) and a stack of open tags, each noting the line it goes before: a node's open
// tag belongs where its match began, and recording it there instead of inserting it keeps a
// node's cost independent of the size of its content. Back-tracking truncates both lists (the
// open tags past a line all belong to matches that began after it). The tree is built once,
// from both lists, at the end.
#include "script/ILParser.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StackGuard.h"
#include "platform/rtl/StrUtils.h"
#include "script/Messages.h"

#include <algorithm>
#include <dirent.h>

struct TfsILParser::Shared {
    std::vector<std::string> UsedUnits;
};

struct TfsILParser::Open {
    size_t Before;           // index of the line the tag goes before
    std::string_view Name;   // grammar-owned or literal
    std::string Attrs;
};

struct TfsILParser::Line {
    enum Kind : uint8_t { Open, Close, Leaf, Unit };  // Open: only in FOpens
    Kind LineKind;
    std::string_view Name;             // grammar-owned or literal
    std::string Attrs;                 // attribute text, escaped
    std::unique_ptr<TfsXMLItem> Item;  // Unit: the unit's program element
};

namespace {

bool TokenMatches(const TfsGrammarElement& e, const std::string& token) {
    return !token.empty() && (!e.HasText || SameText(token, e.Text));
}

std::string PosAttr(const std::string& pos) { return "pos=\"" + pos + "\""; }

std::string TextPosAttrs(std::string_view text, const std::string& pos) {
    return "text=\"" + StrToXML(text) + "\" pos=\"" + pos + "\"";
}

// The unit file in the working directory; when the exact name is absent, a file whose name
// differs only in ASCII case (names in scripts come from a case-insensitive file system).
std::string FindUnitFile(const std::string& name) {
    if (FileExists(name) || name.find('/') != std::string::npos) return name;
    std::string found = name;
    if (DIR* dir = opendir(".")) {
        while (dirent* entry = readdir(dir)) {
            if (SameText(entry->d_name, name) && FileExists(entry->d_name)) {
                found = entry->d_name;
                break;
            }
        }
        closedir(dir);
    }
    return found;
}

// Reads a unit file; false with the error text when it cannot be read.
bool ReadUnitFile(const std::string& name, std::string& text, std::string& error) {
    try {
        text = DecodeLegacyText(ReadFileBytes(FindUnitFile(name)));
        return true;
    } catch (const Exception& e) {
        error = e.Message();
        return false;
    }
}

}  // namespace

TfsILParser::TfsILParser(std::string unitName) : TfsILParser(std::move(unitName), std::make_shared<Shared>()) {}

TfsILParser::TfsILParser(std::string unitName, std::shared_ptr<Shared> shared)
    : FUnitName(std::move(unitName)), FShared(std::move(shared)) {}

TfsILParser::~TfsILParser() = default;

const std::vector<std::string>& TfsILParser::UsedUnits() const { return FShared->UsedUnits; }

void TfsILParser::LoadGrammar(const std::string& languageName) {
    std::shared_ptr<const TfsGrammar> grammar = GetGrammar(languageName);
    FGrammar = std::move(grammar);
    FLanguage = languageName;
    FParser.SetSettings(FGrammar->ParserSettings());
    FNeedDeclareVars = FGrammar->NeedDeclareVars();
}

// --- Matching -----------------------------------------------------------------------------

void TfsILParser::SetPendingError(const std::string& message, const std::string& pos, bool term) {
    if (FErrorPending) return;
    FErrorPending = true;
    FPendingMsg = message;
    FPendingPos = pos;
    FErrorTerm = term;
}

// Step 4: the first error reported wins; its position is the first token at P0.
void TfsILParser::ReportError(const TfsGrammarElement& e, int p0) {
    if (!e.HasErr || FErrorPending) return;
    const int here = FParser.Position();
    FParser.SetPosition(p0);
    FParser.SkipSpaces();
    SetPendingError(e.ErrMessage, FParser.GetXYPosition(), e.Term);
    FParser.SetPosition(here);
}

void TfsILParser::DropLines(size_t count) {
    if (FLines.size() > count) FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(count), FLines.end());
    while (!FOpens.empty() && FOpens.back().Before >= count) FOpens.pop_back();
}

void TfsILParser::AddLeaf(std::string_view name, std::string_view text, const std::string& pos) {
    FLines.push_back({Line::Leaf, name, TextPosAttrs(text, pos), nullptr});
}

// "<T>" stands for the call Get('T') of the report's variable function.
void TfsILParser::AddReportVariable(const std::string& text) {
    const std::string pos = FParser.GetXYPosition();
    FOpens.push_back({FLines.size(), "dsgn", PosAttr(pos)});
    AddLeaf("node", "Get", pos);
    FOpens.push_back({FLines.size(), "expr", PosAttr(pos)});
    AddLeaf("string", "'" + text + "'", pos);
    FLines.push_back({Line::Close, "expr", {}, nullptr});
    FLines.push_back({Line::Close, "dsgn", {}, nullptr});
}

void TfsILParser::ApplyNode(const TfsGrammarElement& e, int p0, size_t l0, bool matched) {
    if (e.NodeIsUses) {
        if (matched) {
            IncludeUnits(l0);
        } else {
            DropLines(l0);
        }
        return;
    }
    if (!matched) {
        if (e.Kind == TfsGrammarKind::Rule) DropLines(l0);
        return;
    }
    const int here = FParser.Position();
    FParser.SetPosition(p0);
    FParser.SkipSpaces();
    const std::string pos = FParser.GetXYPosition();
    FParser.SetPosition(here);
    FOpens.push_back({l0, e.Node, PosAttr(pos)});
    FLines.push_back({Line::Close, e.Node, {}, nullptr});
}

bool TfsILParser::Match(int index) {
    if (FAborted) return false;
    // Nesting is bounded by the stack this thread has left, not by a count of levels
    // whose cost differs between builds.
    if (StackNearlyFull()) {
        SetPendingError(fsmsg::NestingTooDeep, FParser.GetXYPosition(), false);
        FAborted = true;
        return false;
    }
    const TfsGrammarElement& e = FGrammar->Element(index);
    const int p0 = FParser.Position();
    const size_t l0 = FLines.size();
    bool ok = false;
    std::string token;
    switch (e.Kind) {
    case TfsGrammarKind::Rule:
    case TfsGrammarKind::Sequence:
        ok = true;
        break;
    case TfsGrammarKind::Char:
        if (!e.NoSkip) FParser.SkipSpaces();
        token = FParser.GetChar();
        ok = TokenMatches(e, token);
        break;
    case TfsGrammarKind::Keyword:
        token = FParser.GetKeyword();
        ok = TokenMatches(e, token);
        break;
    case TfsGrammarKind::Ident:
        token = FParser.GetIdent();
        ok = TokenMatches(e, token);
        break;
    case TfsGrammarKind::Number:
        token = FParser.GetNumber();
        ok = TokenMatches(e, token);
        break;
    case TfsGrammarKind::String:
        token = FParser.GetString();
        ok = TokenMatches(e, token);
        break;
    case TfsGrammarKind::FRString:
        token = FParser.GetFRString();
        ok = !token.empty();
        if (ok) AddReportVariable(token);
        break;
    case TfsGrammarKind::EOL:
        ok = FParser.GetEOL();
        break;
    case TfsGrammarKind::Switch:
    case TfsGrammarKind::OptionalSwitch:
        for (int child : e.Children) {
            if (Match(child)) return true;
            // A failed alternative leaves no output behind.
            DropLines(l0);
            FParser.SetPosition(p0);
        }
        if (e.Kind == TfsGrammarKind::OptionalSwitch) return true;
        ReportError(e, p0);
        return false;
    case TfsGrammarKind::Loop:
    case TfsGrammarKind::OptionalLoop:
        return MatchLoop(e, p0, l0);
    case TfsGrammarKind::Optional:
        for (int child : e.Children) {
            if (!Match(child)) {
                FParser.SetPosition(p0);
                DropLines(l0);
                break;
            }
        }
        return true;
    case TfsGrammarKind::Reference:
        if (e.Rule < 0) throw EScriptError(fsmsg::BadGrammar);
        ok = Match(e.Rule);
        break;
    }

    if (!ok) {
        ReportError(e, p0);
    } else {
        if (e.Kind != TfsGrammarKind::Rule && !e.Node.empty()) ApplyNode(e, p0, l0, true);
        if (!e.Add.empty()) AddLeaf(e.Add, e.HasAddText ? std::string_view(e.AddText) : std::string_view(token),
                                    FParser.GetXYPosition());
        for (int child : e.Children) {
            if (!Match(child)) {
                ok = false;
                break;
            }
        }
    }
    if (!ok) FParser.SetPosition(p0);
    if (e.Kind == TfsGrammarKind::Rule && !e.Node.empty()) ApplyNode(e, p0, l0, ok);
    return ok;
}

// Iterations match the children in order. A complete iteration is followed by the separator
// when the loop has one; the loop stops at a failed iteration (which gives back its text and
// output), a missing separator, or an iteration that, separator included, read nothing.
bool TfsILParser::MatchLoop(const TfsGrammarElement& e, int p0, size_t l0) {
    int started = 0;
    bool firstComplete = false;
    for (;;) {
        const int iterationStart = FParser.Position();
        const size_t iterationLines = FLines.size();
        ++started;
        bool complete = true;
        for (int child : e.Children) {
            if (!Match(child)) {
                complete = false;
                break;
            }
        }
        if (!complete) {
            FParser.SetPosition(iterationStart);
            DropLines(iterationLines);
            break;
        }
        if (started == 1) firstComplete = true;
        if (e.HasText) {
            const int iterationEnd = FParser.Position();
            FParser.SkipSpaces();
            if (FParser.GetChar() != e.Text) {
                FParser.SetPosition(iterationEnd);
                break;
            }
        }
        if (FParser.Position() == iterationStart || FAborted) break;
    }
    if (started > 1) {
        if ((e.Withdraw || FErrorTerm) && !FAborted) {
            FErrorPending = false;
            FErrorTerm = false;
            FPendingMsg.clear();
            FPendingPos.clear();
        }
        return true;
    }
    if (firstComplete) return true;
    FParser.SetPosition(p0);
    DropLines(l0);
    return e.Kind == TfsGrammarKind::OptionalLoop;
}

// --- Units -----------------------------------------------------------------------------------

// The leaves since L0 name the units (string tokens with their quotes); taken from the last to
// the first, each is replaced by its uses element, so units of one clause land in reverse order.
void TfsILParser::IncludeUnits(size_t l0) {
    std::vector<std::string> names;
    for (size_t i = l0; i < FLines.size(); ++i) {
        if (FLines[i].LineKind != Line::Leaf) continue;
        const std::string value = XMLPropOf(FLines[i].Attrs, "text");
        names.push_back(Length(value) >= 2 ? Copy(value, 2, Length(value) - 2) : std::string());
    }
    DropLines(l0);
    size_t at = l0;
    for (auto it = names.rbegin(); it != names.rend(); ++it) at = IncludeUnit(*it, at);
}

size_t TfsILParser::IncludeUnit(const std::string& name, size_t at) {
    for (const std::string& used : FShared->UsedUnits)
        if (SameText(used, name)) return at;
    FShared->UsedUnits.push_back(name);

    std::string text;
    if (FOnGetUnit) {
        FOnGetUnit(name, text);
    } else {
        std::string error;
        if (!ReadUnitFile(name, text, error)) {
            if (!FErrorPending) FErrorUnit = name;
            SetPendingError(error, {}, false);
        }
    }
    std::unique_ptr<TfsXMLItem> unit;
    if (!text.empty()) {
        TfsILParser nested(name, FShared);
        nested.SetOnGetUnit(FOnGetUnit);
        nested.LoadGrammar(FLanguage);
        if (nested.BuildIntermediate(text)) {
            unit = std::make_unique<TfsXMLItem>();
            unit->Assign(nested.Document().Root());
        } else if (!FErrorPending) {
            FErrorUnit = nested.ErrorUnit().empty() ? name : nested.ErrorUnit();
            SetPendingError(nested.ErrorMsg(), {}, false);
        }
    }
    // Lines past L0 were dropped, so the unit's lines are appended.
    FOpens.push_back({FLines.size(), "uses", "unit=\"" + StrToXML(name) + "\""});
    if (unit) FLines.push_back({Line::Unit, "program", {}, std::move(unit)});
    FLines.push_back({Line::Close, "uses", {}, nullptr});
    return FLines.size();
}

// --- The whole text ----------------------------------------------------------------------

void TfsILParser::BuildDocument() {
    TfsXMLItem* root = FDocument.Root();
    root->SetName("program");
    // The open tags by the line they go before; of the tags before the same line, the one
    // recorded last encloses the others and comes first. A counting sort: the lines are
    // the keys, and a large script has hundreds of thousands of tags.
    std::vector<size_t> firstOf(FLines.size() + 2, 0);
    for (const Open& tag : FOpens) ++firstOf[std::min(tag.Before, FLines.size()) + 1];
    for (size_t i = 1; i < firstOf.size(); ++i) firstOf[i] += firstOf[i - 1];
    std::vector<size_t> order(FOpens.size());
    for (size_t i = FOpens.size(); i-- > 0;) order[firstOf[std::min(FOpens[i].Before, FLines.size())]++] = i;
    std::vector<TfsXMLItem*> open{root};
    size_t next = 0;
    for (size_t index = 0; index < FLines.size(); ++index) {
        for (; next < order.size() && FOpens[order[next]].Before == index; ++next) {
            Open& tag = FOpens[order[next]];
            TfsXMLItem* item = open.back()->Add();
            item->SetName(std::string(tag.Name));
            item->SetText(std::move(tag.Attrs));
            open.push_back(item);
        }
        Line& line = FLines[index];
        switch (line.LineKind) {
        case Line::Open:
            break;
        case Line::Close:
            if (open.size() > 1) open.pop_back();
            break;
        case Line::Leaf: {
            TfsXMLItem* item = open.back()->Add();
            item->SetName(std::string(line.Name));
            item->SetText(std::move(line.Attrs));
            break;
        }
        case Line::Unit:
            open.back()->AddItem(line.Item.release());
            break;
        }
    }
    TfsXMLItem* types = root->Add();
    if (FGrammar->Types()) {
        types->Assign(FGrammar->Types());
    } else {
        types->SetName("types");
    }
}

// A start rule that may stop early (a loop of statements) must not drop what it could not read:
// whatever follows, blanks, comments and line ends apart, is reported as a statement error.
void TfsILParser::CheckTrailingText() {
    for (;;) {
        FParser.SkipSpaces();
        if (!FParser.GetEOL()) break;
    }
    if (FParser.Position() > FParser.Size()) return;
    SetPendingError(FGrammar->ErrorText("err3"), FParser.GetXYPosition(), false);
}

bool TfsILParser::BuildIntermediate(const std::string& source) {
    if (!FGrammar) throw EScriptError(Format(fsmsg::LanguageNotFound, {FLanguage}));
    FLines.clear();
    FOpens.clear();
    FErrorPending = FErrorTerm = FAborted = false;
    FPendingMsg.clear();
    FPendingPos.clear();
    FErrorMsg.clear();
    FErrorPos.clear();
    FErrorUnit.clear();
    FDocument.Root()->Clear();
    FDocument.Root()->SetName({});
    FDocument.Root()->SetText({});

    FParser.SetText(AdjustLineBreaks(source));
    int start = 1;
    // "#language Name" on the very first line selects the grammar; matching starts on the next
    // line, whatever line end the directive had.
    if (FParser.CharAt(1) == '#') {
        FParser.SetPosition(2);
        if (SameText(FParser.GetKeyword(), "language")) {
            const int from = FParser.Position();
            int to = from;
            while (to <= FParser.Size() && FParser.CharAt(to) != '\r' && FParser.CharAt(to) != '\n') ++to;
            LoadGrammar(Trim(FParser.Copy(from, to - from)));
            if (FParser.CharAt(to) == '\r') ++to;
            if (FParser.CharAt(to) == '\n') ++to;
            start = to;
        }
    }
    FParser.SetPosition(start);
    FLines.reserve(static_cast<size_t>(FParser.Size() / 4));

    const int program = FGrammar->FindRule("program");
    if (program < 0) throw EScriptError(fsmsg::BadGrammar);
    const bool matched = Match(program);
    if (matched && !FErrorPending && !FAborted && FGrammar->WholeText()) CheckTrailingText();
    const bool ok = matched && !FErrorPending && !FAborted;
    if (ok) BuildDocument();
    FLines.clear();
    FOpens.clear();
    if (FErrorPending) {
        FErrorMsg = FPendingMsg;
        FErrorPos = FPendingPos;
    }
    if (ok) FErrorUnit.clear();
    return ok;
}
