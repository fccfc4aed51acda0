# Shared part of the end-to-end tests that look at the game's processes: every process that runs
# the game's binary (the game and the processes that show its message boxes), the sockets they
# hold, and the error box the wave manager shows for music it cannot play. Sourced after common.sh.

# The numbers of the live processes running the game's binary, one a line. A process that has ended
# but is not yet collected has no program any more and is not listed.
game_processes() {
    local p
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/exe" 2>/dev/null)" = "$E2E_GAME" ] && echo "${p#/proc/}"
    done
}

# The socket inodes process <pid> holds, one a line, sorted.
sockets_of() {
    ls -l "/proc/$1/fd" 2>/dev/null | sed -n 's/.*socket:\[\([0-9]*\)\].*/\1/p' | sort -u
}

# The inode of the socket bound to the game's one-copy lock (the first name of its family).
lock_inode() {
    awk -v name="@VKTWindowClass-$(id -u)" '$8 == name { print $7 }' /proc/net/unix
}

# The game's working folder gets a Sound folder of its own in which the menu music is a 32-bit float
# WAV: the wave manager reports "Invalid PCM information - ..." in a box during start-up.
use_float_music() {
    local sound=$E2E_GAME_DIR/Resource/Sound entry
    rm -f "$sound"
    mkdir -p "$sound"
    for entry in "$E2E_RESOURCES"/Sound/*; do
        ln -sf "$entry" "$sound/$(basename "$entry")"
    done
    rm -f "$sound/OxM_ZORIRED_theme.wav"
    # RIFF/WAVE, format 3 (IEEE float), mono, 22050 Hz, 32 bits, eight samples of silence.
    {
        printf 'RIFF\x44\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x03\x00\x01\x00\x22\x56\x00\x00'
        printf '\x88\x58\x01\x00\x04\x00\x20\x00data\x20\x00\x00\x00'
        head -c 32 /dev/zero
    } >"$sound/OxM_ZORIRED_theme.wav"
}

use_real_music() {
    ln -sf "$E2E_RESOURCES/Sound/OxM_ZORIRED_theme.wav" "$E2E_GAME_DIR/Resource/Sound/OxM_ZORIRED_theme.wav"
}

# The visible windows titled like the wave manager's box, as decimal ids (as xdotool gives them). SDL's
# box has a UTF-8 title and no window class, which xdotool's search passes over; xwininfo lists it.
box_windows() {
    local window
    for window in $(xwininfo -root -tree 2>/dev/null | awk '/^ *0x[0-9a-f]+ "CVKT_WaveManager Error":/ { print $1 }'); do
        xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$((window))"
    done
}

# Waits up to 30 s for the box of the game started last (E2E_GAME_PID). Sets E2E_BOX.
wait_for_box() {
    local deadline=$(($(date +%s) + 30))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended before its error box showed"
        E2E_BOX=$(box_windows | head -n 1)
        if [ -n "$E2E_BOX" ]; then
            e2e_log "error box $E2E_BOX"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no error box within 30 seconds"
}

# Waits up to <seconds> until no process of the game is alive and no box is on the screen.
expect_nothing_left() {
    local seconds=$1
    local deadline=$(($(date +%s) + seconds))
    until [ -z "$(game_processes)" ] && [ -z "$(box_windows)" ]; do
        if [ "$(date +%s)" -ge "$deadline" ]; then
            ps -o pid,pgid,ppid,stat,args -p "$(game_processes | paste -sd, -)" >&2 2>/dev/null
            e2e_fail "processes of the game or its box are left: $(game_processes | paste -sd ' ' -)"
        fi
        sleep 0.1
    done
    e2e_log "no process of the game is left, and no box"
}

# The processes showing the box share no socket with the game (so neither its lock nor its X
# connection), and the game holds the lock.
expect_box_shares_nothing() {
    local lock game_sockets p others=0 shared
    lock=$(lock_inode)
    [ -n "$lock" ] || e2e_fail "nobody holds the game's lock"
    game_sockets=$(sockets_of "$E2E_GAME_PID")
    grep -qx "$lock" <<<"$game_sockets" || e2e_fail "the game does not hold its lock (socket $lock)"
    for p in $(game_processes); do
        [ "$p" = "$E2E_GAME_PID" ] && continue
        others=$((others + 1))
        shared=$(comm -12 <(echo "$game_sockets") <(sockets_of "$p"))
        [ -z "$shared" ] || e2e_fail "box process $p shares the game's sockets: $shared"
    done
    [ "$others" -ge 1 ] || e2e_fail "the box is shown by no process of its own"
    e2e_log "$others process(es) show the box; none shares a socket with the game"
}
