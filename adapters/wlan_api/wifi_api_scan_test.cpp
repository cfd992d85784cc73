// The native scan wait on the virtual clock: notifications arrive on the simulated WLAN service's
// own thread at their virtual instants.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "adapters/scan_sync.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "platform/sim/sim_wlan_test_util.h"

namespace {

const std::string ONE_AP = R"({"ssid": "Net", "bssid": "00:00:00:00:00:01", "rssi": -50})";

// Scans whose completions come after the given delays ("2000", "[1500, 2000]", "\"never\"", ...).
std::string Scans(std::initializer_list<std::string> astrPlans, DWORD dwDefaultMs = 2000) {
    std::string strList;
    for (const std::string& strPlan : astrPlans) {
        strList += (strList.empty() ? "" : ", ") + strPlan;
    }
    return R"(, "scanMs": )" + std::to_string(dwDefaultMs) + R"(, "scans": [)" + strList + "]";
}

class NativeScanWait : public ::testing::Test {
protected:
    void Start(const std::string& strScans, DWORD dwStartTick = 1000000,
               const CSimMachineOptions& options = {}) {
        m_pMachine = std::make_unique<CSimWlanMachine>(CSimWlanMachine::OneInterface(ONE_AP, strScans),
                                                       dwStartTick, options);
        m_pSync = std::make_unique<CScanSync>();
        m_pSync->CreateEvent();
        m_pAdapter = std::make_unique<CWiFiApiAdapter>();
        ASSERT_EQ(m_pAdapter->OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
        ASSERT_EQ(m_pAdapter->SetScanCallback(ScanNotificationCallback, m_pSync.get()), 0);
    }
    void TearDown() override {
        m_pAdapter.reset();  // ends the registration before the record goes
        if (m_pMachine) {
            EXPECT_EQ(m_pMachine->Wlan().OutstandingAllocations(), 0u);
            EXPECT_EQ(m_pMachine->Wlan().OpenHandles(), 0u);
        }
        m_pSync.reset();
        m_pMachine.reset();
    }

    // One scan as the adapter test runs it; the milliseconds from the request to the list.
    DWORD Scan() {
        const DWORD dwStart = Os().Clock().GetTickCount();
        EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
        m_pSync->SetAction(ACTION_SCAN);
        m_set.Clear();
        EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, &m_nSignal, &m_set));
        EXPECT_EQ(m_pAdapter->m_bScanPending, FALSE);
        EXPECT_EQ(m_pSync->ReadAction(), ACTION_SCAN);  // the completion bit is gone
        return Os().Clock().GetTickCount() - dwStart;
    }
    void ScanTimes(int nCount) {
        for (int i = 0; i < nCount; ++i) {
            Scan();
        }
    }
    unsigned Requests() { return m_pMachine->InterfaceA().nScanRequests; }
    DWORD NewestSample() { return m_pAdapter->m_adwIntervals[m_pAdapter->m_nIntervalPos]; }

    std::unique_ptr<CSimWlanMachine> m_pMachine;
    std::unique_ptr<CScanSync> m_pSync;
    std::unique_ptr<CWiFiApiAdapter> m_pAdapter;
    CScanResultSet m_set;
    short m_nSignal = 0;
};

TEST_F(NativeScanWait, EndsAtTheNotificationAndSkipsTwoWarmUpScans) {
    Start(Scans({"2000", "2000", "2100"}));
    EXPECT_EQ(m_pAdapter->m_nIntervals, -2);
    EXPECT_EQ(Scan(), 2000u);
    EXPECT_EQ(m_set.GetCount(), 1);
    EXPECT_EQ(m_pAdapter->m_nIntervals, -1);
    EXPECT_EQ(Scan(), 2000u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 0);
    EXPECT_EQ(Scan(), 2100u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 1);
    EXPECT_FLOAT_EQ(m_pAdapter->m_fIntervalAvg, 210.0f);
    EXPECT_FLOAT_EQ(m_pAdapter->m_fIntervalStdDev, 14.0f);
    EXPECT_EQ(m_pMachine->Wlan().DeliveredNotifications(), 3u);
}

TEST_F(NativeScanWait, WithFewSamplesNothingIsRejectedAndTheTimeoutIs10Seconds) {
    Start(Scans({"2000", "2000", "2000", "100", "\"never\""}));
    ScanTimes(3);
    EXPECT_EQ(Scan(), 100u);  // one sample held: an early completion is taken
    EXPECT_EQ(m_pAdapter->m_nIntervals, 2);
    EXPECT_EQ(NewestSample(), 10u);
    EXPECT_EQ(Scan(), 10000u);  // no notification: the full time-out, recorded like any other
    EXPECT_EQ(NewestSample(), 1000u);
    EXPECT_EQ(m_set.GetCount(), 1);
}

