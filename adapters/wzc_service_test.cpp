#include "adapters/wzc_service.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

class WzcServiceTest : public ::testing::Test {
  protected:
    void SetUp() override { g_bWzcStopped = 0; }
    void TearDown() override { g_bWzcStopped = 0; }

    // A machine with the given Windows version and WZCSVC entry (JSON members).
    void Boot(const std::string& strService, const std::string& strWindows = R"("major": 5, "minor": 1)",
              const std::string& strMore = "") {
        m_pOs.reset();  // the previous machine goes first, with its services
        m_pMachine.reset();
        const std::string strText = "{\"clock\": {\"startTick\": 4294963200}, \"windows\": {" + strWindows +
                                    "}, \"services\": {\"WZCSVC\": {" + strService + "}}" + strMore + "}";
        std::string strError;
        m_pMachine = CSimMachine::FromText(strText, "test", &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    }
    std::uint64_t Elapsed() { return m_pMachine->VirtualClock()->Elapsed(); }
    CSimServiceRecord Record() { return m_pMachine->ServiceManager().Record("WZCSVC"); }
    DWORD State() { return m_pMachine->ServiceManager().Status("WZCSVC").dwCurrentState; }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
};

TEST_F(WzcServiceTest, StopsAndRestartsTheServiceOnWindowsXp) {
    Boot(R"("state": "running", "waitHint": 0, "stopMs": 1700, "startMs": 2500, "checkpointMs": 0)");
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(g_bWzcStopped, 1);
    EXPECT_EQ(Elapsed(), 2000u);  // polls of 500 ms: seen stopped at the fourth
    EXPECT_EQ(Record().adwControls, std::vector<DWORD>{SERVICE_CONTROL_STOP});

    EXPECT_EQ(ControlWzcService(1), 1);
    EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(g_bWzcStopped, 0);
    EXPECT_EQ(Elapsed(), 4500u);
    EXPECT_EQ(Record().nStartCalls, 1);
    EXPECT_EQ(m_pMachine->ServiceManager().OpenHandleCount(), 0u);
}

TEST_F(WzcServiceTest, WaitHintZeroPollsEveryHalfSecondAndGivesUpAfterTwelveSecondsOfStall) {
    Boot(R"("state": "running", "waitHint": 0, "hang": true, "checkpointMs": 0)");
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(Elapsed(), 12500u);         // the first poll past 12000 ms without progress
    EXPECT_EQ(Record().nQueryCalls, 27);  // before, after the control, and 25 polls
    EXPECT_EQ(g_bWzcStopped, 1);          // a failed stop still counts as ours to restart
    EXPECT_EQ(m_pMachine->ServiceManager().OpenHandleCount(), 0u);
}

TEST_F(WzcServiceTest, LongWaitHintPollsEveryFiveSecondsAndAllowsItsOwnLength) {
    Boot(R"("state": "running", "waitHint": 100000, "hang": true, "checkpointMs": 0)");
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(Elapsed(), 105000u);
    EXPECT_EQ(Record().nQueryCalls, 2 + 21);
}

TEST_F(WzcServiceTest, AnAdvancingCheckpointKeepsTheWaitGoing) {
    // Far longer than the stall limit, but the checkpoint moves between polls.
    Boot(R"("state": "running", "waitHint": 100000, "stopMs": 300000, "checkpointMs": 4000)");
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(Elapsed(), 300000u);
    EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(WzcServiceTest, TheStallLimitHoldsAcrossTheTickWrap) {
    // The tick starts 4096 ms before it wraps to 0.
    Boot(R"("state": "running", "waitHint": 0, "hang": true, "checkpointMs": 0)");
    EXPECT_EQ(m_pMachine->Clock().GetTickCount(), 0xFFFFF000u);
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(Elapsed(), 12500u);
    EXPECT_EQ(m_pMachine->Clock().GetTickCount(), 12500u - 4096u);
}

TEST_F(WzcServiceTest, AServiceThatFinishesAfterTheWrapIsSeen) {
    Boot(R"("state": "running", "waitHint": 0, "stopMs": 6000, "checkpointMs": 0)");
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(Elapsed(), 6000u);
}

TEST_F(WzcServiceTest, StoppingAStoppedServiceSendsNothing) {
    Boot(R"("state": "stopped")");
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(Record().nControlCalls, 0);
    EXPECT_EQ(g_bWzcStopped, 0);
    EXPECT_EQ(Elapsed(), 0u);
    // A flag set by an earlier stop stays set.
    g_bWzcStopped = 1;
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(g_bWzcStopped, 1);
}

TEST_F(WzcServiceTest, StoppingAServiceThatIsStoppingWaitsButLeavesTheFlag) {
    Boot(R"("state": "stop-pending", "waitHint": 0, "stopMs": 3000, "checkpointMs": 0)");
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(Record().nControlCalls, 1);
    EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(Elapsed(), 3000u);
    EXPECT_EQ(g_bWzcStopped, 0);
}

TEST_F(WzcServiceTest, StartingARunningServiceSendsNothingAndClearsTheFlag) {
    Boot(R"("state": "running")");
    g_bWzcStopped = 1;
    EXPECT_EQ(ControlWzcService(1), 1);
    EXPECT_EQ(Record().nStartCalls, 0);
    EXPECT_EQ(g_bWzcStopped, 0);
}

TEST_F(WzcServiceTest, OtherWindowsVersionsAreLeftAlone) {
    for (const char* pszVersion :
         {R"("major": 5, "minor": 0)", R"("major": 6, "minor": 0)", R"("major": 4)"}) {
        SCOPED_TRACE(pszVersion);
        Boot(R"("state": "running")", pszVersion);
        g_bWzcStopped = 0;
        EXPECT_EQ(ControlWzcService(0), 1);
        EXPECT_EQ(g_bWzcStopped, 0);
        g_bWzcStopped = 1;
        EXPECT_EQ(ControlWzcService(0), 1);
        EXPECT_EQ(g_bWzcStopped, 1);  // unchanged
        EXPECT_EQ(ControlWzcService(1), 1);
        EXPECT_EQ(g_bWzcStopped, 0);
        EXPECT_EQ(Record().nQueryCalls + Record().nControlCalls + Record().nStartCalls, 0);
        EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
    }
}

TEST_F(WzcServiceTest, ServerTwoThousandThreeIsControlled) {
    Boot(R"("state": "running", "stopMs": 100)", R"("major": 5, "minor": 2)");
    EXPECT_EQ(ControlWzcService(0), 1);
    EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(g_bWzcStopped, 1);
}

TEST_F(WzcServiceTest, MissingRightsFailButStillMarkTheStop) {
    Boot(R"("state": "running")", R"("major": 5, "minor": 1)", R"(, "serviceManager": {"access": "denied"})");
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(g_bWzcStopped, 1);
    EXPECT_EQ(ControlWzcService(1), 0);
    EXPECT_EQ(g_bWzcStopped, 0);

    Boot(R"("state": "running", "access": "query")");
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(g_bWzcStopped, 1);
    EXPECT_EQ(Record().nQueryCalls, 0);
    EXPECT_EQ(m_pMachine->ServiceManager().OpenHandleCount(), 0u);  // the manager handle was closed
}

TEST_F(WzcServiceTest, FailedControlCallsGiveZero) {
    Boot(R"("state": "running", "controlError": 1051)");
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(Record().nControlCalls, 1);
    EXPECT_EQ(g_bWzcStopped, 1);

    Boot(R"("state": "stopped", "startError": 1058)");
    EXPECT_EQ(ControlWzcService(1), 0);
    EXPECT_EQ(Record().nStartCalls, 1);
    EXPECT_EQ(g_bWzcStopped, 0);

    Boot(R"("queryError": 5)");
    EXPECT_EQ(ControlWzcService(0), 0);
    EXPECT_EQ(Record().nControlCalls, 0);
    EXPECT_EQ(m_pMachine->ServiceManager().OpenHandleCount(), 0u);
}

}  // namespace
