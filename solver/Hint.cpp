// The hint: the checks of the board as it stands, then the step finder's next
// step, and the sentence for each.
#include "Hint.h"

#include <cstring>

#include "Steps.h"
#include "Units.h"
#include "corvane/StringHelpers.h"

namespace {

class Sentences {
public:
    explicit Sentences(const CStringResource& texts_) : texts(texts_) {}

    // The text of `key` with its placeholders filled in (ints and texts).
    template <typename... Args> std::wstring Format(const wchar_t* key, Args... args) const {
        wchar_t buffer[1024];
        Safe_wcsnprintf(buffer, sizeof(buffer) / sizeof(buffer[0]), texts.Get(key), args...);
        return buffer;
    }
    std::wstring Word(const wchar_t* key) const { return texts.Get(key); }

    // "1", "1 or 2", "1, 2 or 3": the items joined with commas and the last
    // one with `lastJoin` (the text of Hint_word_or or Hint_word_and).
    std::wstring List(const std::wstring* items, int count, const wchar_t* lastJoin) const {
        std::wstring text;
        for (int k = 0; k < count; ++k) {
            if (k > 0) {
                text += k == count - 1 ? L" " + Word(lastJoin) + L" " : L", ";
            }
            text += items[k];
        }
        return text;
    }
    std::wstring Digits(unsigned digits, const wchar_t* lastJoin) const {
        std::wstring items[kDigitCount];
        int count = 0;
        for (int digit = 1; digit <= kDigitCount; ++digit) {
            if (digits & DigitBit(digit)) {
                items[count++] = std::to_wstring(digit);
            }
        }
        return List(items, count, lastJoin);
    }
    // Rows or columns given as bits 0 to 8, counted from 1: "2 and 7". Bit k
    // stands for line k + 1 as it does for digit k + 1.
    std::wstring Lines(unsigned lines) const { return Digits(lines, L"Hint_word_and"); }
    std::wstring Squares(const int* squares, int count) const {
        std::wstring items[4];
        for (int k = 0; k < count; ++k) {
            items[k] = Format(L"Hint_word_square", RowOf(squares[k]) + 1, ColumnOf(squares[k]) + 1);
        }
        return List(items, count, L"Hint_word_and");
    }
    // "row", "column" or "block": the kind of unit `unit` (0 to 26).
    std::wstring UnitWord(int unit) const {
        static const wchar_t* const keys[3] = {L"Hint_word_row", L"Hint_word_column",
                                               L"Hint_word_block"};
        return Word(keys[unit / 9]);
    }

private:
    const CStringResource& texts;
};

// The sentence for a step the step finder took on `board` (as it is after
// the step: the numbers it compares with are still there).
std::wstring StepText(const Step& step, const StepBoard& board, const Sentences& say) {
    const int row = RowOf(step.square) + 1;
    const int column = ColumnOf(step.square) + 1;
    const std::wstring removed = say.Digits(step.removed, L"Hint_word_or");
    const int digit = LowestDigit(step.digits);
    switch (step.technique) {
    case kNakedSingle:
        return say.Format(L"Hint_naked_single", row, column, step.digit);
    case kHiddenSingle:
        return say.Format(L"Hint_hidden_single", row, column, step.digit, step.digit,
                          say.UnitWord(step.unit).c_str());
    case kSettledSign: {
        static const wchar_t* const greater[4] = {
            L"Hint_sign_greater_up", L"Hint_sign_greater_right", L"Hint_sign_greater_down",
            L"Hint_sign_greater_left"};
        static const wchar_t* const less[4] = {L"Hint_sign_less_up", L"Hint_sign_less_right",
                                               L"Hint_sign_less_down", L"Hint_sign_less_left"};
        int direction = 0;
        while (direction < 3 && kSignDirections[direction].offset != step.neighbour - step.square) {
            ++direction;
        }
        // The square lost the digits up to its neighbour's when it is the
        // greater one, those from it on when it is the smaller.
        const bool isGreater = (step.removed & DigitRange(1, board.numbers[step.neighbour])) != 0;
        return say.Format((isGreater ? greater : less)[direction], row, column, removed.c_str());
    }
    case kSignChain:
        return say.Format(L"Hint_sign_chain", row, column, removed.c_str(), step.low, step.high);
    case kLockedCandidates:
        if (step.unit >= 18) { // the block's places in one row or column
            const int block = step.unit - 18;
            return say.Format(L"Hint_locked_pointing", row, column, digit, BlockTopRow(block) + 1,
                              BlockTopRow(block) + 3, BlockLeftColumn(block) + 1,
                              BlockLeftColumn(block) + 3, digit, say.UnitWord(step.cross).c_str());
        }
        // A row's or column's places in one block.
        return say.Format(L"Hint_locked_claiming", row, column, digit,
                          say.UnitWord(step.unit).c_str(), step.unit % 9 + 1, digit);
    case kNakedPair:
    case kHiddenPair:
    case kNakedTriple:
    case kHiddenTriple:
    case kNakedQuad:
    case kHiddenQuad: {
        // Naked and hidden alternate from kNakedPair on.
        static const wchar_t* const keys[6] = {L"Hint_naked_pair",   L"Hint_hidden_pair",
                                               L"Hint_naked_triple", L"Hint_hidden_triple",
                                               L"Hint_naked_quad",   L"Hint_hidden_quad"};
        const int which = step.technique - kNakedPair;
        const std::wstring squares = say.Squares(step.partners, step.partnerCount);
        const std::wstring digits = say.Digits(step.digits, L"Hint_word_and");
        const std::wstring unit = say.UnitWord(step.unit);
        if (which % 2 == 0) {
            return say.Format(keys[which], row, column, removed.c_str(), squares.c_str(),
                              digits.c_str(), unit.c_str());
        }
        return say.Format(keys[which], row, column, removed.c_str(), unit.c_str(), digits.c_str(),
                          squares.c_str());
    }
    case kXWing:
    case kSwordfish: {
        const bool xWing = step.technique == kXWing;
        const wchar_t* key = step.linesAreRows
                                 ? (xWing ? L"Hint_x_wing_rows" : L"Hint_swordfish_rows")
                                 : (xWing ? L"Hint_x_wing_columns" : L"Hint_swordfish_columns");
        return say.Format(key, row, column, digit, say.Lines(step.lines).c_str(), digit,
                          say.Lines(step.crossLines).c_str(), digit);
    }
    case kTrial:
        if (step.guess) {
            return say.Format(L"Hint_guess", row, column, step.digit);
        }
        return say.Format(L"Hint_trial", row, column, LowestDigit(step.removed),
                          LowestDigit(step.removed));
    default:
        return std::wstring();
    }
}

} // namespace

