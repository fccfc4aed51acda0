// The hub of the game: six items, chosen with the arrow keys and Space or Return, lead to the story
// and the game, the high-score table, the controls, the options, the credits, or out of the program.
// Entering it writes the settings file and starts the menu music unless it already plays. Left alone
// for a minute it shows the game playing itself (CAttractMode).
#pragma once

#include "IGameState.h"

class CMainMenuState : public IGameState
{
public:
    // The items from top to bottom.
    enum eItem
    {
        ITEM_PLAY = 0,
        ITEM_HIGH_SCORES,
        ITEM_CONTROLS,
        ITEM_OPTIONS,
        ITEM_CREDITS,
        ITEM_EXIT,
        NUM_ITEMS
    };

    // Where the items stand in the menu picture and where their highlighted looks are on the sheet:
    // item k occupies rows ITEM_TOP + ITEM_HEIGHT * k onwards in both.
    static constexpr int ITEM_LEFT = 222;
    static constexpr int ITEM_TOP = 222;
    static constexpr int ITEM_HEIGHT = 27;
    static constexpr int HIGHLIGHT_LEFT = 641;
    static constexpr int HIGHLIGHT_RIGHT = 838;

    static CMainMenuState* GetInstance();

    CMainMenuState(const CMainMenuState&) = delete;
    CMainMenuState& operator=(const CMainMenuState&) = delete;

    // Writes the settings file (not on the return from a demo), selects the first item, loads the
    // sheet and starts the music from the beginning when it is not playing.
    void Enter() override;
    // Up and Down move the selection (wrapping); Space, or Return without Alt, carries out the item.
    // False only when the exit item was chosen.
    bool Input() override;
    // Left alone long enough, the menu shows a demo (CAttractMode).
    void Update(float fElapsedTime) override;
    // The menu picture, then the selected item's highlighted look laid exactly over it.
    void Render() override;
    void Exit() override;

    int GetSelection() const { return m_nSelection; }

private:
    CMainMenuState() = default;
    void MoveSelection();
    bool ChooseItem();
    void StartMusic();

    int m_nSelection = ITEM_PLAY;
    int m_nMenuImageID = -1;
};
