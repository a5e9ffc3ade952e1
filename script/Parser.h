// TfsParser: the character-level scanner of the script engine.
// It holds a source text and a position in it and offers one reader per token kind. Each
// reader reads at the current position and either consumes a token and returns its text, or
// returns the empty string and leaves the position where it was. It decides nothing about the
// language: the grammar-driven front end picks the reader, and the grammar's parser settings
// configure comments, quotes, identifier characters, the hexadecimal prefix, keywords and line
// handling. The designer's code editor uses it too, for colouring script text.
//
// Text is UTF-8 outside and code points inside: Position, Size and columns count characters,
// so "3:14" means line 3, 14th character. Character codes ("#169", "\xA9") are code points.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

// A set of characters: ASCII by bits, everything else as a sorted list.
class TfsCharSet {
public:
    bool Contains(char32_t c) const;
    void Add(char32_t c);
    void Clear();
    bool operator==(const TfsCharSet&) const = default;

private:
    std::bitset<128> FAscii;
    std::vector<char32_t> FOther;
};

// Everything a grammar can set, with the values a new scanner has.
struct TfsParserSettings {
    TfsParserSettings();
    std::u32string CommentLine1 = U"//";
    std::u32string CommentLine2;           // a marker of identifier characters ("rem") matches
                                           // only as a whole word, in any letter case
    std::u32string Block1Open = U"{", Block1Close = U"}";
    std::u32string Block2Open = U"(*", Block2Close = U"*)";
    std::u32string HexSequence = U"$";
    TfsCharSet IdentifierCharset;          // 0-9, A-Z, _, a-z
    std::vector<std::string> Keywords;     // sorted, ASCII case ignored
    char32_t SkipChar = 0;                 // line continuation; 0 = none
    bool SkipEOL = true;                   // false: CR and LF stop the blank skipper
    bool SkipSpace = true;                 // word, string and number readers skip blanks first
    char32_t StringQuote = U'\'';          // '"' selects backslash escapes, else quote doubling

    // "open,close" into the two halves (no comma: an opening half only; "" clears the pair).
    static void SplitCommentBlock(std::string_view value, std::u32string& open, std::u32string& close);
    void AddKeyword(std::string_view word);
    bool IsKeyword(std::string_view word) const;
};

class TfsParser {
public:
    TfsParser() = default;

    // --- Settings -----------------------------------------------------------------------
    const TfsParserSettings& Settings() const { return FSettings; }
    void SetSettings(const TfsParserSettings& settings) { FSettings = settings; }
    void ResetSettings() { FSettings = TfsParserSettings(); }

    std::string CommentLine1() const;
    void SetCommentLine1(std::string_view value);
    std::string CommentLine2() const;
    void SetCommentLine2(std::string_view value);
    std::string CommentBlock1() const;                // "open,close"
    void SetCommentBlock1(std::string_view value);
    std::string CommentBlock2() const;
    void SetCommentBlock2(std::string_view value);
    std::string HexSequence() const;
    void SetHexSequence(std::string_view value);
    // The identifier characters become exactly the characters of Chars.
    void SetIdentifierCharset(std::string_view chars);
    void SetIdentChars(std::string_view chars) { SetIdentifierCharset(chars); }
    std::string SkipChar() const;
    void SetSkipChar(std::string_view value);        // only its first character counts
    bool SkipEOL() const { return FSettings.SkipEOL; }
    void SetSkipEOL(bool value) { FSettings.SkipEOL = value; }
    bool SkipSpace() const { return FSettings.SkipSpace; }
    void SetSkipSpace(bool value) { FSettings.SkipSpace = value; }
    std::string StringQuotes() const;
    void SetStringQuotes(std::string_view value);    // only its first character counts
    const std::vector<std::string>& Keywords() const { return FSettings.Keywords; }
    void AddKeyword(std::string_view word) { FSettings.AddKeyword(word); }
    void ClearKeywords() { FSettings.Keywords.clear(); }
    bool IsKeyword(std::string_view word) const { return FSettings.IsKeyword(word); }

    // --- Text and position --------------------------------------------------------------
    std::string Text() const;
    // Stores the text, sets Position and LastPosition to 1 and rebuilds the line starts.
    void SetText(std::string_view text);
    int Size() const { return static_cast<int>(FText.size()); }
    // 1-based index of the next character (Size() + 1 at the end).
    int Position() const { return FPos; }
    // Sets Position and LastPosition (clamped to 1 .. Size() + 1).
    void SetPosition(int position);
    // Where the last token began.
    int LastPosition() const { return FLastPos; }
    // The character at a 1-based index; 0 outside the text.
    // Count characters from a 1-based index, clipped to the text.
    std::string Copy(int position, int count) const;
    char32_t CharAt(int position) const {
        return position >= 1 && position <= Size() ? FText[static_cast<size_t>(position - 1)] : 0;
    }

    // --- Readers ------------------------------------------------------------------------
    // Skips blanks (codes 0-32; not CR or LF when SkipEOL is off), continuation characters and
    // comments, repeatedly; LastPosition becomes Position.
    void SkipSpaces();
    // Blanks and comments, then one run of CR and LF characters: true when there was one.
    bool GetEOL();
    // A run of identifier characters not beginning with a digit (keywords included).
    std::string GetKeyword();
    // GetKeyword, but nothing when the word is a keyword.
    std::string GetIdent();
    // One punctuation character (codes 33-47, 58-64, 91-96, 123-126); never skips blanks.
    std::string GetChar();
    // Quoted pieces and "#n" character codes following each other directly; the joined value
    // comes back between single quotes whatever the language's quote character.
    std::string GetString();
    // Decimal or hexadecimal integer, optional fraction and exponent; the hexadecimal prefix
    // comes back as "$".
    std::string GetNumber();
    // Report-variable text behind an opening '<', up to the matching '>' outside quotes;
    // Position is left on that '>'. Nothing when a line end comes first.
    std::string GetFRString();

    // Position as "line:column", both counted from 1; a line feed belongs to the line it ends.
    std::string GetXYPosition() const { return XYPositionOf(FPos); }
    std::string XYPositionOf(int position) const;
    void LineColumnOf(int position, int& line, int& column) const;

private:
    bool StartsWith(int position, const std::u32string& s) const;
    bool AtLineComment(const std::u32string& marker) const;
    void SkipBlanks();
    bool SkipComment();
    void SkipLineEnds();
    bool ReadQuotedPiece(std::u32string& value);
    bool ReadCharCode(std::u32string& value);
    bool ReadInteger(uint32_t& value);

    TfsParserSettings FSettings;
    std::u32string FText;
    std::vector<int> FLineStarts{0};
    int FPos = 1;
    int FLastPos = 1;
};
