#include <cstring>

#include <gtest/gtest.h>

#include "CNerekuEngine.h"
#include "Guarded.h"
#include "TestBoards.h"
#include "Units.h"

TEST(Grid, BlockArithmetic) {
    EXPECT_EQ(BlockTopRow(0), 0);
    EXPECT_EQ(BlockMiddleRow(0), 1);
    EXPECT_EQ(BlockMiddleColumn(0), 1);
    EXPECT_EQ(BlockTopRow(5), 3);
    EXPECT_EQ(BlockLeftColumn(5), 6);
    EXPECT_EQ(BlockMiddleRow(5), 4);
    EXPECT_EQ(BlockMiddleColumn(5), 7);
    EXPECT_EQ(BlockMiddleRow(8), 7);
    EXPECT_EQ(BlockMiddleColumn(8), 7);
    EXPECT_EQ(BlockOf(4, 7), 5);
    EXPECT_EQ(BlockOf(8, 0), 6);
    EXPECT_EQ(BlockSquare(4, 8), SquareIndex(5, 5));
}

TEST(Grid, PeersAreTheTwentyOtherSquaresOfTheUnits) {
    for (int i = 0; i < kSquareCount; ++i) {
        bool seen[kSquareCount] = {};
        for (int peer : kPeerTable.peers[i]) {
            EXPECT_NE(peer, i);
            EXPECT_FALSE(seen[peer]) << "square " << i << " lists " << peer << " twice";
            seen[peer] = true;
            EXPECT_TRUE(RowOf(peer) == RowOf(i) || ColumnOf(peer) == ColumnOf(i) ||
                        BlockOf(RowOf(peer), ColumnOf(peer)) == BlockOf(RowOf(i), ColumnOf(i)));
        }
    }
}

TEST(Grid, SignBitsInsideTheBlockOnly) {
    EXPECT_EQ(SignBitsInsideBlock(0), kRightSmaller | kRightGreater | kDownSmaller | kDownGreater);
    EXPECT_EQ(SignBitsInsideBlock(SquareIndex(4, 4)), 0xFF);
    EXPECT_EQ(SignBitsInsideBlock(SquareIndex(8, 8)),
              kUpSmaller | kUpGreater | kLeftSmaller | kLeftGreater);
    EXPECT_EQ(SignBitsInsideBlock(SquareIndex(3, 5)) & (kRightSmaller | kUpGreater), 0);
}

TEST(Grid, TheTwoSquareStatesAsBytes) {
    CNerekuEngine engine;
    const unsigned char empty[11] = {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    for (const Square& square : engine.squares) {
        EXPECT_EQ(std::memcmp(&square, empty, 11), 0);
    }
    for (EdgeMask mask : engine.edgeMasks) {
        EXPECT_EQ(mask, 0);
    }
    engine.squares[3].fixed = 1;
    SetSquareToDigit(engine.squares[3], 9);
    const unsigned char nine[11] = {1, 9, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(&engine.squares[3], nine, 11), 0);
    EXPECT_EQ(sizeof(engine.squares), 891u);
}

namespace {
struct Report {
    std::string file, signature;
    int line = 0;
    int count = 0;
} lastReport;

void Remember(const char* file, int line, const char* signature, const char*) {
    lastReport.file = file;
    lastReport.signature = signature;
    lastReport.line = line;
    ++lastReport.count;
}
} // namespace

// An exception inside an operation is reported with the operation's
// signature, and the operation returns its empty result.
TEST(Grid, ExceptionsAreReportedAndSwallowed) {
    ExceptionReporter previous = SetExceptionReporter(Remember);
    lastReport = {};
    const bool result = NEREKU_GUARDED([]() -> bool { throw std::runtime_error("boom"); });
    NEREKU_GUARDED([] { throw 42; });
    SetExceptionReporter(previous);
    EXPECT_FALSE(result);
    EXPECT_EQ(lastReport.count, 2);
    EXPECT_EQ(lastReport.file, "CNerekuSudoku");
    EXPECT_NE(lastReport.signature.find("TestBody"), std::string::npos) << lastReport.signature;
    EXPECT_GT(lastReport.line, 0);
}
