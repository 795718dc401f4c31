#pragma once

#include <cstdint>

// A small deterministic pseudo-random generator (SplitMix64). Its output depends on
// the seed alone, on every platform and library, so sample data made from it is the
// same from run to run.
class Prng {
public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A number in [0, bound); bound must be positive. The slight bias of the modulo
    // does not matter for sample data.
    int below(int bound) { return int(next() % std::uint64_t(bound)); }

    // A number in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }

private:
    std::uint64_t state_;
};
