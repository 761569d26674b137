# KZ947 starts only under the host, once, and only on a database it can open.
source "$(dirname "$0")/lib.sh" "$1"

# Without the host window.
start "$BIN/KZ947"
wait_log "16|Error al ejecutar el módulo|Debe ejecutar este módulo desde el Integrador del ZAV"
dismiss "Error al ejecutar el módulo"
wait_exit "$LAST"

# Under the host: the main window.
start "$BIN/integrador"
wait_window "ZAV" >/dev/null
start "$BIN/KZ947"
first=$LAST
main=$(wait_window "0947 Morvath - v 1.6")

# A second copy is refused; the first goes on.
start "$BIN/KZ947"
wait_log "64|Quorvan|La Aplicación ya se encuentra en ejecución"
dismiss "Quorvan"
wait_exit "$LAST"
kill -0 "$first" || fail "the first copy ended"

# Salir from the menu ends it.
xdotool windowfocus --sync "$main" key --clearmodifiers alt+d
sleep 0.3
xdotool key --clearmodifiers s
wait_exit "$first"

# A database held under an exclusive lock by another process.
db=$(grep -i '^DBPath=' "$WINDIR/KZ000.INI" | cut -d= -f2- | tr -d '\r')$(grep -i '^DBName=' "$WINDIR/KZ000.INI" | cut -d= -f2- | tr -d '\r')
coproc LOCK { exec "$BUILD/tests/e2e_holdlock" "$db"; }
PIDS+=($LOCK_PID)
read -r -t 10 line <&"${LOCK[0]}" || fail "could not lock $db"
start "$BIN/KZ947"
wait_log "0|Error de Conección| 3051- Base esta bloqueda"
dismiss "Error de Conección"
wait_exit "$LAST"
echo "e2e startup: ok"