TEST_F(NativeScanWait, EqualIntervalsRejectAnEarlyCompletionAndShortenTheTimeout) {
    // Samples 200, 200, 200: avg 200, sd clamped up to 13.33; 150 <= 173.33 is bad.
    Start(Scans({"2000", "2000", "2000", "2000", "2000", "1500", "[1500, 2000]", "2000"}));
    ScanTimes(5);
    ASSERT_EQ(m_pAdapter->m_nIntervals, 3);
    EXPECT_FLOAT_EQ(m_pAdapter->m_fIntervalStdDev, 13.333334f);

    EXPECT_EQ(Scan(), 2260u);  // waits on to 10 x 226 ms after the request
    EXPECT_EQ(m_pAdapter->m_nIntervals, 3);
    EXPECT_EQ(m_set.GetCount(), 1);  // the list is still read
    EXPECT_EQ(Scan(), 2000u);        // a second notification ends the wait, still not a sample
    EXPECT_EQ(m_pAdapter->m_nIntervals, 3);
    EXPECT_EQ(Requests(), 7u);
    EXPECT_EQ(Scan(), 2000u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 4);
}

TEST_F(NativeScanWait, SpreadIntervalsRejectCompletionsAtOrBelowAvgMinusTwoSd) {
    // Samples 180, 200, 220: sd 20, so 160 and below is bad, the retry time-out 2400 ms.
    Start(Scans({"2000", "2000", "1800", "2000", "2200", "1600", "1610"}));
    ScanTimes(5);
    EXPECT_FLOAT_EQ(m_pAdapter->m_fIntervalStdDev, 20.0f);
    EXPECT_EQ(Scan(), 2400u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 3);
    EXPECT_EQ(Scan(), 1610u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 4);
    EXPECT_EQ(NewestSample(), 161u);
}

TEST_F(NativeScanWait, CompletionBelowOneSdRequestsANewScanAndRecordsItsCompletion) {
    Start(Scans({"2000", "2000", "2000", "2000", "2000", "100", "2000"}));
    ScanTimes(5);
    const DWORD dwElapsed = Scan();
    EXPECT_EQ(Requests(), 7u);
    EXPECT_EQ(dwElapsed, 2100u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 4);
    EXPECT_EQ(NewestSample(), 200u);  // timed from the new request
}

TEST_F(NativeScanWait, DriverAnsweringEveryRequestAtOnceDoesNotKeepTheWaitAsking) {
    // After three normal samples the driver reports the next 40 scans complete immediately. Each
    // wait asks again at most as often as it holds samples (a wait that kept asking would only stop
    // when the 40 run out); the early completion after that is bad: the wait runs on to its
    // time-out of 10 x 226 ms without asking again, and no completion under one sd is a sample.
    std::string strScans = R"(, "scans": [2000, 2000, 2000, 2000, 2000)";
    for (int i = 0; i < 40; ++i) {
        strScans += ", 0";
    }
    Start(strScans + "]");
    ScanTimes(5);
    ASSERT_EQ(m_pAdapter->m_nIntervals, 3);
    EXPECT_EQ(Scan(), 2260u);
    EXPECT_EQ(Requests(), 5u + 1 + 3);
    EXPECT_EQ(m_set.GetCount(), 1);  // the list is still read
    EXPECT_EQ(m_pAdapter->m_nIntervals, 3);
    EXPECT_EQ(NewestSample(), 200u);
    EXPECT_EQ(Scan(), 2260u);
    EXPECT_EQ(Requests(), 9u + 4);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 3);
}

TEST_F(NativeScanWait, TickWrapLowersTheRequestTick) {
    // The request goes out 1000 ms before the 32-bit tick wraps; its completion comes 2000 ms later.
    Start(Scans({"2000"}), 0xFFFFFFFFu - 999);
    m_pAdapter->m_nIntervals = 0;  // past warm-up, so the sample is kept
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    EXPECT_EQ(m_pAdapter->m_dwLastScanTick, 0xFFFFFFFFu - 999);
    m_pSync->SetAction(ACTION_SCAN);
    EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, nullptr, &m_set));
    EXPECT_EQ(Os().Clock().GetTickCount(), 1000u);
    EXPECT_EQ(m_pAdapter->m_dwLastScanTick, 1000u);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 1);
    EXPECT_EQ(NewestSample(), 0u);
}

TEST_F(NativeScanWait, WithoutAScanActionThereIsNoWaitAndNoList) {
    Start(Scans({"2000"}));
    m_pSync->SetAction(0);
    const DWORD dwStart = Os().Clock().GetTickCount();
    EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, nullptr, &m_set));
    EXPECT_EQ(Os().Clock().GetTickCount(), dwStart);
    EXPECT_EQ(Requests(), 1u);  // no scan was pending, so one was requested
    EXPECT_EQ(m_set.GetCount(), 0);
    EXPECT_EQ(m_pAdapter->m_bScanPending, FALSE);
}

