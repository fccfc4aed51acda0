#include "ScratchFolder.h"

#include "Files.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace headless
{
ScratchFolder::ScratchFolder(const std::string& resourceDir, const std::string& settingsXml)
    : m_dir("talonreach-headless")
{
    const fs::path source = fs::absolute(resourceDir);
    fs::create_directory(m_dir / "Resource");
    fs::create_directory_symlink(source / "Graphics", m_dir / "Resource/Graphics");
    fs::create_directory_symlink(source / "Sound", m_dir / "Resource/Sound");
    if (fs::is_directory(source / "Demos"))
        fs::create_directory_symlink(source / "Demos", m_dir / "Resource/Demos");
    if (!settingsXml.empty())
        WriteFile(SettingsPath(), settingsXml);
    m_cwd = std::make_unique<ScopedWorkingDir>(m_dir.Path());
}
} // namespace headless
