// Grammar documents: reading one into its ready-to-match form, and the language registry.
#include "script/Grammar.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "script/Messages.h"

#include <mutex>

namespace {

// ORDER GRAMMAR_KIND
TfsGrammarKind KindOfElementName(const std::string& lowerName) {
    static const std::pair<const char*, TfsGrammarKind> kinds[] = {
        {"char", TfsGrammarKind::Char},
        {"keyword", TfsGrammarKind::Keyword},
        {"ident", TfsGrammarKind::Ident},
        {"number", TfsGrammarKind::Number},
        {"string", TfsGrammarKind::String},
        {"frstring", TfsGrammarKind::FRString},
        {"eol", TfsGrammarKind::EOL},
        {"sequence", TfsGrammarKind::Sequence},
        {"switch", TfsGrammarKind::Switch},
        {"optionalswitch", TfsGrammarKind::OptionalSwitch},
        {"loop", TfsGrammarKind::Loop},
        {"optionalloop", TfsGrammarKind::OptionalLoop},
        {"optional", TfsGrammarKind::Optional},
    };
    static_assert(std::size(kinds) == static_cast<size_t>(TfsGrammarKind::Reference) - 1);
    for (const auto& [name, kind] : kinds)
        if (lowerName == name) return kind;
    return TfsGrammarKind::Reference;
}

// The `parser` settings, applied over the scanner defaults.
void ApplySetting(TfsParserSettings& s, bool& needDeclareVars, bool& wholeText, const TfsXMLItem* setting) {
    const std::string name = LowerCase(setting->Name());
    const std::string value = setting->Prop("text");
    if (name == "identchars") {
        s.IdentifierCharset.Clear();
        for (char32_t c : Utf8ToU32(value)) s.IdentifierCharset.Add(c);
    } else if (name == "commentline1") {
        s.CommentLine1 = Utf8ToU32(value);
    } else if (name == "commentline2") {
        s.CommentLine2 = Utf8ToU32(value);
    } else if (name == "commentblock1") {
        TfsParserSettings::SplitCommentBlock(value, s.Block1Open, s.Block1Close);
    } else if (name == "commentblock2") {
        TfsParserSettings::SplitCommentBlock(value, s.Block2Open, s.Block2Close);
    } else if (name == "stringquotes") {
        const std::u32string q = Utf8ToU32(value);
        s.StringQuote = q.empty() ? 0 : q[0];
    } else if (name == "hexsequence") {
        s.HexSequence = Utf8ToU32(value);
    } else if (name == "skipchar") {
        const std::u32string c = Utf8ToU32(value);
        s.SkipChar = c.empty() ? 0 : c[0];
    } else if (name == "declarevars") {
        if (value == "0") needDeclareVars = false;
    } else if (name == "skipeol") {
        if (value == "0") s.SkipEOL = false;
    } else if (name == "wholetext") {
        if (value == "1") wholeText = true;
    }
}

}  // namespace

std::shared_ptr<const TfsGrammar> TfsGrammar::Parse(std::string_view language, std::string_view text) {
    std::shared_ptr<TfsGrammar> grammar(new TfsGrammar);
    grammar->FLanguage = std::string(language);
    grammar->FDocument.LoadFromString(text);
    grammar->Compile();
    return grammar;
}

std::string TfsGrammar::ErrorText(std::string_view err) const {
    if (!FErrors) return {};
    const int i = FErrors->Find(err);
    return i < 0 ? std::string() : FErrors->Items(i)->Prop("text");
}

int TfsGrammar::FindRule(std::string_view name) const {
    const std::string lower = LowerCase(name);
    for (const auto& [ruleName, index] : FRules)
        if (ruleName == lower) return index;
    return -1;
}

