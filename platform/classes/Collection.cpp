// TCollection and TCollectionItem; the high-byte packing of streamed collection texts.
#include "platform/classes/Collection.h"

#include <algorithm>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

ROVE_IMPLEMENT_CLASS(TCollectionItem)

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
    ReleaseHandle();
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    int cur = Index();
    if (cur < 0 || cur == Value) return;
    FCollection->MoveItem(cur, Value);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

std::string TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return Format("%s[%d]", {FCollection->GetNamePath(), Index()});
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

ROVE_IMPLEMENT_CLASS(TCollection)

TCollection::TCollection(TClass ItemClass, TPersistent* Owner) : FItemClass(ItemClass), FOwner(Owner) {
    if (!FItemClass || !FItemClass->InheritsFrom(TCollectionItem::StaticClass()))
        throw EComponentError(Format("%s is no collection item class",
                                     {FItemClass ? FItemClass->ClassName() : std::string("nil")}));
}

TCollection::TCollection() : TCollection(TCollectionItem::StaticClass(), nullptr) {}

TCollection::~TCollection() {
    ReleaseHandle();
    FUpdateCount = 1;   // no notifications to an owner that is going too
    while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FItems[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = FItemClass->CreateItem(this);
    if (item->FCollection != this) item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int Index) {
    if (Index < 0 || Index > Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(Index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == ID) return item;
    return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
    auto* src = dynamic_cast<TCollection*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : src->FItems) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0) Changed();
}

std::string TCollection::GetNamePath() const {
    if (!FOwner) return ClassName();
    std::string path = FOwner->GetNamePath();
    if (path.empty() || FPropName.empty()) return ClassName();
    return path + "." + FPropName;
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    // Clearing frees the items from the back: that one is found at once.
    if (!FItems.empty() && FItems.back() == Item) FItems.pop_back();
    else if (auto it = std::find(FItems.begin(), FItems.end(), Item); it != FItems.end()) FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(int From, int To) {
    To = std::clamp(To, 0, Count() - 1);
    TCollectionItem* item = FItems[static_cast<size_t>(From)];
    FItems.erase(FItems.begin() + From);
    FItems.insert(FItems.begin() + To, item);
    Changed();
}

// --- Packing ---------------------------------------------------------------------------------
std::string PackHighBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        if (b >= 128) {
            out += '\x01';
            out += static_cast<char>(b - 128);
        } else {
            out += ch;
        }
    }
    return out;
}

namespace {
std::string RestoreHighBytes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x01' && i + 1 < text.size()) {
            out += static_cast<char>(static_cast<unsigned char>(text[i + 1]) + 128);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
}  // namespace

std::string UnpackHighBytes(std::string_view text) {
    std::string out = RestoreHighBytes(text);
    if (!IsValidUtf8(out)) out = DecodeLegacyText(out);
    return out;
}

void PackCollectionStrings(TCollection* Collection, bool Pack, std::vector<std::string>* Errors) {
    if (!Collection) return;
    std::vector<std::string> failed;
    // Each string on its own: one that does not decode keeps its text with replacement
    // characters and is named, and the strings after it still unpack.
    auto conv = [&](int index, const TPropInfo* p, const std::string& s) {
        if (Pack) return PackHighBytes(s);
        bool replaced = false;
        std::string out = DecodeLegacyTextLossy(RestoreHighBytes(s), replaced);
        if (replaced)
            failed.push_back(Format("%s: item %d, %s: Invalid GB18030 byte sequence",
                                    {Collection->ItemClass()->ClassName(), index, p->Name}));
        return out;
    };
    for (int i = 0; i < Collection->Count(); ++i) {
        TCollectionItem* item = Collection->Items(i);
        for (const TPropInfo* p : item->ClassType()->Properties()) {
            if (p->Kind() == tkString && p->SetStr) {
                SetStrProp(item, p, conv(i, p, GetStrProp(item, p)));
            } else if (p->Kind() == tkVariant && p->SetVar) {
                Variant v = GetVariantProp(item, p);
                if (v.IsString()) SetVariantProp(item, p, Variant(conv(i, p, v.StrValue())));
            }
        }
    }
    if (failed.empty()) return;
    if (!Errors) throw EReadError(failed.front());
    Errors->insert(Errors->end(), failed.begin(), failed.end());
}
