// The drawing layer: fonts, pens, brushes, the canvas with the drawing rules of the
// class library (right and bottom edges outside a rectangle, the last pixel of a line
// left out, dash gaps and hatch backgrounds in the background colour when the
// background mode is opaque), and the graphics that a canvas draws: bitmaps, JPEG, PNG,
// icons and recorded metafiles, held by TPicture.
//
// Coordinates are device pixels; screen and bitmap canvases are 96 dpi, printer
// canvases have the printer's resolution. Text is UTF-8; "characters" are code points.
// Nothing here exposes Qt: the window layer reaches the Qt objects through QtBridge.h.
#pragma once

#include "platform/classes/Persistent.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

ROVE_DECLARE_EXCEPTION(EInvalidGraphic, Exception);           // unknown or corrupt picture data
ROVE_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);  // e.g. drawing on a released canvas
ROVE_DECLARE_EXCEPTION(EPrinter, Exception);                  // printer and print job failures

using TBytes = std::vector<uint8_t>;

// ---------------------------------------------------------------------------------------
// Font, pen and brush
// ---------------------------------------------------------------------------------------

// Base of TFont, TPen, TBrush, TGraphic and TPicture: announces every change through
// OnChange, so that a canvas, a control or a report object can follow it.
class TGraphicsObject : public TPersistent {
    ROVE_CLASS(TGraphicsObject, TPersistent)
public:
    TGraphicsObject() = default;
    TNotifyEvent OnChange;
    // Counts changes; a canvas compares it to know when to rebuild its device objects.
    uint64_t ChangeCount() const { return FChangeCount; }

protected:
    void Changed();

private:
    uint64_t FChangeCount = 0;
};

ROVE_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
ROVE_SET(TFontStyles, TFontStyle);
ROVE_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);

// Character sets: an integer type whose values have identifiers (GB2312_CHARSET).
using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset OEM_CHARSET = 255;
const TTypeInfo* FontCharsetTypeInfo();

// Published: Charset, Color, Height, Name, Pitch, Style. Size is derived from Height
// and PixelsPerInch: Size = -Height * 72 / PixelsPerInch (rounded), and is not stored.
// A negative Height is the character (em) height in pixels, a positive one the cell
// height including the internal leading.
class TFont : public TGraphicsObject {
    ROVE_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);
    using TPersistent::Assign;
    void Assign(TPersistent* Source) override;
    void Assign(const TFont& source);
    static void DeclareProperties(TPropertyDecl<TFont>& d);
    bool SameAs(const TFont& other) const;   // equal published values and orientation

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    int Size() const;
    void SetSize(int points);
    // The resolution Height is measured in (96 on screen; a printer canvas sets its own).
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value);
    // Text rotation in tenths of a degree, counter-clockwise (not published).
    int Orientation() const { return FOrientation; }
    void SetOrientation(int tenthsOfDegree);

    static constexpr const char* DefaultName = "MS Sans Serif";
    static constexpr int DefaultHeight = -11;   // 8 points at 96 dpi

private:
    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    int FHeight = DefaultHeight;
    std::string FName = DefaultName;
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    int FPixelsPerInch = 96;
    int FOrientation = 0;
};

ROVE_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
ROVE_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot,
          pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask,
          pmXor, pmNotXor);

// Published: Color (clBlack), Mode (pmCopy), Style (psSolid), Width (1). A styled pen
// wider than one pixel draws solid, as the platform's pens do.
class TPen : public TGraphicsObject {
    ROVE_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;
    TPen(const TPen& other);
    TPen& operator=(const TPen& other);
    using TPersistent::Assign;
    void Assign(TPersistent* Source) override;
    void Assign(const TPen& source);
    static void DeclareProperties(TPropertyDecl<TPen>& d);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    int Width() const { return FWidth; }
    void SetWidth(int value);   // below 1 is taken as 1

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

ROVE_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
          bsCross, bsDiagCross);

// Published: Color (clWhite), Style (bsSolid). Hatches are 8x8 patterns aligned to the
// device origin, drawn in Color.
class TBrush : public TGraphicsObject {
    ROVE_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;
    TBrush(const TBrush& other);
    TBrush& operator=(const TBrush& other);
    using TPersistent::Assign;
    void Assign(TPersistent* Source) override;
    void Assign(const TBrush& source);
    static void DeclareProperties(TPropertyDecl<TBrush>& d);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);   // a solid or clear brush becomes solid
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------------------
// Canvas
// ---------------------------------------------------------------------------------------

class TGraphic;
class TBitmap;
class TCanvasDevice;

enum TBkMode { bkTransparent = 1, bkOpaque = 2 };

