// The prepared pages as a store: short names, pages of bands and memos written as
// differences, saved to a prepared-report file and read back; partial loading with a
// bounded number of pages in memory; page editing; damaged files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/FileUtils.h"
#include "tests/report/PackedPages.h"
#include "tests/report/prepared/TwoMemoPage.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/Utils.h"
#include "report/XMLDocument.h"

namespace {

std::string TempName(const std::string& Stem) {
    return GetTempDir() + "prepared_" + std::to_string(getpid()) + "_" + Stem;
}

// The memo texts and the band's top change per prepared page, as a run would change them.
struct TTemplate : TTwoMemoPage {
    // Page i: the band at 20 + i and the first memo saying "row i" plus Extra.
    void Fill(TfrxPreviewPages& Pages, int PageCount, const std::string& Extra = {}) {
        Pages.Clear();
        Pages.AddSourcePage(Page);
        for (int i = 0; i < PageCount; ++i) {
            Pages.AddPage(Page);
            Band->SetTop(20 + i);
            Memo->SetText("row " + std::to_string(i) + Extra);
            Pages.AddObject(Band);
        }
        Band->SetTop(20);
        Memo->SetText("");
    }
};

TfrxMemoView* MemoOf(TfrxPage* Page, const char* Name) {
    return Page ? dynamic_cast<TfrxMemoView*>(Page->FindObject(Name)) : nullptr;
}

// The memo's lines joined by line breaks, without the one after the last line.
std::string TextOf(TfrxCustomMemoView* Memo) {
    if (!Memo) return "(none)";
    std::string s = Memo->Text();
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.resize(s.size() - 2);
    return s;
}

std::string Describe(TfrxPage* Page) {
    std::string s;
    for (TfrxComponent* c : Page->AllObjects()) {
        s += c->ClassName() + ":" + c->Name() + "@" + std::to_string(c->Left()) + "," + std::to_string(c->Top()) +
             "," + std::to_string(c->Width()) + "," + std::to_string(c->Height());
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c)) s += "=" + TextOf(m);
        s += ";";
    }
    return s;
}

int LoadedPages(TfrxPreviewPages& Pages) {
    TfrxXMLItem* pages = Pages.XMLDoc().Root()->FindItem("previewpages");
    int n = 0;
    for (int i = 0; i < pages->Count(); ++i) n += pages->Items(i)->Loaded() ? 1 : 0;
    return n;
}

}  // namespace

TEST(PreparedDictionary, UniqueNamesProbeDownwardThenCountUp) {
    struct TCase {
        int Taken;            // m1 .. mTaken are names
        std::vector<int> More;
        std::string Expected;
    };
    const TCase cases[] = {
        {0, {}, "m1"},
        {1, {}, "m2"},
        {30, {}, "m31"},
        {0, {4}, "m5"},          // probing meets 4 first; m1 stays free
        {3, {10000}, "m10001"},  // the largest step taken wins
    };
    for (const TCase& c : cases) {
        TfrxDictionary d;
        for (int i = 1; i <= c.Taken; ++i) d.Add("m" + std::to_string(i), "Page0.Memo" + std::to_string(i), nullptr);
        for (int n : c.More) d.Add("m" + std::to_string(n), "x", nullptr);
        EXPECT_EQ(d.CreateUniqueName("m"), c.Expected) << c.Taken;
    }
    TfrxDictionary d;
    EXPECT_EQ(d.AddUnique("b", "Page0.MasterData1", nullptr), "b1");
    EXPECT_EQ(d.GetSourceName("B1"), "Page0.MasterData1");
    EXPECT_EQ(d.GetSourceName("b2"), "");
    EXPECT_EQ(d.GetObject("b2"), nullptr);
}

