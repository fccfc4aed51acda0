#include "CGame.h"

#include "CAttractMode.h"
#include "CControls.h"
#include "CGamePlayState.h"
#include "CGameStateHash.h"
#include "CPadInput.h"
#include "CPauseState.h"
#include "CReplayRecorder.h"
#include "CReplayStore.h"
#include "CRuleState.h"
#include "CopperfenLogoState.h"
#include "GameResourceFiles.h"
#include "IGameState.h"

#include "CVKT_Clock.h"
#include "CVKT_Direct3D.h"
#include "CVKT_DirectInput.h"
#include "CVKT_DirectSound.h"
#include "CVKT_EventSystem.h"
#include "CVKT_MessageSystem.h"
#include "CVKT_ObjectManager.h"
#include "CVKT_TextureManager.h"
#include "CVKT_WaveManager.h"
#include "CVKT_Window.h"

#include <algorithm>
#include <cassert>
#include <cstring>

CGame* CGame::GetInstance()
{
    static CGame instance;
    return &instance;
}

CGame::CGame()
    : m_pD3D(nullptr), m_pTM(nullptr), m_pDS(nullptr), m_pWM(nullptr), m_pDI(nullptr), m_dwLastTick(0),
      m_fElapsedTime(0.0f)
{
    const tGameSettings defaults = CSettingsFile::Defaults();
    std::memcpy(m_HighScores, defaults.highScores, sizeof m_HighScores);
    m_Controls = defaults.controls;
}

void CGame::Initialize(HWND hWnd, HINSTANCE hInstance, int nScreenWidth, int nScreenHeight, bool bWindowed)
{
    m_pD3D = CVKT_Direct3D::GetInstance();
    m_pTM = CVKT_TextureManager::GetInstance();
    m_pDS = CVKT_DirectSound::GetInstance();
    m_pWM = CVKT_WaveManager::GetInstance();
    m_pDI = CVKT_DirectInput::GetInstance();
    m_pMS = CVKT_MessageSystem::GetInstance();
    m_pMS->InitMessageSystem(&CGamePlayState::MessageProc);
    m_pES = CVKT_EventSystem::GetInstance();
    CReplayStore::GetInstance()->SetTable(m_HighScores);
    CAttractMode::GetInstance()->Reset();

    // The order matters: the texture manager draws through the renderer's sprite batch, and the
    // wave manager plays on the sound device. Frames are shown in step with the display: drawing
    // faster than it refreshes only keeps a core and the GPU busy with pictures nobody sees.
    m_pD3D->InitDirect3D(hWnd, nScreenWidth, nScreenHeight, bWindowed, true);
    m_pTM->InitTextureManager(m_pD3D->GetDirect3DDevice(), m_pD3D->GetSprite());
    m_pDS->InitDirectSound(hWnd, 1);
    m_pWM->InitWaveManager(hWnd, m_pDS->GetDSObject());
    // Keyboard, mouse and game pads, none exclusive.
    m_pDI->InitDirectInput(hWnd, hInstance,
                           CVKT_DirectInput::DEVICE_KEYBOARD | CVKT_DirectInput::DEVICE_MOUSE |
                               CVKT_DirectInput::DEVICE_GAMEPADS,
                           0);

    // When the file cannot be read the defaults stay in place.
    LoadSettings(SETTINGS_FILE);

    m_nScreenWidth = nScreenWidth;
    m_nScreenHeight = nScreenHeight;
    m_bWindowed = bWindowed;

    // The main menu starts the music; here it is only loaded and given its volume.
    m_nMusicID = m_pWM->LoadWave(SOUND_MENU_THEME);
    m_pWM->SetVolume(m_nMusicID, static_cast<int>(m_fMusicVolume));

    ChangeState(CopperfenLogoState::GetInstance());

    // The first frame's elapsed time counts from here, after the logo screen's Enter.
    m_dwLastTick = CVKT_Clock::GetTickCount();
}

