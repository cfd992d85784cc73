#include "bench/summary.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "bench/bench_sizes.h"

namespace {

constexpr double PARSER_RATIO_TARGET = 10;
constexpr double SCAN_TARGET_US = 1000;
constexpr double WIZARD_TARGET_MS = 100;
constexpr double START_TARGET_MS = 50;
// Growth from one size to ten times it may exceed n log n by this much before it counts as faster:
// at 10,000 entries the data leave the processor's caches, which costs a constant factor, not an
// order.
constexpr double GROWTH_ALLOWANCE = 1.5;

double ToMicroseconds(double dValue, benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond:
            return dValue / 1e3;
        case benchmark::kMicrosecond:
            return dValue;
        case benchmark::kMillisecond:
            return dValue * 1e3;
        case benchmark::kSecond:
            return dValue * 1e6;
    }
    return dValue;
}

std::string Format(const char* pszFormat, double d) {
    char sz[64];
    std::snprintf(sz, sizeof sz, pszFormat, d);
    return sz;
}

std::string Pad(const std::string& str, std::size_t nWidth) {
    return str.size() >= nWidth ? str + " " : str + std::string(nWidth - str.size(), ' ');
}

const CBenchFigure* Find(const std::map<std::string, std::map<int, CBenchFigure>>& figures,
                         const std::string& strName, int n) {
    auto it = figures.find(strName);
    if (it == figures.end()) {
        return nullptr;
    }
    auto itSize = it->second.find(n);
    return itSize != it->second.end() ? &itSize->second : nullptr;
}

// Which of a figure's times a table shows.
enum class ETime { Measured, Cpu };

double TimeOf(const CBenchFigure& figure, ETime eTime) {
    return eTime == ETime::Cpu ? figure.dCpuMicroseconds : figure.dMicroseconds;
}

std::string Micros(const CBenchFigure* pFigure, ETime eTime = ETime::Measured) {
    if (pFigure == nullptr) {
        return "-";
    }
    return pFigure->strError.empty() ? Format("%.1f", TimeOf(*pFigure, eTime)) : "failed";
}

double CounterOf(const CBenchFigure& figure, const std::string& strName) {
    auto it = figure.counters.find(strName);
    return it != figure.counters.end() ? it->second : 0;
}

double NLogNGrowth(int n) {
    return 10.0 * std::log(10.0 * n) / std::log(static_cast<double>(n));
}

// The sizes one after another, then the growth of each step against n log n; *pbFaster is set when a
// step grows faster than n log n allows.
std::string Growth(const std::map<std::string, std::map<int, CBenchFigure>>& figures,
                   const std::string& strName, ETime eTime, bool* pbFaster) {
    std::string strSizes;
    std::string strSteps;
    const CBenchFigure* pPrevious = nullptr;
    int nPrevious = 0;
    for (int n : BENCH_SIZES) {
        const CBenchFigure* pFigure = Find(figures, strName, n);
        strSizes += (strSizes.empty() ? "" : " / ") + Micros(pFigure, eTime);
        if (pPrevious != nullptr && pFigure != nullptr && pPrevious->strError.empty() &&
            pFigure->strError.empty() && TimeOf(*pPrevious, eTime) > 0) {
            const double dRatio = TimeOf(*pFigure, eTime) / TimeOf(*pPrevious, eTime);
            const double dLimit = NLogNGrowth(nPrevious);
            if (dRatio > dLimit * GROWTH_ALLOWANCE && pbFaster != nullptr) {
                *pbFaster = true;
            }
            strSteps +=
                (strSteps.empty() ? "" : ", ") + Format("x%.1f", dRatio) + Format(" (n log n x%.1f)", dLimit);
        }
        pPrevious = pFigure;
        nPrevious = n;
    }
    return strSizes + " us; steps " + (strSteps.empty() ? "-" : strSteps);
}

std::string Verdict(bool bMet) {
    return bMet ? "met" : "SHORT";
}

}  // namespace

void CSummaryReporter::ReportRuns(const std::vector<Run>& aRuns) {
    for (const Run& run : aRuns) {
        if (run.run_type != Run::RT_Iteration) {
            continue;
        }
        const int n = run.run_name.args.empty() ? 0 : std::atoi(run.run_name.args.c_str());
        CBenchFigure next;
        next.strError = run.error_occurred ? run.error_message : "";
        if (!run.error_occurred) {
            next.dMicroseconds = ToMicroseconds(run.GetAdjustedRealTime(), run.time_unit);
            next.dCpuMicroseconds = ToMicroseconds(run.GetAdjustedCPUTime(), run.time_unit);
            for (const auto& [strName, counter] : run.counters) {
                next.counters[strName] = counter.value;
            }
        }
        // Of repeated runs the one with the least processor time stands, whole: the host under this
        // machine slows some runs by up to a factor two, and never speeds one up.
        auto& figures = m_figures[run.run_name.function_name];
        auto it = figures.find(n);
        if (it == figures.end() || !it->second.strError.empty() ||
            (next.strError.empty() && next.dCpuMicroseconds < it->second.dCpuMicroseconds)) {
            figures[n] = next;
        }
    }
    ConsoleReporter::ReportRuns(aRuns);
}

