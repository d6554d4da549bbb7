// Bounded wide-string helpers. None of them ever writes past the buffer size it
// is given, and every one leaves a terminated text behind (size > 0). Sizes
// count wide characters, terminator included.
#pragma once

#include <cstddef>

// printf-like formatting with a fixed, platform-independent set of
// conversions, so that a format behaves the same with every C library:
//   %i, %d  int            %u  unsigned int
//   %s      const wchar_t* (a null pointer prints "(null)")
//   %c      wchar_t, passed as int
//   %%      a percent sign
// An optional '-' flag and a decimal width are understood ("%-8s", "%3i");
// the width pads with blanks and never cuts. Anything else after a '%' (such
// as "%x" or "%.2f") is copied as it stands and consumes no argument.
// Returns the number of characters written (without the terminator), or -1
// when the result did not fit: the buffer then holds the text cut to fit
// (size - 1 characters). With a null buffer or size 0 nothing is written and
// the result is -1; a null format gives an empty text.
int Safe_wcsnprintf(wchar_t* buffer, size_t size, const wchar_t* format, ...);

// Copies `source` into `destination` of `size` characters. False when the text
// had to be cut (the buffer then holds the cut, terminated text) or size is 0
// (nothing written). A null source copies as an empty text.
bool Safe_wcsncpy(wchar_t* destination, const wchar_t* source, size_t size);

// Length of `text`, looking at no more than `maximum` characters; 0 for null.
size_t Safe_wcslen(const wchar_t* text, size_t maximum = static_cast<size_t>(-1));

// Compares two texts without regard to case (ASCII and Latin-1 letters);
// -1, 0 or 1 like wcscmp. Letters compare as their lower-case forms (as
// _wcsicmp does, so "_" sorts before "A"); any other character, by its code.
// No locale is consulted. A null text sorts before every other text.
int Safe_wcsicmp(const wchar_t* a, const wchar_t* b);

// Replaces the character `from` by `to` in `text`: every occurrence, or only
// the first one when `firstOnly` is true; looks at no more than `length`
// characters (-1 or any negative: up to the terminator); the terminator itself
// is never replaced. Returns the number of replacements.
int ReplaceInString(wchar_t* text, wchar_t from, wchar_t to, bool firstOnly = false,
                    int length = -1);
