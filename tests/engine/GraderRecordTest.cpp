// The grader against its own record: the grades and technique counts it gave
// the starter levels and a few hundred made levels must not change when its
// code does, since nereku make picks levels by them and the starter levels
// were made that way.
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BoardText.h"
#include "solver/Steps.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         start = at + 1, at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

TEST(GraderRecord, GradesEveryRecordedLevelAsBefore) {
    std::ifstream in(NEREKU_TEST_DATA_DIR "/graded_levels.txt");
    ASSERT_TRUE(in) << "the record is missing";
    CNerekuEngine engine;
    int levels = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> fields = Split(line, '|');
        ASSERT_EQ(fields.size(), 6u) << line;
        SCOPED_TRACE(fields[0]);
        ASSERT_TRUE(LoadBoardLine(engine, fields[1]));
        Square solution[kSquareCount];
        ASSERT_EQ(fields[2].size(), static_cast<size_t>(kSquareCount));
        for (int i = 0; i < kSquareCount; ++i) {
            MakeEmptySquare(solution[i]);
            SetSquareToDigit(solution[i], static_cast<unsigned char>(fields[2][i] - '0'));
        }
        const GradeReport report = GradeLevel(engine.squares, engine.edgeMasks, solution);
        EXPECT_EQ(GradeName(report.grade), fields[3]);
        EXPECT_EQ(report.solved ? "1" : "0", fields[4]);
        std::string uses;
        for (int t = 0; t < kTechniqueCount; ++t) {
            uses += (t > 0 ? "," : "") + std::to_string(report.uses[t]);
        }
        EXPECT_EQ(uses, fields[5]);
        ++levels;
    }
    EXPECT_GE(levels, 24 + 300);
}

} // namespace
