// The screen where the player chooses the controls (CControls): the six actions with their key and
// pad button, "Reset to defaults" and "Back". Up and Down (or the pad's D-pad) move the cursor;
// Return, Space or South choose a row. On an action the screen waits for the new key, or pad button
// for fire and pause: the first one pressed is taken, one that another action has is swapped onto
// it, and one that cannot be chosen is refused with a note while the screen waits on. Escape or East
// stops the waiting; otherwise they go back to the controls screen, as "Back" does. The screen
// itself reads every key as itself, so no choice can lock the player out of it. Leaving writes the
// settings file.
#pragma once

#include "IGameState.h"

#include <string>

class CChangeControlsState : public IGameState
{
public:
    enum eRow
    {
        // Rows 0 to 5 are the actions, in eControl order.
        ROW_RESET = 6,
        ROW_BACK = 7,
        ROW_COUNT = 8
    };

    // Where the rows stand: the text of row n has its top at ROW_TOP + n * ROW_STEP; the key names
    // start at KEY_X, the pad buttons at PAD_X, the cursor at CURSOR_X; the note lines are centred
    // at NOTE_Y and NOTE_Y + 24. Key names are cut to KEY_CHARACTERS (the pad's are shorter).
    static constexpr int ROW_TOP = 112;
    static constexpr int ROW_STEP = 34;
    static constexpr int KEY_X = 248;
    static constexpr int PAD_X = 456;
    static constexpr int CURSOR_X = 34;
    static constexpr int NOTE_Y = 390;
    static constexpr size_t KEY_CHARACTERS = 12;

    static CChangeControlsState* GetInstance();

    CChangeControlsState(const CChangeControlsState&) = delete;
    CChangeControlsState& operator=(const CChangeControlsState&) = delete;

    // The cursor on the first action, nothing awaited, no note.
    void Enter() override;
    bool Input() override;
    void Update(float) override {}
    void Render() override;
    // Releases the pictures and the font, then writes the settings file.
    void Exit() override;

    int GetSelection() const { return m_nSelection; }
    bool IsWaiting() const { return m_bWaiting; }
    // The note under the rows, its two lines separated by a newline; empty for none.
    const std::string& GetNote() const { return m_strNote; }

private:
    CChangeControlsState() = default;
    void MoveSelection();
    void ChooseRow();
    // While waiting: Escape or East, or the first key or button pressed in this frame.
    void TakeChoice();
    void TakeKey(unsigned char ucKey);
    void TakeButton(int nButton);
    void SayChange(int nSwapped);
    void PrintRow(int nRow) const;

    int m_nBackgroundImageID = -1;
    int m_nCursorImageID = -1;
    int m_nSelection = 0;
    bool m_bWaiting = false;
    std::string m_strNote;
};
