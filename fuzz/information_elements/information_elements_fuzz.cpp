// The element walk over a BSS's information elements. The first two bytes choose the walk's start,
// the code the privacy bit gave and whether security is asked for; the rest is the element block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "adapters/information_elements.h"
#include "adapters/wlan_adapter.h"
#include "fuzz/fuzz_check.h"

// An AP name holds at most the element's 16 bytes.
static_assert(CApName::MAX_LENGTH == 16);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize < 2) {
        return 0;
    }
    const DWORD dwStart = pData[0] % 16;
    const DWORD dwCode = pData[1] % 2;  // the privacy bit: Clear or WEP
    const BOOL bSecurity = (pData[1] & 2) != 0 ? TRUE : FALSE;
    std::vector<BYTE> abBlock(pData + 2, pData + nSize);
    const DWORD cbBlock = static_cast<DWORD>(abBlock.size());

    const CElementFindings found = ReadElements(abBlock.data(), cbBlock, dwStart, bSecurity, dwCode);
    const DWORD dwSecurity = found.dwSecurity;
    // The elements only raise the code, and never past WPA2.
    FUZZ_CHECK(dwSecurity >= dwCode && dwSecurity <= SECURITY_WPA2);
    // A walk that starts past the block, or is not asked for security, leaves the code as it is.
    if (dwStart >= cbBlock || !bSecurity) {
        FUZZ_CHECK(dwSecurity == dwCode);
    }

    FUZZ_CHECK(IsZeroPastText(found.apName));
    // The name comes from an element of at least 26 bytes after its two-byte head.
    if (!found.apName.empty()) {
        FUZZ_CHECK(cbBlock >= dwStart + 28);
    }
    return 0;
}
