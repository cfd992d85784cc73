#include "ui/win32/win32_sheet_run.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

namespace win32 {
namespace {
constexpr UINT_PTR CHECK_LIST_SUBCLASS = 1;
constexpr UINT_PTR SHEET_SUBCLASS = 2;

struct CPageContext {
    ISheetEvents* pEvents = nullptr;
    int nIndex = 0;
};

// The one sheet that runs: PSCB_INITIALIZED carries no context of its own.
struct CRun {
    ISheetEvents* pEvents = nullptr;
};
CRun* g_pRun = nullptr;
CSheetRunProbe* g_pProbe = nullptr;

// A test made this call answer as a refused one.
bool Refused(ESheetCall eCall) {
    return g_pProbe != nullptr && g_pProbe->eFail == eCall;
}
void Record(HGDIOBJ hObject) {
    if (g_pProbe != nullptr) {
        g_pProbe->ahGdiObjects.push_back(hObject);
    }
}

// The check state of an item is its item data: 0 or 1.
bool ToggleItem(HWND hList, int nItem) {
    if (nItem < 0 || nItem >= static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0))) {
        return false;
    }
    const LRESULT nCheck = SendMessageA(hList, LB_GETITEMDATA, static_cast<WPARAM>(nItem), 0);
    SendMessageA(hList, LB_SETITEMDATA, static_cast<WPARAM>(nItem), nCheck == 1 ? 0 : 1);
    RedrawListItem(hList, nItem);
    return true;
}

// The item under a click when the click is on its check box, else -1.
int CheckBoxHit(HWND hList, LPARAM lParam) {
    const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const LRESULT nHit = SendMessageA(hList, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    if (HIWORD(nHit) != 0) {
        return -1;  // below the last item
    }
    const int nItem = LOWORD(nHit);
    RECT rect{};
    SendMessageA(hList, LB_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&rect));
    return pt.x >= rect.left && pt.x < rect.left + CheckBoxSize() + 2 && PtInRect(&rect, pt) ? nItem : -1;
}

LRESULT CALLBACK CheckListProc(HWND hList, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR /*nId*/,
                               DWORD_PTR /*dwData*/) {
    switch (nMsg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ToggleItem(hList, CheckBoxHit(hList, lParam));
            break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                ToggleItem(hList, static_cast<int>(SendMessageA(hList, LB_GETCURSEL, 0, 0)));
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == ' ') {
                return 0;  // the space toggled on WM_KEYDOWN; no incremental search for it
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hList, CheckListProc, CHECK_LIST_SUBCLASS);
            break;
        default:
            break;
    }
    return DefSubclassProc(hList, nMsg, wParam, lParam);
}

void DrawCheckItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) {
            DrawFocusRect(item.hDC, &item.rcItem);
        }
        return;
    }
    const bool bSelected = (item.itemState & ODS_SELECTED) != 0;
    const int nBox = CheckBoxSize();
    RECT rcBox = item.rcItem;
    rcBox.right = rcBox.left + nBox + 2;
    FillRect(item.hDC, &rcBox, GetSysColorBrush(COLOR_WINDOW));
    RECT rcCheck{rcBox.left + 1, rcBox.top + (rcBox.bottom - rcBox.top - nBox) / 2, 0, 0};
    rcCheck.right = rcCheck.left + nBox;
    rcCheck.bottom = rcCheck.top + nBox;
    const bool bChecked = SendMessageA(item.hwndItem, LB_GETITEMDATA, item.itemID, 0) == 1;
    DrawFrameControl(item.hDC, &rcCheck, DFC_BUTTON, DFCS_BUTTONCHECK | (bChecked ? DFCS_CHECKED : 0));

    RECT rcText = item.rcItem;
    rcText.left = rcBox.right;
    FillRect(item.hDC, &rcText, GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::string strText = ListText(item.hwndItem, static_cast<int>(item.itemID));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    rcText.left += 2;
    DrawTextA(item.hDC, strText.c_str(), -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

// Items tall enough for the dialog font and the check box.
void MeasureCheckItem(HWND hDialog, MEASUREITEMSTRUCT& item) {
    TEXTMETRICA metrics{};
    if (HDC hDC = GetDC(hDialog)) {
        const HGDIOBJ hOld =
            SelectObject(hDC, reinterpret_cast<HGDIOBJ>(SendMessageA(hDialog, WM_GETFONT, 0, 0)));
        GetTextMetricsA(hDC, &metrics);
        SelectObject(hDC, hOld);
        ReleaseDC(hDialog, hDC);
    }
    item.itemHeight = static_cast<UINT>(std::max<LONG>(metrics.tmHeight, CheckBoxSize() + 2));
}

void SubclassCheckLists(HWND hDialog) {
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (ClassName(hChild) == "ListBox" && IsCheckListStyle(Style(hChild))) {
            SetWindowSubclass(hChild, CheckListProc, CHECK_LIST_SUBCLASS, 0);
        }
    }
}

INT_PTR Answer(HWND hDialog, LONG_PTR nResult) {
    SetWindowLongPtrA(hDialog, DWLP_MSGRESULT, nResult);
    return TRUE;
}

INT_PTR OnNotify(HWND hDialog, const CPageContext& page, const NMHDR& header) {
    ISheetEvents& events = *page.pEvents;
    switch (header.code) {
        case PSN_SETACTIVE:
            return Answer(hDialog, events.OnSetActive(page.nIndex) ? 0 : -1);
        case PSN_WIZNEXT:
        case PSN_WIZBACK: {
            // 0 and -1 pass as they are; a template number names its page as MAKEINTRESOURCE.
            const long nTarget = events.OnWizardStep(page.nIndex, header.code == PSN_WIZNEXT ? +1 : -1);
            return Answer(hDialog,
                          nTarget == 0 || nTarget == -1
                              ? nTarget
                              : reinterpret_cast<LONG_PTR>(MAKEINTRESOURCEA(static_cast<WORD>(nTarget))));
        }
        case PSN_WIZFINISH:
            return Answer(hDialog, events.OnWizardFinish(page.nIndex) ? FALSE : TRUE);
        case PSN_QUERYCANCEL:
            events.OnCancel(page.nIndex);
            return Answer(hDialog, FALSE);
        case PSN_HELP:
            events.OnHelpButton(page.nIndex);
            return Answer(hDialog, 0);
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK PageProc(HWND hDialog, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pPage = reinterpret_cast<CPageContext*>(GetWindowLongPtrA(hDialog, DWLP_USER));
    switch (nMsg) {
        case WM_INITDIALOG:
            pPage = reinterpret_cast<CPageContext*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
            SetWindowLongPtrA(hDialog, DWLP_USER, reinterpret_cast<LONG_PTR>(pPage));
            SubclassCheckLists(hDialog);
            pPage->pEvents->OnPageCreated(pPage->nIndex, hDialog);
            return TRUE;
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_LISTBOX) {
                return FALSE;
            }
            MeasureCheckItem(hDialog, item);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_LISTBOX) {
                return FALSE;
            }
            DrawCheckItem(item);
            return TRUE;
        }
        case WM_NOTIFY:
            return pPage != nullptr ? OnNotify(hDialog, *pPage, *reinterpret_cast<const NMHDR*>(lParam))
                                    : FALSE;
        case WM_COMMAND:
            if (pPage != nullptr && lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
                pPage->pEvents->OnCommand(pPage->nIndex, LOWORD(wParam));
            }
            return FALSE;
        case WM_CTLCOLORSTATIC: {
            if (pPage == nullptr) {
                return FALSE;
            }
            std::uint32_t crText = 0;
            std::uint32_t crTextBack = 0;
            if (!pPage->pEvents->OnCtlColor(pPage->nIndex, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)),
                                            &crText, &crTextBack)) {
                return FALSE;
            }
            // The platform's own handling first (its brush stays the control's background), then the
            // page's colours for the text.
            const LRESULT hBrush = DefWindowProcA(hDialog, nMsg, wParam, lParam);
            SetTextColor(reinterpret_cast<HDC>(wParam), crText);
            SetBkColor(reinterpret_cast<HDC>(wParam), crTextBack);
            return static_cast<INT_PTR>(hBrush);
        }
        default:
            return FALSE;
    }
}

