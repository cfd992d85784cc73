#include "e2e/wine/wlanapi/dll_module.h"

#include <windows.h>

namespace {

// Kernel32 only: this runs under the loader lock.
void AppendToLog(const char* pszLine) {
    char szPath[MAX_PATH];
    const DWORD cch = GetEnvironmentVariableA("NIMBREL_WLAN_LOG", szPath, sizeof szPath);
    if (cch == 0 || cch >= sizeof szPath) {
        return;
    }
    const HANDLE hFile = CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD cbWritten = 0;
    WriteFile(hFile, pszLine, lstrlenA(pszLine), &cbWritten, nullptr);
    CloseHandle(hFile);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID pReserved) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        AppendToLog("attach\n");
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AppendToLog(pReserved == nullptr ? "detach\n" : "exit\n");
    }
    return TRUE;
}