void PrintSummary(const std::map<std::string, std::map<int, CBenchFigure>>& figures, std::ostream& out) {
    const int N = BENCH_REFERENCE_SIZE;
    out << "\n== Parsers over a 1,000-entry answer, against one memchr pass of the same bytes, processor "
           "time "
           "(target: at most "
        << PARSER_RATIO_TARGET << " x)\n";
    out << Pad("parser", 16) << Pad("bytes", 9) << Pad("parser us", 11) << Pad("memchr us", 11)
        << Pad("ratio", 8) << Pad("target", 8) << "parser at 10 / 100 / 1,000 / 10,000 entries\n";
    for (const char* pszParser :
         {"NdisBssidList", "WlanBssList", "CardScanRecord", "BindingRecords", "ElementWalks"}) {
        const std::string strParser = std::string("Parser/") + pszParser;
        const CBenchFigure* pParser = Find(figures, strParser, N);
        const CBenchFigure* pMemchr = Find(figures, std::string("Memchr/") + pszParser, N);
        std::string strRatio = "-";
        std::string strVerdict = "-";
        std::string strBytes = "-";
        if (pParser != nullptr && pMemchr != nullptr && pParser->strError.empty() &&
            pMemchr->strError.empty() && pMemchr->dCpuMicroseconds > 0) {
            const double dRatio = pParser->dCpuMicroseconds / pMemchr->dCpuMicroseconds;
            strRatio = Format("%.1f", dRatio);
            strVerdict = Verdict(dRatio <= PARSER_RATIO_TARGET);
            strBytes = Format("%.0f", CounterOf(*pParser, "bytes"));
        }
        out << Pad(pszParser, 16) << Pad(strBytes, 9) << Pad(Micros(pParser, ETime::Cpu), 11)
            << Pad(Micros(pMemchr, ETime::Cpu), 11) << Pad(strRatio, 8) << Pad(strVerdict, 8)
            << Growth(figures, strParser, ETime::Cpu, nullptr) << "\n";
    }

    out << "\n== Own time per scan beyond the driver's: list read, rows made, list filled and sorted, "
           "processor "
           "time (target: at most 1 ms with 1,000 access points, growth no faster than n log n)\n";
    out << Pad("back end", 10) << Pad("own us", 9) << Pad("list", 8) << Pad("rows", 8) << Pad("fill", 8)
        << Pad("driver", 9) << Pad("target", 8) << "own time at 10 / 100 / 1,000 / 10,000 access points\n";
    for (const char* pszBackEnd : {"Ndis", "Wlan"}) {
        const std::string strName = std::string("Scan/") + pszBackEnd;
        const CBenchFigure* pFigure = Find(figures, strName, N);
        bool bFaster = false;
        const std::string strGrowth = Growth(figures, strName, ETime::Measured, &bFaster);
        std::string strVerdict = "-";
        std::string astrStages[4] = {"-", "-", "-", "-"};
        if (pFigure != nullptr && pFigure->strError.empty()) {
            strVerdict = Verdict(pFigure->dMicroseconds <= SCAN_TARGET_US && !bFaster);
            const char* const apszStages[] = {"list_us", "rows_us", "fill_us", "driver_us"};
            for (int i = 0; i < 4; ++i) {
                astrStages[i] = Format("%.0f", CounterOf(*pFigure, apszStages[i]));
            }
        }
        out << Pad(pszBackEnd, 10) << Pad(Micros(pFigure), 9) << Pad(astrStages[0], 8)
            << Pad(astrStages[1], 8) << Pad(astrStages[2], 8) << Pad(astrStages[3], 9) << Pad(strVerdict, 8)
            << strGrowth << "\n";
        for (int n : BENCH_SIZES) {
            const CBenchFigure* pAtSize = Find(figures, strName, n);
            if (pAtSize != nullptr && !pAtSize->strError.empty()) {
                out << "          at " << n << ": " << pAtSize->strError << "\n";
            }
        }
    }
    const CBenchFigure* pSort = Find(figures, "Sort/ApRows", N);
    out << Pad("(sort)", 10) << Pad(Micros(pSort, ETime::Cpu), 9) << Pad("", 41)
        << "of the fill: " << Growth(figures, "Sort/ApRows", ETime::Cpu, nullptr) << "\n";

    out << "\n== The whole wizard on the default machine, virtual clock (target: under " << WIZARD_TARGET_MS
        << " ms wall time)\n";
    if (const CBenchFigure* pWizard = Find(figures, "Wizard/DefaultMachine", 0)) {
        if (pWizard->strError.empty()) {
            const double dMs = pWizard->dMicroseconds / 1e3;
            out << Format("wall %.1f ms", dMs)
                << Format(" (processor %.1f ms)", pWizard->dCpuMicroseconds / 1e3)
                << Format(" for %.0f ms of virtual time", CounterOf(*pWizard, "virtual_ms")) << "  "
                << Verdict(dMs < WIZARD_TARGET_MS) << "\n";
        } else {
            out << "failed: " << pWizard->strError << "\n";
        }
    } else {
        out << "not run\n";
    }

    out << "\n== The Linux program: start to the first page and peak memory (target: under "
        << START_TARGET_MS << " ms)\n";
    if (const CBenchFigure* pStart = Find(figures, "Start/FirstPage", 0)) {
        if (pStart->strError.empty()) {
            const double dMs = pStart->dMicroseconds / 1e3;
            out << Format("first page after %.1f ms", dMs)
                << Format(" (the program's processor time %.1f ms for the whole run)",
                          CounterOf(*pStart, "cpu_ms"))
                << Format(", peak memory %.1f MiB", CounterOf(*pStart, "peak_rss_kib") / 1024) << "  "
                << Verdict(dMs < START_TARGET_MS) << "\n";
        } else {
            out << "failed: " << pStart->strError << "\n";
        }
    } else {
        out << "not run\n";
    }
}
