#!/usr/bin/env bash
# The UI driver against its own target under Wine: finding the sheet, pages by template, sheet
# buttons, texts, check-list ticks (item data) and space, list-view cells across processes, a
# message box, the popup's Esc and its captions caught by the hook, bounded waits that fail.
#   driver_test.sh <e2e-wine dir>
set -euo pipefail
dir="$(realpath "$1")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine_env.sh"
fail() { echo "FAIL: $*"; exit 1; }
drive() { nimbrel_wine 60 "$dir/ui_driver.exe" "sheet 20000 Driver Target" "$@" | tr -d '\r' | sed '/^sheet /d'; }
expect() { # expect <what> <expected lines> <actual lines>
    [ "$2" = "$3" ] || { printf 'FAIL: %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"; exit 1; }
}
tab=$'\t'

rm -f "$dir/caption_hook.dll.log"
nimbrel_wine 120 "$dir/driver_target.exe" >"$NIMBREL_WINE_TMP/target.out" 2>/dev/null &
target=$!

out="$(drive "page 10000 201" buttons "text 1014" "enabled 1011" "enabled 1012" "checklist 1008" \
    "tick 1008 0" "tick 1008 1" "tick 1008 1" "tick 1008 1" "checklist 1008" "listview 1019")"
expect "first page" "page 201
button back enabled=1 visible=1 < &Back
button next enabled=1 visible=1 &Next >
button finish enabled=0 visible=0 Finish
button cancel enabled=1 visible=1 Cancel
button help enabled=1 visible=1 Help
text 1014 Edit text
enabled 1011 1
enabled 1012 0
item 0 1 Ticked adapter
item 1 0 Unticked adapter
item 0 0 Ticked adapter
item 1 1 Unticked adapter
columns$tab#${tab}SSID${tab}Ch
row${tab}1${tab}Cafe|Guest${tab}11
row${tab}2$tab${tab}6" "$out"

out="$(drive "click 1011" "msgbox 5000" msgbox-ok "no-msgbox 500" "press help")"
expect "message box" "msgbox Target${tab}Target message.
no-msgbox" "$out"

# The popup's four captions are recorded even though the last one lives only for an instant.
out="$(drive hook "press next" "page 5000 202" "click 1013" "popup 5000" popup-rect "popup-gone 10000")"
expect "popup" "hook
page 202
popup
popup-rect 37 41
popup-gone" "$out"
captions="$(grep -a "^driver_target.exe${tab}DriverTargetPopup" "$dir/caption_hook.dll.log" | cut -f3 | tr -d '\r')"
expect "captions" "Progress [25%]
Progress [50%]
Progress [75%]
Progress [100%]" "$captions"

out="$(drive "click 1013" "popup 5000" "popup-text 5000 #1..." "popup-busy 5000" "popup-key esc" "popup-gone 10000")"
grep -qx 'popup-text Step\\n#1...' <<<"$out" || fail "popup text: $out"

# A bounded wait that does not come true fails with status 1 and says what it waited for.
status=0
out="$(drive "page 300 999")" || status=$?
[ "$status" = 1 ] && grep -q '^FAIL: page 300 999: page 999 not shown (showing 202)' <<<"$out" ||
    fail "a failed wait gave status $status: $out"

drive "press finish" "gone 5000" >/dev/null
wait "$target" || fail "target exited $?"
expect "target's account" "target: popup completed
target: popup cancelled
target: result 1 ticks 0 1 help 1" "$(tr -d '\r' <"$NIMBREL_WINE_TMP/target.out")"
echo "ui driver: PASS"
