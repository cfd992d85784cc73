// GetTickCount64 for systems without it (Windows XP, XP x64 and Server 2003 export it from Vista on),
// built on the 32-bit GetTickCount: xp_tick_count.c defines the function and its import pointer, so
// that the static threads runtime, which calls it, loads on those systems.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Extends a 32-bit tick reading to 64 bits. *pState holds the last extended reading (0 before the
// first); a reading that lies less than 2^31 ms after the last one advances it, carrying into the
// high half when the 32-bit tick wrapped; a reading just behind it (another thread's older reading)
// is placed before it without moving it back. Safe to call from several threads at once.
unsigned long long NimbrelExtendTick(unsigned long long* pState, unsigned long dwTick);

// The stand-in itself (GetTickCount64 is also defined under its own name).
unsigned long long __stdcall NimbrelGetTickCount64(void);

#ifdef __cplusplus
}
#endif