// The names given stay those of the plain search (the probes 10000, 5000, ... 2 over the
// names there, then a count up while the name is taken), whatever the names added before:
// numbered runs with gaps, other cases, bases ending in a digit ("m1" + "2" is "m12"),
// leading zeros ("m01" is no number of m but 1 of m0), names added by hand between the
// unique ones, and runs past the largest probe.
TEST(PreparedDictionary, UniqueNamesAreThoseOfThePlainSearch) {
    auto plain = [](const std::set<std::string>& names, const std::string& base) {
        auto taken = [&](int n) { return names.count(LowerCase(base + std::to_string(n))) != 0; };
        int i = 10000;
        while (i >= 2 && !taken(i)) i /= 2;
        if (i < 2) i = 1;
        while (taken(i)) ++i;
        return base + std::to_string(i);
    };
    struct TCase {
        const char* Name;
        std::vector<std::string> Added;   // names added by hand first
        std::vector<std::string> Bases;   // then AddUnique with each base in turn, 30 rounds
    };
    const TCase cases[] = {
        {"one base", {}, {"m"}},
        {"gaps", {"m2", "m4", "m5", "m9", "m40", "m41", "m19"}, {"m"}},
        {"cases", {"M1", "M3", "b2"}, {"m", "B", "M"}},
        {"digit bases", {"m12", "m13", "m1", "m01", "m0"}, {"m", "m1", "m0"}},
        {"past the probes", {"m10000", "m9999", "m10001", "m5000"}, {"m", "p"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxDictionary d;
        std::set<std::string> names;
        for (const std::string& n : c.Added) {
            d.Add(n, "Page0." + n, nullptr);
            names.insert(LowerCase(n));
        }
        for (int round = 0; round < 30; ++round)
            for (const std::string& base : c.Bases) {
                const std::string expected = plain(names, base);
                ASSERT_EQ(d.CreateUniqueName(base), expected) << round;
                ASSERT_EQ(d.AddUnique(base, "Page0.x", nullptr), expected) << round;
                names.insert(LowerCase(expected));
                // A name added by hand in the middle of a run.
                if (round % 7 == 3) {
                    const std::string more = base + std::to_string(round * 3 + 2);
                    d.Add(more, "Page0.y", nullptr);
                    names.insert(LowerCase(more));
                }
            }
    }
    // A large run: m1 .. m20000 one after the other, then a free number far inside.
    TfrxDictionary d;
    for (int i = 1; i <= 20000; ++i) {
        const std::string n = d.AddUnique("m", "Page0.Memo", nullptr);
        ASSERT_EQ(n, "m" + std::to_string(i));
    }
    d.Clear();
    EXPECT_EQ(d.CreateUniqueName("m"), "m1");
}

TEST(PreparedPages, PagesAreStoredAsDifferencesAndRebuilt) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 3);
    ASSERT_EQ(pages.Count(), 3);
    // The page element names its source page; objects go by short names and carry
    // only what differs from the source copy.
    TfrxXMLItem* xml = pages.XMLDoc().Root()->FindItem("previewpages");
    EXPECT_EQ(xml->Items(0)->Name(), "page0");
    TfrxXMLItem* band = xml->Items(1)->Items(0);
    EXPECT_EQ(band->Name(), "b1");
    EXPECT_EQ(band->Prop("t"), "21");
    ASSERT_EQ(band->Count(), 2);
    EXPECT_EQ(band->Items(1)->Text(), "x=\"fixed\"") << "an unchanged memo stores only its text";
    EXPECT_FALSE(xml->Items(1)->Unloadable());
    EXPECT_TRUE(xml->Items(2)->Unloadable());

    for (int i = 0; i < 3; ++i) {
        TfrxPage* p = pages.GetPage(i);
        ASSERT_NE(p, nullptr);
        TfrxMemoView* m = MemoOf(p, "Memo1");
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(TextOf(m), "row " + std::to_string(i));
        EXPECT_DOUBLE_EQ(p->FindObject("MasterData1")->Top(), 20 + i);
        EXPECT_EQ(TextOf(MemoOf(p, "Memo2")), "fixed");
        EXPECT_DOUBLE_EQ(MemoOf(p, "Memo2")->Left(), 300);
    }
    EXPECT_EQ(pages.GetPage(3), nullptr);
    EXPECT_EQ(pages.GetPage(-1), nullptr);
    double w = 0, h = 0;
    pages.GetPageSize(0, w, h);
    EXPECT_EQ(w, std::round(t.Page->Width()));
    EXPECT_EQ(h, std::round(t.Page->Height()));
}

// The report's own store is linked to its engine; objects written while no run is going
// on (a page built by hand, a page edited in the designer) keep everything, text included.
TEST(PreparedPages, ObjectsWrittenOutsideARunAreWhole) {
    TTemplate t;
    auto* pages = dynamic_cast<TfrxPreviewPages*>(t.Report.PreviewPages());
    ASSERT_NE(pages, nullptr);
    ASSERT_NE(pages->Engine(), nullptr);
    t.Fill(*pages, 2);
    EXPECT_EQ(TextOf(MemoOf(pages->GetPage(0), "Memo1")), "row 0");
    EXPECT_EQ(TextOf(MemoOf(pages->GetPage(1), "Memo1")), "row 1");
}

