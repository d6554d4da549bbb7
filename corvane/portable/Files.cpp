// Files named by wide paths. Windows takes wide paths as they are; elsewhere a
// path is encoded as UTF-8, with the escapes of WidenPath turned back into the
// bytes they stand for.
#include "corvane/Files.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <unistd.h>
#endif

/* ---- UTF-8 paths. */

namespace {

// A byte that is no part of valid UTF-8 (always 0x80 or above) is carried in a
// wide text as the lone low surrogate U+DC00 + byte, which no valid UTF-8 can
// produce, so that NarrowPath can give the byte back.
constexpr uint32_t escapeBase = 0xDC00;
constexpr uint32_t replacementCharacter = 0xFFFD;

bool IsEscape(uint32_t c) {
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF;
}

bool IsSurrogate(uint32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The length of the valid UTF-8 sequence at `s` and its code point, or 0 when
// the bytes there are no valid UTF-8 (overlong forms, surrogates and values
// past U+10FFFF included). Reads no byte past a terminator.
size_t DecodeUtf8(const unsigned char* s, uint32_t& codePoint) {
    const unsigned char lead = s[0];
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) { // the terminator stops here too
            return 0;
        }
        codePoint = (codePoint << 6) | (s[i] & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || IsSurrogate(codePoint)) {
        return 0;
    }
    return length;
}

// Appends a code point to a wide text: as a surrogate pair where wchar_t has
// 16 bits (Windows) and one unit where it has 32.
void AppendWide(std::wstring& text, uint32_t codePoint) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
            text += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
            return;
        }
    }
    text += static_cast<wchar_t>(codePoint);
}

void AppendUtf8(std::string& text, uint32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// A wide character as a code point. wchar_t is signed on some platforms; going
// through the unsigned type of its width keeps every value as it is.
uint32_t CodeUnit(wchar_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        return static_cast<uint16_t>(c);
    } else {
        return static_cast<uint32_t>(c);
    }
}

// Where wchar_t has 16 bits: when `p` points at a valid surrogate pair, moves
// it to the pair's second half and gives the pair's code point in `c`.
bool TakeSurrogatePair(const wchar_t*& p, uint32_t& c) {
    if constexpr (sizeof(wchar_t) == 2) {
        const uint32_t high = CodeUnit(p[0]);
        const uint32_t low = CodeUnit(p[1]); // the terminator at worst
        if (high >= 0xD800 && high <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
            c = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
            ++p;
            return true;
        }
    }
    static_cast<void>(p);
    static_cast<void>(c);
    return false;
}

} // namespace

std::wstring WidenPath(const char* bytes) {
    std::wstring path;
    if (bytes == nullptr) {
        return path;
    }
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    while (*s != 0) {
        uint32_t codePoint = 0;
        const size_t length = DecodeUtf8(s, codePoint);
        if (length == 0) {
            path += static_cast<wchar_t>(escapeBase + *s);
            ++s;
        } else {
            AppendWide(path, codePoint);
            s += length;
        }
    }
    return path;
}

std::string NarrowPath(const wchar_t* path) {
    std::string bytes;
    if (path == nullptr) {
        return bytes;
    }
    for (const wchar_t* p = path; *p != L'\0'; ++p) {
        uint32_t c = CodeUnit(*p);
        if (TakeSurrogatePair(p, c)) {
            AppendUtf8(bytes, c);
            continue;
        }
        if (IsEscape(c)) {
            bytes += static_cast<char>(c - escapeBase);
            continue;
        }
        if (IsSurrogate(c) || c > 0x10FFFF) {
            c = replacementCharacter; // no character, and no escape of ours
        }
        AppendUtf8(bytes, c);
    }
    return bytes;
}

/* ---- What the operating system is asked. */

