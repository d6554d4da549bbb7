// The game's flow through a scripted window, on real files in a folder of
// its own: choosing, continuing, restarting and deleting levels, play and the
// win, Solve and its browser, random levels, and the editor, with every
// question's text, caption, buttons and what each answer does.
#include "GameFlow.h"
#include "corvane/Numbers.h"

// ---- The level library.

// The list is sorted without regard to case; a level without a saved game is
// loaded at once, with the candidates its numbers rule out struck.
TEST_F(GameFlow, ChoosingALevelLoadsItInPlay) {
    AddLevel(L"beta", SolvedWithout({0, 1}));
    AddLevel(L"Alpha", SolvedWithout({0}));
    EXPECT_EQ(window.list, (Strings{L"Alpha", L"beta"}));
    Choose(L"beta");
    EXPECT_TRUE(window.questions.empty());
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_EQ(window.banner, kGameBanner);
    EXPECT_EQ(window.background, kGameColour);
    EXPECT_EQ(window.drawnDigits, SolvedWithout({0, 1}));
    EXPECT_EQ(Candidates(game.squares[0]), "1") << "2 stands in row 0 and column 0";
    EXPECT_FALSE(game.HasUnsavedChanges());
    EXPECT_EQ(std::wstring(game.GetLevelName()), L"beta");
}

// Another level keeps the game in play under the old name; coming back
// offers it, and "No" leaves it as it was.
TEST_F(GameFlow, ASavedGameIsKeptAndOffered) {
    AddLevel(L"one", std::string(80, '.') + "9");
    AddLevel(L"two", SolvedWithout({80}));
    Choose(L"one");
    Right(0, 3);
    Left(40, 1);
    EXPECT_TRUE(game.HasUnsavedChanges());
    Choose(L"two");
    ASSERT_TRUE(fs::exists(SaveFile(L"one")));
    const std::string saved = ReadFile(SaveFile(L"one"));

    window.answers = {L"Yes"};
    Choose(L"one");
    const AskedQuestion& offer = LastQuestion();
    EXPECT_EQ(offer.text, kContinue);
    EXPECT_EQ(offer.caption, L"Nereku_sudoku");
    EXPECT_EQ(offer.buttons, (Strings{L"Yes", L"No"}));
    EXPECT_EQ(game.squares[40].number, 1);
    EXPECT_EQ(Candidates(game.squares[0]), "12456789") << "the mark and the ruled-out 9";

    // The level in play chosen again: nothing is saved first, and the offer
    // comes again; "No" gives the level from its start.
    window.answers = {L"No"};
    Choose(L"one");
    EXPECT_EQ(window.questions.size(), 2u);
    EXPECT_EQ(game.squares[40].number, 0);
    EXPECT_EQ(ReadFile(SaveFile(L"one")), saved);
}

TEST_F(GameFlow, RestartOffersTheLevelOrTheSavedGame) {
    AddLevel(L"one", SolvedWithout({0, 40}));
    game.OnCommand(GameCommand::RestartLevel); // no level: no question
    Choose(L"one");
    // No saved game yet: "Load saved game" gives the level.
    Left(40, 5);
    window.answers = {L"Load saved game"};
    game.OnCommand(GameCommand::RestartLevel);
    EXPECT_EQ(LastQuestion().text, L"Are you sure you want to clear the grid?");
    EXPECT_EQ(LastQuestion().caption, L"Nereku Sudoku");
    EXPECT_EQ(LastQuestion().buttons, (Strings{L"Restart level", L"Load saved game", L"Cancel"}));
    EXPECT_EQ(game.squares[40].number, 0);

    Left(40, 5);
    game.OnCommand(GameCommand::SaveLevel);
    EXPECT_FALSE(game.HasUnsavedChanges());
    Left(0, 1);
    window.answers = {L"Cancel", L"", L"Restart level", L"Load saved game"};
    game.OnCommand(GameCommand::RestartLevel);
    game.OnCommand(GameCommand::RestartLevel);
    EXPECT_EQ(game.squares[0].number, 1) << "cancelled or closed: nothing changes";
    game.OnCommand(GameCommand::RestartLevel);
    EXPECT_EQ(Digits(), SolvedWithout({0, 40}));
    EXPECT_TRUE(fs::exists(SaveFile(L"one"))) << "a restart keeps the saved game";
    game.OnCommand(GameCommand::RestartLevel);
    EXPECT_EQ(game.squares[40].number, 5);
    EXPECT_EQ(game.squares[0].number, 0);
}

