#include "BenchTable.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <vector>

namespace {

std::vector<Comparison>& comparisons() {
    static std::vector<Comparison> all;
    return all;
}

// Keeps the median of every benchmark, and of each of its counters, by name.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    MedianCollector()
        : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            // The name without the iteration and repetition settings.
            const std::string name = run.run_name.function_name +
                                     (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            medians[name] = run.GetAdjustedRealTime();
            for (const auto& [counter, value] : run.counters)
                medians[name + ":" + counter] = value.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> medians;
};

} // namespace

void compare(Comparison comparison) {
    comparisons().push_back(std::move(comparison));
}

int runBenchmarksAndPrintTable(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    std::printf("\n%-44s %12s %12s %8s %8s  %s\n", "figure (median)", "measured", "floor", "ratio",
                "target", "holds");
    bool allHold = true;
    for (const Comparison& row : comparisons()) {
        const auto figure = collector.medians.find(row.figure);
        const auto floor = collector.medians.find(row.floor);
        const bool fixed = row.floor.empty();
        if (figure == collector.medians.end() || (!fixed && floor == collector.medians.end()))
            continue; // filtered out of this run
        const double floorValue = fixed ? row.fixedFloor : floor->second;
        const double ratio = figure->second / floorValue;
        const bool holds = ratio <= row.target;
        allHold &= holds;
        std::printf("%-44s %12.3f %12.3f %8.2f %8.2f  %s\n", row.label.c_str(), figure->second,
                    floorValue, ratio, row.target, holds ? "yes" : "NO");
    }
    std::printf("\n%s\n", allHold ? "every target holds" : "some targets are missed");
    return 0;
}
