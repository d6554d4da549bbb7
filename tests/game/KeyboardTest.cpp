// The keyboard through the game class: the cursor, every key in every mode,
// undo and redo of every kind of change, and the hint key.
#include "GameFlow.h"

namespace {

GameKey Arrow(SignDirectionIndex direction, bool control = false) {
    return {GameKey::Arrow, direction, 0, control};
}

GameKey Digit(int digit, bool control = false) {
    return {GameKey::Digit, kUp, digit, control};
}

GameKey Plain(GameKey::Kind kind) {
    return {kind, kUp, 0, false};
}

// One key of each kind.
const GameKey kAllKeys[] = {Arrow(kDown),         Arrow(kRight, true),   Digit(5),
                            Digit(5, true),       Plain(GameKey::Erase), Plain(GameKey::Undo),
                            Plain(GameKey::Redo), Plain(GameKey::Hint)};

class Keyboard : public GameFlow {
protected:
    void Press(const GameKey& key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            game.OnKey(key);
        }
    }
    // Shows the cursor and brings it to square `index`.
    void CursorTo(int index) {
        if (game.CursorSquare() < 0) {
            Press(Arrow(kUp));
        }
        Press(Arrow(kUp), 8);
        Press(Arrow(kLeft), 8);
        Press(Arrow(kDown), RowOf(index));
        Press(Arrow(kRight), ColumnOf(index));
        ASSERT_EQ(game.CursorSquare(), index);
    }
};

} // namespace

// In NoMode and SolveMode no key does anything: no cursor, no drawing.
TEST_F(Keyboard, KeysCountOnlyInPlayAndInTheEditor) {
    AddLevel(L"one", SolvedWithout({0, 10, 20, 30, 40, 50, 60, 70, 80}));
    for (const GameKey& key : kAllKeys) {
        game.OnKey(key);
    }
    EXPECT_EQ(window.drawings, 0);
    Choose(L"one");
    window.answers = {L"Ok"};
    game.OnCommand(GameCommand::SolveLevel);
    const int drawn = window.drawings;
    const std::string solved = Digits();
    for (const GameKey& key : kAllKeys) {
        game.OnKey(key);
    }
    EXPECT_EQ(window.drawings, drawn);
    EXPECT_EQ(Digits(), solved);
    EXPECT_EQ(game.CursorSquare(), -1);
    EXPECT_EQ(window.questions.size(), 1u);
}

// The first arrow shows the cursor on the centre, or on the square last
// clicked; arrows stop at the edges; loading, Restart and a mode change hide
// it, and a new board forgets the square clicked.
TEST_F(Keyboard, TheCursor) {
    AddLevel(L"one", SolvedWithout({0, 40}));
    Choose(L"one");
    EXPECT_EQ(game.CursorSquare(), -1);
    const int drawn = window.drawings;
    Press(Arrow(kUp));
    EXPECT_EQ(game.CursorSquare(), 40) << "shown, not moved";
    EXPECT_EQ(window.drawings, drawn + 1);
    Press(Arrow(kUp), 10);
    Press(Arrow(kRight), 10);
    EXPECT_EQ(game.CursorSquare(), 8);
    Press(Arrow(kDown), 10);
    Press(Arrow(kLeft));
    EXPECT_EQ(game.CursorSquare(), 79);

    // A click moves it, and it is drawn there though the given stays.
    const int beforeClick = window.drawings;
    Left(10, 1);
    EXPECT_EQ(game.CursorSquare(), 10);
    EXPECT_EQ(window.drawings, beforeClick + 1);

    game.OnCommand(GameCommand::LevelEditor);
    EXPECT_EQ(game.CursorSquare(), -1);
    Press(Arrow(kLeft));
    EXPECT_EQ(game.CursorSquare(), 10) << "the square last clicked";
    Right(20, 1); // a click while shown moves it
    EXPECT_EQ(game.CursorSquare(), 20);
    window.answers = {L"Don't save", L"Restart level"};
    game.OnCommand(GameCommand::LevelEditor);
    Left(30, 1); // hidden: the click only notes the square
    EXPECT_EQ(game.CursorSquare(), -1);
    game.OnCommand(GameCommand::RestartLevel);
    Press(Arrow(kLeft));
    EXPECT_EQ(game.CursorSquare(), 40) << "a reloaded board starts at the centre";
}

