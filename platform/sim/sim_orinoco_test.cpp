#include "platform/sim/sim_orinoco.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/sim/sim_machine.h"

namespace {

std::string LoadError(const std::string& strOrinoco) {
    std::string strError;
    EXPECT_EQ(CSimMachine::FromText("{\"orinoco\": " + strOrinoco + "}", "machine.json", &strError), nullptr);
    return strError;
}

TEST(SimOrinoco, BadSectionsGiveOneLineNamingThePlace) {
    EXPECT_EQ(
        LoadError(R"({"speed": 11})"),
        "machine.json: orinoco.speed: unknown field (expected serviceName, present, openError, busyAnswers, "
        "port, association, accessPoints, oids, faults)");
    EXPECT_EQ(LoadError(R"({"serviceName": ""})"),
              "machine.json: orinoco.serviceName: expected a service name");
    EXPECT_EQ(LoadError(R"({"association": {"bssid": "00:02:2D:4A:10"}})"),
              "machine.json: orinoco.association.bssid: expected a MAC address such as 00:02:2D:4A:10:01");
    EXPECT_EQ(LoadError(R"({"association": {"channel": 65536}})"),
              "machine.json: orinoco.association.channel: expected an integer from 0 to 65535");
    EXPECT_EQ(LoadError(R"({"accessPoints": {"ssid": "x"}})"),
              "machine.json: orinoco.accessPoints: expected an array");
    EXPECT_EQ(
        LoadError(R"({"accessPoints": [{}, {"bssid": "zz:02:2D:4A:10:01"}]})"),
        "machine.json: orinoco.accessPoints[1].bssid: expected a MAC address such as 00:02:2D:4A:10:01");
    EXPECT_EQ(LoadError(R"({"faults": {"FD43": {"error": 50}}})"),
              "machine.json: orinoco.faults.FD43: expected a number such as 0xFD43 up to 65535");
    EXPECT_EQ(LoadError(R"({"faults": {"0x0820": {"extraBytes": 50}}})"),
              "machine.json: orinoco.faults.0x0820.extraBytes: expected an integer from 0 to 49");
    EXPECT_EQ(LoadError(R"({"oids": {"0x00010202": true}})"),
              "machine.json: orinoco.oids.0x00010202: expected an integer, found a boolean");
}

TEST(SimOrinoco, TheDocumentedSectionLoads) {
    std::ifstream doc(std::string(NIMBREL_RES_DIR) + "/../docs/MACHINE_FILE.md");
    std::stringstream text;
    text << doc.rdbuf();
    const std::string strDoc = text.str();
    const std::size_t nSection = strDoc.find("### `orinoco`");
    ASSERT_NE(nSection, std::string::npos);
    const std::size_t nStart = strDoc.find("```json\n", nSection) + 8;
    const std::size_t nEnd = strDoc.find("```", nStart);
    std::string strError;
    auto pMachine =
        CSimMachine::FromText("{" + strDoc.substr(nStart, nEnd - nStart) + "}", "example", &strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    ASSERT_EQ(pMachine->Orinoco().CardCount(), 1u);
    const CSimOrinocoConfig config = pMachine->Orinoco().Config(0);
    EXPECT_EQ(config.dwBusyAnswers, 1u);
    ASSERT_EQ(config.aAccessPoints.size(), 2u);
    EXPECT_FALSE(config.aAccessPoints[1].bInfrastructure);
    EXPECT_EQ(config.aAccessPoints[0].abBssid[5], 0x01);
    EXPECT_EQ(config.oids.at(0x00FD0203).size(), 13u);
    EXPECT_EQ(config.faults.at(0x0006).dwError, 50u);
    EXPECT_EQ(config.faults.at(0x0820).dwExtraBytes, 20u);

    CScopedOs os(*pMachine);
    const HANDLE hDevice =
        Os().DeviceIo().CreateFile("\\\\.\\{d7c1a94e-5b3f-4c28-9e61-0f2a8b4d3c57}", 0, 1, 3, 0);
    EXPECT_NE(hDevice, INVALID_HANDLE_VALUE);
    Os().DeviceIo().CloseHandle(hDevice);
}

}  // namespace
