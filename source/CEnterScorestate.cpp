#include "CEnterScorestate.h"

#include "CBitmapFont.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

namespace
{
constexpr VKT_COLOR kWhite = 0xFFFFFFFF;
constexpr char kBackspace = 8;
} // namespace

CEnterScorestate* CEnterScorestate::GetInstance()
{
    static CEnterScorestate instance;
    return &instance;
}

void CEnterScorestate::Enter()
{
    m_nPanelImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_ENTER_SCORE, 0);
    CBitmapFont::GetInstance()->Initialize(IMAGE_FONT_LARGE, 16, 24, 20, kWhite, 32);
    m_Name.clear();
}

bool CEnterScorestate::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const bool bAltHeld = pDI->KeyDown(DIK_LMENU) || pDI->KeyDown(DIK_RMENU);
    // Alt+Return is the display switch, handled by the game before this runs.
    if (pDI->KeyPressed(DIK_RETURN) && !bAltHeld && m_Name.size() == MAX_NAME)
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    // Read even after a confirm: with three characters typed nothing more is appended.
    TypeCharacter(pDI->CheckBufferedKeysEx());
    return true;
}

void CEnterScorestate::TypeCharacter(char cTyped)
{
    if (cTyped == 0)
        return;
    if (cTyped == kBackspace)
    {
        if (!m_Name.empty())
            m_Name.pop_back();
        return;
    }
    if (m_Name.size() < MAX_NAME)
        m_Name.push_back(cTyped);
}

void CEnterScorestate::Render()
{
    const RECT rPanel{0, 0, 320, 240};
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nPanelImageID, 160, 120, 1.0f, 1.0f, &rPanel, 0.0f,
                                                    0.0f, 0.0f, kWhite);
    // Characters the glyph sheet has no cell for (control characters) take their place but draw
    // nothing.
    CBitmapFont::GetInstance()->Print(m_Name, 282, 228, 2.0f, kWhite);
}

void CEnterScorestate::Exit()
{
    StoreScore();
    CVKT_TextureManager::GetInstance()->UnloadTexture(m_nPanelImageID);
    m_nPanelImageID = -1;
    CBitmapFont::GetInstance()->Shutdown();
}

void CEnterScorestate::StoreScore()
{
    // The gameplay state below has already had its Exit when this runs (the stack exits bottom
    // first); it still holds the score of the game that just ended.
    CGame* pGame = CGame::GetInstance();
    tHighScore table[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        table[i] = pGame->GetHighScores()[i];
    if (CSettingsFile::InsertHighScore(table, CGamePlayState::GetInstance()->GetScore(), m_Name.c_str()))
        pGame->SetHighScores(table);
    pGame->SaveSettings(SETTINGS_FILE_LOWER_CASE);
}
