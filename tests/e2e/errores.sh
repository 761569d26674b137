# A database error during a command is reported and the program goes on: with the
# headers table gone, choosing a taxpayer in a new declaration fails in its duplicate
# check; once the table is back the same window takes the taxpayer.
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
new_declaration
xdotool key --clearmodifiers Down

for _ in $(seq 100); do
    grep -q '^16|0947 Morvath|The database engine cannot find the input table' "$ZAV_MSGBOX_LOG" && break
    sleep 0.1
done
grep -q '^16|0947 Morvath|The database engine cannot find the input table' "$ZAV_MSGBOX_LOG" \
    || fail "the error was not shown"
dismiss "0947 Morvath"
sleep 0.5
kill -0 "$KZ" 2>/dev/null || fail "KZ947 ended after a database error"
grep -q '|Error|' "$ZAV_MSGBOX_LOG" && fail "the error reached the untrapped-error box"

tabla CAB_FUERA CAB
lineas=$(wc -l < "$ZAV_MSGBOX_LOG")
xdotool windowfocus --sync "$DECL" key --clearmodifiers Down
sleep 1
kill -0 "$KZ" 2>/dev/null || fail "KZ947 ended"
[ "$(wc -l < "$ZAV_MSGBOX_LOG")" -eq "$lineas" ] || fail "choosing again showed a message"
echo "e2e errores: ok"
