#!/bin/bash
# Frame pacing and footprint in a real window: a private X server (Xvfb) with openbox, the release
# build of Talonreach with its default renderer, again with SDL_RENDER_DRIVER=software and with
# SDL_RENDER_DRIVER=opengl, and Chromium B.S.U. (installed by bench/setup.sh) in the same run. For
# each it reports the share of one core the process keeps busy (all its threads, the GL driver's
# included) and its peak resident memory, in the idle main menu and during 10 s of play without
# input; for Talonreach also the intervals between presents (median and 99th percentile) taken from
# the game's own present timestamps (the talonreach_frame_log build of the game).
#
#   bench/frame_pacing.sh [build folder, default build-bench]
#
# Then the same game on a headless sway with a 1920 x 1080 output, natively on Wayland and through
# XWayland, in the same run (FRAME_PACING_SWAY_ONLY=1 runs only these two).
#
# Screenshots and logs of the run stay in <build folder>/frame-pacing/. MEASURE_SECONDS changes the
# length of each measurement; BENCH_SCREEN the size of the X screen (default 1920x1080, where the game
# opens its window at twice its picture's size; 1024x768 gives the game's own 640 x 480).
set -u

SCRIPT_DIR=$(cd "$(dirname "$0")" && pwd)
BUILD_DIR=$(realpath "${1:-build-bench}")
SECONDS_EACH=${MEASURE_SECONDS:-10}
SCREEN=${BENCH_SCREEN:-1920x1080}

# The peer is installed first: inside the namespace below there is no network for apt-get.
if [ -z "${FRAME_PACING_UNSHARED:-}" ] && [ -z "${FRAME_PACING_SWAY_ONLY:-}" ]; then
    sh "$SCRIPT_DIR/setup.sh" || exit 1
fi
# The game allows one running copy per user through an abstract socket; a network namespace of its
# own keeps this run apart from any other copy on the machine.
if [ "$(id -u)" = 0 ] && [ -z "${FRAME_PACING_UNSHARED:-}" ] && command -v unshare >/dev/null; then
    exec env FRAME_PACING_UNSHARED=1 unshare -n -- bash "$0" "$@"
fi

