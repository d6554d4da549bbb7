#include <string>

#include <gtest/gtest.h>

#include "LevelPaths.h"
#include "TestBoards.h"

namespace {
const std::wstring kSep = NEREKU_PATH_SEPARATOR;
}

TEST(LevelPaths, FormsTheFolderAndFilePaths) {
    wchar_t path[kPathLength];
    ASSERT_TRUE(MakeLevelPath(path, L"C:" NEREKU_PATH_SEPARATOR L"Games", L"Saves", L"Tricky one"));
    EXPECT_EQ(std::wstring(path),
              L"C:" + kSep + L"Games" + kSep + L"Saves" + kSep + L"Tricky one.lvl");
    ASSERT_TRUE(MakeFolderPath(path, L"D:", L"Levels"));
    EXPECT_EQ(std::wstring(path), L"D:" + kSep + L"Levels");
}

// A path one character too long is refused whole: cutting it could name
// another file ("ab.lvl" cut to "ab.lv", or "abc" to "ab").
TEST(LevelPaths, APathThatDoesNotFitIsRefused) {
    const std::wstring folder(200, L'f');
    // folder + sep + "Levels" + sep + name + ".lvl" = 200 + 1 + 6 + 1 + n + 4 characters.
    const std::wstring fits(259 - 212, L'n');
    const std::wstring tooLong = fits + L"x";
    wchar_t path[kPathLength];
    EXPECT_TRUE(MakeLevelPath(path, folder.c_str(), L"Levels", fits.c_str()));
    EXPECT_EQ(std::wstring(path).size(), 259u);
    EXPECT_FALSE(MakeLevelPath(path, folder.c_str(), L"Levels", tooLong.c_str()));
    EXPECT_EQ(path[0], L'\0');
    // And reading or writing such a level fails like a missing file.
    CNerekuEngine engine;
    GridFileError error = GridFileError::None;
    EXPECT_FALSE(engine.ReadGridFile(path, &error));
    EXPECT_EQ(error, GridFileError::CannotOpen);
    EXPECT_FALSE(engine.WriteGridFile(path));
    EXPECT_FALSE(MakeFolderPath(path, std::wstring(300, L'f').c_str(), L"Levels"));
}
