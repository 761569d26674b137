# A declaration filled in and saved by keyboard, reopened by keyboard through Modificar:
# the window shows what was saved, and saving it again writes the same rows.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
periodo="$(date +%Y)05"

# saved: waits for one more "saved with inconsistencies" box than there were.
SAVED="48|0947 Morvath|La información de la declaración fue grabada con inconsistencias. En estas condiciones no podra ser enviada a KOVEL."
saved_count() { grep -cxF -- "$SAVED" "$ZAV_MSGBOX_LOG" || true; }
wait_saved() {
    for _ in $(seq 100); do
        [ "$(saved_count)" -gt "$1" ] && return 0
        sleep 0.1
    done
    fail "no save message"
}

# The rows of the declaration, one "code=value" a line.
rows() {
    python3 - "$db" "$periodo" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
for casilla, valor in c.execute("SELECT CASILLA, i_valor FROM DET WHERE DOC_ID_D = '10456789124' AND PERIODO = ? "
                                "ORDER BY CASILLA", (sys.argv[2],)):
    print(f"{casilla}={valor}")
PY
}

start_kz947
new_declaration

# As in the identification script: the first taxpayer, a phone, General regime, a legal
# person, no start of activities, profit in both years, the April balance; an amount.
keys Down
xdotool type --delay 50 4411223
keys Tab Tab space
keys Tab Tab Tab Tab Tab Right Tab space
keys shift+Tab Right Tab space space Tab space Tab Down
keys Tab Tab Tab Tab Right
sleep 0.3
keys Tab Tab
xdotool type --delay 50 1000
keys Return alt+g
wait_saved 0
keys Return
rows > "$T/first.txt"
grep -qx '500=1000' "$T/first.txt" || fail "the first save did not store the amount"

# Leave the declaration; Modificar lists it, Enter opens it.
sleep 0.5
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
keys alt+s
wait_decl_closed
menu d m
LIST=$(wait_window "Modificar Declaraciones")
sleep 0.5
keys Return
DECL=$(wait_window "0947 Morvath")
sleep 1
[ "$(grep -c . "$ZAV_MSGBOX_LOG")" -eq 1 ] || fail "reopening raised a message"

# The phone box has the focus and shows the stored phone: selected, it is the X selection.
keys End shift+Home
[ "$(xclip -o -selection primary 2>/dev/null)" = 4411223 ] \
    || fail "the phone box shows $(xclip -o -selection primary 2>/dev/null)"

# Saved again without a change: the same rows.
keys alt+g
wait_saved 1
keys Return
rows > "$T/second.txt"
diff "$T/first.txt" "$T/second.txt" >&2 \
    || fail "saving the reopened declaration changed its rows"
grep -qx '801=QUISPE MAMANI J' "$T/second.txt" || fail "name row: $(grep '^801=' "$T/second.txt")"

# Meanwhile another taxpayer's declaration is stored. Salir asks nothing (nothing
# changed); the list, read again as it comes back, holds it after the first one.
python3 - "$db" "$periodo" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado, cNumero) "
          "VALUES (6, '15102030408', ?, '0947', 0, 0, '1')", (sys.argv[2],))
for casilla, valor in (("028", "5550000"), ("056", "4")):
    c.execute("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor, idcasilla, "
              "cNumero) VALUES (6, '15102030408', ?, '0947', 0, ?, ?, '01', '1')", (sys.argv[2], casilla, valor))
c.commit()
PY
sleep 0.5
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
keys alt+s
wait_decl_closed
xdotool windowfocus --sync "$LIST" 2>/dev/null || true
keys Down Return
DECL=$(wait_window "0947 Morvath")
sleep 1
keys End shift+Home
[ "$(xclip -o -selection primary 2>/dev/null)" = 5550000 ] || fail "the list was not read again on coming back"
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
keys alt+s
wait_decl_closed

# Escape leaves the list.
xdotool windowfocus --sync "$LIST" 2>/dev/null || true
keys Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Modificar Declaraciones$' >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name '^Modificar Declaraciones$' >/dev/null 2>&1 || fail "the list is still open"
[ "$(grep -c . "$ZAV_MSGBOX_LOG")" -eq 2 ] || fail "unexpected message boxes"

# A list that cannot be read shows its error once (while it loads): closing the box
# activates the list, which must not read it (and fail) again.
python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("ALTER TABLE CONT RENAME TO CONT_X")
c.commit()
PY
menu d m
dismiss "Error"
LIST=$(wait_window "Modificar Declaraciones")
sleep 1.5
[ "$(grep -c '^0|Error|' "$ZAV_MSGBOX_LOG")" -eq 1 ] || fail "the list's error came back $(grep -c '^0|Error|' "$ZAV_MSGBOX_LOG") times"
xdotool windowfocus --sync "$LIST" 2>/dev/null || true
keys Escape
kill -0 "$KZ" || fail "KZ947 ended"
echo "e2e reapertura: ok"
