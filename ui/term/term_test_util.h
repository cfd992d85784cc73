// Test helpers of the full-screen front end: a terminal whose input is a script, and what the screen
// shows of a page's texts.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "ui/term/term_controls.h"
#include "ui/term/term_device.h"
#include "ui/term/term_text.h"

// A terminal whose input is a script of events and checks; once the script is done it answers Esc,
// which closes whatever is open. A look without waiting (a busy operation pumping messages) sees only
// the events typed ahead for it. What a check adds to the script runs next, before the steps that
// were already waiting, so that a check can go on with the walk as a user decides each step.
class CScriptedDevice : public ITermDevice {
public:
    struct CTyped {
        CTermEvent event;
        bool bAhead = false;
        int nRows = 0;  // a resize: the terminal's size once the event is read
        int nCols = 0;
    };
    using CStep = std::variant<CTyped, std::function<void()>>;

    int Rows() const override { return m_nRows; }
    int Cols() const override { return m_nCols; }
    int Colours() const override { return m_nColours; }
    void Show(const CTermCanvas& canvas) override { m_astrFrames.push_back(canvas.Text()); }
    void Invalidate() override { ++m_nInvalidated; }
    bool ReadEvent(CTermEvent& event, int nTimeoutMs) override {
        if (nTimeoutMs == 0) {
            if (m_steps.empty() || !std::holds_alternative<CTyped>(m_steps.front()) ||
                !std::get<CTyped>(m_steps.front()).bAhead) {
                return false;
            }
        }
        while (!m_steps.empty() && std::holds_alternative<std::function<void()>>(m_steps.front())) {
            const auto fnCheck = std::get<std::function<void()>>(m_steps.front());
            m_steps.pop_front();
            std::deque<CStep> added;
            std::swap(added, m_added);
            ++m_nInCheck;
            fnCheck();
            --m_nInCheck;
            m_steps.insert(m_steps.begin(), m_added.begin(), m_added.end());
            std::swap(added, m_added);
        }
        if (m_steps.empty()) {
            if (nTimeoutMs == 0) {
                return false;
            }
            event = CTermEvent::KeyPress(TK_ESCAPE);
            return ++m_nEscapesAfterScript < 100;
        }
        const CTyped typed = std::get<CTyped>(m_steps.front());
        m_steps.pop_front();
        if (typed.nRows > 0) {
            m_nRows = typed.nRows;
            m_nCols = typed.nCols;
            m_anResizeFrames.push_back(static_cast<int>(m_astrFrames.size()));
        }
        event = typed.event;
        return true;
    }

    void Key(int nKey, int nTimes = 1) {
        for (int i = 0; i < nTimes; ++i) {
            Push(CTyped{CTermEvent::KeyPress(nKey)});
        }
    }
    // A key typed while an operation runs, for its message pump.
    void KeyAhead(int nKey) { Push(CTyped{CTermEvent::KeyPress(nKey), true}); }
    void Resize() { Push(CTyped{CTermEvent{CTermEvent::Resize}}); }
    // The terminal takes a new size while an operation runs, seen by its message pump.
    void ResizeAhead(int nRows, int nCols) {
        Push(CTyped{CTermEvent{CTermEvent::Resize}, true, nRows, nCols});
    }
    void Alt(int nKey) { Push(CTyped{CTermEvent::KeyPress(nKey, true)}); }
    void Click(int nRow, int nCol, unsigned nTimeMs = 0) {
        CTermEvent event = CTermEvent::Mouse(CTermEvent::Click, nRow, nCol);
        event.nTimeMs = nTimeMs;
        Push(CTyped{event});
    }
    void Then(std::function<void()> fnCheck) { Push(std::move(fnCheck)); }
    bool IsDone() const { return m_steps.empty(); }
    bool AnyFrameHas(const std::string& strText) const {
        for (const std::string& strFrame : m_astrFrames) {
            if (strFrame.find(strText) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    int m_nRows = 24;
    int m_nCols = 80;
    int m_nColours = 256;
    int m_nInvalidated = 0;
    std::vector<std::string> m_astrFrames;
    // For each resize read from the script, the index in m_astrFrames of the first frame shown after it.
    std::vector<int> m_anResizeFrames;

private:
    void Push(CStep step) { (m_nInCheck > 0 ? m_added : m_steps).push_back(std::move(step)); }

    std::deque<CStep> m_steps;
    std::deque<CStep> m_added;
    int m_nInCheck = 0;
    int m_nEscapesAfterScript = 0;
};

// The words of a text, one blank between them.
inline std::string Words(const std::string& strText) {
    std::istringstream in(strText);
    std::string strWord;
    std::string strWords;
    while (in >> strWord) {
        strWords += (strWords.empty() ? "" : " ") + strWord;
    }
    return strWords;
}

// The core's Windows-1252 text as the screen's UTF-8 shows it.
inline std::string AsUtf8(const std::string& strAnsi) {
    std::string str;
    for (unsigned char ch : strAnsi) {
        str += ToUtf8(AnsiToUnicode(ch));
    }
    return str;
}

// What the canvas shows inside a text control's rectangle, row by row, as words; the control's
// dialog has its origin at (nRow, nCol) of the canvas.
inline std::string ShownWords(const CTermCanvas& canvas, const CTermWidget& widget, int nRow = 0,
                              int nCol = 0) {
    const int nIndent = dynamic_cast<const CTermCheckBox*>(&widget) != nullptr ? 4 : 0;
    const CTermRect& rect = widget.Rect();
    std::string strShown;
    for (int r = nRow + rect.nRow; r < nRow + rect.nRow + widget.TextRows() && r < canvas.Rows(); ++r) {
        for (int c = nCol + rect.nCol + nIndent; c < nCol + rect.nCol + rect.nCols && c < canvas.Cols();
             ++c) {
            strShown += ToUtf8(canvas.At(r, c).ch);
        }
        strShown += ' ';
    }
    return Words(strShown);
}

// Whether a control shows text that a cut would change: statics and check boxes.
inline bool IsTextWidget(const CTermWidget& widget) {
    return dynamic_cast<const CTermStatic*>(&widget) != nullptr ||
           dynamic_cast<const CTermCheckBox*>(&widget) != nullptr;
}

// Fails for every visible text of the page that the canvas does not show whole, its words in order,
// nothing drawn over it; the page's dialog has its origin at (nRow, nCol).
inline void ExpectTextsWhole(const CTermCanvas& canvas, const CTermPage& page, int nRow, int nCol,
                             const std::string& strWhere) {
    for (const auto& pWidget : page.Widgets()) {
        if (!IsTextWidget(*pWidget) || !pWidget->Template().IsVisible()) {
            continue;
        }
        const std::string strText = dynamic_cast<const IControl&>(*pWidget).GetWindowText();
        EXPECT_EQ(ShownWords(canvas, *pWidget, nRow, nCol), Words(AsUtf8(strText))) << strWhere << ":\n"
                                                                                    << canvas.Text();
    }
}
