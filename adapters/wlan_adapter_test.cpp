#include "adapters/wlan_adapter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

// A back end that answers the association queries with configured statuses and counts what it
// would have sent to the driver.
class CFakeAdapter : public CWlanAdapter {
public:
    int OpenByIndex(int, BOOL, std::string*, std::string*) override { return OPEN_NONE; }
    int OpenByName(const std::string&, BOOL) override { return OpenDevice() == DEVICE_OPENED ? 1 : -1; }
    int OpenDevice() override {
        m_hDevice = 42;
        return DEVICE_OPENED;
    }
    int CloseDevice() override {
        m_hDevice = INVALID_HANDLE_VALUE;
        return 0;
    }
    int CheckCapabilities() override { return GetFailureMask(m_hDevice); }
    int GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) override {
        ++m_nDriverCalls;
        *pnQuality = 0;
        *pnSignalDbm = 0;
        *pnNoiseDbm = 0;
        return m_nSignalStatus;
    }
    int GetChannel(short*) override { return Unused(); }
    int GetBssid(BYTE abBssid[BSSID_LENGTH]) override {
        ++m_nDriverCalls;
        std::fill(abBssid, abBssid + BSSID_LENGTH, BYTE{0});
        return m_nBssidStatus;
    }
    int GetSsid(std::string*) override { return Unused(); }
    int GetRate(short*) override { return Unused(); }
    int GetSecurity(DWORD*) override { return Unused(); }
    int GetInfrastructureMode(DWORD*) override { return Unused(); }
    int GetBssList(const BYTE*, short, short*, CScanResultSet*) override { return Unused(); }
    BOOL WaitAndGetBssList(CScanSync*, const BYTE*, short, short*, CScanResultSet*) override {
        return Unused();
    }
    int StartScan() override { return Unused(); }
    int GetXmitErrors(DWORD*) override { return Unused(); }
    int GetRcvErrors(DWORD*) override { return Unused(); }
    int GetRcvAlignmentErrors(DWORD*) override { return Unused(); }
    int GetXmitOneCollision(DWORD*) override { return Unused(); }
    int GetXmitMoreCollisions(DWORD*) override { return Unused(); }
    int GetPhysicalMedium(DWORD*) override { return Unused(); }
    BOOL QueryOidString(DWORD, std::string*) override { return Unused(); }
    BOOL QueryOidDword(DWORD, DWORD*) override { return Unused(); }
    int SetScanCallback(SCAN_NOTIFICATION_CALLBACK, void*) override { return Unused(); }
    std::string GetName() const override { return "Fake"; }

    int m_nBssidStatus = QUERY_OK;
    int m_nSignalStatus = QUERY_OK;
    int m_nDriverCalls = 0;
    int m_nUnexpectedCalls = 0;

private:
    int Unused() {
        ++m_nUnexpectedCalls;
        return QUERY_FAILED;
    }
};