LRESULT CALLBACK SheetProc(HWND hSheet, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR /*nId*/,
                           DWORD_PTR /*dwData*/) {
    if (nMsg == WM_HELP && g_pRun != nullptr) {
        return g_pRun->pEvents->OnHelpInfo() ? TRUE : FALSE;
    }
    if (nMsg == WM_NCDESTROY) {
        RemoveWindowSubclass(hSheet, SheetProc, SHEET_SUBCLASS);
    }
    return DefSubclassProc(hSheet, nMsg, wParam, lParam);
}

int CALLBACK SheetCallback(HWND hSheet, UINT nMsg, LPARAM /*lParam*/) {
    if (nMsg == PSCB_INITIALIZED && g_pRun != nullptr) {
        SetWindowSubclass(hSheet, SheetProc, SHEET_SUBCLASS, 0);
        g_pRun->pEvents->OnSheetCreated(hSheet);
    }
    return 0;
}

// The handles the run makes, each released once whatever path the run leaves by.
struct CScreenDc {
    HDC hDC = Refused(ESheetCall::GET_DC) ? nullptr : GetDC(nullptr);
    ~CScreenDc() {
        if (hDC != nullptr) {
            ReleaseDC(nullptr, hDC);
        }
    }
};
struct CMemoryDc {
    HDC hDC = nullptr;
    ~CMemoryDc() {
        if (hDC != nullptr) {
            DeleteDC(hDC);
        }
    }
};
struct CBitmap {
    HBITMAP hBitmap = nullptr;
    ~CBitmap() {
        if (hBitmap != nullptr) {
            DeleteObject(hBitmap);
        }
    }
};
// Pages made and not (yet) handed to PropertySheetA, which takes them over.
struct CPages {
    std::vector<HPROPSHEETPAGE> ahPages;
    ~CPages() {
        for (HPROPSHEETPAGE hPage : ahPages) {
            DestroyPropertySheetPage(hPage);
        }
    }
};

// The image drawn into a new bitmap compatible with the screen; false when any call fails.
bool MakeBitmap(HDC hScreen, HDC hMemory, const CImageSpec& image, CBitmap* pBitmap) {
    pBitmap->hBitmap = Refused(ESheetCall::CREATE_BITMAP)
                           ? nullptr
                           : CreateCompatibleBitmap(hScreen, image.nWidth, image.nHeight);
    if (pBitmap->hBitmap == nullptr) {
        return false;
    }
    Record(pBitmap->hBitmap);
    const HGDIOBJ hOld = SelectObject(hMemory, pBitmap->hBitmap);
    if (hOld == nullptr || hOld == HGDI_ERROR) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.nWidth;
    info.bmiHeader.biHeight = -image.nHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int nLines = Refused(ESheetCall::STRETCH_DIBITS)
                           ? 0
                           : StretchDIBits(hMemory, 0, 0, image.nWidth, image.nHeight, 0, 0, image.nWidth,
                                           image.nHeight, image.pPixels, &info, DIB_RGB_COLORS, SRCCOPY);
    SelectObject(hMemory, hOld);
    // 0 lines, or GDI_ERROR, is a failure.
    return nLines > 0;
}
}  // namespace

int CheckBoxSize() {
    // The check mark's size as menus draw it; the system scales it with the DPI for a DPI-aware program.
    const int nSize = GetSystemMetrics(SM_CXMENUCHECK);
    return nSize > 0 ? nSize : 13;
}

void SetSheetRunProbe(CSheetRunProbe* pProbe) {
    g_pProbe = pProbe;
}

