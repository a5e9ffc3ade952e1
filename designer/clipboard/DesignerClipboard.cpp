#include "designer/clipboard/DesignerClipboard.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "designer/workspace/WorkspaceKinds.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Clipbrd.h"
#include "report/Bands.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Serializer.h"

namespace {

// The copy names each object's dataset (DataSetName); read outside the report, the
// object could not find it. In the report now, the name is given again and the object
// takes the report's dataset of that name (itself and the objects inside it).
void BindDataSetsByName(TfrxComponent* Obj) {
    std::vector<TfrxComponent*> all = Obj->AllObjects();
    all.insert(all.begin(), Obj);
    for (TfrxComponent* c : all) {
        const TPropInfo* prop = GetPropInfo(c, "DataSetName");
        if (!prop || prop->Kind() != tkString || prop->IsReadOnly()) continue;
        const std::string name = GetStrProp(c, prop);
        if (!name.empty()) SetStrProp(c, prop, name);
    }
}

bool StartsWithMarker(const std::string& Text) {
    return Text.compare(0, std::char_traits<char>::length(TfrxClipboard::Marker), TfrxClipboard::Marker) == 0;
}

std::string TooManyText() {
    if (!frxResources().Has("dsPasteTooMany"))
        frxResources().Add("dsPasteTooMany", "剪贴板中的对象太多 (超过 %d 个)，未粘贴");
    return frxResources().Get("dsPasteTooMany");
}

// Kinds of which a page holds only one.
bool IsSingleBand(const TfrxComponent* C) {
    return dynamic_cast<const TfrxReportTitle*>(C) || dynamic_cast<const TfrxReportSummary*>(C) ||
           dynamic_cast<const TfrxPageHeader*>(C) || dynamic_cast<const TfrxPageFooter*>(C) ||
           dynamic_cast<const TfrxColumnHeader*>(C) || dynamic_cast<const TfrxColumnFooter*>(C);
}

// Whether an object of this kind may stand on the page.
bool FitsPage(const TfrxComponent* C, const TfrxPage* Page) {
    const bool dialogObject = frxKind::IsDialogComponent(C) || frxKind::IsDialogControl(C);
    if (frxKind::IsDialogPage(Page)) return dialogObject;
    if (dialogObject) return false;
    const bool dmpObject = frxKind::IsDMPMemo(C) || frxKind::IsDMPLine(C);
    if (frxKind::IsDMPPage(Page)) return frxKind::IsBand(C) || dmpObject;
    return !dmpObject;
}

}  // namespace

TfrxClipboard::TfrxClipboard(TfrxCustomDesigner* Designer) : FDesigner(Designer) {
    Refresh();
    FListener = Clipboard()->AddChangeListener([this] { Refresh(); });
}

TfrxClipboard::~TfrxClipboard() { Clipboard()->RemoveChangeListener(FListener); }

void TfrxClipboard::Refresh() { FAvailable = StartsWithMarker(Clipboard()->AsText()); }

std::string TfrxClipboard::CopyText() const {
    std::string text = std::string(Marker) + "\n\r";
    const std::vector<TfrxComponent*>& sel = FDesigner->SelectedObjects();
    TfrxPage* page = FDesigner->Page();
    if (!page) return text;
    double minL = 100000, minT = 100000;
    for (const TfrxComponent* c : sel) {
        minL = std::min(minL, c->AbsLeft());
        minT = std::min(minT, c->AbsTop());
    }
    const std::set<const TfrxComponent*> selected(sel.begin(), sel.end());
    auto write = [&](TfrxComponent* c) {
        std::unique_ptr<TObject> made(c->ClassType()->CreateInstance(nullptr));
        auto* copy = dynamic_cast<TfrxComponent*>(made.get());
        if (!copy) return;
        copy->Assign(c);
        // Both coordinates are taken from the page, so that an object of a band that does
        // not start at the page's left edge keeps its place too.
        copy->SetLeft(c->AbsLeft() - minL);
        copy->SetTop(c->AbsTop() - minT);
        TStringStream s;
        TfrxXMLSerializer ser(&s);
        ser.SetOwner(c->Report());
        ser.WriteComponent(copy);
        text += s.DataString();
    };
    for (TfrxComponent* c : page->AllObjects()) {
        if (!selected.count(c)) continue;
        write(c);
        if (!frxKind::IsBand(c)) continue;
        const auto& kids = c->ObjectList();
        if (std::none_of(kids.begin(), kids.end(), [&](TfrxComponent* k) { return selected.count(k) != 0; }))
            for (TfrxComponent* k : kids) write(k);
    }
    return text;
}