// DrawText format flags (the platform's values).
enum : unsigned {
    DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000,
    DT_RTLREADING = 0x20000, DT_HIDEPREFIX = 0x100000
};
// ExtTextOut options.
enum : unsigned { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_RTLREADING = 0x80 };
// DrawEdge edges and border flags.
enum : unsigned {
    BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = 0x5, EDGE_SUNKEN = 0xA, EDGE_ETCHED = 0x6, EDGE_BUMP = 0x9,
    BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF,
    BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000
};

struct TTextMetric {
    int Height = 0;             // ascent + descent
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;    // Height minus the em height
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

// The clip state of a canvas: not clipped, or clipped to the union of Rects (possibly
// none, so nothing is visible). ClipRegion/SetClipRegion save and restore it.
struct TClipRegion {
    bool Clipped = false;
    std::vector<TRect> Rects;
};

// A canvas draws on a device: a bitmap, a window during its paint, a printer page, or a
// recording (TMetafileCanvas). Every call takes the current Pen, Brush and Font.
class TTextMeasurer;

class TCanvas : public TPersistent {
    ROVE_CLASS(TCanvas, TPersistent)
public:
    TCanvas();   // a canvas without a device: drawing raises EInvalidGraphicOperation
    ~TCanvas() override;

    TFont* Font() { return &FFont; }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    void SetFont(const TFont& font) { FFont.Assign(font); }
    void SetPen(const TPen& pen) { FPen.Assign(pen); }
    void SetBrush(const TBrush& brush) { FBrush.Assign(brush); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }

    // Background mode and colour for dash gaps, hatch backgrounds and text cells. A
    // change of the brush sets them: a solid brush gives opaque with the brush colour,
    // any other brush transparent. Setting them afterwards holds until the next change.
    TBkMode BkMode() const;
    void SetBkMode(TBkMode mode);
    TColor BkColor() const;
    void SetBkColor(TColor color);

    // --- Lines and shapes -------------------------------------------------------------
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);                       // from PenPos; the end point is left out
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points); // closed, filled with the brush
    void Rectangle(int X1, int Y1, int X2, int Y2);  // outline and fill; X2, Y2 outside
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);  // X3, Y3: corner ellipse
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);                   // brush only, no outline
    void FrameRect(const TRect& r);                  // one-pixel border in the brush colour
    void DrawFocusRect(const TRect& r);              // dotted, inverting: twice restores
    TColor Pixel(int X, int Y) const;                // clNone outside or without pixels
    void SetPixel(int X, int Y, TColor color);

    // --- Text -------------------------------------------------------------------------
    // The cell's top left at (X, Y); moves PenPos to (X + TextWidth, Y). With the
    // font's Orientation the text turns about (X, Y).
    void TextOut(int X, int Y, const std::string& text);
    void TextRect(const TRect& r, int X, int Y, const std::string& text);   // clipped to r
    // Characters at explicit advances: advances[i] is the distance from character i to
    // character i + 1 (null: the font's own). Options ETO_OPAQUE, ETO_CLIPPED,
    // ETO_RTLREADING; rect may be null.
    void ExtTextOut(int X, int Y, unsigned options, const TRect* rect, const std::string& text,
                    const int* advances);
    // Formatted text in r (DT_ flags); gives the text height. With DT_CALCRECT nothing
    // is drawn and r's right and bottom become the extent.
    int DrawText(const std::string& text, TRect& r, unsigned format);
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    TSize TextExtent(std::string_view text) const;
    // Cumulative extents: result[i] is the width of the first i + 1 characters, each
    // rounded from the exact sum so that they do not drift.
    std::vector<int> TextExtents(std::string_view text) const;
    TTextMetric TextMetrics() const;
    // The measurer of this canvas (the real one unless set; not owned, must outlive
    // the canvas). Text drawn without explicit advances follows its advances too.
    const TTextMeasurer& TextMeasurer() const;
    void SetTextMeasurer(const TTextMeasurer* measurer);

    // --- Pictures and copies ----------------------------------------------------------
    void Draw(int X, int Y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Copies sourceRect of bitmap into dest, leaving out the pixels of colour transparent.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& sourceRect, TColor transparent);

    // --- Clipping ---------------------------------------------------------------------
    TRect ClipRect() const;                  // bounding box of what can be drawn on
    bool RectVisible(const TRect& r) const;
    TClipRegion ClipRegion() const;
    void SetClipRegion(const TClipRegion& region);
    void SetClipRect(const TRect& r);        // replaces the clip
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void ResetClip();

    // --- The device -------------------------------------------------------------------
    bool HasDevice() const { return FDevice != nullptr; }
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    bool IsPrinter() const;
    bool IsRecording() const;
    // Size of the drawing surface in pixels (0 x 0 when unknown).
    TSize DeviceSize() const;
    void Lock() { ++FLockCount; }
    void Unlock() { if (FLockCount > 0) --FLockCount; }
    bool Locked() const { return FLockCount > 0; }

    // For the layer's own device classes; everything else leaves this alone.
    void SetDevice(std::unique_ptr<TCanvasDevice> device);
    TCanvasDevice* Device() const { return FDevice.get(); }

