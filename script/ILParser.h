// TfsILParser: the script engine's front end. It loads the grammar of a language and turns
// source text into the intermediate document, a language-neutral XML tree from which the
// program builder creates the program's objects. A compile creates one front end for the
// script; units named in a uses clause are parsed by nested front ends and spliced in.
//
// The matcher interprets the grammar's rule elements (see Grammar.h) with back-tracking: an
// element that fails gives back the text it read and the output it produced. Syntax errors are
// not exceptions: the first error an element with `err` reports stays pending (unless a loop
// withdraws it) and becomes ErrorMsg/ErrorPos when BuildIntermediate returns false.
//
// Intermediate document (docs/script-tree.md has the full vocabulary per statement kind):
//   <program>                     root; the rules' output, then a copy of the grammar's types
//     <N pos="L:C">...</N>        a rule or element with node="N"; pos = its first token
//     <K text="T" pos="L:C"/>     a leaf from add="K"; T = the token (or addtext), escaped
//                                 by StrToXML; pos = just behind the token
//     <uses unit="NAME"><program>...</program></uses>   a used unit, parsed once per compile
//     <types>...</types>          last child
//   "<Var1>" in a script becomes <dsgn><node text="Get"/><expr><string text="'Var1'"/></expr></dsgn>.
// PascalScript "begin x := 1 end." gives:
//   <program><compoundstmt pos="1:1"><assignstmt pos="1:7"><dsgn pos="1:7"><node text="x"
//   pos="1:8"/></dsgn><expr pos="1:12"><number text="1" pos="1:13"/></expr></assignstmt>
//   </compoundstmt><types/></program>
//
// Positions are "line:column", both from 1, columns counting characters. Source text is taken
// with its line ends normalised to CR LF, so LF-only and CR-only text parse alike.
#pragma once

#include "script/Grammar.h"
#include "script/Parser.h"
#include "script/XMLDocument.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Supplies the source text of a used unit. When no handler is set the unit is read from the
// file of that name in the working directory (ASCII case ignored when the exact name is absent).
using TfsGetUnitEvent = std::function<void(const std::string& unitName, std::string& unitText)>;

class TfsILParser {
public:
    // UnitName: the unit this front end parses (empty for the main script).
    explicit TfsILParser(std::string unitName = {});
    ~TfsILParser();
    TfsILParser(const TfsILParser&) = delete;
    TfsILParser& operator=(const TfsILParser&) = delete;

    // Fetches the language's parsed grammar (shared, parsed once per process) and configures the
    // scanner from it; an unknown name raises EScriptError "语言'%s'未找到".
    void LoadGrammar(const std::string& languageName);

    // Source text to intermediate document; true on success. On return ErrorMsg and ErrorPos hold
    // the pending syntax error (both empty on success; ErrorMsg is also empty when the match
    // failed without any element reporting an error). A grammar rule that is missing raises
    // EScriptError "非法的语言定义 "; a "#language" directive naming an unknown language raises
    // "语言'%s'未找到". Nesting deeper than this thread's stack can hold fails with "嵌套层次太深".
    bool BuildIntermediate(const std::string& source);

    // The intermediate document of the last successful BuildIntermediate.
    TfsXMLDocument& Document() { return FDocument; }
    const TfsXMLDocument& Document() const { return FDocument; }
    const std::shared_ptr<const TfsGrammar>& Grammar() const { return FGrammar; }
    // The language last loaded (by LoadGrammar or by a "#language" directive).
    const std::string& Language() const { return FLanguage; }
    // False when the grammar says variables need no declaration.
    bool NeedDeclareVars() const { return FNeedDeclareVars; }
    const std::string& UnitName() const { return FUnitName; }
    // Unit names included so far in this compile (shared with nested front ends).
    const std::vector<std::string>& UsedUnits() const;

    const std::string& ErrorMsg() const { return FErrorMsg; }
    const std::string& ErrorPos() const { return FErrorPos; }
    // The unit whose text held the error, empty for the main script.
    const std::string& ErrorUnit() const { return FErrorUnit; }

    void SetOnGetUnit(TfsGetUnitEvent handler) { FOnGetUnit = std::move(handler); }
    TfsParser& Parser() { return FParser; }

private:
    struct Shared;  // state of one compile, shared with nested front ends
    struct Line;    // one line of the output under construction
    struct Open;    // an open tag and the line it goes before
    TfsILParser(std::string unitName, std::shared_ptr<Shared> shared);

    bool Match(int index);
    bool MatchLoop(const TfsGrammarElement& e, int p0, size_t l0);
    void ReportError(const TfsGrammarElement& e, int p0);
    void ApplyNode(const TfsGrammarElement& e, int p0, size_t l0, bool matched);
    void AddLeaf(std::string_view name, std::string_view text, const std::string& pos);
    void AddReportVariable(const std::string& text);
    void IncludeUnits(size_t l0);
    size_t IncludeUnit(const std::string& name, size_t at);
    void SetPendingError(const std::string& message, const std::string& pos, bool term);
    void DropLines(size_t count);
    void CheckTrailingText();
    void BuildDocument();

    std::string FUnitName;
    std::shared_ptr<Shared> FShared;
    std::shared_ptr<const TfsGrammar> FGrammar;
    std::string FLanguage;
    bool FNeedDeclareVars = true;
    TfsParser FParser;
    TfsXMLDocument FDocument;
    TfsGetUnitEvent FOnGetUnit;

    std::vector<Line> FLines;
    std::vector<Open> FOpens;
    bool FErrorPending = false;
    bool FErrorTerm = false;
    bool FAborted = false;
    std::string FPendingMsg, FPendingPos;

    std::string FErrorMsg, FErrorPos, FErrorUnit;
};
