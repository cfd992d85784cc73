#include "ui/headless/headless_host.h"

#include "pages/tolvane_sheet.h"

int CHeadlessHost::MessageBox(const std::string& strText, UINT nType) {
    m_astrMessages.push_back(strText);
    m_anMessageTypes.push_back(nType);
    m_abWaitAtMessage.push_back(IsWaitCursorShown());
    return (nType & MB_YESNO) == MB_YESNO ? m_nYesNoAnswer : IDOK;
}

void CHeadlessHost::BeginWaitCursor() {
    if (!IsWaitCursorShown()) {
        ++m_nWaitShows;
    }
    CModelHost::BeginWaitCursor();
}

std::unique_ptr<IProgressWindow> CHeadlessHost::CreateProgressWindow() {
    return std::make_unique<CHeadlessProgressWindow>(*this);
}

CHeadlessProgressWindow* CHeadlessHost::Progress() const {
    // Every progress window this host made is a headless one.
    return dynamic_cast<CHeadlessProgressWindow*>(CModelHost::Progress());
}

BOOL CHeadlessHost::RunModal(CTolvaneSheet& sheet) {
    Open(sheet);
    if (m_fnScript) {
        m_fnScript(*this);
    }
    Detach();
    return TRUE;
}