TEST(WlanAdapterTest, StartsClosed) {
    CFakeAdapter adapter;
    EXPECT_EQ(adapter.m_hDevice, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(adapter.m_bScanPending);
    EXPECT_TRUE(adapter.m_strDevice.empty());
}

TEST(WlanAdapterTest, FailureMaskOfClosedDeviceIsMinusOneAndSendsNothing) {
    CFakeAdapter adapter;
    EXPECT_EQ(adapter.CheckCapabilities(), -1);
    adapter.OpenDevice();
    adapter.CloseDevice();
    EXPECT_EQ(adapter.CheckCapabilities(), -1);
    EXPECT_EQ(adapter.m_nDriverCalls, 0);
}

TEST(WlanAdapterTest, FailedAssociationQueriesDoNotCountAsFailures) {
    CFakeAdapter adapter;
    adapter.OpenDevice();
    adapter.m_nBssidStatus = QUERY_FAILED;
    adapter.m_nSignalStatus = QUERY_OK;
    EXPECT_EQ(adapter.CheckCapabilities(), 0);
    EXPECT_EQ(adapter.m_nDriverCalls, 2);
    EXPECT_EQ(adapter.m_nUnexpectedCalls, 0);
}

TEST(WlanAdapterTest, FailureMaskBitsPerQuery) {
    CFakeAdapter adapter;
    adapter.OpenDevice();
    adapter.m_nBssidStatus = QUERY_BAD_SIZE;
    adapter.m_nSignalStatus = QUERY_NOT_SUPPORTED;
    EXPECT_EQ(adapter.CheckCapabilities(), 0x1200);

    adapter.m_nBssidStatus = QUERY_OUT_OF_RANGE;
    adapter.m_nSignalStatus = QUERY_FAILED;
    EXPECT_EQ(adapter.CheckCapabilities(), 0x200);

    adapter.m_nBssidStatus = QUERY_OK;
    adapter.m_nSignalStatus = QUERY_BAD_SIZE;
    EXPECT_EQ(adapter.CheckCapabilities(), 0x1000);
}

TEST(BssKeyTest, SameBssNeedsEqualBssidAndChannel) {
    const BYTE abMac[BSSID_LENGTH] = {0x00, 0x02, 0x2d, 0x11, 0x22, 0x33};
    BYTE abOther[BSSID_LENGTH] = {0x00, 0x02, 0x2d, 0x11, 0x22, 0x33};
    EXPECT_TRUE(CBssKey(abMac, 6) == CBssKey(abOther, 6));
    EXPECT_FALSE(CBssKey(abMac, 6) == CBssKey(abMac, 11));
    abOther[5] = 0x34;
    EXPECT_FALSE(CBssKey(abMac, 6) == CBssKey(abOther, 6));
}

TEST(BssKeyIndexTest, HoldsTheListsKeysAndEachOneAdded) {
    const BYTE abMac[BSSID_LENGTH] = {0x00, 0x02, 0x2d, 0x11, 0x22, 0x33};
    const BYTE abOther[BSSID_LENGTH] = {0x00, 0x02, 0x2d, 0x11, 0x22, 0x34};
    const CBssKeyList keys = {CBssKey(abMac, 6)};
    CBssKeyIndex index(&keys);
    EXPECT_TRUE(index.Contains(CBssKey(abMac, 6))) << "a key the list held before the walk";
    EXPECT_FALSE(index.Contains(CBssKey(abMac, 11)));
    EXPECT_FALSE(index.Contains(CBssKey(abOther, 6)));
    index.Add(CBssKey(abOther, 6));
    EXPECT_TRUE(index.Contains(CBssKey(abOther, 6)));

    // A caller that asked for no keys gets no duplicate check.
    CBssKeyIndex none(nullptr);
    none.Add(CBssKey(abMac, 6));
    EXPECT_FALSE(none.Contains(CBssKey(abMac, 6)));
}

TEST(BssKeyIndexTest, KeysThatDifferInOneByteOrTheChannelStayApart) {
    CBssKeyList keys;
    CBssKeyIndex index(&keys);
    // 10,000 keys that share most of their bytes: every one is found once added, none before.
    for (int i = 0; i < 10000; ++i) {
        const BYTE abMac[BSSID_LENGTH] = {
            0x00, 0x0f, 0x66, 0x00, static_cast<BYTE>(i >> 8), static_cast<BYTE>(i)};
        const CBssKey key(abMac, 1 + i % 3);
        ASSERT_FALSE(index.Contains(key)) << i;
        index.Add(key);
        ASSERT_TRUE(index.Contains(key)) << i;
    }
    const BYTE abLast[BSSID_LENGTH] = {0x00, 0x0f, 0x66, 0x00, 0x27, 0x0f};  // 9999, on channel 1
    EXPECT_TRUE(index.Contains(CBssKey(abLast, 1)));
    EXPECT_FALSE(index.Contains(CBssKey(abLast, 2)));
    EXPECT_FALSE(index.Contains(CBssKey(abLast, -1)));
}

TEST(BssKeyIndexTest, AListWithRepeatsAndManyKeysIsHeldWhole) {
    // More keys than the first table holds, each twice: all are found after the table grew, and a key
    // on another channel is not.
    CBssKeyList keys;
    for (int i = 0; i < 300; ++i) {
        const BYTE abMac[BSSID_LENGTH] = {0x02, 0, 0, 0, static_cast<BYTE>(i >> 8), static_cast<BYTE>(i)};
        keys.push_back(CBssKey(abMac, 36));
        keys.push_back(CBssKey(abMac, 36));
    }
    const CBssKeyIndex index(&keys);
    for (const CBssKey& key : keys) {
        ASSERT_TRUE(index.Contains(key));
        ASSERT_FALSE(index.Contains(CBssKey(key.bssid, 40)));
    }
}

// Counts the records alive, to see that the set deletes each exactly once.
struct CCountedAccessPoint : CAccessPoint {
    explicit CCountedAccessPoint(int* pnAlive) : m_pnAlive(pnAlive) { ++*m_pnAlive; }
    ~CCountedAccessPoint() override { --*m_pnAlive; }
    int* m_pnAlive;
};

CBssKey KeyFor(BYTE bLast, int nChannel) {
    const BYTE abMac[BSSID_LENGTH] = {0, 1, 2, 3, 4, bLast};
    return CBssKey(abMac, nChannel);
}

TEST(ScanResultSetTest, AppendKeepsTheFiveContainersParallel) {
    CScanResultSet set;
    auto pFirst = std::make_unique<CAccessPoint>();
    pFirst->m_strSsid = "first";
    set.Append(KeyFor(1, 6), SECURITY_WPA2, MODE_INFRASTRUCTURE, std::move(pFirst), "");
    set.Append(KeyFor(2, 11), SECURITY_WEP, MODE_AD_HOC, std::make_unique<CAccessPoint>(), "lobby");

    ASSERT_EQ(set.GetCount(), 2);
    EXPECT_TRUE(set.HasEqualLengths());
    EXPECT_EQ(set.m_aKeys[1].channel, 11);
    EXPECT_EQ(set.m_adwSecurity[0], SECURITY_WPA2);
    EXPECT_EQ(set.m_adwModes[1], MODE_AD_HOC);
    EXPECT_EQ(set.m_apAccessPoints[0]->m_strSsid, "first");
    EXPECT_EQ(set.m_astrApNames[1], "lobby");
}

TEST(ScanResultSetTest, RecordsAreDeletedOnceByClearAndByTheSet) {
    int nAlive = 0;
    {
        CScanResultSet set;
        set.Append(KeyFor(1, 1), 0, 1, std::make_unique<CCountedAccessPoint>(&nAlive), "");
        set.Append(KeyFor(2, 1), 0, 1, std::make_unique<CCountedAccessPoint>(&nAlive), "");
        EXPECT_EQ(nAlive, 2);
        set.Clear();
        EXPECT_EQ(nAlive, 0);
        EXPECT_EQ(set.GetCount(), 0);
        EXPECT_TRUE(set.HasEqualLengths());
        EXPECT_TRUE(set.m_apAccessPoints.empty());

        set.Append(KeyFor(3, 1), 0, 1, std::make_unique<CCountedAccessPoint>(&nAlive), "");
        EXPECT_EQ(nAlive, 1);
    }
    EXPECT_EQ(nAlive, 0);
}

TEST(ScanResultSetTest, AppendSkipsContainersTheCallerDidNotGive) {
    int nAlive = 0;
    CBssKeyList keys;
    CDwordArray adwSecurity;
    AppendBss(&keys, &adwSecurity, nullptr, nullptr, nullptr, KeyFor(1, 1), SECURITY_WEP, MODE_AD_HOC,
              std::make_unique<CCountedAccessPoint>(&nAlive), "name");
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_EQ(adwSecurity.size(), 1u);
    EXPECT_EQ(nAlive, 0);  // no list took the record, so it is not leaked
}

}  // namespace
