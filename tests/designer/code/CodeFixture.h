// An editor of a fixed size with keys sent the way the window layer sends them: key down,
// then, unless it was taken, the character the key types.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "designer/code/SyntaxMemo.h"
#include "platform/ui/Keys.h"

struct TKeyStroke {
    uint16_t Key = 0;       // a virtual key, or 0 for a typed character
    TShiftState Shift = 0;
    char32_t Char = 0;
};

// Shorthands for the tables.
inline TKeyStroke K(uint16_t Key, TShiftState Shift = 0) { return {Key, Shift, 0}; }
inline TKeyStroke Ch(char32_t C) { return {0, 0, C}; }
inline TKeyStroke Ctrl(char Letter) { return {uint16_t(Letter), ssCtrl, 0}; }

// The character a key types (what the platform's key translation gives).
inline char32_t CharOfKey(uint16_t Key, TShiftState Shift) {
    if ((Shift & ssCtrl) && Key >= 'A' && Key <= 'Z') return char32_t(Key - 'A' + 1);
    switch (Key) {
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_RETURN: return 13;
    default: return 0;
    }
}

inline void Press(TfrxSyntaxMemo& Memo, const TKeyStroke& S) {
    if (S.Key == 0) {
        char32_t c = S.Char;
        Memo.KeyPress(c);
        return;
    }
    uint16_t key = S.Key;
    Memo.KeyDown(key, S.Shift);
    if (key == 0) return;
    char32_t c = CharOfKey(S.Key, S.Shift);
    if (c != 0) Memo.KeyPress(c);
}

inline void Press(TfrxSyntaxMemo& Memo, const std::vector<TKeyStroke>& Keys) {
    for (const TKeyStroke& s : Keys) Press(Memo, s);
}

inline void TypeText(TfrxSyntaxMemo& Memo, const std::u32string& Text) {
    for (char32_t c : Text) Press(Memo, Ch(c));
}

inline std::unique_ptr<TfrxSyntaxMemo> MakeMemo(const std::string& Text, int Width = 640, int Height = 480) {
    auto memo = std::make_unique<TfrxSyntaxMemo>(nullptr);
    memo->SetBounds(0, 0, Width, Height);
    TStringList lines;
    lines.SetText(Text);
    memo->SetLines(lines);
    return memo;
}
