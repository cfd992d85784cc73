#!/usr/bin/env bash
# The real Nimbrel.exe under Wine, walked from outside by the UI driver as a user would, over the
# substitute wlanapi.dll (beside the program; machine file from NIMBREL_WLAN_MACHINE):
#   1. two interfaces, one hearing nothing: adapters listed and ticked, help windows, both tests with
#      the popup reaching "Progress [100%]", verdicts, scan rates, sorted access points, results,
#      the report through the user's proxy byte for byte, the web button, the popup position saved;
#   2. one interface with a rich BSS list: the saved position honoured, Esc after the first scan,
#      every access-point rule of the list, no report when the box is cleared;
#   3. no adapter ticked, then only the one that hears nothing: the select-one and the
#      troubleshooting pages and their help;
#   4. the help file removed: the help failure message;
#   5. a missing and a broken machine file: no adapters, no crash;
#   6. scans refused for want of the location: the Yes/No box once per run, Yes hands the Location
#      settings to the "ms-settings" handler, No hands over nothing, a 1167 failure stays silent.
# Screenshots of every page go to $NIMBREL_SCREENSHOT_DIR (<template>-<name>.png) when it is set.
#   real_walk_test.sh [build dir]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export NIMBREL_BUILD="$(realpath "${1:-$here/../../build/windows}")"
[ -f "$NIMBREL_BUILD/Nimbrel.exe" ] || { echo "no $NIMBREL_BUILD/Nimbrel.exe" >&2; exit 1; }
. "$here/wine_env.sh"
. "$here/program_env.sh"
trap 'nimbrel_stop_proxy; nimbrel_wine_cleanup' EXIT
machines=$NIMBREL_ROOT/e2e/machines
tab=$'\t'
help_failed='Loading online help failed.  You may need to re-install the product.'
vendor_url='http://www.brellix.example/'

nimbrel_install_program
nimbrel_start_proxy
rm -f "$NIMBREL_CAPTIONS" "$NIMBREL_PROFILE"

# expect_rate <what> <seconds per scan shown> <scan ms of the machine>: a measured rate lies
# between the machine's scan time and a little more (the wait, the list, Wine's overhead).
expect_rate() {
    awk -v r="$2" -v ms="$3" 'BEGIN { exit !(r ~ /^[0-9]+\.[0-9]$/ && r >= ms / 1000 && r <= ms / 1000 + 0.5) }' ||
        fail "$1: scan rate \"$2\" for scans of $3 ms"
}
# The value of one line "<word> <id> <value>" of the driver's output.
value_of() { sed -n "s/^$1 $2 //p" <<<"$3"; }
# The popup's captions recorded since the given line of the hook's log.
popup_captions_since() {
    tail -n "+$(($1 + 1))" "$NIMBREL_CAPTIONS" 2>/dev/null | grep -a "^Nimbrel.exe$tab" | cut -f3 | tr -d '\r' |
        grep '^Progress' || true
}
caption_lines() { if [ -f "$NIMBREL_CAPTIONS" ]; then wc -l <"$NIMBREL_CAPTIONS"; else echo 0; fi; }
profile_position() {
    tr -d '\r' <"$NIMBREL_PROFILE" 2>/dev/null | sed -n 's/^ProgWnd\([XY]\)=\(.*\)$/\1 \2/p' | tr '\n' ' '
}

# ---- 1. Two interfaces, one of which hears nothing.
wlan_log="$NIMBREL_WINE_TMP/wlanapi.log"
export NIMBREL_WLAN_LOG="$(winpath "$wlan_log")"
nimbrel_start "$machines/vista_two_interfaces.json"
out="$(drive "page 30000 104" buttons "press help" "helpwindow 10000" "no-msgbox 1000" close-help)"
expect "welcome" "page 104
button back enabled=0 visible=1 < &Back
button next enabled=1 visible=1 &Next >
button finish enabled=0 visible=0 Finish
button cancel enabled=1 visible=1 Cancel
button help enabled=1 visible=1 Help
helpwindow
no-msgbox" "$out"
shot 104-welcome

out="$(drive "press next" "page 5000 105" "click 1011" "helpwindow 10000" "no-msgbox 1000" close-help \
    "press help" "helpwindow 10000" "no-msgbox 1000" close-help)"
