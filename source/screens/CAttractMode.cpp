#include "CAttractMode.h"

#include "CReplayFile.h"
#include "CReplayPlayer.h"
#include "CReplayStore.h"
#include "GameResourceFiles.h"

CAttractMode* CAttractMode::GetInstance()
{
    static CAttractMode instance;
    return &instance;
}

void CAttractMode::Reset()
{
    m_fIdleSeconds = 0.0f;
    m_uTurn = 0;
    m_bShowing = false;
    m_Showing.clear();
    m_Refused.clear();
}

bool CAttractMode::MenuEntered()
{
    m_fIdleSeconds = 0.0f;
    if (!m_bShowing)
        return false;
    m_bShowing = false;
    if (CReplayPlayer::GetInstance()->GetResult() == CReplayPlayer::eResult::Departed)
        m_Refused.insert(m_Showing);
    return true;
}

bool CAttractMode::MenuFrame(float fElapsedSeconds, bool bTouched, IGameState* pMenu)
{
    if (bTouched)
    {
        m_fIdleSeconds = 0.0f;
        return false;
    }
    m_fIdleSeconds += fElapsedSeconds;
    if (m_fIdleSeconds < IDLE_SECONDS)
        return false;
    m_fIdleSeconds = 0.0f;
    return StartNextDemo(pMenu);
}

std::vector<std::string> CAttractMode::Candidates() const
{
    std::vector<std::string> files;
    const std::string best = CReplayStore::GetInstance()->FileForEntry(0);
    if (!best.empty())
        files.push_back(best);
    for (const char* szDemo : DEMO_FILES)
        files.push_back(szDemo);
    return files;
}

bool CAttractMode::StartNextDemo(IGameState* pMenu)
{
    const std::vector<std::string> files = Candidates();
    for (size_t i = 0; i < files.size(); ++i)
    {
        const std::string& file = files[(m_uTurn + i) % files.size()];
        if (m_Refused.count(file))
            continue;
        tReplay replay;
        if (CReplayFile::Load(file, replay) != CReplayFile::eError::None)
        {
            m_Refused.insert(file);
            continue;
        }
        m_uTurn = (m_uTurn + i + 1) % files.size();
        m_Showing = file;
        m_bShowing = true;
        CReplayPlayer::GetInstance()->Start(replay, pMenu, true);
        return true;
    }
    return false;
}
