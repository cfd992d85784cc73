#include "ui/term/term_host.h"

#include <algorithm>

#include "pages/tolvane_sheet.h"
#include "resources/resource_script.h"
#include "ui/term/term_colours.h"
#include "ui/term/term_progress.h"
#include "ui/term/term_text.h"
#include "wizard/banner.h"
#include "wizard/property_sheet.h"

namespace {
// Rows of the sheet, from its top edge.
constexpr int HEADER_ROWS = 3;    // the header band (interior pages)
constexpr int DIALOG_MARGIN = 2;  // cells between the frame and the dialog
// The sheet's cells around a page's dialog: frame and margins; title, header band and its rule,
// the rule above the buttons, the buttons and the bottom edge.
constexpr int FRAME_COLS = 2 + 2 * DIALOG_MARGIN;
constexpr int FRAME_ROWS = 1 + HEADER_ROWS + 1 + 3;
// The watermark band reaches to where the welcome page's texts start.
constexpr int SIDEBAR_UNITS = 84;
constexpr int BUTTON_WIDTH = 10;

// Text drawn over a banner band, black or white as the band's colour asks.
void PutOnBanner(CTermCanvas& canvas, int nRow, int nCol, const std::string& strText, int nMaxCols,
                 bool bBold) {
    for (int i = 0; i < static_cast<int>(strText.size()) && i < nMaxCols; ++i) {
        if (!canvas.Contains(nRow, nCol + i)) {
            continue;
        }
        const int nBg = canvas.At(nRow, nCol + i).nBg;
        canvas.PutText(nRow, nCol + i, strText.substr(i, 1), ETermStyle::Face);
        const int nFg = nBg == TERM_NO_COLOUR || IsLightColour(nBg) ? 0 : 15;
        canvas.SetColours(nRow, nCol + i, nFg, nBg, bBold);
    }
}

std::string Centred(const std::string& strLabel, int nWidth) {
    const int nSpare = std::max(0, nWidth - static_cast<int>(strLabel.size()));
    return std::string(nSpare / 2, ' ') + strLabel + std::string(nSpare - nSpare / 2, ' ');
}

}  // namespace

CTermHost::CTermHost(ITermDevice& device) : m_device(device) {}

CTermHost::~CTermHost() = default;

CTermPage* CTermHost::TermPage(UINT nTemplateId) const {
    auto it = m_termPages.find(nTemplateId);
    return it == m_termPages.end() ? nullptr : it->second.get();
}

IPageControls& CTermHost::CreatePageWindow(UINT nTemplateId) {
    auto& pPage = m_termPages[nTemplateId];
    pPage = std::make_unique<CTermPage>(nTemplateId, Sheet());
    return *pPage;
}

std::unique_ptr<IProgressWindow> CTermHost::CreateProgressWindow() {
    return std::make_unique<CTermProgressWindow>(*this);
}

void CTermHost::BeginWaitCursor() {
    CModelHost::BeginWaitCursor();
    // The operation blocks from here on: show the busy indicator now.
    Paint();
}

CTermPage* CTermHost::ActivePage() const {
    CTermPage* pPage = Sheet() != nullptr && !IsClosed() ? TermPage(CurrentPage()) : nullptr;
    if (pPage != nullptr) {
        // Placed at the terminal's present scale before it is drawn or clicked.
        pPage->SetScale(Scale(), IsExteriorPage() ? BodyRows() : BodyRows() - HEADER_ROWS - 1);
    }
    return pPage;
}

void CTermHost::MeasurePages() const {
    if (m_nPagesWidth > 0) {
        return;
    }
    // A page of 280 x 105 units, the welcome page's controls 143 down, when there is no sheet yet.
    m_nPagesWidth = 280;
    m_nPagesHeight = 105;
    m_nExteriorBottom = 143;
    if (Sheet() == nullptr || Sheet()->GetPageCount() == 0) {
        return;
    }
    m_nPagesHeight = 0;
    m_nExteriorBottom = 0;
    for (int i = 0; i < Sheet()->GetPageCount(); ++i) {
        const CPropertyPageEx* pPage = Sheet()->GetPage(i);
        const CDialogTemplate* pTemplate = Resources().FindDialog(pPage->GetTemplateId());
        if (pTemplate == nullptr) {
            continue;
        }
        m_nPagesWidth = std::max(m_nPagesWidth, pTemplate->m_nWidth);
        if ((pPage->GetFlags() & PSP_HIDEHEADER) == 0) {
            m_nPagesHeight = std::max(m_nPagesHeight, pTemplate->m_nHeight);
            continue;
        }
        for (const CDialogControl& control : pTemplate->m_controls) {
            if (control.IsVisible()) {
                m_nExteriorBottom = std::max(m_nExteriorBottom, control.m_nY + control.m_nHeight);
            }
        }
    }
}

