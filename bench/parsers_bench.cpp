// Each parser over a driver's answer of n entries, and beside it one memchr pass over the same
// bytes: the pass is the floor any parser that reads every byte must stand on, so the ratio of the
// two says how much a parser adds to merely touching its input.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "adapters/information_elements.h"
#include "adapters/lucent/lucent_scan_record.h"
#include "adapters/ndis51/ndis_binding.h"
#include "adapters/ndis51/ndis_bssid_list.h"
#include "adapters/wlan_api/wlan_bss_list.h"
#include "bench/bench_sizes.h"
#include "bench/scan_machines.h"

namespace {

// One driver answer and what it is made of.
struct CAnswer {
    std::vector<BYTE> abBytes;
    std::vector<DWORD> adwRecordSizes;  // binding records only
};

CAnswer MakeAnswer(const std::string& strParser, int n) {
    CAnswer answer;
    if (strParser == "NdisBssidList") {
        auto pMachine = MakeNdisMachine(n);
        answer.abBytes = NdisBssidListAnswer(*pMachine);
    } else if (strParser == "WlanBssList") {
        auto pMachine = MakeWlanMachine(n);
        CScopedOs os(*pMachine);
        answer.abBytes = WlanBssListAnswer(*pMachine);
    } else if (strParser == "CardScanRecord") {
        answer.abBytes = CardScanRecordAnswer(n);
    } else if (strParser == "BindingRecords") {
        CBindingRecords records = BindingRecordAnswers(n);
        answer.abBytes = std::move(records.abBytes);
        answer.adwRecordSizes = std::move(records.adwSizes);
    } else {
        answer.abBytes = ElementBlock(n);
    }
    return answer;
}

// Answers are made once per parser and size, outside the timed loops.
const CAnswer& Answer(const std::string& strParser, int n) {
    static std::map<std::pair<std::string, int>, CAnswer> s_answers;
    auto it = s_answers.find({strParser, n});
    if (it == s_answers.end()) {
        it = s_answers.emplace(std::make_pair(strParser, n), MakeAnswer(strParser, n)).first;
    }
    return it->second;
}

// memchr for the byte value the answer holds least often, continuing after each hit: one pass.
void BM_Memchr(benchmark::State& state, const std::string& strParser) {
    const CAnswer& answer = Answer(strParser, static_cast<int>(state.range(0)));
    const BYTE* pb = answer.abBytes.data();
    const std::size_t cb = answer.abBytes.size();
    std::array<std::size_t, 256> anCounts{};
    for (std::size_t i = 0; i < cb; ++i) {
        ++anCounts[pb[i]];
    }
    const int nRarest =
        static_cast<int>(std::min_element(anCounts.begin(), anCounts.end()) - anCounts.begin());
    for (auto _ : state) {
        std::size_t nHits = 0;
        for (const BYTE* p = pb;
             (p = static_cast<const BYTE*>(std::memchr(p, nRarest, pb + cb - p))) != nullptr; ++p) {
            ++nHits;
        }
        benchmark::DoNotOptimize(nHits);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * cb));
    state.counters["bytes"] = static_cast<double>(cb);
}

void BM_Parser(benchmark::State& state, const std::string& strParser) {
    const int n = static_cast<int>(state.range(0));
    const CAnswer& answer = Answer(strParser, n);
    const BYTE* pb = answer.abBytes.data();
    const DWORD cb = static_cast<DWORD>(answer.abBytes.size());
    std::size_t nParsed = 0;
    if (strParser == "NdisBssidList") {
        CNdisBssList list;
        for (auto _ : state) {
            ParseBssidList(pb, cb, &list);
            benchmark::DoNotOptimize(list.aEntries.data());
        }
        nParsed = list.aEntries.size();
    } else if (strParser == "WlanBssList") {
        CWlanBssList list;
        for (auto _ : state) {
            ParseWlanBssList(pb, cb, &list);
            benchmark::DoNotOptimize(list.aEntries.data());
        }
        nParsed = list.aEntries.size();
    } else if (strParser == "CardScanRecord") {
        std::vector<CLucentScanEntry> aEntries;
        for (auto _ : state) {
            ParseLucentScanRecord(pb, cb, &aEntries);
            benchmark::DoNotOptimize(aEntries.data());
        }
        nParsed = aEntries.size();
    } else if (strParser == "BindingRecords") {
        CNdisBinding binding;
        for (auto _ : state) {
            nParsed = 0;
            const BYTE* pbRecord = pb;
            for (DWORD cbRecord : answer.adwRecordSizes) {
                nParsed += ParseBindingRecord(pbRecord, cbRecord, &binding) ? 1 : 0;
                benchmark::DoNotOptimize(binding.Name().data());
                pbRecord += cbRecord;
            }
        }
    } else {
        for (auto _ : state) {
            benchmark::DoNotOptimize(ReadElements(pb, cb, 0, TRUE, SECURITY_WEP));
        }
        nParsed = static_cast<std::size_t>(n);
    }
    // An answer the parser did not take whole would make the figure meaningless.
    if (nParsed != static_cast<std::size_t>(n)) {
        state.SkipWithError("the parser did not read every entry of the answer");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * cb));
    state.counters["bytes"] = static_cast<double>(cb);
}

const bool g_bRegistered = [] {
    for (const char* pszParser :
         {"NdisBssidList", "WlanBssList", "CardScanRecord", "BindingRecords", "ElementWalks"}) {
        for (auto [pszKind, pfn] : {std::pair{"Parser/", &BM_Parser}, std::pair{"Memchr/", &BM_Memchr}}) {
            auto* pBench = benchmark::RegisterBenchmark((std::string(pszKind) + pszParser).c_str(), pfn,
                                                        std::string(pszParser));
            pBench->Unit(benchmark::kMicrosecond);
            for (int n : BENCH_SIZES) {
                pBench->Arg(n);
            }
        }
    }
    return true;
}();

}  // namespace
