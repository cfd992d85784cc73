// The terminal as the full-screen front end uses it: its size and colours, a canvas shown at once,
// and the user's input. CCursesDevice (term_curses.h) is the real terminal; tests script their own.
#pragma once

#include "ui/term/term_canvas.h"

// Keys. Printable characters are their own Windows-1252 codes (0x20..0xFF).
enum ETermKey : int {
    TK_BACKSPACE = 8,
    TK_REDRAW = 12,  // Ctrl+L
    TK_TAB = 9,
    TK_ENTER = 13,
    TK_ESCAPE = 27,
    TK_UP = 0x100,
    TK_DOWN,
    TK_LEFT,
    TK_RIGHT,
    TK_HOME,
    TK_END,
    TK_PAGE_UP,
    TK_PAGE_DOWN,
    TK_BACK_TAB,  // Shift+Tab
    TK_DELETE,
    TK_F1,
};

struct CTermEvent {
    enum EKind {
        Key,        // nKey, with bAlt for Alt+key
        Click,      // the left mouse button released at nRow, nCol
        WheelUp,    // at nRow, nCol
        WheelDown,  // at nRow, nCol
        Resize,     // the terminal changed its size
    };
    EKind eKind = Key;
    int nKey = 0;
    bool bAlt = false;
    int nRow = 0;
    int nCol = 0;
    unsigned nTimeMs = 0;  // when a click came, on a millisecond clock of the device's own

    // Two clicks this close together on one cell make a double click.
    static constexpr unsigned DOUBLE_CLICK_MS = 500;

    static CTermEvent KeyPress(int nKey, bool bAlt = false) { return CTermEvent{Key, nKey, bAlt, 0, 0}; }
    static CTermEvent Mouse(EKind eKind, int nRow, int nCol) {
        return CTermEvent{eKind, 0, false, nRow, nCol};
    }
    bool IsKey(int nWanted) const { return eKind == Key && !bAlt && nKey == nWanted; }
};

class ITermDevice {
public:
    virtual ~ITermDevice() = default;
    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    // 0 on a terminal without colour, else how many palette colours it has (8, 16, 256).
    virtual int Colours() const = 0;
    virtual void Show(const CTermCanvas& canvas) = 0;
    // The next Show rewrites every cell, whatever the terminal is thought to hold (after a resize,
    // or when the user asks with Ctrl+L: the terminal may have lost or mangled what was drawn).
    virtual void Invalidate() = 0;
    // Waits at most nTimeoutMs (-1: for as long as it takes; 0: takes only what is pending) for the
    // next event; false when none came.
    virtual bool ReadEvent(CTermEvent& event, int nTimeoutMs) = 0;
};
