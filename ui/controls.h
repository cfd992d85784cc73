// The controls of a page as its logic uses them. Each UI (headless, terminal, Win32) implements
// these over its own widgets, built from the page's dialog template in res/.
#pragma once

#include <string>

#include "platform/win_defs.h"

constexpr int LB_ERR = -1;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Any control: its window text (statics, edits, buttons) and visibility.
class IControl {
public:
    virtual ~IControl() = default;
    virtual void SetWindowText(const std::string& strText) = 0;
    virtual std::string GetWindowText() const = 0;
};

// A list box (LBS_SORT keeps its strings sorted, case-insensitively, as the platform does).
class IListBox : public virtual IControl {
public:
    virtual int AddString(const std::string& strItem) = 0;  // index of the new item
    virtual int DeleteString(int nIndex) = 0;               // items left, or LB_ERR
    virtual int GetCount() const = 0;
    virtual std::string GetText(int nIndex) const = 0;
};

// A list box whose items carry a two-state check box (MFC CCheckListBox).
class ICheckListBox : public virtual IListBox {
public:
    virtual int GetCheck(int nIndex) const = 0;
    virtual void SetCheck(int nIndex, int nCheck) = 0;
};

// An automatic check box.
class ICheckBox : public virtual IControl {
public:
    virtual int GetCheck() const = 0;
    virtual void SetCheck(int nCheck) = 0;
};

// The controls of one page window, by control id; nullptr when the template has no such control
// or it is of another kind.
class IPageControls {
public:
    virtual ~IPageControls() = default;
    virtual IControl* GetDlgItem(int nId) = 0;

    IListBox* ListBox(int nId) { return dynamic_cast<IListBox*>(GetDlgItem(nId)); }
    ICheckListBox* CheckListBox(int nId) { return dynamic_cast<ICheckListBox*>(GetDlgItem(nId)); }
    ICheckBox* CheckBox(int nId) { return dynamic_cast<ICheckBox*>(GetDlgItem(nId)); }
};
