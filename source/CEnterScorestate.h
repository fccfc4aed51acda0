// The name entry for a new high score: a panel over the frozen game in which the player types up to
// three characters. Return with exactly three confirms and changes to the main menu; whatever ends
// the screen, leaving it puts the running game's score with the name typed so far into the table and
// writes the settings file.
#pragma once

#include "IGameState.h"

#include <string>

class CEnterScorestate : public IGameState
{
public:
    static constexpr size_t MAX_NAME = 3;

    static CEnterScorestate* GetInstance();

    CEnterScorestate(const CEnterScorestate&) = delete;
    CEnterScorestate& operator=(const CEnterScorestate&) = delete;

    // Loads the panel and the font; the name starts empty on every visit.
    void Enter() override;
    // Return (without Alt) with three characters confirms; then the character typed in this frame,
    // if any, is taken: backspace removes the last one, anything else is appended while there is
    // room. Characters are not filtered: the Return and Escape characters are kept like letters.
    bool Input() override;
    void Update(float) override {}
    void Render() override;
    // Inserts the gameplay's score with the name (ties below equal scores, the lowest entry drops
    // out), writes the settings file whether or not the table changed, then releases the panel and
    // the font.
    void Exit() override;

    const std::string& GetName() const { return m_Name; }

private:
    CEnterScorestate() = default;
    void TypeCharacter(char cTyped);
    void StoreScore();

    int m_nPanelImageID = -1;
    std::string m_Name;
};
