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

std::string Micros(const CBenchFigure* pFigure) {
    if (pFigure == nullptr) {
        return "-";
    }
    return pFigure->strError.empty() ? Format("%.1f", pFigure->dMicroseconds) : "failed";
}

double NLogNGrowth(int n) {
    return 10.0 * std::log(10.0 * n) / std::log(static_cast<double>(n));
}

// The sizes one after another, then the growth of each step against n log n; *pbFaster is set when a
// step grows faster than n log n allows.
std::string Growth(const std::map<std::string, std::map<int, CBenchFigure>>& figures,
                   const std::string& strName, bool* pbFaster) {
    std::string strSizes;
    std::string strSteps;
    const CBenchFigure* pPrevious = nullptr;
    int nPrevious = 0;
    for (int n : BENCH_SIZES) {
        const CBenchFigure* pFigure = Find(figures, strName, n);
        strSizes += (strSizes.empty() ? "" : " / ") + Micros(pFigure);
        if (pPrevious != nullptr && pFigure != nullptr && pPrevious->strError.empty() &&
            pFigure->strError.empty() && pPrevious->dMicroseconds > 0) {
            const double dRatio = pFigure->dMicroseconds / pPrevious->dMicroseconds;
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
        CBenchFigure& figure = m_figures[run.run_name.function_name][n];
        figure.strError = run.error_occurred ? run.error_message : "";
        if (!run.error_occurred) {
            figure.dMicroseconds = ToMicroseconds(run.GetAdjustedRealTime(), run.time_unit);
            for (const auto& [strName, counter] : run.counters) {
                figure.counters[strName] = counter.value;
            }
        }
    }
    ConsoleReporter::ReportRuns(aRuns);
}

void PrintSummary(const std::map<std::string, std::map<int, CBenchFigure>>& figures, std::ostream& out) {
    const int N = BENCH_REFERENCE_SIZE;
    out << "\n== Parsers over a 1,000-entry answer, against one memchr pass of the same bytes (target: at "
           "most "
        << PARSER_RATIO_TARGET << " x)\n";
    out << Pad("parser", 16) << Pad("bytes", 9) << Pad("parser us", 11) << Pad("memchr us", 11)
        << Pad("ratio", 8) << Pad("target", 8) << "parser at 10 / 100 / 1,000 / 10,000 entries\n";
    for (const char* pszParser :
         {"NdisBssidList", "WlanBssList", "CardScanRecord", "BindingRecords", "ElementWalks"}) {
        const CBenchFigure* pParser = Find(figures, std::string("Parser/") + pszParser, N);
        const CBenchFigure* pMemchr = Find(figures, std::string("Memchr/") + pszParser, N);
        std::string strRatio = "-";
        std::string strVerdict = "-";
        std::string strBytes = "-";
        if (pParser != nullptr && pMemchr != nullptr && pParser->strError.empty() &&
            pMemchr->strError.empty() && pMemchr->dMicroseconds > 0) {
            const double dRatio = pParser->dMicroseconds / pMemchr->dMicroseconds;
            strRatio = Format("%.1f", dRatio);
            strVerdict = Verdict(dRatio <= PARSER_RATIO_TARGET);
            strBytes = Format("%.0f", pParser->counters.count("bytes") ? pParser->counters.at("bytes") : 0);
        }
        out << Pad(pszParser, 16) << Pad(strBytes, 9) << Pad(Micros(pParser), 11) << Pad(Micros(pMemchr), 11)
            << Pad(strRatio, 8) << Pad(strVerdict, 8)
            << Growth(figures, std::string("Parser/") + pszParser, nullptr) << "\n";
    }

    out << "\n== Own time per scan beyond the driver's: list read, rows made, list filled and sorted "
           "(target: at "
           "most 1 ms with 1,000 access points, growth no faster than n log n)\n";
    out << Pad("back end", 10) << Pad("own us", 9) << Pad("driver us", 11) << Pad("target", 8)
        << "own time at 10 / 100 / 1,000 / 10,000 access points\n";
    for (const char* pszBackEnd : {"Ndis", "Wlan"}) {
        const std::string strName = std::string("Scan/") + pszBackEnd;
        const CBenchFigure* pFigure = Find(figures, strName, N);
        bool bFaster = false;
        const std::string strGrowth = Growth(figures, strName, &bFaster);
        std::string strVerdict = "-";
        std::string strDriver = "-";
        if (pFigure != nullptr && pFigure->strError.empty()) {
            strVerdict = Verdict(pFigure->dMicroseconds <= SCAN_TARGET_US && !bFaster);
            strDriver =
                Format("%.1f", pFigure->counters.count("driver_us") ? pFigure->counters.at("driver_us") : 0);
        }
        out << Pad(pszBackEnd, 10) << Pad(Micros(pFigure), 9) << Pad(strDriver, 11) << Pad(strVerdict, 8)
            << strGrowth << "\n";
        for (int n : BENCH_SIZES) {
            const CBenchFigure* pAtSize = Find(figures, strName, n);
            if (pAtSize != nullptr && !pAtSize->strError.empty()) {
                out << "          at " << n << ": " << pAtSize->strError << "\n";
            }
        }
    }

    out << "\n== The whole wizard on the default machine, virtual clock (target: under " << WIZARD_TARGET_MS
        << " ms wall time)\n";
    if (const CBenchFigure* pWizard = Find(figures, "Wizard/DefaultMachine", 0)) {
        if (pWizard->strError.empty()) {
            const double dMs = pWizard->dMicroseconds / 1e3;
            out << Format("wall %.1f ms", dMs)
                << Format(" for %.0f ms of virtual time",
                          pWizard->counters.count("virtual_ms") ? pWizard->counters.at("virtual_ms") : 0)
                << "  " << Verdict(dMs < WIZARD_TARGET_MS) << "\n";
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
            const double dKib =
                pStart->counters.count("peak_rss_kib") ? pStart->counters.at("peak_rss_kib") : 0;
            out << Format("first page after %.1f ms", dMs) << Format(", peak memory %.1f MiB", dKib / 1024)
                << "  " << Verdict(dMs < START_TARGET_MS) << "\n";
        } else {
            out << "failed: " << pStart->strError << "\n";
        }
    } else {
        out << "not run\n";
    }
}
