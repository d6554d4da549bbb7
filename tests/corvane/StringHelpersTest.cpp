#include "corvane/StringHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr wchar_t guardMark = 0x7E7E;

// A buffer of `size` characters followed by a guard region that no helper
// may touch.
class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t length) : size(length), chars(length + 16, guardMark) {}
    wchar_t* Data() { return chars.data(); }
    std::wstring Text() const { return chars.data(); }
    bool GuardIntact() const {
        for (size_t i = size; i < chars.size(); ++i) {
            if (chars[i] != guardMark) {
                return false;
            }
        }
        return true;
    }

    const size_t size;

private:
    std::vector<wchar_t> chars;
};

template <typename... Args> std::wstring Format(const wchar_t* format, Args... args) {
    wchar_t buffer[256];
    const int written = Safe_wcsnprintf(buffer, 256, format, args...);
    EXPECT_EQ(written, static_cast<int>(std::wstring(buffer).size())) << "for " << format;
    return buffer;
}

} // namespace

TEST(Safe_wcsnprintf, Conversions) {
    EXPECT_EQ(Format(L"Solution %i/%i", 3, 17), L"Solution 3/17");
    EXPECT_EQ(Format(L"%d %i %i", 0, -42, INT_MIN), L"0 -42 -2147483648");
    EXPECT_EQ(Format(L"%i", INT_MAX), L"2147483647");
    EXPECT_EQ(Format(L"%u", UINT_MAX), L"4294967295");
    EXPECT_EQ(Format(L"[%c%c]", L'A', 0xE9), L"[A\u00e9]");
    EXPECT_EQ(Format(L"100%%"), L"100%");
    EXPECT_EQ(Format(L"no conversions"), L"no conversions");
}

TEST(Safe_wcsnprintf, PercentSTakesAWideStringOnEveryPlatform) {
    EXPECT_EQ(Format(L"Level : %s\n\nSure?", L"Easy \u00e9t\u00e9 1"),
              L"Level : Easy \u00e9t\u00e9 1\n\nSure?");
    EXPECT_EQ(Format(L"Nereku Sudoku %s", L"v1.00"), L"Nereku Sudoku v1.00");
    EXPECT_EQ(Format(L"<%s>", static_cast<const wchar_t*>(nullptr)), L"<(null)>");
    EXPECT_EQ(Format(L"<%s>", L""), L"<>");
}

TEST(Safe_wcsnprintf, WidthAndLeftJustify) {
    EXPECT_EQ(Format(L"[%5i]", -42), L"[  -42]");
    EXPECT_EQ(Format(L"[%-5i]", -42), L"[-42  ]");
    EXPECT_EQ(Format(L"[%-8s:]", L"New"), L"[New     :]");
    EXPECT_EQ(Format(L"[%3s]", L"longer"), L"[longer]"); // a width never cuts
    EXPECT_EQ(Format(L"[%03u]", 7u), L"[  7]");          // no zero padding
    EXPECT_EQ(Format(L"[%-3c]", L'x'), L"[x  ]");
}

TEST(Safe_wcsnprintf, UnknownConversionsAreCopied) {
    EXPECT_EQ(Format(L"%x %i", 5), L"%x 5");
    EXPECT_EQ(Format(L"%.2f|%-4q|%i", 9), L"%.2f|%-4q|9");
    EXPECT_EQ(Format(L"end %"), L"end %");
    EXPECT_EQ(Format(L"end %-1"), L"end %-1");
}

TEST(Safe_wcsnprintf, CutsAtTheBufferAndNeverWritesPastIt) {
    const std::wstring full = L"Solution 12/100";
    for (size_t size = 1; size <= full.size() + 2; ++size) {
        SCOPED_TRACE(size);
        GuardedBuffer buffer(size);
        const int result = Safe_wcsnprintf(buffer.Data(), size, L"Solution %i/%i", 12, 100);
        EXPECT_TRUE(buffer.GuardIntact());
        if (size > full.size()) {
            EXPECT_EQ(result, static_cast<int>(full.size()));
            EXPECT_EQ(buffer.Text(), full);
        } else {
            EXPECT_EQ(result, -1);
            EXPECT_EQ(buffer.Text(), full.substr(0, size - 1));
        }
    }
    // Padding and a long %s are cut just the same.
    GuardedBuffer padded(4);
    EXPECT_EQ(Safe_wcsnprintf(padded.Data(), 4, L"%2000000000i", 1), -1);
    EXPECT_EQ(padded.Text(), L"   ");
    EXPECT_TRUE(padded.GuardIntact());

    GuardedBuffer none(0);
    EXPECT_EQ(Safe_wcsnprintf(none.Data(), 0, L"x"), -1);
    EXPECT_TRUE(none.GuardIntact());
    EXPECT_EQ(Safe_wcsnprintf(nullptr, 10, L"x"), -1);
}

