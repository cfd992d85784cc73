#include "ui/term/term_controls.h"

#include <algorithm>

#include "ui/term/term_text.h"
#include "wizard/property_sheet.h"

namespace {
bool IsPressKey(const CTermEvent& event) {
    return event.IsKey(' ') || event.IsKey(TK_ENTER);
}

// A list view's client width: the control less its border, in the terminal's pixels.
int ClientPixels(const CDialogControl& control) {
    const int nCols = DialogRect(control.m_nX, control.m_nY, control.m_nWidth, control.m_nHeight).nCols;
    return std::max(0, nCols - (control.HasBorder() ? 2 : 0)) * TERM_PIXELS_PER_COL;
}

int CeilDiv(int a, int b) {
    return b > 0 ? (a + b - 1) / b : a;
}

int CellsOf(int nPixels) {
    return (nPixels + TERM_PIXELS_PER_COL / 2) / TERM_PIXELS_PER_COL;
}
}  // namespace

CTermScale ScaleFor(int nRows, int nCols, int nWidth, int nHeight, int nExteriorBottom, int nFrameCols,
                    int nFrameRows) {
    // Two cells of desktop left and right, one above and below, as at the smallest size.
    const int nDialogCols = std::max(1, nCols - 4 - nFrameCols);
    const int nDialogRows = std::max(1, nRows - 2 - nFrameRows);
    // A cell's height in units is twice its width, as at 4 x 8; the exterior page has the header
    // band's four rows besides its dialog's.
    int nUnits = std::max({CeilDiv(nWidth * 16, nDialogCols), CeilDiv(nHeight * 8, nDialogRows),
                           CeilDiv(nExteriorBottom * 8, nDialogRows + 4)});
    nUnits = std::clamp(nUnits, 1, CTermScale::UNITS_X16);
    return CTermScale{nUnits, 2 * nUnits};
}

CTermRect DialogRect(int nX, int nY, int nWidth, int nHeight, const CTermScale& scale) {
    const int nCol = scale.Col(nX);
    const int nRow = scale.Row(nY);
    const int nRight = scale.Col(nX + nWidth);
    const int nBottom = scale.Row(nY + nHeight);
    return CTermRect{nRow, nCol, std::max(1, nBottom - nRow), std::max(1, nRight - nCol)};
}

void CTermWidget::SetScale(const CTermScale& scale) {
    m_rect = DialogRect(m_control.m_nX, m_control.m_nY, m_control.m_nWidth, m_control.m_nHeight, scale);
}

CTermWidget::CTermWidget(const CDialogControl& control)
    : m_control(control),
      m_rect(DialogRect(control.m_nX, control.m_nY, control.m_nWidth, control.m_nHeight)) {}

void CTermStatic::Draw(CTermCanvas& canvas, int nRow, int nCol, bool /*bFocus*/) const {
    const CTermRect& rect = Rect();
    const std::vector<std::string> astrLines = WrapText(GetWindowText(), rect.nCols);
    int nFirst = nRow + rect.nRow;
    if (Template().IsVerticallyCentred() && static_cast<int>(astrLines.size()) < rect.nRows) {
        nFirst += (rect.nRows - static_cast<int>(astrLines.size())) / 2;
    }
    for (int i = 0; i < static_cast<int>(astrLines.size()) && nFirst + i < nRow + rect.nRow + TextRows();
         ++i) {
        const std::string& strLine = astrLines[i];
        const int nSpare = std::max(0, rect.nCols - static_cast<int>(strLine.size()));
        const int nIndent = Template().Align() == ETextAlign::Right    ? nSpare
                            : Template().Align() == ETextAlign::Centre ? nSpare / 2
                                                                       : 0;
        canvas.PutText(nFirst + i, nCol + rect.nCol + nIndent, strLine, m_eStyle, rect.nCols);
    }
}

void CTermEdit::SetWindowText(const std::string& strText) {
    CModelControl::SetWindowText(strText);
    m_nCaret = 0;
    m_nScroll = 0;
    m_bAllSelected = false;
}