private:
    friend class TCanvasDevice;
    TCanvasDevice& RequireDevice() const;
    void BrushChanged();

    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
    TBkMode FBkMode = bkOpaque;
    TColor FBkColor = clWhite;
    int FLockCount = 0;
    const TTextMeasurer* FMeasurer = nullptr;
    std::unique_ptr<TCanvasDevice> FDevice;
};

// Three-dimensional frame, inset by one pixel per width step: top and left edges in
// topColor, bottom and right in bottomColor; rect comes back shrunk by width.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
// The platform's edge drawing with the system colours (edge: BDR_/EDGE_ values,
// flags: BF_ values); with BF_ADJUST rect comes back inside the edge.
bool DrawEdge(TCanvas* canvas, TRect& rect, unsigned edge, unsigned flags);

// ---------------------------------------------------------------------------------------
// Graphics
// ---------------------------------------------------------------------------------------

// A picture of any kind. Loading never exits or leaves a half-loaded picture: bad
// data raises EInvalidGraphic and the graphic stays as it was.
class TGraphic : public TGraphicsObject {
    ROVE_CLASS(TGraphic, TGraphicsObject)
public:
    TGraphic() = default;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // The file format of this kind (BMP for TBitmap, JPEG for TJPEGImage, ...).
    virtual void LoadFromBytes(const uint8_t* data, size_t size) = 0;
    virtual TBytes SaveToBytes() const = 0;
    void LoadFromBytes(const TBytes& data) { LoadFromBytes(data.data(), data.size()); }
    void LoadFromFile(const std::string& fileName);   // EFOpenError when unreadable
    void SaveToFile(const std::string& fileName) const;   // temporary file, then rename
    void LoadFromStream(TStream& stream);   // from the position to the end
    void SaveToStream(TStream& stream) const;
    // The form of the picture's "Data" property: what the class library's ReadData and
    // WriteData of this kind read and write (a 32-bit length and the file for
    // bitmaps, JPEG images and metafiles, the file alone for icons and PNG images).
    virtual TBytes WriteData() const;
    virtual void ReadData(const uint8_t* data, size_t size);

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // Draws the picture into rect on canvas (stretched to fit); called by TCanvas.
    virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;

protected:
    bool FTransparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmapImage;

// An off-screen 24-bit picture with its own canvas. New pixels are white. The canvas
// draws into the pixels directly; Pixel/SetPixel and ScanLine see its drawing at once.
class TBitmap : public TGraphic {
    ROVE_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap() override;

    std::unique_ptr<TGraphic> Clone() const override;
    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    void SetSize(int width, int height);   // keeps the pixels that remain inside
    void LoadFromBytes(const uint8_t* data, size_t size) override;   // BMP
    TBytes SaveToBytes() const override;                             // 24-bit BMP
    using TGraphic::LoadFromBytes;
    TBytes WriteData() const override;
    void ReadData(const uint8_t* data, size_t size) override;
    // A bitmap property of a component ("Glyph.Data = {...}") streams its pixels as "Data".
    void DefineProperties(TFiler& Filer) override;
    using TPersistent::Assign;
    // Any graphic, drawn at its size on white.
    void Assign(const TGraphic& source);

    TCanvas* Canvas();
    TColor Pixel(int x, int y) const;     // clNone outside
    void SetPixel(int x, int y, TColor color);
    // Row y as 0xFFRRGGBB values (alpha in the high byte for pictures that have it),
    // Width() of them; null outside.
    uint32_t* ScanLine(int y);
    const uint32_t* ScanLine(int y) const;

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);   // pf1bit makes the pixels black and white
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool value) { SetPixelFormat(value ? pf1bit : pf24bit); }
    // tmAuto: the bottom-left pixel; tmFixed: TransparentColor as set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);    // also sets tmFixed
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    void Draw(TCanvas& canvas, const TRect& rect) const override;
    TBitmapImage& Image() const { return *FImage; }   // for the layer's own code

private:
    void CanvasChanged();
    std::unique_ptr<TBitmapImage> FImage;
    std::unique_ptr<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pf24bit;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    // The size asked for while one side is 0 (no pixels yet): Width := 40 and then
    // Height := 30 make a 40 x 30 bitmap.
    int FWidth = 0;
    int FHeight = 0;
};

