// The address of the game-play help. The game ships its help page beside the
// program ("nerekusudoku/nerekusudoku.html"), so that help works offline; the
// address opens it at its "Game play" section.
#pragma once

#include <string>

// The help page's folder and file, below the program's folder.
constexpr const wchar_t* kHelpPage = L"nerekusudoku/nerekusudoku.html";
constexpr const wchar_t* kHelpSection = L"Game play";

// A file:/// address for `path` (a Windows path such as "C:\Games\Nereku" or
// a network path "\\server\share\..."), followed by "#" and `fragment` when
// it is not empty. Backslashes become slashes; every character that may not
// stand in an address as it is (blanks, '#', '%', non-ASCII characters, ...)
// is written as %XX of its UTF-8 bytes.
std::wstring FileAddress(const std::wstring& path, const std::wstring& fragment);
