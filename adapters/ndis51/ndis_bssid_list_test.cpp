#include "adapters/ndis51/ndis_bssid_list.h"

#include <gtest/gtest.h>

#include "adapters/ndis51/ndis_binding.h"
#include "platform/sim/sim_ndisuio.h"

// Every buffer here is allocated at its exact size, so that a read past the bytes the driver
// returned is a heap overflow under AddressSanitizer.
namespace {

CSimAccessPoint Ap(const std::string& strSsid, BYTE bLast, DWORD dwKhz = 2437000) {
    CSimAccessPoint ap;
    ap.strSsid = strSsid;
    const BYTE abMac[6] = {0x00, 0x0F, 0x66, 0x10, 0x20, bLast};
    std::copy(abMac, abMac + 6, ap.abBssid);
    ap.dwDsConfig = dwKhz;
    ap.abRates = {0x82, 0x84, 0x8B, 0x96, 12, 18, 24, 36, 48, 72, 96, 108};
    return ap;
}

// The answer as the driver returns it: OID, NumberOfItems, the entries.
std::vector<BYTE> Answer(DWORD dwItems, const std::vector<std::vector<BYTE>>& aabEntries) {
    std::vector<BYTE> ab(8, 0);
    WriteNdisDword(ab.data(), 0x0D010217);
    WriteNdisDword(ab.data() + 4, dwItems);
    for (const auto& abEntry : aabEntries) {
        ab.insert(ab.end(), abEntry.begin(), abEntry.end());
    }
    return ab;
}

CNdisBssList Parse(const std::vector<BYTE>& abAnswer) {
    CNdisBssList list;
    ParseBssidList(abAnswer.data(), static_cast<DWORD>(abAnswer.size()), &list);
    return list;
}

// Variable elements (after the 12 fixed bytes) given raw.
CSimAccessPoint WithElements(bool bPrivacy, const std::vector<BYTE>& abElements) {
    CSimAccessPoint ap = Ap("Raw", 9);
    ap.bPrivacy = bPrivacy;
    ap.abRawElements = abElements;
    return ap;
}

DWORD SecurityOf(const CSimAccessPoint& ap) {
    const CNdisBssList list = Parse(Answer(1, {BuildSimBssEntry(ap)}));
    EXPECT_EQ(list.aEntries.size(), 1u);
    return list.aEntries.empty() ? 0xDEAD : list.aEntries[0].dwSecurity;
}

const std::vector<BYTE> TRAILER = {0xDD, 0x07, 0x00, 0x50, 0xF2, 0x02, 0x00, 0x01, 0x00};  // WMM

std::vector<BYTE> Concat(std::vector<BYTE> ab, const std::vector<BYTE>& abMore) {
    ab.insert(ab.end(), abMore.begin(), abMore.end());
    return ab;
}

}  // namespace

TEST(NdisBssidListTest, ReadsEveryFieldOfWellFormedEntries) {
    CSimAccessPoint office = Ap("Office", 1, 5180000);
    office.nRssi = -61;
    office.bPrivacy = true;
    office.abRsnCiphers = {4};
    office.strApName = "LOBBY-AP";
    CSimAccessPoint adhoc = Ap("Party", 2, 2484000);
    adhoc.nRssi = -77;
    adhoc.dwMode = 0;
    adhoc.abRates = {0x82, 0x84, 0x8B, 0x96};

    const CNdisBssList list = Parse(Answer(2, {BuildSimBssEntry(office), BuildSimBssEntry(adhoc)}));
    ASSERT_EQ(list.aEntries.size(), 2u);
    EXPECT_EQ(list.dwNumberOfItems, 2u);
    const CNdisBssEntry& first = list.aEntries[0];
    EXPECT_EQ(first.strSsid, "Office");
    EXPECT_EQ(first.abMac[5], 1);
    EXPECT_EQ(first.nRssi, -61);
    EXPECT_EQ(first.nChannel, 36);
    EXPECT_EQ(first.dwMode, MODE_INFRASTRUCTURE);
    EXPECT_EQ(first.nRate, 54);
    EXPECT_EQ(first.dwSecurity, SECURITY_WPA2);
    EXPECT_EQ(first.strApName, "LOBBY-AP");
    const CNdisBssEntry& second = list.aEntries[1];
    EXPECT_EQ(second.strSsid, "Party");
    EXPECT_EQ(second.nChannel, 14);
    EXPECT_EQ(second.dwMode, MODE_AD_HOC);
    EXPECT_EQ(second.nRate, 11);  // (22 + 1) / 2, truncated
    EXPECT_EQ(second.dwSecurity, SECURITY_CLEAR);
    EXPECT_EQ(second.strApName, "");
}

