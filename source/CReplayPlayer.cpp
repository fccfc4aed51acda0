#include "CReplayPlayer.h"

#include "CBitmapFont.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CGameStateHash.h"
#include "CPadInput.h"
#include "CPauseState.h"
#include "CPlayer.h"
#include "CReplayStore.h"

#include "CVKT_DirectInput.h"
#include "CVKT_MessageBox.h"
#include "CVKT_ObjectManager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
constexpr VKT_COLOR kWhite = 0xFFFFFFFF;
constexpr int kMarkGlyphWidth = 16;
constexpr int kMarkMargin = 8;
constexpr int kScreenWidth = 640;
} // namespace

CReplayPlayer* CReplayPlayer::GetInstance()
{
    static CReplayPlayer instance;
    return &instance;
}

void CReplayPlayer::Start(const tReplay& replay, IGameState* pReturnTo)
{
    m_Replay = replay;
    m_pReturnTo = pReturnTo;
    m_bWatching = true;
    m_bInStep = false;
    m_bLeaving = false;
    m_bPaused = false;
    m_nSpeed = 1;
    m_uNext = 0;
    m_uBudgetMs = 0;
    m_uHeldMs = 0;
    m_nDepartedFrame = -1;
    m_eResult = eResult::None;
    PutAside();
}

void CReplayPlayer::PutAside()
{
    // What the game carries from one game to the next goes back as it was once the watching ends,
    // and the random numbers go on from where they were rather than from the record's seed.
    m_Aside.uSeed = static_cast<uint32_t>(std::rand());
    m_Aside.fEnemyFireTimer = CGamePlayState::GetEnemyFireTimer();
    m_Aside.fBubbleTimer = CGamePlayState::GetBubbleTimer();
    m_Aside.fPlayerFireTimer = CPlayer::GetFireTimer();
    m_Aside.vTypedChars = CGamePlayState::GetInstance()->GetTypedChars();
    m_Aside.padRepeat = CPadInput::GetInstance()->GetRepeat();
}

void CReplayPlayer::Restore(const tReplayStart& start)
{
    std::srand(start.uSeed);
    CGamePlayState::SetEnemyFireTimer(start.fEnemyFireTimer);
    CGamePlayState::SetBubbleTimer(start.fBubbleTimer);
    CPlayer::SetFireTimer(start.fPlayerFireTimer);
    CGamePlayState::GetInstance()->SetTypedChars(start.vTypedChars);
    CPadInput::GetInstance()->SetRepeat(start.padRepeat);
}

bool CReplayPlayer::Frame(uint32_t uElapsedMs)
{
    if (!ReadWatcherKeys())
        return m_pReturnTo != nullptr;
    if (m_uNext >= m_Replay.vFrames.size())
    {
        // The end: the last picture stays a moment.
        m_uHeldMs += uElapsedMs;
        if (m_uHeldMs >= END_HOLD_MS)
            Stop(eResult::Played, true);
    }
    else if (!m_bPaused)
    {
        PlayFrames(uElapsedMs);
    }
    return m_bWatching || m_pReturnTo != nullptr;
}

bool CReplayPlayer::ReadWatcherKeys()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pPad->Back())
    {
        const bool bAtEnd = m_uNext >= m_Replay.vFrames.size();
        Stop(bAtEnd ? eResult::Played : eResult::Left, true);
        return false;
    }
    if (pDI->KeyPressed(DIK_SPACE) || pPad->Confirm())
        m_bPaused = !m_bPaused;
    if ((pDI->KeyPressed(DIK_RIGHT) || pPad->PushedRight()) && m_nSpeed < MAX_SPEED)
        m_nSpeed *= 2;
    if ((pDI->KeyPressed(DIK_LEFT) || pPad->PushedLeft()) && m_nSpeed > 1)
        m_nSpeed /= 2;
    return true;
}

bool CReplayPlayer::PlayFrames(uint32_t uElapsedMs)
{
    m_uBudgetMs += static_cast<uint64_t>(uElapsedMs) * static_cast<uint64_t>(m_nSpeed);
    for (int nSteps = 0; m_bWatching && m_uNext < m_Replay.vFrames.size(); ++nSteps)
    {
        const uint32_t uFrameMs = m_Replay.vFrames[m_uNext].uElapsedMs;
        if (m_uBudgetMs < uFrameMs)
            return true;
        if (nSteps == MAX_FRAMES_PER_FRAME * m_nSpeed)
        {
            m_uBudgetMs = 0;
            return true;
        }
        m_uBudgetMs -= uFrameMs;
        if (nSteps > 0)
            SortAsDrawn();
        if (!Step())
            return false;
    }
    return true;
}

