#include "corvane/CDataCube.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring TextAt(const CDataCube& cube, int row, int column) {
    const auto* text = static_cast<const wchar_t*>(cube.GetValue(row, column));
    return text != nullptr ? text : L"<none>";
}

CDataCube KeyTextCube() {
    CDataCube cube;
    cube.AddColumn(L"Key");
    cube.AddColumn(L"Text");
    return cube;
}

} // namespace

TEST(CDataCube, ColumnsAreNamedAndCounted) {
    CDataCube cube = KeyTextCube();
    EXPECT_EQ(cube.GetColumnCount(), 2);
    EXPECT_STREQ(cube.GetColumnName(0), L"Key");
    EXPECT_STREQ(cube.GetColumnName(1), L"Text");
    EXPECT_EQ(cube.GetColumnName(2), nullptr);
    EXPECT_EQ(cube.GetColumnName(-1), nullptr);

    // A column added later gives the existing rows an empty value.
    ASSERT_EQ(cube.AddRow(-1, 2, L"a", L"b"), 0);
    EXPECT_EQ(cube.AddColumn(L"Note"), 2);
    EXPECT_EQ(cube.GetColumnLen(0, 2), 0u);
    EXPECT_TRUE(cube.SetValue(0, 2, "x", 1));
}

TEST(CDataCube, AddRowInsertsAtItsPosition) {
    CDataCube cube = KeyTextCube();
    EXPECT_EQ(cube.AddRow(-1, 2, L"B", L"2"), 0);
    EXPECT_EQ(cube.AddRow(0, 2, L"A", L"1"), 0);  // before the first
    EXPECT_EQ(cube.AddRow(99, 2, L"D", L"4"), 2); // past the end appends
    EXPECT_EQ(cube.AddRow(2, 2, L"C", L"3"), 2);  // in the middle
    EXPECT_EQ(cube.AddRow(-7), 4);                // any negative appends
    ASSERT_EQ(cube.GetRowCount(), 5);
    const wchar_t* keys[] = {L"A", L"B", L"C", L"D"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(TextAt(cube, row, 0), keys[row]);
    }
    EXPECT_EQ(TextAt(cube, 2, 1), L"3");
    EXPECT_EQ(cube.GetValue(4, 0), nullptr); // the empty row
}

TEST(CDataCube, AddRowWithTextsChecksItsCount) {
    CDataCube cube = KeyTextCube();
    EXPECT_EQ(cube.AddRow(-1, 1, L"only key"), 0);
    EXPECT_EQ(TextAt(cube, 0, 0), L"only key");
    EXPECT_EQ(cube.GetColumnLen(0, 1), 0u);
    // The terminator is stored with the text.
    EXPECT_EQ(cube.GetColumnLen(0, 0), 9 * sizeof(wchar_t));
    EXPECT_EQ(cube.AddRow(-1, 0), 1);

    EXPECT_EQ(cube.AddRow(-1, 3, L"a", L"b", L"c"), -1); // more than the columns
    EXPECT_EQ(cube.AddRow(-1, 1, L"a", L"b"), -1);       // count and texts disagree
    EXPECT_EQ(cube.AddRow(-1, 2, L"a"), -1);
    EXPECT_EQ(cube.GetRowCount(), 2);
    EXPECT_EQ(cube.AddRow(-1, 2, L"", L"empty key"), 2);
    EXPECT_EQ(TextAt(cube, 2, 0), L"");
}

TEST(CDataCube, ValuesOfAnyLengthComeBackWhole) {
    CDataCube solutions;
    solutions.AddColumn(L"Solution");
    std::vector<unsigned char> board(891);
    for (size_t i = 0; i < board.size(); ++i) {
        board[i] = static_cast<unsigned char>(i * 7); // every byte value, zeros included
    }
    const int row = solutions.AddRow(-1);
    ASSERT_TRUE(solutions.SetValue(row, 0, board.data(), board.size(), true));
    board[0] = 0xAA; // the cube keeps its own copy
    ASSERT_EQ(solutions.GetColumnLen(row, 0), 891u);
    const auto* stored = static_cast<const unsigned char*>(solutions.GetValue(row, 0));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored[0], 0);
    EXPECT_EQ(std::memcmp(stored + 1, board.data() + 1, 890), 0);

    std::vector<unsigned char> copy(891, 0xFF);
    EXPECT_EQ(solutions.GetValue(row, 0, copy.data()), copy.data());
    EXPECT_EQ(std::memcmp(copy.data(), stored, 891), 0);

    // An empty value: no bytes, no pointer; a later value replaces it whole.
    EXPECT_TRUE(solutions.SetValue(row, 0, nullptr, 0));
    EXPECT_EQ(solutions.GetColumnLen(row, 0), 0u);
    EXPECT_EQ(solutions.GetValue(row, 0), nullptr);
    EXPECT_FALSE(solutions.SetValue(row, 0, nullptr, 5));
    EXPECT_TRUE(solutions.SetValue(row, 0, "abc", 3));
    EXPECT_EQ(solutions.GetColumnLen(row, 0), 3u);
}

TEST(CDataCube, OutOfRangeIsRefused) {
    CDataCube cube = KeyTextCube();
    cube.AddRow(-1, 2, L"k", L"t");
    const std::pair<int, int> outside[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 2}};
    for (const auto& [row, column] : outside) {
        SCOPED_TRACE(testing::Message() << "row " << row << ", column " << column);
        EXPECT_FALSE(cube.SetValue(row, column, "x", 1));
        EXPECT_EQ(cube.GetValue(row, column), nullptr);
        wchar_t buffer[4] = {};
        EXPECT_EQ(cube.GetValue(row, column, buffer), nullptr);
        EXPECT_EQ(cube.GetColumnLen(row, column), 0u);
    }
    EXPECT_FALSE(cube.DeleteRow(1));
    EXPECT_FALSE(cube.DeleteRow(-2));
    EXPECT_EQ(cube.GetRowCount(), 1);
}

TEST(CDataCube, DeleteRowRemovesOneOrAll) {
    CDataCube cube = KeyTextCube();
    for (const wchar_t* key : {L"a", L"b", L"c"}) {
        cube.AddRow(-1, 2, key, L"text");
    }
    EXPECT_TRUE(cube.DeleteRow(1));
    ASSERT_EQ(cube.GetRowCount(), 2);
    EXPECT_EQ(TextAt(cube, 1, 0), L"c");

    EXPECT_TRUE(cube.DeleteRow(-1));
    EXPECT_EQ(cube.GetRowCount(), 0);
    EXPECT_TRUE(cube.DeleteRow(-1)); // emptying an empty cube is fine
    EXPECT_EQ(cube.GetColumnCount(), 2);
    EXPECT_EQ(cube.AddRow(-1, 2, L"again", L"x"), 0);
}

TEST(CDataCube, FindTextMatchesExactly) {
    CDataCube cube = KeyTextCube();
    cube.AddRow(-1, 2, L"Save", L"1");
    cube.AddRow(-1, 2, L"Save_level", L"2");
    cube.AddRow(-1, 2, L"Save", L"3");
    EXPECT_EQ(cube.FindText(0, L"Save"), 0);
    EXPECT_EQ(cube.FindText(0, L"Save_level"), 1);
    EXPECT_EQ(cube.FindText(0, L"save"), -1);
    EXPECT_EQ(cube.FindText(0, L"Sav"), -1);
    EXPECT_EQ(cube.FindText(1, L"3"), 2);
    EXPECT_EQ(cube.FindText(2, L"Save"), -1);
    EXPECT_EQ(cube.FindText(0, nullptr), -1);
}
