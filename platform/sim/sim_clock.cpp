#include "platform/sim/sim_clock.h"

#include <limits>

namespace {

class CRecursiveLock : public ILock {
public:
    void Enter() override { m_mutex.lock(); }
    void Leave() override { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

// State of an auto-reset event: a Set stays until one wait takes it, whether or not anybody was
// waiting when it came.
class CEventState {
public:
    void Set() {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_bSignalled = true;
        m_cv.notify_all();
    }
    // Consumes the signal when there is one; the caller holds the mutex.
    bool TryConsumeLocked() {
        const bool bSignalled = m_bSignalled;
        m_bSignalled = false;
        return bSignalled;
    }
    bool TryConsume() {
        std::lock_guard<std::mutex> guard(m_mutex);
        return TryConsumeLocked();
    }

    std::mutex m_mutex;
    std::condition_variable m_cv;

private:
    bool m_bSignalled = false;
};

class CVirtualEvent : public IEvent {
public:
    explicit CVirtualEvent(CVirtualClock& clock) : m_clock(clock) {}
    void Set() override { m_state.Set(); }
    DWORD Wait(DWORD dwMs) override {
        if (m_state.TryConsume()) {
            return WAIT_OBJECT_0;
        }
        const bool bInfinite = dwMs == INFINITE;
        const std::uint64_t qwDeadline =
            bInfinite ? std::numeric_limits<std::uint64_t>::max() : m_clock.Elapsed() + dwMs;
        for (;;) {
            const bool bRan = m_clock.RunNextTimer(qwDeadline);
            if (m_state.TryConsume()) {
                return WAIT_OBJECT_0;
            }
            if (!bRan) {
                if (bInfinite) {
                    return WAIT_FAILED;  // nothing left that could ever signal it
                }
                m_clock.AdvanceTo(qwDeadline);
                return WAIT_TIMEOUT;
            }
        }
    }

private:
    CVirtualClock& m_clock;
    CEventState m_state;
};

class CRealEvent : public IEvent {
public:
    void Set() override { m_state.Set(); }
    DWORD Wait(DWORD dwMs) override {
        std::unique_lock<std::mutex> lock(m_state.m_mutex);
        if (m_state.TryConsumeLocked()) {
            return WAIT_OBJECT_0;
        }
        auto ready = [this] { return m_state.TryConsumeLocked(); };
        bool bSignalled = true;
        if (dwMs == INFINITE) {
            m_state.m_cv.wait(lock, ready);
        } else {
            bSignalled = m_state.m_cv.wait_for(lock, std::chrono::milliseconds(dwMs), ready);
        }
        return bSignalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }

private:
    CEventState m_state;
};

}  // namespace

std::unique_ptr<ILock> CSimClock::CreateLock() {
    return std::make_unique<CRecursiveLock>();
}

// ---- CSimTimerQueue

SimTimerId CSimTimerQueue::Add(std::uint64_t qwDue, std::function<void()> fn) {
    const SimTimerId id = m_nextId++;
    m_timers.emplace(std::make_pair(qwDue, id), std::move(fn));
    return id;
}

bool CSimTimerQueue::Cancel(SimTimerId id) {
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->first.second == id) {
            m_timers.erase(it);
            return true;
        }
    }
    return false;
}

std::function<void()> CSimTimerQueue::PopNext() {
    auto it = m_timers.begin();
    std::function<void()> fn = std::move(it->second);
    m_timers.erase(it);
    return fn;
}

// ---- CVirtualClock

CVirtualClock::CVirtualClock(DWORD dwStartTick) : m_dwStartTick(dwStartTick) {}

CVirtualClock::~CVirtualClock() = default;

DWORD CVirtualClock::GetTickCount() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return static_cast<DWORD>(m_dwStartTick + m_qwElapsed);
}

std::uint64_t CVirtualClock::Elapsed() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_qwElapsed;
}

void CVirtualClock::Sleep(DWORD dwMs) {
    const std::uint64_t qwDeadline = Elapsed() + dwMs;
    while (RunNextTimer(qwDeadline)) {
    }
    AdvanceTo(qwDeadline);
}

std::unique_ptr<IEvent> CVirtualClock::CreateEvent() {
    if (m_bEventsFail) {
        return nullptr;
    }
    return std::make_unique<CVirtualEvent>(*this);
}

SimTimerId CVirtualClock::ScheduleAfter(DWORD dwMs, std::function<void()> fn) {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_timers.Add(m_qwElapsed + dwMs, std::move(fn));
}

bool CVirtualClock::CancelTimer(SimTimerId id) {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_timers.Cancel(id);
}

void CVirtualClock::CancelAllTimers() {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_timers.Clear();
}

std::size_t CVirtualClock::PendingTimers() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_timers.Size();
}

bool CVirtualClock::RunNextTimer(std::uint64_t qwDeadline) {
    std::function<void()> fn;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_timers.Empty() || m_timers.NextDue() > qwDeadline) {
            return false;
        }
        // Time never runs backwards: a timer scheduled by a nested wait may already be overdue.
        if (m_timers.NextDue() > m_qwElapsed) {
            m_qwElapsed = m_timers.NextDue();
        }
        fn = m_timers.PopNext();
    }
    fn();
    return true;
}

void CVirtualClock::AdvanceTo(std::uint64_t qwDeadline) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (qwDeadline > m_qwElapsed) {
        m_qwElapsed = qwDeadline;
    }
}

// ---- CRealClock

CRealClock::CRealClock(DWORD dwStartTick)
    : m_dwStartTick(dwStartTick),
      m_start(std::chrono::steady_clock::now()),
      m_thread([this] { TimerThread(); }) {}

CRealClock::~CRealClock() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_bStopping = true;
        m_timers.Clear();
    }
    m_cv.notify_all();
    m_thread.join();
}

std::uint64_t CRealClock::Elapsed() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start)
            .count());
}

DWORD CRealClock::GetTickCount() {
    return static_cast<DWORD>(m_dwStartTick + Elapsed());
}

void CRealClock::Sleep(DWORD dwMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMs));
}

std::unique_ptr<IEvent> CRealClock::CreateEvent() {
    if (m_bEventsFail) {
        return nullptr;
    }
    return std::make_unique<CRealEvent>();
}

SimTimerId CRealClock::ScheduleAfter(DWORD dwMs, std::function<void()> fn) {
    SimTimerId id;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        id = m_timers.Add(Elapsed() + dwMs, std::move(fn));
    }
    m_cv.notify_all();
    return id;
}

bool CRealClock::CancelTimer(SimTimerId id) {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_timers.Cancel(id);
}

void CRealClock::CancelAllTimers() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_timers.Clear();
    // A callback that is running now may still touch what the caller is about to destroy.
    if (std::this_thread::get_id() != m_thread.get_id()) {
        m_cv.wait(lock, [this] { return !m_bInCallback; });
    }
}

void CRealClock::TimerThread() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_bStopping) {
        if (m_timers.Empty()) {
            m_cv.wait(lock);
            continue;
        }
        const std::uint64_t qwNow = Elapsed();
        if (m_timers.NextDue() > qwNow) {
            m_cv.wait_for(lock, std::chrono::milliseconds(m_timers.NextDue() - qwNow));
            continue;
        }
        std::function<void()> fn = m_timers.PopNext();
        m_bInCallback = true;
        lock.unlock();
        fn();
        lock.lock();
        m_bInCallback = false;
        m_cv.notify_all();
    }
}
