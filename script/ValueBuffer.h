// The values of one call (arguments, saved locals) on the C++ stack for the common small
// counts: only the values added are made, each in its place, so a call with two arguments
// pays for two Variants, not for a fixed array of them. More than the inline slots go to
// the heap.
#pragma once

#include "platform/rtl/Variant.h"

#include <cstddef>
#include <memory>
#include <new>
#include <span>

class TfsValueBuffer {
public:
    static constexpr size_t InlineSlots = 6;

    // Room for n values, none made yet (Add makes them in order).
    explicit TfsValueBuffer(size_t n) : FCapacity(n) {
        FData = n > InlineSlots ? static_cast<Variant*>(::operator new(n * sizeof(Variant)))
                                : reinterpret_cast<Variant*>(FInline);
    }
    ~TfsValueBuffer() {
        Variant* data = FData;
        for (size_t i = 0, n = FCount; i < n; ++i) data[i].~Variant();
        if (data != reinterpret_cast<Variant*>(FInline)) ::operator delete(data);
    }
    TfsValueBuffer(const TfsValueBuffer&) = delete;
    TfsValueBuffer& operator=(const TfsValueBuffer&) = delete;

    // Makes the next value from what Make returns (built in place, nothing copied); counted
    // only once made, so a Make that raises leaves nothing half-made behind.
    template <class F> void AddFrom(F&& Make) {
        new (&FData[FCount]) Variant(Make());
        ++FCount;
    }
    void Add(const Variant& v) {
        new (&FData[FCount]) Variant(v);
        ++FCount;
    }
    // Fills the rest with Empty values.
    void Fill() {
        while (FCount < FCapacity) new (&FData[FCount++]) Variant();
    }

    size_t Count() const { return FCount; }
    Variant& operator[](size_t i) { return FData[i]; }
    Variant* Data() { return FData; }
    std::span<Variant> Span() { return {FData, FCount}; }

private:
    size_t FCapacity;
    size_t FCount = 0;
    Variant* FData;
    alignas(Variant) unsigned char FInline[InlineSlots * sizeof(Variant)];
};
