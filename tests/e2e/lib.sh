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

# keys KEY...: each key pressed in the focused window, one at a time.
keys() {
    local k
    for k in "$@"; do
        xdotool key --clearmodifiers "$k"
        sleep 0.2
    done
}

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

# decl_shown: how many declaration windows are on screen; wait_decl_closed: until none is.
decl_shown() { xdotool search --onlyvisible --name '^0947 Morvath$' 2>/dev/null | wc -l; }
wait_decl_closed() {
    for _ in $(seq 50); do
        [ "$(decl_shown)" -eq 0 ] && return 0
        sleep 0.1
    done
    fail "the declaration window is still open"
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
# menu MENU ITEM: from the main window, the menu of Alt+MENU, then its entry ITEM.
menu() {
    xdotool windowfocus --sync "$MAIN" key --clearmodifiers "alt+$1"
    sleep 0.3
    xdotool key --clearmodifiers "$2"
}

new_declaration() {
    menu d n
    DECL=$(wait_window "0947 Morvath")
    sleep 0.5
}

# store_declaration RUC PERIOD [BOX=VALUE...]: a complete stored declaration of a general
# regime taxpayer written straight into the database, with the given boxes besides.
store_declaration() {
    python3 - "$(db_file)" "$@" <<'PY'
import sqlite3, sys
db, ruc, periodo = sys.argv[1:4]
extra = [a.split("=", 1) for a in sys.argv[4:]]
c = sqlite3.connect(db)
c.execute("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, fec_pro, estado, rectifica, cNumero) "
          "VALUES (6, ?, ?, '0947', 0, '15/05/2014', 0, '0', '1')", (ruc, periodo))
for casilla, valor in [("028", "4411223"), ("056", "4"), ("500", "1000"), ("605", "0"), ("606", "0"),
                       ("607", "0"), ("608", "0"), ("813", "0")] + extra:
    c.execute("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, idcasilla, "
              "cNumero) VALUES (6, ?, ?, '0947', 0, ?, ?, '01', '1')", (ruc, periodo, casilla, valor))
c.commit()
PY
}

"$BIN/integrador" init "$T/host" --demo >/dev/null
