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
        for (const CBssKey& key : *pKeys) {
            Add(key);
        }
    }
}

std::size_t CBssKeyIndex::SlotOf(const CBssKey& key) const {
    const std::size_t nMask = m_aSlots.size() - 1;
    std::size_t n = CBssKeyHash()(key) & nMask;
    while (m_abUsed[n] != 0 && !(m_aSlots[n] == key)) {
        n = (n + 1) & nMask;
    }
    return n;
}

BOOL CBssKeyIndex::Contains(const CBssKey& key) const {
    return m_nCount != 0 && m_abUsed[SlotOf(key)] != 0 ? TRUE : FALSE;
}

void CBssKeyIndex::Add(const CBssKey& key) {
    if (!m_bKept) {
        return;
    }
    if (2 * (m_nCount + 1) > m_aSlots.size()) {
        Grow();
    }
    const std::size_t n = SlotOf(key);
    if (m_abUsed[n] == 0) {
        m_aSlots[n] = key;
        m_abUsed[n] = 1;
        ++m_nCount;
    }
}

void CBssKeyIndex::Grow() {
    constexpr std::size_t FIRST_SLOTS = 64;
    const std::vector<CBssKey> aOld = std::move(m_aSlots);
    const std::vector<BYTE> abOldUsed = std::move(m_abUsed);
    const std::size_t nSlots = std::max(FIRST_SLOTS, 2 * aOld.size());
    m_aSlots.assign(nSlots, CBssKey());
    m_abUsed.assign(nSlots, 0);
    for (std::size_t i = 0; i < aOld.size(); ++i) {
        if (abOldUsed[i] != 0) {
            const std::size_t n = SlotOf(aOld[i]);
            m_aSlots[n] = aOld[i];
            m_abUsed[n] = 1;
        }
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
