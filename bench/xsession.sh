# A private X session for the benchmarks that need a real window: Xvfb and openbox, stopped with
# every process listed in XSESSION_PIDS when the script exits. Source it, then call xsession_start.

XSESSION_PIDS=""
XSESSION_WORK=$(mktemp -d "${TMPDIR:-/tmp}/xsession.XXXXXX")
xsession_cleanup() {
    local pid
    for pid in $XSESSION_PIDS; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$XSESSION_WORK"
}
trap xsession_cleanup EXIT
trap 'exit 1' INT TERM

# xsession_start <WIDTHxHEIGHT> <log folder>: exports DISPLAY once Xvfb and openbox run.
xsession_start() {
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$XSESSION_WORK/display" 2>"$2/xvfb.log" &
    XSESSION_PIDS="$! $XSESSION_PIDS"
    local _
    for _ in $(seq 100); do
        [ -s "$XSESSION_WORK/display" ] && break
        sleep 0.1
    done
    [ -s "$XSESSION_WORK/display" ] || { echo "xsession: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$(cat "$XSESSION_WORK/display")
    cat >"$XSESSION_WORK/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
</openbox_config>
XML
    mkdir -p "$XSESSION_WORK/xdg-config" "$XSESSION_WORK/xdg-cache"
    XDG_CONFIG_HOME=$XSESSION_WORK/xdg-config XDG_CACHE_HOME=$XSESSION_WORK/xdg-cache \
        openbox --config-file "$XSESSION_WORK/rc.xml" >"$2/openbox.log" 2>&1 &
    XSESSION_PIDS="$! $XSESSION_PIDS"
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
}

# xsession_wait_window <pid> <seconds> <xdotool search arguments...>: prints the window once it
# shows, after giving it the focus; fails when the process ends first or the time is up.
xsession_wait_window() {
    local pid=$1 seconds=$2 tries=0 window=""
    shift 2
    while [ "$tries" -lt $((seconds * 10)) ]; do
        kill -0 "$pid" 2>/dev/null || { echo "xsession: process $pid ended before its window" >&2; return 1; }
        window=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
        tries=$((tries + 1))
    done
    [ -n "$window" ] || { echo "xsession: no window ($*) within $seconds s" >&2; return 1; }
    timeout 10 xdotool windowactivate --sync "$window" >/dev/null 2>&1
    echo "$window"
}
