#include "platform/sim/sim_clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr DWORD NEAR_WRAP = 0xFFFFF000;

TEST(VirtualClock, SleepAdvancesTheTickAcrossTheWrap) {
    CVirtualClock clock(NEAR_WRAP);
    EXPECT_EQ(clock.GetTickCount(), NEAR_WRAP);
    clock.Sleep(0x1000);
    EXPECT_EQ(clock.GetTickCount(), 0u);
    clock.Sleep(0x1234);
    EXPECT_EQ(clock.GetTickCount(), 0x1234u);
    EXPECT_EQ(clock.Elapsed(), 0x2234u);
}

TEST(VirtualClock, TimersRunAtTheirDueTimeInOrder) {
    CVirtualClock clock(NEAR_WRAP);
    std::vector<std::pair<int, DWORD>> aRuns;
    auto record = [&](int n) { return [&, n] { aRuns.push_back({n, clock.GetTickCount()}); }; };
    clock.ScheduleAfter(300, record(3));
    clock.ScheduleAfter(100, record(1));
    clock.ScheduleAfter(100, record(2));  // same due time: scheduling order
    clock.ScheduleAfter(5000, record(4));
    clock.ScheduleAfter(200, [&] {
        // A timer scheduled by a timer counts from the callback's own instant.
        clock.ScheduleAfter(50, record(5));
    });
    clock.Sleep(1000);
    ASSERT_EQ(aRuns.size(), 4u);
    EXPECT_EQ(aRuns[0], std::make_pair(1, NEAR_WRAP + 100));
    EXPECT_EQ(aRuns[1], std::make_pair(2, NEAR_WRAP + 100));
    EXPECT_EQ(aRuns[2], std::make_pair(5, NEAR_WRAP + 250));
    EXPECT_EQ(aRuns[3], std::make_pair(3, NEAR_WRAP + 300));
    EXPECT_EQ(clock.GetTickCount(), NEAR_WRAP + 1000);
    EXPECT_EQ(clock.PendingTimers(), 1u);  // the one at 5000 waits for its time
}

TEST(VirtualClock, CancelledTimersDoNotRun) {
    CVirtualClock clock;
    int nRuns = 0;
    const SimTimerId id = clock.ScheduleAfter(10, [&] { ++nRuns; });
    clock.ScheduleAfter(20, [&] { ++nRuns; });
    EXPECT_TRUE(clock.CancelTimer(id));
    EXPECT_FALSE(clock.CancelTimer(id));
    clock.Sleep(15);
    EXPECT_EQ(nRuns, 0);
    clock.CancelAllTimers();
    clock.Sleep(100);
    EXPECT_EQ(nRuns, 0);
}

