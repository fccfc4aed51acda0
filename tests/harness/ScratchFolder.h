// The working folder of a headless game: Resource/Graphics, Resource/Sound and (where it has them)
// Resource/Demos link those of a real Resource folder (never written), Resource/settings.xml is the folder's
// own. It becomes the working directory while the object lives, and is removed with its content (never the
// link targets) after.
#pragma once

#include "ScopedTempDir.h"
#include "ScopedWorkingDir.h"

#include <memory>
#include <string>

namespace headless
{
class ScratchFolder
{
public:
    // settingsXml: the content of Resource/settings.xml; empty: no file, the game's defaults. Throws
    // when the folder cannot be made.
    ScratchFolder(const std::string& resourceDir, const std::string& settingsXml);
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_dir.Path(); }
    std::string SettingsPath() const { return m_dir / "Resource/settings.xml"; }

private:
    ScopedTempDir m_dir;
    std::unique_ptr<ScopedWorkingDir> m_cwd;
};
} // namespace headless
