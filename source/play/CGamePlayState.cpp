#include "CGamePlayState.h"

#include "CBitmapFont.h"
#include "CBullet.h"
#include "CEnemy.h"
#include "CEnemyBird.h"
#include "CEnterScorestate.h"
#include "CGame.h"
#include "CGameMessages.h"
#include "CLevelIntroState1.h"
#include "CMainMenuState.h"
#include "CObjectSpawner.h"
#include "CPadInput.h"
#include "CPauseState.h"
#include "CPlayer.h"
#include "CPowerup.h"
#include "CReplayRecorder.h"
#include "GameEventIDs.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectManager.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
// Both live for the whole run of the program: a new game does not reset them.
float g_fEnemyFireTimer = 0.0f;
float g_fBubbleTimer = 0.0f;

constexpr float LEVEL_START_OFFSET = -1568.0f; // background rows above the first screen
constexpr float CLOUDS_START_OFFSET = -544.0f;
constexpr float BACKGROUND_SPEED = 20.0f; // pixels per second
constexpr float CLOUDS_SPEED = 10.0f;
constexpr float ENEMY_FIRE_PERIOD = 3.0f; // seconds
constexpr float RESPAWN_BUBBLE_SECONDS = 3.0f;
constexpr float CODE_BUBBLE_SECONDS = 500.0f;
constexpr int ENEMIES_PER_LEVEL = 10;
constexpr int POINTS_PER_HIT = 10;
constexpr size_t CODE_LENGTH = 5;
constexpr int LAST_LEVEL = 3;
constexpr VKT_COLOR OPAQUE_WHITE = VKT_ARGB(255, 255, 255, 255);
constexpr VKT_COLOR OPAQUE_BLACK_KEY = VKT_ARGB(255, 0, 0, 0);

const char* const GAME_OVER_TEXT = "GAME OVER";
const char* const GAME_COMPLETED_TEXT = "MISSION COMPLETE";
constexpr int END_TEXT_Y = 228;

int CentredX(const char* szText, int nScreenWidth)
{
    return (nScreenWidth - static_cast<int>(std::strlen(szText)) * FONT_LARGE.nCellWidth) / 2;
}
} // namespace

CGamePlayState* CGamePlayState::GetInstance()
{
    static CGamePlayState instance;
    return &instance;
}

float CGamePlayState::GetEnemyFireTimer()
{
    return g_fEnemyFireTimer;
}

void CGamePlayState::SetEnemyFireTimer(float fSeconds)
{
    g_fEnemyFireTimer = fSeconds;
}

float CGamePlayState::GetBubbleTimer()
{
    return g_fBubbleTimer;
}

void CGamePlayState::SetBubbleTimer(float fSeconds)
{
    g_fBubbleTimer = fSeconds;
}

// ---------------------------------------------------------------------------------------------------
// Lifecycle

void CGamePlayState::Enter()
{
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    pWM->StopWave(CGame::GetInstance()->GetMusicID());
    ResetGame();
    m_nThemeID = pWM->LoadWave(SOUND_LEVEL_THEME);
    pWM->SetVolume(m_nThemeID, static_cast<int>(CGame::GetInstance()->GetMusicVolume()));
    LoadResources();
    // White is the colour key.
    CBitmapFont::GetInstance()->Initialize(FONT_LARGE, 0xFFFFFFFF);
    CObjectSpawner::RegisterClasses();
    CVKT_EventSystem* pES = CVKT_EventSystem::GetInstance();
    pES->RegisterClient(EVENT_PAUSE_GAME, this);
    pES->RegisterClient(EVENT_PLAYER_DIED, this);
    pES->RegisterClient(EVENT_PLAYER_GAINED_LIFE, this);
    pES->RegisterClient(EVENT_ADD_SCORE, this);
    // The objects are made with the frame's messages, after the record has seeded the numbers.
    CReplayRecorder::GetInstance()->GameStarted();
    RequestLevelObjects();
    m_fBackgroundOffset = LEVEL_START_OFFSET;
    m_fCloudsOffset = CLOUDS_START_OFFSET;
    RestartTheme();
}

void CGamePlayState::ResetGame()
{
    m_nThemeID = -1;
    m_nScreenWidth = 640;
    m_nScreenHeight = 480;
    m_bPaused = false;
    m_nScore = 0;
    m_nLives = 3;
    m_nLevel = 1;
    m_bGameOver = false;
    m_bBubble = false;
    m_bRapidFire = false;
    m_bGameCompleted = false;
}

