#include "platform/rtl/StackGuard.h"

#include <algorithm>
#include <cstddef>
#include <pthread.h>

namespace {

// The lowest address a guarded routine may reach on this thread; null when the thread's
// stack cannot be found (then nothing is guarded). Worked out once per thread, kept in plain
// thread-locals so that every check reads them without a guard.
thread_local const char* tFloor = nullptr;
thread_local bool tFloorKnown = false;

const char* ComputeFloor() {
    pthread_attr_t attr;
    void* base = nullptr;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return nullptr;
    pthread_attr_getstack(&attr, &base, &size);
    pthread_attr_destroy(&attr);
    const size_t reserve = std::min<size_t>(size / 4, 256 * 1024);
    return static_cast<const char*>(base) + reserve;
}

const char* StackFloor() {
    if (!tFloorKnown) {
        tFloor = ComputeFloor();
        tFloorKnown = true;
    }
    return tFloor;
}

}  // namespace

bool StackNearlyFull() {
    const char* floor = StackFloor();
    const auto* here = static_cast<const char*>(__builtin_frame_address(0));
    return floor && here < floor;
}
