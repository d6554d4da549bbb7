// Random numbers from our own xoshiro256** generator, and floating-point
// helpers.
//
// The generator state is one set of globals without a lock: the program draws
// numbers on its user-interface thread only. Calling GetRandomNumber or
// SeedRandomNumbers from two threads at once is not supported.
#include "corvane/Numbers.h"

#include <chrono>
#include <cmath>
#include <random>
#include <utility>

/* ---- The generator. */

namespace {

uint64_t RotateLeft(uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// splitmix64: spreads one 64-bit seed over the four words of the state, as
// the authors of xoshiro recommend (no state of all zeros can come out).
uint64_t SplitMix64(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

struct Xoshiro256 {
    uint64_t s[4] = {0, 0, 0, 0};
    bool seeded = false;

    void Seed(uint64_t seed) {
        for (auto& word : s) {
            word = SplitMix64(seed);
        }
        seeded = true;
    }

    // xoshiro256** 1.0 by David Blackman and Sebastiano Vigna.
    uint64_t Next() {
        const uint64_t result = RotateLeft(s[1] * 5, 7) * 9;
        const uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = RotateLeft(s[3], 45);
        return result;
    }
};

Xoshiro256 generator;

// A seed nobody chose: the system's entropy source, mixed with the clock in
// case that source is missing or (as some older C libraries had it)
// deterministic.
uint64_t EntropySeed() {
    uint64_t seed =
        static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    seed ^= static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) *
            0x9E3779B97F4A7C15ULL;
    try {
        std::random_device device;
        seed ^= (static_cast<uint64_t>(device()) << 32) ^ static_cast<uint64_t>(device());
    } catch (...) {
        // No entropy source: the clocks alone must do.
    }
    return seed;
}

} // namespace

void SeedRandomNumbers(uint64_t seed) {
    generator.Seed(seed);
}

int GetRandomNumber(int low, int high) {
    if (!generator.seeded) {
        generator.Seed(EntropySeed());
    }
    if (low > high) {
        std::swap(low, high);
    }
    // The span has 1 to 2^32 values. Raw numbers below `threshold` (2^64 mod
    // span) are drawn again, so the ones kept cover every value equally often.
    const uint64_t span =
        static_cast<uint64_t>(static_cast<int64_t>(high) - static_cast<int64_t>(low)) + 1;
    const uint64_t threshold = (0 - span) % span;
    uint64_t raw = generator.Next();
    while (raw < threshold) {
        raw = generator.Next();
    }
    return static_cast<int>(static_cast<int64_t>(low) + static_cast<int64_t>(raw % span));
}

/* ---- Floating point. */

double Dbl_Round(double value, int digits) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, std::abs(static_cast<double>(digits)));
    if (!std::isfinite(scale)) {
        return digits < 0 ? 0.0 : value; // rounds to nothing, or nothing to round
    }
    const double scaled = digits < 0 ? value / scale : value * scale;
    if (!std::isfinite(scaled)) {
        return value; // more digits than a double holds: nothing to round
    }
    const double rounded = std::round(scaled); // halves go away from zero
    return digits < 0 ? rounded * scale : rounded / scale;
}

bool Dbl_IsSmaller(double a, double b, double epsilon) {
    return b - a > epsilon;
}

bool Dbl_IsBigger(double a, double b, double epsilon) {
    return a - b > epsilon;
}
