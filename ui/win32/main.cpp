// The Windows program: the wizard on the real Win32 services and the real property sheet. It takes
// no arguments; its exit status is the application's (1 when a banner cannot be decoded or the sheet
// cannot be shown).
//
// <windows.h> cannot meet the seam headers in one file, so WinMain is declared here in plain types
// with the C linkage and calling convention that the MinGW start-up code calls it by.
#include "app/wizard_app.h"
#include "platform/os.h"
#include "platform/win32/win32_os.h"
#include "ui/win32/win32_api.h"
#include "ui/win32/win32_host.h"

extern "C" int __stdcall WinMain(void* hInstance, void* /*hPrevInstance*/, char* /*pszCmdLine*/,
                                 int /*nShowCmd*/) {
    const win32::CUiThreadSetup uiThread;
    CWin32Os os;
    const COsServices previous = SetOs(os.Services());
    CWizardApp app;
    CWin32Host host(hInstance);
    app.InitInstance(host);
    SetOs(previous);
    return app.GetExitCode();
}
