#!/bin/bash
# The window carries the class of the game's desktop entry and the game's icon. On a 1920 x 1080
# screen the game opens at twice its size, 1280 x 960, every picture pixel a 2 x 2
# square. F11 switches to full screen at the screen's resolution, the picture as high as the screen
# with bars at the sides; the next start is in full screen again. F11 then gives back the window,
# which the player resizes to 1000 x 750: the start after that opens at that size.
E2E_SCREEN=1920x1080x24
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

# expect_viewport <name> <seconds> <WxH+X+Y> <probe lines>: as expect, on the part of the screenshot
# where the picture lies (a full screen with bars).
expect_viewport() {
    local name=$1 seconds=$2 area=$3 probes=$4
    e2e_shot_name "$name"
    local file=$E2E_SHOT cropped=$E2E_WORK/viewport.png
    local deadline=$(($(date +%s) + seconds))
    while :; do
        if capture "$file" && "$E2E_CONVERT" "$file" -crop "$area" +repage "$cropped" && check "$cropped" "$probes"; then
            e2e_log "screen: $name"
            return 0
        fi
        if [ "$(date +%s)" -ge "$deadline" ]; then
            cat "$E2E_WORK/mismatch" >&2
            e2e_fail "the screen \"$name\" did not show within $seconds seconds (see $(basename "$file"))"
        fi
        sleep 0.1
    done
}

# pixel <file> <x> <y>: the colour at (x, y) as RRGGBB.
pixel() {
    "$E2E_CONVERT" "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# Every 2 x 2 square of the window's screenshot <file> is one colour: picking one pixel of each and
# doubling it again gives the same picture.
expect_crisp_twice() {
    local file=$1 doubled=$E2E_WORK/doubled.png
    "$E2E_CONVERT" "$file" -sample 640x480! -sample 1280x960! "$doubled" || e2e_fail "cannot resample $file"
    local differ
    differ=$(compare -metric AE "$file" "$doubled" null: 2>&1 >/dev/null)
    [ "$differ" = 0 ] || e2e_fail "$differ pixels of $(basename "$file") are not in 2 x 2 squares of one colour"
    e2e_log "every picture pixel is a 2 x 2 square"
}

# exit_from_menu <name>: from the main menu's first item in a window, Up to Exit, then Return.
exit_from_menu() {
    press Up
    screen_menu 5
    expect "$1" 5 "$E2E_PROBES"
    press Return
    e2e_expect_game_exit 30
}

# The first start: no settings file.
e2e_launch game
e2e_wait_for_window
expect_window_identity
expect_geometry "twice the size" "[0-9]+ [0-9]+ 1280 960"
screen_logo
expect logo 15 "$E2E_PROBES"
press space
screen_menu 0
expect menu-at-twice-the-size 10 "$E2E_PROBES"
expect_crisp_twice "$E2E_SHOT"

press F11
expect_geometry "full screen" "0 0 1920 1080"
# 1080 rows are 2.25 times the picture's height: 1440 columns wide, bars of 240 on either side.
screen_menu 0
expect_viewport full-screen-menu 5 1440x1080+240+0 "$E2E_PROBES"
for at in "0 540" "239 0" "1680 1079" "1919 540"; do
    [ "$(pixel "$E2E_SHOT" $at)" = 000000 ] || e2e_fail "($at) is $(pixel "$E2E_SHOT" $at), not the bars' black"
done
[ "$(pixel "$E2E_SHOT" 240 540)" != 000000 ] || e2e_fail "the picture does not start at column 240"
press Down
screen_menu 1
expect_viewport full-screen-menu-moved 5 1440x1080+240+0 "$E2E_PROBES"
press Up Up
screen_menu 5
expect_viewport full-screen-menu-exit 5 1440x1080+240+0 "$E2E_PROBES"
press Return
e2e_expect_game_exit 30
grep -q '<display fullscreen="1" />' "$E2E_SETTINGS" || e2e_fail "full screen was not kept: $(cat "$E2E_SETTINGS")"
cp "$E2E_SETTINGS" "$E2E_ART/settings-after-first.xml"
mv "$E2E_ART/game.log" "$E2E_ART/game-first.log"

# The second start: in full screen at once; F11 gives back the window at twice the size.
e2e_launch game
e2e_wait_for_window
expect_geometry "full screen again" "0 0 1920 1080"
press space
screen_menu 0
expect_viewport full-screen-menu-again 10 1440x1080+240+0 "$E2E_PROBES"
press F11
expect_geometry "a window again" "[0-9]+ [0-9]+ 1280 960"
expect windowed-menu 5 "$E2E_PROBES"
xdotool windowsize "$E2E_WINDOW" 1000 750
expect_geometry "resized" "[0-9]+ [0-9]+ 1000 750"
expect resized-menu 5 "$E2E_PROBES"
exit_from_menu resized-menu-exit
grep -q '<display fullscreen="0" width="1000" height="750" />' "$E2E_SETTINGS" ||
    e2e_fail "the window's size was not kept: $(cat "$E2E_SETTINGS")"
cp "$E2E_SETTINGS" "$E2E_ART/settings-after-second.xml"
mv "$E2E_ART/game.log" "$E2E_ART/game-second.log"

# The third start: the size the player chose.
e2e_launch game
e2e_wait_for_window
expect_geometry "the chosen size" "[0-9]+ [0-9]+ 1000 750"
press space
screen_menu 0
expect chosen-size-menu 10 "$E2E_PROBES"
exit_from_menu chosen-size-menu-exit
