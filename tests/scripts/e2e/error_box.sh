#!/bin/bash
# A box stuck on the screen never keeps the game from ending or from starting again. The menu music
# is a 32-bit float WAV, so the wave manager's error box shows during start-up, from processes that
# share nothing with the game:
# - SIGTERM, SIGINT and SIGHUP end the game while the box is up, with status 128 + the signal's
#   number, and no process of it or its box is left;
# - the box closed with Return lets the game go on; SIGTERM then ends the running game the same way;
# - SIGKILL of the game while the box is up takes the box with it, and the next start opens its
#   window and runs; SIGTERM during its score entry stores the score.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
. "$(dirname "$0")/processes.sh"
e2e_begin "$@"
e2e_require_tools ps comm

# start_with_box <label>: a new game whose box is showing.
start_with_box() {
    E2E_GAME_PID=""
    e2e_launch "$1"
    wait_for_box
    expect_box_shares_nothing
}

# signal_ends_game <label> <signal>: the game started last ends on <signal> with 128 + its number and
# leaves nothing behind.
signal_ends_game() {
    local label=$1 signal=$2
    local number started
    number=$(kill -l "$signal")
    started=$(date +%s.%N)
    kill -s "$signal" "$E2E_GAME_PID"
    e2e_wait_exit "$E2E_GAME_PID" 10
    [ "$E2E_EXIT_STATUS" != timeout ] || e2e_fail "SIG$signal did not end the game"
    e2e_log "SIG$signal: the game ended with status $E2E_EXIT_STATUS after $(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }') s"
    [ "$E2E_EXIT_STATUS" -eq $((128 + number)) ] || { cat "$E2E_ART/$label.log" >&2; e2e_fail "status $E2E_EXIT_STATUS after SIG$signal"; }
    if grep -q -e 'ERROR: AddressSanitizer' -e 'ERROR: LeakSanitizer' -e 'runtime error:' "$E2E_ART/$label.log"; then
        cat "$E2E_ART/$label.log" >&2
        e2e_fail "sanitizer report in $label.log"
    fi
    E2E_GAME_PID=""
    # The game collected its box processes before it ended.
    expect_nothing_left 0
}

use_float_music
for signal in TERM INT HUP; do
    start_with_box "box-$signal"
    signal_ends_game "box-$signal" "$signal"
done

# Closing the box: the game goes on to its logo, with no box process left.
start_with_box box-closed
e2e_focus "$E2E_BOX"
press Return
e2e_wait_for_window
screen_logo
expect logo 15 "$E2E_PROBES"
[ -z "$(box_windows)" ] || e2e_fail "the box is still on the screen"
[ "$(game_processes)" = "$E2E_GAME_PID" ] || e2e_fail "processes besides the game: $(game_processes | paste -sd ' ' -)"
signal_ends_game box-closed TERM

# SIGKILL: the game cannot clean up; its box processes end by themselves.
start_with_box box-killed
kill -KILL "$E2E_GAME_PID"
e2e_wait_exit "$E2E_GAME_PID" 10
[ "$E2E_EXIT_STATUS" = 137 ] || e2e_fail "status $E2E_EXIT_STATUS after SIGKILL"
E2E_GAME_PID=""
expect_nothing_left 10

# The next start is not locked out: it opens its window and runs as usual. It is played to the
# score entry (screens.sh: play_to_score_entry), where SIGTERM must store the score with the letter
# typed so far, as any other way out of the score entry does.
use_real_music
write_settings_for_score_entry
start_at_menu
play_to_score_entry
type_letter k
signal_ends_game game TERM

expected=$(printf '%s\n' "900 AAA" "800 BBB" "700 CCC" "600 DDD" "500 EEE" "400 FFF" "300 GGG" "200 HHH" \
    "0 k" "0 III")
[ "$(settings_scores)" = "$expected" ] || { settings_scores >&2; e2e_fail "the score was not stored on SIGTERM"; }
[ "$(settings_volume music)" = 40 ] && [ "$(settings_volume fx)" = 60 ] || e2e_fail "the volumes changed"
e2e_log "SIGTERM during the score entry stored the new entry \"k\" as ninth"
