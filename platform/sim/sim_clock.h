// Classes: CSimClock, CSimTimerQueue, CVirtualClock, CRealClock.
// Clocks of the simulated machine. Both implement the system's IClock and add a timer API that only
// the simulated drivers and services use, to make things happen later (a service reaching its target
// state, a scan completing).
//
// CVirtualClock: discrete-event time for tests. Waiting costs no real time: Sleep and IEvent::Wait
// jump from timer to timer, running each timer when its due time is reached.
// CRealClock: real milliseconds for the Linux program; timers run on one timer thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/clock.h"

using SimTimerId = std::uint64_t;

class CSimClock : public IClock {
public:
    // Runs fn once, dwMs milliseconds from now. Timers due at the same time run in the order they
    // were scheduled. Returns an id for CancelTimer.
    virtual SimTimerId ScheduleAfter(DWORD dwMs, std::function<void()> fn) = 0;
    // Drops a timer that has not run yet; false when it already ran or is unknown.
    virtual bool CancelTimer(SimTimerId id) = 0;
    // Drops every pending timer (the machine does this before its components go away). The real
    // clock also waits for a callback that is running on its timer thread.
    virtual void CancelAllTimers() = 0;
    // Milliseconds since the clock was made, without the 32-bit wrap of GetTickCount.
    virtual std::uint64_t Elapsed() = 0;

    std::unique_ptr<ILock> CreateLock() override;

    // From now on CreateEvent fails (returns nullptr), as CreateEventA does when the system is out
    // of resources.
    void SetEventsFail(bool bFail) { m_bEventsFail = bFail; }

protected:
    std::atomic<bool> m_bEventsFail{false};
};

// Timers waiting for their time, by (due time, id): due order, then scheduling order. The owning
// clock's mutex guards it.
class CSimTimerQueue {
public:
    SimTimerId Add(std::uint64_t qwDue, std::function<void()> fn);
    bool Cancel(SimTimerId id);
    void Clear() { m_timers.clear(); }
    bool Empty() const { return m_timers.empty(); }
    std::size_t Size() const { return m_timers.size(); }
    // Due time of the earliest timer; the queue must not be empty.
    std::uint64_t NextDue() const { return m_timers.begin()->first.first; }
    // Removes the earliest timer and returns its function.
    std::function<void()> PopNext();

private:
    SimTimerId m_nextId = 1;
    std::map<std::pair<std::uint64_t, SimTimerId>, std::function<void()>> m_timers;
};

// Discrete-event clock.
//
// Virtual time is driven by the thread that calls Sleep or IEvent::Wait (in the system, the user-
// interface thread). Timer callbacks run on that thread, without any clock lock held, so they may
// schedule further timers and Set events.
//
// A timer callback may hand work to another real thread (the simulated WLAN service delivers its
// notifications on its own thread). Such a callback must complete its effects before it returns —
// join that thread or wait for its handshake — so that whatever the other thread does (Set an
// event) happens at the callback's virtual instant and runs the same way every time.
//
// IEvent::Wait(dwMs): returns WAIT_OBJECT_0 at once when the event is signalled (consuming it);
// otherwise runs the timers due before the deadline one by one, re-checking the event after each,
// and returns WAIT_TIMEOUT at the deadline. A wait of INFINITE with no timers left to run would never
// end: it returns WAIT_FAILED instead of hanging.
class CVirtualClock : public CSimClock {
public:
    explicit CVirtualClock(DWORD dwStartTick = 0);
    ~CVirtualClock() override;

    DWORD GetTickCount() override;
    // Advances virtual time by dwMs, running the timers that fall due on the way.
    void Sleep(DWORD dwMs) override;
    std::unique_ptr<IEvent> CreateEvent() override;

    SimTimerId ScheduleAfter(DWORD dwMs, std::function<void()> fn) override;
    bool CancelTimer(SimTimerId id) override;
    void CancelAllTimers() override;
    std::uint64_t Elapsed() override;

    // Number of timers not yet run.
    std::size_t PendingTimers();

    // For the clock's events: runs the earliest timer due at or before qwDeadline (elapsed time),
    // advancing time to it; false when there is none.
    bool RunNextTimer(std::uint64_t qwDeadline);
    // Advances time to qwDeadline when it lies ahead, without running timers.
    void AdvanceTo(std::uint64_t qwDeadline);

private:
    std::mutex m_mutex;
    DWORD m_dwStartTick;
    std::uint64_t m_qwElapsed = 0;
    CSimTimerQueue m_timers;
};

// Real-time clock (steady clock). Timer callbacks run on the clock's timer thread, which the
// destructor stops and joins; callbacks must not destroy the clock.
class CRealClock : public CSimClock {
public:
    explicit CRealClock(DWORD dwStartTick = 0);
    ~CRealClock() override;

    DWORD GetTickCount() override;
    void Sleep(DWORD dwMs) override;
    std::unique_ptr<IEvent> CreateEvent() override;

    SimTimerId ScheduleAfter(DWORD dwMs, std::function<void()> fn) override;
    bool CancelTimer(SimTimerId id) override;
    void CancelAllTimers() override;
    std::uint64_t Elapsed() override;

private:
    void TimerThread();

    DWORD m_dwStartTick;
    std::chrono::steady_clock::time_point m_start;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bStopping = false;
    bool m_bInCallback = false;
    CSimTimerQueue m_timers;
    std::thread m_thread;
};
