// The layout of a page's texts in the terminal. A cell holds less text than the dialog font's
// proportional glyphs, so a text may need more room than its template rectangle gives: a word too
// wide for it takes free cells beside it (keeping a blank between it and its neighbour), and lines
// that do not fit above the next control push the controls below down over the free rows. A field's
// label is one word in this sense: it never breaks, and when the free cells are too few the field
// on its right gives up the cells it needs.
#include <algorithm>
#include <map>

#include "ui/term/term_controls.h"
#include "ui/term/term_text.h"

namespace {
// The cells a text's lines may use inside its control (a check box's mark comes first).
int TextIndent(const CTermWidget& widget) {
    return dynamic_cast<const CTermCheckBox*>(&widget) != nullptr ? 4 : 0;
}

bool IsText(const CTermWidget& widget) {
    return dynamic_cast<const CTermStatic*>(&widget) != nullptr ||
           dynamic_cast<const CTermCheckBox*>(&widget) != nullptr;
}

// Cells a label may take from the field on its right, which must stay usable.
constexpr int MIN_FIELD_COLS = 8;

bool RowsOverlap(const CTermRect& a, const CTermRect& b) {
    return a.nRow < b.nRow + b.nRows && b.nRow < a.nRow + a.nRows;
}

bool ColsOverlap(const CTermRect& a, const CTermRect& b) {
    return a.nCol < b.nCol + b.nCols && b.nCol < a.nCol + a.nCols;
}

int LongestWord(const std::string& strText) {
    int nLongest = 0;
    int nRun = 0;
    for (char ch : strText) {
        nRun = ch == ' ' || ch == '\n' || ch == '\r' ? 0 : nRun + 1;
        nLongest = std::max(nLongest, nRun);
    }
    return nLongest;
}

// Widens a text whose longest word does not fit (or would touch the control right of it) over the
// free cells on its right, then on its left.
void WidenForWords(CTermWidget& text, const std::vector<CTermWidget*>& apOthers, int nDialogCols) {
    CTermRect rect = text.Rect();
    const int nIndent = TextIndent(text);
    // The nearest control on each side, on the text's rows.
    int nLeftLimit = 0;
    int nRightLimit = nDialogCols;
    bool bTouching = false;
    CTermWidget* pRight = nullptr;
    for (CTermWidget* pOther : apOthers) {
        const CTermRect& other = pOther->Rect();
        if (!RowsOverlap(rect, other) || ColsOverlap(rect, other)) {
            continue;
        }
        if (other.nCol >= rect.nCol + rect.nCols) {
            nRightLimit = std::min(nRightLimit, other.nCol - 1);
            bTouching = bTouching || other.nCol == rect.nCol + rect.nCols;
            if (pRight == nullptr || other.nCol < pRight->Rect().nCol) {
                pRight = pOther;
            }
        } else {
            nLeftLimit = std::max(nLeftLimit, other.nCol + other.nCols + 1);
        }
    }
    const std::string strText = dynamic_cast<const IControl&>(text).GetWindowText();
    // A one-row static right before a field (an edit) is that field's label.
    const bool bLabel = rect.nRows == 1 && dynamic_cast<const CTermStatic*>(&text) != nullptr &&
                        pRight != nullptr && dynamic_cast<const CTermEdit*>(pRight) != nullptr;
    const int nLongest = bLabel ? static_cast<int>(strText.find_last_not_of(' ') + 1) : LongestWord(strText);
    const std::vector<std::string> astrLines = WrapText(strText, rect.nCols - nIndent);
    int nWidest = 0;
    for (const std::string& strLine : astrLines) {
        nWidest = std::max(nWidest, static_cast<int>(strLine.size()));
    }
    // A blank between the text and a control right after it, as the proportional font leaves one.
    const bool bNeedsGap = bTouching && nWidest >= rect.nCols - nIndent;
    int nShort = nLongest + nIndent + (bNeedsGap ? 1 : 0) - rect.nCols;
    if (nShort <= 0) {
        return;
    }
    const int nRight = std::clamp(nRightLimit - (rect.nCol + rect.nCols), 0, nShort);
    rect.nCols += nRight;
    nShort -= nRight;
    // A blank stays on the right when the text had touched its neighbour.
    if (bTouching && nRight == 0) {
        nShort = std::max(nShort, 1);
    }
    const int nLeft = std::clamp(rect.nCol - nLeftLimit, 0, nShort);
    rect.nCol -= nLeft;
    if (bTouching && nRight == 0) {
        // The text moves left rather than growing into its neighbour.
        rect.nCols += std::max(0, nLeft - 1);
    } else {
        rect.nCols += nLeft;
    }
    if (bLabel) {
        // The label's text, a blank, then its field: the field gives up what the free cells lack.
        CTermRect field = pRight->Rect();
        const int nLack = rect.nCol + nLongest + 1 - field.nCol;
        if (nLack > 0) {
            const int nTaken = std::min(nLack, std::max(0, field.nCols - MIN_FIELD_COLS));
            field.nCol += nTaken;
            field.nCols -= nTaken;
            pRight->Place(field);
        }
        rect.nCols = std::min(std::max(rect.nCols, nLongest), field.nCol - 1 - rect.nCol);
    }
    text.Place(rect);
}

int NeededRows(const CTermWidget& widget) {
    if (!IsText(widget)) {
        return widget.Rect().nRows;
    }
    const int nLines = static_cast<int>(WrapText(dynamic_cast<const IControl&>(widget).GetWindowText(),
                                                 widget.Rect().nCols - TextIndent(widget))
                                            .size());
    return std::max(widget.Rect().nRows, nLines);
}
}  // namespace

