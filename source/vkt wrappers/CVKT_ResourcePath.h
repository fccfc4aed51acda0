// The game names its files with inconsistent letter case ("resource/graphics/..." beside
// "Resource/Graphics/..."). On a case-sensitive file system every path the game opens goes through
// this resolver, which matches each component of the path case-insensitively against what exists.
// The game's "Resource/..." names first go to wherever the data is (CVKT_DataLocation).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CVKT_ResourcePath
{
public:
    // Returns the path the name stands for (CVKT_DataLocation::Map) with every component replaced by the
    // existing directory entry that matches it case-insensitively (an exact match wins; among several
    // case-insensitive matches the first in byte order). From the first component that matches nothing on,
    // the rest is kept as given, so a file about to be created lands in the resolved folder under its given
    // name. Never fails.
    static std::string Resolve(const std::string& path);
    // Resolve without first mapping the game's names to the data folder (CVKT_DataLocation::Map):
    // only the letter case is matched.
    static std::string ResolveIgnoringCase(const std::string& path);

    // True when a and b are equal but for the letter case of A to Z.
    static bool SameIgnoringCase(const std::string& a, const std::string& b);

    // fopen of the resolved path. Returns null where fopen does.
    static FILE* Open(const char* path, const char* mode);

    // Opens the resolved path for reading only when it is a regular file, and gives its size. A FIFO
    // or a device given a resource's name is refused without blocking; so is a folder. Null when
    // the file cannot be opened.
    static FILE* OpenRegularFile(const char* path, uint64_t& size);

    // Reads a whole regular file of at most maxSize bytes. False when it cannot be opened or read,
    // or is larger.
    static bool ReadRegularFile(const char* path, uint64_t maxSize, std::vector<uint8_t>& bytes);
};
