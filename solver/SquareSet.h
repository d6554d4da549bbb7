// A set of the board's squares, one bit a square: the worklists of the rules.
#pragma once

#include <cstdint>
#if defined(_MSC_VER)
#include <intrin.h>
#endif

// The index of the lowest set bit of a non-zero word.
inline int LowestBit(uint64_t bits) {
#if defined(_MSC_VER)
    unsigned long index = 0;
    _BitScanForward64(&index, bits);
    return static_cast<int>(index);
#else
    return __builtin_ctzll(bits);
#endif
}

struct SquareSet {
    uint64_t words[2] = {0, 0};
    void Add(int index) { words[index >> 6] |= uint64_t{1} << (index & 63); }
    void Add(const SquareSet& other) {
        words[0] |= other.words[0];
        words[1] |= other.words[1];
    }
    bool Empty() const { return (words[0] | words[1]) == 0; }
    // Removes and returns the first square at or after `from`; -1 when none.
    int TakeFrom(int from) {
        for (int w = from >> 6; w < 2; ++w) {
            uint64_t bits = words[w];
            if (w == from >> 6) {
                bits &= ~uint64_t{0} << (from & 63);
            }
            if (bits != 0) {
                const int bit = LowestBit(bits);
                words[w] &= ~(uint64_t{1} << bit);
                return 64 * w + bit;
            }
        }
        return -1;
    }
};
