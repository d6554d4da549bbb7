// nereku: the game's engine on the command line.
//
//   nereku solve FILE.lvl [--limit N]    every solution, one line of 81 digits each
//   nereku show FILE.lvl                 the level as text, with its signs
//   nereku generate --count N [--seed S] FILE.lvl
//
// Exit codes: 0 done (a level without solutions included), 1 bad arguments,
// 2 a file that cannot be read or written.
#include <cstdio>
#include <exception>
#include <string>

#include "CommandLine.h"
#include "Commands.h"

namespace {

void PrintHelp() {
    std::fputs(UsageText(), stdout);
    std::fputs("\n"
               "  solve     prints every solution of the level, up to the limit (100 unless\n"
               "            --limit is given), one line of 81 digits each, in the order the\n"
               "            search finds them; a level without solutions prints nothing\n"
               "  show      prints the level with its signs ('<' '>' '^' 'v' point at the\n"
               "            smaller square)\n"
               "  generate  writes a random plain sudoku with N givens (0 to 81) taken from\n"
               "            one solution; --seed S makes the level repeatable\n"
               "\n"
               "exit codes: 0 done, 1 bad arguments, 2 a file that cannot be read or written\n",
               stdout);
}

int Run(int argc, const char* const* argv) {
    CommandLine line;
    std::string problem;
    if (!ParseCommandLine(argc, argv, line, problem)) {
        std::fprintf(stderr, "nereku: %s\n%s", problem.c_str(), UsageText());
        return kExitUsage;
    }
    switch (line.command) {
    case ToolCommand::Solve:
        return SolveCommand(line);
    case ToolCommand::Show:
        return ShowCommand(line);
    case ToolCommand::Generate:
        return GenerateCommand(line);
    case ToolCommand::Help:
        break;
    }
    PrintHelp();
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nereku: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "nereku: unexpected failure\n");
    }
    return kExitFile;
}