// A file that cannot be read: no level, grey, nothing selected, the board
// empty; the other files are not touched.
TEST_F(GameFlow, ALevelThatCannotBeReadGivesNoLevel) {
    AddLevel(L"good", SolvedWithout({0}));
    std::ofstream(LevelFile(L"short"), std::ios::binary) << std::string(971, '\0');
    std::string wild = ReadFile(LevelFile(L"good"));
    wild[82 + 11 * 5] = 12; // a number above 9
    std::ofstream(LevelFile(L"wild"), std::ios::binary).write(wild.data(), 972);
    game.UpdateLevelsCombo(nullptr);
    EXPECT_EQ(window.list, (Strings{L"good", L"short", L"wild"}));
    for (const wchar_t* damaged : {L"short", L"wild"}) {
        if (fs::exists(SaveFile(L"good"))) {
            window.answers = {L"No"};
        }
        Choose(L"good");
        Choose(damaged);
        EXPECT_EQ(game.GetMode(), NoMode);
        EXPECT_EQ(window.background, kGrey);
        EXPECT_FALSE(window.banner);
        EXPECT_EQ(window.selected, L"");
        EXPECT_EQ(Digits(), std::string(81, '0'));
    }
    EXPECT_TRUE(fs::exists(SaveFile(L"good"))) << "the game left was kept";
    EXPECT_EQ(ReadFile(LevelFile(L"wild")), wild);
    EXPECT_EQ(fs::file_size(LevelFile(L"short")), 971u);
}

// Enter answers the question with "Cancel", so no key press alone deletes.
TEST_F(GameFlow, DeleteAsksAndDefaultsToCancel) {
    AddLevel(L"gone", SolvedWithout({0}));
    AddLevel(L"kept", SolvedWithout({0}));
    game.OnCommand(GameCommand::DeleteLevel); // nothing selected: no question
    EXPECT_TRUE(window.questions.empty());

    Choose(L"gone");
    Left(0, 2);
    game.OnCommand(GameCommand::SaveLevel);
    window.answers = {L"Cancel", L""};
    game.OnCommand(GameCommand::DeleteLevel);
    game.OnCommand(GameCommand::DeleteLevel);
    const AskedQuestion& question = LastQuestion();
    EXPECT_EQ(question.text, L"Level : gone\n\nAre you sure you want to delete the level?");
    EXPECT_EQ(question.caption, L"Delete");
    EXPECT_EQ(question.buttons, (Strings{L"Delete", L"Cancel"}));
    EXPECT_EQ(question.defaultButton, 1);
    EXPECT_TRUE(fs::exists(LevelFile(L"gone")));
    EXPECT_EQ(game.GetMode(), GameMode);

    window.answers = {L"Delete"};
    game.OnCommand(GameCommand::DeleteLevel);
    EXPECT_FALSE(fs::exists(LevelFile(L"gone")));
    EXPECT_FALSE(fs::exists(SaveFile(L"gone")));
    EXPECT_EQ(window.list, Strings{L"kept"});
    EXPECT_EQ(window.selected, L"");
    EXPECT_EQ(game.GetMode(), NoMode);
    EXPECT_FALSE(window.banner);
}

