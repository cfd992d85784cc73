#include "ui/win32/win32_progress_window.h"

#include <string>

#include "ui/win32/win32_progress_wnd.h"

namespace {

// Progress bar messages.
constexpr UINT PBM_SETPOS = 0x0402;
constexpr UINT PBM_SETSTEP = 0x0404;
constexpr UINT PBM_SETRANGE32 = 0x0406;

RECT ToRect(const win32::CBox& box) {
    return RECT{box.left, box.top, box.right, box.bottom};
}

win32::CBox ToBox(const RECT& rect) {
    return win32::CBox{rect.left, rect.top, rect.right, rect.bottom};
}

// A device context of the popup with its message font selected, lent out between GetDC and ReleaseDC.
class CWin32TextMeasurer : public ITextMeasurer {
public:
    bool Open(win32::Hwnd hWnd, win32::Hfont hFont) {
        m_hWnd = hWnd;
        m_hDC = win32::GetDcWithFont(hWnd, hFont, &m_hOldFont);
        return m_hDC != nullptr;
    }
    void Close() {
        if (m_hDC != nullptr) {
            win32::ReleaseDcWithFont(m_hWnd, m_hDC, m_hOldFont);
        }
        m_hDC = nullptr;
        m_hOldFont = nullptr;
    }

    int DrawText(const std::string& strText, RECT& rect, UINT nFormat) override {
        win32::CBox box = ToBox(rect);
        const int nHeight = win32::DrawTextCalc(m_hDC, strText, box, nFormat);
        rect = ToRect(box);
        return nHeight;
    }
    BOOL GetTextExtentPoint32(const std::string& strText, SIZE& size) override {
        long cx = 0;
        long cy = 0;
        if (!win32::TextExtent(m_hDC, strText, &cx, &cy)) {
            return FALSE;
        }
        size = SIZE{cx, cy};
        return TRUE;
    }

private:
    win32::Hwnd m_hWnd = nullptr;
    win32::Hdc m_hDC = nullptr;
    void* m_hOldFont = nullptr;
};

class CWin32ProgressWindow : public IProgressWindow, private win32::IPopupEvents {
public:
    explicit CWin32ProgressWindow(win32::Hwnd hOwner) : m_hOwner(hOwner) {}
    ~CWin32ProgressWindow() override {
        CWin32ProgressWindow::DestroyWindow();
        // The font outlives the controls that use it.
        win32::DeleteFont(m_hFont);
    }
    CWin32ProgressWindow(const CWin32ProgressWindow&) = delete;
    CWin32ProgressWindow& operator=(const CWin32ProgressWindow&) = delete;

    BOOL Create(const std::string& strCaption, BOOL bSmooth, const std::string& strCancelLabel,
                IProgressWindowHandler* pHandler) override {
        if (m_hWnd != nullptr) {
            return FALSE;
        }
        m_pHandler = pHandler;
        if (m_hFont == nullptr) {
            m_hFont = win32::CreateMessageFont();
        }
        m_hWnd = win32::CreatePopup(m_hOwner, strCaption, bSmooth != FALSE, strCancelLabel, m_hFont, this);
        return m_hWnd != nullptr ? TRUE : FALSE;
    }
    BOOL IsWindow() const override { return m_hWnd != nullptr ? TRUE : FALSE; }
    BOOL DestroyWindow() override {
        // WM_NCDESTROY clears m_hWnd (OnDestroyed).
        return m_hWnd != nullptr && win32::DestroyWindow(m_hWnd) ? TRUE : FALSE;
    }
    void SendClose() override {
        if (m_hWnd != nullptr) {
            win32::Send(m_hWnd, WM_CLOSE, 0, 0);
        }
    }

    void SetWindowText(const std::string& strCaption) override { win32::SetText(m_hWnd, strCaption); }
    // A static control starts a new line at "\n" itself.
    void SetText(const std::string& strText) override {
        win32::SetText(win32::Child(m_hWnd, IDC_PROGRESS_TEXT), strText);
    }
    void SetBarRange32(int nLower, int nUpper) override {
        SendBar(PBM_SETRANGE32, static_cast<win32::Wparam>(nLower), static_cast<win32::Lparam>(nUpper));
    }
    int SetBarStep(int nStep) override {
        return static_cast<int>(SendBar(PBM_SETSTEP, static_cast<win32::Wparam>(nStep), 0));
    }
    int SetBarPos(int nPos) override {
        return static_cast<int>(SendBar(PBM_SETPOS, static_cast<win32::Wparam>(nPos), 0));
    }

