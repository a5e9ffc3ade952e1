// Graphics classes of scripts: fonts, pens, brushes, canvases and pictures, with the
// colour constants and the drawing enumerations.
#include "platform/graphics/CanvasDevice.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafile.h"
#include "script/stdclasses/StdClasses.h"
#include "script/stdclasses/StdInternal.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

using namespace fsstd;

namespace {

const char* const kGraphicsModule = "graphics classes";
bool gGraphicsRegistered = false;

int Int(const Variant& v) { return v.AsInteger(); }

// The colour identifiers scripts know, with the values of the drawing layer's table.
const char* const kColorNames[] = {
    "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver", "clRed",
    "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clMoneyGreen", "clSkyBlue", "clCream",
    "clMedGray", "clActiveBorder", "clActiveCaption", "clAppWorkSpace", "clBackground", "clBtnFace",
    "clBtnHighlight", "clBtnShadow", "clBtnText", "clCaptionText", "clDefault", "clGradientActiveCaption",
    "clGradientInactiveCaption", "clGrayText", "clHighlight", "clHighlightText", "clHotLight", "clInactiveBorder",
    "clInactiveCaption", "clInactiveCaptionText", "clInfoBk", "clInfoText", "clMenu", "clMenuBar",
    "clMenuHighlight", "clMenuText", "clNone", "clScrollBar", "cl3DDkShadow", "cl3DLight", "clWindow",
    "clWindowFrame", "clWindowText"};

// Metafile canvases made by scripts, by their metafile: freeing the metafile from the script
// releases their device first, so later drawing raises instead of writing into freed memory.
std::unordered_map<TObjectHandle, std::vector<TObjectHandle>>& RecordingCanvases() {
    static std::unordered_map<TObjectHandle, std::vector<TObjectHandle>> canvases;
    return canvases;
}

void ReleaseRecordingCanvases(TObject* object) {
    if (!dynamic_cast<TMetafile*>(object)) return;
    auto it = RecordingCanvases().find(object->Handle());
    if (it == RecordingCanvases().end()) return;
    for (TObjectHandle h : it->second)
        if (auto* canvas = dynamic_cast<TCanvas*>(TObject::TryFromHandle(h))) canvas->SetDevice(nullptr);
    RecordingCanvases().erase(it);
}

void RegisterGraphicsObjects(TfsScript& unit) {
    for (TClass cls : {TFont::StaticClass(), TPen::StaticClass(), TBrush::StaticClass()})
        if (TfsClassVariable* c = unit.AddClass(cls, "TPersistent")) c->AddConstructor("constructor Create", ConstructByFactory);

    if (TfsClassVariable* c = unit.AddClass(TCanvas::StaticClass(), "TPersistent")) {
        using C = TCanvas;
        c->AddConstructor("constructor Create", ConstructByFactory);
        c->AddMethod("procedure Draw(X, Y: Integer; Graphic: TGraphic)",
                     Method<C>([](C& self, TfsParams& p) { self.Draw(Int(p[0]), Int(p[1]), &Required<TGraphic>(p[2])); }));
        c->AddMethod("procedure Ellipse(X1, Y1, X2, Y2: Integer)", Method<C>([](C& self, TfsParams& p) {
                         self.Ellipse(Int(p[0]), Int(p[1]), Int(p[2]), Int(p[3]));
                     }));
        c->AddMethod("procedure LineTo(X, Y: Integer)",
                     Method<C>([](C& self, TfsParams& p) { self.LineTo(Int(p[0]), Int(p[1])); }));
        c->AddMethod("procedure MoveTo(X, Y: Integer)",
                     Method<C>([](C& self, TfsParams& p) { self.MoveTo(Int(p[0]), Int(p[1])); }));
        c->AddMethod("procedure Rectangle(X1, Y1, X2, Y2: Integer)", Method<C>([](C& self, TfsParams& p) {
                         self.Rectangle(Int(p[0]), Int(p[1]), Int(p[2]), Int(p[3]));
                     }));
        c->AddMethod("procedure RoundRect(X1, Y1, X2, Y2, X3, Y3: Integer)", Method<C>([](C& self, TfsParams& p) {
                         self.RoundRect(Int(p[0]), Int(p[1]), Int(p[2]), Int(p[3]), Int(p[4]), Int(p[5]));
                     }));
        c->AddMethod("procedure StretchDraw(X1, Y1, X2, Y2: Integer; Graphic: TGraphic)",
                     Method<C>([](C& self, TfsParams& p) {
                         self.StretchDraw(Rect(Int(p[0]), Int(p[1]), Int(p[2]), Int(p[3])), &Required<TGraphic>(p[4]));
                     }));
        c->AddMethod("function TextHeight(const Text: string): Integer",
                     Method<C>([](C& self, TfsParams& p) { return self.TextHeight(Str(p[0])); }));
        c->AddMethod("procedure TextOut(X, Y: Integer; const Text: string)",
                     Method<C>([](C& self, TfsParams& p) { self.TextOut(Int(p[0]), Int(p[1]), Str(p[2])); }));
        c->AddMethod("function TextWidth(const Text: string): Integer",
                     Method<C>([](C& self, TfsParams& p) { return self.TextWidth(Str(p[0])); }));
        c->AddIndexProperty("Pixels", "Integer, Integer", "TColor",
                            Indexed<C>([](C& self, TfsParams& p) { return int(self.Pixel(Int(p[0]), Int(p[1]))); },
                                       [](C& self, TfsParams& p, const Variant& v) {
                                           self.SetPixel(Int(p[0]), Int(p[1]), static_cast<TColor>(v.AsInteger()));
                                       }));
        // The canvas's own pen, brush and font (writing one copies it in).
        c->AddProperty("Pen", "TPen", Getter<C>([](C& self) { return ObjectValue(self.Pen()); }),
                       Setter<C>([](C& self, const Variant& v) { self.SetPen(Required<TPen>(v)); }));
        c->AddProperty("Brush", "TBrush", Getter<C>([](C& self) { return ObjectValue(self.Brush()); }),
                       Setter<C>([](C& self, const Variant& v) { self.SetBrush(Required<TBrush>(v)); }));
        c->AddProperty("Font", "TFont", Getter<C>([](C& self) { return ObjectValue(self.Font()); }),
                       Setter<C>([](C& self, const Variant& v) { self.SetFont(Required<TFont>(v)); }));
    }

    if (TfsClassVariable* c = unit.AddClass(TGraphic::StaticClass(), "TPersistent")) {
        using G = TGraphic;
        c->AddConstructor("constructor Create", ConstructByFactory);
        c->AddMethod("procedure LoadFromFile(const Filename: string)",
                     Method<G>([](G& self, TfsParams& p) { self.LoadFromFile(Str(p[0])); }));
        c->AddMethod("procedure SaveToFile(const Filename: string)",
                     Method<G>([](G& self, TfsParams& p) { self.SaveToFile(Str(p[0])); }));
        c->AddProperty("Height", "Integer", Getter<G>([](G& self) { return self.Height(); }),
                       Setter<G>([](G& self, const Variant& v) { self.SetHeight(v.AsInteger()); }));
        c->AddProperty("Width", "Integer", Getter<G>([](G& self) { return self.Width(); }),
                       Setter<G>([](G& self, const Variant& v) { self.SetWidth(v.AsInteger()); }));
    }
    unit.AddClass(TMetafile::StaticClass(), "TGraphic");
    if (TfsClassVariable* c = unit.AddClass(TMetafileCanvas::StaticClass(), "TCanvas")) {
        // The reference device of the class library has no counterpart here: recordings are
        // measured at the screen's 96 dpi.
        c->AddConstructor("constructor Create(AMetafile: TMetafile; ReferenceDevice: Integer)",
                          [](TObject*, TClass, const std::string&, TfsParams& p) {
                              TMetafile& metafile = Required<TMetafile>(p[0]);
                              auto* canvas = new TMetafileCanvas(&metafile);
                              RecordingCanvases()[metafile.Handle()].push_back(canvas->Handle());
                              return Created(canvas);
                          });
    }
    if (TfsClassVariable* c = unit.AddClass(TBitmap::StaticClass(), "TGraphic")) {
        c->AddProperty("Canvas", "TCanvas", Getter<TBitmap>([](TBitmap& self) { return ObjectValue(self.Canvas()); }));
    }
    fsAddFreeHook(ReleaseRecordingCanvases);
}

}  // namespace

void fsRegisterGraphicsClasses() {
    if (gGraphicsRegistered) return;
    TModuleScope scope(kGraphicsModule);
    TfsScript* unit = scope.Unit();
    if (!unit) return;
    gGraphicsRegistered = true;
    for (const char* name : kColorNames) {
        TColor color = clNone;
        if (IdentToColor(name, color)) unit->AddConst(name, "Integer", Variant(static_cast<int32_t>(color)));
    }
    unit->AddEnumSet("TFontStyles", "fsBold, fsItalic, fsUnderline, fsStrikeout");
    unit->AddEnum("TFontPitch", "fpDefault, fpVariable, fpFixed");
    unit->AddEnum("TPenStyle", "psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame");
    unit->AddEnum("TPenMode",
                  "pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, "
                  "pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor");
    unit->AddEnum("TBrushStyle", "bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross");
    RegisterGraphicsObjects(*unit);
}

void fsUnregisterGraphicsClasses() {
    if (!gGraphicsRegistered) return;
    gGraphicsRegistered = false;
    if (TfsScript* unit = GlobalUnit()) unit->RemoveItems(kGraphicsModule);
}
