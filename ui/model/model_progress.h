// Classes: CFixedPitchMeasurer, CModelProgressWindow.
// The progress popup without a platform window: an in-memory window that holds what the popup shows
// (caption, text, bar, visibility, focus, position and size) and takes the user's input (Esc typed, a
// mouse button released at a point, a click on Cancel, WM_QUIT) over its host's message queue. The
// line host prints it, the terminal draws it in its own pixels, and tests read and drive it.
//
// Fixed metrics, so that layouts can be checked to the pixel:
//   - text: 7 pixels per character (any character) and 13 pixels per line;
//   - SM_CXEDGE = SM_CYEDGE = 2; the screen is 1024 x 768;
//   - the frame around the client area: 6 pixels on each side and a 25-pixel caption above.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "ui/progress_window.h"
#include "ui/text_measurer.h"

class CModelHost;

// A fixed-pitch font: every character is 7 x 13 pixels.
class CFixedPitchMeasurer : public ITextMeasurer {
public:
    static constexpr LONG PIXELS_PER_CHAR = 7;
    static constexpr LONG PIXELS_PER_LINE = 13;
    int DrawText(const std::string& strText, RECT& rect, UINT nFormat) override;
    BOOL GetTextExtentPoint32(const std::string& strText, SIZE& size) override;
};

class CModelProgressWindow : public IProgressWindow {
public:
    static constexpr int SCREEN_WIDTH = 1024;
    static constexpr int SCREEN_HEIGHT = 768;
    static constexpr LONG FRAME = 6;
    static constexpr LONG CAPTION = 25;
    static constexpr LONG EDGE = 2;

    // Registers with the host, which lends its queue, its main-window state and its rectangle as the
    // owner's; the host must outlive the window.
    explicit CModelProgressWindow(CModelHost& host);
    ~CModelProgressWindow() override;
    CModelProgressWindow(const CModelProgressWindow&) = delete;
    CModelProgressWindow& operator=(const CModelProgressWindow&) = delete;

    // IProgressWindow
    BOOL Create(const std::string& strCaption, BOOL bSmooth, const std::string& strCancelLabel,
                IProgressWindowHandler* pHandler) override;
    BOOL IsWindow() const override { return m_bExists; }
    BOOL DestroyWindow() override;
    void SendClose() override;
    void SetWindowText(const std::string& strCaption) override;
    void SetText(const std::string& strText) override;
    void SetBarRange32(int nLower, int nUpper) override;
    int SetBarStep(int nStep) override;
    int SetBarPos(int nPos) override;
    void ModifyStyle(DWORD dwRemove, DWORD dwAdd) override;
    BOOL ShowWindow(int nCmdShow) override;
    BOOL IsWindowVisible() const override { return m_bExists && m_bVisible; }
    void RedrawWindow(UINT /*nFlags*/) override { ++m_nRedraws; }
    RECT GetWindowRect() const override { return m_rcWindow; }
    RECT GetClientRect() const override;
    void SetWindowPos(int nX, int nY, int nWidth, int nHeight, UINT nFlags) override;
    void CenterWindow() override;
    void MoveChild(int nId, const RECT& rect) override { m_children[nId] = rect; }
    RECT GetChildWindowRect(int nId) const override;
    int GetSystemMetrics(int nIndex) const override;
    ITextMeasurer* GetDC() override;
    void ReleaseDC(ITextMeasurer* /*pDC*/) override {}
    void EnableWindow(BOOL bEnable) override { m_bEnabled = bEnable != FALSE; }
    BOOL HasFocus() const override { return m_bExists && m_bFocus; }
    void SetFocus() override;
    void EnableMainWindow(BOOL bEnable) override;
    void SetForegroundMainWindow() override;
    BOOL PeekMessage(MSG& msg) override;
    BOOL PumpMessage() override;
    void PostQuitMessage(int nExitCode) override;

    // What the window shows.
    const std::string& Caption() const { return m_strCaption; }
    const std::string& Text() const { return m_strText; }
    const std::string& CancelLabel() const { return m_strCancelLabel; }
    bool IsSmooth() const { return m_bSmooth; }
    int BarLower() const { return m_nLower; }
    int BarUpper() const { return m_nUpper; }
    int BarStep() const { return m_nStep; }
    int BarPos() const { return m_nPos; }
    bool IsEnabled() const { return m_bEnabled; }
    int Redraws() const { return m_nRedraws; }
    // A child's rectangle in client coordinates (empty before the layout placed it).
    RECT ChildRect(int nId) const;

    // The user's input, queued on the thread as the platform would queue it.
    void TypeEscape();
    // The left mouse button released at a screen point.
    void ReleaseMouseAt(POINT pt);
    // A click on the middle of the Cancel button.
    void ClickCancel();

    // Called after every change of the caption or the text (the line-mode front end prints them).
    void SetListener(std::function<void(const CModelProgressWindow&)> fnListener) {
        m_fnListener = std::move(fnListener);
    }

protected:
    // The Cancel button sends BN_CLICKED to the handler.
    virtual void CancelClicked();

private:
    void Changed();

    CModelHost& m_host;
    CFixedPitchMeasurer m_measurer;
    IProgressWindowHandler* m_pHandler = nullptr;
    std::function<void(const CModelProgressWindow&)> m_fnListener;
    bool m_bExists = false;
    bool m_bVisible = false;
    bool m_bEnabled = true;
    bool m_bFocus = false;
    bool m_bSmooth = false;
    std::string m_strCaption;
    std::string m_strText;
    std::string m_strCancelLabel;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 10;
    int m_nPos = 0;
    int m_nRedraws = 0;
    RECT m_rcWindow{0, 0, 0, 0};
    std::map<int, RECT> m_children;
};
