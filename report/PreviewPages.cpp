#include "report/PreviewPages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/classes/Component.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Shell.h"
#include "report/Bands.h"
#include "report/DotMatrixText.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PictureView.h"
#include "report/Printer.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Serializer.h"
#include "report/Utils.h"
#include "report/Views.h"

ROVE_IMPLEMENT_CLASS(TfrxOutline)
ROVE_IMPLEMENT_CLASS(TfrxPreviewPages)
ROVE_IMPLEMENT_CLASS(TfrxCustomExportFilter)

namespace {

// What a serializer refused while reading part of the store goes to the report's errors.
void KeepErrors(TfrxReport* Report, TfrxXMLSerializer& Serializer) {
    if (!Report) return;
    for (int i = 0; i < Serializer.Errors().Count(); ++i) Report->Errors()->Add(Serializer.Errors()[i]);
}

// The store's own class check: class names compared without case, ancestors included.
bool IsClass(const TObject* Obj, std::string_view Name) {
    for (TClass c = Obj->ClassType(); c; c = c->ClassParent())
        if (SameText(c->ClassName(), Name)) return true;
    return false;
}

bool IsCrossView(const TObject* Obj) {
    return SameText(Obj->ClassName(), "TfrxCrossView") || SameText(Obj->ClassName(), "TfrxDBCrossView");
}

// The class of a page element or source page: the dot-matrix page when that class is
// registered and asked for, else the report page.
TClass PageClassFor(std::string_view Name) {
    if (SameText(Name, "TfrxDMPPage"))
        if (TClass c = GetClass("TfrxDMPPage"); c && c->CanCreate()) return c;
    return TfrxReportPage::StaticClass();
}

std::unique_ptr<TfrxPage> NewPage(std::string_view ClassName) {
    return std::unique_ptr<TfrxPage>(static_cast<TfrxPage*>(PageClassFor(ClassName)->CreateInstance(nullptr)));
}

int IntProp(const TfrxXMLItem* Item, std::string_view Name) {
    return StrToIntDef(Trim(Item->Prop(Name)), 0);
}

template <class T> double FloatProp(const T& Item, std::string_view Name, double Default) {
    if (!Item.HasProp(Name)) return Default;
    double v = 0;
    return TryStrToFloat(Trim(Item.Prop(Name)), v) ? v : Default;
}

// Source objects of the bands on a page by their short names: a page repeats a few names
// (every row's band has the same), so the last one found is kept.
class TSourceLookup {
public:
    explicit TSourceLookup(const TfrxDictionary& Dictionary) : FDictionary(Dictionary) {}
    TfrxComponent* Get(std::string_view Name) {
        if (!FHave || Name != FName) {
            FName = Name;
            FObj = FDictionary.GetObject(Name);
            FHave = true;
        }
        return FObj;
    }

private:
    const TfrxDictionary& FDictionary;
    std::string_view FName;
    TfrxComponent* FObj = nullptr;
    bool FHave = false;
};

}  // namespace

TfrxPrintDialogProc& frxPrintDialogProc() {
    static TfrxPrintDialogProc proc;
    return proc;
}

void frxRegisterPreviewPages() {
    frxRegisterBandAndPageClasses();
    frxPreviewPagesClass() = [](TfrxReport* Report) { return std::make_unique<TfrxPreviewPages>(Report); };
}

// --- TfrxDictionary --------------------------------------------------------------------------

bool TfrxDictionary::TNoCase::operator()(std::string_view a, std::string_view b) const {
    return CompareText(a, b) < 0;
}

void TfrxDictionary::Clear() {
    FNames.clear();
    FTaken.clear();
}

void TfrxDictionary::Add(const std::string& Name, const std::string& SourceName, TfrxComponent* Obj) {
    auto [it, added] = FNames.insert_or_assign(Name, TEntry{SourceName, Obj});
    if (added) NoteNumbered(Name);
}

void TfrxDictionary::NoteNumbered(const std::string& Name) {
    size_t digits = Name.size();
    while (digits > 0 && Name[digits - 1] >= '0' && Name[digits - 1] <= '9') --digits;
    if (digits == Name.size()) return;
    const std::string lower = LowerCase(Name);
    for (size_t p = digits; p < Name.size(); ++p) {
        // Base + std::to_string(n) never has a leading zero, nor more digits than an int.
        if (Name[p] == '0' || Name.size() - p > 10) continue;
        const long long n = std::stoll(Name.substr(p));
        if (n > INT_MAX - 1) continue;
        TTakenNumbers& taken = FTaken[lower.substr(0, p)];
        taken.try_emplace(static_cast<int>(n), static_cast<int>(n) + 1);
    }
}

int TfrxDictionary::FirstFree(TTakenNumbers& Taken, int From) {
    int n = From;
    std::vector<int> passed;
    for (auto it = Taken.find(n); it != Taken.end(); it = Taken.find(n)) {
        passed.push_back(n);
        n = it->second;
    }
    // Every number from each one passed up to n is taken: the next search leaps there.
    for (int p : passed) Taken[p] = n;
    return n;
}

std::string TfrxDictionary::AddUnique(const std::string& Base, const std::string& SourceName, TfrxComponent* Obj) {
    std::string name = CreateUniqueName(Base);
    Add(name, SourceName, Obj);
    return name;
}

std::string TfrxDictionary::CreateUniqueName(const std::string& Base) const {
    auto found = FTaken.find(LowerCase(Base));
    if (found == FTaken.end()) return Base + "1";
    TTakenNumbers& numbers = found->second;
    auto taken = [&](int n) { return numbers.count(n) != 0; };
    int i = 10000;
    while (i >= 2 && !taken(i)) i /= 2;
    if (i < 2) i = 1;
    return Base + std::to_string(FirstFree(numbers, i));
}

TfrxComponent* TfrxDictionary::GetObject(std::string_view Name) const {
    auto it = FNames.find(Name);
    return it == FNames.end() ? nullptr : it->second.Obj;
}

std::string TfrxDictionary::GetSourceName(std::string_view Name) const {
    auto it = FNames.find(Name);
    return it == FNames.end() ? std::string() : it->second.SourceName;
}

// --- TfrxOutline ---------------------------------------------------------------------------

TfrxOutline::TfrxOutline(TfrxPreviewPages* APreviewPages) : TfrxCustomOutline(APreviewPages), FPages(APreviewPages) {}

TfrxXMLItem* TfrxOutline::Root() { return FPages->XMLDoc().Root()->FindItem("outline"); }

TfrxXMLItem* TfrxOutline::CurItem() {
    if (!FCurItem) FCurItem = Root();
    return FCurItem;
}

int TfrxOutline::GetCount() { return CurItem()->Count(); }

void TfrxOutline::AddItem(const std::string& Text, int Top) {
    TfrxXMLItem* item = CurItem()->Add();
    item->SetName("item");
    item->SetProp("text", Text);
    item->SetProp("page", std::to_string(FPages->CurPage));
    item->SetProp("top", std::to_string(Top));
    FCurItem = item;
}

void TfrxOutline::LevelDown(int Index) {
    TfrxXMLItem* cur = CurItem();
    if (Index >= 0 && Index < cur->Count()) FCurItem = cur->Items(Index);
}

void TfrxOutline::LevelRoot() { FCurItem = Root(); }

void TfrxOutline::LevelUp() {
    TfrxXMLItem* root = Root();
    TfrxXMLItem* cur = CurItem();
    if (cur != root && cur->Parent()) FCurItem = cur->Parent();
}

