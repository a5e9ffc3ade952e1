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
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(other->FFreeNotifies, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
    RemoveGlobalComponent(this);
}

void TComponent::Destroying() {
    if (FState.Contains(csDestroying)) return;
    FState.Include(csDestroying);
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.front();
        RemoveComponent(c);
        delete c;
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
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto it = std::find(FOwner->FComponents.begin(), FOwner->FComponents.end(), this);
    return static_cast<int>(it - FOwner->FComponents.begin());
}

void TComponent::SetComponentIndex(int Value) {
    if (!FOwner) return;
    auto& list = FOwner->FComponents;
    int cur = ComponentIndex();
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    if (cur == Value) return;
    list.erase(list.begin() + cur);
    list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
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
    Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
    std::erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On) {
    if (On) FState.Include(Flag);
    else FState.Exclude(Flag);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    SetComponentStateFlag(csDesigning, Value);
    if (SetChildren)
        for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::Loaded() { FState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Every owned component hears about insertions and removals in its owner, so
    // references between siblings are dropped without free notifications.
    int i = ComponentCount() - 1;
    while (i >= 0) {
        FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
        --i;
        if (i >= ComponentCount()) i = ComponentCount() - 1;
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (FOwner && AComponent->FOwner == FOwner) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) != FFreeNotifies.end()) return;
    FFreeNotifies.push_back(AComponent);
    AComponent->FreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    std::erase(FFreeNotifies, AComponent);
    std::erase(AComponent->FFreeNotifies, this);
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
