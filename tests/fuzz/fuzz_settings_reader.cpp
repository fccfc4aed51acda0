// Fuzzes the settings reader with arbitrary file contents. Besides crashes and sanitizer reports it
// checks three promises: a file that cannot be read leaves exactly the defaults, the controls read
// give every action a key and button of its own that can be chosen, and whatever was read survives
// being written and read again (names of only white space come back empty, negative points as 0,
// controls that fell back as their defaults, without falling back again).
#include "CControls.h"
#include "CSettingsFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
bool IsBlank(const char* szName)
{
    for (const char* p = szName; *p; ++p)
    {
        const char c = *p;
        if (c != ' ' && (c < 9 || c > 13))
            return false;
    }
    return true;
}

void Fail(const char* szWhat)
{
    std::fprintf(stderr, "fuzz_settings_reader: %s\n", szWhat);
    std::abort();
}

// Field by field: the padding between them holds nothing.
void ExpectSame(const tGameSettings& a, const tGameSettings& b)
{
    bool bSame = a.fMusicVolume == b.fMusicVolume && a.fFXVolume == b.fFXVolume && a.display == b.display &&
                 a.controls == b.controls && a.controls.ucFellBack == b.controls.ucFellBack;
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
        bSame =
            bSame && a.highScores[i].nPoints == b.highScores[i].nPoints &&
            std::memcmp(a.highScores[i].szName, b.highScores[i].szName, sizeof a.highScores[i].szName) == 0;
    if (!bSame)
        Fail("a failed read left something other than the defaults");
}

void ExpectRoundTrip(const tGameSettings& read)
{
    tGameSettings again;
    if (!CSettingsFile::Parse(CSettingsFile::Serialize(read), again))
        Fail("what was read could not be read back after writing");
    if (again.fMusicVolume != read.fMusicVolume || again.fFXVolume != read.fFXVolume)
        Fail("a volume changed on the way through the file");
    for (int i = 0; i < NUM_HIGH_SCORES; ++i)
    {
        const tHighScore& before = read.highScores[i];
        const tHighScore& after = again.highScores[i];
        if (after.nPoints != (before.nPoints > 0 ? before.nPoints : 0))
            Fail("points changed on the way through the file");
        const char* szExpected = IsBlank(before.szName) ? "" : before.szName;
        if (std::strcmp(szExpected, after.szName) != 0)
            Fail("a name changed on the way through the file");
    }
    if (again.controls != read.controls || again.controls.ucFellBack != 0)
        Fail("the controls changed on the way through the file");
}

void ExpectUsableControls(const tControlSettings& controls)
{
    tControlSettings repaired = controls;
    repaired.ucFellBack = 0;
    CControls::Repair(repaired);
    if (repaired.ucFellBack != 0 || repaired != controls)
        Fail("controls that cannot be used, or that two actions share");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tGameSettings read;
    if (!CSettingsFile::Parse(bytes, read))
    {
        ExpectSame(CSettingsFile::Defaults(), read);
        return 0;
    }
    if (read.fMusicVolume < 0.0f || read.fMusicVolume > 100.0f || read.fFXVolume < 0.0f ||
        read.fFXVolume > 100.0f)
        Fail("a volume outside 0 to 100");
    if (read.highScores[0].szName[3] != '\0')
        Fail("an unterminated name");
    ExpectUsableControls(read.controls);
    ExpectRoundTrip(read);
    return 0;
}
