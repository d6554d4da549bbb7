// The step finder: every step tries the techniques from the easiest on and
// takes the first one that changes the board. Each technique makes one
// change a step (one placement, or the eliminations of one pattern), so the
// grader's counts say how often it was needed, and a hint names one thing.
#include "Steps.h"

#include <algorithm>
#include <bitset>
#include <cctype>

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

// Takes `digits` from the candidates of the empty square `index`; true when
// it had any of them. The first square a step changes is the one it names.
bool Remove(StepBoard& board, int index, unsigned digits, Step& step) {
    const unsigned lost = board.candidates[index] & digits;
    if (board.numbers[index] != 0 || lost == 0) {
        return false;
    }
    board.candidates[index] = static_cast<uint16_t>(board.candidates[index] & ~digits);
    if (step.square < 0) {
        step.square = index;
        step.removed = static_cast<uint16_t>(lost);
    }
    return true;
}

bool Solved(const StepBoard& board) {
    for (uint8_t number : board.numbers) {
        if (number == 0) {
            return false;
        }
    }
    return true;
}

} // namespace

StepFinder::StepFinder(const EdgeMask (&edgeMasks)[kSquareCount]) {
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
            signs[signCount++] = {greater ? i : other, greater ? other : i};
        }
    }
    for (int k = 0; k < signCount; ++k) {
        const Sign& sign = signs[k];
        smallerNeighbours[sign.greater][smallerCount[sign.greater]++] = sign.smaller;
        greaterNeighbours[sign.smaller][greaterCount[sign.smaller]++] = sign.greater;
    }
    for (int i = 0; i < kSquareCount; ++i) {
        if (smallerCount[i] == 0 && greaterCount[i] == 0) {
            continue; // no sign: nothing above or below
        }
        for (bool down : {true, false}) {
            std::bitset<kSquareCount> reached;
            int count = 0;
            int stack[kSquareCount];
            int depth = 0;
            stack[depth++] = i;
            while (depth > 0) {
                const int at = stack[--depth];
                const int neighbours = down ? smallerCount[at] : greaterCount[at];
                for (int k = 0; k < neighbours; ++k) {
                    const int next = down ? smallerNeighbours[at][k] : greaterNeighbours[at][k];
                    if (!reached[static_cast<size_t>(next)]) {
                        reached.set(static_cast<size_t>(next));
                        ++count;
                        stack[depth++] = next;
                    }
                }
            }
            (down ? below : above)[i] = count;
        }
    }
}

StepBoard StepFinder::LoadLevel(const Square (&squares)[kSquareCount]) const {
    // As if each number were placed in turn: a number keeps its digit alone,
    // an empty square loses every digit placed in its row, column or block.
    StepBoard board{};
    unsigned used[kUnitCount] = {};
    for (int i = 0; i < kSquareCount; ++i) {
        if (squares[i].number >= 1 && squares[i].number <= kDigitCount) {
            board.numbers[i] = squares[i].number;
            for (int unit : kUnits.units[i]) {
                used[unit] |= DigitBit(squares[i].number);
            }
        }
    }
    for (int i = 0; i < kSquareCount; ++i) {
        const auto& units = kUnits.units[i];
        board.candidates[i] =
            board.numbers[i] != 0
                ? DigitBit(board.numbers[i])
                : static_cast<uint16_t>(kAllDigits &
                                        ~(used[units[0]] | used[units[1]] | used[units[2]]));
    }
    return board;
}

void StepFinder::Place(StepBoard& board, int index, int digit) const {
    board.numbers[index] = static_cast<uint8_t>(digit);
    board.candidates[index] = DigitBit(digit);
    for (int peer : kPeerTable.peers[index]) {
        if (board.numbers[peer] == 0) {
            board.candidates[peer] =
                static_cast<uint16_t>(board.candidates[peer] & ~DigitBit(digit));
        }
    }
}

