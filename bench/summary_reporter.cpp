#include "bench/summary_reporter.h"

#include <cstdio>
#include <ostream>

namespace bench {

void SummaryReporter::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports)
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") medians_[run.run_name.function_name] = run;
}

void SummaryReporter::Finalize() {
    std::ostream& out = GetOutputStream();
    out << "\nMedians against targets:\n";
    for (const Figure& figure : figures_) {
        char line[256];
        const auto found = medians_.find(figure.benchmark);
        if (found == medians_.end()) {
            std::snprintf(line, sizeof line, "  %-40s not run", figure.label.c_str());
        } else if (figure.isRate) {
            const auto bytes = found->second.counters.find("bytes_per_second");
            const double rate = bytes == found->second.counters.end() ? 0 : bytes->second.value / 1e6;
            std::snprintf(line, sizeof line, "  %-40s %10.1f MB/s  (target >= %g MB/s)  %s", figure.label.c_str(), rate,
                          figure.target, rate >= figure.target ? "met" : "MISSED");
        } else {
            const Run& run = found->second;
            const double multiplier = benchmark::GetTimeUnitMultiplier(run.time_unit);
            const double time = run.GetAdjustedCPUTime();
            const char* unit = benchmark::GetTimeUnitString(run.time_unit);
            std::snprintf(line, sizeof line, "  %-40s %10.3f %-4s  (target < %g %s)  %s", figure.label.c_str(), time, unit,
                          figure.target * multiplier, unit, time / multiplier < figure.target ? "met" : "MISSED");
        }
        out << line << "\n";
    }
    out.flush();
}

}  // namespace bench
