#include "corvane/StringHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

// A buffer of `size` characters followed by a guard that no helper may touch.
struct GuardedBuffer {
    explicit GuardedBuffer(size_t size) : chars(size + 16, L'~'), guard(size) {}
    bool GuardIntact() const {
        return std::all_of(chars.begin() + guard, chars.end(), [](wchar_t c) { return c == L'~'; });
    }
    std::vector<wchar_t> chars;
    std::ptrdiff_t guard;
};

template <typename... Args> std::wstring Format(const wchar_t* format, Args... args) {
    wchar_t buffer[256];
    const int written = Safe_wcsnprintf(buffer, 256, format, args...);
    EXPECT_EQ(written, static_cast<int>(std::wstring(buffer).size())) << "for " << format;
    return buffer;
}

} // namespace

// %s takes a wide string on every platform, as Microsoft's library has it. A
// width pads with blanks, never with zeros, and never cuts. Unknown
// conversions are copied and take no argument.
TEST(Safe_wcsnprintf, Conversions) {
    EXPECT_EQ(Format(L"Solution %i/%i %d %i %u", 0, 17, -42, INT_MIN, UINT_MAX),
              L"Solution 0/17 -42 -2147483648 4294967295");
    EXPECT_EQ(Format(L"[%c%c] 100%%", L'A', 0xE9), L"[A\u00e9] 100%");
    EXPECT_EQ(Format(L"Level : %s\n\nSure? <%s>", L"Easy \u00e9t\u00e9 1",
                     static_cast<const wchar_t*>(nullptr)),
              L"Level : Easy \u00e9t\u00e9 1\n\nSure? <(null)>");
    EXPECT_EQ(Format(L"[%5i|%-5i|%-8s:%3s|%03u|%-3c]", -42, -42, L"New", L"longer", 7u, L'x'),
              L"[  -42|-42  |New     :longer|  7|x  ]");
    EXPECT_EQ(Format(L"%x %.2f|%-4q|%i end %-1", 9), L"%x %.2f|%-4q|9 end %-1");
    EXPECT_EQ(Format(L"end %"), L"end %");
}

TEST(Safe_wcsnprintf, CutsAtTheBufferAndNeverWritesPastIt) {
    const std::wstring full = L"Solution 12/100";
    for (size_t size = 1; size <= full.size() + 2; ++size) {
        SCOPED_TRACE(size);
        GuardedBuffer buffer(size);
        const int result = Safe_wcsnprintf(buffer.chars.data(), size, L"Solution %i/%i", 12, 100);
        EXPECT_TRUE(buffer.GuardIntact());
        EXPECT_EQ(result, size > full.size() ? static_cast<int>(full.size()) : -1);
        EXPECT_EQ(buffer.chars.data(), full.substr(0, size - 1));
    }
    // Padding is cut just the same.
    GuardedBuffer padded(4);
    EXPECT_EQ(Safe_wcsnprintf(padded.chars.data(), 4, L"%2000000000i", 1), -1);
    EXPECT_EQ(padded.chars.data(), std::wstring(L"   "));
    EXPECT_TRUE(padded.GuardIntact());

    GuardedBuffer none(0);
    EXPECT_EQ(Safe_wcsnprintf(none.chars.data(), 0, L"x"), -1);
    EXPECT_TRUE(none.GuardIntact());
    EXPECT_EQ(Safe_wcsnprintf(nullptr, 10, L"x"), -1);
}

TEST(Safe_wcsncpyAndWcslen, StayWithinTheBuffer) {
    for (size_t size = 0; size <= 6; ++size) {
        SCOPED_TRACE(size);
        GuardedBuffer buffer(size);
        EXPECT_EQ(Safe_wcsncpy(buffer.chars.data(), L"Level", size), size == 6);
        EXPECT_TRUE(buffer.GuardIntact());
        if (size > 0) {
            EXPECT_EQ(buffer.chars.data(), std::wstring(L"Level").substr(0, size - 1));
        }
    }
    wchar_t buffer[4] = L"abc";
    EXPECT_TRUE(Safe_wcsncpy(buffer, nullptr, 4));
    EXPECT_EQ(buffer[0], L'\0');

    EXPECT_EQ(Safe_wcslen(nullptr), 0u);
    const wchar_t unterminated[3] = {L'a', L'b', L'c'};
    EXPECT_EQ(Safe_wcslen(unterminated, 3), 3u);
}

// Letters compare as their lower-case forms, so "_" sorts before "A"; a null
// text sorts first.
TEST(Safe_wcsicmp, IgnoresCaseOfAsciiAndLatin1Letters) {
    EXPECT_EQ(Safe_wcsicmp(L"Easy Level", L"eASY lEVEL"), 0);
    EXPECT_EQ(Safe_wcsicmp(L"\u00c9T\u00c9 \u00c0 \u00de", L"\u00e9t\u00e9 \u00e0 \u00fe"), 0);
    EXPECT_NE(Safe_wcsicmp(L"\u00d7", L"\u00f7"), 0); // multiplication and division signs
    EXPECT_NE(Safe_wcsicmp(L"\u0416", L"\u0436"), 0); // outside Latin-1: exact
    EXPECT_TRUE(Safe_wcsicmp(L"abc", L"ABD") < 0 && Safe_wcsicmp(L"ABD", L"abc") > 0);
    EXPECT_LT(Safe_wcsicmp(L"Level", L"level 2"), 0);
    EXPECT_LT(Safe_wcsicmp(L"_", L"A"), 0);
    EXPECT_TRUE(Safe_wcsicmp(nullptr, L"") < 0 && Safe_wcsicmp(L"", nullptr) > 0 &&
                Safe_wcsicmp(nullptr, nullptr) == 0);
}

TEST(ReplaceInString, ReplacesAllFirstOrWithinALength) {
    wchar_t text[] = L"a_b_c_d";
    EXPECT_EQ(ReplaceInString(text, L'_', L' ', true), 1);
    EXPECT_STREQ(text, L"a b_c_d");
    EXPECT_EQ(ReplaceInString(text, L'_', L' ', false, 4), 1);
    EXPECT_STREQ(text, L"a b c_d");
    EXPECT_EQ(ReplaceInString(text, L' ', L'-'), 2);
    EXPECT_STREQ(text, L"a-b-c_d");
    EXPECT_EQ(ReplaceInString(text, L'\0', L'!'), 0); // the terminator stays
    EXPECT_EQ(ReplaceInString(nullptr, L'a', L'b'), 0);
}
