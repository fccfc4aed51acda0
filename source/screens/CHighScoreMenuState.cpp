#include "CHighScoreMenuState.h"

#include "CBitmapFont.h"
#include "CGame.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "CReplayPlayer.h"
#include "CReplayStore.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_MessageBox.h"
#include "CVKT_TextureManager.h"

#include <cstdio>

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr int ARROW_X = 598;
constexpr int ROW_X = 145;
constexpr int FIRST_ROW_Y = 113;
constexpr int ROW_SPACING = 59;
constexpr int ROW_TEXT_SIZE = 128;
} // namespace

CHighScoreMenuState* CHighScoreMenuState::GetInstance()
{
    static CHighScoreMenuState instance;
    return &instance;
}

void CHighScoreMenuState::Enter()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nBackgroundImageID = pTM->LoadTexture(IMAGE_HIGH_SCORES_MENU, WHITE);
    m_nArrowImageID = pTM->LoadTexture(IMAGE_ARROW, WHITE);
    CBitmapFont::GetInstance()->Initialize(FONT_LARGE, 0xFF000000);
    m_nPage = 0;
    FindReplays();
}

void CHighScoreMenuState::FindReplays()
{
    // Asked once per visit rather than in every frame: the links live in a file.
    for (int nPage = 0; nPage < 2; ++nPage)
        m_bCanWatch[nPage] = !CReplayStore::GetInstance()->FileForEntry(nPage * ROWS_PER_PAGE).empty();
}

void CHighScoreMenuState::WatchBest()
{
    const std::string path = CReplayStore::GetInstance()->FileForEntry(m_nPage * ROWS_PER_PAGE);
    if (path.empty())
        return;
    tReplay replay;
    const CReplayFile::eError error = CReplayFile::Load(path, replay);
    if (error != CReplayFile::eError::None)
    {
        CVKT_MessageBox::Show(nullptr, CReplayFile::Message(error, path).c_str(), CReplayStore::ERROR_TITLE);
        return;
    }
    CReplayPlayer::GetInstance()->Start(replay, this);
}

bool CHighScoreMenuState::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pPad->Back())
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    else if (pDI->KeyPressed(DIK_DOWN) || pPad->MenuDown())
        m_nPage = 1;
    else if (pDI->KeyPressed(DIK_UP) || pPad->MenuUp())
        m_nPage = 0;
    else if ((pDI->KeyPressed(DIK_RETURN) && !pDI->KeyDown(DIK_LMENU) && !pDI->KeyDown(DIK_RMENU)) ||
             pPad->Confirm())
        WatchBest();
    return true;
}

void CHighScoreMenuState::FormatRow(int nEntry, char* szText, int nSize)
{
    const tHighScore& entry = CGame::GetInstance()->GetHighScores()[nEntry];
    std::snprintf(szText, static_cast<size_t>(nSize), "%i. %s - %i", nEntry + 1, entry.szName,
                  static_cast<int>(entry.nPoints));
}

void CHighScoreMenuState::Render()
{
    const RECT rBackground{0, 0, 640, 480};
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nBackgroundImageID, 0, 0, 1.0f, 1.0f, &rBackground,
                                                    0.0f, 0.0f, 0.0f, WHITE);
    DrawArrow();
    CBitmapFont* pFont = CBitmapFont::GetInstance();
    for (int i = 0; i < ROWS_PER_PAGE; ++i)
    {
        char szRow[ROW_TEXT_SIZE];
        FormatRow(m_nPage * ROWS_PER_PAGE + i, szRow, sizeof szRow);
        pFont->Print(szRow, ROW_X, FIRST_ROW_Y + ROW_SPACING * i, 1.0f, WHITE);
    }
    pFont->Print("press ESC", 480, 450, 1.0f, WHITE);
    if (CanWatch())
        pFont->Print(WATCH_HINT, 20, 450, 1.0f, WHITE);
}

void CHighScoreMenuState::DrawArrow()
{
    // The arrow points to the other page: down on the first page, mirrored top to bottom on the
    // second, where it extends upward from its y.
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    if (m_nPage == 1)
        pTM->DrawTexture(m_nArrowImageID, ARROW_X, 84, 1.0f, -1.0f, nullptr, 0.0f, 0.0f, 0.0f, WHITE);
    else
        pTM->DrawTexture(m_nArrowImageID, ARROW_X, 396, 1.0f, 1.0f, nullptr, 0.0f, 0.0f, 0.0f, WHITE);
}

void CHighScoreMenuState::Exit()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->UnloadTexture(m_nBackgroundImageID);
    pTM->UnloadTexture(m_nArrowImageID);
    m_nBackgroundImageID = -1;
    m_nArrowImageID = -1;
    CBitmapFont::GetInstance()->Shutdown();
}
