#include "CRuleState.h"

#include "CGamePlayState.h"
#include "CPadInput.h"
#include "CPlayer.h"

#include <algorithm>
#include <cstdlib>

tReplayStart CRuleState::Capture()
{
    tReplayStart start;
    start.uSeed = static_cast<uint32_t>(std::rand());
    start.fEnemyFireTimer = CGamePlayState::GetEnemyFireTimer();
    start.fBubbleTimer = CGamePlayState::GetBubbleTimer();
    start.fPlayerFireTimer = CPlayer::GetFireTimer();
    const std::vector<char>& typed = CGamePlayState::GetInstance()->GetTypedChars();
    const size_t uKept = std::min(typed.size(), CReplayFile::MAX_TYPED_CHARS);
    start.vTypedChars.assign(typed.end() - static_cast<std::ptrdiff_t>(uKept), typed.end());
    start.padRepeat = CPadInput::GetInstance()->GetRepeat();
    return start;
}

void CRuleState::Restore(const tReplayStart& start)
{
    std::srand(start.uSeed);
    CGamePlayState::SetEnemyFireTimer(start.fEnemyFireTimer);
    CGamePlayState::SetBubbleTimer(start.fBubbleTimer);
    CPlayer::SetFireTimer(start.fPlayerFireTimer);
    CGamePlayState::GetInstance()->SetTypedChars(start.vTypedChars);
    CPadInput::GetInstance()->SetRepeat(start.padRepeat);
}

tGameOutcome CRuleState::Outcome()
{
    const CGamePlayState* pPlay = CGamePlayState::GetInstance();
    tGameOutcome outcome;
    outcome.nLevel = pPlay->GetLevel();
    outcome.nScore = pPlay->GetScore();
    outcome.nLives = pPlay->GetLives();
    outcome.bOver = pPlay->IsGameOver();
    outcome.bCompleted = pPlay->IsGameCompleted();
    return outcome;
}
