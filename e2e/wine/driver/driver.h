// The driver's state between commands (the sheet it works on, the command line being read, the
// caption hook) and what every command needs: its arguments, the program's windows found from outside,
// and a bounded wait. The commands live by the windows they work: sheet_commands.cpp (the sheet and
// its page's controls) and popup_commands.cpp (the progress popup, message boxes, the help window and
// the caption hook).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace driver {

constexpr int ID_BACK = 0x3023;
constexpr int ID_NEXT = 0x3024;
constexpr int ID_FINISH = 0x3025;
constexpr int ID_POPUP_TEXT = 11;
constexpr int ID_POPUP_BAR = 12;

// A failed wait or check: the driver prints it and ends with status 1.
struct CFailure {
    std::string strWhat;
};
[[noreturn]] void Fail(const std::string& strWhat);

// Polls until the condition holds or the time is up.
bool WaitFor(DWORD dwMs, const std::function<bool()>& condition);
std::vector<HWND> TopLevelWindows();
DWORD ProcessOf(HWND hWnd);
// Line breaks and tabs written as \n, \r and \t, so that a text prints on one line.
std::string Escape(const std::string& strText);

class CDriver {
public:
    CDriver() = default;
    CDriver(const CDriver&) = delete;
    CDriver& operator=(const CDriver&) = delete;
    ~CDriver();

    // One command line; false when the command is unknown.
    bool Run(const std::string& strLine);

private:
    using Handler = void (CDriver::*)();
    static const std::map<std::string, Handler>& Commands();

    // The command line's arguments; Fail when one is missing.
    DWORD NumberArg();
    std::string WordArg();
    std::string RestArg();

    // The program's windows; the ones without Find fail when the window is missing.
    HWND Sheet();
    static HWND FindSheet(const std::string& strCaption);
    HWND CurrentPage();
    int CurrentTemplate();
    HWND PageControl(int nId);
    HWND FindPopup();
    HWND Popup();
    HWND FindMsgBox();
    static HWND FindHelpWindow();
    static void PostKey(HWND hWnd, UINT nVk, char cChar);

    // sheet_commands.cpp
    void CmdSheet();
    void CmdPage();
    void CmdPress();
    void CmdButtons();
    void CmdTitle();
    void CmdText();
    void CmdWaitText();
    void CmdEnabled();
    void CmdChecked();
    void CmdClick();
    void CmdCheckList();
    void CmdTick();
    void CmdListView();
    void CmdRect();
    void CmdGone();
    void CmdPause();

    // popup_commands.cpp
    void CmdPopup();
    void CmdPopupRect();
    void CmdPopupText();
    void CmdPopupBusy();
    void CmdPopupKey();
    void CmdPopupGone();
    void CmdMsgBox();
    void CmdMsgBoxOk();
    void CmdMsgBoxYes();
    void CmdMsgBoxNo();
    void PressMsgBoxButton(int nButton);
    void CmdNoMsgBox();
    void CmdHelpWindow();
    void CmdCloseHelp();
    void CmdHook();

    std::istringstream* m_pWords = nullptr;
    std::string m_strSheetCaption = "Brellix Nimbrel";
    HWND m_hSheet = nullptr;
    HHOOK m_hHook = nullptr;
};

}  // namespace driver
