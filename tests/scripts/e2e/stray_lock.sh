#!/bin/bash
# The game's one-copy lock held by a process that is not the game (it never answers): the next start
# takes over and runs; a start after that still finds the running game, raises it and ends with
# status 0; the game ends normally with status 0 and the stray holder is left alone.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
. "$(dirname "$0")/processes.sh"
e2e_begin "$@"
[ -x "${E2E_LOCK_HOLDER:-}" ] || e2e_fail "no lock holder program (E2E_LOCK_HOLDER)"

"$E2E_LOCK_HOLDER" "VKTWindowClass-$(id -u)" >"$E2E_WORK/holder.out" 2>&1 &
holder_pid=$!
E2E_HELPER_PIDS="$E2E_HELPER_PIDS $holder_pid"
tries=0
until grep -q holding "$E2E_WORK/holder.out"; do
    tries=$((tries + 1))
    kill -0 "$holder_pid" 2>/dev/null || { cat "$E2E_WORK/holder.out" >&2; e2e_fail "the lock holder ended"; }
    [ "$tries" -lt 100 ] || e2e_fail "the lock holder did not bind the lock"
    sleep 0.1
done
e2e_log "a process that is not the game holds the lock (socket $(lock_inode))"

start_at_menu

e2e_launch second
second_pid=$E2E_LAST_PID
e2e_wait_exit "$second_pid" 30
[ "$E2E_EXIT_STATUS" != timeout ] || e2e_fail "the second copy did not end within 30 seconds"
[ "$E2E_EXIT_STATUS" -eq 0 ] || { cat "$E2E_ART/second.log" >&2; e2e_fail "the second copy ended with status $E2E_EXIT_STATUS"; }
windows=$(xdotool search --name '^Talonreach$' | wc -l)
[ "$windows" -eq 1 ] || e2e_fail "$windows game windows"
e2e_log "the second copy found the running game and ended with status 0"

e2e_focus "$E2E_WINDOW"
quit_from_menu 0
kill -0 "$holder_pid" 2>/dev/null || e2e_fail "the lock holder was disturbed"
