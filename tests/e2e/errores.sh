# An error that no handler traps: with the headers table gone, choosing a taxpayer in a new
# declaration fails in its duplicate check. The program shows the error and ends.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("ALTER TABLE CAB RENAME TO CAB_FUERA")
c.commit()
PY

start_kz947
new_declaration
xdotool key --clearmodifiers Down

for _ in $(seq 100); do
    grep -q '^16|Error|' "$ZAV_MSGBOX_LOG" && break
    sleep 0.1
done
grep -q '^16|Error|' "$ZAV_MSGBOX_LOG" || fail "the error was not shown"
kill -0 "$KZ" 2>/dev/null || fail "KZ947 ended before the error was acknowledged"
dismiss "Error"
wait_exit "$KZ"
wait "$KZ" && fail "KZ947 ended with status 0 after an error"
echo "e2e errores: ok"
