// The banner images as the terminal shows them: bands of the nearest colours the terminal has.
#pragma once

#include <vector>

class CDibImage;

struct CRgb {
    int nRed = 0;
    int nGreen = 0;
    int nBlue = 0;
};

// The colour a terminal shows for a palette index (xterm's 16 colours and its 256-colour cube and
// grey ramp).
CRgb PaletteColour(int nIndex);
// The palette index among the first nColours (8, 16 or 256) nearest to a colour.
int NearestColour(const CRgb& rgb, int nColours);
// Whether text on this palette colour reads better black than white.
bool IsLightColour(int nIndex);

// The average colour of the image's pixels in [x0, x1) x [y0, y1) (black for an empty area).
CRgb AverageColour(const CDibImage& image, int x0, int y0, int x1, int y1);

// The image stretched over nRows x nCols cells, each the palette colour nearest to the average of the
// pixels it covers; empty for an empty image. Rows of columns: result[row][col].
std::vector<std::vector<int>> BannerCells(const CDibImage& image, int nRows, int nCols, int nColours);