TEST(PreparedPages, SavedFileLoadsBackEqual) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 4, " & <\"quoted\">\r\nsecond line");
    pages.PagesOutline()->AddItem("Chapter & one", 12);
    pages.AddAnchor("Target");
    const std::string file = TempName("roundtrip.bp3");
    pages.SaveToFile(file);
    // Saving leaves the store as it was.
    EXPECT_EQ(pages.XMLDoc().Root()->Find("sourcepages"), -1);
    EXPECT_EQ(pages.XMLDoc().Root()->Find("dictionary"), -1);

    TfrxPreviewPages loaded(&t.Report);
    ASSERT_TRUE(loaded.LoadFromFile(file));
    ASSERT_EQ(loaded.Count(), 4);
    EXPECT_EQ(loaded.SourcePageCount(), 1);
    EXPECT_EQ(loaded.Dictionary().Count(), pages.Dictionary().Count());
    EXPECT_EQ(loaded.Dictionary().GetSourceName("m1"), "Page0.Memo1");
    EXPECT_EQ(loaded.XMLDoc().Root()->Find("sourcepages"), -1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Describe(loaded.GetPage(i)), Describe(pages.GetPage(i))) << i;
    EXPECT_EQ(TextOf(MemoOf(loaded.GetPage(2), "Memo1")), "row 2 & <\"quoted\">\r\nsecond line");

    std::string text;
    int page = -1, top = -1;
    loaded.PagesOutline()->LevelRoot();
    ASSERT_EQ(loaded.PagesOutline()->GetCount(), 1);
    loaded.PagesOutline()->GetItem(0, text, page, top);
    EXPECT_EQ(text, "Chapter & one");
    EXPECT_EQ(page, 3);
    EXPECT_EQ(top, 12);
    EXPECT_EQ(loaded.GetAnchorPage("target"), 4);
    EXPECT_EQ(loaded.GetAnchorPage("missing"), 1);

    // Saved again, the file is the same.
    const std::string again = TempName("roundtrip2.bp3");
    loaded.SaveToFile(again);
    TMemoryStream a, b;
    a.LoadFromFile(file);
    b.LoadFromFile(again);
    EXPECT_EQ(a.Size(), b.Size());
    if (a.Size() != b.Size()) return;
    std::remove(file.c_str());
    std::remove(again.c_str());
    EXPECT_FALSE(loaded.LoadFromFile(file)) << "a missing file";
    EXPECT_THROW(loaded.LoadFromFile(file, true), Exception);
}

// Building a page reads its records and leaves them as they were: a page held compressed
// (long texts) and one too small to compress keep the same bytes, and build the same
// objects again.
TEST(PreparedPages, BuildingAPageLeavesItsRecordsAsTheyWere) {
    TTemplate t;
    for (const std::string& filler : {std::string(2000, 'x'), std::string()}) {
        TfrxPreviewPages pages(&t.Report);
        t.Fill(pages, 3, filler);
        pages.Finish();
        TfrxXMLItem* xml = pages.XMLDoc().Root()->FindItem("previewpages");
        for (int i = 0; i < 3; ++i) {
            const TfrxXMLItem::TKeptRecords before = xml->Items(i)->KeepRecords();
            ASSERT_FALSE(before.Bytes.empty()) << i;
            EXPECT_EQ(xml->Items(i)->Compressed(), !filler.empty()) << i;
            for (int round = 0; round < 2; ++round) {
                EXPECT_EQ(TextOf(MemoOf(pages.GetPage(i), "Memo1")), "row " + std::to_string(i) + filler) << i;
                const TfrxXMLItem::TKeptRecords after = xml->Items(i)->KeepRecords();
                EXPECT_EQ(after.Bytes, before.Bytes) << i;
                EXPECT_EQ(after.RawSize, before.RawSize) << i;
                pages.Finish();   // empties the page cache
            }
        }
    }
}

