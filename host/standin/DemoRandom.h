#pragma once
// The demo books' own random numbers: splitmix64, so that a seed gives the
// same database with every compiler and standard library (the std
// distributions give different numbers from one library to the next).

#include <cstdint>

class DemoRandom
{
public:
    explicit DemoRandom(std::uint64_t seed)
        : m_state(seed ^ 0x5DEECE66DA3B2F17ull)
    {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. n-1 (n > 0); the modulo bias is far below anything a demo shows.
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // lo .. hi, both included.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    std::int64_t between64(std::int64_t lo, std::int64_t hi)
    {
        return lo + std::int64_t(next() % std::uint64_t(hi - lo + 1));
    }
    // True in `percent` of the calls.
    bool chance(int percent) { return below(100) < percent; }
    // True in `perMille` of a thousand calls.
    bool chancePerMille(int perMille) { return below(1000) < perMille; }

    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    std::uint64_t m_state;
};
