// The pause menu pushed over the running game (Escape or P in play, or the window losing the focus).
// The game below is still drawn but neither reads input nor updates. Two items: resume, and quit to
// the main menu. Escape or P leave it through the "UnpauseGame" event: sent in one frame, accepted
// at the end of it, and the screen is popped in the next frame's Update.
#pragma once

#include "IGameState.h"
#include "IListener.h"

class CPauseState : public IGameState, public IListener
{
public:
    enum eItem
    {
        ITEM_RESUME = 0,
        ITEM_QUIT = 1
    };

    static CPauseState* GetInstance();

    CPauseState(const CPauseState&) = delete;
    CPauseState& operator=(const CPauseState&) = delete;

    // Selects resume, loads the panel and the cursor and listens for "UnpauseGame".
    void Enter() override;
    // Escape or P send "UnpauseGame"; Up and Down move the cursor (wrapping); Return without Alt
    // resumes (clearing the gameplay's paused flag) or quits to the main menu.
    bool Input() override;
    // Pops this screen once "UnpauseGame" has been accepted.
    void Update(float fElapsedTime) override;
    void Render() override;
    void Exit() override;

    // "UnpauseGame": always accepted, and the gameplay's paused flag cleared, whether the pause came
    // from a key or from a focus loss (which pushes this screen without setting the flag).
    void HandleEvent(CEvent* pEvent) override;

    int GetSelection() const { return m_nSelection; }

private:
    CPauseState() = default;
    void MoveSelection();
    void ChooseItem();

    int m_nSelection = ITEM_RESUME;
    bool m_bUnpause = false;
    int m_nMenuImageID = -1;
    int m_nCursorImageID = -1;
};