void CGamePlayState::LoadResources()
{
    // The managers own the images; a later Enter loads the same names again and shares the slots
    // (all but the background, which Exit gives back).
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nHUDImageID = pTM->LoadTexture(IMAGE_HUD, 0);
    m_nWhiteImageID = pTM->LoadTexture(IMAGE_WHITE, 0);
    m_nBackgroundImageID = pTM->LoadTexture(IMAGE_LEVEL_1, 0);
    m_nBubbleImageID = pTM->LoadTexture(IMAGE_BUBBLE, OPAQUE_BLACK_KEY);
    m_nCloudsImageID = pTM->LoadTexture(IMAGE_CLOUDS, 0);
}

void CGamePlayState::RequestLevelObjects()
{
    // Made by MessageProc at the end of this frame, so they exist before it is drawn.
    CVKT_MessageSystem* pMS = CVKT_MessageSystem::GetInstance();
    pMS->SendMsg(new CBaseMessage(MSG_CREATE_PLAYER));
    for (int i = 0; i < ENEMIES_PER_LEVEL; ++i)
        pMS->SendMsg(new CBaseMessage(MSG_CREATE_ENEMY));
}

void CGamePlayState::RestartTheme()
{
    // Each level's theme plays once from its beginning; it does not loop.
    CVKT_WaveManager* pWM = CVKT_WaveManager::GetInstance();
    pWM->ResetWave(m_nThemeID);
    pWM->PlayWave(m_nThemeID, false);
}

void CGamePlayState::StartLevel(const char* szBackground)
{
    // One level's background at a time: each is a picture of 5 MB, and a finished level's never
    // shows again in this game.
    const int previous = m_nBackgroundImageID;
    m_nBackgroundImageID = CVKT_TextureManager::GetInstance()->LoadTexture(szBackground, 0);
    CVKT_TextureManager::GetInstance()->UnloadTexture(previous);
    CVKT_ObjectManager::GetInstance()->RemoveAllObjects();
    ForgetPlayer();
    // Requests still waiting belong to the old level: a shot or a respawn asked for in its last
    // frame would otherwise bring an old bullet or a second player into the new one.
    CVKT_MessageSystem::GetInstance()->ClearMessages();
    RequestLevelObjects();
}

void CGamePlayState::SetupLevel2()
{
    StartLevel(IMAGE_LEVEL_2);
    m_fBackgroundOffset = LEVEL_START_OFFSET;
    RestartTheme();
}

void CGamePlayState::SetupLevel3()
{
    StartLevel(IMAGE_LEVEL_3);
    m_fBackgroundOffset = LEVEL_START_OFFSET;
    m_fCloudsOffset = CLOUDS_START_OFFSET;
    RestartTheme();
}

void CGamePlayState::Exit()
{
    // The game as it is left, before anything of it is taken down.
    CReplayRecorder::GetInstance()->GameLeft();
    // The background goes with the game; the next one starts at level 1 and loads that again.
    CVKT_TextureManager::GetInstance()->UnloadTexture(m_nBackgroundImageID);
    m_nBackgroundImageID = -1;
    CVKT_WaveManager::GetInstance()->StopWave(m_nThemeID);
    CBitmapFont::GetInstance()->Shutdown();
    CVKT_ObjectManager::GetInstance()->RemoveAllObjects();
    ForgetPlayer();
    CObjectSpawner::UnregisterPlayClasses();
    CVKT_EventSystem* pES = CVKT_EventSystem::GetInstance();
    pES->UnregisterClient(EVENT_PAUSE_GAME, this);
    pES->UnregisterClient(EVENT_PLAYER_DIED, this);
    pES->UnregisterClient(EVENT_PLAYER_GAINED_LIFE, this);
    pES->UnregisterClient(EVENT_ADD_SCORE, this);
}

void CGamePlayState::ForgetPlayer()
{
    // The pointer is not a counted reference: it must not outlive the player's removal.
    m_pPlayer = nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Input

bool CGamePlayState::Input()
{
    // Every step runs even after the game-over keys changed the screen in this frame; the pause
    // request then finds no listener and is dropped.
    if (m_bGameOver)
        HandleGameOverKeys();
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pDI->KeyPressed(DIK_P) || PadAsksForPause())
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PAUSE_GAME);
    HandleLevelKeys();
    TakeTypedCharacter();
    SearchTypedCodes();
    return true;
}

bool CGamePlayState::PadAsksForPause() const
{
    // A game whose pad has been pulled out must not go on without its player; once it is over there
    // is nothing left to hold.
    const CPadInput* pPad = CPadInput::GetInstance();
    return pPad->Pause() || (pPad->PlayingPadLost() && !m_bGameOver);
}

