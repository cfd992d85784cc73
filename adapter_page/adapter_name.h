// The display name of a tested adapter, without the suffixes that Windows adds for the filter
// drivers bound to it and without its instance number.
#pragma once

#include <string>

// Removes, in table order and once each, the 21 known suffixes (" - Packet Scheduler Miniport" and
// its translations, byte for byte in their ANSI code pages), then a trailing "#n" or " #nn".
void CleanAdapterName(std::string& strName);
