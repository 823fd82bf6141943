#!/usr/bin/env bash
# Drives the real executable from outside: a private X server, a small window manager and a
# private session bus, the program copied with its data into a temporary program folder.
#
# usage: run-e2e.sh <tintwright executable> <data folder> <scenario>
# scenarios: startup-and-close, open-by-ctrl-o, type-code-and-undo, clipboard-convert,
#            dialog-leaves-nothing, picker-by-keyboard, switch-language, macros-over-dbus,
#            drop-files (needs TINTWRIGHT_DRAG_SOURCE: the drag source program), custom-colors,
#            hover-readout, legibility
set -euo pipefail

title="Tintwright for TomTom Navigator"

fail() {
    echo "FAIL: $*" >&2
    # What the screen showed, for a run kept with TINTWRIGHT_E2E_KEEP=1.
    [ -n "${DISPLAY:-}" ] && import -window root "$work/failure.png" 2>/dev/null || true
    exit 1
}

# The polling helper the test scripts share.
source "$(dirname "${BASH_SOURCE[0]}")/../wait-for.sh"

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
    (cd "$program" && exec env ${program_env:-} ./tintwright) >"$work/program.log" 2>&1 &
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

# Closes a modified document: the save question comes, and No ("Nein" alike) lets it close.
close_without_saving() {
    wmctrl -i -c "$window"
    wait_for 30 window_named Tintwright || fail "no save question at close"
    xdotool key alt+n
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
    close_without_saving
}

scenario_switch_language() {
    start_program
    # Tools > Switch language..., from the keyboard. The list preselects English, the language in
    # use; Deutsch comes before it.
    keys alt+t
    sleep 0.3
    keys s
    wait_for 50 window_named "Switch language" || fail "the language chooser did not open"
    xdotool key Up Return
    title="Tintwright f.*r TomTom Navigator"
    wait_for 50 main_window || fail "no German title after choosing Deutsch"
    close_through_window_manager
    grep -q "DefaultLanguage=Deutsch.clf" "$program/tintwright.ini" || fail "the choice was not kept"

    # The next start is German again, and so are Qt's own texts, even in an English session: the
    # save question's "Ja" (Alt+J) opens the save dialog, "Speichern unter".
    program_env="LANG=en_US.UTF-8 LANGUAGE=en" start_program
    xdotool mousemove --window "$window" $((312 + 208 + 36)) $((64 + 52 + 10)) click --repeat 3 1
    sleep 0.2
    xdotool type --delay 60 "FF"
    sleep 0.3
    wmctrl -i -c "$window"
    wait_for 30 window_named Tintwright || fail "no save question"
    xdotool key alt+j
    wait_for 50 window_named "Speichern unter" || fail "no German save dialog after Alt+J"
    xdotool key Escape
    sleep 0.5
    # Cancelling the save stops the close.
    kill -0 "$program_pid" || fail "the program closed although nothing was saved"
    close_without_saving
}

# The palette popup: the program's tallest visible window besides the main one (tool tips are
# visible windows of the program too, but short).
popup_window() {
    local id height best="" best_height=100
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        [ "$id" = "$window" ] && continue
        height=$(xwininfo -id "$id" | awk '/Height:/ {print $2}')
        if [ "${height:-0}" -gt "$best_height" ]; then
            best=$id
            best_height=$height
        fi
    done
    [ -n "$best" ] && echo "$best"
}

window_height() {
    xwininfo -id "$1" | awk '/Height:/ {print $2}'
}

popup_shown() {
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable
}

popup_hidden() {
    ! popup_shown "$1"
}

popup_taller_than() {
    [ "$(window_height "$1")" -gt "$2" ]
}

# The picker's arrow part: the right 15 pixels of the picker at 208, 20 (73 x 21) in the "Choose
# color" group at 312, 64.
open_palette() {
    xdotool mousemove --window "$window" $((312 + 208 + 73 - 8)) $((64 + 20 + 10)) click 1
    wait_for 30 popup_window || fail "the arrow opened no popup"
    popup=$(popup_window)
}

