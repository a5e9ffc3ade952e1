// The undo buffer, the designer clipboard and the rulers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "designer/clipboard/DesignerClipboard.h"
#include "designer/controls/Ruler.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Clipbrd.h"
#include "report/Bands.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Frame.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Views.h"

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
    auto* memo = static_cast<TfrxMemoView*>(r->FindObject("Memo1"));
    std::vector<size_t> bytes;
    std::vector<std::string> texts;
    for (int i = 0; i < 5; ++i) {
        memo->SetText("text " + std::to_string(i));
        u.PushUndo(r.get());
        bytes.push_back(u.Bytes());
        texts.push_back(Xml(r.get()));
    }
    // What the oldest step costs: at the limit nothing goes, one byte below it the
    // oldest snapshot goes, below that the next one too.
    const size_t oldest = bytes[1] - bytes[0];
    u.SetByteLimit(bytes[4]);
    EXPECT_EQ(u.UndoCount(), 5);
    u.SetByteLimit(bytes[4] - oldest);
    EXPECT_EQ(u.UndoCount(), 4);
    EXPECT_EQ(u.UndoSnapshot(0), texts[1]);
    u.SetByteLimit(bytes[4] - oldest - 1);
    EXPECT_EQ(u.UndoCount(), 3);
    EXPECT_EQ(u.UndoSnapshot(0), texts[2]);
    u.SetByteLimit(1);
    ASSERT_EQ(u.UndoCount(), 2);
    EXPECT_EQ(u.UndoSnapshot(0), texts[3]);
    ASSERT_TRUE(u.PopUndo(r.get()));
    EXPECT_EQ(Xml(r.get()), texts[3]);
}

// Undo and Redo as the designer drives them, over every kind of edit (a property, a
// rename, an object added and one removed, the script): each undo gives the state before
// the step, each redo the state the undo left, as the report holds it. A script stored
// into the report without a step of its own (the code page's text, taken by a preview)
// is part of the state an undo leaves, and the redo gives it back.
TEST(UndoBuffer, UndoAndRedoWalkEveryKindOfEdit) {
    auto r = MakeReport();
    auto memo = [&](const char* Name) { return static_cast<TfrxMemoView*>(r->FindObject(Name)); };
    struct TEdit {
        const char* Name;
        std::function<void()> Make;
    };
    const TEdit edits[] = {
        {"a property", [&] { memo("Memo1")->SetLeft(64); }},
        {"a rename", [&] { memo("Memo1")->SetName("Title"); }},
        {"an object added",
         [&] {
             auto* m = new TfrxMemoView(r->FindObject("MasterData1"));
             m->SetName("Memo3");
             m->SetBounds(200, 4, 80, 20);
         }},
        {"a rename back to a name used before", [&] { memo("Title")->SetName("Memo1"); }},
        {"an object removed", [&] { delete memo("Memo2"); }},
        {"the script", [&] { r->ScriptText()->SetText("begin\nend."); }},
    };
    TfrxUndoBuffer u;
    u.PushUndo(r.get());
    std::vector<std::string> states{Xml(r.get())};
    for (const TEdit& e : edits) {
        e.Make();
        u.PushUndo(r.get());
        u.ClearRedo();
        states.push_back(Xml(r.get()));
    }
    r->ScriptText()->SetText("begin\n  Report.Variables['x'] := 1;\nend.");
    const std::string unstepped = Xml(r.get());
    ASSERT_NE(unstepped, states.back());
    // The first undo leaves the state with the script not stepped.
    ASSERT_TRUE(u.Undo(r.get()));
    EXPECT_EQ(Xml(r.get()), states[states.size() - 2]);
    EXPECT_EQ(u.RedoSnapshot(0), unstepped);
    for (size_t i = states.size() - 2; i-- > 0;) {
        SCOPED_TRACE(std::string("undo of ") + edits[i].Name);
        ASSERT_TRUE(u.Undo(r.get()));
        EXPECT_EQ(Xml(r.get()), states[i]);
    }
    EXPECT_FALSE(u.Undo(r.get()));
    EXPECT_EQ(Xml(r.get()), states[0]);
    EXPECT_EQ(u.RedoCount(), static_cast<int>(states.size()) - 1);
    for (size_t i = 1; i < states.size(); ++i) {
        SCOPED_TRACE(std::string("redo of ") + edits[i - 1].Name);
        ASSERT_TRUE(u.Redo(r.get()));
        EXPECT_EQ(Xml(r.get()), i + 1 < states.size() ? states[i] : unstepped);
        EXPECT_EQ(u.UndoSnapshot(u.UndoCount() - 1), Xml(r.get()));
    }
    EXPECT_FALSE(u.Redo(r.get()));
    EXPECT_EQ(u.UndoCount(), static_cast<int>(states.size()));
    // Undo and redo again from there: the same states.
    ASSERT_TRUE(u.Undo(r.get()));
    EXPECT_EQ(Xml(r.get()), states[states.size() - 2]);
    ASSERT_TRUE(u.Redo(r.get()));
    EXPECT_EQ(Xml(r.get()), unstepped);
}

