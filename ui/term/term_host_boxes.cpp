// The host's boxes over the sheet: the message box, the scrolling text box and what it shows (an
// item's details, a help page, the address handed to the browser).
#include <algorithm>
#include <fstream>
#include <sstream>

#include "res/resource_ids.h"
#include "resources/help_text.h"
#include "resources/resource_script.h"
#include "ui/term/term_host.h"
#include "ui/term/term_text.h"

namespace {
// The widest message box text before it wraps.
constexpr int MESSAGE_WIDTH = 56;

// The lines of a text box nWidth characters wide: a line too long for it (a long name in an item's
// details) wraps at blanks, the lines that go on with it indented by two blanks.
std::vector<std::string> FitLines(const std::vector<std::string>& astrLines, int nWidth) {
    std::vector<std::string> astrFitted;
    for (const std::string& strLine : astrLines) {
        if (static_cast<int>(strLine.size()) <= nWidth || nWidth <= 2) {
            astrFitted.push_back(strLine);
            continue;
        }
        const std::vector<std::string> astrParts = WrapText(strLine, nWidth - 2);
        for (std::size_t i = 0; i < astrParts.size(); ++i) {
            astrFitted.push_back(i == 0 ? astrParts[i] : "  " + astrParts[i]);
        }
    }
    return astrFitted;
}

// A box with a caption row, centred on the canvas.
CTermRect DrawBox(CTermCanvas& canvas, int nRows, int nCols, const std::string& strCaption) {
    nCols = std::min(nCols, canvas.Cols());
    nRows = std::min(nRows, canvas.Rows());
    const CTermRect box{(canvas.Rows() - nRows) / 2, (canvas.Cols() - nCols) / 2, nRows, nCols};
    canvas.Fill(box.nRow, box.nCol, box.nRows, box.nCols, ETermStyle::Face);
    canvas.Frame(box.nRow, box.nCol, box.nRows, box.nCols, ETermStyle::Face);
    canvas.Fill(box.nRow, box.nCol, 1, box.nCols, ETermStyle::Caption);
    canvas.PutText(box.nRow, box.nCol + 1, " " + strCaption, ETermStyle::Caption, box.nCols - 2);
    return box;
}
}  // namespace

int CTermHost::MessageBox(const std::string& strText, UINT nType) {
    const std::vector<std::string> astrLines = WrapText(strText, MESSAGE_WIDTH);
    const std::string strCaption =
        PageCaption().empty() ? Resources().GetString(IDS_PAGE_CAPTION) : PageCaption();
    // The buttons as the platform's box has them: OK, or Yes and No (Yes first, with the focus).
    struct CBoxButton {
        std::string strLabel;
        int nResult;
        int nKey;  // the letter that presses it
    };
    const bool bYesNo = (nType & MB_YESNO) == MB_YESNO;
    const std::vector<CBoxButton> buttons =
        bYesNo ? std::vector<CBoxButton>{{"[  Yes   ]", IDYES, 'y'}, {"[   No   ]", IDNO, 'n'}}
               : std::vector<CBoxButton>{{"[   OK   ]", IDOK, 'o'}};
    const int nButtonsWidth =
        static_cast<int>(buttons.size()) * 10 + (static_cast<int>(buttons.size()) - 1) * 2;
    int nWidth = std::max(static_cast<int>(strCaption.size()) + 4, nButtonsWidth + 6);
    for (const std::string& strLine : astrLines) {
        nWidth = std::max(nWidth, static_cast<int>(strLine.size()) + 6);
    }
    const int nRows = static_cast<int>(astrLines.size()) + 6;
    std::vector<CTermRect> buttonRects(buttons.size());
    int nFocus = 0;
    const COverlay overlay = [&](CTermCanvas& canvas) {
        const CTermRect box = DrawBox(canvas, nRows, nWidth, strCaption);
        for (int i = 0; i < static_cast<int>(astrLines.size()); ++i) {
            canvas.PutText(box.nRow + 2 + i, box.nCol + 3, astrLines[i], ETermStyle::Face, box.nCols - 4);
        }
        int nCol = box.nCol + (box.nCols - nButtonsWidth) / 2;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            buttonRects[i] = CTermRect{box.nRow + box.nRows - 3, nCol, 1, 10};
            canvas.PutText(buttonRects[i].nRow, nCol, buttons[i].strLabel,
                           static_cast<int>(i) == nFocus ? ETermStyle::ButtonFocus : ETermStyle::Button);
            nCol += 12;
        }
    };
    const int nCount = static_cast<int>(buttons.size());
    // The terminal going away answers as the box's last button would (OK, or No).
    int nResult = buttons.back().nResult;
    RunOverlay(overlay, [&](const CTermEvent& event) {
        for (int i = 0; i < nCount; ++i) {
            const bool bLetter =
                event.eKind == CTermEvent::Key &&
                (event.nKey == buttons[i].nKey || event.nKey == buttons[i].nKey - 'a' + 'A') &&
                (event.bAlt || bYesNo);
            if (bLetter ||
                (event.eKind == CTermEvent::Click && buttonRects[i].Contains(event.nRow, event.nCol))) {
                nResult = buttons[i].nResult;
                return true;
            }
        }
        if (event.IsKey(TK_TAB) || event.IsKey(TK_RIGHT)) {
            nFocus = (nFocus + 1) % nCount;
        } else if (event.IsKey(TK_BACK_TAB) || event.IsKey(TK_LEFT)) {
            nFocus = (nFocus + nCount - 1) % nCount;
        } else if (event.IsKey(TK_ENTER) || event.IsKey(' ')) {
            nResult = buttons[nFocus].nResult;
            return true;
        } else if (event.IsKey(TK_ESCAPE) && !bYesNo) {
            // A Yes/No box has no Cancel, so Esc does not close it, as on Windows.
            nResult = IDOK;
            return true;
        }
        return false;
    });
    return nResult;
}

