#!/usr/bin/env bash
# Compiles the help pages of res/help into Tolvane.chm: build-chm.sh <output.chm>
# chmcmd writes next to the project, so it compiles a copy in a scratch folder.
set -euo pipefail
out="$1"
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/../res/help" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$src"/Tolvane.hhp "$src"/Tolvane.hhc "$src"/Tolvane.hhk "$src"/*.htm "$work"/
(cd "$work" && chmcmd --no-html-scan Tolvane.hhp >/dev/null 2>&1)
mkdir -p "$(dirname "$out")"
mv "$work/Tolvane.chm" "$out"