CTermScale CTermHost::Scale() const {
    MeasurePages();
    if (IsTooSmall()) {
        return CTermScale{};
    }
    return ScaleFor(m_device.Rows(), m_device.Cols(), m_nPagesWidth, m_nPagesHeight, m_nExteriorBottom,
                    FRAME_COLS, FRAME_ROWS);
}

int CTermHost::BodyRows() const {
    const CTermScale scale = Scale();
    return std::max(HEADER_ROWS + 1 + scale.RowsFor(m_nPagesHeight), scale.RowsFor(m_nExteriorBottom));
}

bool CTermHost::IsExteriorPage() const {
    const CPropertyPageEx* pPage = Sheet() != nullptr ? Sheet()->GetActivePage() : nullptr;
    return pPage != nullptr && (pPage->GetFlags() & PSP_HIDEHEADER) != 0;
}

std::string CTermHost::PageCaption() const {
    const CPropertyPageEx* pPage = Sheet() != nullptr ? Sheet()->GetActivePage() : nullptr;
    if (pPage == nullptr) {
        return "";
    }
    if (pPage->GetCaptionId() != 0) {
        return Resources().GetString(pPage->GetCaptionId());
    }
    const CDialogTemplate* pTemplate = Resources().FindDialog(pPage->GetTemplateId());
    return pTemplate != nullptr ? pTemplate->m_strCaption : "";
}

bool CTermHost::IsTooSmall() const {
    return m_device.Rows() < SHEET_ROWS || m_device.Cols() < SHEET_COLS;
}

CTermRect CTermHost::SheetRect() const {
    const int nRows = std::max(SHEET_ROWS, BodyRows() + FRAME_ROWS - HEADER_ROWS - 1);
    const int nCols = std::max(SHEET_COLS, Scale().ColsFor(m_nPagesWidth) + FRAME_COLS);
    return CTermRect{std::max(0, (m_device.Rows() - nRows) / 2), std::max(0, (m_device.Cols() - nCols) / 2),
                     nRows, nCols};
}

int CTermHost::DialogRow() const {
    return SheetRect().nRow + 1 + (IsExteriorPage() ? 0 : HEADER_ROWS + 1);
}

int CTermHost::DialogCol() const {
    return SheetRect().nCol + 1 + DIALOG_MARGIN;
}

bool CTermHost::IsButtonEnabled(int nButton) const {
    if (IsClosed()) {
        return false;
    }
    switch (nButton) {
        case BUTTON_BACK:
            return (Buttons() & PSWIZB_BACK) != 0;
        case BUTTON_NEXT:
            return (Buttons() & (PSWIZB_NEXT | PSWIZB_FINISH)) != 0;
        default:
            return true;
    }
}

std::string CTermHost::ButtonLabel(int nButton) const {
    switch (nButton) {
        case BUTTON_BACK:
            return "< Back";
        case BUTTON_NEXT:
            // Wizard97 shows the Finish button in the Next button's place.
            return (Buttons() & PSWIZB_FINISH) ? FinishText() : "Next >";
        case BUTTON_CANCEL:
            return "Cancel";
        default:
            return "Help";
    }
}

CTermRect CTermHost::ButtonRect(int nButton) const {
    const CTermRect sheet = SheetRect();
    const int nRow = sheet.nRow + sheet.nRows - 2;
    // Right-aligned: Back and Next side by side, Cancel and Help apart from them.
    const int nRight = sheet.nCol + sheet.nCols - 3;
    const int anLeft[BUTTON_COUNT] = {nRight - 4 * BUTTON_WIDTH - 3, nRight - 3 * BUTTON_WIDTH - 3,
                                      nRight - 2 * BUTTON_WIDTH - 1, nRight - BUTTON_WIDTH};
    return CTermRect{nRow, anLeft[nButton] + 1, 1, BUTTON_WIDTH};
}

