#!/bin/bash
# Closing the window through the window manager (Alt+F4: WM_DELETE_WINDOW) while a name is being
# typed into the score entry ends the game with status 0 and stores the score with the letters
# typed so far, in its place in the table.
#
# The way to the score entry is short: the table's lowest entries hold negative points, so the 0
# points of a fresh game beat them. In play, 3 makes the next level the third and 2 ends the
# running level; after the third the game is complete and the score entry opens.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

write_settings 40 60 "900 AAA" "800 BBB" "700 CCC" "600 DDD" "500 EEE" "400 FFF" "300 GGG" "200 HHH" \
    "-1 III" "-1 JJJ"

start_at_menu
press Return
story_to_play

# The third level's start loads its ground picture in one long frame. A key pressed and let go
# within that frame would never be seen down: the 2 comes well after it and is held for a while
# (the game acts on the press only, not on a key that stays down).
hold 0.5 3
sleep 0.5
hold 0.5 2
screen_score_entry ""
expect score-entry 10 "$E2E_PROBES"

press k
screen_score_entry k
expect score-entry-k 5 "$E2E_PROBES"
press w
screen_score_entry kw
expect score-entry-kw 5 "$E2E_PROBES"

chord Alt_L F4
e2e_expect_game_exit 30

[ "$(settings_volume music)" = 40 ] || e2e_fail "the music volume changed to $(settings_volume music)"
[ "$(settings_volume fx)" = 60 ] || e2e_fail "the effect volume changed to $(settings_volume fx)"
# The new entry goes before the first with fewer points; the entries after it move down and the
# last falls off. Negative points are stored as 0.
expected=$(printf '%s\n' "900 AAA" "800 BBB" "700 CCC" "600 DDD" "500 EEE" "400 FFF" "300 GGG" "200 HHH" \
    "0 kw" "0 III")
table=$(settings_scores)
if [ "$table" != "$expected" ]; then
    echo "stored table:" >&2
    echo "$table" >&2
    e2e_fail "the table in the settings file is not the expected one"
fi
e2e_log "the settings file holds the new entry \"kw\" with 0 points as ninth"