void TfrxOutline::GetItem(int Index, std::string& Text, int& Page, int& Top) {
    TfrxXMLItem* cur = CurItem();
    if (Index < 0 || Index >= cur->Count()) {
        Text.clear();
        Page = Top = 0;
        return;
    }
    TfrxXMLItem* item = cur->Items(Index);
    Text = item->Prop("text");
    Page = IntProp(item, "page");
    Top = IntProp(item, "top");
}

void TfrxOutline::ShiftItems(void* From, int NewTop) {
    auto* from = static_cast<TfrxXMLItem*>(From);
    if (!from || !from->Parent()) return;
    TfrxXMLItem* parent = from->Parent();
    const int i = parent->IndexOf(from);
    if (i < 0 || i + 1 >= parent->Count()) return;
    TfrxXMLItem* first = parent->Items(i + 1);
    const int delta = NewTop - IntProp(first, "top");
    std::vector<TfrxXMLItem*> stack{first};
    while (!stack.empty()) {
        TfrxXMLItem* item = stack.back();
        stack.pop_back();
        item->SetProp("page", std::to_string(IntProp(item, "page") + 1));
        item->SetProp("top", std::to_string(IntProp(item, "top") + delta));
        for (int k = 0; k < item->Count(); ++k) stack.push_back(item->Items(k));
    }
}

void* TfrxOutline::GetCurPosition() {
    TfrxXMLItem* cur = CurItem();
    return cur->Count() > 0 ? cur->Items(cur->Count() - 1) : cur;
}

// --- Links from template objects to their source copies --------------------------------------
// Template objects belong to the report and may go away during or after a run; the link
// goes with them, so a later object at the same address never finds a stale copy.
class TfrxPreviewPages::TLinks : public TComponent {
public:
    // Every change counts in Stamp.
    explicit TLinks(uint64_t& Stamp) : TComponent(nullptr), FStamp(Stamp) {}
    ~TLinks() override { Clear(); }
    void Set(TfrxComponent* Template, TfrxComponent* Copy) {
        ++FStamp;
        auto [it, added] = FMap.try_emplace(Key(Template), Copy);
        if (!added) {
            it->second = Copy;
            return;
        }
        Template->FreeNotification(this);
    }
    TfrxComponent* Get(const TfrxComponent* Template) const {
        auto it = FMap.find(Key(Template));
        return it == FMap.end() ? nullptr : it->second;
    }
    void Clear() {
        ++FStamp;
        for (auto& [t, c] : FMap) const_cast<TComponent*>(t)->RemoveFreeNotification(this);
        FMap.clear();
    }
    // The notice comes from the template's destructor, when it is only a TComponent any
    // more: the map is keyed by that address.
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && FMap.erase(AComponent)) ++FStamp;
    }

private:
    static const TComponent* Key(const TfrxComponent* c) { return c; }
    std::unordered_map<const TComponent*, TfrxComponent*> FMap;
    uint64_t& FStamp;
};

// --- TfrxPreviewPages ----------------------------------------------------------------------

TfrxPreviewPages::TfrxPreviewPages(TfrxReport* AReport)
    : TfrxCustomPreviewPages(AReport), FLinks(std::make_unique<TLinks>(FLinkStamp)) {
    FXMLDoc.Root()->SetName("preparedreport");
    SetOutline(std::make_unique<TfrxOutline>(this));
    CurPage = -1;
}

TfrxPreviewPages::~TfrxPreviewPages() {
    ClearCache();
    FLinks->Clear();
    FSourceInfo.clear();
    FSourcePages.clear();
}

TfrxXMLItem* TfrxPreviewPages::PagesItem() {
    // The element found last, while it is still the root's child of that name: the root
    // has a few children, and the kept pointer is only compared with them until found.
    TfrxXMLItem* root = FXMLDoc.Root();
    if (!FPagesItem || root->IndexOf(FPagesItem) < 0 || std::string_view(FPagesItem->Name()) != "previewpages")
        FPagesItem = root->FindItem("previewpages");
    return FPagesItem;
}

TfrxXMLItem* TfrxPreviewPages::CurPageItem() {
    TfrxXMLItem* pages = PagesItem();
    if (CurPage < 0 || CurPage >= pages->Count()) return nullptr;
    if (CurPage != FOpenPage) {
        PackPage(FOpenPage);
        FOpenPage = CurPage;
    }
    return pages->Items(CurPage);
}

// Bands and objects are written packed; a page holds heap elements only after a keep
// block was cut from it or pasted onto it, and is packed again when the engine leaves it.
void TfrxPreviewPages::PackPage(int Index) {
    TfrxXMLItem* pages = PagesItem();
    if (Index < 0 || Index >= pages->Count()) return;
    TfrxXMLItem* page = pages->Items(Index);
    const int64_t before = page->ChildrenMemory();
    page->Pack();
    FAllocated = std::max<int64_t>(0, FAllocated + page->ChildrenMemory() - before);
    page->Compress();
}

TfrxPage* TfrxPreviewPages::SourcePages(int Index) const {
    if (Index < 0 || Index >= SourcePageCount()) return nullptr;
    return FSourcePages[static_cast<size_t>(Index)].get();
}

bool TfrxPreviewPages::FileCacheOn() const {
    return Report() && Report()->EngineOptions()->UseFileCache;
}

// Outside a run every object is written whole; during a run only the final pass writes in full.
bool TfrxPreviewPages::IsFinalPass() const { return !Engine() || !Engine()->Running || Engine()->FinalPass; }

int TfrxPreviewPages::Count() { return PagesItem()->Count(); }

void TfrxPreviewPages::ClearCache() { FCache.clear(); }

void TfrxPreviewPages::Clear() {
    ClearCache();
    FLinks->Clear();
    FSourceInfo.clear();
    ++FLinkStamp;
    FSourcePages.clear();
    FXMLDoc.Clear();
    FPagesItem = nullptr;
    PagesOutline()->Reset();
    FDictionary.Clear();
    FPassOutline.clear();
    FPassHadPages = false;
    CurPage = -1;
    FAllocated = 0;
    FOpenPage = -1;
}

void TfrxPreviewPages::Initialize() {
    if (Report()) FXMLDoc.SetTempDir(Report()->EngineOptions()->TempDir);
    SetTerminated(false);
    FRunFirstPage = Count();
    if (OnProgressStart) OnProgressStart(this);
}

// --- Source pages ----------------------------------------------------------------------------

void TfrxPreviewPages::RegisterCopy(TfrxComponent* Copy, TfrxComponent* Template, int SourceIndex) {
    TSourceInfo info;
    info.ClassName = Copy->ClassName();
    auto* view = frxAs<TfrxView>(Copy);
    if (!(view && view->StoreInFull)) {
        TfrxXMLSerializer serializer(nullptr);
        info.FullXML = serializer.ObjToXML(Copy);
    }
    const bool band = frxAs<TfrxBand>(Copy) != nullptr;
    std::string base = band ? "b" : LowerCase(Copy->BaseName().substr(0, 1));
    if (base.empty()) base = "o";
    info.Alias = FDictionary.AddUnique(base, "Page" + std::to_string(SourceIndex) + "." + Copy->Name(), Copy);
    info.Template = Template;
    if (Template) FLinks->Set(Template, Copy);
    FSourceInfo[Copy] = std::move(info);
    ++FLinkStamp;
}

