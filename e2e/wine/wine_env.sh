# Sourced by the Wine tests: a fresh 64-bit Wine prefix for this run (restored from a tar kept in the
# cache folder outside the clone, made once with wineboot), an Xvfb display for windows, and cleanup
# of both when the sourcing script exits. Every wine call of the tests is bounded by `timeout`.
nimbrel_wine_cache="${NIMBREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nimbrel}"
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

nimbrel_wine_prefix_tar() {
    local version tar
    version="$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')"
    tar="$nimbrel_wine_cache/wine-prefix-$version.tar"
    if [ ! -f "$tar" ]; then
        local fresh
        fresh="$(mktemp -d)"
        echo "Making a fresh Wine prefix (cached in $tar)" >&2
        WINEPREFIX="$fresh" timeout 180 wineboot --init >/dev/null 2>&1 || true
        WINEPREFIX="$fresh" timeout 60 wineserver --wait || true
        # Without a window manager windows get their frames from Wine's own desktop.
        WINEPREFIX="$fresh" timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
            >/dev/null 2>&1
        WINEPREFIX="$fresh" timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
            /d 1024x768 /f >/dev/null 2>&1
        WINEPREFIX="$fresh" timeout 60 wineserver --wait || true
        [ -f "$fresh/system.reg" ] || { echo "wineboot made no prefix" >&2; return 1; }
        mkdir -p "$nimbrel_wine_cache"
        tar -C "$fresh" -cf "$tar.part" . && mv "$tar.part" "$tar"
        rm -rf "$fresh"
    fi
    echo "$tar"
}

nimbrel_wine_cleanup() {
    [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k >/dev/null 2>&1 || true
    [ -n "${nimbrel_xvfb_pid:-}" ] && kill "$nimbrel_xvfb_pid" >/dev/null 2>&1 || true
    [ -n "${nimbrel_wine_tmp:-}" ] && rm -rf "$nimbrel_wine_tmp"
}

nimbrel_wine_tmp="$(mktemp -d)"
trap nimbrel_wine_cleanup EXIT
WINEPREFIX="$nimbrel_wine_tmp/prefix"
export WINEPREFIX
mkdir -p "$WINEPREFIX"
tar -C "$WINEPREFIX" -xf "$(nimbrel_wine_prefix_tar)"

# A display of our own: the first free number from 90 up.
nimbrel_display=90
while [ -e "/tmp/.X11-unix/X$nimbrel_display" ] || [ -e "/tmp/.X$nimbrel_display-lock" ]; do
    nimbrel_display=$((nimbrel_display + 1))
done
Xvfb ":$nimbrel_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
nimbrel_xvfb_pid=$!
export DISPLAY=":$nimbrel_display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$nimbrel_display" ] && break; sleep 0.1; done

# nimbrel_wine SECONDS PROGRAM [ARGS...]: one bounded run of a Windows program.
nimbrel_wine() {
    local seconds="$1"
    shift
    timeout "$seconds" wine "$@"
}

# nimbrel_screenshot FILE.png: the whole Xvfb screen.
nimbrel_screenshot() { import -display "$DISPLAY" -window root "$1"; }