void CTermHost::Paint() {
    CTermCanvas canvas(m_device.Rows(), m_device.Cols());
    if (IsTooSmall()) {
        canvas.Fill(0, 0, canvas.Rows(), canvas.Cols(), ETermStyle::Face);
        canvas.PutText(0, 0,
                       "Please enlarge the terminal to at least " + std::to_string(SHEET_COLS) + "x" +
                           std::to_string(SHEET_ROWS) + " (it is " + std::to_string(canvas.Cols()) + "x" +
                           std::to_string(canvas.Rows()) + ").",
                       ETermStyle::Face);
        canvas.PutText(1, 0, "Keys are ignored until then (Ctrl+L redraws).", ETermStyle::Face);
    } else {
        canvas.Fill(0, 0, canvas.Rows(), canvas.Cols(), ETermStyle::Desktop);
        if (Sheet() != nullptr && !IsClosed()) {
            DrawSheet(canvas);
        }
        if (const auto* pWindow = dynamic_cast<const CTermProgressWindow*>(Progress())) {
            pWindow->Draw(canvas);
        }
        for (const COverlay& overlay : m_overlays) {
            overlay(canvas);
        }
    }
    m_screen = canvas;
    m_device.Show(m_screen);
}

void CTermHost::DrawSheet(CTermCanvas& canvas) {
    const CTermRect sheet = SheetRect();
    canvas.Fill(sheet.nRow, sheet.nCol, sheet.nRows, sheet.nCols, ETermStyle::Face);
    canvas.Frame(sheet.nRow, sheet.nCol, sheet.nRows, sheet.nCols, ETermStyle::Face);
    // The title bar, with the busy indicator while the wait cursor shows.
    canvas.Fill(sheet.nRow, sheet.nCol, 1, sheet.nCols, ETermStyle::Caption);
    canvas.PutText(sheet.nRow, sheet.nCol + 1, " " + PageCaption(), ETermStyle::Caption, sheet.nCols - 2);
    if (IsWaitCursorShown()) {
        const std::string strBusy = " Working... ";
        canvas.PutText(sheet.nRow, sheet.nCol + sheet.nCols - 2 - static_cast<int>(strBusy.size()), strBusy,
                       ETermStyle::Busy);
    }
    if (IsExteriorPage()) {
        DrawSidebar(canvas, sheet);
    } else {
        DrawHeader(canvas, sheet);
    }
    if (const CTermPage* pPage = ActivePage()) {
        pPage->Draw(canvas, DialogRow(), DialogCol(), m_pFocusWidget);
    }
    // The etched line above the buttons.
    const int nRule = sheet.nRow + 1 + BodyRows();
    canvas.Fill(nRule, sheet.nCol + 1, 1, sheet.nCols - 2, ETermStyle::Face, TERM_HLINE);
    canvas.Put(nRule, sheet.nCol, TERM_TEE_LEFT, ETermStyle::Face);
    canvas.Put(nRule, sheet.nCol + sheet.nCols - 1, TERM_TEE_RIGHT, ETermStyle::Face);
    DrawButtons(canvas, sheet);
}