bool StepFinder::Broken(const StepBoard& board) const {
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
    for (int k = 0; k < signCount; ++k) {
        const Sign& sign = signs[k];
        if (board.numbers[sign.greater] != 0 && board.numbers[sign.smaller] != 0 &&
            board.numbers[sign.greater] <= board.numbers[sign.smaller]) {
            return true;
        }
    }
    return false;
}

Step StepFinder::Next(StepBoard& board, const uint8_t* solution, int hardest) const {
    for (int technique = 0; technique <= hardest && technique < kTechniqueCount; ++technique) {
        Step step;
        if (Apply(technique, board, solution, step)) {
            step.technique = technique;
            return step;
        }
    }
    return Step();
}

bool StepFinder::NakedSingle(StepBoard& board, Step& step) const {
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] == 0 && DigitCount(board.candidates[i]) == 1) {
            step.square = i;
            step.digit = LowestDigit(board.candidates[i]);
            Place(board, i, step.digit);
            return true;
        }
    }
    return false;
}

bool StepFinder::HiddenSingle(StepBoard& board, Step& step) const {
    for (int u = 0; u < kUnitCount; ++u) {
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            int places = 0;
            int place = -1;
            for (int i : kUnits.squares[u]) {
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
                step.square = place;
                step.digit = digit;
                step.unit = u;
                Place(board, place, digit);
                return true;
            }
        }
    }
    return false;
}

bool StepFinder::SettledSign(StepBoard& board, Step& step) const {
    for (int k = 0; k < signCount; ++k) {
        const Sign& sign = signs[k];
        const int greater = board.numbers[sign.greater];
        const int smaller = board.numbers[sign.smaller];
        bool changed = false;
        if (smaller != 0 && Remove(board, sign.greater, DigitRange(1, smaller), step)) {
            changed = true;
            step.neighbour = sign.smaller;
        }
        if (greater != 0 && Remove(board, sign.smaller, DigitRange(greater, kDigitCount), step)) {
            step.neighbour = changed ? step.neighbour : sign.greater;
            changed = true;
        }
        if (changed) {
            return true;
        }
    }
    return false;
}

bool StepFinder::SignChain(StepBoard& board, Step& step) const {
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] != 0 || (below[i] == 0 && above[i] == 0)) {
            continue;
        }
        int low = 1 + below[i];
        int high = kDigitCount - above[i];
        for (int k = 0; k < smallerCount[i]; ++k) {
            low = std::max(low, LowestDigit(board.candidates[smallerNeighbours[i][k]]) + 1);
        }
        for (int k = 0; k < greaterCount[i]; ++k) {
            const int bound = HighestDigit(board.candidates[greaterNeighbours[i][k]]);
            high = std::min(high, (bound == 0 ? kDigitCount + 1 : bound) - 1);
        }
        if (Remove(board, i, kAllDigits & ~DigitRange(low, high), step)) {
            step.low = low;
            step.high = high;
            return true;
        }
    }
    return false;
}

