#include "ui/term/term_progress.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/term/term_controls.h"
#include "ui/term/term_host.h"
#include "ui/term/term_text.h"

namespace {
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

CTermProgressWindow::CTermProgressWindow(CTermHost& host) : CModelProgressWindow(host), m_termHost(host) {
    SetListener([this](const CModelProgressWindow& /*window*/) { RedrawWindow(RDW_INVALIDATE); });
}

BOOL CTermProgressWindow::DestroyWindow() {
    const BOOL bDestroyed = CModelProgressWindow::DestroyWindow();
    m_termHost.Paint();
    return bDestroyed;
}

int CTermProgressWindow::SetBarPos(int nPos) {
    const int nOld = CModelProgressWindow::SetBarPos(nPos);
    RedrawWindow(RDW_INVALIDATE);
    return nOld;
}

BOOL CTermProgressWindow::ShowWindow(int nCmdShow) {
    const BOOL bWasVisible = CModelProgressWindow::ShowWindow(nCmdShow);
    m_termHost.Paint();
    return bWasVisible;
}

void CTermProgressWindow::RedrawWindow(UINT nFlags) {
    CModelProgressWindow::RedrawWindow(nFlags);
    if (IsWindowVisible()) {
        m_termHost.Paint();
    }
}

RECT CTermProgressWindow::GetClientRect() const {
    const RECT rcWindow = GetWindowRect();
    return RECT{0, 0, std::max<LONG>(0, (rcWindow.right - rcWindow.left) - 2 * FRAME_X),
                std::max<LONG>(0, (rcWindow.bottom - rcWindow.top) - FRAME_TOP - FRAME_BOTTOM)};
}

void CTermProgressWindow::CenterWindow() {
    // Over the sheet, kept on the screen.
    const CTermRect sheet = m_termHost.SheetRect();
    const RECT rcWindow = GetWindowRect();
    const LONG cx = rcWindow.right - rcWindow.left;
    const LONG cy = rcWindow.bottom - rcWindow.top;
    const LONG nX = sheet.nCol * TERM_PIXELS_PER_COL + (sheet.nCols * TERM_PIXELS_PER_COL - cx) / 2;
    const LONG nY = sheet.nRow * TERM_PIXELS_PER_ROW + (sheet.nRows * TERM_PIXELS_PER_ROW - cy) / 2;
    SetWindowPos(std::clamp<LONG>(nX, 0, std::max<LONG>(0, GetSystemMetrics(SM_CXSCREEN) - cx)),
                 std::clamp<LONG>(nY, 0, std::max<LONG>(0, GetSystemMetrics(SM_CYSCREEN) - cy)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

RECT CTermProgressWindow::GetChildWindowRect(int nId) const {
    const RECT rcChild = ChildRect(nId);
    const LONG nLeft = GetWindowRect().left + FRAME_X;
    const LONG nTop = GetWindowRect().top + FRAME_TOP;
    return RECT{nLeft + rcChild.left, nTop + rcChild.top, nLeft + rcChild.right, nTop + rcChild.bottom};
}

int CTermProgressWindow::GetSystemMetrics(int nIndex) const {
    switch (nIndex) {
        case SM_CXSCREEN:
            return m_termHost.Device().Cols() * TERM_PIXELS_PER_COL;
        case SM_CYSCREEN:
            return m_termHost.Device().Rows() * TERM_PIXELS_PER_ROW;
        default:
            return CModelProgressWindow::GetSystemMetrics(nIndex);
    }
}

BOOL CTermProgressWindow::PeekMessage(MSG& msg) {
    m_termHost.PollInput();
    return CModelProgressWindow::PeekMessage(msg);
}

void CTermProgressWindow::Draw(CTermCanvas& canvas) const {
    if (!IsWindowVisible()) {
        return;
    }
    const RECT rcWindow = GetWindowRect();
    CTermRect box = CellsOfPixels(rcWindow);
    // Kept on the canvas however the terminal was resized since the window was placed.
    box.nRow = std::clamp(box.nRow, 0, std::max(0, canvas.Rows() - box.nRows));
    box.nCol = std::clamp(box.nCol, 0, std::max(0, canvas.Cols() - box.nCols));
    const int nShiftRows = box.nRow - CellsOfPixels(rcWindow).nRow;
    const int nShiftCols = box.nCol - CellsOfPixels(rcWindow).nCol;
    auto child = [&](int nId) {
        CTermRect rect = CellsOfPixels(GetChildWindowRect(nId));
        rect.nRow += nShiftRows;
        rect.nCol += nShiftCols;
        return rect;
    };

    canvas.Fill(box.nRow, box.nCol, box.nRows, box.nCols, ETermStyle::Face);
    canvas.Frame(box.nRow, box.nCol, box.nRows, box.nCols, ETermStyle::Face);
    canvas.Fill(box.nRow, box.nCol, 1, box.nCols, ETermStyle::Caption);
    canvas.PutText(box.nRow, box.nCol + 1, " " + Caption(), ETermStyle::Caption, box.nCols - 2);

    const CTermRect text = child(IDC_PROGRESS_TEXT);
    const std::vector<std::string> astrLines = SplitLines(Text());
    // A line longer than the text area (a long adapter name) ends in an ellipsis where it is cut.
    for (int i = 0; i < text.nRows && i < static_cast<int>(astrLines.size()); ++i) {
        canvas.PutText(text.nRow + i, text.nCol, FitText(astrLines[i], text.nCols), ETermStyle::Face,
                       text.nCols);
    }

    // The bar and the button on the row of their middles.
    const CTermRect bar = child(IDC_PROGRESS_BAR);
    const int nBarRow = bar.nRow + (bar.nRows - 1) / 2;
    const int nSpan = BarUpper() - BarLower();
    const int nFilled =
        nSpan > 0 ? static_cast<int>(static_cast<long long>(BarPos() - BarLower()) * bar.nCols / nSpan) : 0;
    for (int c = 0; c < bar.nCols; ++c) {
        canvas.Put(nBarRow, bar.nCol + c, c < nFilled ? TERM_FULL_BLOCK : TERM_LIGHT_SHADE, ETermStyle::Face);
    }
    const CTermRect button = child(IDC_PROGRESS_CANCEL);
    const std::string strLabel = "[" + CancelLabel() + "]";
    const int nIndent = std::max(0, (button.nCols - static_cast<int>(strLabel.size())) / 2);
    canvas.PutText(button.nRow + (button.nRows - 1) / 2, button.nCol + nIndent, strLabel,
                   HasFocus() ? ETermStyle::ButtonFocus : ETermStyle::Button, button.nCols);
}
