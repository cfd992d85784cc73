#include "ui/term/term_canvas.h"

#include <algorithm>

#include "ui/term/term_text.h"

char AsciiFallback(char32_t ch) {
    switch (ch) {
        case TERM_HLINE:
            return '-';
        case TERM_VLINE:
            return '|';
        case TERM_TOP_LEFT:
        case TERM_TOP_RIGHT:
        case TERM_BOTTOM_LEFT:
        case TERM_BOTTOM_RIGHT:
        case TERM_TEE_LEFT:
        case TERM_TEE_RIGHT:
        case TERM_TEE_DOWN:
        case TERM_TEE_UP:
            return '+';
        case TERM_FULL_BLOCK:
            return '#';
        case TERM_LIGHT_SHADE:
            return '.';
        case TERM_ARROW_UP:
            return '^';
        case TERM_ARROW_DOWN:
            return 'v';
        case U'\u2026':  // the ellipsis of a cut text
            return '~';
        default:
            return ch < 0x80 ? static_cast<char>(ch) : '?';
    }
}

CTermCanvas::CTermCanvas(int nRows, int nCols)
    : m_nRows(std::max(0, nRows)), m_nCols(std::max(0, nCols)), m_cells(m_nRows * m_nCols) {}

void CTermCanvas::Put(int nRow, int nCol, char32_t ch, ETermStyle eStyle) {
    if (CTermCell* pCell = Cell(nRow, nCol)) {
        *pCell = CTermCell{ch, eStyle};
    }
}

int CTermCanvas::PutText(int nRow, int nCol, const std::string& strText, ETermStyle eStyle, int nMaxCols) {
    int nWritten = 0;
    for (unsigned char ch : strText) {
        if (nWritten >= nMaxCols) {
            break;
        }
        // Control characters would move the terminal's cursor.
        Put(nRow, nCol + nWritten, ch < 0x20 ? U' ' : AnsiToUnicode(ch), eStyle);
        ++nWritten;
    }
    return nWritten;
}

void CTermCanvas::Fill(int nRow, int nCol, int nRows, int nCols, ETermStyle eStyle, char32_t ch) {
    for (int r = nRow; r < nRow + nRows; ++r) {
        for (int c = nCol; c < nCol + nCols; ++c) {
            Put(r, c, ch, eStyle);
        }
    }
}

void CTermCanvas::Frame(int nRow, int nCol, int nRows, int nCols, ETermStyle eStyle) {
    if (nRows < 2 || nCols < 2) {
        return;
    }
    const int nBottom = nRow + nRows - 1;
    const int nRight = nCol + nCols - 1;
    for (int c = nCol + 1; c < nRight; ++c) {
        Put(nRow, c, TERM_HLINE, eStyle);
        Put(nBottom, c, TERM_HLINE, eStyle);
    }
    for (int r = nRow + 1; r < nBottom; ++r) {
        Put(r, nCol, TERM_VLINE, eStyle);
        Put(r, nRight, TERM_VLINE, eStyle);
    }
    Put(nRow, nCol, TERM_TOP_LEFT, eStyle);
    Put(nRow, nRight, TERM_TOP_RIGHT, eStyle);
    Put(nBottom, nCol, TERM_BOTTOM_LEFT, eStyle);
    Put(nBottom, nRight, TERM_BOTTOM_RIGHT, eStyle);
}

void CTermCanvas::SetColours(int nRow, int nCol, int nFg, int nBg, bool bBold) {
    if (CTermCell* pCell = Cell(nRow, nCol)) {
        pCell->eStyle = bBold ? ETermStyle::BannerBold : ETermStyle::Banner;
        pCell->nFg = nFg;
        pCell->nBg = nBg;
    }
}

void CTermCanvas::Restyle(int nRow, int nCol, int nCols, ETermStyle eStyle) {
    for (int c = nCol; c < nCol + nCols; ++c) {
        if (CTermCell* pCell = Cell(nRow, c)) {
            pCell->eStyle = eStyle;
        }
    }
}

std::string CTermCanvas::RowText(int nRow) const {
    std::string strRow;
    if (nRow < 0 || nRow >= m_nRows) {
        return strRow;
    }
    int nLast = m_nCols - 1;
    while (nLast >= 0 && At(nRow, nLast).ch == U' ') {
        --nLast;
    }
    for (int c = 0; c <= nLast; ++c) {
        strRow += ToUtf8(At(nRow, c).ch);
    }
    return strRow;
}

std::string CTermCanvas::Text() const {
    std::string strText;
    for (int r = 0; r < m_nRows; ++r) {
        strText += RowText(r) + "\n";
    }
    return strText;
}
