#include "adapters/lucent/lucent_scan_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Builds an answer byte by byte; tests parse it from a vector of exactly its size, so that a read
// past the end is a heap overflow the sanitizers report.
class CAnswer {
public:
    explicit CAnswer(WORD wType = LUCENT_SCAN_RECORD_TYPE) : m_ab(12, 0) {
        m_ab[10] = static_cast<BYTE>(wType & 0xFF);
        m_ab[11] = static_cast<BYTE>(wType >> 8);
    }
    CAnswer& Entry(WORD wChannel, WORD wSignal, BYTE bLast, WORD wCapability, const std::string& strSsid,
                   int nSsidLength = -1) {
        Word(wChannel);
        Word(50);  // noise level
        Word(wSignal);
        for (BYTE b : {0x00, 0x02, 0x2D, 0x10, 0x20}) {
            m_ab.push_back(b);
        }
        m_ab.push_back(bLast);
        Word(100);  // beacon interval
        Word(wCapability);
        Word(static_cast<WORD>(nSsidLength >= 0 ? nSsidLength : static_cast<int>(strSsid.size())));
        for (std::size_t i = 0; i < 32; ++i) {
            m_ab.push_back(i < strSsid.size() ? static_cast<BYTE>(strSsid[i]) : 0);
        }
        return *this;
    }
    CAnswer& Bytes(std::size_t cb) {
        m_ab.insert(m_ab.end(), cb, 0xEE);
        return *this;
    }
    std::vector<BYTE> Take(std::size_t cbDrop = 0) const {
        return std::vector<BYTE>(m_ab.begin(), m_ab.end() - static_cast<std::ptrdiff_t>(cbDrop));
    }

private:
    void Word(WORD w) {
        m_ab.push_back(static_cast<BYTE>(w & 0xFF));
        m_ab.push_back(static_cast<BYTE>(w >> 8));
    }
    std::vector<BYTE> m_ab;
};

std::size_t Parse(const std::vector<BYTE>& abAnswer, BOOL* pbRecord) {
    std::vector<CLucentScanEntry> aEntries(3);  // left-overs must go
    *pbRecord = ParseLucentScanRecord(abAnswer.data(), abAnswer.size(), &aEntries);
    return aEntries.size();
}

TEST(LucentScanRecord, ReadsEveryFieldOfAnEntry) {
    const std::vector<BYTE> abAnswer =
        CAnswer()
            .Entry(11, 0x0164, 0x7F, LUCENT_CAPABILITY_ESS | LUCENT_CAPABILITY_PRIVACY, "Plenwick")
            .Take();
    ASSERT_EQ(abAnswer.size(), 12u + 50u);
    std::vector<CLucentScanEntry> aEntries;
    ASSERT_TRUE(ParseLucentScanRecord(abAnswer.data(), abAnswer.size(), &aEntries));
    ASSERT_EQ(aEntries.size(), 1u);
    const CLucentScanEntry& entry = aEntries[0];
    EXPECT_EQ(entry.nChannel, 11);
    EXPECT_EQ(entry.wNoiseLevel, 50);
    EXPECT_EQ(entry.wSignalLevel, 0x0164);  // little-endian
    const BYTE abBssid[6] = {0x00, 0x02, 0x2D, 0x10, 0x20, 0x7F};
    EXPECT_EQ(std::memcmp(entry.abBssid, abBssid, 6), 0);
    EXPECT_EQ(entry.wBeaconInterval, 100);
    EXPECT_EQ(entry.wCapability, LUCENT_CAPABILITY_ESS | LUCENT_CAPABILITY_PRIVACY);
    EXPECT_EQ(entry.strSsid, "Plenwick");
}

TEST(LucentScanRecord, AnswersThatAreNoScanRecordGiveNothing) {
    BOOL bRecord = TRUE;
    EXPECT_EQ(Parse({}, &bRecord), 0u);
    EXPECT_FALSE(bRecord);
    EXPECT_EQ(Parse({0x01}, &bRecord), 0u);
    EXPECT_FALSE(bRecord);
    // A header cut one byte short: the record type is not there to read.
    EXPECT_EQ(Parse(CAnswer().Take(1), &bRecord), 0u);
    EXPECT_FALSE(bRecord);
    EXPECT_EQ(Parse(CAnswer(0xF102).Entry(1, 100, 1, 1, "x").Take(), &bRecord), 0u);
    EXPECT_FALSE(bRecord);
    // A header alone is a scan record without entries.
    EXPECT_EQ(Parse(CAnswer().Take(), &bRecord), 0u);
    EXPECT_TRUE(bRecord);
}

TEST(LucentScanRecord, OnlyWholeEntriesWithinTheReturnedBytesAreWalked) {
    BOOL bRecord = FALSE;
    const CAnswer answer = CAnswer().Entry(1, 100, 1, 1, "a").Entry(6, 90, 2, 1, "b");
    EXPECT_EQ(Parse(answer.Take(), &bRecord), 2u);
    // Stray bytes after the last entry, short of a whole entry, end the walk.
    EXPECT_EQ(Parse(CAnswer(answer).Bytes(20).Take(), &bRecord), 2u);
    EXPECT_EQ(Parse(CAnswer(answer).Bytes(49).Take(), &bRecord), 2u);
    // The second entry cut short by the byte count.
    EXPECT_EQ(Parse(answer.Take(1), &bRecord), 1u);
    EXPECT_EQ(Parse(answer.Take(49), &bRecord), 1u);
    EXPECT_TRUE(bRecord);
}

TEST(LucentScanRecord, SsidLengthsBeyondTheFieldAreCutTo32Bytes) {
    const std::string strLong(32, 'S');
    struct {
        int nLength;
        std::size_t cbExpected;
    } const aCases[] = {{0, 0}, {5, 5}, {31, 31}, {32, 32}, {33, 32}, {255, 32}, {0xFFFF, 32}};
    for (const auto& c : aCases) {
        std::vector<CLucentScanEntry> aEntries;
        const std::vector<BYTE> abAnswer = CAnswer().Entry(1, 100, 1, 1, strLong, c.nLength).Take();
        ASSERT_TRUE(ParseLucentScanRecord(abAnswer.data(), abAnswer.size(), &aEntries));
        ASSERT_EQ(aEntries.size(), 1u);
        EXPECT_EQ(aEntries[0].strSsid, strLong.substr(0, c.cbExpected)) << "length " << c.nLength;
    }
}

TEST(LucentScanRecord, SsidIsTextUpToItsFirstZeroByte) {
    std::vector<CLucentScanEntry> aEntries;
    const std::vector<BYTE> abAnswer = CAnswer()
                                           .Entry(1, 100, 1, 1, std::string(6, '\0'), 6)
                                           .Entry(2, 100, 2, 1, std::string("ab\0cd", 5), 5)
                                           .Take();
    ASSERT_TRUE(ParseLucentScanRecord(abAnswer.data(), abAnswer.size(), &aEntries));
    ASSERT_EQ(aEntries.size(), 2u);
    EXPECT_EQ(aEntries[0].strSsid, "");  // a hidden network
    EXPECT_EQ(aEntries[1].strSsid, "ab");
}

}  // namespace
