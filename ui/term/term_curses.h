// The real terminal through ncurses: full screen, keys (Alt as Esc + key), the mouse where the
// terminal reports it, resizes, and colours where it has them (monochrome attributes where not).
#pragma once

#include <map>
#include <string>
#include <utility>

#include "ui/term/term_device.h"
#include "ui/term/term_encoding.h"

class CCursesDevice : public ITermDevice {
public:
    // Takes over the terminal (initscr); the destructor gives it back (endwin).
    CCursesDevice();
    ~CCursesDevice() override;
    CCursesDevice(const CCursesDevice&) = delete;
    // Whether ncurses can show the full screen on the terminal that TERM names; if not, why.
    static bool CanDrive(std::string* pstrWhy);
    CCursesDevice& operator=(const CCursesDevice&) = delete;

    int Rows() const override;
    int Cols() const override;
    int Colours() const override { return m_nColours; }
    void Show(const CTermCanvas& canvas) override;
    void Invalidate() override;
    bool ReadEvent(CTermEvent& event, int nTimeoutMs) override;

private:
    // The curses attribute (colour pair included) that shows a cell.
    unsigned long Attributes(const CTermCell& cell);
    short Pair(int nFg, int nBg);
    // A key beyond ASCII: the locale's bytes of one character, as its Windows-1252 code.
    bool ReadTypedCharacter(int nFirstByte, CTermEvent& event);

    int m_nColours = 0;
    ETermCharset m_eCharset = ETermCharset::Ascii;
    bool m_bUnicode = false;
    std::map<std::pair<int, int>, short> m_mapPairs;
};
