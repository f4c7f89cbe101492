#include "process_memory.h"

#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif

#if defined(SOAK_ASAN)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace soak {

namespace {

std::int64_t ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            std::int64_t kib = 0;
            fields >> kib;
            return kib * 1024;
        }
    }
    return -1;
}

std::int64_t HeapBytes() {
#if defined(SOAK_ASAN)
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

} // namespace

MemorySample SampleMemory() {
#if !defined(SOAK_ASAN)
    // glibc keeps the pages of freed blocks resident until it needs them again, and where they
    // lie in its heap depends on the order of frees, which event timing changes: runs of the
    // same actions saw the resident set step up by 2 to 3 MiB at different moments, with the
    // heap in use flat. Handing the free pages back first leaves the pages that hold data.
    malloc_trim(0);
#endif
    return MemorySample{ResidentBytes(), HeapBytes()};
}

bool UnderAddressSanitizer() {
#if defined(SOAK_ASAN)
    return true;
#else
    return false;
#endif
}

} // namespace soak