namespace {

// A number that breaks a rule, as the hint names it: the player's number
// rather than a given where both take part.
bool FindBrokenRule(const CNerekuEngine& board, const Sentences& say, Hint& hint) {
    int bestSquare = -1;
    std::wstring bestText;
    auto consider = [&](int square, const std::wstring& text) {
        const bool better =
            bestSquare < 0 || (board.squares[bestSquare].fixed && !board.squares[square].fixed);
        if (better) {
            bestSquare = square;
            bestText = text;
        }
    };
    for (int u = 0; u < kUnitCount; ++u) {
        int seen[kDigitCount + 1];
        for (int& square : seen) {
            square = -1;
        }
        for (int i : kUnits.squares[u]) {
            const int number = board.squares[i].number;
            if (number < 1 || number > kDigitCount) {
                continue;
            }
            if (seen[number] >= 0) {
                const int first = seen[number];
                // The later one, unless only the first is the player's.
                const int named = board.squares[i].fixed && !board.squares[first].fixed ? first : i;
                consider(named, say.Format(L"Hint_repeated", RowOf(named) + 1, ColumnOf(named) + 1,
                                           number, say.UnitWord(u).c_str()));
            } else {
                seen[number] = i;
            }
        }
    }
    for (int i = 0; i < kSquareCount; ++i) {
        const EdgeMask mask = board.edgeMasks[i] & SignBitsInsideBlock(i);
        for (int d = kRight; d <= kDown; ++d) { // each pair once, from its upper or left square
            const SignDirection& direction = kSignDirections[d];
            if ((SignBitsInsideBlock(i) & (direction.greater | direction.smaller)) == 0) {
                continue; // the neighbour is across a block border, or off the board
            }
            const int other = i + direction.offset;
            const SignDirection& back = kSignDirections[(d + 2) % 4];
            const EdgeMask otherMask = board.edgeMasks[other] & SignBitsInsideBlock(other);
            const bool iGreater = (mask & direction.greater) || (otherMask & back.smaller);
            const bool iSmaller = (mask & direction.smaller) || (otherMask & back.greater);
            const int a = board.squares[i].number;
            const int b = board.squares[other].number;
            if (a == 0 || b == 0 || (!iGreater && !iSmaller) || (iGreater ? a > b : a < b)) {
                continue;
            }
            const int named = board.squares[other].fixed ? i : other;
            consider(named, say.Format(L"Hint_sign_broken", RowOf(i) + 1, ColumnOf(i) + 1,
                                       RowOf(other) + 1, ColumnOf(other) + 1));
        }
    }
    if (bestSquare < 0) {
        return false;
    }
    hint.kind = Hint::RuleBroken;
    hint.square = bestSquare;
    hint.text = bestText;
    return true;
}

// The one solution of the givens alone, as 81 digits; false when they have
// none or more than one. The board is put back as it was.
bool SolveGivens(CNerekuEngine& board, uint8_t (&solution)[kSquareCount]) {
    Square kept[kSquareCount];
    std::memcpy(kept, board.squares, sizeof(kept));
    for (Square& square : board.squares) {
        if (square.fixed && square.number != 0) {
            SetSquareToDigit(square, square.number);
        } else {
            MakeEmptySquare(square);
        }
    }
    const bool unique = board.SolveLevel_FindSolutions(2) == 1;
    std::memcpy(board.squares, kept, sizeof(kept));
    if (unique) {
        const auto* squares = static_cast<const Square*>(board.solutions.GetValue(0, 0));
        for (int i = 0; i < kSquareCount; ++i) {
            solution[i] = squares[i].number;
        }
    }
    return unique;
}

// Names a square at fault on a board that has no solution as it stands.
void ExplainNoSolution(CNerekuEngine& board, const Sentences& say, Hint& hint) {
    hint.kind = Hint::NoSolution;
    uint8_t solution[kSquareCount];
    if (SolveGivens(board, solution)) {
        for (int i = 0; i < kSquareCount; ++i) {
            const Square& square = board.squares[i];
            if (!square.fixed && square.number != 0 && square.number != solution[i]) {
                hint.square = i;
                hint.text = say.Format(L"Hint_no_solution_number", RowOf(i) + 1, ColumnOf(i) + 1,
                                       square.number);
                return;
            }
        }
        for (int i = 0; i < kSquareCount; ++i) {
            const Square& square = board.squares[i];
            if (square.number == 0 && !square.possible[solution[i] - 1]) {
                hint.square = i;
                hint.text = say.Format(L"Hint_no_solution_mark", solution[i], RowOf(i) + 1,
                                       ColumnOf(i) + 1);
                return;
            }
        }
    }
    hint.square = 0;
    for (int i = kSquareCount - 1; i >= 0; --i) {
        if (!board.squares[i].fixed && board.squares[i].number != 0) {
            hint.square = i;
        }
    }
    hint.text = say.Format(L"Hint_no_solution", RowOf(hint.square) + 1, ColumnOf(hint.square) + 1);
}

} // namespace

