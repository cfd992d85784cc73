// Classes: RECT, SIZE, ITextMeasurer.
// Measuring text in the UI's pixels, as a device context with a font selected measures it
// (DrawText with DT_CALCRECT, GetTextExtentPoint32A). The terminal UI counts a character cell as one
// pixel; the model controls use a fixed pitch (ui/model/model_progress.h).
#pragma once

#include <string>

#include "platform/win_defs.h"

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

// DrawText formats.
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // DrawText with DT_CALCRECT among nFormat: draws nothing; keeps the rectangle's left and top and
    // sets its right to left + the widest line and its bottom to top + the height of all lines, the
    // text being split into lines at "\n". Returns the text's height.
    virtual int DrawText(const std::string& strText, RECT& rect, UINT nFormat) = 0;
    // GetTextExtentPoint32A: width and height of one line of text; FALSE when it cannot be measured.
    virtual BOOL GetTextExtentPoint32(const std::string& strText, SIZE& size) = 0;
};
