// Classes: CTermRect, CTermScale, CTermWidget, CTermStatic, CTermEdit, CTermPushButton, CTermCheckBox,
// CListCursor, CTermListBoxT (CTermListBox, CTermCheckListBox), CTermListView, CTermPage.
// The controls of a page in the terminal: each is the model control of its kind (so that page
// logic reads and writes the same data as in tests) with a drawing in character cells and the keys and
// clicks a user gives it. Positions come from the dialog template: 4 horizontal and 8 vertical dialog
// units make one cell.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "resources/resource_script.h"
#include "ui/model/model_controls.h"
#include "ui/term/term_canvas.h"
#include "ui/term/term_device.h"
#include "ui/term/term_text.h"

class CPropertySheetEx;

// The terminal's pixels, for the measures the core makes in pixels (list view columns, the progress
// window's layout): a cell is as wide and as high as the dialog font's average character, 4 x 8 dialog
// units, which is 6 x 13 pixels at the dialog font's size.
constexpr int TERM_PIXELS_PER_COL = 6;
constexpr int TERM_PIXELS_PER_ROW = 13;

struct CTermRect {
    int nRow = 0;
    int nCol = 0;
    int nRows = 0;
    int nCols = 0;
    bool Contains(int nAtRow, int nAtCol) const {
        return nAtRow >= nRow && nAtRow < nRow + nRows && nAtCol >= nCol && nAtCol < nCol + nCols;
    }
};

// How many dialog units make a cell, in sixteenths of a unit: 4 x 8 units on a terminal that only
// just holds the sheet, fewer (a larger wizard) on a larger terminal, never more.
struct CTermScale {
    static constexpr int UNITS_X16 = 64;
    static constexpr int UNITS_Y16 = 128;
    int nUnitsX16 = UNITS_X16;
    int nUnitsY16 = UNITS_Y16;
    bool operator==(const CTermScale&) const = default;
    // A horizontal or vertical position in units as a cell edge (rounded to the nearest).
    int Col(int nX) const { return (nX * 16 + nUnitsX16 / 2) / nUnitsX16; }
    int Row(int nY) const { return (nY * 16 + nUnitsY16 / 2) / nUnitsY16; }
    // The cells that hold a length in units whole.
    int ColsFor(int nWidth) const { return (nWidth * 16 + nUnitsX16 - 1) / nUnitsX16; }
    int RowsFor(int nHeight) const { return (nHeight * 16 + nUnitsY16 - 1) / nUnitsY16; }
};

// The largest scale (a cell keeping the shape of 4 x 8 units) at which a sheet fits the terminal
// with a margin: its pages' dialogs nWidth units wide, the interior pages nHeight units high under
// the header band, the exterior page's controls reaching nExteriorBottom units down without it.
// nFrameCols and nFrameRows are the sheet's cells around its dialog.
CTermScale ScaleFor(int nRows, int nCols, int nWidth, int nHeight, int nExteriorBottom, int nFrameCols,
                    int nFrameRows);

// A template rectangle in cells (rounded to the nearest cell edges; at least one cell).
CTermRect DialogRect(int nX, int nY, int nWidth, int nHeight, const CTermScale& scale = {});

// What a key or a click did to a control.
enum class ETermAction {
    Ignored,  // not for this control: the sheet may use it
    Handled,
    Pressed,  // a push button was pressed
    Opened,   // a list view's selected item was opened (Enter): the host shows it whole
};

class CTermWidget {
public:
    explicit CTermWidget(const CDialogControl& control);
    virtual ~CTermWidget() = default;

    const CDialogControl& Template() const { return m_control; }
    // Relative to the dialog's origin.
    const CTermRect& Rect() const { return m_rect; }
    int Id() const { return m_control.m_nId; }
    // Places the control at the scale's cells; Place moves it from there (the page's layout).
    void SetScale(const CTermScale& scale);
    void Place(const CTermRect& rect) { m_rect = rect; }
    // Takes the focus through Tab.
    virtual bool IsTabStop() const { return m_control.IsVisible() && m_control.IsTabStop(); }
    virtual bool IsPushButton() const { return false; }

