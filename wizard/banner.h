// The banner images of the wizard sheet (BXSidebar.png, BXTopbar.png) decoded from PNG files into a
// device-independent bitmap that the user interface draws into the sheet's bitmaps.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win_defs.h"

// A decoded image: top-down rows of 32-bit pixels, each stored as the bytes blue, green, red, alpha
// (a 32-bit BI_RGB DIB with a negative height). Whatever the file's format (palette, grey, 16 bits
// per channel, interlaced), the pixels are converted to this one layout; an image without an alpha
// channel gets alpha 255.
class CDibImage {
public:
    // Reads the file named by a Windows path through the OS seam and decodes it. FALSE when the file
    // cannot be read or is not a complete, valid PNG image; the image is then empty.
    BOOL LoadPngFile(const std::string& strPath);
    // Decodes a PNG image held in memory; FALSE (and an empty image) on any fault of the data.
    BOOL DecodePng(const BYTE* pData, std::size_t nSize);
    void Clear();

    bool IsEmpty() const { return m_abPixels.empty(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Bits per pixel as stored in the file (channel depth times channels: 24 for 8-bit RGB, 8 for
    // an 8-bit palette), before the conversion to 32 bits.
    int BitDepth() const { return m_nBitDepth; }
    // Bytes per row of Pixels(): Width() * 4.
    int Stride() const { return m_nWidth * 4; }
    const std::vector<BYTE>& Pixels() const { return m_abPixels; }
    // The four bytes (blue, green, red, alpha) of one pixel; x and y must lie inside the image.
    const BYTE* Pixel(int x, int y) const { return m_abPixels.data() + y * Stride() + x * 4; }
    // Why the last load or decode failed, for diagnostics; empty after a success.
    const std::string& Error() const { return m_strError; }
    // The largest block the PNG library asked for in the last decode, for diagnostics: what a
    // file's claimed chunk lengths made it allocate.
    std::size_t LargestDecoderBlock() const { return m_nLargestDecoderBlock; }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitDepth = 0;
    std::vector<BYTE> m_abPixels;
    std::string m_strError;
    std::size_t m_nLargestDecoderBlock = 0;
};
