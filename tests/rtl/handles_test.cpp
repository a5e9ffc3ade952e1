// Checked object handles: live look-ups, stale and forged handles, no reuse.
#include "platform/rtl/Handles.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <set>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

namespace {

constexpr THandleTag htThing = 101;
constexpr THandleTag htOther = 102;

// An object that takes its handle lazily, as the classes layer's objects do.
struct TThing {
    int Value = 0;
    THandleSlot Slot;
    TObjectHandle Handle() { return Slot.Get(this, htThing); }
    ~TThing() { Slot.Release(); }
};

std::string LookupError(TObjectHandle h, THandleTag tag) {
    try {
        THandleRegistry::Instance().Lookup(h, tag);
    } catch (const EInvalidHandle& e) {
        return e.Message();
    }
    return "";
}

TEST(Handles, LiveHandleFindsItsObject) {
    TThing thing;
    thing.Value = 7;
    TObjectHandle h = thing.Handle();
    EXPECT_GT(h, uint64_t(UINT32_MAX));   // never a small integer or a truncated pointer
    EXPECT_EQ(thing.Handle(), h);          // taken once
    EXPECT_EQ(LookupHandle<TThing>(h, htThing)->Value, 7);
    EXPECT_EQ(LookupHandle<TThing>(h), &thing);
    EXPECT_EQ(THandleRegistry::Instance().TagOf(h), htThing);
}

TEST(Handles, BadHandlesRaiseWithAClearText) {
    auto gone = std::make_unique<TThing>();
    TObjectHandle stale = gone->Handle();
    gone.reset();
    TThing live;
    TObjectHandle h = live.Handle();
    struct Row {
        const char* name;
        TObjectHandle handle;
        THandleTag tag;
        std::string expected;
    } rows[] = {
        {"nil", NilHandle, htAny, "Object reference is nil"},
        {"stale", stale, htAny,
         "Invalid object handle " + std::to_string(stale) + ": the object does not exist or has been freed"},
        {"forged_small", 5, htAny,
         "Invalid object handle 5: the object does not exist or has been freed"},
        {"forged_near", h + 1000, htThing,
         "Invalid object handle " + std::to_string(h + 1000) + ": the object does not exist or has been freed"},
        {"other_kind", h, htOther,
         "Object handle " + std::to_string(h) + " refers to an object of another kind"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LookupError(r.handle, r.tag), r.expected) << r.name;
        EXPECT_EQ(THandleRegistry::Instance().TryLookup(r.handle, r.tag), nullptr) << r.name;
    }
    EXPECT_FALSE(THandleRegistry::Instance().IsLive(stale));
    EXPECT_TRUE(THandleRegistry::Instance().IsLive(h));
}

TEST(Handles, ANewObjectNeverGetsAnOldHandle) {
    // Objects built again and again in the same storage: the address repeats, the handle never.
    alignas(TThing) unsigned char storage[sizeof(TThing)];
    std::set<TObjectHandle> seen;
    for (int i = 0; i < 50; ++i) {
        auto* thing = new (storage) TThing();
        TObjectHandle h = thing->Handle();
        EXPECT_TRUE(seen.insert(h).second) << "handle reused at round " << i;
        for (TObjectHandle old : seen) {
            if (old == h) continue;
            EXPECT_FALSE(THandleRegistry::Instance().IsLive(old)) << old;
        }
        thing->~TThing();
    }
}

TEST(Handles, DestroyingAnObjectDropsItsHandle) {
    size_t before = THandleRegistry::Instance().LiveCount();
    TObjectHandle h;
    {
        TThing thing;
        EXPECT_EQ(thing.Slot.Peek(), NilHandle);   // no handle until first use
        EXPECT_EQ(THandleRegistry::Instance().LiveCount(), before);
        h = thing.Handle();
        EXPECT_EQ(THandleRegistry::Instance().LiveCount(), before + 1);
    }
    EXPECT_EQ(THandleRegistry::Instance().LiveCount(), before);
    EXPECT_THROW(THandleRegistry::Instance().Lookup(h), EInvalidHandle);
    THandleRegistry::Instance().Unregister(h);   // a second drop is harmless
    EXPECT_EQ(THandleRegistry::Instance().LiveCount(), before);
}

TEST(Handles, RegisterRefusesNilObjectsAndMissingTags) {
    int x = 0;
    EXPECT_THROW(THandleRegistry::Instance().Register(nullptr, htThing), EInvalidHandle);
    EXPECT_THROW(THandleRegistry::Instance().Register(&x, htAny), EInvalidHandle);
}

TEST(Handles, VariantCarriesTheFullHandle) {
    TThing thing;
    TObjectHandle h = thing.Handle();
    Variant v = Variant::FromObject(h);
    EXPECT_EQ(VarType(v), varObject);
    EXPECT_EQ(v.AsObject(), h);
    EXPECT_EQ(static_cast<uint64_t>(v.AsInt64()), h);   // "as an integer", all 64 bits
    EXPECT_THROW((void)v.AsInteger(), EVariantError);
    EXPECT_EQ(LookupHandle<TThing>(Variant(v.AsInt64()).AsObject(), htThing), &thing);
    EXPECT_EQ(Variant::Null().AsObject(), NilHandle);
    EXPECT_EQ(Variant(0).AsObject(), NilHandle);
}

}  // namespace
