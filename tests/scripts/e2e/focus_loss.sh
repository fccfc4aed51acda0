#!/bin/bash
# Another window taking the focus: over the main menu nothing happens; during play the pause screen
# comes up, once. One P (or Escape) leaves it, as after a pause by key, and so does the resume item,
# each taking the one pause screen away. Escape then pauses and resumes as usual, and the game quits
# to the menu and ends with status 0.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"
e2e_require_tools xmessage

e2e_launch game
e2e_wait_for_window

# A window of another program that can take the focus; activating one of the two windows moves the
# focus between them.
xmessage -geometry 300x80+0+0 "another program" >/dev/null 2>&1 &
thief_pid=$!
E2E_HELPER_PIDS="$E2E_HELPER_PIDS $thief_pid"
thief=""
for _ in $(seq 100); do
    thief=$(xdotool search --onlyvisible --class Xmessage 2>/dev/null | head -n 1)
    [ -n "$thief" ] && break
    sleep 0.1
done
[ -n "$thief" ] || e2e_fail "the xmessage window did not appear"

e2e_focus "$E2E_WINDOW"
logo_to_menu

# Over the menu a lost focus pushes nothing: the menu stays and still answers the arrows.
e2e_focus "$thief"
sleep 0.5
e2e_focus "$E2E_WINDOW"
add_no_pause_panel
expect_steady menu-after-losing-focus 1 "$E2E_PROBES"
press Down
screen_menu 1
expect menu-moved 5 "$E2E_PROBES"
press Up
screen_menu 0
expect menu-back 5 "$E2E_PROBES"

press Return
story_to_play

e2e_focus "$thief"
e2e_log "the other window has the focus"
screen_pause 0
expect pause-after-losing-focus 5 "$E2E_PROBES"
e2e_focus "$E2E_WINDOW"
e2e_log "the game has the focus again"
expect_steady pause-with-focus-back 1 "$E2E_PROBES"

# One P leaves it, tapped as `xdotool key` sends it: press and release together.
tap p
screen_play
expect_running play-after-one-p 5 "$E2E_PROBES"

# Once more, left through the resume item: that takes exactly one pause screen off the stack, so
# a second one pushed by the same loss of focus would now be showing.
e2e_focus "$thief"
screen_pause 0
expect pause-after-losing-focus-again 5 "$E2E_PROBES"
e2e_focus "$E2E_WINDOW"
press Return
screen_play
expect_running play-after-resume-item 5 "$E2E_PROBES"

# The ordinary pause: one Escape in, one Escape out.
pause_and_resume Escape

quit_play_to_menu
quit_from_menu 0