// Digits write, as a left click does but with the click sound; the erasing
// keys take back the player's number; Ctrl with a digit strikes or restores
// that candidate as a right click does. A given never changes.
TEST_F(Keyboard, KeysInPlay) {
    AddLevel(L"one", SolvedWithout({0, 40, 80}));
    Choose(L"one");
    Press(Digit(3));
    EXPECT_EQ(game.CursorSquare(), 40) << "the first key only shows the cursor";
    EXPECT_EQ(game.squares[40].number, 0);

    Press(Digit(3));
    EXPECT_EQ(game.squares[40].number, 3);
    EXPECT_EQ(Candidates(game.squares[40]), "3");
    EXPECT_EQ(window.drawnDigits[40], '3');
    EXPECT_TRUE(game.HasUnsavedChanges());
    EXPECT_EQ(window.sounds, std::vector<GameSound>{GameSound::Click});
    Press(Digit(7)); // replaces the player's number
    EXPECT_EQ(game.squares[40].number, 7);
    Press(Plain(GameKey::Erase));
    EXPECT_EQ(Candidates(game.squares[40]), "123456789");
    EXPECT_EQ(window.sounds.size(), 2u) << "erasing is silent, as a left click's";
    Press(Plain(GameKey::Erase)); // empty: nothing
    EXPECT_EQ(window.sounds.size(), 2u);

    // A given: nothing changes, nothing is drawn, nothing sounds. Nor does
    // Ctrl with an arrow, which in play has no sign to step.
    Press(Arrow(kRight));
    const int drawn = window.drawings;
    for (const GameKey& key : {Digit(1), Plain(GameKey::Erase), Digit(1, true), Arrow(kRight, true),
                               Arrow(kDown, true)}) {
        Press(key);
    }
    EXPECT_EQ(game.CursorSquare(), 41);
    EXPECT_EQ(game.squares[41].number, 2);
    EXPECT_EQ(window.drawings, drawn);
    EXPECT_EQ(window.sounds.size(), 2u);

    // Ctrl+digit: the eighth strike fills the square with the ninth digit.
    Press(Arrow(kLeft));
    for (int digit : {2, 3, 4, 5, 6, 7, 8, 9}) {
        Press(Digit(digit, true));
    }
    EXPECT_EQ(game.squares[40].number, 1);
    EXPECT_EQ(window.sounds.size(), 10u);
    EXPECT_TRUE(window.questions.empty()) << "0 and 80 are still empty";
    Press(Digit(1, true)); // on a number: emptied, its mark kept
    EXPECT_EQ(game.squares[40].number, 0);
    EXPECT_EQ(Candidates(game.squares[40]), "1");
}

// In the editor digits write over anything, givens included, the erasing keys
// empty the square, and Ctrl with an arrow steps that side's sign (nothing
// across a block border, though it counts as a change, as a click does).
TEST_F(Keyboard, KeysInTheEditor) {
    AddLevel(L"one", SolvedWithout({40}));
    Choose(L"one");
    game.OnCommand(GameCommand::LevelEditor);
    CursorTo(0);
    Press(Digit(9));
    EXPECT_EQ(game.squares[0].number, 9);
    EXPECT_EQ(game.squares[0].fixed, 1) << "still a given";
    EXPECT_TRUE(game.HasUnsavedChanges());
    Press(Plain(GameKey::Erase));
    EXPECT_EQ(game.squares[0].number, 0);
    EXPECT_EQ(Candidates(game.squares[0]), "123456789");
    Press(Arrow(kRight, true));
    EXPECT_EQ(game.edgeMasks[0], kRightGreater);
    EXPECT_EQ(game.edgeMasks[1], kLeftSmaller);
    Press(Arrow(kRight, true));
    EXPECT_EQ(game.edgeMasks[0], kRightSmaller);
    EXPECT_EQ(game.CursorSquare(), 0) << "Ctrl+arrow does not move the cursor";

    CursorTo(2);
    const std::string masks(reinterpret_cast<const char*>(game.edgeMasks), kSquareCount);
    Press(Arrow(kRight, true)); // a block border
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(game.edgeMasks), kSquareCount), masks);
    EXPECT_TRUE(game.HasUnsavedChanges());
    Press(Digit(4, true)); // Ctrl+digit is play's
    EXPECT_EQ(game.squares[2].number, 3);
}

// Each change is one step: undo takes them back one by one and redo does
// them again; a new change forgets what could be redone; no sound, and a
// won board is taken back without a word.
TEST_F(Keyboard, UndoAndRedoInPlay) {
    AddLevel(L"one", SolvedWithout({0, 40, 80}));
    Choose(L"one");
    const std::string start = Digits();
    std::vector<std::string> boards = {start};
    auto record = [&] { boards.push_back(BoardLine(game)); };
    boards[0] = BoardLine(game);
    Left(40, 1); // a number written by a click
    record();
    Right(0, 2); // a candidate restored: 1 and 2
    record();
    Right(0, 2); // struck again: the one left fills the square, in the same step
    ASSERT_EQ(game.squares[0].number, 1);
    record();
    CursorTo(80);
    Press(Digit(3)); // a wrong number by key
    record();
    Press(Plain(GameKey::Erase));
    record();
    window.answers = {L"Ok"};
    const size_t beforeWin = window.sounds.size();
    Press(Digit(2)); // the win, greeted as a click's is
    record();
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(LastQuestion().text, kWin);
    EXPECT_EQ(std::vector<GameSound>(window.sounds.begin() + beforeWin, window.sounds.end()),
              (std::vector<GameSound>{GameSound::Click, GameSound::Success}));
    const size_t sounds = window.sounds.size();

    for (size_t k = boards.size() - 1; k > 0; --k) {
        Press(Plain(GameKey::Undo));
        EXPECT_EQ(BoardLine(game), boards[k - 1]) << "undo to step " << k - 1;
    }
    EXPECT_EQ(window.drawnDigits, start);
    Press(Plain(GameKey::Undo)); // nothing more
    EXPECT_EQ(BoardLine(game), boards[0]);
    for (size_t k = 1; k < boards.size(); ++k) {
        Press(Plain(GameKey::Redo));
        EXPECT_EQ(BoardLine(game), boards[k]) << "redo to step " << k;
    }
    EXPECT_EQ(window.sounds.size(), sounds);
    EXPECT_EQ(window.questions.size(), 1u) << "a redone win is not greeted again";

    Press(Plain(GameKey::Undo), 2);
    Left(0, 1); // a new change
    const std::string changed = BoardLine(game);
    Press(Plain(GameKey::Redo));
    EXPECT_EQ(BoardLine(game), changed) << "the undone steps are forgotten";
}

