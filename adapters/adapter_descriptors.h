// What discovery records for each adapter found: four parallel lists in discovery order, entry i of
// each describing the same adapter.
#pragma once

#include <string>
#include <vector>

#include "platform/win_defs.h"

// Descriptor identifier of the ORiNOCO card; the test picks the Lucent back end for it.
inline constexpr char LUCENT_ADAPTER_ID[] = "WLLUC461";

struct CAdapterDescriptors {
    // Appends one adapter to all four lists.
    void Append(const std::string& strId, const std::string& strName, const std::string& strDescription,
                DWORD dwLikely);
    void Clear();
    int GetCount() const { return static_cast<int>(m_astrIds.size()); }

    std::vector<std::string> m_astrIds;           // handed to OpenByName
    std::vector<std::string> m_astrNames;         // display name
    std::vector<std::string> m_astrDescriptions;  // as the back end reported it, may be empty
    std::vector<DWORD> m_adwLikely;               // 1 = possible candidate, 0 = unlikely
};

// The name shown for an adapter: its description, or strFallback when the description is empty.
std::string GetDisplayName(const std::string& strDescription, const std::string& strFallback);
