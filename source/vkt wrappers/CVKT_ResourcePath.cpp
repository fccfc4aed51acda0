#include "CVKT_ResourcePath.h"

#include "CVKT_DataLocation.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace
{
bool Exists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// The entry of `dir` that matches `name` ignoring case, or an empty string.
std::string FindEntryIgnoringCase(const std::string& dir, const std::string& name)
{
    DIR* handle = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!handle)
        return std::string();
    std::vector<std::string> matches;
    while (dirent* entry = ::readdir(handle))
    {
        if (CVKT_ResourcePath::SameIgnoringCase(entry->d_name, name))
            matches.emplace_back(entry->d_name);
    }
    ::closedir(handle);
    if (matches.empty())
        return std::string();
    return *std::min_element(matches.begin(), matches.end());
}

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : path)
    {
        if (c == '/')
        {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        }
        else
        {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}
} // namespace

bool CVKT_ResourcePath::SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

std::string CVKT_ResourcePath::Resolve(const std::string& path)
{
    return ResolveIgnoringCase(CVKT_DataLocation::GetInstance()->Map(path));
}

std::string CVKT_ResourcePath::ResolveIgnoringCase(const std::string& path)
{
    if (path.empty() || Exists(path))
        return path;

    const bool absolute = path[0] == '/';
    std::string resolved = absolute ? "/" : "";
    bool matching = true;
    for (const std::string& part : SplitComponents(path))
    {
        std::string next = part;
        if (matching && part != "." && part != "..")
        {
            const std::string candidate = resolved + part;
            if (!Exists(candidate))
            {
                std::string found = FindEntryIgnoringCase(resolved, part);
                if (found.empty())
                    matching = false;
                else
                    next = found;
            }
        }
        resolved += next;
        resolved += '/';
    }
    // Keep a trailing slash only where the caller gave one.
    if (!resolved.empty() && path.back() != '/' && resolved != "/")
        resolved.pop_back();
    return resolved;
}

FILE* CVKT_ResourcePath::Open(const char* path, const char* mode)
{
    if (!path || !mode)
        return nullptr;
    return std::fopen(Resolve(path).c_str(), mode);
}

FILE* CVKT_ResourcePath::OpenRegularFile(const char* path, uint64_t& size)
{
    if (!path)
        return nullptr;
    // Without O_NONBLOCK a FIFO would wait for a writer forever.
    const int fd = ::open(Resolve(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
    {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = ::fdopen(fd, "rb");
    if (!file)
    {
        ::close(fd);
        return nullptr;
    }
    size = static_cast<uint64_t>(info.st_size);
    return file;
}

bool CVKT_ResourcePath::ReadRegularFile(const char* path, uint64_t maxSize, std::vector<uint8_t>& bytes)
{
    uint64_t size = 0;
    FILE* file = OpenRegularFile(path, size);
    if (!file)
        return false;
    bool ok = size <= maxSize;
    if (ok)
    {
        bytes.resize(static_cast<size_t>(size));
        ok = size == 0 || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}
