// The story screen between the main menu and the game: the captain's portrait and a text box in
// which his lines are typed out at five characters a second. Escape or Space shows the current line
// whole, or, when it is whole, moves to the next; after the last line the game starts. With the
// ending flag set (a lost game) it shows the two closing lines instead and then starts a new game.
#pragma once

#include "IGameState.h"

class CLevelIntroState1 : public IGameState
{
public:
    static constexpr float CHARS_PER_SECOND = 5.0f;

    static CLevelIntroState1* GetInstance();

    CLevelIntroState1(const CLevelIntroState1&) = delete;
    CLevelIntroState1& operator=(const CLevelIntroState1&) = delete;

    // Starts at the first line. The reveal timer keeps its value: after an Exit it is -1, so the
    // first character of a later visit shows 0.2 s later than on the first.
    void Enter() override;
    bool Input() override;
    void Update(float fElapsedTime) override;
    // Draws the background, the portrait, the text box and the revealed part of the line. Marks the
    // line complete once it is all shown (the long fourth line is always shown whole).
    void Render() override;
    // Releases the pictures and the font. The ending flag stays as it is.
    void Exit() override;

    void SetEnding(bool bEnding) { m_bEnding = bEnding; }
    bool IsEnding() const { return m_bEnding; }

    int GetLine() const { return m_nLine; }
    bool IsLineComplete() const { return m_bLineComplete; }
    float GetTextTimer() const { return m_fTextTimer; }
    // The text of a line (from 1) for the normal story or the ending; empty for a line that does not
    // exist.
    static const char* LineText(int nLine, bool bEnding);
    // 5 for the story, 2 for the ending.
    static int LastLine(bool bEnding);

private:
    CLevelIntroState1() = default;
    void NextLine();
    void DrawRevealed(const char* szText);

    float m_fTextTimer = 0.0f; // characters of the current line revealed so far
    int m_nLine = 0;           // from 1
    bool m_bLineComplete = false;
    bool m_bEnding = false;
    int m_nBackgroundImageID = 0;
    int m_nCaptainImageID = 0;
    int m_nTextBoxImageID = 0;
};
