#include "adapters/information_elements.h"

#include <gtest/gtest.h>

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

DWORD Security(const Bytes& block, DWORD dwCode = SECURITY_WEP) {
    return GetElementSecurity(block.data(), static_cast<DWORD>(block.size()), 0, dwCode);
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
    EXPECT_EQ(GetElementSecurity(cut.data(), 13, 0, SECURITY_WEP), SECURITY_WEP);
}

TEST(InformationElements, RaisingNeverLowersAndWalkStartsAtTheOffset) {
    const Bytes block = Cat({{0xAA, 0xBB, 0xCC}, Rsn({2}), TRAILER});
    EXPECT_EQ(GetElementSecurity(block.data(), static_cast<DWORD>(block.size()), 3, SECURITY_WEP),
              SECURITY_WPA);
    EXPECT_EQ(GetElementSecurity(block.data(), static_cast<DWORD>(block.size()), 3, SECURITY_WPA2),
              SECURITY_WPA2);
}

TEST(InformationElements, ApNameFromVendorElement0x85) {
    Bytes element(28, 0);
    element[0] = 0x85;
    element[1] = 26;
    const char name[] = "Lobby-AP";
    std::copy(name, name + 8, element.begin() + 12);
    EXPECT_EQ(GetElementApName(Cat({element, TRAILER}).data(), static_cast<DWORD>(element.size() + 3), 0),
              "Lobby-AP");
    // Ending exactly at the block's end, or too short, gives no name.
    EXPECT_EQ(GetElementApName(element.data(), static_cast<DWORD>(element.size()), 0), "");
    element[1] = 25;
    EXPECT_EQ(GetElementApName(Cat({element, TRAILER}).data(), static_cast<DWORD>(element.size() + 3), 0),
              "");
    // A full 16-byte name without a terminating zero stays within its 16 bytes.
    Bytes full(40, 'x');
    full[0] = 0x85;
    full[1] = 26;
    EXPECT_EQ(GetElementApName(full.data(), static_cast<DWORD>(full.size()), 0), std::string(16, 'x'));
}

TEST(InformationElements, MalformedLengthsEndTheWalk) {
    // A length running past the block, and a lone byte, end the walk without reading past it.
    const Bytes block = {0xDD, 0xFF, 0x00, 0x50};
    EXPECT_EQ(Security(block), SECURITY_WEP);
    EXPECT_EQ(GetElementApName(block.data(), 4, 0), "");
    const Bytes lone = {0x85};
    EXPECT_EQ(GetElementApName(lone.data(), 1, 0), "");
}
