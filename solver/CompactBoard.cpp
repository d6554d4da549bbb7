// The rules, checks and search step on the compact board.
//
// Each rule keeps the visiting order of its member twin wherever the order can
// change the board (unique places go unit by unit, the sign rule square by
// square in row-major order, both in place), and skips what cannot have
// changed since it last looked:
// - single candidates: only squares whose candidates changed;
// - crossing off: only numbers placed since the last time, because earlier
//   numbers have been struck from their peers already and no candidate ever
//   comes back;
// - unique places: the tallies of every unit are kept as counts, updated as
//   candidates go;
// - signs: only squares whose sign neighbours changed, since a square already
//   narrowed by the same neighbours stays as it is.
// The search step also gives up on a board where a unit has a digit with no
// place left (see CompactSolver::Search).
#include "solver/CompactBoard.h"

#include <cstring>

#include "Peers.h"
#include "corvane/CDataCube.h"

namespace {

constexpr uint16_t kAllDigits = 0x1FF;

constexpr uint16_t DigitBit(int digit) {
    return static_cast<uint16_t>(1u << (digit - 1));
}

// ---- Tables over all 512 candidate sets.

struct SetTables {
    uint8_t count[512];        // how many candidates
    uint8_t lowestDigit[512];  // the smallest candidate, 0 for none
    uint16_t upToLowest[512];  // the digits up to the smallest candidate, all for none
    uint16_t fromHighest[512]; // the digits down to the largest candidate, all for none
};

SetTables MakeSetTables() {
    SetTables tables{};
    for (int set = 0; set < 512; ++set) {
        int count = 0;
        int lowest = 0;
        int highest = 0;
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            if (set & DigitBit(digit)) {
                ++count;
                highest = digit;
                if (lowest == 0) {
                    lowest = digit;
                }
            }
        }
        tables.count[set] = static_cast<uint8_t>(count);
        tables.lowestDigit[set] = static_cast<uint8_t>(lowest);
        tables.upToLowest[set] =
            lowest == 0 ? kAllDigits : static_cast<uint16_t>((1u << lowest) - 1);
        tables.fromHighest[set] =
            highest == 0 ? kAllDigits
                         : static_cast<uint16_t>(kAllDigits & ~((1u << (highest - 1)) - 1));
    }
    return tables;
}

// Filled when the program starts; too much work for some compilers' limits on
// constant evaluation.
const SetTables kSets = MakeSetTables();

// ---- Units.

struct UnitTables {
    // The 27 units in the order the unique-place rule takes them, each in
    // its scan order.
    uint8_t squares[kUnitCount][9];
    // For each square: its row, column and block.
    uint8_t units[kSquareCount][3];
};

constexpr UnitTables MakeUnitTables() {
    UnitTables tables{};
    for (int unit = 0; unit < 9; ++unit) {
        for (int k = 0; k < 9; ++k) {
            tables.squares[unit][k] = static_cast<uint8_t>(SquareIndex(unit, k));
            tables.squares[9 + unit][k] = static_cast<uint8_t>(SquareIndex(k, unit));
            tables.squares[18 + unit][k] = static_cast<uint8_t>(BlockSquare(unit, k));
        }
    }
    for (int i = 0; i < kSquareCount; ++i) {
        const int units[3] = {RowOf(i), 9 + ColumnOf(i), 18 + BlockOf(RowOf(i), ColumnOf(i))};
        for (int k = 0; k < 3; ++k) {
            tables.units[i][k] = static_cast<uint8_t>(units[k]);
        }
    }
    return tables;
}

constexpr UnitTables kUnits = MakeUnitTables();

// The digits with a count of exactly one, and with any count, in a unit's
// four count planes.
unsigned CountIsOne(const uint16_t (&planes)[4]) {
    return planes[0] & ~(planes[1] | planes[2] | planes[3]);
}
unsigned CountIsAny(const uint16_t (&planes)[4]) {
    return planes[0] | planes[1] | planes[2] | planes[3];
}

