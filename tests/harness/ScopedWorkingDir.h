// Makes a folder the working directory for the lifetime of the object.
#pragma once

#include <string>

namespace headless
{
class ScopedWorkingDir
{
public:
    // Throws std::filesystem::filesystem_error when the folder cannot be entered.
    explicit ScopedWorkingDir(const std::string& path);
    // Goes back to the folder that was current before.
    ~ScopedWorkingDir();
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

private:
    std::string m_previous;
};
} // namespace headless
