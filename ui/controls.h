// Classes: CCtlColors, IControl, IListBox, ICheckListBox, ICheckBox, IListView, IPageControls.
// The controls of a page as its logic uses them. Each UI (headless, terminal, Win32) implements
// these over its own widgets, built from the page's dialog template in res/.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win_defs.h"

constexpr int LB_ERR = -1;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// A colour as the platform stores it: 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

// The colours a page gives the text of one of its controls (WM_CTLCOLORSTATIC): the text and the
// background behind the text. The rest of the control keeps the dialog's face.
struct CCtlColors {
    COLORREF crText;
    COLORREF crTextBack;
};

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

// List view (report view) extended styles and column format.
constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
constexpr int LVCFMT_LEFT = 0;

// The item data of a list view item (LVITEM lParam).
using LPARAM = std::intptr_t;
// The comparison of LVM_SORTITEMS: the item data of two items and the sort parameter; negative
// when the first item goes before the second, 0 when equal, positive when after.
using PFNLVCOMPARE = int(NIMBREL_CALLBACK*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// What an item holds beyond its columns, as label and text pairs, for a host that can show one item
// whole (the terminal's detail box); they stay with the item when the list is sorted.
using CItemDetails = std::vector<std::pair<std::string, std::string>>;

// A list view in report view (SysListView32): one message per method. Widths are pixels.
class IListView : public virtual IControl {
public:
    virtual DWORD GetExtendedStyle() const = 0;          // LVM_GETEXTENDEDLISTVIEWSTYLE
    virtual void SetExtendedStyle(DWORD dwExStyle) = 0;  // LVM_SETEXTENDEDLISTVIEWSTYLE, mask 0
    // LVM_INSERTCOLUMN without a width; the index of the new column, or -1.
    virtual int InsertColumn(int nCol, const std::string& strHeading, int nFormat = LVCFMT_LEFT) = 0;
    virtual BOOL SetColumnWidth(int nCol, int cx) = 0;  // LVM_SETCOLUMNWIDTH
    virtual int GetColumnWidth(int nCol) const = 0;     // LVM_GETCOLUMNWIDTH; 0 for no such column
    // LVM_GETSTRINGWIDTH: the text's width in the list's font.
    virtual int GetStringWidth(std::string_view strText) const = 0;
    // Width of GetClientRect.
    virtual int GetClientWidth() const = 0;
    // LVM_INSERTITEM with text and item data; the index of the new item, or -1. An index past the
    // end appends. The texts are views: a caller that holds a row's fields in one string passes them
    // without copying each first.
    virtual int InsertItem(int nItem, std::string_view strText, LPARAM lParam) = 0;
    // LVM_SETITEMTEXT of column nSubItem (0 = the item's own text).
    virtual BOOL SetItemText(int nItem, int nSubItem, std::string_view strText) = 0;
    virtual std::string GetItemText(int nItem, int nSubItem) const = 0;
    virtual LPARAM GetItemData(int nItem) const = 0;
    virtual int GetItemCount() const = 0;
    virtual BOOL DeleteAllItems() = 0;
    // LVM_SORTITEMS: orders the items by pfnCompare of their item data.
    virtual BOOL SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort) = 0;
    // The item's details that no column shows; a host with nowhere to show them drops them.
    virtual void SetItemDetails(int nItem, const CItemDetails& details) = 0;
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
    IListView* ListView(int nId) { return dynamic_cast<IListView*>(GetDlgItem(nId)); }
};
