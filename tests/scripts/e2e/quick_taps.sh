#!/bin/bash
# Keys tapped as remote desktops, on-screen keyboards, macro keys and `xdotool key` send them: press
# and release together, shorter than a frame. Each tap must act once: from the logo through the menu
# and the story into play, shots fired by single taps, a pause by P left by P, and out through the
# pause menu and the exit item.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

# Every key of this test is tapped, those of the routes of screens.sh too.
press() {
    tap "$@"
}

start_at_menu
tap Down
screen_menu 1
expect menu-after-one-tap 5 "$E2E_PROBES"
tap Down Down
screen_menu 3
expect menu-after-two-more 5 "$E2E_PROBES"
tap Up Up Up
screen_menu 0
expect menu-back-at-new-game 5 "$E2E_PROBES"

tap Return
story_to_play

# Three shots, each a tap, further apart than the fire timer: the bar shows the charge spent.
tap space
sleep 0.3
tap space
sleep 0.3
tap space
screen_play
add_charge_spent
expect play-after-tapped-shots 3 "$E2E_PROBES"

pause_and_resume p

quit_play_to_menu
quit_from_menu 0