TEST(NdisBssidListTest, SecurityFromPrivacyAndElements) {
    const std::vector<BYTE> rsnCcmp = {0x30, 0x14, 1, 0, 0x00, 0x0F, 0xAC, 4,    1, 0, 0x00,
                                       0x0F, 0xAC, 4, 1, 0,    0x00, 0x0F, 0xAC, 2, 0, 0};
    const std::vector<BYTE> rsnTkip = {0x30, 0x14, 1, 0, 0x00, 0x0F, 0xAC, 2,    1, 0, 0x00,
                                       0x0F, 0xAC, 2, 1, 0,    0x00, 0x0F, 0xAC, 2, 0, 0};
    const std::vector<BYTE> rsnWep = {0x30, 0x14, 1, 0, 0x00, 0x0F, 0xAC, 1,    1, 0, 0x00,
                                      0x0F, 0xAC, 5, 1, 0,    0x00, 0x0F, 0xAC, 2, 0, 0};
    const std::vector<BYTE> rsnShort = {0x30, 0x0A, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F};
    const std::vector<BYTE> wpa = {0xDD, 0x08, 0x00, 0x50, 0xF2, 0x01, 1, 0, 0x00, 0x50};

    EXPECT_EQ(SecurityOf(WithElements(true, Concat(rsnCcmp, TRAILER))), SECURITY_WPA2);
    EXPECT_EQ(SecurityOf(WithElements(true, Concat(rsnTkip, TRAILER))), SECURITY_WPA);
    EXPECT_EQ(SecurityOf(WithElements(true, Concat(rsnWep, TRAILER))), SECURITY_WEP);
    EXPECT_EQ(SecurityOf(WithElements(true, Concat(wpa, TRAILER))), SECURITY_WPA);
    // A 10-byte RSN element that is not the last one: WPA2 without any cipher suite.
    EXPECT_EQ(SecurityOf(WithElements(true, Concat(rsnShort, TRAILER))), SECURITY_WPA2);
    // An RSN element that ends exactly at the end of the block is not examined.
    EXPECT_EQ(SecurityOf(WithElements(true, Concat(TRAILER, rsnCcmp))), SECURITY_WEP);
    // Without privacy the elements do not count.
    EXPECT_EQ(SecurityOf(WithElements(false, Concat(rsnCcmp, TRAILER))), SECURITY_CLEAR);
    // No elements beyond the fixed part: privacy alone is WEP.
    EXPECT_EQ(SecurityOf(WithElements(true, {})), SECURITY_WEP);
}

TEST(NdisBssidListTest, ApNameNeedsALongEnoughElementInsideTheBlock) {
    std::vector<BYTE> name(32, 0);
    name[0] = 0x85;
    name[1] = 30;
    const char szName[] = "STAIRWELL-0123456789";  // longer than the 16-byte field
    std::copy(szName, szName + 20, name.begin() + 2 + 10);
    CSimAccessPoint ap = WithElements(false, Concat(name, TRAILER));
    EXPECT_EQ(Parse(Answer(1, {BuildSimBssEntry(ap)})).aEntries[0].strApName, "STAIRWELL-012345");

    ap.abRawElements = Concat(TRAILER, name);  // last in the block: not read
    EXPECT_EQ(Parse(Answer(1, {BuildSimBssEntry(ap)})).aEntries[0].strApName, "");
    std::vector<BYTE> shortName = name;
    shortName[1] = 25;
    shortName.resize(27);
    ap.abRawElements = Concat(shortName, TRAILER);
    EXPECT_EQ(Parse(Answer(1, {BuildSimBssEntry(ap)})).aEntries[0].strApName, "");
}

