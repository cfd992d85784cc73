// Classes: CModelControl, CModelListBox, CModelCheckListBox, CModelCheckBox, CModelListView, CModelPage.
// In-memory controls: they hold what a real control would show, so that page logic runs on them as on
// the platform's; the terminal draws them, the line host prints them, and tests read and operate them
// as a user would.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

class CModelControl : public virtual IControl {
public:
    explicit CModelControl(std::string strText = {}) : m_strText(std::move(strText)) {}
    void SetWindowText(const std::string& strText) override { m_strText = strText; }
    std::string GetWindowText() const override { return m_strText; }

private:
    std::string m_strText;
};

class CModelListBox : public virtual IListBox, public CModelControl {
public:
    explicit CModelListBox(bool bSorted = false) : m_bSorted(bSorted) {}
    int AddString(const std::string& strItem) override;
    int DeleteString(int nIndex) override;
    int GetCount() const override { return static_cast<int>(m_items.size()); }
    std::string GetText(int nIndex) const override;

protected:
    struct CItem {
        std::string strText;
        int nCheck = BST_UNCHECKED;
    };
    bool IsValid(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    std::vector<CItem> m_items;

private:
    bool m_bSorted;
};

class CModelCheckListBox : public ICheckListBox, public CModelListBox {
public:
    int GetCheck(int nIndex) const override {
        return IsValid(nIndex) ? m_items[nIndex].nCheck : BST_UNCHECKED;
    }
    void SetCheck(int nIndex, int nCheck) override;
};

class CModelCheckBox : public ICheckBox, public CModelControl {
public:
    explicit CModelCheckBox(std::string strText) : CModelControl(std::move(strText)) {}
    int GetCheck() const override { return m_nCheck; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }

private:
    int m_nCheck = BST_UNCHECKED;
};

// A report-view list view without a screen. Text is measured in a fixed-pitch font of
// MODEL_CHAR_WIDTH pixels per character; the client width comes from the template's width in
// dialog units at MODEL_DLU_PIXELS_X2 / 2 pixels per unit, less one pixel on each side for a
// border. Sorting is stable, so items that compare equal keep their order.
class CModelListView : public IListView, public CModelControl {
public:
    static constexpr int MODEL_CHAR_WIDTH = 6;
    static constexpr int MODEL_DLU_PIXELS_X2 = 3;  // 1 dialog unit = 1.5 pixels across

    explicit CModelListView(int nClientWidth) : m_nClientWidth(nClientWidth) {}
    // The client width of a list view laid out from the template: nWidthDlu dialog units wide.
    static int ClientWidthFromTemplate(int nWidthDlu, bool bBorder);

    DWORD GetExtendedStyle() const override { return m_dwExStyle; }
    void SetExtendedStyle(DWORD dwExStyle) override { m_dwExStyle = dwExStyle; }
    int InsertColumn(int nCol, const std::string& strHeading, int nFormat = LVCFMT_LEFT) override;
    BOOL SetColumnWidth(int nCol, int cx) override;
    int GetColumnWidth(int nCol) const override;
    int GetStringWidth(std::string_view strText) const override;
    int GetClientWidth() const override { return m_nClientWidth; }
    int InsertItem(int nItem, std::string_view strText, LPARAM lParam) override;
    BOOL SetItemText(int nItem, int nSubItem, std::string_view strText) override;
    std::string GetItemText(int nItem, int nSubItem) const override;
    LPARAM GetItemData(int nItem) const override;
    int GetItemCount() const override { return static_cast<int>(m_items.size()); }
    BOOL DeleteAllItems() override;
    BOOL SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort) override;
    void SetItemDetails(int nItem, const CItemDetails& details) override;
    CItemDetails GetItemDetails(int nItem) const;

    // For tests and the terminal: the columns' headings, and every cell of one column.
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    std::string GetColumnHeading(int nCol) const;
    std::vector<std::string> GetColumnTexts(int nCol) const;

private:
    struct CColumn {
        std::string strHeading;
        int nFormat = LVCFMT_LEFT;
        int nWidth = 0;
    };
    struct CItem {
        std::vector<std::string> astrTexts;  // by column; missing cells are empty
        LPARAM lParam = 0;
        CItemDetails details;
    };
    bool IsValidItem(int nItem) const { return nItem >= 0 && nItem < GetItemCount(); }

    int m_nClientWidth;
    DWORD m_dwExStyle = 0;
    std::vector<CColumn> m_columns;
    std::vector<CItem> m_items;
};

// The controls of one page window, created from its dialog template.
class CModelPage : public IPageControls {
public:
    explicit CModelPage(UINT nTemplateId);
    IControl* GetDlgItem(int nId) override;
    // Static texts without an id, in template order.
    const std::vector<std::string>& StaticTexts() const { return m_astrStatics; }
    // Control ids in template order (statics without an id excluded).
    const std::vector<int>& ControlIds() const { return m_anIds; }

private:
    std::map<int, std::unique_ptr<IControl>> m_controls;
    std::vector<int> m_anIds;
    std::vector<std::string> m_astrStatics;
};