namespace {

// The reason for the last failure, kept per thread like errno itself.
thread_local std::string lastFileError;

// Keeps the system's message, less the full stop and line break that
// Windows ends its messages with, so that every platform reads alike.
void NoteError(std::string message) {
    while (!message.empty() && std::strchr(".\r\n ", message.back()) != nullptr) {
        message.pop_back();
    }
    lastFileError = message.empty() ? "unknown error" : message;
}

void NoteErrno(int code) {
    NoteError(std::strerror(code));
}

// errno after a call that reported failure; a C library that failed without
// saying why still gets a reason.
int FailureErrno() {
    return errno != 0 ? errno : EIO;
}

#ifdef _WIN32
using NativePath = std::wstring;

NativePath ToNativePath(const wchar_t* path) {
    return path;
}

NativePath ToNativeSuffix(const std::string& ascii) {
    return NativePath(ascii.begin(), ascii.end());
}

unsigned long ProcessId() {
    return GetCurrentProcessId();
}

int CreateNewFile(const NativePath& path) {
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

FILE* FileFromDescriptor(int descriptor) {
    return _fdopen(descriptor, "wb");
}

void CloseDescriptor(int descriptor) {
    _close(descriptor);
}

bool SyncToDisk(FILE* file) {
    return _commit(_fileno(file)) == 0;
}

void RemoveNativeFile(const NativePath& path) {
    _wremove(path.c_str());
}

void NoteWindowsError(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        NoteError("system error " + std::to_string(code));
        return;
    }
    const std::string message = NarrowPath(text);
    LocalFree(text);
    NoteError(message);
}

bool MoveIntoPlace(const NativePath& from, const NativePath& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    NoteWindowsError(GetLastError());
    return false;
}
#else
using NativePath = std::string;

NativePath ToNativePath(const wchar_t* path) {
    return NarrowPath(path);
}

NativePath ToNativeSuffix(const std::string& ascii) {
    return ascii;
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(getpid());
}

int CreateNewFile(const NativePath& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

FILE* FileFromDescriptor(int descriptor) {
    return fdopen(descriptor, "wb");
}

void CloseDescriptor(int descriptor) {
    close(descriptor);
}

bool SyncToDisk(FILE* file) {
    return fsync(fileno(file)) == 0;
}

void RemoveNativeFile(const NativePath& path) {
    std::remove(path.c_str());
}

bool MoveIntoPlace(const NativePath& from, const NativePath& to) {
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        return true;
    }
    NoteErrno(FailureErrno());
    return false;
}
#endif

// Creates a new temporary file beside `target`, named after it, the process
// and a counter ("Easy.lvl.4711-1.tmp"). An existing file of that name (left
// by a crashed run) is never reused: the next number is tried.
FILE* CreateTemporaryFile(const NativePath& target, NativePath& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ToNativeSuffix("." + std::to_string(ProcessId()) + "-" +
                                            std::to_string(++counter) + ".tmp");
        const int descriptor = CreateNewFile(temporary);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            NoteErrno(FailureErrno());
            return nullptr;
        }
        FILE* file = FileFromDescriptor(descriptor);
        if (file == nullptr) {
            NoteErrno(FailureErrno());
            CloseDescriptor(descriptor);
            RemoveNativeFile(temporary);
        }
        return file;
    }
    NoteErrno(EEXIST);
    return nullptr;
}

} // namespace

FILE* OpenFile(const wchar_t* path, const wchar_t* mode) {
    lastFileError.clear();
    if (path == nullptr || mode == nullptr) {
        NoteErrno(EINVAL);
        return nullptr;
    }
    errno = 0;
#ifdef _WIN32
    FILE* file = _wfopen(path, mode);
#else
    FILE* file = std::fopen(NarrowPath(path).c_str(), NarrowPath(mode).c_str());
#endif
    if (file == nullptr) {
        NoteErrno(FailureErrno());
    }
    return file;
}

