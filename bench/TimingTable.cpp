#include "TimingTable.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

TimingSummary Summarize(std::vector<double> samples) {
    TimingSummary s;
    s.count = samples.size();
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    s.mean = std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(n);
    // Nearest rank: ceil(0.9 n), counted from 1.
    s.p90 = samples[(9 * n + 9) / 10 - 1];
    s.maximum = samples.back();
    return s;
}

namespace {

std::string Cell(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string FormatTimingTable(const std::vector<TimingRow>& rows) {
    size_t nameWidth = 4;
    for (const TimingRow& row : rows) nameWidth = std::max(nameWidth, row.name.size());
    char line[256];
    std::snprintf(line, sizeof line, "| %-*s | %6s | %9s | %9s | %9s | %9s | %7s | %-3s |\n",
                  static_cast<int>(nameWidth), "case", "reps", "median ms", "mean ms", "p90 ms", "max ms", "goal ms",
                  "met");
    std::string table = line;
    table += "|" + std::string(nameWidth + 2, '-') +
             "|--------|-----------|-----------|-----------|-----------|"
             "---------|-----|\n";
    for (const TimingRow& row : rows) {
        const TimingSummary& s = row.summary;
        const bool hasGoal = row.goal > 0;
        const char* met = !hasGoal || s.count == 0 ? "-" : s.median < row.goal ? "yes" : "no";
        std::snprintf(line, sizeof line, "| %-*s | %6lu | %9s | %9s | %9s | %9s | %7s | %-3s |\n",
                      static_cast<int>(nameWidth), row.name.c_str(), static_cast<unsigned long>(s.count),
                      Cell("%.3f", s.median).c_str(), Cell("%.3f", s.mean).c_str(), Cell("%.3f", s.p90).c_str(),
                      Cell("%.3f", s.maximum).c_str(), hasGoal ? Cell("%g", row.goal).c_str() : "-", met);
        table += line;
    }
    return table;
}
