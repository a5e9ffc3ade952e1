// The report utilities that reach the window layer: the error box, the components of
// the program's forms and data modules, and image-list cutting and picture drawing.
// Kept apart from Utils.cpp so that no unit includes both the window layer's and the
// report datasets' event types (two of them share a signature).
#include "report/Utils.h"

#include <iostream>
#include <unordered_set>

#include "platform/classes/Streaming.h"
#include "platform/rtl/StringList.h"
#include "platform/graphics/Metafile.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "report/Resources.h"

namespace {

// Walks the containers a report reaches, each once, adding the components of one class.
class TComponentCollector {
public:
    TComponentCollector(TClass ComponentClass, TStrings* List, TComponent* Skip)
        : FClass(ComponentClass), FList(List), FSkip(Skip) {}

    // The components owned by Container, named Prefix + name ("" for the report's own
    // and its owner's, "Form." for forms and data modules); frames of a form are entered
    // with "Form.Frame." when Frames is set.
    void Collect(TComponent* Container, const std::string& Prefix, bool Frames) {
        if (!Container || !FVisited.insert(Container).second) return;
        for (int i = 0; i < Container->ComponentCount(); ++i) {
            TComponent* c = Container->Components(i);
            Add(c, Prefix);
            if (Frames && c->ComponentState().Contains(csInline))
                Collect(c, Prefix + c->Name() + ".", false);
        }
    }

private:
    void Add(TComponent* c, const std::string& Prefix) {
        if (c == FSkip || !c->InheritsFrom(FClass) || !FListed.insert(c).second) return;
        FList->AddObject(Prefix + c->Name(), c);
    }
    TClass FClass;
    TStrings* FList;
    TComponent* FSkip;
    std::unordered_set<TComponent*> FVisited, FListed;
};

}  // namespace

void frxGetComponentList(TComponent* Report, TClass ComponentClass, TStrings* List, TComponent* Skip) {
    List->Clear();
    if (!ComponentClass) return;
    TComponentCollector collector(ComponentClass, List, Skip);
    if (Report) {
        collector.Collect(Report, "", false);
        collector.Collect(Report->Owner(), "", true);
    }
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        collector.Collect(form, form->Name() + ".", true);
    }
    for (TComponent* root : GlobalComponents())
        if (root->Is<TDataModule>()) collector.Collect(root, root->Name() + ".", false);
}

void frxErrorMsg(const std::string& Text) {
    const std::string caption = frxResources().Get("mbError");
    if (!Application->Initialized()) {
        std::cerr << caption << ": " << Text << std::endl;
        return;
    }
    Application->MessageBox(Text, caption, MB_OK | MB_ICONERROR);
}


void frxAssignImages(TBitmap* Bitmap, int CellWidth, int CellHeight, TImageListComponent* ImageList,
                     TImageListComponent* PairImageList) {
    if (!Bitmap || !ImageList || CellWidth <= 0 || CellHeight <= 0) return;
    const TColor transparent = Bitmap->TransparentColor();
    const int columns = Bitmap->Width() / CellWidth, rows = Bitmap->Height() / CellHeight;
    bool second = false;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            TBitmap cell(CellWidth, CellHeight);
            const bool twin = PairImageList && second;
            for (int y = 0; y < CellHeight; ++y) {
                const uint32_t* from = Bitmap->ScanLine(row * CellHeight + y) + column * CellWidth;
                uint32_t* to = cell.ScanLine(y);
                for (int x = 0; x < CellWidth; ++x)
                    to[x] = twin && (from[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFFE0E0E0u : from[x];
            }
            (twin ? PairImageList : ImageList)->AddMasked(cell, transparent);
            if (PairImageList) second = !second;
        }
}

void frxDrawTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap) {
    if (!Canvas || !Bitmap || Bitmap->Empty()) return;
    const TRect all{0, 0, Bitmap->Width(), Bitmap->Height()};
    Canvas->BrushCopy(Bounds(X, Y, all.Right, all.Bottom), Bitmap, all, Bitmap->TransparentColor());
}

void frxDrawGraphic(TCanvas* Canvas, const TRect& Rect, TGraphic* Graphic) {
    if (!Canvas || !Graphic || Graphic->Empty()) return;
    if (Graphic->Is<TMetafile>()) {
        Canvas->StretchDraw(Rect, Graphic);
        return;
    }
    TBitmap bitmap(Graphic->Width(), Graphic->Height());
    bitmap.SetPixelFormat(pf24bit);
    bitmap.Canvas()->Draw(0, 0, Graphic);
    if (auto* source = dynamic_cast<TBitmap*>(Graphic); source && source->Monochrome()) bitmap.SetMonochrome(true);
    Canvas->StretchDraw(Rect, &bitmap);
}
