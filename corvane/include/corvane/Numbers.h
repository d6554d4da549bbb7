// Random numbers and floating-point helpers.
#pragma once

#include <cstdint>

// An integer from `low` to `high` inclusive, uniformly drawn (the two bounds
// may come in either order). The generator is our own (xoshiro256**), so a
// seed gives the same sequence on every platform and compiler. It is seeded
// from the system's entropy source (mixed with the clock) on first use unless
// SeedRandomNumbers was called before. One generator serves the whole program
// without a lock: call these from one thread only (the UI thread).
int GetRandomNumber(int low, int high);
void SeedRandomNumbers(uint64_t seed);

// `value` rounded half away from zero to `digits` decimal places (a negative
// count rounds to tens, hundreds, ...). The value is scaled in binary floating
// point, so a decimal half that a double cannot hold exactly (2.675 is really
// 2.67499999...) goes the way its binary value says. Infinities and NaN come
// back as they are.
double Dbl_Round(double value, int digits);

// Comparisons that treat values no further apart than `epsilon` as equal:
// Dbl_IsSmaller(a, b) is true when a lies more than `epsilon` below b. Both are
// false when either value is NaN.
bool Dbl_IsSmaller(double a, double b, double epsilon = 1e-9);
bool Dbl_IsBigger(double a, double b, double epsilon = 1e-9);
