// Writing printed objects into the prepared pages: what the store keeps per object between
// writes (its source copy, short name and kind) follows every change of the links and
// source copies, and a write that fails leaves the page as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/XMLDocument.h"
#include "tests/report/PackedPages.h"
#include "tests/report/prepared/TwoMemoPage.h"

namespace {

// The two-memo page copied into a store with one page.
struct TRun : TTwoMemoPage {
    TfrxPreviewPages Pages{&Report};

    TRun() {
        Pages.AddSourcePage(Page);
        Pages.AddPage(Page);
    }

    // A memo made during the run, on the band, with no source copy of its own.
    TfrxMemoView* Late() {
        auto* m = new TfrxMemoView(Band);
        m->SetName("Late1");
        m->SetBounds(300, 0, 200, 20);
        m->SetText("late");
        return m;
    }
};

// The last element on the store's current page: name{text}[children], the text left out
// where an element is written whole under its class name.
std::string LastWritten(TfrxPreviewPages& Pages) {
    TfrxXMLItem* page = Pages.XMLDoc().Root()->FindItem("previewpages")->Items(Pages.CurPage);
    if (page->Count() == 0) return "(none)";
    auto describe = [](const TfrxXMLItem* Item) {
        return Item->Name().rfind("Tfrx", 0) == 0 ? Item->Name() : Item->Name() + "{" + Item->Text() + "}";
    };
    TfrxXMLItem* band = page->Items(page->Count() - 1);
    std::string s = describe(band) + "[";
    for (int i = 0; i < band->Count(); ++i) s += (i > 0 ? "," : "") + describe(band->Items(i));
    return s + "]";
}

}  // namespace

// Each case writes the band once (the store then knows its objects), changes what the
// objects are written against, and writes the band again.
TEST(PreparedWriting, ObjectsFollowChangedLinksAndSourceCopies) {
    struct TCase {
        const char* What;
        std::function<void(TRun&)> Before;   // before the first write
        std::function<void(TRun&)> Change;
        std::string First, Second;
    };
    TfrxMemoView* late = nullptr;
    const TCase cases[] = {
        {"an object made in the run gets a source copy", [&](TRun& r) { late = r.Late(); },
         [&](TRun& r) { r.Pages.AddToSourcePage(late); },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},TfrxMemoView]",
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},m3{x=\"late\"}]"},
        {"an object made in the run is linked to a template", [&](TRun& r) { late = r.Late(); },
         [&](TRun& r) { r.Pages.LinkToSource(late, r.Memo); },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},TfrxMemoView]",
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},m1{l=\"300\" x=\"late\"}]"},
        {"its link is dropped",
         [&](TRun& r) {
             late = r.Late();
             r.Pages.LinkToSource(late, r.Memo);
         },
         [&](TRun& r) { r.Pages.ForgetRunLink(late); },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},m1{l=\"300\" x=\"late\"}]",
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},TfrxMemoView]"},
        {"all links are dropped",
         [&](TRun& r) {
             late = r.Late();
             r.Pages.LinkToSource(late, r.Other);
         },
         [&](TRun& r) { r.Pages.ForgetRunLinks(); },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},m2{w=\"200\" x=\"late\"}]",
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"},TfrxMemoView]"},
        // The allocator mostly hands the freed template's address to the next memo: the
        // new memo must not be written against the freed one's copy.
        {"a template is freed and another object made", [](TRun&) {},
         [&](TRun& r) {
             delete r.Other;
             late = r.Late();
         },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"}]", "b1{t=\"20\"}[m1{x=\"\"},TfrxMemoView]"},
        {"the store is cleared", [](TRun&) {},
         [](TRun& r) {
             r.Pages.Clear();
             r.Pages.AddPage(r.Page);
         },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"}]", "TfrxMasterData[TfrxMemoView,TfrxMemoView]"},
        {"the store is filled again with other short names", [](TRun&) {},
         [](TRun& r) {
             r.Pages.Clear();
             TfrxReportPage first(nullptr);
             auto* band = new TfrxMasterData(&first);
             band->SetName("MasterData9");
             (new TfrxMemoView(band))->SetName("Memo9");
             r.Pages.AddSourcePage(&first);
             r.Pages.AddSourcePage(r.Page);
             r.Pages.AddPage(r.Page);
         },
         "b1{t=\"20\"}[m1{x=\"\"},m2{x=\"fixed\"}]", "b2{t=\"20\"}[m2{x=\"\"},m3{x=\"fixed\"}]"},
    };
    for (const TCase& c : cases) {
        TRun r;
        c.Before(r);
        r.Pages.AddObject(r.Band);
        EXPECT_EQ(LastWritten(r.Pages), c.First) << c.What;
        c.Change(r);
        r.Pages.AddObject(r.Band);
        EXPECT_EQ(LastWritten(r.Pages), c.Second) << c.What;
    }
}

