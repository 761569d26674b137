# The loss rows of a reopened declaration by keyboard: Tab leaves the grid, moving in it
# is no change; a row added through the editor waits in the window, is asked about at
# Salir, and No leaves the rows as they were opened.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
periodo="$(date +%Y)05"
store_declaration 10456789124 "$periodo" 108=5000 662=2
python3 - "$db" "$periodo" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
for anho, importe in (("2011", "4000"), ("2012", "1500")):
    c.execute("INSERT INTO F0947_PTCEA (tip_doc_d, doc_id_d, periodo, formulario, Anho, Importe, cnumero) "
              "VALUES (6, '10456789124', ?, '0947', ?, ?, '1')", (sys.argv[2], anho, importe))
c.commit()
PY

# The loss rows, one "year=amount/check" a line.
losses() {
    python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
for anho, importe, control in c.execute("SELECT Anho, Importe, cnumero FROM F0947_PTCEA ORDER BY Anho"):
    print(f"{anho}={importe}/{control}")
PY
}
losses > "$T/opened.txt"

reopen() {
    xdotool windowfocus --sync "$LIST" 2>/dev/null || true
    keys Return
    DECL=$(wait_window "0947 Morvath")
    sleep 1
}

start_kz947
menu d m
LIST=$(wait_window "Modificar Declaraciones")
sleep 0.5
reopen

# The complementary page, its loss page, the grid: moving in it and leaving asks nothing.
keys alt+p ctrl+Tab Tab Down Up Down
keys alt+s
wait_decl_closed
[ ! -s "$ZAV_MSGBOX_LOG" ] || fail "moving in the loss grid counted as a change"

# One Tab from the grid reaches Nuevo; the editor adds 2013.
reopen
keys alt+p ctrl+Tab Tab Tab space
wait_window "Pérdida tributaria compensable de Ejercicios anteriores" >/dev/null
sleep 0.5
xdotool type --delay 50 2013
keys Tab
xdotool type --delay 50 700
keys alt+a
for _ in $(seq 50); do
    [ -z "$(xdotool search --onlyvisible --name '^Pérdida tributaria compensable de Ejercicios anteriores$' 2>/dev/null)" ] && break
    sleep 0.1
done
[ -z "$(xdotool search --onlyvisible --name '^Pérdida tributaria compensable de Ejercicios anteriores$' 2>/dev/null)" ] ||
    fail "the editor did not take the row"
# The row waits in the window until the declaration is saved.
losses > "$T/edited.txt"
diff "$T/opened.txt" "$T/edited.txt" >&2 || fail "the editor wrote to the table before Grabar"

# Salir asks; No leaves the rows as the declaration was opened with.
sleep 0.5
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
keys alt+s
wait_log "35|0947 Morvath|¿El formulario ha sido modificado, desea guardar los cambios?"
sleep 0.3
keys n
wait_decl_closed
losses > "$T/left.txt"
diff "$T/opened.txt" "$T/left.txt" >&2 || fail "leaving without saving kept the loss change"
# Modificar on the first row opens the editor on its amount selected: typing replaces
# it, and Salir, Sí stores it.
reopen
keys alt+p ctrl+Tab Tab Tab Tab space
wait_window "Pérdida tributaria compensable de Ejercicios anteriores" >/dev/null
sleep 0.5
xdotool type --delay 50 6000
keys alt+a
sleep 0.5
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
keys alt+s
sleep 0.5
keys s
for _ in $(seq 100); do grep -q "^2011=6000/" <(losses) && break; sleep 0.1; done
losses | grep -q "^2011=6000/" || fail "Modificar did not replace the amount: $(losses | tr '\n' ' ')"
kill -0 "$KZ" || fail "KZ947 ended"
echo "e2e perdidas: ok"
