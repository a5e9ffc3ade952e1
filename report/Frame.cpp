// The frame value object.
#include "report/Frame.h"

#include "platform/rtl/StrUtils.h"
#include "report/Component.h"

ROVE_IMPLEMENT_CLASS(TfrxFrame)

void TfrxFrame::DeclareProperties(TPropertyDecl<TfrxFrame>& d) {
    using T = TfrxFrame;
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::Color).Default(0);
    d.Property("DropShadow", &T::DropShadow, &T::DropShadow).Default(false);
    d.Property("ShadowWidth", &T::ShadowWidth, &T::ShadowWidth).Stored(&T::IsShadowWidthStored);
    d.Property("ShadowColor", ColorTypeInfo(), &T::ShadowColor, &T::ShadowColor).Default(0);
    d.Property("Style", &T::Style, &T::Style).Default(fsSolid);
    d.Property("Typ", &T::Typ, &T::Typ).Default(TfrxFrameTypes{}).Stored(&T::IsTypStored);
    d.Property("Width", &T::Width, &T::Width).Stored(&T::IsWidthStored);
}

void TfrxFrame::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxFrame*>(Source);
    if (!s) return TPersistent::Assign(Source);
    Color = s->Color;
    DropShadow = s->DropShadow;
    ShadowWidth = s->ShadowWidth;
    ShadowColor = s->ShadowColor;
    Style = s->Style;
    Typ = s->Typ;
    Width = s->Width;
}

bool TfrxFrame::SameAs(const TfrxFrame& o) const { return Diff(o).empty(); }

std::string TfrxFrame::Diff(const TfrxFrame& o) const {
    std::string s;
    DiffTo(o, s);
    return s;
}
