#pragma once
// Runs the benchmarks with repetitions and prints, after the usual table, each measured benchmark's
// median wall time and its ratio to a reference benchmark of the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians; // benchmark name -> median wall time in ms

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

// pairs: (measured, reference) benchmark names. Repetitions default to 9 unless given.
inline int RunWithRatios(int argc, char **argv, const std::vector<std::pair<std::string, std::string>> &pairs)
{
    std::vector<char *> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=9";
    bool given = false;
    for (char *a : args)
        given = given || std::string(a).rfind("--benchmark_repetitions", 0) == 0;
    if (!given)
        args.push_back(repetitions.data());
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nmedian wall times of this run:\n");
    for (const auto &[measured, reference] : pairs) {
        const auto m = reporter.medians.find(measured), r = reporter.medians.find(reference);
        if (m == reporter.medians.end() || r == reporter.medians.end())
            continue;
        std::printf("%s %.2f ms, %s %.2f ms, ratio %.2f\n", measured.c_str(), m->second, reference.c_str(),
                    r->second, m->second / r->second);
    }
    return 0;
}
