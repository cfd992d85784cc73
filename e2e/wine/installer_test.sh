#!/usr/bin/env bash
# The installer under Wine: /S install (files, InstallDir, Add/Remove Programs entry, shortcut), a
# re-install over it keeping InstallDir, the installed program started from its shortcut's target
# showing the welcome page (so the banners came from the install folder) and ending with 0 on Cancel,
# /S uninstall leaving nothing behind.
#   installer_test.sh <NimbrelSetup.exe>   (window_probe.exe is looked for in e2e-wine/ beside it)
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

# The installed program, started as the Start-menu shortcut starts it: the target path recorded in the
# link. It reads its banners from the install folder that InstallDir names; without them it would
# end before any window.
probe="$(dirname "$setup")/e2e-wine/window_probe.exe"
[ -f "$probe" ] || fail "no $probe"
. "$here/sheet_lib.sh"
target="$(strings -n 6 "$menu/Brellix Nimbrel.lnk" | grep -m1 -E '^[A-Za-z]:\\.*\.exe$' || true)"
[ "$target" = 'C:\Program Files\Brellix Nimbrel\Nimbrel.exe' ] || fail "shortcut target: '$target'"
timeout 30 wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
timeout --kill-after=10 60 wine "$target" &
pid=$!
wid="$(nimbrel_sheet_window)" || fail "the installed program showed no window"
nimbrel_sheet_focus "$wid"
nimbrel_sheet_shows "$probe" 20 "${nimbrel_welcome_lines[@]}" ||
    fail "the installed program did not show the welcome page"
xdotool key Escape # Cancel
rc=0
wait "$pid" || rc=$?
[ "$rc" = 0 ] || fail "the installed program ended with $rc after Cancel"

# The uninstaller copies itself to a temporary folder and returns at once: wait for the files to go.
timeout 60 wine "$dir/Uninstall.exe" /S || fail "uninstall exited $?"
for _ in $(seq 1 40); do [ -e "$dir" ] || break; sleep 0.25; done
timeout 30 wineserver --wait || true
[ ! -e "$dir" ] || fail "install folder left behind: $(ls "$dir")"
[ ! -e "$menu" ] || fail "Start-menu folder left behind"
query "$key" InstallDir | grep -q REG_SZ && fail "InstallDir left behind"
query "$arp" | grep -q DisplayName && fail "Add/Remove Programs entry left behind"
echo "installer: PASS"