// Malformed lists: the walk stays inside the bytes returned and always ends.
TEST(NdisBssidListTest, ZeroLengthEntryEndsTheWalk) {
    CSimAccessPoint bad = Ap("Zero", 2);
    bad.dwLength = 0;
    const CNdisBssList list = Parse(Answer(
        3, {BuildSimBssEntry(Ap("Good", 1)), BuildSimBssEntry(bad), BuildSimBssEntry(Ap("After", 3))}));
    ASSERT_EQ(list.aEntries.size(), 1u);
    EXPECT_EQ(list.aEntries[0].strSsid, "Good");
    EXPECT_EQ(list.dwNumberOfItems, 3u);
}

TEST(NdisBssidListTest, EntryLengthPastTheBytesReturnedOrTooShortEndsTheWalk) {
    CSimAccessPoint longer = Ap("Long", 2);
    longer.dwLength = 4000;
    EXPECT_EQ(Parse(Answer(2, {BuildSimBssEntry(Ap("Good", 1)), BuildSimBssEntry(longer)})).aEntries.size(),
              1u);

    CSimAccessPoint shorter = Ap("Short", 2);
    shorter.dwLength = 100;  // less than the fields it must hold
    EXPECT_EQ(Parse(Answer(2, {BuildSimBssEntry(shorter), BuildSimBssEntry(Ap("Next", 3))})).aEntries.size(),
              0u);
}

// Older drivers answer with NDIS_WLAN_BSSID entries: Length 104, 8 rate bytes, no elements.
TEST(NdisBssidListTest, OlderEntriesOfLength104AreKeptWithTheirEightRates) {
    CSimAccessPoint old = Ap("OldWep", 1);  // rates up to 54 Mbps, of which the first 8 reach 18
    old.bOldLayout = true;
    old.bPrivacy = true;
    old.abRsnCiphers = {4};  // not sent: the old layout has no elements
    CSimAccessPoint open = Ap("OldOpen", 2);
    open.bOldLayout = true;
    CSimAccessPoint modern = Ap("Modern", 3);
    modern.bPrivacy = true;
    modern.abRsnCiphers = {4};
    const std::vector<BYTE> abOld = BuildSimBssEntry(old);
    ASSERT_EQ(abOld.size(), 104u);

    const CNdisBssList list = Parse(Answer(3, {abOld, BuildSimBssEntry(open), BuildSimBssEntry(modern)}));
    ASSERT_EQ(list.aEntries.size(), 3u);
    const CNdisBssEntry& first = list.aEntries[0];
    EXPECT_EQ(first.strSsid, "OldWep");
    EXPECT_EQ(first.nChannel, 6);
    EXPECT_EQ(first.nRate, 18);  // 36 x 500 kbit/s; the next entry's bytes are no rates
    EXPECT_EQ(first.dwSecurity, SECURITY_WEP);
    EXPECT_EQ(first.strApName, "");
    EXPECT_EQ(list.aEntries[1].dwSecurity, SECURITY_CLEAR);
    EXPECT_EQ(list.aEntries[2].strSsid, "Modern");
    EXPECT_EQ(list.aEntries[2].dwSecurity, SECURITY_WPA2);
    EXPECT_EQ(list.aEntries[2].nRate, 54);

    // The last entry of the answer may be an old one too.
    EXPECT_EQ(Parse(Answer(2, {BuildSimBssEntry(modern), abOld})).aEntries.size(), 2u);
}

TEST(NdisBssidListTest, CountBeyondTheEntriesPresentReadsOnlyWhatIsThere) {
    const CNdisBssList list =
        Parse(Answer(1000, {BuildSimBssEntry(Ap("One", 1)), BuildSimBssEntry(Ap("Two", 2))}));
    EXPECT_EQ(list.aEntries.size(), 2u);
    EXPECT_EQ(list.dwNumberOfItems, 1000u);

    // The entry vector is sized from the bytes, never from the count the driver claims.
    const std::vector<BYTE> abClaim =
        Answer(0xFFFFFFFF, {BuildSimBssEntry(Ap("One", 1)), BuildSimBssEntry(Ap("Two", 2))});
    const CNdisBssList claimed = Parse(abClaim);
    EXPECT_EQ(claimed.aEntries.size(), 2u);
    EXPECT_LE(claimed.aEntries.capacity(), (abClaim.size() - 8) / BSS_OLD_ENTRY_SIZE);

    // A list cut inside an entry's fixed part.
    std::vector<BYTE> abCut = Answer(1, {BuildSimBssEntry(Ap("Cut", 1))});
    abCut.resize(8 + 60);
    EXPECT_EQ(Parse(abCut).aEntries.size(), 0u);
}

