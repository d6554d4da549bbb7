// The report of an exception that an operation of the program caught. The
// operation itself then returns (false where it returns a bool).
//   file       the source that caught it ("CNerekuSudoku", "TranslateStrings")
//   line       the line of the handler
//   signature  the operation's full signature text
//   timeStamp  the source file's last-modified stamp (__TIMESTAMP__)
#pragma once

void OnException(const char* file, int line, const char* signature, const char* timeStamp);

// Where reports go. The default prints one line to standard error:
//   Exception caught in FILE, line LINE, in SIGNATURE (source of TIMESTAMP)
// (a null text shows as "(unknown)"). The Windows half installs a reporter
// that shows a message box at start-up; tests install their own to see the
// reports. Passing nullptr restores the default. Returns the previous
// reporter. An exception that a reporter throws is swallowed by OnException,
// which is called from inside catch handlers. One reporter for the whole
// program, set and used without a lock (UI thread).
using ExceptionReporter = void (*)(const char* file, int line, const char* signature,
                                   const char* timeStamp);
ExceptionReporter SetExceptionReporter(ExceptionReporter reporter);

// The signature text of the enclosing function, as the compiler spells it.
#if defined(_MSC_VER)
#define CORVANE_FUNCSIG __FUNCSIG__
#else
#define CORVANE_FUNCSIG __PRETTY_FUNCTION__
#endif
