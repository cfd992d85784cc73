// The commands on the property sheet: waiting for it and its pages, its buttons, and reading and
// working the controls of the current page.
#include "e2e/wine/driver/driver.h"

#include <prsht.h>

#include <cstdio>
#include <map>

#include "e2e/wine/driver/remote_controls.h"

namespace driver {

void CDriver::CmdSheet() {
    const DWORD dwMs = NumberArg();
    m_strSheetCaption = RestArg();
    if (!WaitFor(dwMs, [&] { return (m_hSheet = FindSheet(m_strSheetCaption)) != nullptr; })) {
        Fail("sheet \"" + m_strSheetCaption + "\" did not appear");
    }
    std::printf("sheet %s\n", m_strSheetCaption.c_str());
}

void CDriver::CmdPage() {
    const DWORD dwMs = NumberArg();
    const int nTemplate = static_cast<int>(NumberArg());
    if (!WaitFor(dwMs, [&] { return CurrentTemplate() == nTemplate; })) {
        Fail("page " + std::to_string(nTemplate) + " not shown (showing " +
             std::to_string(CurrentTemplate()) + ")");
    }
    std::printf("page %d\n", nTemplate);
}

void CDriver::CmdPress() {
    static const std::map<std::string, int> buttons = {{"back", PSBTN_BACK},
                                                       {"next", PSBTN_NEXT},
                                                       {"finish", PSBTN_FINISH},
                                                       {"cancel", PSBTN_CANCEL},
                                                       {"help", PSBTN_HELP}};
    const std::string strButton = WordArg();
    const auto it = buttons.find(strButton);
    if (it == buttons.end()) {
        Fail("no sheet button " + strButton);
    }
    // Posted: the press may start a long test inside the program.
    PostMessageA(Sheet(), PSM_PRESSBUTTON, static_cast<WPARAM>(it->second), 0);
}

void CDriver::CmdButtons() {
    const struct {
        const char* pszName;
        int nId;
    } buttons[] = {
        {"back", ID_BACK}, {"next", ID_NEXT}, {"finish", ID_FINISH}, {"cancel", IDCANCEL}, {"help", IDHELP}};
    for (const auto& button : buttons) {
        const HWND hButton = GetDlgItem(Sheet(), button.nId);
        if (hButton == nullptr) {
            std::printf("button %s absent\n", button.pszName);
            continue;
        }
        std::printf("button %s enabled=%d visible=%d %s\n", button.pszName, IsWindowEnabled(hButton) ? 1 : 0,
                    IsWindowVisible(hButton) ? 1 : 0, remote::WindowText(hButton).c_str());
    }
}

void CDriver::CmdTitle() {
    std::printf("title %s\n", remote::WindowText(Sheet()).c_str());
}

void CDriver::CmdText() {
    const int nId = static_cast<int>(NumberArg());
    std::printf("text %d %s\n", nId, Escape(remote::WindowText(PageControl(nId))).c_str());
}

void CDriver::CmdWaitText() {
    const DWORD dwMs = NumberArg();
    const int nId = static_cast<int>(NumberArg());
    const std::string strWanted = RestArg();
    std::string strSeen;
    if (!WaitFor(dwMs, [&] {
            const HWND hPage = CurrentPage();
            const HWND hControl = hPage != nullptr ? GetDlgItem(hPage, nId) : nullptr;
            strSeen = hControl != nullptr ? remote::WindowText(hControl) : std::string();
            return strSeen == strWanted;
        })) {
        Fail("control " + std::to_string(nId) + " shows \"" + Escape(strSeen) + "\", not \"" + strWanted +
             "\"");
    }
    std::printf("text %d %s\n", nId, Escape(strSeen).c_str());
}

void CDriver::CmdEnabled() {
    const int nId = static_cast<int>(NumberArg());
    std::printf("enabled %d %d\n", nId, IsWindowEnabled(PageControl(nId)) ? 1 : 0);
}

void CDriver::CmdChecked() {
    const int nId = static_cast<int>(NumberArg());
    LRESULT nCheck = 0;
    if (!remote::Send(PageControl(nId), BM_GETCHECK, 0, 0, &nCheck)) {
        Fail("check box " + std::to_string(nId) + " did not answer");
    }
    std::printf("checked %d %d\n", nId, static_cast<int>(nCheck));
}

// Sent with a bound, so the click has been handled before the next command reads the page;
// a click that opens something modal (a message box) just outlasts the bound.
void CDriver::CmdClick() {
    remote::Send(PageControl(static_cast<int>(NumberArg())), BM_CLICK, 0, 0, nullptr);
}

void CDriver::CmdCheckList() {
    const int nId = static_cast<int>(NumberArg());
    std::vector<remote::CListItem> items;
    if (!remote::ListBoxItems(PageControl(nId), &items)) {
        Fail("list " + std::to_string(nId) + " did not answer");
    }
    for (size_t i = 0; i < items.size(); ++i) {
        std::printf("item %zu %ld %s\n", i, static_cast<long>(items[i].nData), items[i].strText.c_str());
    }
}

void CDriver::CmdTick() {
    const int nId = static_cast<int>(NumberArg());
    const HWND hList = PageControl(nId);
    const WPARAM nIndex = NumberArg();
    LRESULT nBefore = 0;
    if (!remote::Send(hList, LB_SETCURSEL, nIndex, 0, nullptr) ||
        !remote::Send(hList, LB_GETITEMDATA, nIndex, 0, &nBefore)) {
        Fail("list " + std::to_string(nId) + " did not answer");
    }
    PostKey(hList, VK_SPACE, ' ');
    // The key is handled when the tick has changed.
    if (!WaitFor(5000, [&] {
            LRESULT nNow = nBefore;
            remote::Send(hList, LB_GETITEMDATA, nIndex, 0, &nNow);
            return nNow != nBefore;
        })) {
        Fail("space did not change the tick of item " + std::to_string(nIndex));
    }
}

void CDriver::CmdListView() {
    const int nId = static_cast<int>(NumberArg());
    const HWND hList = PageControl(nId);
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    if (!remote::ListViewColumns(hList, &columns) || !remote::ListViewRows(hList, columns.size(), &rows)) {
        Fail("list view " + std::to_string(nId) + " did not answer");
    }
    std::printf("columns");
    for (const std::string& strColumn : columns) {
        std::printf("\t%s", strColumn.c_str());
    }
    std::printf("\n");
    for (const auto& cells : rows) {
        std::printf("row");
        for (const std::string& strCell : cells) {
            std::printf("\t%s", strCell.c_str());
        }
        std::printf("\n");
    }
}

void CDriver::CmdRect() {
    RECT rect{};
    GetWindowRect(Sheet(), &rect);
    std::printf("rect %ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
}

void CDriver::CmdGone() {
    const DWORD dwMs = NumberArg();
    if (!WaitFor(dwMs, [&] { return FindSheet(m_strSheetCaption) == nullptr; })) {
        Fail("the sheet did not close");
    }
    std::printf("gone\n");
}

void CDriver::CmdPause() {
    Sleep(NumberArg());
}

}  // namespace driver