void CGamePlayState::HandleGameOverKeys()
{
    // The story screen shows its closing lines when it is reached from here.
    CLevelIntroState1::GetInstance()->SetEnding(true);
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pDI->KeyPressed(DIK_SPACE) || pDI->KeyPressed(DIK_RETURN) ||
        pPad->Confirm() || pPad->Pause())
        CGame::GetInstance()->ChangeState(CLevelIntroState1::GetInstance());
}

void CGamePlayState::HandleLevelKeys()
{
    // 2 ends the running level at the next update; 3 makes that next level the third.
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    if (pDI->KeyPressed(DIK_2))
    {
        m_fBackgroundOffset = 0.0f;
    }
    else if (pDI->KeyPressed(DIK_3))
    {
        m_nLevel = 2;
        m_fBackgroundOffset = 0.0f;
    }
}

void CGamePlayState::TakeTypedCharacter()
{
    const char cTyped = CVKT_DirectInput::GetInstance()->CheckBufferedKeysEx();
    if (cTyped != 0)
        m_vTypedChars.push_back(cTyped);
}

void CGamePlayState::SearchTypedCodes()
{
    if (m_vTypedChars.size() < CODE_LENGTH)
        return;
    const char* const codes[] = {LIFE_CODE, RAPID_FIRE_CODE, BUBBLE_CODE};
    for (size_t i = 0; i + (CODE_LENGTH - 1) < m_vTypedChars.size(); ++i)
    {
        for (const char* szCode : codes)
        {
            if (TypedCodeAt(i, szCode))
            {
                ApplyCode(szCode);
                break;
            }
        }
        if (m_vTypedChars.empty())
            return;
    }
    // Only the last four characters can still become part of a code; without this the array would
    // grow for the whole run with every key that types a character.
    m_vTypedChars.erase(m_vTypedChars.begin(), m_vTypedChars.end() - (CODE_LENGTH - 1));
}

bool CGamePlayState::TypedCodeAt(size_t uIndex, const char* szCode) const
{
    for (size_t k = 0; k < CODE_LENGTH; ++k)
    {
        if (m_vTypedChars[uIndex + k] != szCode[k])
            return false;
    }
    return true;
}

void CGamePlayState::ApplyCode(const char* szCode)
{
    if (szCode == LIFE_CODE)
    {
        CVKT_EventSystem::GetInstance()->SendEvent(EVENT_PLAYER_GAINED_LIFE);
    }
    else if (szCode == RAPID_FIRE_CODE)
    {
        m_bRapidFire = !m_bRapidFire;
    }
    else
    {
        m_bBubble = !m_bBubble;
        m_fBubbleDuration = m_bBubble ? CODE_BUBBLE_SECONDS : 0.0f;
    }
    m_vTypedChars.clear();
}

// ---------------------------------------------------------------------------------------------------
// Update

void CGamePlayState::Update(float fElapsedTime)
{
    if (m_bGameOver)
    {
        LeaveGameOver();
        return;
    }
    ScrollOrEndLevel(fElapsedTime);
    if (m_bGameOver)
        return; // the last level has just ended: the game stops as it stands
    g_fEnemyFireTimer += fElapsedTime;
    RunBubbleTimer(fElapsedTime);
    RunEnemyFireTimer();
    CVKT_ObjectManager* pOM = CVKT_ObjectManager::GetInstance();
    pOM->UpdateObjects(fElapsedTime);
    pOM->CheckCollisions();
}

void CGamePlayState::LeaveGameOver()
{
    CGame* pGame = CGame::GetInstance();
    if (pGame->IsHighScore(m_nScore))
        pGame->PushState(CEnterScorestate::GetInstance());
    else if (CVKT_DirectInput::GetInstance()->GetBufferedDIKCodeEx() != 0 ||
             CPadInput::GetInstance()->AnyButton())
        pGame->ChangeState(CMainMenuState::GetInstance());
}

void CGamePlayState::ScrollOrEndLevel(float fElapsedTime)
{
    if (m_fBackgroundOffset < 0.0f)
    {
        m_fBackgroundOffset += fElapsedTime * BACKGROUND_SPEED;
        if (m_nLevel == 3)
            m_fCloudsOffset += fElapsedTime * CLOUDS_SPEED;
        return;
    }
    EndLevel();
}

void CGamePlayState::EndLevel()
{
    ++m_nLevel;
    if (m_nLevel == 2)
        SetupLevel2();
    else if (m_nLevel == 3)
        SetupLevel3();
    else
        EndGame();
}

