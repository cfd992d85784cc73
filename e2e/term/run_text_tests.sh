#!/usr/bin/env bash
# End-to-end tests of the terminal's text and feedback: non-ASCII names shown and typed in a UTF-8
# terminal, help and the browser launch on a machine where they are available, the wait indicator of
# the configuration service's restart, and the fall-back to line mode where ncurses cannot draw.
# Usage: run_text_tests.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/tmux_lib.sh"

step() { echo "ok - $*"; }

# Vista: the interface's description (its omega has no Windows-1252 code: "?"), the help page, and
# typing on the post page.
term_start "$program" 80 24 "$here/vista_french.json"
term_wait "Press Next to Continue"
term_keys F1
term_wait "Brellix Nimbrel Help"
term_keys Escape
term_wait_gone "Brellix Nimbrel Help"
step "help is shown where the machine has it"
term_keys Enter Enter
term_wait "[x] Adaptateur réseau sans fil Intel® – 4965AGN ?"
step "a WLAN description in Windows-1252, shown in UTF-8"
term_keys Enter
term_wait "Adapter Results"
term_wait_gone "Progress ["
term_keys Enter
term_wait "Troubleshooting:"
term_keys Enter
term_wait "Post Results Back to Brellix (optional)"
term_keys Tab Tab Tab
term_keys -l "Zoë"
term_wait "Zoë"
term_keys -l "Ω"
sleep 0.5
term_expect "Zoë"
term_expect_not "Zoë?"
term_expect_not "ZoëΩ"
step "typed UTF-8 is taken, a character outside Windows-1252 is refused"
# The post fails at the refusing proxy; then on to the thank-you page and its web-site button.
term_keys Enter
term_wait "Accessing Nimbrel web server failed"
term_keys Enter
term_wait_gone "Accessing Nimbrel web server failed"
term_keys Enter
term_wait "[  Exit  ]"
term_keys Tab
term_keys Enter
term_wait "The default browser was asked to open:"
term_expect "http://"
term_keys Escape
term_wait_gone "The default browser was asked to open:"
step "the browser launch shows the address handed over"
term_keys Escape
term_wait "exit status 0"

# XP: the adapter test stops the configuration service; Esc on the list page starts it again behind
# the wait indicator.
term_start "$program" 80 24 "$here/xp_french.json"
term_wait "Press Next to Continue"
term_keys Enter Enter
term_wait "[x] Carte réseau sans fil Intel® – 2200BG"
step "an NDIS description in Windows-1252, shown in UTF-8"
term_keys Enter
term_wait "Adapter Results"
term_wait_gone "Progress ["
term_keys M-b
term_wait "All Network Adapters Found"
term_keys Escape
term_wait "Working..."
term_wait "exit status 0"
step "the service restart on Esc shows the wait indicator"

machines="$here/../machines"
profile="$term_dir/home/.config/nimbrel/Nimbrel.ini"

# A standard user: the settings key may only be read and records a folder other than the default one,
# the only folder that holds the banners and the help on this machine.
rm -f "$profile"
term_start "$program" 80 24 "$machines/standard_user.json"
term_wait "Press Next to Continue"
term_keys F1
term_wait "Brellix Nimbrel Help"
term_keys Escape
term_wait_gone "Brellix Nimbrel Help"
term_keys Enter Enter
term_wait "[x] Intel(R) Wi-Fi 6 AX201 160MHz"
term_keys Enter
term_wait "Adapter Results"
term_wait_gone "Progress ["
term_expect "00:1b:2f:aa:10:01│ 6 │ -48   │ Yes"
term_keys Escape
term_wait "exit status 0"
grep -q '^ProgWndX=' "$profile" || term_fail "the progress window's position was not kept in $profile"
step "a standard user starts from the recorded folder, opens its help and keeps the popup's position"

# Scans refused for want of the location: the Yes/No box once, Yes hands over the Location settings,
# the second adapter's other failure is silent.
term_start "$program" 80 24 "$machines/location_denied.json"
term_wait "Press Next to Continue"
term_keys Enter Enter
term_wait "All Network Adapters Found"
term_keys Enter
term_wait "Windows did not allow Nimbrel to scan"
term_expect "[  Yes   ]"
term_expect "[   No   ]"
term_keys y
term_wait "Windows Settings was asked to open:"
term_expect "ms-settings:privacy-location"
term_keys Escape
term_wait_gone "Windows Settings was asked to open:"
term_wait "Realtek RTL8852BE"
term_keys Enter
term_wait "USB Wireless LAN Stick"
term_wait_gone "Progress ["
term_expect_not "Windows did not allow"
term_keys Escape
term_wait "exit status 0"
step "the location box in the terminal, Yes opens the settings"

# A terminal that ncurses cannot drive gets line mode, with one line saying so.
term_stop
term_tmux -f /dev/null new-session -d -s wizard -x 80 -y 24 \
    "env HOME='$term_dir/home' LANG=C.UTF-8 TERM=dumb NIMBREL_MACHINE='$here/vista_french.json' '$program'; echo \"exit status \$?\"; sleep 600"
term_wait 'nimbrel: line mode (the terminal "dumb" cannot move the cursor)'
term_wait "[n] Next >"
term_keys "zap" Enter
term_wait 'Unknown command "zap". Commands:'
term_keys c Enter
term_wait "exit status 0"
step "TERM=dumb falls back to line mode"

# Line mode on the location machine: the box is a prompt, an empty line is No.
term_stop
term_tmux -f /dev/null new-session -d -s wizard -x 80 -y 24 \
    "env HOME='$term_dir/home' LANG=C.UTF-8 TERM=dumb NIMBREL_MACHINE='$machines/location_denied.json' '$program'; echo \"exit status \$?\"; sleep 600"
term_wait "[n] Next >"
term_keys n Enter
term_wait "Before Checking for Supported Adapters"
term_keys n Enter
term_wait "All Network Adapters Found"
term_keys n Enter
term_wait "(y = Yes, n = No; Enter = No)"
term_expect "[?] Windows did not allow Nimbrel"
term_keys Enter
term_wait "Adapter Results"
term_expect_not "[settings] opened"
term_keys c Enter
term_wait "exit status 0"
step "line mode asks with a y/n prompt"