bool CGame::Main()
{
    // An unsigned difference survives the wrap of the 32-bit tick counter.
    const uint32_t now = CVKT_Clock::GetTickCount();
    const uint32_t uElapsedMs = now - m_dwLastTick;
    m_dwLastTick = now;

    // Decided before the read, which turns the keys through the chosen controls while a game is
    // played: the frame a screen changes in is read the way it began.
    m_pDI->SetBindingsOn(IsPlaying());
    m_pDI->ReadDevices();
    // The Return press stays visible to the states; screens that react to Return ignore it
    // themselves while an Alt key is held. F11 is the same switch, as Linux programs have it.
    const bool bAltReturn =
        (m_pDI->KeyDown(DIK_LMENU) || m_pDI->KeyDown(DIK_RMENU)) && m_pDI->KeyPressed(DIK_RETURN);
    if (bAltReturn || m_pDI->KeyPressed(DIK_F11))
        ToggleDisplayMode();

    if (CReplayPlayer::GetInstance()->IsWatching())
    {
        if (!WatchFrame(uElapsedMs))
            return false;
    }
    else
    {
        CReplayRecorder* pRecorder = CReplayRecorder::GetInstance();
        pRecorder->FrameRead(uElapsedMs);
        if (!RunFrame(uElapsedMs, nullptr))
            return false;
        pRecorder->FrameDone();
    }
    Draw();
    UpdateScreenSaver();
    return true;
}

bool CGame::WatchFrame(uint32_t uElapsedMs)
{
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    if (!ReadWatcherKeys())
    {
        EndWatching(pPlayer->AtEnd() ? CReplayPlayer::eResult::Played : CReplayPlayer::eResult::Left);
    }
    else if (pPlayer->AtEnd())
    {
        // The end: the last picture stays a moment.
        if (pPlayer->HoldEnd(uElapsedMs))
            EndWatching(CReplayPlayer::eResult::Played);
    }
    else
    {
        PlayRecordedFrames(uElapsedMs);
    }
    return pPlayer->IsWatching() || pPlayer->GetReturnTo() != nullptr;
}

bool CGame::ReadWatcherKeys()
{
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    // A demo stays only while nobody touches anything, and not beyond its time; the press that ends
    // it does nothing else (the menu it returns to reads presses from the next frame on).
    if (pPlayer->IsDemo())
        return !m_pDI->AnyPress() && !pPlayer->IsDemoOver();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (m_pDI->KeyPressed(DIK_ESCAPE) || pPad->Back())
        return false;
    if (m_pDI->KeyPressed(DIK_SPACE) || pPad->Confirm())
        pPlayer->TogglePause();
    if (m_pDI->KeyPressed(DIK_RIGHT) || pPad->PushedRight())
        pPlayer->Faster();
    if (m_pDI->KeyPressed(DIK_LEFT) || pPad->PushedLeft())
        pPlayer->Slower();
    return true;
}

void CGame::PlayRecordedFrames(uint32_t uElapsedMs)
{
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    pPlayer->AddTime(uElapsedMs);
    while (const tReplayFrame* pFrame = pPlayer->NextFrame())
    {
        if (pPlayer->FramesTakenNow() > 1)
            SortAsDrawn();
        // A copy: the frame's rules may end the watching, and the record is the player's.
        const tReplayFrame frame = *pFrame;
        if (!PlayRecordedFrame(frame))
            return;
    }
}

bool CGame::PlayRecordedFrame(const tReplayFrame& frame)
{
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    const bool bFirst = pPlayer->IsFirstFrame();
    // The pause that losing the focus pushed before this frame when it was recorded.
    if (frame.bFocusPause && !bFirst && !m_vStates.empty() &&
        m_vStates.back() == CGamePlayState::GetInstance())
        PushState(CPauseState::GetInstance());
    m_pDI->UseFrame(frame.input);
    if (bFirst)
    {
        // The recorded game began in this frame, where the story screen started it. Whatever was
        // on the stack goes first, a game too: that one is not the replay's.
        ClearStates();
        CRuleState::Restore(pPlayer->GetReplay().start);
    }
    RunFrame(frame.uElapsedMs, bFirst ? CGamePlayState::GetInstance() : nullptr);
    if (!pPlayer->IsWatching())
        return false;
    if (pPlayer->Matches(CGameStateHash::Compute()))
        return true;
    pPlayer->Depart();
    EndWatching(CReplayPlayer::eResult::Departed);
    return false;
}