// Adds one to, or takes one from, the counts of the digits in `digits`.
void CountUp(uint16_t (&planes)[4], unsigned digits) {
    for (uint16_t& plane : planes) {
        const unsigned before = plane;
        plane = static_cast<uint16_t>(before ^ digits);
        digits &= before;
    }
}
void CountDown(uint16_t (&planes)[4], unsigned digits) {
    for (uint16_t& plane : planes) {
        const unsigned before = plane;
        plane = static_cast<uint16_t>(before ^ digits);
        digits &= ~before;
    }
}

// The candidate flags of each candidate set, as the square records hold them.
struct FlagTables {
    unsigned char flags[512][kDigitCount];
};

FlagTables MakeFlagTables() {
    FlagTables tables{};
    for (int set = 0; set < 512; ++set) {
        for (int d = 0; d < kDigitCount; ++d) {
            tables.flags[set][d] = static_cast<unsigned char>((set >> d) & 1);
        }
    }
    return tables;
}

const FlagTables kFlags = MakeFlagTables();

// ---- The index of the lowest set bit, by a de Bruijn sequence.

constexpr uint64_t kDeBruijn = 0x03f79d71b4cb0a89ull;

struct BitIndexTable {
    uint8_t index[64];
};

constexpr BitIndexTable MakeBitIndexTable() {
    BitIndexTable table{};
    for (int bit = 0; bit < 64; ++bit) {
        table.index[((uint64_t{1} << bit) * kDeBruijn) >> 58] = static_cast<uint8_t>(bit);
    }
    return table;
}

constexpr BitIndexTable kBitIndex = MakeBitIndexTable();

int LowestBitIndex(uint64_t bits) {
    return kBitIndex.index[((bits & (~bits + 1)) * kDeBruijn) >> 58];
}

} // namespace

int SquareSet::TakeFrom(int from) {
    for (int w = from >> 6; w < 2; ++w) {
        uint64_t bits = words[w];
        if (w == from >> 6) {
            bits &= ~uint64_t{0} << (from & 63);
        }
        if (bits != 0) {
            const int bit = LowestBitIndex(bits);
            words[w] &= ~(uint64_t{1} << bit);
            return 64 * w + bit;
        }
    }
    return -1;
}

// ---- Conversion.

bool FitsCompactBoard(const Square* squares) {
    for (int i = 0; i < kSquareCount; ++i) {
        const Square& square = squares[i];
        if (square.number > kDigitCount || square.fixed > 1) {
            return false;
        }
        for (unsigned char flag : square.possible) {
            if (flag > 1) {
                return false;
            }
        }
    }
    return true;
}

void LoadCompactBoard(const Square* squares, CompactBoard& board) {
    board = CompactBoard{};
    for (int i = 0; i < kSquareCount; ++i) {
        uint16_t set = 0;
        for (int d = 0; d < kDigitCount; ++d) {
            if (squares[i].possible[d] != 0) {
                set = static_cast<uint16_t>(set | (1u << d));
            }
        }
        const int number = squares[i].number;
        board.candidates[i] = set;
        board.numbers[i] = static_cast<uint8_t>(number);
        if (number == 0) {
            ++board.emptySquares;
            board.stranded = board.stranded || set == 0;
            for (uint8_t unit : kUnits.units[i]) {
                CountUp(board.openCounts[unit], set);
            }
            continue;
        }
        for (uint8_t unit : kUnits.units[i]) {
            board.repeated = board.repeated || (board.unitDigits[unit] & DigitBit(number)) != 0;
            board.unitDigits[unit] =
                static_cast<uint16_t>(board.unitDigits[unit] | DigitBit(number));
        }
    }
}

void StoreCompactBoard(const CompactBoard& board, Square* squares) {
    for (int i = 0; i < kSquareCount; ++i) {
        squares[i].number = board.numbers[i];
        std::memcpy(squares[i].possible, kFlags.flags[board.candidates[i]], kDigitCount);
    }
}

// ---- The signs, read once.

