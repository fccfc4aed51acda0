#include "CEnterScorestate.h"

#include "CBitmapFont.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CMainMenuState.h"
#include "CPadInput.h"
#include "CReplayRecorder.h"
#include "CReplayStore.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

#include <algorithm>
#include <cctype>

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr char BACKSPACE = 8;
constexpr int NAME_X = 282;
constexpr int NAME_Y = 228;
constexpr float NAME_SCALE = 2.0f;
// Glyphs of the name are 32 x 48; the marker, at scale 1, is centred under the place.
constexpr int PLACE_WIDTH = 32;
constexpr int MARKER_X = NAME_X + 8;
constexpr int MARKER_Y = NAME_Y + 48;
const char* const MARKER = "^";
} // namespace

CEnterScorestate* CEnterScorestate::GetInstance()
{
    static CEnterScorestate instance;
    return &instance;
}

void CEnterScorestate::Enter()
{
    m_nPanelImageID = CVKT_TextureManager::GetInstance()->LoadTexture(IMAGE_ENTER_SCORE, 0);
    CBitmapFont::GetInstance()->Initialize(FONT_LARGE, WHITE);
    m_Name.clear();
    m_bPicking = false;
    m_nPlace = 0;
}

bool CEnterScorestate::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const bool bAltHeld = pDI->KeyDown(DIK_LMENU) || pDI->KeyDown(DIK_RMENU);
    // Alt+Return is the display switch, handled by the game before this runs.
    const bool bConfirmed = pDI->KeyPressed(DIK_RETURN) && !bAltHeld && m_Name.size() == MAX_NAME;
    if (bConfirmed)
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
    // Read even after a confirm: with three characters typed nothing more is appended.
    TypeCharacter(pDI->CheckBufferedKeysEx());
    // The score has been stored by the confirm; a pad must not confirm it a second time.
    if (!bConfirmed)
        PickWithPad();
    return true;
}

void CEnterScorestate::TypeCharacter(char cTyped)
{
    if (cTyped == 0)
        return;
    if (cTyped == BACKSPACE)
    {
        if (!m_Name.empty())
            m_Name.pop_back();
        return;
    }
    if (m_Name.size() < MAX_NAME)
        m_Name.push_back(cTyped);
}

char CEnterScorestate::StepCharacter(char c, int nSteps)
{
    const std::string characters = PICKER_CHARACTERS;
    const int nCount = static_cast<int>(characters.size());
    const size_t uFound = characters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    const int nIndex = uFound == std::string::npos ? -1 : static_cast<int>(uFound);
    // Stepping down from a stranger lands on the last character, as if it stood before the A.
    const int nStart = (nIndex < 0 && nSteps < 0) ? 0 : nIndex;
    return characters[static_cast<size_t>(((nStart + nSteps) % nCount + nCount) % nCount)];
}

void CEnterScorestate::PickWithPad()
{
    const CPadInput* pPad = CPadInput::GetInstance();
    const bool bUp = pPad->MenuUp();
    const bool bDown = pPad->MenuDown();
    const bool bLeft = pPad->MenuLeft();
    const bool bRight = pPad->MenuRight();
    const bool bConfirm = pPad->Confirm();
    if (!bUp && !bDown && !bLeft && !bRight && !bConfirm)
        return;
    if (!m_bPicking)
    {
        // The first push only shows the picker, so that nothing is chosen unseen.
        m_bPicking = true;
        m_nPlace = static_cast<int>(std::min(m_Name.size(), MAX_NAME - 1));
        FillPlace();
        return;
    }
    // The keyboard may have erased the place since the last push.
    FillPlace();
    const size_t uPlace = static_cast<size_t>(m_nPlace);
    if (bUp)
        m_Name[uPlace] = StepCharacter(m_Name[uPlace], 1);
    if (bDown)
        m_Name[uPlace] = StepCharacter(m_Name[uPlace], -1);
    if (bLeft && m_nPlace > 0)
        --m_nPlace;
    if (bRight && m_nPlace < static_cast<int>(MAX_NAME) - 1)
        ++m_nPlace;
    FillPlace();
    if (bConfirm)
        PadConfirm();
}

void CEnterScorestate::FillPlace()
{
    while (m_Name.size() <= static_cast<size_t>(m_nPlace))
        m_Name.push_back(PICKER_CHARACTERS[0]);
}

void CEnterScorestate::PadConfirm()
{
    if (m_Name.size() == MAX_NAME)
    {
        CGame::GetInstance()->ChangeState(CMainMenuState::GetInstance());
        return;
    }
    ++m_nPlace;
    FillPlace();
}

void CEnterScorestate::Render()
{
    const RECT rPanel{0, 0, 320, 240};
    CVKT_TextureManager::GetInstance()->DrawTexture(m_nPanelImageID, 160, 120, 1.0f, 1.0f, &rPanel, 0.0f,
                                                    0.0f, 0.0f, WHITE);
    // Characters the glyph sheet has no cell for (control characters) take their place but draw
    // nothing.
    CBitmapFont* pFont = CBitmapFont::GetInstance();
    pFont->Print(m_Name, NAME_X, NAME_Y, NAME_SCALE, WHITE);
    if (m_bPicking)
        pFont->Print(MARKER, MARKER_X + PLACE_WIDTH * m_nPlace, MARKER_Y, 1.0f, WHITE);
}

void CEnterScorestate::Exit()
{
    StoreScore();
    CVKT_TextureManager::GetInstance()->UnloadTexture(m_nPanelImageID);
    m_nPanelImageID = -1;
    CBitmapFont::GetInstance()->Shutdown();
}

void CEnterScorestate::LinkRecordedGame(const tHighScore* pOld, const tHighScore* pNew, int nScore)
{
    const CReplayRecorder* pRecorder = CReplayRecorder::GetInstance();
    const bool bThisGame = !pRecorder->GetLastFile().empty() && pRecorder->GetLastRecord().nScore == nScore;
    CReplayStore::GetInstance()->ScoreEntered(pOld, pNew,
                                              bThisGame ? pRecorder->GetLastFile() : std::string());
}

void CEnterScorestate::StoreScore()
{
    // The gameplay state below has already had its Exit when this runs (the stack exits bottom
    // first); it still holds the score of the game that just ended.
    CGame* pGame = CGame::GetInstance();
    tHighScore old[NUM_HIGH_SCORES];
    tHighScore table[NUM_HIGH_SCORES];
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        old[i] = table[i] = pGame->GetHighScores()[i];
    const int nScore = CGamePlayState::GetInstance()->GetScore();
    const bool bEntered = CSettingsFile::InsertHighScore(table, nScore, m_Name.c_str());
    if (bEntered)
        pGame->SetHighScores(table);
    pGame->SaveSettings(SETTINGS_FILE_LOWER_CASE);
    // The scores are safe first; then the game that made the entry goes with it.
    if (bEntered)
        LinkRecordedGame(old, table, nScore);
}