for tool in Xvfb openbox xdotool xprop import; do
    command -v "$tool" >/dev/null || { echo "frame_pacing: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
GAME=$BUILD_DIR/bench/talonreach_frame_log
PEER=/usr/games/chromium-bsu
[ -x "$GAME" ] || { echo "frame_pacing: no $GAME (build the bench targets first)" >&2; exit 1; }
[ -x "$PEER" ] || [ -n "${FRAME_PACING_SWAY_ONLY:-}" ] || { echo "frame_pacing: no $PEER" >&2; exit 1; }

# The X session, the game's folder, the keys (held a while, as a player holds them: the peer reads
# its keys once a frame) and the screenshots of the end-to-end tests; sway.sh on the Wayland desktop.
. "$SCRIPT_DIR/../tests/scripts/e2e/common.sh"
bench_begin frame_pacing "$BUILD_DIR/frame-pacing" "$SCREEN"

# ---------------------------------------------------------------------------------------------------
# Driving and measuring

cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

now() {
    date +%s.%N
}

# reset_peak <pid>: the peak resident memory starts again from the present size.
reset_peak() {
    echo 5 >"/proc/$1/clear_refs" 2>/dev/null
}

# measure <pid> <name> [since-reset]: CPU share and peak resident memory over the next
# SECONDS_EACH seconds, the peak counted from the start of the measurement, or with since-reset
# from the caller's last reset_peak. Sets <name>_CPU, <name>_RSS, <name>_FROM and <name>_TO
# (wall-clock seconds).
measure() {
    local pid=$1 name=$2
    [ "${3:-}" = since-reset ] || reset_peak "$pid"
    local t0 w0 t1 w1 peak
    t0=$(cpu_ticks "$pid")
    w0=$(now)
    sleep "$SECONDS_EACH"
    t1=$(cpu_ticks "$pid")
    w1=$(now)
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    printf -v "${name}_CPU" '%s' "$(awk -v a="$t0" -v b="$t1" -v s="$w0" -v e="$w1" -v hz="$(getconf CLK_TCK)" \
        'BEGIN { printf "%.1f %%", (b - a) / hz / (e - s) * 100 }')"
    printf -v "${name}_RSS" '%s' "$(awk -v k="$peak" 'BEGIN { printf "%.0f MB", k / 1024 }')"
    printf -v "${name}_FROM" '%s' "$w0"
    printf -v "${name}_TO" '%s' "$w1"
}

# intervals <present log> <from> <to>: median and 99th percentile of the intervals between the
# presents in that stretch of wall-clock time, from the monotonic stamps.
intervals() {
    awk -v a="$2" -v b="$3" '$2 >= a && $2 <= b { if (n++) print ($1 - last) * 1000; last = $1 }' "$1" |
        sort -n | awk '{ v[NR] = $1 }
            END {
                if (NR < 2) { printf "no presents (the picture stood still)"; exit }
                p99 = int(NR * 0.99 + 0.5); if (p99 < 1) p99 = 1; if (p99 > NR) p99 = NR
                printf "%.2f ms / %.2f ms (%d)", (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[p99], NR
            }'
}

# What draws for the process: SDL's software renderer with its frames in shared memory of its own
# (on Wayland, where SDL loads Mesa's driver with the window all the same), Mesa's driver if one is
# loaded, else SDL's software renderer.
renderer_of() {
    local driver
    if grep -q 'memfd:talonreach-frame' "/proc/$1/maps"; then
        echo "SDL software, frames in shared memory"
        return
    fi
    driver=$(grep -o 'dri/[a-z0-9_]*_dri\.so' "/proc/$1/maps" | head -n 1 | sed 's|dri/||; s|_dri\.so||')
    if [ -n "$driver" ]; then
        echo "OpenGL on Mesa $driver"
    else
        echo "SDL software, no GL"
    fi
}

ROWS=""
row() {
    ROWS="$ROWS| $1 | $2 | $3 | $4 | $5 | $6 | $7 |"$'\n'
}

# ---------------------------------------------------------------------------------------------------
# Talonreach

# start_talonreach <label> <env arguments...>: the game with its present log, in a folder of its own,
# its sound on the dummy driver. Sets E2E_GAME_PID and LOG.
start_talonreach() {
    local label=$1
    shift
    e2e_game_folder "$WORK/game-$label" "$BUILD_DIR/Resource"
    LOG=$OUT/presents-$label.txt
    (cd "$WORK/game-$label" && exec env "$@" "$GAME" "$LOG") >"$OUT/talonreach-$label.log" 2>&1 &
    E2E_GAME_PID=$!
    PIDS="$E2E_GAME_PID $PIDS"
}

# measure_talonreach <label>: the game started last, from its logo: the main menu (measured), the
# story, play (measured), a screenshot of each. Sets RENDERER to what draws for it.
measure_talonreach() {
    local label=$1 i
    sleep 1
    press space
    sleep 2
    capture "$OUT/talonreach-$label-menu.png"
    measure "$E2E_GAME_PID" MENU
    press Return
    sleep 1
    for i in 1 2 3 4 5 6 7 8; do press space; done
    # The ninth press leaves the story: the level's loading counts to play.
    reset_peak "$E2E_GAME_PID"
    press space
    measure "$E2E_GAME_PID" PLAY since-reset
    capture "$OUT/talonreach-$label-play.png"
    RENDERER=$(renderer_of "$E2E_GAME_PID")
}

# talonreach <label> <environment...>: logo, main menu (measured), story, play (measured), closed
# through the window manager so that the game writes its present log.
talonreach() {
    local label=$1
    shift
    start_talonreach "$label" SDL_AUDIODRIVER=dummy "$@"
    xsession_wait_window "$E2E_GAME_PID" 30 --name '^Talonreach$'
    measure_talonreach "$label"
    xdotool key alt+F4
    local tries=0
    while kill -0 "$E2E_GAME_PID" 2>/dev/null && [ "$tries" -lt 100 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -0 "$E2E_GAME_PID" 2>/dev/null && e2e_fail "Talonreach ($label) did not close"
    wait "$E2E_GAME_PID"
    row "Talonreach" "$label: $RENDERER" "$MENU_CPU" "$MENU_RSS" "$PLAY_CPU" "$PLAY_RSS" \
        "$(intervals "$LOG" "$PLAY_FROM" "$PLAY_TO")"
}

# ---------------------------------------------------------------------------------------------------
# Chromium B.S.U.: windowed at 640 x 480, no audio (the X server has no sound card), its settings in
# a scratch home folder. Return on the main menu starts a game.

chromium_bsu() {
    mkdir -p "$WORK/home"
    (cd "$WORK" && exec env HOME="$WORK/home" "$PEER" -w -v 1 -na) >"$OUT/chromium-bsu.log" 2>&1 &
    local pid=$!
    PIDS="$pid $PIDS"
    # Its title is UTF-8 only, which xdotool's name search does not read.
    xsession_wait_window "$pid" 90 --class '^chromium-bsu$'
    sleep 3
    capture "$OUT/chromium-bsu-menu.png"
    measure "$pid" MENU
    reset_peak "$pid"
    press Return
    measure "$pid" PLAY since-reset
    capture "$OUT/chromium-bsu-play.png"
    kill "$pid"
    wait "$pid" 2>/dev/null
    local version
    version=$(dpkg-query -W -f='${Version}' chromium-bsu 2>/dev/null)
    row "Chromium B.S.U. $version" "its own (OpenGL)" "$MENU_CPU" "$MENU_RSS" "$PLAY_CPU" "$PLAY_RSS" "not logged"
}

# ---------------------------------------------------------------------------------------------------
# Talonreach on a Wayland desktop: a headless sway (tests/scripts/e2e/sway.sh) with a 1920 x 1080
# output, the game natively and through XWayland one after the other, each with its default
# renderer, keys from the project's virtual keyboard.

# What sway.sh needs of the end-to-end tests' set-up.
sway_prepare() {
    E2E_WORK=$WORK
    E2E_ART=$OUT
    E2E_HELPER_PIDS=""
    # shellcheck source=../tests/scripts/e2e/sway.sh
    . "$SCRIPT_DIR/../tests/scripts/e2e/sway.sh"
    E2E_WL_KEYBOARD=$BUILD_DIR/bench/e2e_wl_keyboard
    [ -x "$E2E_WL_KEYBOARD" ] || E2E_WL_KEYBOARD=$BUILD_DIR/tests/e2e_wl_keyboard
    sway_start
    wl_keyboard_start
    PIDS="$E2E_HELPER_PIDS $PIDS"
}

# talonreach_on_sway <label> <environment...>: as talonreach, on sway; ended by SIGTERM, which the
# game takes as a way out, so that it writes its present log.
talonreach_on_sway() {
    local label=$1
    shift
    start_talonreach "$label" -u DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy "$@"
    local tries=0
    until [ -n "$(sway_window)" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 300 ] && kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "no window of Talonreach ($label) on sway"
        sleep 0.1
    done
    measure_talonreach "$label"
    local shell
    shell=$(sway_window | jq -r .shell)
    kill -TERM "$E2E_GAME_PID"
    wait "$E2E_GAME_PID"
    row "Talonreach on sway" "$label ($shell): $RENDERER" "$MENU_CPU" "$MENU_RSS" "$PLAY_CPU" "$PLAY_RSS" \
        "$(intervals "$LOG" "$PLAY_FROM" "$PLAY_TO")"
}

sway_runs() {
    local tool
    for tool in sway swaymsg grim jq setpriv xhost; do
        command -v "$tool" >/dev/null || { echo "frame_pacing: $tool is missing: no run on sway" >&2; return; }
    done
    sway_prepare
    talonreach_on_sway native SDL_VIDEODRIVER=wayland
    talonreach_on_sway XWayland "DISPLAY=$E2E_XWAYLAND_DISPLAY"
    # What the game drew with natively before it asked EGL: SDL's OpenGL renderer on llvmpipe.
    talonreach_on_sway native-opengl SDL_VIDEODRIVER=wayland SDL_RENDER_DRIVER=opengl
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ -z "${FRAME_PACING_SWAY_ONLY:-}" ]; then
    talonreach default
    talonreach software SDL_RENDER_DRIVER=software
    # What SDL itself would pick here, which the game declines where OpenGL runs only in software.
    talonreach opengl SDL_RENDER_DRIVER=opengl
    chromium_bsu
fi
sway_runs
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| Program | Renderer | Idle menu: CPU | Idle menu: peak RSS | ${SECONDS_EACH} s of play: CPU | Play: peak RSS | Play: frame interval median / p99 (presents) |"
echo "|---|---|---|---|---|---|---|"
printf '%s' "$ROWS"
echo
echo "screenshots and logs: $OUT"
