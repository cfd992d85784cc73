#include "adapters/ndis_binding.h"

#include <algorithm>

#include "adapters/ndis_bssid_list.h"

namespace {

constexpr DWORD NAME_OFFSET = 4;
constexpr DWORD NAME_LENGTH = 8;
constexpr DWORD DESCR_OFFSET = 12;
constexpr DWORD DESCR_LENGTH = 16;

// The text goes into *pwstr in one assignment once its first zero unit is known, not unit by unit.
void ReadText(const BYTE* pbRecord, DWORD cbReturned, DWORD dwOffset, DWORD cbText, DWORD cbMax,
              std::u16string* pwstr) {
    pwstr->clear();
    if (dwOffset >= cbReturned) {
        return;
    }
    const BYTE* pbText = pbRecord + dwOffset;
    const DWORD cchRead = (std::min({cbText, cbMax, cbReturned - dwOffset}) & ~DWORD{1}) / 2;
    DWORD cch = 0;
    while (cch < cchRead && (pbText[2 * cch] | pbText[2 * cch + 1]) != 0) {
        ++cch;
    }
    pwstr->resize(cch);
    for (DWORD i = 0; i < cch; ++i) {
        (*pwstr)[i] = static_cast<char16_t>(pbText[2 * i] | (pbText[2 * i + 1] << 8));
    }
}

}  // namespace

BOOL ParseBindingRecord(const BYTE* pbRecord, DWORD cbReturned, CNdisBinding* pBinding) {
    pBinding->wstrName.clear();
    pBinding->wstrDescription.clear();
    if (cbReturned < NDIS_BINDING_HEADER_BYTES) {
        return FALSE;
    }
    ReadText(pbRecord, cbReturned, ReadNdisDword(pbRecord + NAME_OFFSET),
             ReadNdisDword(pbRecord + NAME_LENGTH), NDIS_BINDING_NAME_MAX_BYTES, &pBinding->wstrName);
    ReadText(pbRecord, cbReturned, ReadNdisDword(pbRecord + DESCR_OFFSET),
             ReadNdisDword(pbRecord + DESCR_LENGTH), NDIS_BINDING_DESCR_MAX_BYTES,
             &pBinding->wstrDescription);
    return TRUE;
}
