# The main window under the host: its four menus, its toolbar, and each look-up window
# opened from its menu entry with the demo workspace's rows.
source "$(dirname "$0")/lib.sh" "$1"

start_kz947

# Windows of KZ947 on the screen (the main window, open menus and dialogs).
shown() { xdotool search --onlyvisible --pid "$KZ" 2>/dev/null | wc -l; }

# wait_shown N: exactly N windows of KZ947 are shown.
wait_shown() {
    for _ in $(seq 50); do
        [ "$(shown)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "expected $1 windows of KZ947, found $(shown)"
}

# The text the focused grid copies from its current cell.
clipboard() {
    xclip -o -selection clipboard
}

focus_main() { xdotool windowactivate --sync "$MAIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN"; }

base=$(shown)

# Each menu opens from its access key.
for k in d e c a; do
    focus_main
    xdotool key --clearmodifiers "alt+$k"
    wait_shown $((base + 1))
    xdotool key --clearmodifiers Escape
    sleep 0.2
    xdotool key --clearmodifiers Escape
    wait_shown "$base"
done

# The toolbar: its first button (Nueva) opens the declaration window, Escape closes it.
focus_main
xdotool mousemove --window "$MAIN" 20 50 click 1
wait_shown $((base + 1))
xdotool key --clearmodifiers Escape
wait_shown "$base"

# lookup KEY CAPTION FIRST-CELL: the Consultas entry opens its window on its first row.
lookup() {
    focus_main
    xdotool key --clearmodifiers alt+c
    sleep 0.3
    xdotool key --clearmodifiers "$1"
    local id
    id=$(wait_window "$2")
    xdotool windowfocus --sync "$id"
    sleep 0.2
    xdotool key --clearmodifiers ctrl+c
    sleep 0.3
    local got
    got=$(clipboard)
    [ "$got" = "$3" ] || fail "$2: first cell '$got', expected '$3'"
    xdotool key --clearmodifiers Right ctrl+c
    sleep 0.3
    got=$(clipboard)
    [ "$got" = "$4" ] || fail "$2: second cell '$got', expected '$4'"
    xdotool key --clearmodifiers Escape
    wait_shown "$base"
}
lookup f "Factores de Actualización" "01/2024" "1.0254"
lookup b "Bancos" "01" "BANCO DEL ESTADO"
lookup p "Paises" "0032" "ARGENTINA"
lookup u "UIT" "2026" "5500"

# The About box.
focus_main
xdotool key --clearmodifiers alt+a
sleep 0.3
xdotool key --clearmodifiers d
about=$(wait_window "Acerca de ZAV ")
xdotool windowfocus --sync "$about" key --clearmodifiers Return
wait_shown "$base"

# Salir ends it.
focus_main
xdotool key --clearmodifiers alt+d
sleep 0.3
xdotool key --clearmodifiers s
wait_exit "$KZ"
[ ! -s "$ZAV_MSGBOX_LOG" ] || fail "unexpected message boxes"
echo "e2e mainwindow: ok"
