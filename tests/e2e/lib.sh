# Shared steps of the end-to-end scripts. Each script gets the build folder as $1.
set -euo pipefail
BUILD=$1
BIN=$BUILD/bin
T=$(mktemp -d)
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$T"
}
trap cleanup EXIT
export WINDIR=$T/windows XDG_RUNTIME_DIR=$T/run ZAV_MSGBOX_LOG=$T/msgbox.log
mkdir -p "$WINDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
: > "$ZAV_MSGBOX_LOG"

fail() { echo "FAIL: $*" >&2; echo "--- message boxes:" >&2; cat "$ZAV_MSGBOX_LOG" >&2; exit 1; }

start() { "$@" & PIDS+=($!); LAST=$!; }

# wait_log LINE: a message box with exactly this "style|title|text" was shown.
wait_log() {
    for _ in $(seq 100); do
        grep -qxF -- "$1" "$ZAV_MSGBOX_LOG" && return 0
        sleep 0.1
    done
    fail "no message box: $1"
}

# wait_window TITLE: a window whose caption is exactly TITLE is mapped; prints its id.
wait_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window: $1"
}

# dismiss TITLE: press Enter in the message box captioned TITLE.
dismiss() {
    local id
    id=$(wait_window "$1")
    xdotool windowfocus --sync "$id" key --clearmodifiers Return
}

# wait_exit PID: the process ends within ten seconds.
wait_exit() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "process $1 still running"
}

"$BIN/integrador" init "$T/host" --demo >/dev/null
