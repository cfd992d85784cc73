/* The caption recorder of the UI driver: a global WH_CALLWNDPROCRET hook that the system loads into
 * every process with windows while the driver runs. Each new caption of a top-level window is
 * appended, as the process saw it at that moment, to the log beside this DLL (<dll path>.log):
 * "<program>\t<window class>\t<caption>". A caption that lives only for a few milliseconds, such as
 * the progress popup's last percentage just before it closes, cannot be missed this way, where
 * polling from outside could. */
#include <string.h>
#include <windows.h>

static char g_szLog[MAX_PATH + 8];

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved) {
    (void)pReserved;
    if (dwReason == DLL_PROCESS_ATTACH) {
        DWORD n = GetModuleFileNameA(hInstance, g_szLog, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) {
            g_szLog[0] = '\0';
        } else {
            strcat(g_szLog, ".log");
        }
    }
    return TRUE;
}

static void AppendLine(const char* pszLine, DWORD nBytes) {
    HANDLE hFile = CreateFileA(g_szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD nWritten = 0;
    WriteFile(hFile, pszLine, nBytes, &nWritten, NULL);
    CloseHandle(hFile);
}

__declspec(dllexport) LRESULT CALLBACK CaptionHook(int nCode, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* pMsg = (const CWPRETSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMsg != NULL && pMsg->message == WM_SETTEXT && g_szLog[0] != '\0' &&
        GetAncestor(pMsg->hwnd, GA_PARENT) == GetDesktopWindow()) {
        char szProgram[MAX_PATH] = "";
        char szClass[128] = "";
        char szCaption[512] = "";
        char szLine[MAX_PATH + 128 + 512 + 4];
        char* pszBase;
        GetModuleFileNameA(NULL, szProgram, sizeof(szProgram));
        pszBase = strrchr(szProgram, '\\');
        pszBase = pszBase != NULL ? pszBase + 1 : szProgram;
        GetClassNameA(pMsg->hwnd, szClass, sizeof(szClass));
        GetWindowTextA(pMsg->hwnd, szCaption, sizeof(szCaption));
        wsprintfA(szLine, "%s\t%s\t%s\n", pszBase, szClass, szCaption);
        AppendLine(szLine, (DWORD)lstrlenA(szLine));
    }
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}
