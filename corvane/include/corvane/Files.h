// Files named by wide-character paths, on every platform: Windows takes the
// path as it is; elsewhere it is encoded as UTF-8, and a path that came from
// bytes that are no valid UTF-8 (see WidenPath) gets back its original bytes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// fopen with a wide path and mode ("rb", "wb"). Null on failure.
// Windows: _wfopen; elsewhere fopen of NarrowPath(path).
FILE* OpenFile(const wchar_t* path, const wchar_t* mode);

// Writes `size` bytes to `path` so that the file is either replaced whole or
// left as it was: the bytes go to a temporary file in the same folder, every
// write and the close are checked, and only then the temporary file takes the
// place of the target. False (and the old file untouched) on any failure,
// including a missing folder or a target that is a directory; the temporary
// file ("<path>.<process>-<n>.tmp") is removed again then.
bool WriteFileAtomically(const wchar_t* path, const void* data, size_t size);

// Why the last call of OpenFile or WriteFileAtomically on this thread failed,
// in the system's words ("No space left on device", "Access is denied"), as
// UTF-8 without a final full stop or line break; empty when that call
// succeeded. Callers that only report "cannot write" can name the cause
// without every signature above growing an out-parameter.
std::string LastFileError();

// FileExists is true for anything but a directory, DirectoryExists for a
// directory only; both false for a null or empty path.
bool FileExists(const wchar_t* path);
bool DirectoryExists(const wchar_t* path);

// The names (name and extension, no folder) of the files in `folder` that
// match `pattern` ("*.lvl", or "*" for all; the extension is compared without
// regard to case, as Windows does), in the order the system lists them, and
// returns their number. Never more than `maximum` names are written, so an
// array of `maximum` entries is never overrun; further files are left out.
// Sub-folders are skipped, and so is a name too long for 260 characters.
// A missing folder, a null argument or a maximum below 1 gives 0.
constexpr int kFileNameLength = 260;
int GetFilesFromDir(const wchar_t* folder, wchar_t (*names)[kFileNameLength], int maximum,
                    const wchar_t* pattern);

// Removes a file; false when there was none or it could not be removed.
bool RemoveFile(const wchar_t* path);
// Makes a folder (its parent must exist); false when it could not be made,
// also when it exists already.
bool MakeDirectory(const wchar_t* path);

// A path given as bytes (a command line outside Windows) as a wide text:
// UTF-8 is decoded, and each byte that is not part of valid UTF-8 becomes
// U+DC80 + byte, which NarrowPath turns back into that same byte. Characters
// past U+FFFF become surrogate pairs where wchar_t has 16 bits (Windows). The
// same conversion runs on every platform. NarrowPath encodes UTF-8; a
// surrogate that is neither half of a pair nor such an escape, and a value
// past U+10FFFF, become U+FFFD. Null gives an empty text.
std::wstring WidenPath(const char* bytes);
std::string NarrowPath(const wchar_t* path);