expect "instructions and their help" "page 105
helpwindow
no-msgbox
helpwindow
no-msgbox" "$out"
shot 105-intro

out="$(drive "press next" "page 30000 108" "checklist 1010" "checklist 1004")"
expect "adapter list" "page 108
item 0 1 Intel(R) Wireless WiFi Link 4965AGN
item 1 1 Dell Wireless 1390 WLAN Mini-Card" "$out"
shot 108-list

# Both tests run to the end: four steps of the popup each, the position saved when it closes.
from=$(caption_lines)
# The popup during the first scan, on the whole desktop (the driver keeps its hook meanwhile).
if [ -n "${NIMBREL_SCREENSHOT_DIR:-}" ]; then
    (sleep 4 && shot_desktop progress-window) &
    popup_shot=$!
fi
out="$(drive hook "press next" "popup 10000" popup-rect "popup-gone 60000" "page 10000 109" \
    "text 1014" "text 1015" "text 1017" "listview 1019")"
[ -z "${popup_shot:-}" ] || wait "$popup_shot"
read -r _ popup_x popup_y <<<"$(grep '^popup-rect' <<<"$out")"
rate_intel=$(value_of text 1017 "$out")
expect_rate "Intel" "$rate_intel" 2400
expect "first adapter" "hook
popup
popup-rect $popup_x $popup_y
popup-gone
page 109
text 1014 Intel(R) Wireless WiFi Link 4965AGN
text 1015  Yes 
text 1017 $rate_intel
columns$tab#${tab}SSID${tab}MAC${tab}Ch${tab}Signal${tab}Assoc${tab}Security${tab}Mode
row${tab}1${tab}HomeNet${tab}00:1b:2f:10:20:30${tab}6${tab}-48${tab}Yes${tab}WPA2${tab}Infra
row${tab}2${tab}Warehouse${tab}00:40:96:12:34:56${tab}36${tab}-83${tab}${tab}WEP${tab}Infra
row${tab}3${tab}Atrium${tab}00:1d:7e:c0:ff:ee${tab}149${tab}-66${tab}${tab}WPA2${tab}Infra
row${tab}4${tab}Cafe|Guest${tab}00:0f:66:aa:01:02${tab}1${tab}-71${tab}${tab}Clear${tab}Infra
row${tab}5${tab}LaptopShare${tab}02:21:5c:0a:0b:0c${tab}6${tab}-58${tab}${tab}Clear${tab}Ad hoc
row${tab}6${tab}OldOffice${tab}00:13:10:45:67:89${tab}11${tab}-77${tab}${tab}WPA${tab}Infra" "$out"
shot 109-adapter

# The second interface is disconnected (its connection query answers 5023) and hears nothing.
out="$(drive hook "press next" "popup 10000" popup-rect "popup-gone 60000" "page 10000 109" \
    "text 1014" "text 1015" "text 1017" "listview 1019")"
rate_dell=$(value_of text 1017 "$out")
expect_rate "Dell" "$rate_dell" 1800
expect "second adapter" "hook
popup
popup-rect $popup_x $popup_y
popup-gone
page 109
text 1014 Dell Wireless 1390 WLAN Mini-Card
text 1015  No 
text 1017 $rate_dell
columns$tab#${tab}SSID${tab}MAC${tab}Ch${tab}Signal${tab}Assoc${tab}Security${tab}Mode" "$out"
shot 109-adapter-none
expect "popup captions of both tests" "Progress [25%]
Progress [50%]
Progress [75%]
Progress [100%]
Progress [25%]
Progress [50%]
Progress [75%]
Progress [100%]" "$(popup_captions_since "$from")"
expect "popup position saved" "X $popup_x Y $popup_y " "$(profile_position)"

out="$(drive "press next" "page 10000 110" "checklist 1003")"
expect "supported adapters" "page 110
item 0 0 Intel(R) Wireless WiFi Link 4965AGN" "$out"
shot 110-supported

out="$(drive "press next" "page 10000 111" "text 1007" "text 1005" "text 1006" "checked 1009" "listview 1020")"
os=$(value_of text 1007 "$out")
[ -n "$os" ] || fail "no OS version on the results page"
expect "results page" "page 111
text 1007 $os
text 1005 <Optional>
text 1006 <Optional>
checked 1009 1
columns${tab}Supported${tab}Name${tab}Scan Rate${tab}Max dBm${tab}Min dBm
row${tab}Yes${tab}Intel(R) Wireless WiFi Link 4965AGN${tab}$rate_intel${tab}-48${tab}-83
row${tab}No${tab}Dell Wireless 1390 WLAN Mini-Card${tab}$rate_dell${tab}${tab}" "$out"
shot 111-post