void CTermHost::DrawHeader(CTermCanvas& canvas, const CTermRect& sheet) {
    const CPropertyPageEx* pPage = Sheet()->GetActivePage();
    const int nCols = sheet.nCols - 2;
    // The header bitmap stretched over the band, one colour per column (it runs from left to right).
    const auto* pSheet = dynamic_cast<const CTolvaneSheet*>(Sheet());
    const std::vector<std::vector<int>> aanColours =
        pSheet != nullptr ? BannerCells(pSheet->Header(), 1, nCols, std::max(8, m_device.Colours()))
                          : std::vector<std::vector<int>>{};
    for (int r = 0; r < HEADER_ROWS; ++r) {
        for (int c = 0; c < nCols; ++c) {
            const int nBg = aanColours.empty() ? 15 : aanColours[0][c];
            canvas.Put(sheet.nRow + 1 + r, sheet.nCol + 1 + c, U' ', ETermStyle::Face);
            canvas.SetColours(sheet.nRow + 1 + r, sheet.nCol + 1 + c, IsLightColour(nBg) ? 0 : 15, nBg);
        }
    }
    if (pPage->GetFlags() & PSP_USEHEADERTITLE) {
        PutOnBanner(canvas, sheet.nRow + 1, sheet.nCol + 3, Resources().GetString(pPage->GetHeaderTitleId()),
                    nCols - 4, true);
    }
    if (pPage->GetFlags() & PSP_USEHEADERSUBTITLE) {
        PutOnBanner(canvas, sheet.nRow + 2, sheet.nCol + 5,
                    Resources().GetString(pPage->GetHeaderSubTitleId()), nCols - 6, false);
    }
    const int nRule = sheet.nRow + 1 + HEADER_ROWS;
    canvas.Fill(nRule, sheet.nCol + 1, 1, nCols, ETermStyle::Face, TERM_HLINE);
    canvas.Put(nRule, sheet.nCol, TERM_TEE_LEFT, ETermStyle::Face);
    canvas.Put(nRule, sheet.nCol + sheet.nCols - 1, TERM_TEE_RIGHT, ETermStyle::Face);
}

void CTermHost::DrawSidebar(CTermCanvas& canvas, const CTermRect& sheet) {
    const auto* pSheet = dynamic_cast<const CTolvaneSheet*>(Sheet());
    const int nBodyRows = BodyRows();
    const int nSidebarCols = DIALOG_MARGIN + Scale().Col(SIDEBAR_UNITS) - 1;
    const std::vector<std::vector<int>> aanColours =
        pSheet != nullptr
            ? BannerCells(pSheet->Watermark(), nBodyRows, nSidebarCols, std::max(8, m_device.Colours()))
            : std::vector<std::vector<int>>{};
    for (int r = 0; r < nBodyRows; ++r) {
        for (int c = 0; c < nSidebarCols; ++c) {
            canvas.Put(sheet.nRow + 1 + r, sheet.nCol + 1 + c, U' ', ETermStyle::Face);
            canvas.SetColours(sheet.nRow + 1 + r, sheet.nCol + 1 + c, 15,
                              aanColours.empty() ? 4 : aanColours[r][c]);
        }
    }
}

void CTermHost::DrawButtons(CTermCanvas& canvas, const CTermRect& sheet) {
    // The default button is Next (Finish) unless a push button has the focus.
    const bool bPushFocus = m_pFocusWidget != nullptr && m_pFocusWidget->IsPushButton();
    for (int nButton = 0; nButton < BUTTON_COUNT; ++nButton) {
        const CTermRect rect = ButtonRect(nButton);
        ETermStyle eStyle = ETermStyle::Button;
        if (!IsButtonEnabled(nButton)) {
            eStyle = ETermStyle::Disabled;
        } else if (m_pFocusWidget == nullptr && m_nFocusButton == nButton) {
            eStyle = ETermStyle::ButtonFocus;
        } else if (nButton == BUTTON_NEXT && !bPushFocus && m_pFocusWidget != nullptr) {
            eStyle = ETermStyle::ButtonDefault;
        }
        canvas.PutText(rect.nRow, rect.nCol, "[" + Centred(ButtonLabel(nButton), BUTTON_WIDTH - 2) + "]",
                       eStyle);
    }
    // The keys, in the bottom edge.
    std::string strDefault = ButtonLabel(BUTTON_NEXT);
    strDefault.erase(strDefault.find_last_not_of(" >") + 1);
    const std::string strHints =
        " Tab=move  Space=tick  Enter=" + strDefault + "  Alt+B=Back  Esc=Cancel  F1=Help ";
    const int nBottom = sheet.nRow + sheet.nRows - 1;
    canvas.PutText(nBottom, sheet.nCol + (sheet.nCols - static_cast<int>(strHints.size())) / 2, strHints,
                   ETermStyle::Hint, sheet.nCols - 2);
}

BOOL CTermHost::RunModal(CTolvaneSheet& sheet) {
    Open(sheet);
    while (!IsClosed()) {
        Paint();
        CTermEvent event;
        if (m_device.ReadEvent(event, -1) && !TakeScreenEvent(event)) {
            Dispatch(event);
        }
    }
    Detach();
    return TRUE;
}

