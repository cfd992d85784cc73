// Test helper: a simulated Windows 6.0 machine whose "wlan" section the test writes, installed as
// Os() for the helper's lifetime.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/sim/sim_machine.h"

inline constexpr char SIM_WLAN_GUID_A[] = "3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01";
inline constexpr char SIM_WLAN_GUID_B[] = "9a0d7e44-15c3-4b8e-a6f2-0c3d5e7f9b02";

class CSimWlanMachine {
public:
    // strWlan: the JSON object of the "wlan" section, or "" for a machine without one.
    explicit CSimWlanMachine(const std::string& strWlan, DWORD dwStartTick = 1000000,
                             const CSimMachineOptions& options = {}) {
        std::string strText =
            R"({"windows": {"major": 6, "minor": 0, "build": 6002}, "clock": {"startTick": )" +
            std::to_string(dwStartTick) + "}";
        if (!strWlan.empty()) {
            strText += R"(, "wlan": )" + strWlan;
        }
        strText += "}";
        std::string strError;
        m_pMachine = CSimMachine::FromText(strText, "wlan machine", &strError, options);
        if (!m_pMachine) {
            ADD_FAILURE() << strError;
            m_pMachine = CSimMachine::FromText("{}", "empty", nullptr, options);
        }
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    }

    // One interface (GUID A), connected unless strState says otherwise, with these access points
    // and extra interface fields (a JSON fragment starting with a comma, or "").
    static std::string OneInterface(const std::string& strAccessPoints, const std::string& strExtra = "",
                                    const std::string& strState = "connected") {
        return R"({"interfaces": [{"guid": ")" + std::string(SIM_WLAN_GUID_A) +
               R"(", "description": "Test WLAN", "state": ")" + strState + R"(", "accessPoints": [)" +
               strAccessPoints + "]" + strExtra + "}]}";
    }

    CSimMachine& Machine() { return *m_pMachine; }
    CSimWlanService& Wlan() { return m_pMachine->Wlan(); }
    CSimWlanInterface& InterfaceA() { return *Wlan().FindInterface(SIM_WLAN_GUID_A); }

private:
    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
};
