# The game's screens as probe lines (see common.sh), built from the generated art and the places
# where the game draws it: each screen_ and add_ function leaves its lines in E2E_PROBES. Then the
# routes through the game that several tests take, checked screen by screen.

# The logo fading in over black: corners black (the screen's black rectangle, not the dark blue the
# frame is cleared to), and bright parts of the logo at one common opacity.
screen_logo() {
    probes_begin
    probe_line "2 2 = 000000"
    probe_line "637 477 = 000000"
    probe OxM_Copperfen_logo.png 0 0 f -- "331 175" "320 80" "268 338" "95 342"
}

# The main menu with item <selected> (0 to 5) highlighted. Each item row is probed at its left and
# right ends: the highlighted look comes from the sheet's column at x 641 and is laid over the item,
# the others show the menu picture itself.
screen_menu() {
    local selected=$1 item y
    probes_begin
    for item in 0 1 2 3 4 5; do
        y=$((222 + 27 * item + 13))
        if [ "$item" -eq "$selected" ]; then
            probe OxM_MainMenu.png $((222 - 641)) 0 = key=FFFFFF -- "649 $y" "831 $y"
        else
            probe OxM_MainMenu.png 0 0 = -- "230 $y" "412 $y"
        fi
    done
}

# The options screen with the marker around line <selected> (0 music, 1 effects) and none around
# the other line.
screen_options() {
    local selected=$1 other=$((1 - $1))
    local marker=("130 2" "300 2" "2 32" "423 32" "200 62")
    probes_begin
    probe OxM_OptionsMenu.png 0 0 = -- "320 47" "250 45" "340 300"
    probe OxM_OptionsSelection.png 130 $((83 + 72 * selected)) = key=FFFFFF -- "${marker[@]}"
    local point beneath=()
    for point in "${marker[@]}"; do
        beneath+=("$((130 + ${point% *})) $((83 + 72 * other + ${point#* }))")
    done
    probe OxM_OptionsMenu.png 0 0 = -- "${beneath[@]}"
}

# The story screen: background, the captain's portrait at (258, 240), the text box at (60, 392).
screen_story() {
    probes_begin
    probe OxM_IntroMenu.png 0 0 = -- "320 50" "100 300" "470 300"
    probe OxM_CaptainChar.png 258 240 = -- "62 44" "20 20" "100 70" "62 30"
    probe OxM_TextBox.png 60 392 = -- "410 0" "351 1" "330 85" "479 42"
}

# The HUD panel at (0, 0), away from the numbers and the charge bar.
add_hud() {
    probe OxM_HUD.png 0 0 = -- "59 0" "239 30" "62 61" "105 52"
}

# The pause panel's title, where the score entry panel differs from it.
add_no_pause_panel() {
    probe OxM_PauseMenu.png 160 120 "~" group=pause-panel -- "154 42" "114 44" "169 37" "137 43"
}

add_no_score_panel() {
    probe OxM_EnterScore.png 160 120 "~" group=score-panel -- "139 36" "26 28" "118 30" "151 31"
}

# The game running: the HUD, and neither the pause panel nor the score entry over it.
screen_play() {
    probes_begin
    add_hud
    add_no_pause_panel
    add_no_score_panel
}

# Adds the player's picture for a player centred on (x, y): the sprite of 62 x 53 is drawn from
# its top-left corner at (x - 31, y - 26). The probed pixels are the same in all four frames.
add_player_at() {
    probe OxM_PlayerChar.png $(($1 - 31)) $(($2 - 26)) = -- "30 12" "30 20" "30 30" "30 47"
}

# Adds the charge bar, drawn white from (62, 46), still shown but short of x 190, where the bar's
# dark track shows: shots have spent charge.
add_charge_spent() {
    probe OxM_White.png 62 46 = -- "2 1"
    probe OxM_HUD.png 0 0 = -- "190 47" "190 48"
}

# The pause screen over the frozen game, the cursor at item <selected> (0 resume at (225, 244),
# 1 quit at (269, 289)) and not at the other item.
screen_pause() {
    local selected=$1 other=$((1 - $1))
    local cursor=("10 12" "6 12" "12 8")
    probes_begin
    add_hud
    probe OxM_PauseMenu.png 160 120 = -- "154 42" "114 44" "169 37" "127 1" "1 102"
    probe VKT_MenuCursor.png $((225 + 44 * selected)) $((244 + 45 * selected)) = key=FFFFFF -- "${cursor[@]}"
    local point beneath=()
    for point in "${cursor[@]}"; do
        beneath+=("$((225 + 44 * other + ${point% *} - 160)) $((244 + 45 * other + ${point#* } - 120))")
    done
    probe OxM_PauseMenu.png 160 120 = -- "${beneath[@]}"
}

