// A bench for the game's screens: the headless game (the real CGame with its window procedure in a
// scratch folder, under a hand-driven clock) with a settings file of the test's choosing, and the
// checks that compare presented frames with the pictures the screens draw from.
#pragma once

#include "FrameComparison.h"
#include "HeadlessGame.h"
#include "Picture.h"
#include "TestSupport.h"

#include <cstdint>
#include <string>

namespace test
{
using headless::CompareSection;
using headless::CompareText;
using headless::Comparison;
using headless::CountDifferences;
using headless::FramePixel;
using headless::Picture;

// Loads a file of the build's Resource/Graphics folder.
Picture LoadPicture(const std::string& file, uint32_t colorKey);

class ScreenRig : public headless::HeadlessGame
{
public:
    // settingsXml: the content of Resource/settings.xml before the game starts; empty: no file.
    explicit ScreenRig(const std::string& settingsXml = "");

    std::string SettingsText() const { return ReadFile(SettingsPath()); }
};
} // namespace test
