// The game's timings on the real executable (under Wine, or on Windows): the
// program's size and the libraries it needs, the time from the process's
// start to its window, its working set, one grid drawing with the window's
// composition, a click on the grid and an arrow key until the window is
// drawn again, a hint on the hardest starter level, the
// Solve command on hard boards and New with 20 revealed squares.
//
//   xvfb-run -s "-screen 0 1920x1080x24" cmake/wine-run.sh build/windows/wineprefix
//       build/windows/bench/game_timings.exe [LEVEL.lvl ...]
//
// Levels named on the command line are solved besides the built-in boards.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "GameSession.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

struct Summary {
    double median, worst;
};

Summary Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// The libraries the program imports, from its import table.
std::vector<std::string> ImportedLibraries(const std::wstring& program) {
    std::vector<std::string> names;
    HMODULE image = LoadLibraryExW(program.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (image == nullptr) {
        return names;
    }
    auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress != 0 && entry->Name != 0; ++entry) {
        names.push_back(reinterpret_cast<const char*>(base + entry->Name));
    }
    FreeLibrary(image);
    return names;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// From each of 30 inputs (`input(n)` gives the n-th) to the grid drawn again.
template <typename Input> Summary TimeRedraws(GameSession& game, Input input) {
    std::vector<double> times;
    for (int n = 0; n < 30; ++n) {
        const LRESULT before = game.Probe(ProbeGridDrawings);
        const auto start = Clock::now();
        input(n);
        WaitFor([&] { return game.Probe(ProbeGridDrawings) > before; });
        times.push_back(Milliseconds(start));
    }
    return Summarise(times);
}

// Solves the board in play and waits for the report: its time and text.
// The time to Solve's report, and whether the search took long enough for
// the window to show the wait cursor (the window counts each time it does).
std::pair<double, std::wstring> TimeSolve(GameSession& game) {
    const LRESULT waitCursors = game.Probe(ProbeWaitCursors);
    const auto start = Clock::now();
    game.ClickButton(BarSolve);
    const HWND report = game.WaitForDialog(nullptr, 120);
    const double ms = Milliseconds(start);
    const bool waitCursor = game.Probe(ProbeWaitCursors) > waitCursors;
    std::wstring text = report ? WindowText(report) + L": " + ReadDialog(report).texts.at(0) : L"";
    const size_t cut = text.find(L'\n');
    text = text.substr(0, cut) + (waitCursor ? L"; the wait cursor showed" : L"");
    if (report) {
        game.Answer(report, L"Ok");
    }
    return {ms, text};
}

} // namespace

