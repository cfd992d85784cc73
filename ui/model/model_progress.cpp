#include "ui/model/model_progress.h"

#include <algorithm>
#include <utility>

#include "ui/model/model_host.h"

namespace {
bool Contains(const RECT& rect, POINT pt) {
    return pt.x >= rect.left && pt.x < rect.right && pt.y >= rect.top && pt.y < rect.bottom;
}
}  // namespace

int CFixedPitchMeasurer::DrawText(const std::string& strText, RECT& rect, UINT nFormat) {
    LONG nLines = 1;
    LONG nWidest = 0;
    LONG nLine = 0;
    for (char ch : strText) {
        if (ch == '\n') {
            ++nLines;
            nLine = 0;
        } else {
            nWidest = std::max(nWidest, ++nLine);
        }
    }
    const LONG nHeight = nLines * PIXELS_PER_LINE;
    if (nFormat & DT_CALCRECT) {
        rect.right = rect.left + nWidest * PIXELS_PER_CHAR;
        rect.bottom = rect.top + nHeight;
    }
    return static_cast<int>(nHeight);
}

BOOL CFixedPitchMeasurer::GetTextExtentPoint32(const std::string& strText, SIZE& size) {
    size.cx = static_cast<LONG>(strText.size()) * PIXELS_PER_CHAR;
    size.cy = PIXELS_PER_LINE;
    return TRUE;
}

CModelProgressWindow::CModelProgressWindow(CModelHost& host) : m_host(host) {
    m_host.AddProgressWindow(this);
}

CModelProgressWindow::~CModelProgressWindow() {
    m_host.RemoveProgressWindow(this);
}

BOOL CModelProgressWindow::Create(const std::string& strCaption, BOOL bSmooth,
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
    Changed();
    return TRUE;
}

BOOL CModelProgressWindow::DestroyWindow() {
    if (!m_bExists) {
        return FALSE;
    }
    m_bExists = false;
    m_bVisible = false;
    m_bFocus = false;
    return TRUE;
}

void CModelProgressWindow::SendClose() {
    DestroyWindow();
}

void CModelProgressWindow::SetWindowText(const std::string& strCaption) {
    if (m_bExists) {
        m_strCaption = strCaption;
        Changed();
    }
}

void CModelProgressWindow::SetText(const std::string& strText) {
    if (m_bExists) {
        m_strText = strText;
        Changed();
    }
}

void CModelProgressWindow::SetBarRange32(int nLower, int nUpper) {
    m_nLower = nLower;
    m_nUpper = nUpper;
}

int CModelProgressWindow::SetBarStep(int nStep) {
    return std::exchange(m_nStep, nStep);
}

int CModelProgressWindow::SetBarPos(int nPos) {
    // The bar keeps its position inside its range.
    return std::exchange(m_nPos,
                         std::clamp(nPos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper)));
}

void CModelProgressWindow::ModifyStyle(DWORD dwRemove, DWORD dwAdd) {
    if (dwRemove & WS_VISIBLE) {
        m_bVisible = false;
    }
    if (dwAdd & WS_VISIBLE) {
        m_bVisible = true;
    }
}

BOOL CModelProgressWindow::ShowWindow(int nCmdShow) {
    const bool bWasVisible = m_bVisible;
    if (m_bExists) {
        m_bVisible = nCmdShow != SW_HIDE;
    }
    return bWasVisible ? TRUE : FALSE;
}

RECT CModelProgressWindow::GetClientRect() const {
    return RECT{0, 0, (m_rcWindow.right - m_rcWindow.left) - 2 * FRAME,
                (m_rcWindow.bottom - m_rcWindow.top) - 2 * FRAME - CAPTION};
}

void CModelProgressWindow::SetWindowPos(int nX, int nY, int nWidth, int nHeight, UINT nFlags) {
    const LONG cx = (nFlags & SWP_NOSIZE) ? m_rcWindow.right - m_rcWindow.left : nWidth;
    const LONG cy = (nFlags & SWP_NOSIZE) ? m_rcWindow.bottom - m_rcWindow.top : nHeight;
    if (!(nFlags & SWP_NOMOVE)) {
        m_rcWindow.left = nX;
        m_rcWindow.top = nY;
    }
    m_rcWindow.right = m_rcWindow.left + cx;
    m_rcWindow.bottom = m_rcWindow.top + cy;
}

