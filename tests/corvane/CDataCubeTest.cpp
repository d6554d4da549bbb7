#include "corvane/CDataCube.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The texts of one column, row by row, each followed by '|'; "-" for an empty value.
std::wstring Column(const CDataCube& cube, int column) {
    std::wstring texts;
    for (int row = 0; row < cube.GetRowCount(); ++row) {
        const auto* text = static_cast<const wchar_t*>(cube.GetValue(row, column));
        texts += std::wstring(text != nullptr ? text : L"-") + L"|";
    }
    return texts;
}

} // namespace

TEST(CDataCube, RowsOfTextsAreInsertedAndDeletedInPlace) {
    CDataCube cube;
    cube.AddColumn(L"Key");
    cube.AddColumn(L"Text");
    EXPECT_EQ(cube.AddRow(-1, 2, L"B", L"2"), 0);
    EXPECT_EQ(cube.AddRow(0, 2, L"A", L"1"), 0); // before the first
    EXPECT_EQ(cube.AddRow(99, 1, L"D"), 2);      // past the end appends; no text, an empty one
    EXPECT_EQ(cube.AddRow(2, 2, L"C", L"3"), 2); // in the middle
    EXPECT_EQ(cube.AddRow(-7, 0), 4);            // any negative appends
    // A count that disagrees with the texts or exceeds the columns adds nothing.
    EXPECT_EQ(cube.AddRow(-1, 3, L"a", L"b", L"c"), -1);
    EXPECT_EQ(cube.AddRow(-1, 1, L"a", L"b"), -1);
    EXPECT_EQ(Column(cube, 0) + Column(cube, 1), L"A|B|C|D|-|1|2|3|-|-|");
    EXPECT_EQ(cube.GetColumnLen(0, 0), 2 * sizeof(wchar_t)); // the terminator is stored

    // A column added later gives the existing rows a value of their own.
    EXPECT_EQ(cube.AddColumn(L"Note"), 2);
    for (int row = 0; row < 5; ++row) {
        EXPECT_TRUE(cube.SetValue(row, 2, "x", 1));
    }
    EXPECT_EQ(cube.GetColumnLen(0, 2) + cube.GetColumnLen(4, 2), 2u);
    EXPECT_TRUE(cube.GetColumnName(3) == nullptr && cube.GetColumnName(-1) == nullptr);

    EXPECT_TRUE(cube.DeleteRow(1));
    EXPECT_FALSE(cube.DeleteRow(4) || cube.DeleteRow(-2));
    EXPECT_EQ(Column(cube, 0), L"A|C|D|-|");
    EXPECT_TRUE(cube.DeleteRow(-1));
    EXPECT_TRUE(cube.DeleteRow(-1)); // emptying an empty cube is fine
    EXPECT_EQ(cube.GetRowCount(), 0);
    EXPECT_EQ(cube.GetColumnCount(), 3);
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

    const std::pair<int, int> outside[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& [outRow, outColumn] : outside) {
        SCOPED_TRACE(testing::Message() << "row " << outRow << ", column " << outColumn);
        EXPECT_FALSE(solutions.SetValue(outRow, outColumn, "x", 1));
        EXPECT_EQ(solutions.GetValue(outRow, outColumn), nullptr);
        EXPECT_EQ(solutions.GetValue(outRow, outColumn, copy.data()), nullptr);
        EXPECT_EQ(solutions.GetColumnLen(outRow, outColumn), 0u);
    }
}

TEST(CDataCube, FindTextMatchesExactly) {
    CDataCube cube;
    cube.AddColumn(L"Key");
    cube.AddColumn(L"Text");
    cube.AddRow(-1, 2, L"Save", L"1");
    cube.AddRow(-1, 2, L"Save_level", L"2");
    cube.AddRow(-1, 2, L"Save", L"3");
    EXPECT_EQ(cube.FindText(0, L"Save"), 0); // the first of two
    EXPECT_EQ(cube.FindText(0, L"Save_level"), 1);
    EXPECT_EQ(cube.FindText(1, L"3"), 2);
    for (const wchar_t* missing : {L"save", L"Sav", static_cast<const wchar_t*>(nullptr)}) {
        EXPECT_EQ(cube.FindText(0, missing), -1);
    }
    EXPECT_EQ(cube.FindText(2, L"Save"), -1);
}
