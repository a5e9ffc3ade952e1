#include "report/Engine.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/Aggregates.h"
#include "report/Bands.h"
#include "report/DotMatrix.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/QuietBands.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include <tuple>

ROVE_IMPLEMENT_CLASS(TfrxEngine)

void frxRegisterEngine() {
    // Once per process, and only into empty class variables: a program (or a test) that
    // put its own engine or store there keeps it, and one that emptied them later is
    // not overruled by the next report.
    static bool registered = false;
    if (registered) return;
    registered = true;
    frxRegisterBandAndPageClasses();
    if (!frxEngineClass()) frxEngineClass() = [](TfrxReport* Report) { return std::make_unique<TfrxEngine>(Report); };
    if (!frxPreviewPagesClass()) frxRegisterPreviewPages();
}

namespace {

constexpr double kEps = 0.0001;

// The dataset a data band runs over: its own, else its row-count dataset when RowCount
// asks for rows.
TfrxDataSet* DataSetOf(TfrxDataBand* Band) {
    if (!Band) return nullptr;
    if (Band->DataSet()) return Band->DataSet();
    if (Band->RowCount() >= 1) return Band->VirtualDataSet();
    return nullptr;
}

void ResetSuppressed(TfrxBand* Band) {
    for (TfrxComponent* c : Band->ObjectList())
        if (auto* m = frxAs<TfrxCustomMemoView>(c)) m->ResetSuppress();
}

bool IsFooterKind(const TfrxComponent* Band) {
    return Band->Is<TfrxFooter>() || Band->Is<TfrxGroupFooter>() || Band->Is<TfrxPageFooter>() ||
           Band->Is<TfrxReportSummary>() || Band->Is<TfrxColumnFooter>();
}

// A group condition's value against the group's: a field gives the rows of one group the
// same string (docs/database.md), which needs no comparing.
bool SameGroupValue(const Variant& Value, const Variant& Last) {
    if (Value.IsString() && Last.IsString() && &Value.StrValue() == &Last.StrValue()) return true;
    return Value == Last;
}

// A copy of an object list for a walk during which scripts may add objects to the list;
// a short list stays on the stack.
class TObjectsCopy {
public:
    TObjectsCopy(const std::vector<TfrxComponent*>& List, size_t Count) : FCount(Count) {
        if (Count <= kOnStack) {
            std::copy_n(List.begin(), Count, FOnStack);
            FItems = FOnStack;
        } else {
            FOnHeap.assign(List.begin(), List.begin() + static_cast<std::ptrdiff_t>(Count));
            FItems = FOnHeap.data();
        }
    }
    TObjectsCopy(const TObjectsCopy&) = delete;
    TObjectsCopy& operator=(const TObjectsCopy&) = delete;
    size_t size() const { return FCount; }
    bool empty() const { return FCount == 0; }
    TfrxComponent* operator[](size_t Index) const { return FItems[Index]; }
    TfrxComponent* const* begin() const { return FItems; }
    TfrxComponent* const* end() const { return FItems + FCount; }

private:
    static constexpr size_t kOnStack = 32;
    TfrxComponent* FOnStack[kOnStack];
    std::vector<TfrxComponent*> FOnHeap;
    TfrxComponent** FItems;
    size_t FCount;
};

}  // namespace

// A class never changes its ancestors, so what the band output asks of it is worked out
// once; the classes met are kept in a short table, the one asked for last in front.
inline TfrxEngine::TClassKind TfrxEngine::KindOf(const TfrxComponent* Obj) {
    const TClass cls = Obj->ClassType();
    if (cls != FLastKind.Class) FLastKind = FindKind(cls, Obj);
    return FLastKind;
}

TfrxEngine::TClassKind TfrxEngine::FindKind(TClass Class, const TfrxComponent* Obj) {
    for (size_t i = 0; i < FKindCount; ++i)
        if (FKinds[i].Class == Class) return FKinds[i];
    TClassKind& k = FKinds[FKindCount < std::size(FKinds) ? FKindCount++ : (FKindNext++ % std::size(FKinds))];
    k.Class = Class;
    k.ReportComponent = Obj->Is<TfrxReportComponent>();
    k.Stretcheable = Obj->Is<TfrxStretcheable>();
    k.Subreport = Obj->Is<TfrxSubreport>();
    k.DMPMemo = Obj->Is<TfrxDMPMemoView>();
    k.DataBand = Obj->Is<TfrxDataBand>();
    k.NullBand = Obj->Is<TfrxNullBand>();
    k.FooterKind = IsFooterKind(Obj);
    return k;
}

// An object told of the rows may look into their bands: nothing is left out then.
inline bool TfrxEngine::LeavesObjectsOut(TfrxBand* Band) {
    return !FinalPass && NotifyList().empty() && FQuietBands->Quiet(Band);
}

// --- TfrxHeaderList ----------------------------------------------------------------------------

void TfrxHeaderList::Remove(TfrxBand* Band) {
    for (auto it = FItems.begin(); it != FItems.end(); ++it)
        if (it->Band == Band) {
            FItems.erase(it);
            return;
        }
}

// --- TfrxEngine --------------------------------------------------------------------------------

TfrxEngine::TfrxEngine(TfrxReport* AReport)
    : TfrxCustomEngine(AReport),
      FAggregates(std::make_unique<TfrxAggregateList>(AReport)),
      FQuietBands(std::make_unique<TfrxQuietBands>(AReport)) {}
TfrxEngine::~TfrxEngine() = default;

bool TfrxEngine::Terminated() const { return PreviewPages() && PreviewPages()->Terminated(); }

double TfrxEngine::FreeSpace() { return PageHeight - FFooterHeight - CurY; }

void TfrxEngine::AddAnchor(const std::string& Text) {
    if (auto* pp = frxAs<TfrxPreviewPages>(PreviewPages())) pp->AddAnchor(Text);
}

int TfrxEngine::GetAnchorPage(const std::string& Text) {
    auto* pp = frxAs<TfrxPreviewPages>(PreviewPages());
    return pp ? pp->GetAnchorPage(Text) : 1;
}

// --- Aggregates ------------------------------------------------------------------------------
// The aggregate calls (SUM, AVG, MIN, MAX, COUNT of footer memos) are registered per
// report page, fed after each printed data row and reset after the footer that shows them.

void TfrxEngine::AggregatesClear() { FAggregates->Clear(); }
void TfrxEngine::AggregatesAddItems(TfrxReportPage* Page) {
    FAggregates->AddItems(Page, [this](const TfrxComponent* Obj) { return RowBandOf(Obj); });
}
void TfrxEngine::AggregatesClearValues() { FAggregates->ClearValues(); }
void TfrxEngine::AggregatesAddValue(TfrxBand* Band) {
    if (FinalPass || !FQuietBands->AggregatesReadByMemosOnly()) {
        FAggregates->AddValue(Band, 0);
        return;
    }
    // A pass before the last: an item printed on a quiet band is read by nobody in it (its
    // values are cleared before the final pass).
    FAggregates->AddValue(Band, 0, [this](const TfrxAggregateItem& Item) { return !FQuietBands->Quiet(Item.ParentBand); });
}
void TfrxEngine::AggregatesReset(TfrxBand* Band) { FAggregates->Reset(Band); }
void TfrxEngine::AggregatesStartKeep() { FAggregates->StartKeep(); }
void TfrxEngine::AggregatesEndKeep() { FAggregates->EndKeep(); }

Variant TfrxEngine::GetAggregateValue(const std::string& Name, TfrxComponent*) {
    return FAggregates->GetValue(FCurBand, CurVColumn, Name);
}

// --- Band tree ---------------------------------------------------------------------------------

