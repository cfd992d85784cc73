# Drives the real program in a tmux pseudo-terminal: start it at a size, send keys, wait (bounded) for
# text on the screen, read the screen. Sourced by the terminal tests and tools/capture_screens.sh.
#   term_start PROGRAM COLS ROWS [MACHINE_FILE]    term_keys KEY...    term_wait TEXT    term_screen
# Every session runs on a private tmux server with its own HOME, so nothing the user has is touched.

TERM_TIMEOUT=${TERM_TIMEOUT:-30}
term_dir=$(mktemp -d)
term_socket="$term_dir/tmux.sock"
trap 'tmux -S "$term_socket" kill-server 2>/dev/null; rm -rf "$term_dir"' EXIT

term_tmux() { tmux -S "$term_socket" "$@"; }

# Ends the running session and waits until its server is gone: a session started while the old
# server is still exiting connects to it and fails ("server exited unexpectedly").
term_stop() {
    term_tmux kill-server 2>/dev/null || true
    local deadline=$((SECONDS + TERM_TIMEOUT))
    while term_tmux has-session 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || { echo "FAIL: the previous tmux server does not end"; exit 1; }
        sleep 0.1
    done
}

term_start() {
    local program=$1 cols=$2 rows=$3 machine=${4:-}
    term_stop
    mkdir -p "$term_dir/home"
    # The server just killed may still be going away: a new one on its socket is tried again.
    local try
    for try in 1 2 3 4 5; do
        term_tmux -f /dev/null new-session -d -s wizard -x "$cols" -y "$rows" \
            "env HOME='$term_dir/home' LANG=C.UTF-8 NIMBREL_MACHINE='$machine' '$program'; echo \"exit status \$?\"; sleep 600" \
            2>/dev/null && break
        [ "$try" -lt 5 ] || term_fail "tmux would not start"
        sleep 0.2
    done
    term_tmux set-option -t wizard status off >/dev/null
}

term_screen() { term_tmux capture-pane -p -t wizard; }

term_keys() { term_tmux send-keys -t wizard "$@"; }

term_fail() {
    echo "FAIL: $*"
    echo "--- screen ---"
    term_screen
    exit 1
}

# Waits until the screen shows the text (a fixed string), at most TERM_TIMEOUT seconds.
term_wait() {
    local deadline=$((SECONDS + TERM_TIMEOUT))
    while ! term_screen | grep -qF -- "$1"; do
        [ $SECONDS -lt $deadline ] || term_fail "no \"$1\" on the screen after ${TERM_TIMEOUT}s"
        sleep 0.1
    done
}

# Waits until the text has gone from the screen.
term_wait_gone() {
    local deadline=$((SECONDS + TERM_TIMEOUT))
    while term_screen | grep -qF -- "$1"; do
        [ $SECONDS -lt $deadline ] || term_fail "\"$1\" still on the screen after ${TERM_TIMEOUT}s"
        sleep 0.1
    done
}

term_expect() { term_screen | grep -qF -- "$1" || term_fail "expected \"$1\" on the screen"; }
term_expect_not() { ! term_screen | grep -qF -- "$1" || term_fail "did not expect \"$1\" on the screen"; }
