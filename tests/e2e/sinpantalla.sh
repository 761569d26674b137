# The programs started where there is no screen, as a host may run them: no DISPLAY and
# no QT_QPA_PLATFORM, or a DISPLAY left over from another session that names no X
# server. The batch programs end by themselves within seconds, with their message boxes
# on standard error; KZ947 says in Spanish that it needs a screen.
source "$(dirname "$0")/lib.sh" "$1"
unset DISPLAY QT_QPA_PLATFORM WAYLAND_DISPLAY

# corre STATUS PROGRAM ARGS...: the program ends within 20 seconds with STATUS; its
# standard error is left in $T/err.
corre() {
    local esperado=$1 programa=$2 estado=0
    shift 2
    timeout 20 "$BIN/$programa" "$@" 2> "$T/err" || estado=$?
    [ "$estado" -ne 124 ] || fail "$programa is still waiting after 20 seconds: $(cat "$T/err")"
    [ "$estado" -eq "$esperado" ] || fail "$programa ended with $estado, not $esperado: $(cat "$T/err")"
    if grep -q "could not connect to display\|Reinstalling the application" "$T/err"; then
        fail "$programa: Qt's own abort: $(cat "$T/err")"
    fi
}

# no_err: nothing was written to standard error.
no_err() { [ ! -s "$T/err" ] || fail "standard error: $(cat "$T/err")"; }

# err_is TEXT: standard error holds exactly TEXT (a line end after it).
err_is() {
    printf '%s\n' "$1" > "$T/esperado"
    cmp -s "$T/err" "$T/esperado" || fail "standard error: $(cat -A "$T/err"), not $(cat -A "$T/esperado")"
}

tmp=$T/host/TMP
store_declaration 20100070970 201305
store_declaration 20100070970 201306

# sin_pantalla: every program, the same way each time the screen is missing.
sin_pantalla() {
    rm -f "$tmp"/06*.TXT "$tmp"/06*.ERR "$tmp"/0947*.TXT

    # 0947CNSINF: a clean declaration shows nothing; a failed one its box; one that is not
    # stored cannot be checked.
    corre 0 0947CNSINF "0620100070970    0947201305000000000"
    no_err
    [ ! -e "$tmp/062010007097009472013050.TXT" ] || fail "a marker for a clean declaration"
    corre 1 0947CNSINF "0620100070970    0947201306000000000"
    err_is "Error en la información a enviar: Existen datos inconsistentes en la información a enviar. Revisar el archivo $tmp/062010007097009472013060.ERR"
    [ "$(cat "$tmp/062010007097009472013060.TXT")" = $'0947 ERROR\r' ] || fail "no marker"
    [ -s "$tmp/062010007097009472013060.ERR" ] || fail "no report"
    corre 2 0947CNSINF "0620100070970    0947201307000000000"
    err_is "Error al verificar la información a enviar: No se pudo verificar la información a enviar: la declaración 20100070970 del periodo 201307 no está grabada. Se grabó la marca de error en el archivo $tmp/062010007097009472013070.TXT"
    [ "$(cat "$tmp/062010007097009472013070.TXT")" = $'0947 ERROR\r' ] || fail "no marker of an unchecked declaration"

    # 0947REP: a receipt shows nothing; a refused command line its box.
    corre 0 0947REP "0620100070970    0947201305000000555"
    no_err
    [ -s "$tmp/0947201305000000555.TXT" ] || fail "no receipt in TMP"
    corre 1 0947REP "0620100070970    094720130/000000555"
    err_is "Presentación Telemática: La línea de comando no es válida: el campo periodo contiene \"/\", \"\\\", \"..\" o un carácter de control. No se generó ningún archivo."

    # TAB947: installing again shows nothing; with no configuration its box.
    corre 0 TAB947
    no_err
    mkdir -p "$T/vacio"
    WINDIR=$T/vacio corre 1 TAB947
    err_is "Mensaje: Debe instalar primero el ZAV "

    # KZ947 cannot work without a screen, and says so.
    local estado=0
    timeout 20 "$BIN/KZ947" 2> "$T/err" || estado=$?
    [ "$estado" -eq 1 ] || fail "KZ947 ended with $estado: $(cat "$T/err")"
    grep -q "^KZ947 no puede iniciarse: no hay una pantalla" "$T/err" || fail "KZ947 said: $(cat "$T/err")"
    [ "$(wc -l < "$T/err")" -eq 1 ] || fail "KZ947 said more: $(cat "$T/err")"
}

sin_pantalla

# A DISPLAY that names no X server (no socket, no lock file of one).
n=37
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
export DISPLAY=:$n
sin_pantalla
grep -q ":$n" "$T/err" || fail "KZ947 does not name the display: $(cat "$T/err")"
echo "e2e sinpantalla: ok"
