#include "CReplayStore.h"

#include "CVKT_AtomicFile.h"
#include "CVKT_DataLocation.h"
#include "CVKT_MessageBox.h"
#include "CVKT_ResourcePath.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>
#include <sstream>

namespace
{
constexpr mode_t FOLDER_MODE = 0700;
constexpr mode_t INDEX_MODE = 0644;
constexpr const char* EXTENSION = ".replay";
// "YYYYMMDD-HHMMSS-NN" and the extension.
constexpr size_t STEM_LENGTH = 18;
constexpr int SAME_SECOND_GAMES = 100;

bool Exists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

std::string Hex(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : text)
    {
        hex.push_back(digits[c >> 4]);
        hex.push_back(digits[c & 0x0F]);
    }
    return hex;
}

bool FromHex(const std::string& hex, std::string& text)
{
    if (hex.size() % 2 != 0 || hex.size() > 6)
        return false;
    text.clear();
    for (size_t i = 0; i < hex.size(); i += 2)
    {
        char* pEnd = nullptr;
        const std::string pair = hex.substr(i, 2);
        const long value = std::strtol(pair.c_str(), &pEnd, 16);
        if (*pEnd != '\0' || !std::isxdigit(static_cast<unsigned char>(pair[0])))
            return false;
        text.push_back(static_cast<char>(value));
    }
    return true;
}

std::string Stem(int64_t nDate, int nGame)
{
    const std::time_t when = static_cast<std::time_t>(nDate);
    std::tm parts{};
    gmtime_r(&when, &parts);
    char szStem[64];
    std::snprintf(szStem, sizeof szStem, "%04d%02d%02d-%02d%02d%02d-%02d", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, nGame);
    return szStem;
}
} // namespace

CReplayStore* CReplayStore::GetInstance()
{
    static CReplayStore instance;
    return &instance;
}