scenario_custom_colors() {
    start_program
    local x y before popup collapsed expanded top centre cell shown darker
    x=$(preview_x 30)
    y=$(preview_y 130)
    before=$(pixel "$window" "$x" "$y")
    [ "$before" = "F2EFE9" ] || fail "map background shows as $before before editing"

    open_palette
    collapsed=$(window_height "$popup")
    # "Custom colors" sits below the grid, from 98 down.
    xdotool mousemove --window "$popup" 40 105 click 1
    wait_for 30 popup_taller_than "$popup" "$collapsed" || fail "\"Custom colors\" did not expand the popup"
    expanded=$(window_height "$popup")
    popup_shown "$popup" || fail "\"Custom colors\" closed the popup"
    # The expanded popup ends 152 pixels below the honeycomb's top: its square of 126, the grey
    # row's 22 and the frame's 4. The honeycomb's centre is 63 pixels into the square, 10 from
    # the popup's left; the first cell of ring 3 towards red lies 14 right of it and 24 down.
    top=$((expanded - 152))
    centre=$(pixel "$popup" 73 $((top + 63)))
    [ "$centre" = "FFFFFF" ] || fail "the honeycomb's centre shows as $centre"
    cell=$(pixel "$popup" 87 $((top + 87)))
    [ "$cell" = "FF7F7F" ] || fail "ring 3 towards red shows as $cell"
    xdotool mousemove --window "$popup" 87 $((top + 87)) mousedown 1
    sleep 0.2
    xdotool mouseup 1
    wait_for 30 popup_hidden "$popup" || fail "a press and release on a hexagon left the popup open"
    sleep 0.3
    shown=$(pixel "$window" "$x" "$y")
    [ "$shown" = "$cell" ] || fail "map background shows as $shown after choosing $cell"

    # The colour is the honeycomb's, so the popup opens expanded. A slider drag (the slider is
    # 20 wide right of the honeycomb, from 11 below its top) darkens the centre and keeps the
    # popup open.
    open_palette
    [ "$(window_height "$popup")" = "$expanded" ] || fail "the popup opened collapsed for $cell"
    xdotool mousemove --window "$popup" 140 $((top + 16)) mousedown 1
    sleep 0.2
    xdotool mousemove --window "$popup" 140 $((top + 71))
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    popup_shown "$popup" || fail "the popup closed after a slider drag"
    darker=$(pixel "$popup" 73 $((top + 63)))
    # 60 of the slider's 104 pixels down: intensity 0.423, centre 108 = 6C.
    [ "$darker" = "6C6C6C" ] || fail "the honeycomb's centre shows as $darker after the drag"
    xdotool key Escape
    wait_for 30 popup_hidden "$popup" || fail "Escape left the popup open"
    shown=$(pixel "$window" "$x" "$y")
    [ "$shown" = "$cell" ] || fail "map background shows as $shown after the slider drag"

    # The change made the document modified: closing asks, and No ends the program.
    close_without_saving
}

# Sends a macro to the running editor, as another program would; waits for the answer.
execute_macro() {
    dbus-send --session --print-reply --type=method_call --dest=org.tintwright.tintwright \
        /System org.tintwright.System.Execute "string:$1" >"$work/dbus-reply" 2>&1
}

scenario_macros_over_dbus() {
    cp "$program/schemes/default.clr" "$work/night.clr"
    cp "$program/schemes/default.clr" "$work/day.clr"
    cp "$program/previews/Preview.cpf" "$work/city.cpf"
    start_program
    wait_for 50 execute_macro "[Open($work/x.clr)]" || fail "the service does not answer"
    # Two commands in order with a malformed one between; the preview is the second.
    execute_macro "[Open(\"$work/night.clr\")] [Close(x)] [preview($work/city.cpf)]" ||
        fail "no answer: $(cat "$work/dbus-reply")"
    wait_for 30 window_named "night.clr - $title" || fail "Open did not run"
    # Every request is answered, recognised or not, and changes nothing.
    for macro in "] [Open($work/day.clr)]" "Open($work/day.clr)" "[Nothing(x)]"; do
        execute_macro "$macro" || fail "\"$macro\" got no acknowledgement"
    done
    sleep 0.3
    window_named "night.clr - $title" || fail "a macro that runs nothing changed the document"
    # Open on a modified document asks first, while the caller waits for its answer.
    xdotool mousemove --window "$window" $((312 + 208 + 36)) $((64 + 52 + 10)) click --repeat 3 1
    xdotool type --delay 60 "FF"
    execute_macro "[Open($work/day.clr)]" &
    local caller=$!
    wait_for 50 window_named Tintwright || fail "no save question for Open"
    kill -0 "$caller" || fail "the caller was answered before the question"
    xdotool key alt+n
    wait "$caller" || fail "Open got no acknowledgement"
    wait_for 30 window_named "day.clr - $title" || fail "Open after the question did not run"
    # Preview and Language store a path even when no file is there.
    execute_macro "[Preview($work/missing.cpf)][Language($work/missing.clf)]" || fail "no answer"
    close_through_window_manager
    grep -q "DefaultPreview=$work/missing.cpf" "$program/tintwright.ini" || fail "preview not kept"
    grep -q "DefaultLanguage=$work/missing.clf" "$program/tintwright.ini" || fail "language not kept"
}

