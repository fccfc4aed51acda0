# Shared part of the end-to-end tests: the built game runs in a private X server (Xvfb) under a small
# window manager (openbox), is driven with real key presses (xdotool, XTEST) and is judged by what
# its window shows (ImageMagick screenshots, read pixel by pixel). Sourced by each test script with
#   e2e_begin <test name> <game binary> <generated Resource folder> <artefact folder> <source dir>
# Exit status 77 means skipped (a tool is missing), as CTest is told. The benchmarks in a real window
# (bench/frame_pacing.sh, bench/input_latency.sh) source it too, for the X session, the game's
# folder, the keys and the screenshots.
#
# Every screenshot is kept in the artefact folder, numbered in the order taken, together with the
# game's output and the settings file it left behind.

set -u

# Arguments of env put before the common environment of every start: a test's own HOME, or "-u NAME"
# to remove a variable.
E2E_EXTRA_ENV=()

# ImageMagick's own convert, not whatever else carries that name earlier on PATH.
E2E_CONVERT=/usr/bin/convert
# Largest difference per colour channel still taken as equal. Unscaled drawing reproduces the art
# exactly; the margin covers images whose probed pixels are not quite opaque (alpha 250 and up).
E2E_TOLERANCE=10
# How long a key stays down, and the pause after it. The game samples the keyboard once a frame and
# acts on a key that is down in this frame and was up in the last, so a press must outlast a frame.
E2E_HOLD=0.15
E2E_GAP=0.12

e2e_log() {
    printf '[%6.1fs] %s\n' "$(e2e_elapsed)" "$*"
}

e2e_elapsed() {
    local now
    now=$(date +%s.%N)
    awk -v a="$E2E_T0" -v b="$now" 'BEGIN { printf "%.1f", b - a }'
}

e2e_fail() {
    echo "FAILED: $*" >&2
    exit 1
}

e2e_require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "skipped: $tool is not installed"
            exit 77
        fi
    done
    if [ ! -x "$E2E_CONVERT" ]; then
        echo "skipped: $E2E_CONVERT (ImageMagick) is not installed"
        exit 77
    fi
}

# ---------------------------------------------------------------------------------------------------
# Set-up and tear-down

e2e_begin() {
    e2e_require_tools Xvfb xdotool import compare xwininfo xprop openbox timeout
    e2e_setup "$@"
    xsession_start "$E2E_WORK" "$E2E_SCREEN" "$E2E_WORK"
}

# Everything of e2e_begin but the X server and its window manager: the variables, the artefact and
# working folders, the game's folder and the clean-up at exit. Same arguments.
e2e_setup() {
    E2E_NAME=$1
    E2E_GAME=$(realpath "$2")
    E2E_RESOURCES=$(realpath "$3")
    E2E_ART=$(realpath -m "$4")
    E2E_SOURCE=$(realpath "$5")
    E2E_T0=$(date +%s.%N)
    E2E_STEP=0
    E2E_XVFB_PID=""
    E2E_WM_PID=""
    E2E_GAME_PID=""
    E2E_LAUNCHED_PIDS=""
    E2E_HELPER_PIDS=""
    E2E_WINDOW=""

    [ -x "$E2E_GAME" ] || e2e_fail "no game binary at $E2E_GAME"
    [ -d "$E2E_RESOURCES/Graphics" ] || e2e_fail "no generated art in $E2E_RESOURCES"

    rm -rf "$E2E_ART"
    mkdir -p "$E2E_ART" || e2e_fail "cannot make $E2E_ART"
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/talonreach-e2e.XXXXXX") || e2e_fail "no temp folder"
    trap e2e_end EXIT
    trap 'exit 1' INT TERM

    E2E_GAME_DIR=$E2E_WORK/game
    e2e_game_folder "$E2E_GAME_DIR" "$E2E_RESOURCES"
    E2E_SETTINGS=$E2E_GAME_DIR/Resource/settings.xml
}

