// Scanner for named parameters and the columns they are compared with.
#include "platform/db/SqlParameters.h"

#include <cstddef>

#include "platform/rtl/StrUtils.h"

namespace {

enum class TTokKind { Ident, Param, Literal, Op, Punct };

struct TToken {
    TTokKind Kind;
    std::string Text;      // identifier without quotes, operator text, punctuation
    size_t Begin = 0;      // byte range in the source
    size_t End = 0;
};

bool IsNameChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_' || c == '$' || c >= 0x80;
}

// Splits the command into tokens; quoted texts become literals, quoted names identifiers.
std::vector<TToken> Tokenize(std::string_view s) {
    std::vector<TToken> tokens;
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t begin = i;
        if (c <= ' ') { ++i; continue; }
        if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            while (i < n && s[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            size_t close = s.find("*/", i + 2);
            i = close == std::string_view::npos ? n : close + 2;
            continue;
        }
        if (c == '\'') {
            ++i;
            while (i < n) {
                if (s[i] == '\'') {
                    if (i + 1 < n && s[i + 1] == '\'') { i += 2; continue; }
                    ++i;
                    break;
                }
                ++i;
            }
            tokens.push_back({TTokKind::Literal, std::string(s.substr(begin, i - begin)), begin, i});
            continue;
        }
        if (c == '"' || c == '`' || c == '[') {
            char close = c == '[' ? ']' : static_cast<char>(c);
            std::string name;
            ++i;
            while (i < n) {
                if (s[i] == close) {
                    if (close != ']' && i + 1 < n && s[i + 1] == close) { name += close; i += 2; continue; }
                    ++i;
                    break;
                }
                name += s[i++];
            }
            tokens.push_back({TTokKind::Ident, name, begin, i});
            continue;
        }
        if (c == ':' && i + 1 < n && IsNameChar(static_cast<unsigned char>(s[i + 1])) &&
            !(i > 0 && s[i - 1] == ':')) {
            ++i;
            while (i < n && IsNameChar(static_cast<unsigned char>(s[i]))) ++i;
            tokens.push_back({TTokKind::Param, std::string(s.substr(begin + 1, i - begin - 1)), begin, i});
            continue;
        }
        if (c >= '0' && c <= '9') {
            while (i < n && (IsNameChar(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
            tokens.push_back({TTokKind::Literal, std::string(s.substr(begin, i - begin)), begin, i});
            continue;
        }
        if (IsNameChar(c)) {
            while (i < n && IsNameChar(static_cast<unsigned char>(s[i]))) ++i;
            tokens.push_back({TTokKind::Ident, std::string(s.substr(begin, i - begin)), begin, i});
            continue;
        }
        if (c == '<' || c == '>' || c == '=' || c == '!') {
            ++i;
            if (i < n && (s[i] == '=' || s[i] == '>')) ++i;
            tokens.push_back({TTokKind::Op, std::string(s.substr(begin, i - begin)), begin, i});
            continue;
        }
        ++i;
        tokens.push_back({TTokKind::Punct, std::string(1, static_cast<char>(c)), begin, i});
    }
    return tokens;
}

bool IsComparison(const TToken& t) {
    return t.Kind == TTokKind::Op &&
           (t.Text == "=" || t.Text == "==" || t.Text == "<>" || t.Text == "!=" || t.Text == "<" ||
            t.Text == ">" || t.Text == "<=" || t.Text == ">=");
}

bool IsWord(const TToken& t, std::string_view word) {
    return t.Kind == TTokKind::Ident && SameText(t.Text, word);
}

bool IsPunct(const TToken& t, char c) {
    return t.Kind == TTokKind::Punct && t.Text.size() == 1 && t.Text[0] == c;
}

// The column a parameter meets through a comparison, BETWEEN or SET assignment.
std::string ComparedColumn(const std::vector<TToken>& t, size_t i) {
    auto at = [&](std::ptrdiff_t k) -> const TToken* {
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + k;
        return j >= 0 && j < static_cast<std::ptrdiff_t>(t.size()) ? &t[static_cast<size_t>(j)] : nullptr;
    };
    const TToken* p1 = at(-1);
    const TToken* p2 = at(-2);
    if (p1 && p2 && p2->Kind == TTokKind::Ident && (IsComparison(*p1) || IsWord(*p1, "between")))
        return p2->Text;
    // "col between <value> and :p"
    const TToken* p3 = at(-3);
    const TToken* p4 = at(-4);
    if (p1 && p2 && p3 && p4 && IsWord(*p1, "and") &&
        (p2->Kind == TTokKind::Param || p2->Kind == TTokKind::Literal) && IsWord(*p3, "between") &&
        p4->Kind == TTokKind::Ident)
        return p4->Text;
    // ":p = col" or ":p = tbl.col"
    const TToken* n1 = at(1);
    const TToken* n2 = at(2);
    if (n1 && n2 && IsComparison(*n1) && n2->Kind == TTokKind::Ident) {
        const TToken* n3 = at(3);
        const TToken* n4 = at(4);
        if (n3 && IsPunct(*n3, '.') && n4 && n4->Kind == TTokKind::Ident) return n4->Text;
        if (n3 && IsPunct(*n3, '(')) return "";
        return n2->Text;
    }
    return "";
}

// INSERT INTO t (c1, c2) VALUES (v1, v2)[, (...)] or INSERT INTO t (c1, c2) SELECT v1, v2
// FROM ...: the column of each value that is a lone parameter.
void InsertColumns(const std::vector<TToken>& t, std::vector<std::string>& columnOfToken) {
    size_t i = 0;
    if (i >= t.size() || !IsWord(t[i], "insert")) return;
    while (i < t.size() && !IsPunct(t[i], '(') && !IsWord(t[i], "values") && !IsWord(t[i], "select")) ++i;
    if (i >= t.size() || !IsPunct(t[i], '(')) return;
    std::vector<std::string> columns;
    for (++i; i < t.size() && !IsPunct(t[i], ')'); ++i)
        if (t[i].Kind == TTokKind::Ident && (i + 1 >= t.size() || !IsPunct(t[i + 1], '.')))
            columns.push_back(t[i].Text);
    if (i >= t.size()) return;
    ++i;
    // Maps the comma-separated items from `from` up to a closing parenthesis at depth 0 or
    // (for a select list) the word FROM at depth 0; returns the index where it stopped.
    auto mapItems = [&](size_t from, bool selectList) {
        size_t column = 0, itemStart = from;
        int depth = 0;
        size_t k = from;
        for (; k < t.size(); ++k) {
            bool open = IsPunct(t[k], '('), close = IsPunct(t[k], ')');
            if (open) { ++depth; continue; }
            if (close && depth > 0) { --depth; continue; }
            bool end = depth == 0 && (selectList ? IsWord(t[k], "from") || IsPunct(t[k], ';') : close);
            if ((depth == 0 && IsPunct(t[k], ',')) || end) {
                if (k == itemStart + 1 && t[itemStart].Kind == TTokKind::Param && column < columns.size())
                    columnOfToken[itemStart] = columns[column];
                ++column;
                itemStart = k + 1;
                if (end) break;
            }
        }
        if (selectList && k >= t.size() && t.size() == itemStart + 1 &&
            t[itemStart].Kind == TTokKind::Param && column < columns.size())
            columnOfToken[itemStart] = columns[column];
        return k;
    };
    if (i < t.size() && IsWord(t[i], "select")) {
        mapItems(i + 1, true);
        return;
    }
    if (i >= t.size() || !IsWord(t[i], "values")) return;
    ++i;
    while (i < t.size() && IsPunct(t[i], '(')) {
        i = mapItems(i + 1, false) + 1;
        if (i < t.size() && IsPunct(t[i], ',')) ++i;
    }
}

}  // namespace

TParsedSql ParseSqlParameters(std::string_view sql) {
    TParsedSql result;
    std::vector<TToken> tokens = Tokenize(sql);
    std::vector<std::string> insertColumn(tokens.size());
    InsertColumns(tokens, insertColumn);

    size_t copied = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const TToken& tok = tokens[i];
        if (tok.Kind != TTokKind::Param) continue;
        size_t slot = 0;
        while (slot < result.Parameters.size() && !SameText(result.Parameters[slot].Name, tok.Text))
            ++slot;
        if (slot == result.Parameters.size()) result.Parameters.push_back({tok.Text, {}});
        std::string column = insertColumn[i].empty() ? ComparedColumn(tokens, i) : insertColumn[i];
        auto& columns = result.Parameters[slot].Columns;
        if (!column.empty()) {
            bool known = false;
            for (const auto& c : columns) known = known || SameText(c, column);
            if (!known) columns.push_back(column);
        }
        result.Text.append(sql.substr(copied, tok.Begin - copied));
        result.Text += '?';
        result.Text += std::to_string(slot + 1);
        copied = tok.End;
    }
    result.Text.append(sql.substr(copied));
    return result;
}

bool IsSchemaStatement(std::string_view sql) {
    std::vector<TToken> tokens = Tokenize(sql);
    return !tokens.empty() &&
           (IsWord(tokens[0], "create") || IsWord(tokens[0], "drop") || IsWord(tokens[0], "alter"));
}
