# The end-to-end tests' Wayland desktop, sourced after common.sh (and screens.sh) in place of its X
# server: Debian's sway on wlroots' headless back end with the pixman renderer (no GPU, no seat, no
# input device), one 1920 x 1080 output, every window floating as on a stacking desktop, XWayland
# ready for X11 clients. Keys come from a virtual keyboard of the project's own ($E2E_WL_KEYBOARD,
# e2e/wl_keyboard.cpp), which hands sway its full keymap before any key; screenshots from grim.
#
# sway refuses to run as root (it could not drop the privileges of a setuid start), so as root it
# runs as the unprivileged user nobody, through setpriv, with a runtime folder that user owns;
# XWayland, running as nobody too, is told to accept root's clients (xhost). The game and the tools
# of the test connect as the user the test runs as.
#
# The functions of common.sh that speak to the X server (the window, its geometry, screenshots and
# key events) are replaced here by the same ones speaking to sway.

sway_require_tools() {
    local tool
    for tool in sway swaymsg grim jq setpriv xhost; do
        command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
    done
    [ -x "${E2E_WL_KEYBOARD:-}" ] || { echo "skipped: no virtual keyboard (E2E_WL_KEYBOARD)"; exit 77; }
}

# The user sway runs as, and the command prefix that runs a program as that user.
sway_user_prefix() {
    if [ "$(id -u)" = 0 ]; then
        SWAY_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
        SWAY_OWNER=nobody:nogroup
    else
        SWAY_AS=()
        SWAY_OWNER=$(id -u):$(id -g)
    fi
}

# Starts sway; sets XDG_RUNTIME_DIR, WAYLAND_DISPLAY and SWAYSOCK for what the test starts, and
# E2E_XWAYLAND_DISPLAY to XWayland's display.
sway_start() {
    sway_user_prefix
    # A folder the sway user may enter, removed with the working folder at the end.
    SWAY_DIR=$E2E_WORK/sway
    chmod 755 "$E2E_WORK"
    mkdir -m 755 "$SWAY_DIR" && mkdir -m 700 "$SWAY_DIR/runtime" || e2e_fail "cannot make $SWAY_DIR"
    chown "$SWAY_OWNER" "$SWAY_DIR/runtime"
    cat >"$SWAY_DIR/config" <<EOF
output HEADLESS-1 resolution 1920x1080 position 0 0
default_border none
default_floating_border none
for_window [app_id=".*"] floating enable
for_window [class=".*"] floating enable
focus_on_window_activation focus
xwayland enable
exec sh -c 'xhost +si:localuser:$(id -un) >/dev/null 2>&1; env > "$SWAY_DIR/runtime/environment"'
EOF
    chmod 644 "$SWAY_DIR/config"
    # X11's socket folder, made as the X servers make it, so that XWayland may put its socket there.
    mkdir -p /tmp/.X11-unix 2>/dev/null && chmod 1777 /tmp/.X11-unix 2>/dev/null
    env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK XDG_RUNTIME_DIR="$SWAY_DIR/runtime" HOME="$SWAY_DIR/runtime" \
        WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        "${SWAY_AS[@]}" sway -c "$SWAY_DIR/config" >"$E2E_ART/sway.log" 2>&1 &
    E2E_HELPER_PIDS="$E2E_HELPER_PIDS $!"
    local environment=$SWAY_DIR/runtime/environment tries=0
    until [ -s "$environment" ] && grep -q '^SWAYSOCK=' "$environment"; do
        tries=$((tries + 1))
        [ "$tries" -lt 150 ] || { tail -n 30 "$E2E_ART/sway.log" >&2; e2e_fail "sway did not start"; }
        sleep 0.1
    done
    export XDG_RUNTIME_DIR=$SWAY_DIR/runtime
    WAYLAND_DISPLAY=$(sed -n 's/^WAYLAND_DISPLAY=//p' "$environment")
    SWAYSOCK=$(sed -n 's/^SWAYSOCK=//p' "$environment")
    E2E_XWAYLAND_DISPLAY=$(sed -n 's/^DISPLAY=//p' "$environment")
    export WAYLAND_DISPLAY SWAYSOCK
    unset DISPLAY
    swaymsg -t get_outputs | jq -e '.[0].current_mode | .width == 1920 and .height == 1080' >/dev/null ||
        e2e_fail "sway's output is not 1920 x 1080: $(swaymsg -t get_outputs)"
    e2e_log "sway on $WAYLAND_DISPLAY, XWayland on $E2E_XWAYLAND_DISPLAY"
}

# Starts the virtual keyboard; it answers "ready" once sway has its keymap.
wl_keyboard_start() {
    coproc WL_KEYBOARD { exec "$E2E_WL_KEYBOARD" 2>"$E2E_ART/wl_keyboard.log"; }
    E2E_HELPER_PIDS="$E2E_HELPER_PIDS $WL_KEYBOARD_PID"
    local reply=""
    read -r -t 10 reply <&"${WL_KEYBOARD[0]}"
    [ "$reply" = ready ] || { cat "$E2E_ART/wl_keyboard.log" >&2; e2e_fail "the virtual keyboard did not start"; }
}

# wl_key <down|up> <keysym name>: one key event, taken by sway before this returns.
wl_key() {
    local reply=""
    echo "$1 $2" >&"${WL_KEYBOARD[1]}"
    read -r -t 5 reply <&"${WL_KEYBOARD[0]}"
    [ "$reply" = ok ] || e2e_fail "the virtual keyboard did not take '$1 $2': $reply"
}

# The key events of common.sh's press, hold and chord, on the virtual keyboard.
key_event() {
    wl_key "$1" "$2"
}

# The game's window in sway's tree (the view of process E2E_GAME_PID), as JSON; empty when none.
sway_window() {
    swaymsg -t get_tree 2>/dev/null | jq -c --argjson pid "$E2E_GAME_PID" \
        'first(.. | objects | select(.pid? == $pid and (.shell? != null)))' 2>/dev/null
}

# Waits up to 30 s for the game's window; sway gives it the focus. Sets E2E_WINDOW to sway's id of it.
e2e_wait_for_window() {
    local deadline=$(($(date +%s) + 30)) window=""
    while [ "$(date +%s)" -lt "$deadline" ]; do
        e2e_expect_game_alive
        window=$(sway_window)
        if [ -n "$window" ] && [ "$window" != null ] && jq -e '.visible and .focused' <<<"$window" >/dev/null; then
            E2E_WINDOW=$(jq -r .id <<<"$window")
            e2e_log "game window $E2E_WINDOW: $(jq -c '{shell, app_id, class: .window_properties.class}' <<<"$window")"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no focused game window within 30 seconds: $(swaymsg -t get_tree | jq -c '[.. | objects | select(.pid? != null) | {pid, name, shell}]')"
}

# "x y width height" of the window's content on the output.
geometry() {
    sway_window | jq -r '"\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"'
}

# The window's content as the output shows it, into <file>.
capture() {
    local x y w h
    read -r x y w h < <(geometry)
    [ -n "$h" ] || return 1
    timeout 10 grim -l 0 -g "$x,$y ${w}x$h" "$1" 2>/dev/null
}
