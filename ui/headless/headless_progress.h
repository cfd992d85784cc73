// The progress popup for tests: the model popup window (ui/model/model_progress.h), which tests read
// and drive, with the faults its host was told to inject and a count of the Cancel button's clicks.
#pragma once

#include <string>

#include "ui/model/model_progress.h"

class CHeadlessHost;

class CHeadlessProgressWindow : public CModelProgressWindow {
public:
    explicit CHeadlessProgressWindow(CHeadlessHost& host);

    // Fails when the host says creation fails.
    BOOL Create(const std::string& strCaption, BOOL bSmooth, const std::string& strCancelLabel,
                IProgressWindowHandler* pHandler) override;
    // None when the host says there is no device context.
    ITextMeasurer* GetDC() override;

    // BN_CLICKED notifications the Cancel button sent.
    int CancelClicks() const { return m_nCancelClicks; }

protected:
    void CancelClicked() override;

private:
    CHeadlessHost& m_host;
    int m_nCancelClicks = 0;
};
