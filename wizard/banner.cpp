#include "wizard/banner.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/os.h"

namespace {

// A banner is a few hundred pixels on each side. Images of more pixels than this (16 MiB decoded)
// are refused before their pixels are allocated, however the pixels are shaped: a long, thin banner
// is fine, a huge square one is not.
constexpr png_uint_32 MAX_PIXELS = 2048 * 2048;
// The only chunks a banner needs held in memory are the palette (768 bytes) and its transparency
// (256); every other ancillary chunk is skipped unread, so a chunk's claimed length costs nothing.
constexpr png_alloc_size_t MAX_CHUNK_BYTES = 64 * 1024;

struct CPngSource {
    const BYTE* pData;
    std::size_t nSize;
    std::size_t nPos;
};

struct CPngFailure {
    char szMessage[160];
};

struct CPngHeader {
    png_uint_32 nWidth;
    png_uint_32 nHeight;
    int nBitsPerPixel;
};

// libpng's error callback: keep the message and jump back to the setjmp in DecodeInto. libpng
// would print it to stderr otherwise.
void OnPngError(png_structp png, png_const_charp pszMessage) {
    auto* pFailure = static_cast<CPngFailure*>(png_get_error_ptr(png));
    std::snprintf(pFailure->szMessage, sizeof(pFailure->szMessage), "%s", pszMessage);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng's allocator, keeping the largest block asked for.
png_voidp AllocateForPng(png_structp png, png_alloc_size_t nSize) {
    auto* pnLargest = static_cast<std::size_t*>(png_get_mem_ptr(png));
    *pnLargest = std::max<std::size_t>(*pnLargest, nSize);
    return std::malloc(nSize);
}

void FreeForPng(png_structp, png_voidp p) {
    std::free(p);
}

void ReadFromMemory(png_structp png, png_bytep pOut, png_size_t nCount) {
    auto* pSource = static_cast<CPngSource*>(png_get_io_ptr(png));
    if (nCount > pSource->nSize - pSource->nPos) {
        png_error(png, "file truncated");
    }
    std::memcpy(pOut, pSource->pData + pSource->nPos, nCount);
    pSource->nPos += nCount;
}

// The decode proper. A longjmp out of libpng lands in this frame, so it holds only trivially
// destructible locals; the buffers it fills belong to the caller. Returns false on any error.
bool DecodeInto(png_structp png, png_infop info, CPngSource* pSource, CPngHeader* pHeader,
                std::vector<BYTE>* pPixels, std::vector<png_bytep>* pRows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, pSource, ReadFromMemory);
    // Each side as the format allows; the pixel count below is the bound (nothing is allocated by
    // the size before it).
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, MAX_CHUNK_BYTES);
    // Text, colour profiles, gamma and the rest are not used: skip them (IHDR, PLTE, tRNS, IDAT
    // and IEND are always read).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    pHeader->nWidth = png_get_image_width(png, info);
    pHeader->nHeight = png_get_image_height(png, info);
    if (static_cast<unsigned long long>(pHeader->nWidth) * pHeader->nHeight > MAX_PIXELS) {
        png_error(png, "image too large for a banner");
    }
    pHeader->nBitsPerPixel = png_get_bit_depth(png, info) * png_get_channels(png, info);

    // Every format to 8-bit BGRA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    std::size_t nStride = static_cast<std::size_t>(pHeader->nWidth) * 4;
    if (png_get_rowbytes(png, info) != nStride) {
        png_error(png, "unexpected row size after conversion");
    }

    pPixels->resize(nStride * pHeader->nHeight);
    pRows->resize(pHeader->nHeight);
    for (png_uint_32 y = 0; y < pHeader->nHeight; ++y) {
        (*pRows)[y] = pPixels->data() + y * nStride;
    }
    png_read_image(png, pRows->data());
    // Reading to the end checks the rest of the file too: a file cut after its pixel data fails.
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

void CDibImage::Clear() {
    m_nWidth = 0;
    m_nHeight = 0;
    m_nBitDepth = 0;
    m_abPixels.clear();
    m_abPixels.shrink_to_fit();
}

BOOL CDibImage::DecodePng(const BYTE* pData, std::size_t nSize) {
    Clear();
    m_strError.clear();
    m_nLargestDecoderBlock = 0;
    if (pData == nullptr || nSize < 8 || png_sig_cmp(pData, 0, 8) != 0) {
        m_strError = "not a PNG file";
        return FALSE;
    }
    CPngFailure failure = {};
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning,
                                               &m_nLargestDecoderBlock, AllocateForPng, FreeForPng);
    if (png == nullptr) {
        m_strError = "out of memory";
        return FALSE;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        m_strError = "out of memory";
        return FALSE;
    }
    CPngSource source = {pData, nSize, 0};
    CPngHeader header = {};
    std::vector<BYTE> abPixels;
    std::vector<png_bytep> rows;
    bool bDecoded = DecodeInto(png, info, &source, &header, &abPixels, &rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!bDecoded) {
        m_strError = failure.szMessage;
        return FALSE;
    }
    m_nWidth = static_cast<int>(header.nWidth);
    m_nHeight = static_cast<int>(header.nHeight);
    m_nBitDepth = header.nBitsPerPixel;
    m_abPixels = std::move(abPixels);
    return TRUE;
}

BOOL CDibImage::LoadPngFile(const std::string& strPath) {
    Clear();
    std::vector<BYTE> abFile;
    DWORD dwError = Os().System().ReadFile(strPath, &abFile);
    if (dwError != ERROR_SUCCESS) {
        const char* pszWhy = dwError == ERROR_FILE_NOT_FOUND   ? ": file not found"
                             : dwError == ERROR_PATH_NOT_FOUND ? ": path not found"
                             : dwError == ERROR_ACCESS_DENIED  ? ": access denied"
                                                               : "";
        m_strError = "cannot read the file (error " + std::to_string(dwError) + pszWhy + ")";
        return FALSE;
    }
    return DecodePng(abFile.data(), abFile.size());
}