bool CReplayPlayer::Step()
{
    const tReplayFrame& frame = m_Replay.vFrames[m_uNext];
    CGame* pGame = CGame::GetInstance();
    // The pause that losing the focus pushed before this frame when it was recorded.
    const std::vector<IGameState*> stack = pGame->GetStateStack();
    if (frame.bFocusPause && m_uNext > 0 && !stack.empty() && stack.back() == CGamePlayState::GetInstance())
        pGame->PushState(CPauseState::GetInstance());
    CVKT_DirectInput::GetInstance()->UseFrame(frame.input);
    m_bInStep = true;
    if (m_uNext == 0)
    {
        // The recorded game began in this frame, where the story screen started it. Whatever was
        // on the stack goes first, a game too: that one is not the replay's.
        m_bInStep = false;
        pGame->ChangeState(nullptr);
        m_bInStep = true;
        Restore(m_Replay.start);
        pGame->RunFrame(frame.uElapsedMs, CGamePlayState::GetInstance());
    }
    else
    {
        pGame->RunFrame(frame.uElapsedMs, nullptr);
    }
    m_bInStep = false;
    if (!m_bWatching)
        return false;
    if (CGameStateHash::Compute() != frame.uStateHash)
    {
        Depart(m_uNext);
        return false;
    }
    ++m_uNext;
    return true;
}

void CReplayPlayer::SortAsDrawn() const
{
    // The frame that was drawn between these two when they were recorded sorted the objects.
    const std::vector<IGameState*> stack = CGame::GetInstance()->GetStateStack();
    if (std::find(stack.begin(), stack.end(), CGamePlayState::GetInstance()) != stack.end())
        CVKT_ObjectManager::GetInstance()->SortByScale();
}

IGameState* CReplayPlayer::Leave()
{
    m_bLeaving = true;
    return m_pReturnTo;
}

void CReplayPlayer::GameLeft()
{
    if (!m_bWatching || !m_bInStep)
        return;
    if (!m_bLeaving)
    {
        // The program ends during the replay.
        Stop(eResult::Closed, false);
        return;
    }
    const bool bLastFrame = m_uNext + 1 == m_Replay.vFrames.size();
    const bool bRecordedSo = bLastFrame && m_Replay.end == eReplayEnd::Quit &&
                             CGameStateHash::Compute() == m_Replay.vFrames[m_uNext].uStateHash;
    if (!bRecordedSo)
    {
        Depart(m_uNext);
        return;
    }
    ++m_uNext;
    Stop(eResult::Played, false);
}

void CReplayPlayer::Depart(uint32_t uFrame)
{
    m_nDepartedFrame = static_cast<int>(uFrame);
    char szText[256];
    std::snprintf(szText, sizeof szText,
                  "The replay departs from its recorded game at frame %u of %u: this version of Talonreach "
                  "plays it differently. It stops there.",
                  uFrame + 1, static_cast<unsigned int>(m_Replay.vFrames.size()));
    CVKT_MessageBox::Show(nullptr, szText, CReplayStore::ERROR_TITLE);
    // A departure found while the game leaves by its own rules goes where that change leads.
    Stop(eResult::Departed, !m_bLeaving);
}

void CReplayPlayer::Stop(eResult result, bool bShowReturn)
{
    if (!m_bWatching)
        return;
    m_bWatching = false;
    m_eResult = result;
    Restore(m_Aside);
    if (bShowReturn && m_pReturnTo)
        CGame::GetInstance()->ChangeState(m_pReturnTo);
}

void CReplayPlayer::DrawMark() const
{
    if (!m_bWatching || m_uNext == 0)
        return;
    std::string mark = "REPLAY";
    if (m_nSpeed > 1)
        mark += " x" + std::to_string(m_nSpeed);
    if (m_bPaused)
        mark += " PAUSED";
    const int nX = kScreenWidth - kMarkMargin - kMarkGlyphWidth * static_cast<int>(mark.size());
    CBitmapFont::GetInstance()->Print(mark.c_str(), nX, kMarkMargin, 1.0f, kWhite);
}
