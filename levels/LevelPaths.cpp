// Paths of levels and saved games, refused rather than cut when too long.
#include "LevelPaths.h"

#include "corvane/StringHelpers.h"

namespace {

bool Refuse(wchar_t (&path)[kPathLength]) {
    path[0] = L'\0';
    return false;
}

} // namespace

bool MakeLevelPath(wchar_t (&path)[kPathLength], const wchar_t* dataDirectory,
                   const wchar_t* folder, const wchar_t* levelName) {
    if (dataDirectory == nullptr || folder == nullptr || levelName == nullptr) {
        return Refuse(path);
    }
    const int length = Safe_wcsnprintf(
        path, kPathLength, L"%s" NEREKU_PATH_SEPARATOR L"%s" NEREKU_PATH_SEPARATOR L"%s.lvl",
        dataDirectory, folder, levelName);
    return length >= 0 || Refuse(path);
}

bool MakeFolderPath(wchar_t (&path)[kPathLength], const wchar_t* dataDirectory,
                    const wchar_t* folder) {
    if (dataDirectory == nullptr || folder == nullptr) {
        return Refuse(path);
    }
    const int length = Safe_wcsnprintf(path, kPathLength, L"%s" NEREKU_PATH_SEPARATOR L"%s",
                                       dataDirectory, folder);
    return length >= 0 || Refuse(path);
}