void TfrxPreviewPages::AddSourcePage(TfrxPage* Page) {
    if (!Page) return;
    std::unique_ptr<TfrxPage> copy = NewPage(IsClass(Page, "TfrxDMPPage") ? "TfrxDMPPage" : "TfrxReportPage");
    // The copy answers the windows as it goes (the run watch); a run stopped meanwhile
    // ends here, the copy going with it.
    copy->AssignAll(Page);
    ThrowIfStopped();
    const int index = SourcePageCount();
    FSourceInfo[copy.get()] = TSourceInfo{copy->ClassName(), {}, {}, Page, {}};
    ++FLinkStamp;
    FLinks->Set(Page, copy.get());
    std::vector<TfrxComponent*> copies = copy->AllObjects();
    std::vector<TfrxComponent*> templates = Page->AllObjects();
    // Pairs in the same depth-first order; a template whose class could not be copied
    // leaves the two lists out of step, and then objects pair by name.
    const bool inStep = copies.size() == templates.size();
    std::vector<TfrxComponent*> crossViews;
    {
        THoldStop hold(this);
        for (size_t i = 0; i < copies.size(); ++i) {
            // A stopped run registers no more copies; the page's copy is kept whole.
            if (RunWatchStopped()) break;
            TfrxComponent* c = copies[i];
            bool insideCross = false;
            for (TfrxComponent* p = c->Parent(); p; p = p->Parent())
                if (IsCrossView(p)) insideCross = true;
            if (insideCross) continue;
            if (IsCrossView(c)) {
                crossViews.push_back(c);
                continue;
            }
            TfrxComponent* t = inStep ? templates[i] : Page->FindObject(c->Name());
            if (t && t->ClassType() != c->ClassType()) t = nullptr;
            RegisterCopy(c, t, index);
        }
    }
    for (TfrxComponent* c : crossViews) delete c;
    FSourcePages.push_back(std::move(copy));
    ThrowIfStopped();
}

void TfrxPreviewPages::AddToSourcePage(TfrxComponent* Obj) {
    if (!Obj || FSourcePages.empty() || !Obj->ClassType()->CanCreate()) return;
    TfrxPage* page = FSourcePages.back().get();
    auto* copy = static_cast<TfrxComponent*>(Obj->ClassType()->CreateInstance(page));
    copy->Assign(Obj);
    copy->CreateUniqueName();
    RegisterCopy(copy, Obj, SourcePageCount() - 1);
}

void TfrxPreviewPages::LinkToSource(TfrxComponent* Obj, TfrxComponent* Like) {
    if (!Obj || !Like) return;
    auto it = FRunLinks.find(Like);
    TfrxComponent* copy = it != FRunLinks.end() ? it->second : FLinks->Get(Like);
    if (copy) FRunLinks[Obj] = copy;
    else FRunLinks.erase(Obj);
    ++FLinkStamp;
}

const TfrxPreviewPages::TSourceInfo* TfrxPreviewPages::SourceInfoOf(TfrxComponent* Obj, TfrxComponent*& Copy) const {
    TfrxComponent* copy = nullptr;
    if (!FRunLinks.empty()) {
        auto it = FRunLinks.find(Obj);
        if (it != FRunLinks.end()) copy = it->second;
    }
    if (!copy) copy = FLinks->Get(Obj);
    if (!copy || copy->ClassType() != Obj->ClassType()) return nullptr;
    auto info = FSourceInfo.find(copy);
    if (info == FSourceInfo.end()) return nullptr;
    Copy = copy;
    return &info->second;
}

TfrxComponent* TfrxPreviewPages::SourceOf(TfrxComponent* Obj) const {
    TfrxComponent* copy = nullptr;
    return SourceInfoOf(Obj, copy) ? copy : nullptr;
}

// --- Writing pages ---------------------------------------------------------------------------

void TfrxPreviewPages::CheckFileCache() {
    if (!FileCacheOn()) return;
    const int64_t limit = static_cast<int64_t>(std::max(0, Report()->EngineOptions()->MaxMemSize)) * 1048576;
    if (FAllocated <= limit) return;
    TfrxXMLItem* pages = PagesItem();
    for (int i = pages->Count() - 2; i >= 0; --i) {
        TfrxXMLItem* item = pages->Items(i);
        if (!item->Loaded()) break;
        if (item->Unloadable()) FXMLDoc.UnloadItem(item);
    }
    FAllocated = 0;
}

void TfrxPreviewPages::AddPage(TfrxPage* Page) {
    CheckFileCache();
    ++CurPage;
    TfrxXMLItem* pages = PagesItem();
    if (CurPage >= 0 && CurPage < pages->Count() && !AddPages) return;
    TfrxXMLItem* item = pages->Add();
    int index = -1;
    if (Page)
        if (TfrxComponent* copy = FLinks->Get(Page))
            for (int i = 0; i < SourcePageCount(); ++i)
                if (FSourcePages[static_cast<size_t>(i)].get() == copy) index = i;
    if (index >= 0) {
        item->SetName("page" + std::to_string(index));
    } else if (Page) {
        // A page without a source copy is stored in full instead of naming no source.
        TfrxXMLSerializer serializer(nullptr);
        serializer.WriteRootComponent(Page, false, item);
    } else {
        item->SetName("TfrxReportPage");
    }
    if (pages->Count() > 2) item->SetUnloadable(true);
    if (OnProgress) OnProgress(this, CurPage);
    AddPages = false;
    CurPage = pages->Count() - 1;
}

// An address falls on a set of kWriteInfoWays places: objects printed by turns (a group's
// header and footer) whose addresses fall on the same set keep their entries all. The
// first place is looked at here, the others in WriteInfoIn.
inline const TfrxPreviewPages::TWriteInfo& TfrxPreviewPages::WriteInfoOf(TfrxComponent* Obj) {
    const auto key = reinterpret_cast<uintptr_t>(Obj);
    const size_t set = (((key >> 4) * 0x9E3779B97F4A7C15ull) >> (64 - kWriteInfoBits)) & ~(kWriteInfoWays - 1);
    const TClass cls = Obj->ClassType();
    const TWriteInfo& first = FWriteInfos[set];
    if (first.Obj == Obj && first.Stamp == FLinkStamp && first.Class == cls) [[likely]] return first;
    return WriteInfoIn(set, Obj, cls);
}

const TfrxPreviewPages::TWriteInfo& TfrxPreviewPages::WriteInfoIn(size_t Set, TfrxComponent* Obj, TClass cls) {
    TWriteInfo* ways = &FWriteInfos[Set];
    for (size_t i = 1; i < kWriteInfoWays; ++i)
        if (ways[i].Obj == Obj && ways[i].Stamp == FLinkStamp && ways[i].Class == cls) return ways[i];
    // The newest entry takes the first place; the others move one place on, the last goes.
    std::rotate(ways, ways + kWriteInfoWays - 1, ways + kWriteInfoWays);
    TWriteInfo& w = ways[0];
    w.Obj = Obj;
    w.Class = cls;
    w.Stamp = FLinkStamp;
    w.Copy = nullptr;
    w.Info = SourceInfoOf(Obj, w.Copy);
    w.Kind = (IsCrossView(Obj) ? wkCrossView : 0) | (Obj->Is<TfrxSubreport>() ? wkSubreport : 0) |
             (Obj->Is<TfrxBand>() ? wkBand : 0) | (Obj->Is<TfrxView>() ? wkView : 0);
    w.Head = TfrxXMLPacker::RecordHead(w.Info ? std::string_view(w.Info->Alias) : std::string_view(Obj->ClassName()));
    return w;
}