bool CReplayStore::IsGameFileName(const std::string& name)
{
    if (name.size() != STEM_LENGTH + std::strlen(EXTENSION) ||
        name.compare(STEM_LENGTH, std::string::npos, EXTENSION) != 0)
        return false;
    for (size_t i = 0; i < STEM_LENGTH; ++i)
    {
        const bool bDash = i == 8 || i == 15;
        if (bDash ? name[i] != '-' : !std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

std::string CReplayStore::Folder() const
{
    const std::string folder = CVKT_DataLocation::GetInstance()->UserFile(FOLDER);
    return folder.empty() ? folder : CVKT_ResourcePath::ResolveIgnoringCase(folder);
}

void CReplayStore::Report(const std::string& text)
{
    if (m_bReported)
        return;
    m_bReported = true;
    CVKT_MessageBox::Show(nullptr, text.c_str(), ERROR_TITLE);
}

std::string CReplayStore::Keep(const tReplay& replay)
{
    const std::string folder = Folder();
    if (folder.empty())
        return std::string();
    if (!CVKT_AtomicFile::MakeFolders(folder, FOLDER_MODE))
    {
        Report("The games cannot be kept in " + folder + ": " + std::strerror(errno));
        return std::string();
    }
    for (int nGame = 0; nGame < SAME_SECOND_GAMES; ++nGame)
    {
        const std::string name = Stem(replay.nDate, nGame) + EXTENSION;
        if (Exists(folder + "/" + name))
            continue;
        if (!CReplayFile::Save(folder + "/" + name, replay))
        {
            Report("The game just played could not be kept in " + folder + ": " + std::strerror(errno));
            return std::string();
        }
        Prune();
        return name;
    }
    return std::string();
}

std::vector<std::string> CReplayStore::KeptGames() const
{
    std::vector<std::string> names;
    const std::string folder = Folder();
    DIR* pDir = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (!pDir)
        return names;
    while (const dirent* pEntry = ::readdir(pDir))
    {
        if (IsGameFileName(pEntry->d_name))
            names.push_back(pEntry->d_name);
    }
    ::closedir(pDir);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<CReplayStore::tLink> CReplayStore::ReadIndex(bool& bFound) const
{
    std::vector<tLink> links(NUM_HIGH_SCORES);
    std::vector<uint8_t> bytes;
    const std::string path = Folder() + "/" + INDEX_FILE;
    bFound = !Folder().empty() && CVKT_ResourcePath::ReadRegularFile(path.c_str(), 4096, bytes);
    if (!bFound)
        return links;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    for (tLink& link : links)
    {
        if (!std::getline(lines, line))
            break;
        std::istringstream fields(line);
        std::string points, name, file;
        if (!std::getline(fields, points, '\t') || !std::getline(fields, name, '\t') ||
            !std::getline(fields, file, '\t') || !IsGameFileName(file) || !FromHex(name, link.name))
            continue;
        char* pEnd = nullptr;
        const long value = std::strtol(points.c_str(), &pEnd, 10);
        if (points.empty() || *pEnd != '\0')
            continue;
        link.nPoints = static_cast<int32_t>(value);
        link.file = file;
        link.bSet = true;
    }
    return links;
}

bool CReplayStore::WriteIndex(const std::vector<tLink>& links) const
{
    std::string text;
    for (const tLink& link : links)
    {
        if (link.bSet)
            text += std::to_string(link.nPoints) + "\t" + Hex(link.name) + "\t" + link.file + "\n";
        else
            text += "-\n";
    }
    return CVKT_AtomicFile::Write(Folder() + "/" + INDEX_FILE, text, INDEX_MODE);
}

bool CReplayStore::Holds(const tLink& link, const tHighScore& entry) const
{
    return link.bSet && link.nPoints == entry.nPoints && link.name == entry.szName;
}

void CReplayStore::ScoreEntered(const tHighScore* pOld, const tHighScore* pNew, const std::string& file)
{
    int nPlace = 0;
    while (nPlace < NUM_HIGH_SCORES && pOld[nPlace].nPoints == pNew[nPlace].nPoints &&
           std::strcmp(pOld[nPlace].szName, pNew[nPlace].szName) == 0)
        ++nPlace;
    if (nPlace == NUM_HIGH_SCORES || Folder().empty())
        return;
    bool bFound = false;
    std::vector<tLink> links = ReadIndex(bFound);
    if (!bFound && file.empty())
        return;
    for (int i = NUM_HIGH_SCORES - 1; i > nPlace; --i)
        links[static_cast<size_t>(i)] = links[static_cast<size_t>(i - 1)];
    tLink& link = links[static_cast<size_t>(nPlace)];
    link = tLink();
    if (IsGameFileName(file))
        link = tLink{true, pNew[nPlace].nPoints, pNew[nPlace].szName, file};
    if (!CVKT_AtomicFile::MakeFolders(Folder(), FOLDER_MODE) || !WriteIndex(links))
    {
        Report("The high scores' games could not be noted in " + Folder() + ": " + std::strerror(errno));
        return;
    }
    Prune();
}

std::string CReplayStore::FileForEntry(int nEntry) const
{
    if (nEntry < 0 || nEntry >= NUM_HIGH_SCORES)
        return std::string();
    bool bFound = false;
    const std::vector<tLink> links = ReadIndex(bFound);
    if (!HoldsEntry(links, nEntry))
        return std::string();
    const std::string path = Folder() + "/" + links[static_cast<size_t>(nEntry)].file;
    return Exists(path) ? path : std::string();
}

bool CReplayStore::HoldsEntry(const std::vector<tLink>& links, int nEntry) const
{
    return m_pTable && Holds(links[static_cast<size_t>(nEntry)], m_pTable[nEntry]);
}

void CReplayStore::Prune() const
{
    const std::vector<std::string> games = KeptGames();
    if (games.size() <= KEEP_LAST)
        return;
    bool bFound = false;
    const std::vector<tLink> links = ReadIndex(bFound);
    std::set<std::string> linked;
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
    {
        if (HoldsEntry(links, i))
            linked.insert(links[static_cast<size_t>(i)].file);
    }
    const std::string folder = Folder();
    for (size_t i = 0; i + KEEP_LAST < games.size(); ++i)
    {
        if (!linked.count(games[i]))
            ::unlink((folder + "/" + games[i]).c_str());
    }
}
