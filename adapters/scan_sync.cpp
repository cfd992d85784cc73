#include "adapters/scan_sync.h"

#include "platform/os.h"
#include "platform/wlan_api.h"

CScanSync::CScanSync() : m_lock(Os().Clock().CreateLock()) {}

bool CScanSync::CreateEvent() {
    m_pEvent = Os().Clock().CreateEvent();
    return m_pEvent != nullptr;
}

void CScanSync::SetAction(DWORD dwAction) {
    CLockGuard guard(*m_lock);
    m_dwAction = dwAction;
}

DWORD CScanSync::ReadAction() {
    CLockGuard guard(*m_lock);
    return m_dwAction;
}

DWORD CScanSync::ClearScanDone() {
    CLockGuard guard(*m_lock);
    m_dwAction &= ~ACTION_SCAN_DONE;
    return m_dwAction;
}

void CScanSync::SignalScanDone() {
    {
        CLockGuard guard(*m_lock);
        m_dwAction |= ACTION_SCAN_DONE;
    }
    if (m_pEvent) {
        m_pEvent->Set();
    }
}

bool CScanSync::WaitForSignal(DWORD dwMs) {
    if (!m_pEvent) {
        return false;
    }
    const DWORD dwResult = m_pEvent->Wait(dwMs);
    return dwResult == WAIT_OBJECT_0 || dwResult == WAIT_TIMEOUT;
}

void NIMBREL_CALLBACK ScanNotificationCallback(WLAN_NOTIFICATION_DATA* pData, void* pContext) {
    if (pData == nullptr || pContext == nullptr) {
        return;
    }
    if (pData->NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM &&
        pData->NotificationCode == wlan_notification_acm_scan_complete) {
        static_cast<CScanSync*>(pContext)->SignalScanDone();
    }
}