// Obj's own element, its text written straight into the records (no heap element and no
// copy of the text per object); what is to follow of its children.
[[gnu::always_inline]] inline TfrxPreviewPages::TWritten TfrxPreviewPages::WriteElement(TfrxComponent* Obj, bool FinalPass) {
    if (!Obj->Visible()) return wrNothing;
    const TWriteInfo& w = WriteInfoOf(Obj);
    const uint8_t kind = w.Kind;
    if (kind & wkCrossView) return wrNothing;
    if (kind & wkSubreport) return wrChildrenOnly;
    // A pass before the last keeps only what the engine reads back from its pages: the
    // bands with their places (the last Y, keep blocks moved to the next page, bands
    // already on a page). The objects inside them are written by the last pass only.
    const bool band = (kind & wkBand) != 0;
    const bool children = !Obj->ObjectList().empty() && (FinalPass || !band);
    TfrxComponent* source = w.Copy;
    std::string& out = FPacker.OpenHead(w.Head);
    if (!w.Info) {
        out += Obj->AllDiff(nullptr);
        FPacker.CloseText(false, children);
    } else if (!FinalPass) {
        if (band) Obj->PlaceDiffTo(source, out);
        else Obj->TfrxComponent::DiffTo(source, out);
        FPacker.CloseText(true, children);
    } else if ((kind & wkView) && static_cast<TfrxView*>(Obj)->StoreInFull) {
        out += Obj->AllDiff(source);
        FPacker.CloseText(false, children);
    } else {
        Obj->DiffTo(source, out);
        FPacker.CloseText(true, children);
    }
    return children ? wrChildren : wrNothing;
}

void TfrxPreviewPages::WriteChildren(TfrxComponent* Obj, TWritten Written, bool FinalPass) {
    // Objects without children (most) are written here without a call of their own.
    for (TfrxComponent* c : Obj->ObjectList()) {
        RunWatchStep();
        if (const TWritten w = WriteElement(c, FinalPass); w != wrNothing) WriteChildren(c, w, FinalPass);
    }
    if (Written == wrChildren) FPacker.End();
}

void TfrxPreviewPages::AddObject(TfrxComponent* Obj) {
    const bool finalPass = IsFinalPass();
    if (PassWritesNoBands && !finalPass) return;
    TfrxXMLItem* page = CurPageItem();
    if (!Obj || !page) return;
    if (!page->Loaded()) FXMLDoc.LoadItem(page);
    if (FWriteInfos.empty()) FWriteInfos.resize(size_t{1} << kWriteInfoBits);
    // The packer goes on at the end of the page's records; what a failure left half
    // written is taken off again.
    std::string& records = page->PackedRecords();
    const size_t before = records.size();
    FPacker.AppendTo(records);
    try {
        if (const TWritten w = WriteElement(Obj, finalPass); w != wrNothing) WriteChildren(Obj, w, finalPass);
    } catch (...) {
        records.resize(before);
        FPacker.Clear();
        throw;
    }
    FPacker.Clear();
    FAllocated += static_cast<int64_t>(records.size() - before);
}

void TfrxPreviewPages::BeginPass() {
    FFirstPage = Count() - 1;
    FPassHadPages = FFirstPage >= 0;
    if (FPassHadPages) {
        TfrxXMLItem* page = PagesItem()->Items(FFirstPage);
        if (!page->Loaded()) FXMLDoc.LoadItem(page);
        FFirstObjectsCount = page->Count();
    }
    // The outline items that exist now stay; those of the first pass go with its pages.
    FPassOutline.clear();
    std::vector<TfrxXMLItem*> stack{FXMLDoc.Root()->FindItem("outline")};
    while (!stack.empty()) {
        TfrxXMLItem* item = stack.back();
        stack.pop_back();
        FPassOutline.insert(item);
        for (int i = 0; i < item->Count(); ++i) stack.push_back(item->Items(i));
    }
}

void TfrxPreviewPages::ForgetOutlineAfterPass() {
    std::vector<TfrxXMLItem*> stack{FXMLDoc.Root()->FindItem("outline")};
    std::vector<TfrxXMLItem*> added;
    while (!stack.empty()) {
        TfrxXMLItem* item = stack.back();
        stack.pop_back();
        for (int i = 0; i < item->Count(); ++i) {
            TfrxXMLItem* child = item->Items(i);
            if (FPassOutline.count(child)) stack.push_back(child);
            else added.push_back(child);
        }
    }
    for (TfrxXMLItem* item : added) delete item;
    PagesOutline()->LevelRoot();
}

void TfrxPreviewPages::ClearFirstPassPages() {
    ClearCache();
    TfrxXMLItem* pages = PagesItem();
    if (FPassHadPages && FFirstPage < pages->Count()) {
        TfrxXMLItem* page = pages->Items(FFirstPage);
        if (!page->Loaded()) FXMLDoc.LoadItem(page);
        while (page->Count() > FFirstObjectsCount) delete page->Items(page->Count() - 1);
        while (pages->Count() > FFirstPage + 1) delete pages->Items(pages->Count() - 1);
        ForgetOutlineAfterPass();
    } else {
        TfrxXMLItem* root = FXMLDoc.Root();
        for (int i = 0; i < root->Count(); ++i)
            if (!SameText(root->Items(i)->Name(), "anchors")) root->Items(i)->Clear();
        PagesOutline()->Reset();
    }
    CurPage = FFirstPage;
    FAllocated = 0;
    FOpenPage = FPassHadPages ? FFirstPage : -1;
}

void TfrxPreviewPages::CutObjects(int APosition) {
    TfrxXMLItem* page = CurPageItem();
    if (!page) return;
    TfrxXMLItem* cut = FXMLDoc.Root()->FindItem("cutted");
    APosition = std::max(APosition, 0);
    while (page->Count() > APosition) cut->AddItem(page->Items(APosition));
}

void TfrxPreviewPages::PasteObjects(double X, double Y) {
    TfrxXMLItem* root = FXMLDoc.Root();
    const int at = root->Find("cutted");
    if (at < 0) return;
    TfrxXMLItem* cut = root->Items(at);
    TfrxXMLItem* page = CurPageItem();
    if (cut->Count() > 0 && page) {
        TfrxXMLItem* first = cut->Items(0);
        const double dx = X - FloatProp(*first, "l", 0);
        const double dy = Y - FloatProp(*first, "t", 0);
        while (cut->Count() > 0) {
            TfrxXMLItem* item = cut->Items(0);
            item->SetProp("l", frxDiffFloat(FloatProp(*item, "l", 0) + dx));
            item->SetProp("t", frxDiffFloat(FloatProp(*item, "t", 0) + dy));
            page->AddItem(item);
        }
    }
    delete cut;
}

bool TfrxPreviewPages::BandExists(TfrxBand* Band) {
    TfrxXMLItem* page = CurPageItem();
    if (!Band || !page) return false;
    const bool pageFooter = Band->Is<TfrxPageFooter>(), columnFooter = Band->Is<TfrxColumnFooter>();
    auto matches = [&](std::string_view Name) {
        TfrxComponent* source = FDictionary.GetObject(Name);
        if (!source) return false;
        auto it = FSourceInfo.find(source);
        if (it != FSourceInfo.end() && it->second.Template == Band) return true;
        return (pageFooter && source->Is<TfrxPageFooter>()) || (columnFooter && source->Is<TfrxColumnFooter>());
    };
    // A page holds many bands of few names: each name is judged once.
    constexpr size_t kSeen = 16;
    std::string_view seen[kSeen];
    size_t seenCount = 0;
    for (TfrxXMLChildReader child(page); child.Next();) {
        const std::string_view name = child.Name();
        if (std::find(seen, seen + seenCount, name) != seen + seenCount) continue;
        if (matches(name)) return true;
        if (seenCount < kSeen) seen[seenCount++] = name;
    }
    return false;
}

