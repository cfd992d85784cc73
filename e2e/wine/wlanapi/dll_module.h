// The one Win32 call the substitute wlanapi.dll makes about itself (kept out of the files that see
// the seam's own Windows type names).
#pragma once

// Keeps this module loaded until the process ends, whatever FreeLibrary calls follow.
void PinThisModule();
