// Linked into every Windows executable: the prebuilt threads runtime imports GetTickCount64, which
// Windows XP and Server 2003 (both architectures) lack, so the loader would refuse the program there.
// Defining the function and its import pointer here keeps the import library's entry out of the link.
#include "platform/win32/xp_tick_count.h"

#include <windows.h>

// Set above any real tick: the state has been initialised (a first reading may be any 32-bit value).
#define TICK_INITIALISED 0x8000000000000000ull

unsigned long long NimbrelExtendTick(unsigned long long* pState, unsigned long dwTick) {
    unsigned long long qwOld = __atomic_load_n(pState, __ATOMIC_ACQUIRE);
    for (;;) {
        unsigned long long qwNext;
        if (!(qwOld & TICK_INITIALISED)) {
            qwNext = TICK_INITIALISED | dwTick;
        } else {
            const unsigned long dwLast = (unsigned long)(qwOld & 0xFFFFFFFFu);
            const unsigned long dwAhead = (dwTick - dwLast) & 0xFFFFFFFFu;
            if (dwAhead >= 0x80000000u) {
                // Older than the stored reading: report it in place, keep the state.
                return (qwOld & ~TICK_INITIALISED) - ((dwLast - dwTick) & 0xFFFFFFFFu);
            }
            qwNext = qwOld + dwAhead;
        }
        if (qwNext == qwOld ||
            __atomic_compare_exchange_n(pState, &qwOld, qwNext, 0, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) {
            return qwNext & ~TICK_INITIALISED;
        }
    }
}

static unsigned long long g_qwTickState;

unsigned long long __stdcall NimbrelGetTickCount64(void) {
    return NimbrelExtendTick(&g_qwTickState, GetTickCount());
}

// <windows.h> declares GetTickCount64 only for Vista and later, so no dllimport declaration clashes.
ULONGLONG WINAPI GetTickCount64(void) {
    return NimbrelGetTickCount64();
}

// The runtime calls through the import pointer; its decorated name differs per architecture.
#ifdef _WIN64
ULONGLONG(WINAPI* const g_pfnImpGetTickCount64)(void) __asm__("__imp_GetTickCount64") = GetTickCount64;
#else
ULONGLONG(WINAPI* const g_pfnImpGetTickCount64)(void) __asm__("__imp__GetTickCount64@0") = GetTickCount64;
#endif