void CTermPage::SetScale(const CTermScale& scale, int nDialogRows) {
    std::vector<CTermWidget*> apVisible;
    for (const auto& pWidget : m_apWidgets) {
        pWidget->SetScale(scale);
        if (pWidget->Template().IsVisible()) {
            apVisible.push_back(pWidget.get());
        }
    }
    const int nDialogCols = scale.Col(Resources().FindDialog(m_nTemplateId) != nullptr
                                          ? Resources().FindDialog(m_nTemplateId)->m_nWidth
                                          : 280);
    for (CTermWidget* pText : apVisible) {
        if (IsText(*pText)) {
            std::vector<CTermWidget*> apOthers;
            for (CTermWidget* pOther : apVisible) {
                if (pOther != pText) {
                    apOthers.push_back(pOther);
                }
            }
            WidenForWords(*pText, apOthers, nDialogCols);
        }
    }

    // Push-down, a template row at a time (controls of one row move together), never past the
    // dialog's bottom: a text that still does not fit keeps what it has.
    std::map<int, std::vector<CTermWidget*>> mapRows;
    for (CTermWidget* pWidget : apVisible) {
        mapRows[pWidget->Rect().nRow].push_back(pWidget);
    }
    std::vector<CTermWidget*> apPlaced;
    int nLastTop = 0;
    for (auto& [nRow, apGroup] : mapRows) {
        int nShift = std::max(0, nLastTop - nRow);
        for (const CTermWidget* pWidget : apGroup) {
            for (const CTermWidget* pAbove : apPlaced) {
                if (ColsOverlap(pAbove->Rect(), pWidget->Rect())) {
                    nShift = std::max(nShift, pAbove->Rect().nRow + NeededRows(*pAbove) - nRow);
                }
            }
        }
        int nBottom = 0;
        for (const CTermWidget* pWidget : apGroup) {
            nBottom = std::max(nBottom, nRow + pWidget->Rect().nRows);
        }
        nShift = std::clamp(nShift, 0, std::max(0, nDialogRows - nBottom));
        for (CTermWidget* pWidget : apGroup) {
            CTermRect rect = pWidget->Rect();
            rect.nRow += nShift;
            pWidget->Place(rect);
            apPlaced.push_back(pWidget);
        }
        nLastTop = nRow + nShift;
    }

    // Texts run on down to the next control under them, or the dialog's bottom.
    for (CTermWidget* pText : apVisible) {
        if (!IsText(*pText)) {
            continue;
        }
        const CTermRect& rect = pText->Rect();
        int nLimit = std::max(nDialogRows, rect.nRow + rect.nRows);
        for (const CTermWidget* pOther : apVisible) {
            const CTermRect& other = pOther->Rect();
            if (pOther != pText && other.nRow > rect.nRow && ColsOverlap(rect, other)) {
                nLimit = std::min(nLimit, other.nRow);
            }
        }
        pText->SetTextRows(nLimit - rect.nRow);
    }
}
