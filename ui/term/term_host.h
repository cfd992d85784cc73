// The full-screen terminal front end: the wizard sheet drawn as a Wizard97 frame (the header band with
// the page's title and subtitle, or the sidebar band on the welcome page; the page's dialog from its
// template; the button row), message boxes, the busy indicator, the progress popup and help pages, all
// driven by keys and the mouse. It keeps its controls in the model controls (ui/model), so that page
// logic runs exactly as it does in tests.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/model/model_host.h"
#include "ui/term/term_controls.h"
#include "ui/term/term_device.h"

class CDibImage;
class CTermProgressWindow;

class CTermHost : public CModelHost {
public:
    // The sheet's smallest size in cells, at 4 x 8 dialog units to a cell: the 280 x 105 dialog units
    // of a page (70 x 14 cells) with the header band, the button row and the frame; the welcome page's
    // controls take the header's place. A larger terminal shows it larger (Scale).
    static constexpr int SHEET_COLS = 76;
    static constexpr int SHEET_ROWS = 22;

    // The sheet buttons, left to right.
    enum ESheetButton { BUTTON_BACK, BUTTON_NEXT, BUTTON_CANCEL, BUTTON_HELP, BUTTON_COUNT };

    explicit CTermHost(ITermDevice& device);
    ~CTermHost() override;

    // ISheetWindow
    int MessageBox(const std::string& strText, UINT nType) override;
    void BeginWaitCursor() override;
    IPageControls& CreatePageWindow(UINT nTemplateId) override;
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override;

    // IWizardHost: shows the start page and takes the user's input until the sheet closes.
    BOOL RunModal(CTolvaneSheet& sheet) override;

    // A scrollable box of text lines over the sheet until the user closes it.
    void ShowTextBox(const std::string& strTitle, const std::vector<std::string>& astrLines);
    // One item of a list view whole, in such a box: every column's heading and text, then the details
    // its page gave the item.
    void ShowItemDetails(const CTermListView& list, int nItem);
    // A help topic's page (an HTML file on the host) as text in such a box.
    void ShowHelpPage(const std::string& strHostPath);
    // A box with the address the browser was handed.
    void ShowBrowserLaunch(const std::string& strAddress);

    // Carries out one event as the sheet's modal loop does.
    void Dispatch(const CTermEvent& event);
    // Draws everything and shows it on the terminal.
    void Paint();
    const CTermCanvas& Screen() const { return m_screen; }

    CTermPage* TermPage(UINT nTemplateId) const;
    // The control with the focus, or nullptr when a sheet button (FocusButton) has it.
    CTermWidget* FocusWidget() const { return m_pFocusWidget; }
    int FocusButton() const { return m_nFocusButton; }
    bool IsButtonEnabled(int nButton) const;
    std::string ButtonLabel(int nButton) const;

    // Where the sheet stands on the screen (cells), and the terminal.
    CTermRect SheetRect() const;
    // The active page's dialog origin on the screen.
    int DialogRow() const;
    int DialogCol() const;
    // Dialog units to cells at the terminal's present size.
    CTermScale Scale() const;
    ITermDevice& Device() const { return m_device; }
    bool IsTooSmall() const;
    // Moves what the terminal has pending into the message queue as the progress popup sees it: Esc
    // typed, a click as the left button released at its pixel, Enter and Space as a click on the
    // popup's Cancel button (its focused control).
    void PollInput();

private:
    // Something drawn over the sheet while its own modal loop runs (a message box, a help page).
    using COverlay = std::function<void(CTermCanvas&)>;

    void DrawSheet(CTermCanvas& canvas);
    void DrawHeader(CTermCanvas& canvas, const CTermRect& sheet);
    void DrawSidebar(CTermCanvas& canvas, const CTermRect& sheet);
    void DrawButtons(CTermCanvas& canvas, const CTermRect& sheet);
    // The cells of a sheet button on the screen.
    CTermRect ButtonRect(int nButton) const;
    // The rows under the title bar down to the rule above the buttons: the header band, its rule and
    // an interior page's dialog, or the exterior page's dialog.
    int BodyRows() const;
    // The extents in dialog units that the sheet's pages need (computed once).
    void MeasurePages() const;
    std::string PageCaption() const;
    bool IsExteriorPage() const;
    CTermPage* ActivePage() const;

    void PressButton(int nButton);
    // The focus to the default button (or what can take it) when a new page shows.
    void ResetFocus();
    void MoveFocus(int nStep);
    void SetFocus(CTermWidget* pWidget, int nButton, bool bByTab);
    // What every loop does first with an event: a resize or Ctrl+L repaints the whole screen, and
    // while the terminal is too small every other event is dropped. True when the event is used up.
    bool TakeScreenEvent(const CTermEvent& event);
    // Reads events until fnDone says the overlay's loop ends.
    void RunOverlay(const COverlay& overlay, const std::function<bool(const CTermEvent&)>& fnEvent);

    ITermDevice& m_device;
    CTermCanvas m_screen{0, 0};
    std::map<UINT, std::unique_ptr<CTermPage>> m_termPages;
    std::vector<COverlay> m_overlays;
    const CTermPage* m_pFocusPage = nullptr;
    CTermWidget* m_pFocusWidget = nullptr;
    int m_nFocusButton = BUTTON_NEXT;
    // The pages' widest and highest dialog, and how far down the exterior page's controls reach.
    mutable int m_nPagesWidth = 0;
    mutable int m_nPagesHeight = 0;
    mutable int m_nExteriorBottom = 0;
    // The last click, for telling a double click.
    CTermEvent m_lastClick{CTermEvent::Resize};
    // The focus is where a new page put it: Tab goes to the page's first control, not past Next.
    bool m_bFocusFresh = true;
};
