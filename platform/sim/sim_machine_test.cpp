#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/sim_test_util.h"

namespace {

std::string LoadError(const std::string& strText) {
    std::string strError;
    EXPECT_EQ(CSimMachine::FromText(strText, "machine.json", &strError), nullptr);
    return strError;
}

TEST(SimMachine, BadFilesGiveOneLineNamingTheFileAndTheProblem) {
    EXPECT_EQ(
        LoadError("{ \"windows\": "),
        "machine.json: not valid JSON: parse error at line 1, column 14: syntax error while parsing value - "
        "unexpected end of input; expected '[', '{', or a literal");
    EXPECT_EQ(LoadError("[]"), "machine.json: expected an object, found an array");
    EXPECT_EQ(
        LoadError(R"({"wireless": {}})"),
        "machine.json: wireless: unknown field (expected description, clock, windows, folders, registry, "
        "services, serviceManager, profile, shell, orinoco, ndisuio, wlan)");
    EXPECT_EQ(LoadError(R"({"windows": {"major": "five"}})"),
              "machine.json: windows.major: expected an integer, found a string");
    EXPECT_EQ(LoadError(R"({"windows": {"major": -5}})"),
              "machine.json: windows.major: expected an integer from 0 to 4294967295");
    EXPECT_EQ(
        LoadError(R"({"services": {"WZCSVC": {"state": "paused"}}})"),
        "machine.json: services.WZCSVC.state: expected one of stopped, start-pending, stop-pending, running");
    EXPECT_EQ(LoadError(R"({"services": {"WZCSVC": {"hang": 1}}})"),
              "machine.json: services.WZCSVC.hang: expected true or false, found a number");
    EXPECT_EQ(LoadError(R"({"clock": {"startTick": 1, "speed": 2}})"),
              "machine.json: clock.speed: unknown field (expected startTick, eventsFail)");
    EXPECT_EQ(LoadError(R"({"folders": []})"), "machine.json: folders: expected an object, found an array");

    std::string strError;
    EXPECT_EQ(CSimMachine::FromFile("/nonexistent/machine.json", &strError), nullptr);
    EXPECT_EQ(strError, "/nonexistent/machine.json: cannot read the file");
}

TEST(SimMachine, AnEmptyFileSaysItIsEmptyAndAFolderIsNoFile) {
    CTempDir dir;
    std::string strError;
    const std::string strEmpty = dir.Write("empty.json", "");
    EXPECT_EQ(CSimMachine::FromFile(strEmpty, &strError), nullptr);
    EXPECT_EQ(strError, strEmpty + ": the file is empty");
    const std::string strBlank = dir.Write("blank.json", "\n  \r\n\t");
    EXPECT_EQ(CSimMachine::FromFile(strBlank, &strError), nullptr);
    EXPECT_EQ(strError, strBlank + ": the file is empty");
    EXPECT_EQ(LoadError(""), "machine.json: the file is empty");

    const std::string strFolder = dir.Path().string();
    EXPECT_EQ(CSimMachine::FromFile(strFolder, &strError), nullptr);
    EXPECT_EQ(strError, strFolder + ": cannot read the file");
}

TEST(SimMachine, KeysWithControlCharactersOrNulStayOneLineAndAreNotCutShort) {
    EXPECT_EQ(LoadError(R"({"windows": {"a\nb": 1}})"),
              "machine.json: windows.a\\u000ab: unknown field (expected major, minor, build, platformId, "
              "servicePack)");
    // A key holding a NUL would be looked up as the key before it.
    EXPECT_EQ(LoadError(R"({"services": {"WZCSVC\u0000": {"state": "bogus"}}})"),
              "machine.json: services.WZCSVC\\u0000: a key may not hold a NUL character");
    EXPECT_EQ(LoadError(R"({"windows": {"major\u0000x": 5}})"),
              "machine.json: windows.major\\u0000x: a key may not hold a NUL character");
}

TEST(SimMachine, DefaultMachineIsWindowsXpWithTheProgramInstalled) {
    std::string strError;
    auto pMachine = CSimMachine::Default(&strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    CScopedOs os(*pMachine);

    COsVersionInfo info;
    ASSERT_TRUE(Os().System().GetVersionEx(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwBuildNumber, 2600u);
    EXPECT_EQ(info.strCSDVersion, "Service Pack 2");

    HKEY hKey = 0;
    ASSERT_EQ(Os().Registry().RegCreateKeyEx(HKEY_LOCAL_MACHINE,
                                             "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel",
                                             0x2001B, &hKey, nullptr),
              0);
    char szDir[1024];
    DWORD cb = sizeof(szDir);
    ASSERT_EQ(
        Os().Registry().RegQueryValueEx(hKey, "InstallDir", nullptr, reinterpret_cast<BYTE*>(szDir), &cb), 0);
    Os().Registry().RegCloseKey(hKey);
    EXPECT_STREQ(szDir, "C:\\Program Files\\Brellix Nimbrel");

    // The install folder is the project's resource folder.
    std::vector<BYTE> abData;
    EXPECT_EQ(Os().System().ReadFile(std::string(szDir) + "\\nimbrel.rc", &abData), ERROR_SUCCESS);

    ASSERT_EQ(Os().Registry().RegOpenKeyEx(HKEY_CURRENT_USER,
                                           "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                                           KEY_READ, &hKey),
              0);
    DWORD dwEnable = 1;
    cb = sizeof(dwEnable);
    EXPECT_EQ(Os().Registry().RegQueryValueEx(hKey, "ProxyEnable", nullptr,
                                              reinterpret_cast<BYTE*>(&dwEnable), &cb),
              0);
    EXPECT_EQ(dwEnable, 0u);
    EXPECT_EQ(Os().Registry().RegQueryValueEx(hKey, "ProxyServer", nullptr, nullptr, &cb),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    Os().Registry().RegCloseKey(hKey);

    EXPECT_EQ(pMachine->ServiceManager().Status("WZCSVC").dwCurrentState, SERVICE_RUNNING);
    EXPECT_NE(pMachine->VirtualClock(), nullptr);
}

TEST(SimMachine, TheDocumentedExampleLoadsAndMeansWhatItSays) {
    std::ifstream doc(std::string(NIMBREL_RES_DIR) + "/../docs/MACHINE_FILE.md");
    std::stringstream text;
    text << doc.rdbuf();
    const std::string strDoc = text.str();
    const std::size_t nExample = strDoc.find("## Example");
    ASSERT_NE(nExample, std::string::npos);
    const std::size_t nStart = strDoc.find("```json\n", nExample) + 8;
    const std::size_t nEnd = strDoc.find("```", nStart);
    std::string strError;
    auto pMachine = CSimMachine::FromText(strDoc.substr(nStart, nEnd - nStart), "example", &strError);
    ASSERT_NE(pMachine, nullptr) << strError;

    EXPECT_EQ(pMachine->Clock().GetTickCount(), 4294963200u);
    // The settings key inherits "read" from Software: the start-up's open for writing is refused.
    HKEY hKey = 0;
    EXPECT_EQ(pMachine->Registry().RegCreateKeyEx(HKEY_LOCAL_MACHINE,
                                                  "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel",
                                                  0x2001B, &hKey, nullptr),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(pMachine->Profile().GetProfileInt("Brellix Nimbrel", "ProgWndX", -1), 200u);
    const SC_HANDLE hManager = pMachine->ServiceManager().OpenSCManager(SC_MANAGER_ALL_ACCESS);
    EXPECT_EQ(pMachine->ServiceManager().OpenService(hManager, "WZCSVC", SERVICE_STOP), 0);
    EXPECT_FALSE(
        pMachine->Shell().HtmlHelp(0, "C:\\Program Files\\Brellix Nimbrel\\x.chm::/a.htm", HH_DISPLAY_TOPIC));
}

TEST(SimMachine, ScopedOsPutsThePreviousServicesBack) {
    auto pFirst = CSimMachine::FromText("{}", "first", nullptr);
    auto pSecond = CSimMachine::FromText("{}", "second", nullptr);
    ASSERT_TRUE(pFirst && pSecond);
    CScopedOs outer(*pFirst);
    {
        CScopedOs inner(*pSecond);
        EXPECT_EQ(Os().pRegistry, &pSecond->Registry());
    }
    EXPECT_EQ(Os().pRegistry, &pFirst->Registry());
}

TEST(SimMachine, ReadsAFileWithHostFoldersBesideIt) {
    CTempDir dir;
    const std::string strPage = dir.Write("files/help/default.htm", "<p>help</p>");
    const std::string strPath = dir.Write("m.json", R"({
        "clock": {"startTick": 4294963200},
        "folders": {"C:\\Inst": "files"},
        "shell": {"help": "file", "browser": false}})");
    std::string strError;
    auto pMachine = CSimMachine::FromFile(strPath, &strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    EXPECT_EQ(pMachine->Clock().GetTickCount(), 4294963200u);
    IShell& shell = pMachine->Shell();
    std::vector<std::string> astrShown;
    pMachine->Shell().SetHelpViewer(
        [&](const std::string& strHostPath) { astrShown.push_back(strHostPath); });
    // The compiled help file stands for its source: the topic's page in the folder's help/.
    EXPECT_TRUE(shell.HtmlHelp(0, "C:\\Inst\\Tolvane.chm::/default.htm", HH_DISPLAY_TOPIC));
    EXPECT_FALSE(shell.HtmlHelp(0, "C:\\Inst\\Tolvane.chm::/missing.htm", HH_DISPLAY_TOPIC));
    EXPECT_FALSE(shell.HtmlHelp(0, "C:\\Other\\Tolvane.chm::/default.htm", HH_DISPLAY_TOPIC));
    EXPECT_EQ(astrShown, std::vector<std::string>{strPage});
    EXPECT_EQ(shell.ShellExecute("http://www.brellix.example/", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    EXPECT_EQ(pMachine->Shell().HelpPaths().size(), 3u);
    EXPECT_EQ(pMachine->Shell().ExecutedFiles(), std::vector<std::string>{"http://www.brellix.example/"});
}

TEST(SimMachine, AvailableHelpShowsAPageAndALaunchShowsTheAddressHandedOver) {
    CTempDir dir;
    const std::string strPage = dir.Write("files/help/Troubleshoot.htm", "<p>mapped</p>");
    const std::string strPath = dir.Write("m.json", R"({
        "folders": {"C:\\Inst": "files"},
        "shell": {"help": "available", "browser": true}})");
    std::string strError;
    auto pMachine = CSimMachine::FromFile(strPath, &strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    CSimShell& shell = pMachine->Shell();
    std::vector<std::string> astrShown;
    std::vector<std::string> astrLaunched;
    shell.SetHelpViewer([&](const std::string& strHostPath) { astrShown.push_back(strHostPath); });
    shell.SetLaunchViewer([&](const std::string& strFile) { astrLaunched.push_back(strFile); });
    // The mapped folder's page first; without one, the project's own page of the topic; a topic
    // that has no page anywhere still opens a window, with nothing to show.
    EXPECT_TRUE(shell.HtmlHelp(0, "C:\\Inst\\Tolvane.chm::/Troubleshoot.htm", HH_DISPLAY_TOPIC));
    EXPECT_TRUE(shell.HtmlHelp(0, "D:\\Elsewhere\\Tolvane.chm::/default.htm", HH_DISPLAY_TOPIC));
    EXPECT_TRUE(shell.HtmlHelp(0, "D:\\Elsewhere\\Tolvane.chm::/nothing.htm", HH_DISPLAY_TOPIC));
    EXPECT_EQ(astrShown,
              (std::vector<std::string>{strPage, std::string(NIMBREL_RES_DIR) + "/help/default.htm"}));

    EXPECT_EQ(shell.ShellExecute("http://www.brellix.example/", SW_SHOWNORMAL), 42);
    shell.SetBrowserAvailable(false);
    EXPECT_EQ(shell.ShellExecute("http://other.example/", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    EXPECT_EQ(astrLaunched, std::vector<std::string>{"http://www.brellix.example/"})
        << "only what a browser got";
}

TEST(SimMachine, HasNoDevicesOrLibrariesUntilADriverRegistersThem) {
    auto pMachine = CSimMachine::FromText("{}", "m", nullptr);
    ASSERT_NE(pMachine, nullptr);
    CScopedOs os(*pMachine);
    EXPECT_EQ(Os().DeviceIo().CreateFile("\\\\.\\Ndisuio", GENERIC_READ, 0, OPEN_EXISTING, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(Os().System().GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Os().Libraries().LoadLibrary("wlanapi"), 0);
    EXPECT_EQ(Os().System().GetLastError(), ERROR_MOD_NOT_FOUND);

    // A driver that answers one control code with its input reversed.
    class CEcho : public ISimDeviceFile {
    public:
        DWORD Control(DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                      DWORD* pdwReturned) override {
            if (dwCode != 7) {
                return ERROR_NOT_SUPPORTED;
            }
            if (cbOut < cbIn) {
                return ERROR_INSUFFICIENT_BUFFER;
            }
            for (DWORD i = 0; i < cbIn; ++i) {
                static_cast<BYTE*>(pOut)[i] = static_cast<const BYTE*>(pIn)[cbIn - 1 - i];
            }
            *pdwReturned = cbIn;
            return ERROR_SUCCESS;
        }
    };
    pMachine->DeviceIo().RegisterDevice("\\\\.\\Ndisuio",
                                        [](DWORD, DWORD, DWORD, std::unique_ptr<ISimDeviceFile>* pp) {
                                            *pp = std::make_unique<CEcho>();
                                            return ERROR_SUCCESS;
                                        });
    const HANDLE hDevice = Os().DeviceIo().CreateFile("\\\\.\\NDISUIO", GENERIC_READ, 0, OPEN_EXISTING, 0);
    ASSERT_NE(hDevice, INVALID_HANDLE_VALUE);
    const BYTE abIn[3] = {1, 2, 3};
    BYTE abOut[3] = {};
    DWORD dwReturned = 99;
    EXPECT_TRUE(Os().DeviceIo().DeviceIoControl(hDevice, 7, abIn, 3, abOut, 3, &dwReturned));
    EXPECT_EQ(dwReturned, 3u);
    EXPECT_EQ(abOut[0], 3);
    EXPECT_FALSE(Os().DeviceIo().DeviceIoControl(hDevice, 8, abIn, 3, abOut, 3, &dwReturned));
    EXPECT_EQ(Os().System().GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_TRUE(Os().DeviceIo().CloseHandle(hDevice));
    EXPECT_FALSE(Os().DeviceIo().CloseHandle(hDevice));
    EXPECT_EQ(Os().System().GetLastError(), ERROR_INVALID_HANDLE);

    static int s_nCalls;
    s_nCalls = 0;
    void (*pfnEntry)() = [] { ++s_nCalls; };
    pMachine->Libraries().RegisterLibrary("wlanapi", {{"WlanOpenHandle", reinterpret_cast<void*>(pfnEntry)}});
    const HMODULE hModule = Os().Libraries().LoadLibrary("WLANAPI.DLL");
    ASSERT_NE(hModule, 0);
    auto pfn = reinterpret_cast<void (*)()>(Os().Libraries().GetProcAddress(hModule, "WlanOpenHandle"));
    ASSERT_NE(pfn, nullptr);
    pfn();
    EXPECT_EQ(s_nCalls, 1);
    EXPECT_EQ(Os().Libraries().GetProcAddress(hModule, "WlanScan"), nullptr);
    EXPECT_EQ(Os().System().GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(Os().Libraries().FreeLibrary(hModule));
    EXPECT_FALSE(Os().Libraries().FreeLibrary(hModule));
}

}  // namespace

namespace {

TEST(SimMachine, RealTimeMachineDropsPendingTransitionsWhenItGoes) {
    CSimMachineOptions options;
    options.bRealTime = true;
    std::string strError;
    auto pMachine =
        CSimMachine::FromText(R"({"services": {"WZCSVC": {"stopMs": 86400000}}})", "m", &strError, options);
    ASSERT_NE(pMachine, nullptr) << strError;
    EXPECT_EQ(pMachine->VirtualClock(), nullptr);
    CSimServices& services = pMachine->ServiceManager();
    const SC_HANDLE hManager = services.OpenSCManager(SC_MANAGER_ALL_ACCESS);
    const SC_HANDLE hService = services.OpenService(hManager, "WZCSVC", SERVICE_STOP);
    EXPECT_TRUE(services.ControlService(hService, SERVICE_CONTROL_STOP, nullptr));
    EXPECT_EQ(services.Status("WZCSVC").dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));
    pMachine.reset();  // must neither hang nor run the day-long timer against freed services
}

}  // namespace

TEST(SimMachine, DesktopBrowserUsesTheOpenerWhenThereIsOne) {
    CTempDir dir;
    const std::string strSavedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    auto pMachine = CSimMachine::FromText(R"({"shell": {"browser": "desktop"}})", "m", nullptr);
    ASSERT_NE(pMachine, nullptr);
    IShell& shell = pMachine->Shell();

    setenv("PATH", dir.Path().c_str(), 1);  // no opener at all
    EXPECT_EQ(shell.ShellExecute("http://www.brellix.example/", SW_SHOWNORMAL), SE_ERR_NOASSOC);

    const std::string strLog = (dir.Path() / "opened").string();
    dir.Write("xdg-open", "#!/bin/sh\necho \"$1\" > " + strLog + "\n");
    std::filesystem::permissions(dir.Path() / "xdg-open", std::filesystem::perms::owner_all);
    EXPECT_GT(shell.ShellExecute("http://www.brellix.example/", SW_SHOWNORMAL), 32);
    std::ifstream opened(strLog);
    std::string strOpened;
    std::getline(opened, strOpened);
    EXPECT_EQ(strOpened, "http://www.brellix.example/");

    dir.Write("xdg-open", "#!/bin/sh\nexit 3\n");  // an opener that finds no browser
    EXPECT_EQ(shell.ShellExecute("http://www.brellix.example/", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    setenv("PATH", strSavedPath.c_str(), 1);
}
