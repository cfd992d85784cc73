# Sourced by the Wine tests of the real program, after wine_env.sh: installs Nimbrel.exe with the
# substitute wlanapi.dll beside it, the banners and the help file into the prefix; seeds the
# registry (install folder, the user's proxy = a loopback server of the test, a logging browser);
# and gives the walk its verbs: start the program on a machine file, drive it, compare, screenshot.
# shellcheck shell=bash

NIMBREL_BUILD=${NIMBREL_BUILD:-$NIMBREL_ROOT/build/windows}
NIMBREL_FIXTURES=$NIMBREL_BUILD/e2e-wine
NIMBREL_INSTALL="$WINEPREFIX/drive_c/Program Files/Brellix Nimbrel"
NIMBREL_INSTALL_WIN='C:\Program Files\Brellix Nimbrel'
NIMBREL_SETTINGS_KEY='HKLM\Software\Plenwick Technologies, Inc.\Brellix Nimbrel'
NIMBREL_INTERNET_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
# The application profile, in the user's application-data folder (Wine's user is the Unix one).
NIMBREL_PROFILE="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Brellix Nimbrel/Nimbrel.INI"
NIMBREL_REQUESTS=$NIMBREL_WINE_TMP/requests.log
NIMBREL_BROWSER_LOG=$NIMBREL_WINE_TMP/browser.log
NIMBREL_SETTINGS_LOG=$NIMBREL_WINE_TMP/settings.log
NIMBREL_CAPTIONS=$NIMBREL_FIXTURES/caption_hook.dll.log
NIMBREL_PID=
NIMBREL_SERVER_PID=

fail() {
    echo "FAIL: $*"
    exit 1
}

# expect <what> <expected lines> <actual lines>
expect() {
    [ "$2" = "$3" ] || {
        printf 'FAIL: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
        exit 1
    }
}

# A Windows path of a file of the Linux side, through Wine's Z: drive.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

nimbrel_install_program() {
    mkdir -p "$NIMBREL_INSTALL"
    cp "$NIMBREL_BUILD/Nimbrel.exe" "$NIMBREL_FIXTURES/wlanapi.dll" "$NIMBREL_BUILD/Tolvane.chm" \
        "$NIMBREL_ROOT/res/BXSidebar.png" "$NIMBREL_ROOT/res/BXTopbar.png" "$NIMBREL_INSTALL/"
    nimbrel_wine 30 reg add "$NIMBREL_SETTINGS_KEY" /v InstallDir /d "$NIMBREL_INSTALL_WIN" /f >/dev/null 2>&1
    nimbrel_wine 30 reg add 'HKCR\http\shell\open\command' /ve /f \
        /d "\"$(winpath "$NIMBREL_FIXTURES/browser_logger.exe")\" \"$(winpath "$NIMBREL_BROWSER_LOG")\" \"%1\"" \
        >/dev/null 2>&1
    # The "ms-settings" scheme of Windows 10 and later, handled by the same logger into a log of its own.
    nimbrel_wine 30 reg add 'HKCR\ms-settings' /v 'URL Protocol' /d '' /f >/dev/null 2>&1
    nimbrel_wine 30 reg add 'HKCR\ms-settings\shell\open\command' /ve /f \
        /d "\"$(winpath "$NIMBREL_FIXTURES/browser_logger.exe")\" \"$(winpath "$NIMBREL_SETTINGS_LOG")\" \"%1\"" \
        >/dev/null 2>&1
    nimbrel_wine_version win10
}

# The user's proxy: the loopback server, which records every request line.
nimbrel_start_proxy() {
    local port_file=$NIMBREL_WINE_TMP/proxy.port
    python3 "$NIMBREL_ROOT/e2e/wine/fixtures/loopback_server.py" "$port_file" "$NIMBREL_REQUESTS" &
    NIMBREL_SERVER_PID=$!
    for _ in $(seq 100); do [ -s "$port_file" ] && break; sleep 0.05; done
    [ -s "$port_file" ] || fail "the loopback server did not start"
    nimbrel_wine 30 reg add "$NIMBREL_INTERNET_KEY" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
    nimbrel_wine 30 reg add "$NIMBREL_INTERNET_KEY" /v ProxyServer /d "127.0.0.1:$(cat "$port_file")" /f \
        >/dev/null 2>&1
}

nimbrel_stop_proxy() {
    if [ -n "$NIMBREL_SERVER_PID" ]; then
        kill "$NIMBREL_SERVER_PID" 2>/dev/null || true
        wait "$NIMBREL_SERVER_PID" 2>/dev/null || true
        NIMBREL_SERVER_PID=
    fi
}

# nimbrel_start <machine file>: the installed program, in the background, on that WLAN machine.
nimbrel_start() {
    NIMBREL_WLAN_MACHINE="$(winpath "$1")" nimbrel_wine 180 "$NIMBREL_INSTALL/Nimbrel.exe" \
        >"$NIMBREL_WINE_TMP/program.out" 2>&1 &
    NIMBREL_PID=$!
}

# nimbrel_wait_exit: waits for the program; its exit status in NIMBREL_RC. (Not from a subshell:
# only this shell can wait for its child.)
nimbrel_wait_exit() {
    NIMBREL_RC=0
    wait "$NIMBREL_PID" || NIMBREL_RC=$?
    NIMBREL_PID=
}

# A failed command ends the test with what the driver said (also from inside "$(drive ...)").
drive() {
    local out rc=0
    out=$(nimbrel_wine 120 "$NIMBREL_FIXTURES/ui_driver.exe" "sheet 30000 Brellix Nimbrel" "$@") || rc=$?
    out=$(tr -d '\r' <<<"$out" | sed '/^sheet /d')
    if [ "$rc" != 0 ]; then
        printf 'FAIL: driver (status %s):\n%s\n' "$rc" "$out" >&2
        return "$rc"
    fi
    printf '%s\n' "$out"
}

# shot <template>-<name>: the sheet's window as a PNG in $NIMBREL_SCREENSHOT_DIR, when that is set.
shot() {
    [ -n "${NIMBREL_SCREENSHOT_DIR:-}" ] || return 0
    local rect
    rect=$(drive rect) || fail "no sheet to photograph: $rect"
    read -r _ x y w h <<<"$rect"
    mkdir -p "$NIMBREL_SCREENSHOT_DIR"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$NIMBREL_SCREENSHOT_DIR/$1.png"
}

# shot_desktop <name>: Wine's whole desktop, for windows beside the sheet (the popup, a message box).
shot_desktop() {
    [ -n "${NIMBREL_SCREENSHOT_DIR:-}" ] || return 0
    mkdir -p "$NIMBREL_SCREENSHOT_DIR"
    import -window root -crop 1024x768+0+0 +repage "$NIMBREL_SCREENSHOT_DIR/$1.png"
}