TEST_F(NativeScanWait, FailedListFetchIsTheOnlyFailure) {
    Start(Scans({"2000"}));
    m_pMachine->InterfaceA().mapErrors["WlanGetNetworkBssList"] = ERROR_NOT_ENOUGH_MEMORY;
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    EXPECT_FALSE(m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, nullptr, &m_set));
    m_pMachine->InterfaceA().mapErrors["WlanScan"] = ERROR_BUSY;
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_FAILED);
    EXPECT_EQ(m_pAdapter->m_bScanPending, TRUE);
}

TEST_F(NativeScanWait, FailedScanNotificationIsIgnored) {
    Start(Scans({R"({"after": [300], "result": "failed"})"}));
    EXPECT_EQ(Scan(), 10000u);
    EXPECT_EQ(m_pMachine->Wlan().DeliveredNotifications(), 1u);
}

// The record's lock with a notification that lands right after the waiter leaves it once armed: the
// service thread's callback coming between the waiter's read of the action word and its wait.
class CNotifyAfterLeaveLock : public ILock {
public:
    explicit CNotifyAfterLeaveLock(std::unique_ptr<ILock> pInner) : m_pInner(std::move(pInner)) {}
    void Enter() override { m_pInner->Enter(); }
    void Leave() override {
        m_pInner->Leave();
        if (CScanSync* pSync = std::exchange(m_pArmed, nullptr)) {
            WLAN_NOTIFICATION_DATA data{};
            data.NotificationSource = WLAN_NOTIFICATION_SOURCE_ACM;
            data.NotificationCode = wlan_notification_acm_scan_complete;
            ScanNotificationCallback(&data, pSync);
        }
    }
    CScanSync* m_pArmed = nullptr;

private:
    std::unique_ptr<ILock> m_pInner;
};

TEST_F(NativeScanWait, NotificationBeforeTheWaitBeginsEndsItAtOnce) {
    Start(Scans({R"("never")"}));
    auto pLock = std::make_unique<CNotifyAfterLeaveLock>(std::move(m_pSync->m_lock));
    CNotifyAfterLeaveLock& lock = *pLock;
    m_pSync->m_lock = std::move(pLock);
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    lock.m_pArmed = m_pSync.get();
    const DWORD dwStart = Os().Clock().GetTickCount();
    EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, nullptr, &m_set));
    EXPECT_EQ(lock.m_pArmed, nullptr);  // the notification did come
    EXPECT_EQ(Os().Clock().GetTickCount() - dwStart, 0u);
    EXPECT_EQ(m_set.GetCount(), 1);
    EXPECT_EQ(m_pSync->ReadAction(), ACTION_SCAN);
}

// An event whose every wait fails at once, as a wait on a null handle does.
class CFailingEvent : public IEvent {
public:
    void Set() override {}
    DWORD Wait(DWORD) override {
        ++m_nWaits;
        return WAIT_FAILED;
    }
    int m_nWaits = 0;
};

TEST_F(NativeScanWait, WithoutAnEventOrWithAFailingOneTheWaitEndsAtOnceAndRecordsNothing) {
    Start(Scans({"2000"}, 2000));
    m_pAdapter->m_nIntervals = 0;  // past warm-up: a wait that ended would be recorded
    CScanSync noEvent;
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    noEvent.SetAction(ACTION_SCAN);
    const DWORD dwStart = Os().Clock().GetTickCount();
    EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(&noEvent, nullptr, -1, nullptr, &m_set));
    EXPECT_EQ(Os().Clock().GetTickCount(), dwStart);
    EXPECT_EQ(m_set.GetCount(), 1);

    auto pEvent = std::make_unique<CFailingEvent>();
    CFailingEvent& event = *pEvent;
    m_pSync->m_pEvent = std::move(pEvent);
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    m_set.Clear();
    EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, nullptr, &m_set));
    EXPECT_EQ(event.m_nWaits, 1);
    EXPECT_EQ(m_set.GetCount(), 1);
    EXPECT_EQ(m_pAdapter->m_nIntervals, 0);
}

TEST(NativeScanWaitRealTime, NotificationFromTheServiceThreadEndsTheWait) {
    CSimMachineOptions options;
    options.bRealTime = true;
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(ONE_AP, R"(, "scanMs": 20)"), 1000, options);
    CScanSync sync;
    sync.CreateEvent();
    {
        CWiFiApiAdapter adapter;
        ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
        ASSERT_EQ(adapter.SetScanCallback(ScanNotificationCallback, &sync), 0);
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(adapter.StartScan(), QUERY_OK);
            sync.SetAction(ACTION_SCAN);
            CScanResultSet set;
            EXPECT_TRUE(adapter.WaitAndGetBssList(&sync, nullptr, -1, nullptr, &set));
            EXPECT_EQ(set.GetCount(), 1);
        }
        EXPECT_EQ(adapter.m_nIntervals, 1);
    }
    EXPECT_EQ(machine.Wlan().DeliveredNotifications(), 3u);
}

}  // namespace
