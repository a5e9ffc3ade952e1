// The event-handler templates of the four script languages and the script edits built on
// them.
#include "designer/code/CodeUtils.h"

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "report/Component.h"
#include "report/Resources.h"
#include "script/Grammar.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

namespace {

// ORDER: the four languages, then the seven event types with one parameter list per
// language in the same order.
constexpr const char* kLanguages[][2] = {
    {"PascalScript", "proc=\"procedure\" begin=\"begin\" end=\"end;\" lastend=\"end.\""},
    {"C++Script", "proc=\"void\" begin=\"{\" end=\"}\" lastend=\"}\""},
    {"BasicScript", "proc=\"sub\" begin=\"\" end=\"end sub\" lastend=\"\""},
    {"JScript", "proc=\"function\" begin=\"{\" end=\"}\" lastend=\"\""},
};

struct TEventTemplate {
    const char* EventType;
    const char* Params[4];
};

constexpr TEventTemplate kEvents[] = {
    {"TfrxNotifyEvent", {"(Sender: TfrxComponent);", "(TfrxComponent Sender)", "(Sender)", "(Sender)"}},
    {"TfrxCloseQueryEvent",
     {"(Sender: TfrxComponent; var CanClose: Boolean);", "(TfrxComponent Sender, bool &CanClose)",
      "(Sender, byref CanClose)", "(Sender, &CanClose)"}},
    {"TfrxKeyEvent",
     {"(Sender: TfrxComponent; var Key: Word; Shift: Integer);", "(TfrxComponent Sender, word &Key, int Shift)",
      "(Sender, byref Key, Shift)", "(Sender, &Key, Shift)"}},
    {"TfrxKeyPressEvent",
     {"(Sender: TfrxComponent; var Key: Char);", "(TfrxComponent Sender, char &Key)", "(Sender, byref Key)",
      "(Sender, &Key)"}},
    {"TfrxMouseEvent",
     {"(Sender: TfrxComponent; Button: TMouseButton; Shift: Integer; X, Y: Integer);",
      "(TfrxComponent Sender, TMouseButton Button, int Shift, int X, int Y)", "(Sender, Button, Shift, X, Y)",
      "(Sender, Button, Shift, X, Y)"}},
    {"TfrxMouseMoveEvent",
     {"(Sender: TfrxComponent; Shift: Integer; X, Y: Integer);", "(TfrxComponent Sender, int Shift, int X, int Y)",
      "(Sender, Shift, X, Y)", "(Sender, Shift, X, Y)"}},
    {"TfrxPreviewClickEvent",
     {"(Sender: TfrxView; Button: TMouseButton; Shift: Integer; var Modified: Boolean);",
      "(TfrxView Sender, TMouseButton Button, int Shift, bool &Modified)", "(Sender, Button, Shift, byref Modified)",
      "(Sender, Button, Shift, &Modified)"}},
};

bool ContainsUpper(const std::string& Line, const std::string& UpperNeedle) {
    return !UpperNeedle.empty() && AnsiUpperCase(Line).find(UpperNeedle) != std::string::npos;
}

// The line that opens the main block found by reading the script's tokens (comments and
// strings skipped): the opener matching the closer that ends the script. The opener and
// closer words of a language whose blocks are words ("begin" ... "end") also count the
// other constructs that close with that word. -1 when the tokens do not say.
int MainBlockLineByTokens(const TStrings& Script, const std::string& Language, const std::string& B,
                          const std::string& E) {
    std::shared_ptr<const TfsGrammar> grammar;
    try {
        grammar = GetGrammar(Language);
    } catch (const Exception&) {
        return -1;
    }
    TfsParser parser;
    parser.SetSettings(grammar->ParserSettings());
    parser.SetSkipSpace(true);
    parser.SetSkipEOL(true);
    parser.SetText(Script.Text());

    struct TToken {
        std::string Text;   // lower case
        int Line;           // 0-based
    };
    std::vector<TToken> tokens;
    for (;;) {
        parser.SkipSpaces();
        const int start = parser.Position();
        if (start > parser.Size()) break;
        int line = 0, column = 0;
        parser.LineColumnOf(start, line, column);
        std::string text = parser.GetKeyword();
        if (text.empty() && parser.GetNumber().empty() && parser.GetString().empty()) {
            text = parser.GetChar();
            if (text.empty()) parser.SetPosition(start + 1);
        }
        if (!text.empty()) tokens.push_back({LowerCase(text), line - 1});
    }

    const std::string opener = LowerCase(B);
    const std::string endWord = LowerCase(E);
    const bool wordBlocks = !opener.empty() && (std::isalpha(static_cast<unsigned char>(opener[0])) != 0);
    std::string closer = endWord;
    std::string tail;
    if (wordBlocks) {
        size_t n = 0;
        while (n < endWord.size() && std::isalpha(static_cast<unsigned char>(endWord[n]))) ++n;
        closer = endWord.substr(0, n);
        tail = endWord.substr(n);
    }
    std::set<std::string> openers{opener};
    if (wordBlocks) openers.insert({"case", "try", "record"});

    int last = -1;
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
        if (tokens[size_t(i)].Text != closer) continue;
        std::string following;
        for (int j = i + 1; j < static_cast<int>(tokens.size()) && following.size() < tail.size(); ++j)
            following += tokens[size_t(j)].Text;
        if (following == tail) last = i;
    }
    if (last < 0) return -1;
    int depth = 1;
    for (int i = last - 1; i >= 0; --i) {
        const std::string& t = tokens[size_t(i)].Text;
        if (t == closer) ++depth;
        else if (openers.count(t) && --depth == 0) return tokens[size_t(i)].Line;
    }
    return -1;
}

}  // namespace

