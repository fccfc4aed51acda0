// Image decoding never hangs, never crashes and never allocates for pictures the file cannot hold:
// cut-off PNGs and BMPs at every length, headers that claim huge pictures, and files that are not
// regular files.
#include "CVKT_ImageFile.h"

#include "Files.h"
#include "ScopedTempDir.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{
// A small valid picture in both formats, made with SDL itself.
std::string EncodedPicture(bool bmp)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 7, 5, 32, SDL_PIXELFORMAT_ARGB8888);
    auto* pixels = static_cast<uint32_t*>(surface->pixels);
    for (int i = 0; i < 7 * 5; ++i)
        pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x050301);
    headless::ScopedTempDir dir;
    const std::string path = dir / "picture";
    if (bmp)
        SDL_SaveBMP(surface, path.c_str());
    else
        IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return headless::ReadFile(path);
}

SDL_Surface* Decode(const std::string& bytes)
{
    return CVKT_ImageFile::DecodeARGB(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void PutBigEndian32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}
} // namespace

TEST(ImageFileTest, WholeFilesDecodeToArgb)
{
    for (bool bmp : {false, true})
    {
        SDL_Surface* surface = Decode(EncodedPicture(bmp));
        ASSERT_NE(surface, nullptr) << (bmp ? "BMP" : "PNG");
        EXPECT_EQ(surface->w, 7);
        EXPECT_EQ(surface->h, 5);
        EXPECT_EQ(surface->format->format, SDL_PIXELFORMAT_ARGB8888);
        EXPECT_EQ(static_cast<uint32_t*>(surface->pixels)[1], 0xFF050301u);
        SDL_FreeSurface(surface);
    }
}

TEST(ImageFileTest, APngCutAtAnyLengthIsRefusedWithoutHanging)
{
    const std::string png = EncodedPicture(false);
    for (size_t length = 0; length < png.size(); ++length)
    {
        SDL_Surface* surface = Decode(png.substr(0, length));
        EXPECT_EQ(surface, nullptr) << length;
        SDL_FreeSurface(surface);
    }
}

TEST(ImageFileTest, ABmpCutAtAnyLengthNeverCrashes)
{
    const std::string bmp = EncodedPicture(true);
    for (size_t length = 0; length < bmp.size(); ++length)
    {
        // SDL's BMP reader checks its reads: a cut file fails, or (cut only in the last row's
        // padding) still gives the whole picture, never anything of another size.
        SDL_Surface* surface = Decode(bmp.substr(0, length));
        if (surface)
        {
            EXPECT_EQ(surface->w, 7) << length;
            EXPECT_EQ(surface->h, 5) << length;
        }
        SDL_FreeSurface(surface);
    }
}

TEST(ImageFileTest, HeadersClaimingHugePicturesAreRefused)
{
    std::string png = EncodedPicture(false);
    PutBigEndian32(png, 16, 100000); // IHDR width
    EXPECT_FALSE(CVKT_ImageFile::IsSafePng(reinterpret_cast<const uint8_t*>(png.data()), png.size()));
    EXPECT_EQ(Decode(png), nullptr);

    std::string bmp = EncodedPicture(true);
    bmp[22] = bmp[23] = bmp[24] = static_cast<char>(0x7F); // height
    EXPECT_FALSE(CVKT_ImageFile::IsSafeBmp(reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size()));
    EXPECT_EQ(Decode(bmp), nullptr);

    // Both sides allowed, but together 84 MB of pixels: the fuzzer's find, kept as a seed.
    const std::string wide =
        headless::ReadFile(headless::SourceDir() + "/tests/fuzz/corpus/image_file/huge-bmp.bin");
    ASSERT_GE(wide.size(), 26u);
    EXPECT_FALSE(CVKT_ImageFile::IsSafeBmp(reinterpret_cast<const uint8_t*>(wide.data()), wide.size()));
    EXPECT_EQ(Decode(wide), nullptr);
}

TEST(ImageFileTest, AChunkLengthBeyondTheFileIsRefused)
{
    std::string png = EncodedPicture(false);
    PutBigEndian32(png, 33, 0x7FFFFFF0u); // the chunk after IHDR
    EXPECT_FALSE(CVKT_ImageFile::IsSafePng(reinterpret_cast<const uint8_t*>(png.data()), png.size()));
}

TEST(ImageFileTest, OnlyPngAndBmpAreDecoded)
{
    const std::string text = "plain text";
    EXPECT_TRUE(CVKT_ImageFile::IsSafePng(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_TRUE(CVKT_ImageFile::IsSafeBmp(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_EQ(Decode(text), nullptr);
    EXPECT_EQ(Decode(""), nullptr);
    // Formats SDL_image could read but the game never uses are not offered to their decoders (a
    // damaged SVG leaked memory in one of them).
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\">"
                            "<rect width=\"4\" height=\"4\" fill=\"red\"/></svg>";
    EXPECT_EQ(Decode(svg), nullptr);
    const std::string leaked =
        headless::ReadFile(headless::SourceDir() + "/tests/fuzz/corpus/image_file/svg-leak.bin");
    ASSERT_FALSE(leaked.empty());
    EXPECT_EQ(Decode(leaked), nullptr);
}

TEST(ImageFileTest, OnlyRegularFilesAreRead)
{
    headless::ScopedTempDir dir;
    const std::string fifo = dir / "pipe.png";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CVKT_ImageFile::LoadARGB(fifo.c_str()), nullptr) << "a FIFO is refused without waiting";
    headless::MakeDirs(dir / "folder.png");
    EXPECT_EQ(CVKT_ImageFile::LoadARGB((dir / "folder.png").c_str()), nullptr);
    EXPECT_EQ(CVKT_ImageFile::LoadARGB((dir / "missing.png").c_str()), nullptr);
    EXPECT_EQ(CVKT_ImageFile::LoadARGB(nullptr), nullptr);

    headless::WriteFile(dir / "Picture.PNG", EncodedPicture(false));
    SDL_Surface* surface = CVKT_ImageFile::LoadARGB((dir / "picture.png").c_str());
    EXPECT_NE(surface, nullptr) << "paths resolve in any letter case";
    SDL_FreeSurface(surface);
}
