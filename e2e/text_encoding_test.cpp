// Text that is not ASCII, from the machine file to the user and back: the simulated machine hands out
// UTF-16 made from the file's UTF-8, the back ends convert it with the ANSI code page (Windows-1252,
// "?" for what it lacks), line mode shows it in UTF-8, typed UTF-8 comes back as Windows-1252, and the
// report escapes the Windows-1252 bytes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "adapters/ndis51/ndis51_adapter.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "app/wizard_app.h"
#include "e2e/http_server_test_util.h"
#include "pages/vendor.h"
#include "platform/sim/sim_machine.h"
#include "ui/line/line_host.h"

namespace {
// "Adaptateur réseau sans fil Intel® – 4965AGN Ω" as the file's UTF-8, and as Windows-1252 (the
// omega has no code there).
const char DESCRIPTION_UTF8[] =
    "Adaptateur r\xC3\xA9seau sans fil Intel\xC2\xAE \xE2\x80\x93 4965AGN \xCE\xA9";
const char DESCRIPTION_ANSI[] = "Adaptateur r\xE9seau sans fil Intel\xAE \x96 4965AGN ?";

// Vista with one WLAN interface that hears one network; the user's proxy is strProxy.
std::string VistaMachine(const std::string& strProxy) {
    return std::string(R"({
  "windows": { "major": 6, "minor": 0, "build": 6002, "servicePack": "Service Pack 2" },
  "folders": { "C:\\Program Files\\Brellix Nimbrel": "${res}" },
  "registry": { "HKEY_CURRENT_USER": {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings": {
      "values": { "ProxyEnable": 1, "ProxyServer": ")") +
           strProxy + R"(" } } } },
  "wlan": { "interfaces": [ {
    "guid": "3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01",
    "description": ")" +
           DESCRIPTION_UTF8 + R"(",
    "scanMs": 500,
    "accessPoints": [ { "ssid": "Caf\u00e9", "bssid": "00:1b:2f:10:20:30", "channel": 6, "rssi": -48 } ] } ] }
})";
}

// Windows XP with one NDIS binding whose name and description are not ASCII.
const char XP_MACHINE_TEXT[] = R"({
  "windows": { "major": 5, "minor": 1 },
  "ndisuio": { "bindings": [ {
    "name": "\\DEVICE\\{8E9B3F21-6C4D-4E8A-9B1F-2A7C5D0E4B13}",
    "description": "Carte r\u00e9seau sans fil \u2013 Zo\u00eb\u00ae \u4e2d" } ] }
})";

// The description (and name) that a back end reads of the machine's first adapter.
template <typename TAdapter>
std::string OpenFirst(const std::string& strMachine, std::string* pstrName) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(strMachine, "machine", &strError);
    EXPECT_TRUE(pMachine) << strError;
    if (!pMachine) {
        return "";
    }
    CScopedOs os(*pMachine);
    TAdapter adapter;
    std::string strDescription;
    EXPECT_GE(adapter.OpenByIndex(0, FALSE, pstrName, &strDescription), 0);
    return strDescription;
}

std::string RunLineMode(CSimMachine& machine, const std::string& strInput) {
    CScopedOs os(machine);
    std::istringstream input(strInput);
    std::ostringstream output;
    CLineHost host(input, output, ETermCharset::Utf8);
    CWizardApp app;
    app.InitInstance(host);
    EXPECT_EQ(app.GetExitCode(), 0) << app.GetStartError();
    return output.str();
}
}  // namespace

TEST(TextEncoding, BackEndsReadTheMachinesUtf16WithTheAnsiCodePage) {
    std::string strName;
    EXPECT_EQ(OpenFirst<CWiFiApiAdapter>(VistaMachine("127.0.0.1:9"), &strName), DESCRIPTION_ANSI);
    EXPECT_EQ(OpenFirst<CNdis51Adapter>(XP_MACHINE_TEXT, &strName),
              "Carte r\xE9seau sans fil \x96 Zo\xEB\xAE ?");
    EXPECT_EQ(strName, "\\DEVICE\\{8E9B3F21-6C4D-4E8A-9B1F-2A7C5D0E4B13}");
}

TEST(TextEncoding, LineModeShowsUtf8TakesTypedUtf8AndTheReportEscapesWindows1252) {
    CTestHttpServer proxy(200);
    std::string strError;
    auto pMachine = CSimMachine::FromText(VistaMachine(proxy.HostPort()), "vista", &strError);
    ASSERT_TRUE(pMachine) << strError;
    // Welcome, instructions, the list, the result, the supported page; on the post page a name with
    // a character outside Windows-1252 (refused), the name and address, then the post; thank you.
    const std::string strScreen = RunLineMode(*pMachine,
                                              "n\nn\nn\nn\nn\n"
                                              "by Zo\xC3\xAB \xCE\xA9\n"
                                              "by Zo\xC3\xAB\n"
                                              "email zo\xC3\xAB@example.com\n"
                                              "n\nf\n");
    const std::string strShown = "Adaptateur r\xC3\xA9seau sans fil Intel\xC2\xAE \xE2\x80\x93 4965AGN ?";
    EXPECT_NE(strScreen.find("1. [x] " + strShown), std::string::npos) << strScreen;
    EXPECT_NE(strScreen.find("- " + strShown), std::string::npos) << "the supported list";
    // An SSID is octets, not text: its UTF-8 bytes are shown as Windows-1252, as Windows shows them.
    EXPECT_NE(strScreen.find("| Caf\xC3\x83\xC2\xA9 "), std::string::npos) << "the access point list";
    EXPECT_NE(strScreen.find("\a  \"\xCE\xA9\" cannot be typed"), std::string::npos) << strScreen;
    EXPECT_NE(strScreen.find("Reported by*: [Zo\xC3\xAB]  (command: by TEXT)"), std::string::npos)
        << strScreen;
    EXPECT_EQ(strScreen.find("Reported by*: [Zo\xC3\xAB ?]"), std::string::npos)
        << "nothing of the refused line";
    EXPECT_EQ(strScreen.find('\xE9'), std::string::npos) << "no raw Windows-1252 byte reaches the terminal";
    EXPECT_EQ(
        proxy.RequestLine(),
        std::string("GET http://") + VENDOR_HOST + "/nimbrel3.php?os=6.0.6002%20%28Service%20Pack%202%29" +
            "&by=Zo%EB&e=zo%EB%40example.com"
            "&a=Y|Adaptateur%20r%E9seau%20sans%20fil%20Intel%AE%20%96%204965AGN%20%3F|0.5|-48|-48 HTTP/1.1");
}
