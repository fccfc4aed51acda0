#include "CVKT_AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace
{
bool IsFolder(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int nFd, const std::string& bytes)
{
    size_t nDone = 0;
    while (nDone < bytes.size())
    {
        const ssize_t nWritten = ::write(nFd, bytes.data() + nDone, bytes.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        nDone += static_cast<size_t>(nWritten);
    }
    return true;
}

void SyncFolder(const std::string& folder)
{
    const int nFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nFd == -1)
        return;
    ::fsync(nFd);
    ::close(nFd);
}
} // namespace

bool CVKT_AtomicFile::Write(const std::string& path, const std::string& bytes, mode_t mode)
{
    std::string temp = path + ".XXXXXX";
    const int nFd = ::mkostemp(&temp[0], O_CLOEXEC);
    if (nFd == -1)
        return false;
    ::fchmod(nFd, mode);
    const bool bWritten = WriteAll(nFd, bytes) && ::fsync(nFd) == 0;
    const bool bClosed = ::close(nFd) == 0;
    if (!bWritten || !bClosed || std::rename(temp.c_str(), path.c_str()) != 0)
    {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

bool CVKT_AtomicFile::MakeFolders(const std::string& folder, mode_t mode)
{
    if (folder.empty() || IsFolder(folder))
        return !folder.empty();
    const std::string parent = FolderOf(folder);
    if (parent != folder && !MakeFolders(parent, mode))
        return false;
    if (::mkdir(folder.c_str(), mode) != 0 && errno != EEXIST)
        return false;
    return IsFolder(folder);
}
