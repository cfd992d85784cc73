#include "util/value_tables.h"

#include "util/delimited_string.h"

std::string GetSecurityName(int nCode) {
    static const std::string strTable = SECURITY_TABLE;  // made once: every row of a scan asks
    // Label fields read as 0, so only code 0 can match a label, and field 0 ("0") comes first.
    int nIndex = FindFieldValue(strTable, nCode);
    if (nIndex < 0) {
        nIndex = 0;
    }
    return GetField(strTable, nIndex + 1);
}
