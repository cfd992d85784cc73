// The machine file's "ndisuio" bindings read into the simulated NDISUIO driver's records: the
// binding, its adapter's answers and association, the access points it hears, and the faults it
// shows (docs/MACHINE_FILE.md).
#pragma once

#include "platform/sim/machine_file.h"
#include "platform/sim/sim_ndisuio.h"

// One entry of "ndisuio.bindings"; a key or value the file may not hold fails through the node.
CSimNdisBinding SimParseNdisBinding(const CJsonNode& node);
