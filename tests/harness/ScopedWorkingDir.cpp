#include "ScopedWorkingDir.h"

#include <filesystem>

namespace headless
{
ScopedWorkingDir::ScopedWorkingDir(const std::string& path)
{
    m_previous = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

ScopedWorkingDir::~ScopedWorkingDir()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
}
} // namespace headless
