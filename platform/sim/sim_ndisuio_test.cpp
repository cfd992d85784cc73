#include "platform/sim/sim_ndisuio.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

constexpr DWORD CODE_OPEN_DEVICE = 0x0012C800;
constexpr DWORD CODE_QUERY_OID = 0x0012C804;
constexpr DWORD CODE_QUERY_BINDING = 0x0012C80C;
constexpr DWORD CODE_SET_OID = 0x0012C814;
constexpr DWORD CODE_BIND_WAIT_0 = 0x00120810;

std::unique_ptr<CSimMachine> Load(const std::string& strNdisuio, std::string* pstrError = nullptr) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(R"({"services": {"WZCSVC": {"state": "running", "stopMs": 100}},
                                              "ndisuio": )" +
                                              strNdisuio + "}",
                                          "m.json", &strError);
    if (pstrError != nullptr) {
        *pstrError = strError;
    }
    return pMachine;
}

std::string LoadError(const std::string& strNdisuio) {
    std::string strError;
    EXPECT_EQ(Load(strNdisuio, &strError), nullptr);
    return strError;
}

// Raw access to the driver, as a program sends its requests.
class CRawHandle {
public:
    explicit CRawHandle(CSimMachine& machine) : m_io(machine.DeviceIo()), m_system(machine.System()) {
        m_hDevice = m_io.CreateFile("\\\\.\\\\Ndisuio", 0xC0000000, 0, 3, 0x80);
    }
    ~CRawHandle() { m_io.CloseHandle(m_hDevice); }

    DWORD Send(DWORD dwCode, std::vector<BYTE>* pabBuffer, DWORD cbIn, DWORD* pcbReturned) {
        *pcbReturned = 0;
        const BOOL bOk = m_io.DeviceIoControl(m_hDevice, dwCode, pabBuffer->data(), cbIn, pabBuffer->data(),
                                              static_cast<DWORD>(pabBuffer->size()), pcbReturned);
        return bOk ? ERROR_SUCCESS : m_system.GetLastError();
    }
    DWORD Open(const std::u16string& wstrName) {
        std::vector<BYTE> ab;
        for (char16_t wch : wstrName) {
            ab.push_back(static_cast<BYTE>(wch));
            ab.push_back(static_cast<BYTE>(wch >> 8));
        }
        return m_io.DeviceIoControl(m_hDevice, CODE_OPEN_DEVICE, ab.data(), static_cast<DWORD>(ab.size()),
                                    nullptr, 0, nullptr)
                   ? ERROR_SUCCESS
                   : m_system.GetLastError();
    }
    // The query of one OID with a buffer of cbBuffer bytes.
    DWORD Query(DWORD dwOid, DWORD cbBuffer, DWORD* pcbReturned, std::vector<BYTE>* pabAnswer = nullptr) {
        std::vector<BYTE> ab(cbBuffer, 0);
        for (int i = 0; i < 4; ++i) {
            ab[i] = static_cast<BYTE>(dwOid >> (8 * i));
        }
        const DWORD dwError = Send(CODE_QUERY_OID, &ab, cbBuffer, pcbReturned);
        if (pabAnswer != nullptr) {
            *pabAnswer = ab;
        }
        return dwError;
    }

    HANDLE m_hDevice;

private:
    IDeviceIo& m_io;
    ISystem& m_system;
};

DWORD Le32(const std::vector<BYTE>& ab, std::size_t nPos) {
    return ab[nPos] | (ab[nPos + 1] << 8) | (ab[nPos + 2] << 16) | (static_cast<DWORD>(ab[nPos + 3]) << 24);
}

}  // namespace