void CTermEdit::Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const {
    const CTermRect& rect = Rect();
    const int nTop = nRow + rect.nRow;
    const int nLeft = nCol + rect.nCol;
    const ETermStyle eField = Template().IsReadOnly() ? ETermStyle::ReadOnly : ETermStyle::Window;
    canvas.Fill(nTop, nLeft, 1, rect.nCols, eField);
    const std::string strText = GetWindowText();
    const std::string strShown =
        m_nScroll < static_cast<int>(strText.size()) ? strText.substr(m_nScroll) : "";
    const ETermStyle eText = bFocus && m_bAllSelected ? ETermStyle::Selection : eField;
    // Without the focus, a text that runs on past the field ends in an ellipsis.
    canvas.PutText(nTop, nLeft, bFocus ? strShown : FitText(strShown, rect.nCols), eText, rect.nCols);
    if (bFocus && !m_bAllSelected && m_nCaret - m_nScroll < rect.nCols) {
        canvas.Restyle(nTop, nLeft + m_nCaret - m_nScroll, 1, ETermStyle::Selection);
    }
}

void CTermEdit::ScrollToCaret() {
    const int nCols = std::max(1, Rect().nCols);
    m_nScroll = std::clamp(m_nScroll, std::max(0, m_nCaret - nCols + 1), m_nCaret);
}

ETermAction CTermEdit::OnKey(const CTermEvent& event) {
    if (event.eKind != CTermEvent::Key || event.bAlt) {
        return ETermAction::Ignored;
    }
    std::string strText = GetWindowText();
    const int nLength = static_cast<int>(strText.size());
    const int nKey = event.nKey;
    const bool bReadOnly = Template().IsReadOnly();
    const bool bEditing = nKey == TK_BACKSPACE || nKey == TK_DELETE || (nKey >= 0x20 && nKey <= 0xFF);
    if (bEditing && bReadOnly) {
        return ETermAction::Handled;
    }
    if (bEditing && m_bAllSelected) {
        // Typing replaces the selection; Backspace and Delete remove it.
        strText.clear();
        m_nCaret = 0;
        if (nKey == TK_BACKSPACE || nKey == TK_DELETE) {
            CModelControl::SetWindowText(strText);
            m_bAllSelected = false;
            ScrollToCaret();
            return ETermAction::Handled;
        }
    }
    m_bAllSelected = false;
    switch (nKey) {
        case TK_LEFT:
            m_nCaret = std::max(0, m_nCaret - 1);
            break;
        case TK_RIGHT:
            m_nCaret = std::min(nLength, m_nCaret + 1);
            break;
        case TK_HOME:
            m_nCaret = 0;
            break;
        case TK_END:
            m_nCaret = nLength;
            break;
        case TK_BACKSPACE:
            if (m_nCaret > 0) {
                strText.erase(--m_nCaret, 1);
            }
            break;
        case TK_DELETE:
            if (m_nCaret < static_cast<int>(strText.size())) {
                strText.erase(m_nCaret, 1);
            }
            break;
        default:
            if (nKey < 0x20 || nKey > 0xFF) {
                return ETermAction::Ignored;
            }
            strText.insert(strText.begin() + m_nCaret++, static_cast<char>(nKey));
            break;
    }
    if (bEditing) {
        CModelControl::SetWindowText(strText);
    }
    ScrollToCaret();
    return ETermAction::Handled;
}

ETermAction CTermEdit::OnClick(int /*nRow*/, int nCol) {
    m_bAllSelected = false;
    m_nCaret = std::clamp(m_nScroll + nCol, 0, static_cast<int>(GetWindowText().size()));
    return ETermAction::Handled;
}

void CTermEdit::OnFocus(bool bByTab) {
    if (bByTab) {
        m_bAllSelected = true;
        m_nCaret = static_cast<int>(GetWindowText().size());
        m_nScroll = 0;
    }
}

void CTermPushButton::Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const {
    const CTermRect& rect = Rect();
    const std::string strLabel = "[ " + GetWindowText() + " ]";
    const int nIndent = std::max(0, (rect.nCols - static_cast<int>(strLabel.size())) / 2);
    canvas.PutText(nRow + rect.nRow + (rect.nRows - 1) / 2, nCol + rect.nCol + nIndent, strLabel,
                   bFocus ? ETermStyle::ButtonFocus : ETermStyle::Button, rect.nCols);
}

ETermAction CTermPushButton::OnKey(const CTermEvent& event) {
    return IsPressKey(event) ? ETermAction::Pressed : ETermAction::Ignored;
}

