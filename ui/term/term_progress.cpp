#include "ui/term/term_progress.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/term/term_controls.h"
#include "ui/term/term_host.h"

namespace {
bool Contains(const RECT& rect, POINT pt) {
    return pt.x >= rect.left && pt.x < rect.right && pt.y >= rect.top && pt.y < rect.bottom;
}

std::vector<std::string> SplitLines(const std::string& strText) {
    std::vector<std::string> astrLines(1);
    for (char ch : strText) {
        if (ch == '\n') {
            astrLines.emplace_back();
        } else if (ch != '\r') {
            astrLines.back() += ch;
        }
    }
    return astrLines;
}
}  // namespace

int CTermMeasurer::DrawText(const std::string& strText, RECT& rect, UINT nFormat) {
    LONG nWidest = 0;
    const std::vector<std::string> astrLines = SplitLines(strText);
    for (const std::string& strLine : astrLines) {
        nWidest = std::max(nWidest, static_cast<LONG>(strLine.size()));
    }
    const LONG nHeight = static_cast<LONG>(astrLines.size()) * TERM_PIXELS_PER_ROW;
    if (nFormat & DT_CALCRECT) {
        rect.right = rect.left + nWidest * TERM_PIXELS_PER_COL;
        rect.bottom = rect.top + nHeight;
    }
    return static_cast<int>(nHeight);
}

BOOL CTermMeasurer::GetTextExtentPoint32(const std::string& strText, SIZE& size) {
    size.cx = static_cast<LONG>(strText.size()) * TERM_PIXELS_PER_COL;
    size.cy = TERM_PIXELS_PER_ROW;
    return TRUE;
}

CTermRect CellsOfPixels(const RECT& rect) {
    auto col = [](LONG x) { return static_cast<int>((x + TERM_PIXELS_PER_COL / 2) / TERM_PIXELS_PER_COL); };
    auto row = [](LONG y) { return static_cast<int>((y + TERM_PIXELS_PER_ROW / 2) / TERM_PIXELS_PER_ROW); };
    return CTermRect{row(rect.top), col(rect.left), std::max(1, row(rect.bottom) - row(rect.top)),
                     std::max(1, col(rect.right) - col(rect.left))};
}

CTermProgressWindow::CTermProgressWindow(CTermHost& host) : m_host(host) {
    m_host.AddProgress(this);
}

CTermProgressWindow::~CTermProgressWindow() {
    m_host.RemoveProgress(this);
}

BOOL CTermProgressWindow::Create(const std::string& strCaption, BOOL bSmooth,
                                 const std::string& strCancelLabel, IProgressWindowHandler* pHandler) {
    if (m_bExists) {
        return FALSE;
    }
    m_bExists = true;
    m_bVisible = false;
    m_bEnabled = true;
    m_bFocus = false;
    m_strCaption = strCaption;
    m_bSmooth = bSmooth != FALSE;
    m_strCancelLabel = strCancelLabel;
    m_pHandler = pHandler;
    m_rcWindow = RECT{0, 0, 390, 130};
    for (int nId : {IDC_PROGRESS_CANCEL, IDC_PROGRESS_TEXT, IDC_PROGRESS_BAR}) {
        m_children[nId] = RECT{0, 0, 10, 10};
    }
    return TRUE;
}

BOOL CTermProgressWindow::DestroyWindow() {
    if (!m_bExists) {
        return FALSE;
    }
    m_bExists = false;
    m_bVisible = false;
    m_bFocus = false;
    m_host.Paint();
    return TRUE;
}

void CTermProgressWindow::SetWindowText(const std::string& strCaption) {
    if (m_bExists) {
        m_strCaption = strCaption;
        RedrawWindow(RDW_INVALIDATE);
    }
}

void CTermProgressWindow::SetText(const std::string& strText) {
    if (m_bExists) {
        m_strText = strText;
        RedrawWindow(RDW_INVALIDATE);
    }
}

void CTermProgressWindow::SetBarRange32(int nLower, int nUpper) {
    m_nLower = nLower;
    m_nUpper = nUpper;
}

int CTermProgressWindow::SetBarStep(int nStep) {
    return std::exchange(m_nStep, nStep);
}

int CTermProgressWindow::SetBarPos(int nPos) {
    const int nOld =
        std::exchange(m_nPos, std::clamp(nPos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper)));
    RedrawWindow(RDW_INVALIDATE);
    return nOld;
}

