// The program's own time per scan with n access points: the list read (GetBssList: the buffer, the
// walk, the duplicate check, the records made), the rows made (FormatApRows) and the list filled,
// sized and sorted (FillApList on the model list view), less the time spent inside the driver.
// The scan wait itself is the driver's and runs on the virtual clock, so it is not part of this. The
// times are the thread's processor time (the work runs on that one thread).
#include <benchmark/benchmark.h>

#include "adapter_page/adapter_page.h"
#include "adapters/ndis51/ndis51_adapter.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "bench/bench_sizes.h"
#include "bench/driver_clock.h"
#include "bench/scan_machines.h"
#include "res/resource_ids.h"
#include "ui/model/model_controls.h"

namespace {

const BYTE ASSOC_BSSID[BSSID_LENGTH] = {0x00, 0x0f, 0x00, 0x00, 0x00, 0x00};

// One scan's work after the wait, timed; the driver's share goes to the counter, the rest is the
// iteration's time.
void ScanLoop(benchmark::State& state, CWlanAdapter& adapter, CDriverClock& driver) {
    CAdapterPage page;
    CModelPage controls(IDD_ADAPTER);
    page.SetControls(&controls);
    page.OnInitDialog();
    CScanResultSet set;
    std::vector<std::string> astrRows;
    double dDriverSeconds = 0;
    double adStageSeconds[3] = {};  // list read, rows made, list filled and sorted (driver included)
    int nKept = 0;
    for (auto _ : state) {
        driver.Reset();
        const double dStart = ThreadCpuSeconds();
        set.Clear();
        short nSignal = 0;
        if (adapter.GetBssList(nullptr, -1, &nSignal, &set) < 0) {
            state.SkipWithError("the list could not be read");
            break;
        }
        const double dListRead = ThreadCpuSeconds();
        astrRows.clear();
        CAdapterPage::FormatApRows(ASSOC_BSSID, 1, set.m_apAccessPoints, set.m_aKeys, set.m_adwSecurity,
                                   set.m_adwModes, set.m_astrApNames, &astrRows);
        const double dRowsMade = ThreadCpuSeconds();
        page.FillApList(astrRows);
        const double dListFilled = ThreadCpuSeconds();
        adStageSeconds[0] += (dListRead - dStart) - driver.Seconds();
        adStageSeconds[1] += (dRowsMade - dListRead);
        adStageSeconds[2] += (dListFilled - dRowsMade);
        dDriverSeconds += driver.Seconds();
        state.SetIterationTime((dListFilled - dStart) - driver.Seconds());
        nKept = set.GetCount();
    }
    if (nKept != state.range(0)) {
        state.SkipWithError("not every access point was kept");
    }
    const auto perScan = [](double dSeconds) {
        return benchmark::Counter(dSeconds * 1e6, benchmark::Counter::kAvgIterations);
    };
    state.counters["driver_us"] = perScan(dDriverSeconds);
    state.counters["list_us"] = perScan(adStageSeconds[0]);
    state.counters["rows_us"] = perScan(adStageSeconds[1]);
    state.counters["fill_us"] = perScan(adStageSeconds[2]);
}

void BM_ScanNdis(benchmark::State& state) {
    auto pMachine = MakeNdisMachine(static_cast<int>(state.range(0)));
    CDriverClock driver(pMachine->Services());
    const COsServices previous = SetOs(driver.Services());
    {
        CNdis51Adapter adapter;
        if (adapter.OpenByName(BENCH_NDIS_DEVICE, FALSE) != OPEN_USABLE) {
            state.SkipWithError("the NDIS adapter did not open");
        } else {
            ScanLoop(state, adapter, driver);
        }
    }
    SetOs(previous);
}

void BM_ScanWlan(benchmark::State& state) {
    auto pMachine = MakeWlanMachine(static_cast<int>(state.range(0)));
    CDriverClock driver(pMachine->Services());
    // The adapter resolves the WLAN entry points when it is made, through the timed loader; the
    // simulated service then finds its machine by the machine's own loader in Os().
    const COsServices previous = SetOs(driver.Services());
    auto pAdapter = std::make_unique<CWiFiApiAdapter>();
    SetOs(pMachine->Services());
    if (pAdapter->OpenByName(BENCH_WLAN_GUID, FALSE) != OPEN_USABLE) {
        state.SkipWithError("the WLAN interface did not open");
    } else {
        ScanLoop(state, *pAdapter, driver);
    }
    pAdapter.reset();
    SetOs(previous);
}

// The sort alone: the access point list of n rows sorted with the page's comparison, as FillApList
// ends (the items are put back in row order, untimed, before each sort).
void BM_SortApRows(benchmark::State& state) {
    auto pMachine = MakeWlanMachine(static_cast<int>(state.range(0)));
    CScopedOs os(*pMachine);
    CScanResultSet set;
    {
        CWiFiApiAdapter adapter;
        short nSignal = 0;
        if (adapter.OpenByName(BENCH_WLAN_GUID, FALSE) != OPEN_USABLE ||
            adapter.GetBssList(nullptr, -1, &nSignal, &set) < 0) {
            state.SkipWithError("the list could not be read");
            return;
        }
    }
    std::vector<std::string> astrRows;
    CAdapterPage::FormatApRows(ASSOC_BSSID, 1, set.m_apAccessPoints, set.m_aKeys, set.m_adwSecurity,
                               set.m_adwModes, set.m_astrApNames, &astrRows);
    CModelListView list(1000);
    for (auto _ : state) {
        state.PauseTiming();
        list.DeleteAllItems();
        for (std::size_t i = 0; i < astrRows.size(); ++i) {
            list.InsertItem(static_cast<int>(i), "", reinterpret_cast<LPARAM>(&astrRows[i]));
        }
        state.ResumeTiming();
        list.SortItems(&CAdapterPage::CompareApRows, 0);
    }
}

const bool g_bRegistered = [] {
    for (auto [pszName, pfn] : {std::pair{"Scan/Ndis", &BM_ScanNdis}, std::pair{"Scan/Wlan", &BM_ScanWlan}}) {
        auto* pBench = benchmark::RegisterBenchmark(pszName, pfn);
        pBench->Unit(benchmark::kMicrosecond)->UseManualTime();
        for (int n : BENCH_SIZES) {
            pBench->Arg(n);
        }
    }
    auto* pSort = benchmark::RegisterBenchmark("Sort/ApRows", &BM_SortApRows)->Unit(benchmark::kMicrosecond);
    for (int n : BENCH_SIZES) {
        pSort->Arg(n);
    }
    return true;
}();

}  // namespace
