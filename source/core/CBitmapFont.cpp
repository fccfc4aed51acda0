#include "CBitmapFont.h"

#include "CVKT_TextureManager.h"

#include <cstring>

CBitmapFont* CBitmapFont::GetInstance()
{
    static CBitmapFont instance;
    return &instance;
}

bool CBitmapFont::Initialize(const char* szFilename, int nCellWidth, int nCellHeight, int nColumns,
                             VKT_COLOR dwColorKey, char cFirstChar)
{
    CVKT_TextureManager* pTM = CVKT_TextureManager::GetInstance();
    m_nImageID = pTM->LoadTexture(szFilename, dwColorKey);
    m_nCellWidth = nCellWidth;
    m_nCellHeight = nCellHeight;
    m_nColumns = nColumns;
    m_cFirstChar = static_cast<signed char>(cFirstChar);
    m_nNumCells = 0;
    if (m_nImageID != -1 && nCellHeight > 0 && nColumns > 0)
        m_nNumCells = (pTM->GetTextureHeight(m_nImageID) / nCellHeight) * nColumns;
    return m_nImageID != -1;
}

void CBitmapFont::Shutdown()
{
    if (m_nImageID != -1)
        CVKT_TextureManager::GetInstance()->UnloadTexture(m_nImageID);
    m_nCellWidth = 0;
    m_nCellHeight = 0;
    m_nColumns = 0;
    m_nImageID = -1;
    m_cFirstChar = 0;
    m_nNumCells = 0;
}

RECT CBitmapFont::GetCellRect(int nCell) const
{
    return GridCellRect(nCell, m_nColumns, m_nCellWidth, m_nCellHeight);
}

bool CBitmapFont::Initialize(const tFontSheet& sheet, VKT_COLOR dwColorKey)
{
    return Initialize(sheet.szFile, sheet.nCellWidth, sheet.nCellHeight, sheet.nColumns, dwColorKey,
                      sheet.cFirstChar);
}

bool CBitmapFont::HasCell(int nCell) const
{
    return m_nImageID != -1 && nCell >= 0 && nCell < m_nNumCells;
}

bool CBitmapFont::DrawCell(char cChar, int nX, int nY, float fScale, VKT_COLOR dwColor)
{
    // Codes are signed 8-bit: bytes from 0x80 up fall below the first character and have no cell.
    const int nCell = static_cast<signed char>(cChar) - m_cFirstChar;
    if (!HasCell(nCell))
        return false;
    const RECT rCell = GetCellRect(nCell);
    return CVKT_TextureManager::GetInstance()->DrawTexture(m_nImageID, nX, nY, fScale, fScale, &rCell, 0.0f,
                                                           0.0f, 0.0f, dwColor);
}

void CBitmapFont::Print(const char* szText, int nX, int nY, float fScale, VKT_COLOR dwColor)
{
    if (szText)
        PrintText(szText, std::strlen(szText), nX, nY, fScale, dwColor);
}

void CBitmapFont::Print(std::string text, int nX, int nY, float fScale, VKT_COLOR dwColor)
{
    PrintText(text.data(), text.size(), nX, nY, fScale, dwColor);
}

void CBitmapFont::PrintText(const char* pText, size_t uLength, int nX, int nY, float fScale,
                            VKT_COLOR dwColor)
{
    int nColumn = 0;
    for (const char* p = pText; p != pText + uLength; ++p)
    {
        if (*p == '\n')
        {
            nY += static_cast<int>(m_nCellHeight * fScale);
            nColumn = 0;
            continue;
        }
        const int nDrawX = static_cast<int>(nX + nColumn * m_nCellWidth * fScale);
        DrawCell(*p, nDrawX, nY, fScale, dwColor);
        ++nColumn;
    }
}

bool CBitmapFont::PrintChar(char cChar, int nX, int nY, float fScale, VKT_COLOR dwColor)
{
    if (cChar == '\n')
        nY += static_cast<int>(m_nCellHeight * fScale);
    return DrawCell(cChar, nX, nY, fScale, dwColor);
}
