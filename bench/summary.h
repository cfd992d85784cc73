// The table scripts/bench prints after the runs: each figure beside its target, and how the
// size-dependent ones grow from 10 to 10,000 entries.
#pragma once

#include <benchmark/benchmark.h>

#include <iosfwd>
#include <map>
#include <string>

// One benchmark at one size: microseconds per iteration (the time it measures: real time, or what it
// timed itself; and the processor time of the benchmark's thread), its counters, or why it did not
// run.
struct CBenchFigure {
    double dMicroseconds = 0;
    double dCpuMicroseconds = 0;
    std::map<std::string, double> counters;
    std::string strError;  // empty when it ran
};

// Keeps the runs it is shown, of repeated ones the fastest (and shows them as the console reporter does).
class CSummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& aRuns) override;
    // Figures by benchmark name ("Parser/NdisBssidList") and size (0 for those without one).
    const std::map<std::string, std::map<int, CBenchFigure>>& Figures() const { return m_figures; }

private:
    std::map<std::string, std::map<int, CBenchFigure>> m_figures;
};

void PrintSummary(const std::map<std::string, std::map<int, CBenchFigure>>& figures, std::ostream& out);
