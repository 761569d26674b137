# Page changes by keyboard on a new declaration: Ctrl+Tab and the access key Alt+F are the
# user's page changes, which the identification checks refuse while the page is
# incomplete; once the regime is chosen Alt+F brings the financial statements forward and
# their boxes take what is typed.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)

# refused LINE: the identification check's message box, answered with Enter; the keyboard
# goes back to the declaration window (no window manager gives it back).
refused() {
    wait_log "$1"
    keys Return
    for _ in $(seq 50); do
        [ "$(xdotool search --onlyvisible --name '^0947 Morvath$' 2>/dev/null | wc -l)" -eq 1 ] && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$DECL" 2>/dev/null || true
    sleep 0.2
}

start_kz947
new_declaration

# From the taxpayer list, Ctrl+Tab to the regime's page: no taxpayer yet.
keys ctrl+Tab
refused "16|0947 Morvath|Debe seleccionar un Contribuyente."

# The first demo taxpayer (the focus moves on to the phone), the phone, then the financial
# statements by their access key: no regime yet.
keys Down
xdotool type --delay 50 4411223
keys alt+f
refused "16|0947 Morvath|Debe señalar el regimen de renta"
[ "$(wc -l < "$ZAV_MSGBOX_LOG")" -eq 2 ] || fail "more than the two refusals"

# The focus is back in the phone. The general regime, the kind of person on the regime's
# page, and the payment page: no start of activities, profit in both years, the first
# balance date.
keys Tab Tab space
keys Tab Tab Tab Tab Tab Right Tab space
keys shift+Tab Right Tab space space Tab space Tab Down

# Alt+F again: the identification check lets the user pass to the assets page; a Tab from
# its tab bar reaches the first box, which takes the amount typed.
keys alt+f
sleep 0.3
[ "$(wc -l < "$ZAV_MSGBOX_LOG")" -eq 2 ] || fail "the identification check refused a complete page"
keys Tab
xdotool type --delay 50 1000
keys Return alt+g
wait_log "48|0947 Morvath|La información de la declaración fue grabada con inconsistencias. En estas condiciones no podra ser enviada a KOVEL."
keys Return

python3 - "$db" "$(date +%Y)05" <<'PY' || fail "the saved declaration does not hold what was typed"
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
r = c.execute("SELECT i_valor FROM DET WHERE DOC_ID_D = '10456789124' AND PERIODO = ? AND CASILLA = '500'",
              (sys.argv[2],)).fetchone()
assert r and r[0] == '1000', r
PY

kill -0 "$KZ" || fail "KZ947 ended"
echo "e2e paginas: ok"