namespace {

// A memo whose difference text fails halfway when asked to.
class TFailingMemo : public TfrxMemoView {
public:
    using TfrxMemoView::TfrxMemoView;
    bool Fail = false;
    void DiffTo(TfrxComponent* Other, std::string& Out) override {
        TfrxMemoView::DiffTo(Other, Out);
        if (Fail) throw Exception("no difference");
    }
};

}  // namespace

TEST(PreparedWriting, AFailedWriteLeavesThePageAsItWas) {
    TRun r;
    auto* failing = new TFailingMemo(r.Band);
    failing->SetName("Memo3");
    r.Pages.Clear();
    r.Pages.AddSourcePage(r.Page);
    r.Pages.AddPage(r.Page);
    r.Pages.AddObject(r.Band);
    TfrxXMLItem* page = r.Pages.XMLDoc().Root()->FindItem("previewpages")->Items(0);
    const std::string before = page->PackedRecords();
    failing->Fail = true;
    r.Band->SetTop(60);
    EXPECT_THROW(r.Pages.AddObject(r.Band), Exception);
    EXPECT_EQ(page->PackedRecords(), before);
    EXPECT_EQ(r.Pages.MemoryEstimate(), static_cast<int64_t>(before.size()));
    failing->Fail = false;
    r.Pages.AddObject(r.Band);
    EXPECT_EQ(page->Count(), 2);
    EXPECT_EQ(LastWritten(r.Pages), "b1{t=\"60\"}[m1{x=\"\"},m2{x=\"fixed\"},m3{x=\"\"}]");
}

// A band writes its visible objects: hidden ones and cross views are left out, and the
// objects inside a subreport stand in the band in its place.
TEST(PreparedWriting, ABandWritesItsVisibleObjects) {
    TRun r;
    r.Other->SetVisible(false);
    auto* sub = new TfrxSubreport(r.Band);
    sub->SetName("Subreport1");
    auto* inner = new TfrxMemoView(sub);
    inner->SetName("Memo3");
    inner->SetText("inner");
    (new TfrxCrossView(r.Band))->SetName("Cross1");
    r.Pages.Clear();
    r.Pages.AddSourcePage(r.Page);
    r.Pages.AddPage(r.Page);
    r.Pages.AddObject(r.Band);
    EXPECT_EQ(LastWritten(r.Pages), "b1{t=\"20\"}[m1{x=\"\"},m3{x=\"inner\"}]");
}

// The store keeps the element of its pages between calls; it finds it again when the
// element went away, was renamed or the document was read anew.
TEST(PreparedWriting, ThePagesElementIsFoundAgainWhenItChanges) {
    struct TCase {
        const char* What;
        std::function<void(TRun&, TfrxXMLItem* Pages)> Change;
        int Count;           // pages afterwards
        const char* Band;    // the element the band is written as then
    };
    const std::string saved = [] {
        TRun r;
        r.Pages.AddObject(r.Band);
        r.Pages.AddPage(r.Page);
        r.Pages.AddPage(r.Page);
        return SavedPages(r.Pages);
    }();
    const TCase cases[] = {
        {"unchanged", [](TRun&, TfrxXMLItem*) {}, 1, "b1{"},
        {"deleted", [](TRun&, TfrxXMLItem* Pages) { delete Pages; }, 0, "b1{"},
        {"renamed", [](TRun&, TfrxXMLItem* Pages) { Pages->SetName("elsewhere"); }, 0, "b1{"},
        {"read anew",
         [&](TRun& r, TfrxXMLItem*) {
             TStringStream stream(saved);
             r.Pages.LoadFromStream(stream);
         },
         3, "TfrxMasterData["},   // the file's copies are not the run's templates
    };
    for (const TCase& c : cases) {
        TRun r;
        r.Pages.AddObject(r.Band);
        ASSERT_EQ(r.Pages.Count(), 1);
        c.Change(r, r.Pages.XMLDoc().Root()->FindItem("previewpages"));
        EXPECT_EQ(r.Pages.Count(), c.Count) << c.What;
        // Writing goes on into the element found.
        r.Pages.AddPage(r.Page);
        r.Pages.AddObject(r.Band);
        EXPECT_EQ(r.Pages.Count(), std::max(c.Count, r.Pages.CurPage + 1)) << c.What;
        EXPECT_EQ(LastWritten(r.Pages).rfind(c.Band, 0), 0u) << c.What << ": " << LastWritten(r.Pages);
    }
}
