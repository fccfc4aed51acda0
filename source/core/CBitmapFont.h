// Draws text from a sheet of equal glyph cells, one glyph per character code in code order, row by
// row. Holds one sheet at a time: each screen sets it up in Enter and releases it in Exit.
#pragma once

#include "VKT_Types.h"

#include <cstddef>
#include <string>

// The layout of a glyph sheet: its file, the cells' size, how many cells a row, the first cell's
// character.
struct tFontSheet
{
    const char* szFile;
    int nCellWidth;
    int nCellHeight;
    int nColumns;
    char cFirstChar;
};

class CBitmapFont
{
public:
    static CBitmapFont* GetInstance();

    CBitmapFont(const CBitmapFont&) = delete;
    CBitmapFont& operator=(const CBitmapFont&) = delete;

    // Loads the sheet (pixels of exactly dwColorKey become transparent) and stores the cell layout;
    // cell 0 holds cFirstChar. True when the sheet was loaded.
    bool Initialize(const char* szFilename, int nCellWidth, int nCellHeight, int nColumns,
                    VKT_COLOR dwColorKey, char cFirstChar);
    bool Initialize(const tFontSheet& sheet, VKT_COLOR dwColorKey);
    // Releases the sheet the font holds, if any, and forgets the layout. Releases nothing when the
    // font holds no sheet, so a second Shutdown cannot take a reference that belongs to someone else.
    void Shutdown();

    // Draws the text from (nX, nY), each glyph scaled and advanced by exactly cell width x fScale
    // pixels; a newline (10) moves down by cell height x fScale (truncated) and back to nX. A
    // character without a cell on the sheet draws nothing but still takes its place.
    void Print(const char* szText, int nX, int nY, float fScale, VKT_COLOR dwColor);
    void Print(std::string text, int nX, int nY, float fScale, VKT_COLOR dwColor);
    // Draws one character at (nX, nY); a newline first moves nY down one line. False when nothing
    // was drawn (no sheet, or no cell for the character).
    bool PrintChar(char cChar, int nX, int nY, float fScale, VKT_COLOR dwColor);

    // Sheet pixels of cell n. Empty without a layout.
    RECT GetCellRect(int nCell) const;

private:
    CBitmapFont() = default;
    ~CBitmapFont() = default;

    bool HasCell(int nCell) const;
    void PrintText(const char* pText, size_t uLength, int nX, int nY, float fScale, VKT_COLOR dwColor);
    bool DrawCell(char cChar, int nX, int nY, float fScale, VKT_COLOR dwColor);

    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nColumns = 0;
    int m_nImageID = -1; // -1: the font holds no sheet
    signed char m_cFirstChar = 32;
    int m_nNumCells = 0; // full cells on the sheet
};
