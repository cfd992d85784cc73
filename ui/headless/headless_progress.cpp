#include "ui/headless/headless_progress.h"

#include "ui/headless/headless_host.h"

CHeadlessProgressWindow::CHeadlessProgressWindow(CHeadlessHost& host)
    : CModelProgressWindow(host), m_host(host) {}

BOOL CHeadlessProgressWindow::Create(const std::string& strCaption, BOOL bSmooth,
                                     const std::string& strCancelLabel, IProgressWindowHandler* pHandler) {
    if (m_host.ProgressFaults().bCreateFails) {
        return FALSE;
    }
    return CModelProgressWindow::Create(strCaption, bSmooth, strCancelLabel, pHandler);
}

ITextMeasurer* CHeadlessProgressWindow::GetDC() {
    return m_host.ProgressFaults().bNoDeviceContext ? nullptr : CModelProgressWindow::GetDC();
}

void CHeadlessProgressWindow::CancelClicked() {
    ++m_nCancelClicks;
    CModelProgressWindow::CancelClicked();
}