TEST(SimNdisuioTest, MachineFileProblemsAreOneLineWithTheirPlace) {
    EXPECT_EQ(LoadError(R"({"bindings": [{"description": "x"}]})"),
              "m.json: ndisuio.bindings[0].name: missing required field");
    EXPECT_EQ(LoadError(R"({"bindings": [{"name": "a", "accessPoints": [{"bssid": "00:11:22"}]}]})"),
              "m.json: ndisuio.bindings[0].accessPoints[0].bssid: expected a MAC address such as "
              "\"00:0F:66:12:34:56\"");
    EXPECT_EQ(
        LoadError(R"({"bindings": [{"name": "a", "oidErrors": {"RSSI": 50}}]})"),
        "m.json: ndisuio.bindings[0].oidErrors.RSSI: expected an OID such as \"0x0D010206\", found \"RSSI\"");
    EXPECT_EQ(LoadError(R"({"codeForm": "new"})"),
              "m.json: ndisuio.codeForm: expected one of both, access0, readWrite");
    EXPECT_NE(LoadError(R"({"bindings": [{"name": "a", "bssidList": {"raw": "0G"}}]})").find("bssidList.raw"),
              std::string::npos);
    EXPECT_NE(
        LoadError(
            R"({"bindings": [{"name": "a", "accessPoints": [{"bssid": "00:11:22:33:44:55", "rates": [0]}]}]})")
            .find("rates[0]: expected a rate"),
        std::string::npos);
    EXPECT_NE(
        LoadError(R"({"bindings": [{"name": "a", "colour": 1}]})").find("bindings[0].colour: unknown field"),
        std::string::npos);
}

