#include "CReplayPlayer.h"

#include "CBitmapFont.h"
#include "CReplayStore.h"
#include "GameResourceFiles.h"
#include "CRuleState.h"

#include "CVKT_MessageBox.h"

#include <cstdio>
#include <string>

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr int MARK_MARGIN = 8;
constexpr int SCREEN_WIDTH = 640;
} // namespace

CReplayPlayer* CReplayPlayer::GetInstance()
{
    static CReplayPlayer instance;
    return &instance;
}

void CReplayPlayer::Start(const tReplay& replay, IGameState* pReturnTo, bool bDemo)
{
    m_Replay = replay;
    m_pReturnTo = pReturnTo;
    m_bWatching = true;
    m_bDemo = bDemo;
    m_uWatchedMs = 0;
    m_bPaused = false;
    m_nSpeed = 1;
    m_uNext = 0;
    m_uOwedMs = 0;
    m_nTakenNow = 0;
    m_uHeldMs = 0;
    m_nDepartedFrame = -1;
    m_eResult = eResult::None;
    // What the game carries from one game to the next goes back as it was once the watching ends,
    // and the random numbers go on from where they were rather than from the record's seed.
    m_Aside = CRuleState::Capture();
}

void CReplayPlayer::AddTime(uint32_t uElapsedMs)
{
    m_nTakenNow = 0;
    if (m_bPaused)
        return;
    m_uOwedMs += static_cast<uint64_t>(uElapsedMs) * static_cast<uint64_t>(m_nSpeed);
    m_uWatchedMs += uElapsedMs;
}

const tReplayFrame* CReplayPlayer::NextFrame()
{
    if (!m_bWatching || AtEnd())
        return nullptr;
    const tReplayFrame& frame = m_Replay.vFrames[m_uNext];
    if (m_uOwedMs < frame.uElapsedMs)
        return nullptr;
    if (m_nTakenNow == MAX_FRAMES_PER_FRAME * m_nSpeed)
    {
        m_uOwedMs = 0;
        return nullptr;
    }
    m_uOwedMs -= frame.uElapsedMs;
    ++m_nTakenNow;
    return &frame;
}

bool CReplayPlayer::Matches(uint32_t uStateHash)
{
    if (AtEnd() || uStateHash != m_Replay.vFrames[m_uNext].uStateHash)
        return false;
    ++m_uNext;
    return true;
}

void CReplayPlayer::Depart()
{
    m_nDepartedFrame = static_cast<int>(m_uNext);
    // Nobody asked for a demo: one of another version simply ends.
    if (m_bDemo)
        return;
    char szText[256];
    std::snprintf(szText, sizeof szText,
                  "The replay departs from its recorded game at frame %u of %u: this version of Talonreach "
                  "plays it differently. It stops there.",
                  m_uNext + 1, static_cast<unsigned int>(m_Replay.vFrames.size()));
    CVKT_MessageBox::Show(nullptr, szText, CReplayStore::ERROR_TITLE);
}

bool CReplayPlayer::HoldEnd(uint32_t uElapsedMs)
{
    m_uHeldMs += uElapsedMs;
    m_uWatchedMs += uElapsedMs;
    return m_uHeldMs >= END_HOLD_MS;
}

void CReplayPlayer::Faster()
{
    if (m_nSpeed < MAX_SPEED)
        m_nSpeed *= 2;
}

void CReplayPlayer::Slower()
{
    if (m_nSpeed > 1)
        m_nSpeed /= 2;
}

void CReplayPlayer::Stop(eResult result)
{
    if (!m_bWatching)
        return;
    m_bWatching = false;
    m_eResult = result;
    CRuleState::Restore(m_Aside);
}

void CReplayPlayer::DrawMark() const
{
    if (!m_bWatching || m_uNext == 0)
        return;
    std::string mark = m_bDemo ? "DEMO" : "REPLAY";
    if (m_nSpeed > 1)
        mark += " x" + std::to_string(m_nSpeed);
    if (m_bPaused)
        mark += " PAUSED";
    const int nX = SCREEN_WIDTH - MARK_MARGIN - FONT_LARGE.nCellWidth * static_cast<int>(mark.size());
    CBitmapFont::GetInstance()->Print(mark.c_str(), nX, MARK_MARGIN, 1.0f, WHITE);
}
