// The benchmarks of bench/, with the summary table after Google Benchmark's own report.
#include <benchmark/benchmark.h>

#include <iostream>

#include "bench/summary.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintSummary(reporter.Figures(), std::cout);
    return 0;
}
