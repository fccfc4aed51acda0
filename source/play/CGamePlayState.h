// The screen on which the game is played: three levels, each a background that scrolls for 78.4
// seconds; score, lives and the HUD; the protective bubble; the periodic signal that makes enemies
// fire; the pause request; the typed codes; the end of the game and what follows it. Every moving
// thing is a game object in the object manager, made and removed only through MessageProc.
#pragma once

#include "IGameState.h"
#include "IListener.h"
#include "VKT_Types.h"

#include <cstddef>
#include <vector>

class CBaseMessage;
class CPlayer;

class CGamePlayState : public IGameState, public IListener
{
public:
    static CGamePlayState* GetInstance();
    // Receives every queued message of the message system: the one place where game objects are
    // made (through CObjectSpawner, which holds every starting value and random choice) and taken
    // out of the object manager.
    static void MessageProc(CBaseMessage* pMsg);

    // A new game at level 1: loads the level's images, sound and font, registers the object classes
    // and this listener, and asks for the player and ten enemies (made at the end of the frame).
    void Enter() override;
    // Game-over keys, pause request, the level keys 2 and 3, and the typed codes. Always true.
    bool Input() override;
    // Scrolls and changes levels, runs the enemy-fire and bubble timers, then updates and collides
    // the objects. While the game is over only the way out is looked after.
    void Update(float fElapsedTime) override;
    // Background, objects, bubble, clouds (level 3), HUD panel, charge bar, score, lives and the
    // end-of-game line, in that order.
    void Render() override;
    // Stops the theme, drops the font, removes every object and undoes the registrations.
    void Exit() override;
    // "PauseGame", "PlayerDied", "PlayerGainedLife" and "AddScore".
    void HandleEvent(CEvent* pEvent) override;

    // Start of the next level: its background, a fresh player and ten new enemies, no old objects,
    // the theme from its beginning. Score, lives, the bubble and the codes carry over.
    void SetupLevel2();
    void SetupLevel3();

    int GetScore() const { return m_nScore; }
    int GetLives() const { return m_nLives; }
    void SetLives(int nLives) { m_nLives = nLives; }
    bool IsPaused() const { return m_bPaused; }
    void SetPaused(bool bPaused) { m_bPaused = bPaused; }
    bool IsRapidFire() const { return m_bRapidFire; }
    int GetScreenWidth() const { return m_nScreenWidth; }
    int GetScreenHeight() const { return m_nScreenHeight; }

    // 1 to 3 while a level runs; 4 once the last level is done.
    int GetLevel() const { return m_nLevel; }
    bool IsGameOver() const { return m_bGameOver; }
    // The game ended because the last level was done, not because the last life was lost.
    bool IsGameCompleted() const { return m_bGameCompleted; }
    bool IsBubbleUp() const { return m_bBubble; }
    float GetBubbleDuration() const { return m_fBubbleDuration; }
    // The player made by the last player creation, until it is destroyed; null when there is none.
    CPlayer* GetPlayer() const { return m_pPlayer; }
    // Below 0 while the level runs; it has ended once this is 0 or more.
    float GetBackgroundOffset() const { return m_fBackgroundOffset; }
    float GetCloudsOffset() const { return m_fCloudsOffset; }
    // The characters typed since the last code, at most the last four once a frame's search is done.
    const std::vector<char>& GetTypedChars() const { return m_vTypedChars; }
    // What a replayed game starts from: the characters typed in earlier games.
    void SetTypedChars(const std::vector<char>& vTyped) { m_vTypedChars = vTyped; }

    // Seconds gathered towards the next enemy-fire signal and towards lowering the bubble. Both live
    // for the whole run and are not reset when a game starts.
    static float GetEnemyFireTimer();
    static void SetEnemyFireTimer(float fSeconds);
    static float GetBubbleTimer();
    static void SetBubbleTimer(float fSeconds);

    // Where a vertically scrolling layer is cut from its image and drawn: the part of the screen-sized
    // window at fOffset (negative: the window starts -fOffset rows into the image) that lies inside
    // the image, and the screen row where that part goes. False when nothing of it is inside.
    static bool PlaceScrollingLayer(float fOffset, int nScreenWidth, int nScreenHeight, int nImageHeight,
                                    RECT& rSection, int& nScreenY);

    // The three typed codes: five lower-case letters each, none with the pause key's letter.
    static constexpr const char* LIFE_CODE = "hatch";
    static constexpr const char* RAPID_FIRE_CODE = "talon";
    static constexpr const char* BUBBLE_CODE = "aerie";

private:
    CGamePlayState() = default;
    ~CGamePlayState() override = default;
    CGamePlayState(const CGamePlayState&) = delete;
    CGamePlayState& operator=(const CGamePlayState&) = delete;

    void ResetGame();
    void LoadResources();
    void RequestLevelObjects();
    void StartLevel(const char* szBackground);
    void RestartTheme();

    void HandleGameOverKeys();
    void HandleLevelKeys();
    void TakeTypedCharacter();
    void SearchTypedCodes();
    bool TypedCodeAt(size_t uIndex, const char* szCode) const;
    void ApplyCode(const char* szCode);

    void LeaveGameOver();
    void ScrollOrEndLevel(float fElapsedTime);
    void EndLevel();
    void EndGame();
    void RunBubbleTimer(float fElapsedTime);
    void RunEnemyFireTimer();

    void DrawScrollingLayer(int nImageID, float fOffset);
    void DrawHud();

    void PlayerDied();
    void ForgetPlayer();
    // Start, or the playing pad pulled out while the game runs.
    bool PadAsksForPause() const;

    // Takes the object of a destroy message out of the object manager; a destroyed enemy or bird is
    // replaced later in the same pass.

    int m_nThemeID = -1;
    int m_nHUDImageID = -1;
    int m_nWhiteImageID = -1;
    int m_nBackgroundImageID = -1;
    int m_nBubbleImageID = -1;
    int m_nLevel = 1;
    float m_fBackgroundOffset = 0.0f;
    float m_fCloudsOffset = 0.0f;
    int m_nCloudsImageID = -1;
    int m_nScreenWidth = 640;
    int m_nScreenHeight = 480;
    int m_nScore = 0;
    int m_nLives = 3;
    CPlayer* m_pPlayer = nullptr; // not a counted reference: cleared when that player is removed
    bool m_bPaused = false;
    bool m_bGameOver = false;
    bool m_bBubble = false;
    bool m_bRapidFire = false;
    float m_fBubbleDuration = 0.0f;
    std::vector<char> m_vTypedChars;
    bool m_bGameCompleted = false;
};