void CGamePlayState::EndGame()
{
    // Ends like a lost last life, with its own line: the same keys lead on, and the level number
    // stays where it is.
    m_nLevel = LAST_LEVEL + 1;
    m_bGameOver = true;
    m_bGameCompleted = true;
    CGame* pGame = CGame::GetInstance();
    if (pGame->IsHighScore(m_nScore))
        pGame->PushState(CEnterScorestate::GetInstance());
}

void CGamePlayState::RunBubbleTimer(float fElapsedTime)
{
    if (!m_bBubble)
        return;
    g_fBubbleTimer += fElapsedTime;
    if (g_fBubbleTimer >= m_fBubbleDuration)
    {
        m_bBubble = false;
        g_fBubbleTimer = 0.0f;
    }
}

void CGamePlayState::RunEnemyFireTimer()
{
    if (g_fEnemyFireTimer < ENEMY_FIRE_PERIOD)
        return;
    CVKT_EventSystem::GetInstance()->SendEvent(EVENT_ENEMY_FIRE_BULLET);
    g_fEnemyFireTimer = 0.0f;
}

// ---------------------------------------------------------------------------------------------------
// Render

void CGamePlayState::Render()
{
    DrawScrollingLayer(m_nBackgroundImageID, m_fBackgroundOffset);
    // The player's shots start under the bird that drops them and fall slowly; drawn by scale alone
    // they would stay hidden beneath it while it holds still. They go over everything else instead.
    // The list keeps the order by scale, so updates and collisions run as before.
    CVKT_ObjectManager::GetInstance()->RenderObjects(OBJ_PLAYER_BULLET);
    if (m_bBubble && m_pPlayer)
    {
        const int nX = static_cast<int>(m_pPlayer->GetPosX()) - 32;
        const int nY = static_cast<int>(m_pPlayer->GetPosY()) - 32;
        CVKT_TextureManager::GetInstance()->DrawTexture(m_nBubbleImageID, nX, nY, 1.0f, 1.0f, nullptr, 0.0f,
                                                        0.0f, 0.0f, OPAQUE_WHITE);
    }
    // The clouds pass over everything on the ground and in the air.
    if (m_nLevel == 3)
        DrawScrollingLayer(m_nCloudsImageID, m_fCloudsOffset);
    DrawHud();
}

bool CGamePlayState::PlaceScrollingLayer(float fOffset, int nScreenWidth, int nScreenHeight, int nImageHeight,
                                         RECT& rSection, int& nScreenY)
{
    // The window's rows in the image, truncated toward zero.
    const int nTop = -static_cast<int>(fOffset);
    const int nBottom = -static_cast<int>(fOffset - static_cast<float>(nScreenHeight));
    // Past either end of the image there is nothing to show: the layer's edge moves across the
    // screen instead of the window reading outside the image.
    const int nClampedTop = std::max(nTop, 0);
    const int nClampedBottom = std::min(nBottom, nImageHeight);
    if (nClampedTop >= nClampedBottom)
        return false;
    rSection = RECT{0, nClampedTop, nScreenWidth, nClampedBottom};
    nScreenY = nClampedTop - nTop;
    return true;
}

void CGamePlayState::DrawScrollingLayer(int nImageID, float fOffset)
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    if (nImageID == -1)
        return;
    RECT rSection;
    int nScreenY = 0;
    if (!PlaceScrollingLayer(fOffset, m_nScreenWidth, m_nScreenHeight, pTM->GetTextureHeight(nImageID),
                             rSection, nScreenY))
        return;
    pTM->DrawTexture(nImageID, 0, nScreenY, 1.0f, 1.0f, &rSection, 0.0f, 0.0f, 0.0f, OPAQUE_WHITE);
}

void CGamePlayState::DrawHud()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const RECT rPanel = {0, 0, 243, 65};
    pTM->DrawTexture(m_nHUDImageID, 0, 0, 1.0f, 1.0f, &rPanel, 0.0f, 0.0f, 0.0f, OPAQUE_WHITE);
    if (m_pPlayer && m_pPlayer->IsChargeBarShown())
    {
        const RECT rBar = m_pPlayer->GetChargeBarRect();
        pTM->DrawTexture(m_nWhiteImageID, 62, 46, 1.0f, 1.0f, &rBar, 0.0f, 0.0f, 0.0f, OPAQUE_WHITE);
    }
    CBitmapFont* pFont = CBitmapFont::GetInstance();
    char szNumber[32];
    std::snprintf(szNumber, sizeof szNumber, "%i", m_nScore);
    pFont->Print(szNumber, 25, 17, 1.0f, OPAQUE_WHITE);
    // The panel has room for two digits; more are printed in full rather than cut or overflowed.
    std::snprintf(szNumber, sizeof szNumber, "%i", m_nLives);
    pFont->Print(szNumber, 184, 17, 1.0f, OPAQUE_WHITE);
    if (!m_bGameOver)
        return;
    const char* szLine = m_bGameCompleted ? GAME_COMPLETED_TEXT : GAME_OVER_TEXT;
    pFont->Print(szLine, CentredX(szLine, m_nScreenWidth), END_TEXT_Y, 1.0f, OPAQUE_WHITE);
}

