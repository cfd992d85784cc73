/* The yardstick for the Windows program's start: the least a comctl32 wizard can be, one empty
 * Wizard97 page from a dialog template, no header or watermark bitmaps. It carries the program's own
 * manifest (bare_wizard.rc), so both load the same comctl32. */
#include <windows.h>

#include <commctrl.h>

#include "bench/windows/bare_wizard_ids.h"

static INT_PTR CALLBACK PageProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    (void)wParam;
    if (uMsg == WM_NOTIFY && ((NMHDR*)lParam)->code == PSN_SETACTIVE) {
        PropSheet_SetWizButtons(GetParent(hWnd), PSWIZB_FINISH);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszCmdLine, int nShowCmd) {
    PROPSHEETPAGEW page;
    HPROPSHEETPAGE hPage;
    PROPSHEETHEADERW header;
    (void)hPrevInstance;
    (void)pszCmdLine;
    (void)nShowCmd;

    ZeroMemory(&page, sizeof page);
    page.dwSize = sizeof page;
    page.hInstance = hInstance;
    page.pszTemplate = MAKEINTRESOURCEW(IDD_BARE_PAGE);
    page.pfnDlgProc = PageProc;
    hPage = CreatePropertySheetPageW(&page);
    if (hPage == NULL) {
        return 1;
    }

    ZeroMemory(&header, sizeof header);
    header.dwSize = sizeof header;
    header.dwFlags = PSH_WIZARD97;
    header.hInstance = hInstance;
    header.pszCaption = L"Bare wizard";
    header.nPages = 1;
    header.phpage = &hPage;
    return PropertySheetW(&header) < 0 ? 1 : 0;
}
