// The grader: a person's way through a level. Every step tries the
// techniques from the easiest on and takes the first one that changes the
// board; a placed number is crossed out of its row, column and block at once,
// as anyone does while writing it in, so that bookkeeping is no technique.
//
// Each technique makes one change a step (one placement, or the
// eliminations of one pattern), so the counts say how often it was needed.
#include "Grader.h"

#include <algorithm>
#include <bitset>
#include <cctype>
#include <cstdint>
#include <vector>

#include "Units.h"

namespace {

// Calls `visit` with each choice of `n` of the numbers 0 to count - 1, in
// increasing order, until it returns true; true then.
template <typename Visit> bool AnyCombination(int count, int n, Visit visit) {
    int chosen[4] = {};
    int depth = 0;
    chosen[0] = 0;
    while (depth >= 0) {
        if (chosen[depth] > count - (n - depth)) {
            --depth; // this position has run out: move the one before it on
            if (depth >= 0) {
                ++chosen[depth];
            }
            continue;
        }
        if (depth == n - 1) {
            if (visit(chosen)) {
                return true;
            }
            ++chosen[depth];
            continue;
        }
        chosen[depth + 1] = chosen[depth] + 1;
        ++depth;
    }
    return false;
}

struct Board {
    uint16_t candidates[kSquareCount]; // a placed square keeps its digit alone
    uint8_t numbers[kSquareCount];
};

class Solver {
public:
    explicit Solver(const EdgeMask (&edgeMasks)[kSquareCount]);

    void Place(Board& board, int index, int digit) const;
    // Whether the board can no longer be completed by what it shows.
    bool Broken(const Board& board) const;
    // One step of one technique; true when it changed the board. Trial reads
    // `solution` for its last resort.
    bool Apply(int technique, Board& board, const Board& solution) const;
    // The singles and the sign techniques, as long as one changes the board
    // and it is not broken; true when it breaks.
    bool RunsIntoContradiction(Board& board) const;

private:
    static bool Remove(Board& board, int index, unsigned digits);
    bool NakedSingle(Board& board) const;
    bool HiddenSingle(Board& board) const;
    bool SettledSign(Board& board) const;
    bool SignChain(Board& board) const;
    bool LockedCandidates(Board& board) const;
    bool NakedSubset(Board& board, int n) const;
    bool HiddenSubset(Board& board, int n) const;
    bool Fish(Board& board, int n) const;
    bool Trial(Board& board, const Board& solution) const;

    struct Sign {
        int greater;
        int smaller;
    };
    std::vector<Sign> signs;
    std::vector<int> smallerNeighbours[kSquareCount];
    std::vector<int> greaterNeighbours[kSquareCount];
    // How many squares the signs put below and above each square, through
    // chains; all of them lie in its block, so they hold different digits.
    int below[kSquareCount] = {};
    int above[kSquareCount] = {};
};

Solver::Solver(const EdgeMask (&edgeMasks)[kSquareCount]) {
    // A sign is stored in both squares' masks; either half counts, once.
    bool related[kSquareCount][4] = {};
    for (int i = 0; i < kSquareCount; ++i) {
        const EdgeMask mask = edgeMasks[i] & SignBitsInsideBlock(i);
        for (int d = 0; d < 4; ++d) {
            const SignDirection& direction = kSignDirections[d];
            const int other = i + direction.offset;
            const int back = (d + 2) % 4;
            if ((mask & (direction.greater | direction.smaller)) == 0 || related[other][back]) {
                continue;
            }
            related[i][d] = true;
            const bool greater = (mask & direction.greater) != 0;
            signs.push_back({greater ? i : other, greater ? other : i});
        }
    }
    for (const Sign& sign : signs) {
        smallerNeighbours[sign.greater].push_back(sign.smaller);
        greaterNeighbours[sign.smaller].push_back(sign.greater);
    }
    for (int i = 0; i < kSquareCount; ++i) {
        std::bitset<kSquareCount> down;
        std::bitset<kSquareCount> up;
        std::vector<int> stack = {i};
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            for (int next : smallerNeighbours[at]) {
                if (!down[static_cast<size_t>(next)]) {
                    down.set(static_cast<size_t>(next));
                    stack.push_back(next);
                }
            }
        }
        stack = {i};
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            for (int next : greaterNeighbours[at]) {
                if (!up[static_cast<size_t>(next)]) {
                    up.set(static_cast<size_t>(next));
                    stack.push_back(next);
                }
            }
        }
        below[i] = static_cast<int>(down.count());
        above[i] = static_cast<int>(up.count());
    }
}

void Solver::Place(Board& board, int index, int digit) const {
    board.numbers[index] = static_cast<uint8_t>(digit);
    board.candidates[index] = static_cast<uint16_t>(DigitBit(digit));
    for (int peer : kPeerTable.peers[index]) {
        if (board.numbers[peer] == 0) {
            board.candidates[peer] =
                static_cast<uint16_t>(board.candidates[peer] & ~DigitBit(digit));
        }
    }
}

