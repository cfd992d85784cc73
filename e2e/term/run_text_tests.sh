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
