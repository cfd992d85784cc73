// The substitute wlanapi.dll's entry point (kept out of the files that see the seam's own Windows
// type names): with NIMBREL_WLAN_LOG naming a file, it appends "attach" when the module is loaded,
// "detach" when FreeLibrary unloads it and "exit" when the process ends with it loaded, so a test
// can see that the program really let it go.
#pragma once
