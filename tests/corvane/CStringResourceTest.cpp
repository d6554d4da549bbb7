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

TEST(CStringResource, TableHasKeyAndTextColumns) {
    CStringResource strings;
    ASSERT_EQ(strings.GetTable()->GetColumnCount(), 2);
    EXPECT_STREQ(strings.GetTable()->GetColumnName(0), L"Key");
    EXPECT_STREQ(strings.GetTable()->GetColumnName(1), L"Text");
}

TEST(CStringResource, GetLooksUpTheExactKey) {
    CStringResource strings;
    strings.Build(FillEnglish, 7);
    EXPECT_EQ(lastLanguage, 7);
    EXPECT_EQ(strings.GetLanguage(), 7);
    EXPECT_STREQ(strings.Get(L"Don't_save"), L"Don't save");
    EXPECT_STREQ(strings.Get(L"Empty"), L"");

    // A missing key shows itself, or nothing when asked so; never null.
    const wchar_t* key = L"OK";
    EXPECT_EQ(strings.Get(key), key);
    EXPECT_STREQ(strings.Get(L"Ok ", false), L"");
    ASSERT_NE(strings.Get(nullptr), nullptr);
    EXPECT_STREQ(strings.Get(nullptr), L"");
}

TEST(CStringResource, RebuildReplacesTheLanguage) {
    CStringResource strings;
    strings.Build(FillEnglish, 7);
    strings.Build(FillBracketed, 11);
    EXPECT_EQ(lastLanguage, 11);
    EXPECT_EQ(strings.GetLanguage(), 11);
    EXPECT_EQ(strings.GetTable()->GetRowCount(), 1);
    EXPECT_STREQ(strings.Get(L"Ok"), L"[Ok]");
    EXPECT_STREQ(strings.Get(L"Don't_save"), L"Don't_save");

    strings.Build(nullptr, 3);
    EXPECT_EQ(strings.GetTable()->GetRowCount(), 0);
}

TEST(CStringResource, TextWithoutTerminatorIsNotHandedOut) {
    CStringResource strings;
    CDataCube* table = strings.GetTable();
    const int row = table->AddRow(-1, 1, L"Raw");
    table->SetValue(row, 1, L"abc", 3 * sizeof(wchar_t)); // no terminator
    EXPECT_STREQ(strings.Get(L"Raw"), L"");
}