// A name longer than a level name can be, or no name at all, is not listed:
// the game could neither load that file under its own name nor keep its
// game. The longest name that fits loads its own file.
TEST_F(GameFlow, OnlyNamesTheGameCanLoadAreListed) {
    const std::wstring longest(63, L'n');
    AddLevel(longest, SolvedWithout({0}));
    AddLevel(longest + L"x", SolvedWithout({1}));
    AddLevel(L"", SolvedWithout({2}));
    EXPECT_EQ(window.list, Strings{longest});
    Choose(longest);
    EXPECT_EQ(Digits(), SolvedWithout({0}));
}

// Save and closing keep the game in play; a save that cannot be written
// leaves the changes marked; a board that came from no level is not kept
// (it would be written as a file with no name).
TEST_F(GameFlow, KeepingTheGameInPlay) {
    AddLevel(L"one", SolvedWithout({0, 40}));
    Choose(L"one");
    Left(40, 5);
    fs::remove_all(folder / "Saves");
    game.OnCommand(GameCommand::SaveLevel);
    EXPECT_TRUE(game.HasUnsavedChanges());
    fs::create_directories(folder / "Saves");
    game.OnClose();
    EXPECT_FALSE(game.HasUnsavedChanges());
    ASSERT_TRUE(fs::exists(SaveFile(L"one")));

    // The editor on no level, left again: play without a name.
    CNerekuGame fresh(window);
    window.Attach(&fresh);
    fresh.OpenDataFolder(folder.wstring().c_str());
    fresh.OnCommand(GameCommand::LevelEditor);
    fresh.OnCommand(GameCommand::LevelEditor);
    ASSERT_EQ(fresh.GetMode(), GameMode);
    fresh.OnLeftButtonUp(CellX(3, 1), CellY(3, 1));
    fresh.OnCommand(GameCommand::SaveLevel);
    fresh.OnClose();
    window.SelectLevel(L"one");
    window.answers = {L"No"};
    fresh.OnLevelChosen();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "Saves"), fs::directory_iterator()), 1)
        << "only the game of \"one\"";
    window.Attach(&game);
}

// ---- Play.

TEST_F(GameFlow, ClicksInPlay) {
    AddLevel(L"one", SolvedWithout({0, 40, 80}));
    Choose(L"one");
    const int drawn = window.drawings;
    Left(1, 5); // a given
    Right(1, 5);
    EXPECT_EQ(window.drawings, drawn);
    EXPECT_TRUE(window.sounds.empty());
    EXPECT_FALSE(game.HasUnsavedChanges());

    Left(0, 9); // a wrong number: no word
    EXPECT_EQ(window.drawnDigits[0], '9');
    EXPECT_TRUE(game.HasUnsavedChanges());
    Left(0, 9); // erased
    EXPECT_EQ(Candidates(game.squares[0]), "123456789");
    Left(0, 9);
    // Square 40's one candidate, struck and restored: the square fills.
    Right(40, 1);
    EXPECT_EQ(Candidates(game.squares[40]), "");
    Right(40, 1);
    EXPECT_EQ(game.squares[40].number, 1);
    EXPECT_EQ(window.sounds, (std::vector<GameSound>{GameSound::Click, GameSound::Click}));
    EXPECT_TRUE(window.questions.empty()) << "no win: square 0 is wrong";

    // The grid's first pixel column is outside: a right click there does
    // nothing; a left click anywhere outside runs Solve, in play.
    game.OnRightButtonUp(ScriptedWindow::kLeft, CellY(0, 1));
    EXPECT_EQ(window.sounds.size(), 2u);
    window.answers = {L"Ok"};
    game.OnLeftButtonUp(ScriptedWindow::kLeft, CellY(0, 1));
    EXPECT_EQ(LastQuestion().text, kNoSolution) << "the 9 in square 0 breaks its row";
    EXPECT_EQ(game.GetMode(), GameMode);
}