bool WriteFileAtomically(const wchar_t* path, const void* data, size_t size) {
    lastFileError.clear();
    if (path == nullptr || *path == L'\0' || (data == nullptr && size != 0)) {
        NoteErrno(EINVAL);
        return false;
    }
    const NativePath target = ToNativePath(path);
    NativePath temporary;
    errno = 0;
    FILE* file = CreateTemporaryFile(target, temporary);
    if (file == nullptr) {
        return false;
    }
    // Written, flushed and on the disk before it may take the old file's place;
    // the close is checked too, since a full disk may only show there. The
    // first failure is the one worth reporting.
    int failure = 0;
    if (size != 0 && std::fwrite(data, 1, size, file) != size) {
        failure = FailureErrno();
    } else if (std::fflush(file) != 0 || !SyncToDisk(file)) {
        failure = FailureErrno();
    }
    if (std::fclose(file) != 0 && failure == 0) {
        failure = FailureErrno();
    }
    if (failure == 0 && MoveIntoPlace(temporary, target)) {
        return true;
    }
    if (failure != 0) {
        NoteErrno(failure);
    }
    RemoveNativeFile(temporary);
    return false;
}

namespace {

// 1 for a directory, 0 for anything else that exists, -1 for nothing there.
int PathKind(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') {
        return -1;
    }
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return -1;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 1 : 0;
#else
    struct stat info;
    if (stat(NarrowPath(path).c_str(), &info) != 0) {
        return -1;
    }
    return S_ISDIR(info.st_mode) ? 1 : 0;
#endif
}

} // namespace

bool FileExists(const wchar_t* path) {
    return PathKind(path) == 0;
}

bool DirectoryExists(const wchar_t* path) {
    return PathKind(path) == 1;
}

std::string LastFileError() {
    return lastFileError;
}

/* ---- Folders. */

#ifndef _WIN32
namespace {

// Whether `name` matches `pattern`: "*" matches everything, "*.ext" every
// name that ends in ".ext", ignoring the case of ASCII letters. (Windows
// matches for itself.)
bool MatchesPattern(const wchar_t* name, const wchar_t* pattern) {
    if (pattern[0] != L'*') {
        return false;
    }
    const size_t nameLength = std::wcslen(name);
    const size_t suffixLength = std::wcslen(pattern + 1);
    if (suffixLength > nameLength) {
        return false;
    }
    const wchar_t* suffix = name + nameLength - suffixLength;
    for (size_t i = 0; i < suffixLength; ++i) {
        if (std::towlower(suffix[i]) != std::towlower(pattern[1 + i])) {
            return false;
        }
    }
    return true;
}

} // namespace
#endif

int GetFilesFromDir(const wchar_t* folder, wchar_t (*names)[kFileNameLength], int maximum,
                    const wchar_t* pattern) {
    if (folder == nullptr || names == nullptr || pattern == nullptr || maximum < 1) {
        return 0;
    }
    int count = 0;
#ifdef _WIN32
    const std::wstring search = std::wstring(folder) + L"\\" + pattern;
    WIN32_FIND_DATAW found;
    HANDLE finder = FindFirstFileW(search.c_str(), &found);
    if (finder == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            std::wcslen(found.cFileName) >= kFileNameLength) {
            continue;
        }
        std::wcscpy(names[count++], found.cFileName);
    } while (count < maximum && FindNextFileW(finder, &found));
    FindClose(finder);
#else
    const std::string path = NarrowPath(folder);
    DIR* directory = opendir(path.c_str());
    if (directory == nullptr) {
        return 0;
    }
    while (count < maximum) {
        const dirent* entry = readdir(directory);
        if (entry == nullptr) {
            break;
        }
        const std::wstring name = WidenPath(entry->d_name);
        if (name.size() >= kFileNameLength || !MatchesPattern(name.c_str(), pattern)) {
            continue;
        }
        struct stat info;
        if (stat((path + "/" + entry->d_name).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
            continue;
        }
        std::wcscpy(names[count++], name.c_str());
    }
    closedir(directory);
#endif
    return count;
}

bool RemoveFile(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') {
        return false;
    }
#ifdef _WIN32
    return DeleteFileW(path) != 0;
#else
    return unlink(NarrowPath(path).c_str()) == 0;
#endif
}

bool MakeDirectory(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') {
        return false;
    }
#ifdef _WIN32
    return CreateDirectoryW(path, nullptr) != 0;
#else
    return mkdir(NarrowPath(path).c_str(), 0777) == 0;
#endif
}