// A decoded raster picture of a file format other than BMP: keeps the original bytes
// (saved back unchanged) and the decoded pixels for drawing.
class TRasterGraphic : public TGraphic {
    ROVE_CLASS(TRasterGraphic, TGraphic)
public:
    TRasterGraphic();
    TRasterGraphic(const TRasterGraphic& other);
    ~TRasterGraphic() override;
    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int value) override;
    void SetHeight(int value) override;
    TBytes SaveToBytes() const override { return FData; }
    using TGraphic::LoadFromBytes;
    // The decoded pixels (an empty bitmap for an empty picture).
    const TBitmap& Bitmap() const { return *FBitmap; }
    void Draw(TCanvas& canvas, const TRect& rect) const override;

protected:
    // Sets the picture from decoded pixels and their file bytes.
    void SetDecoded(std::unique_ptr<TBitmap> pixels, TBytes data);
    std::unique_ptr<TBitmap> FBitmap;
    TBytes FData;
};

// JPEG through libjpeg; a corrupt or truncated file raises EInvalidGraphic.
class TJPEGImage : public TRasterGraphic {
    ROVE_CLASS(TJPEGImage, TRasterGraphic)
public:
    TJPEGImage() = default;
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromBytes(const uint8_t* data, size_t size) override;
    using TGraphic::LoadFromBytes;
    TBytes WriteData() const override;
    void ReadData(const uint8_t* data, size_t size) override;
    using TPersistent::Assign;
    // Encodes a bitmap (quality 1..100).
    void Assign(const TBitmap& bitmap, int quality = 90);
    int CompressionQuality() const { return FQuality; }

private:
    int FQuality = 90;
};

class TPngImage : public TRasterGraphic {
    ROVE_CLASS(TPngImage, TRasterGraphic)
public:
    TPngImage() = default;
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromBytes(const uint8_t* data, size_t size) override;
    using TGraphic::LoadFromBytes;
    using TPersistent::Assign;
    void Assign(const TBitmap& bitmap);
};

// Windows icon files; the largest image of the file is drawn, with its transparency.
class TIcon : public TRasterGraphic {
    ROVE_CLASS(TIcon, TRasterGraphic)
public:
    TIcon();
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromBytes(const uint8_t* data, size_t size) override;
    using TGraphic::LoadFromBytes;
    void Draw(TCanvas& canvas, const TRect& rect) const override;
};

// Registers the classes of this layer by name (TFont, TPen, TBrush, TPicture and the
// graphic kinds); called once at start-up, repeated calls do nothing.
void RegisterGraphicsClasses();

// ---------------------------------------------------------------------------------------
// Picture container
// ---------------------------------------------------------------------------------------

// Holds one graphic of any kind (or none). Files and streams are recognised by their
// first bytes, not by their names.
class TPicture : public TGraphicsObject {
    ROVE_CLASS(TPicture, TGraphicsObject)
public:
    TPicture();
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);
    ~TPicture() override;
    using TPersistent::Assign;
    // A picture or a graphic (copied); null empties.
    void Assign(TPersistent* Source) override;
    void Assign(const TPicture& source);
    // Streams the "Data" property (WriteData/ReadData below).
    void DefineProperties(TFiler& Filer) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(const TGraphic* graphic);            // copies; null empties
    void SetGraphic(std::unique_ptr<TGraphic> graphic);  // takes over
    // The bitmap of the picture; when it holds another kind (or none) it is replaced by
    // an empty bitmap, as the class library does.
    TBitmap* Bitmap();
    bool Empty() const { return !FGraphic || FGraphic->Empty(); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void Clear() { SetGraphic(std::unique_ptr<TGraphic>()); }

    // Recognises BMP, JPEG, PNG, ICO, placeable WMF and EMF by content. Unknown data
    // raises EInvalidGraphic and leaves the picture unchanged; an empty input empties it.
    void LoadFromBytes(const uint8_t* data, size_t size);
    void LoadFromBytes(const TBytes& data) { LoadFromBytes(data.data(), data.size()); }
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;   // nothing for an empty picture
    TBytes SaveToBytes() const;                           // the graphic's file bytes
    void LoadFromStream(TStream& stream);                 // from the position to the end
    void SaveToStream(TStream& stream) const;

    // The "Data" property of form resources and report files: the graphic's class name
    // as a short string (one length byte) followed by the graphic's WriteData; empty
    // for an empty picture.
    TBytes WriteData() const;
    // Reads the form above; an unknown class name raises EInvalidGraphic.
    void ReadData(const uint8_t* data, size_t size);

    // A new graphic of a registered kind by class name ("TBitmap", "TJPEGImage",
    // "TIcon", "TMetafile", "TPngImage"), null when unknown.
    static std::unique_ptr<TGraphic> CreateGraphic(std::string_view className);
    // The kind the bytes belong to, null when none.
    static std::unique_ptr<TGraphic> GraphicForData(const uint8_t* data, size_t size);

private:
    void GraphicChanged();
    std::unique_ptr<TGraphic> FGraphic;
};
