#!/bin/bash
# The installed game: the package unpacked with dpkg-deb into a temporary root, started from an
# unrelated working folder with a temporary HOME (XDG_DATA_HOME unset). It finds its data beside
# its own path, and its settings file appears in ~/.local/share/talonreach/, in a folder only its
# owner may enter; nothing is written inside the unpacked tree. A second start reads what the first
# saved: its own save on entering the main menu keeps the music volume the first start raised.
#   installed_package.sh <test name> <package folder> <artefact folder> <source dir>
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/screens.sh"

name=$1 package_dir=$2 art=$3 source=$4
deb=$(ls "$package_dir"/talonreach_*.deb 2>/dev/null) || e2e_fail "no package in $package_dir"
root=$(mktemp -d "${TMPDIR:-/tmp}/talonreach-root.XXXXXX") || e2e_fail "no temp folder"
dpkg-deb -x "$deb" "$root" || e2e_fail "dpkg-deb -x $deb"
e2e_begin "$name" "$root/usr/games/talonreach" "$root/usr/share/games/talonreach" "$art" "$source"
trap 'status=$?; rm -rf "$root"; (exit $status); e2e_end' EXIT

# Every path, size, mode and time in the unpacked tree.
tree_state() {
    find "$root" -printf '%P %y %s %m %T@\n' | sort
}
before=$(tree_state)

E2E_GAME_DIR=$E2E_WORK/elsewhere
home=$E2E_WORK/home
mkdir -p "$E2E_GAME_DIR" "$home"
E2E_SETTINGS=$home/.local/share/talonreach/settings.xml
E2E_EXTRA_ENV=(-u XDG_DATA_HOME "HOME=$home")

# The first start: the main menu writes the settings file; the options raise the music volume.
start_at_menu
[ -f "$E2E_SETTINGS" ] || e2e_fail "no settings file at $E2E_SETTINGS after the main menu opened"
mode=$(stat -c %a "$(dirname "$E2E_SETTINGS")")
[ "$mode" = 700 ] || e2e_fail "the settings folder has mode $mode, not 700"
e2e_log "settings file made in a folder of mode 700: $E2E_SETTINGS"

raise_music
music=$E2E_MUSIC
table=$(settings_scores)
quit_from_menu 0
e2e_log "first start saved music $music"

# The second start reads the file: opening the main menu saves what it read.
mv "$E2E_ART/game.log" "$E2E_ART/game-first.log"
first_inode=$(stat -c %i "$E2E_SETTINGS")
start_at_menu second-menu
quit_from_menu 0 second-menu-exit
[ "$(stat -c %i "$E2E_SETTINGS")" != "$first_inode" ] || e2e_fail "the second start did not save the settings"
[ "$(settings_volume music)" = "$music" ] || e2e_fail "the second start saved music $(settings_volume music), not the $music it should have read"
[ "$(settings_scores)" = "$table" ] || e2e_fail "the second start changed the table: $(settings_scores)"
e2e_log "second start read music $music and the table"

for log in game-first game; do
    ! grep -q 'cannot be saved\|were not found' "$E2E_ART/$log.log" || e2e_fail "$log.log reports a failure"
done
[ "$(tree_state)" = "$before" ] || e2e_fail "the unpacked tree changed: $(diff <(echo "$before") <(tree_state))"
e2e_log "nothing was written in the unpacked tree"
