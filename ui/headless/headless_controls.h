// In-memory controls for the headless host: they hold what a real control would show, and tests
// read and operate them as a user would.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

class CHeadlessControl : public virtual IControl {
public:
    explicit CHeadlessControl(std::string strText = {}) : m_strText(std::move(strText)) {}
    void SetWindowText(const std::string& strText) override { m_strText = strText; }
    std::string GetWindowText() const override { return m_strText; }

private:
    std::string m_strText;
};

class CHeadlessListBox : public virtual IListBox, public CHeadlessControl {
public:
    explicit CHeadlessListBox(bool bSorted = false) : m_bSorted(bSorted) {}
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

class CHeadlessCheckListBox : public ICheckListBox, public CHeadlessListBox {
public:
    int GetCheck(int nIndex) const override {
        return IsValid(nIndex) ? m_items[nIndex].nCheck : BST_UNCHECKED;
    }
    void SetCheck(int nIndex, int nCheck) override;
};

class CHeadlessCheckBox : public ICheckBox, public CHeadlessControl {
public:
    explicit CHeadlessCheckBox(std::string strText) : CHeadlessControl(std::move(strText)) {}
    int GetCheck() const override { return m_nCheck; }
    void SetCheck(int nCheck) override { m_nCheck = nCheck; }

private:
    int m_nCheck = BST_UNCHECKED;
};

// The controls of one page window, created from its dialog template.
class CHeadlessPage : public IPageControls {
public:
    explicit CHeadlessPage(UINT nTemplateId);
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
