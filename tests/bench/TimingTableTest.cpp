// The statistics and the table of the self-timing benchmarks.
#include <gtest/gtest.h>

#include "TimingTable.h"

TEST(TimingTableTest, SummariesInAnyOrderAndTheMedianJudgedAgainstTheGoal) {
    // p90 by nearest rank: the 2nd of 2, the 9th of 10, the 18th of 20. An even count's
    // median is the mean of the middle two; a slow outlier does not fail a goal and the goal
    // itself is not under it.
    const std::vector<TimingRow> rows = {
        {"tick", Summarize({0.2, 9.0, 0.3}), 0.5},
        {"even count", Summarize({0.6, 0.4}), 0.5},
        {"ten, reversed", Summarize({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}), 0},
        {"twenty", Summarize({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 100, 200}), 20},
        {"nothing timed", Summarize({}), 10},
    };
    EXPECT_EQ(FormatTimingTable(rows),
              "| case          |   reps | median ms |   mean ms |    p90 ms |    max ms | goal ms | met |\n"
              "|---------------|--------|-----------|-----------|-----------|-----------|---------|-----|\n"
              "| tick          |      3 |     0.300 |     3.167 |     9.000 |     9.000 |     0.5 | yes |\n"
              "| even count    |      2 |     0.500 |     0.500 |     0.600 |     0.600 |     0.5 | no  |\n"
              "| ten, reversed |     10 |     5.500 |     5.500 |     9.000 |    10.000 |       - | -   |\n"
              "| twenty        |     20 |    10.500 |    23.550 |    18.000 |   200.000 |      20 | yes |\n"
              "| nothing timed |      0 |     0.000 |     0.000 |     0.000 |     0.000 |      10 | -   |\n");
}