TEST(PreparedPages, PartialLoadingKeepsFewPagesInMemory) {
    TTemplate t;
    t.Report.EngineOptions()->UseFileCache = true;
    t.Report.EngineOptions()->MaxMemSize = 1;
    TfrxPreviewPages pages(&t.Report);
    // 1,000 pages of about 2 KB each pass the 1 MB limit: earlier pages move to the
    // temporary file while the run goes on; the first two never do.
    const std::string filler(2000, 'x');
    t.Fill(pages, 1000, filler);
    EXPECT_FALSE(pages.XMLDoc().TempFileName().empty());
    TfrxXMLItem* xml = pages.XMLDoc().Root()->FindItem("previewpages");
    EXPECT_TRUE(xml->Items(0)->Loaded());
    EXPECT_TRUE(xml->Items(1)->Loaded());
    EXPECT_FALSE(xml->Items(2)->Loaded());
    EXPECT_LT(LoadedPages(pages), 1000);
    EXPECT_EQ(TextOf(MemoOf(pages.GetPage(500), "Memo1")), "row 500" + filler);

    const std::string file = TempName("partial.bp3");
    pages.SaveToFile(file);
    TfrxPreviewPages loaded(&t.Report);
    ASSERT_TRUE(loaded.LoadFromFile(file, false, true));
    ASSERT_EQ(loaded.Count(), 1000);
    EXPECT_EQ(LoadedPages(loaded), 2) << "only the first two pages are read at once";
    for (int i = 0; i < 1000; ++i) {
        TfrxMemoView* m = MemoOf(loaded.GetPage(i), "Memo1");
        ASSERT_NE(m, nullptr) << i;
        ASSERT_EQ(TextOf(m), "row " + std::to_string(i) + filler);
    }
    EXPECT_LE(loaded.CachedPages(), TfrxPreviewPages::CacheSize);
    EXPECT_LE(LoadedPages(loaded), TfrxPreviewPages::CacheSize + 2);
    // A page dropped from memory comes back from the temporary file.
    EXPECT_EQ(TextOf(MemoOf(loaded.GetPage(3), "Memo1")), "row 3" + filler);
    std::remove(file.c_str());
}

TEST(PreparedPages, DeleteModifyAndInsertPages) {
    TTemplate t;
    struct TCase {
        const char* What;
        int PageCount;
        std::function<void(TfrxPreviewPages&, TTemplate&)> Edit;
        std::vector<std::string> Expected;   // memo text of each page after the edit
    };
    auto modify = [](TfrxPreviewPages& p, TTemplate&) {
        TfrxPage* page = p.GetPage(1);
        MemoOf(page, "Memo1")->SetText("edited");
        p.ModifyPage(1, page);
    };
    const TCase cases[] = {
        {"delete the only page", 1, [](TfrxPreviewPages& p, TTemplate&) { p.DeletePage(0); }, {"row 0"}},
        {"delete the middle page", 3, [](TfrxPreviewPages& p, TTemplate&) { p.DeletePage(1); }, {"row 0", "row 2"}},
        {"delete out of range", 2, [](TfrxPreviewPages& p, TTemplate&) { p.DeletePage(5); p.DeletePage(-1); },
         {"row 0", "row 1"}},
        {"modify a page", 3, modify, {"row 0", "edited", "row 2"}},
        {"modify out of range", 2,
         [](TfrxPreviewPages& p, TTemplate&) { p.ModifyPage(7, p.GetPage(0)); }, {"row 0", "row 1"}},
        {"insert an empty page", 2, [](TfrxPreviewPages& p, TTemplate&) { p.AddEmptyPage(1); },
         {"row 0", "", "row 1"}},
        {"insert out of range", 1, [](TfrxPreviewPages& p, TTemplate&) { p.AddEmptyPage(3); }, {"row 0"}},
    };
    for (const TCase& c : cases) {
        TfrxPreviewPages pages(&t.Report);
        t.Fill(pages, c.PageCount);
        pages.GetPage(0);   // a cached page must not survive an edit
        c.Edit(pages, t);
        // Edited pages survive a save and a load.
        TMemoryStream stream;
        pages.SaveToStream(stream);
        stream.SetPosition(0);
        TfrxPreviewPages loaded(&t.Report);
        loaded.LoadFromStream(stream);
        for (TfrxPreviewPages* p : {&pages, &loaded}) {
            ASSERT_EQ(p->Count(), static_cast<int>(c.Expected.size())) << c.What;
            for (int i = 0; i < p->Count(); ++i) {
                TfrxMemoView* m = MemoOf(p->GetPage(i), "Memo1");
                EXPECT_EQ(m ? TextOf(m) : std::string(), c.Expected[static_cast<size_t>(i)]) << c.What << " " << i;
            }
        }
    }
}

