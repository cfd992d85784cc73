#include "ui/line/line_host.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/property_sheet.h"
#include "app/tolvane_sheet.h"
#include "ui/help_text.h"
#include "ui/resource_script.h"
#include "util/delimited_string.h"

namespace {
const std::string RULE(72, '-');

// A list view as a table: the header row, then one row per item, each column as wide as its
// widest text.
void PrintTable(std::ostream& output, const CHeadlessListView& list) {
    const int nColumns = list.GetColumnCount();
    std::vector<std::size_t> anWidths(nColumns);
    for (int c = 0; c < nColumns; ++c) {
        anWidths[c] = list.GetColumnHeading(c).size();
        for (const std::string& strCell : list.GetColumnTexts(c)) {
            anWidths[c] = std::max(anWidths[c], strCell.size());
        }
    }
    auto printRow = [&](auto cellText) {
        std::string strLine = "   ";
        for (int c = 0; c < nColumns; ++c) {
            const std::string strCell = cellText(c);
            strLine += " " + strCell;
            if (c + 1 < nColumns) {
                strLine += std::string(anWidths[c] - strCell.size(), ' ') + " |";
            }
        }
        strLine.erase(strLine.find_last_not_of(' ') + 1);
        output << strLine << "\n";
    };
    printRow([&](int c) { return list.GetColumnHeading(c); });
    for (int i = 0; i < list.GetItemCount(); ++i) {
        printRow([&](int c) { return list.GetItemText(i, c); });
    }
}
}  // namespace

int CLineHost::MessageBox(const std::string& strText, UINT nType) {
    m_output << "\n  [!] " << strText << "\n      (press Enter for OK)\n";
    std::string strLine;
    std::getline(m_input, strLine);
    return CHeadlessHost::MessageBox(strText, nType);
}

void CLineHost::BeginWaitCursor() {
    if (!IsWaitCursorShown()) {
        m_output << "  ... working ...\n" << std::flush;
    }
    CHeadlessHost::BeginWaitCursor();
}

std::unique_ptr<IProgressWindow> CLineHost::CreateProgressWindow() {
    auto pWindow = std::make_unique<CHeadlessProgressWindow>(*this);
    pWindow->SetListener([this](const CHeadlessProgressWindow& window) { PrintProgress(window); });
    return pWindow;
}

void CLineHost::PrintProgress(const CHeadlessProgressWindow& window) {
    // One line per change: "  Progress [25%]  Adapter X / Scan #1...".
    std::string strLine = "  " + window.Caption();
    if (!window.Text().empty()) {
        std::string strText = window.Text();
        ReplaceAll(strText, " / ", "\n");
        strLine += "  " + strText;
    }
    if (strLine != m_strLastProgress) {
        m_strLastProgress = strLine;
        m_output << strLine << "\n" << std::flush;
    }
}

void CLineHost::ShowHelpPage(const std::string& strHostPath) {
    std::ifstream file(strHostPath, std::ios::binary);
    std::ostringstream html;
    html << file.rdbuf();
    m_output << "\n" << RULE << "\n  Help\n" << RULE << "\n";
    for (const std::string& strLine : HtmlToTextLines(html.str(), 68)) {
        m_output << "  " << strLine << "\n";
    }
    m_output << RULE << "\n";
}

void CLineHost::RunModal(CTolvaneSheet& sheet) {
    Open(sheet);
    std::string strLine;
    while (!IsClosed()) {
        PrintPage();
        m_output << "> " << std::flush;
        if (!std::getline(m_input, strLine)) {
            m_output << "\n";
            Cancel();
            break;
        }
        if (!Execute(strLine)) {
            PrintHelpLine();
        }
    }
    Detach();
}

