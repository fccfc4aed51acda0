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

# The first start: no settings file.
e2e_launch game
e2e_wait_for_window
expect_window_identity
expect_geometry "twice the size" "[0-9]+ [0-9]+ 1280 960"
logo_to_menu menu-at-twice-the-size
expect_crisp_twice "$E2E_SHOT"

menu_full_screen
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
quit_from_menu 0 resized-menu-exit
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
quit_from_menu 0 chosen-size-menu-exit
