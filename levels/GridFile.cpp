// The level file: 972 bytes with no header, the 81 sign masks first, then the
// 81 square records of 11 bytes, row-major. Levels and saved games share it.
//
// A file is decoded completely before anything is installed, so a file that
// is refused leaves the board as it was. Values that no operation could use
// safely (a number above 9, a flag other than 0 and 1) refuse the file; sign
// bits that would point out of their block are dropped.
#include <cstring>

#include "CNerekuEngine.h"
#include "corvane/Files.h"

namespace {

bool IsFlag(unsigned char value) {
    return value <= 1;
}

bool SquareIsSound(const Square& square) {
    if (!IsFlag(square.fixed) || square.number > kDigitCount) {
        return false;
    }
    for (unsigned char flag : square.possible) {
        if (!IsFlag(flag)) {
            return false;
        }
    }
    return true;
}

void Report(GridFileError* error, GridFileError value) {
    if (error != nullptr) {
        *error = value;
    }
}

} // namespace

bool CNerekuEngine::LoadGridImage(const unsigned char* bytes, size_t length, GridFileError* error) {
    if (bytes == nullptr || length < kGridFileSize) {
        Report(error, GridFileError::TooShort);
        return false;
    }
    Square loaded[kSquareCount];
    std::memcpy(loaded, bytes + kMaskImageSize, kSquareImageSize);
    for (const Square& square : loaded) {
        if (!SquareIsSound(square)) {
            Report(error, GridFileError::OutOfRange);
            return false;
        }
    }
    // Bytes past the 972nd are ignored.
    std::memcpy(squares, loaded, kSquareImageSize);
    levelHasEdges = false;
    for (int i = 0; i < kSquareCount; ++i) {
        edgeMasks[i] = bytes[i] & SignBitsInsideBlock(i);
        levelHasEdges = levelHasEdges || edgeMasks[i] != 0;
    }
    Report(error, GridFileError::None);
    return true;
}

void CNerekuEngine::StoreGridImage(unsigned char (&bytes)[kGridFileSize]) const {
    std::memcpy(bytes, edgeMasks, kMaskImageSize);
    std::memcpy(bytes + kMaskImageSize, squares, kSquareImageSize);
}

// Reads the first 972 bytes of the file. A missing file, a short file or one
// with values out of range fails and leaves the board untouched.
bool CNerekuEngine::ReadGridFile(const wchar_t* path, GridFileError* error) {
    FILE* file = path != nullptr ? OpenFile(path, L"rb") : nullptr;
    if (file == nullptr) {
        Report(error, GridFileError::CannotOpen);
        return false;
    }
    unsigned char bytes[kGridFileSize];
    const size_t got = std::fread(bytes, 1, sizeof(bytes), file);
    std::fclose(file);
    return LoadGridImage(bytes, got, error);
}

// Replaces the file as a whole or not at all: a failed write keeps the
// previous file and reports failure.
bool CNerekuEngine::WriteGridFile(const wchar_t* path) {
    if (path == nullptr) {
        return false;
    }
    unsigned char bytes[kGridFileSize];
    StoreGridImage(bytes);
    return WriteFileAtomically(path, bytes, sizeof(bytes));
}

bool CNerekuEngine::WriteLevelFile(const wchar_t* path) {
    Square kept[kSquareCount];
    std::memcpy(kept, squares, kSquareImageSize);
    for (Square& square : squares) {
        square.fixed = square.number > 0 ? 1 : 0;
    }
    if (WriteGridFile(path)) {
        return true;
    }
    std::memcpy(squares, kept, kSquareImageSize);
    return false;
}