# Drags the files from the drag source onto the editor window; the source says whether the
# drop was taken. A drag that the window manager swallowed is tried again.
drag_onto_editor() {
    local source source_pid
    for ((try = 0; try < 3; try++)); do
        "$TINTWRIGHT_DRAG_SOURCE" "$@" >"$work/drag.log" 2>&1 &
        source_pid=$!
        wait_for 50 window_named "Drag source" || fail "the drag source did not start"
        source=$(xdotool search --onlyvisible --name "^Drag source\$" | head -n 1)
        xdotool mousemove --window "$source" 100 60 mousedown 1
        sleep 0.3
        xdotool mousemove --window "$source" 110 65
        sleep 0.1
        xdotool mousemove --window "$window" 150 300
        sleep 0.2
        xdotool mousemove --window "$window" 155 305
        sleep 0.3
        xdotool mouseup 1
        wait_for 30 grep -q "accepted\|ignored" "$work/drag.log"
        kill "$source_pid" 2>/dev/null || true
        wait "$source_pid" 2>/dev/null || true
        grep -q accepted "$work/drag.log" && return 0
    done
    fail "the editor took none of three drags: $(cat "$work/drag.log")"
}

scenario_drop_files() {
    [ -x "${TINTWRIGHT_DRAG_SOURCE:-}" ] || fail "TINTWRIGHT_DRAG_SOURCE names no drag source"
    cp "$program/schemes/default.clr" "$work/NIGHT.CLR"
    cp "$program/schemes/default.clr" "$work/second.clr"
    cp "$program/previews/Preview.cpf" "$work/third.cpf"
    start_program
    # Three files: only the first is opened, whatever the letter case of its extension.
    drag_onto_editor "$work/NIGHT.CLR" "$work/second.clr" "$work/third.cpf"
    wait_for 50 window_named "NIGHT.CLR - $title" || fail "caption is \"$(xdotool getwindowname "$window")\" after the drag: $(cat "$work/drag.log")"
    sleep 0.5
    window_named "NIGHT.CLR - $title" || fail "a later file of the drop was opened too"
    close_through_window_manager
    check_settings Preview.cpf
}

scenario_hover_readout() {
    start_program
    local before
    before=$(visible_windows)
    # Over the main road of the shipped preview a tooltip names the item; it follows the pointer
    # along the road without going away, and goes when the pointer leaves the preview.
    xdotool mousemove --window "$window" "$(preview_x 57)" "$(preview_y 96)"
    sleep 0.2
    xdotool mousemove --window "$window" "$(preview_x 58)" "$(preview_y 96)"
    wait_for 30 windows_on_screen $((before + 1)) || fail "no tooltip over the preview"
    xdotool mousemove --window "$window" "$(preview_x 59)" "$(preview_y 97)"
    sleep 0.3
    windows_on_screen $((before + 1)) || fail "the tooltip went while the pointer moved on the road"
    # Into the gap between the groups, where nothing has a tooltip.
    xdotool mousemove --window "$window" 304 300
    wait_for 30 windows_on_screen "$before" || fail "the tooltip stayed after the pointer left"
    close_through_window_manager
    # The read-outs change nothing: the settings are what they always were.
    check_settings Preview.cpf
}

# The count of pairs hard to tell apart in the legibility window's title.
legibility_count() {
    local id
    id=$(xdotool search --onlyvisible --name '^Legibility: [0-9]+ pairs? hard to tell apart$' |
        head -n 1)
    [ -n "$id" ] || return 1
    xdotool getwindowname "$id" | sed -E 's/^Legibility: ([0-9]+) .*/\1/'
}

legibility_count_above() {
    local count
    count=$(legibility_count) && [ "$count" -gt "$1" ]
}

scenario_legibility() {
    start_program
    keys ctrl+l
    wait_for 50 legibility_count || fail "Ctrl+L opened no legibility window"
    local before
    before=$(legibility_count)
    # Water (at 195, 9 of the shipped preview) takes the colour of the water border it touches:
    # one more pair is hard to tell apart.
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool mousemove --window "$window" "$(preview_x 195)" "$(preview_y 9)" click 1
    sleep 0.3
    xdotool mousemove --window "$window" $((312 + 208 + 36)) $((64 + 52 + 10)) click --repeat 3 1
    sleep 0.2
    xdotool type --delay 60 "78AABE"
    wait_for 30 legibility_count_above "$before" ||
        fail "the title still counts $(legibility_count) pairs, $before before the change"
    close_without_saving
    check_settings Preview.cpf
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
    switch-language) scenario_switch_language ;;
    macros-over-dbus) scenario_macros_over_dbus ;;
    drop-files) scenario_drop_files ;;
    custom-colors) scenario_custom_colors ;;
    hover-readout) scenario_hover_readout ;;
    legibility) scenario_legibility ;;
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
