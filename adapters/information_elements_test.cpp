#include "adapters/information_elements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adapters/wlan_adapter.h"

namespace {
using Bytes = std::vector<BYTE>;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// RSN element with the given pairwise suite types (OUI 00-0F-AC), group CCMP, no AKM list.
Bytes Rsn(std::initializer_list<BYTE> pairwise) {
    Bytes body = {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, static_cast<BYTE>(pairwise.size()), 0x00};
    for (BYTE type : pairwise) {
        body.insert(body.end(), {0x00, 0x0F, 0xAC, type});
    }
    Bytes element = {0x30, static_cast<BYTE>(body.size())};
    element.insert(element.end(), body.begin(), body.end());
    return element;
}

const Bytes WPA_ELEMENT = {0xDD, 0x06, 0x00, 0x50, 0xF2, 0x01, 0x01, 0x00};
const Bytes TRAILER = {0x01, 0x01, 0x82};  // a rates element, so the elements before it end inside

CElementFindings Read(const Bytes& block, DWORD dwStart = 0, DWORD dwCode = SECURITY_WEP,
                      DWORD cbBlock = ~DWORD{0}, BOOL bSecurity = TRUE) {
    return ReadElements(block.data(), std::min(cbBlock, static_cast<DWORD>(block.size())), dwStart, bSecurity,
                        dwCode);
}

DWORD Security(const Bytes& block, DWORD dwCode = SECURITY_WEP) {
    return Read(block, 0, dwCode).dwSecurity;
}

std::string ApName(const Bytes& block, DWORD cbBlock = ~DWORD{0}) {
    return Read(block, 0, SECURITY_WEP, cbBlock).apName.Str();
}

// A vendor element 0x85 of 26 bytes carrying strName at its offset 12.
Bytes ApNameElement(const std::string& strName) {
    Bytes element(28, 0);
    element[0] = 0x85;
    element[1] = 26;
    std::copy(strName.begin(), strName.end(), element.begin() + 12);
    return element;
}
}  // namespace

TEST(InformationElements, SecurityFromRsnAndWpaElements) {
    struct {
        Bytes block;
        DWORD dwExpected;
    } cases[] = {
        {Cat({Rsn({2, 4}), TRAILER}), SECURITY_WPA2},
        {Cat({Rsn({2}), TRAILER}), SECURITY_WPA},
        {Cat({Rsn({5}), TRAILER}), SECURITY_WEP},
        {Cat({WPA_ELEMENT, TRAILER}), SECURITY_WPA},
        // A short RSN element (10 bytes) means WPA2 without any suite.
        {Cat({{0x30, 0x0A, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}, TRAILER}), SECURITY_WPA2},
        // An RSN element ending exactly at the end of the block is not examined.
        {Rsn({4}), SECURITY_WEP},
        // Wrong RSN version.
        {Cat({{0x30, 0x0A, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}, TRAILER}), SECURITY_WEP},
        {{}, SECURITY_WEP},
        {{0x30}, SECURITY_WEP},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Security(c.block), c.dwExpected) << ::testing::PrintToString(c.block);
    }
}

TEST(InformationElements, SuitesAreReadOnlyWhenWhollyInsideTheBlock) {
    // The element claims 65535 pairwise suites; one TKIP suite is whole, the next has one byte in the
    // block. The walk reads the whole one and stops there (sanitizers catch a read past the block).
    const Bytes block = {0x30, 0x0C, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04,
                         0xFF, 0xFF, 0x00, 0x0F, 0xAC, 0x02, 0x00};
    EXPECT_EQ(Security(block), SECURITY_WPA);
    // Cut inside the first suite, the element no longer ends inside the block: not examined.
    const Bytes cut(block.begin(), block.begin() + 13);
    EXPECT_EQ(Security(cut), SECURITY_WEP);
}

TEST(InformationElements, RaisingNeverLowersAndWalkStartsAtTheOffset) {
    const Bytes block = Cat({{0xAA, 0xBB, 0xCC}, Rsn({2}), TRAILER});
    EXPECT_EQ(Read(block, 3, SECURITY_WEP).dwSecurity, SECURITY_WPA);
    EXPECT_EQ(Read(block, 3, SECURITY_WPA2).dwSecurity, SECURITY_WPA2);
}

TEST(InformationElements, ApNameFromVendorElement0x85) {
    Bytes element = ApNameElement("Lobby-AP");
    EXPECT_EQ(ApName(Cat({element, TRAILER})), "Lobby-AP");
    // Ending exactly at the block's end, or too short, gives no name.
    EXPECT_EQ(ApName(element), "");
    element[1] = 25;
    EXPECT_EQ(ApName(Cat({element, TRAILER})), "");
    // A full 16-byte name without a terminating zero stays within its 16 bytes.
    Bytes full(40, 'x');
    full[0] = 0x85;
    full[1] = 26;
    EXPECT_EQ(ApName(full), std::string(16, 'x'));
}

TEST(InformationElements, MalformedLengthsEndTheWalk) {
    // A length running past the block, and a lone byte, end the walk without reading past it.
    const Bytes block = {0xDD, 0xFF, 0x00, 0x50};
    EXPECT_EQ(Security(block), SECURITY_WEP);
    EXPECT_EQ(ApName(block), "");
    const Bytes lone = {0x85};
    EXPECT_EQ(ApName(lone), "");
}

TEST(InformationElements, OneWalkFindsNameAndSecurityInEitherOrder) {
    const Bytes name = ApNameElement("Hall");
    // Reaching WPA2 first must not end the search for the name, nor a name the search for security.
    for (const Bytes& block : {Cat({Rsn({4}), name, TRAILER}), Cat({name, Rsn({4}), TRAILER})}) {
        const CElementFindings found = Read(block);
        EXPECT_EQ(found.dwSecurity, SECURITY_WPA2) << ::testing::PrintToString(block);
        EXPECT_EQ(found.apName, "Hall") << ::testing::PrintToString(block);
    }
    // Only the first name counts, also after the security code is final.
    const CElementFindings first = Read(Cat({Rsn({4}), name, ApNameElement("Second"), TRAILER}));
    EXPECT_EQ(first.apName, "Hall");
    // Not asked for security (no privacy bit, or too short a block for it): the code stays as given
    // whatever the elements say, and the name is still read.
    const CElementFindings noSecurity =
        Read(Cat({Rsn({4}), name, TRAILER}), 0, SECURITY_CLEAR, ~DWORD{0}, FALSE);
    EXPECT_EQ(noSecurity.dwSecurity, SECURITY_CLEAR);
    EXPECT_EQ(noSecurity.apName, "Hall");
}
