#!/bin/bash
# Runs the Windows test executables of a build folder under Wine (default build/windows).
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows}
source "$(dirname "$0")/wine_env.sh"

# As Windows 10, so the version test sees whether the manifest lets the true version through.
nimbrel_wine_version win10
export NIMBREL_EXPECT_WINVER=${NIMBREL_EXPECT_WINVER:-10.0}
# The whole-wizard walks save their pages' PNGs there (a Windows path for the program).
if [ -n "${NIMBREL_SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$NIMBREL_SCREENSHOT_DIR"
    NIMBREL_SCREENSHOT_DIR=$(timeout 30 winepath -w "$NIMBREL_SCREENSHOT_DIR")
    export NIMBREL_SCREENSHOT_DIR
fi
status=0
ran=0
for exe in nimbrel_win32_os_tests.exe nimbrel_win_tests.exe; do
    [ -f "$build/$exe" ] || continue
    ran=$((ran + 1))
    echo "== $exe under Wine"
    nimbrel_wine 600 "$build/$exe" || status=$?
done
# The owner-drawn check boxes again at 144 DPI (Wine's LogPixels; the desktop restarts to take it).
if [ -f "$build/nimbrel_win_tests.exe" ]; then
    echo "== nimbrel_win_tests.exe at 144 DPI under Wine"
    nimbrel_wine 30 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    timeout 20 wineserver -k >/dev/null 2>&1 || true
    timeout 20 wineserver -w >/dev/null 2>&1 || true
    NIMBREL_EXPECT_DPI=144 nimbrel_wine 300 "$build/nimbrel_win_tests.exe" --gtest_filter='*Dpi*' || status=$?
fi
if [ "$ran" = 0 ]; then
    echo "no Windows test executable in $build" >&2
    exit 1
fi
exit "$status"
