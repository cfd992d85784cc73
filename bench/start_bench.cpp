// The Linux program from its start to the first page shown, and its peak memory: the program runs as
// a user would start it (no arguments, the built-in default machine, real time), in line mode since
// its output is a pipe. The first page counts as shown when its command line has been printed; then
// end of input cancels the wizard and the program ends. The peak memory is the program's own high-water
// mark while it shows the first page (a child's maximum resident size as wait4 reports it would include
// the pages of the benchmark process it was forked from).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// The button line under every page of the line-mode front end.
constexpr char FIRST_PAGE_SHOWN[] = "[n] Next >";

struct CStartRun {
    bool bShown = false;
    double dSeconds = 0;
    long nPeakKib = 0;
    double dCpuMs = 0;  // the program's user and system time, the whole run
};

// VmHWM of /proc/<pid>/status, in KiB; 0 when it cannot be read.
long PeakResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string strLine;
    while (std::getline(status, strLine)) {
        if (strLine.rfind("VmHWM:", 0) == 0) {
            return std::atol(strLine.c_str() + 6);
        }
    }
    return 0;
}

CStartRun RunOnce(const std::string& strHome) {
    CStartRun run;
    int anIn[2];
    int anOut[2];
    if (pipe(anIn) != 0 || pipe(anOut) != 0) {
        return run;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(anIn[0], STDIN_FILENO);
        dup2(anOut[1], STDOUT_FILENO);
        close(anIn[1]);
        close(anOut[0]);
        setenv("HOME", strHome.c_str(), 1);
        unsetenv("NIMBREL_MACHINE");
        execl(NIMBREL_PROGRAM, NIMBREL_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(anIn[0]);
    close(anOut[1]);
    std::string strOutput;
    char achBuffer[4096];
    ssize_t cb = 0;
    while (strOutput.find(FIRST_PAGE_SHOWN) == std::string::npos &&
           (cb = read(anOut[0], achBuffer, sizeof achBuffer)) > 0) {
        strOutput.append(achBuffer, static_cast<std::size_t>(cb));
    }
    run.dSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.bShown = strOutput.find(FIRST_PAGE_SHOWN) != std::string::npos;
    run.nPeakKib = PeakResidentKib(pid);  // the program waits for a command now
    close(anIn[1]);                       // end of input: the wizard is cancelled
    while (read(anOut[0], achBuffer, sizeof achBuffer) > 0) {
    }
    close(anOut[0]);
    int nStatus = 0;
    rusage usage{};
    if (wait4(pid, &nStatus, 0, &usage) == pid) {
        run.dCpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    }
    run.bShown = run.bShown && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
    return run;
}

void BM_StartToFirstPage(benchmark::State& state) {
    char szHome[] = "/tmp/nimbrel-bench-XXXXXX";
    if (mkdtemp(szHome) == nullptr) {
        state.SkipWithError("no temporary home folder");
        return;
    }
    long nPeakKib = 0;
    double dCpuMs = 0;
    for (auto _ : state) {
        const CStartRun run = RunOnce(szHome);
        if (!run.bShown) {
            state.SkipWithError("the program did not show its first page and end cleanly");
            break;
        }
        state.SetIterationTime(run.dSeconds);
        nPeakKib = std::max(nPeakKib, run.nPeakKib);
        dCpuMs += run.dCpuMs;
    }
    state.counters["peak_rss_kib"] = static_cast<double>(nPeakKib);
    state.counters["cpu_ms"] = benchmark::Counter(dCpuMs, benchmark::Counter::kAvgIterations);
    const std::string strRemove = std::string("rm -rf '") + szHome + "'";
    if (std::system(strRemove.c_str()) != 0) {
        state.SkipWithError("the temporary home folder was not removed");
    }
}
BENCHMARK(BM_StartToFirstPage)
    ->Name("Start/FirstPage")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);

}  // namespace
