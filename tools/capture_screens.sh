#!/usr/bin/env bash
# Captures every page of the full-screen wizard as text into docs/screens/ (80 x 24 terminal, the
# machine e2e/term_machine.json; the no-adapters page on the same machine without its WLAN section;
# the access point detail box, the location box of e2e/machines/location_denied.json with the page
# behind it, and the adapter results on a 120 x 40 terminal).
# Usage: tools/capture_screens.sh [PROGRAM]   (default build/dev/nimbrel)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/dev/nimbrel}")
machine=$PWD/e2e/term_machine.json
out=docs/screens
mkdir -p "$out"
. e2e/term/tmux_lib.sh

save() { term_screen > "$out/$1.txt"; echo "$out/$1.txt"; }

term_start "$program" 80 24 "$machine"
term_wait "Press Next to Continue"; save 104-welcome
term_keys Enter; term_wait "Before Checking"; save 105-intro
term_keys F1; term_wait "Esc=close"; save help-default; term_keys Escape; term_wait_gone "Esc=close"
term_keys Enter; term_wait "[x] Intel"; save 108-list
term_keys Tab Space; term_wait "[ ] Intel"
term_keys Enter; term_wait "No Adapter Selected"; save 115-select-one
term_keys Enter; term_wait "No Supported Adapters Found"; save 114-none-supported
term_keys M-b; term_wait "No Adapter Selected"; term_keys M-b; term_wait "[ ] Intel"
term_keys Tab Space Enter; term_wait "Scan #2"; save progress-window
term_wait "Discovered Access Points"; term_wait_gone "Progress ["; save 109-adapter
term_keys Tab Tab Tab Enter; term_wait "AP Name:"; save ap-details; term_keys Escape; term_wait_gone "AP Name:"
term_keys M-n; term_wait "Congratulations!"; save 110-supported
term_keys Enter; term_wait "Post Results Back"; save 111-post
term_keys Enter; term_wait "Accessing Nimbrel web server failed"; save message-box
term_keys Enter; term_wait_gone "Accessing Nimbrel web server failed"
term_keys Enter; term_wait "[  Exit  ]"; save 112-thank-you
term_keys Enter; term_wait "exit status 0"

nowlan="$term_dir/no_adapters.json"
python3 -c 'import json,sys; m=json.load(open(sys.argv[1])); m.pop("wlan"); m["description"]="no adapters"; json.dump(m, open(sys.argv[2],"w"))' \
    "$machine" "$nowlan"
sed -i "s|\"\${res}\"|\"$PWD/res\"|" "$nowlan"
term_start "$program" 80 24 "$nowlan"
term_wait "Press Next to Continue"; term_keys Enter Enter
term_wait "No Network Adapters Found"; save 113-none-found
term_keys Escape; term_wait "exit status 0"

term_start "$program" 60 20 "$machine"
term_wait "Please enlarge"; save too-small

# Scans refused for want of the location: the Yes/No box over the adapter page, then the page behind
# it (No: the settings stay closed).
term_start "$program" 80 24 "$PWD/e2e/machines/location_denied.json"
term_wait "Press Next to Continue"; term_keys Enter Enter
term_wait "All Network Adapters Found"; term_keys Enter
term_wait "Windows did not allow Nimbrel to scan"; save location-box
term_keys n; term_wait_gone "Windows did not allow Nimbrel to scan"; term_wait "Realtek RTL8852BE"
save 109-adapter-location-denied
term_keys Escape; term_wait "exit status 0"

# A larger terminal shows a larger sheet.
term_start "$program" 120 40 "$machine"
term_wait "Press Next to Continue"; term_keys Enter Enter
term_wait "[x] Intel"; term_keys Enter
term_wait "Discovered Access Points"; term_wait_gone "Progress ["; save 109-adapter-120x40