void CTermHost::ResetFocus() {
    m_pFocusPage = ActivePage();
    m_pFocusWidget = nullptr;
    m_nFocusButton = IsButtonEnabled(BUTTON_NEXT) ? BUTTON_NEXT : BUTTON_CANCEL;
    m_bFocusFresh = true;
}

void CTermHost::SetFocus(CTermWidget* pWidget, int nButton, bool bByTab) {
    m_pFocusWidget = pWidget;
    m_nFocusButton = nButton;
    m_bFocusFresh = false;
    if (pWidget != nullptr) {
        pWidget->OnFocus(bByTab);
    }
}

void CTermHost::MoveFocus(int nStep) {
    // The page's tab stops, then the enabled sheet buttons, round and round.
    struct CStop {
        CTermWidget* pWidget;
        int nButton;
    };
    std::vector<CStop> stops;
    if (const CTermPage* pPage = ActivePage()) {
        for (CTermWidget* pWidget : pPage->TabStops()) {
            stops.push_back(CStop{pWidget, -1});
        }
    }
    for (int nButton = 0; nButton < BUTTON_COUNT; ++nButton) {
        if (IsButtonEnabled(nButton)) {
            stops.push_back(CStop{nullptr, nButton});
        }
    }
    if (stops.empty()) {
        return;
    }
    int nCurrent = -1;
    for (int i = 0; i < static_cast<int>(stops.size()) && !m_bFocusFresh; ++i) {
        if (stops[i].pWidget == m_pFocusWidget &&
            (m_pFocusWidget != nullptr || stops[i].nButton == m_nFocusButton)) {
            nCurrent = i;
        }
    }
    const int nCount = static_cast<int>(stops.size());
    const int nNext =
        nCurrent < 0 ? (nStep > 0 ? 0 : nCount - 1) : ((nCurrent + nStep) % nCount + nCount) % nCount;
    SetFocus(stops[nNext].pWidget, stops[nNext].nButton, true);
}

void CTermHost::PressButton(int nButton) {
    if (!IsButtonEnabled(nButton)) {
        return;
    }
    switch (nButton) {
        case BUTTON_BACK:
            Back();
            break;
        case BUTTON_NEXT:
            if (Buttons() & PSWIZB_FINISH) {
                Finish();
            } else {
                Next();
            }
            break;
        case BUTTON_CANCEL:
            Cancel();
            break;
        default:
            Help();
            break;
    }
}

bool CTermHost::TakeScreenEvent(const CTermEvent& event) {
    if (event.eKind == CTermEvent::Resize || event.IsKey(TK_REDRAW)) {
        m_device.Invalidate();
        Paint();
        return true;
    }
    return IsTooSmall();
}

