// TComponent ownership, names, notifications; TDataModule.
#include "platform/classes/Component.h"
#include "platform/rtl/ConvertErrors.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

bool IsValidIdent(std::string_view name) {
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0])) return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

ROVE_IMPLEMENT_CLASS(TComponent)

void TComponent::DeclareProperties(TPropertyDecl<TComponent>& d) {
    // The name is written in the object header of the text form, never as a property.
    d.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    d.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    ReleaseHandle();
    Destroying();
    NotifyLinked(nullptr);
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
    RemoveGlobalComponent(this);
}

void TComponent::Destroying() {
    if (FState.Contains(csDestroying)) return;
    FState.Include(csDestroying);
    for (TComponent* c : FComponents)
        if (c) c->Destroying();
}

void TComponent::DestroyComponents() {
    // First to last. A component's destructor may free or make other components of this
    // owner: the walk goes on over holes and new entries, and starts again from the
    // front when a compaction moved the entries (everything before was gone then).
    size_t i = 0;
    while (true) {
        while (i < FComponents.size() && !FComponents[i]) ++i;
        if (i >= FComponents.size()) break;
        TComponent* c = FComponents[i];
        const uint32_t compactions = FCompactions;
        RemoveComponent(c);
        delete c;
        if (FCompactions != compactions) i = 0;
    }
}

void TComponent::SetName(const std::string& NewName) {
    if (FName == NewName) return;
    ValidateName(NewName);
    if (FOwner) FOwner->ValidateRename(this, FName, NewName);
    else ValidateRename(nullptr, FName, NewName);
    FName = NewName;
}

void TComponent::ValidateName(const std::string& NewName) {
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(ConvertText::ComponentName(NewName));
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName) {
    if (AComponent && AComponent->FOwner == this && !SameText(CurName, NewName)) {
        TComponent* other = FindComponent(NewName);
        if (other && other != AComponent)
            throw EComponentError(Format("A component named %s already exists", {NewName}));
    }
    if (FState.Contains(csDesigning) && FOwner) FOwner->ValidateRename(AComponent, CurName, NewName);
}

TComponent* TComponent::Components(int Index) const {
    if (Index < 0 || Index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", {Index}));
    if (FHoles) Compact();
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    if (FOwner->FHoles) FOwner->Compact();
    return static_cast<int>(FSlot);
}

void TComponent::SetComponentIndex(int Value) {
    if (!FOwner) return;
    if (FOwner->FHoles) FOwner->Compact();
    auto& list = FOwner->FComponents;
    const int cur = static_cast<int>(FSlot);
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    if (cur == Value) return;
    list.erase(list.begin() + cur);
    list.insert(list.begin() + Value, this);
    for (size_t i = static_cast<size_t>(std::min(cur, Value)); i <= static_cast<size_t>(std::max(cur, Value)); ++i)
        list[i]->FSlot = i;
}

void TComponent::Compact() const {
    size_t n = 0;
    for (TComponent* c : FComponents)
        if (c) {
            c->FSlot = n;
            FComponents[n++] = c;
        }
    FComponents.resize(n);
    FHoles = 0;
    ++FCompactions;
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (c && SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent) return;
    if (AComponent == this) throw EComponentError("A component cannot own itself");
    for (TComponent* o = this; o; o = o->FOwner)
        if (o == AComponent) throw EComponentError("A component cannot own its own owner");
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    ValidateRename(AComponent, std::string(), AComponent->FName);
    Insert(AComponent);
    if (FState.Contains(csDesigning)) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    AComponent->NotifyLinked(this);
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    AComponent->FSlot = FComponents.size();
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    FComponents[AComponent->FSlot] = nullptr;
    ++FHoles;
    AComponent->FOwner = nullptr;
    while (!FComponents.empty() && !FComponents.back()) {
        FComponents.pop_back();
        --FHoles;
    }
    // Holes are closed by whoever reads the order next; an owner whose components come
    // and go without anyone reading closes them itself before they outnumber the rest.
    if (FHoles > 32 && FHoles * 2 > FComponents.size()) Compact();
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On) {
    if (On) FState.Include(Flag);
    else FState.Exclude(Flag);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    SetComponentStateFlag(csDesigning, Value);
    if (SetChildren)
        for (size_t i = 0; i < FComponents.size(); ++i)
            if (TComponent* c = FComponents[i]) c->SetDesigning(Value, true);
}

void TComponent::Loaded() { FState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this || FindLink(AComponent) >= 0) return;
    FFreeNotifies.push_back({AComponent, static_cast<uint32_t>(AComponent->FFreeNotifies.size())});
    AComponent->FFreeNotifies.push_back({this, static_cast<uint32_t>(FFreeNotifies.size() - 1)});
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    const ptrdiff_t i = FindLink(AComponent);
    if (i >= 0) Unlink(static_cast<size_t>(i));
}

