// The paths of levels and saved games: "<data folder>/Levels/<name>.lvl" and
// "<data folder>/Saves/<name>.lvl", with the platform's separator.
#pragma once

#include <cstddef>

constexpr size_t kPathLength = 260;     // a path buffer, terminator included
constexpr size_t kLevelNameLength = 64; // a level name, terminator included

#ifdef _WIN32
#define NEREKU_PATH_SEPARATOR L"\\"
#else
#define NEREKU_PATH_SEPARATOR L"/"
#endif

// Forms "<dataDirectory>/<folder>/<levelName>.lvl" in `path`. A path that does
// not fit is refused, never cut into the name of another file: the result is
// then false and `path` the empty text, so that opening it fails.
bool MakeLevelPath(wchar_t (&path)[kPathLength], const wchar_t* dataDirectory,
                   const wchar_t* folder, const wchar_t* levelName);

// Forms "<dataDirectory>/<folder>"; false and empty when it does not fit.
bool MakeFolderPath(wchar_t (&path)[kPathLength], const wchar_t* dataDirectory,
                    const wchar_t* folder);
