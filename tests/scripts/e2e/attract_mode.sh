#!/bin/bash
# The title left alone: after a minute on the main menu with nothing touched, the game plays a demo
# by itself (the field moving under the HUD, the "DEMO" mark in the top right corner), and one key
# brings the menu back with its first item chosen; that key chooses nothing. The demo writes nothing:
# the settings file is the one the menu wrote.
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"
e2e_begin "$@"

start_at_menu
written=$(cat "$E2E_SETTINGS")

screen_menu 0
sleep 50
expect_steady menu-after-50-seconds 2 "$E2E_PROBES"
screen_play
add_demo_mark
expect_running demo 20 "$E2E_PROBES"

# Return: the key that ends a demo does nothing else (on the menu it would start a game).
tap Return
screen_menu 0
expect menu-after-the-demo 5 "$E2E_PROBES"
expect_steady menu-stays 1.5 "$E2E_PROBES"
[ "$(cat "$E2E_SETTINGS")" = "$written" ] || e2e_fail "the demo changed the settings file"

press Up
screen_menu 5
expect menu-exit 5 "$E2E_PROBES"
press Return
e2e_expect_game_exit 30
