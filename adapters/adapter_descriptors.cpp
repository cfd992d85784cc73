#include "adapters/adapter_descriptors.h"

void CAdapterDescriptors::Append(const std::string& strId, const std::string& strName,
                                 const std::string& strDescription, DWORD dwLikely) {
    m_astrIds.push_back(strId);
    m_astrNames.push_back(strName);
    m_astrDescriptions.push_back(strDescription);
    m_adwLikely.push_back(dwLikely);
}

void CAdapterDescriptors::Clear() {
    m_astrIds.clear();
    m_astrNames.clear();
    m_astrDescriptions.clear();
    m_adwLikely.clear();
}

std::string GetDisplayName(const std::string& strDescription, const std::string& strFallback) {
    return strDescription.empty() ? strFallback : strDescription;
}
