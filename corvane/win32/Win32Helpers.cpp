// Listing a folder's files, and rectangle arithmetic.
#include "corvane/Win32Helpers.h"

#include "corvane/StringHelpers.h"

int GetFilesFromDir(const wchar_t* folder, wchar_t (*names)[MAX_PATH], int maximum,
                    const wchar_t* pattern) {
    if (!folder || !names || !pattern || maximum < 1)
        return 0;
    wchar_t search[MAX_PATH * 2];
    if (Safe_wcsnprintf(search, MAX_PATH * 2, L"%s\\%s", folder, pattern) < 0)
        return 0;
    WIN32_FIND_DATAW found;
    HANDLE finder = FindFirstFileW(search, &found);
    if (finder == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (Safe_wcslen(found.cFileName, MAX_PATH) >= MAX_PATH)
            continue;
        Safe_wcsncpy(names[count], found.cFileName, MAX_PATH);
        ++count;
    } while (count < maximum && FindNextFileW(finder, &found));
    FindClose(finder);
    return count;
}

void InitRect(RECT* rect, int left, int top, int width, int height) {
    if (!rect)
        return;
    rect->left = left;
    rect->top = top;
    rect->right = left + width;
    rect->bottom = top + height;
}

void MoveRect(RECT* rect, int dx, int dy) {
    if (!rect)
        return;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
}