ETermAction CTermPushButton::OnClick(int /*nRow*/, int /*nCol*/) {
    return ETermAction::Pressed;
}

void CTermCheckBox::Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const {
    const CTermRect& rect = Rect();
    const int nTop = nRow + rect.nRow + (rect.nRows - 1) / 2;
    const int nLeft = nCol + rect.nCol;
    canvas.PutText(nTop, nLeft, GetCheck() ? "[x]" : "[ ]", ETermStyle::Face, rect.nCols);
    const std::vector<std::string> astrLines = WrapText(GetWindowText(), rect.nCols - 4);
    for (int i = 0; i < static_cast<int>(astrLines.size()) && nTop + i < nRow + rect.nRow + TextRows(); ++i) {
        canvas.PutText(nTop + i, nLeft + 4, astrLines[i], bFocus ? ETermStyle::Focus : ETermStyle::Face,
                       rect.nCols - 4);
    }
}

ETermAction CTermCheckBox::OnKey(const CTermEvent& event) {
    if (!event.IsKey(' ')) {
        return ETermAction::Ignored;
    }
    SetCheck(GetCheck() ? BST_UNCHECKED : BST_CHECKED);
    return ETermAction::Handled;
}

ETermAction CTermCheckBox::OnClick(int /*nRow*/, int /*nCol*/) {
    SetCheck(GetCheck() ? BST_UNCHECKED : BST_CHECKED);
    return ETermAction::Handled;
}

void CListCursor::Clamp(int nCount, int nVisible) {
    nVisible = std::max(1, nVisible);
    nSelected = nCount == 0 ? -1 : std::min(nSelected, nCount - 1);
    nTop = std::clamp(nTop, 0, std::max(0, nCount - nVisible));
    if (nSelected >= 0) {
        nTop = std::clamp(nTop, std::max(0, nSelected - nVisible + 1), nSelected);
    }
}

bool CListCursor::Move(int nKey, int nCount, int nVisible) {
    const int nPage = std::max(1, nVisible - 1);
    int nTarget = nSelected;
    switch (nKey) {
        case TK_UP:
            nTarget = nSelected < 0 ? 0 : nSelected - 1;
            break;
        case TK_DOWN:
            nTarget = nSelected + 1;
            break;
        case TK_PAGE_UP:
            nTarget = nSelected - nPage;
            break;
        case TK_PAGE_DOWN:
            nTarget = std::max(0, nSelected) + nPage;
            break;
        case TK_HOME:
            nTarget = 0;
            break;
        case TK_END:
            nTarget = nCount - 1;
            break;
        default:
            return false;
    }
    if (nCount > 0) {
        nSelected = std::clamp(nTarget, 0, nCount - 1);
    }
    Clamp(nCount, nVisible);
    return true;
}

void CListCursor::Scroll(int nDelta, int nCount, int nVisible) {
    nTop = std::clamp(nTop + nDelta, 0, std::max(0, nCount - std::max(1, nVisible)));
}

void DrawListFrame(CTermCanvas& canvas, const CTermRect& rect, bool bBorder, bool bMoreAbove,
                   bool bMoreBelow) {
    if (!bBorder) {
        return;
    }
    canvas.Frame(rect.nRow, rect.nCol, rect.nRows, rect.nCols, ETermStyle::Face);
    const int nRight = rect.nCol + rect.nCols - 1;
    if (bMoreAbove) {
        canvas.Put(rect.nRow + 1, nRight, TERM_ARROW_UP, ETermStyle::Face);
    }
    if (bMoreBelow) {
        canvas.Put(rect.nRow + rect.nRows - 2, nRight, TERM_ARROW_DOWN, ETermStyle::Face);
    }
}

CTermListView::CTermListView(const CDialogControl& control)
    : CModelListView(ClientPixels(control)), CTermWidget(control) {}

int CTermListView::GetStringWidth(std::string_view strText) const {
    return static_cast<int>(strText.size()) * TERM_PIXELS_PER_COL;
}

int CTermListView::GetClientWidth() const {
    return Inner(0, 0).nCols * TERM_PIXELS_PER_COL;
}