int TfrxPreviewPages::GetCurPosition() {
    TfrxXMLItem* page = CurPageItem();
    return page ? page->Count() : 0;
}

double TfrxPreviewPages::GetLastY() {
    TfrxXMLItem* page = CurPageItem();
    if (!page) return 0;
    double result = 0;
    TSourceLookup lookup(FDictionary);
    for (TfrxXMLChildReader child(page); child.Next();) {
        TfrxComponent* source = lookup.Get(child.Name());
        if (!source || !source->Is<TfrxBand>() || source->Is<TfrxPageFooter>()) continue;
        const double y = FloatProp(child, "t", source->Top()) + FloatProp(child, "h", source->Height());
        result = std::max(result, y);
    }
    return result;
}

void TfrxPreviewPages::Finish() {
    ClearCache();
    PackPage(FOpenPage);
    FOpenPage = -1;
    if (OnProgressStop) OnProgressStop(this);
}

// --- Page editing ----------------------------------------------------------------------------

void TfrxPreviewPages::AddEmptyPage(int Index) {
    TfrxXMLItem* pages = PagesItem();
    if (Index < 0 || Index >= pages->Count()) return;
    auto* item = new TfrxXMLItem;
    item->SetName(pages->Items(Index)->Name());
    if (SourceIndexOf(item) < 0) item->SetText(pages->Items(Index)->Text());
    pages->InsertItem(Index, item);
    if (FOpenPage >= Index) ++FOpenPage;
    ClearCache();
}

void TfrxPreviewPages::DropUnfinishedPage() {
    TfrxXMLItem* pages = PagesItem();
    const int last = pages->Count() - 1;
    if (last < FRunFirstPage) return;
    delete pages->Items(last);
    if (FOpenPage >= last) FOpenPage = -1;
    CurPage = last - 1;
    ClearCache();
}

void TfrxPreviewPages::DeletePage(int Index) {
    TfrxXMLItem* pages = PagesItem();
    if (pages->Count() < 2 || Index < 0 || Index >= pages->Count()) return;
    delete pages->Items(Index);
    if (FOpenPage == Index) FOpenPage = -1;
    else if (FOpenPage > Index) --FOpenPage;
    ClearCache();
}

void TfrxPreviewPages::ModifyPage(int Index, TfrxPage* Page) {
    TfrxXMLItem* pages = PagesItem();
    if (!Page || Index < 0 || Index >= pages->Count()) return;
    TfrxXMLItem* item = pages->Items(Index);
    if (!item->Loaded()) FXMLDoc.LoadItem(item);
    item->Clear();
    THoldStop hold(this);
    TfrxXMLSerializer serializer(nullptr);
    serializer.WriteRootComponent(Page, true, item);
    item->SetUnloadable(false);
    item->Pack();
    ClearCache();
}

// --- Building pages --------------------------------------------------------------------------

int TfrxPreviewPages::SourceIndexOf(const TfrxXMLItem* Item) const {
    const std::string& name = Item->Name();
    if (name.size() < 5 || !StartsText("page", name)) return -1;
    int n = -1;
    if (!TryStrToInt(std::string_view(name).substr(4), n)) return -1;
    return n >= 0 && n < SourcePageCount() ? n : -1;
}

void TfrxPreviewPages::BuildObject(TfrxXMLItem* Item, TfrxComponent* Parent) {
    TfrxXMLSerializer serializer(nullptr);
    TfrxComponent* obj = nullptr;
    TfrxComponent* source = FDictionary.GetObject(Item->Name());
    auto info = source ? FSourceInfo.find(source) : FSourceInfo.end();
    if (info != FSourceInfo.end()) {
        obj = static_cast<TfrxComponent*>(source->ClassType()->CreateInstance(Parent));
        // The source's full attributes, then this object's differences, in that order.
        TSourceInfo& full = info->second;
        if (full.Compiled) serializer.ApplyCompiled(*full.Compiled, obj);
        else full.Compiled = serializer.CompileToObj(full.FullXML, obj);
        serializer.XMLToObj(Item->Text(), obj);
        try {
            obj->SetName(source->Name());
        } catch (const std::exception&) {
        }
    } else {
        TClass cls = GetClass(Item->Name());
        // Only bands and views live on prepared pages: a file naming a report, a page or
        // a dialog control here gets nothing built for it.
        if (!cls || !cls->InheritsFrom(TfrxReportComponent::StaticClass()) || !cls->CanCreate()) return;
        obj = static_cast<TfrxComponent*>(cls->CreateInstance(Parent));
        serializer.XMLToObj(Item->Text(), obj);
    }
    KeepErrors(Report(), serializer);
    for (int i = 0; i < Item->Count(); ++i) BuildObject(Item->Items(i), obj);
}

std::unique_ptr<TfrxPage> TfrxPreviewPages::BuildPage(TfrxXMLItem* Item) {
    std::unique_ptr<TfrxPage> page;
    const int source = SourceIndexOf(Item);
    if (source >= 0) {
        TfrxPage* src = FSourcePages[static_cast<size_t>(source)].get();
        page = NewPage(src->ClassName());
        page->Assign(src);
        for (int i = 0; i < Item->Count(); ++i) BuildObject(Item->Items(i), page.get());
    } else if (SameText(Item->Name(), "TfrxReportPage") || SameText(Item->Name(), "TfrxDMPPage")) {
        page = NewPage(Item->Name());
        TfrxXMLSerializer serializer(nullptr);
        serializer.ReadRootComponent(page.get(), Item);
        KeepErrors(Report(), serializer);
    } else {
        // A page naming a source page that does not exist: a default page with the
        // objects the element holds.
        page = NewPage("TfrxReportPage");
        for (int i = 0; i < Item->Count(); ++i) BuildObject(Item->Items(i), page.get());
    }
    page->AlignChildren();
    return page;
}

TfrxPage* TfrxPreviewPages::GetPage(int Index) {
    TfrxXMLItem* pages = PagesItem();
    if (Index < 0 || Index >= pages->Count()) return nullptr;
    if (!(Engine() && Engine()->Running)) {
        for (auto it = FCache.begin(); it != FCache.end(); ++it)
            if (it->first == Index) {
                if (it != FCache.begin()) FCache.splice(FCache.begin(), FCache, it);
                return FCache.front().second.get();
            }
    }
    TfrxXMLItem* item = pages->Items(Index);
    if (!item->Loaded()) FXMLDoc.LoadItem(item);
    // A stop is taken after the page is back as it was.
    THoldStop hold(this);
    // Building unpacks the page; it goes back to the records it held (compressed when they
    // were), which building only read.
    TfrxXMLItem::TKeptRecords kept = item->KeepRecords();
    const bool compressed = item->Compressed();
    FCache.emplace_front(Index, BuildPage(item));
    if (!kept.Bytes.empty()) {
        item->RestoreRecords(std::move(kept));
    } else {
        item->Pack();
        if (compressed) item->Compress();
    }
    TfrxPage* result = FCache.front().second.get();
    if (static_cast<int>(FCache.size()) > CacheSize) {
        const int dropped = FCache.back().first;
        FCache.pop_back();
        if (FileCacheOn() && dropped < pages->Count()) {
            TfrxXMLItem* old = pages->Items(dropped);
            if (old->Unloadable() && old->Loaded()) FXMLDoc.UnloadItem(old);
        }
    }
    return result;
}

