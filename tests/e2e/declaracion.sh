# The declaration window from the main window: Nueva opens it on a new declaration, a demo
# taxpayer is chosen in its list, one with a declaration of the period is refused, and
# Salir closes it.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
# A new declaration's period is the current year until its balance date is chosen.
anio=$(date +%Y)
python3 - "$db" "$anio" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) VALUES (6, ?, ?, '0947', 0, 0)",
          ("15102030408", sys.argv[2]))
c.commit()
PY

start_kz947

# decl_shown: the declaration window is on the screen (0 or 1).
new_declaration

# The taxpayer list has the focus; the first demo taxpayer fills the name box.
xwd -silent -id "$DECL" > "$T/before.xwd"
xdotool key --clearmodifiers Down
sleep 0.5
xwd -silent -id "$DECL" > "$T/after.xwd"
! cmp -s "$T/before.xwd" "$T/after.xwd" || fail "choosing a taxpayer changed nothing on the window"
[ ! -s "$ZAV_MSGBOX_LOG" ] || fail "a free taxpayer raised a message"

# Back to the list (the focus went on to the telephone): the next taxpayer has a
# declaration of this period and is refused.
xdotool key --clearmodifiers shift+Tab
sleep 0.2
xdotool key --clearmodifiers Down
wait_log "16|0947 Morvath|La declaración que desea registrar ya existe, elija la opción modificar declaración o elija otro contribuyente."
xdotool key --clearmodifiers Return
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^0947 Morvath$' 2>/dev/null | wc -l)" -eq 1 ] && break
    sleep 0.1
done

# Salir closes the window after its question; the program goes on.
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
xdotool key --clearmodifiers alt+s
# A chosen taxpayer counts as a change: the question to keep it is answered No.
wait_log "35|0947 Morvath|¿El formulario ha sido modificado, desea guardar los cambios?"
sleep 0.3
xdotool key --clearmodifiers n
for _ in $(seq 50); do
    [ "$(decl_shown)" -eq 0 ] && break
    sleep 0.1
done
[ "$(decl_shown)" -eq 0 ] || fail "Salir left the declaration window open"
kill -0 "$KZ" || fail "KZ947 ended with the declaration window"

menu d s
wait_exit "$KZ"
echo "e2e declaracion: ok"
