// Simulated machines whose one wireless adapter hears n access points of a realistic mix (2.4 and
// 5 GHz, open, WEP, WPA and WPA2, some with a name of their own), and the driver answers they give,
// as bytes, for the parser benchmarks. Every answer is made by the simulated driver in its real
// layout, except the card's scan record and the binding records, which no simulated driver can hold
// 1,000 of (the card's record stops at 384 entries); those are laid out here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_machine.h"

// The NDIS device name of the wireless binding and the WLAN interface of the machines below.
inline constexpr char BENCH_NDIS_DEVICE[] = "\\DEVICE\\{8E9B3F21-6C4D-4E8A-9B1F-2A7C5D0E4B13}";
inline constexpr char BENCH_WLAN_GUID[] = "6b2e9f14-3c7a-4d15-8e02-a41c5d9b7e63";

// Windows XP with one NDIS wireless binding that hears nAccessPoints (configuration service absent).
std::unique_ptr<CSimMachine> MakeNdisMachine(int nAccessPoints);
// Windows Vista with one connected WLAN interface that hears nAccessPoints.
std::unique_ptr<CSimMachine> MakeWlanMachine(int nAccessPoints);

// The OID_802_11_BSSID_LIST answer of the NDIS machine's binding, OID included.
std::vector<BYTE> NdisBssidListAnswer(CSimMachine& machine);
// The WLAN_BSS_LIST the WLAN machine's service hands out (dwTotalSize bytes). Needs the machine as
// Os().
std::vector<BYTE> WlanBssListAnswer(CSimMachine& machine);
// The card's scan record answer: the 12-byte request header, then nEntries 50-byte scan entries.
std::vector<BYTE> CardScanRecordAnswer(int nEntries);

// nRecords NDISUIO_QUERY_BINDING records back to back, each of the size in anSizes.
struct CBindingRecords {
    std::vector<BYTE> abBytes;
    std::vector<DWORD> adwSizes;
};
CBindingRecords BindingRecordAnswers(int nRecords);

// One element block of nElements vendor elements that neither announce security nor name the access
// point, so that both element walks go through all of it.
std::vector<BYTE> ElementBlock(int nElements);