TEST(NdisBssidListTest, AnswerTooShortForItsCountHasNoItems) {
    const std::vector<BYTE> ab = {0x17, 0x02, 0x01, 0x0D, 5, 0, 0};  // seven bytes
    const CNdisBssList list = Parse(ab);
    EXPECT_EQ(list.dwNumberOfItems, 0u);
    EXPECT_TRUE(list.aEntries.empty());
}

TEST(NdisBssidListTest, IeLengthPastTheEntryIsCutToTheEntry) {
    CSimAccessPoint ap = WithElements(true, Concat({0x30, 0x14, 1, 0, 0x00, 0x0F, 0xAC, 2,    1, 0, 0x00,
                                                    0x0F, 0xAC, 2, 1, 0,    0x00, 0x0F, 0xAC, 2, 0, 0},
                                                   TRAILER));
    ap.dwIeLength = 0xFFFFFF00;
    const CNdisBssList list = Parse(Answer(1, {BuildSimBssEntry(ap)}));
    ASSERT_EQ(list.aEntries.size(), 1u);
    EXPECT_EQ(list.aEntries[0].dwSecurity, SECURITY_WPA);
    // The elements still end with the entry when an element's own length runs past it.
    ap.abRawElements = std::vector<BYTE>{0x85, 0xFF, 0, 0};
    ap.dwIeLength = 5000;
    EXPECT_EQ(Parse(Answer(1, {BuildSimBssEntry(ap)})).aEntries[0].strApName, "");
}

