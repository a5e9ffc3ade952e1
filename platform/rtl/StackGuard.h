// The room left on this thread's stack, for routines whose recursion follows their input
// (the script front end's matcher, script calls): they stop with an error of their own
// when the room runs out, whatever their frame size (sanitizer builds have far larger
// frames) and whichever thread runs them.
#pragma once

namespace rove_detail {
// The lowest address a guarded routine may reach on this thread (null when the thread's
// stack cannot be found: then nothing is guarded), worked out on the first check.
extern thread_local constinit const char* tStackFloor;
extern thread_local constinit bool tStackFloorKnown;
const char* FindStackFloor();
}  // namespace rove_detail

// True when the caller's frame lies in the last quarter of this thread's stack, or in its
// last 256 KB when the stack is larger: what remains is kept for the error path and for
// the code that runs after the routine gave up. Inline: script calls ask on every call.
inline bool StackNearlyFull() {
    const char* floor = rove_detail::tStackFloorKnown ? rove_detail::tStackFloor : rove_detail::FindStackFloor();
    const auto* here = static_cast<const char*>(__builtin_frame_address(0));
    return floor && here < floor;
}