out="$(drive "press next" "page 30000 112" "no-msgbox 500" "text 1002")"
expect "thank-you page" "page 112
no-msgbox
text 1002 www.brellix.example" "$out"
escape() { python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' "$1"; }
expect "the report through the proxy" \
    "GET ${vendor_url}nimbrel3.php?os=$(escape "$os")&by=&e=&a=Y|$(escape 'Intel(R) Wireless WiFi Link 4965AGN')|$rate_intel|-48|-83&a=N|$(escape 'Dell Wireless 1390 WLAN Mini-Card')|$rate_dell|| HTTP/1.1" \
    "$(cat "$NIMBREL_REQUESTS")"
shot 112-thank-you

out="$(drive "click 1002" "no-msgbox 2000" buttons)"
for _ in $(seq 50); do [ -s "$NIMBREL_BROWSER_LOG" ] && break; sleep 0.1; done
expect "the browser handed the vendor's address" "$vendor_url" "$(tr -d '\r' <"$NIMBREL_BROWSER_LOG" 2>/dev/null)"
grep -qx 'button finish enabled=1 visible=1 Exit' <<<"$out" || fail "no Exit button: $out"
out="$(drive "press finish" "gone 10000")"
expect "Exit" "gone" "$out"
nimbrel_wait_exit
expect "exit status after Exit" 0 "$NIMBREL_RC"
# The program frees wlanapi.dll after discovery and after each adapter test, and it really goes.
expect "wlanapi.dll unloaded each time" "$(printf 'attach\ndetach\n%.0s' 1 2 3)" "$(tr -d '\r' <"$wlan_log")"
unset NIMBREL_WLAN_LOG
echo "ok: two interfaces, report and web address"

# ---- 2. One interface hearing a rich list; the popup opens where the profile says; Esc while the
# first scan runs (the thread blocked in it), so that scan completes and counts. A cancelled popup
# does not save its position.
sed -i 's/^ProgWndX=.*/ProgWndX=37\r/; s/^ProgWndY=.*/ProgWndY=41\r/' "$NIMBREL_PROFILE"
requests_before=$(wc -l <"$NIMBREL_REQUESTS")
nimbrel_start "$machines/wlan_one_interface.json"
out="$(drive "page 30000 104" "press next" "page 5000 105" "press next" "page 30000 108" "checklist 1010" \
    "checklist 1004")"
expect "one adapter listed" "page 104
page 105
page 108
item 0 1 Atheros AR9285 Wireless Network Adapter" "$out"
from=$(caption_lines)
out="$(drive hook "press next" "popup 10000" popup-rect "popup-text 10000 \\nScan #1..." "popup-busy 5000" \
    "popup-key esc" "popup-gone 30000" "page 10000 109" "text 1014" "text 1015" "text 1017" "listview 1019")"
