// Files that are replaced whole or not at all: the new content goes into a new file beside the old
// one, is synced to the disk, and is then renamed over it, so a crash or a full disk part way leaves
// the old file (or no file) as it was, never a piece of the new one.
#pragma once

#include <sys/types.h>

#include <string>

class CVKT_AtomicFile
{
public:
    // Writes bytes to path as described above; the file gets the mode given. False when any step
    // failed: the new file is removed again and path is untouched.
    static bool Write(const std::string& path, const std::string& bytes, mode_t mode);
    // Makes the folder and every missing folder above it with the mode given. True when it is a
    // folder afterwards.
    static bool MakeFolders(const std::string& folder, mode_t mode);
};
