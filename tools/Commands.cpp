// The commands of the nereku tool. They drive the game's own engine: the
// search, the level file and the random grid are the ones the window uses.
#include "Commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "BoardText.h"
#include "CNerekuEngine.h"
#include "LevelMaker.h"
#include "TranslateStrings.h"
#include "corvane/Files.h"
#include "corvane/Numbers.h"
#include "solver/Hint.h"
#include "solver/Steps.h"

namespace {

void Complain(const std::string& text) {
    std::fprintf(stderr, "nereku: %s\n", text.c_str());
}

// Why a level file could not be read, in words.
std::string ReadProblem(GridFileError error, const std::wstring& path) {
    if (DirectoryExists(path.c_str())) {
        return "it is a folder"; // some systems open a folder and read nothing
    }
    switch (error) {
    case GridFileError::CannotOpen:
        if (FileExists(path.c_str())) {
            const std::string reason = LastFileError();
            return reason.empty() ? "it cannot be opened" : "it cannot be opened: " + reason;
        }
        return "no such file";
    case GridFileError::TooShort:
        return "too short: fewer than 972 bytes";
    case GridFileError::OutOfRange:
        return "values out of range: a number above 9, or a flag other than 0 and 1";
    case GridFileError::None:
        break;
    }
    return "it cannot be read";
}

// Reads the level named on the command line; complains on stderr when that
// fails.
bool ReadLevel(CNerekuEngine& engine, const std::string& file) {
    const std::wstring path = WidenPath(file.c_str());
    GridFileError error = GridFileError::None;
    if (engine.ReadGridFile(path.c_str(), &error)) {
        return true;
    }
    Complain("cannot read '" + file + "': " + ReadProblem(error, path));
    return false;
}

// Writes the engine's board as the level named on the command line; complains
// on stderr, with the system's reason, when that fails.
bool WriteLevel(CNerekuEngine& engine, const std::string& file) {
    const std::wstring path = WidenPath(file.c_str());
    if (engine.WriteLevelFile(path.c_str())) {
        return true;
    }
    const std::string reason = LastFileError();
    // A folder in the way gets plain words: the systems' own ("Is a
    // directory", "Access is denied") hide what happened.
    Complain("cannot write '" + file + "': " +
             (DirectoryExists(path.c_str()) ? "it is a folder"
                                            : (reason.empty() ? "it cannot be written" : reason)));
    return false;
}

// Everything printed must reach stdout; a full disk or a closed pipe is
// reported rather than passed over.
int FinishOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Complain(std::string("cannot write the output") +
                 (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()));
        return kExitFile;
    }
    return kExitOk;
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// The signs on the board, each counted once whichever of its halves stand.
int CountSigns(const CNerekuEngine& engine) {
    int count = 0;
    for (int i = 0; i < kSquareCount; ++i) {
        for (int d : {kRight, kDown}) { // each pair once, from its upper or left square
            const SignDirection& direction = kSignDirections[d];
            const EdgeMask pair = direction.smaller | direction.greater;
            if ((SignBitsInsideBlock(i) & pair) == 0) {
                continue; // the neighbour lies in another block, or off the board
            }
            const SignDirection& back = kSignDirections[(d + 2) % 4];
            const bool here = (engine.edgeMasks[i] & pair) != 0;
            const bool mirrored =
                (engine.edgeMasks[i + direction.offset] & (back.smaller | back.greater)) != 0;
            count += here || mirrored;
        }
    }
    return count;
}

int CountNumbers(const CNerekuEngine& engine) {
    int count = 0;
    for (const Square& square : engine.squares) {
        count += square.number != 0;
    }
    return count;
}

// The lines that describe a graded level; see the tool's help.
std::string GradeLines(const GradeReport& report) {
    std::string techniques;
    for (int t = 0; t < kTechniqueCount; ++t) {
        if (report.uses[t] > 0) {
            techniques += std::string(techniques.empty() ? "" : ", ") + TechniqueName(t) + " " +
                          std::to_string(report.uses[t]);
        }
    }
    return std::string("grade: ") + GradeName(report.grade) +
           "\nsolutions: 1\ntechniques: " + techniques + "\n";
}

std::string CountLines(const CNerekuEngine& engine) {
    return "givens: " + std::to_string(CountNumbers(engine)) +
           "\nsigns: " + std::to_string(CountSigns(engine)) + "\n";
}

} // namespace

