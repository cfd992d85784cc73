// The whole wizard on the default machine, on the virtual clock, as the program starts it: the
// install folder, both banners decoded, discovery, every listed adapter tested with its three scans,
// the service stopped and started again, the supported and results pages, Finish. Waits cost no real
// time, so the wall time is the program's own work (and the simulated machine's). The report is not
// sent: its one HTTP request is not the wizard's time.
#include <benchmark/benchmark.h>

#include "adapters/supported_cache.h"
#include "adapters/wzc_service.h"
#include "app/wizard_app.h"
#include "platform/sim/sim_machine.h"
#include "report/post_page.h"
#include "res/resource_ids.h"
#include "ui/headless/headless_host.h"

namespace {

// Next through every page, the post tick cleared on the results page, Finish on the last page. False
// when the walk did not reach the end.
bool WalkToTheEnd(CHeadlessHost& host) {
    for (int nStep = 0; nStep < 50 && !host.IsClosed(); ++nStep) {
        switch (host.CurrentPage()) {
            case IDD_POST:
                host.Page(IDD_POST)->CheckBox(IDC_POST_CHECK)->SetCheck(BST_UNCHECKED);
                host.Next();
                break;
            case IDD_THANK_YOU:
                return host.Finish();
            default:
                if (!host.Next()) {
                    return false;
                }
        }
    }
    return false;
}

void BM_WizardDefaultMachine(benchmark::State& state) {
    double dVirtualMs = 0;
    int nTested = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string strError;
        auto pMachine = CSimMachine::Default(&strError);
        if (!pMachine) {
            state.SkipWithError(strError.c_str());
            break;
        }
        ClearSupportedCache();
        g_bWzcStopped = FALSE;
        const std::uint64_t qwStart = pMachine->VirtualClock()->Elapsed();
        state.ResumeTiming();

        CScopedOs os(*pMachine);
        CHeadlessHost host;
        bool bEnded = false;
        host.SetScript([&bEnded, &nTested](CHeadlessHost& h) {
            bEnded = WalkToTheEnd(h);
            nTested = h.Page(IDD_ADAPTER) != nullptr ? 1 : 0;
        });
        CWizardApp app;
        app.InitInstance(host);

        state.PauseTiming();
        dVirtualMs += static_cast<double>(pMachine->VirtualClock()->Elapsed() - qwStart);
        if (app.GetExitCode() != 0 || !bEnded || nTested == 0) {
            state.SkipWithError("the wizard did not run from welcome to Finish through an adapter test");
            break;
        }
        pMachine.reset();
        state.ResumeTiming();
    }
    state.counters["virtual_ms"] = benchmark::Counter(dVirtualMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WizardDefaultMachine)->Name("Wizard/DefaultMachine")->Unit(benchmark::kMillisecond);

}  // namespace