CTermRect CTermListView::Inner(int nRow, int nCol) const {
    const int nBorder = Template().HasBorder() ? 1 : 0;
    return CTermRect{Rect().nRow + nRow + nBorder, Rect().nCol + nCol + nBorder,
                     std::max(0, Rect().nRows - 2 * nBorder), std::max(0, Rect().nCols - 2 * nBorder)};
}

int CTermListView::TotalColumnCells() const {
    int nTotal = 0;
    for (int c = 0; c < GetColumnCount(); ++c) {
        nTotal += CellsOf(GetColumnWidth(c));
    }
    return nTotal;
}

void CTermListView::Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const {
    const CTermRect inner = Inner(nRow, nCol);
    CListCursor cursor = m_cursor;
    cursor.Clamp(GetItemCount(), ItemRows());
    canvas.Fill(inner.nRow, inner.nCol, inner.nRows, inner.nCols, ETermStyle::Window);
    const bool bGrid = (GetExtendedStyle() & LVS_EX_GRIDLINES) != 0;
    // One row of cells: each column's text after a one-cell margin, cut at the column's end, where a
    // grid line stands.
    auto drawRow = [&](int nAtRow, ETermStyle eStyle, auto cellText) {
        canvas.Fill(nAtRow, inner.nCol, 1, inner.nCols, eStyle);
        int nX = -m_nScrollCol;
        for (int c = 0; c < GetColumnCount(); ++c) {
            const int nWidth = CellsOf(GetColumnWidth(c));
            const std::string strCell = FitText(cellText(c), nWidth - 2);
            for (int i = 0; i < static_cast<int>(strCell.size()); ++i) {
                if (nX + 1 + i >= 0 && nX + 1 + i < inner.nCols) {
                    canvas.PutText(nAtRow, inner.nCol + nX + 1 + i, strCell.substr(i, 1), eStyle);
                }
            }
            const int nLine = nX + nWidth - 1;
            if ((bGrid || eStyle == ETermStyle::ListHeader) && nWidth > 0 && nLine >= 0 &&
                nLine < inner.nCols) {
                canvas.Put(nAtRow, inner.nCol + nLine, TERM_VLINE, eStyle);
            }
            nX += nWidth;
        }
    };
    if (inner.nRows > 0) {
        drawRow(inner.nRow, ETermStyle::ListHeader, [&](int c) { return GetColumnHeading(c); });
    }
    for (int i = 0; i < ItemRows() && cursor.nTop + i < GetItemCount(); ++i) {
        const int nItem = cursor.nTop + i;
        // Without LVS_SHOWSELALWAYS the selection shows only while the list has the focus.
        const ETermStyle eStyle =
            nItem == cursor.nSelected && bFocus ? ETermStyle::Selection : ETermStyle::Window;
        drawRow(inner.nRow + 1 + i, eStyle, [&](int c) { return GetItemText(nItem, c); });
    }
    CTermRect rect = Rect();
    rect.nRow += nRow;
    rect.nCol += nCol;
    DrawListFrame(canvas, rect, Template().HasBorder(), cursor.nTop > 0,
                  cursor.nTop + ItemRows() < GetItemCount());
    if (Template().HasBorder()) {
        const int nBottom = rect.nRow + rect.nRows - 1;
        if (m_nScrollCol > 0) {
            canvas.Put(nBottom, rect.nCol + 1, U'<', ETermStyle::Face);
        }
        if (TotalColumnCells() - m_nScrollCol > inner.nCols) {
            canvas.Put(nBottom, rect.nCol + rect.nCols - 2, U'>', ETermStyle::Face);
        }
    }
}

ETermAction CTermListView::OnKey(const CTermEvent& event) {
    m_cursor.Clamp(GetItemCount(), ItemRows());
    if (event.eKind != CTermEvent::Key || event.bAlt) {
        return ETermAction::Ignored;
    }
    const int nMaxScroll = std::max(0, TotalColumnCells() - Inner(0, 0).nCols);
    if (event.nKey == TK_LEFT || event.nKey == TK_RIGHT) {
        m_nScrollCol = std::clamp(m_nScrollCol + (event.nKey == TK_LEFT ? -1 : 1), 0, nMaxScroll);
        return ETermAction::Handled;
    }
    if (event.nKey == TK_ENTER && m_cursor.nSelected >= 0) {
        return ETermAction::Opened;
    }
    return m_cursor.Move(event.nKey, GetItemCount(), ItemRows()) ? ETermAction::Handled
                                                                 : ETermAction::Ignored;
}