TEST(PreparedPages, DamagedFilesFailCleanlyOrBuildWhatTheyCan) {
    TTemplate t;
    const std::string header = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    struct TCase {
        const char* What;
        std::string Text;
    };
    const TCase invalid[] = {
        {"no header", "<preparedreport><previewpages/></preparedreport>"},
        {"cut inside a tag", header + "<preparedreport><previewpages><page0"},
        {"wrong closing tag", header + "<preparedreport><previewpages></sourcepages></preparedreport>"},
        {"'<' inside a tag", header + "<preparedreport><previewpages <page0/></previewpages></preparedreport>"},
    };
    for (const TCase& c : invalid) {
        TfrxPreviewPages pages(&t.Report);
        t.Fill(pages, 2);
        TStringStream s(c.Text);
        try {
            pages.LoadFromStream(s);
            ADD_FAILURE() << c.What << ": no error";
        } catch (const EfrxXMLError& e) {
            EXPECT_STREQ(e.what(), "Invalid file format") << c.What;
        }
        EXPECT_EQ(pages.Count(), 0) << c.What << ": nothing of the old or the broken report stays";
        EXPECT_EQ(pages.SourcePageCount(), 0) << c.What;
    }
    // Well-formed but wrong: a page naming a source page that is not there, a dictionary
    // entry pointing at a missing object or page, an unknown class: pages still build.
    const std::string text = header +
        "<preparedreport><previewpages>"
        "<page7><m1 x=\"lost\"/><TfrxMemoView l=\"5\" x=\"plain\"/><TfrxNoSuchView x=\"?\"/><TfrxReport/><TfrxReportPage/></page7>"
        "<page-1/><pageX/>"
        "</previewpages><sourcepages/>"
        "<dictionary><m1 name=\"Page9.Memo1\"/><m2 name=\"nodot\"/><m3/></dictionary></preparedreport>";
    TfrxPreviewPages pages(&t.Report);
    TStringStream s(text);
    pages.LoadFromStream(s);
    ASSERT_EQ(pages.Count(), 3);
    EXPECT_EQ(pages.Dictionary().GetObject("m1"), nullptr);
    TfrxPage* p = pages.GetPage(0);
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->ObjectCount(), 1) << Describe(p);
    EXPECT_EQ(TextOf(dynamic_cast<TfrxMemoView*>(p->Objects(0))), "plain");
    EXPECT_NE(pages.GetPage(1), nullptr);
    EXPECT_NE(pages.GetPage(2), nullptr);
}

// Sizes and coordinates no page can have are refused at load, each with a line in the
// report's errors; the page keeps its default size and draws.
TEST(PreparedPages, AbsurdSizesAreRefusedAtLoadAndThePageDraws) {
    TTemplate t;
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>"
        "<page0><TfrxMemoView l=\"3E300\" t=\"-2000000\" w=\"40\" h=\"20\" x=\"kept\"/></page0>"
        "</previewpages><sourcepages>"
        "<TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"43333333333333333330\" LeftMargin=\"5\"/>"
        "</sourcepages><dictionary/></preparedreport>";
    TfrxPreviewPages pages(&t.Report);
    TStringStream s(text);
    pages.LoadFromStream(s);
    TStrings* errors = t.Report.Errors();
    EXPECT_GE(errors->IndexOf("'43333333333333333330' is out of range for PaperHeight"), 0) << errors->Text();
    double w = 0, h = 0;
    pages.GetPageSize(0, w, h);
    EXPECT_EQ(h, std::round(297 * frxMmToPixels));
    TfrxPage* page = pages.GetPage(0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Describe(page), "TfrxMemoView:@0.000000,0.000000,40.000000,20.000000=kept;");
    EXPECT_GE(errors->IndexOf("'3E300' is out of range for Left"), 0) << errors->Text();
    EXPECT_GE(errors->IndexOf("'-2000000' is out of range for Top"), 0) << errors->Text();
    TBitmap bitmap;
    bitmap.SetSize(300, 300);
    EXPECT_NO_THROW(pages.DrawPage(0, bitmap.Canvas(), 1, 1, 0, 0));
}

// Whatever a script sets, drawing rounds it into range instead of raising.
TEST(PreparedPages, DrawingHoldsAbsurdSizesInRange) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 1);
    TfrxPage* page = pages.GetPage(0);
    ASSERT_NE(page, nullptr);
    TfrxMemoView* memo = MemoOf(page, "Memo1");
    ASSERT_NE(memo, nullptr);
    memo->SetBounds(1e300, -1e300, 1e300, std::nan(""));
    memo->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    memo->Frame()->Width = 1e300;
    // A recording canvas draws every view, visible or not.
    TMetafile metafile;
    TMetafileCanvas recording(&metafile);
    EXPECT_NO_THROW(pages.DrawPage(0, &recording, 1, 1, 0, 0));
    TBitmap bitmap;
    bitmap.SetSize(300, 300);
    EXPECT_NO_THROW(memo->Draw(bitmap.Canvas(), 1, 1, 0, 0));
    EXPECT_EQ(frxRoundInt(1e300), 1000000000);
    EXPECT_EQ(frxRoundInt(-1e300), -1000000000);
    EXPECT_EQ(frxRoundInt(std::nan("")), 0);
    EXPECT_EQ(frxRoundInt(2.5), 2);
}