// Every click that completes the board correctly is greeted, the success
// sound first; completing it wrongly is not. The eighth struck candidate
// fills the square and counts as completing it.
TEST_F(GameFlow, TheWinIsGreetedEveryTime) {
    AddLevel(L"one", SolvedWithout({0, 80}));
    Choose(L"one");
    Left(80, 1); // wrong
    Left(0, 1);
    EXPECT_TRUE(window.questions.empty());
    Left(80, 1); // erased
    window.answers = {L"Ok", L"Ok"};
    Left(80, 2);
    EXPECT_EQ(LastQuestion().text, kWin);
    EXPECT_EQ(LastQuestion().caption, L"Nereku Sudoku");
    EXPECT_EQ(LastQuestion().buttons, Strings{L"Ok"});
    EXPECT_EQ(window.sounds, std::vector<GameSound>{GameSound::Success});

    Left(0, 1); // erased: all nine candidates back, a given row rules out none here
    for (int digit : {2, 3, 4, 5, 6, 7, 8}) {
        Right(0, digit);
        EXPECT_TRUE(window.answers.size() == 1) << "no win before the eighth strike";
    }
    Right(0, 9); // 1 is left: the square holds it, and the board is won
    EXPECT_EQ(game.squares[0].number, 1);
    EXPECT_EQ(window.questions.size(), 2u);
    EXPECT_EQ(window.sounds.back(), GameSound::Success);
    EXPECT_EQ(game.GetMode(), GameMode);
}

// ---- Solve.

TEST_F(GameFlow, SolveShowsTheOnlySolution) {
    AddLevel(L"one", SolvedWithout({0, 10, 20, 30, 40, 50, 60, 70, 80}));
    Choose(L"one");
    Left(0, 1);
    window.answers = {L"Ok"};
    game.OnCommand(GameCommand::SolveLevel);
    EXPECT_EQ(game.GetMode(), SolveMode);
    EXPECT_FALSE(game.HasUnsavedChanges());
    EXPECT_EQ(LastQuestion().text, L"The solution for this level has been found.\n\nThe solution "
                                   L"is unique (i.e., there are no other valid solutions).");
    EXPECT_EQ(LastQuestion().caption, L"Nereku Sudoku");
    EXPECT_EQ(window.drawnDigits, kSolvedGrid);
    EXPECT_EQ(window.sounds.back(), GameSound::Success);
    EXPECT_EQ(window.busyRuns, 1) << "the search runs as busy work";
    // In SolveMode the grid takes no clicks.
    Left(0, 5);
    EXPECT_EQ(Digits(), kSolvedGrid);
}

// Two solutions to page through: the ends say so and keep the solution
// shown; "Ok" or closing the box leaves the last one on the board.
TEST_F(GameFlow, SolveBrowsesTheSolutions) {
    AddLevel(L"two", SolvedWithout({30, 34, 39, 43}));
    Choose(L"two");
    window.answers = {L"Prev", L"Ok", L"Next", L"Next", L"Ok", L""};
    game.OnCommand(GameCommand::SolveLevel);
    ASSERT_EQ(window.questions.size(), 6u);
    const std::wstring text = L"All the solutions for this level have been found.\n\nThis level "
                              L"has 2 different solutions.\n\nYou can go through the solutions "
                              L"using the 'Next' and 'Prev' button";
    const std::wstring end = L"You have reached the end of the solutions";
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {text, L"Solution 1/2"}, {end, L"Solution 1/2"}, {text, L"Solution 1/2"},
        {text, L"Solution 2/2"}, {end, L"Solution 2/2"}, {text, L"Solution 2/2"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(window.questions[i].text, expected[i].first) << i;
        EXPECT_EQ(window.questions[i].caption, expected[i].second) << i;
    }
    EXPECT_EQ(window.questions[0].buttons, (Strings{L"Ok", L"Prev", L"Next"}));
    EXPECT_EQ(Digits().substr(0, 30), std::string(kSolvedGrid).substr(0, 30));
    EXPECT_NE(Digits(), kSolvedGrid) << "the second solution stays shown";
    EXPECT_EQ(game.GetMode(), SolveMode);
}

