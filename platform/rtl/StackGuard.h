// The room left on this thread's stack, for routines whose recursion follows their input
// (the script front end's matcher, script calls): they stop with an error of their own
// when the room runs out, whatever their frame size (sanitizer builds have far larger
// frames) and whichever thread runs them.
#pragma once

#include <cstdint>

namespace rove_detail {
// The lowest address a guarded routine may reach on this thread: all ones until the first
// check has worked it out (every frame lies below, so that check takes the slow way), 0 when
// the thread's stack cannot be found (nothing lies below: nothing is guarded).
extern thread_local constinit uintptr_t tStackFloor;
// The slow way: finds the floor on the first check, then compares.
bool StackBelowFloor(uintptr_t here);
}  // namespace rove_detail

// True when the caller's frame lies in the last quarter of this thread's stack, or in its
// last 256 KB when the stack is larger: what remains is kept for the error path and for
// the code that runs after the routine gave up. Inline, one comparison with one
// thread-local: script calls ask on every call.
[[gnu::always_inline]] inline bool StackNearlyFull() {
    const auto here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    if (here >= rove_detail::tStackFloor) [[likely]]
        return false;
    return rove_detail::StackBelowFloor(here);
}
