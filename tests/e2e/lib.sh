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

# The database file that KZ000.INI names.
db_file() {
    local ini=$WINDIR/KZ000.INI
    echo "$(grep -i '^DBPath=' "$ini" | cut -d= -f2- | tr -d '\r')$(grep -i '^DBName=' "$ini" | cut -d= -f2- | tr -d '\r')"
}

# start_kz947: the host window, then KZ947 and its main window; sets KZ (its pid) and
# MAIN (the main window's id).
start_kz947() {
    start "$BIN/integrador"
    wait_window "ZAV" >/dev/null
    start "$BIN/KZ947"
    KZ=$LAST
    MAIN=$(wait_window "0947 Morvath - v 1.6")
}

# new_declaration: Declaración > Nueva from the main window; sets DECL (the declaration
# window's id), whose taxpayer list has the focus.
new_declaration() {
    xdotool windowfocus --sync "$MAIN" key --clearmodifiers alt+d
    sleep 0.3
    xdotool key --clearmodifiers n
    DECL=$(wait_window "0947 Morvath")
    sleep 0.5
}

"$BIN/integrador" init "$T/host" --demo >/dev/null
