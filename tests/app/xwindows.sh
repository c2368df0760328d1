# Shell helpers for driving the real program on an X display with xdotool and xwininfo (no window
# manager), sourced by install_xvfb.sh and packaging/check-package.sh. fail() is the caller's.

# "x y w h" of a window
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                             /^ *Width:/{w=$2} /^ *Height:/{h=$2} END{print x, y, w, h}'
}

# The visible window of a process with the given width and height, waiting up to $4 seconds.
find_window() {
    local pid=$1 w=$2 h=$3 tries=$(( $4 * 10 + 1 ))
    for _ in $(seq "$tries"); do
        for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            read -r _ _ ww hh < <(geometry "$id")
            if [ "$ww" = "$w" ] && [ "$hh" = "$h" ]; then echo "$id"; return 0; fi
        done
        sleep 0.1
    done
    return 1
}

# A visible window of the process with the given title, waiting up to $3 seconds.
find_titled() {
    local pid=$1 title=$2 tries=$(( $3 * 10 + 1 ))
    for _ in $(seq "$tries"); do
        for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            [ "$(xdotool getwindowname "$id")" = "$title" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# Clicks the menu button whose Top in twips is $2 in the main window $1 (the column is at Left 6592,
# 810 x 315 twips).
click_menu() {
    local x y
    read -r x y _ _ < <(geometry "$1")
    xdotool mousemove $(( x + 439 + 27 )) $(( y + $2 / 15 + 10 )) click 1
    sleep 0.5
}

# Waits for the program $1 to show its main window (a click shortens the splash); prints the window.
main_window() {
    local splash sx sy
    splash=$(find_window "$1" 427 215 20) || return 1
    read -r sx sy _ _ < <(geometry "$splash")
    xdotool mousemove $(( sx + 20 )) $(( sy + 20 )) click 1
    find_window "$1" 510 408 10
}

# Saves the card of program $1, main window $2, under the name $3 (ASCII): opens the save panel
# (ImSave, Top 3240), types the name over the selected default, presses 保存 (ComSave) and answers the
# confirmation.
save_card() {
    local pid=$1 main=$2 name=$3 x y w box bx by bw bh
    click_menu "$main" 3240
    read -r x y w _ < <(geometry "$main")
    [ "$w" = 733 ] || fail "the save panel did not open (window width $w)"
    xdotool type --delay 30 "$name"
    sleep 0.3
    # The panel lies at (508, 23) in the window, the button at (27, 100) in the panel, 67 x 22.
    xdotool mousemove $(( x + 508 + 27 + 33 )) $(( y + 23 + 100 + 11 )) click 1
    box=$(find_titled "$pid" "Velnor保存提示：" 10) || fail "no save confirmation"
    read -r bx by bw bh < <(geometry "$box")
    xdotool mousemove $(( bx + bw / 2 )) $(( by + bh / 2 )) click 1 key Return
    sleep 0.3
}

# Ends program $1 with the exit button of its main window $2 (ImgExit, Top 5640).
exit_program() {
    click_menu "$2" 5640
    for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

# True when $1 is a 24-bit BMP of a saved landscape card (340 x 207, 211194 bytes).
is_card_bmp() {
    [ -f "$1" ] && [ "$(head -c 2 "$1")" = BM ] && [ "$(stat -c %s "$1")" = 211194 ]
}
