# An error that no handler traps: with the headers table gone, choosing a taxpayer in a new
# declaration fails in its duplicate check. The program shows the error and ends.
source "$(dirname "$0")/lib.sh" "$1"

db=$(grep -i '^DBPath=' "$WINDIR/KZ000.INI" | cut -d= -f2- | tr -d '\r')$(grep -i '^DBName=' "$WINDIR/KZ000.INI" | cut -d= -f2- | tr -d '\r')
python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("ALTER TABLE CAB RENAME TO CAB_FUERA")
c.commit()
PY

start "$BIN/integrador"
wait_window "ZAV" >/dev/null
start "$BIN/KZ947"
kz=$LAST
main=$(wait_window "0947 Morvath - v 1.6")
xdotool windowfocus --sync "$main" key --clearmodifiers alt+d
sleep 0.3
xdotool key --clearmodifiers n
wait_window "0947 Morvath" >/dev/null
sleep 0.5
xdotool key --clearmodifiers Down

for _ in $(seq 100); do
    grep -q '^16|Error|' "$ZAV_MSGBOX_LOG" && break
    sleep 0.1
done
grep -q '^16|Error|' "$ZAV_MSGBOX_LOG" || fail "the error was not shown"
kill -0 "$kz" 2>/dev/null || fail "KZ947 ended before the error was acknowledged"
dismiss "Error"
wait_exit "$kz"
wait "$kz" && fail "KZ947 ended with status 0 after an error"
echo "e2e errores: ok"