TEST_F(GameFlow, SolveOfTheEmptyGridPagesThroughAHundred) {
    AddLevel(L"empty", std::string(81, '.'));
    Choose(L"empty");
    window.answers.assign(99, L"Next");
    window.answers.insert(window.answers.end(), {L"Next", L"Ok", L"Ok"});
    game.OnCommand(GameCommand::SolveLevel);
    EXPECT_EQ(window.questions.front().text,
              L"Solutions has many solutions.\n\nYou can go through the first 100 solutions "
              L"using the 'Next' and 'Prev' button.");
    EXPECT_EQ(window.questions[99].caption, L"Solution 100/100");
    EXPECT_EQ(window.questions[100].text, L"You have reached the end of the solutions");
}

// A struck candidate that the only solution needs: the board, the mark
// included, is given back as it was, in play.
TEST_F(GameFlow, NoSolutionGivesTheBoardBack) {
    AddLevel(L"one", SolvedWithout({0, 40}));
    Choose(L"one");
    Right(0, 1);
    const std::string before = Digits();
    window.answers = {L"Ok"};
    game.OnCommand(GameCommand::SolveLevel);
    EXPECT_EQ(LastQuestion().text, kNoSolution);
    EXPECT_EQ(Digits(), before);
    EXPECT_EQ(Candidates(game.squares[0]), "") << "1 was the only candidate, now struck";
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_EQ(window.background, kGameColour);
    EXPECT_EQ(window.banner, kGameBanner);
}

// ---- Random levels.

TEST_F(GameFlow, NewMakesANamedPlainLevel) {
    SeedRandomNumbers(7);
    window.numbers = {std::nullopt, 20};
    window.names = {L"random"};
    game.OnCommand(GameCommand::NewLevel); // cancelled: nothing
    EXPECT_EQ(game.GetMode(), NoMode);
    game.OnCommand(GameCommand::NewLevel);
    const ScriptedWindow::NumberRequest& request = window.numberRequests.back();
    EXPECT_EQ(request.caption, L"Generate random level");
    EXPECT_EQ(request.start, 30);
    EXPECT_EQ(request.lowest, 20);
    EXPECT_EQ(request.highest, 80);
    EXPECT_EQ(window.nameCaptions.back(), L"Save level");
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_EQ(window.background, kGameColour);
    EXPECT_EQ(window.selected, L"random");

    CNerekuEngine level;
    ASSERT_TRUE(level.ReadGridFile(LevelFile(L"random").wstring().c_str()));
    int givens = 0;
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_EQ(level.edgeMasks[i], 0);
        givens += level.squares[i].fixed;
    }
    EXPECT_EQ(givens, 20);
    EXPECT_GE(level.SolveLevel_FindSolutions(1), 1);
}

// A cancelled name stores nothing and leaves no level, in the editor's
// colour; a generation that fails shows the board it left, and asks nothing.
TEST_F(GameFlow, NewCancelledOrFailed) {
    window.numbers = {20, 20};
    window.names = {std::nullopt};
    game.OnCommand(GameCommand::NewLevel);
    EXPECT_EQ(game.GetMode(), NoMode);
    EXPECT_FALSE(window.banner);
    EXPECT_EQ(window.background, kEditColour);
    EXPECT_TRUE(window.list.empty());

    window.busyOutcome = [this] { game.ResetGrid(); };
    const int drawn = window.drawings;
    game.OnCommand(GameCommand::NewLevel);
    EXPECT_GT(window.drawings, drawn);
    EXPECT_EQ(window.drawnDigits, std::string(81, '0'));
    EXPECT_EQ(window.drawnMode, EditMode);
    EXPECT_EQ(window.proposedNames.size(), 1u) << "no name asked for a board not made";
}

// ---- The editor.

