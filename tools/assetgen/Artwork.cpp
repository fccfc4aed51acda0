#include "Artwork.h"

#include "BirdArt.h"
#include "GlyphSheets.h"
#include "HumanArt.h"
#include "IconArt.h"
#include "LandscapeArt.h"
#include "MenuScreens.h"
#include "Music.h"
#include "PanelScreens.h"
#include "ProjectileArt.h"
#include "SoundEffects.h"

namespace assetgen
{
const std::vector<tArtwork>& AllArtwork()
{
    static const std::vector<tArtwork> list = {
        {"Graphics/OxM_Copperfen_logo.png", WriteLogo},
        {"Graphics/OxM_MainMenu.png", WriteMainMenu},
        {"Graphics/OxM_OptionsMenu.png", WriteOptionsMenu},
        {"Graphics/OxM_OptionsSelection.png", WriteOptionsMarker},
        {"Graphics/OxM_ControlsMenu.png", WriteControlsMenu},
        {"Graphics/OxM_ChangeControls.png", WriteChangeControls},
        {"Graphics/OxM_CreditsMenu.png", WriteCreditsMenu},
        {"Graphics/OxM_CreditsText.png", WriteCreditsText},
        {"Graphics/OxM_HighScoresMenu.png", WriteHighScoresMenu},
        {"Graphics/OxM_Arrow.png", WriteArrow},
        {"Graphics/OxM_EnterScore.png", WriteEnterScore},
        {"Graphics/OxM_IntroMenu.png", WriteIntroMenu},
        {"Graphics/OxM_CaptainChar.png", WriteCaptain},
        {"Graphics/OxM_TextBox.png", WriteTextBox},
        {"Graphics/OxM_PauseMenu.png", WritePauseMenu},
        {"Graphics/VKT_MenuCursor.png", WriteMenuCursor},
        {"Graphics/OxM_HUD.png", WriteHud},
        {"Graphics/OxM_White.png", WriteWhite},
        {"Graphics/OxM_Level1.png", WriteLevel1},
        {"Graphics/OxM_Level2.png", WriteLevel2},
        {"Graphics/OxM_Level3.png", WriteLevel3},
        {"Graphics/OxM_Clouds.png", WriteClouds},
        {"Sound/OxM_ZORIRED_theme.wav", WriteMenuTheme},
        {"Sound/OxM_PALLET_theme.wav", WriteLevelTheme},
        {"Sound/VKT_LazerShot.wav", WriteShotSound},
        {"Sound/VKT_LazerHit.wav", WriteHitSound},
        {"Graphics/OxM_Font2.png", WriteLargeFont},
        {"Graphics/OxM_Font1.png", WriteSmallFont},
        {"Graphics/OxM_PlayerChar.png", WritePlayerSheet},
        {"Graphics/OxM_EnemyBirds.png", WriteEnemyBirdSheet},
        {"Graphics/OxM_EnemyChar.png", WriteEnemySheet},
        {"Graphics/OxM_EnemySwimmers.png", WriteSwimmerSheet},
        {"Graphics/OxM_PlayerBullet.png", WritePlayerBullet},
        {"Graphics/OxM_HunterBullet.bmp", WriteHunterBullet},
        {"Graphics/OxM_ProjectileRock.png", WriteRock},
        {"Graphics/OxM_Bubble.png", WriteBubble},
        {"Graphics/OxM_PowLife.png", WriteLifePowerup},
        {"Graphics/OxM_PowCharge.png", WriteChargePowerup},
        {"Graphics/OxM_WindowIcon.png", WriteWindowIcon},
    };
    return list;
}
} // namespace assetgen
