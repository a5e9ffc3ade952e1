// Align, Anchors and ScaleBy place controls as the class library does.
#include "UiFixture.h"

ROVE_IMPLEMENT_CLASS(TProbeForm)

namespace {

struct TBoundsCase {
    const char* Name;
    TRect Expected;
};

// Two top panels that the text lists out of order, a bottom panel, a left and a right
// one, a client panel; the Top of the alTop panels decides their order.
const char* kAlignForm = R"(object Form1: TProbeForm
  Left = 0
  Top = 0
  ClientWidth = 400
  ClientHeight = 300
  object Second: TPanel
    Left = 0
    Top = 50
    Width = 10
    Height = 30
    Align = alTop
  end
  object First: TPanel
    Left = 0
    Top = 0
    Width = 10
    Height = 20
    Align = alTop
  end
  object Bottom: TPanel
    Left = 0
    Top = 280
    Width = 10
    Height = 25
    Align = alBottom
  end
  object LeftP: TPanel
    Left = 0
    Top = 60
    Width = 40
    Height = 10
    Align = alLeft
  end
  object RightP: TPanel
    Left = 300
    Top = 60
    Width = 60
    Height = 10
    Align = alRight
  end
  object Client: TPanel
    Left = 100
    Top = 100
    Width = 10
    Height = 10
    Align = alClient
    BevelOuter = bvLowered
    BorderWidth = 3
    object Inner: TPanel
      Left = 0
      Top = 0
      Width = 10
      Height = 15
      Align = alTop
    end
    object Anchored: TButton
      Left = 100
      Top = 150
      Width = 80
      Height = 25
      Anchors = [akRight, akBottom]
    end
  end
end
)";

}  // namespace

class AlignTest : public UiTest {};

TEST_F(AlignTest, PlacesEachAlignmentInTurn) {
    auto form = MakeForm(kAlignForm);
    // Client area 400 x 300: tops 20 + 30, bottom 25, left 40, right 60.
    const TBoundsCase cases[] = {
        {"First", Bounds(0, 0, 400, 20)},      {"Second", Bounds(0, 20, 400, 30)},
        {"Bottom", Bounds(0, 275, 400, 25)},   {"LeftP", Bounds(0, 50, 40, 225)},
        {"RightP", Bounds(340, 50, 60, 225)},  {"Client", Bounds(40, 50, 300, 225)},
        // Inside the client panel: 1 pixel of bevel and 3 of border on each side.
        {"Inner", Bounds(4, 4, 292, 15)},
    };
    for (const TBoundsCase& c : cases)
        EXPECT_EQ(Find<TControl>(form.get(), c.Name)->BoundsRect(), c.Expected) << c.Name;
}

TEST_F(AlignTest, FollowsResizeAndVisibility) {
    auto form = MakeForm(kAlignForm);
    auto* client = Find<TControl>(form.get(), "Client");
    auto* anchored = Find<TControl>(form.get(), "Anchored");
    const TRect before = anchored->BoundsRect();
    form->SetClientWidth(500);
    form->SetClientHeight(400);
    EXPECT_EQ(client->BoundsRect(), Bounds(40, 50, 400, 325));
    // Anchored right and bottom: the distances to those edges stay.
    EXPECT_EQ(anchored->BoundsRect(), Bounds(before.Left + 100, before.Top + 100, 80, 25));
    Find<TControl>(form.get(), "First")->Hide();
    EXPECT_EQ(Find<TControl>(form.get(), "Second")->BoundsRect(), Bounds(0, 0, 500, 30));
    EXPECT_EQ(client->BoundsRect(), Bounds(40, 30, 400, 345));
}

TEST_F(AlignTest, MovedControlGoesFirstAmongItsAlignment) {
    auto form = MakeForm(kAlignForm);
    auto* second = Find<TControl>(form.get(), "Second");
    // Moving a top panel above the first puts it first.
    second->SetTop(-1);
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 0, 400, 30));
    EXPECT_EQ(Find<TControl>(form.get(), "First")->BoundsRect(), Bounds(0, 30, 400, 20));
}

TEST_F(AlignTest, ControlPlacedFarAwaySortsLast) {
    auto form = MakeForm(kAlignForm);
    auto* extra = new TPanel(form.get());
    extra->SetBounds(1000, 1000, 10, 12);
    extra->SetAlign(alTop);
    extra->SetParent(form.get());
    EXPECT_EQ(extra->BoundsRect(), Bounds(0, 50, 400, 12));
}

// ScaleBy: positions scale; sizes are the distance between the scaled edges.
TEST_F(AlignTest, ScaleByScalesEdgesAndOwnFonts) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object A: TButton
    Left = 5
    Top = 7
    Width = 11
    Height = 13
  end
  object B: TLabel
    Left = 16
    Top = 7
    Width = 33
    Height = 13
    AutoSize = False
    ParentFont = False
    Font.Height = -12
  end
end
)");
    auto* a = Find<TControl>(form.get(), "A");
    auto* b = Find<TControl>(form.get(), "B");
    const int formFont = form->Font()->Size();
    form->ScaleBy(128, 100);
    // 5*1.28 = 6.4 -> 6; (5+11)*1.28 = 20.48 -> 20, width 14; 7 -> 9, (7+13) -> 25.6 -> 26.
    EXPECT_EQ(a->BoundsRect(), Bounds(6, 9, 14, 17));
    // B starts where A ended, and still does after scaling.
    EXPECT_EQ(b->Left(), a->Left() + a->Width());
    EXPECT_EQ(b->Width(), MulDiv(16 + 33, 128, 100) - MulDiv(16, 128, 100));
    EXPECT_EQ(form->ClientWidth(), 384);
    EXPECT_EQ(form->ClientHeight(), 256);
    EXPECT_EQ(b->Font()->Size(), MulDiv(9, 128, 100));
    EXPECT_EQ(form->Font()->Size(), MulDiv(formFont, 128, 100));
    // A follows the form's font.
    EXPECT_EQ(a->Font()->Height(), form->Font()->Height());
}

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
    struct {
        int n, m, d, expected;
    } cases[] = {{5, 128, 100, 6}, {25, 1, 10, 3}, {-25, 1, 10, -3}, {15, 1, 10, 2}, {7, 80, 100, 6}, {1, 1, 0, -1}};
    for (auto& c : cases) EXPECT_EQ(MulDiv(c.n, c.m, c.d), c.expected) << c.n << "*" << c.m << "/" << c.d;
}