TEST(VirtualClock, WaitOnASignalledEventReturnsAtOnceAndResetsIt) {
    CVirtualClock clock(NEAR_WRAP);
    auto pEvent = clock.CreateEvent();
    pEvent->Set();
    EXPECT_EQ(pEvent->Wait(4000), WAIT_OBJECT_0);
    EXPECT_EQ(clock.GetTickCount(), NEAR_WRAP);
    // Auto-reset: the next wait runs to its deadline, across the wrap.
    EXPECT_EQ(pEvent->Wait(0x1800), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(clock.GetTickCount(), 0x800u);
    EXPECT_EQ(pEvent->Wait(0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(clock.GetTickCount(), 0x800u);
}

TEST(VirtualClock, WaitEndsWhenATimerSignalsTheEvent) {
    CVirtualClock clock(1000);
    auto pEvent = clock.CreateEvent();
    int nLater = 0;
    clock.ScheduleAfter(100, [] {});
    clock.ScheduleAfter(300, [&] { pEvent->Set(); });
    clock.ScheduleAfter(400, [&] { ++nLater; });
    EXPECT_EQ(pEvent->Wait(10000), WAIT_OBJECT_0);
    EXPECT_EQ(clock.GetTickCount(), 1300u);
    EXPECT_EQ(nLater, 0);  // timers after the signal wait for a later wait or sleep
    EXPECT_EQ(clock.PendingTimers(), 1u);
}

TEST(VirtualClock, WaitTimesOutBeforeALaterTimer) {
    CVirtualClock clock(0);
    auto pEvent = clock.CreateEvent();
    clock.ScheduleAfter(5000, [&] { pEvent->Set(); });
    EXPECT_EQ(pEvent->Wait(4000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(clock.GetTickCount(), 4000u);
    EXPECT_EQ(pEvent->Wait(4000), WAIT_OBJECT_0);
    EXPECT_EQ(clock.GetTickCount(), 5000u);
}

TEST(VirtualClock, SetWithNobodyWaitingIsKeptForOneWait) {
    CVirtualClock clock(0);
    auto pEvent = clock.CreateEvent();
    pEvent->Set();  // nobody waits: the next wait takes it at once
    pEvent->Set();  // a second set adds nothing
    EXPECT_EQ(pEvent->Wait(1000), WAIT_OBJECT_0);
    EXPECT_EQ(clock.GetTickCount(), 0u);
    EXPECT_EQ(pEvent->Wait(100), static_cast<DWORD>(WAIT_TIMEOUT));  // auto-reset
    EXPECT_EQ(clock.GetTickCount(), 100u);
}

TEST(VirtualClock, EventsCanBeMadeToFail) {
    CVirtualClock clock(0);
    clock.SetEventsFail(true);
    EXPECT_EQ(clock.CreateEvent(), nullptr);
    clock.SetEventsFail(false);
    EXPECT_NE(clock.CreateEvent(), nullptr);
}

TEST(VirtualClock, SetFromAnotherThreadDuringATimerReleasesTheWait) {
    CVirtualClock clock(NEAR_WRAP);
    auto pEvent = clock.CreateEvent();
    std::atomic<DWORD> dwTickSeen{0};
    // As a simulated service does: the timer hands the notification to a thread of its own and
    // waits for it to finish before returning.
    clock.ScheduleAfter(0x1200, [&] {
        std::thread notifier([&] {
            dwTickSeen = clock.GetTickCount();
            pEvent->Set();
        });
        notifier.join();
    });
    EXPECT_EQ(pEvent->Wait(10000), WAIT_OBJECT_0);
    EXPECT_EQ(clock.GetTickCount(), 0x200u);
    EXPECT_EQ(dwTickSeen.load(), 0x200u);
}

TEST(VirtualClock, InfiniteWaitWithNothingPendingFailsInsteadOfHanging) {
    CVirtualClock clock(0);
    auto pEvent = clock.CreateEvent();
    EXPECT_EQ(pEvent->Wait(INFINITE), WAIT_FAILED);
    clock.ScheduleAfter(70000, [&] { pEvent->Set(); });
    EXPECT_EQ(pEvent->Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(clock.GetTickCount(), 70000u);
}

TEST(VirtualClock, SetFromAnotherThreadIsSeenByTheNextWait) {
    CVirtualClock clock(0);
    auto pEvent = clock.CreateEvent();
    std::thread setter([&] { pEvent->Set(); });
    setter.join();
    EXPECT_EQ(pEvent->Wait(0), WAIT_OBJECT_0);
}

TEST(SimClock, LockIsRecursiveAndExcludesOtherThreads) {
    CVirtualClock clock;
    auto pLock = clock.CreateLock();
    pLock->Enter();
    pLock->Enter();
    std::atomic<bool> bEntered{false};
    std::thread other([&] {
        CLockGuard guard(*pLock);
        bEntered = true;
    });
    pLock->Leave();
    EXPECT_FALSE(bEntered.load());  // still held once
    pLock->Leave();
    other.join();
    EXPECT_TRUE(bEntered.load());
}

TEST(RealClock, TimerRunsOnItsThreadAndWakesAWaiter) {
    CRealClock clock(NEAR_WRAP);
    auto pEvent = clock.CreateEvent();
    std::thread::id timerThread;
    clock.ScheduleAfter(5, [&] {
        timerThread = std::this_thread::get_id();
        pEvent->Set();
    });
    EXPECT_EQ(pEvent->Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_NE(timerThread, std::this_thread::get_id());
    EXPECT_EQ(pEvent->Wait(0), static_cast<DWORD>(WAIT_TIMEOUT));  // auto-reset
}

TEST(RealClock, SetBeforeTheWaiterBlocksIsNotLost) {
    CRealClock clock;
    auto pEvent = clock.CreateEvent();
    pEvent->Set();
    std::thread waiter([&] { EXPECT_EQ(pEvent->Wait(INFINITE), WAIT_OBJECT_0); });
    waiter.join();
    EXPECT_EQ(pEvent->Wait(0), static_cast<DWORD>(WAIT_TIMEOUT));
    clock.SetEventsFail(true);
    EXPECT_EQ(clock.CreateEvent(), nullptr);
}

TEST(RealClock, DestructionDropsPendingTimers) {
    std::atomic<int> nRuns{0};
    {
        CRealClock clock;
        clock.ScheduleAfter(600000, [&] { ++nRuns; });
    }
    EXPECT_EQ(nRuns.load(), 0);
}

}  // namespace
