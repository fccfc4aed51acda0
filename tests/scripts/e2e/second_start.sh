#!/bin/bash
# A second start while the game runs: the first copy's window, minimised, is restored and raised;
# the second copy opens no window of its own and ends with status 0. The first copy plays on and
# ends with status 0 too.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"
e2e_require_tools xev xmessage

# The ICCCM state the window manager keeps on the window: Normal or Iconic.
wm_state() {
    xprop -id "$E2E_WINDOW" WM_STATE 2>/dev/null | sed -n 's/.*window state: *//p'
}

expect_wm_state() {
    local wanted=$1 tries=0
    until [ "$(wm_state)" = "$wanted" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || e2e_fail "the window's state is '$(wm_state)', expected $wanted"
        sleep 0.1
    done
    e2e_log "window state: $wanted"
}

start_at_menu

timeout 10 xdotool windowminimize --sync "$E2E_WINDOW" || e2e_fail "could not minimise the window"
expect_wm_state Iconic
# Another program's window, above the game's: the raise must bring the game over it.
xmessage -geometry 300x80+300+300 "another program" >/dev/null 2>&1 &
E2E_HELPER_PIDS="$E2E_HELPER_PIDS $!"
tries=0
until xdotool search --onlyvisible --class Xmessage >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || e2e_fail "the xmessage window did not appear"
    sleep 0.1
done

# Every window made on this display from now on shows up as a CreateNotify on the root window.
xev -root -event substructure >"$E2E_WORK/root-events" 2>&1 &
watcher_pid=$!
E2E_HELPER_PIDS="$E2E_HELPER_PIDS $watcher_pid"
sleep 0.5

e2e_launch second
second_pid=$E2E_LAST_PID
e2e_wait_exit "$second_pid" 30
[ "$E2E_EXIT_STATUS" != timeout ] || e2e_fail "the second copy did not end within 30 seconds"
[ "$E2E_EXIT_STATUS" -eq 0 ] || { cat "$E2E_ART/second.log" >&2; e2e_fail "the second copy ended with status $E2E_EXIT_STATUS"; }
e2e_log "the second copy ended with status 0"

expect_wm_state Normal
tries=0
until xwininfo -id "$E2E_WINDOW" | grep -q 'Map State: IsViewable'; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || e2e_fail "the restored window is not viewable"
    sleep 0.1
done
# Raised: the game's window is now the topmost of the managed windows, above the other program's.
top=$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{ print $NF }')
[ "$((top))" -eq "$((E2E_WINDOW))" ] || e2e_fail "the topmost window is $top, not the game's $E2E_WINDOW"
e2e_log "the game's window is restored and on top"

sleep 0.5
kill "$watcher_pid" 2>/dev/null
wait "$watcher_pid" 2>/dev/null
if grep -q CreateNotify "$E2E_WORK/root-events"; then
    cp "$E2E_WORK/root-events" "$E2E_ART/root-events.txt"
    e2e_fail "a window was created during the second start (see root-events.txt)"
fi
windows=$(xdotool search --name '^Talonreach$' | wc -l)
[ "$windows" -eq 1 ] || e2e_fail "$windows game windows"

# The first copy still runs the menu it showed.
screen_menu 0
expect menu-restored 5 "$E2E_PROBES"
e2e_focus "$E2E_WINDOW"
press Down
screen_menu 1
expect menu-moved 5 "$E2E_PROBES"
quit_from_menu 1