void CTermProgressWindow::ModifyStyle(DWORD dwRemove, DWORD dwAdd) {
    if (dwRemove & WS_VISIBLE) {
        m_bVisible = false;
    }
    if (dwAdd & WS_VISIBLE) {
        m_bVisible = m_bExists;
    }
}

BOOL CTermProgressWindow::ShowWindow(int nCmdShow) {
    const bool bWasVisible = m_bVisible;
    if (m_bExists) {
        m_bVisible = nCmdShow != SW_HIDE;
        m_host.Paint();
    }
    return bWasVisible ? TRUE : FALSE;
}

void CTermProgressWindow::RedrawWindow(UINT /*nFlags*/) {
    if (IsWindowVisible()) {
        m_host.Paint();
    }
}

RECT CTermProgressWindow::GetClientRect() const {
    return RECT{0, 0, std::max<LONG>(0, (m_rcWindow.right - m_rcWindow.left) - 2 * FRAME_X),
                std::max<LONG>(0, (m_rcWindow.bottom - m_rcWindow.top) - FRAME_TOP - FRAME_BOTTOM)};
}

void CTermProgressWindow::SetWindowPos(int nX, int nY, int nWidth, int nHeight, UINT nFlags) {
    const LONG cx = (nFlags & SWP_NOSIZE) ? m_rcWindow.right - m_rcWindow.left : nWidth;
    const LONG cy = (nFlags & SWP_NOSIZE) ? m_rcWindow.bottom - m_rcWindow.top : nHeight;
    if (!(nFlags & SWP_NOMOVE)) {
        m_rcWindow.left = nX;
        m_rcWindow.top = nY;
    }
    m_rcWindow.right = m_rcWindow.left + cx;
    m_rcWindow.bottom = m_rcWindow.top + cy;
}

