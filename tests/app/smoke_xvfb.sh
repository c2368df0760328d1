#!/usr/bin/env bash
# The real program in a real window on a virtual X display (1024 x 768, 96 dpi, no window manager):
# the main window appears at 510 x 408 centred, a panel button widens and re-centres it and narrows it
# again, a second start shows the warning and ends while the first keeps running, the exit button ends
# the program; two starts at once leave one running; a crashed run does not block the next. Usage: smoke_xvfb.sh path/to/velnor. Exit 77 (skipped) when the X tools are missing.
set -u
velnor=$1

if [ -z "${VELNOR_SMOKE_INSIDE:-}" ]; then
    for tool in xvfb-run xdotool xwininfo; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    export VELNOR_SMOKE_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
# A lock of our own, so a copy the developer is running does not count as the first start.
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "  window $id '$(xdotool getwindowname "$id")' at $(geometry "$id")"
    done
    exit 1
}

# geometry, find_window
. "$(dirname "$0")/xwindows.sh"

expect_geometry() { # window, expected "x y w h", what
    local got
    got=$(geometry "$1")
    [ "$got" = "$2" ] || fail "$3: window at '$got', expected '$2'"
    echo "ok: $3 ($got)"
}

# A menu button's middle, from its Top in twips (the column is at Left 6592, 810 x 315).
click_button() {
    local x y
    read -r x y _ _ < <(geometry "$main")
    xdotool mousemove $(( x + 439 + 27 )) $(( y + $1 / 15 + 10 )) click "${2:-1}"
    sleep 0.4
}

"$velnor" &
first=$!
pids+=("$first")
# The splash closes by itself after four seconds and shrinks away.
main=$(find_window "$first" 510 408 20) || fail "the main window did not appear at 510 x 408"
sleep 0.3
expect_geometry "$main" "257 180 510 408" "main window after start"

click_button 420                      # ImgPage
expect_geometry "$main" "199 180 626 408" "page panel open"
click_button 2580                     # ImgHide: closes the page panel, opens its own
expect_geometry "$main" "185 180 654 408" "visibility panel open"
click_button 2580 3                   # the right button acts as well
expect_geometry "$main" "257 180 510 408" "panel closed"

"$velnor" &
second=$!
pids+=("$second")
box=""
for _ in $(seq 300); do
    box=$(xdotool search --onlyvisible --pid "$second" 2>/dev/null | head -1)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "the second start showed no warning"
[ "$(xdotool getwindowname "$box")" = "Velnor" ] || fail "the warning is not captioned Velnor"
read -r bx by bw bh < <(geometry "$box")
xdotool mousemove $(( bx + bw / 2 )) $(( by + bh / 2 )) click 1 key Return
for _ in $(seq 50); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && fail "the second start did not end"
wait "$second"
echo "ok: second start warned and ended"
kill -0 "$first" 2>/dev/null || fail "the first copy ended too"
expect_geometry "$main" "257 180 510 408" "first copy undisturbed"

click_button 5640                     # ImgExit
for _ in $(seq 50); do kill -0 "$first" 2>/dev/null || break; sleep 0.1; done
kill -0 "$first" 2>/dev/null && fail "the exit button did not end the program"
wait "$first"
status=$?
[ "$status" = 0 ] || fail "the program ended with status $status"
echo "ok: exit button ended the program"

# Two starts at the same moment leave exactly one running.
"$velnor" & a=$!
"$velnor" & b=$!
pids+=("$a" "$b")
# Wait until both have a window: one the splash, the other the warning, which is answered.
box=""
for _ in $(seq 300); do
    wa=$(xdotool search --onlyvisible --pid "$a" 2>/dev/null | head -1)
    wb=$(xdotool search --onlyvisible --pid "$b" 2>/dev/null | head -1)
    if [ -n "$wa" ] && [ -n "$wb" ]; then
        read -r _ _ w _ < <(geometry "$wa")
        if [ "$w" = 427 ]; then box=$wb; else box=$wa; fi
        break
    fi
    sleep 0.1
done
[ -n "$box" ] || fail "two simultaneous starts did not give one splash and one warning"
read -r bx by bw bh < <(geometry "$box")
xdotool mousemove $(( bx + bw / 2 )) $(( by + bh / 2 )) click 1 key Return
# The warned copy ends once its box is answered; a loaded machine may take a while.
for _ in $(seq 100); do
    alive=0
    for p in "$a" "$b"; do kill -0 "$p" 2>/dev/null && { alive=$((alive + 1)); survivor=$p; }; done
    [ "$alive" = 1 ] && break
    sleep 0.1
done
[ "$alive" = 1 ] || fail "two simultaneous starts left $alive running"
echo "ok: two simultaneous starts left one running"

# A crashed run's lock does not block the next start; a click on the splash shortens it.
kill -9 "$survivor"
wait "$survivor" 2>/dev/null
"$velnor" & again=$!
pids+=("$again")
splash=$(find_window "$again" 427 215 10) || fail "no splash after a crashed run"
read -r sx sy sw sh < <(geometry "$splash")
xdotool mousemove $(( sx + 20 )) $(( sy + 20 )) click 1
main=$(find_window "$again" 510 408 3) || fail "a click on the splash did not bring the main window"
echo "ok: started again after a crashed run"
