// The wizard property sheet (the platform's CPropertySheetEx in Wizard97 style): owns its pages,
// keeps the current one and carries out the platform's part of navigation. A UI host presses the
// sheet's buttons; the pages decide where Next and Back lead.
#pragma once

#include <memory>
#include <vector>

#include "ui/sheet_window.h"
#include "wizard/property_page.h"

constexpr DWORD PSH_WIZARD97 = 0x2000;
constexpr DWORD PSH_STRETCHWATERMARK = 0x40000;
constexpr DWORD PSH_WATERMARK = 0x8000;
constexpr DWORD PSH_USEHBMWATERMARK = 0x10000;
constexpr DWORD PSH_HEADER = 0x80000;
constexpr DWORD PSH_USEHBMHEADER = 0x100000;

class CPropertySheetEx {
public:
    CPropertySheetEx(UINT nCaptionId, ISheetWindow& window);
    virtual ~CPropertySheetEx() = default;
    CPropertySheetEx(const CPropertySheetEx&) = delete;
    CPropertySheetEx& operator=(const CPropertySheetEx&) = delete;

    // The sheet owns the page from now on.
    void AddPage(std::unique_ptr<CPropertyPageEx> pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPageEx* GetPage(int nIndex) const { return m_pages[nIndex].get(); }
    CPropertyPageEx* FindPage(UINT nTemplateId) const;
    CPropertyPageEx* GetActivePage() const { return m_nActive >= 0 ? GetPage(m_nActive) : nullptr; }
    int GetActiveIndex() const { return m_nActive; }

    // Shows the start page (DoModal up to the first activation).
    void Start(int nStartPage = 0);
    // The sheet's buttons. Each returns once the platform has done its part (activation included).
    void PressNext();
    void PressBack();
    void PressFinish();
    void PressCancel();
    void PressHelp();
    // A push button on the current page.
    void PressPageButton(int nControlId);

    // For a host whose platform sheet carries out navigation itself (comctl32): the current page's
    // answer to Next (+1) or Back (-1) — 0, -1 or a template number, for the platform to resolve —
    // and the activation of the page the platform then shows (FALSE when the page refuses it).
    LONG AskStep(int nStep);
    BOOL ActivatePage(int nIndex) { return Activate(nIndex) ? TRUE : FALSE; }
    // The colours that the page with template nTemplateId gives one of its controls (its
    // OnCtlColor); FALSE when the page leaves them to the platform. Every host draws from this.
    BOOL GetCtlColors(UINT nTemplateId, int nControlId, CCtlColors* pColors) const;
    // F1 anywhere in the sheet (WM_HELP); returns whether the message was handled.
    virtual BOOL OnHelpInfo() { return FALSE; }
    bool IsClosed() const { return m_bClosed; }

    UINT GetCaptionId() const { return m_nCaptionId; }
    DWORD GetHeaderFlags() const { return m_dwHeaderFlags; }
    ISheetWindow& Window() const { return m_window; }

protected:
    DWORD m_dwHeaderFlags = PSH_WATERMARK | PSH_USEHBMWATERMARK | PSH_HEADER | PSH_USEHBMHEADER;

private:
    // Resolves a page handler's answer (0, -1 or a template number) from the current index.
    int ResolveTarget(LONG nResult, int nStep) const;
    bool Activate(int nIndex);
    // Next (+1) or Back (-1): the page decides, the sheet shows the target.
    void Navigate(int nStep);

    UINT m_nCaptionId;
    ISheetWindow& m_window;
    std::vector<std::unique_ptr<CPropertyPageEx>> m_pages;
    int m_nActive = -1;
    bool m_bClosed = false;
};