int main(int argc, char** argv) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::printf("Screen %d x %d\n\n", width, height);

    GameSession game(L"timings");
    const std::wstring program = game.Folder() + L"\\NerekuSudoku.exe";
    std::printf("Program: %.0f KiB; imports:", std::filesystem::file_size(program) / 1024.0);
    for (const std::string& name : ImportedLibraries(program)) {
        std::printf(" %s", name.c_str());
    }
    std::printf("\n");

    // The boards: a level with signs and few givens, the empty grid, and any
    // levels named on the command line.
    std::string givens(81, '.');
    const char* const solution = "123456789456789123789123456231674895875912364"
                                 "694538217317265948542897631968341572";
    for (int i : {2, 12, 40, 68, 78}) {
        givens[i] = solution[i];
    }
    auto signs = Puzzle(givens.c_str());
    for (int square = 0; square < 81; square += 2) {
        for (SignDirectionIndex side : {kRight, kDown}) {
            const int other = square + kSignDirections[side].offset;
            if (signs->EditorStepSign(square, side) && solution[square] < solution[other]) {
                signs->EditorStepSign(square, side);
            }
        }
    }
    game.WriteLevel(L"a signs", *signs);
    game.WriteLevel(L"b empty", *Puzzle(std::string(81, '.').c_str()));
    const std::wstring hardest = L"24 Hard - Mountain of Signs";
    game.AddStarterLevel(hardest);
    std::vector<std::wstring> extra;
    for (int k = 1; k < argc; ++k) {
        const std::wstring name = L"c " + std::to_wstring(k);
        std::filesystem::copy_file(argv[k], game.LevelPath(name));
        extra.push_back(name);
    }

    std::vector<double> starts;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        if (!game.Start()) {
            std::printf("the game did not start\n");
            return 1;
        }
        starts.push_back(Milliseconds(start));
        if (run < 4) {
            game.Close();
        }
    }
    const Summary started = Summarise(starts);
    std::printf("Start to window shown: median %.0f ms, worst %.0f ms (5 starts)\n", started.median,
                started.worst);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(game.Process(), &memory, sizeof(memory));
    std::printf("Working set after start: %.1f MiB (peak %.1f MiB)\n",
                memory.WorkingSetSize / 1048576.0, memory.PeakWorkingSetSize / 1048576.0);

    game.ChooseLevel(L"a signs");
    const RECT client = game.ClientRect();
    std::vector<double> inside, roundTrips;
    for (int n = 0; n < 50; ++n) {
        const auto sent = Clock::now();
        SendMessageW(game.Window(), WM_EXITSIZEMOVE, 0, 0); // draws the grid
        roundTrips.push_back(Milliseconds(sent));
        inside.push_back(game.Probe(ProbeDrawGridMicroseconds) / 1000.0);
    }
    const Summary draw = Summarise(inside), trip = Summarise(roundTrips);
    std::printf("DrawGrid with composition, client %ld x %ld, squares of %d: median %.2f ms, "
                "worst %.2f ms (50 drawings; %.2f ms median with the message round trip)\n",
                client.right, client.bottom, game.SquareSize(), draw.median, draw.worst,
                trip.median);

    const Summary click =
        TimeRedraws(game, [&](int n) { game.LeftClick(game.CellPoint(0, 1 + n % 9)); });
    std::printf("Click on the grid to the window drawn again: median %.1f ms, worst %.1f ms "
                "(30 clicks, the pointer's move included)\n",
                click.median, click.worst);

    game.Key(VK_RIGHT); // shows the cursor
    const Summary key =
        TimeRedraws(game, [&](int n) { game.Key(n % 2 == 0 ? VK_RIGHT : VK_LEFT); });
    std::printf("Arrow key to the window drawn again with the cursor moved: median %.1f ms, "
                "worst %.1f ms (30 keys)\n",
                key.median, key.worst);

    game.ChooseLevel(hardest);
    const auto asked = Clock::now();
    game.Key('H');
    const HWND hint = game.WaitForDialog(L"Nereku Sudoku");
    const double hintMs = Milliseconds(asked);
    std::printf("Hint on \"%s\": %.0f ms from the key to the message (%s)\n",
                Narrow(hardest).c_str(), hintMs, hint ? "shown" : "none");
    if (hint) {
        game.Answer(hint, L"Ok");
    }

    std::vector<std::wstring> boards = {L"a signs", L"b empty"};
    boards.insert(boards.end(), extra.begin(), extra.end());
    for (const std::wstring& board : boards) {
        game.ChooseLevel(board);
        if (const HWND question = game.WaitForDialog(L"Nereku_sudoku", 1)) {
            game.Answer(question, L"No");
        }
        const auto [ms, text] = TimeSolve(game);
        std::printf("Solve \"%s\": %.0f ms to the report (%s)\n", Narrow(board).c_str(), ms,
                    Narrow(text).c_str());
    }

    std::vector<double> news;
    for (int n = 0; n < 5; ++n) {
        game.ClickButton(BarNew);
        const HWND count = game.WaitForDialog(L"Generate random level");
        game.Type(count, L"20");
        const auto start = Clock::now();
        game.Answer(count, L"Ok");
        const HWND name = game.WaitForDialog(L"Save level", 60);
        news.push_back(Milliseconds(start));
        game.Answer(name, L"Cancel");
    }
    const Summary made = Summarise(news);
    std::printf("New with 20 revealed: median %.0f ms, worst %.0f ms to the name requester "
                "(5 levels)\n",
                made.median, made.worst);
    game.Close();
    return 0;
}
