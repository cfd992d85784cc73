// The progress popup's window of the UI seam (IProgressWindow) on the real Win32 popup of
// win32_progress_wnd.h. The Win32 host's sheet window makes one per CProgressPopup.
#pragma once

#include <memory>

#include "ui/progress_window.h"
#include "ui/win32/win32_api.h"

// A popup owned by hOwner, the application's main window (the wizard sheet): the window the popup
// disables while it runs modal and brings to the foreground on Cancel. The window itself is made by
// IProgressWindow::Create.
std::unique_ptr<IProgressWindow> CreateWin32ProgressWindow(win32::Hwnd hOwner);
