// Every text of every page template, completed as the pages complete them, laid out in the terminal at
// its smallest size and at a larger one: each must show whole, its words in order, nothing drawn over
// it. (The machine files change only edits and lists, not these texts.)
#include <gtest/gtest.h>

#include "pages/vendor_texts.h"
#include "res/resource_ids.h"
#include "resources/resource_script.h"
#include "ui/term/term_controls.h"
#include "ui/term/term_test_util.h"
#include "ui/term/term_text.h"

namespace {

void ExpectEveryTextWhole(const CTermScale& scale, int nInteriorRows, int nExteriorRows) {
    for (const auto& [nId, dialog] : Resources().Dialogs()) {
        CTermPage page(nId);
        FillVendorTexts(page, nId);
        // The welcome page, taller than the rest, has no header band above it.
        const int nRows = dialog.m_nHeight > 105 ? nExteriorRows : nInteriorRows;
        page.SetScale(scale, nRows);
        CTermCanvas canvas(nRows, scale.ColsFor(dialog.m_nWidth));
        page.Draw(canvas, 0, 0, nullptr);
        ExpectTextsWhole(
            canvas, page, 0, 0,
            "dialog " + std::to_string(nId) + " at " + std::to_string(scale.nUnitsX16) + "/16 units a cell");
    }
}

TEST(TermPageLayout, NoTextIsCutAt80x24) {
    ExpectEveryTextWhole(CTermScale{}, 14, 18);
}

TEST(TermPageLayout, NoTextIsCutAt120x40) {
    const CTermScale scale = ScaleFor(40, 120, 280, 105, 143, 6, 8);
    EXPECT_LT(scale.nUnitsX16, CTermScale::UNITS_X16) << "a larger terminal shows a larger sheet";
    ExpectEveryTextWhole(scale, scale.RowsFor(143) - 4, scale.RowsFor(143));
}

TEST(TermPageLayout, ScaleNeverExceedsFourByEightUnitsACell) {
    EXPECT_EQ(ScaleFor(24, 80, 280, 105, 143, 6, 8), CTermScale{});
    EXPECT_EQ(ScaleFor(22, 76, 280, 105, 143, 6, 8), CTermScale{}) << "too small: the smallest sheet";
    const CTermScale wide = ScaleFor(24, 200, 280, 105, 143, 6, 8);
    EXPECT_EQ(wide, CTermScale{}) << "a wide but low terminal is held by its rows";
    const CTermScale large = ScaleFor(40, 120, 280, 105, 143, 6, 8);
    EXPECT_LE(large.ColsFor(280) + 6, 116);
    EXPECT_EQ(large.nUnitsY16, 2 * large.nUnitsX16) << "a cell keeps its shape";
}

TEST(TermPageLayout, AWordTooWideTakesFreeCellsAndTipNumbersKeepABlank) {
    CTermPage post(IDD_POST);
    post.SetScale(CTermScale{}, 14);
    // "Email*:" (7 characters in 6 cells) moves into the free cells before it, a blank either side.
    const CTermRect email = post.Widgets()[6]->Rect();
    EXPECT_EQ(dynamic_cast<const IControl&>(*post.Widgets()[6]).GetWindowText(), "Email*:");
    EXPECT_GE(email.nCols, 7);
    EXPECT_LT(email.nCol + email.nCols, post.Widget(IDC_EMAIL)->Rect().nCol);
    EXPECT_GT(email.nCol,
              post.Widget(IDC_REPORTED_BY)->Rect().nCol + post.Widget(IDC_REPORTED_BY)->Rect().nCols);
    // The privacy promise needs three rows: the controls below move down a row.
    EXPECT_EQ(post.Widget(IDC_OS_VERSION)->Rect().nRow, 3);

    // "Reported by*:" (13 characters in 11 cells, its field right after it) stays on one line: the
    // field gives up the cells, and a blank stays between them.
    const CTermWidget& label = *post.Widgets()[4];
    ASSERT_EQ(dynamic_cast<const IControl&>(label).GetWindowText(), "Reported by*:");
    EXPECT_EQ(WrapText("Reported by*:", label.Rect().nCols).size(), 1u);
    EXPECT_LT(label.Rect().nCol + label.Rect().nCols, post.Widget(IDC_REPORTED_BY)->Rect().nCol);
    EXPECT_GE(post.Widget(IDC_REPORTED_BY)->Rect().nCols, 20) << "the field stays usable";

    CTermPage tips(IDD_NONE_SUPPORTED);
    tips.SetScale(CTermScale{}, 14);
    const CTermRect number = tips.Widgets()[1]->Rect();
    const CTermRect tip = tips.Widgets()[2]->Rect();
    EXPECT_LT(number.nCol + number.nCols, tip.nCol) << "a blank between \"1.\" and its tip";
}

}  // namespace
