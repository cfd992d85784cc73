// Help and browser launch: HtmlHelpA (HH_DISPLAY_TOPIC) and ShellExecuteA.
#pragma once

#include <string>

#include "platform/win_defs.h"

constexpr UINT HH_DISPLAY_TOPIC = 0;
constexpr int SW_SHOWNORMAL = 1;

class IShell {
public:
    virtual ~IShell() = default;
    // HtmlHelpA(hwndCaller, "file.chm::/topic.htm", HH_DISPLAY_TOPIC, 0): TRUE when a help window
    // opened. The caller window owns the help window (0: none).
    virtual BOOL HtmlHelp(HWND hwndCaller, const std::string& strPath, UINT uCommand) = 0;
    // ShellExecuteA(NULL, NULL, file, NULL, NULL, nShow): the instance value, > 32 on success.
    virtual std::intptr_t ShellExecute(const std::string& strFile, int nShow) = 0;
};
