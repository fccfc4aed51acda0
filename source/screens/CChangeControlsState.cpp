#include "CChangeControlsState.h"

#include "CBitmapFont.h"
#include "CControls.h"
#include "CControlsMenuState.h"
#include "CGame.h"
#include "CPadInput.h"
#include "GameResourceFiles.h"

#include "CVKT_DirectInput.h"
#include "CVKT_TextureManager.h"

namespace
{
constexpr VKT_COLOR WHITE = 0xFFFFFFFF;
constexpr int SCREEN_CENTER_X = 320;
// Shown where the key (and button) being chosen stands.
const char* const AWAITED = "...";

int RowTop(int nRow)
{
    return CChangeControlsState::ROW_TOP + CChangeControlsState::ROW_STEP * nRow;
}

void PrintCentred(const std::string& line, int nY)
{
    const int nX = SCREEN_CENTER_X - static_cast<int>(line.size()) * FONT_LARGE.nCellWidth / 2;
    CBitmapFont::GetInstance()->Print(line, nX, nY, 1.0f, WHITE);
}

bool AltHeld(CVKT_DirectInput* pDI)
{
    return pDI->KeyDown(DIK_LMENU) || pDI->KeyDown(DIK_RMENU);
}
} // namespace

CChangeControlsState* CChangeControlsState::GetInstance()
{
    static CChangeControlsState instance;
    return &instance;
}

void CChangeControlsState::Enter()
{
    CBitmapFont::GetInstance()->Initialize(FONT_LARGE, 0xFF000000);
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nBackgroundImageID = pTM->LoadTexture(IMAGE_CHANGE_CONTROLS, 0);
    m_nCursorImageID = pTM->LoadTexture(IMAGE_MENU_CURSOR, WHITE);
    m_nSelection = 0;
    m_bWaiting = false;
    m_strNote.clear();
}

bool CChangeControlsState::Input()
{
    if (m_bWaiting)
    {
        TakeChoice();
        return true;
    }
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pPad->Back())
    {
        CGame::GetInstance()->ChangeState(CControlsMenuState::GetInstance());
        return true;
    }
    MoveSelection();
    // Alt+Return is the display switch, handled by the game before this runs.
    if (pDI->KeyPressed(DIK_SPACE) || (pDI->KeyPressed(DIK_RETURN) && !AltHeld(pDI)) || pPad->Confirm())
        ChooseRow();
    return true;
}

void CChangeControlsState::MoveSelection()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    const int nBefore = m_nSelection;
    if (pDI->KeyPressed(DIK_UP) || pPad->MenuUp())
        m_nSelection = m_nSelection == 0 ? ROW_COUNT - 1 : m_nSelection - 1;
    if (pDI->KeyPressed(DIK_DOWN) || pPad->MenuDown())
        m_nSelection = m_nSelection == ROW_COUNT - 1 ? 0 : m_nSelection + 1;
    if (m_nSelection != nBefore)
        m_strNote.clear();
}

void CChangeControlsState::ChooseRow()
{
    CGame* pGame = CGame::GetInstance();
    if (m_nSelection == ROW_BACK)
    {
        pGame->ChangeState(CControlsMenuState::GetInstance());
        return;
    }
    if (m_nSelection == ROW_RESET)
    {
        pGame->SetControls(CControls::Defaults());
        m_strNote = "Back to the default controls";
        return;
    }
    m_bWaiting = true;
    const char* szWhat =
        CControls::HasPadButton(m_nSelection) ? "Press a key or pad button for " : "Press a key for ";
    m_strNote = szWhat + std::string(CControls::Name(m_nSelection)) + "\nEsc cancels";
}

