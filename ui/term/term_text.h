// Text for the terminal: the system's Windows-1252 strings as Unicode characters, and lines broken
// the way a static control breaks them (at blanks, a word too long for a line cut where it must).
#pragma once

#include <string>
#include <vector>

// One Windows-1252 byte as a Unicode character (the five unassigned bytes become U+FFFD).
char32_t AnsiToUnicode(unsigned char ch);
// A Unicode character as UTF-8.
std::string ToUtf8(char32_t ch);

// The Windows-1252 ellipsis, which ends a text cut to fit.
constexpr char ANSI_ELLIPSIS = '\x85';
// The text as it fits in nCols cells: whole, or cut with an ellipsis in the last cell.
std::string FitText(const std::string& strText, int nCols);

// Breaks text into lines of at most nWidth characters: at "\n", and between words where a line
// would be too long; blanks at a break are dropped. nWidth < 1 gives no lines.
std::vector<std::string> WrapText(const std::string& strText, int nWidth);