void CTermProgressWindow::CenterWindow() {
    // Over the sheet, kept on the screen.
    const CTermRect sheet = m_host.SheetRect();
    const LONG nOwnerLeft = sheet.nCol * TERM_PIXELS_PER_COL;
    const LONG nOwnerTop = sheet.nRow * TERM_PIXELS_PER_ROW;
    const LONG cx = m_rcWindow.right - m_rcWindow.left;
    const LONG cy = m_rcWindow.bottom - m_rcWindow.top;
    const LONG nX = nOwnerLeft + (sheet.nCols * TERM_PIXELS_PER_COL - cx) / 2;
    const LONG nY = nOwnerTop + (sheet.nRows * TERM_PIXELS_PER_ROW - cy) / 2;
    const LONG nScreenX = GetSystemMetrics(SM_CXSCREEN);
    const LONG nScreenY = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(std::clamp<LONG>(nX, 0, std::max<LONG>(0, nScreenX - cx)),
                 std::clamp<LONG>(nY, 0, std::max<LONG>(0, nScreenY - cy)), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

RECT CTermProgressWindow::ChildRect(int nId) const {
    auto it = m_children.find(nId);
    return it == m_children.end() ? RECT{0, 0, 0, 0} : it->second;
}

RECT CTermProgressWindow::GetChildWindowRect(int nId) const {
    const RECT rcChild = ChildRect(nId);
    const LONG nLeft = m_rcWindow.left + FRAME_X;
    const LONG nTop = m_rcWindow.top + FRAME_TOP;
    return RECT{nLeft + rcChild.left, nTop + rcChild.top, nLeft + rcChild.right, nTop + rcChild.bottom};
}

int CTermProgressWindow::GetSystemMetrics(int nIndex) const {
    switch (nIndex) {
        case SM_CXSCREEN:
            return m_host.Device().Cols() * TERM_PIXELS_PER_COL;
        case SM_CYSCREEN:
            return m_host.Device().Rows() * TERM_PIXELS_PER_ROW;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return EDGE;
        default:
            return 0;
    }
}

void CTermProgressWindow::SetFocus() {
    if (m_bExists && m_bEnabled) {
        m_bFocus = true;
    }
}

void CTermProgressWindow::EnableMainWindow(BOOL bEnable) {
    m_host.EnableWindow(bEnable != FALSE);
}

void CTermProgressWindow::SetForegroundMainWindow() {
    m_host.SetForegroundWindow();
}

BOOL CTermProgressWindow::PeekMessage(MSG& msg) {
    m_host.PollInput();
    if (m_host.MessageQueue().empty()) {
        return FALSE;
    }
    msg = m_host.MessageQueue().front();
    return TRUE;
}

BOOL CTermProgressWindow::PumpMessage() {
    std::deque<MSG>& queue = m_host.MessageQueue();
    if (queue.empty()) {
        return TRUE;
    }
    const MSG msg = queue.front();
    queue.pop_front();
    if (msg.message == WM_QUIT) {
        return FALSE;
    }
    // The Cancel button takes a click over it, and Enter or Space while it has the focus (it is the
    // popup's only control); a hidden, disabled or destroyed button takes nothing.
    if (!m_bExists || !m_bVisible || !m_bEnabled) {
        return TRUE;
    }
    if (msg.message == WM_LBUTTONUP && Contains(GetChildWindowRect(IDC_PROGRESS_CANCEL), msg.pt)) {
        ClickCancel();
    } else if (msg.message == WM_CHAR && (msg.wParam == '\r' || msg.wParam == ' ') && m_bFocus) {
        ClickCancel();
    }
    return TRUE;
}

void CTermProgressWindow::ClickCancel() {
    if (m_pHandler != nullptr) {
        m_pHandler->OnCommand(IDC_PROGRESS_CANCEL, BN_CLICKED);
    }
}

void CTermProgressWindow::PostQuitMessage(int nExitCode) {
    m_host.MessageQueue().push_back(MSG{WM_QUIT, static_cast<WPARAM>(nExitCode), 0, POINT{0, 0}});
}

void CTermProgressWindow::Draw(CTermCanvas& canvas) const {
    if (!IsWindowVisible()) {
        return;
    }
    CTermRect box = CellsOfPixels(m_rcWindow);
    // Kept on the canvas however the terminal was resized since the window was placed.
    box.nRow = std::clamp(box.nRow, 0, std::max(0, canvas.Rows() - box.nRows));
    box.nCol = std::clamp(box.nCol, 0, std::max(0, canvas.Cols() - box.nCols));
    const int nShiftRows = box.nRow - CellsOfPixels(m_rcWindow).nRow;
    const int nShiftCols = box.nCol - CellsOfPixels(m_rcWindow).nCol;
    auto child = [&](int nId) {
        CTermRect rect = CellsOfPixels(GetChildWindowRect(nId));
        rect.nRow += nShiftRows;
        rect.nCol += nShiftCols;
        return rect;
    };

    canvas.Fill(box.nRow, box.nCol, box.nRows, box.nCols, ETermStyle::Face);
    canvas.Frame(box.nRow, box.nCol, box.nRows, box.nCols, ETermStyle::Face);
    canvas.Fill(box.nRow, box.nCol, 1, box.nCols, ETermStyle::Caption);
    canvas.PutText(box.nRow, box.nCol + 1, " " + m_strCaption, ETermStyle::Caption, box.nCols - 2);

    const CTermRect text = child(IDC_PROGRESS_TEXT);
    const std::vector<std::string> astrLines = SplitLines(m_strText);
    for (int i = 0; i < text.nRows && i < static_cast<int>(astrLines.size()); ++i) {
        canvas.PutText(text.nRow + i, text.nCol, astrLines[i], ETermStyle::Face, text.nCols);
    }

    // The bar and the button on the row of their middles.
    const CTermRect bar = child(IDC_PROGRESS_BAR);
    const int nBarRow = bar.nRow + (bar.nRows - 1) / 2;
    const int nSpan = m_nUpper - m_nLower;
    const int nFilled =
        nSpan > 0 ? static_cast<int>(static_cast<long long>(m_nPos - m_nLower) * bar.nCols / nSpan) : 0;
    for (int c = 0; c < bar.nCols; ++c) {
        canvas.Put(nBarRow, bar.nCol + c, c < nFilled ? TERM_FULL_BLOCK : TERM_LIGHT_SHADE, ETermStyle::Face);
    }
    const CTermRect button = child(IDC_PROGRESS_CANCEL);
    const std::string strLabel = "[" + m_strCancelLabel + "]";
    const int nIndent = std::max(0, (button.nCols - static_cast<int>(strLabel.size())) / 2);
    canvas.PutText(button.nRow + (button.nRows - 1) / 2, button.nCol + nIndent, strLabel,
                   m_bFocus ? ETermStyle::ButtonFocus : ETermStyle::Button, button.nCols);
}