# One pixel inside the glyph of each letter the tests type, in its 16 x 24 cell of the font sheet.
declare -A E2E_GLYPH_PIXEL=([k]="4 12" [w]="3 13")

# The score entry over the frozen game with <name> typed so far: the panel at (160, 120), the name at
# (282, 228) drawn at twice the size (32 x 48 per letter), and the slots after it still empty.
screen_score_entry() {
    local name=$1
    probes_begin
    add_hud
    probe OxM_EnterScore.png 160 120 = -- "139 36" "26 28" "118 30" "127 1" "2 154"
    local slot letter gx gy
    for slot in 0 1 2; do
        letter=${name:$slot:1}
        if [ -n "$letter" ]; then
            add_glyph "$letter" "$slot"
        else
            # The empty slot shows the name box where the glyph of a "k" would stand.
            read -r gx gy <<<"${E2E_GLYPH_PIXEL[k]}"
            probe OxM_EnterScore.png 160 120 = -- "$((282 + 32 * slot + 2 * gx - 160)) $((228 + 2 * gy - 120))"
        fi
    done
}

# Adds the probe for <letter> drawn in name slot <slot>.
add_glyph() {
    local letter=$1 slot=$2 gx gy code cell colour
    read -r gx gy <<<"${E2E_GLYPH_PIXEL[$letter]}"
    code=$(printf '%d' "'$letter")
    cell=$((code - 32))
    colour=$("$E2E_CONVERT" "$E2E_RESOURCES/Graphics/OxM_Font2.png" -alpha on -depth 8 \
        -format "%[hex:p{$((16 * (cell % 20) + gx)),$((24 * (cell / 20) + gy))}]" info:) ||
        e2e_fail "cannot read the font sheet"
    [ "${colour:6:2}" = FF ] || e2e_fail "glyph pixel of $letter is not opaque"
    probe_line "$((282 + 32 * slot + 2 * gx)) $((228 + 2 * gy)) = ${colour:0:6}"
}

# Adds the "DEMO" mark of a demo the title plays by itself: 16 x 24 glyphs at their own size from
# (568, 8), probed at one outline pixel of D, M and O.
add_demo_mark() {
    local letter gx gy x code cell colour
    for letter in "D 0 3 3" "M 2 2 3" "O 3 5 3"; do
        read -r letter x gx gy <<<"$letter"
        code=$(printf '%d' "'$letter")
        cell=$((code - 32))
        colour=$("$E2E_CONVERT" "$E2E_RESOURCES/Graphics/OxM_Font2.png" -alpha on -depth 8 \
            -format "%[hex:p{$((16 * (cell % 20) + gx)),$((24 * (cell / 20) + gy))}]" info:) ||
            e2e_fail "cannot read the font sheet"
        probe_line "$((568 + 16 * x + gx)) $((8 + gy)) = ${colour:0:6}"
    done
}

# The charge bar at its full length: white still at x 190.
add_charge_full() {
    probe OxM_White.png 62 46 = -- "2 1" "128 1" "128 2"
}

# The controls screen: its picture away from the game's "press ESC".
screen_controls() {
    probes_begin
    probe OxM_ControlsMenu.png 0 0 = -- "320 47" "126 196" "59 457" "252 140"
}

# The change of controls with the cursor at row <selected> (0 to 7; its top at 112 + 34 row, x 34)
# and not at the other rows.
screen_change_controls() {
    local selected=$1 row point
    local cursor=("10 12" "6 12" "12 8")
    probes_begin
    probe OxM_ChangeControls.png 0 0 = -- "320 47" "90 130" "90 300" "470 130"
    probe VKT_MenuCursor.png 34 $((112 + 34 * selected)) = key=FFFFFF -- "${cursor[@]}"
    local beneath=()
    for row in 0 1 2 3 4 5 6 7; do
        [ "$row" -eq "$selected" ] && continue
        for point in "${cursor[@]}"; do
            beneath+=("$((34 + ${point% *})) $((112 + 34 * row + ${point#* }))")
        done
    done
    probe OxM_ChangeControls.png 0 0 = -- "${beneath[@]}"
}

# ---------------------------------------------------------------------------------------------------
# Routes through the game that several tests take

# logo_to_menu [name]: from the logo (fading in) to the main menu, its first item chosen: Space
# leaves the logo. <name> names the menu's screenshot (menu when not given).
logo_to_menu() {
    screen_logo
    expect logo 15 "$E2E_PROBES"
    press space
    screen_menu 0
    expect "${1:-menu}" 10 "$E2E_PROBES"
}

# start_at_menu [name]: starts the game and takes it from the logo to the main menu (logo_to_menu).
start_at_menu() {
    e2e_launch game
    e2e_wait_for_window
    logo_to_menu "$@"
}