bool StepFinder::LockedCandidates(StepBoard& board, Step& step) const {
    // A digit's places in one unit all inside another unit: the rest of the
    // other unit loses the digit.
    auto confined = [&](int unit, int other, int digit) {
        const uint32_t otherBit = uint32_t{1} << other;
        bool inside = false;
        for (int i : kUnits.squares[unit]) {
            if (board.numbers[i] == digit) {
                return false;
            }
            if (board.numbers[i] != 0 || (board.candidates[i] & DigitBit(digit)) == 0) {
                continue;
            }
            if ((kUnits.unitSet[i] & otherBit) == 0) {
                return false;
            }
            inside = true;
        }
        if (!inside) {
            return false;
        }
        const uint32_t unitBit = uint32_t{1} << unit;
        bool changed = false;
        for (int j : kUnits.squares[other]) {
            changed |=
                (kUnits.unitSet[j] & unitBit) == 0 && Remove(board, j, DigitBit(digit), step);
        }
        if (changed) {
            step.unit = unit;
            step.cross = other;
            step.digits = DigitBit(digit);
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
bool StepFinder::NakedSubset(StepBoard& board, int n, Step& step) const {
    for (int u = 0; u < kUnitCount; ++u) {
        int open[9];
        int count = 0;
        for (int i : kUnits.squares[u]) {
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
                    changed |= Remove(board, open[k], digits, step);
                }
            }
            if (changed) {
                step.unit = u;
                step.digits = static_cast<uint16_t>(digits);
                step.partnerCount = n;
                for (int k = 0; k < n; ++k) {
                    step.partners[k] = open[chosen[k]];
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
bool StepFinder::HiddenSubset(StepBoard& board, int n, Step& step) const {
    for (int u = 0; u < kUnitCount; ++u) {
        const auto& unit = kUnits.squares[u];
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
            int partnerCount = 0;
            int partners[4];
            for (int i : unit) {
                if (board.numbers[i] == 0 && (board.candidates[i] & digits) != 0) {
                    partners[partnerCount++] = i;
                    changed |= Remove(board, i, kAllDigits & ~digits, step);
                }
            }
            if (changed) {
                step.unit = u;
                step.digits = static_cast<uint16_t>(digits);
                step.partnerCount = n;
                std::copy(partners, partners + n, step.partners);
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
bool StepFinder::Fish(StepBoard& board, int n, Step& step) const {
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
                            changed |= Remove(board, i, DigitBit(digit), step);
                        }
                    }
                }
                if (changed) {
                    step.digits = DigitBit(digit);
                    step.linesAreRows = base == 0;
                    step.lines = static_cast<uint16_t>(baseLines);
                    step.crossLines = static_cast<uint16_t>(cover);
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
bool StepFinder::Trial(StepBoard& board, const uint8_t* solution, Step& step) const {
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
                StepBoard trial = board;
                Place(trial, i, digit);
                if (RunsIntoContradiction(trial)) {
                    return Remove(board, i, DigitBit(digit), step);
                }
            }
        }
    }
    if (guess < 0 || solution == nullptr) {
        return false;
    }
    step.square = guess;
    step.digit = solution[guess];
    step.guess = true;
    Place(board, guess, solution[guess]);
    return true;
}

bool StepFinder::RunsIntoContradiction(StepBoard& board) const {
    for (;;) {
        if (Broken(board)) {
            return true;
        }
        Step step;
        int technique = 0;
        while (technique <= kSignChain && !Apply(technique, board, nullptr, step)) {
            ++technique;
        }
        if (technique > kSignChain) {
            return false;
        }
    }
}

bool StepFinder::Apply(int technique, StepBoard& board, const uint8_t* solution, Step& step) const {
    switch (technique) {
    case kNakedSingle:
        return NakedSingle(board, step);
    case kHiddenSingle:
        return HiddenSingle(board, step);
    case kSettledSign:
        return SettledSign(board, step);
    case kSignChain:
        return SignChain(board, step);
    case kLockedCandidates:
        return LockedCandidates(board, step);
    case kNakedPair:
        return NakedSubset(board, 2, step);
    case kHiddenPair:
        return HiddenSubset(board, 2, step);
    case kNakedTriple:
        return NakedSubset(board, 3, step);
    case kHiddenTriple:
        return HiddenSubset(board, 3, step);
    case kNakedQuad:
        return NakedSubset(board, 4, step);
    case kHiddenQuad:
        return HiddenSubset(board, 4, step);
    case kXWing:
        return Fish(board, 2, step);
    case kSwordfish:
        return Fish(board, 3, step);
    case kTrial:
        return Trial(board, solution, step);
    default:
        return false;
    }
}

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
    const StepFinder finder(edgeMasks);
    StepBoard board = finder.LoadLevel(squares);
    uint8_t digits[kSquareCount];
    for (int i = 0; i < kSquareCount; ++i) {
        digits[i] = solution[i].number;
    }
    GradeReport report;
    while (!Solved(board) && !finder.Broken(board)) {
        const Step step = finder.Next(board, digits);
        if (step.technique == kTechniqueCount) {
            break;
        }
        ++report.uses[step.technique];
        report.grade = std::max(report.grade, TechniqueGrade(step.technique));
    }
    report.solved = Solved(board) && !finder.Broken(board);
    for (int i = 0; i < kSquareCount && report.solved; ++i) {
        report.solved = board.numbers[i] == digits[i];
    }
    return report;
}

bool StepFinder::SolvedBySinglesAndSigns(StepBoard& board) const {
    // The squares down to one candidate, waiting to be written in.
    int waiting[kSquareCount];
    int head = 0;
    int tail = 0;
    int open = 0;
    // Takes `digits` from empty square `index`; false when it runs out.
    // `changed` tells whether it lost any.
    bool changed = false;
    auto remove = [&](int index, unsigned digits) {
        const unsigned before = board.candidates[index];
        if (board.numbers[index] != 0 || (before & digits) == 0) {
            return true;
        }
        changed = true;
        board.candidates[index] = static_cast<uint16_t>(before & ~digits);
        const int left = DigitCount(board.candidates[index]);
        if (left == 1) {
            waiting[tail++] = index;
        }
        return left > 0;
    };
    auto place = [&](int index, int digit) {
        board.numbers[index] = static_cast<uint8_t>(digit);
        board.candidates[index] = DigitBit(digit);
        --open;
        for (int peer : kPeerTable.peers[index]) {
            if (!remove(peer, DigitBit(digit))) {
                return false;
            }
        }
        return true;
    };
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.numbers[i] == 0) {
            ++open;
            const int count = DigitCount(board.candidates[i]);
            if (count == 0) {
                return false;
            }
            if (count == 1) {
                waiting[tail++] = i;
            }
        }
    }
    do {
        while (head < tail) {
            const int i = waiting[head++];
            if (board.numbers[i] == 0 && !place(i, LowestDigit(board.candidates[i]))) {
                return false;
            }
        }
        changed = false;
        for (const auto& unit : kUnits.squares) {
            unsigned once = 0;
            unsigned twice = 0;
            unsigned placed = 0;
            for (int i : unit) {
                if (board.numbers[i] != 0) {
                    placed |= DigitBit(board.numbers[i]);
                } else {
                    twice |= once & board.candidates[i];
                    once |= board.candidates[i];
                }
            }
            if ((once | placed) != kAllDigits) {
                return false; // a digit without a place
            }
            const unsigned single = once & ~twice & ~placed;
            for (int k = 0; k < 9 && single != 0; ++k) {
                const int i = unit[k];
                const unsigned digits = board.numbers[i] == 0 ? board.candidates[i] & single : 0;
                // Two digits with this one place break the board; the look
                // at the end finds the other without one.
                if (digits != 0 && !place(i, LowestDigit(digits))) {
                    return false;
                }
                changed = changed || digits != 0;
            }
        }
        for (int k = 0; k < signCount; ++k) {
            const Sign& sign = signs[k];
            const int greater = board.numbers[sign.greater];
            const int smaller = board.numbers[sign.smaller];
            if ((smaller != 0 && !remove(sign.greater, DigitRange(1, smaller))) ||
                (greater != 0 && !remove(sign.smaller, DigitRange(greater, kDigitCount)))) {
                return false;
            }
        }
    } while (changed || head < tail);
    return open == 0 && !Broken(board);
}

bool SolvedByTechniques(const Square (&squares)[kSquareCount],
                        const EdgeMask (&edgeMasks)[kSquareCount], int hardest) {
    const StepFinder finder(edgeMasks);
    StepBoard board = finder.LoadLevel(squares);
    if (hardest <= kSettledSign) {
        return finder.SolvedBySinglesAndSigns(board);
    }
    // A broken board stays broken: squares and units only lose candidates,
    // and numbers only come. So one look at the end does, and the steps need
    // not stop for it (each one changes the board, so they come to an end).
    while (!Solved(board)) {
        if (finder.Next(board, nullptr, std::min(hardest, kTrial - 1)).technique ==
            kTechniqueCount) {
            return false;
        }
    }
    return !finder.Broken(board);
}
