#include "platform/sim/sim_wlan.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sim/sim_wlan_test_util.h"
#include "platform/wlan_api_table.h"

namespace {

// The entry points as a client of the library sees them.
// The entry points of a loaded "wlanapi", resolved as the back end resolves them.
struct CWlanEntries : CWlanApiTable {
    explicit CWlanEntries(HMODULE hModule) { Resolve(Os().Libraries(), hModule); }
};

// What a callback saw.
struct CSeen {
    std::vector<DWORD> adwCodes;
    std::vector<std::thread::id> aThreads;
    std::vector<std::uint64_t> aqwTimes;
    CSimClock* pClock = nullptr;
};

void WLAN_WINAPI Record(WLAN_NOTIFICATION_DATA* pData, void* pContext) {
    auto* pSeen = static_cast<CSeen*>(pContext);
    pSeen->adwCodes.push_back(pData->NotificationCode);
    pSeen->aThreads.push_back(std::this_thread::get_id());
    pSeen->aqwTimes.push_back(pSeen->pClock->Elapsed());
}

// A callback that holds the service thread until the test lets it go.
struct CHeldCallback {
    std::mutex mutex;
    std::condition_variable cv;
    bool bEntered = false;
    bool bReleased = false;
    bool bFinished = false;
};

void WLAN_WINAPI Hold(WLAN_NOTIFICATION_DATA*, void* pContext) {
    auto* pHeld = static_cast<CHeldCallback*>(pContext);
    std::unique_lock<std::mutex> lock(pHeld->mutex);
    pHeld->bEntered = true;
    pHeld->cv.notify_all();
    pHeld->cv.wait(lock, [pHeld] { return pHeld->bReleased; });
    pHeld->bFinished = true;
}

GUID Guid(const char* psz) {
    GUID guid{};
    EXPECT_TRUE(SimParseGuid(psz, &guid));
    return guid;
}

template <typename T>
T At(const void* p, std::size_t nOffset) {
    T value;
    std::memcpy(&value, static_cast<const BYTE*>(p) + nOffset, sizeof(T));
    return value;
}

TEST(SimWlan, GuidTextBothWays) {
    GUID guid{};
    ASSERT_TRUE(SimParseGuid("3F5C2A10-8e4b-4d7a-9c21-6b0e1f4a7d01", &guid));
    EXPECT_EQ(guid.Data1, 0x3f5c2a10u);
    EXPECT_EQ(guid.Data4[0], 0x9c);
    EXPECT_EQ(guid.Data4[7], 0x01);
    EXPECT_EQ(SimFormatGuid(guid), "3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01");
    EXPECT_FALSE(SimParseGuid("{3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01}", &guid));
    EXPECT_FALSE(SimParseGuid("3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d0g", &guid));
    EXPECT_FALSE(SimParseGuid("3f5c2a10x8e4b-4d7a-9c21-6b0e1f4a7d01", &guid));

    CSimRpc rpc;
    WCHAR* psz = nullptr;
    ASSERT_EQ(rpc.UuidToStringW(&guid, &psz), RPC_S_OK);
    EXPECT_EQ(std::u16string(psz), u"3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01");
    EXPECT_EQ(rpc.OutstandingStrings(), 1u);
    EXPECT_EQ(rpc.RpcStringFreeW(&psz), RPC_S_OK);
    EXPECT_EQ(psz, nullptr);
    EXPECT_EQ(rpc.OutstandingStrings(), 0u);
    EXPECT_EQ(rpc.UuidFromStringA("nonsense", &guid), RPC_S_INVALID_STRING_UUID);
    EXPECT_EQ(rpc.UuidFromStringA(nullptr, &guid), RPC_S_OK);
    EXPECT_EQ(guid.Data1, 0u);
}

TEST(SimWlan, VistaInterfacesAndBuffersInTheApiLayouts) {
    std::string strError;
    auto pMachine = CSimMachine::FromFile(NIMBREL_RES_DIR "/../platform/sim/machines/vista.json", &strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    CScopedOs os(*pMachine);
    const HMODULE hModule = Os().Libraries().LoadLibrary("wlanapi.dll");
    ASSERT_NE(hModule, 0);
    CWlanEntries api(hModule);
    DWORD dwVersion = 0;
    HANDLE hClient = 0;
    ASSERT_EQ(api.pfnOpenHandle(2, nullptr, &dwVersion, &hClient), ERROR_SUCCESS);
    EXPECT_EQ(dwVersion, 2u);

    WLAN_INTERFACE_INFO_LIST* pList = nullptr;
    ASSERT_EQ(api.pfnEnumInterfaces(hClient, nullptr, &pList), ERROR_SUCCESS);
    EXPECT_EQ(At<DWORD>(pList, 0), 2u);
    const std::size_t nSecond = wlan_layout::INTERFACE_LIST_HEADER + wlan_layout::INTERFACE_INFO_SIZE;
    EXPECT_EQ(At<char16_t>(pList, nSecond + 16), u'D');  // "Dell Wireless ..."
    EXPECT_EQ(At<DWORD>(pList, nSecond + 16 + 512), wlan_interface_state_disconnected);
    EXPECT_EQ(pMachine->Wlan().OutstandingAllocations(), 1u);
    api.pfnFreeMemory(pList);
    EXPECT_EQ(pMachine->Wlan().OutstandingAllocations(), 0u);
    int nForeign = 0;
    api.pfnFreeMemory(&nForeign);
    EXPECT_EQ(pMachine->Wlan().ForeignFrees(), 1u);

    const GUID guidA = Guid(SIM_WLAN_GUID_A);
    WLAN_BSS_LIST* pBss = nullptr;
    ASSERT_EQ(api.pfnGetNetworkBssList(hClient, &guidA, nullptr, dot11_BSS_type_any, FALSE, nullptr, &pBss),
              ERROR_SUCCESS);
    const DWORD dwTotal = At<DWORD>(pBss, 0);
    ASSERT_EQ(At<DWORD>(pBss, 4), 6u);
    std::vector<std::string> astrSsids;
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t nEntry = wlan_layout::BSS_LIST_HEADER + wlan_layout::BSS_ENTRY_SIZE * i;
        const ULONG ulLength = At<ULONG>(pBss, nEntry);
        astrSsids.emplace_back(reinterpret_cast<const char*>(pBss) + nEntry + 4, ulLength);
        const ULONG ulIeOffset = At<ULONG>(pBss, nEntry + offsetof(WLAN_BSS_ENTRY, ulIeOffset));
        const ULONG ulIeSize = At<ULONG>(pBss, nEntry + offsetof(WLAN_BSS_ENTRY, ulIeSize));
        EXPECT_LE(nEntry + ulIeOffset + ulIeSize, dwTotal);
        // The blob starts with the SSID element.
        EXPECT_EQ(At<BYTE>(pBss, nEntry + ulIeOffset), 0x00);
        EXPECT_EQ(At<BYTE>(pBss, nEntry + ulIeOffset + 1), ulLength);
    }
    EXPECT_EQ(astrSsids[1], "Cafe|Guest");
    const std::size_t nCell = wlan_layout::BSS_LIST_HEADER + wlan_layout::BSS_ENTRY_SIZE * 5;
    EXPECT_EQ(At<DWORD>(pBss, nCell + offsetof(WLAN_BSS_ENTRY, dot11BssType)), dot11_BSS_type_independent);
    const std::size_t nWep = wlan_layout::BSS_LIST_HEADER + wlan_layout::BSS_ENTRY_SIZE * 3;
    EXPECT_TRUE(At<USHORT>(pBss, nWep + offsetof(WLAN_BSS_ENTRY, usCapabilityInformation)) &
                DOT11_CAPABILITY_PRIVACY);
    EXPECT_EQ(At<ULONG>(pBss, nWep + offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency)), 5180000u);
    api.pfnFreeMemory(pBss);

