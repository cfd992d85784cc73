// One Win32 call or message per function of win32_api.h.
#include "ui/win32/win32_api.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <type_traits>

namespace win32 {
namespace {
HWND H(Hwnd hWnd) {
    return static_cast<HWND>(hWnd);
}
}  // namespace

Lresult Send(Hwnd hWnd, unsigned nMsg, Wparam wParam, Lparam lParam) {
    return SendMessageA(H(hWnd), nMsg, wParam, lParam);
}

bool Post(Hwnd hWnd, unsigned nMsg, Wparam wParam, Lparam lParam) {
    return PostMessageA(H(hWnd), nMsg, wParam, lParam) != FALSE;
}

std::string GetText(Hwnd hWnd) {
    const int nLength = GetWindowTextLengthA(H(hWnd));
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    const int nCopied = GetWindowTextA(H(hWnd), strText.data(), nLength + 1);
    strText.resize(nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
    return strText;
}

void SetText(Hwnd hWnd, const std::string& strText) {
    SetWindowTextA(H(hWnd), strText.c_str());
}

Hwnd Child(Hwnd hDialog, int nId) {
    return GetDlgItem(H(hDialog), nId);
}

int ControlId(Hwnd hWnd) {
    return GetDlgCtrlID(H(hWnd));
}

std::string ClassName(Hwnd hWnd) {
    char szClass[64] = {};
    GetClassNameA(H(hWnd), szClass, sizeof(szClass));
    return szClass;
}

std::uint32_t Style(Hwnd hWnd) {
    return static_cast<std::uint32_t>(GetWindowLongPtrA(H(hWnd), GWL_STYLE));
}

bool IsWindow(Hwnd hWnd) {
    return hWnd != nullptr && ::IsWindow(H(hWnd)) != FALSE;
}

bool IsEnabled(Hwnd hWnd) {
    return IsWindowEnabled(H(hWnd)) != FALSE;
}

bool IsVisible(Hwnd hWnd) {
    return IsWindowVisible(H(hWnd)) != FALSE;
}

Hwnd Parent(Hwnd hWnd) {
    return GetParent(H(hWnd));
}

CBox ClientBox(Hwnd hWnd) {
    RECT rect{};
    GetClientRect(H(hWnd), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CBox WindowBox(Hwnd hWnd) {
    RECT rect{};
    GetWindowRect(H(hWnd), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::string ResourceString(Hinstance hInstance, unsigned nId) {
    char szText[1024] = {};
    const int nLength = LoadStringA(static_cast<HINSTANCE>(hInstance), nId, szText, sizeof(szText));
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

int ButtonCheck(Hwnd hButton) {
    return static_cast<int>(SendMessageA(H(hButton), BM_GETCHECK, 0, 0));
}

void SetButtonCheck(Hwnd hButton, int nCheck) {
    SendMessageA(H(hButton), BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

int ListAddString(Hwnd hList, const std::string& strItem) {
    return static_cast<int>(
        SendMessageA(H(hList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strItem.c_str())));
}

int ListDeleteString(Hwnd hList, int nIndex) {
    return static_cast<int>(SendMessageA(H(hList), LB_DELETESTRING, static_cast<WPARAM>(nIndex), 0));
}

int ListCount(Hwnd hList) {
    return static_cast<int>(SendMessageA(H(hList), LB_GETCOUNT, 0, 0));
}

std::string ListText(Hwnd hList, int nIndex) {
    const LRESULT nLength = SendMessageA(H(hList), LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (nLength == LB_ERR) {
        return {};
    }
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    const LRESULT nCopied = SendMessageA(H(hList), LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                         reinterpret_cast<LPARAM>(strText.data()));
    strText.resize(nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
    return strText;
}

Lparam ListItemData(Hwnd hList, int nIndex) {
    return SendMessageA(H(hList), LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
}

void SetListItemData(Hwnd hList, int nIndex, Lparam lData) {
    SendMessageA(H(hList), LB_SETITEMDATA, static_cast<WPARAM>(nIndex), lData);
}

void RedrawListItem(Hwnd hList, int nIndex) {
    RECT rect{};
    if (SendMessageA(H(hList), LB_GETITEMRECT, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
        InvalidateRect(H(hList), &rect, TRUE);
    }
}

bool IsCheckListStyle(std::uint32_t dwStyle) {
    return (dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0 && (dwStyle & LBS_HASSTRINGS) != 0;
}

std::uint32_t ListViewExStyle(Hwnd hList) {
    return static_cast<std::uint32_t>(SendMessageA(H(hList), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

void SetListViewExStyle(Hwnd hList, std::uint32_t dwExStyle) {
    SendMessageA(H(hList), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwExStyle));
}

int ListViewInsertColumn(Hwnd hList, int nCol, const std::string& strHeading, int nFormat) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = nFormat;
    column.pszText = const_cast<char*>(strHeading.c_str());
    column.iSubItem = nCol;
    return static_cast<int>(SendMessageA(H(hList), LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol),
                                         reinterpret_cast<LPARAM>(&column)));
}

bool ListViewSetColumnWidth(Hwnd hList, int nCol, int cx) {
    return SendMessageA(H(hList), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)) != FALSE;
}

int ListViewColumnWidth(Hwnd hList, int nCol) {
    return static_cast<int>(SendMessageA(H(hList), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol), 0));
}

int ListViewStringWidth(Hwnd hList, const std::string& strText) {
    return static_cast<int>(
        SendMessageA(H(hList), LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(strText.c_str())));
}

int ListViewInsertItem(Hwnd hList, int nItem, const std::string& strText, Lparam lParam) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(strText.c_str());
    item.lParam = lParam;
    return static_cast<int>(SendMessageA(H(hList), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListViewSetItemText(Hwnd hList, int nItem, int nSubItem, const std::string& strText) {
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(strText.c_str());
    return SendMessageA(H(hList), LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem),
                        reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::string ListViewItemText(Hwnd hList, int nItem, int nSubItem) {
    char szText[1024] = {};
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    const LRESULT nLength =
        SendMessageA(H(hList), LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

Lparam ListViewItemData(Hwnd hList, int nItem) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return SendMessageA(H(hList), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

int ListViewItemCount(Hwnd hList) {
    return static_cast<int>(SendMessageA(H(hList), LVM_GETITEMCOUNT, 0, 0));
}

bool ListViewDeleteAllItems(Hwnd hList) {
    return SendMessageA(H(hList), LVM_DELETEALLITEMS, 0, 0) != FALSE;
}

bool ListViewSortItems(Hwnd hList, CompareFn pfnCompare, Lparam lParamSort) {
    // The page's comparison has the platform's signature (three pointer-sized integers, int result)
    // and convention; the cast only bridges intptr_t and LONG_PTR, which are int and long on 32 bits.
    static_assert(std::is_same_v<CompareFn, int(CALLBACK*)(Lparam, Lparam, Lparam)>);
    static_assert(sizeof(Lparam) == sizeof(LPARAM));
    return SendMessageA(H(hList), LVM_SORTITEMS, static_cast<WPARAM>(lParamSort),
                        reinterpret_cast<LPARAM>(reinterpret_cast<PFNLVCOMPARE>(pfnCompare))) != FALSE;
}

int ListViewColumnCount(Hwnd hList) {
    const HWND hHeader = reinterpret_cast<HWND>(SendMessageA(H(hList), LVM_GETHEADER, 0, 0));
    return hHeader != nullptr ? static_cast<int>(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool PostSetWizButtons(Hwnd hSheet, std::uint32_t dwFlags) {
    return PostMessageA(H(hSheet), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(dwFlags)) != FALSE;
}

void SendSetFinishText(Hwnd hSheet, const std::string& strText) {
    SendMessageA(H(hSheet), PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(strText.c_str()));
}

int MessageBoxOk(Hwnd hOwner, const std::string& strText, const std::string& strCaption, unsigned nType) {
    return MessageBoxA(H(hOwner), strText.c_str(), strCaption.c_str(), nType);
}

void* ShowWaitCursor() {
    return SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void RestoreCursor(void* hCursor) {
    SetCursor(hCursor != nullptr ? static_cast<HCURSOR>(hCursor) : LoadCursorA(nullptr, IDC_ARROW));
}

bool InitCommonControls() {
    INITCOMMONCONTROLSEX info{};
    info.dwSize = sizeof(info);
    info.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&info) != FALSE;
}

CUiThreadSetup::CUiThreadSetup() {
    InitCommonControls();
    // S_FALSE (already in such an apartment) must be balanced too; RPC_E_CHANGED_MODE must not.
    m_bComEntered = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

CUiThreadSetup::~CUiThreadSetup() {
    if (m_bComEntered) {
        CoUninitialize();
    }
}

void EnableWindow(Hwnd hWnd, bool bEnable) {
    ::EnableWindow(H(hWnd), bEnable ? TRUE : FALSE);
}

void SetForegroundWindow(Hwnd hWnd) {
    ::SetForegroundWindow(H(hWnd));
}

int SystemMetric(int nIndex) {
    return GetSystemMetrics(nIndex);
}

}  // namespace win32
