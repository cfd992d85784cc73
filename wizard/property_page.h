// A wizard page of the property sheet (the platform's CPropertyPageEx): the handlers the sheet
// calls and the page's window. Return protocol of OnWizardNext / OnWizardBack: 0 = the next (or
// previous) page in the sheet's order, -1 = stay on this page, else the template number to show.
#pragma once

#include <string>

#include "platform/win_defs.h"
#include "ui/controls.h"

class CPropertySheetEx;
class ISheetWindow;

constexpr DWORD PSP_HIDEHEADER = 0x0800;
constexpr DWORD PSP_USEHEADERTITLE = 0x1000;
constexpr DWORD PSP_USEHEADERSUBTITLE = 0x2000;

class CPropertyPageEx {
public:
    // nCaptionId 0 keeps the template's own caption.
    CPropertyPageEx(UINT nTemplateId, UINT nCaptionId = 0, UINT nHeaderTitleId = 0,
                    UINT nHeaderSubTitleId = 0);
    virtual ~CPropertyPageEx() = default;
    CPropertyPageEx(const CPropertyPageEx&) = delete;
    CPropertyPageEx& operator=(const CPropertyPageEx&) = delete;

    // Called once, when the page's window has been created, before its first activation.
    virtual BOOL OnInitDialog() { return TRUE; }
    // The page becomes the current one; FALSE refuses the activation.
    virtual BOOL OnSetActive() { return TRUE; }
    // Next and Back answer where they lead: 0 the next (previous) page in order, -1 stay on this
    // page, else the template number of the page to show.
    virtual LONG OnWizardNext() { return 0; }
    virtual LONG OnWizardBack() { return 0; }
    // TRUE lets the sheet close.
    virtual BOOL OnWizardFinish() { return TRUE; }
    // The sheet is closing through Cancel.
    virtual void OnCancel() {}
    // The Help command (ID_HELP) of the sheet's Help button while this page is current.
    virtual void OnHelp() {}
    // A push button of the page was clicked (BN_CLICKED).
    virtual void OnCommand(int /*nControlId*/) {}
    // A host is about to draw control nControlId's text: TRUE with the colours when the page colours
    // it, FALSE for the platform's own.
    virtual BOOL OnCtlColor(int /*nControlId*/, CCtlColors* /*pColors*/) { return FALSE; }

    UINT GetTemplateId() const { return m_nIDTemplate; }
    UINT GetCaptionId() const { return m_nCaptionId; }
    UINT GetHeaderTitleId() const { return m_nHeaderTitleId; }
    UINT GetHeaderSubTitleId() const { return m_nHeaderSubTitleId; }
    DWORD GetFlags() const { return m_dwFlags; }

    // Set by the sheet when the page is added and when its window is created.
    void Attach(CPropertySheetEx* pSheet) { m_pSheet = pSheet; }
    void SetControls(IPageControls* pControls) { m_pControls = pControls; }
    bool HasWindow() const { return m_pControls != nullptr; }

protected:
    CPropertySheetEx* GetParentSheet() const { return m_pSheet; }
    ISheetWindow& SheetWindow() const;
    // The page's controls; valid once the window exists (from OnInitDialog on).
    IPageControls& Controls() const { return *m_pControls; }

    DWORD m_dwFlags = 0;

private:
    UINT m_nIDTemplate;
    UINT m_nCaptionId;
    UINT m_nHeaderTitleId;
    UINT m_nHeaderSubTitleId;
    CPropertySheetEx* m_pSheet = nullptr;
    IPageControls* m_pControls = nullptr;
};