    // Draws the control with the dialog's origin at (nRow, nCol).
    virtual void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const = 0;
    virtual ETermAction OnKey(const CTermEvent& /*event*/) { return ETermAction::Ignored; }
    // A click at a cell relative to the control's own rectangle.
    virtual ETermAction OnClick(int /*nRow*/, int /*nCol*/) { return ETermAction::Ignored; }
    virtual void OnWheel(int /*nDelta*/) {}
    // The focus arrives (bByTab: through Tab or Shift+Tab, as the dialog manager selects an edit's text).
    virtual void OnFocus(bool /*bByTab*/) {}

    // How many rows a text may take: a cell holds less text than the dialog font's proportional glyphs,
    // so a text that needs more rows than its template gives runs on into the free rows below it.
    int TextRows() const { return std::max(m_rect.nRows, m_nTextRows); }
    void SetTextRows(int nRows) { m_nTextRows = nRows; }

private:
    CDialogControl m_control;
    CTermRect m_rect;
    int m_nTextRows = 0;
};

// A static text: wrapped at blanks, aligned and (SS_CENTERIMAGE) centred vertically as its template says.
class CTermStatic : public CModelControl, public CTermWidget {
public:
    CTermStatic(const CDialogControl& control, ETermStyle eStyle)
        : CModelControl(control.m_strText), CTermWidget(control), m_eStyle(eStyle) {}
    void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const override;

private:
    ETermStyle m_eStyle;
};

// A single-line edit: read-only, or taking typing. The text is selected whole when Tab brings the
// focus, and typing replaces a selection.
class CTermEdit : public CModelControl, public CTermWidget {
public:
    explicit CTermEdit(const CDialogControl& control)
        : CModelControl(control.m_strText), CTermWidget(control) {}
    // A read-only edit takes the focus too, so that a text longer than the field can be scrolled.
    bool IsTabStop() const override {
        return Template().IsVisible() && (Template().IsTabStop() || Template().IsReadOnly());
    }
    void SetWindowText(const std::string& strText) override;
    void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const override;
    ETermAction OnKey(const CTermEvent& event) override;
    ETermAction OnClick(int nRow, int nCol) override;
    void OnFocus(bool bByTab) override;

    bool IsAllSelected() const { return m_bAllSelected; }
    int Caret() const { return m_nCaret; }

private:
    void ScrollToCaret();

    int m_nCaret = 0;
    int m_nScroll = 0;
    bool m_bAllSelected = false;
};

class CTermPushButton : public CModelControl, public CTermWidget {
public:
    explicit CTermPushButton(const CDialogControl& control)
        : CModelControl(control.m_strText), CTermWidget(control) {}
    bool IsPushButton() const override { return true; }
    void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const override;
    ETermAction OnKey(const CTermEvent& event) override;
    ETermAction OnClick(int nRow, int nCol) override;
};

// An automatic check box: Space or a click ticks and unticks it.
class CTermCheckBox : public CModelCheckBox, public CTermWidget {
public:
    explicit CTermCheckBox(const CDialogControl& control)
        : CModelCheckBox(control.m_strText), CTermWidget(control) {}
    void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const override;
    ETermAction OnKey(const CTermEvent& event) override;
    ETermAction OnClick(int nRow, int nCol) override;
};

// The selected item and the first item shown of a list with nVisible rows.
struct CListCursor {
    int nSelected = -1;
    int nTop = 0;
    // Keeps both inside the list after its items changed, the selection in view.
    void Clamp(int nCount, int nVisible);
    // Up, Down, PgUp, PgDn, Home, End; false for any other key.
    bool Move(int nKey, int nCount, int nVisible);
    void Scroll(int nDelta, int nCount, int nVisible);
};

// The frame of a bordered list with its scroll marks (▲ ▼ on the right edge when items are hidden).
void DrawListFrame(CTermCanvas& canvas, const CTermRect& rect, bool bBorder, bool bMoreAbove,
                   bool bMoreBelow);

