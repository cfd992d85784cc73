#!/usr/bin/env bash
# Runs the Windows test programs of a build folder under Wine, each bounded in time, on a fresh
# prefix and an Xvfb display.   run_win_tests.sh <build/windows>
set -euo pipefail
dir="$(realpath "$1")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine_env.sh"
ran=0
for exe in "$dir"/nimbrel_win32_os_tests.exe "$dir"/nimbrel_win_tests.exe; do
    [ -f "$exe" ] || continue
    echo "-- $(basename "$exe") under Wine"
    nimbrel_wine 300 "$exe" --gtest_brief=1
    ran=$((ran + 1))
done
[ "$ran" -gt 0 ] || { echo "no Windows test program in $dir"; exit 1; }