void CGame::LeaveReplayedGame()
{
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    // Measured before anything of the game is taken down, as the record measured it.
    const bool bRecordedSo = pPlayer->IsLastFrame() && pPlayer->GetReplay().end == eReplayEnd::Quit &&
                             pPlayer->Matches(CGameStateHash::Compute());
    if (!bRecordedSo)
        pPlayer->Depart();
    IGameState* pReturnTo = pPlayer->GetReturnTo();
    pPlayer->Stop(bRecordedSo ? CReplayPlayer::eResult::Played : CReplayPlayer::eResult::Departed);
    ClearStates();
    if (pReturnTo)
        PushState(pReturnTo);
}

void CGame::EndWatching(CReplayPlayer::eResult result)
{
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    IGameState* pReturnTo = pPlayer->GetReturnTo();
    pPlayer->Stop(result);
    if (pReturnTo)
        ChangeState(pReturnTo);
}

void CGame::SortAsDrawn()
{
    if (std::find(m_vStates.begin(), m_vStates.end(), CGamePlayState::GetInstance()) != m_vStates.end())
        CVKT_ObjectManager::GetInstance()->SortByScale();
}

void CGame::UpdateScreenSaver()
{
    // Nobody touches a key while watching, and a player may go some time without one between two
    // shots; a paused game or replay is left alone like a menu, and so is a demo, which plays when
    // nobody is there.
    // While watching, the replayed game's own screens (its recorded pauses) do not count.
    CReplayPlayer* pPlayer = CReplayPlayer::GetInstance();
    const bool bPlaying = !m_vStates.empty() && m_vStates.back() == CGamePlayState::GetInstance();
    const bool bHoldOff = pPlayer->IsWatching() ? !pPlayer->IsPaused() && !pPlayer->IsDemo() : bPlaying;
    CVKT_Window::GetInstance()->AllowScreenSaver(!bHoldOff);
}

bool CGame::RunFrame(uint32_t uElapsedMs, IGameState* pEnterInstead)
{
    m_fElapsedTime = static_cast<float>(static_cast<double>(uElapsedMs) / 1000.0);
    if (pEnterInstead)
    {
        ChangeState(pEnterInstead);
    }
    else
    {
        // The pads' menu repeat runs on the game's own time, so it follows the frames as they are.
        CPadInput::GetInstance()->Update(m_fElapsedTime);
        assert(!m_vStates.empty() && "the state stack never runs empty while the game runs");
        if (m_vStates.empty())
            return false;
        if (!m_vStates.back()->Input())
            return false;
    }
    // Input may have changed the stack: the new top gets the update.
    if (!m_vStates.empty())
        m_vStates.back()->Update(m_fElapsedTime);

    m_pWM->Update();
    m_pMS->ProcessMessages();
    m_pES->ProcessEvents();
    return true;
}

void CGame::Draw()
{
    m_pD3D->Clear(0, 0, 128);
    m_pD3D->DeviceBegin();
    m_pD3D->SpriteBegin();
    RenderStates();
    CReplayPlayer::GetInstance()->DrawMark();
    m_pD3D->SpriteEnd();
    m_pD3D->DeviceEnd();
    m_pD3D->Present();
}

void CGame::FocusLost()
{
    if (CReplayPlayer::GetInstance()->IsWatching())
    {
        CReplayPlayer::GetInstance()->Pause();
        return;
    }
    if (m_vStates.empty() || m_vStates.back() != CGamePlayState::GetInstance())
        return;
    PushState(CPauseState::GetInstance());
    CReplayRecorder::GetInstance()->FocusPaused();
}

void CGame::RenderStates()
{
    // Bottom first, so a pushed screen draws over the frozen picture of the states below it. Index
    // access: a state's Render never changes the stack, but the vector must not be iterated by
    // reference if one ever did.
    for (size_t i = 0; i < m_vStates.size(); ++i)
        m_vStates[i]->Render();
}

void CGame::ToggleDisplayMode()
{
    m_bWindowed = !m_bWindowed;
    m_pD3D->ChangeDisplayParam(m_nScreenWidth, m_nScreenHeight, m_bWindowed);
}