void TfrxClipboard::Copy() {
    Clipboard()->SetAsText(CopyText());
    Refresh();
}

TfrxClipboard::TPasteResult TfrxClipboard::Paste() { return PasteText(Clipboard()->AsText()); }

TfrxClipboard::TPasteResult TfrxClipboard::PasteText(const std::string& Text) {
    TPasteResult result;
    TfrxPage* page = FDesigner->Page();
    TfrxReport* report = FDesigner->Report();
    if (!page || !report || !StartsWithMarker(Text)) return result;
    // The objects follow the first line (the marker and its line feed; the carriage
    // return after it starts the XML).
    const size_t eol = Text.find('\n');
    std::string xml = eol == std::string::npos ? std::string() : Text.substr(eol + 1);
    // Elements are counted before anything is read: a huge text is refused at once.
    int elements = 0;
    for (size_t i = 0; i + 1 < xml.size(); ++i)
        if (xml[i] == '<' && (std::isalpha(static_cast<unsigned char>(xml[i + 1])))) ++elements;
    if (elements > MaxPasteObjects) {
        result.Error = Format(TooManyText(), {MaxPasteObjects});
        return result;
    }
    // Everything is read first; a read error leaves the report as it was.
    std::vector<std::unique_ptr<TfrxComponent>> read;
    try {
        TStringStream s(xml);
        s.SetPosition(0);
        TfrxXMLSerializer ser(&s);
        ser.SetOwner(report);
        while (s.Position() < s.Size()) {
            TfrxComponent* obj = ser.ReadComponent(nullptr);
            if (!obj) break;
            read.emplace_back(obj);
        }
    } catch (const std::exception& e) {
        result.Error = e.what();
        return result;
    }
    std::vector<TfrxComponent*>& objects = FDesigner->Objects();
    std::vector<TfrxComponent*>& sel = FDesigner->SelectedObjects();
    sel.clear();
    // Names: the smallest free number per base name, as CreateUniqueName gives one by one.
    std::set<std::string> used;
    for (TfrxComponent* c : report->AllObjects()) used.insert(LowerCase(c->Name()));
    used.insert(LowerCase(report->Name()));
    std::map<std::string, int> next;
    std::vector<TfrxBand*> pastedBands;
    for (auto& owned : read) {
        TfrxComponent* obj = owned.get();
        if (IsSingleBand(obj)) {
            const auto& kids = page->ObjectList();
            if (std::any_of(kids.begin(), kids.end(), [&](TfrxComponent* k) { return k->ClassType() == obj->ClassType(); }))
                continue;
        }
        // Every object, bands of which a page holds one too (no page header on a dialog page).
        if (!FitsPage(obj, page)) continue;
        TfrxComponent* parent = page;
        if (!frxKind::IsBand(obj)) {
            for (auto it = pastedBands.rbegin(); it != pastedBands.rend(); ++it)
                if ((*it)->Top() <= obj->Top() && obj->Top() < (*it)->Top() + (*it)->Height()) {
                    parent = *it;
                    obj->SetTop(obj->Top() - (*it)->Top());
                    break;
                }
        }
        owned.release();
        obj->SetParent(parent);
        BindDataSetsByName(obj);
        if (auto* b = dynamic_cast<TfrxBand*>(obj)) pastedBands.push_back(b);
        const std::string base = obj->BaseName();
        int& n = next[LowerCase(base)];
        if (n == 0) n = 1;
        while (used.count(LowerCase(base + IntToStr(n)))) ++n;
        obj->SetName(base + IntToStr(n));
        used.insert(LowerCase(obj->Name()));
        // The list ends with the report and the page; new objects go before them.
        auto at = std::find_if(objects.begin(), objects.end(), [](TfrxComponent* c) { return frxKind::IsPageOrReport(c); });
        objects.insert(at, obj);
        if (parent == page) sel.push_back(obj);
        ++result.Pasted;
    }
    if (sel.empty()) sel.push_back(page);
    return result;
}
