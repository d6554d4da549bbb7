// The starter levels in resources/levels: what their names promise, what the
// game needs of them, and that the recorded commands make them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "CNerekuEngine.h"
#include "ToolRunner.h"
#include "corvane/Files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFolder = NEREKU_STARTER_LEVELS_DIR;

struct Starter {
    std::string name; // without ".lvl"
    std::string arguments;
};

// The lines of levels.txt, "<name>|<arguments of nereku make>".
std::vector<Starter> Recorded() {
    std::vector<Starter> starters;
    for (const std::string& line : Lines(ReadFile((kFolder / "levels.txt").string()))) {
        const size_t bar = line.find('|');
        if (!line.empty() && line[0] != '#' && bar != std::string::npos) {
            starters.push_back({line.substr(0, bar), line.substr(bar + 1)});
        }
    }
    return starters;
}

std::string Lower(std::string text) {
    for (char& ch : text) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return text;
}

} // namespace

// 24 levels, 8 of each grade, each named "<number> <grade> - <title>": in a
// list sorted without regard to case they come easiest first, and every
// name is one Windows accepts and the game's 63 characters hold.
TEST(StarterLevels, NamedInOrderOfDifficulty) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kFolder)) {
        if (entry.path().extension() == ".lvl") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    ASSERT_EQ(names.size(), 24u);
    std::vector<std::string> recorded;
    for (const Starter& starter : Recorded()) {
        recorded.push_back(starter.name);
    }
    EXPECT_EQ(names, recorded) << "levels.txt lists every level, in order";
    const char* const grades[] = {"Easy", "Medium", "Hard"};
    for (size_t k = 0; k < names.size(); ++k) {
        const std::string& name = names[k];
        char number[3];
        std::snprintf(number, sizeof(number), "%02d", static_cast<int>(k + 1));
        EXPECT_EQ(name, std::string(number) + " " + grades[k / 8] + " - " +
                            name.substr(name.find(" - ") + 3));
        EXPECT_LE(name.size(), 63u);
        EXPECT_EQ(name.find_first_of("<>:\"/\\|?*"), std::string::npos) << name;
        EXPECT_NE(name.back(), '.');
    }
}

// Each level: 972 bytes, one solution, the grade its name claims (by the
// built tool), and at least 18 with signs, of which a few rest on signs with
// hardly a given. The game solves each in one full search well within 20 ms:
// the fastest of five runs is held to it, except in builds made for
// debugging or with sanitizers, which only print it.
TEST(StarterLevels, OneSolutionTheirGradeAndAQuickSearch) {
    int withSigns = 0;
    int signsAlone = 0;
    for (const Starter& starter : Recorded()) {
        SCOPED_TRACE(starter.name);
        const std::string path = (kFolder / (starter.name + ".lvl")).string();
        EXPECT_EQ(ReadFile(path).size(), kGridFileSize);
        const ToolResult graded = RunTool({"grade", path});
        EXPECT_EQ(graded.exitCode, 0) << graded.err;
        EXPECT_EQ(Field(graded.out, "solutions"), "1");
        const std::string claimed = starter.name.substr(3, starter.name.find(" - ") - 3);
        EXPECT_EQ(Field(graded.out, "grade"), claimed);
        const int signs = std::stoi(Field(graded.out, "signs"));
        withSigns += signs > 0;
        signsAlone += signs > 0 && std::stoi(Field(graded.out, "givens")) <= 4;

        CNerekuEngine engine;
        ASSERT_TRUE(engine.ReadGridFile(WidenPath(path.c_str()).c_str()));
        double fastest = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(engine.SolveLevel_FindSolutions(), 1);
            fastest = std::min(fastest, std::chrono::duration<double, std::milli>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
        }
        std::printf("%-32s %7.3f ms\n", starter.name.c_str(), fastest);
#if !NEREKU_SLOW_BUILD
        EXPECT_LT(fastest, 20.0);
#endif
    }
    EXPECT_GE(withSigns, 18);
    EXPECT_GE(signsAlone, 2);
}

// The recorded arguments make each level again, byte for byte.
TEST(StarterLevels, RecordedCommandsMakeThemAgain) {
    TempFolder folder;
    const std::vector<Starter> recorded = Recorded();
    // A slow build remakes every sixth level: one of each grade at least.
    const size_t step = NEREKU_SLOW_BUILD ? 6 : 1;
    for (size_t k = 0; k < recorded.size(); k += step) {
        const Starter& starter = recorded[k];
        SCOPED_TRACE(starter.name);
        std::vector<std::string> arguments = Lines("make " + starter.arguments, ' ');
        arguments.push_back(folder.File("again.lvl"));
        const ToolResult made = RunTool(arguments);
        ASSERT_EQ(made.exitCode, 0) << made.err;
        EXPECT_EQ(ReadFile(folder.File("again.lvl")),
                  ReadFile((kFolder / (starter.name + ".lvl")).string()));
    }
}
