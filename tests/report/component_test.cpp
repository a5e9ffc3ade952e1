// The report component tree: names, fonts, restrictions, differences, alignment.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "TestObjects.h"
#include "platform/rtl/Format.h"
#include "report/Report.h"
#include "report/Resources.h"

namespace {

struct Tree {
    TfrxReport report{nullptr};
    TfrxTestPage* page = new TfrxTestPage(&report);
    TfrxTestBand* band = new TfrxTestBand(page);
    TfrxTestMemoView* Memo(const std::string& name) {
        auto* m = new TfrxTestMemoView(band);
        if (!name.empty()) m->SetName(name);
        return m;
    }
};

TEST(ComponentTree, OwnerIsTheReportParentIsTheCreator) {
    Tree t;
    TfrxTestMemoView* m = t.Memo("Memo1");
    EXPECT_EQ(m->Owner(), &t.report);
    EXPECT_EQ(m->Parent(), t.band);
    EXPECT_EQ(m->Report(), &t.report);
    EXPECT_EQ(m->Page(), t.page);
    EXPECT_EQ(t.report.FindObject("MEMO1"), m);
    EXPECT_EQ(t.report.AllObjects().size(), 3u);
    delete m;
    EXPECT_EQ(t.report.FindObject("Memo1"), nullptr);
    EXPECT_EQ(t.band->ObjectCount(), 0);
}

TEST(ComponentTree, UniqueNameFillsTheFirstGap) {
    Tree t;
    t.Memo("TestMemo1");
    t.Memo("TestMemo3");
    TfrxTestMemoView* m = t.Memo("");
    m->CreateUniqueName();
    EXPECT_EQ(m->Name(), "TestMemo2");
    TfrxTestMemoView* n = t.Memo("");
    n->CreateUniqueName();
    EXPECT_EQ(n->Name(), "TestMemo4");
    EXPECT_EQ(m->BaseName(), "TestMemo");
}

TEST(ComponentTree, DuplicateNameRaisesAndKeepsTheOldName) {
    Tree t;
    t.Memo("Memo1");
    TfrxTestMemoView* m = t.Memo("Memo2");
    try {
        m->SetName("memo1");
        FAIL();
    } catch (const EfrxError& e) {
        EXPECT_EQ(e.Message(), "重复命名");
    }
    EXPECT_EQ(m->Name(), "Memo2");
    EXPECT_THROW(m->SetName("a\"b"), Exception);   // names are identifiers
    m->SetName("MEMO2");                            // a new spelling of its own name
    EXPECT_EQ(t.report.FindObject("memo2"), m);
}

TEST(ComponentTree, NameIndexFollowsMovesBetweenTrees) {
    Tree t;
    TfrxTestMemoView* m = t.Memo("Memo1");
    m->SetParent(nullptr);
    EXPECT_EQ(t.report.FindObject("Memo1"), nullptr);
    m->SetParent(t.band);
    EXPECT_EQ(t.report.FindObject("Memo1"), m);
    EXPECT_THROW(t.band->SetParent(t.band), EfrxError);
}

TEST(ComponentTree, FontInheritanceStopsAtOwnFont) {
    Tree t;
    TfrxTestMemoView* a = t.Memo("A");
    TfrxTestMemoView* b = new TfrxTestMemoView(a);
    TfrxTestMemoView* c = new TfrxTestMemoView(b);
    EXPECT_EQ(a->Font()->Name(), "Arial");
    EXPECT_EQ(a->Font()->Size(), 10);
    TFont own;
    own.SetName("Courier New");
    own.SetSize(10);
    b->SetFont(&own);
    EXPECT_FALSE(b->ParentFont());
    t.band->Font()->SetSize(14);
    EXPECT_EQ(a->Font()->Size(), 14);
    EXPECT_TRUE(a->ParentFont());
    EXPECT_EQ(b->Font()->Size(), 10);   // its own font
    EXPECT_EQ(c->Font()->Name(), "Courier New");
    c->SetParentFont(true);
    EXPECT_EQ(c->Font()->Name(), "Courier New");
    b->Font()->SetSize(20);
    EXPECT_EQ(c->Font()->Size(), 20);
    EXPECT_TRUE(c->ParentFont());
}

TEST(ComponentTree, RestrictionsHoldOnlyWhileDesigning) {
    Tree t;
    TfrxTestMemoView* m = t.Memo("M");
    m->SetRestrictions({rfDontMove});
    m->SetLeft(5);
    EXPECT_EQ(m->Left(), 5);
    auto* d = new TfrxComponent(t.band, 0);
    d->SetRestrictions({rfDontMove, rfDontSize});
    d->SetBounds(1, 2, 3, 4);
    EXPECT_EQ(d->Left(), 0);
    EXPECT_EQ(d->Width(), 0);
}

TEST(ComponentTree, DiffReportsOnlyRealChanges) {
    Tree t;
    TfrxTestMemoView* a = t.Memo("A");
    TfrxTestMemoView* b = t.Memo("B");
    a->SetBounds(10, 20, 30, 40);
    b->SetBounds(10, 20, 30, 40);
    EXPECT_EQ(a->Diff(b), "");
    a->SetLeft(10.00005);
    EXPECT_EQ(a->Diff(b), "");
    a->SetLeft(12.5);
    a->SetHeight(41);
    a->SetVisible(false);
    a->SetTag(3);
    TFont f;
    f.SetName("宋体");
    f.SetSize(12);
    a->SetFont(&f);
    EXPECT_EQ(a->Diff(b),
              " l=\"12.5\" h=\"41\" Visible=\"False\" Font.Name=\"宋体\" Font.Size=\"12\" Font.Color=\"-16777208\""
              " ParentFont=\"False\" Tag=\"3\"");
}

// Difference texts write floats in place with their own short cases and a memo of recent
// values; the text is FloatToStr's for every value, with either decimal separator, and a
// value written after the separator changed gets the new one.
TEST(ComponentTree, DiffFloatsAreFloatToStrTexts) {
    std::vector<double> values = {0,       -0.0,     1,        -1,      80,      793.7013, 0.1 + 0.2, 1e-3,
                                  9.99e-4, 0.001234, 1e15 - 1, 1e15,    -1e15,   1e300,    5e-324,    2.5,
                                  -2.5,    18.89765, 3.77953,  1.0 / 3, 2.0 / 3, 123456789012345.5,
                                  123456789012344.5, 0.30000000000000004, std::nan(""), HUGE_VAL, -HUGE_VAL};
    uint64_t seed = 42;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return seed >> 11;
    };
    for (int i = 0; i < 4000; ++i) {
        const double unit = static_cast<double>(next()) / static_cast<double>(1ull << 53);
        const int exponent = static_cast<int>(next() % 40) - 20;
        values.push_back((next() & 1 ? -1 : 1) * unit * std::pow(10.0, exponent));
        values.push_back(static_cast<double>(next() % 2000) * 18.89765 / (1 + next() % 7));
    }
    struct TRestore {
        char Saved = FormatSettings.DecimalSeparator;
        ~TRestore() { FormatSettings.DecimalSeparator = Saved; }
    } restore;
    for (int round = 0; round < 2; ++round) {
        for (char separator : {'.', ','}) {
            FormatSettings.DecimalSeparator = separator;
            for (double v : values) {
                const std::string expected = FloatToStr(v);
                ASSERT_EQ(frxDiffFloat(v), expected) << v << " with '" << separator << "'";
                std::string item = "a";
                frxDiffFloatItem(item, "w", v);
                ASSERT_EQ(item, "a w=\"" + expected + "\"") << v;
            }
        }
    }
    FormatSettings.DecimalSeparator = restore.Saved;
    std::string items;
    frxDiffIntItem(items, "Color", -16777208);
    frxDiffItem(items, "x", "a&#38;b");
    EXPECT_EQ(items, " Color=\"-16777208\" x=\"a&#38;b\"");
}

