#!/bin/bash
# Alt+Return on the main menu switches to full screen: the window covers the whole X screen and shows
# the menu enlarged, still answering the arrows. Alt+Return again brings back the window with its
# 640 x 480 client area. Return with Alt held never chooses the menu item.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

read -r screen_width screen_height < <(xwininfo -root | awk '/^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print w, h }')

start_at_menu
expect_geometry windowed "[0-9]+ [0-9]+ 640 480"

chord Alt_L Return
expect_geometry "full screen" "0 0 $screen_width $screen_height"
# The whole screen shows the menu, enlarged 1.6 times, with the first item still chosen.
screen_menu 0
expect full-screen-menu 5 "$E2E_PROBES"
press Down
screen_menu 1
expect full-screen-menu-moved 5 "$E2E_PROBES"

chord Alt_L Return
expect_geometry "windowed again" "[0-9]+ [0-9]+ 640 480"
screen_menu 1
expect windowed-menu 5 "$E2E_PROBES"
# Still the menu, not the high-score table the second item leads to: the Return went to the switch.
expect_steady windowed-menu-stays 1 "$E2E_PROBES"

quit_from_menu 1
