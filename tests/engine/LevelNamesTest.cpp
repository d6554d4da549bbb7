// Level names made safe for the file system, the list's names from file
// names, the help page's address, the solution browser and the coalescing of
// background paintings.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "LevelNames.h"
#include "app/EraseRequests.h"
#include "app/HelpAddress.h"
#include "solver/SolutionBrowser.h"

namespace {

std::wstring Safe(std::wstring name) {
    name.resize(64, L'\0');
    MakeLevelNameSafe(name.data(), 64);
    return name.c_str();
}

} // namespace

TEST(LevelNames, OnlyEverNameAFileInTheLevelsFolder) {
    EXPECT_EQ(Safe(L"a<b>c:d"), L"a_b_c_d");
    EXPECT_EQ(Safe(L"..\\..\\x/y|z?*\""), L".._.._x_y_z___");
    EXPECT_EQ(Safe(L"tab\there"), L"tab_here");
    EXPECT_EQ(Safe(L"dots..."), L"dots___") << "Windows would drop a trailing dot";
    EXPECT_EQ(Safe(L"blank "), L"blank_");
    EXPECT_EQ(Safe(L"CON"), L"CO_");
    EXPECT_EQ(Safe(L"nul.old"), L"nu_.old");
    EXPECT_EQ(Safe(L"Com1"), L"Com_");
    EXPECT_EQ(Safe(L"lpt9 .x"), L"lpt_ .x");
    EXPECT_EQ(Safe(L"COM0"), L"COM0");
    EXPECT_EQ(Safe(L"Console"), L"Console");
    EXPECT_EQ(Safe(L"Easy 1"), L"Easy 1");

    wchar_t level[260];
    EXPECT_TRUE(LevelNameOfFile(L"My Level.LVL", level, 260));
    EXPECT_EQ(std::wstring(level), L"My Level");
    EXPECT_FALSE(LevelNameOfFile(L"notes.txt", level, 260));
    EXPECT_FALSE(LevelNameOfFile(L"lvl", level, 260));
    EXPECT_FALSE(LevelNameOfFile(L"long name.lvl", level, 5)) << "never cut";
}

TEST(HelpAddress, LocalPageWithItsSection) {
    EXPECT_EQ(
        FileAddress(L"C:\\Program Files\\Nereku\\nerekusudoku\\nerekusudoku.html", L"Game play"),
        L"file:///C:/Program%20Files/Nereku/nerekusudoku/nerekusudoku.html#Game%20play");
    EXPECT_EQ(FileAddress(L"\\\\server\\games\\a#b%.html", L""),
              L"file://server/games/a%23b%25.html");
    EXPECT_EQ(FileAddress(L"D:\\Spiele\\\u00e9t\u00e9", L""), L"file:///D:/Spiele/%C3%A9t%C3%A9");
}

TEST(SolutionBrowser, PagesBetweenTheEnds) {
    EXPECT_EQ(std::wstring(SolutionBrowser(0).MessageKey(100)), L"No_solution_possible");
    EXPECT_EQ(std::wstring(SolutionBrowser(1).MessageKey(100)), L"Found_single_correct_solution");
    EXPECT_EQ(std::wstring(SolutionBrowser(99).MessageKey(100)),
              L"Found_multiple_correct_solutions");
    EXPECT_EQ(std::wstring(SolutionBrowser(101).MessageKey(100)),
              L"Found_too_many_correct_solutions");
    EXPECT_FALSE(SolutionBrowser(1).CanPage());

    SolutionBrowser two(2);
    EXPECT_EQ(two.Press(SolutionBrowser::Prev), SolutionBrowser::Step::AtEnd);
    EXPECT_EQ(two.Shown(), 0);
    EXPECT_EQ(two.Press(SolutionBrowser::Next), SolutionBrowser::Step::Shown);
    EXPECT_EQ(two.Shown(), 1);
    EXPECT_EQ(two.Press(SolutionBrowser::Next), SolutionBrowser::Step::AtEnd);
    EXPECT_EQ(two.Shown(), 1);
    EXPECT_EQ(two.Press(-1), SolutionBrowser::Step::Done) << "the close box ends it";
    EXPECT_EQ(two.Press(SolutionBrowser::Ok), SolutionBrowser::Step::Done);
}

TEST(EraseRequests, RequestsDuringAPaintingCauseOneMore) {
    int16_t requests = 0;
    int paintings = 0;
    std::function<void()> paint = [&] {
        ++paintings;
        if (paintings == 1) {
            for (int n = 0; n < 3; ++n) {
                CoalesceEraseRequest(requests, paint);
            }
        }
        EXPECT_LE(requests, 2);
    };
    CoalesceEraseRequest(requests, paint);
    EXPECT_EQ(paintings, 2);
    EXPECT_EQ(requests, 0);

    requests = -1; // painting switched off
    CoalesceEraseRequest(requests, paint);
    EXPECT_EQ(paintings, 2);
}
