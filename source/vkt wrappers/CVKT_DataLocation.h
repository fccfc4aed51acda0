// Where the game's files are. The game names its data "Resource/..." relative to the working folder
// and its settings "Resource/settings.xml"; this class decides what those names stand for.
//
// A working folder that holds Resource/ runs the game as it always ran: every name stays as it is,
// the settings file included. Otherwise the installed data folder is used, found from the
// executable's own path (so an installed tree still works wherever it is unpacked), and each user's
// settings live in $XDG_DATA_HOME/talonreach/settings.xml (default ~/.local/share/talonreach/).
// Nothing is ever written into an installed data folder.
#pragma once

#include <string>
#include <vector>

class CVKT_DataLocation
{
public:
    enum class eSource
    {
        WorkingFolder, // Resource/ in the working folder: names are used as given
        Installed,     // the data folder beside the executable, settings in the user's data folder
        NotFound
    };

    struct tLayout
    {
        eSource source = eSource::WorkingFolder;
        // Installed: the folder "Resource/" names are read from.
        std::string dataFolder;
        // Installed: the settings file; empty when neither XDG_DATA_HOME nor HOME names a folder.
        std::string settingsFile;
        // Every data folder looked in, in order.
        std::vector<std::string> searched;
    };

    // The layout for a process with this working folder and executable (absolute paths) and these
    // values of XDG_DATA_HOME and HOME (null when unset). Relative or empty values count as unset.
    // Looks at the file system, changes nothing.
    static tLayout Find(const std::string& workingFolder, const std::string& executable,
                        const char* szXdgDataHome, const char* szHome);

    static CVKT_DataLocation* GetInstance();

    // Finds and uses the layout of this process. False when no data folder exists: then one error
    // box names every folder looked in, and the names keep their working-folder meaning.
    bool Locate();
    // Uses the given layout from now on (tools and tests). Forgets an earlier report.
    void Use(const tLayout& layout);
    const tLayout& GetLayout() const { return m_layout; }

    // The path the game's name stands for: with installed data, "Resource/settings.xml" (any letter
    // case) becomes the settings file and every other "Resource/..." name a path in the data folder.
    // Everything else, and every name with working-folder data, is returned as given.
    std::string Map(const std::string& path) const;

    // Where a file of the user's own with that name is read from: beside the settings file, so in
    // the user's data folder with installed data and in Resource/ with working-folder data. Empty
    // when the installed game has no user folder (neither XDG_DATA_HOME nor HOME names one).
    std::string UserFile(const std::string& name) const;

    // Called before the file the game names `path` is written. For the user's settings file it makes
    // the missing folders (mode 0700) and checks that the folder can be written; when it cannot, the
    // game says so once per run and false is returned (the values stay in memory). True for any
    // other name, and for every name with working-folder data.
    bool PrepareForWriting(const std::string& path);

private:
    CVKT_DataLocation() = default;
    void ReportUnsaved(const std::string& reason);

    tLayout m_layout;
    bool m_bReportedUnsaved = false;
};