TEST(Safe_wcsncpy, CopiesOrCutsWithinTheBuffer) {
    for (size_t size = 1; size <= 6; ++size) {
        SCOPED_TRACE(size);
        GuardedBuffer buffer(size);
        EXPECT_EQ(Safe_wcsncpy(buffer.Data(), L"Level", size), size == 6);
        EXPECT_EQ(buffer.Text(), std::wstring(L"Level").substr(0, size - 1));
        EXPECT_TRUE(buffer.GuardIntact());
    }
    GuardedBuffer none(0);
    EXPECT_FALSE(Safe_wcsncpy(none.Data(), L"x", 0));
    EXPECT_TRUE(none.GuardIntact());
    wchar_t buffer[4] = L"abc";
    EXPECT_TRUE(Safe_wcsncpy(buffer, nullptr, 4));
    EXPECT_EQ(buffer[0], L'\0');
}

TEST(Safe_wcslen, StopsAtTheTerminatorOrTheMaximum) {
    EXPECT_EQ(Safe_wcslen(L"Level"), 5u);
    EXPECT_EQ(Safe_wcslen(L""), 0u);
    EXPECT_EQ(Safe_wcslen(nullptr), 0u);
    const wchar_t unterminated[3] = {L'a', L'b', L'c'};
    EXPECT_EQ(Safe_wcslen(unterminated, 3), 3u);
    EXPECT_EQ(Safe_wcslen(L"Level", 2), 2u);
}

TEST(Safe_wcsicmp, IgnoresCaseOfAsciiAndLatin1Letters) {
    EXPECT_EQ(Safe_wcsicmp(L"Easy Level", L"eASY lEVEL"), 0);
    EXPECT_EQ(Safe_wcsicmp(L"\u00c9T\u00c9 \u00c0 \u00de", L"\u00e9t\u00e9 \u00e0 \u00fe"), 0);
    EXPECT_NE(Safe_wcsicmp(L"\u00d7", L"\u00f7"), 0); // multiplication and division signs
    EXPECT_NE(Safe_wcsicmp(L"\u0416", L"\u0436"), 0); // outside Latin-1: exact
    EXPECT_LT(Safe_wcsicmp(L"abc", L"ABD"), 0);
    EXPECT_GT(Safe_wcsicmp(L"ABD", L"abc"), 0);
    EXPECT_LT(Safe_wcsicmp(L"Level", L"level 2"), 0);
    EXPECT_LT(Safe_wcsicmp(L"_", L"A"), 0); // letters compare in lower case
    EXPECT_LT(Safe_wcsicmp(L"z", L"\u00e9"), 0);
    EXPECT_LT(Safe_wcsicmp(nullptr, L""), 0);
    EXPECT_GT(Safe_wcsicmp(L"", nullptr), 0);
    EXPECT_EQ(Safe_wcsicmp(nullptr, nullptr), 0);
}

TEST(ReplaceInString, ReplacesAllFirstOrWithinALength) {
    wchar_t text[] = L"a_b_c_d";
    EXPECT_EQ(ReplaceInString(text, L'_', L' ', true), 1);
    EXPECT_STREQ(text, L"a b_c_d");
    EXPECT_EQ(ReplaceInString(text, L'_', L' ', false, 4), 1);
    EXPECT_STREQ(text, L"a b c_d");
    EXPECT_EQ(ReplaceInString(text, L'_', L' '), 1);
    EXPECT_STREQ(text, L"a b c d");
    EXPECT_EQ(ReplaceInString(text, L'x', L'y'), 0);
    EXPECT_EQ(ReplaceInString(text, L' ', L'-'), 3);
    EXPECT_STREQ(text, L"a-b-c-d");
    EXPECT_EQ(ReplaceInString(text, L'\0', L'!'), 0); // the terminator stays
    EXPECT_EQ(ReplaceInString(nullptr, L'a', L'b'), 0);
}
