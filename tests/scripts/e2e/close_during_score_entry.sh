#!/bin/bash
# Closing the window through the window manager (Alt+F4: WM_DELETE_WINDOW) while a name is being
# typed into the score entry ends the game with status 0 and stores the score with the letters
# typed so far, in its place in the table.
# The way to the score entry is short (screens.sh: play_to_score_entry).
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

write_settings_for_score_entry
start_at_menu
play_to_score_entry
type_letter k
type_letter kw

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
