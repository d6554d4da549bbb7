#include "corvane/CStringResource.h"

#include <gtest/gtest.h>

namespace {

unsigned char lastLanguage = 0;

void FillEnglish(CDataCube* table, unsigned char language) {
    lastLanguage = language;
    table->AddRow(-1, 2, L"Ok", L"Ok");
    table->AddRow(-1, 2, L"Don't_save", L"Don't save");
    table->AddRow(-1, 2, L"Empty", L"");
}

void FillBracketed(CDataCube* table, unsigned char language) {
    lastLanguage = language;
    table->AddRow(-1, 2, L"Ok", L"[Ok]");
}

} // namespace

TEST(CStringResource, GetLooksUpTheExactKeyOfTheLastBuild) {
    CStringResource strings;
    EXPECT_STREQ(strings.GetTable()->GetColumnName(0), L"Key");
    EXPECT_STREQ(strings.GetTable()->GetColumnName(1), L"Text");
    strings.Build(FillEnglish, 7);
    EXPECT_EQ(lastLanguage, 7);
    EXPECT_STREQ(strings.Get(L"Don't_save"), L"Don't save");
    EXPECT_STREQ(strings.Get(L"Empty"), L"");
    // A missing key shows itself, or nothing when asked so; never null.
    const wchar_t* key = L"OK";
    EXPECT_EQ(strings.Get(key), key);
    EXPECT_STREQ(strings.Get(L"Ok ", false), L"");
    EXPECT_STREQ(strings.Get(nullptr), L"");

    strings.Build(FillBracketed, 11);
    EXPECT_EQ(lastLanguage, 11);
    EXPECT_EQ(strings.GetLanguage(), 11);
    EXPECT_STREQ(strings.Get(L"Ok"), L"[Ok]");
    EXPECT_STREQ(strings.Get(L"Don't_save"), L"Don't_save");
    // A text without its terminator is not handed out.
    const int row = strings.GetTable()->AddRow(-1, 1, L"Raw");
    strings.GetTable()->SetValue(row, 1, L"abc", 3 * sizeof(wchar_t));
    EXPECT_STREQ(strings.Get(L"Raw"), L"");

    strings.Build(nullptr, 3);
    EXPECT_EQ(strings.GetTable()->GetRowCount(), 0);
}
