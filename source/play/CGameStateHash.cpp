#include "CGameStateHash.h"

#include "CBase.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CPauseState.h"
#include "CPlayer.h"

#include "CVKT_ObjectManager.h"

#include <cstring>

namespace
{
class CFnv
{
public:
    void Bytes(const void* pData, size_t uSize)
    {
        const uint8_t* pBytes = static_cast<const uint8_t*>(pData);
        for (size_t i = 0; i < uSize; ++i)
            m_uHash = (m_uHash ^ pBytes[i]) * 16777619u;
    }
    void Int(int32_t n) { Bytes(&n, sizeof n); }
    void Flag(bool b) { Int(b ? 1 : 0); }
    void Float(float f)
    {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        Bytes(&bits, sizeof bits);
    }
    uint32_t Value() const { return m_uHash; }

private:
    uint32_t m_uHash = 2166136261u;
};

void AddPlay(CFnv& hash)
{
    const CGamePlayState* pPlay = CGamePlayState::GetInstance();
    hash.Int(pPlay->GetLevel());
    hash.Int(pPlay->GetScore());
    hash.Int(pPlay->GetLives());
    hash.Float(pPlay->GetBackgroundOffset());
    hash.Float(pPlay->GetCloudsOffset());
    hash.Flag(pPlay->IsPaused());
    hash.Flag(pPlay->IsGameOver());
    hash.Flag(pPlay->IsGameCompleted());
    hash.Flag(pPlay->IsBubbleUp());
    hash.Flag(pPlay->IsRapidFire());
    // The duration is kept from the last bubble, but only counts while one is up.
    hash.Float(pPlay->IsBubbleUp() ? pPlay->GetBubbleDuration() : 0.0f);
    hash.Float(CGamePlayState::GetEnemyFireTimer());
    hash.Float(CGamePlayState::GetBubbleTimer());
    hash.Float(CPlayer::GetFireTimer());
    const std::vector<char>& typed = pPlay->GetTypedChars();
    hash.Int(static_cast<int32_t>(typed.size()));
    hash.Bytes(typed.data(), typed.size());
}

void AddPause(CFnv& hash)
{
    // Only whether the game stands paused counts: what else lies over the game (the score entry)
    // is not part of its rules.
    const std::vector<IGameState*> stack = CGame::GetInstance()->GetStateStack();
    const bool bPaused = !stack.empty() && stack.back() == CPauseState::GetInstance();
    hash.Flag(bPaused);
    hash.Int(bPaused ? CPauseState::GetInstance()->GetSelection() : 0);
}

void AddObjects(CFnv& hash)
{
    const std::vector<CBase*>& objects = CVKT_ObjectManager::GetInstance()->GetObjects();
    hash.Int(static_cast<int32_t>(objects.size()));
    for (const CBase* pObject : objects)
    {
        hash.Int(pObject->GetType());
        hash.Float(pObject->GetPosX());
        hash.Float(pObject->GetPosY());
        hash.Float(pObject->GetVelX());
        hash.Float(pObject->GetVelY());
        hash.Float(pObject->GetScale());
        hash.Int(pObject->GetWidth());
        hash.Int(pObject->GetHeight());
        hash.Flag(pObject->GetActive());
        if (const CPlayer* pPlayer = dynamic_cast<const CPlayer*>(pObject))
            hash.Float(pPlayer->GetCharge());
    }
}
} // namespace

uint32_t CGameStateHash::Compute()
{
    CFnv hash;
    AddPlay(hash);
    AddPause(hash);
    AddObjects(hash);
    return hash.Value();
}
