#pragma once

#include <cstdint>

namespace sample {

// A small random source whose sequence is the same with every compiler and platform (the
// standard distributions are not), so that one seed gives one file everywhere. Integer only for
// the same reason: no floating-point library function decides a value.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        // SplitMix64.
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 <= result < n; requires n > 0.
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // low <= result <= high.
    int between(int low, int high) { return low + below(high - low + 1); }
    // True in `perMille` of a thousand calls.
    bool chance(int perMille) { return below(1000) < perMille; }
    // An index below n, small ones far more often: a few shops get most of the visits.
    int popular(int n)
    {
        const std::uint64_t a = std::uint64_t(below(n));
        return int(a * std::uint64_t(below(n) + 1) / std::uint64_t(n));
    }

private:
    std::uint64_t m_state;
};

} // namespace sample
