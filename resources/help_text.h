// A help topic's page (HTML kept in the project) as plain text lines, for the terminal front ends.
#pragma once

#include <string>
#include <vector>

// Drops tags, keeps the text of headings, paragraphs and list items as separate lines (list items
// start with "- "), decodes the common character references, and wraps at nWidth columns.
std::vector<std::string> HtmlToTextLines(const std::string& strHtml, int nWidth);
