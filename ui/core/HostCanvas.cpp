#include "ui/core/HostCanvas.h"

using namespace Gdiplus::DllExports;

bool HostCanvas::Create(HDC reference, int width, int height, bool withGraphics)
{
    Free();
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    m_dc.reset(::CreateCompatibleDC(reference));
    if (!m_dc)
        return false;
    void* bits = nullptr;
    m_dib.reset(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_dib || !bits) {
        Free();
        return false;
    }
    m_bits = static_cast<std::uint8_t*>(bits);
    m_oldBitmap = ::SelectObject(m_dc.get(), m_dib.get());
    m_width = width;
    m_height = height;
    if (!withGraphics)
        return true;
    // Bottom-up rows: the first scan line of the picture is the last in memory.
    const INT stride = width * 4;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, -stride, PixelFormat32bppPARGB,
                                  m_bits + static_cast<std::size_t>(height - 1) * stride, &bitmap)
            == Gdiplus::Ok
        && bitmap) {
        m_bitmap.reset(bitmap);
        if (GdipGetImageGraphicsContext(bitmap, m_graphics.put()) == Gdiplus::Ok) {
            GdipSetSmoothingMode(m_graphics.get(), Gdiplus::SmoothingModeAntiAlias);
            GdipSetTextRenderingHint(m_graphics.get(), Gdiplus::TextRenderingHintAntiAliasGridFit);
        }
    }
    return true;
}

void HostCanvas::Free()
{
    m_graphics.reset();
    m_bitmap.reset();
    if (m_dc && m_oldBitmap)
        ::SelectObject(m_dc.get(), m_oldBitmap);
    m_oldBitmap = nullptr;
    m_dib.reset();
    m_dc.reset();
    m_bits = nullptr;
    m_width = 0;
    m_height = 0;
}

std::uint32_t HostCanvas::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    ::GdiFlush();
    const std::uint8_t* p = m_bits + (static_cast<std::size_t>(m_height - 1 - y) * m_width + x) * 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
           | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

HostCanvas& HostCanvas::EnsureScratch(int width, int height)
{
    static HostCanvas scratch;
    if (scratch && scratch.Width() >= width && scratch.Height() >= height)
        return scratch;
    const int w = scratch.Width() > width ? scratch.Width() : width;
    const int h = scratch.Height() > height ? scratch.Height() : height;
    scratch.Create(nullptr, w, h, true);
    return scratch;
}
