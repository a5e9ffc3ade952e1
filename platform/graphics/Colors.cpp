// Colour values, the system colour scheme and the colour identifier table.
#include "platform/graphics/Colors.h"
#include "platform/rtl/ConvertErrors.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

#include <array>

namespace {

// The desktop scheme the program was made on (the classic blue desktop theme), fixed
// so that pictures and tests look the same everywhere. Indexed by COLOR_ value.
constexpr std::array<TColor, COLOR_ENDCOLORS> SystemColors = {
    RGB(212, 208, 200),   // COLOR_SCROLLBAR
    RGB(0, 78, 152),      // COLOR_BACKGROUND
    RGB(0, 84, 227),      // COLOR_ACTIVECAPTION
    RGB(122, 150, 223),   // COLOR_INACTIVECAPTION
    RGB(255, 255, 255),   // COLOR_MENU
    RGB(255, 255, 255),   // COLOR_WINDOW
    RGB(0, 0, 0),         // COLOR_WINDOWFRAME
    RGB(0, 0, 0),         // COLOR_MENUTEXT
    RGB(0, 0, 0),         // COLOR_WINDOWTEXT
    RGB(255, 255, 255),   // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),   // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),   // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),   // COLOR_APPWORKSPACE
    RGB(49, 106, 197),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),   // COLOR_HIGHLIGHTTEXT
    RGB(236, 233, 216),   // COLOR_BTNFACE
    RGB(172, 168, 153),   // COLOR_BTNSHADOW
    RGB(172, 168, 153),   // COLOR_GRAYTEXT
    RGB(0, 0, 0),         // COLOR_BTNTEXT
    RGB(216, 228, 248),   // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),   // COLOR_BTNHIGHLIGHT
    RGB(113, 111, 100),   // COLOR_3DDKSHADOW
    RGB(241, 239, 226),   // COLOR_3DLIGHT
    RGB(0, 0, 0),         // COLOR_INFOTEXT
    RGB(255, 255, 225),   // COLOR_INFOBK
    RGB(181, 181, 181),   // 25, unused by the platform
    RGB(0, 0, 128),       // COLOR_HOTLIGHT
    RGB(61, 149, 255),    // COLOR_GRADIENTACTIVECAPTION
    RGB(157, 185, 235),   // COLOR_GRADIENTINACTIVECAPTION
    RGB(49, 106, 197),    // COLOR_MENUHILIGHT
    RGB(236, 233, 216),   // COLOR_MENUBAR
};

const TIdentMap& IdentTable() {
    static const TIdentMap table = {
        {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"},
        {clOlive, "clOlive"}, {clNavy, "clNavy"}, {clPurple, "clPurple"},
        {clTeal, "clTeal"}, {clGray, "clGray"}, {clSilver, "clSilver"},
        {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
        {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
        {clWhite, "clWhite"}, {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"},
        {clCream, "clCream"}, {clMedGray, "clMedGray"},
        {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
        {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
        {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
        {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
        {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
        {clGradientActiveCaption, "clGradientActiveCaption"},
        {clGradientInactiveCaption, "clGradientInactiveCaption"},
        {clGrayText, "clGrayText"}, {clHighlight, "clHighlight"},
        {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
        {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
        {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"},
        {clInfoText, "clInfoText"}, {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"},
        {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
        {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"},
        {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
        {clWindowText, "clWindowText"},
    };
    return table;
}

}  // namespace

TColor ColorToRGB(TColor color) {
    if (color < 0) {
        int index = color & 0xFF;
        return index < COLOR_ENDCOLORS ? SystemColors[static_cast<size_t>(index)] : clBlack;
    }
    return color;
}

uint32_t ColorToQRgbValue(TColor color) {
    if (color == clNone || color == clDefault) return 0;
    TColor c = ColorToRGB(color) & 0xFFFFFF;
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           static_cast<uint32_t>(GetBValue(c));
}

const TIdentMap& ColorIdents() { return IdentTable(); }

const TTypeInfo* ColorTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Integer("TColor", &IdentTable());
    return &info;
}

bool IdentToColor(std::string_view ident, TColor& color) {
    for (const TIdentMapEntry& e : IdentTable()) {
        if (SameText(ident, e.Name)) {
            color = static_cast<TColor>(e.Value);
            return true;
        }
    }
    return false;
}

bool ColorToIdent(TColor color, std::string& ident) {
    for (const TIdentMapEntry& e : IdentTable()) {
        if (static_cast<TColor>(e.Value) == color) {
            ident = e.Name;
            return true;
        }
    }
    return false;
}

std::string ColorToString(TColor color) {
    std::string ident;
    if (ColorToIdent(color, ident)) return ident;
    return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

TColor StringToColor(std::string_view text) {
    TColor color;
    if (IdentToColor(text, color)) return color;
    int64_t value;
    if (!TryStrToInt64(text, value) || value < INT32_MIN || value > UINT32_MAX)
        throw EConvertError(ConvertText::Integer(text));
    return static_cast<TColor>(static_cast<uint32_t>(value));
}
