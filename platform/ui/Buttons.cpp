// Speed buttons over QToolButton.
#include "platform/ui/Buttons.h"

#include "platform/graphics/QtBridge.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"

#include <QToolButton>

ROVE_IMPLEMENT_CLASS(TSpeedButton)

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    auto* w = new THost<QToolButton>(this);
    w->setFocusPolicy(Qt::NoFocus);
    w->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QObject::connect(w, &QToolButton::clicked, w, [this] { SafeCall([&] { Click(); }); });
    SetPeer(std::make_unique<TControlPeer>(w));
    FGlyph->OnChange = [this](TObject*) { UpdateLook(); };
    FWidth = 23;
    FHeight = 22;
    ApplyBounds();
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetText(const std::string& Value) {
    FText = Value;
    UpdateLook();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
    if (Value) FGlyph->Assign(*static_cast<const TGraphic*>(Value));
    else FGlyph->SetSize(0, 0);
    UpdateLook();
}

void TSpeedButton::SetNumGlyphs(int Value) {
    FNumGlyphs = std::clamp(Value, 1, 4);
    UpdateLook();
}

void TSpeedButton::SetFlat(bool Value) {
    FFlat = Value;
    UpdateLook();
}

void TSpeedButton::SetGroupIndex(int Value) {
    FGroupIndex = Value;
    UpdateLook();
}

// Down in a group releases the other speed buttons of that group on the same parent.
void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (FDown == Value) {
        UpdateLook();
        return;
    }
    FDown = Value;
    if (Value && FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i));
                b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
                b->FDown = false;
                b->UpdateLook();
            }
    UpdateLook();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    FLayout = Value;
    UpdateLook();
}

void TSpeedButton::SetEnabled(bool Value) {
    TGraphicControl::SetEnabled(Value);
    UpdateLook();
}

bool TSpeedButton::DialogChar(char32_t CharCode) {
    if (!IsAccelChar(CharCode, FText) || !FEnabled || !Showing()) return false;
    Click();
    return true;
}

void TSpeedButton::Click() {
    if (FGroupIndex != 0) {
        if (FDown && FAllowAllUp) SetDown(false);
        else SetDown(true);
    }
    TGraphicControl::Click();
}

// The glyph's first image (of NumGlyphs side by side); its bottom-left pixel's colour is
// transparent, as the class library treats glyphs.
void TSpeedButton::UpdateLook() {
    auto* w = TypedWidget<QToolButton>(this);
    if (!w) return;
    w->setText(QStr(StripHotkey(FText)));
    w->setAutoRaise(FFlat);
    w->setCheckable(FGroupIndex != 0);
    w->setChecked(FDown);
    if (FGlyph->Empty()) {
        w->setIcon(QIcon());
        w->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return;
    }
    const int cell = FGlyph->Width() / FNumGlyphs;
    QImage image = BitmapImage(*FGlyph).copy(0, 0, cell, FGlyph->Height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key) image.setPixel(x, y, 0);
    w->setIcon(QIcon(QPixmap::fromImage(image)));
    w->setIconSize(image.size());
    w->setToolButtonStyle(FText.empty() ? Qt::ToolButtonIconOnly
                          : FLayout == blGlyphTop || FLayout == blGlyphBottom ? Qt::ToolButtonTextUnderIcon
                                                                               : Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::DeclareProperties(TPropertyDecl<TSpeedButton>& d) {
    d.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    d.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    d.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
    d.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    d.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    d.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
    d.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin).Default(-1);
    d.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
    d.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
}
