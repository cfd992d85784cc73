#include "ui/term/term_curses.h"

#include <langinfo.h>

#include <chrono>
#include <clocale>
#include <cstring>
#include <cwchar>

#include <curses.h>

namespace {
// Foreground and background of each style on a colour terminal (COLOR_ numbers; 15 is bright white,
// used only where the terminal has 16 colours or more).
struct CStyleColours {
    int nFg;
    int nBg;
    attr_t attr;
};

constexpr int BRIGHT_WHITE = 15;
constexpr int DARK_GREY = 8;

CStyleColours ColourStyle(ETermStyle eStyle, bool bSixteen) {
    const int nWindow = bSixteen ? BRIGHT_WHITE : COLOR_WHITE;
    switch (eStyle) {
        case ETermStyle::Desktop:
            return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
        case ETermStyle::Face:
        case ETermStyle::ReadOnly:
            return {COLOR_BLACK, COLOR_WHITE, A_NORMAL};
        case ETermStyle::Caption:
            return {COLOR_WHITE, COLOR_BLUE, A_BOLD};
        case ETermStyle::Disabled:
            return {bSixteen ? DARK_GREY : COLOR_BLACK, COLOR_WHITE, bSixteen ? A_NORMAL : A_DIM};
        case ETermStyle::Window:
            return {COLOR_BLACK, nWindow, bSixteen ? A_NORMAL : A_UNDERLINE};
        case ETermStyle::Selection:
        case ETermStyle::ButtonFocus:
            return {COLOR_WHITE, COLOR_BLUE, A_BOLD};
        case ETermStyle::SelectionIdle:
            return {COLOR_BLACK, COLOR_CYAN, A_NORMAL};
        case ETermStyle::ListHeader:
            return {COLOR_BLACK, COLOR_WHITE, A_BOLD};
        case ETermStyle::Button:
            return {COLOR_BLACK, COLOR_WHITE, A_NORMAL};
        case ETermStyle::ButtonDefault:
            return {COLOR_BLUE, COLOR_WHITE, A_BOLD};
        case ETermStyle::Focus:
            return {COLOR_BLACK, COLOR_WHITE, A_UNDERLINE | A_BOLD};
        case ETermStyle::Verdict:
            return {COLOR_WHITE, COLOR_GREEN, A_BOLD};
        case ETermStyle::Busy:
            return {COLOR_BLACK, COLOR_YELLOW, A_BOLD};
        case ETermStyle::Hint:
            return {COLOR_BLUE, COLOR_WHITE, A_NORMAL};
        default:
            return {COLOR_BLACK, COLOR_WHITE, A_NORMAL};
    }
}

// Without colour: attributes only.
attr_t MonoStyle(ETermStyle eStyle) {
    switch (eStyle) {
        case ETermStyle::Caption:
        case ETermStyle::Selection:
        case ETermStyle::ButtonFocus:
        case ETermStyle::Verdict:
        case ETermStyle::Busy:
            return A_REVERSE | A_BOLD;
        case ETermStyle::Banner:
            return A_REVERSE;
        case ETermStyle::BannerBold:
            return A_REVERSE | A_BOLD;
        case ETermStyle::Disabled:
            return A_DIM;
        case ETermStyle::Window:
            return A_UNDERLINE;
        case ETermStyle::SelectionIdle:
        case ETermStyle::ListHeader:
        case ETermStyle::ButtonDefault:
            return A_BOLD;
        case ETermStyle::Focus:
            return A_BOLD | A_UNDERLINE;
        default:
            return A_NORMAL;
    }
}
}  // namespace

