#include "CReplayRecorder.h"

#include "CCommandLine.h"
#include "CGameStateHash.h"
#include "CReplayPlayer.h"
#include "CReplayStore.h"
#include "CRuleState.h"

#include "CVKT_DirectInput.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

CReplayRecorder* CReplayRecorder::GetInstance()
{
    static CReplayRecorder instance;
    return &instance;
}

void CReplayRecorder::Enable(bool bEnabled)
{
    m_bEnabled = bEnabled;
    if (!bEnabled)
        m_bRecording = false;
}

void CReplayRecorder::FrameRead(uint32_t uElapsedMs)
{
    if (!m_bEnabled)
        return;
    m_Current = tReplayFrame();
    m_Current.uElapsedMs = uElapsedMs;
    m_Current.bFocusPause = m_bFocusPausePending;
    m_Current.input = CVKT_DirectInput::GetInstance()->GetFrame();
    m_bFocusPausePending = false;
    m_bInFrame = true;
    if (!m_bRecording)
        return;
    if (m_Record.vFrames.size() >= CReplayFile::MAX_FRAMES)
    {
        // Nobody watches a day-long record; memory is better spent elsewhere.
        m_bRecording = false;
        return;
    }
    m_Record.vFrames.push_back(m_Current);
}

void CReplayRecorder::FrameDone()
{
    m_bInFrame = false;
    if (!m_bRecording)
        return;
    m_Record.vFrames.back().uStateHash = CGameStateHash::Compute();
    const tGameOutcome outcome = CRuleState::Outcome();
    if (outcome.bOver)
        Finish(outcome.bCompleted ? eReplayEnd::Completed : eReplayEnd::GameOver);
}

void CReplayRecorder::GameStarted()
{
    if (!m_bEnabled || CReplayPlayer::GetInstance()->IsWatching())
        return;
    m_Record = tReplay();
    m_Record.start = CRuleState::Capture();
    std::srand(m_Record.start.uSeed);
    // The frame that started the game is its first: its time moves the game on already.
    m_Record.vFrames.push_back(m_Current);
    m_bRecording = true;
}

void CReplayRecorder::GameLeft()
{
    if (!m_bRecording)
        return;
    if (!m_bInFrame)
    {
        Finish(eReplayEnd::Closed);
        return;
    }
    // Left part way through a frame (quit from the pause screen): the state as it was left.
    m_Record.vFrames.back().uStateHash = CGameStateHash::Compute();
    Finish(eReplayEnd::Quit);
}

void CReplayRecorder::Finish(eReplayEnd end)
{
    m_bRecording = false;
    const tGameOutcome outcome = CRuleState::Outcome();
    m_Record.gameVersion = CCommandLine::GameVersion();
    m_Record.nDate = static_cast<int64_t>(std::time(nullptr));
    m_Record.nLevel = std::clamp(outcome.nLevel, 1, 3);
    m_Record.nScore = outcome.nScore;
    m_Record.nLives = outcome.nLives;
    m_Record.end = end;
    m_Last = std::move(m_Record);
    m_Record = tReplay();
    m_LastFile = CReplayStore::GetInstance()->Keep(m_Last);
}