void CTermHost::ShowTextBox(const std::string& strTitle, const std::vector<std::string>& astrLines) {
    int nTop = 0;
    int nVisible = 1;
    // The lines as the box's width at the terminal's present size holds them.
    std::vector<std::string> astrShown;
    const COverlay overlay = [&](CTermCanvas& canvas) {
        const int nCols = std::min(canvas.Cols() - 2, SheetRect().nCols);
        astrShown = FitLines(astrLines, nCols - 4);
        const int nRows = std::min(canvas.Rows() - 1, static_cast<int>(astrShown.size()) + 4);
        const CTermRect box = DrawBox(canvas, nRows, nCols, strTitle);
        nVisible = std::max(1, box.nRows - 3);
        nTop = std::clamp(nTop, 0, std::max(0, static_cast<int>(astrShown.size()) - nVisible));
        for (int i = 0; i < nVisible && nTop + i < static_cast<int>(astrShown.size()); ++i) {
            canvas.PutText(box.nRow + 2 + i, box.nCol + 2, astrShown[nTop + i], ETermStyle::Face,
                           box.nCols - 4);
        }
        if (nTop > 0) {
            canvas.Put(box.nRow + 1, box.nCol + box.nCols - 1, TERM_ARROW_UP, ETermStyle::Face);
        }
        if (nTop + nVisible < static_cast<int>(astrShown.size())) {
            canvas.Put(box.nRow + box.nRows - 2, box.nCol + box.nCols - 1, TERM_ARROW_DOWN, ETermStyle::Face);
        }
        const std::string strHints = " Up/Down/PgUp/PgDn=scroll  Esc=close ";
        canvas.PutText(box.nRow + box.nRows - 1,
                       box.nCol + (box.nCols - static_cast<int>(strHints.size())) / 2, strHints,
                       ETermStyle::Hint, box.nCols - 2);
    };
    RunOverlay(overlay, [&](const CTermEvent& event) {
        CListCursor cursor{-1, nTop};
        const int nCount = static_cast<int>(astrShown.size());
        if (event.eKind == CTermEvent::WheelUp || event.eKind == CTermEvent::WheelDown) {
            cursor.Scroll(event.eKind == CTermEvent::WheelUp ? -3 : 3, nCount, nVisible);
        } else if (event.IsKey(TK_UP) || event.IsKey(TK_DOWN)) {
            cursor.Scroll(event.nKey == TK_UP ? -1 : 1, nCount, nVisible);
        } else if (event.IsKey(TK_PAGE_UP) || event.IsKey(TK_PAGE_DOWN)) {
            cursor.Scroll(event.nKey == TK_PAGE_UP ? -nVisible : nVisible, nCount, nVisible);
        } else if (event.IsKey(TK_HOME) || event.IsKey(TK_END)) {
            cursor.Scroll(event.nKey == TK_HOME ? -nCount : nCount, nCount, nVisible);
        }
        nTop = cursor.nTop;
        return event.IsKey(TK_ESCAPE) || event.IsKey(TK_ENTER) || event.IsKey('q') ||
               event.eKind == CTermEvent::Click;
    });
}

void CTermHost::ShowItemDetails(const CTermListView& list, int nItem) {
    std::vector<std::string> astrLines;
    for (int c = 0; c < list.GetColumnCount(); ++c) {
        astrLines.push_back(list.GetColumnHeading(c) + ": " + list.GetItemText(nItem, c));
    }
    for (const auto& [strLabel, strText] : list.GetItemDetails(nItem)) {
        astrLines.push_back(strLabel + ": " + strText);
    }
    ShowTextBox("Details", astrLines);
}

void CTermHost::ShowHelpPage(const std::string& strHostPath) {
    std::ifstream file(strHostPath, std::ios::binary);
    std::ostringstream html;
    html << file.rdbuf();
    // The box's text width: the sheet's less the frame and margins.
    ShowTextBox("Help", HtmlToTextLines(html.str(), SheetRect().nCols - 6));
}

void CTermHost::ShowBrowserLaunch(const std::string& strAddress) {
    // The Location settings go to Windows' Settings, not to a browser.
    if (strAddress.rfind("ms-settings:", 0) == 0) {
        ShowTextBox("Settings", {"Windows Settings was asked to open:", "", "  " + strAddress});
        return;
    }
    ShowTextBox("Web browser", {"The default browser was asked to open:", "", "  " + strAddress});
}
