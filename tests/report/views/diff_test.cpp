// The difference texts' shared parts: the float comparison with its shortcut for equal
// values, and a memo's component and view items, written without asking the other
// object's class twice, against memos, other views and other components.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "report/Bands.h"
#include "report/DiffText.h"
#include "report/MemoView.h"
#include "report/Views.h"

TEST(DiffText, FloatsDifferByMoreThanTheTolerance) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::pair<double, double>> pairs = {
        {0, 0},       {0, -0.0},         {1, 1.0001},          {1, 1.00011},     {-1, -1.00011},
        {1e15, 1e15}, {1e15, 1e15 + 0.125}, {0.3, 0.1 + 0.2},  {1e-300, -1e-300}, {nan, nan},
        {nan, 1},     {1, nan},          {inf, inf},           {inf, -inf},      {-inf, -inf},
        {inf, 1e308}, {793.7013, 793.7013}, {793.7013, 793.70135}};
    uint64_t seed = 7;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        const double a = static_cast<double>(seed >> 40) / 1024.0;
        const double step = static_cast<double>((seed >> 8) % 400) * 1e-6;   // around the tolerance
        pairs.emplace_back(a, a + step);
        pairs.emplace_back(a, a);
    }
    for (const auto& [a, b] : pairs) EXPECT_EQ(frxFloatsDiffer(a, b), std::fabs(a - b) > 0.0001) << a << " " << b;
}

// A memo compared with another memo writes the items a view writes, then its own; with
// any other object only the view's (or the component's) items.
TEST(DiffText, MemoItemsStartWithTheViewItems) {
    struct TCase {
        const char* What;
        std::function<void(TfrxMemoView&)> Change;
    };
    const TCase cases[] = {
        {"nothing", [](TfrxMemoView&) {}},
        {"places", [](TfrxMemoView& m) { m.SetBounds(12.5, 21, 90, 31); }},
        {"font and tag",
         [](TfrxMemoView& m) {
             m.Font()->SetName("宋体");
             m.SetTag(4);
         }},
        {"view items",
         [](TfrxMemoView& m) {
             m.SetColor(clRed);
             m.Frame()->Width = 2;
             m.Frame()->Typ = {ftLeft};
             m.SetURL("a<b");
             m.SetAlign(baRight);
         }},
        {"memo items", [](TfrxMemoView& m) {
             m.GapX = 5;
             m.WordWrap = false;
         }},
    };
    for (const TCase& c : cases) {
        TfrxMemoView m(nullptr), memo(nullptr);
        TfrxShapeView shape(nullptr);
        TfrxMasterData band(nullptr);
        for (TfrxComponent* o : std::initializer_list<TfrxComponent*>{&m, &memo, &shape, &band}) o->SetBounds(10, 20, 100, 30);
        m.SetText("abc");
        memo.SetText("abc");
        c.Change(m);
        for (TfrxComponent* other : std::initializer_list<TfrxComponent*>{&memo, &shape, &band}) {
            std::string view;
            m.TfrxView::DiffTo(other, view);
            const std::string diff = m.Diff(other);
            if (other == &memo)
                EXPECT_EQ(diff.substr(0, view.size()), view) << c.What;
            else
                EXPECT_EQ(diff, view) << c.What << " against " << other->ClassName();
        }
    }
}
