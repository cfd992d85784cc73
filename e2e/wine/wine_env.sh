# Sourced by the Wine test scripts: a fresh 64-bit prefix (restored from a cached tar), Xvfb on a
# free display with Wine's Default desktop at 1024x768, a bounded wine call and cleanup on exit.
# shellcheck shell=bash

NIMBREL_ROOT=${NIMBREL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
NIMBREL_CACHE=${NIMBREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nimbrel}

source "$NIMBREL_ROOT/scripts/deps.sh"
nimbrel_install "${nimbrel_wine_packages[@]}"

export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

NIMBREL_WINE_TMP=$(mktemp -d /tmp/nimbrel-wine.XXXXXX)
export WINEPREFIX=$NIMBREL_WINE_TMP/prefix
NIMBREL_XVFB_PID=

nimbrel_wine_cleanup() {
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    if [ -n "$NIMBREL_XVFB_PID" ]; then kill "$NIMBREL_XVFB_PID" 2>/dev/null || true; fi
    rm -rf "$NIMBREL_WINE_TMP"
}
trap nimbrel_wine_cleanup EXIT

# The prefix tar is keyed by Wine's version so an upgrade makes a fresh one.
nimbrel_wine_prefix() {
    local version tar
    version=$(timeout 20 wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')
    tar=$NIMBREL_CACHE/wine-prefix-$version.tar
    mkdir -p "$NIMBREL_CACHE"
    if [ ! -s "$tar" ]; then
        mkdir -p "$WINEPREFIX"
        timeout 120 wineboot --init >/dev/null 2>&1
        timeout 60 wineserver --wait
        tar -C "$NIMBREL_WINE_TMP" -cf "$tar.part" prefix && mv "$tar.part" "$tar"
    else
        tar -C "$NIMBREL_WINE_TMP" -xf "$tar"
    fi
}

nimbrel_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    NIMBREL_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

# nimbrel_wine <seconds> <exe> [args...]: every wine call is bounded.
nimbrel_wine() {
    local seconds=$1
    shift
    timeout --kill-after=10 "$seconds" wine "$@"
}

nimbrel_wine_version() { # winxp, win7, win10
    nimbrel_wine 30 reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# nimbrel_screenshot <file.png> [X window id]: the whole screen, or one window (such as the sheet).
nimbrel_screenshot() {
    import -window "${2:-root}" "$1"
}

nimbrel_wine_prefix
nimbrel_xvfb
nimbrel_wine 30 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
nimbrel_wine 30 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# The desktop process started by the calls above runs without the virtual desktop: stop it so the
# next program starts the desktop with its title bars.
timeout 20 wineserver -k >/dev/null 2>&1 || true
timeout 20 wineserver -w >/dev/null 2>&1 || true
