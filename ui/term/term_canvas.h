// A screenful of character cells for the full-screen terminal front end: the wizard is drawn into a
// canvas, which the terminal device then shows at once. Cells keep a style (what they are, not how
// they look: the device maps styles to colours, or to attributes on a terminal without colour) and,
// for the banner bands, a colour of their own.
#pragma once

#include <string>
#include <vector>

enum class ETermStyle : unsigned char {
    Desktop,        // around the sheet
    Face,           // the sheet's and dialogs' face and their text
    Caption,        // title bars
    Disabled,       // text of a disabled control
    Banner,         // a band of a banner image: the cell's own colours
    BannerBold,     // a title on a banner band
    Window,         // the inside of an editable edit, a list or a list view
    ReadOnly,       // a read-only edit
    Selection,      // the selected item of the focused list, the selected text of the focused edit
    SelectionIdle,  // the selected item of a list without the focus
    ListHeader,     // a list view's header row
    Button,         // a push button
    ButtonDefault,  // the default push button
    ButtonFocus,    // the push button with the focus
    Focus,          // any other focused control's mark (check box)
    Verdict,        // a text its page colours (the adapter page's verdict): white on green
    Busy,           // the busy indicator
    Hint,           // the key hints
};

// A terminal colour of the device's palette (0..7, 0..15 or 0..255), or none.
constexpr int TERM_NO_COLOUR = -1;

struct CTermCell {
    char32_t ch = U' ';
    ETermStyle eStyle = ETermStyle::Desktop;
    int nFg = TERM_NO_COLOUR;  // Banner cells only
    int nBg = TERM_NO_COLOUR;
};

// Line-drawing characters; a device without Unicode shows them as ASCII.
constexpr char32_t TERM_HLINE = U'\u2500';
constexpr char32_t TERM_VLINE = U'\u2502';
constexpr char32_t TERM_TOP_LEFT = U'\u250C';
constexpr char32_t TERM_TOP_RIGHT = U'\u2510';
constexpr char32_t TERM_BOTTOM_LEFT = U'\u2514';
constexpr char32_t TERM_BOTTOM_RIGHT = U'\u2518';
constexpr char32_t TERM_TEE_LEFT = U'\u251C';   // ├
constexpr char32_t TERM_TEE_RIGHT = U'\u2524';  // ┤
constexpr char32_t TERM_TEE_DOWN = U'\u252C';   // ┬
constexpr char32_t TERM_TEE_UP = U'\u2534';     // ┴
constexpr char32_t TERM_FULL_BLOCK = U'\u2588';
constexpr char32_t TERM_LIGHT_SHADE = U'\u2591';
constexpr char32_t TERM_ARROW_UP = U'\u25B2';
constexpr char32_t TERM_ARROW_DOWN = U'\u25BC';

// The ASCII stand-in of a character the device cannot show.
char AsciiFallback(char32_t ch);

class CTermCanvas {
public:
    CTermCanvas(int nRows, int nCols);
    int Rows() const { return m_nRows; }
    int Cols() const { return m_nCols; }

    // Everything outside the canvas is clipped.
    void Put(int nRow, int nCol, char32_t ch, ETermStyle eStyle);
    // Windows-1252 text on one row, at most nMaxCols cells; returns the cells written.
    int PutText(int nRow, int nCol, const std::string& strText, ETermStyle eStyle, int nMaxCols = 1 << 20);
    void Fill(int nRow, int nCol, int nRows, int nCols, ETermStyle eStyle, char32_t ch = U' ');
    // A frame of line-drawing characters around (and including) the rectangle's edge.
    void Frame(int nRow, int nCol, int nRows, int nCols, ETermStyle eStyle);
    // Gives a cell the colours of a banner band.
    void SetColours(int nRow, int nCol, int nFg, int nBg, bool bBold = false);
    // Changes the style of the cells of one row, keeping their characters.
    void Restyle(int nRow, int nCol, int nCols, ETermStyle eStyle);

    bool Contains(int nRow, int nCol) const {
        return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
    }
    const CTermCell& At(int nRow, int nCol) const { return m_cells[nRow * m_nCols + nCol]; }
    // One row as UTF-8, trailing blanks removed; Text() is every row, each ended by "\n".
    std::string RowText(int nRow) const;
    std::string Text() const;

private:
    CTermCell* Cell(int nRow, int nCol) {
        return Contains(nRow, nCol) ? &m_cells[nRow * m_nCols + nCol] : nullptr;
    }

    int m_nRows;
    int m_nCols;
    std::vector<CTermCell> m_cells;
};