TEST(ComponentTree, AlignPlacesByNeighbours) {
    struct Row {
        double left, width;
        TTestAlign align;
        double expLeft, expWidth;
    };
    struct Case {
        const char* name;
        std::vector<Row> rows;
    };
    // Children are taken in the order of their keys: Lefts of 0 and below first, nearest
    // to 0 first, then the others from the left. The neighbours are searched in that order.
    const Case cases[] = {
        {"negative_lefts_nearest_to_zero_first",
         {
             {-10, 5, baNone, -10, 5},
             {-3, 5, baNone, -3, 5},
             {20, 10, baLeft, -5, 10},    // its left neighbour is the one at -10, listed last
             {50, 10, baWidth, 5, 85},    // the right neighbour has not moved yet
             {90, 10, baRight, 90, 10},
         }},
        {"left_aligned_at_minus_five_has_no_left_neighbour",
         {
             {-10, 20, baNone, -10, 20},
             {-5, 10, baLeft, 0, 10},
         }},
        {"equal_lefts_later_child_first",
         {
             {30, 10, baNone, 30, 10},
             {30, 20, baNone, 30, 20},
             {60, 10, baLeft, 40, 10},    // after the first child at 30, which is listed last
         }},
    };
    for (const Case& c : cases) {
        Tree t;
        t.band->SetWidth(100);
        t.band->SetHeight(20);
        std::vector<TfrxTestMemoView*> memos;
        for (const Row& r : c.rows) {
            TfrxTestMemoView* m = t.Memo("");
            m->SetBounds(r.left, 0, r.width, 10);
            m->Align = r.align;
            memos.push_back(m);
        }
        t.band->AlignChildren();
        for (size_t i = 0; i < memos.size(); ++i) {
            EXPECT_DOUBLE_EQ(memos[i]->Left(), c.rows[i].expLeft) << c.name << " " << i;
            EXPECT_DOUBLE_EQ(memos[i]->Width(), c.rows[i].expWidth) << c.name << " " << i;
        }
    }
}

}  // namespace