// ---------------------------------------------------------------------------------------------------
// Events

void CGamePlayState::HandleEvent(CEvent* pEvent)
{
    if (!pEvent)
        return;
    const EVENTID id = pEvent->GetEventID();
    if (id == EVENT_PAUSE_GAME)
    {
        if (!IsPaused())
            CGame::GetInstance()->PushState(CPauseState::GetInstance());
        m_bPaused = !m_bPaused;
    }
    else if (id == EVENT_PLAYER_DIED)
    {
        PlayerDied();
    }
    else if (id == EVENT_PLAYER_GAINED_LIFE)
    {
        ++m_nLives;
    }
    else if (id == EVENT_ADD_SCORE)
    {
        m_nScore += POINTS_PER_HIT;
    }
}

void CGamePlayState::PlayerDied()
{
    // The player has already switched itself off.
    if (!m_pPlayer)
        return;
    if (m_bBubble)
    {
        m_pPlayer->SetActive(true);
        return;
    }
    CPadInput::GetInstance()->RumbleLostLife();
    CVKT_MessageSystem* pMS = CVKT_MessageSystem::GetInstance();
    if (m_nLives > 1)
    {
        // Handled next frame, destroy before create: the old player goes before the new one comes.
        pMS->SendMsg(new CDestroyPlayerMessage(m_pPlayer));
        --m_nLives;
        pMS->SendMsg(new CBaseMessage(MSG_CREATE_PLAYER));
        m_bBubble = true;
        m_fBubbleDuration = RESPAWN_BUBBLE_SECONDS;
        return;
    }
    // The last life: the counter stays at 1 and no player comes back.
    m_bGameOver = true;
    pMS->SendMsg(new CDestroyPlayerMessage(m_pPlayer));
}

// ---------------------------------------------------------------------------------------------------
// Messages

void CGamePlayState::MessageProc(CBaseMessage* pMsg)
{
    if (!pMsg)
        return;
    CGamePlayState* pState = GetInstance();
    switch (pMsg->GetMsgID())
    {
    case MSG_CREATE_ENEMY:
        CObjectSpawner::SpawnEnemy(pState->m_nLevel, pState->m_pPlayer, pState->m_nScreenWidth,
                                   pState->m_nScreenHeight);
        break;
    case MSG_CREATE_ENEMY_BIRD:
        CObjectSpawner::SpawnEnemyBird(pState->m_nScreenWidth);
        break;
    case MSG_CREATE_PLAYER:
        if (CPlayer* pPlayer = CObjectSpawner::SpawnPlayer())
            pState->m_pPlayer = pPlayer;
        break;
    case MSG_CREATE_PLAYER_BULLET:
        if (const auto* pCreate = dynamic_cast<const CCreatePlayerBulletMessage*>(pMsg))
            CObjectSpawner::SpawnPlayerBullet(pCreate->GetPosX(), pCreate->GetPosY());
        break;
    case MSG_CREATE_ENEMY_BULLET:
        if (const auto* pCreate = dynamic_cast<const CCreateEnemyBulletMessage*>(pMsg))
            CObjectSpawner::SpawnEnemyBullet(pCreate->GetPosX(), pCreate->GetPosY(), pCreate->GetAngle(),
                                             pCreate->GetHunter());
        break;
    case MSG_CREATE_POWERUP:
        CObjectSpawner::SpawnPowerup(pState->m_nScreenWidth);
        break;
    case MSG_DESTROY_ENEMY:
    case MSG_DESTROY_PLAYER:
    case MSG_DESTROY_BULLET:
    case MSG_DESTROY_ENEMY_BIRD:
    case MSG_DESTROY_POWERUP:
        if (const auto* pDestroy = dynamic_cast<const CObjectReferenceMessage*>(pMsg))
        {
            if (pDestroy->GetObject() == pState->m_pPlayer)
                pState->ForgetPlayer();
            CObjectSpawner::Despawn(*pDestroy);
        }
        break;
    default:
        break;
    }
}
