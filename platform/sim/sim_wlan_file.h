// The machine file's "wlan" interfaces read into the simulated WLAN service's records: the
// interface, its connection and statistics, its scan plans and errors, and each access point with
// the beacon elements it carries (docs/MACHINE_FILE.md).
#pragma once

#include <map>
#include <string>

#include "platform/sim/machine_file.h"
#include "platform/sim/sim_wlan.h"

// One entry of "wlan.interfaces"; a key or value the file may not hold fails through the node.
CSimWlanInterface SimParseWlanInterface(const CJsonNode& node);

// An "errors" object: entry point name to the error code it answers with.
std::map<std::string, DWORD> SimParseWlanErrors(const CJsonNode& node);
