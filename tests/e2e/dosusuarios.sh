# Two users' KZ947 on one database, each with its own runtime folder, on one stored
# declaration with three loss years: A adds a year, B adds another and saves, A leaves
# with Salir, No. B's declaration keeps its rows, box 662 counts them and the checker
# passes it; A's unsaved year never reached the table. After Salir the keys reach
# KZ947's main window again, not the host's.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
ruc=10456789124
y=$(date +%Y)
periodo="${y}05"
store_declaration "$ruc" "$periodo" 108=5000 662=3
python3 - "$db" "$ruc" "$periodo" "$y" <<'PY'
import sqlite3, sys
db, ruc, periodo, y = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
c = sqlite3.connect(db)
for anho in (y - 5, y - 4, y - 3):
    c.execute("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, cnumero) "
              "VALUES (6, ?, ?, '0947', ?, '1000', '1')", (ruc, periodo, str(anho)))
c.commit()
PY

# The loss years stored, one a line; box 662 as stored.
losses() {
    python3 - "$db" <<'PY'
import sqlite3, sys
for (anho,) in sqlite3.connect(sys.argv[1]).execute("SELECT Anho FROM F0947_PTCEA ORDER BY Anho"):
    print(anho)
PY
}
box662() {
    python3 - "$db" "$ruc" "$periodo" <<'PY'
import sqlite3, sys
r = sqlite3.connect(sys.argv[1]).execute(
    "SELECT i_valor FROM DET WHERE DOC_ID_D=? AND PERIODO=? AND CASILLA='662'", sys.argv[2:4]).fetchone()
print(r[0] if r else "")
PY
}

# visible_of PID TITLE: the visible window of that process with exactly that caption.
visible_of() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window of $1: $2"
}
gone_of() {
    for _ in $(seq 50); do
        [ -z "$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    fail "window of $1 still open: $2"
}
# to WINDOW KEY...: the keys pressed in that window.
to() {
    local w=$1
    shift
    xdotool windowfocus --sync "$w"
    keys "$@"
}

start "$BIN/integrador"
wait_window "ZAV" >/dev/null

# Each user's KZ947: its own runtime folder (its own single-instance lock) and message log.
for u in A B; do
    mkdir -p "$T/run$u"
    chmod 700 "$T/run$u"
    : > "$T/msg$u.log"
    XDG_RUNTIME_DIR=$T/run$u ZAV_MSGBOX_LOG=$T/msg$u.log start "$BIN/KZ947"
    eval "KZ$u=$LAST"
done
MAINA=$(visible_of "$KZA" "0947 Morvath - v 1.6")
MAINB=$(visible_of "$KZB" "0947 Morvath - v 1.6")

# open_stored PID MAIN: Declaración > Modificar, the stored declaration opened; prints
# the declaration window's id.
open_stored() {
    xdotool windowfocus --sync "$2" key --clearmodifiers alt+d
    sleep 0.3
    xdotool key --clearmodifiers m
    local list
    list=$(visible_of "$1" "Modificar Declaraciones")
    sleep 0.5
    to "$list" Return
    visible_of "$1" "0947 Morvath"
}
# add_loss PID DECL YEAR AMOUNT: Nuevo on the loss page, the editor filled and accepted.
add_loss() {
    sleep 1
    to "$2" alt+p ctrl+Tab Tab Tab space
    local ed
    ed=$(visible_of "$1" "Pérdida tributaria compensable de Ejercicios anteriores")
    sleep 0.5
    xdotool windowfocus --sync "$ed" type --delay 50 "$3"
    keys Tab
    xdotool type --delay 50 "$4"
    keys alt+a
    gone_of "$1" "Pérdida tributaria compensable de Ejercicios anteriores"
}

DECLA=$(open_stored "$KZA" "$MAINA")
add_loss "$KZA" "$DECLA" $((y - 2)) 700
# The editor's row waits in A's window: nothing of it is in the table.
[ "$(losses | tr '\n' ' ')" = "$((y - 5)) $((y - 4)) $((y - 3)) " ] || fail "A's unsaved row is in the table: $(losses | tr '\n' ' ')"

DECLB=$(open_stored "$KZB" "$MAINB")
add_loss "$KZB" "$DECLB" $((y - 1)) 900
# B saves by Salir, Yes.
sleep 0.5
to "$DECLB" alt+s
ZAV_MSGBOX_LOG=$T/msgB.log wait_log "35|0947 Morvath|¿El formulario ha sido modificado, desea guardar los cambios?"
sleep 0.3
keys s
# Saved (complete or with inconsistencies): its closing message.
saved='^(64|48)\|0947 Morvath\|La información de la declaración fue grabada'
for _ in $(seq 100); do grep -Eq "$saved" "$T/msgB.log" && break; sleep 0.1; done
grep -Eq "$saved" "$T/msgB.log" || ZAV_MSGBOX_LOG=$T/msgB.log fail "B's declaration was not saved"
sleep 0.3
xdotool key --clearmodifiers Return
gone_of "$KZB" "0947 Morvath"
expected="$((y - 5)) $((y - 4)) $((y - 3)) $((y - 1)) "
[ "$(losses | tr '\n' ' ')" = "$expected" ] || fail "after B's save: $(losses | tr '\n' ' ')"
[ "$(box662)" = 4 ] || fail "B's box 662 is $(box662)"

# A leaves without saving: B's rows and box 662 stay.
to "$DECLA" alt+s
ZAV_MSGBOX_LOG=$T/msgA.log wait_log "35|0947 Morvath|¿El formulario ha sido modificado, desea guardar los cambios?"
sleep 0.3
keys n
gone_of "$KZA" "0947 Morvath"
[ "$(losses | tr '\n' ' ')" = "$expected" ] || fail "A's leaving changed the rows: $(losses | tr '\n' ' ')"
[ "$(box662)" = 4 ] || fail "box 662 is $(box662) after A left"

# The checker passes B's declaration.
estado=0
QT_QPA_PLATFORM=offscreen "$BIN/0947CNSINF" "06${ruc}    0947${periodo}000000000" 2> "$T/check.err" || estado=$?
[ "$estado" -eq 0 ] || fail "0947CNSINF ended $estado: $(cat "$T/check.err")"

# The focus went back to the list the declaration was opened from: Escape closes it.
sleep 0.5
xdotool key --clearmodifiers Escape
gone_of "$KZA" "Modificar Declaraciones"
to "$(visible_of "$KZB" "Modificar Declaraciones")" Escape
gone_of "$KZB" "Modificar Declaraciones"

# After Salir of a new declaration the keys reach KZ947's main window: Alt+D, N opens
# another one.
for u in A B; do
    eval "pid=\$KZ$u main=\$MAIN$u"
    xdotool windowfocus --sync "$main" key --clearmodifiers alt+d
    sleep 0.3
    xdotool key --clearmodifiers n
    decl=$(visible_of "$pid" "0947 Morvath")
    sleep 1
    to "$decl" alt+s
    gone_of "$pid" "0947 Morvath"
    sleep 0.5
    xdotool key --clearmodifiers alt+d
    sleep 0.3
    xdotool key --clearmodifiers n
    visible_of "$pid" "0947 Morvath" > /dev/null
done
kill -0 "$KZA" && kill -0 "$KZB" || fail "a KZ947 ended"
echo "e2e dosusuarios: ok"
