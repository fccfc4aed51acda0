#include "CLevelIntroState1.h"

#include "CBitmapFont.h"
#include "CGame.h"
#include "CGamePlayState.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr int TEXT_X = 75;
constexpr int TEXT_Y = 400;
constexpr int GLYPH_WIDTH = 8;
// The one line too long to type out: it is always shown whole.
constexpr int LONG_LINE = 4;

const char* const STORY_LINES[] = {
    "Hello, comarade! I'm am your Captain!",
    "Unrelatedly, my name is The Captain.",
    "You may name me Captain The Captain!",
    "Too long, too long has humanity laughed in your face.\nToo long have they captured our compatriots "
    "and\nforced them to do silly tricks. Too long have they\nhunted us for sport. Today we exact our "
    "revenge.",
    "God speed and good pooping, soldier.",
};
const char* const ENDING_LINES[] = {
    "Good job, soldier!",
    "Unfortunately, this was all a dream",
};
} // namespace

CLevelIntroState1* CLevelIntroState1::GetInstance()
{
    static CLevelIntroState1 instance;
    return &instance;
}

const char* CLevelIntroState1::LineText(int nLine, bool bEnding)
{
    if (nLine < 1 || nLine > LastLine(bEnding))
        return "";
    return bEnding ? ENDING_LINES[nLine - 1] : STORY_LINES[nLine - 1];
}

int CLevelIntroState1::LastLine(bool bEnding)
{
    return bEnding ? static_cast<int>(std::size(ENDING_LINES)) : static_cast<int>(std::size(STORY_LINES));
}

void CLevelIntroState1::Enter()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nBackgroundImageID = pTM->LoadTexture(IMAGE_INTRO_MENU, 0);
    m_nCaptainImageID = pTM->LoadTexture(IMAGE_CAPTAIN, 0);
    m_nTextBoxImageID = pTM->LoadTexture(IMAGE_TEXT_BOX, 0);
    CBitmapFont::GetInstance()->Initialize(FONT_SMALL, WHITE);
    m_nLine = 1;
    m_bLineComplete = false;
}

bool CLevelIntroState1::Input()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    if (!pDI->KeyPressed(DIK_ESCAPE) && !pDI->KeyPressed(DIK_SPACE) && !CPadInput::GetInstance()->Confirm())
        return true;
    if (m_bLineComplete)
        NextLine();
    else
        m_bLineComplete = true;
    return true;
}

void CLevelIntroState1::NextLine()
{
    ++m_nLine;
    m_bLineComplete = false;
    m_fTextTimer = 0.0f;
    if (m_nLine <= LastLine(m_bEnding))
        return;
    // The ending has been told; the game it starts is a new one, and the next game from the menu
    // opens with the introduction again.
    m_bEnding = false;
    CGame::GetInstance()->ChangeState(CGamePlayState::GetInstance());
}

void CLevelIntroState1::Update(float fElapsedTime)
{
    m_fTextTimer += fElapsedTime * CHARS_PER_SECOND;
}

void CLevelIntroState1::Render()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    const RECT rBackground{0, 0, 640, 480};
    pTM->DrawTexture(m_nBackgroundImageID, 0, 0, 1.0f, 1.0f, &rBackground, 0.0f, 0.0f, 0.0f, WHITE);
    const RECT rCaptain{0, 0, 124, 88};
    pTM->DrawTexture(m_nCaptainImageID, 258, 240, 1.0f, 1.0f, &rCaptain, 0.0f, 0.0f, 0.0f, WHITE);
    const RECT rTextBox{0, 0, 480, 88};
    pTM->DrawTexture(m_nTextBoxImageID, 60, 392, 1.0f, 1.0f, &rTextBox, 0.0f, 0.0f, 0.0f, WHITE);

    const char* szText = LineText(m_nLine, m_bEnding);
    if (!m_bEnding && m_nLine == LONG_LINE)
        m_bLineComplete = true;
    if (m_bLineComplete)
        CBitmapFont::GetInstance()->Print(szText, TEXT_X, TEXT_Y, 1.0f, WHITE);
    else
        DrawRevealed(szText);
}

void CLevelIntroState1::DrawRevealed(const char* szText)
{
    // A long frame may push the timer past the line's end: only the characters the line has are
    // drawn.
    const int nRevealed = static_cast<int>(m_fTextTimer);
    const int nLength = static_cast<int>(std::strlen(szText));
    const int nShown = std::min(nRevealed, nLength);
    CBitmapFont* pFont = CBitmapFont::GetInstance();
    for (int j = 0; j < nShown; ++j)
        pFont->PrintChar(szText[j], TEXT_X + GLYPH_WIDTH * j, TEXT_Y, 1.0f, WHITE);
    if (nRevealed >= nLength)
        m_bLineComplete = true;
}

void CLevelIntroState1::Exit()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->UnloadTexture(m_nBackgroundImageID);
    pTM->UnloadTexture(m_nTextBoxImageID);
    // Each visit loads the portrait again; give its reference back too.
    pTM->UnloadTexture(m_nCaptainImageID);
    m_nBackgroundImageID = -1;
    m_nTextBoxImageID = -1;
    m_nCaptainImageID = -1;
    m_fTextTimer = -1.0f;
    m_nLine = -1;
    m_bLineComplete = false;
    CBitmapFont::GetInstance()->Shutdown();
}
