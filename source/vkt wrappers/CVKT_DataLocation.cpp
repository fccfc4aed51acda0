#include "CVKT_DataLocation.h"

#include "CVKT_MessageBox.h"
#include "CVKT_ResourcePath.h"

#include <SDL.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

// The installed data folder relative to the folder of the executable; the build sets it from the
// install folders it was configured with.
#ifndef TALONREACH_DATA_FROM_EXE
#define TALONREACH_DATA_FROM_EXE "../share/games/talonreach"
#endif

namespace
{
namespace fs = std::filesystem;

constexpr const char* RESOURCE_FOLDER = "Resource";
constexpr const char* SETTINGS_NAME = "settings.xml";
constexpr const char* USER_FOLDER = "talonreach";
constexpr const char* MESSAGE_TITLE = "Talonreach";

bool IsFolder(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsAbsolute(const char* szPath)
{
    return szPath && szPath[0] == '/';
}

std::string Normal(const fs::path& path)
{
    std::string text = path.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string InstalledFolder(const std::string& executable)
{
    if (executable.empty())
        return std::string();
    return Normal(fs::path(executable).parent_path() / TALONREACH_DATA_FROM_EXE);
}

// The XDG base folder for user data: XDG_DATA_HOME, else ~/.local/share.
std::string SettingsFile(const char* szXdgDataHome, const char* szHome)
{
    fs::path base;
    if (IsAbsolute(szXdgDataHome))
        base = szXdgDataHome;
    else if (IsAbsolute(szHome))
        base = fs::path(szHome) / ".local/share";
    else
        return std::string();
    return Normal(base / USER_FOLDER / SETTINGS_NAME);
}

// mkdir -p with mode 0700 for every folder it makes; folders that exist keep their mode.
bool MakeFolders(const std::string& folder)
{
    std::string path;
    for (const fs::path& part : fs::path(folder))
    {
        path = Normal(fs::path(path) / part);
        if (IsFolder(path))
            continue;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (!IsFolder(path))
        {
            errno = ENOTDIR;
            return false;
        }
    }
    return true;
}

std::string ReadLink(const char* szLink)
{
    char buffer[4096];
    const ssize_t length = ::readlink(szLink, buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::string();
    return std::string(buffer, static_cast<size_t>(length));
}

std::string WorkingFolder()
{
    std::unique_ptr<char, void (*)(void*)> cwd(::getcwd(nullptr, 0), &std::free);
    return cwd ? std::string(cwd.get()) : std::string(".");
}

// The box needs SDL video, which otherwise starts with the game window; this runs before it.
void ReportBeforeTheWindow(const std::string& text)
{
    const bool bStartedVideo = SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    CVKT_MessageBox::Show(nullptr, text.c_str(), MESSAGE_TITLE);
    if (bStartedVideo)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
} // namespace

CVKT_DataLocation::tLayout CVKT_DataLocation::Find(const std::string& workingFolder,
                                                   const std::string& executable, const char* szXdgDataHome,
                                                   const char* szHome)
{
    tLayout layout;
    const std::string local = Normal(fs::path(workingFolder) / RESOURCE_FOLDER);
    layout.searched.push_back(local);
    if (IsFolder(CVKT_ResourcePath::ResolveIgnoringCase(local)))
        return layout;

    const std::string installed = InstalledFolder(executable);
    if (!installed.empty())
        layout.searched.push_back(installed);
    if (!IsFolder(installed))
    {
        layout.source = eSource::NotFound;
        return layout;
    }
    layout.source = eSource::Installed;
    layout.dataFolder = installed;
    layout.settingsFile = SettingsFile(szXdgDataHome, szHome);
    return layout;
}

CVKT_DataLocation* CVKT_DataLocation::GetInstance()
{
    static CVKT_DataLocation instance;
    return &instance;
}

bool CVKT_DataLocation::Locate()
{
    const tLayout layout =
        Find(WorkingFolder(), ReadLink("/proc/self/exe"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (layout.source != eSource::NotFound)
    {
        Use(layout);
        return true;
    }
    Use(tLayout());
    std::string text = "The game's pictures and sounds were not found. It looked in:";
    for (const std::string& folder : layout.searched)
        text += "\n" + folder;
    ReportBeforeTheWindow(text);
    return false;
}

void CVKT_DataLocation::Use(const tLayout& layout)
{
    m_layout = layout;
    m_bReportedUnsaved = false;
}

std::string CVKT_DataLocation::Map(const std::string& path) const
{
    if (m_layout.source != eSource::Installed)
        return path;
    const size_t slash = path.find('/');
    if (slash == std::string::npos ||
        !CVKT_ResourcePath::SameIgnoringCase(path.substr(0, slash), RESOURCE_FOLDER))
        return path;
    const std::string rest = path.substr(slash + 1);
    if (CVKT_ResourcePath::SameIgnoringCase(rest, SETTINGS_NAME))
        return m_layout.settingsFile;
    return m_layout.dataFolder + "/" + rest;
}

std::string CVKT_DataLocation::UserFile(const std::string& name) const
{
    if (m_layout.source != eSource::Installed)
        return std::string(RESOURCE_FOLDER) + "/" + name;
    if (m_layout.settingsFile.empty())
        return std::string();
    return Normal(fs::path(m_layout.settingsFile).parent_path() / name);
}

bool CVKT_DataLocation::PrepareForWriting(const std::string& path)
{
    const std::string mapped = Map(path);
    if (m_layout.source != eSource::Installed || mapped != m_layout.settingsFile)
        return true;
    if (mapped.empty())
    {
        ReportUnsaved("neither XDG_DATA_HOME nor HOME names a folder for them");
        return false;
    }
    const std::string folder = fs::path(mapped).parent_path().string();
    if (!MakeFolders(folder) || ::access(folder.c_str(), W_OK | X_OK) != 0)
    {
        ReportUnsaved(folder + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

void CVKT_DataLocation::ReportUnsaved(const std::string& reason)
{
    if (m_bReportedUnsaved)
        return;
    m_bReportedUnsaved = true;
    const std::string text =
        "The high scores and volumes cannot be saved (" + reason + "). They are kept until the game ends.";
    CVKT_MessageBox::Show(nullptr, text.c_str(), MESSAGE_TITLE);
}