void TfrxEngine::BuildBandTree(TfrxReportPage* Page, bool Vertical) {
    TfrxReport* report = Report();
    Page->AlignChildren();
    std::vector<TfrxDataBand*>& masters = Vertical ? Page->VerticalMasters : Page->HorizontalMasters;
    masters.clear();

    // Bands of the tree sorted by position; a band at a position already taken is left out.
    std::map<std::string, TfrxBand*> sorted;
    for (TfrxComponent* c : Page->ObjectList()) {
        auto* band = frxAs<TfrxBand>(c);
        if (!band || band->Vertical != Vertical) continue;
        if (auto* db = frxAs<TfrxDataBand>(band)) {
            db->DetailList.clear();
            db->Header = nullptr;
            db->Footer = nullptr;
            db->Group = nullptr;
            if (!db->DataSet() && db->RowCount() >= 1) db->VirtualDataSet()->Initialize();
        }
        if (auto* gh = frxAs<TfrxGroupHeader>(band)) {
            gh->GroupList.clear();
            gh->Footer = nullptr;
        }
        band->HoldsVerticalCells = false;
        const int n = band->BandNumber();
        if (n < 4 || n > 13) continue;
        std::string key = Format("%9.2f", {Vertical ? band->Left() : band->Top()});
        sorted.emplace(std::move(key), band);
    }
    std::vector<TfrxBand*> list;
    for (auto& [key, band] : sorted) list.push_back(band);

    // The objects of horizontal bands that lie within a vertical band's span become that
    // band's cells for their row.
    if (!Vertical) {
        std::vector<TfrxBand*> verticals;
        for (TfrxComponent* c : Page->ObjectList())
            if (auto* band = frxAs<TfrxBand>(c); band && band->Vertical) verticals.push_back(band);
        if (!verticals.empty())
            for (TfrxComponent* c : std::vector<TfrxComponent*>(Page->ObjectList())) {
                auto* row = frxAs<TfrxBand>(c);
                if (!row || row->Vertical) continue;
                for (TfrxComponent* obj : std::vector<TfrxComponent*>(row->ObjectList()))
                    for (TfrxBand* v : verticals)
                        if (obj->Left() >= v->Left() - kEps && obj->Left() + obj->Width() <= v->Left() + v->Width() + kEps) {
                            const double left = obj->Left() - v->Left();
                            obj->SetParent(v);
                            obj->SetLeft(left);
                            FRowBands[obj] = row;
                            row->HoldsVerticalCells = true;
                            break;
                        }
            }
    }

    auto error = [&](const char* Key, TfrxBand* Band) {
        report->Errors()->Add(frxResources().Get(Key) + " " + Band->Name());
    };

    // Groups: a run of group headers belongs to the next data band below them.
    for (size_t i = 0; i < list.size();) {
        auto* gh = frxAs<TfrxGroupHeader>(list[i]);
        if (!gh) {
            ++i;
            continue;
        }
        gh->GroupList.push_back(gh);
        size_t j = i + 1;
        for (; j < list.size() && list[j]->Is<TfrxGroupHeader>(); ++j)
            gh->GroupList.push_back(static_cast<TfrxGroupHeader*>(list[j]));
        TfrxDataBand* data = nullptr;
        for (size_t k = j; k < list.size() && !data; ++k) data = frxAs<TfrxDataBand>(list[k]);
        if (data) data->Group = gh;
        else error("enUnconnGroup", gh);
        i = j;
    }
    // Each group footer closes the nearest open group header above it.
    for (size_t i = 0; i < list.size();) {
        if (!list[i]->Is<TfrxGroupFooter>()) {
            ++i;
            continue;
        }
        size_t h = i;
        while (h > 0 && !list[h - 1]->Is<TfrxGroupHeader>()) --h;
        if (h == 0) {
            ++i;
            continue;
        }
        static_cast<TfrxGroupHeader*>(list[h - 1])->Footer = static_cast<TfrxGroupFooter*>(list[i]);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(h - 1));
        i = h - 1;
    }
    for (size_t i = 0; i < list.size();) {
        if (list[i]->Is<TfrxGroupHeader>()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        else if (list[i]->Is<TfrxGroupFooter>()) {
            error("enUnconnGFooter", list[i]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        } else ++i;
    }

    // Headers and footers directly around a data band.
    for (size_t i = 0; i < list.size(); ++i) {
        auto* db = frxAs<TfrxDataBand>(list[i]);
        if (!db) continue;
        if (i + 1 < list.size() && list[i + 1]->Is<TfrxFooter>()) {
            db->Footer = list[i + 1];
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i + 1));
        }
        if (i > 0 && list[i - 1]->Is<TfrxHeader>()) {
            db->Header = list[i - 1];
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i - 1));
            --i;
        }
    }
    for (size_t i = 0; i < list.size();) {
        if (list[i]->Is<TfrxHeader>() || list[i]->Is<TfrxFooter>()) {
            error("enUnconnHeader", list[i]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        } else ++i;
    }

    // Master and detail bands: the bands one level deeper below a data band, up to the
    // next band of its own level or above, are its details.
    std::vector<bool> used(list.size(), false);
    std::function<void(size_t)> link = [&](size_t At) {
        auto* db = static_cast<TfrxDataBand*>(list[At]);
        const int level = db->BandNumber();
        for (size_t j = At + 1; j < list.size(); ++j) {
            auto* d = frxAs<TfrxDataBand>(list[j]);
            if (!d) continue;
            const int n = d->BandNumber();
            if (n <= level) break;
            if (n != level + 1) continue;
            used[j] = true;
            if (DataSetOf(d)) db->DetailList.push_back(d);
            if (n != 11) link(j);
        }
    };
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i]->Is<TfrxMasterData>()) continue;
        used[i] = true;
        auto* m = static_cast<TfrxDataBand*>(list[i]);
        if (DataSetOf(m)) masters.push_back(m);
        link(i);
    }
    for (size_t i = 0; i < list.size(); ++i)
        if (!used[i]) error("enBandPos", list[i]);

    // The links stay after the run: a band that goes before the next one builds them
    // again takes itself out of them (its free notifications).
    for (TfrxDataBand* m : masters) m->FreeNotification(Page);
    for (TfrxComponent* c : Page->ObjectList()) {
        if (auto* db = frxAs<TfrxDataBand>(c)) {
            for (TfrxBand* b : {db->Header, db->Footer, static_cast<TfrxBand*>(db->Group)})
                if (b) b->FreeNotification(db);
            for (TfrxDataBand* d : db->DetailList) d->FreeNotification(db);
        } else if (auto* gh = frxAs<TfrxGroupHeader>(c)) {
            if (gh->Footer) gh->Footer->FreeNotification(gh);
            for (TfrxGroupHeader* g : gh->GroupList) g->FreeNotification(gh);
        }
    }
}

// --- Run ---------------------------------------------------------------------------------------

