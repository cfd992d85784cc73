// Classes: CWin32Control, CWin32ListBox, CWin32CheckListBox, CWin32CheckBox, CWin32ListView,
//   CWin32Page.
// The page controls of the UI seam over the real child windows of a page made from its template.
#pragma once

#include <map>
#include <memory>

#include "ui/controls.h"
#include "ui/win32/win32_api.h"

class CWin32Control : public virtual IControl {
public:
    explicit CWin32Control(win32::Hwnd hWnd) : m_hWnd(hWnd) {}
    void SetWindowText(const std::string& strText) override { win32::SetText(m_hWnd, strText); }
    std::string GetWindowText() const override { return win32::GetText(m_hWnd); }
    win32::Hwnd Handle() const { return m_hWnd; }

protected:
    win32::Hwnd m_hWnd;
};

class CWin32ListBox : public virtual IListBox, public CWin32Control {
public:
    explicit CWin32ListBox(win32::Hwnd hWnd) : CWin32Control(hWnd) {}
    int AddString(const std::string& strItem) override { return win32::ListAddString(m_hWnd, strItem); }
    int DeleteString(int nIndex) override { return win32::ListDeleteString(m_hWnd, nIndex); }
    int GetCount() const override { return win32::ListCount(m_hWnd); }
    std::string GetText(int nIndex) const override { return win32::ListText(m_hWnd, nIndex); }
};

// The owner-drawn check list: each item's check state is its item data (drawn and toggled by the
// page window, ui/win32/win32_sheet_run.cpp).
class CWin32CheckListBox : public ICheckListBox, public CWin32ListBox {
public:
    explicit CWin32CheckListBox(win32::Hwnd hWnd) : CWin32ListBox(hWnd) {}
    int GetCheck(int nIndex) const override;
    void SetCheck(int nIndex, int nCheck) override;
};

class CWin32CheckBox : public ICheckBox, public CWin32Control {
public:
    explicit CWin32CheckBox(win32::Hwnd hWnd) : CWin32Control(hWnd) {}
    int GetCheck() const override { return win32::ButtonCheck(m_hWnd); }
    void SetCheck(int nCheck) override { win32::SetButtonCheck(m_hWnd, nCheck); }
};

class CWin32ListView : public IListView, public CWin32Control {
public:
    explicit CWin32ListView(win32::Hwnd hWnd) : CWin32Control(hWnd) {}
    DWORD GetExtendedStyle() const override { return win32::ListViewExStyle(m_hWnd); }
    void SetExtendedStyle(DWORD dwExStyle) override { win32::SetListViewExStyle(m_hWnd, dwExStyle); }
    int InsertColumn(int nCol, const std::string& strHeading, int nFormat = LVCFMT_LEFT) override {
        return win32::ListViewInsertColumn(m_hWnd, nCol, strHeading, nFormat);
    }
    BOOL SetColumnWidth(int nCol, int cx) override { return win32::ListViewSetColumnWidth(m_hWnd, nCol, cx); }
    int GetColumnWidth(int nCol) const override;
    // The list control takes zero-terminated texts.
    int GetStringWidth(std::string_view strText) const override {
        return win32::ListViewStringWidth(m_hWnd, std::string(strText));
    }
    int GetClientWidth() const override;
    int InsertItem(int nItem, std::string_view strText, LPARAM lParam) override {
        return win32::ListViewInsertItem(m_hWnd, nItem, std::string(strText), lParam);
    }
    BOOL SetItemText(int nItem, int nSubItem, std::string_view strText) override {
        return win32::ListViewSetItemText(m_hWnd, nItem, nSubItem, std::string(strText));
    }
    std::string GetItemText(int nItem, int nSubItem) const override {
        return win32::ListViewItemText(m_hWnd, nItem, nSubItem);
    }
    LPARAM GetItemData(int nItem) const override { return win32::ListViewItemData(m_hWnd, nItem); }
    int GetItemCount() const override { return win32::ListViewItemCount(m_hWnd); }
    BOOL DeleteAllItems() override { return win32::ListViewDeleteAllItems(m_hWnd); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort) override {
        return win32::ListViewSortItems(m_hWnd, pfnCompare, lParamSort);
    }
    // The Windows list view shows its columns only; there is no detail box to fill.
    void SetItemDetails(int /*nItem*/, const CItemDetails& /*details*/) override {}
};

// The controls of one page window, by id, each of the kind its window class says.
class CWin32Page : public IPageControls {
public:
    explicit CWin32Page(win32::Hwnd hPage) : m_hPage(hPage) {}
    IControl* GetDlgItem(int nId) override;
    win32::Hwnd Handle() const { return m_hPage; }

private:
    win32::Hwnd m_hPage;
    std::map<int, std::unique_ptr<IControl>> m_controls;
};
