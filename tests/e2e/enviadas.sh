# A declaration sent twice by the host; its order number registered on the second
# sending through Declaraciones Enviadas > Registrar, by keyboard alone.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
periodo="$(date +%Y)05"
ruc=10456789124

store_declaration "$ruc" "$periodo"
"$BIN/integrador" send "$ruc" "$periodo" > "$T/send1.txt" || fail "first send"
"$BIN/integrador" send "$ruc" "$periodo" > "$T/send2.txt" || fail "second send"
grep -qx 'Correlativo=002' "$T/send2.txt" || fail "second send: $(cat "$T/send2.txt")"
orden=$(grep '^Número de orden=' "$T/send2.txt" | cut -d= -f2 | tr -d '\r')
digito=$(grep '^Dígito verificador=' "$T/send2.txt" | cut -d= -f2 | tr -d '\r')

norden() {
    python3 - "$db" "$1" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
print(c.execute("SELECT ifnull(norden, '<null>') FROM HCAB WHERE CORREL = ?", (sys.argv[2],)).fetchone()[0])
PY
}

start_kz947
menu e r
LIST=$(wait_window "Registrar número de orden")
sleep 0.5
# The list is in document order; the second sending is the second row.
keys Down Return
DECL=$(wait_window "0947 Morvath")
sleep 1

# Only the order number and its check digit take keys: Tab reaches the order number,
# which shows "0" for a sending without one.
found=
for _ in $(seq 12); do
    printf 'none' | xclip -selection primary
    keys End shift+Home
    if [ "$(xclip -o -selection primary 2>/dev/null)" = 0 ]; then found=1; break; fi
    keys Tab
done
[ -n "$found" ] || fail "Tab never reached the order number"
xdotool type --delay 50 "$orden"
keys Tab
xdotool type --delay 50 "$digito"
keys Return alt+r
wait_log "48|0947 Morvath|El número de orden y el digito verificador fueron grabados satisfactoriamente."
keys Return
[ "$(norden 002)" = "$orden" ] || fail "HCAB 002 holds $(norden 002)"
[ "$(norden 001)" = "<null>" ] || fail "HCAB 001 holds $(norden 001)"

# Salir asks nothing; the list is back.
sleep 0.3
xdotool windowfocus --sync "$DECL" 2>/dev/null || true
keys alt+s
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^0947 Morvath$' 2>/dev/null | wc -l)" -eq 0 ] && break
    sleep 0.1
done
[ "$(xdotool search --onlyvisible --name '^0947 Morvath$' 2>/dev/null | wc -l)" -eq 0 ] || fail "the window is still open"
[ "$(grep -c . "$ZAV_MSGBOX_LOG")" -eq 1 ] || fail "unexpected message boxes"
xdotool windowfocus --sync "$LIST" 2>/dev/null || true
keys Escape
kill -0 "$KZ" || fail "KZ947 ended"
echo "e2e enviadas: ok"
