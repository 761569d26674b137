# A stored declaration printed through Declaraciones > Imprimir, by keyboard and mouse:
# Preliminar with the pages 2 to 3, the preview opens a page wide and scrolls by keys,
# turns through exactly two pages, and its toolbar prints those two pages to the PDF that
# stands for the printer.
source "$(dirname "$0")/lib.sh" "$1"

db=$(db_file)
periodo="$(date +%Y)05"
ruc=10456789124

store_declaration "$ruc" "$periodo" 544=5440

export ZAV_PRINTER_PDF=$T/impreso.pdf
start_kz947
menu d i
IMP=$(wait_window "Imprimir ")
sleep 0.5

# Enter in the list is Preliminar: the report is written and the range asked for.
xdotool windowfocus --sync "$IMP" 2>/dev/null || true
keys Return
RNG=$(wait_window "Impresión de 5 páginas")
sleep 0.5
xdotool windowfocus --sync "$RNG" 2>/dev/null || true
keys End BackSpace 2 Tab End BackSpace 3 alt+p
PRV=$(wait_window "Presentación Preliminar")
xdotool mousemove --window "$PRV" 400 300
sleep 1

# The toolbar's buttons, from its left: previous, next, print, leave.
boton() {
    local x
    case $1 in anterior) x=26 ;; siguiente) x=57 ;; imprimir) x=88 ;; salir) x=118 ;; esac
    xdotool mousemove --window "$PRV" "$x" 18 click 1
    # Off the toolbar, so that no button is drawn hovered in the pictures taken (after
    # Salir the window is gone).
    xdotool mousemove --window "$PRV" 400 300 2>/dev/null || true
    sleep 0.5
}
shot() { xwd -silent -id "$PRV" > "$T/$1.xwd"; }

shot p1
# The window shows a whole page width (8.5 inches at 96 dots per inch) and, on this
# screen of 1024 lines, most of its 11 inches; the desktop's page keys scroll the page and
# bring it back.
read -r ancho alto < <(xdotool getwindowgeometry "$PRV" | awk '/Geometry:/ {split($2, g, "x"); print g[1], g[2]}')
[ "$ancho" -ge 816 ] || fail "the preview is only $ancho pixels wide"
[ "$alto" -ge 800 ] || fail "the preview is only $alto pixels high"
xdotool windowfocus --sync "$PRV" 2>/dev/null || true
keys Page_Down
shot abajo
keys Home
shot arriba
! cmp -s "$T/p1.xwd" "$T/abajo.xwd" || fail "Page Down did not scroll the page"
cmp -s "$T/p1.xwd" "$T/arriba.xwd" || fail "Home did not bring the page back to its top"
boton siguiente
shot p2
boton siguiente
shot p3
boton anterior
shot p4
! cmp -s "$T/p1.xwd" "$T/p2.xwd" || fail "next did not turn to the second page"
cmp -s "$T/p2.xwd" "$T/p3.xwd" || fail "next turned past the second page of the range"
cmp -s "$T/p1.xwd" "$T/p4.xwd" || fail "previous did not come back to the first page"

boton imprimir
for _ in $(seq 100); do
    [ -s "$ZAV_PRINTER_PDF" ] && break
    sleep 0.1
done
[ -s "$ZAV_PRINTER_PDF" ] || fail "nothing printed"
pdftotext -layout "$ZAV_PRINTER_PDF" "$T/impreso.txt"
paginas=$(pdfinfo "$ZAV_PRINTER_PDF" | awk '/^Pages:/ {print $2}')
[ "$paginas" = 2 ] || fail "the printed range has $paginas pages"
grep -q 'Contribuyente(2)' "$T/impreso.txt" || fail "page 2 was not printed"
grep -q 'PASIVO' "$T/impreso.txt" || fail "page 2 was not printed whole"
grep -q 'Contribuyente(3)' "$T/impreso.txt" || fail "page 3 was not printed"
grep -q 'PATRIMONIO' "$T/impreso.txt" || fail "page 3 was not printed whole"
! grep -q 'Contribuyente(1)\|Contribuyente(4)\|Contribuyente(5)' "$T/impreso.txt" \
    || fail "a page outside the range was printed"

# Salir leaves the preview; the range dialog and the print dialog are there still.
boton salir
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Presentación Preliminar$' >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name '^Presentación Preliminar$' >/dev/null 2>&1 || fail "the preview is still open"
wait_window "Impresión de 5 páginas" >/dev/null
[ "$(grep -c . "$ZAV_MSGBOX_LOG")" -eq 0 ] || fail "unexpected message boxes"

# The report was registered once, under the declaration report's code.
[ "$(python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
print(c.execute("SELECT count(*) FROM SPOOL WHERE CodRep = 'RCP001'").fetchone()[0])
PY
)" = 1 ] || fail "SPOOL does not hold one RCP001 row"
kill -0 "$KZ" || fail "KZ947 ended"
echo "e2e impresion: ok"
