#pragma once

// Long property loops run a leading share of their cases in the unit tier, which must stay quick
// under the sanitizers, and every case in the slow tier, where CTest sets VIRELDO_ALL_CASES=1
// (vireldo_all_cases in tests/CMakeLists.txt). A loop draws its random numbers in the same order
// in both tiers, so a case that fails is found again from its seed and its index whichever tier
// ran it.
#include <cstdlib>
#include <cstring>

namespace testing_support {

inline bool AllCases() {
    const char* all = std::getenv("VIRELDO_ALL_CASES");
    return all != nullptr && std::strcmp(all, "1") == 0;
}

// How many of a loop's cases run: all of them in the slow tier, the first `quick` in the unit tier.
inline int CasesToRun(int all, int quick) {
    return AllCases() ? all : quick;
}

} // namespace testing_support