void TfrxPreviewPages::GetPageSize(int Index, double& Width, double& Height) {
    Width = Height = 0;
    TfrxXMLItem* pages = PagesItem();
    if (Index < 0 || Index >= pages->Count()) return;
    TfrxPage* page = nullptr;
    const int source = SourceIndexOf(pages->Items(Index));
    if (source >= 0) page = FSourcePages[static_cast<size_t>(source)].get();
    else page = GetPage(Index);
    if (!page) return;
    // A page built from its stored text is aligned to its printable area like every built
    // page; its size on screen and on paper is the paper's.
    if (auto* rp = dynamic_cast<TfrxReportPage*>(page)) {
        Width = std::round(rp->PaperWidth() * frxMmToPixels);
        Height = std::round(rp->PaperHeight() * frxMmToPixels);
        return;
    }
    Width = std::round(page->Width());
    Height = std::round(page->Height());
}

// --- Anchors ---------------------------------------------------------------------------------

void TfrxPreviewPages::AddAnchor(const std::string& Text) {
    TfrxXMLItem* item = FXMLDoc.Root()->FindItem("anchors")->Add();
    item->SetName("item");
    item->SetProp("text", Text);
    item->SetProp("page", std::to_string(CurPage));
    item->SetProp("top", std::to_string(frxRoundInt(Engine() ? Engine()->CurY : 0)));
}

bool TfrxPreviewPages::FindAnchor(const std::string& Text, int& Page, int& Top) {
    TfrxXMLItem* anchors = FXMLDoc.Root()->FindItem("anchors");
    for (int i = anchors->Count() - 1; i >= 0; --i) {
        TfrxXMLItem* item = anchors->Items(i);
        if (SameText(item->Prop("text"), Text)) {
            Page = IntProp(item, "page");
            Top = IntProp(item, "top");
            return true;
        }
    }
    return false;
}

int TfrxPreviewPages::GetAnchorPage(const std::string& Text) {
    int page = 0, top = 0;
    return FindAnchor(Text, page, top) ? page + 1 : 1;
}

// --- Files -----------------------------------------------------------------------------------

void TfrxPreviewPages::SaveToStream(TStream& Stream) {
    TfrxXMLItem* root = FXMLDoc.Root();
    TfrxXMLItem* source = root->FindItem("sourcepages");
    source->Clear();
    TfrxXMLSerializer serializer(nullptr);
    for (auto& page : FSourcePages) serializer.WriteRootComponent(page.get(), true, source->Add());
    TfrxXMLItem* dict = root->FindItem("dictionary");
    dict->Clear();
    FDictionary.ForEach([&](const std::string& Name, const std::string& SourceName) {
        TfrxXMLItem* item = dict->Add();
        item->SetName(Name);
        item->SetProp("name", SourceName);
    });
    // A keep-together block in the middle of a move is never written.
    TfrxXMLItem holder;
    TfrxXMLItem* cut = root->Find("cutted") >= 0 ? root->Items(root->Find("cutted")) : nullptr;
    if (cut) holder.AddItem(cut);
    struct Restore {
        TfrxXMLItem* Root;
        TfrxXMLItem* Cut;
        ~Restore() {
            for (const char* name : {"sourcepages", "dictionary"})
                if (int i = Root->Find(name); i >= 0) delete Root->Items(i);
            if (Cut) Root->AddItem(Cut);
        }
    } restore{root, cut};
    FXMLDoc.SaveToStream(Stream);
}

void TfrxPreviewPages::ReadSourcePages() {
    TfrxXMLItem* root = FXMLDoc.Root();
    const int at = root->Find("sourcepages");
    if (at < 0) return;
    TfrxXMLItem* source = root->Items(at);
    TfrxXMLSerializer serializer(nullptr);
    for (int i = 0; i < source->Count(); ++i) {
        TfrxXMLItem* item = source->Items(i);
        std::unique_ptr<TfrxPage> page = NewPage(item->Name());
        serializer.ReadRootComponent(page.get(), item);
        FSourceInfo[page.get()] = TSourceInfo{page->ClassName(), {}, {}, nullptr, {}};
        for (TfrxComponent* c : page->AllObjects()) {
            TSourceInfo info;
            info.ClassName = c->ClassName();
            auto* view = frxAs<TfrxView>(c);
            if (!(view && view->StoreInFull)) info.FullXML = serializer.ObjToXML(c);
            FSourceInfo[c] = std::move(info);
        }
        FSourcePages.push_back(std::move(page));
        ++FLinkStamp;
    }
    KeepErrors(Report(), serializer);
    delete source;
}

void TfrxPreviewPages::ReadDictionary() {
    TfrxXMLItem* root = FXMLDoc.Root();
    const int at = root->Find("dictionary");
    if (at < 0) return;
    TfrxXMLItem* dict = root->Items(at);
    for (int i = 0; i < dict->Count(); ++i) {
        TfrxXMLItem* item = dict->Items(i);
        const std::string sourceName = item->Prop("name");
        TfrxComponent* obj = nullptr;
        const size_t dot = sourceName.find('.');
        int index = -1;
        if (dot != std::string::npos && dot > 4 && StartsText("Page", sourceName) &&
            TryStrToInt(std::string_view(sourceName).substr(4, dot - 4), index) && index >= 0 &&
            index < SourcePageCount()) {
            obj = FSourcePages[static_cast<size_t>(index)]->FindObject(sourceName.substr(dot + 1));
        }
        FDictionary.Add(item->Name(), sourceName, obj);
        if (obj)
            if (auto it = FSourceInfo.find(obj); it != FSourceInfo.end()) {
                it->second.Alias = item->Name();
                ++FLinkStamp;
            }
    }
    delete dict;
}

void TfrxPreviewPages::AfterLoad() {
    FXMLDoc.Root()->SetName("preparedreport");
    ReadSourcePages();
    ReadDictionary();
    // The third and later pages stay loadable later, so a store read whole and saved
    // again can still be read page by page.
    TfrxXMLItem* pages = PagesItem();
    for (int i = 2; i < pages->Count(); ++i)
        if (StartsText("page", pages->Items(i)->Name())) pages->Items(i)->SetUnloadable(true);
    for (int i = 0; i < pages->Count(); ++i) pages->Items(i)->Pack();
}

void TfrxPreviewPages::LoadFromStream(TStream& Stream, bool AllowPartialLoading) {
    Clear();
    try {
        FXMLDoc.LoadFromStream(Stream, AllowPartialLoading);
        AfterLoad();
    } catch (...) {
        Clear();
        throw;
    }
}

void TfrxPreviewPages::LoadFromStream(std::unique_ptr<TStream> Stream, bool AllowPartialLoading) {
    Clear();
    try {
        FXMLDoc.LoadFromStream(std::move(Stream), AllowPartialLoading);
        AfterLoad();
    } catch (...) {
        Clear();
        throw;
    }
}

bool TfrxPreviewPages::LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound) {
    return LoadFromFile(FileName, ExceptionIfNotFound, false);
}

bool TfrxPreviewPages::LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound, bool AllowPartialLoading) {
    const bool exists = FileExists(FileName);
    if (!exists && !ExceptionIfNotFound) return false;
    auto stream = std::make_unique<TFileStream>(FileName, fmOpenRead);
    if (AllowPartialLoading) {
        LoadFromStream(std::move(stream), true);
    } else {
        LoadFromStream(*stream, false);
    }
    return exists;
}