// With the byte limit reached the oldest steps go: undo goes back as far as the history
// reaches, stops there, and redo comes forward again through every step undone.
TEST(UndoBuffer, UndoPastTheByteLimitStopsAtTheOldestKeptAndRedoComesBack) {
    auto r = MakeReport();
    auto* memo = static_cast<TfrxMemoView*>(r->FindObject("Memo1"));
    TfrxUndoBuffer u;
    u.PushUndo(r.get());
    std::vector<std::string> states{Xml(r.get())};
    for (int i = 0; i < 6; ++i) {
        memo->SetText("line " + std::to_string(i));
        memo->SetName("Memo1x" + std::to_string(i));
        u.PushUndo(r.get());
        states.push_back(Xml(r.get()));
    }
    // Room for the newest text and about two differences: the oldest steps go (the redo
    // texts count too, so undoing may drop more of them).
    u.SetByteLimit(states.back().size() + 2 * (u.Bytes() - states.back().size()) / 6);
    ASSERT_LT(u.UndoCount(), static_cast<int>(states.size()));
    size_t undone = 0;
    while (u.Undo(r.get())) {
        ++undone;
        ASSERT_LT(undone, states.size());
        EXPECT_EQ(Xml(r.get()), states[states.size() - 1 - undone]) << undone;
    }
    EXPECT_GE(undone, 1u);
    EXPECT_LT(undone, states.size() - 1);
    EXPECT_EQ(u.UndoCount(), 1);
    for (size_t i = undone; i-- > 0;) {
        ASSERT_TRUE(u.Redo(r.get()));
        EXPECT_EQ(Xml(r.get()), states[states.size() - 1 - i]) << i;
    }
    EXPECT_FALSE(u.Redo(r.get()));
    EXPECT_NE(r->FindObject("Memo1x5"), nullptr);
}

