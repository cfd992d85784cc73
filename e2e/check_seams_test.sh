#!/usr/bin/env bash
# scripts/check-seams on a copy of the system's folders: clean as they are, and failing, naming the
# file, on each kind of include it exists to refuse.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$root" && git ls-files -z --cached --others --exclude-standard -- util adapters wizard pages adapter_page \
    report app 'platform/*.h' 'ui/*.h' | xargs -0 cp --parents -t "$copy")
"$root/scripts/check-seams" "$copy" >/dev/null || fail "the folders as they are do not pass"

# refused <file> <line to add> <words expected in the report>
refused() {
    local file="$copy/$1" report
    cp "$file" "$file.orig"
    printf '%s\n' "$2" >>"$file"
    if report="$("$root/scripts/check-seams" "$copy")"; then
        fail "$1 with '$2' passed"
    fi
    grep -qF "$1: $3" <<<"$report" || fail "no '$1: $3' in: $report"
    mv "$file.orig" "$file"
}
refused wizard/wizard_page.cpp '#include "pages/list_page.h"' 'includes "pages/list_page.h", a layer above wizard/'
refused adapters/scan_sync.h '#include "app/wizard_app.h"' 'includes "app/wizard_app.h", a layer above adapters/'
refused util/value_tables_test.cpp '#include "report/upload.h"' 'includes "report/upload.h", a layer above util/'
refused adapters/wlan_adapter.cpp '#include "adapters/lucent/lucent_adapter.h"' \
    'includes "adapters/lucent/lucent_adapter.h", a layer above adapters/'
refused adapters/wlan_api/wlan_bss_list.cpp '#include "adapters/ndis51/ndis_bssid_list.h"' \
    'includes "adapters/ndis51/ndis_bssid_list.h", a layer above adapters/wlan_api/ or a peer of it'
refused ui/controls.h '#include "wizard/property_page.h"' 'the seam header includes "wizard/property_page.h"'
refused pages/list_page.cpp '#include <windows.h>' 'includes <windows.h>'
refused report/upload.cpp '#include "platform/sim/sim_machine.h"' 'includes "platform/sim/sim_machine.h" (not a seam header)'
"$root/scripts/check-seams" "$copy" >/dev/null || fail "the copy is not clean again"
echo "check-seams: PASS"
