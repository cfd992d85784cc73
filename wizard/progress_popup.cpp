#include "wizard/progress_popup.h"

#include <cstdarg>
#include <cstdio>

#include "platform/os.h"
#include "wizard/main_window.h"

namespace {
// The window before the layout sizes it, and the width of the text area the layout makes.
constexpr int INITIAL_TEXT_WIDTH = 390;
// A push button's usual size when the button text cannot be measured.
constexpr LONG FALLBACK_BUTTON_WIDTH = 75;
constexpr LONG FALLBACK_BUTTON_HEIGHT = 23;
// SetMessage's buffer: at most 511 characters and the terminating zero.
constexpr size_t MESSAGE_BUFFER_SIZE = 512;
}  // namespace

CProgressPopup::CProgressPopup() = default;

CProgressPopup::~CProgressPopup() {
    // The class's own override, even when a derived class is being destroyed.
    CProgressPopup::DestroyWindow();
}

BOOL CProgressPopup::Create(ISheetWindow* pParent, const std::string& strCaption, BOOL bSmooth) {
    ISheetWindow* pOwner = pParent != nullptr ? pParent : AfxGetMainWnd();
    if (pOwner == nullptr || HasWindow()) {
        return FALSE;
    }
    m_pWnd = pOwner->CreateProgressWindow();
    if (m_pWnd == nullptr || !m_pWnd->Create(strCaption, bSmooth, m_strCancelLabel, this)) {
        m_pWnd.reset();
        return FALSE;
    }
    LayoutControls(m_nTextLines, INITIAL_TEXT_WIDTH);
    if (m_bPersistentPosition) {
        RestorePosition();
    } else {
        m_pWnd->CenterWindow();
    }
    ShowPopup();
    return TRUE;
}

BOOL CProgressPopup::BeginModal(const std::string& strCaption, BOOL bSmooth) {
    if (!HasWindow() && !Create(AfxGetMainWnd(), strCaption, bSmooth)) {
        return FALSE;
    }
    m_pWnd->EnableMainWindow(FALSE);
    m_pWnd->EnableWindow(TRUE);
    m_bModal = TRUE;
    return TRUE;
}

int CProgressPopup::SetProgressRange(int nLower, int nUpper, int nStep) {
    if (!HasWindow()) {
        return 0;
    }
    m_pWnd->SetBarRange32(nLower, nUpper);
    m_nUpper = nUpper;
    m_nLower = nLower;
    m_nStep = nStep;
    return m_pWnd->SetBarStep(nStep);
}

int CProgressPopup::SetProgressPos(int nPos) {
    if (!HasWindow()) {
        return m_nPos;
    }
    ShowPopup();
    m_nPos = nPos;
    // Measured from the lower bound, so that a range that does not start at 0 still reads 0..100 %.
    int nPercent = 0;
    if (m_nUpper > m_nLower) {
        const long long llSpan = static_cast<long long>(m_nUpper) - m_nLower;
        nPercent = static_cast<int>((static_cast<long long>(nPos) - m_nLower) * 100 / llSpan);
    }
    if (nPercent != m_nLastPercent) {
        m_nLastPercent = nPercent;
        m_pWnd->SetWindowText(m_strCaptionPrefix + " [" + std::to_string(nPercent) + "%]");
    }
    return m_pWnd->SetBarPos(nPos);
}

int CProgressPopup::StepProgress() {
    if (!HasWindow()) {
        return m_nPos;
    }
    ShowPopup();
    return SetProgressPos(m_nPos + m_nStep);
}

void CProgressPopup::SetMessage(const char* pszFormat, ...) {
    if (!HasWindow()) {
        return;
    }
    char szText[MESSAGE_BUFFER_SIZE];
    va_list args;
    va_start(args, pszFormat);
    // vsnprintf cuts longer text and always terminates it.
    const int nLength = std::vsnprintf(szText, sizeof(szText), pszFormat, args);
    va_end(args);
    m_pWnd->SetText(nLength < 0 ? std::string() : std::string(szText));
}

void CProgressPopup::PumpMessages(BOOL bCancelOnEscape) {
    if (m_pWnd == nullptr) {
        return;
    }
    if (m_bModal && HasWindow() && !m_pWnd->HasFocus()) {
        m_pWnd->SetFocus();
    }
    while (!m_bCancelRequested) {
        MSG msg{};
        if (!m_pWnd->PeekMessage(msg)) {
            return;
        }
        if (bCancelOnEscape && msg.message == WM_CHAR && msg.wParam == VK_ESCAPE) {
            OnCancelButton();
        }
        // The button reports its click only once it has the message; a modal operation looks at the
        // release itself so that the click counts even before that.
        if (m_bModal && msg.message == WM_LBUTTONUP && HasWindow()) {
            const RECT rcButton = m_pWnd->GetChildWindowRect(IDC_PROGRESS_CANCEL);
            if (msg.pt.x >= rcButton.left && msg.pt.x < rcButton.right && msg.pt.y >= rcButton.top &&
                msg.pt.y < rcButton.bottom) {
                OnCancelButton();
            }
        }
        if (!m_pWnd->PumpMessage()) {
            // The application's own loop must still see the request to end.
            m_pWnd->PostQuitMessage(0);
            return;
        }
    }
}

