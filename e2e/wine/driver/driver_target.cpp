// The UI driver's own test target (e2e/wine/driver_test.sh): a two-page wizard "Driver Target" with
// an owner-drawn check list whose ticks are item data, an edit, a button that shows a message box,
// a report list view, and a progress popup whose caption steps through four percentages, stops on
// Esc and closes at once after the last. It prints what the user did to it when it ends.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>

namespace {

constexpr int ID_LIST = 1008;
constexpr int ID_EDIT = 1014;
constexpr int ID_SHOW = 1011;
constexpr int ID_LISTVIEW = 1019;
constexpr int ID_RUN = 1013;
constexpr char POPUP_CLASS[] = "DriverTargetPopup";

LRESULT g_anTicks[2] = {1, 0};
int g_nHelpPresses = 0;

LRESULT CALLBACK ListProc(HWND hList, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (nMsg == WM_KEYDOWN && wParam == VK_SPACE) {
        const LRESULT nItem = SendMessageA(hList, LB_GETCURSEL, 0, 0);
        if (nItem >= 0) {
            const LRESULT nTick = SendMessageA(hList, LB_GETITEMDATA, nItem, 0);
            SendMessageA(hList, LB_SETITEMDATA, nItem, nTick == 1 ? 0 : 1);
        }
        return 0;
    }
    return DefSubclassProc(hList, nMsg, wParam, lParam);
}

void FillFirstPage(HWND hPage) {
    const HWND hList = GetDlgItem(hPage, ID_LIST);
    const char* apszItems[] = {"Ticked adapter", "Unticked adapter"};
    for (int i = 0; i < 2; ++i) {
        SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(apszItems[i]));
        SendMessageA(hList, LB_SETITEMDATA, i, g_anTicks[i]);
    }
    SetWindowSubclass(hList, ListProc, 1, 0);
    SetDlgItemTextA(hPage, ID_EDIT, "Edit text");

    const HWND hView = GetDlgItem(hPage, ID_LISTVIEW);
    const char* apszColumns[] = {"#", "SSID", "Ch"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 60;
        column.pszText = const_cast<char*>(apszColumns[i]);
        SendMessageA(hView, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char* apszCells[2][3] = {{"1", "Cafe|Guest", "11"}, {"2", "", "6"}};
    for (int nRow = 0; nRow < 2; ++nRow) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = nRow;
        item.pszText = const_cast<char*>(apszCells[nRow][0]);
        SendMessageA(hView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int nColumn = 1; nColumn < 3; ++nColumn) {
            item.iSubItem = nColumn;
            item.pszText = const_cast<char*>(apszCells[nRow][nColumn]);
            SendMessageA(hView, LVM_SETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item));
        }
    }
}

// Pumps the thread's messages for a while; true when Esc was typed into the popup.
bool PumpFor(HWND hPopup, DWORD dwMs) {
    const DWORD dwStart = GetTickCount();
    while (GetTickCount() - dwStart < dwMs) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == hPopup && msg.message == WM_CHAR && msg.wParam == VK_ESCAPE) {
                return true;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return false;
}

void RunPopup(HWND hPage) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = POPUP_CLASS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    const HWND hPopup =
        CreateWindowExA(WS_EX_DLGMODALFRAME, POPUP_CLASS, "Wireless Scan", WS_POPUP | WS_CAPTION, 37, 41, 300,
                        100, GetParent(hPage), nullptr, wc.hInstance, nullptr);
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 30, hPopup,
                    reinterpret_cast<HMENU>(11), wc.hInstance, nullptr);
    CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 50, 200, 16, hPopup,
                    reinterpret_cast<HMENU>(12), wc.hInstance, nullptr);
    ShowWindow(hPopup, SW_SHOWNA);
    bool bCancelled = false;
    for (int nStep = 1; nStep <= 4 && !bCancelled; ++nStep) {
        char szCaption[32];
        std::snprintf(szCaption, sizeof(szCaption), "Progress [%d%%]", nStep * 25);
        SetWindowTextA(hPopup, szCaption);
        std::snprintf(szCaption, sizeof(szCaption), "Step\n#%d...", nStep);
        SetDlgItemTextA(hPopup, 11, szCaption);
        // Blocked as a scan blocks the program's thread; the last caption lives only for an instant.
        if (nStep < 4) {
            Sleep(1500);
            bCancelled = PumpFor(hPopup, 100);
        }
    }
    if (bCancelled) {
        SetWindowTextA(hPopup, "Cancelled");
    }
    DestroyWindow(hPopup);
    std::printf("target: popup %s\n", bCancelled ? "cancelled" : "completed");
}

INT_PTR CALLBACK PageProc(HWND hPage, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_INITDIALOG:
            if (reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam == 201) {
                FillFirstPage(hPage);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == ID_SHOW) {
                MessageBoxA(GetParent(hPage), "Target message.", "Target", MB_OK);
            } else if (LOWORD(wParam) == ID_RUN) {
                RunPopup(hPage);
            }
            return TRUE;
        case WM_NOTIFY: {
            const NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
            if (pHeader->code == PSN_SETACTIVE) {
                PostMessageA(GetParent(hPage), PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_NEXT);
            } else if (pHeader->code == PSN_HELP) {
                ++g_nHelpPresses;
            } else if (pHeader->code == PSN_WIZFINISH) {
                const HWND hList = GetDlgItem(PropSheet_IndexToHwnd(GetParent(hPage), 0), ID_LIST);
                for (int i = 0; i < 2; ++i) {
                    g_anTicks[i] = SendMessageA(hList, LB_GETITEMDATA, i, 0);
                }
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&init);
    HPROPSHEETPAGE ahPages[2];
    for (int i = 0; i < 2; ++i) {
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof(page);
        page.dwFlags = PSP_HASHELP;
        page.hInstance = GetModuleHandleA(nullptr);
        page.pszTemplate = MAKEINTRESOURCEA(201 + i);
        page.pfnDlgProc = PageProc;
        page.lParam = 201 + i;
        ahPages[i] = CreatePropertySheetPageA(&page);
    }
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_WIZARD | PSH_HASHELP;
    sheet.hInstance = GetModuleHandleA(nullptr);
    sheet.pszCaption = "Driver Target";
    sheet.nPages = 2;
    sheet.phpage = ahPages;
    const INT_PTR nResult = PropertySheetA(&sheet);
    std::printf("target: result %d ticks %d %d help %d\n", static_cast<int>(nResult),
                static_cast<int>(g_anTicks[0]), static_cast<int>(g_anTicks[1]), g_nHelpPresses);
    return 0;
}