TEST(PreparedPages, FirstPassIsDroppedWithItsOutline) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 2);
    pages.PagesOutline()->AddItem("kept", 0);
    pages.PagesOutline()->LevelRoot();
    pages.BeginPass();
    // The first pass of an appended run: one more object on the last page, a new page
    // and outline items (one below an old item).
    pages.AddObject(t.Band);
    pages.AddPage(t.Page);
    pages.AddObject(t.Band);
    pages.PagesOutline()->AddItem("pass", 0);
    pages.PagesOutline()->LevelRoot();
    pages.PagesOutline()->LevelDown(0);
    pages.PagesOutline()->AddItem("pass child", 0);
    pages.ClearFirstPassPages();
    EXPECT_EQ(pages.Count(), 2);
    EXPECT_EQ(pages.CurPage, 1);
    EXPECT_EQ(pages.GetCurPosition(), 1);
    pages.PagesOutline()->LevelRoot();
    ASSERT_EQ(pages.PagesOutline()->GetCount(), 1);
    std::string text;
    int page = 0, top = 0;
    pages.PagesOutline()->GetItem(0, text, page, top);
    EXPECT_EQ(text, "kept");
    pages.PagesOutline()->LevelDown(0);
    EXPECT_EQ(pages.PagesOutline()->GetCount(), 0);
}

TEST(PreparedPages, CutAndPasteMovesObjects) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 1);
    t.Band->SetTop(100);
    pages.AddObject(t.Band);
    pages.AddObject(t.Band);
    EXPECT_EQ(pages.GetCurPosition(), 3);
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 130);
    pages.CutObjects(1);
    EXPECT_EQ(pages.GetCurPosition(), 1);
    pages.AddPage(t.Page);
    pages.PasteObjects(0, 10);
    EXPECT_EQ(pages.GetCurPosition(), 2);
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 40);
    EXPECT_TRUE(pages.BandExists(t.Band));
    EXPECT_EQ(pages.XMLDoc().Root()->Find("cutted"), -1);
}

TEST(PreparedPages, BandsOnTheCurrentPage) {
    TTemplate t;
    auto* footer = new TfrxPageFooter(t.Page);
    footer->SetName("PageFooter1");
    footer->SetBounds(0, 300, 700, 40);
    TfrxPreviewPages pages(&t.Report);
    pages.AddSourcePage(t.Page);
    pages.AddPage(t.Page);
    EXPECT_FALSE(pages.BandExists(t.Band));
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 0);
    pages.AddObject(footer);
    EXPECT_TRUE(pages.BandExists(footer));
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 0) << "page footers do not count";
    // Another page footer (created during the run) counts as the same kind.
    TfrxPageFooter other(nullptr);
    EXPECT_TRUE(pages.BandExists(&other));
    EXPECT_FALSE(pages.BandExists(t.Band));
    t.Band->SetTop(50);
    pages.AddObject(t.Band);
    EXPECT_TRUE(pages.BandExists(t.Band));
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 80);
    // A template that went away leaves no link behind.
    delete t.Band;
    t.Band = nullptr;
    EXPECT_EQ(pages.GetCurPosition(), 2);
}

// --- Packed pages ------------------------------------------------------------------------------

namespace {

TfrxXMLItem* PagesOf(TfrxPreviewPages& Pages) { return Pages.XMLDoc().Root()->FindItem("previewpages"); }

int PackedPages(TfrxPreviewPages& Pages) {
    TfrxXMLItem* pages = PagesOf(Pages);
    int n = 0;
    for (int i = 0; i < pages->Count(); ++i) n += pages->Items(i)->Packed() ? 1 : 0;
    return n;
}

int64_t PagesMemory(TfrxPreviewPages& Pages) {
    TfrxXMLItem* pages = PagesOf(Pages);
    int64_t n = 0;
    for (int i = 0; i < pages->Count(); ++i) n += pages->Items(i)->ChildrenMemory();
    return n;
}

std::string DescribeAll(TfrxPreviewPages& Pages) {
    std::string s;
    for (int i = 0; i < Pages.Count(); ++i) s += "[" + Describe(Pages.GetPage(i)) + "]";
    return s;
}

}  // namespace

