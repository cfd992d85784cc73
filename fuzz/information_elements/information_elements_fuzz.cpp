// The element walks over a BSS's information elements. The first two bytes choose the walk's start
// and the code the privacy bit gave; the rest is the element block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "adapters/information_elements.h"
#include "adapters/wlan_adapter.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize < 2) {
        return 0;
    }
    const DWORD dwStart = pData[0] % 16;
    const DWORD dwCode = pData[1] % 2;  // the privacy bit: Clear or WEP
    std::vector<BYTE> abBlock(pData + 2, pData + nSize);
    const DWORD cbBlock = static_cast<DWORD>(abBlock.size());

    const DWORD dwSecurity = GetElementSecurity(abBlock.data(), cbBlock, dwStart, dwCode);
    // The elements only raise the code, and never past WPA2.
    FUZZ_CHECK(dwSecurity >= dwCode && dwSecurity <= SECURITY_WPA2);
    // A walk that starts past the block finds nothing.
    if (dwStart >= cbBlock) {
        FUZZ_CHECK(dwSecurity == dwCode);
    }

    const std::string strName = GetElementApName(abBlock.data(), cbBlock, dwStart);
    FUZZ_CHECK(strName.size() <= 16);
    FUZZ_CHECK(strName.find('\0') == std::string::npos);
    // The name comes from an element of at least 26 bytes after its two-byte head.
    if (!strName.empty()) {
        FUZZ_CHECK(cbBlock >= dwStart + 28);
    }
    return 0;
}
