// Classes: CSimOrinocoAccessPoint, CSimOrinocoFault, CSimOrinocoConfig, CSimOrinocoLog,
//   CSimOrinoco.
// The simulated ORiNOCO PC card driver. The card's device "\\.\" + service name answers
// IOCTL_NDIS_QUERY_GLOBAL_STATS: standard OIDs from a table, and the driver's private record
// requests in OID 0xFF020401 (port open and close, the association records, scan start and the scan
// record of 50-byte entries). The machine file's "orinoco" section describes the card, the access
// points it hears and the faults it shows (docs/MACHINE_FILE.md).
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sim/machine_file.h"
#include "platform/sim/sim_devices.h"

// One access point as the card's scan record reports it. Levels are in the card's units, dBm + 149.
struct CSimOrinocoAccessPoint {
    std::string strSsid;
    BYTE abBssid[6] = {};
    WORD wChannel = 1;
    WORD wSignalLevel = 100;
    WORD wNoiseLevel = 50;
    WORD wBeaconInterval = 100;
    bool bPrivacy = false;
    bool bInfrastructure = true;
    int nSsidLength = -1;  // the entry's SSID length field; -1 = the SSID's own length
};

// How the card misbehaves for one record id (port requests: RID 0).
struct CSimOrinocoFault {
    DWORD dwError = 0;            // DeviceIoControl fails with this Win32 error
    int nStatus = -1;             // the answer carries this status word instead of 0
    int nDataBytes = -1;          // the answer carries this many data bytes instead of the record's size
    int nRecordType = -1;         // the answer's record type instead of the RID (scan record: 0xF101)
    DWORD dwExtraBytes = 0;       // scan record: this many stray bytes after the last whole entry
    long long llClaimBytes = -1;  // the byte count reported, whatever was written
};

struct CSimOrinocoConfig {
    std::string strServiceName = "{D7C1A94E-5B3F-4C28-9E61-0F2A8B4D3C57}";
    bool bPresent = true;     // the device exists
    DWORD dwOpenError = 0;    // CreateFileA fails with this Win32 error
    DWORD dwBusyAnswers = 0;  // the first port open requests answered busy (0x44)
    DWORD dwPort = 0x00010001;
    // The association records.
    bool bAssociated = true;  // otherwise the association records answer with an error status
    WORD wQuality = 40;
    WORD wSignalLevel = 100;
    WORD wNoiseLevel = 50;
    WORD wChannel = 6;
    BYTE abBssid[6] = {};
    std::string strSsid;
    int nSsidLength = -1;  // the SSID record's length field; -1 = the SSID's own length
    WORD wRate = 11;
    std::vector<CSimOrinocoAccessPoint> aAccessPoints;
    std::map<DWORD, std::vector<BYTE>> oids;  // standard OIDs and their data
    std::map<WORD, CSimOrinocoFault> faults;  // by record id
};

// What the driver was asked (tests).
struct CSimOrinocoLog {
    int nOpenRequests = 0;
    int nCloseRequests = 0;
    int nScanRequests = 0;
    std::map<WORD, int> anRecordReads;      // by RID
    std::map<WORD, DWORD> adwOfferedBytes;  // output buffer size of the last read of each RID
};

class CSimOrinoco {
public:
    explicit CSimOrinoco(CSimDeviceIo& deviceIo);
    ~CSimOrinoco();
    CSimOrinoco(const CSimOrinoco&) = delete;
    CSimOrinoco& operator=(const CSimOrinoco&) = delete;

    // Section "orinoco": one card. No section, no card.
    void Load(const CJsonNode& section);
    // Adds a card and, when present, registers its device. Returns its number.
    std::size_t AddCard(const CSimOrinocoConfig& config);

    std::size_t CardCount();
    // A card's set-up, to change between calls (tests); applies to the next request.
    void SetConfig(std::size_t nCard, const CSimOrinocoConfig& config);
    CSimOrinocoConfig Config(std::size_t nCard);
    CSimOrinocoLog Log(std::size_t nCard);

    struct CCard;

private:
    CSimDeviceIo& m_deviceIo;
    std::vector<std::shared_ptr<CCard>> m_apCards;
};
