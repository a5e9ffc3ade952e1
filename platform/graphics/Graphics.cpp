// Fonts, pens and brushes: their published properties, change notification, and the
// registration of the layer's classes.
#include "platform/graphics/Graphics.h"

#include "platform/graphics/Metafile.h"

#include <cmath>
#include <cstdlib>

namespace {

// The platform's MulDiv: a * b / c rounded to the nearest, halves away from zero.
int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    int64_t p = static_cast<int64_t>(a) * b;
    int64_t q = c;
    bool negative = (p < 0) != (q < 0);
    p = std::llabs(p);
    q = std::llabs(q);
    int64_t r = (2 * p + q) / (2 * q);
    return static_cast<int>(negative ? -r : r);
}

const TIdentMap& CharsetIdents() {
    static const TIdentMap map = {
        {0, "ANSI_CHARSET"},       {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
        {77, "MAC_CHARSET"},       {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
        {130, "JOHAB_CHARSET"},    {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
        {161, "GREEK_CHARSET"},    {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
        {177, "HEBREW_CHARSET"},   {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
        {204, "RUSSIAN_CHARSET"},  {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
        {255, "OEM_CHARSET"},
    };
    return map;
}

}  // namespace

const TTypeInfo* FontCharsetTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Integer("TFontCharset", &CharsetIdents());
    return &info;
}

ROVE_IMPLEMENT_CLASS(TGraphicsObject)
ROVE_IMPLEMENT_CLASS(TFont)
ROVE_IMPLEMENT_CLASS(TPen)
ROVE_IMPLEMENT_CLASS(TBrush)

void TGraphicsObject::Changed() {
    ++FChangeCount;
    OnChange(this);
}

// --- TFont ------------------------------------------------------------------------------

TFont::TFont() = default;

TFont::TFont(const TFont& other) : TGraphicsObject() {
    FCharset = other.FCharset;
    FColor = other.FColor;
    FHeight = other.FHeight;
    FName = other.FName;
    FPitch = other.FPitch;
    FStyle = other.FStyle;
    FPixelsPerInch = other.FPixelsPerInch;
    FOrientation = other.FOrientation;
}

TFont& TFont::operator=(const TFont& other) {
    Assign(other);
    return *this;
}

void TFont::Assign(TPersistent* Source) {
    if (auto* font = dynamic_cast<TFont*>(Source)) {
        Assign(*font);
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    // The platform copies the height in the source's terms: the same point size at
    // this font's resolution.
    int height = source.FHeight;
    if (source.FPixelsPerInch != FPixelsPerInch && source.FPixelsPerInch > 0)
        height = MulDiv(source.FHeight, FPixelsPerInch, source.FPixelsPerInch);
    bool same = FCharset == source.FCharset && FColor == source.FColor && FHeight == height &&
                FName == source.FName && FPitch == source.FPitch && FStyle == source.FStyle &&
                FOrientation == source.FOrientation;
    if (same) return;
    FCharset = source.FCharset;
    FColor = source.FColor;
    FHeight = height;
    FName = source.FName;
    FPitch = source.FPitch;
    FStyle = source.FStyle;
    FOrientation = source.FOrientation;
    Changed();
}

bool TFont::SameAs(const TFont& other) const {
    return FCharset == other.FCharset && FColor == other.FColor && FHeight == other.FHeight &&
           FName == other.FName && FPitch == other.FPitch && FStyle == other.FStyle &&
           FOrientation == other.FOrientation;
}

void TFont::SetCharset(TFontCharset value) {
    if (FCharset == value) return;
    FCharset = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (FColor == value) return;
    FColor = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (FHeight == value) return;
    FHeight = value;
    Changed();
}

void TFont::SetName(const std::string& value) {
    if (value.empty() || FName == value) return;
    FName = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (FPitch == value) return;
    FPitch = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value) {
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }

void TFont::SetPixelsPerInch(int value) {
    if (value > 0) FPixelsPerInch = value;
}

void TFont::SetOrientation(int tenthsOfDegree) {
    tenthsOfDegree %= 3600;
    if (tenthsOfDegree < 0) tenthsOfDegree += 3600;
    if (FOrientation == tenthsOfDegree) return;
    FOrientation = tenthsOfDegree;
    Changed();
}

void TFont::DeclareProperties(TPropertyDecl<TFont>& d) {
    d.Property("Charset", FontCharsetTypeInfo(), &TFont::Charset, &TFont::SetCharset).NoDefault();
    d.Property("Color", ColorTypeInfo(), &TFont::Color, &TFont::SetColor).NoDefault();
    d.Property("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
    d.Property("Name", &TFont::Name, &TFont::SetName);
    d.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    d.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    d.Property("Style", &TFont::Style, &TFont::SetStyle).NoDefault();
}

// --- TPen -------------------------------------------------------------------------------

TPen::TPen(const TPen& other) : TGraphicsObject() {
    FColor = other.FColor;
    FMode = other.FMode;
    FStyle = other.FStyle;
    FWidth = other.FWidth;
}

TPen& TPen::operator=(const TPen& other) {
    Assign(other);
    return *this;
}

void TPen::Assign(TPersistent* Source) {
    if (auto* pen = dynamic_cast<TPen*>(Source)) {
        Assign(*pen);
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::Assign(const TPen& source) {
    if (&source == this) return;
    if (FColor == source.FColor && FMode == source.FMode && FStyle == source.FStyle &&
        FWidth == source.FWidth)
        return;
    FColor = source.FColor;
    FMode = source.FMode;
    FStyle = source.FStyle;
    FWidth = source.FWidth;
    Changed();
}

void TPen::SetColor(TColor value) {
    if (FColor == value) return;
    FColor = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (FMode == value) return;
    FMode = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 1) value = 1;
    if (FWidth == value) return;
    FWidth = value;
    Changed();
}

void TPen::DeclareProperties(TPropertyDecl<TPen>& d) {
    d.Property("Color", ColorTypeInfo(), &TPen::Color, &TPen::SetColor).Default(clBlack);
    d.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    d.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    d.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

// --- TBrush -----------------------------------------------------------------------------

TBrush::TBrush(const TBrush& other) : TGraphicsObject() {
    FColor = other.FColor;
    FStyle = other.FStyle;
}

TBrush& TBrush::operator=(const TBrush& other) {
    Assign(other);
    return *this;
}

void TBrush::Assign(TPersistent* Source) {
    if (auto* brush = dynamic_cast<TBrush*>(Source)) {
        Assign(*brush);
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this) return;
    if (FColor == source.FColor && FStyle == source.FStyle) return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    Changed();
}

void TBrush::SetColor(TColor value) {
    // Giving a clear brush a colour makes it solid, as the platform's brushes do.
    if (FColor == value && FStyle != bsClear) return;
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

void TBrush::DeclareProperties(TPropertyDecl<TBrush>& d) {
    d.Property("Color", ColorTypeInfo(), &TBrush::Color, &TBrush::SetColor).Default(clWhite);
    d.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

// --- Registration -----------------------------------------------------------------------

void RegisterGraphicsClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterClasses({TFont::StaticClass(), TPen::StaticClass(), TBrush::StaticClass(),
                     TPicture::StaticClass(), TBitmap::StaticClass(), TJPEGImage::StaticClass(),
                     TPngImage::StaticClass(), TIcon::StaticClass(), TMetafile::StaticClass()});
}
