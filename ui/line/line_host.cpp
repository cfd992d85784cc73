#include "ui/line/line_host.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "pages/tolvane_sheet.h"
#include "resources/help_text.h"
#include "resources/resource_script.h"
#include "util/delimited_string.h"
#include "wizard/property_sheet.h"

namespace {
const std::string RULE(72, '-');

// The command that fills the edit a label names: the label's last word, letters only, lower case.
std::string CommandWord(const std::string& strLabel) {
    const std::size_t nEnd = strLabel.find_last_not_of(' ');
    const std::size_t nStart = nEnd == std::string::npos ? nEnd : strLabel.find_last_of(' ', nEnd);
    std::string strWord;
    for (std::size_t i = nStart == std::string::npos ? 0 : nStart + 1; i < strLabel.size(); ++i) {
        const auto ch = static_cast<unsigned char>(strLabel[i]);
        if (ch < 0x80 && std::isalpha(ch)) {
            strWord += static_cast<char>(std::tolower(ch));
        }
    }
    return strWord;
}

// The first visible control after index i, or nullptr.
const CDialogControl* NextVisible(const std::vector<CDialogControl>& controls, std::size_t i) {
    for (++i; i < controls.size(); ++i) {
        if (controls[i].IsVisible()) {
            return &controls[i];
        }
    }
    return nullptr;
}

// A list view as a table: the header row, then one row per item, each column as wide as its
// widest text.
void PrintTable(std::ostream& output, const CModelListView& list) {
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
    std::string strLine;
    if ((nType & MB_YESNO) != MB_YESNO) {
        m_output << "\n  [!] " << strText << "\n      (press Enter for OK)\n";
        std::getline(m_input, strLine);
        return IDOK;
    }
    m_output << "\n  [?] " << strText << "\n";
    for (;;) {
        m_output << "      (y = Yes, n = No; Enter = No) " << std::flush;
        // End of input answers as an empty line does.
        if (!std::getline(m_input, strLine)) {
            return IDNO;
        }
        std::string strAnswer;
        for (const char ch : strLine) {
            if (!std::isspace(static_cast<unsigned char>(ch))) {
                strAnswer += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            }
        }
        if (strAnswer.empty() || strAnswer == "n" || strAnswer == "no") {
            return IDNO;
        }
        if (strAnswer == "y" || strAnswer == "yes") {
            return IDYES;
        }
        m_output << "      Answer y or n.\n";
    }
}

void CLineHost::BeginWaitCursor() {
    if (!IsWaitCursorShown()) {
        m_output << "  ... working ...\n" << std::flush;
    }
    CModelHost::BeginWaitCursor();
}

std::unique_ptr<IProgressWindow> CLineHost::CreateProgressWindow() {
    auto pWindow = std::make_unique<CModelProgressWindow>(*this);
    pWindow->SetListener([this](const CModelProgressWindow& window) { PrintProgress(window); });
    return pWindow;
}

void CLineHost::PrintProgress(const CModelProgressWindow& window) {
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

void CLineHost::ShowBrowserLaunch(const std::string& strAddress) {
    const bool bSettings = strAddress.rfind("ms-settings:", 0) == 0;
    m_output << (bSettings ? "  [settings] opened " : "  [browser] opened ") << strAddress << "\n"
             << std::flush;
}

BOOL CLineHost::RunModal(CTolvaneSheet& sheet) {
    Open(sheet);
    std::string strLine;
    bool bShowPage = true;
    while (!IsClosed()) {
        if (bShowPage) {
            PrintPage();
        }
        m_output << "> " << std::flush;
        if (!std::getline(m_input, strLine)) {
            m_output << "\n";
            Cancel();
            break;
        }
        std::string strCommand;
        std::string strRefused;
        if (!TerminalToAnsi(strLine, m_eCharset, &strCommand, &strRefused)) {
            // A character the system's code page lacks is refused out loud, never dropped.
            m_rawOutput << "\a  \"" << (m_eCharset == ETermCharset::Utf8 ? strRefused : "?")
                        << "\" cannot be typed: it is not a Windows-1252 character. Nothing was done.\n";
            bShowPage = false;
            continue;
        }
        const ECommand eResult = Execute(strCommand);
        bShowPage = eResult == ECommand::Done;
        if (eResult == ECommand::NotPossible) {
            PrintHelpLine();
        } else if (eResult == ECommand::Unknown) {
            std::istringstream words(strCommand);
            std::string strVerb;
            words >> strVerb;
            PrintCommands(strVerb);
        }
    }
    Detach();
    return TRUE;
}

void CLineHost::PrintPage() {
    const CPropertyPageEx* pPage = Sheet()->GetActivePage();
    const CResourceScript& res = Resources();
    const CDialogTemplate* pTemplate = res.FindDialog(pPage->GetTemplateId());
    CModelPage* pWindow = Page(pPage->GetTemplateId());

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
    std::string strLabel;  // a static's text that labels the edit after it
    const std::vector<CDialogControl> noControls;
    const std::vector<CDialogControl>& controls = pTemplate != nullptr ? pTemplate->m_controls : noControls;
    for (std::size_t n = 0; n < controls.size(); ++n) {
        const CDialogControl& control = controls[n];
        if (!control.IsVisible()) {
            continue;
        }
        IControl* pControl =
            control.m_nId != -1 && pWindow != nullptr ? pWindow->GetDlgItem(control.m_nId) : nullptr;
        const std::string strText = pControl != nullptr ? pControl->GetWindowText() : control.m_strText;
        const CDialogControl* pNext = NextVisible(controls, n);
        if (control.m_eKind == EControlKind::Static && pNext != nullptr &&
            pNext->m_eKind == EControlKind::Edit) {
            strLabel = strText;
            continue;
        }
        if (control.m_eKind == EControlKind::Edit) {
            m_output << "  " << (strLabel.empty() ? "" : strLabel + " ");
            const std::string strWord = CommandWord(strLabel);
            if (control.IsReadOnly()) {
                m_output << strText << "\n";
            } else {
                m_output << "[" << strText << "]"
                         << (strWord.empty() ? "" : "  (command: " + strWord + " TEXT)") << "\n";
            }
            strLabel.clear();
        } else if (auto* pChecks = dynamic_cast<ICheckListBox*>(pControl)) {
            for (int i = 0; i < pChecks->GetCount(); ++i) {
                m_output << "    " << ++nItemNumber << ". [" << (pChecks->GetCheck(i) ? 'x' : ' ') << "] "
                         << pChecks->GetText(i) << "\n";
            }
        } else if (auto* pList = dynamic_cast<IListBox*>(pControl)) {
            for (int i = 0; i < pList->GetCount(); ++i) {
                m_output << "    - " << pList->GetText(i) << "\n";
            }
        } else if (auto* pTable = dynamic_cast<CModelListView*>(pControl)) {
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

void CLineHost::PrintCommands(const std::string& strVerb) {
    m_output << "  Unknown command \"" << strVerb
             << "\". Commands: n (Next), b (Back), f (Finish), c (Cancel), h (Help), t N (tick item N), "
                "press ID (push button ID), post (tick or untick posting)";
    for (const CEditCommand& command : EditCommands()) {
        m_output << ", " << command.strWord << " TEXT";
    }
    m_output << "\n";
}

bool CLineHost::ToggleItem(int nNumber) {
    CModelPage* pWindow = Page(CurrentPage());
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

std::vector<CLineHost::CEditCommand> CLineHost::EditCommands() {
    std::vector<CEditCommand> aCommands;
    const CDialogTemplate* pTemplate = Sheet() != nullptr ? Resources().FindDialog(CurrentPage()) : nullptr;
    if (pTemplate == nullptr) {
        return aCommands;
    }
    std::string strLabel;
    for (const CDialogControl& control : pTemplate->m_controls) {
        if (!control.IsVisible()) {
            continue;
        }
        if (control.m_eKind == EControlKind::Static) {
            strLabel = control.m_strText;
        } else if (control.m_eKind == EControlKind::Edit && !control.IsReadOnly()) {
            const std::string strWord = CommandWord(strLabel);
            if (!strWord.empty()) {
                aCommands.push_back({strWord, control.m_nId});
            }
        }
    }
    return aCommands;
}

CLineHost::ECommand CLineHost::Execute(const std::string& strCommand) {
    std::istringstream words(strCommand);
    std::string strVerb;
    words >> strVerb;
    auto done = [](bool bDone) { return bDone ? ECommand::Done : ECommand::NotPossible; };
    if (strVerb.empty()) {
        return ECommand::NotPossible;
    }
    if (strVerb == "n") {
        return done(Next());
    }
    if (strVerb == "b") {
        return done(Back());
    }
    if (strVerb == "f") {
        return done(Finish());
    }
    if (strVerb == "c") {
        return done(Cancel());
    }
    if (strVerb == "h") {
        return done(Help());
    }
    if (strVerb == "t") {
        int nNumber = 0;
        return done(static_cast<bool>(words >> nNumber) && nNumber > 0 && ToggleItem(nNumber));
    }
    if (strVerb == "press") {
        int nId = 0;
        if (!(words >> nId)) {
            return ECommand::NotPossible;
        }
        Click(nId);
        return ECommand::Done;
    }
    CModelPage* pWindow = Page(CurrentPage());
    if (strVerb == "post") {
        for (int nId : pWindow != nullptr ? pWindow->ControlIds() : std::vector<int>{}) {
            if (auto* pCheck = dynamic_cast<ICheckBox*>(pWindow->GetDlgItem(nId))) {
                pCheck->SetCheck(pCheck->GetCheck() ? BST_UNCHECKED : BST_CHECKED);
                return ECommand::Done;
            }
        }
        return ECommand::NotPossible;
    }
    for (const CEditCommand& command : EditCommands()) {
        IControl* pEdit = pWindow != nullptr ? pWindow->GetDlgItem(command.nId) : nullptr;
        if (command.strWord == strVerb && pEdit != nullptr) {
            // The rest of the line after the word and its blanks, as typed.
            std::string strText = strCommand.substr(strCommand.find(strVerb) + strVerb.size());
            strText.erase(0, strText.find_first_not_of(' '));
            if (!strText.empty() && strText.back() == '\r') {
                strText.pop_back();
            }
            pEdit->SetWindowText(strText);
            return ECommand::Done;
        }
    }
    return ECommand::Unknown;
}
