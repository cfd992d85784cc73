// Classes: CPageSpec, CImageSpec, ISheetEvents, CSheetRunProbe.
// comctl32's PropertySheetA run modally over the dialog templates of the program's resources, in
// plain C++ types (see win32_api.h). The runner turns the sheet's notifications into calls of
// ISheetEvents and their answers into what comctl32 expects; it also draws and operates the
// owner-drawn check lists and paints texts in the colours the events give.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/win32/win32_api.h"

namespace win32 {

struct CPageSpec {
    unsigned nTemplateId = 0;
    std::uint32_t dwFlags = 0;  // PSP_HIDEHEADER, PSP_USEHEADERTITLE, PSP_USEHEADERSUBTITLE
    std::string strTitle;       // empty: the template's own caption
    std::string strHeaderTitle;
    std::string strHeaderSubTitle;
};

// A decoded image: top-down rows of 32-bit blue, green, red, alpha pixels.
struct CImageSpec {
    int nWidth = 0;
    int nHeight = 0;
    const unsigned char* pPixels = nullptr;
};

class ISheetEvents {
public:
    virtual ~ISheetEvents() = default;
    // The sheet's own window exists (PSCB_INITIALIZED).
    virtual void OnSheetCreated(Hwnd hSheet) = 0;
    // The page's window was made from its template (WM_INITDIALOG), before its first PSN_SETACTIVE.
    virtual void OnPageCreated(int nIndex, Hwnd hPage) = 0;
    // PSN_SETACTIVE: true accepts the activation.
    virtual bool OnSetActive(int nIndex) = 0;
    // PSN_WIZNEXT (+1) / PSN_WIZBACK (-1): 0 = next or previous in order, -1 = stay, else the template
    // number of the page to show.
    virtual long OnWizardStep(int nIndex, int nStep) = 0;
    // PSN_WIZFINISH: true lets the sheet close.
    virtual bool OnWizardFinish(int nIndex) = 0;
    // PSN_QUERYCANCEL: the sheet closes after this.
    virtual void OnCancel(int nIndex) = 0;
    // PSN_HELP (the Help button).
    virtual void OnHelpButton(int nIndex) = 0;
    // WM_HELP (F1) reaching the sheet: whether it was handled.
    virtual bool OnHelpInfo() = 0;
    // BN_CLICKED of a control of the page.
    virtual void OnCommand(int nIndex, int nControlId) = 0;
    // WM_CTLCOLORSTATIC of a control of the page: true with the text colours (0x00BBGGRR).
    virtual bool OnCtlColor(int nIndex, int nControlId, std::uint32_t* pcrText,
                            std::uint32_t* pcrTextBack) = 0;
};

// Makes the two bitmaps from the images (CreateCompatibleDC, CreateCompatibleBitmap, StretchDIBits),
// runs the sheet modally with dwHeaderFlags (the PSH_ flags of the portable sheet; PSH_USEHBM* with
// the bitmaps), and returns PropertySheetA's result once the sheet has closed: -1 when the sheet could
// not be shown (a device context, a bitmap, a page or the sheet itself could not be made). Everything
// made is released on every path. Only one sheet runs at a time.
Lresult RunPropertySheet(Hinstance hInstance, std::uint32_t dwHeaderFlags, const std::string& strCaption,
                         const std::vector<CPageSpec>& pages, const CImageSpec& watermark,
                         const CImageSpec& header, ISheetEvents& events);

// The check box square at the left of each item of an owner-drawn check list, in pixels: the system's
// check mark size, which follows the display's DPI.
int CheckBoxSize();

// For tests: what the runner hands the system, and one of its calls made to answer as it does when
// the system refuses it.
enum class ESheetCall { NONE, GET_DC, CREATE_DC, CREATE_BITMAP, STRETCH_DIBITS, CREATE_PAGE, PROPERTY_SHEET };
struct CSheetRunProbe {
    ESheetCall eFail = ESheetCall::NONE;
    // PROPSHEETHEADERA.dwFlags given to PropertySheetA and whether both bitmap handles were set.
    std::uint32_t dwHeaderFlags = 0;
    bool bHeaderBitmaps = false;
    // PROPSHEETPAGEA.dwFlags of each page given to CreatePropertySheetPageA, in order.
    std::vector<std::uint32_t> adwPageFlags;
    // The memory device context and the bitmaps the run made (all deleted when it returns).
    std::vector<void*> ahGdiObjects;
    bool bPropertySheetCalled = false;
};
// The probe the following runs fill (null: none).
void SetSheetRunProbe(CSheetRunProbe* pProbe);

}  // namespace win32
