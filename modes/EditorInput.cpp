// What the mouse buttons do to the board in the level editor.
#include "CNerekuEngine.h"

void CNerekuEngine::EditorWriteOrErase(int index, int digit) {
    if (index < 0 || index >= kSquareCount || digit < 1 || digit > kDigitCount) {
        return;
    }
    Square& square = squares[index];
    if (square.number != 0) {
        MakeEmptySquare(square);
    } else {
        SetSquareToDigit(square, static_cast<unsigned char>(digit));
    }
}

bool CNerekuEngine::EditorStepSign(int owner, SignDirectionIndex side) {
    if (owner < 0 || owner >= kSquareCount) {
        return false;
    }
    const SignDirection& mine = kSignDirections[side];
    if ((SignBitsInsideBlock(owner) & mine.greater) == 0) {
        return false; // a block border or the board's edge
    }
    const SignDirection& theirs = kSignDirections[(side + 2) % 4];
    EdgeMask& ownerMask = edgeMasks[owner];
    EdgeMask& neighbourMask = edgeMasks[owner + mine.offset];
    const EdgeMask pair = mine.greater | mine.smaller;
    const EdgeMask opposite = theirs.greater | theirs.smaller;
    if (ownerMask & mine.smaller) {
        ownerMask &= static_cast<EdgeMask>(~pair);
        neighbourMask &= static_cast<EdgeMask>(~opposite);
    } else if (ownerMask & mine.greater) {
        ownerMask = static_cast<EdgeMask>((ownerMask & ~pair) | mine.smaller);
        neighbourMask = static_cast<EdgeMask>((neighbourMask & ~opposite) | theirs.greater);
    } else {
        ownerMask |= mine.greater;
        neighbourMask |= theirs.smaller;
    }
    UpdateLevelHasEdges();
    return true;
}
