// The undo buffer, the designer clipboard and the rulers.
#include <gtest/gtest.h>

#include <memory>

#include "designer/clipboard/DesignerClipboard.h"
#include "designer/controls/Ruler.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Clipbrd.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"

namespace {

std::string Xml(TfrxReport* R) {
    TStringStream s;
    R->SaveToStream(s, true, false);
    return s.DataString();
}

std::unique_ptr<TfrxReport> MakeReport() {
    auto r = std::make_unique<TfrxReport>(nullptr);
    auto* p = new TfrxReportPage(r.get());
    p->SetName("Page1");
    auto* h = new TfrxPageHeader(p);
    h->SetName("PageHeader1");
    h->SetBounds(0, 20, 700, 40);
    auto* m = new TfrxMemoView(h);
    m->SetName("Memo1");
    m->SetBounds(30, 5, 100, 20);
    m->SetText("收费收据");
    auto* d = new TfrxMasterData(p);
    d->SetName("MasterData1");
    d->SetBounds(0, 100, 700, 30);
    auto* m2 = new TfrxMemoView(d);
    m2->SetName("Memo2");
    m2->SetBounds(50, 4, 80, 20);
    return r;
}

TEST(UndoBuffer, UndoAndRedoGiveTheSameXml) {
    auto r = MakeReport();
    TfrxUndoBuffer u;
    u.PushUndo(r.get());
    const std::string before = Xml(r.get());
    EXPECT_FALSE(u.PopUndo(r.get()));   // one snapshot: nothing to go back to
    static_cast<TfrxMemoView*>(r->FindObject("Memo1"))->SetText("changed");
    u.PushUndo(r.get());
    u.ClearRedo();
    const std::string after = Xml(r.get());
    u.PushRedo(r.get());
    ASSERT_TRUE(u.PopUndo(r.get()));
    EXPECT_EQ(Xml(r.get()), before);
    ASSERT_TRUE(u.PopRedo(r.get()));
    u.PushUndo(r.get());
    EXPECT_EQ(Xml(r.get()), after);
    EXPECT_FALSE(u.PopRedo(r.get()));
    // A change after an undo empties the redo list (as the designer drives it).
    u.PushRedo(r.get());
    u.PopUndo(r.get());
    u.PushUndo(r.get());
    u.ClearRedo();
    EXPECT_EQ(u.RedoCount(), 0);
}

TEST(UndoBuffer, ByteLimitDropsTheOldestButKeepsTwo) {
    auto r = MakeReport();
    TfrxUndoBuffer u;
    for (int i = 0; i < 5; ++i) u.PushUndo(r.get());
    const size_t one = u.Bytes() / 5;
    u.SetByteLimit(one * 3);
    EXPECT_EQ(u.UndoCount(), 3);
    u.SetByteLimit(1);
    EXPECT_EQ(u.UndoCount(), 2);
}

// A designer over a report, enough for the clipboard: page, lists, the report.
class TTestDesigner : public TfrxCustomDesigner {
public:
    TTestDesigner(TfrxReport* R) : TfrxCustomDesigner(nullptr, R, false) {}
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string&) override { return {}; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
    void Show(TfrxPage* P) {
        SetPage(P);
        Objects() = P->AllObjects();
        Objects().push_back(Report());
        Objects().push_back(P);
        SelectedObjects() = {P};
    }
};

TEST(DesignerClipboard, CopyBetweenTwoReports) {
    auto a = MakeReport();
    auto b = std::make_unique<TfrxReport>(nullptr);
    auto* pb = new TfrxReportPage(b.get());
    pb->SetName("Page1");
    TTestDesigner da(a.get()), db(b.get());
    da.Show(static_cast<TfrxPage*>(a->FindObject("Page1")));
    db.Show(pb);
    TfrxClipboard ca(&da), cb(&db);
    // A band alone: its objects come with it.
    da.SelectedObjects() = {a->FindObject("MasterData1")};
    const std::string text = ca.CopyText();
    ASSERT_GE(text.size(), 17u);
    EXPECT_EQ(text.substr(0, 15), "#BL3 clipboard#");
    EXPECT_EQ(text[15], '\n');
    EXPECT_EQ(text[16], '\r');
    ca.Copy();
    EXPECT_TRUE(cb.PasteAvailable());
    const auto res = cb.Paste();
    EXPECT_EQ(res.Error, "");
    EXPECT_EQ(res.Pasted, 2);
    auto* band = dynamic_cast<TfrxMasterData*>(pb->FindObject("MasterData1"));
    ASSERT_NE(band, nullptr);
    EXPECT_DOUBLE_EQ(band->Top(), 0);   // normalised to the selection's top
    auto* memo = pb->FindObject("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Parent(), band);
    EXPECT_DOUBLE_EQ(memo->Left(), 50);
    EXPECT_EQ(db.SelectedObjects(), std::vector<TfrxComponent*>{band});
    // A second paste: a second master data band with fresh names.
    cb.Paste();
    EXPECT_NE(pb->FindObject("MasterData2"), nullptr);
    EXPECT_NE(pb->FindObject("Memo2"), nullptr);
    // The list still ends with the report and the page.
    EXPECT_EQ(db.Objects().back(), pb);
}

TEST(DesignerClipboard, PageRulesAndBadText) {
    auto a = MakeReport();
    TTestDesigner d(a.get());
    auto* page = static_cast<TfrxPage*>(a->FindObject("Page1"));
    d.Show(page);
    TfrxClipboard c(&d);
    const std::string before = Xml(a.get());
    // A second page header is dropped, the memo with it stays.
    d.SelectedObjects() = {a->FindObject("PageHeader1")};
    const std::string header = c.CopyText();
    auto res = c.PasteText(header);
    EXPECT_EQ(res.Pasted, 1);   // the memo
    EXPECT_EQ(d.SelectedObjects().size(), 1u);
    struct Case {
        std::string Text;
        bool Error;
    };
    std::string huge = std::string(TfrxClipboard::Marker) + "\n\r";
    for (int i = 0; i < 100000; ++i) huge += "<TfrxMemoView/>";
    const Case cases[] = {
        {"no marker <TfrxMemoView/>", false},
        {std::string(TfrxClipboard::Marker) + "\n\r<TfrxMemoView Left=\"1\"", true},
        {std::string(TfrxClipboard::Marker) + "\n\r<TfrxNoSuchView Left=\"1\"/>", true},
        {huge, true},
    };
    const std::string now = Xml(a.get());
    for (const Case& k : cases) {
        res = c.PasteText(k.Text);
        EXPECT_EQ(res.Pasted, 0);
        EXPECT_EQ(!res.Error.empty(), k.Error) << k.Text.substr(0, 40);
        EXPECT_EQ(Xml(a.get()), now);
    }
    EXPECT_NE(before, now);
    Clipboard()->SetAsText("plain text");
    EXPECT_FALSE(c.PasteAvailable());
}

TEST(Ruler, TicksAndLabelsPerUnitAndScale) {
    struct Case {
        TfrxRulerUnits Units;
        double Scale;
        int Small, Mid;       // short strokes (2 px) and mid strokes (4 px) drawn
        const char* Label;    // one label that must stand
    };
    const Case cases[] = {
        {ruCM, 1, 0, 11, "1"},       // 37.8 < 41: no small ticks; 5, 15 ... 105 mm; labels every cm
        {ruCM, 2, 42, 5, "2"},       // 400 px hold 52 mm: all but every fifth are small
        {ruPixels, 1, 0, 4, "100"},
        {ruInches, 1, 33, 4, "1"},   // 41 tenths of an inch
        {ruCM, 0, 0, 0, nullptr},    // scale 0: nothing, and no endless loop
    };
    for (const Case& c : cases) {
        TfrxRuler r(nullptr);
        r.SetBounds(0, 0, 400, 20);
        r.SetUnits(c.Units);
        r.SetScale(c.Scale);
        TMetafile m;
        {
            TMetafileCanvas canvas(&m);
            r.PaintOn(&canvas);
        }
        int small = 0, mid = 0;
        bool label = false;
        for (const auto& rec : m.Records()) {
            if (rec.Kind == mrLine && rec.Points[0].X == rec.Points[1].X) {
                const int len = rec.Points[1].Y - rec.Points[0].Y;
                small += len == 2;
                mid += len == 4;
            }
            if (rec.Kind == mrText && c.Label && rec.Text == c.Label) label = true;
        }
        SCOPED_TRACE(int(c.Units));
        EXPECT_EQ(small, c.Small);
        EXPECT_EQ(mid, c.Mid);
        if (c.Label) {
            EXPECT_TRUE(label);
        }
    }
    // Scrolled so that the page starts off the ruler: nothing left of Offset.
    TfrxRuler r(nullptr);
    r.SetBounds(0, 0, 400, 20);
    r.SetUnits(ruPixels);
    r.SetOffset(50);
    r.SetStart(30);
    TMetafile m;
    {
        TMetafileCanvas canvas(&m);
        r.PaintOn(&canvas);
    }
    for (const auto& rec : m.Records())
        if (rec.Kind == mrLine && rec.Points[0].X == rec.Points[1].X && rec.Points[0].Y >= 3) {
            EXPECT_GE(rec.Points[0].X, 50);
        }
}

}  // namespace
