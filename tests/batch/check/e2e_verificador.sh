# The host starts 0947CNSINF on stored declarations, from its command line and from its
# window, and finds the answer in TMP.
source "$(dirname "$0")/../../e2e/lib.sh" "$1"
db=$(db_file)
python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
for periodo in ("201305", "201306"):
    c.execute("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
              "VALUES (6, '20100070970', ?, '0947', 0, 1)", (periodo,))
c.commit()
PY
tmp=$T/host/TMP

# From the command line, June 2013: the message, then the report and the marker; the
# host's start waits for the checker and ends with its status.
start "$BIN/integrador" start 0947CNSINF "0620100070970    0947201306000000000"
inicio=$LAST
err=$tmp/062010007097009472013060.ERR
wait_log "16|Error en la información a enviar|Existen datos inconsistentes en la información a enviar. Revisar el archivo $err"
kill -0 "$inicio" 2>/dev/null || fail "integrador start did not wait for the checker"
dismiss "Error en la información a enviar"
estado=0
wait "$inicio" || estado=$?
[ "$estado" -eq 1 ] || fail "integrador start ended with $estado"
for _ in $(seq 100); do [ -s "$tmp/062010007097009472013060.TXT" ] && break; sleep 0.1; done
printf '0947 ERROR\r\n' > "$T/marca"
sleep 0.3
cmp "$tmp/062010007097009472013060.TXT" "$T/marca" || fail "no marker"
LC_ALL=C grep -aq "^001) El per.odo de la declaraci.n no es v.lido - 201306" "$err" || fail "the report: $(cat -A "$err")"

# From the window, May 2013 (the first declaration): it passes and an old report goes.
echo viejo > "$tmp/062010007097009472013050.ERR"
start "$BIN/integrador"
win=$(wait_window "ZAV")
xdotool windowfocus --sync "$win" key --clearmodifiers Tab Home Tab Tab Tab space
for _ in $(seq 100); do [ ! -e "$tmp/062010007097009472013050.ERR" ] && break; sleep 0.1; done
[ ! -e "$tmp/062010007097009472013050.ERR" ] || fail "the old report is still there"
[ "$(grep -c . "$ZAV_MSGBOX_LOG")" -eq 1 ] || fail "a message was shown"
