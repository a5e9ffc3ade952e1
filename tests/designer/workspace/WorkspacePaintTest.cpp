// Painting through the recording canvas: handles, grid, corner marks, captions.
#include <gtest/gtest.h>

#include "platform/graphics/Metafile.h"
#include "report/Frame.h"
#include "tests/designer/workspace/WorkspaceFixture.h"

namespace {

struct TRecorded {
    TMetafile Meta;
    int XorLines(TColor Color) const {
        int n = 0;
        for (const auto& r : Meta.Records())
            if (r.Kind == mrLine && Meta.States()[r.State].Pen.Mode() == pmXor &&
                Meta.States()[r.State].Pen.Color() == Color)
                ++n;
        return n;
    }
    bool HasText(const std::string& T) const {
        for (const auto& r : Meta.Records())
            if (r.Kind == mrText && r.Text == T) return true;
        return false;
    }
    int Count(TMetafileRecordKind K, TColor PenColor) const {
        int n = 0;
        for (const auto& r : Meta.Records())
            if (r.Kind == K && Meta.States()[r.State].Pen.Color() == PenColor) ++n;
        return n;
    }
};

std::unique_ptr<TRecorded> Record(TWorkspaceFixture& f) {
    auto rec = std::make_unique<TRecorded>();
    TMetafileCanvas c(&rec->Meta);
    f.Ws->PaintOn(&c, Rect(0, 0, f.Ws->Width(), f.Ws->Height()));
    return rec;
}

TEST(WorkspacePaint, HandlesByKindOfSelection) {
    TWorkspaceFixture f;
    auto* a = f.AddMemo(f.Page, "A", 10, 10, 50, 20);
    auto* b = f.AddMemo(f.Page, "B", 100, 100, 50, 20);
    auto* line = f.AddLine(f.Page, "Line1", 10, 200, 100, 0);
    struct Case {
        std::vector<TfrxComponent*> Sel;
        double Scale;
        int White, Anchor;   // lines drawn: handles x handle size
    };
    const Case cases[] = {
        {{a}, 1, 8 * 5, 0},          // one memo: eight handles of 5
        {{a, b}, 1, 7 * 5, 5},       // two memos: four each, the anchor's corner coloured
        {{line}, 1, 2 * 5, 0},       // a line: its two ends
        {{a}, 0.5, 8 * 3, 0},        // small handles below 0.7
        {{a}, 2, 8 * 7, 0},          // large ones above 1.7
    };
    for (const Case& c : cases) {
        f.Ws->SetScale(c.Scale);
        f.Selected = c.Sel;
        auto rec = Record(f);
        EXPECT_EQ(rec->XorLines(clWhite), c.White) << c.Sel.size() << " at " << c.Scale;
        EXPECT_EQ(rec->XorLines(TColor(0x808000)), c.Anchor);
    }
    // No handles while a button is held.
    f.Ws->SetScale(1);
    f.Selected = {a};
    f.Ws->MouseDown(mbLeft, 0, 20, 15);
    EXPECT_EQ(Record(f)->XorLines(clWhite), 0);
    f.Ws->MouseUp(mbLeft, 0, 20, 15);
}

TEST(WorkspacePaint, GridLinesAndDots) {
    TWorkspaceFixture f;
    f.Ws->SetBounds(0, 0, 200, 100);
    // Centimetre grid at scale 1: lines every 5 mm, dark every 10 mm.
    auto rec = Record(f);
    // Dark lines every 10 mm: six across 200 pixels, three down 100.
    EXPECT_EQ(rec->Count(mrLine, TColor(0xE8E8E8)), 6 + 3);
    EXPECT_GT(rec->Count(mrLine, TColor(0xF8F8F8)), 0);
    // Dots at scale 0.5 with a one-millimetre step are under 2 pixels: none.
    f.Ws->SetGridType(gtPixels);
    f.Ws->SetScale(0.5);
    auto dots = Record(f);
    int drawn = 0;
    for (const auto& r : dots->Meta.Records()) drawn += r.Kind == mrGraphic;
    EXPECT_EQ(drawn, 0);
    f.Ws->SetScale(1);
    f.Ws->GridX = f.Ws->GridY = 10;
    auto rows = Record(f);
    drawn = 0;
    for (const auto& r : rows->Meta.Records()) drawn += r.Kind == mrGraphic;
    EXPECT_EQ(drawn, 10);   // one row picture per grid row of a 100-pixel-high surface
}

TEST(WorkspacePaint, CornerMarksOnlyForIncompleteFramesAndCaptions) {
    TWorkspaceFixture f;
    f.Ws->SetShowGrid(false);
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 50, 60);
    auto* open = f.AddMemo(band, "Open", 10, 10, 50, 20);
    auto* framed = f.AddMemo(band, "Framed", 100, 10, 50, 20);
    framed->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    (void)open;
    f.Ws->SetShowBandCaptions(true);
    auto rec = Record(f);
    // Two polylines of two lines each per corner: 4 corners x 2 lines for the open memo only.
    int black = 0;
    for (const auto& r : rec->Meta.Records())
        if (r.Kind == mrLine && rec->Meta.States()[r.State].Pen.Color() == clBlack &&
            rec->Meta.States()[r.State].Pen.Mode() == pmCopy)
            ++black;
    const int withEdges = black;
    EXPECT_TRUE(rec->HasText("MasterData"));
    EXPECT_TRUE(rec->HasText(": MasterData1"));
    f.Ws->ShowEdges = false;
    f.Ws->InvalidatePage();
    auto off = Record(f);
    black = 0;
    for (const auto& r : off->Meta.Records())
        if (r.Kind == mrLine && off->Meta.States()[r.State].Pen.Color() == clBlack) ++black;
    // The open memo's four corners had two arms each; the framed memo's frame stays.
    EXPECT_EQ(withEdges - black, 8);
    EXPECT_EQ(black, 4);
    // A locked surface shows only its background.
    f.Ws->Lock();
    auto locked = Record(f);
    EXPECT_FALSE(locked->HasText("MasterData"));
}

}  // namespace