CCursesDevice::CCursesDevice() {
    // Only the character type: numbers keep their "." for the core's own formatting.
    std::setlocale(LC_CTYPE, "");
    m_bUnicode = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    m_eCharset = m_bUnicode ? ETermCharset::Utf8 : ETermCharset::Ascii;
    set_escdelay(25);
    initscr();
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    curs_set(0);
    mousemask(BUTTON1_RELEASED | BUTTON1_CLICKED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
    mouseinterval(0);
    if (has_colors()) {
        start_color();
        m_nColours = COLORS >= 256 ? 256 : (COLORS >= 16 ? 16 : 8);
    }
}

CCursesDevice::~CCursesDevice() {
    endwin();
}

int CCursesDevice::Rows() const {
    return LINES;
}

int CCursesDevice::Cols() const {
    return COLS;
}

short CCursesDevice::Pair(int nFg, int nBg) {
    const auto key = std::make_pair(nFg, nBg);
    auto it = m_mapPairs.find(key);
    if (it != m_mapPairs.end()) {
        return it->second;
    }
    const int nPair = static_cast<int>(m_mapPairs.size()) + 1;
    if (nPair >= COLOR_PAIRS || nFg >= COLORS || nBg >= COLORS) {
        return 0;
    }
    init_pair(static_cast<short>(nPair), static_cast<short>(nFg), static_cast<short>(nBg));
    m_mapPairs.emplace(key, static_cast<short>(nPair));
    return static_cast<short>(nPair);
}

unsigned long CCursesDevice::Attributes(const CTermCell& cell) {
    if (m_nColours == 0) {
        return MonoStyle(cell.eStyle);
    }
    if (cell.eStyle == ETermStyle::Banner || cell.eStyle == ETermStyle::BannerBold) {
        const int nFg =
            cell.nFg == TERM_NO_COLOUR ? COLOR_BLACK : (cell.nFg >= m_nColours ? COLOR_WHITE : cell.nFg);
        const int nBg = cell.nBg == TERM_NO_COLOUR ? COLOR_WHITE : cell.nBg;
        return COLOR_PAIR(Pair(nFg, nBg)) | (cell.eStyle == ETermStyle::BannerBold ? A_BOLD : A_NORMAL);
    }
    const CStyleColours colours = ColourStyle(cell.eStyle, m_nColours >= 16);
    return COLOR_PAIR(Pair(colours.nFg, colours.nBg)) | colours.attr;
}

void CCursesDevice::Show(const CTermCanvas& canvas) {
    erase();
    for (int r = 0; r < canvas.Rows() && r < LINES; ++r) {
        for (int c = 0; c < canvas.Cols() && c < COLS; ++c) {
            const CTermCell& cell = canvas.At(r, c);
            const unsigned long attr = Attributes(cell);
            // The bottom-right cell would scroll the screen on some terminals.
            if (r == LINES - 1 && c == COLS - 1) {
                continue;
            }
            if (m_bUnicode && cell.ch >= 0x80) {
                wchar_t awch[2] = {static_cast<wchar_t>(cell.ch), L'\0'};
                cchar_t cch;
                setcchar(&cch, awch, static_cast<attr_t>(attr & ~A_COLOR),
                         static_cast<short>(PAIR_NUMBER(attr)), nullptr);
                mvadd_wch(r, c, &cch);
            } else {
                mvaddch(r, c, static_cast<chtype>(static_cast<unsigned char>(AsciiFallback(cell.ch))) | attr);
            }
        }
    }
    refresh();
}

void CCursesDevice::Invalidate() {
    // curses then clears the terminal and draws every cell instead of only the changed ones.
    clearok(curscr, TRUE);
}

bool CCursesDevice::ReadEvent(CTermEvent& event, int nTimeoutMs) {
    timeout(nTimeoutMs);
    const int nKey = getch();
    if (nKey == ERR) {
        return false;
    }
    switch (nKey) {
        case KEY_RESIZE:
            event = CTermEvent{CTermEvent::Resize};
            return true;
        case KEY_MOUSE: {
            MEVENT mouse;
            if (getmouse(&mouse) != OK) {
                return false;
            }
            if (mouse.bstate & (BUTTON1_RELEASED | BUTTON1_CLICKED)) {
                event = CTermEvent::Mouse(CTermEvent::Click, mouse.y, mouse.x);
                event.nTimeMs = static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                          std::chrono::steady_clock::now().time_since_epoch())
                                                          .count());
            } else if (mouse.bstate & BUTTON4_PRESSED) {
                event = CTermEvent::Mouse(CTermEvent::WheelUp, mouse.y, mouse.x);
            } else if (mouse.bstate & BUTTON5_PRESSED) {
                event = CTermEvent::Mouse(CTermEvent::WheelDown, mouse.y, mouse.x);
            } else {
                return false;
            }
            return true;
        }
        case 27: {
            // Alt+key arrives as Esc and the key at once.
            timeout(30);
            const int nNext = getch();
            if (nNext != ERR && nNext >= 0x20 && nNext < 0x7F) {
                event = CTermEvent::KeyPress(nNext, true);
            } else {
                if (nNext != ERR) {
                    ungetch(nNext);
                }
                event = CTermEvent::KeyPress(TK_ESCAPE);
            }
            return true;
        }
        case KEY_UP:
            event = CTermEvent::KeyPress(TK_UP);
            return true;
        case KEY_DOWN:
            event = CTermEvent::KeyPress(TK_DOWN);
            return true;
        case KEY_LEFT:
            event = CTermEvent::KeyPress(TK_LEFT);
            return true;
        case KEY_RIGHT:
            event = CTermEvent::KeyPress(TK_RIGHT);
            return true;
        case KEY_HOME:
            event = CTermEvent::KeyPress(TK_HOME);
            return true;
        case KEY_END:
            event = CTermEvent::KeyPress(TK_END);
            return true;
        case KEY_PPAGE:
            event = CTermEvent::KeyPress(TK_PAGE_UP);
            return true;
        case KEY_NPAGE:
            event = CTermEvent::KeyPress(TK_PAGE_DOWN);
            return true;
        case KEY_BTAB:
            event = CTermEvent::KeyPress(TK_BACK_TAB);
            return true;
        case KEY_DC:
            event = CTermEvent::KeyPress(TK_DELETE);
            return true;
        case KEY_F(1):
            event = CTermEvent::KeyPress(TK_F1);
            return true;
        case KEY_BACKSPACE:
        case 127:
        case 8:
            event = CTermEvent::KeyPress(TK_BACKSPACE);
            return true;
        case KEY_ENTER:
        case '\r':
        case '\n':
            event = CTermEvent::KeyPress(TK_ENTER);
            return true;
        case 12:  // Ctrl+L
            event = CTermEvent::KeyPress(TK_REDRAW);
            return true;
        case 3:  // Ctrl+C in raw mode: as Esc, the wizard's Cancel
            event = CTermEvent::KeyPress(TK_ESCAPE);
            return true;
        default:
            if (nKey == '\t' || (nKey >= 0x20 && nKey < 0x7F)) {
                event = CTermEvent::KeyPress(nKey);
                return true;
            }
            if (nKey >= 0x80 && nKey <= 0xFF) {
                return ReadTypedCharacter(nKey, event);
            }
            return false;
    }
}

bool CCursesDevice::ReadTypedCharacter(int nFirstByte, CTermEvent& event) {
    // The rest of a multibyte sequence arrives with its first byte.
    CTypedDecoder decoder(m_eCharset);
    char32_t ch = 0;
    CTypedDecoder::EResult eResult = decoder.Feed(static_cast<unsigned char>(nFirstByte), &ch);
    timeout(30);
    while (eResult == CTypedDecoder::More) {
        const int nNext = getch();
        eResult = nNext >= 0 && nNext <= 0xFF ? decoder.Feed(static_cast<unsigned char>(nNext), &ch)
                                              : CTypedDecoder::Invalid;
    }
    const int nAnsi = eResult == CTypedDecoder::Character ? UnicodeToAnsi(ch) : -1;
    if (nAnsi < 0x20) {
        beep();  // no Windows-1252 character: refused, and the user hears so
        return false;
    }
    event = CTermEvent::KeyPress(nAnsi);
    return true;
}
