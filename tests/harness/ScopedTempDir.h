// A fresh folder under /tmp, removed with everything in it when the object goes (links inside it
// are removed, never what they point to).
#pragma once

#include <string>

namespace headless
{
class ScopedTempDir
{
public:
    // Throws std::runtime_error when no folder can be made.
    explicit ScopedTempDir(const char* szPrefix = "talonreach-test");
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "/" + relative; }

private:
    std::string m_path;
};
} // namespace headless
