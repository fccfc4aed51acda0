#!/bin/bash
# The game on a Wayland desktop (sway, see sway.sh), started as a player starts it:
#   on_sway.sh <test name> <game> <Resource folder> <artefact folder> <source dir> wayland|xwayland
# wayland: natively (SDL_VIDEODRIVER=wayland), its window the app_id of the desktop entry;
# xwayland: with nothing chosen, where both WAYLAND_DISPLAY and DISPLAY are set, the game is an X11
# client of XWayland (its window the X11 class of the desktop entry, with the game's icon).
# Either way, on the 1920 x 1080 output: a 1280 x 960 window showing the picture in 2 x 2 squares,
# Space leaves the logo, F11 goes full screen (the picture 1440 x 1080 between black bars) and back,
# and the exit item ends the game with status 0. The renderer is the game's own choice.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
. "$(dirname "$0")/sway.sh"
mode=$6
sway_require_tools
e2e_require_tools timeout compare
e2e_setup "$@"
sway_start
wl_keyboard_start

# No sound card (the dummy driver keeps the failed-device box away); the leak check reads whole
# stacks to tell SDL's and Mesa's own memory apart (wayland.lsan).
e2e_game_env() {
    E2E_ENV=(SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0
        "LSAN_OPTIONS=suppressions=$E2E_SOURCE/tests/scripts/wayland.lsan")
    if [ "$mode" = wayland ]; then
        E2E_ENV+=(SDL_VIDEODRIVER=wayland)
    else
        E2E_ENV+=("DISPLAY=$E2E_XWAYLAND_DISPLAY")
    fi
}
E2E_EXTRA_ENV=(-u SDL_VIDEODRIVER -u SDL_RENDER_DRIVER -u DISPLAY)

# The window belongs to the right client and carries the desktop entry's id.
expect_identity() {
    local window id
    window=$(sway_window)
    id=$(e2e_desktop_id)
    if [ "$mode" = wayland ]; then
        jq -e --arg id "$id" '.shell == "xdg_shell" and .app_id == $id' <<<"$window" >/dev/null ||
            e2e_fail "not a native window with the app_id $id: $window"
        e2e_log "a native Wayland window with the app_id $id"
    else
        jq -e '.shell == "xwayland"' <<<"$window" >/dev/null || e2e_fail "not an XWayland window: $window"
        DISPLAY=$E2E_XWAYLAND_DISPLAY expect_window_identity "$(jq -r .window <<<"$window")"
    fi
}

e2e_launch game
e2e_wait_for_window
expect_identity
expect_geometry "twice the size" "[0-9]+ [0-9]+ 1280 960"
logo_to_menu
expect_crisp_twice "$E2E_SHOT"

menu_full_screen
[ "$(sway_window | jq .fullscreen_mode)" = 1 ] || e2e_fail "sway does not show the window full screen"

press F11
expect_geometry "a window again" "[0-9]+ [0-9]+ 1280 960"
expect windowed-menu 5 "$E2E_PROBES"
expect_crisp_twice "$E2E_SHOT"
quit_from_menu 1
