#include "adapters/wlan_adapter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

CBssKey::CBssKey(const BYTE* pbBssid, int nChannel) : channel(nChannel) {
    std::memcpy(bssid, pbBssid, BSSID_LENGTH);
}

bool CBssKey::operator==(const CBssKey& other) const {
    return channel == other.channel && std::memcmp(bssid, other.bssid, BSSID_LENGTH) == 0;
}

void AppendBss(CBssKeyList* pKeys, CDwordArray* padwSecurity, CDwordArray* padwModes,
               CAccessPointList* pAccessPoints, CApNameArray* pastrApNames, const CBssKey& key,
               DWORD dwSecurity, DWORD dwMode, std::unique_ptr<CAccessPoint> pAccessPoint,
               const CApName& apName) {
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
        pastrApNames->push_back(apName);
    }
}

std::size_t CBssKeyHash::operator()(const CBssKey& key) const {
    // FNV-1a over the six BSSID bytes and the channel.
    std::uint64_t qwHash = 14695981039346656037ull;
    auto mix = [&qwHash](BYTE b) { qwHash = (qwHash ^ b) * 1099511628211ull; };
    for (BYTE b : key.bssid) {
        mix(b);
    }
    for (int i = 0; i < 4; ++i) {
        mix(static_cast<BYTE>(static_cast<DWORD>(key.channel) >> (8 * i)));
    }
    return static_cast<std::size_t>(qwHash);
}

CBssKeyIndex::CBssKeyIndex(const CBssKeyList* pKeys) : m_bKept(pKeys != nullptr) {
    if (pKeys != nullptr) {
        m_keys.insert(pKeys->begin(), pKeys->end());
    }
}

BOOL CBssKeyIndex::Contains(const CBssKey& key) const {
    return m_keys.count(key) != 0 ? TRUE : FALSE;
}

void CBssKeyIndex::Add(const CBssKey& key) {
    if (m_bKept) {
        m_keys.insert(key);
    }
}

void CScanResultSet::Append(const CBssKey& key, DWORD dwSecurity, DWORD dwMode,
                            std::unique_ptr<CAccessPoint> pAccessPoint, const CApName& apName) {
    AppendBss(&m_aKeys, &m_adwSecurity, &m_adwModes, &m_apAccessPoints, &m_astrApNames, key, dwSecurity,
              dwMode, std::move(pAccessPoint), apName);
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
