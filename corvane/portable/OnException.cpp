// The report of a caught exception. Reports go to a replaceable reporter: the
// default writes one line to standard error; the Windows half installs one
// that shows a message box, and tests install their own.
#include "corvane/OnException.h"

#include <cstdio>

namespace {

const char* OrUnknown(const char* text) {
    return text != nullptr ? text : "(unknown)";
}

void ReportToStandardError(const char* file, int line, const char* signature,
                           const char* timeStamp) {
    std::fprintf(stderr, "Exception caught in %s, line %d, in %s (source of %s)\n", OrUnknown(file),
                 line, OrUnknown(signature), OrUnknown(timeStamp));
    std::fflush(stderr);
}

// One program-wide reporter; set at start-up, used on the UI thread.
ExceptionReporter currentReporter = ReportToStandardError;

} // namespace

void OnException(const char* file, int line, const char* signature, const char* timeStamp) {
    // Called from inside a catch handler: a reporter that throws must not undo
    // the handling, so its exception stops here.
    try {
        currentReporter(file, line, signature, timeStamp);
    } catch (...) {
    }
}

ExceptionReporter SetExceptionReporter(ExceptionReporter reporter) {
    const ExceptionReporter previous = currentReporter;
    currentReporter = reporter != nullptr ? reporter : ReportToStandardError;
    return previous;
}
