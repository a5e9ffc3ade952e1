// Languages of the script engine: the registry of grammar documents and their parsed form.
//
// A language is defined by a grammar document (an XML text): its root `language` names the
// language; `parser` holds the scanner settings (`identchars`, `commentline1`, `commentline2`,
// `commentblock1`, `commentblock2`, `stringquotes`, `hexsequence`, `skipchar`, `declarevars`,
// `skipeol`, `wholetext`, each with its value in `text`), the `keywords` (one empty element per keyword) and
// the `errors` (`err1`, `err2` ... with the message in `text`); `types` maps the language's own
// type names to the engine's (`<int type="integer"/>`); every further child of the root is a
// rule, `program` being the start rule. The grammar documents that come with the engine are
// data files (script/grammars/*.xml) built into the binary and registered, in a fixed order,
// before the registry is first used.
//
// A grammar is parsed once per language (on first use) and shared, immutable, by every front
// end that loads it: a compile never parses the grammar text again.
#pragma once

#include "script/Parser.h"
#include "script/XMLDocument.h"

class TStrings;

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Kinds of grammar elements. ORDER GRAMMAR_KIND: KindOfElementName in Grammar.cpp maps names.
enum class TfsGrammarKind : uint8_t {
    Rule,            // a rule definition (direct child of the root): its children in order
    Char,            // one punctuation character
    Keyword,         // a word, keywords included
    Ident,           // a word that is not a keyword
    Number,
    String,
    FRString,        // report-variable text up to the closing '>'
    EOL,             // one run of line ends
    Sequence,
    Switch,          // first child that matches; fails when none does
    OptionalSwitch,  // first child that matches; succeeds when none does
    Loop,            // children in order, once or more
    OptionalLoop,    // children in order, zero or more times
    Optional,        // children in order, or nothing
    Reference,       // any other name: the rule of that name
};

// One element of a grammar with its attributes read once.
struct TfsGrammarElement {
    TfsGrammarKind Kind = TfsGrammarKind::Sequence;
    std::string Name;            // element name as written
    bool HasText = false;
    std::string Text;            // `text`, lower-cased: token to match, or a loop's separator
    std::string Node;            // `node`: wrap the match in an element of this name
    bool NodeIsUses = false;     // `node` is "uses" (ASCII case ignored)
    std::string Add;             // `add`: emit a leaf of this name
    bool HasAddText = false;
    std::string AddText;         // `addtext`: the leaf's text instead of the token
    bool HasErr = false;
    std::string ErrMessage;      // the `errors` text named by `err` (the `err` value itself when
                                 // the grammar has no text for it)
    bool Term = false;           // term="1"
    bool NoSkip = false;         // skip="0" on `char`
    bool Withdraw = false;       // skip="1" on loops
    int Rule = -1;               // Reference: index of the referenced rule, -1 when missing
    std::vector<int> Children;   // indices into TfsGrammar::Elements()
};

class TfsGrammar {
public:
    // Parses a grammar document; malformed XML raises EScriptError "Invalid file format".
    static std::shared_ptr<const TfsGrammar> Parse(std::string_view language, std::string_view text);

    const std::string& Language() const { return FLanguage; }
    const TfsXMLDocument& Document() const { return FDocument; }
    // The `types` element (nullptr when the grammar has none).
    const TfsXMLItem* Types() const { return FTypes; }
    // Default scanner settings with the grammar's `parser` settings and keywords applied.
    const TfsParserSettings& ParserSettings() const { return FSettings; }
    // False when the grammar says declarevars "0".
    bool NeedDeclareVars() const { return FNeedDeclareVars; }
    // True when the grammar says wholetext "1": the start rule must read the whole source, and
    // text it leaves behind is a syntax error (err3), not silently dropped. Languages whose
    // program ends with a closing token (a final "." or "}") leave it off.
    bool WholeText() const { return FWholeText; }
    // The message of the `errors` child named Err ("err3"), empty when there is none.
    std::string ErrorText(std::string_view err) const;

    const std::vector<TfsGrammarElement>& Elements() const { return FElements; }
    const TfsGrammarElement& Element(int index) const { return FElements[static_cast<size_t>(index)]; }
    // The rule named Name (ASCII case ignored), -1 when the grammar has none.
    int FindRule(std::string_view name) const;

private:
    TfsGrammar() = default;
    void Compile();

    std::string FLanguage;
    TfsXMLDocument FDocument;
    const TfsXMLItem* FTypes = nullptr;
    const TfsXMLItem* FErrors = nullptr;
    TfsParserSettings FSettings;
    bool FNeedDeclareVars = true;
    bool FWholeText = false;
    std::vector<TfsGrammarElement> FElements;
    std::vector<std::pair<std::string, int>> FRules;  // lower-cased name -> element, in document order
};

// --- Language registry (process-wide) -------------------------------------------------------

// Adds the pair unless a language of that name (ASCII case ignored) is already registered:
// the first registration wins.
void RegisterLanguage(const std::string& name, const std::string& grammar);
// The grammar text of a registered language; EScriptError "语言'%s'未找到" otherwise.
std::string GetLanguage(const std::string& name);
// Clears List and adds the names of all registered languages in registration order.
void GetLanguageList(TStrings& list);
// The parsed grammar of a registered language, parsed on first request and then shared;
// EScriptError "语言'%s'未找到" for an unknown name.
std::shared_ptr<const TfsGrammar> GetGrammar(const std::string& name);

// A grammar document built into the binary (generated from script/grammars/*.xml).
struct TfsEmbeddedGrammar {
    const char* Language;  // the root's `text`
    const char* Text;
    size_t Size;
    const char* FileName;  // the document's file name under script/grammars/
};
extern const TfsEmbeddedGrammar kEmbeddedGrammars[];
extern const size_t kEmbeddedGrammarCount;
