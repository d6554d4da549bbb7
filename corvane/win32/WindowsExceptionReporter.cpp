// The Windows report of a caught exception: a message box the user closes,
// and the same text for a debugger.
#include "corvane/WindowsExceptionReporter.h"

#include <windows.h>

#include <string>

#include "corvane/OnException.h"
#include "corvane/StringHelpers.h"

namespace {

// The reporter's texts come from __FILE__-like literals and compiler
// signatures: UTF-8 at most.
std::wstring Widen(const char* text) {
    if (!text)
        return L"(unknown)";
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return L"(unknown)";
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

} // namespace

void ReportExceptionInMessageBox(const char* file, int line, const char* signature,
                                 const char* timeStamp) {
    std::wstring fileText = Widen(file);
    std::wstring signatureText = Widen(signature);
    std::wstring stampText = Widen(timeStamp);
    wchar_t report[2048];
    Safe_wcsnprintf(report, 2048,
                    L"An unexpected error occurred. The program will try to continue.\n\n"
                    L"Source:\t%s\nLine:\t%i\nFunction:\t%s\nBuilt:\t%s",
                    fileText.c_str(), line, signatureText.c_str(), stampText.c_str());
    wchar_t debugLine[2048];
    Safe_wcsnprintf(debugLine, 2048, L"Exception caught in %s, line %i, in %s (source of %s)\n",
                    fileText.c_str(), line, signatureText.c_str(), stampText.c_str());
    OutputDebugStringW(debugLine);
    MessageBoxW(GetActiveWindow(), report, L"Unexpected error",
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

void InstallWindowsExceptionReporter() {
    SetExceptionReporter(ReportExceptionInMessageBox);
}
