// The design surface in a plain window over the clinic's receipt template: rulers above and
// left, the scroll box holding the margins panel and the workspace, driven by real mouse
// events through the widgets. With ROVE_SCREENSHOTS set to a folder, the window is saved
// there as surface-host.png.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "designer/controls/Ruler.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/workspace/Workspace.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

struct TSurfaceHost {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxReportPage* Page = nullptr;
    std::vector<TfrxComponent*> Objects, Selected;
    std::unique_ptr<TForm> Form;
    TfrxRuler* TopRuler = nullptr;
    TfrxRuler* LeftRuler = nullptr;
    TfrxScrollBox* Box = nullptr;
    TfrxDesignerWorkspace* Ws = nullptr;
    int Modifies = 0;

    TSurfaceHost() {
        frxRegisterDesignerTexts();
        EXPECT_TRUE(Report->LoadFromFile(ROVE_SOURCE_DIR "/app/reports/rove.bl3"));
        Page = dynamic_cast<TfrxReportPage*>(Report->Pages(0));
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 820, 480);
        Form->SetCaption("rove.bl3");
        TopRuler = new TfrxRuler(Form.get());
        TopRuler->SetParent(Form.get());
        TopRuler->SetAlign(alTop);
        TopRuler->SetHeight(24);
        LeftRuler = new TfrxRuler(Form.get());
        LeftRuler->SetParent(Form.get());
        LeftRuler->SetAlign(alLeft);
        LeftRuler->SetWidth(24);
        for (TfrxRuler* r : {TopRuler, LeftRuler}) r->SetUnits(ruCM);
        Box = new TfrxScrollBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetAlign(alClient);
        Ws = new TfrxDesignerWorkspace(Form.get());
        Ws->SetParent(Box);
        Ws->Page = Page;
        Ws->Objects = &Objects;
        Ws->SelectedObjects = &Selected;
        Ws->OnModify = [this](TObject*) { ++Modifies; };
        Ws->SetShowBandCaptions(true);
        Ws->SetGridType(gtCm);
        Ws->SetScale(1);
        Ws->SetOrigin(10, 10);
        auto px = [](double mm) { return static_cast<int>(mm * 96 / 25.4 + 0.5); };
        Ws->SetPageDimensions(px(Page->PaperWidth()), px(Page->PaperHeight()),
                              TRect{px(Page->LeftMargin), px(Page->TopMargin), px(Page->RightMargin),
                                    px(Page->BottomMargin)});
        Objects = Page->AllObjects();
        Objects.push_back(Report.get());
        Objects.push_back(Page);
        Ws->AdjustBands();
        Selected.assign(1, Page);
        Form->Show();
        TUiTestHarness::ProcessMessages();
        FollowSurface();
    }
    // The rulers start where the page's printable area starts on the screen.
    void FollowSurface() {
        const TPoint origin = Ws->ClientToScreen(TPoint{0, 0});
        const TPoint top = TopRuler->ClientToScreen(TPoint{0, 0});
        const TPoint left = LeftRuler->ClientToScreen(TPoint{0, 0});
        TopRuler->SetOffset(origin.X - top.X);
        LeftRuler->SetOffset(origin.Y - left.Y);
    }
    TfrxMemoView* Memo(const char* Name) { return dynamic_cast<TfrxMemoView*>(Report->FindObject(Name)); }
    // The middle of an object in the workspace's pixels (scale 1).
    TPoint Middle(TfrxComponent* C) {
        return TPoint{static_cast<int>(C->AbsLeft() + C->Width() / 2), static_cast<int>(C->AbsTop() + C->Height() / 2)};
    }
};

TEST(SurfaceHost, ReceiptTemplateIsSelectedAndMovedThroughTheWidgets) {
    TSurfaceHost h;
    ASSERT_NE(h.Page, nullptr);
    auto* number = h.Memo("Memo1");
    auto* date = h.Memo("Memo5");
    ASSERT_TRUE(number && date);
    // Bands are stacked under their captions: no band overlaps the one above it.
    double bottom = -1;
    for (TfrxComponent* c : h.Objects)
        if (auto* b = dynamic_cast<TfrxBand*>(c)) {
            EXPECT_GE(b->Top(), bottom) << b->Name();
            bottom = b->Top() + b->Height();
        }

    TUiTestHarness::Click(h.Ws, h.Middle(number));
    ASSERT_EQ(h.Selected.size(), 1u);
    EXPECT_EQ(h.Selected[0], number);
    TUiTestHarness::Click(h.Ws, h.Middle(date), mbLeft, ssShift);
    ASSERT_EQ(h.Selected.size(), 2u);
    EXPECT_EQ(h.Selected[1], date);

    // Two centimetres to the right and one down, on the centimetre grid's quarter steps.
    const double left1 = number->Left(), left5 = date->Left(), top1 = number->Top();
    const TPoint from = h.Middle(number);
    TUiTestHarness::MouseMove(h.Ws, from);
    TUiTestHarness::MouseDown(h.Ws, from);
    TUiTestHarness::MouseMove(h.Ws, TPoint{from.X + 76, from.Y + 38}, ssLeft);
    TUiTestHarness::MouseUp(h.Ws, TPoint{from.X + 76, from.Y + 38});
    const double dx = number->Left() - left1;
    EXPECT_GT(dx, 70);
    EXPECT_LT(dx, 80);
    EXPECT_NEAR(date->Left() - left5, dx, 1e-9);
    EXPECT_GT(number->Top() - top1, 30);
    EXPECT_EQ(h.Modifies, 1);

    // The rulers count from the page's printable area wherever the box is scrolled.
    h.FollowSurface();
    const int offset = h.LeftRuler->Offset();
    h.Box->VertScrollBar()->SetPosition(120);
    TUiTestHarness::ProcessMessages();
    ASSERT_GT(h.Box->VertScrollBar()->Position(), 0);
    h.FollowSurface();
    EXPECT_EQ(h.LeftRuler->Offset(), offset - h.Box->VertScrollBar()->Position());

    if (const char* dir = std::getenv("ROVE_SCREENSHOTS")) {
        h.Box->VertScrollBar()->SetPosition(0);
        TUiTestHarness::ProcessMessages();
        h.FollowSurface();
        EXPECT_TRUE(TUiTestHarness::SaveScreenshot(h.Form.get(), (std::filesystem::path(dir) / "surface-host.png").string()));
    }
}

}  // namespace
