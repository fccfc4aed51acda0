#include "ScopedTempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace headless
{
ScopedTempDir::ScopedTempDir(const char* szPrefix)
{
    const std::string pattern = std::string("/tmp/") + szPrefix + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        throw std::runtime_error("cannot make a folder like " + pattern);
    m_path = name.data();
}

ScopedTempDir::~ScopedTempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
} // namespace headless
