// The scan synchronisation record shared by an adapter test and the WLAN service's notification
// thread: an auto-reset event, a lock and the action word it guards.
#pragma once

#include <memory>

#include "platform/clock.h"

constexpr DWORD ACTION_SCAN = 0x0002;       // a scan is outstanding and its results are wanted
constexpr DWORD ACTION_SCAN_DONE = 0x0100;  // the WLAN service reported the scan complete

class CScanSync {
public:
    // Creates the lock; the event is created by the adapter test before it registers the callback.
    CScanSync();
    CScanSync(const CScanSync&) = delete;
    CScanSync& operator=(const CScanSync&) = delete;

    // false when the event cannot be made; the record then has none and nothing can wait on it.
    bool CreateEvent();
    // Every access to the action word goes through the lock: the notification thread writes it too.
    void SetAction(DWORD dwAction);
    DWORD ReadAction();
    // Clears ACTION_SCAN_DONE and returns the word that is left.
    DWORD ClearScanDone();
    // The notification: sets ACTION_SCAN_DONE under the lock, then sets the event. A set that comes
    // while nobody waits is kept, so the next wait returns at once and reads the word again.
    void SignalScanDone();
    // Waits at most dwMs for the event. false when there is no event or the wait failed: the caller
    // stops waiting rather than spin round a wait that returns at once.
    bool WaitForSignal(DWORD dwMs);

    std::unique_ptr<IEvent> m_pEvent;
    std::unique_ptr<ILock> m_lock;

private:
    DWORD m_dwAction = 0;
};

struct WLAN_NOTIFICATION_DATA;

// The callback the adapter test registers with SetScanCallback, its CScanSync as context. Runs on a
// thread of the WLAN service: a scan-complete notification of the ACM source signals the record;
// every other notification (a failed scan included) is ignored.
void NIMBREL_CALLBACK ScanNotificationCallback(WLAN_NOTIFICATION_DATA* pData, void* pContext);
