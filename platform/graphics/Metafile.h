// The recording canvas: TMetafileCanvas records every drawing call, with the pen,
// brush, font and clip in force, into a TMetafile. The metafile replays the calls on
// any canvas with a scale and an offset, and lists its text runs with their bounds
// (the preview's text search walks them; drawing tests check them).
//
// Windows metafile files (WMF, EMF) cannot be drawn here: loading one gives an empty
// picture that keeps the file's bytes (saved back unchanged) and says why in LoadError.
#pragma once

#include "platform/graphics/Graphics.h"

#include <memory>
#include <string>
#include <vector>

enum TMetafileRecordKind {
    mrLine,          // Points[0] to Points[1], end point left out
    mrPolyline,      // Points
    mrPolygon,       // Points
    mrRectangle,     // Rect
    mrRoundRect,     // Rect, Corner
    mrEllipse,       // Rect
    mrFillRect,      // Rect
    mrFrameRect,     // Rect
    mrFocusRect,     // Rect
    mrText,          // Points[0] origin, Text, Advances (empty: the font's), Options, Rect
                     // (with HasRect), Bounds
    mrGraphic,       // Rect, Graphic (stretched into Rect)
    mrBrushCopy,     // Rect, Graphic (a TBitmap), Source, Transparent
    mrPixel,         // Points[0], Color
    mrClip           // Clip: the clip region from here on
};

// The drawing state a record was made with.
struct TMetafileState {
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TBkMode BkMode = bkOpaque;
    TColor BkColor = clWhite;
};

struct TMetafileRecord {
    TMetafileRecordKind Kind = mrLine;
    int State = 0;                         // index into TMetafile::States()
    std::vector<TPoint> Points;
    TRect Rect;
    TPoint Corner;                         // RoundRect's corner ellipse
    std::string Text;
    std::vector<int> Advances;
    unsigned Options = 0;
    bool HasRect = false;
    TRect Bounds;                          // text: the cell box of the run
    std::shared_ptr<const TGraphic> Graphic;
    TRect Source;
    TColor Color = clNone;
    TClipRegion Clip;
};

// A text run as the search and the tests see it: the string and its box in the
// metafile's pixels at scale 1.
struct TTextRun {
    std::string Text;
    TRect Bounds;
    int RecordIndex = 0;
};

class TMetafile : public TGraphic {
    ROVE_CLASS(TMetafile, TGraphic)
public:
    TMetafile();
    TMetafile(const TMetafile& other);
    ~TMetafile() override;

    std::unique_ptr<TGraphic> Clone() const override;
    bool Empty() const override;
    // The frame the recording is drawn into: set by SetWidth/SetHeight, otherwise the
    // box of everything recorded (from 0, 0).
    int Width() const override;
    int Height() const override;
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    // WMF (placeable or not) and EMF bytes are kept but not drawn (see LoadError);
    // anything else raises EInvalidGraphic.
    void LoadFromBytes(const uint8_t* data, size_t size) override;
    using TGraphic::LoadFromBytes;
    // The kept file bytes; a recording has no file form and gives nothing.
    TBytes SaveToBytes() const override;
    // Why the picture shows nothing, empty when it is a recording.
    const std::string& LoadError() const { return FLoadError; }
    static const char* const UnsupportedFormatText;

    const std::vector<TMetafileRecord>& Records() const { return FRecords; }
    const std::vector<TMetafileState>& States() const { return FStates; }
    std::vector<TTextRun> TextRuns() const;
    void Clear();

    // Replays the records on canvas: a point (x, y) lands at
    // (round(x * scaleX + offsetX), round(y * scaleY + offsetY)); pen widths and font
    // heights scale too. The canvas's own clip stays in force, and its pen, brush, font
    // and clip are as before afterwards.
    void Play(TCanvas& canvas, double scaleX, double scaleY, double offsetX, double offsetY) const;
    void Draw(TCanvas& canvas, const TRect& rect) const override;

private:
    friend class TRecordingDevice;
    int AddState(const TCanvas& canvas);
    void AddRecord(TMetafileRecord record);

    std::vector<TMetafileRecord> FRecords;
    std::vector<TMetafileState> FStates;
    TRect FExtent;
    int FWidth = 0;
    int FHeight = 0;
    TBytes FForeignData;
    std::string FLoadError;
};

// A canvas whose drawing goes into metafile (which must outlive the canvas). It
// measures text with the real measurer unless given another, at 96 dpi unless told
// the reference resolution of the device the recording is meant for.
class TMetafileCanvas : public TCanvas {
    ROVE_CLASS(TMetafileCanvas, TCanvas)
public:
    explicit TMetafileCanvas(TMetafile* metafile, int referenceDpi = 96);
    ~TMetafileCanvas() override;
    TMetafile* Metafile() const { return FMetafile; }

private:
    TMetafile* FMetafile;
};