bool Solver::Remove(Board& board, int index, unsigned digits) {
    if (board.numbers[index] != 0 || (board.candidates[index] & digits) == 0) {
        return false;
    }
    board.candidates[index] = static_cast<uint16_t>(board.candidates[index] & ~digits);
    return true;
}

bool Solver::Broken(const Board& board) const {
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.candidates[i] == 0) {
            return true;
        }
    }
    for (const auto& unit : kUnits.squares) {
        unsigned placed = 0;
        unsigned open = 0;
        for (int i : unit) {
            const int number = board.numbers[i];
            if (number == 0) {
                open |= board.candidates[i];
            } else if (placed & DigitBit(number)) {
                return true;
            } else {
                placed |= DigitBit(number);
            }
        }
        if ((placed | open) != kAllDigits) {
            return true;
        }
    }
    for (const Sign& sign : signs) {
        if (board.numbers[sign.greater] != 0 && board.numbers[sign.smaller] != 0 &&
            board.numbers[sign.greater] <= board.numbers[sign.smaller]) {
            return true;
        }
    }
    return false;
}

bool Solver::NakedSingle(Board& board) const {
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] == 0 && DigitCount(board.candidates[i]) == 1) {
            Place(board, i, LowestDigit(board.candidates[i]));
            return true;
        }
    }
    return false;
}

bool Solver::HiddenSingle(Board& board) const {
    for (const auto& unit : kUnits.squares) {
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            int places = 0;
            int place = -1;
            for (int i : unit) {
                if (board.numbers[i] == digit) {
                    places = 2; // placed already
                    break;
                }
                if (board.numbers[i] == 0 && (board.candidates[i] & DigitBit(digit))) {
                    ++places;
                    place = i;
                }
            }
            if (places == 1) {
                Place(board, place, digit);
                return true;
            }
        }
    }
    return false;
}

bool Solver::SettledSign(Board& board) const {
    for (const Sign& sign : signs) {
        const int greater = board.numbers[sign.greater];
        const int smaller = board.numbers[sign.smaller];
        bool changed = false;
        if (smaller != 0) {
            changed |= Remove(board, sign.greater, DigitRange(1, smaller));
        }
        if (greater != 0) {
            changed |= Remove(board, sign.smaller, DigitRange(greater, kDigitCount));
        }
        if (changed) {
            return true;
        }
    }
    return false;
}

bool Solver::SignChain(Board& board) const {
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] != 0 || (below[i] == 0 && above[i] == 0)) {
            continue;
        }
        int low = 1 + below[i];
        int high = kDigitCount - above[i];
        for (int smaller : smallerNeighbours[i]) {
            low = std::max(low, LowestDigit(board.candidates[smaller]) + 1);
        }
        for (int greater : greaterNeighbours[i]) {
            const int bound = HighestDigit(board.candidates[greater]);
            high = std::min(high, (bound == 0 ? kDigitCount + 1 : bound) - 1);
        }
        if (Remove(board, i, kAllDigits & ~DigitRange(low, high))) {
            return true;
        }
    }
    return false;
}