void CTermHost::Dispatch(const CTermEvent& event) {
    if (IsClosed() || IsTooSmall()) {
        return;
    }
    if (m_pFocusPage != ActivePage()) {
        ResetFocus();
    }
    const CPropertyPageEx* pBefore = Sheet()->GetActivePage();
    if (event.eKind == CTermEvent::Key) {
        if (event.bAlt) {
            if (event.nKey == 'b' || event.nKey == 'B') {
                PressButton(BUTTON_BACK);
            } else if ((event.nKey == 'n' || event.nKey == 'N') && (Buttons() & PSWIZB_NEXT)) {
                PressButton(BUTTON_NEXT);
            }
        } else if (event.nKey == TK_ESCAPE) {
            PressButton(BUTTON_CANCEL);
        } else if (event.nKey == TK_F1) {
            F1();
        } else if (event.nKey == TK_TAB || event.nKey == TK_BACK_TAB) {
            MoveFocus(event.nKey == TK_TAB ? +1 : -1);
        } else {
            const ETermAction eAction =
                m_pFocusWidget != nullptr ? m_pFocusWidget->OnKey(event) : ETermAction::Ignored;
            if (eAction == ETermAction::Pressed) {
                Click(m_pFocusWidget->Id());
            } else if (eAction == ETermAction::Opened) {
                if (const auto* pList = dynamic_cast<const CTermListView*>(m_pFocusWidget)) {
                    ShowItemDetails(*pList, pList->Selected());
                }
            } else if (eAction == ETermAction::Ignored) {
                if (m_pFocusWidget == nullptr && (event.nKey == TK_ENTER || event.nKey == ' ')) {
                    PressButton(m_nFocusButton);
                } else if (event.nKey == TK_ENTER) {
                    PressButton(BUTTON_NEXT);
                } else if (m_pFocusWidget == nullptr && (event.nKey == TK_LEFT || event.nKey == TK_RIGHT)) {
                    MoveFocus(event.nKey == TK_RIGHT ? +1 : -1);
                }
            }
        }
    } else if (event.eKind == CTermEvent::Click && !IsTooSmall()) {
        for (int nButton = 0; nButton < BUTTON_COUNT; ++nButton) {
            if (ButtonRect(nButton).Contains(event.nRow, event.nCol)) {
                PressButton(nButton);
                break;
            }
        }
        CTermPage* pPage = ActivePage();
        CTermWidget* pWidget =
            pPage != nullptr ? pPage->WidgetAt(event.nRow - DialogRow(), event.nCol - DialogCol()) : nullptr;
        if (pWidget != nullptr && pBefore == Sheet()->GetActivePage()) {
            if (pWidget->IsTabStop() || pWidget->IsPushButton()) {
                SetFocus(pWidget, -1, false);
            }
            const ETermAction eAction = pWidget->OnClick(event.nRow - DialogRow() - pWidget->Rect().nRow,
                                                         event.nCol - DialogCol() - pWidget->Rect().nCol);
            if (eAction == ETermAction::Pressed) {
                Click(pWidget->Id());
            }
            const bool bDouble = m_lastClick.eKind == CTermEvent::Click && m_lastClick.nRow == event.nRow &&
                                 m_lastClick.nCol == event.nCol &&
                                 event.nTimeMs - m_lastClick.nTimeMs <= CTermEvent::DOUBLE_CLICK_MS;
            const auto* pList = dynamic_cast<const CTermListView*>(pWidget);
            if (bDouble && pList != nullptr && pList->Selected() >= 0) {
                m_lastClick = CTermEvent{CTermEvent::Resize};
                ShowItemDetails(*pList, pList->Selected());
                return;
            }
        }
        m_lastClick = event;
    } else if (event.eKind == CTermEvent::WheelUp || event.eKind == CTermEvent::WheelDown) {
        CTermPage* pPage = ActivePage();
        if (CTermWidget* pWidget = pPage != nullptr
                                       ? pPage->WidgetAt(event.nRow - DialogRow(), event.nCol - DialogCol())
                                       : nullptr) {
            pWidget->OnWheel(event.eKind == CTermEvent::WheelUp ? -3 : 3);
        }
    }
    // A new page, or a button that lost its place, gives the focus back to the default button.
    if (!IsClosed() && (pBefore != Sheet()->GetActivePage() ||
                        (m_pFocusWidget == nullptr && !IsButtonEnabled(m_nFocusButton)))) {
        ResetFocus();
    }
}

void CTermHost::RunOverlay(const COverlay& overlay, const std::function<bool(const CTermEvent&)>& fnEvent) {
    m_overlays.push_back(overlay);
    bool bDone = false;
    while (!bDone) {
        Paint();
        CTermEvent event;
        if (!m_device.ReadEvent(event, -1)) {
            break;  // the terminal is gone
        }
        bDone = !TakeScreenEvent(event) && fnEvent(event);
    }
    m_overlays.pop_back();
    Paint();
}

void CTermHost::PollInput() {
    CTermEvent event;
    while (m_device.ReadEvent(event, 0)) {
        CModelProgressWindow* pWindow = Progress();
        if (TakeScreenEvent(event) || pWindow == nullptr) {
            continue;
        } else if (event.eKind == CTermEvent::Click) {
            pWindow->ReleaseMouseAt(POINT{event.nCol * TERM_PIXELS_PER_COL + TERM_PIXELS_PER_COL / 2,
                                          event.nRow * TERM_PIXELS_PER_ROW + TERM_PIXELS_PER_ROW / 2});
        } else if (event.IsKey(TK_ESCAPE)) {
            pWindow->TypeEscape();
        } else if ((event.IsKey(TK_ENTER) || event.IsKey(' ')) && pWindow->HasFocus()) {
            pWindow->ClickCancel();
        }
    }
}
