// The time the program spends inside the driver (the simulated one, here) during a benchmark, so that
// what the program itself costs can be told apart: the device I/O calls and the WLAN service's list
// and release entry points are timed as they pass through the OS seam. Times are the calling thread's
// processor time, so that other processes sharing the machine do not inflate them.
#pragma once

#include <memory>

#include "platform/os.h"

// Seconds of processor time the calling thread has used.
double ThreadCpuSeconds();

class CDriverClock {
public:
    // Wraps the device I/O and library services of these services; Services() hands out the wrapped
    // set. Device I/O is timed while the set is Os(). The WLAN entry points are timed when an adapter
    // resolved them while the set was Os(); the simulated WLAN service then needs its machine's own
    // services back as Os(), since it finds its machine by the library loader installed there.
    explicit CDriverClock(const COsServices& services);
    ~CDriverClock();
    CDriverClock(const CDriverClock&) = delete;
    CDriverClock& operator=(const CDriverClock&) = delete;

    const COsServices& Services() const { return m_services; }
    // Seconds spent inside the driver since the last Reset.
    double Seconds() const;
    void Reset();

private:
    class CTimedDeviceIo;
    class CTimedLibraries;
    COsServices m_services;
    std::unique_ptr<CTimedDeviceIo> m_pDeviceIo;
    std::unique_ptr<CTimedLibraries> m_pLibraries;
};