void TfsGrammar::Compile() {
    const TfsXMLItem* root = FDocument.Root();
    const TfsXMLItem* errors = nullptr;
    if (const int p = root->Find("parser"); p >= 0) {
        const TfsXMLItem* parser = root->Items(p);
        if (const int k = parser->Find("keywords"); k >= 0) {
            const TfsXMLItem* keywords = parser->Items(k);
            for (int i = 0; i < keywords->Count(); ++i) FSettings.AddKeyword(keywords->Items(i)->Name());
        }
        for (int i = 0; i < parser->Count(); ++i) ApplySetting(FSettings, FNeedDeclareVars, FWholeText, parser->Items(i));
        if (const int e = parser->Find("errors"); e >= 0) errors = parser->Items(e);
    }
    if (const int t = root->Find("types"); t >= 0) FTypes = root->Items(t);
    FErrors = errors;

    // Flatten the rule trees into one vector; the root's children are the rule definitions.
    std::vector<std::pair<const TfsXMLItem*, int>> pending;
    auto newElement = [&](const TfsXMLItem* item, bool isRule) {
        const int index = static_cast<int>(FElements.size());
        TfsGrammarElement& e = FElements.emplace_back();
        e.Name = item->Name();
        e.Kind = isRule ? TfsGrammarKind::Rule : KindOfElementName(LowerCase(item->Name()));
        const std::string_view attrs = item->Text();
        e.Text = LowerCase(XMLPropOf(attrs, "text"));
        e.HasText = !e.Text.empty();
        e.Node = XMLPropOf(attrs, "node");
        e.NodeIsUses = SameText(e.Node, "uses");
        e.Add = XMLPropOf(attrs, "add");
        e.AddText = XMLPropOf(attrs, "addtext");
        e.HasAddText = !e.AddText.empty();
        const std::string err = XMLPropOf(attrs, "err");
        if (!err.empty()) {
            e.HasErr = true;
            if (errors) {
                if (const int i = errors->Find(err); i >= 0) e.ErrMessage = errors->Items(i)->Prop("text");
            }
            if (e.ErrMessage.empty()) e.ErrMessage = err;
        }
        e.Term = XMLPropOf(attrs, "term") == "1";
        const std::string skip = XMLPropOf(attrs, "skip");
        e.NoSkip = skip == "0";
        e.Withdraw = skip == "1";
        pending.emplace_back(item, index);
        return index;
    };
    for (int i = 0; i < root->Count(); ++i) {
        const TfsXMLItem* rule = root->Items(i);
        FRules.emplace_back(LowerCase(rule->Name()), newElement(rule, true));
    }
    while (!pending.empty()) {
        auto [item, index] = pending.back();
        pending.pop_back();
        std::vector<int> children;
        for (int i = 0; i < item->Count(); ++i) children.push_back(newElement(item->Items(i), false));
        FElements[static_cast<size_t>(index)].Children = std::move(children);
    }
    for (TfsGrammarElement& e : FElements)
        if (e.Kind == TfsGrammarKind::Reference) e.Rule = FindRule(e.Name);
}

// --- Registry -------------------------------------------------------------------------------

namespace {

struct LanguageEntry {
    std::string Name;
    std::string Text;
    std::shared_ptr<const TfsGrammar> Parsed;
};

class LanguageRegistry {
public:
    LanguageRegistry() {
        for (size_t i = 0; i < kEmbeddedGrammarCount; ++i)
            Register(kEmbeddedGrammars[i].Language, std::string(kEmbeddedGrammars[i].Text, kEmbeddedGrammars[i].Size));
    }

    void Register(const std::string& name, const std::string& text) {
        std::lock_guard lock(FLock);
        if (FindLocked(name)) return;
        FEntries.push_back({name, text, nullptr});
    }

    std::string Text(const std::string& name) {
        std::lock_guard lock(FLock);
        return Existing(name).Text;
    }

    std::vector<std::string> Names() {
        std::lock_guard lock(FLock);
        std::vector<std::string> names;
        for (const LanguageEntry& e : FEntries) names.push_back(e.Name);
        return names;
    }

    std::shared_ptr<const TfsGrammar> Grammar(const std::string& name) {
        std::lock_guard lock(FLock);
        LanguageEntry& entry = Existing(name);
        if (!entry.Parsed) entry.Parsed = TfsGrammar::Parse(entry.Name, entry.Text);
        return entry.Parsed;
    }

private:
    LanguageEntry* FindLocked(const std::string& name) {
        for (LanguageEntry& e : FEntries)
            if (SameText(e.Name, name)) return &e;
        return nullptr;
    }
    LanguageEntry& Existing(const std::string& name) {
        if (LanguageEntry* e = FindLocked(name)) return *e;
        throw EScriptError(Format(fsmsg::LanguageNotFound, {name}));
    }

    std::mutex FLock;
    std::vector<LanguageEntry> FEntries;
};

LanguageRegistry& Languages() {
    static LanguageRegistry registry;
    return registry;
}

}  // namespace

void RegisterLanguage(const std::string& name, const std::string& grammar) { Languages().Register(name, grammar); }

std::string GetLanguage(const std::string& name) { return Languages().Text(name); }

void GetLanguageList(TStrings& list) {
    const std::vector<std::string> names = Languages().Names();
    list.BeginUpdate();
    list.Clear();
    for (const std::string& name : names) list.Add(name);
    list.EndUpdate();
}

std::shared_ptr<const TfsGrammar> GetGrammar(const std::string& name) { return Languages().Grammar(name); }
