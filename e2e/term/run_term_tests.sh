#!/usr/bin/env bash
# End-to-end tests of the full-screen front end: the real program in a tmux pseudo-terminal, driven
# by keys, its screen compared. Usage: run_term_tests.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
machine="$here/../term_machine.json"
. "$here/tmux_lib.sh"

step() { echo "ok - $*"; }

# Starts the program at a size and walks it to the first scan of the adapter test.
start_scans() {
    term_start "$program" "$1" "$2" "$machine"
    term_wait "Press Next to Continue"
    term_keys Enter Enter
    term_wait "All Network Adapters Found"
    term_keys Enter
    term_wait "Scan #1..."
}

# The welcome page, exactly as expected (sidebar band, texts at their template places, button row).
term_start "$program" 80 24 "$machine"
term_wait "Press Next to Continue"
diff -u "$here/expected_welcome.txt" <(term_screen) || term_fail "the welcome page differs from expected_welcome.txt"
step "welcome page"

# The list page with its ticks; Tab reaches the list, Space unticks and ticks again.
term_keys Enter
term_wait "Before Checking for Supported Adapters"
term_keys Enter
term_wait "All Network Adapters Found"
term_wait "[x] Intel(R) Wireless WiFi Link 4965AGN"
term_keys Tab Space
term_wait "[ ] Intel(R) Wireless WiFi Link 4965AGN"
term_keys Space
term_wait "[x] Intel(R) Wireless WiFi Link 4965AGN"
step "list page ticks"

# The adapter test: the progress popup's caption and text, then the access point list.
term_keys Enter
term_wait "Progress ["
term_wait "Scan #"
term_expect "[ Cancel ]"
step "progress window ($(term_screen | grep -o 'Progress \[[0-9]*%\]' | head -1))"
term_wait "Discovered Access Points"
term_wait_gone "Progress ["
term_expect "Scan Rate: 1.0"
term_expect "│ #│ SSID│ MAC              │ Ch │ Signal│ Assoc│ Security│ Mode │"
term_expect "│ 1│ Atr…│ 00:1d:7e:c0:ff:ee│ 149│ -66   │      │ WPA2    │ Infra│"
term_expect "│ 3│ Hom…│ 00:1b:2f:10:20:30│ 6  │ -48   │ Yes  │ WPA2    │ Infra│"
step "access point list (cut SSIDs end in an ellipsis)"

# The read-only name edit and the scan rate take the focus, then the list; Enter opens a row whole.
term_keys Tab Tab Tab Down Down Enter
term_wait "AP Name:"
term_expect "SSID: HomeNet"
term_expect "MAC: 00:1b:2f:10:20:30"
term_expect "Assoc: Yes"
term_expect "Security: WPA2"
term_keys Escape
term_wait_gone "AP Name:"
term_expect "Adapter Results"
step "access point detail box"

# Supported adapters (Alt+N: the list still has the focus), then the results page.
term_keys M-n
term_wait "Congratulations!"
term_expect "Intel(R) Wireless WiFi Link 4965AGN"
term_keys Enter
term_wait "Post Results Back to Brellix (optional)"
term_expect "OS Version: 6.0.6002 (Service Pack 2)"
term_expect "│ Supported│ Name"
term_expect "<Optional>"
term_expect "identifiable information is included."
term_expect "Email*: <Optional>"
step "results page (whole texts)"

# Typing replaces the selected "<Optional>" of "Reported by" (the third tab stop).
term_keys Tab Tab Tab
term_keys -l "Ann"
term_wait "Ann"
term_expect_not "Reported    <Optional>"
step "typing over <Optional>"

# Posting goes through a proxy that refuses: the system's message, in a box; Enter closes it.
term_keys Enter
term_wait "Accessing Nimbrel web server failed"
term_expect "[   OK   ]"
term_keys Enter
term_wait_gone "Accessing Nimbrel web server failed"
term_expect "Post Results Back to Brellix (optional)"
step "message box"

# The failed post cleared the tick, so Next now goes on to the thank-you page.
term_expect "[ ] Post results to"
term_keys Enter
term_wait "[  Exit  ]"
term_expect "Thank You"
term_keys Enter
term_wait "exit status 0"
step "exit"

# A terminal smaller than the sheet asks to be enlarged, and redraws when it is.
term_start "$program" 60 20 "$machine"
term_wait "Please enlarge the terminal to at least 76x22 (it is 60x20)."
term_tmux resize-window -t wizard -x 80 -y 24
term_wait "Welcome to Brellix's Nimbrel Program."
term_keys Escape
term_wait "exit status 0"
step "too small terminal"

# Esc while the scans run cancels the test after the scan in progress.
start_scans 80 24
term_keys Escape
term_wait "Discovered Access Points"
term_wait_gone "Progress ["
term_expect "Adapter Results"
term_keys Escape
term_wait "exit status 0"
step "Esc cancels the scans"

