/* Prints what a user sees of a top-level window of another program under Wine: its caption, then one
 * line per visible child window (class|id|enabled|text), so that a test can tell which wizard page is
 * showing and which buttons are live. Usage: window_probe.exe "<caption>". Exit status 2 when no
 * such window exists. */
#include <stdio.h>
#include <windows.h>

static BOOL CALLBACK PrintChild(HWND hWnd, LPARAM lParam) {
    char szClass[64] = "";
    char szText[1024] = "";
    (void)lParam;
    if (!IsWindowVisible(hWnd)) {
        return TRUE;
    }
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szText, sizeof(szText));
    printf("%s|%d|%d|%s\n", szClass, GetDlgCtrlID(hWnd), IsWindowEnabled(hWnd) ? 1 : 0, szText);
    return TRUE;
}

int main(int argc, char** argv) {
    HWND hWnd;
    char szText[1024] = "";
    if (argc < 2) {
        fprintf(stderr, "usage: window_probe <caption>\n");
        return 1;
    }
    hWnd = FindWindowA(NULL, argv[1]);
    if (hWnd == NULL) {
        return 2;
    }
    GetWindowTextA(hWnd, szText, sizeof(szText));
    printf("window|0|%d|%s\n", IsWindowEnabled(hWnd) ? 1 : 0, szText);
    EnumChildWindows(hWnd, PrintChild, 0);
    return 0;
}
