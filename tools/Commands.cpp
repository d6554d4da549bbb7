// The commands of the nereku tool. They drive the game's own engine: the
// search, the level file and the random grid are the ones the window uses.
#include "Commands.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "BoardText.h"
#include "CNerekuEngine.h"
#include "corvane/Files.h"
#include "corvane/Numbers.h"

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
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Complain("cannot write the output");
        return kExitFile;
    }
    return kExitOk;
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
