// Code-to-text tables kept as '|'-separated lists of alternating code and label fields.
#pragma once

#include <string>

// Names of the security codes that the adapter back ends report per access point.
inline constexpr char SECURITY_TABLE[] = "0|Clear|1|WEP|2|WPA|3|WPA2|99|Unknown";

// The label of a security code: the field after the first field whose value equals nCode. A code
// that is not in the table gives the first label, "Clear".
std::string GetSecurityName(int nCode);