void frxRegisterCodeTemplates() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    TfrxResources& res = frxResources();
    for (const auto& [language, attrs] : kLanguages) res.Add(language, attrs);
    for (const TEventTemplate& e : kEvents) {
        std::string text;
        for (size_t i = 0; i < 4; ++i) {
            text += kLanguages[i][0];
            text += '=';
            text += e.Params[i];
            text += "\r\n";
        }
        res.Add(e.EventType, text);
    }
}

std::string ScriptLanguageAttr(const std::string& Language, const std::string& Attr) {
    const TfrxResources& res = frxResources();
    if (!res.Has(Language)) return {};
    const std::string text = res.Get(Language);
    const std::string upper = AnsiUpperCase(text);
    const std::string key = AnsiUpperCase(Attr) + "=\"";
    const size_t p = upper.find(key);
    if (p == std::string::npos) return {};
    if (p > 0 && text[p - 1] != ' ') return {};
    const size_t start = p + key.size();
    const size_t end = text.find('"', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string EventParamsFor(const std::string& EventType, const std::string& Language) {
    const TfrxResources& res = frxResources();
    if (!res.Has(EventType)) return {};
    TStringList lines;
    lines.SetText(res.Get(EventType));
    return lines.Values(Language);
}

void ListMatchingHandlers(const TStrings& Script, const std::string& Language, const std::string& EventType,
                          TStrings& List) {
    List.Clear();
    const std::string params = AnsiUpperCase(EventParamsFor(EventType, Language));
    const std::string proc = AnsiUpperCase(ScriptLanguageAttr(Language, "proc"));
    for (int i = 0; i < Script.Count(); ++i) {
        std::string line = Script.Get(i);
        if (AnsiUpperCase(line).rfind(proc, 0) != 0) continue;
        line.erase(0, proc.size());
        const int paren = Pos("(", line);
        if (paren == 0) continue;
        const std::string name = Trim(Copy(line, 1, paren - 1));
        const std::string list = Trim(Copy(line, paren, 255));
        if (AnsiUpperCase(list) == params) List.Add(name);
    }
}

int FindHandlerLine(const TStrings& Script, const std::string& Language, const std::string& Name) {
    const std::string key = UpperCase(ScriptLanguageAttr(Language, "proc") + " " + Name + "(");
    for (int i = 0; i < Script.Count(); ++i)
        if (UpperCase(Script.Get(i)).rfind(key, 0) == 0) return i;
    return -1;
}

int FindHandlerInsertLine(const TStrings& Script, const std::string& Language) {
    const std::string B = ScriptLanguageAttr(Language, "begin");
    const std::string E = ScriptLanguageAttr(Language, "lastend");
    if (E.empty()) return std::max(Script.Count() - 1, 0);
    const std::string upperB = AnsiUpperCase(B), upperE = AnsiUpperCase(E);

    int last = Script.Count() - 1;
    while (last >= 0 && !ContainsUpper(Script.Get(last), upperE)) --last;
    if (last <= 0) return -1;

    // The main block read from the tokens, so that a nested block inside it, or "begin" in
    // a comment or a string, does not take the handler into the main block.
    const int byTokens = MainBlockLineByTokens(Script, Language, B, E);
    if (byTokens >= 0 && byTokens < last) return byTokens;

    int depth = 1;
    for (int i = last - 1; i >= 0; --i) {
        const std::string& line = Script.Get(i);
        if (ContainsUpper(line, upperE)) ++depth;
        if (ContainsUpper(line, upperB)) --depth;
        if (depth == 0) return i;
    }
    return 0;
}

int InsertEventHandler(TStrings& Script, const std::string& Language, const std::string& EventType,
                       const std::string& Name) {
    const int i = FindHandlerInsertLine(Script, Language);
    if (i < 0) throw EfrxError(frxResources().Get("dsCantFindProc"));
    Script.Insert(i, ScriptLanguageAttr(Language, "proc") + " " + Name + EventParamsFor(EventType, Language));
    Script.Insert(i + 1, ScriptLanguageAttr(Language, "begin"));
    Script.Insert(i + 2, "");
    Script.Insert(i + 3, ScriptLanguageAttr(Language, "end"));
    Script.Insert(i + 4, "");
    return i + 3;
}

void NewEmptyScript(TStrings& Script, const std::string& Language) {
    Script.Clear();
    const std::string lastEnd = ScriptLanguageAttr(Language, "lastend");
    if (lastEnd.empty()) return;
    Script.Add(ScriptLanguageAttr(Language, "begin"));
    Script.Add("");
    Script.Add(lastEnd);
}
