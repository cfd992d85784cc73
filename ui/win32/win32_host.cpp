#include "ui/win32/win32_host.h"

#include "pages/tolvane_sheet.h"
#include "ui/win32/win32_progress_window.h"
#include "wizard/banner.h"
#include "wizard/property_sheet.h"

namespace {
win32::CImageSpec ImageSpec(const CDibImage& image) {
    return win32::CImageSpec{image.Width(), image.Height(), image.Pixels().data()};
}
}  // namespace

CWin32Host::CWin32Host(win32::Hinstance hInstance) : m_hInstance(hInstance) {}

CWin32Host::~CWin32Host() = default;

void CWin32Host::PostSetWizButtons(DWORD dwFlags) {
    win32::PostSetWizButtons(m_hSheet, dwFlags);
}

void CWin32Host::SetFinishText(const std::string& strText) {
    win32::SendSetFinishText(m_hSheet, strText);
}

int CWin32Host::MessageBox(const std::string& strText, UINT nType) {
    m_astrMessages.push_back(strText);
    // The sheet's own caption (the current page's title) heads the box, as the sheet shows it.
    const std::string strCaption = m_hSheet != nullptr ? win32::GetText(m_hSheet) : m_strCaption;
    return win32::MessageBoxOk(m_hSheet, strText, strCaption, nType);
}

void CWin32Host::BeginWaitCursor() {
    if (m_nWaitDepth++ == 0) {
        m_hCursorBeforeWait = win32::ShowWaitCursor();
    }
}

void CWin32Host::EndWaitCursor() {
    if (m_nWaitDepth > 0 && --m_nWaitDepth == 0) {
        win32::RestoreCursor(m_hCursorBeforeWait);
        m_hCursorBeforeWait = nullptr;
    }
}

IPageControls& CWin32Host::CreatePageWindow(UINT nTemplateId) {
    // comctl32 has made the page's window from its template (WM_INITDIALOG) before it activates the
    // page; a page without one gets controls that find nothing.
    auto& pPage = m_pages[nTemplateId];
    if (pPage == nullptr) {
        pPage = std::make_unique<CWin32Page>(nullptr);
    }
    return *pPage;
}

std::unique_ptr<IProgressWindow> CWin32Host::CreateProgressWindow() {
    return CreateWin32ProgressWindow(m_hSheet);
}

win32::Hwnd CWin32Host::PageHandle(UINT nTemplateId) const {
    auto it = m_pages.find(nTemplateId);
    return it != m_pages.end() ? it->second->Handle() : nullptr;
}

std::vector<win32::CPageSpec> CWin32Host::PageSpecs(const CPropertySheetEx& sheet) const {
    std::vector<win32::CPageSpec> pages;
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        const CPropertyPageEx& page = *sheet.GetPage(i);
        win32::CPageSpec spec;
        spec.nTemplateId = page.GetTemplateId();
        spec.dwFlags = page.GetFlags();
        if (page.GetCaptionId() != 0) {
            spec.strTitle = win32::ResourceString(m_hInstance, page.GetCaptionId());
        }
        if (page.GetHeaderTitleId() != 0) {
            spec.strHeaderTitle = win32::ResourceString(m_hInstance, page.GetHeaderTitleId());
        }
        if (page.GetHeaderSubTitleId() != 0) {
            spec.strHeaderSubTitle = win32::ResourceString(m_hInstance, page.GetHeaderSubTitleId());
        }
        pages.push_back(std::move(spec));
    }
    return pages;
}

BOOL CWin32Host::RunModal(CTolvaneSheet& sheet) {
    m_pSheet = &sheet;
    m_strCaption = win32::ResourceString(m_hInstance, sheet.GetCaptionId());
    const win32::Lresult nResult =
        win32::RunPropertySheet(m_hInstance, sheet.GetHeaderFlags(), m_strCaption, PageSpecs(sheet),
                                ImageSpec(sheet.Watermark()), ImageSpec(sheet.Header()), *this);
    m_hSheet = nullptr;
    m_pSheet = nullptr;
    return nResult != -1 ? TRUE : FALSE;
}

void CWin32Host::OnSheetCreated(win32::Hwnd hSheet) {
    m_hSheet = hSheet;
    if (m_fnSheetCreated) {
        m_fnSheetCreated(hSheet);
    }
}

void CWin32Host::OnPageCreated(int nIndex, win32::Hwnd hPage) {
    if (m_hSheet == nullptr) {
        m_hSheet = win32::Parent(hPage);  // a page made before the sheet's callback came
    }
    m_pages[m_pSheet->GetPage(nIndex)->GetTemplateId()] = std::make_unique<CWin32Page>(hPage);
}

bool CWin32Host::IsActive(int nIndex) const {
    return m_pSheet != nullptr && !m_pSheet->IsClosed() && m_pSheet->GetActiveIndex() == nIndex;
}

bool CWin32Host::OnSetActive(int nIndex) {
    return m_pSheet != nullptr && m_pSheet->ActivatePage(nIndex) != FALSE;
}

long CWin32Host::OnWizardStep(int nIndex, int nStep) {
    return IsActive(nIndex) ? m_pSheet->AskStep(nStep) : -1;
}

bool CWin32Host::OnWizardFinish(int nIndex) {
    if (!IsActive(nIndex)) {
        return false;
    }
    m_pSheet->PressFinish();
    return m_pSheet->IsClosed();
}

void CWin32Host::OnCancel(int nIndex) {
    if (IsActive(nIndex)) {
        m_pSheet->PressCancel();
    }
}

void CWin32Host::OnHelpButton(int nIndex) {
    if (IsActive(nIndex)) {
        m_pSheet->PressHelp();
    }
}

bool CWin32Host::OnHelpInfo() {
    return m_pSheet != nullptr && m_pSheet->OnHelpInfo() != FALSE;
}

void CWin32Host::OnCommand(int nIndex, int nControlId) {
    if (IsActive(nIndex)) {
        m_pSheet->PressPageButton(nControlId);
    }
}

bool CWin32Host::OnCtlColor(int nIndex, int nControlId, std::uint32_t* pcrText, std::uint32_t* pcrTextBack) {
    if (m_pSheet == nullptr || nIndex < 0 || nIndex >= m_pSheet->GetPageCount()) {
        return false;
    }
    CCtlColors colors{};
    if (!m_pSheet->GetCtlColors(m_pSheet->GetPage(nIndex)->GetTemplateId(), nControlId, &colors)) {
        return false;
    }
    *pcrText = colors.crText;
    *pcrTextBack = colors.crTextBack;
    return true;
}
