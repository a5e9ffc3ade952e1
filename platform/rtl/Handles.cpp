// The process-wide registry of checked object handles.
#include "Handles.h"

#include "Exceptions.h"
#include "StrUtils.h"

THandleRegistry& THandleRegistry::Instance() {
    // Never destroyed: objects that unregister during static destruction still find it.
    static THandleRegistry* registry = new THandleRegistry();
    return *registry;
}

TObjectHandle THandleRegistry::Register(void* object, THandleTag tag) {
    if (object == nullptr) throw EInvalidHandle("Cannot give a handle to a nil object");
    if (tag == htAny) throw EInvalidHandle("An object handle needs a type tag");
    std::lock_guard<std::mutex> lock(FLock);
    TObjectHandle handle = FNext++;
    FEntries.emplace(handle, TEntry{object, tag});
    return handle;
}

void THandleRegistry::Unregister(TObjectHandle handle) noexcept {
    std::lock_guard<std::mutex> lock(FLock);
    FEntries.erase(handle);
}

void* THandleRegistry::TryLookup(TObjectHandle handle, THandleTag tag) const noexcept {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FEntries.find(handle);
    if (it == FEntries.end()) return nullptr;
    if (tag != htAny && it->second.Tag != tag) return nullptr;
    return it->second.Object;
}

void* THandleRegistry::Lookup(TObjectHandle handle, THandleTag tag) const {
    if (void* object = TryLookup(handle, tag)) return object;
    if (handle == NilHandle) throw EInvalidHandle("Object reference is nil");
    if (tag != htAny && TagOf(handle) != htAny)
        throw EInvalidHandle("Object handle " + IntToStr(static_cast<int64_t>(handle)) +
                             " refers to an object of another kind");
    throw EInvalidHandle("Invalid object handle " + IntToStr(static_cast<int64_t>(handle)) +
                         ": the object does not exist or has been freed");
}

THandleTag THandleRegistry::TagOf(TObjectHandle handle) const noexcept {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FEntries.find(handle);
    return it == FEntries.end() ? htAny : it->second.Tag;
}

size_t THandleRegistry::LiveCount() const noexcept {
    std::lock_guard<std::mutex> lock(FLock);
    return FEntries.size();
}
