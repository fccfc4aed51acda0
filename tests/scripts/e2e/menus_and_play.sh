#!/bin/bash
# From the logo through the options, the story and a few seconds of play to the pause menu, back to
# the main menu and out through its exit item. The game must end with status 0 (under the sanitizer
# build: no leak at exit) and leave the raised music volume in its settings file.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

scores=("900 AAA" "800 BBB" "700 CCC" "600 DDD" "500 EEE" "400 FFF" "300 GGG" "200 HHH" "100 III" "50 JJJ")
write_settings 50 30 "${scores[@]}"

start_at_menu menu-new-game
raise_music
music=$E2E_MUSIC

press Return
story_to_play add_player_at 300 400

# Fly into the bottom-left corner while firing. From (300, 400) at 200 pixels a second the corner
# is reached within 1.4 seconds; seven shots in two seconds spend more charge than comes back.
# (No enemy shot can hit this early: the first ones leave after 3 s and need 2.5 s to grow.)
hold 2 Left Down space
screen_play
add_player_at 31 454
add_charge_spent
expect play-corner-after-firing 3 "$E2E_PROBES"

quit_play_to_menu add_player_at 31 454
quit_from_menu 0

[ "$(settings_volume music)" = "$music" ] || e2e_fail "the music volume changed to $(settings_volume music)"
[ "$(settings_volume fx)" = 30 ] || e2e_fail "the effect volume changed to $(settings_volume fx)"
expected=$(printf '%s\n' "${scores[@]}")
[ "$(settings_scores)" = "$expected" ] || e2e_fail "the high-score table changed: $(settings_scores)"
e2e_log "settings file: music $music, fx 30, table unchanged"
