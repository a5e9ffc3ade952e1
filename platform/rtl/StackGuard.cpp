#include "platform/rtl/StackGuard.h"

#include <algorithm>
#include <cstddef>
#include <pthread.h>

namespace rove_detail {

// A plain thread-local with a constant initialiser, so that every check reads it without a
// guard.
thread_local constinit uintptr_t tStackFloor = UINTPTR_MAX;

bool StackBelowFloor(uintptr_t here) {
    if (tStackFloor == UINTPTR_MAX) {
        pthread_attr_t attr;
        void* base = nullptr;
        size_t size = 0;
        uintptr_t floor = 0;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            pthread_attr_getstack(&attr, &base, &size);
            pthread_attr_destroy(&attr);
            const size_t reserve = std::min<size_t>(size / 4, 256 * 1024);
            floor = reinterpret_cast<uintptr_t>(base) + reserve;
        }
        tStackFloor = floor;
    }
    return here < tStackFloor;
}

}  // namespace rove_detail
