// The ten best scores on two pages of five (ranks 1 to 5, then 6 to 10), with an arrow at the right
// edge pointing to the other page. Down shows the second page, Up the first, Escape returns to the
// main menu. Return (or a pad's South) watches the recorded game behind the page's best entry, when
// one is kept; the screen then says so at its foot.
#pragma once

#include "IGameState.h"

class CHighScoreMenuState : public IGameState
{
public:
    static constexpr int ROWS_PER_PAGE = 5;
    static constexpr const char* WATCH_HINT = "RETURN replay";

    static CHighScoreMenuState* GetInstance();

    CHighScoreMenuState(const CHighScoreMenuState&) = delete;
    CHighScoreMenuState& operator=(const CHighScoreMenuState&) = delete;

    // Opens on the first page.
    void Enter() override;
    // Only the first of Escape, Down, Up, Return that was pressed counts.
    bool Input() override;
    void Update(float) override {}
    void Render() override;
    void Exit() override;

    int GetPage() const { return m_nPage; }
    // The page's best entry has a kept game to watch.
    bool CanWatch() const { return m_bCanWatch[m_nPage]; }
    // Row nEntry of the table as the screen prints it: "rank. name - points".
    static void FormatRow(int nEntry, char* szText, int nSize);

private:
    CHighScoreMenuState() = default;
    void DrawArrow();
    void FindReplays();
    void WatchBest();

    int m_nBackgroundImageID = -1;
    int m_nArrowImageID = -1;
    int m_nPage = 0;
    bool m_bCanWatch[2] = {};
};
