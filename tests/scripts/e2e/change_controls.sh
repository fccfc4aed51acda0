#!/bin/bash
# Controls the player chooses, with real key presses: from the controls screen to the change of
# controls, fire moved from Space to Z, the choice kept in the settings file on leaving; then a game
# in which Space no longer fires and Z does (the charge bar spent), out through the pause menu and
# the exit item, the choice still in the file.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

# The key stored for <action> in the settings file; empty while the controls are the defaults.
settings_control_key() {
    sed -n "s/.*<control action=\"$1\" key=\"\([^\"]*\)\".*/\1/p" "$E2E_SETTINGS"
}

start_at_menu
press Down Down
screen_menu 2
expect menu-controls 5 "$E2E_PROBES"
press Return
screen_controls
expect controls 10 "$E2E_PROBES"
press c
screen_change_controls 0
expect change-controls 10 "$E2E_PROBES"
press Down Down Down Down
screen_change_controls 4
expect change-controls-fire 5 "$E2E_PROBES"
# Return waits for the new key; Return itself cannot be chosen, and a second press only says so.
press Return Return z
press Escape
screen_controls
expect controls-after-the-change 10 "$E2E_PROBES"
[ "$(settings_control_key fire)" = Z ] || e2e_fail "the settings file keeps fire on '$(settings_control_key fire)'"
e2e_log "settings file: fire on Z"

press Escape
screen_menu 0
expect menu 10 "$E2E_PROBES"
press Return
story_to_play

# Space pressed three times, more than a fire interval apart: no shot, the bar stays full (a shot
# would take a second of refill per tenth it spent).
press space
sleep 0.2
press space
sleep 0.2
press space
screen_play
add_charge_full
expect play-space-does-not-fire 0.5 "$E2E_PROBES"
hold 1 z
screen_play
add_charge_spent
expect play-z-fires 3 "$E2E_PROBES"

quit_play_to_menu
quit_from_menu 0
[ "$(settings_control_key fire)" = Z ] || e2e_fail "the choice did not outlast the game: fire on '$(settings_control_key fire)'"
e2e_log "settings file after the game: fire still on Z"
