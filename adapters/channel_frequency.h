// Channel numbers from frequencies. Drivers give a BSS or an association its frequency in kHz; the
// three back-end sources differ in the ranges they map, so each keeps its own rule, side by side
// here so that the differences stay visible.
#pragma once

#include "platform/win_defs.h"

// Native WLAN back end: the channel of a BSS from WLAN_BSS_ENTRY's ulChCenterFrequency (kHz).
// 2412000 to 2484000 kHz is the 2.4 GHz band (2484000 is channel 14), 5180000 to 5825000 kHz the
// 5 GHz band; any other frequency gives itself in MHz. The service reports only real channel
// centres, so the 5 GHz range starts at channel 36.
short ChannelFromFrequencyKhz(ULONG ulFrequencyKhz);

// NDIS 5.1 back end, BSSID list: the channel of a BSS from NDIS_WLAN_BSSID_EX's DSConfig (kHz).
// 2484000 kHz is channel 14, 2412000 up to (not including) 2484000 kHz the 2.4 GHz band, 5000000 to
// 5825000 kHz the 5 GHz band counted from 5 GHz; anything else the frequency in MHz. Unlike the
// native rule, the 5 GHz band starts at 5000000 kHz, since a driver's DSConfig is not limited to
// channel centres.
short BssChannelFromDsConfigKhz(DWORD dwDsConfigKhz);

// NDIS 5.1 back end, association: the channel from OID_802_11_CONFIGURATION's DSConfig (kHz), in
// unsigned arithmetic. 2484000 kHz is channel 14; 2300000 up to 5000000 kHz counts from channel 1 at
// 2412000, so a frequency just below channel 1 wraps to a huge number (GetChannel reports it out of
// range); 5000000 up to 6000000 kHz counts from 5 GHz; 0 when no rule applies. Wider than the list
// rule because the association query judges plausibility itself, by the channel's range.
DWORD ConfigChannelFromDsConfigKhz(DWORD dwDsConfigKhz);
