#include "LevelNames.h"

#include "corvane/StringHelpers.h"

namespace {

wchar_t Upper(wchar_t ch) {
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

// Whether the `length` characters at `text` are a device name of Windows.
bool IsDeviceName(const wchar_t* text, size_t length) {
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    static const wchar_t* const kNumbered[] = {L"COM", L"LPT"};
    auto matches = [&](const wchar_t* device, size_t deviceLength) {
        for (size_t i = 0; i < deviceLength; ++i) {
            if (Upper(text[i]) != device[i]) {
                return false;
            }
        }
        return true;
    };
    if (length == 3) {
        for (const wchar_t* device : kDevices) {
            if (matches(device, 3)) {
                return true;
            }
        }
    }
    if (length == 4 && text[3] >= L'1' && text[3] <= L'9') {
        for (const wchar_t* device : kNumbered) {
            if (matches(device, 3)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool MakeLevelNameSafe(wchar_t* name, size_t capacity) {
    if (name == nullptr || capacity == 0) {
        return false;
    }
    int replaced = 0;
    for (wchar_t ch : L"<>:\"/\\|?*") {
        if (ch != L'\0') {
            replaced += ReplaceInString(name, ch, L'_', false, -1);
        }
    }
    const size_t length = Safe_wcslen(name, capacity);
    for (size_t i = 0; i < length; ++i) {
        if (name[i] < L' ' || name[i] == 0x7F) {
            name[i] = L'_';
            ++replaced;
        }
    }
    for (size_t i = length; i > 0 && (name[i - 1] == L'.' || name[i - 1] == L' '); --i) {
        name[i - 1] = L'_';
        ++replaced;
    }
    size_t base = 0;
    while (base < length && name[base] != L'.') {
        ++base;
    }
    size_t trimmed = base; // Windows also ignores blanks before the dot
    while (trimmed > 0 && name[trimmed - 1] == L' ') {
        --trimmed;
    }
    if (IsDeviceName(name, trimmed)) {
        name[trimmed - 1] = L'_';
        ++replaced;
    }
    return replaced > 0;
}

bool LevelNameOfFile(const wchar_t* fileName, wchar_t* level, size_t capacity) {
    if (level == nullptr || capacity == 0) {
        return false;
    }
    level[0] = L'\0';
    const size_t length = Safe_wcslen(fileName);
    if (length < 4 || Safe_wcsicmp(fileName + length - 4, L".lvl") != 0) {
        return false;
    }
    if (length - 4 >= capacity) {
        return false;
    }
    for (size_t i = 0; i < length - 4; ++i) {
        level[i] = fileName[i];
    }
    level[length - 4] = L'\0';
    return true;
}