CompactSolver::CompactSolver(const EdgeMask* edgeMasks, bool levelHasEdges)
    : useSignRule(levelHasEdges), signs{} {
    // The sign rule: the bits that stay inside the square's block, the
    // greater bit of a direction before its smaller bit.
    for (int i = 0; i < kSquareCount; ++i) {
        const EdgeMask mask = edgeMasks[i] & SignBitsInsideBlock(i);
        if (mask == 0) {
            continue;
        }
        signRuleSquares.Add(i);
        SignRuleSquare& entry = signs[i];
        int greaterThan = 0;
        int smallerThan = 0;
        for (const SignDirection& direction : kSignDirections) {
            const bool greater = (mask & direction.greater) != 0;
            if (!greater && (mask & direction.smaller) == 0) {
                continue;
            }
            const int neighbour = i + direction.offset;
            entry.neighbours[entry.count] = static_cast<uint8_t>(neighbour);
            entry.greater[entry.count] = greater;
            ++entry.count;
            ++(greater ? greaterThan : smallerThan);
            // The search needs to know who reads a square only when it
            // applies the sign rule.
            if (levelHasEdges) {
                readers[neighbour].Add(i);
            }
        }
        const unsigned atLeast = kAllDigits & ~((1u << greaterThan) - 1);
        const unsigned atMost = (1u << (kDigitCount - smallerThan)) - 1;
        entry.keep = static_cast<uint16_t>(atLeast & atMost);
    }

    // The checks: in each block the middle row's squares look up and down and
    // the middle column's squares left and right, the smaller bit of a look
    // before its greater bit. Every look stays inside the block.
    auto look = [&](int index, int direction) {
        const SignDirection& dir = kSignDirections[direction];
        const int other = index + dir.offset;
        if (edgeMasks[index] & dir.smaller) {
            ordered[orderedCount++] = {static_cast<uint8_t>(index), static_cast<uint8_t>(other)};
        } else if (edgeMasks[index] & dir.greater) {
            ordered[orderedCount++] = {static_cast<uint8_t>(other), static_cast<uint8_t>(index)};
        }
    };
    for (int block = 0; block < 9; ++block) {
        for (int k = 0; k < 3; ++k) {
            const int index = SquareIndex(BlockMiddleRow(block), BlockLeftColumn(block) + k);
            look(index, kUp);
            look(index, kDown);
        }
        for (int k = 0; k < 3; ++k) {
            const int index = SquareIndex(BlockTopRow(block) + k, BlockMiddleColumn(block));
            look(index, kLeft);
            look(index, kRight);
        }
    }
}

// ---- Changes to the board, noted for the rules that have to look again.

CompactSolver::Worklist CompactSolver::WholeBoard(const CompactBoard& board) const {
    Worklist work;
    for (int i = 0; i < kSquareCount; ++i) {
        work.singles.Add(i);
        if (board.numbers[i] != 0) {
            work.placed[work.placedCount++] = static_cast<uint8_t>(i);
        }
    }
    work.signSquares = signRuleSquares;
    return work;
}

// Sets an empty square to a digit: the digit its number and its only
// candidate.
void CompactSolver::Place(CompactBoard& board, Worklist& work, int index, int digit) const {
    const uint16_t bit = DigitBit(digit);
    const unsigned before = board.candidates[index];
    board.numbers[index] = static_cast<uint8_t>(digit);
    board.candidates[index] = bit;
    --board.emptySquares;
    for (uint8_t unit : kUnits.units[index]) {
        board.repeated = board.repeated || (board.unitDigits[unit] & bit) != 0;
        board.unitDigits[unit] = static_cast<uint16_t>(board.unitDigits[unit] | bit);
        CountDown(board.openCounts[unit], before);
    }
    work.signSquares.Add(readers[index]);
    if (work.placedCount < kSquareCount) {
        work.placed[work.placedCount++] = static_cast<uint8_t>(index);
    }
}

void CompactSolver::CandidatesLost(CompactBoard& board, Worklist& work, int index,
                                   unsigned lost) const {
    work.signSquares.Add(readers[index]);
    if (board.numbers[index] != 0) {
        return;
    }
    for (uint8_t unit : kUnits.units[index]) {
        CountDown(board.openCounts[unit], lost);
    }
    const uint16_t set = board.candidates[index];
    if (set == 0) {
        board.stranded = true;
    } else if (kSets.count[set] == 1) {
        work.singles.Add(index);
    }
}

