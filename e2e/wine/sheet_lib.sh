# Sourced after wine_env.sh by the tests that drive the real Nimbrel.exe: find its sheet, give it the
# keyboard, and read what it shows through window_probe.exe (the sheet's caption and one line per
# visible control: "class|id|enabled|text").
# shellcheck shell=bash

readonly NIMBREL_CAPTION="Brellix Nimbrel"
# The window the helpers below look for: the program's sheet unless a test names another (the installer).
NIMBREL_WINDOW_CAPTION=${NIMBREL_WINDOW_CAPTION:-$NIMBREL_CAPTION}
# The sheet's own buttons (comctl32's control ids): Back, Next, Finish.
readonly NIMBREL_BACK=12323 NIMBREL_NEXT=12324 NIMBREL_FINISH=12325
NIMBREL_SEEN=$NIMBREL_WINE_TMP/probe.txt

# nimbrel_sheet_shows <probe.exe> <seconds> <line>...: waits until the sheet's visible windows include
# every line given (fixed strings, each a whole line or part of one); prints what it saw when not.
nimbrel_sheet_shows() {
    local probe=$1 deadline=$((SECONDS + $2)) line missing
    shift 2
    while :; do
        missing=
        if nimbrel_wine 20 "$probe" "$NIMBREL_WINDOW_CAPTION" >"$NIMBREL_SEEN" 2>/dev/null; then
            for line in "$@"; do grep -qF -- "$line" "$NIMBREL_SEEN" || missing=$line; done
            [ -z "$missing" ] && return 0
        else
            missing="the window \"$NIMBREL_WINDOW_CAPTION\""
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "  missing: $missing; shown:" >&2
            sed 's/^/    /' "$NIMBREL_SEEN" >&2
            return 1
        fi
        sleep 0.3
    done
}

# nimbrel_sheet_window: the sheet's X window (Wine gives each top-level window one) once it exists,
# within 15 s.
nimbrel_sheet_window() {
    local wid
    for _ in $(seq 60); do
        wid=$(xdotool search --name "^$NIMBREL_WINDOW_CAPTION\$" 2>/dev/null | head -1 || true)
        [ -n "$wid" ] && { echo "$wid"; return 0; }
        sleep 0.25
    done
    return 1
}

# nimbrel_sheet_focus <X window>: keys go where the pointer clicked last, so click its caption bar.
nimbrel_sheet_focus() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + 60)) $((Y + 8)) click 1
}

# The welcome page as it shows first: its heading, Back disabled, Next enabled.
nimbrel_welcome_lines=("Welcome to Brellix's Nimbrel Program." "Button|$NIMBREL_BACK|0|" "Button|$NIMBREL_NEXT|1|")
