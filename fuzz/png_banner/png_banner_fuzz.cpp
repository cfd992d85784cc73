// The banner decoder over any bytes. Under libFuzzer a custom mutator mends the chunk checksums after
// each mutation, so that the mutations reach the chunk contents instead of stopping at the CRC check.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "wizard/banner.h"

#ifdef NIMBREL_LIBFUZZER
namespace {

DWORD ReadBigEndian(const uint8_t* pb) {
    return (DWORD{pb[0]} << 24) | (DWORD{pb[1]} << 16) | (DWORD{pb[2]} << 8) | DWORD{pb[3]};
}

// Rewrites the CRC of every whole chunk after the 8-byte signature.
void MendChunkCrcs(uint8_t* pData, size_t nSize) {
    size_t nPos = 8;
    while (nPos + 12 <= nSize) {
        const DWORD dwLength = ReadBigEndian(pData + nPos);
        if (dwLength > nSize - nPos - 12) {
            return;
        }
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), pData + nPos + 4, static_cast<uInt>(dwLength + 4));
        uint8_t* pCrc = pData + nPos + 8 + dwLength;
        pCrc[0] = static_cast<uint8_t>(crc >> 24);
        pCrc[1] = static_cast<uint8_t>(crc >> 16);
        pCrc[2] = static_cast<uint8_t>(crc >> 8);
        pCrc[3] = static_cast<uint8_t>(crc);
        nPos += 12 + dwLength;
    }
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* pData, size_t nSize, size_t nMaxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* pData, size_t nSize, size_t nMaxSize, unsigned int nSeed) {
    nSize = LLVMFuzzerMutate(pData, nSize, nMaxSize);
    // One mutation in sixteen keeps its broken checksums, so the CRC checks are exercised too.
    if (nSeed % 16 != 0) {
        MendChunkCrcs(pData, nSize);
    }
    return nSize;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::vector<BYTE> abFile(pData, pData + nSize);
    CDibImage image;
    const BOOL bDecoded = image.DecodePng(abFile.data(), abFile.size());
    if (bDecoded) {
        FUZZ_CHECK(image.Width() > 0 && image.Height() > 0);
        FUZZ_CHECK(image.Pixels().size() == static_cast<size_t>(image.Width()) * image.Height() * 4);
        FUZZ_CHECK(image.Error().empty());
        // Touch the last pixel: the rows really are that long.
        FUZZ_CHECK(image.Pixel(image.Width() - 1, image.Height() - 1) + 4 ==
                   image.Pixels().data() + image.Pixels().size());
    } else {
        FUZZ_CHECK(image.IsEmpty() && image.Width() == 0 && image.Height() == 0);
        FUZZ_CHECK(!image.Error().empty());
    }
    return 0;
}