bool TfrxEngine::Run() {
    TfrxReport* report = Report();
    TfrxCustomPreviewPages* pp = PreviewPages();
    if (!report || !pp) return false;
    bool result = false;
    bool datasetsReady = false, started = false;
    // Whatever happens, the run ends: the stop event when the start event ran, the
    // datasets finalised, the prepared pages finished and the engine no longer running.
    auto finish = [&] {
        if (started) {
            started = false;
            report->DoNotifyEvent(report, report->OnStopReport);
        }
        if (datasetsReady) {
            datasetsReady = false;
            report->DataSets()->Finalize();
        }
        if (auto* store = frxAs<TfrxPreviewPages>(pp)) store->PassWritesNoBands = false;
        FPassWritesNoBands = false;
        pp->Finish();
        Running = false;
        FKeeping = false;
        FKeepBand = nullptr;
        FNoBreak = 0;
    };
    try {
        pp->Initialize();
        // The time of day only: "[Date] [Time]" shows the date once.
        const TDateTime now = Now();
        StartDate = DateOf(now);
        StartTime = TimeOf(now);
        Running = true;
        FKeeping = false;
        FKeepBand = nullptr;
        CurVColumn = 0;
        FRowBands.clear();
        FCollectingBand = nullptr;
        FQuietBands->Reset();
        AggregatesClear();
        for (int i = 0; i < report->PagesCount(); ++i) {
            TfrxPage* page = report->Pages(i);
            if (auto* rp = frxAs<TfrxReportPage>(page)) {
                FPage = rp;
                pp->AddSourcePage(rp);
                BuildBandTree(rp, false);
                BuildBandTree(rp, true);
                AggregatesAddItems(rp);
            } else if (auto* dp = frxAs<TfrxDialogPage>(page)) {
                dp->Initialize();
            }
        }
        CheckSubreportCycles();
        if (report->Errors()->Count() == 0) {
            report->DataSets()->Initialize();
            datasetsReady = true;
            started = true;
            report->DoNotifyEvent(report, report->OnStartReport);
            if (RunDialogs()) {
                result = true;
                FinalPass = !DoublePass();
                TotalPages = 0;
                auto* store = frxAs<TfrxPreviewPages>(pp);
                if (store) store->PassWritesNoBands = !FinalPass && !ReadsBandsBack();
                FPassWritesNoBands = store && store->PassWritesNoBands;
                pp->BeginPass();
                RunPass();
                if (DoublePass()) {
                    TotalPages = pp->Count();
                    pp->ClearFirstPassPages();
                    AggregatesClearValues();
                    FinalPass = true;
                    FPassWritesNoBands = false;
                    RunPass();
                }
            }
        }
    } catch (const EfrxRunStopped&) {
        // Stopped amid the objects of a page: the run ends as a terminated run does, without
        // the page it was making.
        if (auto* store = frxAs<TfrxPreviewPages>(pp)) store->DropUnfinishedPage();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return result;
}

bool TfrxEngine::RunDialogs() {
    TfrxReport* report = Report();
    for (int i = 0; i < report->PagesCount(); ++i) {
        auto* dp = frxAs<TfrxDialogPage>(report->Pages(i));
        if (!dp || !dp->Visible()) continue;
        dp->SetBorderStyle(dp->BorderStyle());
        if (!dp->Form() || dp->Form()->ControlCount() == 0) continue;
        if (OnRunDialogs) OnRunDialogs(dp);
        else dp->ShowModal();
        if (dp->ModalResult() == 2) return false;
    }
    return true;
}

void TfrxEngine::RunPass() {
    FNewReportPage = true;
    TfrxDataSet* ds = Report()->DataSet();
    if (ds) {
        ds->Activate();
        ds->First();
        while (!ds->Eof() && !Terminated()) {
            RunReportPages();
            ds->Next();
        }
    } else {
        RunReportPages();
    }
}

void TfrxEngine::RunReportPages() {
    TfrxReport* report = Report();
    for (int i = 0; i < report->PagesCount(); ++i) {
        auto* rp = frxAs<TfrxReportPage>(report->Pages(i));
        if (!rp) continue;
        FPage = rp;
        if (!rp->IsSubReport() && rp->Visible()) RunPage(rp);
        if (Terminated()) break;
        FNewReportPage = false;
    }
}

void TfrxEngine::RunPage(TfrxReportPage* Page) {
    TfrxReport* report = Report();
    FRunningPage = true;
    report->DoNotifyEvent(Page, Page->OnBeforePrint);
    if (TfrxDataSet* ds = Page->DataSet()) {
        ds->Activate();
        ds->First();
        while (!ds->Eof() && !Terminated()) {
            RunPageBody(Page);
            ds->Next();
        }
    } else {
        RunPageBody(Page);
    }
    report->DoNotifyEvent(Page, Page->OnAfterPrint);
}

void TfrxEngine::RunPageBody(TfrxReportPage* Page) {
    TfrxReport* report = Report();
    if (!HasData(nullptr, Page->HorizontalMasters, false) && !report->EngineOptions()->PrintIfEmpty) return;
    PageStart();

    // The objects placed on the page itself print once, at their page positions.
    std::vector<TfrxComponent*> loose;
    for (TfrxComponent* c : Page->ObjectList())
        if (!frxAs<TfrxBand>(c)) loose.push_back(c);
    if (!loose.empty()) {
        auto nullBand = std::make_unique<TfrxNullBand>(nullptr);
        nullBand->SetParent(Page);
        nullBand->SetBounds(0, 0, Page->Width(), 0);
        for (TfrxComponent* c : loose) c->SetParent(nullBand.get());
        try {
            ShowBand(nullBand.get());
        } catch (...) {
            for (TfrxComponent* c : loose) c->SetParent(Page);
            nullBand->SetParent(nullptr);
            throw;
        }
        for (TfrxComponent* c : loose) c->SetParent(Page);
        nullBand->SetParent(nullptr);
    }

    if (report->OnManualBuild.Assigned()) report->OnManualBuild(Page);
    else if (!Trim(Page->OnManualBuild).empty()) report->DoNotifyEvent(Page, Trim(Page->OnManualBuild));
    else ShowDataBands(Page->HorizontalMasters);
    ShowBand(TfrxReportSummary::StaticClass());
    FLastPage = true;
    EndPage();
    FLastPage = false;
}

// --- Pages and columns ---------------------------------------------------------------------

void TfrxEngine::PageStart() {
    TfrxReportPage* page = FPage;
    TfrxCustomPreviewPages* pp = PreviewPages();
    auto* title = page->FindBand<TfrxReportTitle>();
    auto* header = page->FindBand<TfrxPageHeader>();
    FHeaderList.Clear();
    if (page->TitleBeforeHeader) {
        FHeaderList.Add(title, 0, false);
        FHeaderList.Add(header, 0, false);
    } else {
        FHeaderList.Add(header, 0, false);
        FHeaderList.Add(title, 0, false);
    }
    FFooterList[0] = page->FindBand<TfrxColumnFooter>();
    FFooterList[1] = page->FindBand<TfrxPageFooter>();

    PageHeight = page->PaperHeight() * frxMmToPixels - page->TopMargin * frxMmToPixels -
                 page->BottomMargin * frxMmToPixels;
    PageWidth = page->PaperWidth() * frxMmToPixels - page->LeftMargin * frxMmToPixels -
                page->RightMargin * frxMmToPixels;
    FFooterHeight = 0;
    for (TfrxBand* b : FFooterList)
        if (b) FFooterHeight += b->Height();

    CurX = 0;
    CurY = 0;
    CurColumn = 1;
    FColumnOrigin = 0;
    FFirstPage = true;
    FLastPage = false;

    if (pp->Count() > 0 && page->PrintOnPreviousPage) {
        pp->CurPage = pp->Count() - 1;
        CurY = pp->GetLastY();
        ++FNoBreak;
        try {
            ShowBand(title);
        } catch (...) {
            --FNoBreak;
            throw;
        }
        --FNoBreak;
    } else {
        OpenPage();
    }
    if (FNewReportPage) pp->FirstPage = pp->CurPage;

    FPageTop = CurY;
    // A page continued below another report page's output keeps the top it was opened
    // with: the space left there is no fresh page.
    const bool opened = CurY <= FBandsTop + kEps;
    if (auto* colHeader = page->FindBand<TfrxColumnHeader>()) {
        ShowBand(colHeader);
        FHeaderList.Add(colHeader, FColumnOrigin, false);
    }
    if (opened) FBandsTop = CurY;
    FHeaderList.Remove(title);
    if (TfrxCustomOutline* outline = pp->Outline()) {
        outline->LevelRoot();
        if (!page->OutlineText.empty()) {
            Report()->CurObject = page->Name();
            outline->AddItem(VarToStr(Report()->Calc(page->OutlineText)), 0);
        }
    }
}

void TfrxEngine::AddPageOutline() {
    TfrxCustomOutline* outline = PreviewPages()->Outline();
    if (!outline || FPage->OutlineText.empty()) return;
    outline->LevelRoot();
    Report()->CurObject = FPage->Name();
    outline->AddItem(VarToStr(Report()->Calc(FPage->OutlineText)), 0);
}

void TfrxEngine::ShowHeaderList(double ColumnX, bool PageHeaderOnlyAtZero) {
    // A copy: a band's scripts may change the list.
    std::vector<TfrxHeaderList::TItem> items;
    for (int i = 0; i < FHeaderList.Count(); ++i) items.push_back(FHeaderList.Items(i));
    const double savedX = CurX;
    for (const auto& item : items) {
        TfrxBand* band = item.Band;
        if (!band) continue;
        if (auto* ph = frxAs<TfrxPageHeader>(band)) {
            if (FFirstPage && !ph->PrintOnFirstPage) continue;
            if (PageHeaderOnlyAtZero && CurY > kEps) continue;
        }
        if (FKeeping && item.IsInKeepList) continue;
        if (FReopening && PreviewPages()->BandExists(band)) {
            CurY += band->Height();
            continue;
        }
        CurX = ColumnX + item.Left;
        band->Overflow = !FFirstPage || PageHeaderOnlyAtZero;
        try {
            ShowBand(band);
        } catch (...) {
            band->Overflow = false;
            throw;
        }
        band->Overflow = false;
    }
    CurX = savedX;
}

void TfrxEngine::OpenPage() {
    TfrxCustomPreviewPages* pp = PreviewPages();
    // Side-by-side output (separate subreports) moves onto pages that exist already:
    // their header bands are there and are not printed twice.
    auto* store = frxAs<TfrxPreviewPages>(pp);
    const bool reopening = pp->CurPage + 1 < pp->Count() && !(store && store->AddPages);
    ++FNoBreak;
    FReopening = reopening;
    try {
        pp->AddPage(FPage);
        CurY = 0;
        if (auto* overlay = FPage->FindBand<TfrxOverlay>(); overlay && !(reopening && pp->BandExists(overlay))) {
            ShowBand(overlay);
            CurY = 0;
        }
        ShowHeaderList(0, false);
    } catch (...) {
        --FNoBreak;
        FReopening = false;
        throw;
    }
    --FNoBreak;
    FReopening = false;
    FBandsTop = CurY;
}

void TfrxEngine::ShowColumnFooter() {
    auto* footer = FPage->FindBand<TfrxColumnFooter>();
    if (!footer) return;
    ++FNoBreak;
    try {
        ShowBand(footer);
    } catch (...) {
        --FNoBreak;
        throw;
    }
    --FNoBreak;
}

double TfrxEngine::ColumnX(int Column) const {
    // A missing or unreadable position falls back to equal columns.
    TStringList* positions = FPage->ColumnPositions();
    if (positions && Column >= 1 && Column <= positions->Count()) {
        try {
            return frxStrToFloat(positions->Strings(Column - 1)) * frxMmToPixels;
        } catch (...) {
        }
    }
    return (Column - 1) * FPage->ColumnWidth * frxMmToPixels;
}

void TfrxEngine::EndPage() {
    TfrxCustomPreviewPages* pp = PreviewPages();
    TfrxReport* report = Report();
    if (FPage->Columns() > 1) {
        // Under the current column, without the origin a subreport adds.
        CurX -= FColumnOrigin;
        ShowColumnFooter();
        CurX = FColumnOrigin;
        CurColumn = 1;
        FPageTop = 0;
    }
    CurY = PageHeight - FFooterHeight;
    ++FNoBreak;
    try {
        for (TfrxBand* band : FFooterList) {
            if (!band) continue;
            TBandPrint print{LeavesObjectsOut(band), {}};
            BeginBandPrint(band, print);
            if (band->Visible()) {
                bool skip = false;
                if (auto* pf = frxAs<TfrxPageFooter>(band))
                    skip = (FFirstPage && !pf->PrintOnFirstPage) || (FLastPage && !pf->PrintOnLastPage);
                if (!skip && !pp->BandExists(band)) {
                    band->SetLeft(0);
                    band->SetTop(CurY);
                    pp->AddObject(band);
                    CurY += band->Height();
                }
            }
            EndBandPrint(band, print);
            AggregatesReset(band);
        }
    } catch (...) {
        --FNoBreak;
        throw;
    }
    --FNoBreak;
    (void)report;
    FFirstPage = false;
}

void TfrxEngine::NewPage() {
    TfrxCustomPreviewPages* pp = PreviewPages();
    const bool wasKeeping = FKeeping;
    if (wasKeeping) pp->CutObjects(FKeepPosition);
    EndPage();
    OpenPage();
    if (wasKeeping) {
        AggregatesEndKeep();
        pp->PasteObjects(0, CurY);
        if (TfrxCustomOutline* outline = pp->Outline())
            outline->ShiftItems(FKeepOutline, frxRoundInt(CurY));
        CurY = pp->GetLastY();
    }
    FKeeping = false;
    FKeepBand = nullptr;
    AddPageOutline();
}

void TfrxEngine::NewColumn() {
    if (CurColumn < FPage->Columns()) {
        ShowColumnFooter();
        ++CurColumn;
        const double x = ColumnX(CurColumn);
        CurY = FPageTop;
        ++FNoBreak;
        try {
            ShowHeaderList(x, true);
        } catch (...) {
            --FNoBreak;
            throw;
        }
        --FNoBreak;
        FBandsTop = CurY;
        CurX = x + FColumnOrigin;
    } else {
        NewPage();
    }
}

// --- Data bands ----------------------------------------------------------------------------

bool TfrxEngine::HasData(TfrxDataBand* Band, const std::vector<TfrxDataBand*>& Details, bool PrintIfDetailEmpty) {
    if (PrintIfDetailEmpty) return true;
    bool result = Band && Details.empty();
    for (TfrxDataBand* d : Details) {
        TfrxDataSet* ds = DataSetOf(d);
        if (!ds) continue;
        ds->Activate();
        Report()->DoNotifyEvent(d, d->OnMasterDetail);
        ds->First();
        if (!ds->Eof()) result = result || HasData(d, d->DetailList, d->PrintIfDetailEmpty);
    }
    return result;
}

void TfrxEngine::AddToHeaderList(TfrxBand* Band) {
    bool reprint = false;
    if (auto* h = frxAs<TfrxHeader>(Band)) reprint = h->ReprintOnNewPage;
    else if (auto* g = frxAs<TfrxGroupHeader>(Band)) reprint = g->ReprintOnNewPage;
    if (!reprint) return;
    if (Band->Vertical) FVerticalReprint.push_back(Band);
    else FHeaderList.Add(Band, FColumnOrigin, FKeeping);
}

void TfrxEngine::RemoveFromHeaderList(TfrxBand* Band) {
    if (!Band) return;
    if (Band->Vertical) {
        auto it = std::find(FVerticalReprint.begin(), FVerticalReprint.end(), Band);
        if (it != FVerticalReprint.end()) FVerticalReprint.erase(it);
    } else {
        FHeaderList.Remove(Band);
    }
}

void TfrxEngine::StartKeep(TfrxBand* Band, int Position) {
    if (FKeeping || FRunningPage) return;
    FKeeping = true;
    FKeepBand = Band;
    FKeepPosition = Position != 0 ? Position : PreviewPages()->GetCurPosition();
    FKeepOutline = PreviewPages()->Outline() ? PreviewPages()->Outline()->GetCurPosition() : nullptr;
    AggregatesStartKeep();
}

void TfrxEngine::EndKeep(TfrxBand* Band) {
    if (!FKeeping || FKeepBand != Band) return;
    FKeeping = false;
    FKeepBand = nullptr;
    AggregatesEndKeep();
}

void TfrxEngine::ShowDataBands(const std::vector<TfrxDataBand*>& Bands, bool Vertical) {
    if (Terminated()) return;
    TfrxCustomPreviewPages* pp = PreviewPages();
    for (TfrxDataBand* band : Bands) {
        TfrxDataSet* ds = DataSetOf(band);
        if (!ds) continue;
        ds->Activate();
        ds->First();
        band->Line = 1;
        band->LineThrough = 1;
        band->SetCurColumn(1);
        ResetSuppressed(band);
        bool first = true, printed = false;
        double rowY = CurY;
        int rowStart = 0, footerKeepPosition = 0;
        TfrxBand* header = band->Header;
        while (!ds->Eof()) {
            if (HasData(band, band->DetailList, band->PrintIfDetailEmpty)) {
                printed = true;
                if (first) {
                    if (band->KeepTogether && !Vertical) StartKeep(band);
                    if (band->KeepHeader && header && !Vertical) StartKeep(band);
                    ShowBand(header);
                    if (header) AddToHeaderList(header);
                } else if (!band->Group && band->KeepTogether && !Vertical) {
                    StartKeep(band);
                }
                if (band->Group) {
                    if (first) StartGroups(band, 0, true);
                    else CheckGroups(band, rowY, rowStart);
                }
                if (band->KeepFooter) footerKeepPosition = pp->GetCurPosition();
                if (band->Columns >= 2 && band->CurColumn() == 1 && !Vertical) rowStart = pp->GetCurPosition();
                rowY = CurY;
                CurLine = band->Line;
                CurLineThrough = band->LineThrough;
                ShowBand(band);
                // By index: an entry may add or drop entries.
                for (size_t i = 0; i < NotifyList().size(); ++i)
                    if (auto* rc = dynamic_cast<TfrxReportComponent*>(NotifyList()[i])) rc->OnNotify(band);
                if (first && band->KeepHeader && header) EndKeep(band);
                if (!Vertical) DoColumns(band, rowY, rowStart);
                ++band->Line;
                ++band->LineThrough;
                first = false;
                // A vertical cell fed the aggregates with its column when it was shown.
                if (!Vertical) AggregatesAddValue(band);
                if (!band->OutlineText.empty() && !Vertical) AddBandOutline(band);
                ShowDataBands(band->DetailList, Vertical);
                if (!band->OutlineText.empty() && !Vertical)
                    if (TfrxCustomOutline* outline = pp->Outline()) outline->LevelUp();
                // Only a row that printed gets its own footer.
                if (band->FooterAfterEach) ShowBand(band->Footer);
            }
            FRunningPage = false;
            if (!band->Group && band->KeepTogether) EndKeep(band);
            ds->Next();
            // RowCount limits the rows of a band with a dataset too.
            if (band->RowCount() != 0 && band->RowCount() < band->Line) break;
            if (Terminated()) break;
        }
        if (band->Columns > 1 && !Vertical) {
            band->SetCurColumn(band->Columns);
            DoColumns(band, rowY, rowStart);
        }
        if (printed) {
            if (band->Group) EndGroups(band, 0);
            RemoveFromHeaderList(header);
            if (!band->FooterAfterEach) {
                if (band->KeepFooter) StartKeep(band, footerKeepPosition);
                ShowBand(band->Footer);
                if (band->KeepFooter) EndKeep(band);
            }
        }
        if (band->Group && band->KeepTogether) EndKeep(band);
        FRunningPage = false;
        if (Terminated()) break;
    }
}

void TfrxEngine::StartGroups(TfrxDataBand* Band, size_t From, bool Initial) {
    TfrxReport* report = Report();
    std::vector<TfrxGroupHeader*>& groups = Band->Group->GroupList;
    for (size_t i = From; i < groups.size(); ++i) {
        TfrxGroupHeader* h = groups[i];
        if (Initial) {
            h->Line = 1;
            h->LineThrough = 1;
            ResetSuppressed(h);
        } else {
            ++h->Line;
            if (i + 1 < groups.size()) groups[i + 1]->Line = 0;
            ++h->LineThrough;
        }
        CurLine = h->Line;
        CurLineThrough = h->LineThrough;
        report->CurObject = h->Name();
        h->LastValue = GroupValue(h);
        if (h->KeepTogether) StartKeep(h);
        ShowBand(h);
        if (!h->OutlineText.empty()) AddBandOutline(h);
        AddToHeaderList(h);
    }
}

// The condition is calculated on every row: the header keeps where the report's name
// table holds its text.
Variant TfrxEngine::GroupValue(TfrxGroupHeader* Header) {
    return Report()->Calc(Header->Condition, Header->ConditionHandle.For(Header->Condition));
}

void TfrxEngine::CheckGroups(TfrxDataBand* Band, double RowY, int RowStart) {
    TfrxReport* report = Report();
    std::vector<TfrxGroupHeader*>& groups = Band->Group->GroupList;
    size_t changed = groups.size();
    for (size_t i = 0; i < groups.size(); ++i) {
        report->CurObject = groups[i]->Name();
        if (!SameGroupValue(GroupValue(groups[i]), groups[i]->LastValue)) {
            changed = i;
            break;
        }
    }
    if (changed == groups.size()) return;
    if (Band->Columns > 1) {
        Band->SetCurColumn(Band->Columns);
        DoColumns(Band, RowY, RowStart);
    }
    TfrxDataSet* ds = DataSetOf(Band);
    ds->Prior();
    EndGroups(Band, changed);
    ds->Next();
    StartGroups(Band, changed, false);
    Band->Line = 1;
    ResetSuppressed(Band);
}

void TfrxEngine::EndGroups(TfrxDataBand* Band, size_t From) {
    std::vector<TfrxGroupHeader*>& groups = Band->Group->GroupList;
    for (size_t i = groups.size(); i-- > From;) {
        TfrxGroupHeader* h = groups[i];
        ShowBand(h->Footer);
        if (!h->OutlineText.empty())
            if (TfrxCustomOutline* outline = PreviewPages()->Outline()) outline->LevelUp();
        RemoveFromHeaderList(h);
        if (h->KeepTogether) EndKeep(h);
    }
}

void TfrxEngine::DoColumns(TfrxDataBand* Band, double RowY, int RowStart) {
    if (Band->Columns <= 1) return;
    TfrxCustomPreviewPages* pp = PreviewPages();
    if (CurY > Band->LowestBottom) Band->LowestBottom = CurY;
    if (Band->CurColumn() < Band->Columns) {
        CurY = RowY;
    } else if (Band->LowestBottom <= PageHeight - FFooterHeight + kEps) {
        CurY = Band->LowestBottom;
    } else if (!FKeeping) {
        const double rowHeight = Band->LowestBottom - RowY;
        pp->CutObjects(RowStart);
        NewColumn();
        pp->PasteObjects(CurX, CurY);
        CurY += rowHeight;
    } else {
        NewColumn();
    }
    Band->SetCurColumn(Band->CurColumn() + 1);
}

// --- Band output ---------------------------------------------------------------------------

void TfrxEngine::ShowBand(TClass BandClass) {
    if (FPage) ShowBand(FPage->FindBand(BandClass));
}

void TfrxEngine::ShowBand(TfrxBand* Band) {
    if (!Band) return;
    if (Band->KeepChild) StartKeep(Band);
    OutputBand(Band);
    if (Band->Child() && (Band->Visible() || Band->PrintChildIfInvisible)) ShowBand(Band->Child());
    if (Band->KeepChild) EndKeep(Band);
}

void TfrxEngine::OutputBand(TfrxBand* Band) {
    if (Band->Vertical) {
        OutputVerticalCell(Band);
        return;
    }
    TfrxCustomPreviewPages* pp = PreviewPages();
    TfrxBand* const outerCollecting = FCollectingBand;
    struct TRestore {
        TfrxBand*& Target;
        TfrxBand* Value;
        ~TRestore() { Target = Value; }
    } restoreCollecting{FCollectingBand, outerCollecting};
    if (Band->HoldsVerticalCells && FPage && !FPage->VerticalMasters.empty()) {
        TfrxReport* report = Report();
        FCurBand = Band;
        report->CurObject = Band->Name();
        Band->BeforePrint();
        report->DoBeforePrint(Band);
        FillVerticalCells(Band);
        CurX = 0;
    }
    const TClassKind kind = KindOf(Band);
    auto* dataBand = kind.DataBand ? static_cast<TfrxDataBand*>(Band) : nullptr;
    const bool multiColumn = dataBand && dataBand->Columns >= 2;
    const bool nullBand = kind.NullBand;

    if (Band->Visible() && Band->StartNewPage && !FOutputTarget && FNoBreak == 0) {
        bool firstRow = false;
        if (dataBand) firstRow = dataBand->LineThrough == 1;
        else if (auto* gh = frxAs<TfrxGroupHeader>(Band)) firstRow = gh->LineThrough == 1;
        if (!firstRow) NewPage();
    }

    TBandPrint print{LeavesObjectsOut(Band), {}};
    try {
        BeginBandPrint(Band, print);
        if (Band->Visible()) {
            bool split = false;
            if (!multiColumn && !FOutputTarget && FNoBreak == 0 && FreeSpace() < Band->Height() - kEps) {
                if (Band->AllowSplit) {
                    SplitBand(Band);
                    split = true;
                } else if (CurY > PageTop() + kEps) {
                    // A band that does not fit even at the top of an empty column stays
                    // there and overflows, instead of opening an empty page first.
                    NewColumn();
                }
            }
            if (!split) {
                // A quiet band of a pass that writes no bands is not placed: nothing
                // reads its place.
                if (!(print.Quiet && FPassWritesNoBands)) {
                    if (!nullBand) {
                        Band->SetLeft(multiColumn ? CurX + Band->Left() : CurX);
                        Band->SetTop(CurY);
                    }
                    if (FOutputTarget) CopyBand(Band)->SetParent(FOutputTarget);
                    else if (FCollectingBand == Band) WriteVerticalParts(Band);
                    else pp->AddObject(Band);
                }
                CurY += Band->Height();
            }
        }
    } catch (...) {
        EndBandPrint(Band, print);
        throw;
    }
    EndBandPrint(Band, print);
    if (kind.FooterKind) AggregatesReset(Band);
    // A report with quiet bands holds no subreports.
    if (!print.Quiet && Band->Visible()) PrintSeparateSubreports(Band);
}

TfrxBand* TfrxEngine::CopyBand(TfrxBand* Band) {
    auto* store = frxAs<TfrxPreviewPages>(PreviewPages());
    auto* copy = static_cast<TfrxBand*>(Band->ClassType()->CreateInstance(nullptr));
    try {
        copy->SetBounds(Band->Left(), Band->Top(), Band->Width(), Band->Height());
        for (TfrxComponent* c : Band->ObjectList()) {
            if (!c->Visible() || !c->ClassType()->CanCreate()) continue;
            auto* obj = static_cast<TfrxComponent*>(c->ClassType()->CreateInstance(nullptr));
            obj->SetParent(copy);
            frxCopyProperties(*obj, *c);
            // The copy leaves the page it was made on: its font is its own.
            obj->SetParentFont(false);
            if (auto* memo = frxAs<TfrxCustomMemoView>(obj))
                memo->SetValue(static_cast<TfrxCustomMemoView*>(c)->Value());
            if (store) store->LinkToSource(obj, c);
        }
    } catch (...) {
        delete copy;
        throw;
    }
    return copy;
}

void TfrxEngine::PrepareBand(TfrxBand* Band) {
    TfrxReport* report = Report();
    FCurBand = Band;
    // The band collecting vertical cells ran its own before-print step, and its cells
    // (the objects past its mark) have their data already.
    const bool collecting = Band == FCollectingBand;
    if (!collecting) {
        report->CurObject = Band->Name();
        Band->BeforePrint();
        report->DoBeforePrint(Band);
    }
    if (!Band->Visible()) return;
    // A copy of the list, as scripts run below may add objects to the band.
    const TObjectsCopy objects(Band->ObjectList(), Band->ObjectList().size());
    const size_t own = collecting && Band->AddedObjectsMark >= 0
                           ? std::min<size_t>(static_cast<size_t>(Band->AddedObjectsMark), objects.size())
                           : objects.size();
    bool onParent = false;
    TfrxCustomPreviewPages* pages = PreviewPages();
    for (size_t i = 0; i < own; ++i) {
        if (pages) pages->RunWatchStep();
        TfrxComponent* c = objects[i];
        const TClassKind kind = KindOf(c);
        if (!kind.ReportComponent) continue;
        auto* rc = static_cast<TfrxReportComponent*>(c);
        report->CurObject = c->Name();
        rc->BeforePrint();
        report->DoBeforePrint(rc);
        if (kind.Subreport) {
            auto* sub = static_cast<TfrxSubreport*>(c);
            if (sub->Visible() && sub->PrintOnParent) onParent = true;
        }
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        if (pages) pages->RunWatchStep();
        TfrxComponent* c = objects[i];
        const TClassKind kind = KindOf(c);
        if (!kind.ReportComponent || !c->Visible()) continue;
        auto* rc = static_cast<TfrxReportComponent*>(c);
        report->CurObject = c->Name();
        if (i < own) {
            rc->GetData();
            report->DoNotifyEvent(rc, rc->OnAfterData);
        }
        if (!kind.Stretcheable) continue;
        if (auto* s = static_cast<TfrxStretcheable*>(c); s->StretchMode() != smDontStretch) {
            const double h = s->CalcHeight();
            if (h > s->Height()) {
                ShiftBelow(Band, s, h - s->Height());
                s->SetHeight(h);
            }
        }
    }
    if (onParent) {
        PrintSubreportsOnParent(Band);
        FCurBand = Band;
    }
    // The lowest bottom matters to a stretched band and to smMaxHeight objects. It is
    // worked out here when the band's after-calc-height event could move objects; else
    // (nothing moves until then) when first needed.
    double bottom = 0;
    bool haveBottom = false;
    auto lowestBottom = [&] {
        bottom = LowestBottom(Band);
        haveBottom = true;
    };
    if (Band->Stretched || (!objects.empty() && !Band->OnAfterCalcHeight.empty())) lowestBottom();
    if (Band->Stretched) Band->SetHeight(bottom);
    report->DoNotifyEvent(Band, Band->OnAfterCalcHeight);
    for (TfrxComponent* c : objects) {
        if (!KindOf(c).Stretcheable) continue;
        auto* s = static_cast<TfrxStretcheable*>(c);
        if (s->StretchMode() != smMaxHeight) continue;
        if (!haveBottom) lowestBottom();
        s->SetHeight(bottom - s->Top() - BottomRow(c));
    }
}

// A dot-matrix memo's bottom frame line runs through the character row below it.
double TfrxEngine::BottomRow(TfrxComponent* Obj) {
    return KindOf(Obj).DMPMemo && static_cast<TfrxDMPMemoView*>(Obj)->Frame()->Typ.Contains(ftBottom) ? frxCharHeight
                                                                                                     : 0.0;
}

double TfrxEngine::LowestBottom(TfrxBand* Band) {
    double bottom = 0;
    for (TfrxComponent* c : Band->ObjectList()) bottom = std::max(bottom, c->Top() + c->Height() + BottomRow(c));
    return bottom;
}

// A quiet band in a pass before the last: its objects are left out, and the report has no
// events, host callbacks, dot-matrix pages, vertical bands or subreports (QuietBands.h). Of
// the preparation that leaves the current band, the bounds kept to be put back, and a
// stretched band's height over its objects as they stand. The report's current object is
// set after printing only: expressions alone read it, and every band printed in between
// sets its own before any of its expressions runs.
void TfrxEngine::PrepareQuietBand(TfrxBand* Band, TBounds& Saved) {
    FCurBand = Band;
    Saved = {Band->Left(), Band->Top(), Band->Width(), Band->Height()};
    if (Band->Visible() && Band->Stretched) Band->SetHeight(LowestBottom(Band));
}

void TfrxEngine::BeginBandPrint(TfrxBand* Band, TBandPrint& Print) {
    if (Print.Quiet) PrepareQuietBand(Band, Print.Saved);
    else PrepareBand(Band);
}

void TfrxEngine::EndBandPrint(TfrxBand* Band, const TBandPrint& Print) {
    if (Print.Quiet) AfterPrintQuietBand(Band, Print.Saved);
    else AfterPrintBand(Band);
}

// What the band's after-print step does (the bounds put back) for the bounds that moved:
// on a page without a dot-matrix grid, a setter given the value the band has keeps it.
void TfrxEngine::AfterPrintQuietBand(TfrxBand* Band, const TBounds& Saved) {
    if (Band->Visible()) {
        Report()->CurObject = Band->Name();
        if (Band->Left() != Saved.Left) Band->SetLeft(Saved.Left);
        if (Band->Top() != Saved.Top) Band->SetTop(Saved.Top);
        if (Band->Width() != Saved.Width) Band->SetWidth(Saved.Width);
        if (Band->Height() != Saved.Height) Band->SetHeight(Saved.Height);
    }
    FreeAddedObjects(Band);
}

// Whether a run may read bands back from its pages: the last Y of a kept block or of a
// page printed on the previous one, a kept block cut and pasted, a row of columns moved,
// bands already on a page that side-by-side output goes back to. A report that allows
// quiet bands has no subreports and no script that could ask; the rest is its flags.
bool TfrxEngine::ReadsBandsBack() {
    if (!FQuietBands->ReportAllows()) return true;
    TfrxReport* report = Report();
    for (int i = 0; i < report->PagesCount(); ++i)
        if (auto* rp = frxAs<TfrxReportPage>(report->Pages(i)); rp && (rp->Columns() > 1 || rp->PrintOnPreviousPage))
            return true;
    for (TfrxComponent* obj : report->AllObjects()) {
        auto* band = frxAs<TfrxBand>(obj);
        if (!band) continue;
        if (band->KeepChild) return true;
        if (auto* g = frxAs<TfrxGroupHeader>(band); g && g->KeepTogether) return true;
        if (auto* d = frxAs<TfrxDataBand>(band); d && (d->KeepTogether || d->KeepHeader || d->KeepFooter || d->Columns >= 2))
            return true;
    }
    return false;
}

void TfrxEngine::AfterPrintBand(TfrxBand* Band) {
    TfrxReport* report = Report();
    if (Band->Visible()) {
        const std::vector<TfrxComponent*>& list = Band->ObjectList();
        const size_t own = Band->AddedObjectsMark >= 0
                               ? std::min<size_t>(static_cast<size_t>(Band->AddedObjectsMark), list.size())
                               : list.size();
        for (TfrxComponent* c : TObjectsCopy(list, own)) {
            if (!KindOf(c).ReportComponent) continue;
            auto* rc = static_cast<TfrxReportComponent*>(c);
            report->CurObject = c->Name();
            report->DoAfterPrint(rc);
            rc->AfterPrint();
        }
        report->CurObject = Band->Name();
        report->DoAfterPrint(Band);
        Band->AfterPrint();
    }
    FreeAddedObjects(Band);
}

void TfrxEngine::FreeAddedObjects(TfrxBand* Band) {
    if (Band->AddedObjectsMark < 0) return;
    auto* store = frxAs<TfrxPreviewPages>(PreviewPages());
    const std::vector<TfrxComponent*>& list = Band->ObjectList();
    std::vector<TfrxComponent*> added(list.begin() + std::min<std::ptrdiff_t>(Band->AddedObjectsMark, Band->ObjectCount()),
                                      list.end());
    for (TfrxComponent* c : added) {
        if (store) {
            store->ForgetRunLink(c);
            for (TfrxComponent* inner : c->AllObjects()) store->ForgetRunLink(inner);
        }
        delete c;
    }
    Band->AddedObjectsMark = -1;
}

// --- Vertical bands --------------------------------------------------------------------------

TfrxBand* TfrxEngine::RowBandOf(const TfrxComponent* Obj) const {
    auto it = FRowBands.find(Obj);
    return it == FRowBands.end() ? nullptr : it->second;
}

void TfrxEngine::FillVerticalCells(TfrxBand* Band) {
    FCollectingBand = Band;
    Band->AddedObjectsMark = Band->ObjectCount();
    FVerticalReprint.clear();
    FVerticalMarks.assign(1, 0);
    CurVColumn = 0;
    CurX = 0;
    // The horizontal band's own objects read Line and Line# of their own row.
    const int line = CurLine, lineThrough = CurLineThrough;
    FRowLine = line;
    FRowLineThrough = lineThrough;
    try {
        ShowDataBands(FPage->VerticalMasters, true);
    } catch (...) {
        CurLine = line;
        CurLineThrough = lineThrough;
        throw;
    }
    CurLine = line;
    CurLineThrough = lineThrough;
    FVerticalMarks.push_back(Band->ObjectCount());
    FCurBand = Band;
}

void TfrxEngine::OutputVerticalCell(TfrxBand* Band) {
    TfrxBand* row = FCollectingBand;
    if (!row || !Band->Visible()) return;
    TfrxReport* report = Report();
    ++CurVColumn;
    // A cell that does not fit the rest of the width starts the next page width (an
    // empty width takes any cell, so every width holds one).
    if (CurX > kEps && PageWidth < Band->Width() + CurX - kEps) {
        CurX = 0;
        FVerticalMarks.push_back(row->ObjectCount());
        for (TfrxBand* header : std::vector<TfrxBand*>(FVerticalReprint)) OutputVerticalCell(header);
    }
    auto* store = frxAs<TfrxPreviewPages>(PreviewPages());
    FCurBand = Band;
    report->CurObject = Band->Name();
    Band->BeforePrint();
    report->DoBeforePrint(Band);
    std::vector<TfrxComponent*> cells;
    for (TfrxComponent* c : Band->ObjectList())
        if (RowBandOf(c) == row) cells.push_back(c);
    for (TfrxComponent* c : cells) {
        auto* rc = frxAs<TfrxReportComponent>(c);
        if (!rc) continue;
        report->CurObject = c->Name();
        rc->BeforePrint();
        report->DoBeforePrint(rc);
    }
    // The cell's objects are asked for their aggregates as the row's; a header or
    // footer cell reads the row's Line, a data cell its own.
    FCurBand = row;
    const bool dataCell = Band->Is<TfrxDataBand>();
    const int line = CurLine, lineThrough = CurLineThrough;
    if (!dataCell) {
        CurLine = FRowLine;
        CurLineThrough = FRowLineThrough;
    }
    for (TfrxComponent* c : cells) {
        auto* rc = frxAs<TfrxReportComponent>(c);
        if (!rc || !c->Visible() || !c->ClassType()->CanCreate()) continue;
        report->CurObject = c->Name();
        rc->GetData();
        report->DoNotifyEvent(rc, rc->OnAfterData);
        auto* copy = static_cast<TfrxComponent*>(c->ClassType()->CreateInstance(nullptr));
        copy->SetParent(row);
        frxCopyProperties(*copy, *c);
        if (auto* memo = frxAs<TfrxCustomMemoView>(copy))
            memo->SetValue(static_cast<TfrxCustomMemoView*>(c)->Value());
        copy->SetLeft(CurX + c->Left());
        if (store) store->LinkToSource(copy, c);
    }
    CurLine = line;
    CurLineThrough = lineThrough;
    for (TfrxComponent* c : cells)
        if (auto* rc = frxAs<TfrxReportComponent>(c)) {
            report->CurObject = c->Name();
            report->DoAfterPrint(rc);
            rc->AfterPrint();
        }
    report->CurObject = Band->Name();
    report->DoAfterPrint(Band);
    Band->AfterPrint();
    CurX += Band->Width();
    // Only the cells of data rows count: a header or summary row showing the vertical
    // band's cells would otherwise add its records once more.
    if (row->Is<TfrxDataBand>()) FAggregates->AddValue(Band, CurVColumn);
    FCurBand = row;
}

void TfrxEngine::WriteVerticalParts(TfrxBand* Band) {
    TfrxCustomPreviewPages* pp = PreviewPages();
    auto* store = frxAs<TfrxPreviewPages>(pp);
    const std::vector<int> marks = FVerticalMarks;
    const std::vector<TfrxComponent*> objects = Band->ObjectList();
    std::vector<bool> visible;
    for (TfrxComponent* c : objects) visible.push_back(c->Visible());
    const int savedPage = pp->CurPage;
    const double savedX = CurX, savedY = CurY;
    const bool savedFirst = FFirstPage;
    // Each further width goes on the following page (existing ones are reused): a block
    // kept together would be carried away with it.
    if (marks.size() > 2) CloseKeep();
    const size_t parts = CanBreakPage() ? marks.size() - 1 : 1;
    auto restore = [&] {
        for (size_t i = 0; i < objects.size(); ++i) objects[i]->SetVisible(visible[i]);
    };
    if (store) store->AddPages = false;
    try {
        for (size_t part = 0; part < parts; ++part) {
            if (part > 0) NewPage();
            for (size_t i = 0; i < objects.size(); ++i) {
                const int index = static_cast<int>(i);
                objects[i]->SetVisible(visible[i] && index >= marks[part] && index < marks[part + 1]);
            }
            pp->AddObject(Band);
        }
        if (parts > 1) EndPage();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    pp->CurPage = savedPage;
    CurX = savedX;
    CurY = savedY;
    FFirstPage = savedFirst;
    if (store) store->AddPages = true;
}

// --- Subreports ----------------------------------------------------------------------------

void TfrxEngine::RunSubreport(TfrxSubreport* Sub) {
    TfrxReportPage* page = Sub->Page();
    if (!page) return;
    TfrxReport* report = Report();
    // A subreport showing the page it is printed from (or one of the pages that lead to
    // it) would print itself without end.
    if (page == FPage || std::find(FSubreportPages.begin(), FSubreportPages.end(), page) != FSubreportPages.end()) {
        const std::string error = frxResources().Get("enSubRepCycle") + " " + Sub->Name();
        if (report->Errors()->IndexOf(error) < 0) report->Errors()->Add(error);
        return;
    }
    FSubreportPages.push_back(page);
    auto body = [&] {
        if (HasData(nullptr, page->HorizontalMasters, false) || report->EngineOptions()->PrintIfEmpty)
            ShowDataBands(page->HorizontalMasters);
    };
    try {
        report->DoNotifyEvent(page, page->OnBeforePrint);
        if (TfrxDataSet* ds = page->DataSet()) {
            ds->Activate();
            ds->First();
            while (!ds->Eof() && !Terminated()) {
                body();
                ds->Next();
            }
        } else {
            body();
        }
        report->DoNotifyEvent(page, page->OnAfterPrint);
    } catch (...) {
        FSubreportPages.pop_back();
        throw;
    }
    FSubreportPages.pop_back();
}

void TfrxEngine::CheckSubreportCycles() {
    TfrxReport* report = Report();
    // Depth first from every page through the pages its subreports show; a page met
    // again on the way is a cycle, reported once by the subreport that closes it.
    std::vector<TfrxReportPage*> path;
    std::set<TfrxSubreport*> reported;
    std::function<void(TfrxReportPage*)> visit = [&](TfrxReportPage* Page) {
        path.push_back(Page);
        for (TfrxComponent* c : Page->AllObjects()) {
            auto* sub = frxAs<TfrxSubreport>(c);
            if (!sub || !sub->Page()) continue;
            if (std::find(path.begin(), path.end(), sub->Page()) != path.end()) {
                if (reported.insert(sub).second)
                    report->Errors()->Add(frxResources().Get("enSubRepCycle") + " " + sub->Name());
                continue;
            }
            visit(sub->Page());
        }
        path.pop_back();
    };
    for (int i = 0; i < report->PagesCount(); ++i)
        if (auto* rp = frxAs<TfrxReportPage>(report->Pages(i))) visit(rp);
}

void TfrxEngine::PrintSubreportsOnParent(TfrxBand* Band) {
    if (Band->AddedObjectsMark < 0) Band->AddedObjectsMark = Band->ObjectCount();
    auto target = std::make_unique<TfrxNullBand>(nullptr);
    TfrxBand* const savedTarget = FOutputTarget;
    const double savedX = CurX, savedY = CurY, savedOrigin = FColumnOrigin;
    auto restore = [&] {
        FOutputTarget = savedTarget;
        CurX = savedX;
        CurY = savedY;
        FColumnOrigin = savedOrigin;
    };
    FOutputTarget = target.get();
    try {
        for (TfrxComponent* c : std::vector<TfrxComponent*>(Band->ObjectList())) {
            auto* sub = frxAs<TfrxSubreport>(c);
            if (!sub || !sub->Visible() || !sub->PrintOnParent) continue;
            // Positions are the band's own: the band is placed at the page's CurX later.
            FColumnOrigin = sub->Left() + savedOrigin;
            CurX = sub->Left();
            CurY = sub->Top();
            RunSubreport(sub);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    // The views collected in the target's bands move into the band where they stand.
    for (TfrxComponent* b : std::vector<TfrxComponent*>(target->ObjectList()))
        for (TfrxComponent* v : std::vector<TfrxComponent*>(b->ObjectList())) {
            if (frxAs<TfrxBand>(v)) continue;
            const double left = b->Left() + v->Left(), top = b->Top() + v->Top();
            v->SetParent(Band);
            v->SetLeft(left);
            v->SetTop(top);
        }
    if (auto* store = frxAs<TfrxPreviewPages>(PreviewPages()))
        for (TfrxComponent* b : target->ObjectList()) store->ForgetRunLink(b);
}

void TfrxEngine::PrintSeparateSubreports(TfrxBand* Band) {
    // A report that allows quiet bands holds no subreports.
    if (FQuietBands->ReportAllows()) return;
    std::vector<TfrxSubreport*> subs;
    for (TfrxComponent* c : Band->ObjectList())
        if (auto* sub = frxAs<TfrxSubreport>(c); sub && sub->Visible() && !sub->PrintOnParent)
            subs.push_back(sub);
    if (subs.empty()) return;
    TfrxCustomPreviewPages* pp = PreviewPages();
    const int bandPage = pp->CurPage, bandColumn = CurColumn;
    const double savedX = CurX, savedY = CurY, savedOrigin = FColumnOrigin;
    int endPage = bandPage, endColumn = bandColumn;
    double endY = savedY;
    for (TfrxSubreport* sub : subs) {
        pp->CurPage = bandPage;
        CurColumn = bandColumn;
        FColumnOrigin = sub->Left() + savedOrigin;
        CurX = sub->Left() + savedX;
        CurY = sub->Top() + (savedY - Band->Height());
        RunSubreport(sub);
        if (std::tie(pp->CurPage, CurColumn, CurY) > std::tie(endPage, endColumn, endY)) {
            endPage = pp->CurPage;
            endColumn = CurColumn;
            endY = CurY;
        }
    }
    pp->CurPage = endPage;
    CurColumn = endColumn;
    CurY = endY;
    CurX = CurColumn > 1 ? ColumnX(CurColumn) + savedOrigin : savedX;
    FColumnOrigin = savedOrigin;
}

// Moves the objects below a grown object down. Each object moves once, by the largest
// amount any object above it demands: an smAlways object as much as the object above it
// moved (or grew), an smWhenOverlapped one only as far as the new bottom of that object
// reaches into it.
void TfrxEngine::ShiftBelow(TfrxBand* Band, TfrxComponent* Grown, double Growth) {
    std::vector<TfrxComponent*> below;
    for (TfrxComponent* c : Band->ObjectList()) {
        auto* v = frxAs<TfrxView>(c);
        if (!v || c == Grown || v->ShiftMode() == smDontShift) continue;
        if (c->Top() > Grown->Top()) below.push_back(c);
    }
    std::stable_sort(below.begin(), below.end(),
                     [](TfrxComponent* a, TfrxComponent* b) { return a->Top() < b->Top(); });
    struct TMover {
        TfrxComponent* Obj;
        double Move;   // how far its bottom went down
    };
    std::vector<TMover> movers{{Grown, Growth}};
    std::unordered_map<TfrxComponent*, double> shift;
    for (TfrxComponent* o : below) {
        const auto mode = static_cast<TfrxView*>(o)->ShiftMode();
        double amount = 0;
        for (const TMover& m : movers) {
            TfrxComponent* s = m.Obj;
            if (!(o->Top() > s->Top())) continue;
            if (!(o->Left() < s->Left() + s->Width() - kEps && s->Left() + kEps < o->Left() + o->Width())) continue;
            if (mode == smAlways) {
                amount = std::max(amount, m.Move);
            } else {
                const double newBottom = s->Top() + s->Height() + m.Move;
                if (o->Top() < newBottom) amount = std::max(amount, newBottom - o->Top());
            }
        }
        if (amount > 0) {
            shift[o] = amount;
            movers.push_back({o, amount});
        }
    }
    for (auto& [o, amount] : shift) o->SetTop(o->Top() + amount);
}

void TfrxEngine::SplitBand(TfrxBand* Band) {
    TfrxCustomPreviewPages* pp = PreviewPages();
    // Every visible object takes part; those not in the part being written are hidden
    // while it is written.
    std::vector<TfrxComponent*> work;
    for (TfrxComponent* c : Band->ObjectList())
        if (c->Visible()) work.push_back(c);
    const std::vector<TfrxComponent*> all = work;
    std::unordered_map<TfrxComponent*, double> remaining;
    for (TfrxComponent* c : work)
        if (auto* s = frxAs<TfrxStretcheable>(c)) {
            s->InitPart();
            remaining[c] = c->Height();
        }
    const double savedHeight = Band->Height();
    auto restore = [&] {
        for (TfrxComponent* c : all) c->SetVisible(true);
    };
    try {
        double space = FreeSpace();
        bool fresh = CurY <= PageTop() + kEps;
        while (!work.empty()) {
            std::vector<TfrxComponent*> part;
            std::set<TfrxComponent*> moved;
            auto moveBelow = [&](TfrxComponent* Above, double Amount) {
                for (TfrxComponent* o : work) {
                    if (o == Above || moved.count(o) || !(o->Top() > Above->Top())) continue;
                    if (!(o->Left() < Above->Left() + Above->Width() - kEps &&
                          Above->Left() + kEps < o->Left() + o->Width()))
                        continue;
                    moved.insert(o);
                    o->SetTop(o->Top() + Amount);
                }
            };
            const std::vector<TfrxComponent*> pending = work;
            for (TfrxComponent* c : pending) {
                auto* s = frxAs<TfrxStretcheable>(c);
                auto take = [&] {
                    part.push_back(c);
                    work.erase(std::find(work.begin(), work.end(), c));
                };
                if (c->Top() + c->Height() <= space + kEps) {
                    take();
                    if (s) s->DrawPart();
                } else if (c->Top() >= space) {
                    // Wholly below this part: a later one.
                } else if (!s) {
                    if (fresh && c->Top() <= kEps) {
                        // Taller than a whole empty part: placed as it is, so that the
                        // split goes on.
                        take();
                    } else {
                        moveBelow(c, space - c->Top());
                        c->SetTop(space);
                    }
                } else {
                    const double full = c->Height();
                    c->SetHeight(space - c->Top());
                    const double left = s->DrawPart();
                    moveBelow(c, left);
                    if (std::fabs(left - c->Height()) >= kEps) {
                        part.push_back(c);
                        remaining[c] = left + (remaining[c] - c->Height());
                    } else if (fresh && c->Top() <= kEps) {
                        // Not even one line fits an empty part: the rest is placed whole.
                        auto* memo = frxAs<TfrxCustomMemoView>(c);
                        if (memo) memo->SetText(memo->PartText());
                        c->SetHeight(remaining[c]);
                        take();
                    } else {
                        if (auto* memo = frxAs<TfrxCustomMemoView>(c)) memo->SetText(memo->PartText());
                        c->SetTop(space);
                        c->SetHeight(full);
                    }
                }
            }
            for (TfrxComponent* c : all) c->SetVisible(std::find(part.begin(), part.end(), c) != part.end());
            double height = 0;
            for (TfrxComponent* c : part) height = std::max(height, c->Top() + c->Height());
            Band->SetHeight(height);
            if (work.empty()) {
                for (TfrxComponent* c : part) {
                    if (auto* v = frxAs<TfrxView>(c); v && v->Align() == baBottom)
                        c->SetTop(Band->Height() - c->Height());
                    if (auto* s = frxAs<TfrxStretcheable>(c); s && s->StretchMode() == smMaxHeight)
                        c->SetHeight(Band->Height() - c->Top());
                }
            }
            Band->SetLeft(CurX);
            Band->SetTop(CurY);
            pp->AddObject(Band);
            for (TfrxComponent* c : part)
                if (std::find(work.begin(), work.end(), c) != work.end()) c->SetVisible(true);
            if (work.empty()) {
                CurY += Band->Height();
            } else {
                for (TfrxComponent* c : all) c->SetVisible(true);
                NewColumn();
                for (TfrxComponent* c : work) {
                    if (frxAs<TfrxStretcheable>(c)) {
                        c->SetTop(std::max(0.0, c->Top() - space));
                        c->SetHeight(remaining[c]);
                    } else {
                        c->SetTop(c->Top() - space);
                    }
                }
                fresh = true;
            }
            space = FreeSpace();
        }
    } catch (...) {
        restore();
        Band->SetHeight(savedHeight);
        throw;
    }
    restore();
}

void TfrxEngine::ShowBuiltBand(TfrxBand* Band, double X, double Y) {
    if (!Band) return;
    TfrxBand* const current = FCurBand;
    const double savedX = CurX;
    ++FNoBreak;
    CurX = X;
    CurY = Y;
    try {
        ShowBand(Band);
    } catch (...) {
        --FNoBreak;
        CurX = savedX;
        FCurBand = current;
        throw;
    }
    --FNoBreak;
    CurX = savedX;
    FCurBand = current;
}

void TfrxEngine::CloseKeep() {
    if (!FKeeping) return;
    FKeeping = false;
    FKeepBand = nullptr;
    AggregatesEndKeep();
}

void TfrxEngine::AddBandOutline(TfrxBand* Band) {
    TfrxCustomOutline* outline = PreviewPages()->Outline();
    if (!outline) return;
    Report()->CurObject = Band->Name();
    const std::string text = VarToStr(Report()->Calc(Band->OutlineText));
    outline->AddItem(text, frxRoundInt(CurY - Band->Height()));
}
