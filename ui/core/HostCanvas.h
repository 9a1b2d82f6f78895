// An off-screen surface of a window host: a memory DC with a 32-bit
// bottom-up DIB section selected (BI_RGB, compatible with the screen) and,
// when asked for, a GDI+ graphics drawing into the same pixels as
// premultiplied ARGB (what UpdateLayeredWindow with AC_SRC_ALPHA expects),
// with anti-aliased shapes and text.
//
// GDI (BitBlt, GdiAlphaBlend) and GDI+ work on the same memory; GdiFlush is
// called before GDI+ reads what GDI wrote. Everything is released in reverse
// order of creation when the canvas is freed or goes.
#pragma once

#include "ui/core/Handles.h"

#include <cstdint>

class HostCanvas {
public:
    HostCanvas() = default;
    ~HostCanvas() { Free(); }
    HostCanvas(const HostCanvas&) = delete;
    HostCanvas& operator=(const HostCanvas&) = delete;

    // Frees any previous surface, then makes one of width x height. False when
    // the DC or the DIB could not be made (the canvas then stays empty); a
    // failed graphics only leaves Graphics() null.
    bool Create(HDC reference, int width, int height, bool withGraphics);
    void Free();

    HDC Dc() const { return m_dc.get(); }
    HBITMAP Dib() const { return m_dib.get(); }
    Gdiplus::GpGraphics* Graphics() const { return m_graphics.get(); }
    // A GDI+ bitmap over the pixels (premultiplied ARGB); null without graphics.
    Gdiplus::GpBitmap* Bitmap() const { return static_cast<Gdiplus::GpBitmap*>(m_bitmap.get()); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    explicit operator bool() const { return m_dc.valid() && m_dib.valid(); }

    // The premultiplied BGRA value at (x, y), y counted from the top; 0
    // outside the surface.
    std::uint32_t Pixel(int x, int y) const;

    // The shared scratch surface of transitions, at least width x height;
    // grown (never shrunk) when a larger host asks. Lives until the process
    // ends.
    static HostCanvas& EnsureScratch(int width, int height);

private:
    UniqueMemoryDc m_dc;
    UniqueBitmap m_dib;
    HGDIOBJ m_oldBitmap = nullptr;
    GpImagePtr m_bitmap;
    GpGraphicsPtr m_graphics;
    std::uint8_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
