// The desktop's own opener for an address, used by the simulated shell's "desktop" browser. On Linux
// it is xdg-open; a simulated machine inside the Windows build has no desktop opener.
#pragma once

#include <string>

// True when the opener could hand strTarget to the desktop's browser.
bool SimOpenInDesktop(const std::string& strTarget);