ptrdiff_t TComponent::FindLink(const TComponent* AComponent) const {
    if (!AComponent || AComponent == this) return -1;
    // A dataset may be linked to thousands of views, each view to a few components:
    // the shorter list is searched, and the other end knows its place.
    if (FFreeNotifies.size() <= AComponent->FFreeNotifies.size()) {
        for (size_t i = 0; i < FFreeNotifies.size(); ++i)
            if (FFreeNotifies[i].Other == AComponent) return static_cast<ptrdiff_t>(i);
        return -1;
    }
    for (const TFreeLink& l : AComponent->FFreeNotifies)
        if (l.Other == this) return static_cast<ptrdiff_t>(l.Back);
    return -1;
}

void TComponent::EraseLinkAt(size_t Index) {
    if (Index + 1 != FFreeNotifies.size()) {
        const TFreeLink moved = FFreeNotifies.back();
        FFreeNotifies[Index] = moved;
        moved.Other->FFreeNotifies[moved.Back].Back = static_cast<uint32_t>(Index);
    }
    FFreeNotifies.pop_back();
}

void TComponent::Unlink(size_t Index) {
    const TFreeLink link = FFreeNotifies[Index];
    link.Other->EraseLinkAt(link.Back);
    EraseLinkAt(Index);
}

void TComponent::NotifyLinked(const TComponent* Only) {
    // From the back. A handler may link or unlink anything: an unlink moves the last
    // entry (one already looked at) into the freed place, and links made meanwhile are
    // past the walk.
    size_t i = FFreeNotifies.size();
    while (i > 0) {
        --i;
        if (i >= FFreeNotifies.size()) {
            i = FFreeNotifies.size();
            continue;
        }
        TComponent* other = FFreeNotifies[i].Other;
        if (Only && other->FOwner != Only) continue;
        Unlink(i);
        other->Notification(this, opRemove);
    }
}

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}
TComponent* TComponent::GetChildOwner() { return nullptr; }
TComponent* TComponent::GetChildParent() { return this; }
TComponent* TComponent::GetParentComponent() const { return nullptr; }
bool TComponent::HasParent() const { return false; }
void TComponent::SetParentComponent(TComponent*) {}

void TComponent::DefineProperties(TFiler& Filer) {
    // Non-visual components keep their place on the design surface in DesignInfo:
    // the low 16 bits are Left, the high 16 bits Top.
    auto left = static_cast<int16_t>(FDesignInfo & 0xFFFF);
    auto top = static_cast<int16_t>((static_cast<uint32_t>(FDesignInfo) >> 16) & 0xFFFF);
    auto setPart = [this](bool high, int v) {
        uint32_t info = static_cast<uint32_t>(FDesignInfo);
        uint32_t part = static_cast<uint16_t>(static_cast<int16_t>(v));
        info = high ? (info & 0x0000FFFFu) | (part << 16) : (info & 0xFFFF0000u) | part;
        FDesignInfo = static_cast<int32_t>(info);
    };
    // A class that publishes Left or Top of its own (controls, report objects) streams
    // those instead.
    if (!ClassType()->FindProperty("Left"))
        Filer.DefineProperty(
            "Left", [setPart](TReader& r) { setPart(false, r.ReadInteger()); },
            [left](TWriter& w) { w.WriteInteger(left); }, left != 0);
    if (!ClassType()->FindProperty("Top"))
        Filer.DefineProperty(
            "Top", [setPart](TReader& r) { setPart(true, r.ReadInteger()); },
            [top](TWriter& w) { w.WriteInteger(top); }, top != 0);
}

// --- TDataModule ---------------------------------------------------------------------------
ROVE_IMPLEMENT_CLASS(TDataModule)

void TDataModule::DeclareProperties(TPropertyDecl<TDataModule>& d) {
    d.Event("OnCreate", &TDataModule::OnCreate);
}

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {}

void TDataModule::InitModule() {
    InitInheritedComponent(this);
    OnCreate(this);
}

void TDataModule::GetChildren(const TGetChildProc& Proc, TComponent*) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->HasParent()) Proc(c);
    }
}