int SolveCommand(const CommandLine& line) {
    CNerekuEngine engine;
    if (!ReadLevel(engine, line.file)) {
        return kExitFile;
    }
    engine.SolveLevel_FindSolutions(line.limit);
    for (int row = 0; row < engine.solutions.GetRowCount(); ++row) {
        if (engine.solutions.GetColumnLen(row, 0) != kSquareImageSize) {
            continue; // a row the search could not fill
        }
        Square board[kSquareCount];
        std::memcpy(board, engine.solutions.GetValue(row, 0), kSquareImageSize);
        const std::string digits = BoardDigits(board) + "\n";
        std::fwrite(digits.data(), 1, digits.size(), stdout);
    }
    return FinishOutput();
}

int ShowCommand(const CommandLine& line) {
    CNerekuEngine engine;
    if (!ReadLevel(engine, line.file)) {
        return kExitFile;
    }
    const std::string text = RenderBoard(engine);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return FinishOutput();
}

int GenerateCommand(const CommandLine& line) {
    CNerekuEngine engine;
    if (line.seeded) {
        SeedRandomNumbers(line.seed);
    }
    if (!engine.GenerateRandomGrid(static_cast<unsigned char>(line.count))) {
        Complain("the random grid could not be made");
        return kExitFile;
    }
    return WriteLevel(engine, line.file) ? kExitOk : kExitFile;
}

int MakeCommand(const CommandLine& line) {
    MakeOptions options;
    options.maxGivens = line.givens >= 0 ? line.givens : kDefaultMaxGivens;
    options.maxSigns = line.signs >= 0 ? line.signs : kDefaultMaxSigns;
    options.gradeWanted = line.grade >= 0;
    options.grade = static_cast<Grade>(std::max(line.grade, 0));
    if (line.seeded) {
        options.seed = line.seed;
    } else {
        // A seed of our own, printed, so that a level worth keeping can be
        // made again.
        for (int part = 0; part < 4; ++part) {
            options.seed = (options.seed << 16) | static_cast<uint64_t>(GetRandomNumber(0, 0xFFFF));
        }
    }
    CNerekuEngine engine;
    MadeLevel made;
    if (!MakeLevel(engine, options, made)) {
        const std::string ofGrade =
            options.gradeWanted ? std::string("of grade ") + GradeName(options.grade) + " " : "";
        Complain("no level " + ofGrade + "with one solution within these bounds after " +
                 std::to_string(made.attempts) + " attempts");
        return kExitNoLevel;
    }
    if (made.timedOut > 0) {
        Complain("note: " + std::to_string(made.timedOut) +
                 " attempt(s) ran out of time and were given up; a faster machine may make "
                 "another level from this seed");
    }
    if (!WriteLevel(engine, line.file)) {
        return kExitFile;
    }
    Print(GradeLines(made.report) + CountLines(engine) + "seed: " + std::to_string(made.seed) +
          "\nattempts: " + std::to_string(made.attempts) + "\n");
    return FinishOutput();
}

int GradeCommand(const CommandLine& line) {
    CNerekuEngine engine;
    if (!ReadLevel(engine, line.file)) {
        return kExitFile;
    }
    // The level's numbers and signs are the puzzle; struck candidates are a
    // player's notes, and may be wrong.
    for (Square& square : engine.squares) {
        if (square.number == 0) {
            MakeEmptySquare(square);
        } else {
            SetSquareToDigit(square, square.number);
        }
    }
    const int found = std::min(engine.SolveLevel_FindSolutions(), CNerekuEngine::kSolutionLimit);
    if (found != 1) {
        Print("grade: none\nsolutions: " + std::to_string(found) +
              (found == CNerekuEngine::kSolutionLimit ? " or more" : "") + "\n" +
              CountLines(engine));
        return FinishOutput();
    }
    Square solution[kSquareCount];
    std::memcpy(solution, engine.solutions.GetValue(0, 0), kSquareImageSize);
    const GradeReport report = GradeLevel(engine.squares, engine.edgeMasks, solution);
    if (!report.solved) {
        Complain("'" + line.file + "': the techniques went astray; please report this level");
        return kExitNoLevel;
    }
    Print(GradeLines(report) + CountLines(engine));
    return FinishOutput();
}

int HintCommand(const CommandLine& line) {
    CNerekuEngine engine;
    if (!ReadLevel(engine, line.file)) {
        return kExitFile;
    }
    CStringResource texts;
    texts.Build(TranslateStrings, 7); // English
    const Hint hint = FindHint(engine, texts);
    const std::string square = hint.square < 0 ? "none"
                                               : std::to_string(RowOf(hint.square) + 1) + " " +
                                                     std::to_string(ColumnOf(hint.square) + 1);
    Print(NarrowPath(hint.text.c_str()) + "\nsquare: " + square + "\n");
    return FinishOutput();
}
