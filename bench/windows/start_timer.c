/* Times how long programs take from process creation to their first wizard page on screen: a visible
 * top-level window of the process with a visible dialog (#32770) child, which is how a property
 * sheet shows its page, looked for once the program first waits for input (its windows painted) and
 * then every millisecond until it is there. Also reads the process's peak working set at that moment
 * (Wine answers with the Linux process's VmHWM), then ends it so that the next start begins clean. The
 * programs take turns, so that drift on the machine hits each alike; each first runs unmeasured, since the
 * first start loads the system's DLLs cold.
 *
 * Usage: start_timer.exe <warm-up runs> <measured runs> <program.exe>...
 * One line per program on standard output, tab-separated:
 *   <program> <runs> <median ms> <min ms> <median peak working set KiB> <min peak KiB> <file bytes>
 *   <looks at the windows after the program first waited for input, all runs together>
 * Exit status 1 (with a line on standard error) when a program ends or shows no page within
 * FIRST_PAGE_TIMEOUT_MS. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <psapi.h>

#define MAX_PROGRAMS 8
#define MAX_RUNS 1000
#define FIRST_PAGE_TIMEOUT_MS 30000
#define EXIT_TIMEOUT_MS 10000

typedef struct {
    const char* pszPath;
    double adMs[MAX_RUNS];
    double adPeakKib[MAX_RUNS];
    int nPolls; /* looks at the windows after the program first waited for input, over all runs */
} CProgramRuns;

typedef struct {
    DWORD dwProcessId;
    HWND hSheet;
} CSheetSearch;

/* A visible dialog among the window's own children: the page a property sheet shows. */
static BOOL HasVisiblePage(HWND hWnd) {
    HWND hChild = NULL;
    while ((hChild = FindWindowExA(hWnd, hChild, "#32770", NULL)) != NULL) {
        if (IsWindowVisible(hChild)) {
            return TRUE;
        }
    }
    return FALSE;
}

static BOOL CALLBACK FindSheet(HWND hWnd, LPARAM lParam) {
    CSheetSearch* pSearch = (CSheetSearch*)lParam;
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId == pSearch->dwProcessId && IsWindowVisible(hWnd) && HasVisiblePage(hWnd)) {
        pSearch->hSheet = hWnd;
        return FALSE;
    }
    return TRUE;
}

static double MillisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)(now.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

/* One start of the program, started in its own folder. Returns FALSE with a message when it shows no
 * page. */
static BOOL TimeOneStart(const char* pszPath, double* pdMs, double* pdPeakKib, int* pnPolls) {
    char szFolder[MAX_PATH];
    char szCommandLine[MAX_PATH + 2];
    char* pszSlash;
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    PROCESS_MEMORY_COUNTERS counters;
    CSheetSearch search;
    LARGE_INTEGER start;
    BOOL bShown = FALSE;

    snprintf(szFolder, sizeof szFolder, "%s", pszPath);
    pszSlash = strrchr(szFolder, '\\');
    if (pszSlash != NULL) {
        *pszSlash = '\0';
    }
    snprintf(szCommandLine, sizeof szCommandLine, "\"%s\"", pszPath);
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(pszPath, szCommandLine, NULL, NULL, FALSE, 0, NULL,
                        pszSlash != NULL ? szFolder : NULL, &startup, &process)) {
        fprintf(stderr, "%s: CreateProcess failed (%lu)\n", pszPath, GetLastError());
        return FALSE;
    }
    search.dwProcessId = process.dwProcessId;
    search.hSheet = NULL;
    /* Polling the windows from the start slows the program down (under Wine every look at another
     * process's window is a request to the one server both share), so first wait without asking
     * until the program waits for input, which a sheet does once it is up. */
    WaitForInputIdle(process.hProcess, FIRST_PAGE_TIMEOUT_MS);
    while (MillisecondsSince(start) < FIRST_PAGE_TIMEOUT_MS) {
        EnumWindows(FindSheet, (LPARAM)&search);
        if (search.hSheet != NULL) {
            bShown = TRUE;
            break;
        }
        ++*pnPolls;
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            break;
        }
    }
    if (bShown) {
        *pdMs = MillisecondsSince(start);
        ZeroMemory(&counters, sizeof counters);
        counters.cb = sizeof counters;
        *pdPeakKib = GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)
                         ? (double)counters.PeakWorkingSetSize / 1024.0
                         : 0.0;
    } else {
        DWORD dwExit = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &dwExit);
        if (dwExit == STILL_ACTIVE) {
            fprintf(stderr, "%s: no page within %d ms\n", pszPath, FIRST_PAGE_TIMEOUT_MS);
        } else {
            fprintf(stderr, "%s: ended with status %lu before showing a page\n", pszPath, dwExit);
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, EXIT_TIMEOUT_MS);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return bShown;
}

