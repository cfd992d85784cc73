#!/usr/bin/env bash
# The installer under Wine: /S install (files, InstallDir, Add/Remove Programs entry, shortcut), a
# re-install over it keeping InstallDir, /S uninstall leaving nothing behind.
#   installer_test.sh <NimbrelSetup.exe>
# Uses the harness's prefix (e2e/wine/wine_env.sh) when it is there, else the WINEPREFIX given.
set -euo pipefail
setup="$(realpath "$1")"
here="$(dirname "${BASH_SOURCE[0]}")"
if [ -f "$here/wine_env.sh" ]; then . "$here/wine_env.sh"; fi
: "${WINEPREFIX:?no Wine prefix (e2e/wine/wine_env.sh missing and WINEPREFIX unset)}"
export WINEDEBUG=-all
fail() { echo "FAIL: $*"; exit 1; }
key='HKLM\Software\Plenwick Technologies, Inc.\Brellix Nimbrel'
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brellix Nimbrel'
dir="$WINEPREFIX/drive_c/Program Files/Brellix Nimbrel"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brellix Nimbrel"
query() { timeout 30 wine reg query "$1" ${2:+/v "$2"} 2>/dev/null | tr -d '\r'; }

check_installed() {
    query "$key" InstallDir | grep -qF 'InstallDir    REG_SZ    C:\Program Files\Brellix Nimbrel' ||
        fail "InstallDir not written"
    for f in Nimbrel.exe BXSidebar.png BXTopbar.png Tolvane.chm; do
        [ -f "$dir/$f" ] || fail "$f not installed"
    done
    [ -f "$menu/Brellix Nimbrel.lnk" ] || fail "no Start-menu shortcut"
    local entry
    entry="$(query "$arp")"
    grep -qF 'DisplayName    REG_SZ    Brellix Nimbrel' <<<"$entry" || fail "DisplayName"
    grep -qF 'DisplayVersion    REG_SZ    3.0.3' <<<"$entry" || fail "DisplayVersion"
    grep -qF 'Publisher    REG_SZ    Plenwick Technologies, Inc.' <<<"$entry" || fail "Publisher"
    grep -qF 'UninstallString    REG_SZ    "C:\Program Files\Brellix Nimbrel\Uninstall.exe"' <<<"$entry" ||
        fail "UninstallString"
}

timeout 60 wine "$setup" /S || fail "install exited $?"
check_installed
# A re-install over it replaces the files and keeps InstallDir.
echo stale >"$dir/Tolvane.chm"
timeout 60 wine "$setup" /S || fail "re-install exited $?"
check_installed
cmp -s "$dir/Tolvane.chm" "$(dirname "$setup")/Tolvane.chm" || fail "re-install did not replace the files"

# The uninstaller copies itself to a temporary folder and returns at once: wait for the files to go.
timeout 60 wine "$dir/Uninstall.exe" /S || fail "uninstall exited $?"
for _ in $(seq 1 40); do [ -e "$dir" ] || break; sleep 0.25; done
timeout 30 wineserver --wait || true
[ ! -e "$dir" ] || fail "install folder left behind: $(ls "$dir")"
[ ! -e "$menu" ] || fail "Start-menu folder left behind"
query "$key" InstallDir | grep -q REG_SZ && fail "InstallDir left behind"
query "$arp" | grep -q DisplayName && fail "Add/Remove Programs entry left behind"
echo "installer: PASS"
