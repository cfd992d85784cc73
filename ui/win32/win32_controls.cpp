#include "ui/win32/win32_controls.h"

int CWin32CheckListBox::GetCheck(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount()) {
        return BST_UNCHECKED;
    }
    return win32::ListItemData(m_hWnd, nIndex) == 1 ? BST_CHECKED : BST_UNCHECKED;
}

void CWin32CheckListBox::SetCheck(int nIndex, int nCheck) {
    if (nIndex < 0 || nIndex >= GetCount()) {
        return;
    }
    win32::SetListItemData(m_hWnd, nIndex, nCheck == BST_CHECKED ? 1 : 0);
    win32::RedrawListItem(m_hWnd, nIndex);
}

int CWin32ListView::GetColumnWidth(int nCol) const {
    return nCol >= 0 && nCol < win32::ListViewColumnCount(m_hWnd) ? win32::ListViewColumnWidth(m_hWnd, nCol)
                                                                  : 0;
}

int CWin32ListView::GetClientWidth() const {
    const win32::CBox box = win32::ClientBox(m_hWnd);
    return static_cast<int>(box.right - box.left);
}

IControl* CWin32Page::GetDlgItem(int nId) {
    auto it = m_controls.find(nId);
    if (it != m_controls.end()) {
        return it->second.get();
    }
    const win32::Hwnd hChild = win32::Child(m_hPage, nId);
    if (hChild == nullptr) {
        return nullptr;
    }
    const std::string strClass = win32::ClassName(hChild);
    const std::uint32_t dwStyle = win32::Style(hChild);
    std::unique_ptr<IControl> pControl;
    if (strClass == "ListBox") {
        pControl = win32::IsCheckListStyle(dwStyle)
                       ? std::unique_ptr<IControl>(new CWin32CheckListBox(hChild))
                       : std::unique_ptr<IControl>(new CWin32ListBox(hChild));
    } else if (strClass == "SysListView32") {
        pControl = std::make_unique<CWin32ListView>(hChild);
    } else if (strClass == "Button" && (dwStyle & 0x0F) == 0x03) {  // BS_AUTOCHECKBOX
        pControl = std::make_unique<CWin32CheckBox>(hChild);
    } else {
        pControl = std::make_unique<CWin32Control>(hChild);
    }
    return m_controls.emplace(nId, std::move(pControl)).first->second.get();
}
