# The host starts 0947REP on a stored declaration, from its command line and from its
# window, and finds the receipt in TMP.
source "$(dirname "$0")/../../e2e/lib.sh" "$1"
db=$(db_file)
python3 - "$db" <<'PY'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
c.execute("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, estado) "
          "VALUES (6, '20100070970', '201305', '0947', 0, 1)")
c.execute("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
          "VALUES (6, '20100070970', '201305', '0947', 0, '610', '1.25')")
c.commit()
PY
hoy=$(date +%d/%m/%Y)

# From the command line: the 36 characters, blanks included, reach the program as one argument.
"$BIN/integrador" start 0947REP "0620100070970    0947201305000000555" || fail "integrador start"
copia=$T/host/TMP/0947201305000000555.TXT
for _ in $(seq 100); do [ -s "$copia" ] && break; sleep 0.1; done
[ -s "$copia" ] || fail "no receipt in TMP"
printf 'DOCUMENTO      : RUC  20100070970\r\nRAZON SOCIAL   : COMERCIAL ANDINA S.A.C.\r\nFORMULARIO     : 0947-ZAV Morvath\r\nPERIODO        : 05/2013\r\nCOEFICIENTE O %%:  1.2500\r\n \r\nNC 00000555  Fec.Generaci\xf3n: %s\r\n' "$hoy" > "$T/esperado"
sleep 0.5
cmp "$copia" "$T/esperado" || fail "the receipt differs: $(cat -A "$copia")"

# From the window: the declaration, a receipt number, the button.
start "$BIN/integrador"
win=$(wait_window "ZAV")
xdotool windowfocus --sync "$win" key --clearmodifiers Tab Home Tab ctrl+a
xdotool type --delay 20 "00000666"
xdotool key --clearmodifiers Tab space
copia=$T/host/TMP/0947201305000000666.TXT
for _ in $(seq 100); do [ -s "$copia" ] && break; sleep 0.1; done
[ -s "$copia" ] || fail "no receipt from the window"
grep -q "NC 00000666" "$copia" || fail "wrong receipt number"
[ ! -s "$ZAV_MSGBOX_LOG" ] || fail "a message was shown"
