// Times the game's hint on the starter levels: the hint on each level as it
// is loaded, and every hint on the way through it by hints alone (each
// placement written in, each ruled-out candidate struck), with the median and
// the worst of each level and the step that took longest.
//
//   hint_bench [LEVELS_FOLDER]     (the repository's resources/levels unless given)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "CNerekuEngine.h"
#include "TranslateStrings.h"
#include "solver/Hint.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : NEREKU_STARTER_LEVELS_DIR;
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".lvl") {
            files.push_back(entry.path());
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "hint_bench: no levels in '%s'\n", folder.string().c_str());
        return 1;
    }
    std::sort(files.begin(), files.end());
    CStringResource texts;
    texts.Build(TranslateStrings, 7);
    auto board = std::make_unique<CNerekuEngine>();
    std::printf("%-32s %9s %6s %10s %10s\n", "level", "first ms", "hints", "median ms", "worst ms");
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (!board->LoadGridImage(reinterpret_cast<const unsigned char*>(bytes.data()),
                                  bytes.size())) {
            std::printf("%-32s unreadable\n", file.filename().string().c_str());
            continue;
        }
        std::vector<double> times;
        for (int step = 0; step < 1000; ++step) {
            const auto start = std::chrono::steady_clock::now();
            const Hint hint = FindHint(*board, texts);
            times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
            if (hint.kind != Hint::Step) {
                break;
            }
            Square& square = board->squares[hint.square];
            if (hint.digit != 0) {
                SetSquareToDigit(square, static_cast<unsigned char>(hint.digit));
            }
            for (int digit = 1; digit <= kDigitCount; ++digit) {
                if (hint.removed & (1u << (digit - 1))) {
                    square.possible[digit - 1] = 0;
                }
            }
        }
        const double first = times.front();
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-32s %9.2f %6zu %10.2f %10.2f\n", file.filename().string().c_str(), first,
                    times.size(), sorted[(sorted.size() - 1) / 2], sorted.back());
    }
    return 0;
}
