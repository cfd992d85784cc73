// Report-view list helpers shared by the access point list and the results table: both get grid
// lines and full-row selection, measure their texts, and give one stretchable column the room the
// others leave.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

// Pixels added to a column's widest text.
constexpr int LIST_COLUMN_MARGIN = 12;

// Adds LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT to the list's extended style (other bits kept) and
// inserts left-aligned columns with these headings, without widths.
void SetUpReportList(IListView& list, const std::vector<std::string>& astrHeadings);

// Empties the list for a refill and returns the starting column widths: those of the headings.
std::vector<int> StartRefill(IListView& list, const std::vector<std::string>& astrHeadings);

// Grows *pnWidth to the width of strText in the list's font.
void WidenToText(const IListView& list, int* pnWidth, std::string_view strText);

// Sets the column widths: each measured width plus the margin. When they do not fit in the list's
// client width, column nStretch gets what the others leave, but never less than its heading's width
// plus the margin. A list that fits is not stretched to fill the control.
void FitColumnWidths(IListView& list, std::vector<int> anWidths, int nStretch,
                     const std::string& strStretchHeading);