// A list box, or (with an ICheckListBox model) a check list box whose items carry a check mark that
// Space or a click on the mark toggles.
template <class TModel>
class CTermListBoxT : public TModel, public CTermWidget {
public:
    static constexpr bool HAS_CHECKS = std::is_base_of_v<ICheckListBox, TModel>;

    template <class... TArgs>
    explicit CTermListBoxT(const CDialogControl& control, TArgs&&... args)
        : TModel(std::forward<TArgs>(args)...), CTermWidget(control) {}

    int Selected() const { return m_cursor.nSelected; }
    int TopIndex() const { return m_cursor.nTop; }
    int ScrollColumn() const { return m_nScrollCol; }

    void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const override {
        const CTermRect inner = Inner(nRow, nCol);
        CListCursor cursor = m_cursor;
        cursor.Clamp(this->GetCount(), inner.nRows);
        canvas.Fill(inner.nRow, inner.nCol, inner.nRows, inner.nCols, ETermStyle::Window);
        for (int i = 0; i < inner.nRows && cursor.nTop + i < this->GetCount(); ++i) {
            const int nItem = cursor.nTop + i;
            std::string strLine = " ";
            if constexpr (HAS_CHECKS) {
                strLine += this->GetCheck(nItem) ? "[x] " : "[ ] ";
            }
            strLine += this->GetText(nItem);
            strLine = static_cast<int>(strLine.size()) > m_nScrollCol ? strLine.substr(m_nScrollCol) : "";
            const ETermStyle eStyle = nItem != cursor.nSelected ? ETermStyle::Window
                                      : bFocus                  ? ETermStyle::Selection
                                                                : ETermStyle::SelectionIdle;
            canvas.Fill(inner.nRow + i, inner.nCol, 1, inner.nCols, eStyle);
            canvas.PutText(inner.nRow + i, inner.nCol, FitText(strLine, inner.nCols), eStyle, inner.nCols);
        }
        CTermRect rect = Rect();
        rect.nRow += nRow;
        rect.nCol += nCol;
        DrawListFrame(canvas, rect, Template().HasBorder(), cursor.nTop > 0,
                      cursor.nTop + inner.nRows < this->GetCount());
    }

    ETermAction OnKey(const CTermEvent& event) override {
        const int nVisible = Inner(0, 0).nRows;
        m_cursor.Clamp(this->GetCount(), nVisible);
        if (event.eKind != CTermEvent::Key || event.bAlt) {
            return ETermAction::Ignored;
        }
        if (m_cursor.Move(event.nKey, this->GetCount(), nVisible)) {
            return ETermAction::Handled;
        }
        if (event.nKey == TK_LEFT || event.nKey == TK_RIGHT) {
            // Sideways by one character, as far as the widest item needs.
            int nWidest = 0;
            for (int i = 0; i < this->GetCount(); ++i) {
                nWidest = std::max(nWidest, static_cast<int>(this->GetText(i).size()) + (HAS_CHECKS ? 5 : 1));
            }
            m_nScrollCol = std::clamp(m_nScrollCol + (event.nKey == TK_LEFT ? -1 : 1), 0,
                                      std::max(0, nWidest - Inner(0, 0).nCols));
            return ETermAction::Handled;
        }
        if constexpr (HAS_CHECKS) {
            if (event.nKey == ' ' && this->GetCount() > 0) {
                if (m_cursor.nSelected < 0) {
                    m_cursor.nSelected = m_cursor.nTop;
                }
                Toggle(m_cursor.nSelected);
                return ETermAction::Handled;
            }
        }
        return ETermAction::Ignored;
    }

    ETermAction OnClick(int nRow, int nCol) override {
        // Relative to the inside of the border.
        const CTermRect inner = Inner(-Rect().nRow, -Rect().nCol);
        m_cursor.Clamp(this->GetCount(), inner.nRows);
        const int nItem = m_cursor.nTop + (nRow - inner.nRow);
        if (nRow < inner.nRow || nRow >= inner.nRow + inner.nRows || nItem >= this->GetCount()) {
            return ETermAction::Handled;
        }
        m_cursor.nSelected = nItem;
        if constexpr (HAS_CHECKS) {
            // The mark " [x]" at the item's start.
            if (nCol - inner.nCol <= 4) {
                Toggle(nItem);
            }
        }
        (void)nCol;
        return ETermAction::Handled;
    }

