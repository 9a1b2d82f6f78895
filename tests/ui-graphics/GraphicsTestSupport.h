// Shared by the graphics tests: GDI+ start-up for the whole program, a
// canvas to draw into and read back, and encoders for test pictures.
#pragma once

#include "ui/core/ByteBuffer.h"
#include "ui/core/Handles.h"
#include "ui/core/RectF.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GfxTest {

// A width x height 32bpp ARGB bitmap, cleared to fill, with a graphics on
// it in the library's default modes (no smoothing or interpolation set).
class Canvas {
public:
    Canvas(int width, int height, Gdiplus::ARGB fill = 0);
    // A canvas holding a 1:1 copy of image, to read many of its pixels.
    static Canvas CopyOf(Gdiplus::GpImage* image);
    Gdiplus::GpGraphics* Graphics() const { return m_graphics.get(); }
    Gdiplus::GpBitmap* Bitmap() const;
    // Ends drawing so that pixel reads see everything drawn so far.
    void Flush() const;
    Gdiplus::ARGB Pixel(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    GpImagePtr m_bitmap;
    GpGraphicsPtr m_graphics;
};

// The pixel at (x, y) of any image, read through a 32bpp ARGB copy.
Gdiplus::ARGB PixelOf(Gdiplus::GpImage* image, int x, int y);

// A width x height bitmap of the given format, pixel (x, y) = colour(x, y).
GpImagePtr MakeBitmap(int width, int height, Gdiplus::PixelFormat format,
                      Gdiplus::ARGB (*colour)(int x, int y));

// The image encoded by GDI+'s encoder for mimeType ("image/png", "image/bmp").
ByteBuffer Encode(Gdiplus::GpImage* image, const wchar_t* mimeType);

// A GIF89a with one frame per entry of frames; every frame is width x height
// palette indices into palette (RGB triples, 4 colours).
ByteBuffer MakeGif(int width, int height, const std::vector<std::uint8_t>& palette,
                   const std::vector<std::vector<std::uint8_t>>& frames);

// Channel helpers.
inline int AlphaOf(Gdiplus::ARGB c) { return static_cast<int>((c >> 24) & 0xFF); }
inline int RedOf(Gdiplus::ARGB c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int GreenOf(Gdiplus::ARGB c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(Gdiplus::ARGB c) { return static_cast<int>(c & 0xFF); }

std::string Hex(Gdiplus::ARGB c);

inline RectF Rect(float left, float top, float width, float height)
{
    RectF r;
    r.left = left;
    r.top = top;
    r.width = width;
    r.height = height;
    return r;
}

} // namespace GfxTest
