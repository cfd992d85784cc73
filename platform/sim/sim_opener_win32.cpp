#include "platform/sim/sim_opener.h"

// Tests of the Windows build run the simulated machine inside Wine, where no desktop browser stands
// behind the simulation: the "desktop" browser fails like one with no association.
bool SimOpenInDesktop(const std::string& /*strTarget*/) {
    return false;
}
