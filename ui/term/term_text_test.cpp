// The terminal's text, geometry and colour helpers.
#include <gtest/gtest.h>

#include "ui/term/term_canvas.h"
#include "ui/term/term_colours.h"
#include "ui/term/term_controls.h"
#include "ui/term/term_progress.h"
#include "ui/term/term_text.h"

TEST(TermText, WrapsAtBlanksCutsLongWordsAndKeepsLineBreaks) {
    EXPECT_EQ(WrapText("Press Next to Continue", 10),
              (std::vector<std::string>{"Press Next", "to", "Continue"}));
    EXPECT_EQ(WrapText("sent.  No personal", 6), (std::vector<std::string>{"sent.", "No", "person", "al"}));
    EXPECT_EQ(WrapText("Adapter\nScan #1...", 40), (std::vector<std::string>{"Adapter", "Scan #1..."}));
    EXPECT_EQ(WrapText("", 5), (std::vector<std::string>{""}));
    EXPECT_TRUE(WrapText("text", 0).empty());
}

TEST(TermText, Windows1252BecomesUnicode) {
    EXPECT_EQ(AnsiToUnicode('A'), U'A');
    EXPECT_EQ(AnsiToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(AnsiToUnicode(0xE9), U'\u00E9');
    EXPECT_EQ(AnsiToUnicode(0x81), U'\uFFFD');
    EXPECT_EQ(ToUtf8(U'\u2500'), "\xE2\x94\x80");
    CTermCanvas canvas(1, 8);
    canvas.PutText(0, 0, "Caf\xE9\t!", ETermStyle::Face);
    EXPECT_EQ(canvas.RowText(0), "Caf\xC3\xA9 !") << "a control character never reaches the terminal";
}

TEST(TermGeometry, DialogUnitsRoundToCells) {
    // 4 x 8 units to a cell: the list page's unlikely list (14, 74, 242, 31) and a 10-unit static.
    const CTermRect list = DialogRect(14, 74, 242, 31);
    EXPECT_EQ(list.nRow, 9);
    EXPECT_EQ(list.nCol, 4);
    EXPECT_EQ(list.nRows, 4);
    EXPECT_EQ(list.nCols, 60);
    EXPECT_EQ(DialogRect(3, 12, 1, 1).nRows, 1) << "never less than a cell";
    // Pixels: 6 x 13 to a cell.
    const CTermRect cells = CellsOfPixels(RECT{60, 26, 120, 65});
    EXPECT_EQ(cells.nRow, 2);
    EXPECT_EQ(cells.nCol, 10);
    EXPECT_EQ(cells.nRows, 3);
    EXPECT_EQ(cells.nCols, 10);
    CTermMeasurer measurer;
    RECT rect{10, 10, 0, 0};
    EXPECT_EQ(measurer.DrawText("M\nM\nM\nM", rect, DT_CALCRECT), 4 * TERM_PIXELS_PER_ROW);
    EXPECT_EQ(rect.right, 10 + TERM_PIXELS_PER_COL);
}

TEST(TermColours, NearestPaletteColourAndContrast) {
    EXPECT_EQ(NearestColour(CRgb{0, 0, 200}, 8), 4);        // blue
    EXPECT_EQ(NearestColour(CRgb{250, 250, 250}, 8), 7);    // white (light grey) on 8 colours
    EXPECT_EQ(NearestColour(CRgb{250, 250, 250}, 16), 15);  // bright white on 16
    EXPECT_EQ(NearestColour(CRgb{95, 135, 175}, 256), 67);  // exactly a cube colour
    EXPECT_TRUE(IsLightColour(15));
    EXPECT_FALSE(IsLightColour(4));
}

TEST(TermListCursor, KeepsTheSelectionInView) {
    CListCursor cursor;
    EXPECT_TRUE(cursor.Move(TK_DOWN, 10, 3));
    EXPECT_EQ(cursor.nSelected, 0);
    EXPECT_TRUE(cursor.Move(TK_END, 10, 3));
    EXPECT_EQ(cursor.nSelected, 9);
    EXPECT_EQ(cursor.nTop, 7);
    EXPECT_TRUE(cursor.Move(TK_PAGE_UP, 10, 3));
    EXPECT_EQ(cursor.nSelected, 7);
    cursor.Clamp(2, 3);  // the list was refilled shorter
    EXPECT_EQ(cursor.nSelected, 1);
    EXPECT_EQ(cursor.nTop, 0);
    EXPECT_FALSE(cursor.Move('x', 2, 3));
}

TEST(TermText, ACutTextEndsInAnEllipsis) {
    EXPECT_EQ(FitText("Atrium", 6), "Atrium");
    EXPECT_EQ(FitText("Atrium", 4), std::string("Atr") + ANSI_ELLIPSIS);
    EXPECT_EQ(FitText("Atrium", 0), "");
}

TEST(TermControls, AListBoxScrollsSidewaysByCharactersToItsWidestItem) {
    CDialogControl control;
    control.m_eKind = EControlKind::CheckListBox;
    control.m_nX = 0;
    control.m_nY = 0;
    control.m_nWidth = 48;  // 12 cells, 10 inside the border
    control.m_nHeight = 24;
    control.m_dwStyle = 0x10000000 | 0x00800000 | 0x00010000;  // WS_VISIBLE | WS_BORDER | WS_TABSTOP
    CTermCheckListBox list(control);
    list.AddString("Wireless Adapter");  // 5 + 16 cells with its mark
    CTermCanvas canvas(3, 12);
    list.Draw(canvas, 0, 0, false);
    EXPECT_EQ(canvas.RowText(1), "\xE2\x94\x82 [ ] Wire\xE2\x80\xA6\xE2\x94\x82") << canvas.Text();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(list.OnKey(CTermEvent::KeyPress(TK_RIGHT)), ETermAction::Handled);
    }
    EXPECT_EQ(list.ScrollColumn(), 11) << "no further than the widest item's end";
    list.Draw(canvas, 0, 0, false);
    EXPECT_EQ(canvas.RowText(1),
              "\xE2\x94\x82"
              "ss Adapter\xE2\x94\x82")
        << "the item's end in view";
    list.OnKey(CTermEvent::KeyPress(TK_LEFT));
    EXPECT_EQ(list.ScrollColumn(), 10);
}
