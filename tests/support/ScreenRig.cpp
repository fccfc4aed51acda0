#include "ScreenRig.h"

namespace test
{
namespace
{
headless::HeadlessGame::Options WithSettings(const std::string& settingsXml)
{
    headless::HeadlessGame::Options options;
    options.settingsXml = settingsXml;
    return options;
}
} // namespace

Picture LoadPicture(const std::string& file, uint32_t colorKey)
{
    return Picture::Read(BuildDir() + "/Resource/Graphics/" + file, colorKey);
}

ScreenRig::ScreenRig(const std::string& settingsXml) : HeadlessGame(WithSettings(settingsXml)) {}
} // namespace test
