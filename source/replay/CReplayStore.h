// Where the recorded games are kept: the folder "replays" beside the settings file (Resource/replays
// when the game runs from a working folder's Resource/, the user's data folder otherwise). Each game
// is a file named after the time it ended, "YYYYMMDD-HHMMSS-NN.replay" (UTC, NN telling apart games
// of the same second). The last KEEP_LAST games are kept, and the game behind each high-score entry.
//
// Which game stands behind which entry is told by the folder's highscores.txt, one line per entry
// of the table, best first: the entry's points, its name (as hex digits) and the file, separated by
// tabs, or "-" for none. A line counts only while the table still holds those points and that name
// at its place, so a settings file edited or replaced by hand never shows another game. The
// settings file itself is not changed in any way.
//
// Every file is written atomically: a full disk loses a replay, never the scores. A failed write is
// reported once per run in a box titled "Replay Error".
#pragma once

#include "CReplayFile.h"
#include "CSettingsFile.h"

#include <string>
#include <vector>

class CReplayStore
{
public:
    static constexpr size_t KEEP_LAST = 10;
    static constexpr const char* FOLDER = "replays";
    static constexpr const char* INDEX_FILE = "highscores.txt";
    static constexpr const char* ERROR_TITLE = "Replay Error";

    static CReplayStore* GetInstance();
    CReplayStore(const CReplayStore&) = delete;
    CReplayStore& operator=(const CReplayStore&) = delete;

    // The high-score table whose entries the kept games stand behind (NUM_HIGH_SCORES entries, the
    // game's own, which outlives the store's use of it). Until it is set no entry has a game.
    void SetTable(const tHighScore* pTable) { m_pTable = pTable; }

    // The folder; empty when an installed game has no user folder.
    std::string Folder() const;
    // Writes the record as a new file (making the folder when it is missing), then removes the games
    // that are neither among the last KEEP_LAST nor behind an entry. The file's name, or empty when
    // it could not be written.
    std::string Keep(const tReplay& replay);
    // The score entry changed the table from pOld to pNew: the new entry's game is the file szFile
    // (empty: none), and the entries below it move down with their games.
    void ScoreEntered(const tHighScore* pOld, const tHighScore* pNew, const std::string& file);
    // The path of the game behind entry nEntry of the game's table; empty when there is none.
    std::string FileForEntry(int nEntry) const;
    // The names of the kept games, oldest first.
    std::vector<std::string> KeptGames() const;

    // True for names of the form Keep gives.
    static bool IsGameFileName(const std::string& name);

private:
    struct tLink
    {
        bool bSet = false;
        int32_t nPoints = 0;
        std::string name;
        std::string file;
    };

    CReplayStore() = default;
    std::vector<tLink> ReadIndex(bool& bFound) const;
    bool WriteIndex(const std::vector<tLink>& links) const;
    bool Holds(const tLink& link, const tHighScore& entry) const;
    // Whether the link still stands behind entry nEntry of the table.
    bool HoldsEntry(const std::vector<tLink>& links, int nEntry) const;
    void Prune() const;
    // Shows the first failure of the run; later ones would only say the same again.
    void Report(const std::string& text);

    bool m_bReported = false;
    const tHighScore* m_pTable = nullptr;
};
