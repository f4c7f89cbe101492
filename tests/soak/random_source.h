#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace soak {

// A small seeded generator (SplitMix64) whose draws are the same with every compiler and
// standard library, so that a seed printed on one machine replays the same actions on another.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // 0 .. count-1 (count > 0).
    int Below(int count) { return static_cast<int>(Next() % static_cast<std::uint64_t>(count)); }

    // low .. high, both included.
    int Between(int low, int high) { return low + Below(high - low + 1); }

    bool OneIn(int count) { return Below(count) == 0; }

    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

private:
    std::uint64_t state_;
};

} // namespace soak
