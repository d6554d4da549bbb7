// nereku: the game's engine on the command line.
//
//   nereku solve FILE.lvl [--limit N]    every solution, one line of 81 digits each
//   nereku show FILE.lvl                 the level as text, with its signs
//   nereku generate --count N [--seed S] FILE.lvl
//   nereku make [--givens N] [--signs N] [--grade G] [--seed S] FILE.lvl
//   nereku grade FILE.lvl                how hard, and which techniques it needs
//   nereku hint FILE.lvl                 the game's hint for the board in the file
//
// Exit codes: 0 done (a level without solutions included), 1 bad arguments,
// 2 a file that cannot be read or written, 3 no level made within the bounds.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "corvane/Files.h"
#endif

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
               "  make      writes a level with signs and exactly one solution: signs and\n"
               "            givens that agree with a random grid are added until the\n"
               "            solution is unique, then every one that is not needed goes,\n"
               "            givens before signs. --signs N allows at most N signs (0 to\n"
               "            108, default 8), --givens N at most N givens (0 to 81, default\n"
               "            81); --grade easy|medium|hard tries the next seed until the\n"
               "            level has that grade; --seed S makes it repeatable. Prints the\n"
               "            lines of grade, then 'seed: S' (the seed that made this level at\n"
               "            its first attempt) and 'attempts: N'\n"
               "  grade     prints how hard a level with one solution is for a person:\n"
               "              grade: Easy|Medium|Hard\n"
               "              solutions: 1\n"
               "              techniques: naked single 40, hidden single 12, ...\n"
               "              givens: N\n"
               "              signs: N\n"
               "            the techniques each with how often they were needed, easiest\n"
               "            first. Easy needs only naked and hidden singles and signs next\n"
               "            to settled squares; Medium adds sign chains, locked candidates\n"
               "            and naked and hidden pairs; Hard needs more (triples, quads,\n"
               "            x-wing, swordfish or trial). Any other level prints 'grade: none'\n"
               "            and 'solutions: N' (0, 2 to 99, or '100 or more')\n"
               "  hint      prints the game's hint (in English) for the board in the file, a\n"
               "            level or a saved game with the player's numbers and candidate\n"
               "            marks: the next step by the techniques of grade, or the rule a\n"
               "            number breaks, or that the board has no solution or is solved;\n"
               "            then 'square: R C' (counted from 1), or 'square: none'\n"
               "\n"
               "exit codes: 0 done, 1 bad arguments, 2 a file that cannot be read or written,\n"
               "            3 make found no level within the bounds\n",
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
    case ToolCommand::Make:
        return MakeCommand(line);
    case ToolCommand::Grade:
        return GradeCommand(line);
    case ToolCommand::Hint:
        return HintCommand(line);
    case ToolCommand::Help:
        break;
    }
    PrintHelp();
    return kExitOk;
}

#ifdef _WIN32
std::vector<std::string> WideArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int k = 0; k < count; ++k) {
        arguments.push_back(NarrowPath(wide[k]));
    }
    LocalFree(wide);
    return arguments;
}
#endif

} // namespace

int main(int argc, char** argv) {
    try {
#ifdef _WIN32
        // The arguments as the user typed them: Windows hands a program its
        // narrow arguments in the ANSI code page, which cannot hold every
        // file name; the tool takes paths as UTF-8 bytes everywhere.
        std::vector<std::string> utf8 = WideArguments();
        std::vector<char*> pointers;
        for (std::string& argument : utf8) {
            pointers.push_back(argument.data());
        }
        if (!pointers.empty()) {
            return Run(static_cast<int>(pointers.size()), pointers.data());
        }
#endif
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nereku: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "nereku: unexpected failure\n");
    }
    return kExitFile;
}
