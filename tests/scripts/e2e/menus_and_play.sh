#!/bin/bash
# From the logo through the options, the story and a few seconds of play to the pause menu, back to
# the main menu and out through its exit item. The game must end with status 0 (under the sanitizer
# build: no leak at exit) and leave the raised music volume in its settings file.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

scores=("900 AAA" "800 BBB" "700 CCC" "600 DDD" "500 EEE" "400 FFF" "300 GGG" "200 HHH" "100 III" "50 JJJ")
write_settings 50 30 "${scores[@]}"

e2e_launch game
e2e_wait_for_window

screen_logo
expect logo 15 "$E2E_PROBES"
press space
screen_menu 0
expect menu-new-game 10 "$E2E_PROBES"

press Down Down Down
screen_menu 3
expect menu-options 5 "$E2E_PROBES"
press Return
screen_options 0
expect options 10 "$E2E_PROBES"
# The music volume rises by 10 a second while Right is held.
hold 1.5 Right
expect options-after-raising 5 "$E2E_PROBES"
press Escape
screen_menu 0
expect menu-after-options 10 "$E2E_PROBES"
music=$(settings_volume music)
if [ -z "$music" ] || [ "$music" -lt 58 ] || [ "$music" -gt 90 ]; then
    e2e_fail "after 1.5 s of Right from 50 the stored music volume is '$music'"
fi
e2e_log "stored music volume after leaving the options: $music"

press Return
screen_story
expect story 10 "$E2E_PROBES"
# Two presses per line (one shows the line whole, one moves on), one for the long fourth line,
# which always shows whole: nine to the game.
press space space space space space space space space space
screen_play
add_player_at 300 400
expect_running play-start 10 "$E2E_PROBES"

# Fly into the bottom-left corner while firing. From (300, 400) at 200 pixels a second the corner
# is reached within 1.4 seconds; seven shots in two seconds spend more charge than comes back.
# (No enemy shot can hit this early: the first ones leave after 3 s and need 2.5 s to grow.)
hold 2 Left Down space
screen_play
add_player_at 31 454
add_charge_spent
expect play-corner-after-firing 3 "$E2E_PROBES"

press Escape
screen_pause 0
add_player_at 31 454
expect pause-resume 5 "$E2E_PROBES"
press Down
screen_pause 1
expect pause-quit 5 "$E2E_PROBES"
press Return
screen_menu 0
expect menu-after-quitting 10 "$E2E_PROBES"

press Up
screen_menu 5
expect menu-exit 5 "$E2E_PROBES"
press Return
e2e_expect_game_exit 30

[ "$(settings_volume music)" = "$music" ] || e2e_fail "the music volume changed to $(settings_volume music)"
[ "$(settings_volume fx)" = 30 ] || e2e_fail "the effect volume changed to $(settings_volume fx)"
expected=$(printf '%s\n' "${scores[@]}")
[ "$(settings_scores)" = "$expected" ] || e2e_fail "the high-score table changed: $(settings_scores)"
e2e_log "settings file: music $music, fx 30, table unchanged"
