# The host window sends by keyboard alone: Return or Enter on its focused button. The
# checker runs first; only a declaration that passed gets its history rows.
source "$(dirname "$0")/../e2e/lib.sh" "$1"
store_declaration 20100070970 201305
store_declaration 20100070970 201306
tmp=$T/host/TMP

enviadas() {
    python3 - "$(db_file)" "$1" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
print(c.execute("SELECT COUNT(*) FROM HCAB WHERE PERIODO = ?", (sys.argv[2],)).fetchone()[0])
PY
}

start "$BIN/integrador"
win=$(wait_window "ZAV")
# The first declaration (May 2013, clean), then the list, the receipt number, its
# button, the checker's button and the send button.
xdotool windowfocus --sync "$win" key --clearmodifiers Tab Home
keys Tab Tab Tab Tab Return
for _ in $(seq 100); do [ "$(enviadas 201305)" = 1 ] && break; sleep 0.1; done
[ "$(enviadas 201305)" = 1 ] || fail "the clean declaration was not sent"

# Back to the list, the second declaration (June 2013 fails the check), Enter on send.
keys shift+Tab shift+Tab shift+Tab shift+Tab Down Tab Tab Tab Tab KP_Enter
wait_log "16|Error en la información a enviar|Existen datos inconsistentes en la información a enviar. Revisar el archivo $tmp/062010007097009472013060.ERR"
dismiss "Error en la información a enviar"
for _ in $(seq 100); do [ -s "$tmp/062010007097009472013060.TXT" ] && break; sleep 0.1; done
sleep 1
[ "$(enviadas 201306)" = 0 ] || fail "a declaration that failed the check was sent"
[ "$(enviadas 201305)" = 1 ] || fail "the first declaration was sent again"
echo "e2e envio: ok"
