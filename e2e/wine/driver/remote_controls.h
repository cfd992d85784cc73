// Reading the controls of another process's windows as UI-automation tools do: window texts through
// the marshalled WM_GETTEXT / LB_GETTEXT, list-view cells through a buffer placed in the other
// process (LVM_GETITEMTEXTA carries a pointer that the system does not marshal).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace remote {

// How long one message to another process may take: a window whose thread is blocked (a scan wait)
// answers later, and the caller retries until its own deadline.
constexpr UINT SEND_TIMEOUT_MS = 1000;

// The window text through WM_GETTEXT; the system's stored copy when the window does not answer.
std::string WindowText(HWND hWnd);

// The text of an item and its item data (the check list keeps its tick there).
struct CListItem {
    std::string strText;
    LRESULT nData = 0;
};
bool ListBoxItems(HWND hList, std::vector<CListItem>* pItems);

// Headers and rows of a report-view list view; false when the other process did not answer.
bool ListViewColumns(HWND hList, std::vector<std::string>* pColumns);
bool ListViewRows(HWND hList, size_t nColumns, std::vector<std::vector<std::string>>* pRows);

// A message sent with a bound; false when it timed out or failed.
bool Send(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

std::string ClassName(HWND hWnd);

}  // namespace remote
