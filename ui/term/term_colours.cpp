#include "ui/term/term_colours.h"

#include <algorithm>
#include <climits>

#include "wizard/banner.h"

namespace {
constexpr CRgb XTERM_16[16] = {{0, 0, 0},       {205, 0, 0},   {0, 205, 0},   {205, 205, 0},
                               {0, 0, 238},     {205, 0, 205}, {0, 205, 205}, {229, 229, 229},
                               {127, 127, 127}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                               {92, 92, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
constexpr int CUBE_LEVELS[6] = {0, 95, 135, 175, 215, 255};
}  // namespace

CRgb PaletteColour(int nIndex) {
    if (nIndex < 16) {
        return XTERM_16[std::max(0, nIndex)];
    }
    if (nIndex < 232) {
        const int n = nIndex - 16;
        return CRgb{CUBE_LEVELS[n / 36], CUBE_LEVELS[(n / 6) % 6], CUBE_LEVELS[n % 6]};
    }
    const int nGrey = 8 + 10 * (std::min(nIndex, 255) - 232);
    return CRgb{nGrey, nGrey, nGrey};
}

int NearestColour(const CRgb& rgb, int nColours) {
    const int nCount = nColours >= 256 ? 256 : (nColours >= 16 ? 16 : 8);
    int nBest = 0;
    long lBest = LONG_MAX;
    for (int i = 0; i < nCount; ++i) {
        const CRgb p = PaletteColour(i);
        const long dr = p.nRed - rgb.nRed;
        const long dg = p.nGreen - rgb.nGreen;
        const long db = p.nBlue - rgb.nBlue;
        // Weighted as the eye weighs the channels, so that a dark blue stays blue rather than black.
        const long lDistance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (lDistance < lBest) {
            lBest = lDistance;
            nBest = i;
        }
    }
    return nBest;
}

bool IsLightColour(int nIndex) {
    const CRgb p = PaletteColour(nIndex);
    return 299 * p.nRed + 587 * p.nGreen + 114 * p.nBlue >= 128000;
}

CRgb AverageColour(const CDibImage& image, int x0, int y0, int x1, int y1) {
    x0 = std::clamp(x0, 0, image.Width());
    x1 = std::clamp(x1, 0, image.Width());
    y0 = std::clamp(y0, 0, image.Height());
    y1 = std::clamp(y1, 0, image.Height());
    long lRed = 0;
    long lGreen = 0;
    long lBlue = 0;
    long lCount = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* pPixel = image.Pixel(x, y);
            lBlue += pPixel[0];
            lGreen += pPixel[1];
            lRed += pPixel[2];
            ++lCount;
        }
    }
    if (lCount == 0) {
        return CRgb{};
    }
    return CRgb{static_cast<int>(lRed / lCount), static_cast<int>(lGreen / lCount),
                static_cast<int>(lBlue / lCount)};
}

std::vector<std::vector<int>> BannerCells(const CDibImage& image, int nRows, int nCols, int nColours) {
    std::vector<std::vector<int>> aanCells;
    if (image.IsEmpty() || nRows < 1 || nCols < 1) {
        return aanCells;
    }
    // Stretched to the band, as the sheet stretches its bitmaps.
    for (int r = 0; r < nRows; ++r) {
        std::vector<int> anRow;
        const int y0 = r * image.Height() / nRows;
        const int y1 = std::max(y0 + 1, (r + 1) * image.Height() / nRows);
        for (int c = 0; c < nCols; ++c) {
            const int x0 = c * image.Width() / nCols;
            const int x1 = std::max(x0 + 1, (c + 1) * image.Width() / nCols);
            anRow.push_back(NearestColour(AverageColour(image, x0, y0, x1, y1), nColours));
        }
        aanCells.push_back(std::move(anRow));
    }
    return aanCells;
}
