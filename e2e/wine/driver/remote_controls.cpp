#include "e2e/wine/driver/remote_controls.h"

#include <commctrl.h>

#include <cstring>

namespace remote {
namespace {

constexpr size_t TEXT_BYTES = 1024;

// A block of memory in the process that owns a window, freed with the object.
class CRemoteBlock {
public:
    CRemoteBlock(HWND hWnd, size_t nBytes) : m_nBytes(nBytes) {
        DWORD dwPid = 0;
        GetWindowThreadProcessId(hWnd, &dwPid);
        m_hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
        if (m_hProcess != nullptr) {
            m_pBase = static_cast<char*>(
                VirtualAllocEx(m_hProcess, nullptr, nBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~CRemoteBlock() {
        if (m_pBase != nullptr) {
            VirtualFreeEx(m_hProcess, m_pBase, 0, MEM_RELEASE);
        }
        if (m_hProcess != nullptr) {
            CloseHandle(m_hProcess);
        }
    }
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    bool Valid() const { return m_pBase != nullptr; }
    char* At(size_t nOffset) const { return m_pBase + nOffset; }
    bool Write(size_t nOffset, const void* pData, size_t nBytes) const {
        return nOffset + nBytes <= m_nBytes &&
               WriteProcessMemory(m_hProcess, m_pBase + nOffset, pData, nBytes, nullptr) != 0;
    }
    bool Read(size_t nOffset, void* pData, size_t nBytes) const {
        return nOffset + nBytes <= m_nBytes &&
               ReadProcessMemory(m_hProcess, m_pBase + nOffset, pData, nBytes, nullptr) != 0;
    }
    // A zero-terminated text the other process wrote at an offset, at most TEXT_BYTES - 1 bytes.
    std::string ReadText(size_t nOffset) const {
        char szText[TEXT_BYTES] = {};
        if (!Read(nOffset, szText, sizeof(szText) - 1)) {
            return {};
        }
        return std::string(szText, strnlen(szText, sizeof(szText) - 1));
    }

private:
    HANDLE m_hProcess = nullptr;
    char* m_pBase = nullptr;
    size_t m_nBytes;
};

}  // namespace

bool Send(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    DWORD_PTR nResult = 0;
    const LRESULT nOk =
        SendMessageTimeoutA(hWnd, nMsg, wParam, lParam, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &nResult);
    if (pResult != nullptr) {
        *pResult = static_cast<LRESULT>(nResult);
    }
    return nOk != 0;
}

std::string ClassName(HWND hWnd) {
    char szClass[256] = {};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

std::string WindowText(HWND hWnd) {
    char szText[TEXT_BYTES] = {};
    LRESULT nLength = 0;
    if (Send(hWnd, WM_GETTEXT, sizeof(szText), reinterpret_cast<LPARAM>(szText), &nLength)) {
        return std::string(szText, strnlen(szText, sizeof(szText) - 1));
    }
    // A blocked window: the text the system keeps for it (captions, statics).
    GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

bool ListBoxItems(HWND hList, std::vector<CListItem>* pItems) {
    pItems->clear();
    LRESULT nCount = 0;
    if (!Send(hList, LB_GETCOUNT, 0, 0, &nCount) || nCount < 0) {
        return false;
    }
    for (LRESULT i = 0; i < nCount; ++i) {
        LRESULT nLength = 0;
        if (!Send(hList, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, &nLength) || nLength < 0) {
            return false;
        }
        // In UTF-16: Wine hands an ANSI caller the owner-drawn list's text unconverted.
        std::wstring strWide(static_cast<size_t>(nLength) + 1, L'\0');
        DWORD_PTR nCopied = 0;
        CListItem item;
        if (!SendMessageTimeoutW(hList, LB_GETTEXT, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(strWide.data()), SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                                 &nCopied) ||
            !Send(hList, LB_GETITEMDATA, static_cast<WPARAM>(i), 0, &item.nData)) {
            return false;
        }
        char szText[TEXT_BYTES] = {};
        WideCharToMultiByte(CP_ACP, 0, strWide.c_str(), -1, szText, sizeof(szText) - 1, nullptr, nullptr);
        item.strText = szText;
        pItems->push_back(item);
    }
    return true;
}

bool ListViewColumns(HWND hList, std::vector<std::string>* pColumns) {
    pColumns->clear();
    LRESULT nHeader = 0;
    LRESULT nCount = 0;
    if (!Send(hList, LVM_GETHEADER, 0, 0, &nHeader) || nHeader == 0 ||
        !Send(reinterpret_cast<HWND>(nHeader), HDM_GETITEMCOUNT, 0, 0, &nCount) || nCount < 0) {
        return false;
    }
    CRemoteBlock block(hList, sizeof(LVCOLUMNA) + TEXT_BYTES);
    if (!block.Valid()) {
        return false;
    }
    for (LRESULT i = 0; i < nCount; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = block.At(sizeof(column));
        column.cchTextMax = TEXT_BYTES;
        const char cZero = '\0';
        LRESULT nOk = 0;
        if (!block.Write(0, &column, sizeof(column)) || !block.Write(sizeof(column), &cZero, 1) ||
            !Send(hList, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(block.At(0)),
                  &nOk) ||
            nOk == 0) {
            return false;
        }
        pColumns->push_back(block.ReadText(sizeof(column)));
    }
    return true;
}

bool ListViewRows(HWND hList, size_t nColumns, std::vector<std::vector<std::string>>* pRows) {
    pRows->clear();
    LRESULT nCount = 0;
    if (!Send(hList, LVM_GETITEMCOUNT, 0, 0, &nCount) || nCount < 0) {
        return false;
    }
    CRemoteBlock block(hList, sizeof(LVITEMA) + TEXT_BYTES);
    if (!block.Valid()) {
        return false;
    }
    for (LRESULT nRow = 0; nRow < nCount; ++nRow) {
        std::vector<std::string> cells;
        for (size_t nColumn = 0; nColumn < nColumns; ++nColumn) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iSubItem = static_cast<int>(nColumn);
            item.pszText = block.At(sizeof(item));
            item.cchTextMax = TEXT_BYTES;
            const char cZero = '\0';
            if (!block.Write(0, &item, sizeof(item)) || !block.Write(sizeof(item), &cZero, 1) ||
                !Send(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(nRow),
                      reinterpret_cast<LPARAM>(block.At(0)), nullptr)) {
                return false;
            }
            cells.push_back(block.ReadText(sizeof(item)));
        }
        pRows->push_back(cells);
    }
    return true;
}

}  // namespace remote