void CLineHost::PrintPage() {
    const CPropertyPageEx* pPage = Sheet()->GetActivePage();
    const CResourceScript& res = Resources();
    const CDialogTemplate* pTemplate = res.FindDialog(pPage->GetTemplateId());
    CHeadlessPage* pWindow = Page(pPage->GetTemplateId());

    const std::string strCaption = pPage->GetCaptionId() != 0 ? res.GetString(pPage->GetCaptionId())
                                   : pTemplate != nullptr     ? pTemplate->m_strCaption
                                                              : "";
    m_output << "\n" << RULE << "\n  " << strCaption << "\n";
    if (pPage->GetFlags() & PSP_USEHEADERTITLE) {
        m_output << "  " << res.GetString(pPage->GetHeaderTitleId()) << "\n";
    }
    if (pPage->GetFlags() & PSP_USEHEADERSUBTITLE) {
        m_output << "    " << res.GetString(pPage->GetHeaderSubTitleId()) << "\n";
    }
    m_output << RULE << "\n";

    int nItemNumber = 0;
    for (const CDialogControl& control :
         pTemplate != nullptr ? pTemplate->m_controls : std::vector<CDialogControl>{}) {
        if (!control.IsVisible()) {
            continue;
        }
        IControl* pControl =
            control.m_nId != -1 && pWindow != nullptr ? pWindow->GetDlgItem(control.m_nId) : nullptr;
        const std::string strText = pControl != nullptr ? pControl->GetWindowText() : control.m_strText;
        if (auto* pChecks = dynamic_cast<ICheckListBox*>(pControl)) {
            for (int i = 0; i < pChecks->GetCount(); ++i) {
                m_output << "    " << ++nItemNumber << ". [" << (pChecks->GetCheck(i) ? 'x' : ' ') << "] "
                         << pChecks->GetText(i) << "\n";
            }
        } else if (auto* pList = dynamic_cast<IListBox*>(pControl)) {
            for (int i = 0; i < pList->GetCount(); ++i) {
                m_output << "    - " << pList->GetText(i) << "\n";
            }
        } else if (auto* pTable = dynamic_cast<CHeadlessListView*>(pControl)) {
            PrintTable(m_output, *pTable);
        } else if (auto* pCheck = dynamic_cast<ICheckBox*>(pControl)) {
            m_output << "  [" << (pCheck->GetCheck() ? 'x' : ' ') << "] " << strText << "  (command: post)\n";
        } else if (control.m_eKind == EControlKind::PushButton) {
            m_output << "  <" << strText << ">  (command: press " << control.m_nId << ")\n";
        } else if (!strText.empty()) {
            m_output << "  " << strText << "\n";
        }
    }
    m_output << RULE << "\n";
    PrintHelpLine();
}

void CLineHost::PrintHelpLine() {
    const DWORD dwButtons = Buttons();
    m_output << "  " << ((dwButtons & PSWIZB_BACK) ? "[b] < Back  " : "")
             << ((dwButtons & PSWIZB_NEXT) ? "[n] Next >  " : "")
             << ((dwButtons & PSWIZB_FINISH) ? "[f] " + FinishText() + "  " : "")
             << "[c] Cancel  [h] Help  [t N] tick item N\n";
}

bool CLineHost::ToggleItem(int nNumber) {
    CHeadlessPage* pWindow = Page(CurrentPage());
    if (pWindow == nullptr) {
        return false;
    }
    for (int nId : pWindow->ControlIds()) {
        auto* pChecks = dynamic_cast<ICheckListBox*>(pWindow->GetDlgItem(nId));
        if (pChecks == nullptr) {
            continue;
        }
        if (nNumber <= pChecks->GetCount()) {
            pChecks->SetCheck(nNumber - 1, pChecks->GetCheck(nNumber - 1) ? BST_UNCHECKED : BST_CHECKED);
            return true;
        }
        nNumber -= pChecks->GetCount();
    }
    return false;
}

bool CLineHost::Execute(const std::string& strCommand) {
    std::istringstream words(strCommand);
    std::string strVerb;
    words >> strVerb;
    if (strVerb == "n") {
        return Next();
    }
    if (strVerb == "b") {
        return Back();
    }
    if (strVerb == "f") {
        return Finish();
    }
    if (strVerb == "c") {
        return Cancel();
    }
    if (strVerb == "h") {
        return Help();
    }
    if (strVerb == "t") {
        int nNumber = 0;
        return static_cast<bool>(words >> nNumber) && nNumber > 0 && ToggleItem(nNumber);
    }
    if (strVerb == "press") {
        int nId = 0;
        if (!(words >> nId)) {
            return false;
        }
        Click(nId);
        return true;
    }
    if (strVerb == "post") {
        CHeadlessPage* pWindow = Page(CurrentPage());
        for (int nId : pWindow != nullptr ? pWindow->ControlIds() : std::vector<int>{}) {
            if (auto* pCheck = dynamic_cast<ICheckBox*>(pWindow->GetDlgItem(nId))) {
                pCheck->SetCheck(pCheck->GetCheck() ? BST_UNCHECKED : BST_CHECKED);
                return true;
            }
        }
    }
    return false;
}