TEST(NdisBssidListTest, SsidLengthAbove32IsCutTo32) {
    CSimAccessPoint ap = WithElements(false, {});
    ap.strSsid = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    ap.dwSsidLength = 255;
    const std::vector<BYTE> abAnswer = Answer(1, {BuildSimBssEntry(ap)});
    ASSERT_LT(abAnswer.size(), 8u + 16u + 255u);  // a read of 255 bytes would leave the buffer
    const CNdisBssList list = Parse(abAnswer);
    ASSERT_EQ(list.aEntries.size(), 1u);
    EXPECT_EQ(list.aEntries[0].strSsid, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
}

TEST(NdisBssidListTest, SsidIsTextUpToItsFirstZeroByte) {
    CSimAccessPoint hidden = WithElements(false, {});
    hidden.strSsid = std::string(8, '\0');  // a hidden network: a length, no text
    CSimAccessPoint cut = WithElements(false, {});
    cut.strSsid = std::string("ab\0cd", 5);
    const CNdisBssList list = Parse(Answer(2, {BuildSimBssEntry(hidden), BuildSimBssEntry(cut)}));
    ASSERT_EQ(list.aEntries.size(), 2u);
    EXPECT_EQ(list.aEntries[0].strSsid, "");
    EXPECT_EQ(list.aEntries[1].strSsid, "ab");
}

// ---- binding records ------------------------------------------------------------------------

namespace {

std::vector<BYTE> Utf16(const std::u16string& wstr, bool bTerminator = true) {
    std::vector<BYTE> ab;
    for (char16_t wch : wstr) {
        ab.push_back(static_cast<BYTE>(wch));
        ab.push_back(static_cast<BYTE>(wch >> 8));
    }
    if (bTerminator) {
        ab.insert(ab.end(), {0, 0});
    }
    return ab;
}

std::vector<BYTE> Record(const std::vector<BYTE>& abName, const std::vector<BYTE>& abDescr) {
    std::vector<BYTE> ab(20, 0);
    WriteNdisDword(ab.data() + 4, 20);
    WriteNdisDword(ab.data() + 8, static_cast<DWORD>(abName.size()));
    WriteNdisDword(ab.data() + 12, static_cast<DWORD>(20 + abName.size()));
    WriteNdisDword(ab.data() + 16, static_cast<DWORD>(abDescr.size()));
    ab.insert(ab.end(), abName.begin(), abName.end());
    ab.insert(ab.end(), abDescr.begin(), abDescr.end());
    return ab;
}

CNdisBinding ParseRecord(const std::vector<BYTE>& ab, BOOL bExpected = TRUE) {
    CNdisBinding binding;
    EXPECT_EQ(ParseBindingRecord(ab.data(), static_cast<DWORD>(ab.size()), &binding), bExpected);
    return binding;
}

}  // namespace

TEST(NdisBindingTest, ReadsNameAndDescription) {
    const CNdisBinding binding =
        ParseRecord(Record(Utf16(u"\\DEVICE\\{1234}"), Utf16(u"Caf\u00e9 Wireless")));
    EXPECT_EQ(binding.Name(), u"\\DEVICE\\{1234}");
    EXPECT_EQ(binding.Description(), u"Caf\u00e9 Wireless");
}

TEST(NdisBindingTest, OffsetsAndLengthsFromTheDriverAreBoundedByTheRecord) {
    std::vector<BYTE> ab = Record(Utf16(u"\\DEVICE\\{A}"), Utf16(u"Card"));
    WriteNdisDword(ab.data() + 4, 5000);  // name offset past the record
    CNdisBinding binding = ParseRecord(ab);
    EXPECT_EQ(binding.Name(), u"");
    EXPECT_EQ(binding.Description(), u"Card");

    ab = Record(Utf16(u"\\DEVICE\\{A}"), Utf16(u"Card", false));
    WriteNdisDword(ab.data() + 16, 400);  // description length past the record, no terminator
    binding = ParseRecord(ab);
    EXPECT_EQ(binding.Name(), u"\\DEVICE\\{A}");
    EXPECT_EQ(binding.Description(), u"Card");

    ab = Record(Utf16(u"\\DEVICE\\{A}"), Utf16(u"Card"));
    WriteNdisDword(ab.data() + 12, 0xFFFFFFF0);  // offset + length would wrap
    WriteNdisDword(ab.data() + 16, 0x20);
    EXPECT_EQ(ParseRecord(ab).Description(), u"");

    ParseRecord(std::vector<BYTE>(19, 0), FALSE);  // not even the header
}

TEST(NdisBindingTest, TextsAreCutToTheirFields) {
    const std::u16string wstrLong(300, u'N');
    const CNdisBinding binding =
        ParseRecord(Record(Utf16(wstrLong), Utf16(std::u16string(400, u'D'), false)));
    EXPECT_EQ(binding.Name().size(), 128u);         // 256 bytes
    EXPECT_EQ(binding.Description().size(), 256u);  // 512 bytes, no terminator needed

    std::vector<BYTE> ab = Record(Utf16(u"AB"), Utf16(u"C"));
    WriteNdisDword(ab.data() + 8, 3);  // an odd byte count: the half unit is dropped
    EXPECT_EQ(ParseRecord(ab).Name(), u"A");
}

TEST(NdisBindingTest, OnlyAWholeZeroUnitEndsAText) {
    // Units with a zero byte, or only the high bit, are text; the terminator is found at every place
    // in and across the groups of four units the text is searched in.
    const std::u16string wstrUnits = u"\u0100\u8000\u00FF\uFF00\u0001\u8001A\u0080\uFFFF";
    for (std::size_t cch = 0; cch <= wstrUnits.size(); ++cch) {
        const std::u16string wstrText = wstrUnits.substr(0, cch);
        const CNdisBinding binding = ParseRecord(Record(Utf16(wstrText + u"X"), Utf16(wstrText)));
        EXPECT_EQ(binding.Name(), wstrText + u"X") << cch << " units";
        EXPECT_EQ(binding.Description(), wstrText) << cch << " units";
    }
}

TEST(NdisBindingTest, AReusedRecordHoldsOnlyTheLatestTexts) {
    CNdisBinding binding;
    const std::vector<BYTE> abLong = Record(Utf16(u"\\DEVICE\\{LONG-NAME}"), Utf16(u"A longer description"));
    ASSERT_TRUE(ParseBindingRecord(abLong.data(), static_cast<DWORD>(abLong.size()), &binding));
    std::vector<BYTE> abShort = Record(Utf16(u"\\D"), Utf16(u"Card"));
    ASSERT_TRUE(ParseBindingRecord(abShort.data(), static_cast<DWORD>(abShort.size()), &binding));
    EXPECT_EQ(binding.Name(), u"\\D");
    EXPECT_EQ(binding.Description(), u"Card");
    WriteNdisDword(abShort.data() + 12, 5000);  // description offset past the record
    ASSERT_TRUE(ParseBindingRecord(abShort.data(), static_cast<DWORD>(abShort.size()), &binding));
    EXPECT_EQ(binding.Description(), u"");
}
