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

} // namespace

TEST(OnException, InstalledReporterReceivesTheFourValuesAndMayThrow) {
    const ExceptionReporter previous = SetExceptionReporter(Remember);
    reports = 0;
    OnException("CNerekuSudoku", 12, CORVANE_FUNCSIG, "Mon Jan  1 00:00:00 2024");
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(lastReport.find("CNerekuSudoku|12|"), 0u) << lastReport;
    EXPECT_NE(lastReport.find("InstalledReporterReceivesTheFourValues"), std::string::npos);
    EXPECT_NE(lastReport.find("|Mon Jan  1 00:00:00 2024"), std::string::npos) << lastReport;
    EXPECT_EQ(SetExceptionReporter([](const char*, int, const char*, const char*) {
                  throw std::runtime_error("reporter failed");
              }),
              Remember);
    EXPECT_NO_THROW(OnException("f", 1, "s", "t"));
    SetExceptionReporter(previous);
}

TEST(OnException, DefaultReporterWritesOneLineToStandardError) {
    SetExceptionReporter(Remember);
    EXPECT_EQ(SetExceptionReporter(nullptr), Remember);
    testing::internal::CaptureStderr();
    OnException("TranslateStrings", 123, "void __cdecl TranslateStrings(void)", "stamp");
    OnException(nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Exception caught in TranslateStrings, line 123, in void __cdecl "
              "TranslateStrings(void) (source of stamp)\n"
              "Exception caught in (unknown), line 0, in (unknown) (source of (unknown))\n");
}
