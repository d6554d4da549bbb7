// Level files and their paths: the layout byte by byte, the files the game
// cannot use, and paths that do not fit.
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "LevelPaths.h"
#include "TempFolder.h"
#include "TestBoards.h"

namespace {

std::wstring PathOf(const TempFolder& folder, const char* name) {
    return (folder.path / name).wstring();
}

// A board that uses every byte of the format: givens, the player's numbers,
// candidate marks and signs in both halves.
void MakeBusyBoard(CNerekuEngine& engine) {
    ASSERT_TRUE(LoadPuzzleDigits(engine, "1.3......"
                                         "........."
                                         "........."
                                         "........."
                                         "....5...."
                                         "........."
                                         "........."
                                         "........."
                                         "........9"));
    SetSquareToDigit(engine.squares[20], 6);
    SetCandidates(engine.squares[33], "258");
    PlaceSign(engine, 0, 1);
    PlaceSign(engine, SquareIndex(2, 4), SquareIndex(1, 4));
}

std::string ImageOf(const CNerekuEngine& engine) {
    unsigned char bytes[kGridFileSize];
    engine.StoreGridImage(bytes);
    return std::string(reinterpret_cast<const char*>(bytes), kGridFileSize);
}

} // namespace

TEST(GridFile, RoundTripKeepsEveryByte) {
    TempFolder folder;
    CNerekuEngine written;
    MakeBusyBoard(written);
    ASSERT_TRUE(written.WriteGridFile(PathOf(folder, "busy.lvl").c_str()));
    const std::string onDisk = ReadFile(folder.path / "busy.lvl");
    EXPECT_EQ(onDisk, ImageOf(written));
    // The layout: masks first, then square i at 81 + 11 i.
    EXPECT_EQ(onDisk[0], 0x20);
    EXPECT_EQ(onDisk[81 + 11 * 0 + 0], 1); // fixed
    EXPECT_EQ(onDisk[81 + 11 * 0 + 1], 1); // number
    EXPECT_EQ(onDisk[81 + 11 * 20 + 1], 6);
    EXPECT_EQ(onDisk[971], 1); // digit 9's flag of square 80

    CNerekuEngine read;
    GridFileError error = GridFileError::TooShort;
    ASSERT_TRUE(read.ReadGridFile(PathOf(folder, "busy.lvl").c_str(), &error));
    EXPECT_EQ(error, GridFileError::None);
    EXPECT_EQ(ImageOf(read), onDisk);
    EXPECT_TRUE(read.LevelHasEdges());

    // Only the first 972 bytes count.
    folder.Write("1000.lvl", onDisk + std::string(28, '\xEE'));
    ASSERT_TRUE(read.ReadGridFile(PathOf(folder, "1000.lvl").c_str()));
    EXPECT_EQ(ImageOf(read), onDisk);
}

// A file too short, missing, or with values that no operation could use
// safely is refused with its reason, and the board stays as it was.
TEST(GridFile, UnusableFilesAreRefused) {
    TempFolder folder;
    CNerekuEngine source;
    MakeBusyBoard(source);
    const std::string image = ImageOf(source);
    auto with = [&image](size_t offset, char value) {
        std::string bad = image;
        bad[offset] = value;
        return bad;
    };
    const struct {
        const char* name;
        std::optional<std::string> bytes; // none: the file is not made
        GridFileError error;
    } cases[] = {
        {"971.lvl", image.substr(0, kGridFileSize - 1), GridFileError::TooShort},
        {"missing.lvl", std::nullopt, GridFileError::CannotOpen},
        {"number.lvl", with(81 + 11 * 5 + 1, 10), GridFileError::OutOfRange},
        {"number80.lvl", with(81 + 11 * 80 + 1, '\xFF'), GridFileError::OutOfRange},
        {"fixed.lvl", with(81 + 0, 2), GridFileError::OutOfRange},
        {"candidate.lvl", with(971, 2), GridFileError::OutOfRange},
        {"flag.lvl", with(83 + 11 * 40, '\x80'), GridFileError::OutOfRange},
    };
    for (const auto& refused : cases) {
        if (refused.bytes) {
            folder.Write(refused.name, *refused.bytes);
        }
        CNerekuEngine engine;
        GridFileError error = GridFileError::None;
        EXPECT_FALSE(engine.ReadGridFile(PathOf(folder, refused.name).c_str(), &error))
            << refused.name;
        EXPECT_EQ(error, refused.error) << refused.name;
        EXPECT_EQ(ImageOf(engine), ImageOf(CNerekuEngine())) << refused.name;
    }
    CNerekuEngine engine;
    EXPECT_FALSE(engine.ReadGridFile(folder.path.wstring().c_str())) << "a folder is no level";
}