    // The second interface is not connected: its connection cannot be queried.
    const GUID guidB = Guid(SIM_WLAN_GUID_B);
    DWORD cbData = 0;
    void* pData = nullptr;
    EXPECT_EQ(api.pfnQueryInterface(hClient, &guidB, wlan_intf_opcode_current_connection, nullptr, &cbData,
                                    &pData, nullptr),
              ERROR_INVALID_STATE);
    ASSERT_EQ(api.pfnQueryInterface(hClient, &guidA, wlan_intf_opcode_current_connection, nullptr, &cbData,
                                    &pData, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(cbData, 604u);
    EXPECT_EQ(At<ULONG>(pData, wlan_layout::CONNECTION_ASSOCIATION), 7u);  // "HomeNet"
    api.pfnFreeMemory(pData);
    ASSERT_EQ(api.pfnQueryInterface(hClient, &guidA, wlan_intf_opcode_statistics, nullptr, &cbData, &pData,
                                    nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(cbData, 224u + 144 * 2);
    api.pfnFreeMemory(pData);
    EXPECT_EQ(api.pfnQueryInterface(hClient, &guidA, 12345, nullptr, &cbData, &pData, nullptr),
              ERROR_NOT_SUPPORTED);

    EXPECT_EQ(api.pfnCloseHandle(hClient, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(api.pfnCloseHandle(hClient, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(pMachine->Wlan().OutstandingAllocations(), 0u);
    Os().Libraries().FreeLibrary(hModule);
}

class SimWlanNotifications : public ::testing::Test {
protected:
    void Start(const std::string& strScans) {
        m_pMachine = std::make_unique<CSimWlanMachine>(CSimWlanMachine::OneInterface("", strScans));
        m_seen.pClock = &m_pMachine->Machine().Clock();
        m_hModule = Os().Libraries().LoadLibrary("wlanapi");
        m_pApi = std::make_unique<CWlanEntries>(m_hModule);
        DWORD dwVersion = 0;
        ASSERT_EQ(m_pApi->pfnOpenHandle(2, nullptr, &dwVersion, &m_hClient), ERROR_SUCCESS);
        ASSERT_EQ(m_pApi->pfnRegisterNotification(m_hClient, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, Record,
                                                  &m_seen, nullptr, nullptr),
                  ERROR_SUCCESS);
        m_guid = Guid(SIM_WLAN_GUID_A);
    }
    DWORD Scan() { return m_pApi->pfnScan(m_hClient, &m_guid, nullptr, nullptr, nullptr); }

    std::unique_ptr<CSimWlanMachine> m_pMachine;
    std::unique_ptr<CWlanEntries> m_pApi;
    HMODULE m_hModule = 0;
    HANDLE m_hClient = 0;
    GUID m_guid{};
    CSeen m_seen;
};

TEST_F(SimWlanNotifications, ArriveOnTheServiceThreadAtTheirVirtualInstants) {
    Start(R"(, "scanMs": 2500, "scans": [[300, 1200], "never", {"after": [50], "result": "failed"}])");
    ASSERT_EQ(Scan(), ERROR_SUCCESS);  // early, then again later
    ASSERT_EQ(Scan(), ERROR_SUCCESS);  // never
    ASSERT_EQ(Scan(), ERROR_SUCCESS);  // fails
    ASSERT_EQ(Scan(), ERROR_SUCCESS);  // the default duration
    Os().Clock().Sleep(5000);
    ASSERT_EQ(m_seen.adwCodes.size(), 4u);
    EXPECT_EQ(m_seen.adwCodes, (std::vector<DWORD>{wlan_notification_acm_scan_fail, 7, 7, 7}));
    EXPECT_EQ(m_seen.aqwTimes, (std::vector<std::uint64_t>{50, 300, 1200, 2500}));
    for (const std::thread::id& id : m_seen.aThreads) {
        EXPECT_NE(id, std::this_thread::get_id());
    }
    EXPECT_EQ(m_pMachine->InterfaceA().nScanRequests, 4u);
}

TEST_F(SimWlanNotifications, StopWhenTheClientUnregistersOrCloses) {
    Start(R"(, "scanMs": 1000)");
    ASSERT_EQ(Scan(), ERROR_SUCCESS);
    DWORD dwPrevious = 0;
    ASSERT_EQ(m_pApi->pfnRegisterNotification(m_hClient, WLAN_NOTIFICATION_SOURCE_NONE, FALSE, nullptr,
                                              nullptr, nullptr, &dwPrevious),
              ERROR_SUCCESS);
    EXPECT_EQ(dwPrevious, WLAN_NOTIFICATION_SOURCE_ACM);
    Os().Clock().Sleep(1500);
    EXPECT_TRUE(m_seen.adwCodes.empty());

    ASSERT_EQ(m_pApi->pfnRegisterNotification(m_hClient, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, Record, &m_seen,
                                              nullptr, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(Scan(), ERROR_SUCCESS);
    ASSERT_EQ(m_pApi->pfnCloseHandle(m_hClient, nullptr), ERROR_SUCCESS);
    Os().Clock().Sleep(1500);
    EXPECT_TRUE(m_seen.adwCodes.empty());
    EXPECT_EQ(Scan(), ERROR_INVALID_HANDLE);
}

TEST(SimWlanRealTime, CloseReturnsOnlyAfterTheCallbackInProgress) {
    CSimMachineOptions options;
    options.bRealTime = true;
    CSimWlanMachine machine(CSimWlanMachine::OneInterface("", R"(, "scanMs": 1)"), 1000, options);
    CWlanEntries api(Os().Libraries().LoadLibrary("wlanapi"));
    HANDLE hClient = 0;
    DWORD dwVersion = 0;
    ASSERT_EQ(api.pfnOpenHandle(2, nullptr, &dwVersion, &hClient), ERROR_SUCCESS);
    CHeldCallback held;
    ASSERT_EQ(api.pfnRegisterNotification(hClient, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, Hold, &held, nullptr,
                                          nullptr),
              ERROR_SUCCESS);
    const GUID guid = Guid(SIM_WLAN_GUID_A);
    ASSERT_EQ(api.pfnScan(hClient, &guid, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    {
        std::unique_lock<std::mutex> lock(held.mutex);
        held.cv.wait(lock, [&] { return held.bEntered; });
    }
    bool bFinishedAtClose = false;
    std::thread closer([&] {
        EXPECT_EQ(api.pfnCloseHandle(hClient, nullptr), ERROR_SUCCESS);
        std::lock_guard<std::mutex> guard(held.mutex);
        bFinishedAtClose = held.bFinished;
    });
    // The handle is gone once the close has begun; the callback is still held.
    while (machine.Wlan().OpenHandles() != 0) {
        std::this_thread::yield();
    }
    {
        std::lock_guard<std::mutex> guard(held.mutex);
        held.bReleased = true;
    }
    held.cv.notify_all();
    closer.join();
    EXPECT_TRUE(bFinishedAtClose);
}

TEST_F(SimWlanNotifications, InjectedErrorsAndUnknownInterfaces) {
    Start(R"(, "errors": {"WlanScan": 170})");
    EXPECT_EQ(Scan(), ERROR_BUSY);
    const GUID unknown = Guid("00000000-0000-0000-0000-000000000001");
    EXPECT_EQ(m_pApi->pfnScan(m_hClient, &unknown, nullptr, nullptr, nullptr), ERROR_INVALID_PARAMETER);
    m_pMachine->InterfaceA().mapErrors.clear();
    EXPECT_EQ(Scan(), ERROR_SUCCESS);
}

TEST(SimWlan, WithoutLocationConsentOnlyScansListsAndTheConnectionAreRefused) {
    // An interface that would answer everything: connected, one access point.
    const std::string strInterfaces =
        CSimWlanMachine::OneInterface(R"({"ssid": "Near", "bssid": "00:11:22:33:44:55"})");
    CSimWlanMachine machine(R"({"locationConsent": false, )" + strInterfaces.substr(1));
    const HMODULE hModule = Os().Libraries().LoadLibrary("wlanapi");
    ASSERT_NE(hModule, 0);
    CWlanEntries api(hModule);
    DWORD dwVersion = 0;
    HANDLE hClient = 0;
    ASSERT_EQ(api.pfnOpenHandle(2, nullptr, &dwVersion, &hClient), ERROR_SUCCESS);
    CSeen seen;
    seen.pClock = &machine.Machine().Clock();
    EXPECT_EQ(api.pfnRegisterNotification(hClient, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, Record, &seen,
                                          nullptr, nullptr),
              ERROR_SUCCESS);
    WLAN_INTERFACE_INFO_LIST* pList = nullptr;
    ASSERT_EQ(api.pfnEnumInterfaces(hClient, nullptr, &pList), ERROR_SUCCESS);
    EXPECT_EQ(At<DWORD>(pList, 0), 1u);
    api.pfnFreeMemory(pList);

    const GUID guid = Guid(SIM_WLAN_GUID_A);
    EXPECT_EQ(api.pfnScan(hClient, &guid, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
    WLAN_BSS_LIST* pBss = nullptr;
    EXPECT_EQ(api.pfnGetNetworkBssList(hClient, &guid, nullptr, dot11_BSS_type_any, FALSE, nullptr, &pBss),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(pBss, nullptr);
    DWORD cbData = 0;
    void* pData = nullptr;
    EXPECT_EQ(api.pfnQueryInterface(hClient, &guid, wlan_intf_opcode_current_connection, nullptr, &cbData,
                                    &pData, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(pData, nullptr);
    for (const DWORD dwOpcode :
         {DWORD{wlan_intf_opcode_channel_number}, DWORD{wlan_intf_opcode_statistics}}) {
        ASSERT_EQ(api.pfnQueryInterface(hClient, &guid, dwOpcode, nullptr, &cbData, &pData, nullptr),
                  ERROR_SUCCESS)
            << dwOpcode;
        api.pfnFreeMemory(pData);
    }
    // The refused scan was never started, so nothing completes.
    Os().Clock().Sleep(5000);
    EXPECT_TRUE(seen.adwCodes.empty());
    EXPECT_EQ(machine.Wlan().OutstandingAllocations(), 0u);
    EXPECT_EQ(api.pfnCloseHandle(hClient, nullptr), ERROR_SUCCESS);
    Os().Libraries().FreeLibrary(hModule);
}

TEST(SimWlanMachineFile, ProblemsAreOneLineNamingThePlace) {
    auto error = [](const std::string& strWlan) {
        std::string strError;
        EXPECT_EQ(CSimMachine::FromText(R"({"wlan": )" + strWlan + "}", "m.json", &strError), nullptr);
        return strError;
    };
    EXPECT_EQ(
        error(R"({"interfaces": [{"guid": "nope"}]})"),
        "m.json: wlan.interfaces[0].guid: expected a GUID such as 0c1e7a52-9b1d-4e0f-8a77-3d2c55e0a101");
    EXPECT_EQ(error(R"({"missingEntryPoints": ["WlanFly"]})"),
              "m.json: wlan.missingEntryPoints[0]: not an entry point of wlanapi");
    EXPECT_EQ(
        error(R"({"interfaces": [{"guid": "3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01",
                         "accessPoints": [{"bssid": "00:11"}]}]})"),
        "m.json: wlan.interfaces[0].accessPoints[0].bssid: expected a MAC address such as 00:11:22:33:44:55");
    EXPECT_EQ(
        error(R"({"interfaces": [{"guid": "3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01", "scans": ["soon"]}]})"),
        "m.json: wlan.interfaces[0].scans[0]: expected a delay in ms, a list of delays, \"never\" or an "
        "object");
    EXPECT_EQ(error(R"({"interfaces": [{"guid": "3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01",
                         "accessPoints": [{"rssi": "strong"}]}]})"),
              "m.json: wlan.interfaces[0].accessPoints[0].rssi: expected an integer");
}

TEST(SimWlanMachineFile, LibraryCanBeAbsentOrLackEntryPoints) {
    CSimWlanMachine absent(R"({"library": "absent"})");
    EXPECT_EQ(Os().Libraries().LoadLibrary("wlanapi"), 0);
    EXPECT_EQ(Os().System().GetLastError(), ERROR_MOD_NOT_FOUND);

    CSimWlanMachine partial(R"({"missingEntryPoints": ["WlanScan"]})");
    const HMODULE hModule = Os().Libraries().LoadLibrary("wlanapi");
    ASSERT_NE(hModule, 0);
    EXPECT_EQ(Os().Libraries().GetProcAddress(hModule, "WlanScan"), nullptr);
    EXPECT_NE(Os().Libraries().GetProcAddress(hModule, "WlanGetNetworkBssList"), nullptr);
}

}  // namespace
