// The game names its files with inconsistent letter case ("resource/graphics/..." beside
// "Resource/Graphics/..."). On a case-sensitive file system every path the game opens goes through
// this resolver, which matches each component of the path case-insensitively against what exists.
#pragma once

#include <cstdio>
#include <string>

class CVKT_ResourcePath
{
public:
    // Returns the path with every component replaced by the existing directory entry that matches it
    // case-insensitively (an exact match wins; among several case-insensitive matches the first in
    // byte order). From the first component that matches nothing on, the rest is kept as given, so a
    // file about to be created lands in the resolved folder under its given name. Never fails.
    static std::string Resolve(const std::string& path);

    // fopen of the resolved path. Returns null where fopen does.
    static FILE* Open(const char* path, const char* mode);
};
