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
    // set, to install with SetOs before any adapter object is made.
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
