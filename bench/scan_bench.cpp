// The program's own time per scan with n access points: the list read (GetBssList: the buffer, the
// walk, the duplicate check, the records made), the rows made (FormatApRows) and the list filled,
// sized and sorted (FillApList on the headless list view), less the time spent inside the driver.
// The scan wait itself is the driver's and runs on the virtual clock, so it is not part of this.
#include <benchmark/benchmark.h>

#include <chrono>

#include "adapters/ndis51_adapter.h"
#include "adapters/wifi_api_adapter.h"
#include "bench/bench_sizes.h"
#include "bench/driver_clock.h"
#include "bench/scan_machines.h"
#include "test/adapter_page.h"
#include "ui/headless/headless_controls.h"

namespace {

using Clock = std::chrono::steady_clock;

const BYTE ASSOC_BSSID[BSSID_LENGTH] = {0x00, 0x0f, 0x00, 0x00, 0x00, 0x00};

// One scan's work after the wait, timed; the driver's share goes to the counter, the rest is the
// iteration's time.
void ScanLoop(benchmark::State& state, CWlanAdapter& adapter, CDriverClock& driver) {
    CAdapterPage page;
    CHeadlessPage controls(109);
    page.SetControls(&controls);
    page.OnInitDialog();
    CScanResultSet set;
    std::vector<std::string> astrRows;
    double dDriverSeconds = 0;
    int nKept = 0;
    for (auto _ : state) {
        driver.Reset();
        const Clock::time_point start = Clock::now();
        set.Clear();
        short nSignal = 0;
        if (adapter.GetBssList(nullptr, -1, &nSignal, &set.m_aKeys, &set.m_adwSecurity, &set.m_adwModes,
                               &set.m_apAccessPoints, &set.m_astrApNames) < 0) {
            state.SkipWithError("the list could not be read");
            break;
        }
        astrRows.clear();
        CAdapterPage::FormatApRows(ASSOC_BSSID, 1, set.m_apAccessPoints, set.m_aKeys, set.m_adwSecurity,
                                   set.m_adwModes, set.m_astrApNames, &astrRows);
        page.FillApList(astrRows);
        const double dTotal = std::chrono::duration<double>(Clock::now() - start).count();
        dDriverSeconds += driver.Seconds();
        state.SetIterationTime(dTotal - driver.Seconds());
        nKept = set.GetCount();
    }
    if (nKept != state.range(0)) {
        state.SkipWithError("not every access point was kept");
    }
    state.counters["driver_us"] =
        benchmark::Counter(dDriverSeconds * 1e6, benchmark::Counter::kAvgIterations);
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

const bool g_bRegistered = [] {
    for (auto [pszName, pfn] : {std::pair{"Scan/Ndis", &BM_ScanNdis}, std::pair{"Scan/Wlan", &BM_ScanWlan}}) {
        auto* pBench = benchmark::RegisterBenchmark(pszName, pfn);
        pBench->Unit(benchmark::kMicrosecond)->UseManualTime();
        for (int n : BENCH_SIZES) {
            pBench->Arg(n);
        }
    }
    return true;
}();

}  // namespace