rate=$(value_of text 1017 "$out")
expect_rate "Atheros, one scan" "$rate" 1500
expect "rich access point list" "hook
popup
popup-rect 37 41
popup-text Atheros AR9285 Wireless Network Adapter\\nScan #1...
popup-busy
popup-gone
page 109
text 1014 Atheros AR9285 Wireless Network Adapter
text 1015  Yes 
text 1017 $rate
columns$tab#${tab}SSID${tab}MAC${tab}Ch${tab}Signal${tab}Assoc${tab}Security${tab}Mode
row${tab}1${tab}Plenwick-Lab${tab}00:1b:2f:aa:00:01${tab}11${tab}-41${tab}Yes${tab}WPA2${tab}Infra
row${tab}2${tab}Warehouse${tab}00:40:96:12:34:56${tab}36${tab}-83${tab}${tab}WEP${tab}Infra
row${tab}3${tab}${tab}00:11:22:33:44:55${tab}3${tab}-80${tab}${tab}WEP${tab}Infra
row${tab}4${tab}Cafe|Guest${tab}00:0f:66:aa:01:02${tab}1${tab}-71${tab}${tab}Clear${tab}Infra
row${tab}5${tab}HomeNet${tab}00:1d:7e:00:00:01${tab}4${tab}-64${tab}${tab}WPA2${tab}Infra
row${tab}6${tab}homenet${tab}00:1d:7e:00:00:02${tab}4${tab}-62${tab}${tab}WPA2${tab}Infra
row${tab}7${tab}LaptopShare${tab}02:21:5c:0a:0b:0c${tab}6${tab}-58${tab}${tab}Clear${tab}Ad hoc
row${tab}8${tab}OldOffice${tab}00:13:10:45:67:89${tab}11${tab}-77${tab}${tab}WPA${tab}Infra
row${tab}9${tab}Plenwick-Lab${tab}00:1b:2f:aa:00:01${tab}6${tab}-70${tab}${tab}WPA2${tab}Infra
row${tab}10${tab}Roof${tab}00:1d:7e:c0:ff:ee${tab}165${tab}-66${tab}${tab}WPA2${tab}Infra" "$out"
shot 109-adapter-rich
expect "Esc after the first scan: the popup closed at its second step" "Progress [25%]
Progress [50%]" "$(popup_captions_since "$from")"
expect "a cancelled popup keeps the saved position" "X 37 Y 41 " "$(profile_position)"

out="$(drive "press next" "page 10000 110" "press next" "page 10000 111" "click 1009" "checked 1009" "press next" \
    "page 10000 112" "press back" "page 10000 111" "checked 1009" "press next" "page 10000 112" "press finish" \
    "gone 10000")"
expect "no report with the box cleared" "page 110
page 111
checked 1009 0
page 112
page 111
checked 1009 0
page 112
gone" "$out"
nimbrel_wait_exit
expect "exit status" 0 "$NIMBREL_RC"
expect "nothing sent" "$requests_before" "$(wc -l <"$NIMBREL_REQUESTS")"
echo "ok: rich access point list, saved position, Esc after the first scan"

# ---- 3. Nothing ticked, then only the adapter that hears nothing.
nimbrel_start "$machines/vista_two_interfaces.json"
out="$(drive "page 30000 104" "press next" "page 5000 105" "press next" "page 30000 108" "tick 1010 0" \
    "tick 1010 1" "checklist 1010" "press next" "page 10000 115")"
expect "no adapter ticked" "page 104
page 105
page 108
item 0 0 Intel(R) Wireless WiFi Link 4965AGN
item 1 0 Dell Wireless 1390 WLAN Mini-Card
page 115" "$out"
shot 115-select-one
out="$(drive "press back" "page 10000 108" "tick 1010 1" "press next" "popup 10000" "popup-gone 60000" \
    "page 10000 109" "text 1014" "press next" "page 10000 114" "click 1018" "helpwindow 10000" "no-msgbox 1000" \
    close-help "press help" "helpwindow 10000" "no-msgbox 1000" close-help)"
expect "nothing supported" "page 108
popup
popup-gone
page 109
text 1014 Dell Wireless 1390 WLAN Mini-Card
page 114
helpwindow
no-msgbox
helpwindow
no-msgbox" "$out"
shot 114-none-supported
out="$(drive "press next" "page 10000 111" "click 1009" "press next" "page 10000 112" "press finish" "gone 10000")"
expect "on to the end" "page 111
page 112
gone" "$out"
nimbrel_wait_exit
expect "exit status" 0 "$NIMBREL_RC"
echo "ok: select-one and troubleshooting pages"

# ---- 4. Without the help file the sheet's and the page's Help say so.
rm "$NIMBREL_INSTALL/Tolvane.chm"
nimbrel_start "$machines/vista_two_interfaces.json"
out="$(drive "page 30000 104" "press help" "msgbox 10000")"
expect "help file missing" "page 104
msgbox Brellix Nimbrel$tab$help_failed" "$out"
shot_desktop message-box
out="$(drive msgbox-ok "press next" "page 5000 105" "click 1011" "msgbox 10000" msgbox-ok "press cancel" "gone 10000")"
expect "page help without the file" "page 105
msgbox Brellix Nimbrel$tab$help_failed
gone" "$out"
nimbrel_wait_exit
expect "exit status" 0 "$NIMBREL_RC"
cp "$NIMBREL_BUILD/Tolvane.chm" "$NIMBREL_INSTALL/"
echo "ok: help file missing"

