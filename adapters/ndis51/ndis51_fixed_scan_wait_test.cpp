#include "adapters/fixed_scan_wait.h"

#include <gtest/gtest.h>

#include "adapters/ndis51/ndis51_adapter.h"
#include "adapters/scan_sync.h"
#include "adapters/supported_cache.h"
#include "platform/sim/sim_machine.h"

// The fixed scan timing of the NDIS (and ORiNOCO) back ends (adapters/fixed_scan_wait.h), on the
// virtual clock, through an NDIS adapter on a simulated driver.
namespace {

class FixedScanWaitTest : public ::testing::Test {
protected:
    void SetUp() override { g_dwNdisuioAccess = NDISUIO_ACCESS_READ_WRITE; }
    void TearDown() override {
        m_pSync.reset();
        m_pAdapter.reset();
        m_pOs.reset();
        m_pMachine.reset();
        g_dwNdisuioAccess = NDISUIO_ACCESS_READ_WRITE;
        ClearSupportedCache();
    }

    void Boot(DWORD dwStartTick, const std::string& strBindingMore = "") {
        const std::string strText =
            R"({"clock": {"startTick": )" + std::to_string(dwStartTick) +
            R"(}, "ndisuio": {"bindings": [{"name": "\\DEVICE\\{5A1B}", "accessPoints": [
                {"ssid": "Office", "bssid": "00:0F:66:00:00:01", "dsConfig": 2437000, "rssi": -50}]
                )" +
            strBindingMore + "}]}}";
        std::string strError;
        m_pMachine = CSimMachine::FromText(strText, "test", &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
        m_pAdapter = std::make_unique<CNdis51Adapter>();
        ASSERT_EQ(m_pAdapter->OpenByName("\\DEVICE\\{5A1B}", FALSE), OPEN_USABLE);
        m_pSync = std::make_unique<CScanSync>();
        m_pSync->CreateEvent();
        m_pMachine->Ndisuio().ClearCalls();
    }

    std::uint64_t Elapsed() { return m_pMachine->VirtualClock()->Elapsed(); }
    BOOL Wait() { return m_pAdapter->WaitAndGetBssList(m_pSync.get(), nullptr, -1, nullptr, &m_set); }
    std::size_t Sent() { return m_pMachine->Ndisuio().Calls().size(); }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    std::unique_ptr<CNdis51Adapter> m_pAdapter;
    std::unique_ptr<CScanSync> m_pSync;  // made on the machine's clock, gone before it
    CScanResultSet m_set;
};

}  // namespace

TEST_F(FixedScanWaitTest, ListIsReadExactly4000MsAfterTheRequest) {
    Boot(100000);
    m_pMachine->Clock().Sleep(10);
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    const std::uint64_t qwRequest = Elapsed();
    m_pSync->SetAction(ACTION_SCAN);
    m_pMachine->Clock().Sleep(1234);  // the caller is slow to start waiting
    EXPECT_EQ(Wait(), TRUE);
    EXPECT_EQ(Elapsed() - qwRequest, FIXED_SCAN_WAIT_MS);
    EXPECT_EQ(m_set.GetCount(), 1);
    EXPECT_EQ(m_pAdapter->m_bScanPending, FALSE);

    // A wait that starts after the 4000 ms does not wait at all.
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pMachine->Clock().Sleep(5000);
    const std::uint64_t qwBefore = Elapsed();
    m_set.Clear();
    EXPECT_EQ(Wait(), TRUE);
    EXPECT_EQ(Elapsed(), qwBefore);
    EXPECT_EQ(m_set.GetCount(), 1);
}

TEST_F(FixedScanWaitTest, SecondRequestWithin750MsSendsNothing) {
    Boot(100000);
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    EXPECT_EQ(Sent(), 1u);
    m_pMachine->Clock().Sleep(749);
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_FAILED);
    EXPECT_EQ(Sent(), 1u);
    m_pMachine->Clock().Sleep(1);
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    EXPECT_EQ(Sent(), 2u);

    // Once the wait has ended the scan is no longer pending: the next request goes out at once.
    m_pSync->SetAction(ACTION_SCAN);
    Wait();
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    Wait();
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
}

TEST_F(FixedScanWaitTest, TickWrapDuringTheWaitCountsFromTheWrappedTick) {
    Boot(0xFFFFFFFFu - 999);  // 1000 ms before the counter wraps
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    EXPECT_EQ(m_pAdapter->m_dwLastScanTick, 0xFFFFFFFFu - 999);
    m_pSync->SetAction(ACTION_SCAN);
    const std::uint64_t qwRequest = Elapsed();
    EXPECT_EQ(Wait(), TRUE);
    // The first wait ends at tick 3000 (wrapped): the request tick drops to 3000 and the wait counts
    // 4000 ms from there.
    EXPECT_EQ(Elapsed() - qwRequest, 2 * FIXED_SCAN_WAIT_MS);
    EXPECT_EQ(m_pAdapter->m_dwLastScanTick, 3000u);
    EXPECT_EQ(m_set.GetCount(), 1);

    // Read at the start of a wait too: a request before the wrap, the wait after it.
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pAdapter->m_dwLastScanTick = 0xFFFFFF00;
    const DWORD dwNow = Os().Clock().GetTickCount();
    EXPECT_EQ(ReadScanTick(*m_pAdapter), dwNow);
    EXPECT_EQ(m_pAdapter->m_dwLastScanTick, dwNow);
}

TEST_F(FixedScanWaitTest, WithoutScanActionNothingWaitsAndNoListIsRead) {
    Boot(100000);
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pMachine->Ndisuio().ClearCalls();
    const std::uint64_t qwBefore = Elapsed();
    m_pSync->SetAction(ACTION_SCAN_DONE);
    EXPECT_EQ(Wait(), TRUE);
    EXPECT_EQ(Elapsed(), qwBefore);
    EXPECT_EQ(Sent(), 0u);
    EXPECT_EQ(m_set.GetCount(), 0);
    EXPECT_EQ(m_pAdapter->m_bScanPending, FALSE);
}

TEST_F(FixedScanWaitTest, ActionWithdrawnDuringTheWaitEndsItWithoutAList) {
    Boot(100000);
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    m_pMachine->Clock().ScheduleAfter(1500, [this] {
        m_pSync->SetAction(0);
        m_pSync->m_pEvent->Set();
    });
    const std::uint64_t qwBefore = Elapsed();
    EXPECT_EQ(Wait(), TRUE);
    EXPECT_EQ(Elapsed() - qwBefore, 1500u);
    EXPECT_EQ(m_set.GetCount(), 0);
}

TEST_F(FixedScanWaitTest, WithoutAnEventNothingWaitsAndTheListIsReadAtOnce) {
    Boot(100000);
    m_pSync = std::make_unique<CScanSync>();  // no event made
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    const std::uint64_t qwBefore = Elapsed();
    EXPECT_EQ(Wait(), TRUE);
    EXPECT_EQ(Elapsed(), qwBefore);
    EXPECT_EQ(m_set.GetCount(), 1);
    EXPECT_EQ(m_pAdapter->m_bScanPending, FALSE);
}

TEST_F(FixedScanWaitTest, FailedListAfterTheWaitGivesFalse) {
    Boot(100000, R"(, "oidErrors": {"0x0D010217": 31})");
    ASSERT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    m_pSync->SetAction(ACTION_SCAN);
    const std::uint64_t qwBefore = Elapsed();
    EXPECT_EQ(Wait(), FALSE);
    EXPECT_EQ(Elapsed() - qwBefore, FIXED_SCAN_WAIT_MS);
}
