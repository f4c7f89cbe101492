#pragma once

#include <cstdint>

namespace soak {

// What the process holds at one moment.
struct MemorySample {
    // Resident set size from /proc/self/status (VmRSS), in bytes; without AddressSanitizer
    // taken after malloc has handed the free pages of its heap back to the system.
    std::int64_t rssBytes = 0;
    // Bytes the heap has handed out and not yet taken back. Under AddressSanitizer this is the
    // sanitizer's own count, which drops at free() even though the block then waits in the
    // quarantine; otherwise it is what glibc's malloc reports as in use.
    std::int64_t heapBytes = 0;
};

MemorySample SampleMemory();

// True when the program was built with AddressSanitizer: its quarantine keeps freed blocks
// resident for a while, so the resident set grows with the number of frees and says little
// about leaks.
bool UnderAddressSanitizer();

} // namespace soak