// The pages of a run are packed; saved, they give the same file as the same pages with
// every element unpacked, and a file read back packs its pages and saves the same again.
TEST(PackedPages, SaveIsTheSameAsOfTheUnpackedStore) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 5, " \"<&>\" 项目\r\nline");
    EXPECT_EQ(PackedPages(pages), 5);
    EXPECT_EQ(pages.MemoryEstimate(), PagesMemory(pages)) << "the estimate is what the packed pages take";
    const std::string packed = SavedPages(pages);
    UnpackAll(pages.XMLDoc().Root());
    EXPECT_EQ(PackedPages(pages), 0);
    EXPECT_EQ(SavedPages(pages), packed);
    EXPECT_GT(PagesMemory(pages), 3 * pages.MemoryEstimate()) << "heap elements cost more";

    TfrxPreviewPages loaded(&t.Report);
    TMemoryStream stream;
    stream.WriteBuffer(packed);
    stream.SetPosition(0);
    loaded.LoadFromStream(stream);
    EXPECT_EQ(PackedPages(loaded), 5);
    EXPECT_EQ(SavedPages(loaded), packed);
    EXPECT_EQ(DescribeAll(loaded), DescribeAll(pages));
}

// The engine reads back from a packed page (bands there, the last Y, its objects count)
// without unpacking it, writes onto an earlier page and moves on onto an existing page.
TEST(PackedPages, EngineGoesBackToAnEarlierPage) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 3);
    pages.CurPage = 0;
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 50);
    EXPECT_TRUE(pages.BandExists(t.Band));
    EXPECT_EQ(pages.GetCurPosition(), 1);
    EXPECT_EQ(PackedPages(pages), 3) << "read in place";
    t.Band->SetTop(60);
    t.Memo->SetText("back on page 1");
    pages.AddObject(t.Band);
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 90);
    pages.AddPage(t.Page);   // onto the existing second page
    EXPECT_EQ(pages.CurPage, 1);
    EXPECT_EQ(pages.Count(), 3);
    t.Band->SetTop(70);
    t.Memo->SetText("then page 2");
    pages.AddObject(t.Band);
    pages.Finish();
    EXPECT_EQ(PackedPages(pages), 3);
    EXPECT_EQ(DescribeAll(pages),
              "[TfrxMasterData:MasterData1@0.000000,20.000000,793.701300,30.000000;"
              "TfrxMemoView:Memo1@10.000000,0.000000,200.000000,20.000000=row 0;"
              "TfrxMemoView:Memo2@300.000000,0.000000,100.000000,20.000000=fixed;"
              "TfrxMasterData:MasterData1@0.000000,60.000000,793.701300,30.000000;"
              "TfrxMemoView:Memo1@10.000000,0.000000,200.000000,20.000000=back on page 1;"
              "TfrxMemoView:Memo2@300.000000,0.000000,100.000000,20.000000=fixed;]"
              "[TfrxMasterData:MasterData1@0.000000,21.000000,793.701300,30.000000;"
              "TfrxMemoView:Memo1@10.000000,0.000000,200.000000,20.000000=row 1;"
              "TfrxMemoView:Memo2@300.000000,0.000000,100.000000,20.000000=fixed;"
              "TfrxMasterData:MasterData1@0.000000,70.000000,793.701300,30.000000;"
              "TfrxMemoView:Memo1@10.000000,0.000000,200.000000,20.000000=then page 2;"
              "TfrxMemoView:Memo2@300.000000,0.000000,100.000000,20.000000=fixed;]"
              "[TfrxMasterData:MasterData1@0.000000,22.000000,793.701300,30.000000;"
              "TfrxMemoView:Memo1@10.000000,0.000000,200.000000,20.000000=row 2;"
              "TfrxMemoView:Memo2@300.000000,0.000000,100.000000,20.000000=fixed;]");
}

