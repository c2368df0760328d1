#!/usr/bin/env bash
# The keys and tooltips in real windows on a virtual X display (1024 x 768, 96 dpi, no window manager):
# Ctrl+S opens the save panel with its name box focused and Enter there saves; F1 opens the help panel;
# Esc closes the open panel, the settings dialog, the print window and the browser; Delete in the browser
# deletes the chosen card after the question; a menu button shows its tooltip. The program runs from a
# copy in a folder of its own, so its card folder is the test's. Usage: keys_xvfb.sh path/to/velnor.
# Exit 77 (skipped) when the X tools are missing.
set -u
velnor=$1

if [ -z "${VELNOR_KEYS_INSIDE:-}" ]; then
    for tool in xvfb-run xdotool xwininfo; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    export VELNOR_KEYS_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
cp "$velnor" "$work/velnor"
XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        echo "  window $id '$(xdotool getwindowname "$id")' at $(geometry "$id")"
    done
    exit 1
}

. "$(dirname "$0")/xwindows.sh" # geometry, find_window (of a process)

# The program's visible window of the given size, waiting up to $3 seconds.
program_window() { find_window "$pid" "$@"; }

# Waits until no visible window of that size is left (up to $3 seconds).
gone() {
    local w=$1 h=$2
    for _ in $(seq $(( $3 * 10 + 1 ))); do
        program_window "$w" "$h" 0 >/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# The program's visible window titled $1 (a message box), waiting up to 5 seconds.
find_box() {
    for _ in $(seq 51); do
        for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            [ "$(xdotool getwindowname "$id")" = "$1" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# Keys go to the window that has the keyboard; without a window manager it is given by hand.
keys_to() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
    shift
    xdotool key --delay 50 "$@"
    sleep 0.4
}

width_is() { # expected width of the main window, what
    local w
    for _ in $(seq 20); do
        read -r _ _ w _ < <(geometry "$main")
        [ "$w" = "$1" ] && { echo "ok: $2 (width $w)"; return 0; }
        sleep 0.1
    done
    fail "$2: main window $w wide, expected $1"
}

# A menu button's middle, from its Top in twips (the column is at Left 6592, 810 x 315).
click_button() {
    local x y
    read -r x y _ _ < <(geometry "$main")
    xdotool mousemove $(( x + 439 + 27 )) $(( y + $1 / 15 + 10 )) click 1
    sleep 0.4
}

"$work/velnor" &
pid=$!
splash=$(program_window 427 215 20) || fail "no splash"
read -r sx sy _ _ < <(geometry "$splash")
xdotool mousemove $(( sx + 20 )) $(( sy + 20 )) click 1
main=$(program_window 510 408 10) || fail "the main window did not appear"
sleep 0.3

# Save twice through the keys: Ctrl+S, a name typed over the selected default, Enter.
for name in keyone keytwo; do
    keys_to "$main" ctrl+s
    width_is 733 "Ctrl+S opened the save panel"
    xdotool type --delay 30 "$name"
    xdotool key Return
    box=$(find_box "Velnor保存提示：") || fail "Enter in the name box did not save"
    keys_to "$box" Return
    width_is 510 "the save panel closed after saving"
    [ -f "$work/mycard/$name.bmp" ] || fail "mycard/$name.bmp was not written"
    echo "ok: Enter saved mycard/$name.bmp"
done

keys_to "$main" F1
width_is 761 "F1 opened the help panel"
keys_to "$main" Escape
width_is 510 "Esc closed the help panel"
keys_to "$main" ctrl+s
width_is 733 "Ctrl+S opened the save panel"
keys_to "$main" Escape
width_is 510 "Esc in the name box closed the save panel"
[ "$(ls "$work/mycard" | grep -c "\.bmp$")" = 2 ] || fail "Esc saved something"

# With a drop-down list open, Esc closes the list alone; the next Esc closes the panel.
click_button 1284 # ImgTxt
width_is 733 "the text panel opened"
read -r mx my _ _ < <(geometry "$main")
windows=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
xdotool mousemove $(( mx + 508 + 127 + 70 )) $(( my + 24 + 18 + 10 )) click 1 # ComboFontObj's arrow
for _ in $(seq 30); do
    [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt "$windows" ] && break
    sleep 0.1
done
[ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt "$windows" ] ||
    fail "ComboFontObj's list did not open"
xdotool key Escape
sleep 0.5
width_is 733 "Esc closed the open list, not the panel"
[ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" = "$windows" ] || fail "the list stayed open"
keys_to "$main" Escape
width_is 510 "the next Esc closed the text panel"

# A tooltip under the pointer resting on a menu button.
read -r mx my _ _ < <(geometry "$main")
before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
xdotool mousemove $(( mx + 466 )) $(( my + 420 / 15 + 10 ))
tip=""
for _ in $(seq 40); do
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$id" = "$main" ] && continue
        read -r _ _ tw th < <(geometry "$id")
        [ "$th" -lt 40 ] && [ "$tw" -gt 20 ] && tip=$id
    done
    [ -n "$tip" ] && break
    sleep 0.1
done
[ -n "$tip" ] || fail "no tooltip over the page button (windows before: $before)"
echo "ok: tooltip shown over ImgPage ($(geometry "$tip"))"
xdotool mousemove $(( mx + 200 )) $(( my + 200 ))
sleep 0.3

# The settings dialog closes with Esc.
click_button 4080 # ImgSet
dialog=$(program_window 636 145 5) || fail "the settings dialog did not open"
keys_to "$dialog" Escape
gone 636 145 3 || fail "Esc did not close the settings dialog"
echo "ok: Esc closed the settings dialog"

# The browser: Delete asks, Yes deletes; the print window and the browser close with Esc.
click_button 3660 # ImgView
browser=$(program_window 510 395 5) || fail "the browser did not open"
read -r bx by _ _ < <(geometry "$browser")
# The first entry of `File1` (6030, 600 twips in the client area).
xdotool mousemove $(( bx + 1 + 402 + 20 )) $(( by + 1 + 40 + 7 )) click 1
sleep 0.4
keys_to "$browser" Delete
box=$(find_box "Velnor删除警告！") || fail "Delete did not ask before deleting"
keys_to "$box" Return
box=$(find_box "Velnor删除提示") || fail "no message after deleting"
keys_to "$box" Return
[ -f "$work/mycard/keyone.bmp" ] && fail "Delete and Yes did not delete keyone.bmp"
[ -f "$work/mycard/keytwo.bmp" ] || fail "Delete removed the wrong card"
echo "ok: Delete deleted the chosen card after the question"

xdotool mousemove $(( bx + 1 + 402 + 20 )) $(( by + 1 + 40 + 7 )) click 1
sleep 0.4
xdotool mousemove $(( bx + 1 + 400 + 25 )) $(( by + 1 + 363 + 11 )) click 1 # CmdPrint
print=$(program_window 746 571 5) || fail "the print window did not open"
keys_to "$print" Escape
gone 746 571 3 || fail "Esc did not close the print window"
browser=$(program_window 510 395 3) || fail "the browser did not come back"
echo "ok: Esc closed the print window"
keys_to "$browser" Escape
gone 510 395 3 || fail "Esc did not close the browser"
main=$(program_window 510 408 3) || fail "the main window did not come back"
echo "ok: Esc closed the browser"

click_button 5640 # ImgExit
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the exit button did not end the program"
pid=""
echo "ok: all keys"
