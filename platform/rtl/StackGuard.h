// The room left on this thread's stack, for routines whose recursion follows their input
// (the script front end's matcher, script calls): they stop with an error of their own
// when the room runs out, whatever their frame size (sanitizer builds have far larger
// frames) and whichever thread runs them.
#pragma once

// True when the caller's frame lies in the last quarter of this thread's stack, or in its
// last 256 KB when the stack is larger: what remains is kept for the error path and for
// the code that runs after the routine gave up.
bool StackNearlyFull();
