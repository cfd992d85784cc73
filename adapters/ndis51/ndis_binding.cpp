#include "adapters/ndis51/ndis_binding.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "adapters/ndis51/ndis_bssid_list.h"

namespace {

constexpr DWORD NAME_OFFSET = 4;
constexpr DWORD NAME_LENGTH = 8;
constexpr DWORD DESCR_OFFSET = 12;
constexpr DWORD DESCR_LENGTH = 16;

// Units of the text before its first zero unit, at most cchMax. Four units at a time where the byte
// order allows it: the lowest lane that the borrow trick flags is the first zero one (a borrow only
// flags lanes above a zero lane).
DWORD TextLength(const BYTE* pbText, DWORD cchMax) {
    DWORD cch = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t LANE_ONES = 0x0001000100010001ULL;
        constexpr std::uint64_t LANE_HIGHS = 0x8000800080008000ULL;
        for (; cch + 4 <= cchMax; cch += 4) {
            std::uint64_t w;
            std::memcpy(&w, pbText + 2 * cch, sizeof w);
            const std::uint64_t nZeros = (w - LANE_ONES) & ~w & LANE_HIGHS;
            if (nZeros != 0) {
                return cch + static_cast<DWORD>(std::countr_zero(nZeros) / 16);
            }
        }
    }
    while (cch < cchMax && (pbText[2 * cch] | pbText[2 * cch + 1]) != 0) {
        ++cch;
    }
    return cch;
}

// The text's units before its first zero unit go to pwch, at most cbMax bytes of them; their count
// is the result.
template <DWORD cbMax>
DWORD ReadText(const BYTE* pbRecord, DWORD cbReturned, DWORD dwOffset, DWORD cbText,
               char16_t (&pwch)[cbMax / 2]) {
    if (dwOffset >= cbReturned) {
        return 0;
    }
    const BYTE* pbText = pbRecord + dwOffset;
    const DWORD cch = TextLength(pbText, (std::min({cbText, cbMax, cbReturned - dwOffset}) & ~DWORD{1}) / 2);
    // A std::size_t index (a 32-bit one may wrap) lets the compiler run the loop in vector registers.
    for (std::size_t i = 0; i < cch; ++i) {
        pwch[i] = static_cast<char16_t>(pbText[2 * i] | (pbText[2 * i + 1] << 8));
    }
    return cch;
}

}  // namespace

BOOL ParseBindingRecord(const BYTE* pbRecord, DWORD cbReturned, CNdisBinding* pBinding) {
    pBinding->cchName = 0;
    pBinding->cchDescription = 0;
    if (cbReturned < NDIS_BINDING_HEADER_BYTES) {
        return FALSE;
    }
    pBinding->cchName =
        ReadText<NDIS_BINDING_NAME_MAX_BYTES>(pbRecord, cbReturned, ReadNdisDword(pbRecord + NAME_OFFSET),
                                              ReadNdisDword(pbRecord + NAME_LENGTH), pBinding->awchName);
    pBinding->cchDescription = ReadText<NDIS_BINDING_DESCR_MAX_BYTES>(
        pbRecord, cbReturned, ReadNdisDword(pbRecord + DESCR_OFFSET), ReadNdisDword(pbRecord + DESCR_LENGTH),
        pBinding->awchDescription);
    return TRUE;
}
