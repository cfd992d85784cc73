#include "platform/sim/sim_services.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_system.h"

namespace {

class SimServicesTest : public ::testing::Test {
  protected:
    SC_HANDLE OpenWzc(DWORD dwAccess = SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP) {
        m_hManager = m_services.OpenSCManager(SC_MANAGER_ALL_ACCESS);
        return m_services.OpenService(m_hManager, "wzcsvc", dwAccess);
    }
    CServiceStatus Query(SC_HANDLE hService) {
        CServiceStatus status;
        EXPECT_TRUE(m_services.QueryServiceStatus(hService, &status));
        return status;
    }

    CVirtualClock m_clock{0};
    CSimSystem m_system;
    CSimServices m_services{m_clock, m_system};
    SC_HANDLE m_hManager = 0;
};

TEST_F(SimServicesTest, StopAndStartTakeVirtualTimeWithAdvancingCheckpoints) {
    CSimServiceConfig config;
    config.strName = "WZCSVC";
    config.dwWaitHint = 8000;
    config.dwStopMs = 1000;
    config.dwStartMs = 2000;
    config.dwCheckpointMs = 300;
    m_services.AddService(config);
    const SC_HANDLE hService = OpenWzc();
    ASSERT_NE(hService, 0);
    EXPECT_EQ(Query(hService).dwCurrentState, SERVICE_RUNNING);
    EXPECT_EQ(Query(hService).dwWaitHint, 0u);

    CServiceStatus status;
    ASSERT_TRUE(m_services.ControlService(hService, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOP_PENDING);
    EXPECT_EQ(status.dwWaitHint, 8000u);
    EXPECT_EQ(status.dwCheckPoint, 0u);
    m_clock.Sleep(650);
    EXPECT_EQ(Query(hService).dwCheckPoint, 2u);
    m_clock.Sleep(350);
    EXPECT_EQ(Query(hService).dwCurrentState, SERVICE_STOPPED);

    EXPECT_FALSE(m_services.ControlService(hService, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(m_system.GetLastError(), ERROR_SERVICE_NOT_ACTIVE);

    ASSERT_TRUE(m_services.StartService(hService));
    EXPECT_EQ(Query(hService).dwCurrentState, SERVICE_START_PENDING);
    EXPECT_FALSE(m_services.StartService(hService));
    EXPECT_EQ(m_system.GetLastError(), ERROR_SERVICE_ALREADY_RUNNING);
    m_clock.Sleep(1999);
    EXPECT_EQ(Query(hService).dwCurrentState, SERVICE_START_PENDING);
    m_clock.Sleep(1);
    EXPECT_EQ(Query(hService).dwCurrentState, SERVICE_RUNNING);

    const CSimServiceRecord record = m_services.Record("WZCSVC");
    EXPECT_EQ(record.nControlCalls, 2);
    EXPECT_EQ(record.nStartCalls, 2);
    EXPECT_TRUE(m_services.CloseServiceHandle(hService));
    EXPECT_TRUE(m_services.CloseServiceHandle(m_hManager));
    EXPECT_EQ(m_services.OpenHandleCount(), 0u);
}

TEST_F(SimServicesTest, AStalledServiceNeverMovesItsCheckpoint) {
    const MachineJson json =
        ParseMachineJson(R"({"WZCSVC": {"state": "stop-pending", "hang": true, "checkpointMs": 0}})");
    m_services.Load(CJsonNode(&json, "services"), CJsonNode(nullptr, "serviceManager"));
    const SC_HANDLE hService = OpenWzc();
    m_clock.Sleep(600000);
    const CServiceStatus status = Query(hService);
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOP_PENDING);
    EXPECT_EQ(status.dwCheckPoint, 0u);
    // A stop sent while it is stopping is taken and changes nothing.
    EXPECT_TRUE(m_services.ControlService(hService, SERVICE_CONTROL_STOP, nullptr));
    EXPECT_EQ(Query(hService).dwCurrentState, SERVICE_STOP_PENDING);
}

TEST_F(SimServicesTest, RefusesAccessAndFailsAsConfigured) {
    const MachineJson json = ParseMachineJson(R"({
        "WZCSVC": {"access": "query"},
        "Other": {"startError": 1058, "state": "stopped"},
        "Third": {"controlError": 1051}})");
    const MachineJson manager = ParseMachineJson(R"({"access": "full"})");
    m_services.Load(CJsonNode(&json, "services"), CJsonNode(&manager, "serviceManager"));

    EXPECT_EQ(OpenWzc(), 0);
    EXPECT_EQ(m_system.GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_NE(OpenWzc(SERVICE_QUERY_STATUS), 0);
    EXPECT_EQ(m_services.OpenService(m_hManager, "Nothing", SERVICE_QUERY_STATUS), 0);
    EXPECT_EQ(m_system.GetLastError(), ERROR_SERVICE_DOES_NOT_EXIST);

    const SC_HANDLE hOther = m_services.OpenService(m_hManager, "Other", SERVICE_START);
    EXPECT_FALSE(m_services.StartService(hOther));
    EXPECT_EQ(m_system.GetLastError(), 1058u);
    EXPECT_FALSE(m_services.QueryServiceStatus(hOther, nullptr));  // opened without query rights
    EXPECT_EQ(m_system.GetLastError(), ERROR_ACCESS_DENIED);
    const SC_HANDLE hThird = m_services.OpenService(m_hManager, "Third", SERVICE_STOP);
    EXPECT_FALSE(m_services.ControlService(hThird, SERVICE_CONTROL_STOP, nullptr));
    EXPECT_EQ(m_system.GetLastError(), 1051u);
    EXPECT_EQ(m_services.Record("Third").nControlCalls, 1);

    EXPECT_FALSE(m_services.StartService(m_hManager));  // a manager handle is no service handle
    EXPECT_EQ(m_system.GetLastError(), ERROR_INVALID_HANDLE);
    m_services.SetManagerAccessDenied(true);
    EXPECT_EQ(m_services.OpenSCManager(SC_MANAGER_ALL_ACCESS), 0);
    EXPECT_EQ(m_system.GetLastError(), ERROR_ACCESS_DENIED);
}

}  // namespace