// ---- The rules.

bool CompactSolver::SetSingleNumbers(CompactBoard& board, Worklist& work) const {
    bool changed = false;
    for (int i = work.singles.TakeFrom(0); i >= 0; i = work.singles.TakeFrom(i)) {
        if (board.numbers[i] == 0 && kSets.count[board.candidates[i]] == 1) {
            Place(board, work, i, kSets.lowestDigit[board.candidates[i]]);
            changed = true;
        }
    }
    return changed;
}

// A placed digit leaves the candidates of every other square of its row,
// column and block, numbered or not.
bool CompactSolver::MarkOffNeighbours(CompactBoard& board, Worklist& work) const {
    bool changed = false;
    for (int k = 0; k < work.placedCount; ++k) {
        const int index = work.placed[k];
        const uint16_t bit = DigitBit(board.numbers[index]);
        for (uint8_t peer : kPeerTable.peers[index]) {
            if (board.candidates[peer] & bit) {
                board.candidates[peer] = static_cast<uint16_t>(board.candidates[peer] & ~bit);
                changed = true;
                CandidatesLost(board, work, peer, bit);
            }
        }
    }
    work.placedCount = 0;
    return changed;
}

// Unit by unit in the member rule's order. The counts of a unit are read
// before its placements; a digit's one square may since have been taken by a
// lower digit, and then the digit is not placed.
bool CompactSolver::SetUniqueNumbers(CompactBoard& board, Worklist& work) const {
    bool changed = false;
    for (int u = 0; u < kUnitCount; ++u) {
        unsigned unique = CountIsOne(board.openCounts[u]) & ~unsigned{board.unitDigits[u]};
        while (unique != 0) {
            const uint16_t bit = static_cast<uint16_t>(unique & (~unique + 1));
            unique &= unique - 1;
            for (uint8_t index : kUnits.squares[u]) {
                if (board.numbers[index] == 0 && (board.candidates[index] & bit) != 0) {
                    Place(board, work, index, kSets.lowestDigit[bit]);
                    changed = true;
                    break;
                }
            }
        }
    }
    return changed;
}

// In place and row-major: a square reads the already narrowed candidates of a
// neighbour visited before it, and a square visited before a neighbour
// changed waits for the next pass.
bool CompactSolver::MarkOffEdgeLimited(CompactBoard& board, Worklist& work) const {
    bool changed = false;
    for (int i = work.signSquares.TakeFrom(0); i >= 0; i = work.signSquares.TakeFrom(i + 1)) {
        if (board.numbers[i] != 0) {
            continue;
        }
        const SignRuleSquare& entry = signs[i];
        unsigned set = board.candidates[i];
        for (int k = 0; k < entry.count; ++k) {
            const uint16_t other = board.candidates[entry.neighbours[k]];
            set &= entry.greater[k] ? ~unsigned{kSets.upToLowest[other]}
                                    : ~unsigned{kSets.fromHighest[other]};
        }
        set &= entry.keep;
        const unsigned lost = board.candidates[i] & ~set;
        if (lost != 0) {
            board.candidates[i] = static_cast<uint16_t>(set);
            changed = true;
            CandidatesLost(board, work, i, lost);
        }
    }
    return changed;
}

void CompactSolver::Propagate(CompactBoard& board, Worklist& work) const {
    bool changed = true;
    while (changed) {
        changed = SetSingleNumbers(board, work);
        changed |= MarkOffNeighbours(board, work);
        changed |= SetUniqueNumbers(board, work);
        if (useSignRule) {
            changed |= MarkOffEdgeLimited(board, work);
        }
    }
}

bool CompactSolver::SetSingleNumbers(CompactBoard& board) const {
    Worklist work = WholeBoard(board);
    return SetSingleNumbers(board, work);
}

bool CompactSolver::MarkOffNeighbours(CompactBoard& board) const {
    Worklist work = WholeBoard(board);
    return MarkOffNeighbours(board, work);
}

