#include "adapters/ndis_binding.h"

#include <algorithm>

#include "adapters/ndis_bssid_list.h"

namespace {

constexpr DWORD NAME_OFFSET = 4;
constexpr DWORD NAME_LENGTH = 8;
constexpr DWORD DESCR_OFFSET = 12;
constexpr DWORD DESCR_LENGTH = 16;

std::u16string ReadText(const BYTE* pbRecord, DWORD cbReturned, DWORD dwOffset, DWORD cbText, DWORD cbMax) {
    std::u16string wstr;
    if (dwOffset >= cbReturned) {
        return wstr;
    }
    const DWORD cbRead = std::min({cbText, cbMax, cbReturned - dwOffset}) & ~DWORD{1};
    for (DWORD i = 0; i < cbRead; i += 2) {
        const char16_t wch =
            static_cast<char16_t>(pbRecord[dwOffset + i] | (pbRecord[dwOffset + i + 1] << 8));
        if (wch == 0) {
            break;
        }
        wstr += wch;
    }
    return wstr;
}

}  // namespace

BOOL ParseBindingRecord(const BYTE* pbRecord, DWORD cbReturned, CNdisBinding* pBinding) {
    pBinding->wstrName.clear();
    pBinding->wstrDescription.clear();
    if (cbReturned < NDIS_BINDING_HEADER_BYTES) {
        return FALSE;
    }
    pBinding->wstrName = ReadText(pbRecord, cbReturned, ReadNdisDword(pbRecord + NAME_OFFSET),
                                  ReadNdisDword(pbRecord + NAME_LENGTH), NDIS_BINDING_NAME_MAX_BYTES);
    pBinding->wstrDescription =
        ReadText(pbRecord, cbReturned, ReadNdisDword(pbRecord + DESCR_OFFSET),
                 ReadNdisDword(pbRecord + DESCR_LENGTH), NDIS_BINDING_DESCR_MAX_BYTES);
    return TRUE;
}
