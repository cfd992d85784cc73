// Classes: CTermMeasurer, CTermProgressWindow.
// The progress popup in the terminal: the model popup window's state and message handling, kept in
// the terminal's pixels (6 x 13 to a cell, see term_controls.h) so that the popup's own layout and the
// position it keeps in the profile work as on Windows, and drawn as a modal box over the sheet with
// its caption, its text lines, a bar and the Cancel button. The screen is the terminal's size in those
// pixels. Its message queue reads the terminal without waiting (CTermHost::PollInput): Esc, Enter or
// Space on its focused Cancel button, and a click.
#pragma once

#include <string>

#include "ui/model/model_progress.h"
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

class CTermProgressWindow : public CModelProgressWindow {
public:
    // A frame of one cell around the client area; the caption stands in the top edge.
    static constexpr LONG FRAME_X = 6;
    static constexpr LONG FRAME_TOP = 13;
    static constexpr LONG FRAME_BOTTOM = 13;

    explicit CTermProgressWindow(CTermHost& host);

    // Every change shows at once: the operation behind the popup blocks the loop that would paint.
    BOOL DestroyWindow() override;
    int SetBarPos(int nPos) override;
    BOOL ShowWindow(int nCmdShow) override;
    void RedrawWindow(UINT nFlags) override;

    RECT GetClientRect() const override;
    void CenterWindow() override;
    RECT GetChildWindowRect(int nId) const override;
    int GetSystemMetrics(int nIndex) const override;
    ITextMeasurer* GetDC() override { return IsWindow() ? &m_measurer : nullptr; }
    BOOL PeekMessage(MSG& msg) override;

    // Draws the window when it exists and is visible, kept inside the canvas.
    void Draw(CTermCanvas& canvas) const;

private:
    CTermHost& m_termHost;
    CTermMeasurer m_measurer;
};
