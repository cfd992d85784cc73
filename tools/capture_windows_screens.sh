#!/usr/bin/env bash
# Captures every page that the Wine tests reach (the Win32 host's walks on the simulated machines,
# then the real Nimbrel.exe on Wine's own services and over the substitute wlanapi.dll), as PNG
# screenshots of the sheet, into docs/screens/windows/ (named <template>-<name>.png): it runs them with
# NIMBREL_SCREENSHOT_DIR set and keeps what they saved. Pages are replaced only when the tests pass.
# Usage: tools/capture_windows_screens.sh [build dir]   (default build/windows; scripts/build-windows
# makes it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/windows}")
out=docs/screens/windows
shots=$(mktemp -d /tmp/nimbrel-screens.XXXXXX)
trap 'rm -rf "$shots"' EXIT
# The Win32 host's walks on the simulated machines reach every page and the progress popup; the
# real program's runs, last, replace the pages they also reach.
NIMBREL_SCREENSHOT_DIR=$shots e2e/wine/run_win_tests.sh "$build"
NIMBREL_SCREENSHOT_DIR=$shots e2e/wine/real_exe_test.sh "$build"
# The walks over the substitute wlanapi.dll reach every page (and replace the pages both reach).
NIMBREL_SCREENSHOT_DIR=$shots e2e/wine/real_walk_test.sh "$build"
mkdir -p "$out"
for png in "$shots"/*.png; do
    cp "$png" "$out/"
    echo "$out/$(basename "$png")"
done