void CGame::Shutdown()
{
    if (CReplayPlayer::GetInstance()->IsWatching())
        CReplayPlayer::GetInstance()->Stop(CReplayPlayer::eResult::Closed);
    ChangeState(nullptr);
    // A switch to full screen or a resized window saves nothing by itself; the way out keeps them.
    if (GetDisplay() != m_SavedDisplay)
        SaveSettings(SETTINGS_FILE);
    if (m_pDI)
    {
        m_pDI->ShutdownDirectInput();
        m_pDI = nullptr;
    }
    if (m_pWM)
        m_pWM->ShutdownWaveManager();
    if (m_pDS)
        m_pDS->ShutdownDirectSound();
    if (m_pTM)
        m_pTM->ShutdownTextureManager();
    if (m_pD3D)
        m_pD3D->ShutdownDirect3D();
    if (m_pMS)
        m_pMS->ShutdownMessageSystem();
    if (m_pES)
        m_pES->ShutdownEventSystem();
    m_bSettingsReadOnly = false;
}

void CGame::ChangeState(IGameState* pState)
{
    // A replayed game that leaves by its own rules ends the replay; it must not open the menus
    // (which save the settings).
    if (pState && CReplayPlayer::GetInstance()->IsWatching() && pState != CGamePlayState::GetInstance())
    {
        LeaveReplayedGame();
        return;
    }
    ClearStates();
    if (pState)
        PushState(pState);
}

void CGame::PushState(IGameState* pState)
{
    assert(pState && "PushState needs a state");
    if (!pState)
        return;
    pState->Enter();
    m_vStates.push_back(pState);
}

void CGame::PopState()
{
    assert(!m_vStates.empty() && "PopState on an empty stack");
    if (m_vStates.empty())
        return;
    m_vStates.back()->Exit();
    m_vStates.pop_back();
}

void CGame::ClearStates()
{
    // Exit may look at the stack (a state asking who is below it); empty it only afterwards.
    for (size_t i = 0; i < m_vStates.size(); ++i)
        m_vStates[i]->Exit();
    m_vStates.clear();
}

bool CGame::IsPlaying() const
{
    const CGamePlayState* pPlay = CGamePlayState::GetInstance();
    return !m_vStates.empty() && m_vStates.back() == pPlay && !pPlay->IsGameOver() &&
           !CReplayPlayer::GetInstance()->IsWatching();
}

void CGame::SetControls(const tControlSettings& controls)
{
    m_Controls = controls;
    m_Controls.ucFellBack = 0;
    CControls::Apply(m_Controls);
}

bool CGame::IsHighScore(int nPoints) const
{
    // A replayed game is already where it belongs in the table, or was never good enough for it.
    if (CReplayPlayer::GetInstance()->IsWatching())
        return false;
    return nPoints > m_HighScores[NUM_HIGH_SCORES - 1].nPoints;
}

void CGame::SetHighScores(const tHighScore* pScores)
{
    if (pScores)
        std::memcpy(m_HighScores, pScores, sizeof m_HighScores);
}

bool CGame::LoadSettings(const char* szPath)
{
    tGameSettings settings;
    const bool loaded = CSettingsFile::Load(szPath, settings);
    m_fMusicVolume = settings.fMusicVolume;
    m_fFXVolume = settings.fFXVolume;
    std::memcpy(m_HighScores, settings.highScores, sizeof m_HighScores);
    m_SavedDisplay = settings.display;
    CSettingsFile::ReportFallBacks(szPath, settings.controls);
    SetControls(settings.controls);
    return loaded;
}

bool CGame::SaveSettings(const char* szPath)
{
    if (m_bSettingsReadOnly)
        return false;
    tGameSettings settings;
    settings.fMusicVolume = m_fMusicVolume;
    settings.fFXVolume = m_fFXVolume;
    std::memcpy(settings.highScores, m_HighScores, sizeof m_HighScores);
    settings.display = GetDisplay();
    settings.controls = m_Controls;
    if (!CSettingsFile::Save(szPath, settings))
        return false;
    m_SavedDisplay = settings.display;
    return true;
}

tDisplaySettings CGame::GetDisplay() const
{
    if (!m_pD3D || !m_pD3D->GetDirect3DDevice())
        return m_SavedDisplay;
    tDisplaySettings display;
    display.bFullScreen = !m_bWindowed;
    // The size the desktop suggests is no choice of the player's: a larger desktop suggests more.
    const tSize windowed = m_pD3D->GetWindowedSize();
    if (windowed != CVKT_Window::GetInstance()->GetFittedSize())
    {
        display.nWindowWidth = windowed.nWidth;
        display.nWindowHeight = windowed.nHeight;
    }
    return display;
}
