// Classes: CFakeAdapter, CScriptedListPage, CScriptedAdapterPage, CWizardFixture,
//   CRealWizardFixture.
// Whole-wizard test support: a simulated machine installed as the OS, a headless host, and pages
// whose discovery and adapter test are supplied by the test through the pages' own interfaces.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapter_page/adapter_page.h"
#include "adapter_page/location_notice.h"
#include "adapters/supported_cache.h"
#include "adapters/wzc_service.h"
#include "app/tolvane_pages.h"
#include "pages/list_page.h"
#include "platform/sim/sim_machine.h"
#include "report/post_page.h"
#include "report/supported_pages.h"
#include "res/resource_ids.h"
#include "ui/headless/headless_host.h"
#include "wizard/banner.h"
#include "wizard/main_window.h"

// A Windows XP machine with the program installed, the configuration service running and the help
// file present.
inline const char* const XP_MACHINE = R"({
  "windows": { "major": 5, "minor": 1, "build": 2600, "servicePack": "Service Pack 3" },
  "folders": { "C:\\Program Files\\Brellix Nimbrel": "${res}" },
  "registry": { "HKEY_LOCAL_MACHINE": {
    "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
      "values": { "InstallDir": "C:\\Program Files\\Brellix Nimbrel" } } } },
  "services": { "WZCSVC": { "state": "running", "waitHint": 15000 } },
  "shell": { "help": "available", "browser": true }
})";

struct CFakeAdapter {
    std::string strId;
    std::string strName;
    DWORD dwLikely = 1;
    BOOL bSupported = FALSE;
};

// Discovery that finds the adapters the test lists.
class CScriptedListPage : public CListPage {
public:
    std::vector<CFakeAdapter> m_adapters;
    int m_nDiscoveries = 0;

protected:
    void EnumerateAdapters() override {
        ++m_nDiscoveries;
        for (const CFakeAdapter& adapter : m_adapters) {
            Append(adapter.strId, adapter.strName, "", adapter.dwLikely);
        }
    }
};

// An adapter test whose verdict the test chose, without drivers.
class CScriptedAdapterPage : public CAdapterPage {
public:
    explicit CScriptedAdapterPage(const CScriptedListPage& list) : m_list(list) {}
    int m_nTests = 0;

protected:
    void TestAdapter(std::string strId, std::string strName, std::string strDescription,
                     CAdapterResult* pResult) override {
        ++m_nTests;
        pResult->m_strId = strId;
        pResult->m_strName = strName.empty() ? strDescription : strName;
        for (const CFakeAdapter& adapter : m_list.m_adapters) {
            if (adapter.strId == strId) {
                pResult->m_bSupported = adapter.bSupported;
            }
        }
    }

private:
    const CScriptedListPage& m_list;
};

class CWizardFixture : public ::testing::Test {
protected:
    void SetUp() override { g_bWzcStopped = FALSE; }
    void TearDown() override {
        AfxSetMainWnd(nullptr);
        g_bWzcStopped = FALSE;
    }

    // Loads the machine and opens the wizard on its welcome page.
    void Open(const char* pszMachine = XP_MACHINE) {
        std::string strError;
        m_pMachine = CSimMachine::FromText(pszMachine, "test machine", &strError);
        ASSERT_TRUE(m_pMachine) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
        auto pList = std::make_unique<CScriptedListPage>();
        m_pList = pList.get();
        m_pList->m_adapters = m_adapters;
        auto pTest = std::make_unique<CScriptedAdapterPage>(*m_pList);
        m_pTest = pTest.get();
        m_pSheet = std::make_unique<CTolvaneSheet>(m_image, m_image, m_host);
        AddTolvanePages(*m_pSheet, std::move(pList), std::move(pTest));
        AfxSetMainWnd(&m_host);  // as start-up makes the sheet the main window
        m_host.Open(*m_pSheet);
    }

    // Next from the welcome page to the adapter list.
    void GoToList() {
        ASSERT_TRUE(m_host.Next());
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_LIST);
    }

    std::vector<UINT> History() const {
        std::vector<UINT> anPages;
        for (const CWizardPage* pPage : m_pSheet->m_history) {
            anPages.push_back(pPage->m_nTemplateId);
        }
        return anPages;
    }

    // Clears the results page's post tick, so that its Next sends nothing.
    void UntickPost() { m_host.Page(IDD_POST)->CheckBox(IDC_POST_CHECK)->SetCheck(BST_UNCHECKED); }

    ICheckListBox& LikelyList() { return *m_host.Page(IDD_LIST)->CheckListBox(IDC_LIKELY_LIST); }
    ICheckListBox& UnlikelyList() { return *m_host.Page(IDD_LIST)->CheckListBox(IDC_UNLIKELY_LIST); }

    std::vector<CFakeAdapter> m_adapters;
    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    CDibImage m_image;
    CHeadlessHost m_host;
    CScriptedListPage* m_pList = nullptr;
    CScriptedAdapterPage* m_pTest = nullptr;
    std::unique_ptr<CTolvaneSheet> m_pSheet;
};

// The whole wizard with its real pages (or a list page of the test's) on a simulated machine.
class CRealWizardFixture : public ::testing::Test {
protected:
    void TearDown() override {
        m_pSheet.reset();
        AfxSetMainWnd(nullptr);
        g_bWzcStopped = FALSE;
        g_bLocationNoticeShown = FALSE;
        ClearSupportedCache();
    }

    // Installs the machine as the OS and opens the wizard on its welcome page.
    void OpenWizard(std::unique_ptr<CSimMachine> pMachine, std::unique_ptr<CListPage> pList = nullptr) {
        m_pMachine = std::move(pMachine);
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
        m_pSheet = std::make_unique<CTolvaneSheet>(m_image, m_image, m_host);
        AddTolvanePages(*m_pSheet, std::move(pList));
        AfxSetMainWnd(&m_host);  // as start-up makes the sheet the main window
        m_host.Open(*m_pSheet);
    }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    CDibImage m_image;
    CHeadlessHost m_host;
    std::unique_ptr<CTolvaneSheet> m_pSheet;
};