bool Solver::LockedCandidates(Board& board) const {
    // A digit's places in one unit all inside another unit: the rest of the
    // other unit loses the digit.
    auto confined = [&](int unit, int other, int digit) {
        bool inside = false;
        for (int i : kUnits.squares[unit]) {
            if (board.numbers[i] == digit) {
                return false;
            }
            if (board.numbers[i] != 0 || (board.candidates[i] & DigitBit(digit)) == 0) {
                continue;
            }
            bool inOther = false;
            for (int j : kUnits.squares[other]) {
                inOther = inOther || j == i;
            }
            if (!inOther) {
                return false;
            }
            inside = true;
        }
        if (!inside) {
            return false;
        }
        bool changed = false;
        for (int j : kUnits.squares[other]) {
            bool inUnit = false;
            for (int i : kUnits.squares[unit]) {
                inUnit = inUnit || j == i;
            }
            changed |= !inUnit && Remove(board, j, DigitBit(digit));
        }
        return changed;
    };
    for (int digit = 1; digit <= kDigitCount; ++digit) {
        for (int block = 0; block < 9; ++block) {
            for (int k = 0; k < 3; ++k) {
                const int row = BlockTopRow(block) + k;
                const int column = BlockLeftColumn(block) + k;
                // Pointing: the block's places in one line; claiming: the
                // line's places in one block.
                if (confined(18 + block, row, digit) || confined(18 + block, 9 + column, digit) ||
                    confined(row, 18 + block, digit) || confined(9 + column, 18 + block, digit)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// n empty squares of a unit with n candidates between them: those digits go
// there, and leave the unit's other squares.
bool Solver::NakedSubset(Board& board, int n) const {
    for (const auto& unit : kUnits.squares) {
        int open[9];
        int count = 0;
        for (int i : unit) {
            if (board.numbers[i] == 0) {
                open[count++] = i;
            }
        }
        if (count <= n) {
            continue;
        }
        const bool found = AnyCombination(count, n, [&](const int* chosen) {
            unsigned digits = 0;
            for (int k = 0; k < n; ++k) {
                digits |= board.candidates[open[chosen[k]]];
            }
            if (DigitCount(digits) != n) {
                return false;
            }
            bool changed = false;
            for (int k = 0, next = 0; k < count; ++k) {
                if (next < n && chosen[next] == k) {
                    ++next;
                } else {
                    changed |= Remove(board, open[k], digits);
                }
            }
            return changed;
        });
        if (found) {
            return true;
        }
    }
    return false;
}

// n missing digits of a unit with only n squares between them: those squares
// hold them, and lose every other candidate.
bool Solver::HiddenSubset(Board& board, int n) const {
    for (const auto& unit : kUnits.squares) {
        int missing[9];
        int count = 0;
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            bool placed = false;
            for (int i : unit) {
                placed = placed || board.numbers[i] == digit;
            }
            if (!placed) {
                missing[count++] = digit;
            }
        }
        if (count <= n) {
            continue;
        }
        const bool found = AnyCombination(count, n, [&](const int* chosen) {
            unsigned digits = 0;
            for (int k = 0; k < n; ++k) {
                digits |= DigitBit(missing[chosen[k]]);
            }
            int places = 0;
            for (int i : unit) {
                places += board.numbers[i] == 0 && (board.candidates[i] & digits) != 0;
            }
            if (places != n) {
                return false;
            }
            bool changed = false;
            for (int i : unit) {
                if (board.numbers[i] == 0 && (board.candidates[i] & digits) != 0) {
                    changed |= Remove(board, i, kAllDigits & ~digits);
                }
            }
            return changed;
        });
        if (found) {
            return true;
        }
    }
    return false;
}

// A digit whose places in n rows lie in n columns between them (or the other
// way round): those columns lose the digit in every other row.
bool Solver::Fish(Board& board, int n) const {
    for (int digit = 1; digit <= kDigitCount; ++digit) {
        for (int base = 0; base < 2; ++base) { // rows as the base, then columns
            int lines[9];
            unsigned crossings[9]; // the crossing lines that hold a place
            int count = 0;
            for (int line = 0; line < 9; ++line) {
                unsigned places = 0;
                bool placed = false;
                for (int k = 0; k < 9; ++k) {
                    const int i = base == 0 ? SquareIndex(line, k) : SquareIndex(k, line);
                    placed = placed || board.numbers[i] == digit;
                    if (board.numbers[i] == 0 && (board.candidates[i] & DigitBit(digit))) {
                        places |= 1u << k;
                    }
                }
                if (!placed && DigitCount(places) >= 2 && DigitCount(places) <= n) {
                    lines[count] = line;
                    crossings[count++] = places;
                }
            }
            if (count < n) {
                continue;
            }
            const bool found = AnyCombination(count, n, [&](const int* chosen) {
                unsigned cover = 0;
                unsigned baseLines = 0;
                for (int k = 0; k < n; ++k) {
                    cover |= crossings[chosen[k]];
                    baseLines |= 1u << lines[chosen[k]];
                }
                if (DigitCount(cover) != n) {
                    return false;
                }
                bool changed = false;
                for (int cross = 0; cross < 9; ++cross) {
                    if ((cover & (1u << cross)) == 0) {
                        continue;
                    }
                    for (int line = 0; line < 9; ++line) {
                        if ((baseLines & (1u << line)) == 0) {
                            const int i =
                                base == 0 ? SquareIndex(line, cross) : SquareIndex(cross, line);
                            changed |= Remove(board, i, DigitBit(digit));
                        }
                    }
                }
                return changed;
            });
            if (found) {
                return true;
            }
        }
    }
    return false;
}

// Tries the candidates of the squares with two or three: one whose
// consequences, followed with the easy techniques and sign chains as a person
// would follow them in the head, break the board goes. When none does, the
// square with the fewest candidates gets its number: a guess that only the
// finished board confirms.
bool Solver::Trial(Board& board, const Board& solution) const {
    int guess = -1;
    for (int size = 2; size <= kDigitCount; ++size) {
        for (int i = 0; i < kSquareCount; ++i) {
            if (board.numbers[i] != 0 || DigitCount(board.candidates[i]) != size) {
                continue;
            }
            guess = guess < 0 ? i : guess;
            if (size > 3) {
                break;
            }
            for (int digit = 1; digit <= kDigitCount; ++digit) {
                if ((board.candidates[i] & DigitBit(digit)) == 0) {
                    continue;
                }
                Board trial = board;
                Place(trial, i, digit);
                if (RunsIntoContradiction(trial)) {
                    return Remove(board, i, DigitBit(digit));
                }
            }
        }
    }
    if (guess < 0) {
        return false;
    }
    Place(board, guess, solution.numbers[guess]);
    return true;
}

bool Solver::RunsIntoContradiction(Board& board) const {
    static const Board unused{};
    for (;;) {
        if (Broken(board)) {
            return true;
        }
        int technique = 0;
        while (technique <= kSignChain && !Apply(technique, board, unused)) {
            ++technique;
        }
        if (technique > kSignChain) {
            return false;
        }
    }
}

bool Solver::Apply(int technique, Board& board, const Board& solution) const {
    switch (technique) {
    case kNakedSingle:
        return NakedSingle(board);
    case kHiddenSingle:
        return HiddenSingle(board);
    case kSettledSign:
        return SettledSign(board);
    case kSignChain:
        return SignChain(board);
    case kLockedCandidates:
        return LockedCandidates(board);
    case kNakedPair:
        return NakedSubset(board, 2);
    case kHiddenPair:
        return HiddenSubset(board, 2);
    case kNakedTriple:
        return NakedSubset(board, 3);
    case kHiddenTriple:
        return HiddenSubset(board, 3);
    case kNakedQuad:
        return NakedSubset(board, 4);
    case kHiddenQuad:
        return HiddenSubset(board, 4);
    case kXWing:
        return Fish(board, 2);
    case kSwordfish:
        return Fish(board, 3);
    case kTrial:
        return Trial(board, solution);
    default:
        return false;
    }
}

// The board of a level: its numbers placed, every other square open.
Board LoadBoard(const Solver& solver, const Square (&squares)[kSquareCount]) {
    Board board{};
    for (uint16_t& candidates : board.candidates) {
        candidates = static_cast<uint16_t>(kAllDigits);
    }
    for (int i = 0; i < kSquareCount; ++i) {
        if (squares[i].number >= 1 && squares[i].number <= kDigitCount) {
            solver.Place(board, i, squares[i].number);
        }
    }
    return board;
}

bool Solved(const Board& board) {
    for (uint8_t number : board.numbers) {
        if (number == 0) {
            return false;
        }
    }
    return true;
}

} // namespace

const char* TechniqueName(int technique) {
    static const char* const names[kTechniqueCount] = {
        "naked single", "hidden single", "settled sign", "sign chain",    "locked candidates",
        "naked pair",   "hidden pair",   "naked triple", "hidden triple", "naked quad",
        "hidden quad",  "x-wing",        "swordfish",    "trial"};
    return technique >= 0 && technique < kTechniqueCount ? names[technique] : "?";
}

Grade TechniqueGrade(int technique) {
    if (technique <= kSettledSign) {
        return Grade::Easy;
    }
    return technique <= kHiddenPair ? Grade::Medium : Grade::Hard;
}

const char* GradeName(Grade grade) {
    switch (grade) {
    case Grade::Easy:
        return "Easy";
    case Grade::Medium:
        return "Medium";
    case Grade::Hard:
        break;
    }
    return "Hard";
}

bool ParseGrade(const std::string& text, Grade& grade) {
    for (Grade candidate : {Grade::Easy, Grade::Medium, Grade::Hard}) {
        const std::string name = GradeName(candidate);
        bool same = name.size() == text.size();
        for (size_t k = 0; same && k < name.size(); ++k) {
            same = std::tolower(static_cast<unsigned char>(text[k])) ==
                   std::tolower(static_cast<unsigned char>(name[k]));
        }
        if (same) {
            grade = candidate;
            return true;
        }
    }
    return false;
}

GradeReport GradeLevel(const Square (&squares)[kSquareCount],
                       const EdgeMask (&edgeMasks)[kSquareCount],
                       const Square (&solution)[kSquareCount]) {
    const Solver solver(edgeMasks);
    Board board = LoadBoard(solver, squares);
    Board solved{};
    for (int i = 0; i < kSquareCount; ++i) {
        solved.numbers[i] = solution[i].number;
    }
    GradeReport report;
    while (!Solved(board) && !solver.Broken(board)) {
        int technique = 0;
        while (technique < kTechniqueCount && !solver.Apply(technique, board, solved)) {
            ++technique;
        }
        if (technique == kTechniqueCount) {
            break;
        }
        ++report.uses[technique];
        if (TechniqueGrade(technique) > report.grade) {
            report.grade = TechniqueGrade(technique);
        }
    }
    report.solved = Solved(board) && !solver.Broken(board);
    for (int i = 0; i < kSquareCount && report.solved; ++i) {
        report.solved = board.numbers[i] == solved.numbers[i];
    }
    return report;
}