void CModelProgressWindow::CenterWindow() {
    // Over the owner, kept on the screen.
    const RECT rcOwner = m_host.WindowRect();
    const LONG cx = m_rcWindow.right - m_rcWindow.left;
    const LONG cy = m_rcWindow.bottom - m_rcWindow.top;
    const LONG nX = rcOwner.left + ((rcOwner.right - rcOwner.left) - cx) / 2;
    const LONG nY = rcOwner.top + ((rcOwner.bottom - rcOwner.top) - cy) / 2;
    SetWindowPos(std::clamp<LONG>(nX, 0, std::max<LONG>(0, SCREEN_WIDTH - cx)),
                 std::clamp<LONG>(nY, 0, std::max<LONG>(0, SCREEN_HEIGHT - cy)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

RECT CModelProgressWindow::ChildRect(int nId) const {
    auto it = m_children.find(nId);
    return it == m_children.end() ? RECT{0, 0, 0, 0} : it->second;
}

RECT CModelProgressWindow::GetChildWindowRect(int nId) const {
    const RECT rcChild = ChildRect(nId);
    const LONG nLeft = m_rcWindow.left + FRAME;
    const LONG nTop = m_rcWindow.top + FRAME + CAPTION;
    return RECT{nLeft + rcChild.left, nTop + rcChild.top, nLeft + rcChild.right, nTop + rcChild.bottom};
}

int CModelProgressWindow::GetSystemMetrics(int nIndex) const {
    switch (nIndex) {
        case SM_CXSCREEN:
            return SCREEN_WIDTH;
        case SM_CYSCREEN:
            return SCREEN_HEIGHT;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return EDGE;
        default:
            return 0;
    }
}

ITextMeasurer* CModelProgressWindow::GetDC() {
    return m_bExists ? &m_measurer : nullptr;
}

void CModelProgressWindow::SetFocus() {
    if (m_bExists && m_bEnabled) {
        m_bFocus = true;
    }
}

void CModelProgressWindow::EnableMainWindow(BOOL bEnable) {
    m_host.EnableWindow(bEnable != FALSE);
}

void CModelProgressWindow::SetForegroundMainWindow() {
    m_host.SetForegroundWindow();
}

BOOL CModelProgressWindow::PeekMessage(MSG& msg) {
    if (m_host.MessageQueue().empty()) {
        return FALSE;
    }
    msg = m_host.MessageQueue().front();
    return TRUE;
}

BOOL CModelProgressWindow::PumpMessage() {
    std::deque<MSG>& queue = m_host.MessageQueue();
    if (queue.empty()) {
        return TRUE;
    }
    const MSG msg = queue.front();
    queue.pop_front();
    if (msg.message == WM_QUIT) {
        return FALSE;
    }
    // A hidden, disabled or destroyed button takes no clicks; the popup does nothing with characters.
    if (msg.message == WM_LBUTTONUP && m_bExists && m_bVisible && m_bEnabled &&
        Contains(GetChildWindowRect(IDC_PROGRESS_CANCEL), msg.pt)) {
        CancelClicked();
    }
    return TRUE;
}

void CModelProgressWindow::CancelClicked() {
    if (m_pHandler != nullptr) {
        m_pHandler->OnCommand(IDC_PROGRESS_CANCEL, BN_CLICKED);
    }
}

void CModelProgressWindow::PostQuitMessage(int nExitCode) {
    m_host.MessageQueue().push_back(MSG{WM_QUIT, static_cast<WPARAM>(nExitCode), 0, POINT{0, 0}});
}

void CModelProgressWindow::TypeEscape() {
    m_host.MessageQueue().push_back(MSG{WM_CHAR, VK_ESCAPE, 0, POINT{0, 0}});
}

void CModelProgressWindow::ReleaseMouseAt(POINT pt) {
    m_host.MessageQueue().push_back(MSG{WM_LBUTTONUP, 0, 0, pt});
}

void CModelProgressWindow::ClickCancel() {
    const RECT rcButton = GetChildWindowRect(IDC_PROGRESS_CANCEL);
    ReleaseMouseAt(POINT{(rcButton.left + rcButton.right) / 2, (rcButton.top + rcButton.bottom) / 2});
}

void CModelProgressWindow::Changed() {
    if (m_fnListener) {
        m_fnListener(*this);
    }
}
