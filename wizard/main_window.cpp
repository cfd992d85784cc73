#include "wizard/main_window.h"

namespace {
ISheetWindow* g_pMainWnd = nullptr;
}

ISheetWindow* AfxGetMainWnd() {
    return g_pMainWnd;
}

void AfxSetMainWnd(ISheetWindow* pWindow) {
    g_pMainWnd = pWindow;
}
