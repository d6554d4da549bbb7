// The Windows report of an exception that an operation caught (see
// OnException.h): a message box with the source, line, signature and time
// stamp, and the same text through OutputDebugStringW for a debugger. The
// program goes on once the box is closed.
#pragma once

// Shows the report at once; OnException calls it through the reporter hook.
void ReportExceptionInMessageBox(const char* file, int line, const char* signature,
                                 const char* timeStamp);

// Makes ReportExceptionInMessageBox the program's reporter (CWndCommon's
// Initialize does this).
void InstallWindowsExceptionReporter();
