// Every file the game opens, relative to the working folder. Each name is written here once, with
// the letter case the screen that opens it has always used: "resource/graphics/..." and
// "Resource/Graphics/..." name the same folder, and the file lookup ignores letter case
// (CVKT_ResourcePath), so both spellings keep working on a case-sensitive file system.
#pragma once

#include "CBitmapFont.h"

// Volumes, the high-score table, the display and the controls. The main menu and the score entry write it as
// "resource/settings.xml"; the game core and the options screen use "Resource/settings.xml".
constexpr const char* SETTINGS_FILE = "Resource/settings.xml";
constexpr const char* SETTINGS_FILE_LOWER_CASE = "resource/settings.xml";

// The window's icon, as docks and task switchers show it beside the title (the desktop's own icon
// theme has the same picture at every size).
constexpr const char* IMAGE_WINDOW_ICON = "Resource/Graphics/OxM_WindowIcon.png";

// Fonts: 16 x 24 cells for the menus, the HUD and the score entry; 8 x 12 for the story. Both sheets
// have 20 cells a row, the first of them the space.
constexpr const char* IMAGE_FONT_LARGE = "Resource/Graphics/OxM_Font2.png";
constexpr const char* IMAGE_FONT_SMALL = "Resource/Graphics/OxM_Font1.png";
constexpr tFontSheet FONT_LARGE{IMAGE_FONT_LARGE, 16, 24, 20, ' '};
constexpr tFontSheet FONT_SMALL{IMAGE_FONT_SMALL, 8, 12, 20, ' '};

// Screens.
constexpr const char* IMAGE_LOGO = "Resource/Graphics/OxM_Copperfen_logo.png";
constexpr const char* IMAGE_MAIN_MENU = "resource/graphics/OxM_MainMenu.png";
constexpr const char* IMAGE_OPTIONS_MENU = "Resource/Graphics/OxM_OptionsMenu.png";
constexpr const char* IMAGE_OPTIONS_SELECTION = "Resource/Graphics/OxM_OptionsSelection.png";
constexpr const char* IMAGE_CONTROLS_MENU = "Resource/Graphics/OxM_ControlsMenu.png";
constexpr const char* IMAGE_CHANGE_CONTROLS = "Resource/Graphics/OxM_ChangeControls.png";
constexpr const char* IMAGE_CREDITS_MENU = "resource/graphics/OxM_CreditsMenu.png";
constexpr const char* IMAGE_CREDITS_TEXT = "resource/graphics/OxM_CreditsText.png";
constexpr const char* IMAGE_HIGH_SCORES_MENU = "resource/graphics/OxM_HighScoresMenu.png";
constexpr const char* IMAGE_ARROW = "resource/graphics/OxM_Arrow.png";
constexpr const char* IMAGE_ENTER_SCORE = "Resource/Graphics/OxM_EnterScore.png";
constexpr const char* IMAGE_INTRO_MENU = "Resource/Graphics/OxM_IntroMenu.png";
constexpr const char* IMAGE_CAPTAIN = "Resource/Graphics/OxM_CaptainChar.png";
constexpr const char* IMAGE_TEXT_BOX = "Resource/Graphics/OxM_TextBox.png";
constexpr const char* IMAGE_PAUSE_MENU = "Resource/Graphics/OxM_PauseMenu.png";
constexpr const char* IMAGE_MENU_CURSOR = "resource/graphics/VKT_MenuCursor.png";

// Play: the HUD, the three levels and what lies over them.
constexpr const char* IMAGE_HUD = "Resource/Graphics/OxM_HUD.png";
constexpr const char* IMAGE_WHITE = "Resource/Graphics/OxM_White.png";
constexpr const char* IMAGE_LEVEL_1 = "Resource/Graphics/OxM_Level1.png";
constexpr const char* IMAGE_LEVEL_2 = "Resource/Graphics/OxM_Level2.png";
constexpr const char* IMAGE_LEVEL_3 = "Resource/Graphics/OxM_Level3.png";
constexpr const char* IMAGE_BUBBLE = "Resource/Graphics/OxM_Bubble.png";
constexpr const char* IMAGE_CLOUDS = "Resource/Graphics/OxM_Clouds.png";

// Game objects.
constexpr const char* IMAGE_PLAYER = "Resource/Graphics/OxM_PlayerChar.png";
constexpr const char* IMAGE_ENEMIES = "Resource/Graphics/OxM_EnemyChar.png";
constexpr const char* IMAGE_SWIMMERS = "Resource/Graphics/OxM_EnemySwimmers.png";
constexpr const char* IMAGE_ENEMY_BIRDS = "Resource/Graphics/OxM_EnemyBirds.png";
constexpr const char* IMAGE_PLAYER_BULLET = "Resource/Graphics/OxM_PlayerBullet.png";
constexpr const char* IMAGE_HUNTER_BULLET = "Resource/Graphics/OxM_HunterBullet.bmp";
constexpr const char* IMAGE_ROCK = "Resource/Graphics/OxM_ProjectileRock.png";
constexpr const char* IMAGE_POWERUP_LIFE = "Resource/Graphics/OxM_PowLife.png";
constexpr const char* IMAGE_POWERUP_CHARGE = "Resource/Graphics/OxM_PowCharge.png";

// Music and effects.
constexpr const char* SOUND_MENU_THEME = "Resource/sound/OxM_ZORIRED_theme.wav";
constexpr const char* SOUND_LEVEL_THEME = "Resource/Sound/OxM_PALLET_theme.wav";
constexpr const char* SOUND_SHOT = "Resource/Sound/VKT_LazerShot.wav";
constexpr const char* SOUND_HIT = "Resource/Sound/VKT_LazerHit.wav";

// The demos the title shows when nobody plays, taking turns (recorded games, made by the project's
// recording tool from scripted play).
constexpr const char* DEMO_FILES[] = {"Resource/Demos/demo-1.replay", "Resource/Demos/demo-2.replay"};
