// Control of the Wireless Zero Configuration service ("WZCSVC"). On Windows XP and Server 2003 the
// service holds the wireless adapters, so the NDIS 5.1 back end stops it to reach a busy adapter; the
// wizard starts it again when it is done. On other Windows versions nothing is done.
#pragma once

#include "platform/win_defs.h"

// 1 while the service is considered stopped by this program and must be started again.
extern BOOL g_bWzcStopped;

// bStart 1 = start the service, 0 = stop it. Returns 1 when the service is in the target state or
// nothing had to be done, 0 when a service-control step failed or the service stopped making progress
// (its checkpoint stalled for longer than max(wait hint, 12 s)). Blocks the calling thread while the
// service moves (polls of 0.5 to 5 s).
BOOL ControlWzcService(BOOL bStart);
