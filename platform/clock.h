// Classes: IEvent, ILock, IClock, CLockGuard.
// Time and synchronisation as the system uses them: the 32-bit millisecond tick, Sleep, an
// auto-reset event with timed wait and set, and a critical section.
#pragma once

#include <memory>

#include "platform/win_defs.h"

// Auto-reset event (CreateEvent with bManualReset FALSE, initially not signalled).
class IEvent {
public:
    virtual ~IEvent() = default;
    // Releases one waiting thread; with nobody waiting the event stays signalled until the next
    // wait, which then returns at once (SetEvent).
    virtual void Set() = 0;
    // WaitForSingleObject: WAIT_OBJECT_0 when signalled (and resets it), WAIT_TIMEOUT after dwMs.
    virtual DWORD Wait(DWORD dwMs) = 0;
};

// Critical section: recursive for the owning thread.
class ILock {
public:
    virtual ~ILock() = default;
    virtual void Enter() = 0;
    virtual void Leave() = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; wraps at 2^32 like GetTickCount.
    virtual DWORD GetTickCount() = 0;
    virtual void Sleep(DWORD dwMs) = 0;
    // nullptr when the system cannot make one (CreateEventA returned NULL).
    virtual std::unique_ptr<IEvent> CreateEvent() = 0;
    virtual std::unique_ptr<ILock> CreateLock() = 0;
};

// Holds a lock for one scope.
class CLockGuard {
public:
    explicit CLockGuard(ILock& lock) : m_lock(lock) { m_lock.Enter(); }
    ~CLockGuard() { m_lock.Leave(); }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    ILock& m_lock;
};