# e2e_game_folder <folder> <Resource folder>: a working folder for the game, with a Resource folder of
# its own whose art and sound link to those of <Resource folder>, and whose settings file belongs to
# it alone.
e2e_game_folder() {
    mkdir -p "$1/Resource" || e2e_fail "cannot make $1"
    local entry
    for entry in "$2"/*; do
        [ "$(basename "$entry")" = settings.xml ] && continue
        ln -s "$entry" "$1/Resource/$(basename "$entry")"
    done
}

# The X screen, width x height x depth; a test may set another before e2e_begin.
E2E_SCREEN=${E2E_SCREEN:-1024x768x24}

# xsession_start <folder> <WIDTHxHEIGHTxDEPTH> <log folder>: a private X server (Xvfb) with that
# screen under openbox, their files in <folder> and their output in <log folder>. Exports DISPLAY;
# sets E2E_XVFB_PID and E2E_WM_PID, the processes to stop at the end. openbox has a configuration of
# its own: new windows take the focus and Alt+F4 closes the active window the polite way
# (WM_DELETE_WINDOW). Nothing is read from or written to the user's home.
xsession_start() {
    local folder=$1 screen=$2 logs=$3 tries=0
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$folder/display" 2>"$logs/xvfb.log" &
    E2E_XVFB_PID=$!
    while [ ! -s "$folder/display" ] && [ "$tries" -lt 100 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    [ -s "$folder/display" ] || { cat "$logs/xvfb.log" >&2; e2e_fail "Xvfb did not start"; }
    DISPLAY=:$(cat "$folder/display")
    export DISPLAY
    cat >"$folder/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
  </keyboard>
</openbox_config>
EOF
    mkdir -p "$folder/xdg-config" "$folder/xdg-cache"
    XDG_CONFIG_HOME=$folder/xdg-config XDG_CACHE_HOME=$folder/xdg-cache \
        openbox --config-file "$folder/rc.xml" >"$logs/openbox.log" 2>&1 &
    E2E_WM_PID=$!
    tries=0
    while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || { cat "$logs/openbox.log" >&2; e2e_fail "openbox did not start"; }
        sleep 0.1
    done
}

# xsession_wait_window <pid> <seconds> <xdotool search arguments...>: waits for the first visible
# window the search finds and activates it; sets E2E_WINDOW. Fails when process <pid> ends first or
# the time is up.
xsession_wait_window() {
    local pid=$1 seconds=$2 tries=0
    shift 2
    while :; do
        kill -0 "$pid" 2>/dev/null || e2e_fail "process $pid ended before showing its window"
        E2E_WINDOW=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
        [ -n "$E2E_WINDOW" ] && break
        [ "$tries" -lt $((seconds * 10)) ] || e2e_fail "no window ($*) within $seconds s"
        sleep 0.1
        tries=$((tries + 1))
    done
    timeout 10 xdotool windowactivate --sync "$E2E_WINDOW" >/dev/null 2>&1
}

# bench_begin <name> <output folder> <WIDTHxHEIGHT>: for a benchmark in a real window: failures told
# as <name>'s, the output folder emptied, a scratch folder WORK removed at the end together with every
# process listed in PIDS, and the X session started (its logs in the output folder).
bench_begin() {
    E2E_BENCH=$1
    e2e_fail() {
        echo "$E2E_BENCH: $*" >&2
        exit 1
    }
    e2e_log() { echo "$*"; }
    OUT=$2
    rm -rf "$OUT"
    mkdir -p "$OUT"
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/$E2E_BENCH.XXXXXX")
    PIDS=""
    # shellcheck disable=SC2086 # a list of process numbers
    trap 'e2e_stop $PIDS; rm -rf "$WORK"' EXIT
    trap 'exit 1' INT TERM
    xsession_start "$WORK" "${3}x24" "$OUT"
    PIDS="$E2E_WM_PID $E2E_XVFB_PID"
}

# e2e_stop <pid>...: ends each process (children of this shell) and collects it.
e2e_stop() {
    local pid
    for pid in "$@"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
}

e2e_end() {
    local status=$?
    # shellcheck disable=SC2086 # lists of process numbers
    e2e_stop $E2E_LAUNCHED_PIDS $E2E_HELPER_PIDS $E2E_WM_PID $E2E_XVFB_PID
    if [ -n "${E2E_WORK:-}" ] && [ -d "$E2E_WORK" ]; then
        [ -f "${E2E_SETTINGS:-}" ] && cp "$E2E_SETTINGS" "$E2E_ART/settings-after.xml"
        rm -rf "$E2E_WORK"
    fi
    if [ "$status" -eq 0 ]; then
        e2e_log "$E2E_NAME passed; screenshots in $E2E_ART"
    elif [ "$status" -ne 77 ]; then
        echo "screenshots and the game's output: $E2E_ART" >&2
    fi
    exit "$status"
}

# ---------------------------------------------------------------------------------------------------
# The game

# The environment of every start: a real X11 window, no sound card (the dummy driver keeps the
# failed-device message box away), and SDL's software renderer drawing straight to the window
# without GL. With GL (SDL's default on X11, even behind a software renderer) Mesa's driver is
# unloaded before the leak check runs, and LeakSanitizer then counts what the driver's globals held
# as leaked from an unknown module, which no suppression can name; a bare SDL program that opens a
# window with a renderer and closes them again shows the same. libdbus keeps a buffer it never frees.
e2e_game_env() {
    E2E_ENV=(SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software
        SDL_FRAMEBUFFER_ACCELERATION=0 ASAN_OPTIONS=detect_leaks=1
        "LSAN_OPTIONS=suppressions=$E2E_SOURCE/tests/scripts/input_x11.lsan")
}

# Starts the game in its working folder, with the arguments after the label; its output goes to the
# artefact folder as <label>.log. Sets E2E_LAST_PID (the game's own process: the subshell execs it);
# the first copy's id is also E2E_GAME_PID. Copies still running when the test ends are stopped.
e2e_launch() {
    local label=$1
    shift
    e2e_game_env
    (cd "$E2E_GAME_DIR" && exec env "${E2E_EXTRA_ENV[@]}" "${E2E_ENV[@]}" "$E2E_GAME" "$@") >"$E2E_ART/$label.log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_LAUNCHED_PIDS="$E2E_LAUNCHED_PIDS $E2E_LAST_PID"
    [ -n "$E2E_GAME_PID" ] || E2E_GAME_PID=$E2E_LAST_PID
    e2e_log "started the game ($label), process $E2E_LAST_PID"
}

# Fails, with the first copy's status and output, when that copy has ended before showing its window.
e2e_expect_game_alive() {
    kill -0 "$E2E_GAME_PID" 2>/dev/null && return 0
    wait "$E2E_GAME_PID"
    local status=$?
    E2E_GAME_PID=""
    cat "$E2E_ART/game.log" >&2
    e2e_fail "the game ended (status $status) before showing a window; another copy running for this user would do that"
}

# Waits up to 30 s for the first copy's window and gives it the focus. Sets E2E_WINDOW.
e2e_wait_for_window() {
    local deadline=$(($(date +%s) + 30))
    local windows=""
    while [ "$(date +%s)" -lt "$deadline" ]; do
        e2e_expect_game_alive
        windows=$(xdotool search --onlyvisible --name '^Talonreach$' 2>/dev/null)
        if [ -n "$windows" ]; then
            [ "$(echo "$windows" | wc -l)" -eq 1 ] || e2e_fail "more than one game window: $windows"
            E2E_WINDOW=$windows
            e2e_focus "$E2E_WINDOW"
            e2e_log "game window $E2E_WINDOW"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no game window within 30 seconds"
}

# Activates window <id> through the window manager and waits until it has the keyboard focus.
e2e_focus() {
    timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || e2e_fail "could not activate window $1"
    local tries=0
    until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || e2e_fail "window $1 did not get the focus"
        sleep 0.1
    done
}

# Waits up to <seconds> for process <pid> (a child of this shell) to end; sets E2E_EXIT_STATUS to
# its exit status, or to "timeout".
e2e_wait_exit() {
    local pid=$1 seconds=$2
    local deadline=$(($(date +%s) + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$(date +%s)" -ge "$deadline" ]; then
            E2E_EXIT_STATUS=timeout
            return
        fi
        sleep 0.1
    done
    wait "$pid"
    E2E_EXIT_STATUS=$?
}

# The first copy must end by itself with status 0. Under the sanitizer build a leak found at exit
# makes the status non-zero.
e2e_expect_game_exit() {
    local seconds=${1:-30}
    e2e_wait_exit "$E2E_GAME_PID" "$seconds"
    [ "$E2E_EXIT_STATUS" != timeout ] || e2e_fail "the game did not end within $seconds seconds"
    E2E_GAME_PID=""
    if [ "$E2E_EXIT_STATUS" -ne 0 ]; then
        cat "$E2E_ART/game.log" >&2
        e2e_fail "the game ended with status $E2E_EXIT_STATUS"
    fi
    if grep -q -e 'ERROR: AddressSanitizer' -e 'ERROR: LeakSanitizer' -e 'runtime error:' "$E2E_ART/game.log"; then
        cat "$E2E_ART/game.log" >&2
        e2e_fail "sanitizer report in game.log"
    fi
    e2e_log "the game ended with status 0"
}

# The id of the game's desktop entry (packaging/<id>.desktop), which its window must carry as its
# class.
e2e_desktop_id() {
    local entry
    entry=$(ls "$E2E_SOURCE"/packaging/*.desktop) || e2e_fail "no desktop entry in packaging/"
    basename "$entry" .desktop
}

# The X11 window <id> (default: the game's) is known as the game: WM_CLASS names the desktop entry
# (which says so in StartupWMClass), and _NET_WM_ICON holds the game's 128 x 128 icon.
expect_window_identity() {
    local window=${1:-$E2E_WINDOW} id class icon
    id=$(e2e_desktop_id)
    class=$(xprop -id "$window" WM_CLASS 2>/dev/null)
    [ "$class" = "WM_CLASS(STRING) = \"$id\", \"$id\"" ] || e2e_fail "window $window has $class, not the class $id"
    grep -qx "StartupWMClass=$id" "$E2E_SOURCE/packaging/$id.desktop" ||
        e2e_fail "the desktop entry does not name the window class $id"
    # xprop draws the icon as text under the line "Icon (width x height):".
    icon=$(xprop -id "$window" -notype _NET_WM_ICON 2>/dev/null | head -c 200)
    case $icon in
    *"Icon (128 x 128):"*) ;;
    *) e2e_fail "window $window has no 128 x 128 icon: $icon" ;;
    esac
    e2e_log "window $window: class $id and a 128 x 128 icon"
}

# Prints "x y width height" of the game window's client area on the screen.
geometry() {
    xwininfo -id "$E2E_WINDOW" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

# expect_geometry <name> <pattern>: waits up to 10 s for the client area to match the extended
# regular expression <pattern> on "x y width height".
expect_geometry() {
    local name=$1 pattern=$2 now="" tries=0
    while :; do
        now=$(geometry)
        if echo "$now" | grep -Eq "^$pattern\$"; then
            e2e_log "window ($name): $now"
            return 0
        fi
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || e2e_fail "window ($name) is \"$now\", expected \"$pattern\""
        sleep 0.1
    done
}

# ---------------------------------------------------------------------------------------------------
# Keys (XTEST, to the window that has the focus)

# key_event <down|up> <key>: one key event. sway.sh sends it through its virtual keyboard instead;
# press, hold and chord are made of it.
key_event() {
    xdotool "key$1" "$2"
}

# press <key>...: one press of each key in turn.
press() {
    local key
    for key in "$@"; do
        key_event down "$key"
        sleep "$E2E_HOLD"
        key_event up "$key"
        sleep "$E2E_GAP"
    done
}

# tap <key>...: each key pressed and released at once, as remote desktops, on-screen keyboards, macro
# keys and `xdotool key` send them: both arrive between two frames of the game.
tap() {
    local key
    for key in "$@"; do
        xdotool key --delay 0 "$key"
        sleep "$E2E_GAP"
    done
}

# hold <seconds> <key>...: the keys go down together and come up together.
hold() {
    local seconds=$1
    shift
    local key
    for key in "$@"; do key_event down "$key"; done
    sleep "$seconds"
    for key in "$@"; do key_event up "$key"; done
    sleep "$E2E_GAP"
}

# chord <modifier> <key>: <key> pressed while <modifier> is held.
chord() {
    key_event down "$1"
    sleep 0.05
    key_event down "$2"
    sleep "$E2E_HOLD"
    key_event up "$2"
    sleep 0.05
    key_event up "$1"
    sleep "$E2E_GAP"
}

# ---------------------------------------------------------------------------------------------------
# What the screen must show
#
# A screen is described by probe lines "x y op colour [group]" in window coordinates of the 640 x 480
# picture, colour as RRGGBB:
#   =  the pixel has this colour (within E2E_TOLERANCE per channel);
#   ~  a picture that must be absent: of all "~" lines of one group at least one pixel differs;
#   f  the picture fading in over black: every "f" pixel is the colour times one common opacity,
#      and that opacity is at least 0.12.
# A screen is built up in E2E_PROBES: probes_begin, then probe and probe_line calls.

# Probe lines already read from the art, by the arguments of the probe call.
declare -A E2E_PROBE_CACHE

probes_begin() {
    E2E_PROBES=""
}

probe_line() {
    E2E_PROBES="$E2E_PROBES$*"$'\n'
}

# probe <image> <dx> <dy> <op> [key=RRGGBB] [group=NAME] -- "ix iy"...
# Adds probe lines for pixels (ix, iy) of a generated image drawn with its top-left corner at
# (dx, dy), with the colours read from the image. Only opaque pixels (alpha 250 and up) make probes,
# and none of the colour key: where the image is see-through the screen shows what lies beneath,
# and the probe would prove nothing.
probe() {
    local cache_key="$*"
    if [ -n "${E2E_PROBE_CACHE[$cache_key]+set}" ]; then
        E2E_PROBES="$E2E_PROBES${E2E_PROBE_CACHE[$cache_key]}"
        return
    fi
    local before=$E2E_PROBES
    E2E_PROBES=""
    local image=$E2E_RESOURCES/Graphics/$1 dx=$2 dy=$3 op=$4 key="" group=""
    shift 4
    while [ "$1" != -- ]; do
        case $1 in
        key=*) key=${1#key=} ;;
        group=*) group=${1#group=} ;;
        esac
        shift
    done
    shift
    local points=("$@") format="" point
    for point in "${points[@]}"; do
        format="$format%[hex:p{${point% *},${point#* }}] "
    done
    local values
    values=$("$E2E_CONVERT" "$image" -alpha on -depth 8 -format "$format" info:) ||
        e2e_fail "cannot read $image"
    local vals
    read -r -a vals <<<"$values"
    [ "${#points[@]}" -eq "${#vals[@]}" ] || e2e_fail "probe of $image: $values"
    local n ix iy rgb alpha
    for n in "${!points[@]}"; do
        ix=${points[$n]% *}
        iy=${points[$n]#* }
        rgb=${vals[$n]:0:6}
        alpha=${vals[$n]:6:2}
        [ -n "$alpha" ] || alpha=FF
        [ $((16#$alpha)) -ge 250 ] ||
            e2e_fail "probe ($ix,$iy) of $(basename "$image") is not opaque (alpha $alpha)"
        [ -z "$key" ] || [ "$rgb" != "$key" ] ||
            e2e_fail "probe ($ix,$iy) of $(basename "$image") is the colour key"
        probe_line "$((ix + dx)) $((iy + dy)) $op $rgb $group"
    done
    E2E_PROBE_CACHE[$cache_key]=$E2E_PROBES
    E2E_PROBES="$before$E2E_PROBES"
}

# check <screenshot> <probe lines>: true when the picture matches; the mismatches go to
# $E2E_WORK/mismatch.
check() {
    local shot=$1 probes=$2 format=""
    local x y _
    while read -r x y _; do
        [ -n "$x" ] || continue
        format="$format%[hex:p{$x,$y}] "
    done <<<"$probes"
    local values
    # In full screen the window shows the picture enlarged; sampling scales it back to 640 x 480 by
    # picking one screen pixel inside each picture pixel (the identity on a 640 x 480 window).
    values=$("$E2E_CONVERT" "$shot" -sample "640x480!" -depth 8 -format "$format" info: 2>"$E2E_WORK/mismatch") ||
        return 1
    awk -v tol="$E2E_TOLERANCE" -v values="$values" '
        function nibble(c) { return index("0123456789ABCDEF", toupper(c)) - 1 }
        # Channel i (0 red, 1 green, 2 blue) of a colour written RRGGBB.
        function channel(hex, i) { return 16 * nibble(substr(hex, 2 * i + 1, 1)) + nibble(substr(hex, 2 * i + 2, 1)) }
        function differs(a, b,   i, d) {
            for (i = 0; i < 3; i++) {
                d = channel(a, i) - channel(b, i)
                if (d > tol || d < -tol) return 1
            }
            return 0
        }
        function complain(text) { bad = bad "  " text "\n" }
        BEGIN { split(values, got, " ") }
        NF >= 4 {
            seen = substr(got[++n], 1, 6)
            where = "(" $1 "," $2 ")"
            if ($3 == "=" && differs(seen, $4))
                complain(where " is " seen ", expected " $4)
            if ($3 == "~") {
                absent[$5]++
                if (differs(seen, $4)) gone[$5]++
                last[$5] = where
            }
            if ($3 == "f") { fwhere[++nf] = where; fwant[nf] = $4; fseen[nf] = seen }
        }
        END {
            for (g in absent)
                if (!gone[g]) complain("the picture \"" g "\" is there (all " absent[g] " pixels up to " last[g] " match)")
            if (nf > 0) {
                # The common opacity, from the brightest channel of the first fading pixel.
                best = 0
                for (i = 1; i < 3; i++) if (channel(fwant[1], i) > channel(fwant[1], best)) best = i
                alpha = channel(fwant[1], best) > 0 ? channel(fseen[1], best) / channel(fwant[1], best) : 0
                if (alpha < 0.12) complain(sprintf("the fading picture is not there (opacity %.2f)", alpha))
                for (k = 1; k <= nf; k++) for (i = 0; i < 3; i++) {
                    d = channel(fseen[k], i) - alpha * channel(fwant[k], i)
                    if (d > tol + 2 || d < -tol - 2) {
                        complain(sprintf("%s is %s, expected %s at opacity %.2f", fwhere[k], fseen[k], fwant[k], alpha))
                        break
                    }
                }
            }
            printf "%s", bad > "/dev/stderr"
            exit bad != ""
        }' <<<"$probes" 2>"$E2E_WORK/mismatch"
}

# Sets E2E_SHOT to the next numbered artefact name for a screenshot.
e2e_shot_name() {
    E2E_STEP=$((E2E_STEP + 1))
    E2E_SHOT=$(printf "%s/%02d-%s.png" "$E2E_ART" "$E2E_STEP" "$1")
}

# Captures the game window into <file> (PNG at the lowest compression: captures are frequent).
capture() {
    timeout 10 import -window "$E2E_WINDOW" -quality 10 "png:$1" 2>/dev/null
}

# expect <name> <seconds> <probe lines>: screenshots until one shows the screen; fails after
# <seconds>. The last screenshot stays as the artefact of this step.
expect() {
    local name=$1 seconds=$2 probes=$3
    e2e_shot_name "$name"
    local file=$E2E_SHOT
    local deadline
    deadline=$(awk -v t="$(date +%s.%N)" -v s="$seconds" 'BEGIN { printf "%.2f", t + s }')
    while :; do
        if capture "$file" && check "$file" "$probes"; then
            e2e_log "screen: $name"
            return 0
        fi
        if awk -v t="$(date +%s.%N)" -v d="$deadline" 'BEGIN { exit !(t > d) }'; then
            cat "$E2E_WORK/mismatch" >&2
            e2e_fail "the screen \"$name\" did not show within $seconds seconds (see $(basename "$file"))"
        fi
        sleep 0.1
    done
}

# expect_steady <name> <seconds> <probe lines>: the screen shows and stands still for <seconds>:
# every screenshot matches and is the same as the first (nothing moves on a menu or over a frozen
# game).
expect_steady() {
    local name=$1 seconds=$2 probes=$3
    e2e_shot_name "$name"
    local file=$E2E_SHOT first="$E2E_WORK/steady-first.png"
    local deadline
    deadline=$(awk -v t="$(date +%s.%N)" -v s="$seconds" 'BEGIN { printf "%.2f", t + s }')
    local shots=0 changed
    while :; do
        if ! capture "$file"; then
            sleep 0.1
            continue
        fi
        if ! check "$file" "$probes"; then
            cat "$E2E_WORK/mismatch" >&2
            e2e_fail "the screen \"$name\" did not stay (see $(basename "$file"))"
        fi
        shots=$((shots + 1))
        if [ "$shots" -eq 1 ]; then
            cp "$file" "$first"
        else
            changed=$(compare -metric AE "$first" "$file" null: 2>&1 >/dev/null)
            [ "$changed" = 0 ] || e2e_fail "the screen \"$name\" changed ($changed pixels) while it should stand still"
        fi
        if awk -v t="$(date +%s.%N)" -v d="$deadline" 'BEGIN { exit !(t > d) }'; then
            e2e_log "screen stood still for $seconds s ($shots shots): $name"
            return 0
        fi
        sleep 0.1
    done
}

# expect_running <name> <seconds> <probe lines>: the screen shows within <seconds>, and the game behind it runs: two screenshots
# half a second apart differ in at least a tenth of their pixels (the ground scrolls 20 pixels a
# second, the people on it walk). A pause screen, even one that draws nothing, freezes the picture.
expect_running() {
    local name=$1 seconds=$2 probes=$3
    expect "$name" "$seconds" "$probes"
    local first=$E2E_SHOT
    sleep 0.5
    e2e_shot_name "$name-later"
    capture "$E2E_SHOT" || e2e_fail "no screenshot for \"$name\""
    check "$E2E_SHOT" "$probes" || { cat "$E2E_WORK/mismatch" >&2; e2e_fail "the screen \"$name\" went away"; }
    local changed
    changed=$(compare -metric AE "$first" "$E2E_SHOT" null: 2>&1 >/dev/null)
    case $changed in
    "" | *[!0-9]*) e2e_fail "cannot compare the screenshots of \"$name\": $changed" ;;
    esac
    [ "$changed" -ge 30720 ] || e2e_fail "the game stands still under \"$name\": $changed pixels changed in half a second"
    e2e_log "the game runs: $changed pixels changed in half a second"
}

# expect_viewport <name> <seconds> <WxH+X+Y> <probe lines>: as expect, on that part of the
# screenshot (where the picture lies on a full screen with bars).
expect_viewport() {
    local name=$1 seconds=$2 area=$3 probes=$4
    e2e_shot_name "$name"
    local file=$E2E_SHOT cropped=$E2E_WORK/viewport.png
    local deadline=$(($(date +%s) + seconds))
    until capture "$file" && "$E2E_CONVERT" "$file" -crop "$area" +repage "$cropped" && check "$cropped" "$probes"; do
        if [ "$(date +%s)" -ge "$deadline" ]; then
            cat "$E2E_WORK/mismatch" >&2
            e2e_fail "the screen \"$name\" did not show within $seconds seconds (see $(basename "$file"))"
        fi
        sleep 0.1
    done
    e2e_log "screen: $name"
}

# pixel <file> <x> <y>: the colour at (x, y) as RRGGBB.
pixel() {
    "$E2E_CONVERT" "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# expect_bars <file>: the 1920 x 1080 screenshot <file> shows the picture 1440 x 1080 (2.25 times its
# height) between black bars of 240 columns.
expect_bars() {
    local at
    for at in "0 540" "239 0" "1680 1079" "1919 540"; do
        # shellcheck disable=SC2086 # "x y"
        [ "$(pixel "$1" $at)" = 000000 ] || e2e_fail "($at) is $(pixel "$1" $at), not the bars' black"
    done
    [ "$(pixel "$1" 240 540)" != 000000 ] || e2e_fail "the picture does not start at column 240"
}

# expect_crisp_twice <file>: every 2 x 2 square of the 1280 x 960 screenshot <file> is one colour:
# picking one pixel of each and doubling it again gives the same picture.
expect_crisp_twice() {
    local doubled=$E2E_WORK/doubled.png differ
    "$E2E_CONVERT" "$1" -sample 640x480! -sample 1280x960! "$doubled" || e2e_fail "cannot resample $1"
    differ=$(compare -metric AE "$1" "$doubled" null: 2>&1 >/dev/null)
    [ "$differ" = 0 ] || e2e_fail "$differ pixels of $(basename "$1") are not in 2 x 2 squares of one colour"
    e2e_log "every picture pixel is a 2 x 2 square"
}

# ---------------------------------------------------------------------------------------------------
# The settings file

# write_settings <music> <fx> "<points> <name>"... (ten entries, best first)
write_settings() {
    local music=$1 fx=$2
    shift 2
    {
        echo '<?xml version="1.0" encoding="utf-8" standalone="yes" ?>'
        echo '<root>'
        echo "    <sound_settings music=\"$music\" fx=\"$fx\" />"
        echo '    <high_scores>'
        local entry
        for entry in "$@"; do
            echo "        <score points=\"${entry%% *}\">${entry#* }</score>"
        done
        echo '    </high_scores>'
        echo '</root>'
    } >"$E2E_SETTINGS"
}

# settings_volume <music|fx>: the volume stored in the settings file.
settings_volume() {
    sed -n "s/.*<sound_settings.* $1=\"\([0-9-]*\)\".*/\1/p" "$E2E_SETTINGS"
}

# The high-score table stored in the settings file, one "<points> <name>" a line, best first.
settings_scores() {
    sed -n 's/.*<score points="\([0-9-]*\)">\(.*\)<\/score>.*/\1 \2/p' "$E2E_SETTINGS"
}