    void OnWheel(int nDelta) override { m_cursor.Scroll(nDelta, this->GetCount(), Inner(0, 0).nRows); }

    void OnFocus(bool /*bByTab*/) override {
        // The focus rectangle marks the first item when nothing is selected yet.
        if (m_cursor.nSelected < 0 && this->GetCount() > 0) {
            m_cursor.nSelected = m_cursor.nTop;
        }
    }

private:
    CTermRect Inner(int nRow, int nCol) const {
        const int nBorder = Template().HasBorder() ? 1 : 0;
        return CTermRect{Rect().nRow + nRow + nBorder, Rect().nCol + nCol + nBorder,
                         std::max(0, Rect().nRows - 2 * nBorder), std::max(0, Rect().nCols - 2 * nBorder)};
    }
    void Toggle(int nItem) {
        if constexpr (HAS_CHECKS) {
            this->SetCheck(nItem, this->GetCheck(nItem) ? BST_UNCHECKED : BST_CHECKED);
        }
    }

    CListCursor m_cursor;
    int m_nScrollCol = 0;
};

using CTermListBox = CTermListBoxT<CModelListBox>;
using CTermCheckListBox = CTermListBoxT<CModelCheckListBox>;

// A list view in report view: the header row, the columns at the widths the page set (pixels, 6 to a
// cell), grid lines when LVS_EX_GRIDLINES is set, one selected row, scrolling both ways.
class CTermListView : public CModelListView, public CTermWidget {
public:
    explicit CTermListView(const CDialogControl& control);
    // The width of text in cells, as pixels.
    int GetStringWidth(std::string_view strText) const override;
    // The cells inside the border at the current scale, as pixels.
    int GetClientWidth() const override;

    void Draw(CTermCanvas& canvas, int nRow, int nCol, bool bFocus) const override;
    ETermAction OnKey(const CTermEvent& event) override;
    ETermAction OnClick(int nRow, int nCol) override;
    void OnWheel(int nDelta) override;
    void OnFocus(bool bByTab) override;

    int Selected() const { return m_cursor.nSelected; }
    int TopIndex() const { return m_cursor.nTop; }
    int ScrollColumn() const { return m_nScrollCol; }
    // The width in cells of the columns side by side.
    int TotalColumnCells() const;

private:
    CTermRect Inner(int nRow, int nCol) const;
    int ItemRows() const { return std::max(0, Inner(0, 0).nRows - 1); }

    CListCursor m_cursor;
    int m_nScrollCol = 0;
};

// The controls of one page, created from its dialog template in template (tab) order.
class CTermPage : public IPageControls {
public:
    // pSheet, when given, is asked which texts its page colours.
    explicit CTermPage(UINT nTemplateId, const CPropertySheetEx* pSheet = nullptr);
    IControl* GetDlgItem(int nId) override;
    // Places the controls at the scale's cells, in a dialog of nDialogRows rows on the screen, and
    // lays out the texts as they read now (term_page_layout.cpp): a word wider than its text's
    // rectangle takes free cells beside it, and a text that needs more rows than there are down to
    // the next control pushes the controls below it down, as far as the dialog's free rows allow.
    void SetScale(const CTermScale& scale, int nDialogRows);

    const std::vector<std::unique_ptr<CTermWidget>>& Widgets() const { return m_apWidgets; }
    CTermWidget* Widget(int nId) const;
    // The controls that Tab visits, in template order.
    std::vector<CTermWidget*> TabStops() const;
    // The topmost visible control at a cell relative to the dialog's origin, or nullptr.
    CTermWidget* WidgetAt(int nRow, int nCol) const;
    void Draw(CTermCanvas& canvas, int nRow, int nCol, const CTermWidget* pFocus) const;

private:
    UINT m_nTemplateId;
    std::vector<std::unique_ptr<CTermWidget>> m_apWidgets;
    std::map<int, CTermWidget*> m_mapIds;
};
