#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

// A figure the profile layer must reach: the median of a repeated benchmark, either a rate in
// MB/s (10^6 bytes) that must be at least `target`, or a time per iteration in seconds that
// must stay below it.
struct Figure {
    std::string benchmark;  // the benchmark's name
    std::string label;
    bool isRate = false;
    double target = 0;
    bool cpuTime = false;  // a time measured as the process's CPU time rather than the clock's
};

// The usual console output, then each figure's median beside its target, so that the results
// can be read at a glance at the end of a long run.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    explicit SummaryReporter(std::vector<Figure> figures) : figures_(std::move(figures)) {}
    void ReportRuns(const std::vector<Run>& reports) override;
    void Finalize() override;

private:
    std::vector<Figure> figures_;
    std::map<std::string, Run> medians_;
};

}  // namespace bench
