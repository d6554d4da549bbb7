// What the mouse does to the board: the player's numbers and candidate marks,
// and the editor's numbers and signs.
#include <gtest/gtest.h>

#include "TestBoards.h"

TEST(PlayerInput, CandidatesAndNumbers) {
    CNerekuEngine engine;
    Square& square = engine.squares[10];
    ASSERT_TRUE(engine.PlayerToggleCandidate(10, 4));
    EXPECT_EQ(Candidates(square), "12356789");
    EXPECT_EQ(square.number, 0);
    ASSERT_TRUE(engine.PlayerToggleCandidate(10, 4));
    EXPECT_EQ(Candidates(square), "123456789") << "a struck candidate comes back";
    for (int digit : {1, 2, 3, 5, 6, 7, 8}) {
        engine.PlayerToggleCandidate(10, digit);
        EXPECT_EQ(square.number, 0);
    }
    engine.PlayerToggleCandidate(10, 9);
    EXPECT_EQ(square.number, 4) << "the eighth strike leaves one candidate";

    // A left click writes; a right click empties and keeps the candidate.
    CNerekuEngine other;
    Square& written = other.squares[0];
    ASSERT_TRUE(other.PlayerWriteOrErase(0, 7));
    EXPECT_EQ(written.number, 7);
    EXPECT_EQ(Candidates(written), "7");
    other.PlayerToggleCandidate(0, 3);
    EXPECT_EQ(written.number, 0);
    EXPECT_EQ(Candidates(written), "7");
    other.PlayerToggleCandidate(0, 7);
    EXPECT_EQ(Candidates(written), "");
    EXPECT_EQ(written.number, 0);
    other.PlayerWriteOrErase(0, 2);
    other.PlayerWriteOrErase(0, 5);
    EXPECT_EQ(written.number, 0) << "a left click on the player's number erases it";
    EXPECT_EQ(Candidates(written), "123456789");

    // Givens never change.
    written.fixed = 1;
    SetSquareToDigit(written, 6);
    EXPECT_FALSE(other.PlayerWriteOrErase(0, 1));
    EXPECT_FALSE(other.PlayerToggleCandidate(0, 6));
    EXPECT_EQ(written.number, 6);
}

// A square or a digit off the board is refused and changes nothing, however a
// caller came by it.
TEST(PlayerInput, SquaresAndDigitsOffTheBoardChangeNothing) {
    CNerekuEngine engine;
    const std::string before = BoardLine(engine);
    for (const auto& [index, digit] : {std::pair{-1, 5}, {kSquareCount, 5}, {0, 0}, {0, 10}}) {
        EXPECT_FALSE(engine.PlayerWriteOrErase(index, digit)) << index << " " << digit;
        EXPECT_FALSE(engine.PlayerToggleCandidate(index, digit)) << index << " " << digit;
        engine.EditorWriteOrErase(index, digit);
        EXPECT_EQ(BoardLine(engine), before) << index << " " << digit;
        EXPECT_EQ(Candidates(engine.squares[0]), "123456789");
    }
    for (const int owner : {-1, kSquareCount}) {
        for (const SignDirectionIndex side : {kUp, kRight, kDown, kLeft}) {
            EXPECT_FALSE(engine.EditorStepSign(owner, side)) << owner << " " << side;
        }
    }
    EXPECT_EQ(BoardLine(engine), before);
}

TEST(EditorInput, NumbersIgnoreGivensAndRules) {
    CNerekuEngine engine;
    engine.EditorWriteOrErase(0, 3);
    engine.EditorWriteOrErase(1, 3); // the same digit in the row is accepted
    EXPECT_EQ(engine.squares[1].number, 3);
    engine.squares[0].fixed = 1;
    engine.EditorWriteOrErase(0, 9);
    EXPECT_EQ(engine.squares[0].number, 0) << "a given is erased";
    EXPECT_EQ(engine.squares[0].fixed, 0);
}

TEST(EditorInput, SignsCycleWithBothHalves) {
    CNerekuEngine engine;
    ASSERT_TRUE(engine.EditorStepSign(0, kRight));
    EXPECT_EQ(engine.edgeMasks[0], 0x10);
    EXPECT_EQ(engine.edgeMasks[1], 0x02);
    EXPECT_TRUE(engine.LevelHasEdges());
    engine.EditorStepSign(0, kRight);
    EXPECT_EQ(engine.edgeMasks[0], 0x20);
    EXPECT_EQ(engine.edgeMasks[1], 0x01);
    engine.EditorStepSign(0, kRight);
    EXPECT_EQ(engine.edgeMasks[0], 0);
    EXPECT_EQ(engine.edgeMasks[1], 0);
    EXPECT_FALSE(engine.LevelHasEdges());

    // A first click from the other square makes that one the greater.
    engine.EditorStepSign(1, kLeft);
    EXPECT_EQ(engine.edgeMasks[1], 0x01);
    EXPECT_EQ(engine.edgeMasks[0], 0x20);
    // Vertical pairs, and other sides of the same square, are left alone.
    engine.EditorStepSign(SquareIndex(1, 4), kDown);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(1, 4)], 0x04);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(2, 4)], 0x80);
    engine.EditorStepSign(SquareIndex(1, 4), kRight);
    EXPECT_EQ(engine.edgeMasks[SquareIndex(1, 4)], 0x14);

    // Across a block border nothing changes.
    EXPECT_FALSE(engine.EditorStepSign(SquareIndex(0, 2), kRight));
    EXPECT_FALSE(engine.EditorStepSign(SquareIndex(3, 0), kUp));
    EXPECT_FALSE(engine.EditorStepSign(0, kLeft));
    EXPECT_EQ(engine.edgeMasks[3], 0);
}