void CChangeControlsState::TakeChoice()
{
    CVKT_DirectInput* pDI = CVKT_DirectInput::GetInstance();
    const CPadInput* pPad = CPadInput::GetInstance();
    if (pDI->KeyPressed(DIK_ESCAPE) || pPad->Back())
    {
        m_bWaiting = false;
        m_strNote = "Nothing changed";
        return;
    }
    const unsigned char ucKey = pDI->GetBufferedDIKCodeEx();
    if (ucKey != 0)
    {
        TakeKey(ucKey);
        return;
    }
    const int nButton = pPad->PressedButton();
    if (nButton >= 0)
        TakeButton(nButton);
}

void CChangeControlsState::TakeKey(unsigned char ucKey)
{
    CGame* pGame = CGame::GetInstance();
    tControlSettings controls = pGame->GetControls();
    int nSwapped = -1;
    if (CControls::BindKey(controls, m_nSelection, ucKey, &nSwapped) == CControls::eChange::Refused)
    {
        // The screen waits on for another key.
        m_strNote = CControls::KeyName(ucKey) + " cannot be chosen";
        return;
    }
    pGame->SetControls(controls);
    SayChange(nSwapped);
}

void CChangeControlsState::TakeButton(int nButton)
{
    if (!CControls::HasPadButton(m_nSelection))
    {
        m_strNote = "The pad flies by D-pad and stick";
        return;
    }
    CGame* pGame = CGame::GetInstance();
    tControlSettings controls = pGame->GetControls();
    int nSwapped = -1;
    if (CControls::BindPadButton(controls, m_nSelection, nButton, &nSwapped) == CControls::eChange::Refused)
    {
        m_strNote = std::string(CControls::PadButtonName(nButton)) + " cannot be chosen";
        return;
    }
    pGame->SetControls(controls);
    SayChange(nSwapped);
}

void CChangeControlsState::SayChange(int nSwapped)
{
    m_bWaiting = false;
    m_strNote = nSwapped >= 0 ? std::string("Swapped with ") + CControls::Name(nSwapped) : std::string();
}

void CChangeControlsState::Render()
{
    const RECT rBackground{0, 0, 640, 480};
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->DrawTexture(m_nBackgroundImageID, 0, 0, 1.0f, 1.0f, &rBackground, 0.0f, 0.0f, 0.0f, WHITE);
    for (int nRow = 0; nRow < CONTROL_COUNT; ++nRow)
        PrintRow(nRow);
    pTM->DrawTexture(m_nCursorImageID, CURSOR_X, RowTop(m_nSelection), 1.0f, 1.0f, nullptr, 0.0f, 0.0f, 0.0f,
                     WHITE);
    const size_t uBreak = m_strNote.find('\n');
    PrintCentred(m_strNote.substr(0, uBreak), NOTE_Y);
    if (uBreak != std::string::npos)
        PrintCentred(m_strNote.substr(uBreak + 1), NOTE_Y + FONT_LARGE.nCellHeight);
}

void CChangeControlsState::PrintRow(int nRow) const
{
    CBitmapFont* pFont = CBitmapFont::GetInstance();
    const tControlSettings& controls = CGame::GetInstance()->GetControls();
    const bool bAwaited = m_bWaiting && nRow == m_nSelection;
    const std::string key =
        bAwaited ? AWAITED : CControls::KeyName(controls.ucKeys[nRow]).substr(0, KEY_CHARACTERS);
    pFont->Print(key, KEY_X, RowTop(nRow), 1.0f, WHITE);
    if (!CControls::HasPadButton(nRow))
        return;
    const std::string button = bAwaited ? AWAITED : CControls::PadButtonName(controls.cPadButtons[nRow]);
    pFont->Print(button, PAD_X, RowTop(nRow), 1.0f, WHITE);
}

void CChangeControlsState::Exit()
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    pTM->UnloadTexture(m_nBackgroundImageID);
    pTM->UnloadTexture(m_nCursorImageID);
    m_nBackgroundImageID = -1;
    m_nCursorImageID = -1;
    m_bWaiting = false;
    CBitmapFont::GetInstance()->Shutdown();
    CGame::GetInstance()->SaveSettings(SETTINGS_FILE);
}