ETermAction CTermListView::OnClick(int nRow, int /*nCol*/) {
    // Relative to the inside of the border.
    const CTermRect inner = Inner(-Rect().nRow, -Rect().nCol);
    m_cursor.Clamp(GetItemCount(), ItemRows());
    const int nItem = m_cursor.nTop + (nRow - inner.nRow - 1);
    if (nRow > inner.nRow && nRow < inner.nRow + inner.nRows && nItem < GetItemCount()) {
        m_cursor.nSelected = nItem;
    }
    return ETermAction::Handled;
}

void CTermListView::OnWheel(int nDelta) {
    m_cursor.Scroll(nDelta, GetItemCount(), ItemRows());
}

void CTermListView::OnFocus(bool /*bByTab*/) {
    if (m_cursor.nSelected < 0 && GetItemCount() > 0) {
        m_cursor.nSelected = m_cursor.nTop;
    }
}

CTermPage::CTermPage(UINT nTemplateId, const CPropertySheetEx* pSheet) : m_nTemplateId(nTemplateId) {
    const CDialogTemplate* pTemplate = Resources().FindDialog(nTemplateId);
    if (pTemplate == nullptr) {
        return;
    }
    for (const CDialogControl& control : pTemplate->m_controls) {
        std::unique_ptr<CTermWidget> pWidget;
        switch (control.m_eKind) {
            case EControlKind::Edit:
                pWidget = std::make_unique<CTermEdit>(control);
                break;
            case EControlKind::PushButton:
                pWidget = std::make_unique<CTermPushButton>(control);
                break;
            case EControlKind::CheckBox:
                pWidget = std::make_unique<CTermCheckBox>(control);
                break;
            case EControlKind::ListBox:
                pWidget = std::make_unique<CTermListBox>(control, control.IsSorted());
                break;
            case EControlKind::CheckListBox:
                pWidget = std::make_unique<CTermCheckListBox>(control);
                break;
            case EControlKind::ListView:
                pWidget = std::make_unique<CTermListView>(control);
                break;
            default: {
                // A text the page colours (the verdict) shows in the terminal's page-colour style.
                CCtlColors colors{};
                const bool bColoured =
                    pSheet != nullptr && pSheet->GetCtlColors(nTemplateId, control.m_nId, &colors);
                pWidget = std::make_unique<CTermStatic>(control,
                                                        bColoured ? ETermStyle::Verdict : ETermStyle::Face);
                break;
            }
        }
        if (control.m_nId != -1) {
            m_mapIds.emplace(control.m_nId, pWidget.get());
        }
        m_apWidgets.push_back(std::move(pWidget));
    }
    SetScale(CTermScale{}, (pTemplate->m_nHeight + 7) / 8);
}

IControl* CTermPage::GetDlgItem(int nId) {
    return dynamic_cast<IControl*>(Widget(nId));
}

CTermWidget* CTermPage::Widget(int nId) const {
    auto it = m_mapIds.find(nId);
    return it == m_mapIds.end() ? nullptr : it->second;
}

std::vector<CTermWidget*> CTermPage::TabStops() const {
    std::vector<CTermWidget*> apStops;
    for (const auto& pWidget : m_apWidgets) {
        if (pWidget->IsTabStop()) {
            apStops.push_back(pWidget.get());
        }
    }
    return apStops;
}

CTermWidget* CTermPage::WidgetAt(int nRow, int nCol) const {
    // Later controls lie on top of earlier ones; statics never take a click.
    for (auto it = m_apWidgets.rbegin(); it != m_apWidgets.rend(); ++it) {
        const CTermWidget& widget = **it;
        if (widget.Template().IsVisible() && widget.Rect().Contains(nRow, nCol) &&
            dynamic_cast<const CTermStatic*>(&widget) == nullptr) {
            return it->get();
        }
    }
    return nullptr;
}

void CTermPage::Draw(CTermCanvas& canvas, int nRow, int nCol, const CTermWidget* pFocus) const {
    for (const auto& pWidget : m_apWidgets) {
        if (pWidget->Template().IsVisible()) {
            pWidget->Draw(canvas, nRow, nCol, pWidget.get() == pFocus);
        }
    }
}
