// Random editor boards.
#include "EditorBoards.h"

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
