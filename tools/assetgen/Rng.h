#pragma once
// The generator's own random numbers: splitmix64 from a fixed seed, so every run draws the same pictures
// on every machine (std and Qt generators are free to change their sequences between versions).
#include <cstdint>

class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [lo, hi).
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n).
    int below(int n) { return int(next() % std::uint64_t(n)); }

private:
    std::uint64_t m_state;
};