namespace {

Hint FindHintOnBoard(CNerekuEngine& board, const CStringResource& texts) {
    const Sentences say(texts);
    Hint hint;
    if (FindBrokenRule(board, say, hint)) {
        return hint;
    }
    bool full = true;
    for (const Square& square : board.squares) {
        full = full && square.number != 0;
    }
    if (full) {
        hint.kind = Hint::Solved;
        hint.text = say.Format(L"Hint_solved");
        return hint;
    }
    if (board.SolveLevel_FindSolutions(1) < 1) {
        ExplainNoSolution(board, say, hint);
        return hint;
    }
    uint8_t solution[kSquareCount];
    const auto* solved = static_cast<const Square*>(board.solutions.GetValue(0, 0));
    for (int i = 0; i < kSquareCount; ++i) {
        solution[i] = solved[i].number;
    }

    // The player's marks, less what the numbers rule out.
    const StepFinder finder(board.edgeMasks);
    StepBoard steps{};
    for (int i = 0; i < kSquareCount; ++i) {
        for (int d = 1; d <= kDigitCount; ++d) {
            if (board.squares[i].possible[d - 1]) {
                steps.candidates[i] = static_cast<uint16_t>(steps.candidates[i] | DigitBit(d));
            }
        }
    }
    for (int i = 0; i < kSquareCount; ++i) {
        if (board.squares[i].number != 0) {
            finder.Place(steps, i, board.squares[i].number);
        }
    }
    const Step step = finder.Next(steps, solution);
    if (step.technique == kTechniqueCount) {
        ExplainNoSolution(board, say, hint);
        return hint;
    }
    hint.kind = Hint::Step;
    hint.square = step.square;
    hint.technique = step.technique;
    hint.digit = step.digit;
    hint.removed = step.removed;
    hint.text = StepText(step, steps, say);
    return hint;
}

} // namespace

Hint FindHint(CNerekuEngine& board, const CStringResource& texts) {
    // The searches fill the board's solution list; the Solve command's
    // solutions stay what they were.
    const CDataCube solutions = board.solutions;
    Hint hint = FindHintOnBoard(board, texts);
    board.solutions = solutions;
    return hint;
}