// In the editor a click, a key and a sign are steps; an undo marks the board
// changed; emptying the board starts a new history.
TEST_F(Keyboard, UndoAndRedoInTheEditor) {
    game.OnCommand(GameCommand::LevelEditor);
    Left(0, 5);
    RightNear(0, kRight);
    RightNear(2, kRight); // a border: no step
    CursorTo(10);
    Press(Digit(7));
    window.names = {L"edited"};
    game.OnCommand(GameCommand::SaveLevel);
    EXPECT_FALSE(game.HasUnsavedChanges());
    EXPECT_EQ(game.History().UndoSteps(), 3u);
    Press(Plain(GameKey::Undo));
    EXPECT_TRUE(game.HasUnsavedChanges());
    EXPECT_EQ(game.squares[10].number, 0);
    Press(Plain(GameKey::Undo));
    EXPECT_EQ(game.edgeMasks[0], 0);
    EXPECT_EQ(game.edgeMasks[1], 0);
    Press(Plain(GameKey::Redo));
    EXPECT_EQ(game.edgeMasks[0], kRightGreater);
    game.OnCommand(GameCommand::RestartLevel); // empties the board
    Press(Plain(GameKey::Undo));
    EXPECT_EQ(Digits(), std::string(81, '0'));
    EXPECT_EQ(game.History().UndoSteps(), 0u);
}

// The history is the board's as loaded: every new board forgets it. It
// keeps the last 4,096 steps; beyond them the oldest go first.
TEST_F(Keyboard, TheHistoryIsTheLoadedBoards) {
    AddLevel(L"one", SolvedWithout({0, 40}));
    Choose(L"one");
    CursorTo(40);
    const BoardState start = game.Board();
    const int steps = static_cast<int>(BoardHistory::kMostSteps) + 9;
    BoardState oldestKept = start;
    for (int k = 0; k < steps; ++k) {
        Press(Digit(1 + k % 2, true));
        if (k == 8) {
            oldestKept = game.Board();
        }
    }
    EXPECT_EQ(game.History().UndoSteps(), BoardHistory::kMostSteps);
    Press(Plain(GameKey::Undo), steps);
    EXPECT_TRUE(game.Board() == oldestKept);
    EXPECT_TRUE(oldestKept != start) << "the steps forgotten changed the board";

    const std::vector<std::function<void()>> newBoards = {
        [&] { Choose(L"one"); },
        [&] {
            window.answers = {L"Restart level"};
            game.OnCommand(GameCommand::RestartLevel);
        },
        [&] { game.OnCommand(GameCommand::LevelEditor); },
        [&] {
            window.answers = {L"Don't save"};
            game.OnCommand(GameCommand::LevelEditor);
        },
        [&] {
            window.answers = {L"Ok"};
            game.OnCommand(GameCommand::SolveLevel);
        },
    };
    for (size_t k = 0; k < newBoards.size(); ++k) {
        if (game.GetMode() != GameMode && game.GetMode() != EditMode) {
            Choose(L"one");
        }
        Left(40, 1);
        ASSERT_GT(game.History().UndoSteps(), 0u);
        newBoards[k]();
        EXPECT_EQ(game.History().UndoSteps(), 0u) << "new board " << k;
    }
}

// H names one next step in a message box and puts the cursor on its square;
// the board stays as it is. In the editor H does nothing.
TEST_F(Keyboard, TheHintKey) {
    AddLevel(L"one", SolvedWithout({0, 40}));
    Choose(L"one");
    const std::string line = BoardLine(game);
    window.answers = {L"Ok"};
    Press(Plain(GameKey::Hint));
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_EQ(LastQuestion().caption, L"Nereku Sudoku");
    EXPECT_EQ(LastQuestion().buttons, Strings{L"Ok"});
    EXPECT_EQ(LastQuestion().text.rfind(L"Naked single: row 1, column 1 must be 1", 0), 0u)
        << ScriptedWindow::Narrow(LastQuestion().text);
    EXPECT_EQ(game.CursorSquare(), 0);
    EXPECT_EQ(BoardLine(game), line);
    EXPECT_EQ(game.History().UndoSteps(), 0u);

    game.OnCommand(GameCommand::LevelEditor);
    Press(Plain(GameKey::Hint));
    EXPECT_EQ(window.questions.size(), 1u);
}