static int CompareDoubles(const void* pLeft, const void* pRight) {
    double dLeft = *(const double*)pLeft;
    double dRight = *(const double*)pRight;
    return dLeft < dRight ? -1 : dLeft > dRight ? 1 : 0;
}

/* Sorts the values. */
static double Median(double* adValues, int nCount) {
    qsort(adValues, (size_t)nCount, sizeof adValues[0], CompareDoubles);
    return nCount % 2 == 1 ? adValues[nCount / 2] : (adValues[nCount / 2 - 1] + adValues[nCount / 2]) / 2;
}

static long long FileBytes(const char* pszPath) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(pszPath, GetFileExInfoStandard, &data)) {
        return -1;
    }
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

static CProgramRuns s_programs[MAX_PROGRAMS];

int main(int argc, char** argv) {
    int nWarmUps;
    int nRuns;
    int nPrograms = argc - 3;
    int i;
    int nRun;
    double dIgnored;
    int nIgnored = 0;
    if (argc < 4 || nPrograms > MAX_PROGRAMS) {
        fprintf(stderr, "usage: start_timer <warm-up runs> <measured runs> <program.exe>... (at most %d)\n",
                MAX_PROGRAMS);
        return 2;
    }
    nWarmUps = atoi(argv[1]);
    nRuns = atoi(argv[2]);
    if (nWarmUps < 0 || nRuns < 1 || nRuns > MAX_RUNS) {
        fprintf(stderr, "start_timer: warm-up runs at least 0, measured runs 1 to %d\n", MAX_RUNS);
        return 2;
    }
    for (i = 0; i < nPrograms; ++i) {
        s_programs[i].pszPath = argv[3 + i];
        for (nRun = 0; nRun < nWarmUps; ++nRun) {
            if (!TimeOneStart(s_programs[i].pszPath, &dIgnored, &dIgnored, &nIgnored)) {
                return 1;
            }
        }
    }
    for (nRun = 0; nRun < nRuns; ++nRun) {
        for (i = 0; i < nPrograms; ++i) {
            CProgramRuns* pProgram = &s_programs[i];
            if (!TimeOneStart(pProgram->pszPath, &pProgram->adMs[nRun], &pProgram->adPeakKib[nRun],
                              &pProgram->nPolls)) {
                return 1;
            }
        }
    }
    for (i = 0; i < nPrograms; ++i) {
        CProgramRuns* pProgram = &s_programs[i];
        const double dMs = Median(pProgram->adMs, nRuns);
        const double dPeakKib = Median(pProgram->adPeakKib, nRuns);
        printf("%s\t%d\t%.1f\t%.1f\t%.0f\t%.0f\t%lld\t%d\n", pProgram->pszPath, nRuns, dMs, pProgram->adMs[0],
               dPeakKib, pProgram->adPeakKib[0], FileBytes(pProgram->pszPath), pProgram->nPolls);
    }
    fflush(stdout);
    return 0;
}
