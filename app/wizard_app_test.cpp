// Start-up: the install folder it finds, the banners, and the wizard opening (or not) on the host.
#include "app/wizard_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "pages/tolvane_sheet.h"
#include "pages/vendor.h"
#include "platform/sim/sim_machine.h"
#include "res/resource_ids.h"
#include "ui/headless/headless_host.h"
#include "wizard/banner.h"

namespace {
namespace fs = std::filesystem;

// A machine whose install folder (as the registry gives it) is mapped to strHostDir.
std::string Machine(const std::string& strRegistry, std::string strFolder, const std::string& strHostDir) {
    for (size_t i = strFolder.find('\\'); i != std::string::npos; i = strFolder.find('\\', i + 2)) {
        strFolder.insert(i, 1, '\\');  // JSON escape
    }
    return R"({ "windows": { "major": 5, "minor": 1 }, "folders": { ")" + strFolder + R"(": ")" + strHostDir +
           R"(" }, "registry": { "HKEY_LOCAL_MACHINE": )" + strRegistry + " } }";
}

const std::string INSTALLED = R"({ "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
    "values": { "InstallDir": "E:\\Apps\\Nimbrel" } } })";

class CStartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("nimbrel-startup-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        fs::copy_file(fs::path(NIMBREL_RES_DIR) / "BXSidebar.png", m_dir / "BXSidebar.png");
        fs::copy_file(fs::path(NIMBREL_RES_DIR) / "BXTopbar.png", m_dir / "BXTopbar.png");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Runs start-up on the machine; returns whether the wizard opened, the exit code and the reason
    // it did not open.
    bool Run(const std::string& strMachine, int* pnExitCode, std::string* pstrStartError = nullptr) {
        std::string strError;
        auto pMachine = CSimMachine::FromText(strMachine, "start-up machine", &strError);
        EXPECT_TRUE(pMachine) << strError;
        if (!pMachine) {
            return false;
        }
        CScopedOs os(*pMachine);
        CHeadlessHost host;
        bool bOpened = false;
        host.SetScript([&](CHeadlessHost& running) {
            bOpened = true;
            EXPECT_EQ(running.CurrentPage(), IDD_WELCOME);
            const auto& sheet = static_cast<const CTolvaneSheet&>(*running.Sheet());
            EXPECT_EQ(sheet.Watermark().Width(), 164);
            EXPECT_EQ(sheet.Header().Height(), 57);
            running.Cancel();
        });
        CWizardApp app;
        EXPECT_FALSE(app.InitInstance(host));
        *pnExitCode = app.GetExitCode();
        if (pstrStartError != nullptr) {
            *pstrStartError = app.GetStartError();
        }
        return bOpened;
    }

    void Truncate(const char* pszFile, std::uintmax_t nSize) { fs::resize_file(m_dir / pszFile, nSize); }

    fs::path m_dir;
};
}  // namespace

TEST_F(CStartUpTest, OpensTheWizardWithBothBanners) {
    int nExit = -1;
    EXPECT_TRUE(Run(Machine(INSTALLED, "E:\\Apps\\Nimbrel", m_dir.string()), &nExit));
    EXPECT_EQ(nExit, 0);
}

TEST_F(CStartUpTest, MissingInstallDirValueUsesTheDefaultFolder) {
    const std::string strKeyOnly = R"({ "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {} })";
    int nExit = -1;
    EXPECT_TRUE(Run(Machine(strKeyOnly, "C:\\Program Files\\Brellix Nimbrel", m_dir.string()), &nExit));
    EXPECT_EQ(nExit, 0);
}

TEST_F(CStartUpTest, KeyThatCannotBeCreatedUsesTheDefaultFolder) {
    const std::string strReadOnly = R"({ "Software": { "access": "read" } })";
    int nExit = -1;
    EXPECT_TRUE(Run(Machine(strReadOnly, "C:\\Program Files\\Brellix Nimbrel", m_dir.string()), &nExit));
    EXPECT_EQ(nExit, 0);
}

TEST_F(CStartUpTest, BadBannersEndTheProgramBeforeTheWizardNamingTheFileAndTheFault) {
    const std::string strMachine = Machine(INSTALLED, "E:\\Apps\\Nimbrel", m_dir.string());
    int nExit = 0;
    std::string strWhy;
    Truncate("BXTopbar.png", 100);
    EXPECT_FALSE(Run(strMachine, &nExit, &strWhy)) << "truncated top bar";
    EXPECT_EQ(nExit, 1);
    EXPECT_EQ(strWhy.rfind("E:\\Apps\\Nimbrel\\BXTopbar.png: ", 0), 0u) << strWhy;
    EXPECT_GT(strWhy.size(), std::string("E:\\Apps\\Nimbrel\\BXTopbar.png: ").size()) << "the fault is named";

    std::ofstream(m_dir / "BXSidebar.png", std::ios::binary | std::ios::trunc) << "GIF89a not a png";
    nExit = 0;
    EXPECT_FALSE(Run(strMachine, &nExit, &strWhy)) << "not a PNG";
    EXPECT_EQ(nExit, 1);
    EXPECT_EQ(strWhy, "E:\\Apps\\Nimbrel\\BXSidebar.png: not a PNG file");

    fs::remove(m_dir / "BXSidebar.png");
    nExit = 0;
    EXPECT_FALSE(Run(strMachine, &nExit, &strWhy)) << "missing sidebar";
    EXPECT_EQ(nExit, 1);
    EXPECT_EQ(strWhy, "E:\\Apps\\Nimbrel\\BXSidebar.png: cannot read the file (error 2: file not found)");

    // A machine that maps no folder at all (the default folder, as the install folder reads it).
    EXPECT_FALSE(Run("{}", &nExit, &strWhy));
    EXPECT_EQ(
        strWhy,
        "c:\\Program Files\\Brellix Nimbrel\\BXSidebar.png: cannot read the file (error 3: path not found)");
}

TEST_F(CStartUpTest, WelcomePageCarriesTheVendorAddress) {
    std::string strError;
    auto pMachine =
        CSimMachine::FromText(Machine(INSTALLED, "E:\\Apps\\Nimbrel", m_dir.string()), "m", &strError);
    ASSERT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    CHeadlessHost host;
    std::string strVisit;
    host.SetScript([&](CHeadlessHost& running) {
        strVisit = running.Page(IDD_WELCOME)->GetDlgItem(IDC_WELCOME_WEB)->GetWindowText();
        running.Cancel();
    });
    CWizardApp().InitInstance(host);
    EXPECT_EQ(strVisit,
              std::string("Nimbrel is a companion program for Brellix Site Survey.  For more information, "
                          "visit ") +
                  VENDOR_URL);
}
