// String-list views and companions of host objects.
#include "script/HostObjects.h"

#include <map>
#include <utility>

// The class library's names, not the C++ ones.
TClass TScriptStrings::StaticClass() noexcept {
    static const TClassInfo* info = TClassInfo::Make<TScriptStrings>("TStrings");
    return info;
}

TClass TfsPropertyStrings::StaticClass() noexcept {
    static const TClassInfo* info = TClassInfo::Make<TfsPropertyStrings>("TStrings");
    return info;
}

void TScriptStrings::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TScriptStrings*>(Source)) {
        if (other != this) Strings().Assign(other->Strings());
        return;
    }
    TPersistent::Assign(Source);
}

TObject* TScriptStrings::Slot(const Variant& object) {
    if (object.IsNull() || object.IsEmpty()) return nullptr;
    const TObjectHandle handle = object.AsObject();
    // A handle, never dereferenced by the list (see the header).
    return reinterpret_cast<TObject*>(static_cast<uintptr_t>(handle));
}

Variant TScriptStrings::FromSlot(TObject* slot) {
    return Variant::FromObject(static_cast<TObjectHandle>(reinterpret_cast<uintptr_t>(slot)));
}

TfsPropertyStrings::TfsPropertyStrings(TObject* owner, const TPropInfo* prop) : FOwner(owner->Handle()), FProp(prop) {}

::TStrings& TfsPropertyStrings::Strings() {
    TObject* owner = TObject::FromHandle(FOwner);
    ::TStrings* list = FProp->GetStrings ? FProp->GetStrings(*owner) : nullptr;
    if (!list) throw EPropertyError("Property " + FProp->Name + " has no list");
    return *list;
}

namespace {

using TKey = std::pair<TObjectHandle, const void*>;

struct TCompanions {
    std::map<TKey, std::unique_ptr<TObject>> Objects;
    size_t SweepAt = 256;

    // Companions of owners that have gone.
    void Sweep() {
        std::erase_if(Objects, [](const auto& entry) { return !THandleRegistry::Instance().IsLive(entry.first.first); });
        SweepAt = std::max<size_t>(256, Objects.size() * 2);
    }
};

TCompanions& Companions() {
    static TCompanions companions;
    return companions;
}

}  // namespace

TObject* fsCompanion(const TObject* owner, const void* key, const std::function<std::unique_ptr<TObject>()>& make) {
    const TKey k{owner->Handle(), key};
    TCompanions& c = Companions();
    auto it = c.Objects.find(k);
    if (it != c.Objects.end()) return it->second.get();
    if (c.Objects.size() >= c.SweepAt) c.Sweep();
    return c.Objects.emplace(k, make()).first->second.get();
}

TfsPropertyStrings* fsPropertyStrings(TObject* owner, const TPropInfo* prop) {
    return static_cast<TfsPropertyStrings*>(
        fsCompanion(owner, prop, [owner, prop] { return std::make_unique<TfsPropertyStrings>(owner, prop); }));
}

void fsClearCompanions() { Companions().Objects.clear(); }
