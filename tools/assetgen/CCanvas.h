// A Cairo image surface with its drawing context, and the writers that turn it into the game's files.
// Colour keys: the game's loader turns pixels of exactly the key colour (opaque white or opaque black)
// transparent; a picture saved for a key carries that colour wherever it is fully transparent, and no
// visible pixel is allowed to equal it by accident.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace assetgen
{
enum class eColorKey
{
    None,  // real alpha only
    White, // 0xFFFFFFFF is transparent
    Black  // 0xFF000000 is transparent
};

class CCanvas
{
public:
    // A fully transparent picture.
    CCanvas(int width, int height);
    ~CCanvas();
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    cairo_t* Cr() const { return m_cr; }
    cairo_surface_t* Surface() const { return m_surface; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Premultiplied ARGB words as Cairo keeps them; Flush before reading, MarkDirty after writing.
    uint32_t* Row(int y);
    const uint32_t* Row(int y) const;
    void Flush() const;
    void MarkDirty();

    // Straight (un-premultiplied) ARGB of one pixel.
    uint32_t StraightPixel(int x, int y) const;

    // Draws another canvas with its top-left corner at (x, y).
    void Paint(const CCanvas& source, double x, double y, double alpha = 1.0);

    // PNG with alpha, prepared for the given key (see the file comment). Returns false on a write error.
    bool SavePng(const std::string& path, eColorKey key) const;
    // 24-bit BMP: pixels less than half covered become the key colour, the rest are drawn opaque.
    bool SaveBmp(const std::string& path, eColorKey key) const;

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};
} // namespace assetgen
