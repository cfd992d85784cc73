#!/usr/bin/env bash
# The Windows program's start under Wine, against a bare comctl32 wizard: from process creation to
# the first page on screen (the sheet visible with a visible page), and the peak working set at that
# moment, for the 64-bit Nimbrel.exe and for bench-wine/bare_wizard.exe (one empty Wizard97 page,
# the same manifest), with the ratio of each figure and both file sizes. Nimbrel.exe is installed as
# the Wine tests install it (C:\Nimbrel with both banners, HKLM InstallDir; Windows 10, so Wine's
# builtin wlanapi lists no interface); the bare wizard in C:\BareWizard. bench-wine/start_timer.exe
# starts them in turn, each once unmeasured (the first start loads the DLLs cold), and reports
# medians and minimums. The page is looked for when the program first waits for input (its windows
# painted), then every millisecond: the table's last line says how often that second look was
# needed. The peak working set is what Wine answers GetProcessMemoryInfo with for another process:
# the Linux process's VmHWM.
# Usage: bench/windows_start.sh [--once] [build dir, default build/windows]
#   --once: one measured start of each, no warm-up: only checks that both reach their first page.
#   NIMBREL_START_RUNS: measured starts of each program (default 10).
# Prints the table in the format of scripts/bench; exit status 1 when a program shows no page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
warm_ups=1
runs=${NIMBREL_START_RUNS:-10}
if [ "${1:-}" = --once ]; then
    warm_ups=0
    runs=1
    shift
fi
build=${1:-$root/build/windows}
for file in Nimbrel.exe bench-wine/start_timer.exe bench-wine/bare_wizard.exe; do
    [ -f "$build/$file" ] || { echo "no $build/$file (run scripts/build-windows)" >&2; exit 1; }
done
source "$root/e2e/wine/wine_env.sh"

nimbrel_wine_version win10
nimbrel_dir=$WINEPREFIX/drive_c/Nimbrel
bare_dir=$WINEPREFIX/drive_c/BareWizard
mkdir -p "$nimbrel_dir" "$bare_dir"
cp "$build/Nimbrel.exe" "$root/res/BXSidebar.png" "$root/res/BXTopbar.png" "$nimbrel_dir/"
cp "$build/bench-wine/bare_wizard.exe" "$bare_dir/"
nimbrel_wine 30 reg add 'HKLM\Software\Plenwick Technologies, Inc.\Brellix Nimbrel' /v InstallDir \
    /d 'C:\Nimbrel' /f >/dev/null 2>&1

figures=$NIMBREL_WINE_TMP/start.txt
nimbrel_wine 600 "$build/bench-wine/start_timer.exe" "$warm_ups" "$runs" 'C:\Nimbrel\Nimbrel.exe' \
    'C:\BareWizard\bare_wizard.exe' | tr -d '\r' >"$figures"

# One line per program in the order given: path, runs, median ms, min ms, median peak KiB, min peak
# KiB, bytes, looks after the first wait for input.
awk -F'\t' -v target=1.5 '
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
    BEGIN { name[1] = "Nimbrel.exe"; name[2] = "bare wizard" }
    { runs = $2; ms[NR] = $3; min[NR] = $4; peak[NR] = $5 / 1024; bytes[NR] = $7 / 1024; polls[NR] = $8 }
    END {
        if (NR != 2) { print "start_timer gave " NR " lines, not 2" > "/dev/stderr"; exit 1 }
        printf "\n== The Windows program under Wine: process creation to the first page shown, against a " \
               "bare comctl32 wizard, median of %d runs (target: start at most %.1f x the bare wizard'"'"'s)\n",
               runs, target
        printf "%-14s%-10s%-9s%-12s%-11s%s\n", "program", "start ms", "min ms", "peak MiB", "file KiB", "target"
        for (i = 1; i <= 2; ++i)
            printf "%-14s%-10.1f%-9.1f%-12.1f%-11.0f%s\n", name[i], ms[i], min[i], peak[i], bytes[i], "-"
        verdict = (ms[2] > 0 && ms[1] / ms[2] <= target) ? "met" : "SHORT"
        printf "%-14s%-10s%-9s%-12s%-11s%s\n", "ratio", ratio(ms[1], ms[2]), ratio(min[1], min[2]),
               ratio(peak[1], peak[2]), ratio(bytes[1], bytes[2]), verdict
        printf "looks for the page after the first wait for input: %s %d, %s %d (0: the page was up)\n",
               name[1], polls[1], name[2], polls[2]
    }' "$figures"