// Sign bits that leave their block are dropped; a file whose only signs were
// dropped has none. Squares of all zeros have no candidate.
TEST(GridFile, SignsOutOfTheirBlockAreDropped) {
    TempFolder folder;
    std::string image(kGridFileSize, '\0');
    auto signs = [&image](int square, int bits) { image[square] = static_cast<char>(bits); };
    signs(SquareIndex(0, 2), kRightGreater | kDownSmaller); // right leaves the block
    signs(SquareIndex(8, 8), kDownGreater | kRightSmaller); // both leave the board
    signs(SquareIndex(3, 0), kUpSmaller | kLeftGreater);
    folder.Write("edges.lvl", image);
    CNerekuEngine engine;
    ASSERT_TRUE(engine.ReadGridFile(PathOf(folder, "edges.lvl").c_str()));
    EXPECT_EQ(engine.edgeMasks[SquareIndex(0, 2)], kDownSmaller);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(8, 8)], 0);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(3, 0)], 0);
    EXPECT_TRUE(engine.LevelHasEdges());
    for (const Square& square : engine.squares) {
        EXPECT_EQ(square.number, 0);
        EXPECT_EQ(Candidates(square), "");
    }

    signs(SquareIndex(0, 2), kRightGreater);
    folder.Write("outside.lvl", image);
    ASSERT_TRUE(engine.ReadGridFile(PathOf(folder, "outside.lvl").c_str()));
    EXPECT_FALSE(engine.LevelHasEdges());
}

// A level holds givens only: the saved file and the board both mark exactly
// the numbered squares as givens, but only once the write has succeeded.
TEST(GridFile, ALevelMarksItsNumbersAsGivensOnceWritten) {
    TempFolder folder;
    CNerekuEngine engine;
    MakeBusyBoard(engine); // the player's 6 on square 20 is no given yet
    const std::string before = ImageOf(engine);
    EXPECT_FALSE(engine.WriteLevelFile(PathOf(folder, "no-such-folder/level.lvl").c_str()));
    EXPECT_EQ(ImageOf(engine), before) << "a failed save changes nothing";

    ASSERT_TRUE(engine.WriteLevelFile(PathOf(folder, "level.lvl").c_str()));
    const std::string onDisk = ReadFile(folder.path / "level.lvl");
    EXPECT_EQ(onDisk, ImageOf(engine));
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_EQ(onDisk[81 + 11 * i], engine.squares[i].number != 0 ? 1 : 0) << "square " << i;
    }
    EXPECT_EQ(engine.squares[20].fixed, 1);
}

TEST(LevelPaths, FormsTheFolderAndFilePaths) {
    const std::wstring sep = NEREKU_PATH_SEPARATOR;
    wchar_t path[kPathLength];
    ASSERT_TRUE(MakeLevelPath(path, L"C:" NEREKU_PATH_SEPARATOR L"Games", L"Saves", L"Tricky one"));
    EXPECT_EQ(std::wstring(path),
              L"C:" + sep + L"Games" + sep + L"Saves" + sep + L"Tricky one.lvl");
    ASSERT_TRUE(MakeFolderPath(path, L"D:", L"Levels"));
    EXPECT_EQ(std::wstring(path), L"D:" + sep + L"Levels");
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