# ---- 5. A machine file that is missing or broken: WlanOpenHandle fails, no adapters, no crash.
broken=$NIMBREL_WINE_TMP/broken.json
printf '{ "wlan": { "interfaces": [ { "guid": 12 } ] }' >"$broken"
for machine in "$NIMBREL_WINE_TMP/missing.json" "$broken"; do
    nimbrel_start "$machine"
    out="$(drive "page 30000 104" "press next" "page 5000 105" "press next" "page 30000 113" "no-msgbox 500")"
    expect "no adapters ($(basename "$machine"))" "page 104
page 105
page 113
no-msgbox" "$out"
    shot 113-none-found
    out="$(drive "press next" "page 10000 112" "press finish" "gone 10000")"
    expect "to the end ($(basename "$machine"))" "page 112
gone" "$out"
    nimbrel_wait_exit
    expect "exit status ($(basename "$machine"))" 0 "$NIMBREL_RC"
done
echo "ok: missing and broken machine files"

# ---- 6. Location not allowed to desktop programs: WlanScan answers ERROR_ACCESS_DENIED for the first
# interface, 1167 for the second.
location_text='Windows did not allow Nimbrel to scan for wireless networks.  Turn on Location services and "Let desktop apps access your location" in Settings > Privacy & security > Location, then press Back and Next to test the adapter again.  Open the Location settings now?'
rm -f "$NIMBREL_SETTINGS_LOG"
nimbrel_start "$machines/location_denied.json"
out="$(drive "page 30000 104" "press next" "page 5000 105" "press next" "page 30000 108" "checklist 1010" \
    "press next" "msgbox 60000")"
expect "the location box after the first test" "page 104
page 105
page 108
item 0 1 Realtek RTL8852BE WiFi 6 802.11ax PCIe Adapter
item 1 1 USB Wireless LAN Stick
msgbox Brellix Nimbrel$tab$location_text" "$out"
shot_desktop location-box
out="$(drive msgbox-yes "page 10000 109" "no-msgbox 1000" "text 1014" "text 1015" "text 1017" "listview 1019")"
expect "judged as any failed scan" "page 109
no-msgbox
text 1014 Realtek RTL8852BE WiFi 6 802.11ax PCIe Adapter
text 1015  No 
text 1017 
columns$tab#${tab}SSID${tab}MAC${tab}Ch${tab}Signal${tab}Assoc${tab}Security${tab}Mode" "$out"
shot 109-adapter-location-denied
for _ in $(seq 50); do [ -s "$NIMBREL_SETTINGS_LOG" ] && break; sleep 0.1; done
expect "Yes opened the Location settings" "ms-settings:privacy-location" "$(tr -d '\r' <"$NIMBREL_SETTINGS_LOG" 2>/dev/null)"
# The second adapter's scan fails otherwise: silent. Back to the list and Next: no second box.
out="$(drive "press next" "page 10000 109" "no-msgbox 3000" "text 1014" "text 1015" "press back" "page 10000 109" \
    "press back" "page 10000 108" "press next" "page 10000 109" "no-msgbox 3000" "text 1015" "press cancel" \
    "gone 10000")"
expect "once per run" "page 109
no-msgbox
text 1014 USB Wireless LAN Stick
text 1015  No 
page 109
page 108
page 109
no-msgbox
text 1015  No 
gone" "$out"
nimbrel_wait_exit
expect "exit status" 0 "$NIMBREL_RC"
# A new run asks again; No hands nothing over.
nimbrel_start "$machines/location_denied.json"
out="$(drive "page 30000 104" "press next" "page 5000 105" "press next" "page 30000 108" "tick 1010 1" \
    "press next" "msgbox 60000" msgbox-no "page 10000 109" "no-msgbox 1000" "text 1015" "press cancel" "gone 10000")"
expect "No opens nothing" "page 104
page 105
page 108
msgbox Brellix Nimbrel$tab$location_text
page 109
no-msgbox
text 1015  No 
gone" "$out"
nimbrel_wait_exit
expect "exit status" 0 "$NIMBREL_RC"
sleep 1
expect "nothing more handed to the settings" "ms-settings:privacy-location" \
    "$(tr -d '\r' <"$NIMBREL_SETTINGS_LOG" 2>/dev/null)"
echo "ok: location not allowed"
echo "real program walk: PASS"