TEST(SimNdisuioTest, BindingRecordAndOidAnswersHaveTheDriversLayout) {
    auto pMachine = Load(R"({"bindings": [{"name": "\\DEVICE\\{A}", "description": "Card \u00c9", "medium": 1,
                             "association": {"bssid": "00:0F:66:00:00:01", "ssid": "Net", "dsConfig": 5180000}}]})");
    ASSERT_NE(pMachine, nullptr);
    CRawHandle handle(*pMachine);
    std::vector<BYTE> ab(1024, 0);
    DWORD cbReturned = 0;
    ASSERT_EQ(handle.Send(CODE_QUERY_BINDING, &ab, 20, &cbReturned), ERROR_SUCCESS);
    EXPECT_EQ(Le32(ab, 4), 20u);            // name offset
    EXPECT_EQ(Le32(ab, 8), 2u * (11 + 1));  // "\DEVICE\{A}" and its terminator
    EXPECT_EQ(Le32(ab, 12), 20u + 24u);     // description offset
    EXPECT_EQ(Le32(ab, 16), 2u * (6 + 1));  // "Card É"
    EXPECT_EQ(ab[44 + 10], 0xC9);           // É in UTF-16
    EXPECT_EQ(cbReturned, 20u + 24u + 14u);
    ab.assign(1024, 0);
    ab[0] = 1;
    EXPECT_EQ(handle.Send(CODE_QUERY_BINDING, &ab, 20, &cbReturned), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));

    EXPECT_EQ(handle.Query(0x0D010101, 1024, &cbReturned), static_cast<DWORD>(1167));  // not opened yet
    ASSERT_EQ(handle.Open(u"\\device\\{a}"), ERROR_SUCCESS);
    const std::pair<DWORD, DWORD> aSizes[] = {{0x0D010101, 10}, {0x0D010102, 40}, {0x0D010108, 8},
                                              {0x0D01011B, 8},  {0x0D010206, 8},  {0x0D010211, 36},
                                              {0x00010107, 8},  {0x00010202, 8},  {0x01020102, 8}};
    for (const auto& [dwOid, cbExpected] : aSizes) {
        std::vector<BYTE> abAnswer;
        EXPECT_EQ(handle.Query(dwOid, 1024, &cbReturned, &abAnswer), ERROR_SUCCESS) << std::hex << dwOid;
        EXPECT_EQ(cbReturned, cbExpected) << std::hex << dwOid;
        EXPECT_EQ(Le32(abAnswer, 0), dwOid);
        if (dwOid == 0x0D010211) {
            EXPECT_EQ(Le32(abAnswer, 16), 5180000u);
        }
    }
    EXPECT_EQ(handle.Query(0x0D010101, 9, &cbReturned), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(handle.Query(0x0D0102FF, 1024, &cbReturned), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    ab.assign(8, 0);
    ab[0] = 0x1A, ab[1] = 0x01, ab[2] = 0x01, ab[3] = 0x0D;
    EXPECT_EQ(handle.Send(CODE_SET_OID, &ab, 8, &cbReturned), ERROR_SUCCESS);  // the scan request
    // The other form of the codes works too on a driver that knows both.
    std::vector<BYTE> abNone;
    EXPECT_EQ(handle.Send(CODE_BIND_WAIT_0, &abNone, 0, &cbReturned), ERROR_SUCCESS);
}

TEST(SimNdisuioTest, AdapterHeldByTheServiceIsBusyUntilTheServiceStops) {
    auto pMachine =
        Load(R"({"bindings": [{"name": "A", "heldBy": "WZCSVC"}, {"name": "B", "heldBy": "NOSUCHSVC"}]})");
    ASSERT_NE(pMachine, nullptr);
    CRawHandle first(*pMachine);
    EXPECT_EQ(first.Open(u"A"), static_cast<DWORD>(ERROR_BUSY));
    EXPECT_EQ(first.Open(u"B"), ERROR_SUCCESS);  // a service that does not exist holds nothing
    CRawHandle second(*pMachine);
    EXPECT_EQ(second.Open(u"B"), static_cast<DWORD>(ERROR_BUSY));  // the first handle has it
    EXPECT_EQ(second.Open(u"C"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    CServiceStatus status;
    IServiceControl& services = pMachine->ServiceManager();
    const SC_HANDLE hManager = services.OpenSCManager(0xF003F);
    const SC_HANDLE hService = services.OpenService(hManager, "WZCSVC", 0x34);
    ASSERT_TRUE(services.ControlService(hService, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(second.Open(u"A"), static_cast<DWORD>(ERROR_BUSY));  // still stopping
    pMachine->Clock().Sleep(100);
    EXPECT_EQ(second.Open(u"A"), ERROR_SUCCESS);
    services.CloseServiceHandle(hService);
    services.CloseServiceHandle(hManager);
}

TEST(SimNdisuioTest, OldDriverKnowsOnlyTheAccess0Codes) {
    auto pMachine = Load(R"({"codeForm": "access0", "bindings": [{"name": "A"}]})");
    ASSERT_NE(pMachine, nullptr);
    CRawHandle handle(*pMachine);
    std::vector<BYTE> abNone;
    DWORD cbReturned = 0;
    EXPECT_EQ(handle.Send(0x0012C810, &abNone, 0, &cbReturned), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(handle.Send(CODE_BIND_WAIT_0, &abNone, 0, &cbReturned), ERROR_SUCCESS);
    EXPECT_EQ(handle.Send(0x00220810, &abNone, 0, &cbReturned), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST(SimNdisuioTest, RawListAndStatedCountsAreAnsweredByteForByte) {
    auto pMachine = Load(R"({"bindings": [{"name": "A", "bssidList": {"raw": "02000000 FFFF"}}]})");
    ASSERT_NE(pMachine, nullptr);
    CRawHandle handle(*pMachine);
    ASSERT_EQ(handle.Open(u"A"), ERROR_SUCCESS);
    DWORD cbReturned = 0;
    std::vector<BYTE> abAnswer;
    EXPECT_EQ(handle.Query(0x0D010217, 64, &cbReturned, &abAnswer), ERROR_SUCCESS);
    EXPECT_EQ(cbReturned, 10u);
    EXPECT_EQ(Le32(abAnswer, 4), 2u);
    EXPECT_EQ(abAnswer[8], 0xFF);

    CSimAccessPoint ap;
    ap.strSsid = "Net";
    ap.dwLength = 7;
    ap.dwIeLength = 9999;
    const std::vector<BYTE> abEntry = BuildSimBssEntry(ap);
    EXPECT_EQ(abEntry.size() % 4, 0u);
    EXPECT_EQ(Le32(abEntry, 0), 7u);
    EXPECT_EQ(Le32(abEntry, 12), 3u);
    EXPECT_EQ(Le32(abEntry, 112), 9999u);
}