void TfrxPreviewPages::SaveToFile(const std::string& FileName) {
    // Written beside the file and renamed over it, so a failed save leaves the old file.
    // Prepared pages show patients' names and amounts: the file is its owner's only.
    const std::string temp = FileName + ".tmp";
    try {
        {
            CreateOwnerOnlyFile(temp);
            TFileStream stream(temp, fmOpenWrite);
            SaveToStream(stream);
        }
        if (std::rename(temp.c_str(), FileName.c_str()) != 0)
            throw EFCreateError(Format("Cannot create file \"%s\". %s", {FileName, std::string(std::strerror(errno))}));
    } catch (...) {
        std::remove(temp.c_str());
        throw;
    }
}

// --- Output ----------------------------------------------------------------------------------

void TfrxPreviewPages::DrawPage(int Index, TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX,
                                double OffsetY) {
    if (!Canvas) return;
    TfrxPage* page = GetPage(Index);
    if (!page) return;
    auto* rp = frxAs<TfrxReportPage>(page);
    const bool mirror = rp && rp->MirrorMargins && Index % 2 == 1;
    if (mirror) std::swap(rp->LeftMargin, rp->RightMargin);
    struct Restore {
        TfrxReportPage* P;
        bool On;
        ~Restore() {
            if (On) std::swap(P->LeftMargin, P->RightMargin);
        }
    } restore{rp, mirror};
    if (rp) {
        rp->DrawBackground(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
        OffsetX += ScaleX * frxMmToPixels * rp->LeftMargin;
        OffsetY += ScaleY * frxMmToPixels * rp->TopMargin;
    }
    const bool printing = Canvas->IsPrinter();
    const int total = Count();
    for (TfrxComponent* obj : page->AllObjects()) {
        auto* view = frxAs<TfrxView>(obj);
        if (!view) continue;
        const TRect r{frxRoundInt(view->AbsLeft() * ScaleX - 20 + OffsetX),
                      frxRoundInt(view->AbsTop() * ScaleY - 20 + OffsetY),
                      frxRoundInt((view->AbsLeft() + view->Width()) * ScaleX + 20 + OffsetX),
                      frxRoundInt((view->AbsTop() + view->Height()) * ScaleY + 20 + OffsetY)};
        if (!Canvas->IsRecording() && !Canvas->RectVisible(r)) continue;
        if (printing && !view->Printable()) continue;
        if (auto* memo = frxAs<TfrxCustomMemoView>(view)) memo->TotalPages = total;
        view->IsPrinting = true;
        struct Flag {
            TfrxView* V;
            ~Flag() { V->IsPrinting = false; }
        } flag{view};
        view->Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    }
}

void TfrxPreviewPages::ObjectOver(int Index, int X, int Y, int Button, unsigned Shift, double Scale, int OffsetX,
                                  int OffsetY, bool Click, int& Cursor) {
    if (Index < 0 || Index >= Count() || (Engine() && Engine()->Running)) return;
    TfrxPage* page = GetPage(Index);
    if (!page) return;
    SetStatus({});
    // The offsets are the page's corner; the views stand in the printable area, where
    // DrawPage puts them (the margins swapped on an odd page with mirrored margins).
    if (auto* rp = frxAs<TfrxReportPage>(page)) {
        const bool mirror = rp->MirrorMargins && Index % 2 == 1;
        OffsetX += frxRoundInt(Scale * frxMmToPixels * (mirror ? rp->RightMargin : rp->LeftMargin));
        OffsetY += frxRoundInt(Scale * frxMmToPixels * rp->TopMargin);
    }
    std::vector<TfrxComponent*> objects = page->AllObjects();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        auto* view = frxAs<TfrxView>(*it);
        if (!view) continue;
        const long l = frxRoundInt(view->AbsLeft() * Scale) + long{OffsetX};
        const long t = frxRoundInt(view->AbsTop() * Scale) + long{OffsetY};
        const long r = frxRoundInt((view->AbsLeft() + view->Width()) * Scale) + long{OffsetX};
        const long b = frxRoundInt((view->AbsTop() + view->Height()) * Scale) + long{OffsetY};
        if (X < l || X > r || Y < t || Y > b) continue;
        if (view->Cursor() != 0) Cursor = view->Cursor();
        if (!view->URL().empty()) {
            SetStatus(view->URL());
            if (view->Cursor() == 0) Cursor = -21;
        }
        if (!Report()) return;
        if (!Click) {
            if (Report()->OnMouseOverObject.Assigned()) Report()->OnMouseOverObject(view);
            return;
        }
        FollowLink(view->URL());
        bool modified = false;
        Report()->DoPreviewClick(view, static_cast<TMouseButton>(Button), Shift, modified);
        if (modified) ModifyPage(Index, page);
        return;
    }
}

