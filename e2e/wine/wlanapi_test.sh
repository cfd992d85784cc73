#!/usr/bin/env bash
# The substitute wlanapi.dll under Wine, loaded by wlanapi_probe.exe beside it: one scan with its
# notification on the service's thread and the strict answers on a machine with WLAN; a missing
# machine file makes WlanOpenHandle fail with ERROR_FILE_NOT_FOUND.   wlanapi_test.sh <e2e-wine dir>
set -euo pipefail
dir="$(realpath "$1")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ -f "$here/wine_env.sh" ]; then . "$here/wine_env.sh"; fi
: "${WINEPREFIX:?no Wine prefix (e2e/wine/wine_env.sh missing and WINEPREFIX unset)}"
export WINEDEBUG=-all
NIMBREL_WLAN_MACHINE="Z:$here/../machines/vista_two_interfaces.json" timeout 60 wine "$dir/wlanapi_probe.exe"
# The probe exits non-zero when the open fails; a status of 124 is the timeout, not the answer.
status=0
out="$(NIMBREL_WLAN_MACHINE='Z:/nonexistent/machine.json' timeout 60 wine "$dir/wlanapi_probe.exe" 2>&1)" || status=$?
grep -qx $'open: 2\r\\?' <<<"$out" || { echo "FAIL: missing machine file gave (status $status): $out"; exit 1; }
echo "wlanapi: PASS"
