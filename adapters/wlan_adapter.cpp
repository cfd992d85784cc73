#include "adapters/wlan_adapter.h"

#include <algorithm>
#include <cstring>
#include <utility>

CBssKey::CBssKey(const BYTE* pbBssid, int nChannel) : channel(nChannel) {
    std::memcpy(bssid, pbBssid, BSSID_LENGTH);
}

bool CBssKey::operator==(const CBssKey& other) const {
    return channel == other.channel && std::memcmp(bssid, other.bssid, BSSID_LENGTH) == 0;
}

void AppendBss(CBssKeyList* pKeys, CDwordArray* padwSecurity, CDwordArray* padwModes,
               CAccessPointList* pAccessPoints, CStringArray* pastrApNames, const CBssKey& key,
               DWORD dwSecurity, DWORD dwMode, std::unique_ptr<CAccessPoint> pAccessPoint,
               const std::string& strApName) {
    if (pKeys != nullptr) {
        pKeys->push_back(key);
    }
    if (padwSecurity != nullptr) {
        padwSecurity->push_back(dwSecurity);
    }
    if (padwModes != nullptr) {
        padwModes->push_back(dwMode);
    }
    if (pAccessPoints != nullptr) {
        pAccessPoints->push_back(std::move(pAccessPoint));
    }
    if (pastrApNames != nullptr) {
        pastrApNames->push_back(strApName);
    }
}

BOOL ContainsBss(const CBssKeyList* pKeys, const CBssKey& key) {
    if (pKeys == nullptr) {
        return FALSE;
    }
    return std::find(pKeys->begin(), pKeys->end(), key) != pKeys->end() ? TRUE : FALSE;
}

void CScanResultSet::Append(const CBssKey& key, DWORD dwSecurity, DWORD dwMode,
                            std::unique_ptr<CAccessPoint> pAccessPoint, const std::string& strApName) {
    AppendBss(&m_aKeys, &m_adwSecurity, &m_adwModes, &m_apAccessPoints, &m_astrApNames, key, dwSecurity,
              dwMode, std::move(pAccessPoint), strApName);
}

void CScanResultSet::Clear() {
    m_aKeys.clear();
    m_adwSecurity.clear();
    m_adwModes.clear();
    m_apAccessPoints.clear();
    m_astrApNames.clear();
}

bool CScanResultSet::HasEqualLengths() const {
    const std::size_t n = m_aKeys.size();
    return m_adwSecurity.size() == n && m_adwModes.size() == n && m_apAccessPoints.size() == n &&
           m_astrApNames.size() == n;
}

int CWlanAdapter::GetFailureMask(HANDLE hDevice) {
    if (hDevice == INVALID_HANDLE_VALUE) {
        return FAILURE_MASK_CLOSED;
    }
    int nMask = 0;
    BYTE abBssid[BSSID_LENGTH] = {};
    if (GetBssid(abBssid) >= QUERY_BAD_SIZE) {
        nMask |= FAILURE_BSSID;
    }
    short nQuality = 0;
    short nSignal = 0;
    short nNoise = 0;
    if (GetSignal(&nQuality, &nSignal, &nNoise) >= QUERY_BAD_SIZE) {
        nMask |= FAILURE_SIGNAL;
    }
    return nMask;
}
