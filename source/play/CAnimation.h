// A strip of equally sized frames cut from one sheet image, played at a fixed frame duration. A
// plain value member of its owner; it never unloads the sheet it loaded.
#pragma once

#include "VKT_Types.h"

class CAnimation
{
public:
    // Loads the sheet (no colour key) and stores the frame layout, also when the load failed. False
    // for a failed load, which leaves the animation stopped; otherwise starts playing from frame 0.
    bool Load(const char* szFilename, int nNumFrames, int nFrameWidth, int nFrameHeight, int nColumns);

    void Play();  // from frame 0
    void Reset(); // back to frame 0; the timer keeps what it gathered
    void Stop();

    // Gathers time and advances at most one frame, however long fElapsedTime is; the surplus stays
    // in the timer. At the end a looping animation wraps to 0, another stops on its last frame.
    void Update(float fElapsedTime);
    // Draws the current frame with its top-left at (nX, nY). Flipped, it is mirrored and the anchor
    // moves right by the drawn width, so the picture covers the same place. False when nothing was
    // drawn (no sheet, no layout).
    bool Render(int nX, int nY, bool bFlip, float fScale, VKT_COLOR dwColor);

    // Sheet pixels of a frame, row by row across nColumns frames. Empty without a layout.
    RECT GetFrameRect(int nFrame) const;

    int GetImageID() const { return m_nImageID; }
    void SetImageID(int nImageID) { m_nImageID = nImageID; }
    int GetCurFrame() const { return m_nCurFrame; }
    void SetCurFrame(int nCurFrame) { m_nCurFrame = nCurFrame; }
    int GetNumFrames() const { return m_nNumFrames; }
    void SetNumFrames(int nNumFrames) { m_nNumFrames = nNumFrames; }
    int GetFrameWidth() const { return m_nFrameWidth; }
    void SetFrameWidth(int nFrameWidth) { m_nFrameWidth = nFrameWidth; }
    int GetFrameHeight() const { return m_nFrameHeight; }
    void SetFrameHeight(int nFrameHeight) { m_nFrameHeight = nFrameHeight; }
    int GetColumns() const { return m_nColumns; }
    void SetColumns(int nColumns) { m_nColumns = nColumns; }
    bool IsPlaying() const { return m_bPlaying; }
    // The game's animations all loop; a one-shot animation stops on its last frame.
    bool IsLooping() const { return m_bLooping; }
    void SetLooping(bool bLooping) { m_bLooping = bLooping; }

protected:
    // Draws one section of the sheet with the flip rule of Render.
    bool RenderSection(const RECT& rSection, int nX, int nY, bool bFlip, float fScale,
                       VKT_COLOR dwColor) const;

    int m_nImageID = -1; // no sheet: nothing to draw, nothing borrowed
    int m_nCurFrame = 0;
    int m_nNumFrames = 0;
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
    int m_nColumns = 0;
    float m_fSpeed = 1.0f;
    bool m_bLooping = true;
    bool m_bPlaying = false;
    float m_fFrameDuration = 0.16f; // seconds
    float m_fTimer = 0.0f;
};
