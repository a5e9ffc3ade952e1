// Events: the count of bound handlers per signature.
#include "platform/classes/Events.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

// A signature no other event uses, so the count is this test's alone.
using TProbeEvent = TEvent<void(int, char, double)>;

void Handler(int, char, double) {}

}  // namespace

// Every way a handler comes and goes moves the count: binding, rebinding, binding nothing,
// copying (constructed and assigned, bound over unbound and the reverse, onto itself),
// clearing through the base class and destroying a bound event.
TEST(Events, CountTheBoundHandlersOfTheirSignature) {
    ASSERT_EQ(TProbeEvent::BoundCount(), 0);
    auto owned = std::make_unique<TProbeEvent>();
    TProbeEvent& a = *owned;
    TProbeEvent b;
    std::optional<TProbeEvent> c;
    struct Step {
        const char* Name;
        std::function<void()> Act;
        int64_t Bound;
    };
    const Step steps[] = {
        {"bound", [&] { a = Handler; }, 1},
        {"bound again", [&] { a = Handler; }, 1},
        {"bound by name", [&] { b.Bind(Handler, "Probe", std::make_shared<int>(0)); }, 2},
        {"bound with nothing", [&] { b.Bind(nullptr, "Probe"); }, 1},
        {"copied over an unbound one", [&] { b = a; }, 2},
        {"copied over a bound one", [&] { b = a; }, 2},
        {"copied onto itself", [&] { auto& self = a; a = self; }, 2},
        {"copy constructed", [&] { c.emplace(a); }, 3},
        {"copy of a bound one destroyed", [&] { c.reset(); }, 2},
        {"copy constructed from an unbound one", [&] { c.emplace(TProbeEvent()); }, 2},
        {"unbound one destroyed", [&] { c.reset(); }, 2},
        {"unbound copied over a bound one", [&] { b = TProbeEvent(); }, 1},
        {"cleared through the base", [&] { static_cast<TEventBase&>(a).Clear(); }, 0},
        {"cleared again", [&] { a = nullptr; }, 0},
        {"bound again and copied", [&] { a = Handler; c.emplace(a); }, 2},
        {"bound ones destroyed", [&] { owned.reset(); c.reset(); }, 0},
    };
    for (const Step& s : steps) {
        s.Act();
        EXPECT_EQ(TProbeEvent::BoundCount(), s.Bound) << s.Name;
    }
    EXPECT_FALSE(b.Assigned());
}
