#pragma once
// Summaries of repeated timings and the table a self-timing benchmark prints: plain
// figures, so the statistics stay the same whichever clock took the samples.
#include <cstddef>
#include <string>
#include <vector>

struct TimingSummary {
    size_t count = 0;
    // Milliseconds. p90: the smallest sample that at least 90 % of the samples do not exceed.
    double median = 0, mean = 0, p90 = 0, maximum = 0;
};

// The summary of `samples` (milliseconds, in any order); all zero when there are none.
TimingSummary Summarize(std::vector<double> samples);

struct TimingRow {
    std::string name;
    TimingSummary summary;
    double goal = 0;  // milliseconds the median must stay under; 0 for no goal
};

// A Markdown table, one line per row, with whether the median meets the goal.
std::string FormatTimingTable(const std::vector<TimingRow>& rows);
