#include "platform/rtl/StackGuard.h"

#include <algorithm>
#include <cstddef>
#include <pthread.h>

namespace rove_detail {

// Plain thread-locals with constant initialisers, so that every check reads them without a
// guard.
thread_local constinit const char* tStackFloor = nullptr;
thread_local constinit bool tStackFloorKnown = false;

const char* FindStackFloor() {
    pthread_attr_t attr;
    void* base = nullptr;
    size_t size = 0;
    const char* floor = nullptr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        pthread_attr_getstack(&attr, &base, &size);
        pthread_attr_destroy(&attr);
        const size_t reserve = std::min<size_t>(size / 4, 256 * 1024);
        floor = static_cast<const char*>(base) + reserve;
    }
    tStackFloor = floor;
    tStackFloorKnown = true;
    return floor;
}

}  // namespace rove_detail