# quit_from_menu <selected item> [name]: from the main menu with that item chosen, Up to the exit
# item (the menu wraps from the first item to the last) and Return. The game must end by itself with
# status 0.
quit_from_menu() {
    local up
    for ((up = 0; up <= $1; up++)); do press Up; done
    screen_menu 5
    expect "${2:-menu-exit}" 5 "$E2E_PROBES"
    press Return
    e2e_expect_game_exit 30
}

# menu_full_screen: F11 on the main menu's first item on a 1920 x 1080 screen: the window covers the
# screen, and the menu, 1440 x 1080 (1080 rows are 2.25 times the picture's height) between black
# bars of 240 columns, still answers Down.
menu_full_screen() {
    press F11
    expect_geometry "full screen" "0 0 1920 1080"
    screen_menu 0
    expect_viewport full-screen-menu 5 1440x1080+240+0 "$E2E_PROBES"
    expect_bars "$E2E_SHOT"
    press Down
    screen_menu 1
    expect_viewport full-screen-menu-moved 5 1440x1080+240+0 "$E2E_PROBES"
}

# raise_music: from the main menu's first item into the options, where Right held for 1.5 s raises
# the music from 50 by 10 a second, and back to the menu with Escape, which stores it. Sets E2E_MUSIC
# to the stored volume, which must have risen.
raise_music() {
    press Down Down Down
    screen_menu 3
    expect menu-options 5 "$E2E_PROBES"
    press Return
    screen_options 0
    expect options 10 "$E2E_PROBES"
    hold 1.5 Right
    expect options-after-raising 5 "$E2E_PROBES"
    press Escape
    screen_menu 0
    expect menu-after-options 10 "$E2E_PROBES"
    E2E_MUSIC=$(settings_volume music)
    if [ -z "$E2E_MUSIC" ] || [ "$E2E_MUSIC" -lt 58 ] || [ "$E2E_MUSIC" -gt 90 ]; then
        e2e_fail "after 1.5 s of Right from 50 the stored music volume is '$E2E_MUSIC'"
    fi
    e2e_log "stored music volume after leaving the options: $E2E_MUSIC"
}

# story_to_play [command...]: from the story screen into play: Space completes each line and goes on
# to the next. The last press is Escape, which the story takes as it takes Space: a Space still held
# when play starts would fire, and a lucky hit would change the score. The command, when given, adds
# its probes to those of play.
story_to_play() {
    screen_story
    expect story 10 "$E2E_PROBES"
    press space space space space space space space space Escape
    screen_play
    [ "$#" -eq 0 ] || "$@"
    expect_running play 10 "$E2E_PROBES"
}

# pause_and_resume <key>: in play, <key> brings up the pause screen (the cursor on Resume) and <key>
# again takes it away: the game runs on.
pause_and_resume() {
    press "$1"
    screen_pause 0
    expect "pause-by-$1" 5 "$E2E_PROBES"
    press "$1"
    screen_play
    expect_running "play-after-$1" 5 "$E2E_PROBES"
}

# quit_play_to_menu [command...]: from play, Escape pauses with the cursor on Resume (the command, when
# given, adds its probes to that screen), Down moves it to Quit and Return leaves for the main menu.
quit_play_to_menu() {
    press Escape
    screen_pause 0
    [ "$#" -eq 0 ] || "$@"
    expect pause 5 "$E2E_PROBES"
    press Down
    screen_pause 1
    expect pause-quit 5 "$E2E_PROBES"
    press Return
    screen_menu 0
    expect menu-after-quitting 10 "$E2E_PROBES"
}

# The settings the short way to the score entry needs: volumes 40 and 60, and a table whose two
# lowest entries hold negative points, which the 0 points of a fresh game beat.
write_settings_for_score_entry() {
    write_settings 40 60 "900 AAA" "800 BBB" "700 CCC" "600 DDD" "500 EEE" "400 FFF" "300 GGG" "200 HHH" \
        "-1 III" "-1 JJJ"
}

# play_to_score_entry: from the main menu's first item through the story into play, where 3 makes the
# next level the third and 2 ends the running level; after the third the game is complete and, with
# the table of write_settings_for_score_entry, the score entry opens.
play_to_score_entry() {
    press Return
    story_to_play
    # The third level's start loads its ground picture in one long frame. A key pressed and let go
    # within that frame would never be seen down: the 2 comes well after it and is held for a while
    # (the game acts on the press only, not on a key that stays down).
    hold 0.5 3
    sleep 0.5
    hold 0.5 2
    screen_score_entry ""
    expect score-entry 10 "$E2E_PROBES"
}

# type_letter <name>: the last letter of <name> pressed in the score entry, which then shows <name>.
type_letter() {
    press "${1: -1}"
    screen_score_entry "$1"
    expect "score-entry-$1" 5 "$E2E_PROBES"
}
