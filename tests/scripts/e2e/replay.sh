#!/bin/bash
# talonreach --replay FILE: a damaged record is refused on standard error with status 1 before any
# window opens; a kept game is shown in the game's window as it was played, Right makes it faster,
# and at its end the program ends by itself with status 0, having written no settings file (not even
# for the switch to full screen made while watching) and no replay of its own.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

record=$E2E_SOURCE/tests/replays/pad.replay
head -c 1000 "$record" >"$E2E_WORK/cut.replay"

e2e_launch refused --replay "$E2E_WORK/cut.replay"
e2e_wait_exit "$E2E_LAST_PID" 30
E2E_GAME_PID=""
[ "$E2E_EXIT_STATUS" = 1 ] || e2e_fail "a cut-short record ended with status $E2E_EXIT_STATUS, not 1"
grep -q "cut.replay is damaged" "$E2E_ART/refused.log" || e2e_fail "no message for the damaged record"
[ -z "$(xdotool search --name '^Talonreach$' 2>/dev/null)" ] || e2e_fail "a window opened for it"
e2e_log "the damaged record was refused"

e2e_launch game --replay "$record"
e2e_wait_for_window
screen_play
expect_running replay-playing 10 "$E2E_PROBES"
press F11 Right Right
e2e_expect_game_exit 60
[ ! -e "$E2E_SETTINGS" ] || e2e_fail "watching wrote $E2E_SETTINGS"
[ ! -e "$E2E_GAME_DIR/Resource/replays" ] || e2e_fail "watching kept a replay of itself"