// A snapshot read back: objects of several kinds, one after the other, carry attributes
// of the same names (Name, Color, Font.Color, Frame.Color, Left), and each is read into
// the object's own property; the report read back writes the text it was read from.
TEST(UndoBuffer, SnapshotAttributesOfTheSameNameGoToEachKindOwnProperty) {
    TfrxReport a(nullptr);
    auto* page = new TfrxReportPage(&a);
    page->SetName("Page1");
    page->SetColor(TColor(0x00F0F0));
    for (int b = 0; b < 4; ++b) {
        auto* band = new TfrxMasterData(page);
        band->SetName("Band" + std::to_string(b));
        band->SetBounds(0, 20 + b * 60, 700, 50);
        for (int i = 0; i < 6; ++i) {
            TfrxView* v;
            switch (i % 3) {
                case 0: {
                    auto* m = new TfrxMemoView(band);
                    m->SetText("m" + std::to_string(i));
                    m->Font()->SetColor(TColor(0x102030 + i));
                    v = m;
                    break;
                }
                case 1: v = new TfrxShapeView(band); break;
                default: v = new TfrxLineView(band); break;
            }
            v->SetName("V" + std::to_string(b) + "_" + std::to_string(i));
            v->SetBounds(10 + i * 50, 2, 40, 20);
            v->SetColor(TColor(0x010203 * (b * 6 + i + 1)));
            v->Frame()->Color = TColor(0x050505 * (i + 1));
        }
    }
    TfrxUndoBuffer u;
    u.PushUndo(&a);
    const std::string xml = Xml(&a);
    TfrxReport b(nullptr);
    TStringStream s(xml);
    s.SetPosition(0);
    b.LoadFromStream(s);
    EXPECT_EQ(b.Errors()->Count(), 0) << b.Errors()->Text();
    EXPECT_EQ(Xml(&b), xml);
    auto* memo = dynamic_cast<TfrxMemoView*>(b.FindObject("V2_3"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Color(), TColor(0x010203 * 16));
    EXPECT_EQ(memo->Font()->Color(), TColor(0x102033));
    auto* line = dynamic_cast<TfrxLineView*>(b.FindObject("V3_5"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Frame()->Color, TColor(0x050505 * 6));
    EXPECT_DOUBLE_EQ(line->Left(), 260);
    EXPECT_EQ(u.UndoSnapshot(0), xml);
}

// The list keeps its newest text whole and the older ones as differences: every text
// comes back as it was, through At and through dropping the last one by one.
TEST(UndoSnapshots, EveryTextComesBackThroughItsDifferences) {
    struct TCase {
        const char* Name;
        std::vector<std::string> Texts;
    };
    const std::string lines = "<a>\r\n  <b x=\"1\"/>\r\n  <b x=\"2\"/>\r\n  <b x=\"3\"/>\r\n</a>\r\n";
    const TCase cases[] = {
        {"the same text", {lines, lines, lines}},
        {"one line changed", {lines, "<a>\r\n  <b x=\"1\"/>\r\n  <b x=\"9\"/>\r\n  <b x=\"3\"/>\r\n</a>\r\n"}},
        {"lines changed far apart",
         {lines, "<a>\r\n  <b x=\"7\"/>\r\n  <b x=\"2\"/>\r\n  <b x=\"8\"/>\r\n</a>\r\n"}},
        {"a line added", {lines, "<a>\r\n  <b x=\"1\"/>\r\n  <c/>\r\n  <b x=\"2\"/>\r\n  <b x=\"3\"/>\r\n</a>\r\n"}},
        {"a line removed", {lines, "<a>\r\n  <b x=\"1\"/>\r\n  <b x=\"3\"/>\r\n</a>\r\n"}},
        {"the first and the last line", {lines, "<z>\r\n  <b x=\"1\"/>\r\n  <b x=\"2\"/>\r\n  <b x=\"3\"/>\r\n</z>"}},
        {"no line break at all", {"abc", "abd", "xbd", ""}},
        {"from nothing and back", {"", lines, ""}},
        {"a change inside a line's end", {"k=1\nk=2\n", "k=1\nk=22\n", "k=1\nk=2\n\n"}},
        {"a longer and a shorter text", {lines, lines + lines, lines.substr(5), lines}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxUndoBuffer::TSnapshotList list;
        for (const std::string& t : c.Texts) list.Push(t);
        ASSERT_EQ(list.Count(), static_cast<int>(c.Texts.size()));
        for (size_t i = 0; i < c.Texts.size(); ++i) EXPECT_EQ(list.At(i), c.Texts[i]) << i;
        EXPECT_THROW(list.At(c.Texts.size()), std::out_of_range);
        for (size_t i = c.Texts.size(); i-- > 0;) {
            EXPECT_EQ(list.Last(), c.Texts[i]);
            list.DropLast();
        }
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(list.Bytes(), 0u);
    }
}

// Random edits of a text of 400 lines (lines changed, added, removed, moved), each step
// pushed: every step comes back, going back step by step and by index, and an edit of
// one line costs the history far less than the text.
TEST(UndoSnapshots, RandomEditsComeBackAndOneLineCostsLittle) {
    std::vector<std::string> lines;
    for (int i = 0; i < 400; ++i) lines.push_back("  <TfrxMemoView Name=\"Memo" + std::to_string(i) + "\" Left=\"" + std::to_string(i * 3) + "\"/>\r\n");
    auto join = [&] {
        std::string s;
        for (const std::string& l : lines) s += l;
        return s;
    };
    TfrxUndoBuffer::TSnapshotList list;
    std::vector<std::string> texts{join()};
    list.Push(texts.back());
    uint32_t seed = 12345;
    auto next = [&](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    for (int step = 0; step < 300; ++step) {
        const uint32_t kind = next(10);
        const size_t at = next(static_cast<uint32_t>(lines.size()));
        if (kind < 6) {
            lines[at] = "  <TfrxMemoView Name=\"Memo" + std::to_string(at) + "\" Left=\"" + std::to_string(step) + "\"/>\r\n";
        } else if (kind < 7) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), "  <TfrxLineView/>\r\n");
        } else if (kind < 8 && lines.size() > 10) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (kind < 9) {
            std::swap(lines[at], lines[next(static_cast<uint32_t>(lines.size()))]);
        } else {
            lines[at].insert(2, "x");
            lines[next(static_cast<uint32_t>(lines.size()))].insert(2, "y");
        }
        const size_t before = list.Bytes();
        texts.push_back(join());
        list.Push(texts.back());
        // The text is about 20 KB; a changed line costs its old text and a little more.
        if (kind < 6) {
            EXPECT_LT(list.Bytes() - before, 512u) << step;
        }
    }
    for (size_t i = 0; i < texts.size(); i += 37) EXPECT_EQ(list.At(i), texts[i]) << i;
    for (size_t i = texts.size(); i-- > 0;) {
        ASSERT_EQ(list.Last(), texts[i]) << i;
        if (i > 0) {
            EXPECT_EQ(list.Previous(), texts[i - 1]) << i;
        }
        list.DropLast();
    }
}

// The oldest snapshots go first and the rest still come back.
TEST(UndoSnapshots, DroppingTheOldestKeepsTheOthers) {
    TfrxUndoBuffer::TSnapshotList list;
    const std::vector<std::string> texts = {"a\nb\nc\n", "a\nB\nc\n", "A\nB\nc\n", "A\nB\nC\n"};
    for (const std::string& t : texts) list.Push(t);
    list.DropFirst();
    ASSERT_EQ(list.Count(), 3);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(list.At(i), texts[i + 1]);
    list.DropFirst();
    list.DropFirst();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Last(), texts[3]);
    EXPECT_EQ(list.Bytes(), texts[3].size());
    list.DropFirst();
    EXPECT_EQ(list.Count(), 0);
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

// A page header (with its memo) pasted where a page allows it: on a report page without
// one both come; on a dot-matrix page the band comes and the report memo does not; on a
// dialog page neither does, and the page is selected.
TEST(DesignerClipboard, ABandOfWhichAPageHoldsOneFollowsThePagesRules) {
    auto a = MakeReport();
    TTestDesigner source(a.get());
    source.Show(static_cast<TfrxPage*>(a->FindObject("Page1")));
    TfrxClipboard copier(&source);
    source.SelectedObjects() = {a->FindObject("PageHeader1")};
    const std::string text = copier.CopyText();
    struct Case {
        const char* Name;
        std::function<TfrxPage*(TfrxReport*)> Make;
        int Pasted;
    };
    const Case cases[] = {
        {"report page", [](TfrxReport* r) -> TfrxPage* { return new TfrxReportPage(r); }, 2},
        {"dot-matrix page", [](TfrxReport* r) -> TfrxPage* { return new TfrxDMPPage(r); }, 1},
        {"dialog page", [](TfrxReport* r) -> TfrxPage* { return new TfrxDialogPage(r); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxReport target(nullptr);
        TfrxPage* page = c.Make(&target);
        page->SetName("Target1");
        TTestDesigner d(&target);
        d.Show(page);
        TfrxClipboard cb(&d);
        const auto res = cb.PasteText(text);
        EXPECT_EQ(res.Error, "");
        EXPECT_EQ(res.Pasted, c.Pasted);
        EXPECT_EQ(page->FindObject("PageHeader1") != nullptr, c.Pasted > 0);
        EXPECT_EQ(static_cast<int>(page->AllObjects().size()), c.Pasted);
        if (c.Pasted == 0) {
            EXPECT_EQ(d.SelectedObjects(), std::vector<TfrxComponent*>{page});
        }
    }
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
