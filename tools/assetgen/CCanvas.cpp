#include "CCanvas.h"

#include <cstdio>
#include <vector>

namespace assetgen
{
namespace
{
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

uint32_t KeyColor(eColorKey key)
{
    return key == eColorKey::White ? kOpaqueWhite : kOpaqueBlack;
}

// One step away from the key so the loader keeps the pixel.
uint32_t NudgedFromKey(eColorKey key)
{
    return key == eColorKey::White ? 0xFFFEFEFEu : 0xFF010101u;
}

uint32_t Unpremultiply(uint32_t pixel)
{
    const uint32_t a = pixel >> 24;
    if (a == 0)
        return 0;
    if (a == 255)
        return pixel;
    auto channel = [a](uint32_t value) { return (value * 255 + a / 2) / a; };
    const uint32_t r = channel((pixel >> 16) & 0xFF);
    const uint32_t g = channel((pixel >> 8) & 0xFF);
    const uint32_t b = channel(pixel & 0xFF);
    return (a << 24) | ((r > 255 ? 255 : r) << 16) | ((g > 255 ? 255 : g) << 8) | (b > 255 ? 255 : b);
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>((value >> (8 * i)) & 0xFF));
}
} // namespace

CCanvas::CCanvas(int width, int height)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)), m_cr(cairo_create(m_surface))
{
}

CCanvas::~CCanvas()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

uint32_t* CCanvas::Row(int y)
{
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(m_surface) +
                                       static_cast<size_t>(y) * cairo_image_surface_get_stride(m_surface));
}

const uint32_t* CCanvas::Row(int y) const
{
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(m_surface) +
                                             static_cast<size_t>(y) *
                                                 cairo_image_surface_get_stride(m_surface));
}

void CCanvas::Flush() const
{
    cairo_surface_flush(m_surface);
}

void CCanvas::MarkDirty()
{
    cairo_surface_mark_dirty(m_surface);
}

uint32_t CCanvas::StraightPixel(int x, int y) const
{
    Flush();
    return Unpremultiply(Row(y)[x]);
}

void CCanvas::Paint(const CCanvas& source, double x, double y, double alpha)
{
    cairo_save(m_cr);
    cairo_set_source_surface(m_cr, source.m_surface, x, y);
    cairo_paint_with_alpha(m_cr, alpha);
    cairo_restore(m_cr);
}

bool CCanvas::SavePng(const std::string& path, eColorKey key) const
{
    Flush();
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height);
    cairo_surface_flush(copy);
    unsigned char* data = cairo_image_surface_get_data(copy);
    const int stride = cairo_image_surface_get_stride(copy);
    for (int y = 0; y < m_height; ++y)
    {
        const uint32_t* in = Row(y);
        auto* out = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < m_width; ++x)
        {
            uint32_t pixel = in[x];
            if (key != eColorKey::None)
            {
                if ((pixel >> 24) == 0)
                    pixel = KeyColor(key);
                else if (pixel == KeyColor(key))
                    pixel = NudgedFromKey(key);
            }
            // Transparent pixels are stored as transparent black so equal pictures give equal files.
            out[x] = (pixel >> 24) == 0 ? 0u : pixel;
        }
    }
    cairo_surface_mark_dirty(copy);
    const cairo_status_t status = cairo_surface_write_to_png(copy, path.c_str());
    cairo_surface_destroy(copy);
    return status == CAIRO_STATUS_SUCCESS;
}

bool CCanvas::SaveBmp(const std::string& path, eColorKey key) const
{
    Flush();
    const int rowBytes = (m_width * 3 + 3) & ~3;
    const uint32_t imageBytes = static_cast<uint32_t>(rowBytes * m_height);
    std::vector<uint8_t> file;
    file.reserve(54 + imageBytes);
    file.push_back('B');
    file.push_back('M');
    PutLittleEndian(file, 54 + imageBytes, 4); // file size
    PutLittleEndian(file, 0, 4);               // reserved
    PutLittleEndian(file, 54, 4);              // offset of the pixels
    PutLittleEndian(file, 40, 4);              // BITMAPINFOHEADER
    PutLittleEndian(file, static_cast<uint32_t>(m_width), 4);
    PutLittleEndian(file, static_cast<uint32_t>(m_height), 4); // positive: rows stored bottom-up
    PutLittleEndian(file, 1, 2);                               // planes
    PutLittleEndian(file, 24, 2);                              // bits per pixel
    PutLittleEndian(file, 0, 4);                               // BI_RGB
    PutLittleEndian(file, imageBytes, 4);
    PutLittleEndian(file, 2835, 4); // 72 dpi
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 0, 4);
    for (int y = m_height - 1; y >= 0; --y)
    {
        const uint32_t* in = Row(y);
        for (int x = 0; x < m_width; ++x)
        {
            const uint32_t straight = Unpremultiply(in[x]);
            uint32_t pixel = straight | 0xFF000000u;
            if ((straight >> 24) < 128)
                pixel = key == eColorKey::None ? 0xFF000000u : KeyColor(key);
            else if (key != eColorKey::None && pixel == KeyColor(key))
                pixel = NudgedFromKey(key);
            file.push_back(static_cast<uint8_t>(pixel & 0xFF));
            file.push_back(static_cast<uint8_t>((pixel >> 8) & 0xFF));
            file.push_back(static_cast<uint8_t>((pixel >> 16) & 0xFF));
        }
        for (int pad = m_width * 3; pad < rowBytes; ++pad)
            file.push_back(0);
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
} // namespace assetgen
