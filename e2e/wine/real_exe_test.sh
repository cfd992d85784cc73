#!/bin/bash
# The real Nimbrel.exe on Wine's own services. Done: a missing banner ends it at once with a
# non-zero status and no window. NOT DONE YET: the win10 and winxp walks (welcome, no adapter,
# page 113, page 112, Exit → 0) and their screenshots; they need the Win32 host (ui/win32).
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows}
exe=$build/Nimbrel.exe
[ -f "$exe" ] || { echo "no $exe (the Win32 host is not built)" >&2; exit 1; }
source "$(dirname "$0")/wine_env.sh"

install=$WINEPREFIX/drive_c/Nimbrel
mkdir -p "$install"
cp "$exe" "$install/"
nimbrel_wine 30 reg add 'HKLM\Software\Plenwick Technologies, Inc.\Brellix Nimbrel' /v InstallDir \
    /d 'C:\Nimbrel' /f >/dev/null 2>&1

# No banner in the install folder: the program must stop before any window appears.
status=0
nimbrel_wine 30 "$install/Nimbrel.exe" &
pid=$!
sleep 3
if xdotool search --name "Brellix Nimbrel" >/dev/null 2>&1; then
    echo "FAIL: a window appeared without the banners" >&2
    status=1
fi
rc=0
wait "$pid" || rc=$?
if [ "$rc" = 0 ] || [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
    echo "FAIL: missing banner: exit status $rc (expected a prompt non-zero status)" >&2
    status=1
else
    echo "ok: missing banner ends with status $rc and no window"
fi
exit "$status"
