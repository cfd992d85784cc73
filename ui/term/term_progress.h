// The progress popup in the terminal: a modal box over the sheet with its caption, its text lines, a
// bar and the Cancel button. Its geometry is kept in the terminal's pixels (6 x 13 to a cell, see
// term_controls.h), so that the popup's own layout and the position it keeps in the profile work as
// they do on Windows; the screen is the terminal's size in those pixels. Its message queue reads the
// terminal without waiting: Esc, Enter or Space on its focused Cancel button, and a click.
#pragma once

#include <map>
#include <string>

#include "ui/progress_window.h"
#include "ui/term/term_canvas.h"
#include "ui/text_measurer.h"

class CTermHost;
struct CTermRect;

// Text in the terminal's pixels: 6 to a character, 13 to a line.
class CTermMeasurer : public ITextMeasurer {
public:
    int DrawText(const std::string& strText, RECT& rect, UINT nFormat) override;
    BOOL GetTextExtentPoint32(const std::string& strText, SIZE& size) override;
};

// A pixel rectangle as the cells it covers (edges rounded to the nearest cell).
CTermRect CellsOfPixels(const RECT& rect);

class CTermProgressWindow : public IProgressWindow {
public:
    // A frame of one cell around the client area; the caption stands in the top edge.
    static constexpr LONG FRAME_X = 6;
    static constexpr LONG FRAME_TOP = 13;
    static constexpr LONG FRAME_BOTTOM = 13;
    static constexpr LONG EDGE = 2;

    explicit CTermProgressWindow(CTermHost& host);
    ~CTermProgressWindow() override;
    CTermProgressWindow(const CTermProgressWindow&) = delete;
    CTermProgressWindow& operator=(const CTermProgressWindow&) = delete;

    BOOL Create(const std::string& strCaption, BOOL bSmooth, const std::string& strCancelLabel,
                IProgressWindowHandler* pHandler) override;
    BOOL IsWindow() const override { return m_bExists; }
    BOOL DestroyWindow() override;
    void SendClose() override { DestroyWindow(); }
    void SetWindowText(const std::string& strCaption) override;
    void SetText(const std::string& strText) override;
    void SetBarRange32(int nLower, int nUpper) override;
    int SetBarStep(int nStep) override;
    int SetBarPos(int nPos) override;
    void ModifyStyle(DWORD dwRemove, DWORD dwAdd) override;
    BOOL ShowWindow(int nCmdShow) override;
    BOOL IsWindowVisible() const override { return m_bExists && m_bVisible; }
    void RedrawWindow(UINT nFlags) override;
    RECT GetWindowRect() const override { return m_rcWindow; }
    RECT GetClientRect() const override;
    void SetWindowPos(int nX, int nY, int nWidth, int nHeight, UINT nFlags) override;
    void CenterWindow() override;
    void MoveChild(int nId, const RECT& rect) override { m_children[nId] = rect; }
    RECT GetChildWindowRect(int nId) const override;
    int GetSystemMetrics(int nIndex) const override;
    ITextMeasurer* GetDC() override { return m_bExists ? &m_measurer : nullptr; }
    void ReleaseDC(ITextMeasurer* /*pDC*/) override {}
    void EnableWindow(BOOL bEnable) override { m_bEnabled = bEnable != FALSE; }
    BOOL HasFocus() const override { return m_bExists && m_bFocus; }
    void SetFocus() override;
    void EnableMainWindow(BOOL bEnable) override;
    void SetForegroundMainWindow() override;
    BOOL PeekMessage(MSG& msg) override;
    BOOL PumpMessage() override;
    void PostQuitMessage(int nExitCode) override;

    // Draws the window when it exists and is visible, kept inside the canvas.
    void Draw(CTermCanvas& canvas) const;
    const std::string& Caption() const { return m_strCaption; }
    const std::string& Text() const { return m_strText; }
    int BarPos() const { return m_nPos; }

private:
    // A child's rectangle in client coordinates.
    RECT ChildRect(int nId) const;
    void ClickCancel();

    CTermHost& m_host;
    CTermMeasurer m_measurer;
    IProgressWindowHandler* m_pHandler = nullptr;
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
    RECT m_rcWindow{0, 0, 0, 0};
    std::map<int, RECT> m_children;
};