namespace {

// The scheme of a URL ("https", "mailto"), or empty for a path. A single letter is a drive
// ("C:\\..."), not a scheme.
std::string UrlScheme(const std::string& URL) {
    const size_t colon = URL.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(URL[0]))) return {};
    for (size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(URL[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    }
    return LowerCase(URL.substr(0, colon));
}

std::string PercentDecoded(const std::string& Text) {
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '%' && i + 2 < Text.size() && std::isxdigit(static_cast<unsigned char>(Text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(Text[i + 2]))) {
            out += static_cast<char>(std::stoi(Text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += Text[i];
        }
    }
    return out;
}

// A file the desktop's handler would run: a program (anything executable, a folder
// included) or a desktop entry, by its own name or by the name of what a link points to.
// A relative path is taken from the working folder, as the handler takes it.
bool RunsAsProgram(const std::string& Path) {
    if (Path.empty()) return false;
    if (EndsText(".desktop", Path) || access(Path.c_str(), X_OK) == 0) return true;
    char resolved[PATH_MAX];
    if (realpath(Path.c_str(), resolved) && EndsText(".desktop", resolved)) return true;
    return false;
}

// Web, mail and other network links go to the desktop's handler. Everything else names a
// file (a "file:" URL or a path, absolute or relative), which is opened only when it is no
// program and no desktop entry.
bool IsSafeToOpen(const std::string& URL) {
    const std::string scheme = UrlScheme(URL);
    if (scheme.empty()) return !RunsAsProgram(URL);
    if (scheme != "file") {
        // A name that only looks like a URL and names a file here is still that file.
        return !RunsAsProgram(URL) || access(URL.c_str(), F_OK) != 0;
    }
    std::string path = URL.substr(5);
    if (StartsText("//", path)) {
        // file://host/path: the host is the local one ("localhost" or empty).
        const size_t slash = path.find('/', 2);
        path = slash == std::string::npos ? std::string() : path.substr(slash);
    }
    path = PercentDecoded(path);
    return !RunsAsProgram(path);
}

}  // namespace

void TfrxPreviewPages::FollowLink(const std::string& URL) {
    if (URL.empty()) return;
    if (URL[0] == '@') {
        const std::string number = Trim(URL.substr(1));
        if (number.empty() || number.size() > 9 ||
            !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return;
        const int page = std::stoi(number);
        if (page >= 1 && page <= Count() && OnShowPage) OnShowPage(page - 1, 0);
        return;
    }
    if (URL[0] == '#') {
        int page = 0, top = 0;
        if (FindAnchor(URL.substr(1), page, top) && page >= 0 && page < Count() && OnShowPage) OnShowPage(page, top);
        return;
    }
    // Links come from data: a local program or desktop entry is never started.
    if (!IsSafeToOpen(URL)) return;
    ShellOpen(URL);
}

bool TfrxPreviewPages::Print() {
    TfrxReport* report = Report();
    if (!report) return false;
    TfrxPrintOptions* o = report->PrintOptions();
    TfrxPrintSettings s;
    s.Copies = o->Copies;
    s.Collate = o->Collate;
    s.PageNumbers = o->PageNumbers;
    s.PrintPages = o->PrintPages;
    report->SelectPrinter();
    if (o->ShowDialog && frxPrintDialogProc() && !frxPrintDialogProc()(this, s)) return false;
    TfrxCustomPreview* preview = Preview;
    if (preview) preview->Lock();
    struct Unlock {
        TfrxCustomPreview* P;
        ~Unlock() {
            if (P) P->Unlock();
        }
    } unlock{preview};
    // The virtual printer only lays reports out; a print on it would be taken for one that
    // went to paper. A dot-matrix report's text goes to a file there instead.
    TfrxCustomPrinter* printer = frxPrinters().Printer();
    if (!printer || (!frxPrinters().HasPhysicalPrinters() && !IsDotMatrix()))
        throw EfrxError(frxResources().Get("clNoPrinters"));
    return PrintTo(*printer, s);
}

bool TfrxPreviewPages::IsDotMatrix() {
    return (Report() && Report()->DotMatrixReport) || (Count() > 0 && IsClass(GetPage(0), "TfrxDMPPage"));
}

bool TfrxPreviewPages::PrintTo(TfrxCustomPrinter& Printer, const TfrxPrintSettings& Settings) {
    const int count = Count();
    TStringList list;
    frxParsePageNumbers(Settings.PageNumbers, &list, count);
    // A page text that names no existing page prints nothing (not every page).
    const bool filtered = !Trim(Settings.PageNumbers).empty();
    std::vector<bool> wanted(static_cast<size_t>(count), !filtered);
    for (int i = 0; i < list.Count(); ++i) {
        const int n = StrToIntDef(list[i], 0);
        if (n >= 1 && n <= count) wanted[static_cast<size_t>(n - 1)] = true;
    }
    SetTerminated(false);
    std::string title;
    if (Report()) {
        title = Report()->ReportOptions()->Name;
        if (title.empty()) title = Report()->FileName();
    }
    const int copies = std::max(1, Settings.Copies);
    bool begun = false;
    bool aborted = false;
    // A dot-matrix report goes to the printer as text, each page once per copy.
    const bool raw = IsDotMatrix();
    bool firstRaw = true;
    auto sequence = [&](int printerCopies) {
        for (int k = 0; k < count; ++k) {
            const int i = Settings.Reverse ? count - 1 - k : k;
            if (!wanted[static_cast<size_t>(i)]) continue;
            if (Settings.PrintPages == ppOdd && (i + 1) % 2 == 0) continue;
            if (Settings.PrintPages == ppEven && (i + 1) % 2 == 1) continue;
            if (Terminated()) {
                if (begun) Printer.Abort();
                aborted = true;
                return;
            }
            if (OnPrintProgress) OnPrintProgress(this, i + 1);
            TfrxPage* page = GetPage(i);
            if (!page) continue;
            if (raw) {
                if (!begun) {
                    Printer.BeginRAWDoc(title);
                    begun = true;
                }
                TfrxDMPTextOptions options;
                options.FirstPage = firstRaw;
                const std::string text = frxDMPPageText(page, options);
                for (int c = 0; c < printerCopies; ++c) Printer.WriteRAWDoc(text);
                firstRaw = false;
                if (TApplication* app = ApplicationInstance()) app->ProcessMessages();
                ClearCache();
                continue;
            }
            if (!begun) {
                Printer.BeginDoc(title);
                begun = true;
            }
            if (auto* rp = frxAs<TfrxReportPage>(page))
                Printer.SetPrintParams(rp->PaperSize(), rp->PaperWidth(), rp->PaperHeight(), rp->Orientation(),
                                       i == 0 ? rp->Bin : rp->BinOtherPages, static_cast<int>(rp->Duplex) + 1,
                                       printerCopies);
            Printer.BeginPage();
            DrawPage(i, Printer.Canvas(), Printer.DPIX / 96.0, Printer.DPIY / 96.0,
                     -(Printer.DPIX * Printer.LeftMargin) / 25.4, -(Printer.DPIY * Printer.TopMargin) / 25.4);
            Printer.EndPage();
            if (TApplication* app = ApplicationInstance()) app->ProcessMessages();
            ClearCache();
        }
    };
    try {
        if (!Settings.Collate) {
            sequence(copies);
        } else {
            for (int c = 0; c < copies && !aborted; ++c) sequence(1);
        }
    } catch (...) {
        if (begun && !aborted) Printer.Abort();
        throw;
    }
    if (aborted) return false;
    if (begun) {
        if (raw) Printer.EndRAWDoc();
        else Printer.EndDoc();
    }
    return true;
}

bool TfrxPreviewPages::Export(TObject* Filter) {
    auto* filter = dynamic_cast<TfrxCustomExportFilter*>(Filter);
    if (!filter) return false;
    filter->Report = Report();
    if (filter->ShowDialog && filter->ShowModal() != 1) return false;
    TfrxCustomPreview* preview = Preview;
    if (filter->CurPage) filter->PageNumbers = preview ? std::to_string(CurPreviewPage) : "1";
    SetTerminated(false);
    const int count = Count();
    TStringList list;
    frxParsePageNumbers(filter->PageNumbers, &list, count);
    const bool filtered = !Trim(filter->PageNumbers).empty();
    std::vector<bool> wanted(static_cast<size_t>(count), !filtered);
    for (int i = 0; i < list.Count(); ++i) {
        const int n = StrToIntDef(list[i], 0);
        if (n >= 1 && n <= count) wanted[static_cast<size_t>(n - 1)] = true;
    }
    if (!filter->Start()) return false;
    if (preview) preview->Lock();
    struct Unlock {
        TfrxCustomPreview* P;
        ~Unlock() {
            if (P) P->Unlock();
        }
    } unlock{preview};
    for (int i = 0; i < count && !Terminated(); ++i) {
        if (!wanted[static_cast<size_t>(i)]) continue;
        TfrxPage* page = GetPage(i);
        if (!page) continue;
        if (OnPrintProgress) OnPrintProgress(this, i + 1);
        filter->StartPage(page, i);
        if (auto* rp = frxAs<TfrxReportPage>(page)) {
            const double left = rp->MirrorMargins && i % 2 == 1 ? rp->RightMargin : rp->LeftMargin;
            rp->SetLeft(left * frxMmToPixels);
            rp->SetTop(rp->TopMargin * frxMmToPixels);
            TfrxPictureView* back = rp->BackgroundView();
            back->SetBounds(left * frxMmToPixels, rp->TopMargin * frxMmToPixels,
                            (rp->PaperWidth() - rp->LeftMargin - rp->RightMargin) * frxMmToPixels - 1,
                            (rp->PaperHeight() - rp->TopMargin - rp->BottomMargin) * frxMmToPixels - 1);
            filter->ExportObject(back);
        }
        const int total = Count();
        for (TfrxComponent* obj : page->AllObjects()) {
            auto* view = frxAs<TfrxView>(obj);
            if (!view) continue;
            if (auto* memo = frxAs<TfrxCustomMemoView>(view)) memo->TotalPages = total;
            filter->ExportObject(view);
        }
        filter->FinishPage(page, i);
        ClearCache();
        if (TApplication* app = ApplicationInstance()) app->ProcessMessages();
    }
    filter->Finish();
    return true;
}
