// Key translation tables: Qt keys to Windows virtual-key codes and back.
#include "platform/ui/QtKeys.h"

#include <array>
#include <utility>

namespace {

// ORDER: pairs of (Qt key, virtual key); the first pair for a virtual key is the one used
// when translating back.
constexpr std::pair<int, uint16_t> kKeyTable[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},      {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},      {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},       {Qt::Key_Pause, VK_PAUSE},      {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, VK_SPACE},      {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},          {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},        {Qt::Key_Select, VK_SELECT},    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Execute, VK_EXECUTE},  {Qt::Key_Insert, VK_INSERT},    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},        {Qt::Key_Meta, VK_LWIN},        {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},     {Qt::Key_Menu, VK_APPS},        {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},  {Qt::Key_Colon, VK_OEM_1},      {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},    {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},  {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},      {Qt::Key_Question, VK_OEM_2},   {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},  {Qt::Key_Bar, VK_OEM_5},        {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits on a US layout type the digit key.
    {Qt::Key_Exclam, '1'},  {Qt::Key_At, '2'},          {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},  {Qt::Key_Percent, '5'},     {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},  {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// Keys of the numeric keypad when Qt marks them with KeypadModifier.
uint16_t KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return uint16_t(VK_NUMPAD0 + (qtKey - Qt::Key_0));
    switch (qtKey) {
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: return VK_ADD;
    case Qt::Key_Minus: return VK_SUBTRACT;
    case Qt::Key_Period: return VK_DECIMAL;
    case Qt::Key_Comma: return VK_SEPARATOR;
    case Qt::Key_Slash: return VK_DIVIDE;
    default: return 0;
    }
}

}  // namespace

uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (uint16_t vk = KeypadKey(qtKey)) return vk;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return uint16_t('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return uint16_t('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return uint16_t(VK_F1 + (qtKey - Qt::Key_F1));
    for (const auto& [q, vk] : kKeyTable)
        if (q == qtKey) return vk;
    return 0;
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= ssShift;
    if (modifiers & Qt::AltModifier) s |= ssAlt;
    if (modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

TMouseButton MouseButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

char32_t KeyCharOf(const QKeyEvent& e) {
    const int key = e.key();
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    const bool ctrl = e.modifiers() & Qt::ControlModifier;
    const bool alt = e.modifiers() & Qt::AltModifier;
    if (ctrl && !alt && key >= Qt::Key_A && key <= Qt::Key_Z) return char32_t(1 + (key - Qt::Key_A));
    if (ctrl || alt) return 0;
    const QString text = e.text();
    if (text.isEmpty()) return 0;
    const QList<uint> cps = text.toUcs4();
    if (cps.isEmpty() || cps.front() < 32 || cps.front() == 127) return 0;
    return char32_t(cps.front());
}

int QtKeyOfVirtual(uint16_t vk) {
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_SEPARATOR: return Qt::Key_Comma;
    default: break;
    }
    for (const auto& [q, v] : kKeyTable)
        if (v == vk) return q;
    return Qt::Key_unknown;
}

Qt::KeyboardModifiers ModifiersOf(TShiftState shift) {
    Qt::KeyboardModifiers m;
    if (shift & ssShift) m |= Qt::ShiftModifier;
    if (shift & ssAlt) m |= Qt::AltModifier;
    if (shift & ssCtrl) m |= Qt::ControlModifier;
    return m;
}
