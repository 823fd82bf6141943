#!/usr/bin/env bash
# Drives the real executable from outside: a private X server, a small window manager and a
# private session bus, the program copied with its data into a temporary program folder.
#
# usage: run-e2e.sh <tintwright executable> <data folder> <scenario>
# scenarios: startup-and-close, open-by-ctrl-o, type-code-and-undo, clipboard-convert,
#            dialog-leaves-nothing, picker-by-keyboard
set -euo pipefail

title="Tintwright for TomTom Navigator"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command until it succeeds, for at most $1 tenths of a second.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

main_window() {
    xdotool search --onlyvisible --name "^$title\$" | head -n 1
}

window_named() {
    xdotool search --onlyvisible --name "^$1\$" | head -n 1 | grep -q .
}

# The colour of one pixel of a window as RRGGBB.
pixel() {
    import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1 |
        tr -d '#' | tr 'a-f' 'A-F'
}

keys() {
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key --delay 60 "$@"
}

start_program() {
    (cd "$program" && exec ./tintwright) >"$work/program.log" 2>&1 &
    program_pid=$!
    wait_for 200 main_window || fail "no window titled \"$title\" appeared"
    window=$(main_window)
    # Let the window manager map and focus it.
    wait_for 50 xdotool windowactivate --sync "$window"
    sleep 0.5
}

wait_for_exit() {
    for ((i = 0; i < 100; i++)); do
        kill -0 "$program_pid" 2>/dev/null || { wait "$program_pid" || true; return 0; }
        sleep 0.1
    done
    fail "the program did not end"
}

close_through_window_manager() {
    wmctrl -i -c "$window"
    wait_for_exit
}

expected_settings() {
    printf '[Language]\r\nDefaultLanguage=English\r\n[Preview]\r\nDefaultPreview=%s\r\n' "$1"
}

check_settings() {
    cmp <(expected_settings "$1") "$program/tintwright.ini" ||
        fail "tintwright.ini differs: $(od -c "$program/tintwright.ini" | head -n 8)"
}

# Where the preview's pixel (x, y) lies in the window: Image1 at 24, 24 in the "Preview" group,
# which sits at 312, 160 of the client area.
preview_x() { echo $((312 + 24 + $1)); }
preview_y() { echo $((160 + 24 + $1)); }