Lresult RunPropertySheet(Hinstance hInstance, std::uint32_t dwHeaderFlags, const std::string& strCaption,
                         const std::vector<CPageSpec>& pages, const CImageSpec& watermark,
                         const CImageSpec& header, ISheetEvents& events) {
    constexpr INT_PTR NOT_SHOWN = -1;
    CScreenDc screen;
    if (screen.hDC == nullptr) {
        return NOT_SHOWN;
    }
    CMemoryDc memory;
    memory.hDC = Refused(ESheetCall::CREATE_DC) ? nullptr : CreateCompatibleDC(screen.hDC);
    if (memory.hDC == nullptr) {
        return NOT_SHOWN;
    }
    Record(memory.hDC);
    CBitmap watermarkBitmap;
    CBitmap headerBitmap;
    if (!MakeBitmap(screen.hDC, memory.hDC, watermark, &watermarkBitmap) ||
        !MakeBitmap(screen.hDC, memory.hDC, header, &headerBitmap)) {
        return NOT_SHOWN;
    }

    std::vector<CPageContext> contexts(pages.size());
    CPages made;
    for (size_t i = 0; i < pages.size(); ++i) {
        const CPageSpec& spec = pages[i];
        contexts[i] = {&events, static_cast<int>(i)};
        PROPSHEETPAGEA page{};
        // A record too small for any version is refused by the system: how a test makes the last page
        // fail.
        const bool bRefuse = Refused(ESheetCall::CREATE_PAGE) && i + 1 == pages.size();
        page.dwSize = bRefuse ? 0 : sizeof(page);
        // Every page shows the Help button: the application has a Help command.
        page.dwFlags = spec.dwFlags | PSP_HASHELP | (spec.strTitle.empty() ? 0 : PSP_USETITLE);
        page.hInstance = static_cast<HINSTANCE>(hInstance);
        page.pszTemplate = MAKEINTRESOURCEA(spec.nTemplateId);
        page.pfnDlgProc = PageProc;
        page.pszTitle = spec.strTitle.c_str();
        page.pszHeaderTitle = spec.strHeaderTitle.c_str();
        page.pszHeaderSubTitle = spec.strHeaderSubTitle.c_str();
        page.lParam = reinterpret_cast<LPARAM>(&contexts[i]);
        if (g_pProbe != nullptr) {
            g_pProbe->adwPageFlags.push_back(page.dwFlags);
        }
        HPROPSHEETPAGE hPage = CreatePropertySheetPageA(&page);
        if (hPage == nullptr) {
            return NOT_SHOWN;
        }
        made.ahPages.push_back(hPage);
    }

    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = dwHeaderFlags | PSH_USECALLBACK | PSH_HASHELP;
    sheet.hInstance = static_cast<HINSTANCE>(hInstance);
    sheet.pszCaption = strCaption.c_str();
    sheet.nPages = static_cast<UINT>(made.ahPages.size());
    sheet.nStartPage = 0;
    sheet.phpage = made.ahPages.data();
    sheet.pfnCallback = SheetCallback;
    sheet.hbmWatermark = watermarkBitmap.hBitmap;
    sheet.hbmHeader = headerBitmap.hBitmap;
    if (g_pProbe != nullptr) {
        g_pProbe->dwHeaderFlags = sheet.dwFlags;
        g_pProbe->bHeaderBitmaps = sheet.hbmWatermark != nullptr && sheet.hbmHeader != nullptr;
        g_pProbe->bPropertySheetCalled = true;
    }

    CRun run{&events};
    g_pRun = &run;
    // A refused sheet answers as PropertySheetA does when it fails; the pages stay ours then.
    const bool bRefuse = Refused(ESheetCall::PROPERTY_SHEET);
    const INT_PTR nResult = bRefuse ? NOT_SHOWN : PropertySheetA(&sheet);
    g_pRun = nullptr;
    if (!bRefuse) {
        made.ahPages.clear();  // the sheet took them over, whether it showed them or not
    }
    return nResult;
}

}  // namespace win32
