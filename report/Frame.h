// The frame of a view or style: which sides have lines, their colour, style and width,
// and an optional drop shadow. A value object; the views draw it.
#pragma once

#include <string>

#include "platform/classes/Persistent.h"
#include "platform/graphics/Colors.h"
#include "report/DiffText.h"

ROVE_ENUM(TfrxFrameStyle, fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble)
ROVE_ENUM(TfrxFrameType, ftLeft, ftRight, ftTop, ftBottom)
ROVE_SET(TfrxFrameTypes, TfrxFrameType)

class TfrxFrame : public TPersistent {
    ROVE_CLASS(TfrxFrame, TPersistent)
public:
    TfrxFrame() = default;
    void Assign(TPersistent* Source) override;
    bool SameAs(const TfrxFrame& Other) const;
    // The diff items in which this frame differs from Other (" Frame.Color=\"255\"" ...).
    std::string Diff(const TfrxFrame& Other) const;
    // The same items appended to Out.
    void DiffTo(const TfrxFrame& Other, std::string& Out) const;

    TColor Color = 0;
    bool DropShadow = false;
    double ShadowWidth = 4;
    TColor ShadowColor = 0;
    TfrxFrameStyle Style = fsSolid;
    TfrxFrameTypes Typ;
    double Width = 1;

    bool IsShadowWidthStored() const { return ShadowWidth != 4; }
    bool IsTypStored() const { return !Typ.Empty(); }
    bool IsWidthStored() const { return Width != 1; }

    static void DeclareProperties(TPropertyDecl<TfrxFrame>& d);
};

// Inline: the views take these items into their own difference text.
[[gnu::always_inline]] inline void TfrxFrame::DiffTo(const TfrxFrame& o, std::string& s) const {
    if (Color != o.Color) frxDiffIntItem(s, "Frame.Color", Color);
    if (DropShadow != o.DropShadow) frxDiffItem(s, "Frame.DropShadow", DropShadow ? "True" : "False");
    if (ShadowColor != o.ShadowColor) frxDiffIntItem(s, "Frame.ShadowColor", ShadowColor);
    if (frxFloatsDiffer(ShadowWidth, o.ShadowWidth)) frxDiffFloatItem(s, "Frame.ShadowWidth", ShadowWidth);
    if (Style != o.Style) frxDiffIntItem(s, "Frame.Style", Style);
    if (Typ != o.Typ) frxDiffIntItem(s, "Frame.Typ", Typ.Mask());
    if (frxFloatsDiffer(Width, o.Width)) frxDiffFloatItem(s, "Frame.Width", Width);
}