bool CompactSolver::SetUniqueNumbers(CompactBoard& board) const {
    Worklist work = WholeBoard(board);
    return SetUniqueNumbers(board, work);
}

bool CompactSolver::MarkOffEdgeLimited(CompactBoard& board) const {
    Worklist work = WholeBoard(board);
    return MarkOffEdgeLimited(board, work);
}

void CompactSolver::Propagate(CompactBoard& board) const {
    Worklist work = WholeBoard(board);
    Propagate(board, work);
}

// ---- The checks.

// Both checks at once. A full board without repeats is correct when its signs
// hold; a partial one is possible when no sign between two filled squares is
// broken and every empty square keeps a candidate.
CompactSolver::Verdict CompactSolver::Judge(const CompactBoard& board) const {
    bool signsHold = true;
    for (int n = 0; n < orderedCount; ++n) {
        const int smaller = board.numbers[ordered[n].smaller];
        const int greater = board.numbers[ordered[n].greater];
        if (smaller != 0 && greater != 0 && smaller >= greater) {
            signsHold = false;
            break;
        }
    }
    const bool consistent = !board.repeated && signsHold;
    return {consistent && board.emptySquares == 0, consistent && !board.stranded};
}

// A digit that is neither placed in a unit nor a candidate of an empty square
// of it can never be placed there: no completion of the board exists.
bool CompactSolver::MissesADigit(const CompactBoard& board) {
    for (int u = 0; u < kUnitCount; ++u) {
        if ((CountIsAny(board.openCounts[u]) | board.unitDigits[u]) != kAllDigits) {
            return true;
        }
    }
    return false;
}

bool CompactSolver::FindLowest(const CompactBoard& board, int* index) {
    int best = 11;
    bool found = false;
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] != 0) {
            continue;
        }
        const int count = kSets.count[board.candidates[i]];
        if (count < best) {
            best = count;
            found = true;
            *index = i;
        }
    }
    return found;
}

// ---- The search.

void CompactSolver::StoreSolution(const CompactBoard& board, const unsigned char* fixed,
                                  CDataCube& solutions) {
    Square image[kSquareCount];
    for (int i = 0; i < kSquareCount; ++i) {
        image[i].fixed = fixed[i];
    }
    StoreCompactBoard(board, image);
    const int row = solutions.AddRow(-1, 0);
    if (row >= 0 && row < solutions.GetRowCount()) {
        solutions.SetValue(row, 0, image, kSquareImageSize, true);
    }
}

void CompactSolver::Search(CompactBoard& board, unsigned char depth, int maxSolutions,
                           const unsigned char* fixed, CDataCube& solutions) const {
    Worklist work = WholeBoard(board);
    if (!useSignRule) {
        work.signSquares = SquareSet{}; // the sign rule has nothing to do
    }
    SearchStep(board, work, depth, maxSolutions, fixed, solutions);
}

// Every step starts with a propagation, which leaves the worklist empty; so a
// restored board and the empty worklist belong together again.
void CompactSolver::SearchStep(CompactBoard& board, Worklist& work, unsigned char depth,
                               int maxSolutions, const unsigned char* fixed,
                               CDataCube& solutions) const {
    Propagate(board, work);
    const Verdict verdict = Judge(board);
    if (verdict.correct) {
        StoreSolution(board, fixed, solutions);
        return;
    }
    if (!verdict.possible || depth == 0 || solutions.GetRowCount() >= maxSolutions) {
        return;
    }
    // The member checks find such a dead end only after branching on, maybe
    // for a long time; no branch below stores anything, so skip them all.
    if (MissesADigit(board)) {
        return;
    }
    int chosen = 0;
    if (!FindLowest(board, &chosen)) {
        return;
    }
    const CompactBoard backup = board;
    const uint16_t digits = board.candidates[chosen];
    for (int digit = 1; digit <= kDigitCount; ++digit) {
        if ((digits & DigitBit(digit)) == 0) {
            continue;
        }
        Place(board, work, chosen, digit);
        SearchStep(board, work, static_cast<unsigned char>(depth - 1), maxSolutions, fixed,
                   solutions);
        board = backup;
    }
}
