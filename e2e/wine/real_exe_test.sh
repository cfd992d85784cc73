#!/bin/bash
# The real Nimbrel.exe on Wine's own services, driven from outside with keys (xdotool) and read back
# with e2e-wine/window_probe.exe (the sheet's caption, its visible controls and buttons):
# - as Windows 10 (Wine's builtin wlanapi lists no interface) and as Windows XP (no NDIS user-mode
#   I/O device, no WZCSVC): welcome page, Next, no adapter found (113), Next, thank-you page (112),
#   Exit, exit status 0;
# - a banner missing from the install folder: the program ends at once with status 1 and no window.
# With NIMBREL_SCREENSHOT_DIR set, the Windows 10 walk saves a PNG of each page it reaches there,
# named <template>-<name>.png.
# Usage: real_exe_test.sh [build dir] (default build/windows).
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows}
exe=$build/Nimbrel.exe
probe=$build/e2e-wine/window_probe.exe
[ -f "$exe" ] || { echo "no $exe" >&2; exit 1; }
[ -f "$probe" ] || { echo "no $probe" >&2; exit 1; }
source "$(dirname "$0")/wine_env.sh"
shots=${NIMBREL_SCREENSHOT_DIR:-}
[ -z "$shots" ] || mkdir -p "$shots"

source "$(dirname "$0")/sheet_lib.sh"
install=$WINEPREFIX/drive_c/Nimbrel
mkdir -p "$install"
cp "$exe" "$install/"
nimbrel_wine 30 reg add 'HKLM\Software\Plenwick Technologies, Inc.\Brellix Nimbrel' /v InstallDir \
    /d 'C:\Nimbrel' /f >/dev/null 2>&1
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}
shows() { nimbrel_sheet_shows "$probe" "$@"; }
BACK=$NIMBREL_BACK NEXT=$NIMBREL_NEXT FINISH=$NIMBREL_FINISH

shot() { # shot <wid> <name>
    [ -z "$shots" ] || nimbrel_screenshot "$shots/$2.png" "$1"
}

# walk <winxp|win10> <save screenshots: 1|0>
walk() {
    local version=$1 save=$2 pid rc wid
    echo "== $version: welcome → no adapter found → thank you → Exit"
    nimbrel_wine_version "$version"
    cp "$NIMBREL_ROOT/res/BXSidebar.png" "$NIMBREL_ROOT/res/BXTopbar.png" "$install/"
    nimbrel_wine 90 "$install/Nimbrel.exe" &
    pid=$!
    if ! wid=$(nimbrel_sheet_window); then
        fail "$version: no window \"$NIMBREL_CAPTION\""
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        return
    fi
    nimbrel_sheet_focus "$wid"
    local ok=1
    if shows 20 "${nimbrel_welcome_lines[@]}"; then
        [ "$save" = 1 ] && shot "$wid" 104-welcome
        xdotool key alt+n
    else
        fail "$version: the welcome page"
        ok=0
    fi
    if [ $ok = 1 ] && shows 20 "Please make sure all your wireless adapters are enabled" \
        "Button|1011|1|Help" "Button|$BACK|1|" "Button|$NEXT|1|"; then
        [ "$save" = 1 ] && shot "$wid" 105-intro
        xdotool key alt+n
    elif [ $ok = 1 ]; then
        fail "$version: the instructions page"
        ok=0
    fi
    if [ $ok = 1 ] && shows 30 "It appears that your computer doesn't have any network adapters at all" \
        "Button|$BACK|1|" "Button|$NEXT|1|"; then
        [ "$save" = 1 ] && shot "$wid" 113-none-found
        xdotool key alt+n
    elif [ $ok = 1 ]; then
        fail "$version: the no-adapters page after discovery"
        ok=0
    fi
    if [ $ok = 1 ] && shows 20 "Thank you for using Brellix's Nimbrel program." "Button|$FINISH|1|Exit"; then
        [ "$save" = 1 ] && shot "$wid" 112-thank-you
        xdotool key Return # Exit is the default button
    elif [ $ok = 1 ]; then
        fail "$version: the thank-you page with its Exit button"
        ok=0
    fi
    [ $ok = 1 ] || kill "$pid" 2>/dev/null || true
    rc=0
    wait "$pid" || rc=$?
    if [ $ok = 1 ] && [ "$rc" != 0 ]; then
        fail "$version: exit status $rc after Exit (expected 0)"
    elif [ $ok = 1 ]; then
        echo "ok: $version walk ends with status 0"
    fi
}

# no_window_run <what> <banner files to leave in the install folder...>
no_window_run() {
    local what=$1 pid rc=0 appeared=0
    shift
    echo "== $what: ends at once, no window"
    rm -f "$install/BXSidebar.png" "$install/BXTopbar.png"
    for banner in "$@"; do cp "$NIMBREL_ROOT/res/$banner" "$install/"; done
    nimbrel_wine 30 "$install/Nimbrel.exe" &
    pid=$!
    while kill -0 "$pid" 2>/dev/null; do
        xdotool search --name "^$NIMBREL_CAPTION\$" >/dev/null 2>&1 && appeared=1
        sleep 0.2
    done
    wait "$pid" || rc=$?
    if [ "$appeared" = 1 ]; then
        fail "$what: a window appeared"
    elif [ "$rc" != 1 ]; then
        fail "$what: exit status $rc (expected 1)"
    else
        echo "ok: $what ends with status 1 and no window"
    fi
}

walk win10 1
walk winxp 0
no_window_run "no banner"
no_window_run "top bar missing" BXSidebar.png
no_window_run "sidebar missing" BXTopbar.png
exit "$status"