TEST_F(GameFlow, TheEditorEntersEditsAndLeaves) {
    AddLevel(L"one", SolvedWithout({0}));
    Choose(L"one");
    game.OnCommand(GameCommand::LevelEditor);
    EXPECT_EQ(game.GetMode(), EditMode);
    EXPECT_EQ(window.background, kEditColour);
    EXPECT_EQ(window.banner, kEditBanner);
    game.OnCommand(GameCommand::LevelEditor); // no change: no question
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_TRUE(window.questions.empty());

    game.OnCommand(GameCommand::LevelEditor);
    Left(1, 5); // a given erased
    Left(0, 2); // a digit the row already has
    RightNear(0, kRight);
    EXPECT_EQ(game.edgeMasks[0], kRightGreater);
    EXPECT_EQ(game.edgeMasks[1], kLeftSmaller);
    window.answers = {L"Cancel", L"Save", L"Don't save"};
    window.names = {std::nullopt};
    game.OnCommand(GameCommand::LevelEditor);
    EXPECT_EQ(LastQuestion().text, L"Do you want to save the level?");
    EXPECT_EQ(LastQuestion().caption, L"Edit mode");
    EXPECT_EQ(LastQuestion().buttons, (Strings{L"Save", L"Don't save", L"Cancel"}));
    EXPECT_EQ(game.GetMode(), EditMode);
    game.OnCommand(GameCommand::LevelEditor); // Save, name cancelled: play goes on
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_EQ(game.squares[0].number, 2);
    EXPECT_EQ(game.squares[0].fixed, 0) << "not a given: never saved";

    // A click on a block border changes no sign, but still asks.
    game.OnCommand(GameCommand::LevelEditor);
    RightNear(2, kRight);
    EXPECT_EQ(game.edgeMasks[2], 0);
    game.OnCommand(GameCommand::LevelEditor);
    EXPECT_EQ(window.questions.size(), 3u);
    EXPECT_EQ(game.GetMode(), GameMode) << "\"Don't save\"";
}

// New and Restart empty the board in the editor, without a question.
TEST_F(GameFlow, TheEditorEmptiesTheBoard) {
    AddLevel(L"one", SolvedWithout({0}) + " 10" + std::string(160, '0'));
    Choose(L"one");
    game.OnCommand(GameCommand::LevelEditor);
    for (GameCommand command : {GameCommand::NewLevel, GameCommand::RestartLevel}) {
        Left(0, 1);
        game.edgeMasks[0] = kRightGreater;
        game.OnCommand(command);
        EXPECT_EQ(window.drawnDigits, std::string(81, '0'));
        EXPECT_EQ(game.edgeMasks[0], 0);
    }
    EXPECT_TRUE(window.questions.empty());
    EXPECT_TRUE(window.numberRequests.empty());
}

// The name proposed is the list's; the characters Windows cannot take
// become underscores; every number becomes a given. A failed write keeps
// the board and its changes, and lists nothing.
TEST_F(GameFlow, TheEditorSavesALevel) {
    game.OnCommand(GameCommand::LevelEditor);
    Left(0, 7);
    Left(40, 9);
    fs::remove_all(folder / "Levels");
    window.names = {L"lost", L"a<b>c:d", L""};
    game.OnCommand(GameCommand::SaveLevel);
    EXPECT_TRUE(game.HasUnsavedChanges());
    EXPECT_EQ(game.squares[0].fixed, 0);
    EXPECT_TRUE(window.list.empty());

    fs::create_directories(folder / "Levels");
    game.OnCommand(GameCommand::SaveLevel);
    EXPECT_EQ(window.proposedNames.back(), L"") << "no level in the list";
    EXPECT_EQ(window.list, Strings{L"a_b_c_d"});
    EXPECT_EQ(window.selected, L"a_b_c_d");
    EXPECT_FALSE(game.HasUnsavedChanges());
    EXPECT_EQ(game.squares[0].fixed, 1);
    EXPECT_EQ(game.squares[1].fixed, 0);
    EXPECT_EQ(game.GetMode(), EditMode);
    CNerekuEngine level;
    ASSERT_TRUE(level.ReadGridFile(LevelFile(L"a_b_c_d").wstring().c_str()));
    EXPECT_EQ(level.squares[40].number, 9);

    // An empty name stores nothing: there would be no level to list.
    Left(1, 1);
    game.OnCommand(GameCommand::SaveLevel);
    EXPECT_EQ(window.proposedNames.back(), L"a_b_c_d");
    EXPECT_TRUE(game.HasUnsavedChanges());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "Levels"), fs::directory_iterator()),
              1);
}

