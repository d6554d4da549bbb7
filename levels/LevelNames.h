// Level names: the file name of a level without its folder and ".lvl". A
// name typed by the user is made safe to use as a file name before the
// level is written, so that it can only ever name "Levels/<name>.lvl".
#pragma once

#include <cstddef>

// Makes `name` (a terminated text of at most `capacity` characters) usable
// as a Windows file name without changing its length:
// - each of < > : " / \ | ? * becomes an underscore, as do control
//   characters;
// - a dot or blank at the end becomes an underscore (Windows would drop it);
// - a device name before the first dot (CON, PRN, AUX, NUL, COM1 to COM9,
//   LPT1 to LPT9, in any case) gets an underscore for its last letter, so
//   "con" becomes "co_" and "NUL.x" becomes "NU_.x".
// Returns whether anything changed.
bool MakeLevelNameSafe(wchar_t* name, size_t capacity);

// The level name of a file name ending in ".lvl" (in any case): the name
// without that ending, into `level` of `capacity` characters. False, with an
// empty `level`, for any other file name.
bool LevelNameOfFile(const wchar_t* fileName, wchar_t* level, size_t capacity);
