// Checked object handles: the 64-bit numbers by which scripts, events and Variants refer
// to live objects instead of raw pointers.
//
// A process-wide registry maps each handle to an untyped pointer and a type tag. Handles
// come from a counter that starts above the 32-bit range and never goes back, so a handle
// is never a truncated pointer, never a small integer that a script computed by chance,
// and never reused for another object: after an object goes, its old handle is stale for
// good and looking it up raises EInvalidHandle. 0 is nil.
//
// The classes layer attaches this to its objects with a THandleSlot member: the object
// gets its handle on first use and drops it first thing in its destructor.
#pragma once

#include <cstdint>
#include <mutex>
#include <string_view>
#include <unordered_map>

using TObjectHandle = uint64_t;
constexpr TObjectHandle NilHandle = 0;

// What kind of object a handle stands for. Layers above define their own tags
// (the classes layer one for TObject); htAny accepts every tag in a look-up.
using THandleTag = uint32_t;
constexpr THandleTag htAny = 0;

class THandleRegistry {
public:
    // The one registry of the process.
    static THandleRegistry& Instance();

    // A new handle for object (not null) with its tag (not htAny). Registering the same
    // object again gives a second, different handle; THandleSlot avoids that.
    TObjectHandle Register(void* object, THandleTag tag);
    // Drops the handle; a handle that is not live is ignored (an object goes once).
    void Unregister(TObjectHandle handle) noexcept;

    // The object of a live handle whose tag is tag (htAny: any tag); raises
    // EInvalidHandle for nil, a stale or forged handle, or a handle of another tag.
    void* Lookup(TObjectHandle handle, THandleTag tag = htAny) const;
    // The same, giving nullptr instead of raising.
    void* TryLookup(TObjectHandle handle, THandleTag tag = htAny) const noexcept;
    bool IsLive(TObjectHandle handle) const noexcept { return TryLookup(handle) != nullptr; }
    // The tag of a live handle, htAny when the handle is not live.
    THandleTag TagOf(TObjectHandle handle) const noexcept;
    // Number of live handles (for leak checks in tests).
    size_t LiveCount() const noexcept;

    THandleRegistry(const THandleRegistry&) = delete;
    THandleRegistry& operator=(const THandleRegistry&) = delete;

private:
    THandleRegistry() = default;
    struct TEntry {
        void* Object;
        THandleTag Tag;
    };
    mutable std::mutex FLock;
    std::unordered_map<TObjectHandle, TEntry> FEntries;
    TObjectHandle FNext = TObjectHandle(1) << 32;
};

// Typed convenience over the registry: Lookup<TObject>(h, htObject).
template <class T>
T* LookupHandle(TObjectHandle handle, THandleTag tag = htAny) {
    return static_cast<T*>(THandleRegistry::Instance().Lookup(handle, tag));
}

// The handle of one object, taken on first use. Put one in the object and call
// Release() at the start of its destructor, so no look-up finds a half-destroyed object
// (the slot's own destructor releases too, as a safety net).
class THandleSlot {
public:
    THandleSlot() = default;
    THandleSlot(const THandleSlot&) = delete;              // a copy is another object
    THandleSlot& operator=(const THandleSlot&) = delete;
    ~THandleSlot() { Release(); }

    TObjectHandle Get(void* object, THandleTag tag) {
        if (FHandle == NilHandle) FHandle = THandleRegistry::Instance().Register(object, tag);
        return FHandle;
    }
    // The handle if one was taken, else nil.
    TObjectHandle Peek() const noexcept { return FHandle; }
    void Release() noexcept {
        if (FHandle == NilHandle) return;
        THandleRegistry::Instance().Unregister(FHandle);
        FHandle = NilHandle;
    }

private:
    TObjectHandle FHandle = NilHandle;
};
