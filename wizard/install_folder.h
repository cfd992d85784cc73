// The install folder recorded in the program's settings key.
#pragma once

#include <string>

#include "platform/win_defs.h"

inline constexpr const char* SETTINGS_KEY = "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel";
inline constexpr const char* DEFAULT_INSTALL_DIR = "c:\\Program Files\\Brellix Nimbrel";

// Opens (creating if missing) the settings key and reads "InstallDir"; when the key may not be
// opened for writing (a standard user), opens it for reading only. FALSE when the key cannot be
// opened either way, or the value is missing, not a string or longer than the 1024-byte buffer.
BOOL ReadInstallDir(std::string* pstrFolder);

// The folder used at start-up: "InstallDir", or the default folder when it cannot be read.
std::string GetInstallFolder();