// Choosing another level with unsaved edits: "Don't save" loads it; "Save"
// proposes the edited level's name, and loads the chosen level once that is
// written; a save that does not happen keeps the editor, its board and its
// changes, with the edited level shown in the list.
TEST_F(GameFlow, ChoosingALevelWithUnsavedEdits) {
    AddLevel(L"one", SolvedWithout({0}));
    AddLevel(L"two", SolvedWithout({1}));
    Choose(L"one");
    game.OnCommand(GameCommand::LevelEditor);
    Left(0, 4);
    const std::string edited = Digits();

    window.answers = {L"Save"};
    window.names = {std::nullopt};
    Choose(L"two");
    EXPECT_EQ(LastQuestion().text, L"Do you want to save the level?");
    EXPECT_EQ(LastQuestion().caption, L"Edit mode");
    EXPECT_EQ(LastQuestion().buttons, (Strings{L"Save", L"Don't save"}));
    EXPECT_EQ(window.proposedNames.back(), L"one");
    EXPECT_EQ(game.GetMode(), EditMode);
    EXPECT_EQ(Digits(), edited);
    EXPECT_TRUE(game.HasUnsavedChanges());
    EXPECT_EQ(window.selected, L"one");

    const fs::path levels = folder / "Levels";
    fs::rename(levels, folder / "away");
    window.answers = {L"Save"};
    window.names = {L"one"};
    Choose(L"two");
    EXPECT_EQ(game.GetMode(), EditMode) << "the write failed";
    EXPECT_EQ(Digits(), edited);
    EXPECT_TRUE(game.HasUnsavedChanges());
    EXPECT_EQ(window.selected, L"one");

    fs::rename(folder / "away", levels);
    window.answers = {L"Save"};
    window.names = {L"one"};
    Choose(L"two");
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_EQ(Digits(), SolvedWithout({1}));
    CNerekuEngine saved;
    ASSERT_TRUE(saved.ReadGridFile(LevelFile(L"one").wstring().c_str()));
    EXPECT_EQ(saved.squares[0].number, 4);

    game.OnCommand(GameCommand::LevelEditor);
    Left(1, 1);
    window.answers = {L"Don't save"};
    Choose(L"one");
    EXPECT_EQ(game.GetMode(), GameMode);
    EXPECT_EQ(game.squares[0].number, 4);
    CNerekuEngine two;
    ASSERT_TRUE(two.ReadGridFile(LevelFile(L"two").wstring().c_str()));
    EXPECT_EQ(two.squares[1].number, 0) << "the edit is dropped";
}

// ---- The other commands.

TEST_F(GameFlow, HelpAndAbout) {
    game.OnCommand(GameCommand::Help);
    EXPECT_EQ(window.helpOpened, 1);
    window.answers = {L"Ok", L"Go to website"};
    game.OnCommand(GameCommand::About);
    game.OnCommand(GameCommand::About);
    EXPECT_EQ(LastQuestion().text.rfind(L"Nereku Sudoku v1.00\n\n", 0), 0u);
    EXPECT_EQ(LastQuestion().buttons, (Strings{L"Ok", L"Go to website"}));
    EXPECT_EQ(window.websiteOpened, 1);
}
