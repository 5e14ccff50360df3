// The statistics and the table of the self-timing benchmarks.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TimingTable.h"

namespace {

struct SummaryCase {
    std::vector<double> samples;
    double median, mean, p90, maximum;
};

TEST(TimingTableTest, SummariesAreOrderFreeAndTakeTheMiddleOfAnEvenCount) {
    const SummaryCase cases[] = {
        {{5}, 5, 5, 5, 5},
        {{3, 1, 2}, 2, 2, 3, 3},
        {{4, 1, 3, 2}, 2.5, 2.5, 4, 4},
        // Nearest rank: the 9th of 10 and the 18th of 20, however the samples arrived.
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 5.5, 5.5, 9, 10},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 100, 200}, 10.5, 23.55, 18, 200},
    };
    for (const SummaryCase& c : cases) {
        const TimingSummary s = Summarize(c.samples);
        EXPECT_EQ(s.count, c.samples.size());
        EXPECT_DOUBLE_EQ(s.median, c.median) << c.samples.size();
        EXPECT_DOUBLE_EQ(s.mean, c.mean) << c.samples.size();
        EXPECT_DOUBLE_EQ(s.p90, c.p90) << c.samples.size();
        EXPECT_DOUBLE_EQ(s.maximum, c.maximum) << c.samples.size();
    }
    const TimingSummary none = Summarize({});
    EXPECT_EQ(none.count, 0u);
    EXPECT_EQ(none.median, 0);
    EXPECT_EQ(none.maximum, 0);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(TimingTableTest, TheTableJudgesTheMedianAgainstTheGoal) {
    const std::vector<TimingRow> rows = {
        {"tick", Summarize({0.2, 0.3, 9.0}), 0.5},           // a slow outlier does not fail it
        {"a longer case name", Summarize({0.5, 0.5}), 0.5},  // the goal itself is not under it
        {"no goal", Summarize({1.25}), 0},
        {"nothing timed", Summarize({}), 10},
    };
    const std::vector<std::string> lines = Lines(FormatTimingTable(rows));
    ASSERT_EQ(lines.size(), 2 + rows.size());
    EXPECT_EQ(lines[0].find("| case "), 0u);
    EXPECT_EQ(lines[1].find("|---"), 0u);
    EXPECT_EQ(lines[2], "| tick               |      3 |     0.300 |     3.167 |     9.000 |     9.000 |     0.5 | yes |");
    EXPECT_EQ(lines[3], "| a longer case name |      2 |     0.500 |     0.500 |     0.500 |     0.500 |     0.5 | no  |");
    EXPECT_EQ(lines[4], "| no goal            |      1 |     1.250 |     1.250 |     1.250 |     1.250 |       - | -   |");
    EXPECT_EQ(lines[5], "| nothing timed      |      0 |     0.000 |     0.000 |     0.000 |     0.000 |      10 | -   |");
    // Every line has the same width, so the columns stand under one another.
    for (const std::string& line : lines) EXPECT_EQ(line.size(), lines[0].size()) << line;
}

}  // namespace
