#include "adapter_page/adapter_name.h"

#include <cctype>

namespace {
// Single-byte texts: Windows-1252, and Windows-1254 for the Turkish entry.
const char* const NAME_SUFFIXES[] = {
    " - Packet Scheduler Miniport",
    " - Miniport d'ordonnancement de paquets",
    " - Minipuerto del administrador de paquetes",
    " - Paketplaner-Miniport",
    " - Miniporta do agendador de pacotes",
    " - Teefer2 Miniport",
    " - Pakketplanner-minipoort",
    " - Deterministic Network Enhancer Miniport",
    " - SecuRemote Miniport",
    " - Sterownik miniport Harmonogramu pakiet\xF3w",
    " - Miniport til Packet Scheduler",
    " - Virtual Machine Network Services Driver",
    " - cFosSpeed Miniport",
    " - Miniport do agendador de pacotes",
    " - McAfee NDIS Intermediate Filter Miniport",
    " - Eacfilt Miniport",
    " - Miniport for pakkeplanlegger",
    " - Wireless Intermediate Driver",
    " - Miniport dell'Utilit\xE0 di pianificazione pacchetti",
    " - Miniport f\xF6r paketschemal\xE4ggning",
    " - Paket Zamanlay\xFD"
    "c\xFDs\xFD Mini Ba\xF0lant\xFD Noktas\xFD",
};

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// CString::TrimRight: blanks, tabs and line ends.
void TrimRight(std::string& str) {
    while (!str.empty() && std::isspace(static_cast<unsigned char>(str.back()))) {
        str.pop_back();
    }
}
}  // namespace

void CleanAdapterName(std::string& strName) {
    for (const std::string strSuffix : NAME_SUFFIXES) {
        if (strName.size() >= strSuffix.size() &&
            strName.compare(strName.size() - strSuffix.size(), strSuffix.size(), strSuffix) == 0) {
            strName.erase(strName.size() - strSuffix.size());
        }
    }
    if (strName.size() < 3) {
        return;
    }
    const char* t = strName.c_str() + strName.size() - 3;
    if (t[0] == '#' && IsDigit(t[1]) && IsDigit(t[2])) {
        strName.erase(strName.size() - 3);
        TrimRight(strName);
    } else if (t[1] == '#' && IsDigit(t[2])) {
        strName.erase(strName.size() - 2);
        TrimRight(strName);
    }
}
