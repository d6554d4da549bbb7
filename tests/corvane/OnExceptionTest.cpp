#include "corvane/OnException.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::string lastReport;
int reports = 0;

void Remember(const char* file, int line, const char* signature, const char* timeStamp) {
    ++reports;
    lastReport = std::string(file) + "|" + std::to_string(line) + "|" + signature + "|" + timeStamp;
}

void Throw(const char*, int, const char*, const char*) {
    throw std::runtime_error("reporter failed");
}

bool ReportFromHere() {
    try {
        throw std::runtime_error("boom");
    } catch (...) {
        OnException("CNerekuSudoku", __LINE__, CORVANE_FUNCSIG, "Mon Jan  1 00:00:00 2024");
        return false;
    }
}

} // namespace

TEST(OnException, InstalledReporterReceivesTheFourValues) {
    reports = 0;
    const ExceptionReporter previous = SetExceptionReporter(Remember);
    EXPECT_FALSE(ReportFromHere());
    EXPECT_EQ(reports, 1);
    EXPECT_NE(lastReport.find("CNerekuSudoku|"), std::string::npos) << lastReport;
    EXPECT_NE(lastReport.find("ReportFromHere"), std::string::npos) << lastReport;
    EXPECT_NE(lastReport.find("|Mon Jan  1 00:00:00 2024"), std::string::npos) << lastReport;
    EXPECT_EQ(SetExceptionReporter(previous), Remember);
}

TEST(OnException, DefaultReporterWritesOneLineToStandardError) {
    SetExceptionReporter(Remember);
    EXPECT_EQ(SetExceptionReporter(nullptr), Remember);
    testing::internal::CaptureStderr();
    OnException("TranslateStrings", 123, "void __cdecl TranslateStrings(void)", "stamp");
    OnException(nullptr, 0, nullptr, nullptr);
    const std::string output = testing::internal::GetCapturedStderr();
    EXPECT_EQ(output,
              "Exception caught in TranslateStrings, line 123, in void __cdecl "
              "TranslateStrings(void) (source of stamp)\n"
              "Exception caught in (unknown), line 0, in (unknown) (source of (unknown))\n");
}

TEST(OnException, ThrowingReporterDoesNotEscape) {
    const ExceptionReporter previous = SetExceptionReporter(Throw);
    EXPECT_NO_THROW(OnException("f", 1, "s", "t"));
    SetExceptionReporter(previous);
}