    void ModifyStyle(DWORD dwRemove, DWORD dwAdd) override { win32::ModifyStyle(m_hWnd, dwRemove, dwAdd); }
    BOOL ShowWindow(int nCmdShow) override { return win32::ShowWindow(m_hWnd, nCmdShow) ? TRUE : FALSE; }
    BOOL IsWindowVisible() const override {
        return m_hWnd != nullptr && win32::IsVisible(m_hWnd) ? TRUE : FALSE;
    }
    void RedrawWindow(UINT nFlags) override { win32::RedrawWindow(m_hWnd, nFlags); }

    RECT GetWindowRect() const override { return ToRect(win32::WindowBox(m_hWnd)); }
    RECT GetClientRect() const override { return ToRect(win32::ClientBox(m_hWnd)); }
    void SetWindowPos(int nX, int nY, int nWidth, int nHeight, UINT nFlags) override {
        win32::SetWindowPos(m_hWnd, nX, nY, nWidth, nHeight, nFlags);
    }
    void CenterWindow() override { win32::CenterWindow(m_hWnd); }
    void MoveChild(int nId, const RECT& rect) override { win32::MoveChild(m_hWnd, nId, ToBox(rect)); }
    RECT GetChildWindowRect(int nId) const override {
        return ToRect(win32::WindowBox(win32::Child(m_hWnd, nId)));
    }
    int GetSystemMetrics(int nIndex) const override { return win32::SystemMetric(nIndex); }
    ITextMeasurer* GetDC() override {
        if (m_hWnd == nullptr || m_bDcLent || !m_measurer.Open(m_hWnd, m_hFont)) {
            return nullptr;
        }
        m_bDcLent = true;
        return &m_measurer;
    }
    void ReleaseDC(ITextMeasurer* pDC) override {
        if (pDC == &m_measurer && m_bDcLent) {
            m_measurer.Close();
            m_bDcLent = false;
        }
    }

    void EnableWindow(BOOL bEnable) override { win32::EnableWindow(m_hWnd, bEnable != FALSE); }
    BOOL HasFocus() const override { return m_hWnd != nullptr && win32::HasFocus(m_hWnd) ? TRUE : FALSE; }
    void SetFocus() override { win32::SetFocus(m_hWnd); }
    void EnableMainWindow(BOOL bEnable) override {
        if (win32::IsWindow(m_hOwner)) {
            win32::EnableWindow(m_hOwner, bEnable != FALSE);
        }
    }
    void SetForegroundMainWindow() override {
        if (win32::IsWindow(m_hOwner)) {
            win32::SetForegroundWindow(m_hOwner);
        }
    }

    BOOL PeekMessage(MSG& msg) override {
        win32::CQueued queued;
        if (!win32::PeekNoRemove(queued)) {
            return FALSE;
        }
        msg = MSG{queued.nMessage, queued.wParam, queued.lParam, POINT{queued.x, queued.y}};
        return TRUE;
    }
    BOOL PumpMessage() override { return win32::PumpOne() ? TRUE : FALSE; }
    void PostQuitMessage(int nExitCode) override { win32::PostQuit(nExitCode); }

private:
    // win32::IPopupEvents
    void OnCommand(int nId, unsigned nNotifyCode) override {
        if (m_pHandler != nullptr) {
            m_pHandler->OnCommand(nId, nNotifyCode);
        }
    }
    void OnDestroyed() override {
        ReleaseDC(&m_measurer);
        m_hWnd = nullptr;
    }

    win32::Lresult SendBar(UINT nMessage, win32::Wparam wParam, win32::Lparam lParam) {
        return m_hWnd != nullptr
                   ? win32::Send(win32::Child(m_hWnd, IDC_PROGRESS_BAR), nMessage, wParam, lParam)
                   : 0;
    }

    win32::Hwnd m_hOwner;
    win32::Hwnd m_hWnd = nullptr;
    win32::Hfont m_hFont = nullptr;
    IProgressWindowHandler* m_pHandler = nullptr;
    CWin32TextMeasurer m_measurer;
    bool m_bDcLent = false;
};

}  // namespace

std::unique_ptr<IProgressWindow> CreateWin32ProgressWindow(win32::Hwnd hOwner) {
    return std::make_unique<CWin32ProgressWindow>(hOwner);
}
