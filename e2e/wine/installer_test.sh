#!/usr/bin/env bash
# The installer under Wine. Before Wine: the installer's icon is the program's, its manifest asks for
# comctl32 v6 and DPI awareness, and it is a 32-bit installer holding both programs. Then: a /S
# install into a folder named with /D (files, InstallDir in the 64-bit registry view only, Add/Remove
# Programs entry with its size and the vendor's addresses, shortcut); a re-install without /D keeping
# the recorded folder; the registered quiet uninstall command leaving nothing behind once its copy in
# the temporary folder ends; the Modern UI walked by keyboard (welcome, folder, progress, finish with
# "Run Brellix Nimbrel", which starts the program); the installed program started from its
# shortcut's target showing the welcome page and ending with 0 on Cancel; the uninstaller's plain /S,
# checked as soon as its copy has ended.
#   installer_test.sh <NimbrelSetup.exe>   (window_probe.exe is looked for in e2e-wine/ beside it)
# A Wine without its 32-bit half (wine32) cannot start the 32-bit installer: Wine then runs the same
# script built as a 64-bit installer, e2e-wine/NimbrelSetup-x64.exe beside it.
# Uses the harness's prefix (e2e/wine/wine_env.sh) when it is there, else the WINEPREFIX given.
set -euo pipefail
setup="$(realpath "$1")"
dist="$(dirname "$setup")" # build/windows: the 64-bit program, its files and e2e-wine/
here="$(dirname "${BASH_SOURCE[0]}")"
root="$(cd "$here/../.." && pwd)"
fail() { echo "FAIL: $*"; exit 1; }

# ---- Before Wine: what the files carry.
# The 256-pixel PNG of the program's icon lies byte for byte in the installer's resources.
python3 - "$root/res/win32/nimbrel.ico" "$setup" <<'PY' || fail "the installer does not carry the program's icon"
import struct, sys
ico = open(sys.argv[1], "rb").read()
count = struct.unpack("<H", ico[4:6])[0]
entries = [struct.unpack("<BBBBHHII", ico[6 + 16 * i:22 + 16 * i]) for i in range(count)]
png = [ico[e[7]:e[7] + e[6]] for e in entries if e[0] == 0]
sys.exit(0 if png and png[0] in open(sys.argv[2], "rb").read() else 1)
PY
manifest="$(strings -n 8 "$setup" | tr -d '\r\n')"
grep -qF 'Microsoft.Windows.Common-Controls' <<<"$manifest" || fail "no comctl32 v6 in the installer's manifest"
grep -qiE '<dpiAware[^>]*>true</dpiAware>' <<<"$manifest" || fail "installer not DPI aware"
file "$setup" | grep -q 'PE32 executable' || fail "the installer is not a 32-bit program"
# Both programs inside, byte for byte: the 64-bit one and the 32-bit one beside it.
unpacked="$(mktemp -d)"
7z x -aou -o"$unpacked" "$setup" >/dev/null || fail "7z cannot unpack the installer"
for program in "$dist/Nimbrel.exe" "$dist/../windows-x86/Nimbrel.exe"; do
    found=0
    for f in "$unpacked"/Nimbrel*.exe; do cmp -s "$f" "$program" && found=1; done
    [ "$found" = 1 ] || fail "the installer does not hold $program"
done
rm -rf "$unpacked"

# ---- Under Wine.
if [ -f "$here/wine_env.sh" ]; then . "$here/wine_env.sh"; fi
: "${WINEPREFIX:?no Wine prefix (e2e/wine/wine_env.sh missing and WINEPREFIX unset)}"
export WINEDEBUG=-all
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    setup="$dist/e2e-wine/NimbrelSetup-x64.exe"
    [ -f "$setup" ] || fail "no $setup"
    echo "note: this Wine runs no 32-bit program; the 64-bit build of the installer's script runs instead"