scenario_startup_and_close() {
    start_program
    local size
    size=$(xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
    [ "$size" = "614x552" ] || fail "client area is $size, not 614x552"
    # File menu, then Exit, from the keyboard.
    keys alt+f
    sleep 0.3
    keys e
    wait_for_exit
    check_settings Preview.cpf
}

scenario_open_by_ctrl_o() {
    cp "$program/schemes/default.clr" "$work/mine.clr"
    start_program
    keys ctrl+o
    sleep 1
    xdotool type --delay 20 "$work/mine.clr"
    xdotool key Return
    wait_for 100 window_named "mine.clr - $title" || fail "caption is \"$(xdotool getwindowname "$window")\""
    close_through_window_manager
    check_settings Preview.cpf
}

scenario_type_code_and_undo() {
    start_program
    # The first item, the map background, is selected at start; (30, 130) of the shipped preview
    # is map background.
    local x y before after undone
    x=$(preview_x 30)
    y=$(preview_y 130)
    before=$(pixel "$window" "$x" "$y")
    [ "$before" = "F2EFE9" ] || fail "map background shows as $before before editing"
    # Into the code field (at 208, 52 in the "Choose color" group at 312, 64).
    xdotool mousemove --window "$window" $((312 + 208 + 36)) $((64 + 52 + 10)) click --repeat 3 1
    sleep 0.2
    xdotool type --delay 60 "FF00FF"
    sleep 0.5
    after=$(pixel "$window" "$x" "$y")
    [ "$after" = "FF00FF" ] || fail "map background shows as $after after typing FF00FF"
    # Every keystroke was a change of its own: one Ctrl+Z takes back the last digit, six take
    # back all of them.
    keys ctrl+z
    sleep 0.3
    undone=$(pixel "$window" "$x" "$y")
    [ "$undone" = "0FF00F" ] || fail "map background shows as $undone after one Ctrl+Z"
    keys ctrl+z ctrl+z ctrl+z ctrl+z ctrl+z
    sleep 0.5
    undone=$(pixel "$window" "$x" "$y")
    [ "$undone" = "$before" ] || fail "map background shows as $undone after six Ctrl+Z"
    # Nothing is modified any more, so closing asks nothing.
    close_through_window_manager
    check_settings Preview.cpf
}

scenario_clipboard_convert() {
    start_program
    # A screenshot in the first reference colours: items 0, 1, 2 and 3 as four stripes.
    convert -size 40x10 xc:'#603030' -size 40x10 xc:'#903030' -size 40x10 xc:'#C03030' \
        -size 40x10 xc:'#F03030' -append "$work/reference.png"
    xclip -selection clipboard -t image/png -i "$work/reference.png" &
    sleep 1
    # Tools menu, then "Convert reference from clipboard...".
    keys alt+t
    sleep 0.3
    keys n
    sleep 1.5
    xdotool type --delay 20 "$work/converted.cpf"
    xdotool key Return
    wait_for 100 test -s "$work/converted.cpf" || fail "no preview file was written"
    sleep 1
    # The new preview is open: its first stripe is item 0, the map background.
    local shown
    shown=$(pixel "$window" "$(preview_x 5)" "$(preview_y 5)")
    [ "$shown" = "F2EFE9" ] || fail "the converted preview shows $shown where item 0 should be"
    close_through_window_manager
    check_settings "$work/converted.cpf"
}

# How many windows of the program are on screen.
visible_windows() {
    xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l
}

windows_on_screen() {
    [ "$(visible_windows)" = "$1" ]
}

scenario_dialog_leaves_nothing() {
    cp "$program/schemes/default.clr" "$work/mine.clr"
    start_program
    local before
    before=$(visible_windows)
    # Typing a name lets the dialog's completion popup appear; Enter accepts the name.
    keys ctrl+o
    sleep 1
    xdotool type --delay 60 "$work/mi"
    sleep 0.5
    xdotool type --delay 60 "ne.clr"
    sleep 0.3
    xdotool key Return
    wait_for 100 window_named "mine.clr - $title" || fail "caption is \"$(xdotool getwindowname "$window")\""
    sleep 0.5
    [ "$(visible_windows)" = "$before" ] ||
        fail "$(visible_windows) windows on screen after the dialog closed, $before before"
    close_through_window_manager
}

scenario_picker_by_keyboard() {
    start_program
    local before
    before=$(visible_windows)
    # From the list: Tab to the code field, Tab to the picker; Alt+Down opens the palette.
    xdotool mousemove --window "$window" 100 150 click 1
    sleep 0.3
    keys Tab Tab alt+Down
    wait_for 30 windows_on_screen $((before + 1)) || fail "Alt+Down opened no popup"
    keys Escape
    wait_for 30 windows_on_screen "$before" || fail "Escape left the popup open"
    # The keyboard is back on the picker: Tab goes on to the description field, where typing
    # renames the item and so makes closing ask.
    keys Tab x
    sleep 0.3
    wmctrl -i -c "$window"
    wait_for 30 window_named Tintwright || fail "no save question: the typing did not reach the description"
    # The question has the keyboard: Escape cancels, and the program stays.
    xdotool key Escape
    sleep 0.3
    kill -0 "$program_pid" || fail "Cancel in the save question closed the program"
    wmctrl -i -c "$window"
    wait_for 30 window_named Tintwright || fail "no save question the second time"
    xdotool key alt+n
    wait_for_exit
}

run_inside_session() {
    openbox >"$work/openbox.log" 2>&1 &
    sleep 0.5
    case "$scenario" in
    startup-and-close) scenario_startup_and_close ;;
    open-by-ctrl-o) scenario_open_by_ctrl_o ;;
    type-code-and-undo) scenario_type_code_and_undo ;;
    clipboard-convert) scenario_clipboard_convert ;;
    dialog-leaves-nothing) scenario_dialog_leaves_nothing ;;
    picker-by-keyboard) scenario_picker_by_keyboard ;;
    *) fail "unknown scenario $scenario" ;;
    esac
    echo "PASS: $scenario"
}

if [ "${TINTWRIGHT_E2E_INSIDE:-}" = 1 ]; then
    run_inside_session
    exit 0
fi

[ $# -eq 3 ] || {
    echo "usage: $0 <tintwright executable> <data folder> <scenario>" >&2
    exit 2
}
executable=$(realpath "$1")
data=$(realpath "$2")
scenario=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/tintwright-e2e-XXXXXX")
program="$work/program"
cleanup() {
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ "${TINTWRIGHT_E2E_KEEP:-}" = 1 ]; then
        echo "kept $work" >&2
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

mkdir -p "$program"
cp "$executable" "$program/"
# The help reader the build puts beside the executable.
cp "$(dirname "$executable")/tintwright-chm-reader" "$program/"
cp -r "$data"/. "$program/"

Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home"
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"
export work program scenario
TINTWRIGHT_E2E_INSIDE=1 dbus-run-session -- bash ${TINTWRIGHT_E2E_TRACE:+-x} "$0" || {
    echo "--- program output" >&2
    cat "$program/../program.log" >&2 2>/dev/null || true
    exit 1
}