# A resize to too small and back while the popup is up, keys typed meanwhile ignored, leaves a
# clean screen: the same as after Ctrl+L.
start_scans 80 24
term_tmux resize-window -t wizard -x 60 -y 20
term_wait "Please enlarge the terminal"
term_expect "Keys are ignored until then (Ctrl+L redraws)."
term_keys Escape M-n M-n
term_tmux resize-window -t wizard -x 80 -y 24
term_wait "Discovered Access Points"
term_wait_gone "Progress ["
term_expect "Scan Rate: 1.0"
before=$(term_screen)
term_keys C-l
sleep 0.5
[ "$before" = "$(term_screen)" ] || term_fail "the screen after the resizes was not clean"
term_keys Escape
term_wait "exit status 0"
step "resize during the scans"

# A 120 x 40 terminal shows a larger sheet: SSIDs whole in their column, the texts whole.
start_scans 120 40
term_wait "Discovered Access Points"
term_wait_gone "Progress ["
term_expect "│ Atrium  │ 00:1d:7e:c0:ff:ee│"
term_expect "│ HomeNet │ 00:1b:2f:10:20:30│"
term_keys Enter
term_wait "Congratulations!"
term_keys Enter
term_wait "Post Results Back to Brellix (optional)"
term_expect "No personally identifiable information is included."
term_expect "Email*:"
term_expect "Reported by*:"
term_keys Escape
term_wait "exit status 0"
step "120 x 40 terminal"

# A rich machine (six access points, an SSID holding "|", access points with names of their own)
# at both sizes: its first adapter tested, then the detail boxes of two rows, each SSID whole.
vista="$here/../../platform/sim/machines/vista.json"
walk_to_details() {
    term_start "$program" "$1" "$2" "$vista"
    term_wait "Press Next to Continue"
    term_keys Enter Enter
    term_wait "[x] Dell Wireless 1390 WLAN Mini-Card"
    term_keys Tab Down Space
    term_wait "[ ] Dell Wireless 1390 WLAN Mini-Card"
    term_keys Enter
    term_wait "Discovered Access Points"
    term_wait_gone "Progress ["
    term_wait "$3"
    term_keys Tab Tab Tab Down Down Down Enter
    term_wait "AP Name:"
    term_expect "SSID: Cafe|Guest "
    term_expect "MAC: 00:0f:66:aa:01:02"
    term_keys Escape
    term_wait_gone "AP Name:"
    term_keys Up Up Up Enter
    term_wait "AP Name: Upstairs"
    term_expect "SSID: HomeNet "
    term_keys Escape
    term_wait_gone "AP Name:"
    term_keys Escape
    term_wait "exit status 0"
}
walk_to_details 80 24 "│ 4│ Caf…│ 00:0f:66:aa:01:02│"
step "detail boxes on a rich machine at 80 x 24 (a cut SSID whole in its box)"
walk_to_details 120 40 "│ 4│ Cafe|Guest         │ 00:0f:66:aa:01:02│"
step "detail boxes on a rich machine at 120 x 40"

# An adapter name longer than every field that shows it, at 80 x 24: its start in the list (cut
# with an ellipsis), its end in the adapter page's name edit after End, and whole, wrapped, in the
# results' detail box.
term_start "$program" 80 24 "$here/long_names.json"
term_wait "Press Next to Continue"
term_keys Enter Enter
term_wait "[x] Carte réseau sans fil Qualcomm Atheros AR9485WB-EG (…"
term_keys Enter
term_wait "Discovered Access Points"
term_wait_gone "Progress ["
term_keys Tab End
term_wait "Name: /g/n, PCI Express, 2×2 MIMO, 150 Mbit/s) – Virtual WiFi"
term_keys M-n
term_wait "Congratulations!"
term_keys Enter
term_wait "Post Results Back to Brellix (optional)"
term_keys Tab Tab Enter
term_wait "Name: Carte réseau sans fil Qualcomm Atheros AR9485WB-EG (802.11"
term_expect "  b/g/n, PCI Express, 2×2 MIMO, 150 Mbit/s) – Virtual WiFi"
term_keys Escape Escape
term_wait "exit status 0"
step "a long adapter name read whole (scrolled edit, wrapped detail box)"

# The troubleshooting tips at 80 x 24: every tip whole, a blank after each number.
term_start "$program" 80 24 "$machine"
term_wait "Press Next to Continue"
term_keys Enter Enter
term_wait "[x] Intel"
term_keys Tab Space Enter
term_wait "No Adapter Selected"
term_keys Enter
term_wait "No Supported Adapters Found"
term_expect "(XP only)"
term_expect "1. Make sure"
term_expect "5. Install the latest drivers"
term_keys Escape
term_wait "exit status 0"
step "troubleshooting tips whole"
