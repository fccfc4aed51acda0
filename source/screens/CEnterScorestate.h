// The name entry for a new high score: a panel over the frozen game in which the player types up to
// three characters. Return with exactly three confirms and changes to the main menu; whatever ends
// the screen, leaving it puts the running game's score with the name typed so far into the table and
// writes the settings file.
//
// A pad picks the name instead: its first push shows a marker under the next place, which holds an
// A; up and down step that place through A-Z, 0-9 and the space, left and right move between the
// three places, and South moves on to the next place or, once all three hold a character, confirms
// as Return does. The keyboard keeps working on the same name at the same time.
#pragma once

#include "CSettingsFile.h"
#include "IGameState.h"

#include <string>

class CEnterScorestate : public IGameState
{
public:
    static constexpr size_t MAX_NAME = 3;

    static CEnterScorestate* GetInstance();

    CEnterScorestate(const CEnterScorestate&) = delete;
    CEnterScorestate& operator=(const CEnterScorestate&) = delete;

    // The characters a pad steps through, in order; past the last comes the first again.
    static constexpr const char* PICKER_CHARACTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";

    // Loads the panel and the font; the name starts empty and the pad's picker hidden on every visit.
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
    // The pad's picker is shown, and the place (0 to 2) it stands on.
    bool IsPicking() const { return m_bPicking; }
    int GetPlace() const { return m_nPlace; }

    // The character nSteps on from c in PICKER_CHARACTERS, wrapping round. A small letter steps on
    // from its capital; any other character that is not there counts as standing just before the A.
    static char StepCharacter(char c, int nSteps);

private:
    CEnterScorestate() = default;
    void TypeCharacter(char cTyped);
    void PickWithPad();
    // The place the picker stands on holds a character (an A when it was empty).
    void FillPlace();
    // South: the next place, or the confirm once the name is whole.
    void PadConfirm();
    void StoreScore();
    // The game just recorded stands behind the new entry of pNew (if that game is the one entered).
    static void LinkRecordedGame(const tHighScore* pOld, const tHighScore* pNew, int nScore);

    int m_nPanelImageID = -1;
    std::string m_Name;
    bool m_bPicking = false;
    int m_nPlace = 0;
};
