#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

// A figure the program must reach: the median of a repeated benchmark, either a rate in MB/s
// (10^6 bytes) that must be at least `target`, or a CPU time per iteration in seconds that must
// stay below it. CPU time, not the clock's: on a machine shared with other work the clock
// measures the other work too. A benchmark whose work runs on threads of its own (Qt's) measures
// the process's CPU time.
struct Figure {
    std::string benchmark;  // the benchmark's name
    std::string label;
    bool isRate = false;
    double target = 0;
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