fi
key='HKLM\Software\Plenwick Technologies, Inc.\Brellix Nimbrel'
key32='HKLM\Software\Wow6432Node\Plenwick Technologies, Inc.\Brellix Nimbrel'
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brellix Nimbrel'
drive="$WINEPREFIX/drive_c"
default_win='C:\Program Files\Brellix Nimbrel'
other_win='C:\Tools\Nimbrel' # /D= takes no quotes, and wine quotes an argument with a space
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Brellix Nimbrel"
query() { timeout 30 wine reg query "$1" ${2:+/v "$2"} 2>/dev/null | tr -d '\r'; }
unix_dir() { echo "$drive/$(sed 's/^C:\\//; s/\\/\//g' <<<"$1")"; }
vendor_setting() { sed -n "s/^set($1 \"\([^\"]*\)\".*/\1/p" "$root/cmake/Vendor.cmake"; }

# check_installed <Windows folder>
check_installed() {
    local win=$1 dir entry size kb
    dir="$(unix_dir "$win")"
    query "$key" InstallDir | grep -qxF "    InstallDir    REG_SZ    $win" || fail "InstallDir is not $win"
    ! query "$key32" InstallDir | grep -q REG_SZ || fail "InstallDir written in the 32-bit view"
    for f in Nimbrel.exe BXSidebar.png BXTopbar.png Tolvane.chm Uninstall.exe; do
        [ -f "$dir/$f" ] || fail "$f not installed in $win"
    done
    cmp -s "$dir/Nimbrel.exe" "$dist/Nimbrel.exe" || fail "the installed program is not the 64-bit one"
    [ -f "$menu/Brellix Nimbrel.lnk" ] || fail "no Start-menu shortcut"
    entry="$(query "$arp")"
    grep -qF 'DisplayName    REG_SZ    Brellix Nimbrel' <<<"$entry" || fail "DisplayName"
    grep -qF 'DisplayVersion    REG_SZ    3.0.3' <<<"$entry" || fail "DisplayVersion"
    grep -qF 'Publisher    REG_SZ    Plenwick Technologies, Inc.' <<<"$entry" || fail "Publisher"
    grep -qF "UninstallString    REG_SZ    \"$win\\Uninstall.exe\"" <<<"$entry" || fail "UninstallString"
    grep -qF "URLInfoAbout    REG_SZ    $(vendor_setting NIMBREL_VENDOR_URL)" <<<"$entry" || fail "URLInfoAbout"
    grep -qF "HelpLink    REG_SZ    mailto:$(vendor_setting NIMBREL_SUPPORT_EMAIL)" <<<"$entry" || fail "HelpLink"
    # EstimatedSize is in KiB: the installed files' size.
    size="$(sed -n 's/.*EstimatedSize    REG_DWORD    0x\([0-9a-fA-F]*\)$/\1/p' <<<"$entry")"
    [ -n "$size" ] || fail "no EstimatedSize"
    kb=$(($(cat "$dir"/* | wc -c) / 1024))
    [ $((16#$size)) -ge $((kb - 2)) ] && [ $((16#$size)) -le $((kb + 2)) ] ||
        fail "EstimatedSize $((16#$size)) KiB, the files are $kb KiB"
}

# check_gone <Windows folder>: right now, nothing of the installation is left.
check_gone() {
    local dir
    dir="$(unix_dir "$1")"
    [ ! -e "$dir" ] || fail "install folder left behind: $(ls "$dir")"
    [ ! -e "$menu" ] || fail "Start-menu folder left behind"
    ! query "$key" InstallDir | grep -q REG_SZ || fail "InstallDir left behind"
    ! query "$arp" | grep -q DisplayName || fail "Add/Remove Programs entry left behind"
}

# The registered quiet uninstall command, as a tool that reads the entry runs it.
quiet_uninstall() {
    local command
    command="$(query "$arp" QuietUninstallString | sed -n 's/.*QuietUninstallString    REG_SZ    //p')"
    [ -n "$command" ] || fail "no QuietUninstallString"
    local exe=${command#\"}
    exe=${exe%%\"*}
    # The arguments split at blanks: wine joins them with blanks again, quoting none.
    # shellcheck disable=SC2086
    timeout 60 wine "$exe" ${command#\"$exe\" } || fail "quiet uninstall exited $?"
    # It returns when its copy in the temporary folder has started: wait for that copy, the last
    # process of the prefix.
    timeout 30 wineserver --wait || fail "the uninstaller's copy did not end"
}

start=$SECONDS
timeout 60 wine "$setup" /S "/D=$other_win" || fail "install exited $?"
check_installed "$other_win"
# A re-install without /D goes to the recorded folder and replaces the files.
echo stale >"$(unix_dir "$other_win")/Tolvane.chm"
timeout 60 wine "$setup" /S || fail "re-install exited $?"
check_installed "$other_win"
cmp -s "$(unix_dir "$other_win")/Tolvane.chm" "$dist/Tolvane.chm" ||
    fail "re-install did not replace the files"
[ ! -e "$(unix_dir "$default_win")" ] || fail "re-install went to the default folder"
quiet_uninstall
check_gone "$other_win"
echo "installer: /D install, re-install into the recorded folder, quiet uninstall ($((SECONDS - start)) s)"

# ---- The Modern UI by keyboard: Enter presses each page's default button.
probe="$dist/e2e-wine/window_probe.exe"
[ -f "$probe" ] || fail "no $probe"
. "$here/sheet_lib.sh"
timeout 30 wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
timeout --kill-after=10 120 wine "$setup" &
setup_pid=$!
NIMBREL_WINDOW_CAPTION="Brellix Nimbrel Setup"
wid="$(nimbrel_sheet_window)" || fail "the installer showed no window"
nimbrel_sheet_focus "$wid"
nimbrel_sheet_shows "$probe" 20 "Welcome to Brellix Nimbrel Setup" "Button|1|1|&Next >" ||
    fail "no welcome page"
xdotool key Return
# The Modern UI gives the later pages a blank subcaption: the window's title gains a space.
NIMBREL_WINDOW_CAPTION="Brellix Nimbrel Setup "
# (Another process's edit text cannot be read with GetWindowText: the folder is checked once installed.)
nimbrel_sheet_shows "$probe" 20 "Choose Install Location" "Button|1001|1|B&rowse..." "Button|1|1|&Install" ||
    fail "no folder page"
xdotool key Return
nimbrel_sheet_shows "$probe" 60 "Completing Brellix Nimbrel Setup" "Button|1203|1|Run Brellix Nimbrel" \
    "Button|1|1|&Finish" || fail "no finish page with the Run choice"
check_installed "$default_win"
xdotool key Return # Finish, with Run ticked as it comes
rc=0
wait "$setup_pid" || rc=$?
[ "$rc" = 0 ] || fail "the installer ended with $rc"
NIMBREL_WINDOW_CAPTION=$NIMBREL_CAPTION
wid="$(nimbrel_sheet_window)" || fail "Run Brellix Nimbrel started no program"
nimbrel_sheet_focus "$wid"
nimbrel_sheet_shows "$probe" 20 "${nimbrel_welcome_lines[@]}" || fail "the program run from the finish page"
xdotool key Escape
timeout 30 wineserver --wait || true
echo "installer: Modern UI pages and the Run choice"

# The installed program, started as the Start-menu shortcut starts it: the target path recorded in the
# link. It reads its banners from the install folder that InstallDir names; without them it would
# end before any window.
target="$(strings -n 6 "$menu/Brellix Nimbrel.lnk" | grep -m1 -E '^[A-Za-z]:\\.*\.exe$' || true)"
[ "$target" = "$default_win\\Nimbrel.exe" ] || fail "shortcut target: '$target'"
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

# The uninstaller as the user starts it, /S: it returns once its copy has started; wait for that.
timeout 60 wine "$(unix_dir "$default_win")/Uninstall.exe" /S || fail "uninstall exited $?"
timeout 30 wineserver --wait || fail "the uninstaller's copy did not end"
check_gone "$default_win"
echo "installer: PASS"
