# A database error during a command is reported and the program goes on. Nueva while
# another program holds the database: the window does not open, Nueva works once the
# database is free. With the headers table gone, choosing a taxpayer in a new declaration
# fails in its duplicate check; once the table is back the same window takes the taxpayer.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
tabla() {
    python3 - "$db" "$1" "$2" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("ALTER TABLE %s RENAME TO %s" % (sys.argv[2], sys.argv[3]))
c.commit()
PY
}
tabla CAB CAB_FUERA

start_kz947

coproc LOCK { exec "$BUILD/tests/e2e_holdlock" "$db"; }
lock=$LOCK_PID
PIDS+=($lock)
read -r -t 10 line <&"${LOCK[0]}" || fail "could not lock $db"
menu d n
for _ in $(seq 100); do
    grep -q '^16|Error|El motor de base de datos no puede abrir el archivo' "$ZAV_MSGBOX_LOG" && break
    sleep 0.1
done
grep -q '^16|Error|El motor de base de datos no puede abrir el archivo' "$ZAV_MSGBOX_LOG" \
    || fail "Nueva on a held database showed no error"
dismiss "Error"
sleep 0.5
kill -0 "$KZ" 2>/dev/null || fail "KZ947 ended after Nueva on a held database"
kill "$lock" 2>/dev/null || true
wait "$lock" 2>/dev/null || true

new_declaration
xdotool key --clearmodifiers Down

for _ in $(seq 100); do
    grep -q '^16|0947 Morvath|El motor de base de datos no encuentra la tabla' "$ZAV_MSGBOX_LOG" && break
    sleep 0.1
done
grep -q '^16|0947 Morvath|El motor de base de datos no encuentra la tabla' "$ZAV_MSGBOX_LOG" \
    || fail "the error was not shown"
dismiss "0947 Morvath"
sleep 0.5
kill -0 "$KZ" 2>/dev/null || fail "KZ947 ended after a database error"
[ "$(grep -c '|Error|' "$ZAV_MSGBOX_LOG")" -eq 1 ] || fail "the error reached the untrapped-error box"

tabla CAB_FUERA CAB
lineas=$(wc -l < "$ZAV_MSGBOX_LOG")
xdotool windowfocus --sync "$DECL" key --clearmodifiers Down
sleep 1
kill -0 "$KZ" 2>/dev/null || fail "KZ947 ended"
[ "$(wc -l < "$ZAV_MSGBOX_LOG")" -eq "$lineas" ] || fail "choosing again showed a message"
echo "e2e errores: ok"
