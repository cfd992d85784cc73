// The application's main window (the wizard sheet while it runs): the owner of help windows and
// of message boxes shown outside a page.
#pragma once

#include "ui/sheet_window.h"

ISheetWindow* AfxGetMainWnd();
void AfxSetMainWnd(ISheetWindow* pWindow);
