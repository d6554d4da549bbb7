// RegistryKey: an opened registry key, closed with RegCloseKey. Not counted:
// a key is neither a GDI nor a USER object.
#pragma once

#include <windows.h>

#include "corvane/UniqueHandle.h"

struct RegistryKeyTraits {
    using Handle = HKEY;
    static void Close(HKEY key) { RegCloseKey(key); }
    static void Count(int) {}
};

using RegistryKey = UniqueHandle<RegistryKeyTraits>;

// Opens `path` under `root` for `access`; an empty owner when the key is
// missing or may not be opened so.
inline RegistryKey OpenRegistryKey(HKEY root, const wchar_t* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, access, &key) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(key);
}