// A kept block cut from a page the engine had left (packed) and pasted onto the next one:
// the bands move with their objects and their new places; both pages end up packed.
TEST(PackedPages, KeptBlockCutFromAPackedPage) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    pages.AddSourcePage(t.Page);
    pages.AddPage(t.Page);
    for (int i = 0; i < 3; ++i) {
        t.Band->SetTop(20 + 30 * i);
        t.Memo->SetText("kept " + std::to_string(i));
        pages.AddObject(t.Band);
    }
    pages.AddPage(t.Page);
    t.Band->SetTop(20);
    t.Memo->SetText("next");
    pages.AddObject(t.Band);
    ASSERT_TRUE(PagesOf(pages)->Items(0)->Packed());
    pages.CurPage = 0;
    pages.CutObjects(1);
    EXPECT_EQ(pages.GetCurPosition(), 1);
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 50);
    pages.CurPage = 1;
    pages.PasteObjects(5, 200);
    EXPECT_EQ(pages.GetCurPosition(), 3);
    EXPECT_DOUBLE_EQ(pages.GetLastY(), 260);
    t.Band->SetTop(260);
    t.Memo->SetText("after");
    pages.AddObject(t.Band);
    pages.Finish();
    EXPECT_EQ(PackedPages(pages), 2);
    EXPECT_EQ(pages.XMLDoc().Root()->Find("cutted"), -1);
    std::string bands;
    for (int i = 0; i < 2; ++i) {
        for (TfrxComponent* c : pages.GetPage(i)->AllObjects()) {
            if (c->Name() == "MasterData1") bands += FloatToStr(c->Left()) + "/" + FloatToStr(c->Top()) + "=";
            if (c->Name() == "Memo1") bands += TextOf(dynamic_cast<TfrxMemoView*>(c)) + " ";
        }
        bands += "| ";
    }
    EXPECT_EQ(bands, "0/20=kept 0 | 0/20=next 5/200=kept 1 5/230=kept 2 0/260=after | ");
    const std::string saved = SavedPages(pages);
    UnpackAll(pages.XMLDoc().Root());
    EXPECT_EQ(SavedPages(pages), saved);
}

// With the file cache, packed pages go to the temporary file and come back; the file saved
// is the one a run without the cache saves. Without it the estimate stays the pages' size.
TEST(PackedPages, FileCacheMovesPackedPages) {
    TTemplate t;
    const std::string filler(2000, 'x');
    TfrxPreviewPages plain(&t.Report);
    t.Fill(plain, 1000, filler);
    EXPECT_TRUE(plain.XMLDoc().TempFileName().empty());
    EXPECT_EQ(plain.MemoryEstimate(), PagesMemory(plain));
    EXPECT_GT(plain.MemoryEstimate(), 1000 * 2000);

    t.Report.EngineOptions()->UseFileCache = true;
    t.Report.EngineOptions()->MaxMemSize = 1;
    TfrxPreviewPages cached(&t.Report);
    t.Fill(cached, 1000, filler);
    EXPECT_FALSE(cached.XMLDoc().TempFileName().empty());
    EXPECT_LT(LoadedPages(cached), 1000);
    EXPECT_LE(cached.MemoryEstimate(), 1048576 + 2 * 2100);
    EXPECT_EQ(SavedPages(cached), SavedPages(plain));
    EXPECT_LT(LoadedPages(cached), 1000) << "saving leaves moved pages in the file";
    EXPECT_EQ(TextOf(MemoOf(cached.GetPage(700), "Memo1")), "row 700" + filler);
    EXPECT_TRUE(PagesOf(cached)->Items(700)->Packed());
}

// The preview builds its pages from packed pages, from pages read page by page from a
// file and from the temporary file; each page goes back to its packed form.
TEST(PackedPages, PreviewBuildsFromPackedPages) {
    TTemplate t;
    TfrxPreviewPages pages(&t.Report);
    t.Fill(pages, 120);
    for (int i = 0; i < 120; ++i) {
        ASSERT_EQ(TextOf(MemoOf(pages.GetPage(i), "Memo1")), "row " + std::to_string(i));
        ASSERT_TRUE(PagesOf(pages)->Items(i)->Packed()) << i;
    }
    EXPECT_EQ(pages.CachedPages(), TfrxPreviewPages::CacheSize);
    // The last page built is the one in the cache: a second look gives the same page.
    TfrxPage* again = pages.GetPage(119);
    EXPECT_EQ(pages.GetPage(119), again);

    const std::string file = TempName("packed.bp3");
    pages.SaveToFile(file);
    t.Report.EngineOptions()->UseFileCache = true;
    TfrxPreviewPages loaded(&t.Report);
    ASSERT_TRUE(loaded.LoadFromFile(file, false, true));
    EXPECT_EQ(PackedPages(loaded), 2) << "the first two pages are read and packed";
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 120; ++i) {
            ASSERT_EQ(TextOf(MemoOf(loaded.GetPage(i), "Memo1")), "row " + std::to_string(i)) << round;
            ASSERT_TRUE(PagesOf(loaded)->Items(i)->Packed() || !PagesOf(loaded)->Items(i)->Loaded()) << i;
        }
    EXPECT_FALSE(loaded.XMLDoc().TempFileName().empty()) << "pages dropped from the cache went to the file";
    EXPECT_EQ(SavedPages(loaded), SavedPages(pages));
    std::remove(file.c_str());
}
