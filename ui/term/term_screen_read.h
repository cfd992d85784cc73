// What the walk of the machine files reads off the terminal's screen: characters of the canvas, a list
// view's grid cells, a text box's labelled text, a field scrolled sideways a character at a time, and
// the machine file's UTF-8 as the back ends hand it over.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "ui/term/term_canvas.h"
#include "ui/term/term_controls.h"
#include "ui/term/term_text.h"

// The machine file's UTF-8 as the back ends hand it over: made UTF-16 and converted with the ANSI
// code page (Windows-1252), a character that the code page lacks becoming "?".
inline std::string AnsiOf(const std::string& strUtf8) {
    std::string strAnsi;
    for (std::size_t i = 0; i < strUtf8.size();) {
        const unsigned char ch = static_cast<unsigned char>(strUtf8[i]);
        const int nLength = ch < 0x80 ? 1 : ch < 0xE0 ? 2 : ch < 0xF0 ? 3 : 4;
        char32_t cp = nLength == 1 ? ch : ch & (0x7F >> nLength);
        for (int k = 1; k < nLength && i + k < strUtf8.size(); ++k) {
            cp = cp << 6 | (static_cast<unsigned char>(strUtf8[i + k]) & 0x3F);
        }
        i += nLength;
        char chAnsi = '?';
        for (int b = 0; b < 256; ++b) {
            if (AnsiToUnicode(static_cast<unsigned char>(b)) == cp) {
                chAnsi = static_cast<char>(b);
                break;
            }
        }
        strAnsi += chAnsi;
    }
    return strAnsi;
}

// The characters a Windows-1252 text shows on the screen.
inline std::u32string Chars(const std::string& strAnsi) {
    std::u32string str;
    for (unsigned char ch : strAnsi) {
        str += AnsiToUnicode(ch);
    }
    return str;
}

inline std::u32string TrimRight(std::u32string str) {
    str.erase(str.find_last_not_of(U' ') + 1);
    return str;
}

inline std::string Utf8(const std::u32string& str) {
    std::string strUtf8;
    for (char32_t ch : str) {
        strUtf8 += ToUtf8(ch);
    }
    return strUtf8;
}

inline std::u32string Cells(const CTermCanvas& canvas, int nRow, int nCol, int nCols) {
    std::u32string str;
    for (int c = nCol; c < nCol + nCols && c < canvas.Cols(); ++c) {
        str += canvas.At(nRow, c).ch;
    }
    return str;
}

// The screen's row of a list's selected item inside the list's rectangle (the focused list shows it
// in the selection's colours), or -1.
inline int SelectedRow(const CTermCanvas& canvas, const CTermRect& list) {
    for (int r = list.nRow + 1; r < list.nRow + list.nRows - 1; ++r) {
        if (canvas.At(r, list.nCol + 1).eStyle == ETermStyle::Selection) {
            return r;
        }
    }
    return -1;
}

// A list view row split at its grid lines: the cells' texts after their one-cell margin.
inline std::vector<std::u32string> GridCells(const std::u32string& strRow) {
    std::vector<std::u32string> astrCells(1);
    for (char32_t ch : strRow) {
        if (ch == TERM_VLINE) {
            astrCells.emplace_back();
        } else {
            astrCells.back() += ch;
        }
    }
    for (std::u32string& strCell : astrCells) {
        strCell = TrimRight(strCell.empty() ? strCell : strCell.substr(1));
    }
    return astrCells;
}

// The text after "Label: " on the row of a text box that starts with it, up to the box's edge, and
// on the rows that go on with it (indented by two blanks), joined by blanks; *pbWrapped says whether
// there were such rows.
inline std::u32string BoxText(const CTermCanvas& canvas, const std::u32string& strLabel, bool* pbWrapped) {
    *pbWrapped = false;
    for (int r = 0; r < canvas.Rows(); ++r) {
        const std::u32string strRow = Cells(canvas, r, 0, canvas.Cols());
        const std::size_t nAt = strRow.find(U"\u2502 " + strLabel + U": ");
        if (nAt == std::u32string::npos) {
            continue;
        }
        const std::size_t nLeft = nAt + 2;
        const std::size_t nStart = nLeft + strLabel.size() + 2;
        const std::size_t nEnd = std::min(strRow.find(TERM_VLINE, nStart), strRow.size());
        std::u32string strText = TrimRight(strRow.substr(nStart, nEnd - nStart));
        for (int rNext = r + 1; rNext < canvas.Rows(); ++rNext) {
            const std::u32string strNext =
                Cells(canvas, rNext, static_cast<int>(nLeft), static_cast<int>(nEnd - nLeft));
            if (strNext.size() < 3 || strNext.compare(0, 2, U"  ") != 0 || strNext[2] == U' ') {
                break;
            }
            strText += U" " + TrimRight(strNext.substr(2));
            *pbWrapped = true;
        }
        return strText;
    }
    return U"(no line \"" + strLabel + U": \")";
}

// What has been read of a field scrolled sideways a character at a time: the characters at their
// places in its text, the last view, and how far it has scrolled.
struct CScrollRead {
    std::u32string strSeen;
    std::u32string strLast;
    std::size_t nScrolled = 0;

    // Takes the field's view after a step (bFirst: before any); a view that changed has scrolled one
    // character further. A last cell holding the ellipsis of a cut is no text. True when it moved.
    bool Take(const std::u32string& strView, bool bFirst) {
        const bool bMoved = !bFirst && strView != strLast;
        nScrolled += bMoved ? 1 : 0;
        strLast = strView;
        if (bFirst || bMoved) {
            std::u32string strText = strView;
            if (!strText.empty() && strText.back() == U'\u2026') {
                strText.pop_back();
            }
            if (strSeen.size() < nScrolled + strText.size()) {
                strSeen.resize(nScrolled + strText.size(), U' ');
            }
            std::copy(strText.begin(), strText.end(),
                      strSeen.begin() + static_cast<std::ptrdiff_t>(nScrolled));
        }
        return bMoved;
    }
};