void CProgressPopup::ShowPopup() {
    if (HasWindow() && !m_pWnd->IsWindowVisible()) {
        m_pWnd->ModifyStyle(0, WS_VISIBLE);
        m_pWnd->ShowWindow(SW_SHOWNA);
        m_pWnd->RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

void CProgressPopup::HidePopup() {
    if (HasWindow() && m_pWnd->IsWindowVisible()) {
        m_pWnd->ShowWindow(SW_HIDE);
        m_pWnd->ModifyStyle(WS_VISIBLE, 0);
    }
}

void CProgressPopup::OnCancelButton() {
    m_bCancelRequested = TRUE;
    HidePopup();
    if (m_bModal && HasWindow()) {
        m_pWnd->SendClose();
    }
    if (AfxGetMainWnd() != nullptr && m_pWnd != nullptr) {
        m_pWnd->SetForegroundMainWindow();
    }
}

void CProgressPopup::OnCommand(int nId, UINT nNotifyCode) {
    if (nId == IDC_PROGRESS_CANCEL && nNotifyCode == BN_CLICKED) {
        OnCancelButton();
    }
}

BOOL CProgressPopup::DestroyWindow() {
    if (m_bPersistentPosition) {
        SavePosition();
    }
    if (m_bModal) {
        m_bModal = FALSE;
        if (m_pWnd != nullptr) {
            m_pWnd->EnableMainWindow(TRUE);
        }
    }
    return HasWindow() ? m_pWnd->DestroyWindow() : FALSE;
}

void CProgressPopup::LayoutControls(int nLines, int nWidth) {
    const LONG cyEdge = m_pWnd->GetSystemMetrics(SM_CYEDGE);
    const LONG cxEdge = m_pWnd->GetSystemMetrics(SM_CXEDGE);
    RECT rcText{10, 10, nWidth - 20, 120};
    LONG cxButton = FALLBACK_BUTTON_WIDTH;
    LONG cyButton = FALLBACK_BUTTON_HEIGHT;
    if (ITextMeasurer* pDC = m_pWnd->GetDC()) {
        std::string strLines = "M";
        for (int i = 1; i < nLines; ++i) {
            strLines += "\nM";
        }
        pDC->DrawText(strLines, rcText, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
        SIZE sizeLabel{0, 0};
        pDC->GetTextExtentPoint32(m_strCancelLabel + "  ", sizeLabel);
        cxButton = sizeLabel.cx + 4 * cxEdge;
        cyButton = sizeLabel.cy + 3 * cyEdge;
        m_pWnd->ReleaseDC(pDC);
    }
    // Also without a device context, so that the text area keeps the width asked for.
    rcText.right = rcText.left + nWidth;

    const RECT rcButton{rcText.right - cxButton, rcText.bottom + 10, rcText.right,
                        rcText.bottom + 10 + cyButton};
    const RECT rcBar{rcText.left, rcButton.top + cyEdge, rcButton.left - 10, rcButton.bottom - cyEdge};

    const LONG cxClient = rcText.right - rcText.left + 20;
    const LONG cyClient = (rcText.bottom - rcText.top) + (rcButton.bottom - rcButton.top) + 30;
    const RECT rcWindow = m_pWnd->GetWindowRect();
    const RECT rcClient = m_pWnd->GetClientRect();
    m_pWnd->SetWindowPos(0, 0,
                         (rcWindow.right - rcWindow.left) + (cxClient - (rcClient.right - rcClient.left)),
                         (rcWindow.bottom - rcWindow.top) + (cyClient - (rcClient.bottom - rcClient.top)),
                         SWP_NOMOVE | SWP_NOZORDER);

    m_pWnd->MoveChild(IDC_PROGRESS_BAR, rcBar);
    m_pWnd->MoveChild(IDC_PROGRESS_CANCEL, rcButton);
    m_pWnd->MoveChild(IDC_PROGRESS_TEXT, rcText);
}

void CProgressPopup::RestorePosition() {
    IProfile& profile = Os().Profile();
    const int nX = static_cast<int>(profile.GetProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_X, -1));
    const int nY = static_cast<int>(profile.GetProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_Y, -1));
    if (nX < 0 || nX >= m_pWnd->GetSystemMetrics(SM_CXSCREEN) || nY < 0 ||
        nY >= m_pWnd->GetSystemMetrics(SM_CYSCREEN)) {
        m_pWnd->CenterWindow();
    } else {
        m_pWnd->SetWindowPos(nX, nY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

void CProgressPopup::SavePosition() {
    if (!HasWindow()) {
        return;
    }
    const RECT rcWindow = m_pWnd->GetWindowRect();
    IProfile& profile = Os().Profile();
    profile.WriteProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_X, rcWindow.left);
    profile.WriteProfileInt(PROGRESS_PROFILE_SECTION, PROGRESS_PROFILE_Y, rcWindow.top);
}
