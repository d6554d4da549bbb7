// The arguments of the nereku tool, checked and sorted into one record.
#pragma once

#include <cstdint>
#include <string>

enum class ToolCommand { Help, Solve, Show, Generate, Make, Grade, Hint };

struct CommandLine {
    ToolCommand command = ToolCommand::Help;
    std::string file;    // the level file, as its bytes came on the command line
    int limit = 100;     // solve: no new branch once this many solutions are stored
    int count = 0;       // generate: the number of givens, 0 to 81
    bool seeded = false; // generate, make: whether --seed was given
    uint64_t seed = 0;
    int givens = -1; // make: at most this many givens (0 to 81); -1: not given
    int signs = -1;  // make: at most this many signs (0 to 108); -1: not given
    int grade = -1;  // make: 0 easy, 1 medium, 2 hard; -1: any
};

// Exit codes of the tool.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;   // bad arguments
constexpr int kExitFile = 2;    // a file that cannot be read or written
constexpr int kExitNoLevel = 3; // make: no level within the bounds; grade: a level it cannot follow

// Fills `line` from the program's arguments. False with a short reason in
// `problem` when the arguments make no valid command.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& line, std::string& problem);

// The synopsis of every command, several lines ending in a line feed.
const char* UsageText();
