// assetgen: draws every picture and synthesises every sound the game loads, into <folder>/Graphics and
// <folder>/Sound; with --icons, the application icon as a hicolor tree instead. The output depends on
// nothing but this program and the DejaVu font files, so two runs write identical bytes.
#include "Artwork.h"
#include "IconArt.h"
#include "Output.h"
#include "Text.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace
{
bool MakeFolders(const assetgen::tOutput& out)
{
    std::error_code error;
    std::filesystem::create_directories(out.root + "/Graphics", error);
    if (!error)
        std::filesystem::create_directories(out.root + "/Sound", error);
    if (error)
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", out.root.c_str(), error.message().c_str());
    return !error;
}

bool IsSound(const assetgen::tArtwork& artwork)
{
    return std::string(artwork.name).rfind("Sound/", 0) == 0;
}

// Writes the sounds (or the pictures) of the list in order; returns false when any failed.
bool RunGroup(const assetgen::tOutput& out, bool verbose, bool sounds)
{
    bool ok = true;
    for (const assetgen::tArtwork& artwork : assetgen::AllArtwork())
    {
        if (IsSound(artwork) != sounds)
            continue;
        const auto start = std::chrono::steady_clock::now();
        const bool written = artwork.write(out);
        if (verbose)
        {
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("  %-36s %6.3f s\n", artwork.name, seconds);
        }
        if (!written)
        {
            std::fprintf(stderr, "assetgen: failed to write %s\n", artwork.name);
            ok = false;
        }
    }
    return ok;
}

// Sound and pictures share nothing (the synthesiser never touches Cairo or the fonts), so they are made
// side by side; every file is still written by exactly one deterministic routine.
bool RunAll(const assetgen::tOutput& out, bool verbose)
{
    bool soundsOk = false;
    std::thread sounds([&] { soundsOk = RunGroup(out, verbose, true); });
    const bool picturesOk = RunGroup(out, verbose, false);
    sounds.join();
    return soundsOk && picturesOk;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--icons")
        return assetgen::WriteIcons(argv[3], argv[2]) ? 0 : 1;
    const bool verbose = argc == 3 && std::string(argv[1]) == "-v";
    if (argc != 2 && !verbose)
    {
        std::fprintf(stderr,
                     "usage: %s [-v] <Resource folder> (-v: time each file)\n"
                     "       %s --icons <icon name> <icons folder>\n",
                     argv[0], argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const assetgen::tOutput out{argv[argc - 1]};
    if (!assetgen::FontsAvailable() || !MakeFolders(out))
        return 1;
    const bool ok = RunAll(out, verbose);
    assetgen::ReleaseTypefaces();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %zu files in %s (%.2f s)\n", assetgen::AllArtwork().size(), out.root.c_str(),
                seconds);
    return ok ? 0 : 1;
}
