// bench_report.h — a console reporter that also keeps the fastest repetition
// of each benchmark, for the ratios the benchmarks print at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            double& best = fastest_[run.run_name.function_name];
            const double t = run.GetAdjustedCPUTime();
            best = best == 0 ? t : std::min(best, t);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Fastest CPU time of the benchmark `name`, in its own time unit; 0 when
    // it did not run.
    double fastest(const std::string& name) const
    {
        auto it = fastest_.find(name);
        return it == fastest_.end() ? 0 : it->second;
    }

  private:
    std::map<std::string, double> fastest_;
};
