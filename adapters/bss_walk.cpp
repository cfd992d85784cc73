#include "adapters/bss_walk.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>

bool CBssMatch::Take(const BYTE* pbEntryBssid, short nEntryChannel, LONG nSignalDbm) const {
    if (pbBssid == nullptr || std::memcmp(pbEntryBssid, pbBssid, BSSID_LENGTH) != 0 ||
        nEntryChannel != nChannel) {
        return false;
    }
    if (pnSignal != nullptr) {
        *pnSignal = static_cast<short>(nSignalDbm);
    }
    return true;
}

void AddBssEntries(std::vector<CBssEntry>* paEntries, const CBssMatch& match, CScanResultSet* pResults) {
    CBssKeyIndex known(pResults != nullptr ? &pResults->m_aKeys : nullptr);
    for (CBssEntry& entry : *paEntries) {
        if (entry.nRssi >= 0) {
            continue;
        }
        if (match.Take(entry.abMac, entry.nChannel, entry.nRssi)) {
            continue;
        }
        const CBssKey key(entry.abMac, entry.nChannel);
        if (known.Contains(key)) {
            continue;
        }
        auto pAccessPoint = std::make_unique<CAccessPoint>();
        pAccessPoint->m_nQuality = -1;
        pAccessPoint->m_strSsid = entry.strSsid;
        pAccessPoint->m_nSignal = entry.nRssi;
        pAccessPoint->m_nNoise = NOISE_FLOOR_DBM;
        pAccessPoint->m_nChannel = entry.nChannel;
        pAccessPoint->m_nRate = entry.nRate;
        known.Add(key);
        if (pResults != nullptr) {
            pResults->Append(key, entry.dwSecurity, entry.dwMode, std::move(pAccessPoint), entry.strApName);
        }
    }
}

int BssListCountResult(DWORD dwNumberOfItems) {
    return static_cast<int>(std::min<DWORD>(dwNumberOfItems, INT_MAX));
}
