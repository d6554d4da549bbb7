// Random editor boards.
#include "EditorBoards.h"

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <memory>

#include "BoardText.h"

namespace {

const char* const kBaseGrid =
    "123456789456789123789123456231674895875912364694538217317265948542897631968341572";

template <typename T> void Shuffle(BoardRng& rng, T* items, int count) {
    for (int i = count - 1; i > 0; --i) {
        std::swap(items[i], items[Below(rng, i + 1)]);
    }
}

std::vector<std::pair<int, int>> MakeBlockPairs() {
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < kSquareCount; ++i) {
        if (ColumnOf(i) % 3 != 2) {
            pairs.push_back({i, i + 1});
        }
        if (RowOf(i) % 3 != 2) {
            pairs.push_back({i, i + 9});
        }
    }
    return pairs;
}

} // namespace

std::string RandomGrid(BoardRng& rng) {
    auto lines = [&rng]() {
        std::vector<int> order;
        int bands[3] = {0, 1, 2};
        Shuffle(rng, bands, 3);
        for (int band : bands) {
            int inner[3] = {0, 1, 2};
            Shuffle(rng, inner, 3);
            for (int line : inner) {
                order.push_back(3 * band + line);
            }
        }
        return order;
    };
    char names[9] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    Shuffle(rng, names, 9);
    const std::vector<int> rows = lines(), columns = lines();
    const bool mirrored = Below(rng, 2) == 1;
    std::string grid(kSquareCount, '0');
    for (int i = 0; i < kSquareCount; ++i) {
        const int r = rows[RowOf(i)], c = columns[ColumnOf(i)];
        grid[i] = names[kBaseGrid[mirrored ? SquareIndex(c, r) : SquareIndex(r, c)] - '1'];
    }
    return grid;
}

const std::vector<std::pair<int, int>>& BlockPairs() {
    static const std::vector<std::pair<int, int>> pairs = MakeBlockPairs();
    return pairs;
}

void SetSign(CNerekuEngine& engine, std::pair<int, int> pair, int sign) {
    const bool right = pair.second == pair.first + 1;
    EdgeMask& first = engine.edgeMasks[pair.first];
    EdgeMask& second = engine.edgeMasks[pair.second];
    first &= static_cast<EdgeMask>(right ? ~(kRightSmaller | kRightGreater)
                                         : ~(kDownSmaller | kDownGreater));
    second &=
        static_cast<EdgeMask>(right ? ~(kLeftSmaller | kLeftGreater) : ~(kUpSmaller | kUpGreater));
    if (sign > 0) {
        first |= right ? kRightSmaller : kDownSmaller;
        second |= right ? kLeftGreater : kUpGreater;
    } else if (sign < 0) {
        first |= right ? kRightGreater : kDownGreater;
        second |= right ? kLeftSmaller : kUpSmaller;
    }
    engine.UpdateLevelHasEdges();
}

int SignOf(const CNerekuEngine& engine, std::pair<int, int> pair) {
    const EdgeMask mask = engine.edgeMasks[pair.first];
    const bool right = pair.second == pair.first + 1;
    if (mask & (right ? kRightSmaller : kDownSmaller)) {
        return 1;
    }
    return (mask & (right ? kRightGreater : kDownGreater)) ? -1 : 0;
}

std::string Turned(const std::string& line, BoardRng& rng) {
    auto from = std::make_unique<CNerekuEngine>();
    LoadBoardLine(*from, line);
    const bool diagonal = rng() % 2 != 0;
    const bool reversed = rng() % 2 != 0;
    int bands[3] = {0, 1, 2};
    int stacks[3] = {0, 1, 2};
    Shuffle(rng, bands, 3);
    Shuffle(rng, stacks, 3);
    const unsigned backwards = static_cast<unsigned>(rng() % 64); // 3 bands, 3 stacks
    auto place = [&](int square) {
        int row = RowOf(square);
        int column = ColumnOf(square);
        if (diagonal) {
            std::swap(row, column);
        }
        const int inRow = (backwards >> (row / 3) & 1) != 0 ? 2 - row % 3 : row % 3;
        const int inColumn = (backwards >> (3 + column / 3) & 1) != 0 ? 2 - column % 3 : column % 3;
        return SquareIndex(3 * bands[row / 3] + inRow, 3 * stacks[column / 3] + inColumn);
    };
    auto to = std::make_unique<CNerekuEngine>();
    to->ResetGrid();
    for (int i = 0; i < kSquareCount; ++i) {
        const unsigned char number = from->squares[i].number;
        if (number != 0) {
            Square& square = to->squares[place(i)];
            square.fixed = 1;
            SetSquareToDigit(square, static_cast<unsigned char>(reversed ? 10 - number : number));
        }
    }
    for (const auto& pair : BlockPairs()) {
        const int sign = SignOf(*from, pair) * (reversed ? -1 : 1);
        const int first = place(pair.first);
        const int second = place(pair.second);
        if (sign != 0) {
            SetSign(*to, std::minmax(first, second), first < second ? sign : -sign);
        }
    }
    to->UpdateLevelHasEdges();
    return BoardLine(*to);
}

ChildSolve SolveInChild(const std::string& line, long capMs, int limit) {
    const pid_t child = fork();
    if (child == 0) {
        itimerval stop{};
        stop.it_value.tv_sec = capMs / 1000;
        stop.it_value.tv_usec = (capMs % 1000) * 1000;
        setitimer(ITIMER_PROF, &stop, nullptr); // SIGPROF ends the child
        auto engine = std::make_unique<CNerekuEngine>();
        LoadBoardLine(*engine, line);
        _exit(std::min(engine->SolveLevel_FindSolutions(limit), 255));
    }
    if (child < 0) {
        return {0, -1};
    }
    // The child's timer stops it; the clock, three times the cap, stops a
    // child that waits instead of working.
    int status = 0;
    rusage usage{};
    const auto start = std::chrono::steady_clock::now();
    while (wait4(child, &status, WNOHANG, &usage) != child) {
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(3 * capMs)) {
            kill(child, SIGKILL);
        }
        usleep(200);
    }
    if (!WIFEXITED(status)) {
        return {static_cast<double>(capMs), -1};
    }
    return {usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
                usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3,
            WEXITSTATUS(status)};
}
