#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "TestBoards.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder for each test, removed afterwards.
struct GridFile : ::testing::Test {
    fs::path folder;
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("nereku-gridfile-") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::wstring PathOf(const char* name) const { return (folder / name).wstring(); }

    void WriteBytes(const char* name, const std::vector<unsigned char>& bytes) const {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<unsigned char> ReadBytes(const char* name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

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

std::vector<unsigned char> ImageOf(const CNerekuEngine& engine) {
    unsigned char bytes[kGridFileSize];
    engine.StoreGridImage(bytes);
    return {bytes, bytes + kGridFileSize};
}

} // namespace

TEST_F(GridFile, RoundTripKeepsEveryByte) {
    CNerekuEngine written;
    MakeBusyBoard(written);
    ASSERT_TRUE(written.WriteGridFile(PathOf("busy.lvl").c_str()));
    const std::vector<unsigned char> onDisk = ReadBytes("busy.lvl");
    EXPECT_EQ(onDisk, ImageOf(written));
    // The layout: masks first, then square i at 81 + 11 i.
    EXPECT_EQ(onDisk[0], 0x20);
    EXPECT_EQ(onDisk[81 + 11 * 0 + 0], 1); // fixed
    EXPECT_EQ(onDisk[81 + 11 * 0 + 1], 1); // number
    EXPECT_EQ(onDisk[81 + 11 * 20 + 1], 6);
    EXPECT_EQ(onDisk[971], 1); // digit 9's flag of square 80

    CNerekuEngine read;
    GridFileError error = GridFileError::TooShort;
    ASSERT_TRUE(read.ReadGridFile(PathOf("busy.lvl").c_str(), &error));
    EXPECT_EQ(error, GridFileError::None);
    EXPECT_EQ(ImageOf(read), onDisk);
    EXPECT_TRUE(read.LevelHasEdges());
}

TEST_F(GridFile, LengthsAroundTheFileSize) {
    CNerekuEngine source;
    MakeBusyBoard(source);
    std::vector<unsigned char> image = ImageOf(source);

    std::vector<unsigned char> shortFile(image.begin(), image.end() - 1);
    WriteBytes("971.lvl", shortFile);
    CNerekuEngine engine;
    GridFileError error = GridFileError::None;
    EXPECT_FALSE(engine.ReadGridFile(PathOf("971.lvl").c_str(), &error));
    EXPECT_EQ(error, GridFileError::TooShort);
    EXPECT_EQ(ImageOf(engine), ImageOf(CNerekuEngine())) << "a refused file leaves the board alone";

    std::vector<unsigned char> longFile = image;
    longFile.resize(1000, 0xEE);
    WriteBytes("1000.lvl", longFile);
    EXPECT_TRUE(engine.ReadGridFile(PathOf("1000.lvl").c_str()));
    EXPECT_EQ(ImageOf(engine), image);

    EXPECT_FALSE(engine.ReadGridFile(PathOf("missing.lvl").c_str(), &error));
    EXPECT_EQ(error, GridFileError::CannotOpen);
    EXPECT_FALSE(engine.ReadGridFile(folder.wstring().c_str())) << "a folder is no level";
}

TEST_F(GridFile, AllZeroFileIsABareGrid) {
    WriteBytes("zero.lvl", std::vector<unsigned char>(972, 0));
    TestEngine engine;
    engine.levelHasEdges = true;
    ASSERT_TRUE(engine.ReadGridFile(PathOf("zero.lvl").c_str()));
    EXPECT_FALSE(engine.LevelHasEdges());
    for (const Square& square : engine.squares) {
        EXPECT_EQ(square.number, 0);
        EXPECT_EQ(Candidates(square), "");
    }
}

// Values that no operation could use safely refuse the file.
TEST_F(GridFile, ValuesOutOfRangeAreRefused) {
    CNerekuEngine source;
    MakeBusyBoard(source);
    const std::vector<unsigned char> image = ImageOf(source);
    const struct {
        size_t offset;
        unsigned char value;
    } faults[] = {{81 + 11 * 5 + 1, 10},
                  {81 + 11 * 80 + 1, 255},
                  {81 + 0, 2},
                  {971, 2},
                  {83 + 11 * 40, 0x80}};
    for (const auto& fault : faults) {
        std::vector<unsigned char> bad = image;
        bad[fault.offset] = fault.value;
        WriteBytes("bad.lvl", bad);
        CNerekuEngine engine;
        GridFileError error = GridFileError::None;
        EXPECT_FALSE(engine.ReadGridFile(PathOf("bad.lvl").c_str(), &error)) << fault.offset;
        EXPECT_EQ(error, GridFileError::OutOfRange);
        EXPECT_EQ(ImageOf(engine), ImageOf(CNerekuEngine()));
    }
}

TEST_F(GridFile, SignsOutOfTheirBlockAreDropped) {
    std::vector<unsigned char> image(972, 0);
    image[SquareIndex(0, 2)] = kRightGreater | kDownSmaller; // right leaves the block
    image[SquareIndex(8, 8)] = kDownGreater | kRightSmaller; // both leave the board
    image[SquareIndex(3, 0)] = kUpSmaller | kLeftGreater;
    WriteBytes("edges.lvl", image);
    CNerekuEngine engine;
    ASSERT_TRUE(engine.ReadGridFile(PathOf("edges.lvl").c_str()));
    EXPECT_EQ(engine.edgeMasks[SquareIndex(0, 2)], kDownSmaller);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(8, 8)], 0);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(3, 0)], 0);
    EXPECT_TRUE(engine.LevelHasEdges());

    image[SquareIndex(0, 2)] = kRightGreater;
    WriteBytes("outside.lvl", image);
    ASSERT_TRUE(engine.ReadGridFile(PathOf("outside.lvl").c_str()));
    EXPECT_FALSE(engine.LevelHasEdges()) << "a file whose only signs were dropped has none";
}

// A level holds givens only: the saved file and the board both mark exactly
// the numbered squares as givens, but only once the write has succeeded.
TEST_F(GridFile, ALevelMarksItsNumbersAsGivensOnceWritten) {
    CNerekuEngine engine;
    MakeBusyBoard(engine); // the player's 6 on square 20 is no given yet
    const std::vector<unsigned char> before = ImageOf(engine);
    EXPECT_FALSE(engine.WriteLevelFile(PathOf("no-such-folder/level.lvl").c_str()));
    EXPECT_EQ(ImageOf(engine), before) << "a failed save changes nothing";

    ASSERT_TRUE(engine.WriteLevelFile(PathOf("level.lvl").c_str()));
    const std::vector<unsigned char> onDisk = ReadBytes("level.lvl");
    EXPECT_EQ(onDisk, ImageOf(engine));
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_EQ(onDisk[81 + 11 * i], engine.squares[i].number != 0 ? 1 : 0) << "square " << i;
    }
    EXPECT_EQ(engine.squares[20].fixed, 1);
}
