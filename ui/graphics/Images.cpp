#include "ui/graphics/Images.h"

#include <cstring>
#include <cstdlib>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// A copy of src in 32bpp ARGB, drawn at (0, 0) at its natural size. Icons
// (highQuality) are drawn with GdipDrawImage under high-quality bilinear
// interpolation, decoded files into the explicit rectangle with the
// graphics' defaults; at 1:1 both give the source pixels.
GpImagePtr CopyToArgb(GpImage* src, UINT width, UINT height, bool highQuality)
{
    GpImagePtr result;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, PixelFormat32bppARGB,
                                  nullptr, &bitmap) != Ok)
        return result;
    result.reset(bitmap);

    GpGraphicsPtr graphics;
    if (GdipGetImageGraphicsContext(result.get(), graphics.put()) != Ok)
        return result;
    if (highQuality) {
        GdipSetInterpolationMode(graphics.get(), InterpolationModeHighQualityBilinear);
        GdipDrawImage(graphics.get(), src, 0.0f, 0.0f);
    } else {
        GdipDrawImageRect(graphics.get(), src, 0.0f, 0.0f, static_cast<REAL>(width), static_cast<REAL>(height));
    }
    return result;
}

bool ReadDibSection(HBITMAP bitmap, DIBSECTION& section)
{
    std::memset(&section, 0, sizeof section);
    return bitmap && ::GetObjectW(bitmap, sizeof section, &section) == static_cast<int>(sizeof section);
}

} // namespace

GpImagePtr LoadImageFromBytes(const std::uint8_t* data, std::size_t size, bool addSignature, ImageSource* source)
{
    if (!data || size == 0)
        return {};
    const std::size_t prefix = addSignature ? sizeof kPngSignature : 0;
    if (size > static_cast<std::size_t>(-1) - prefix)
        return {};

    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + prefix));
    if (!memory)
        return {};
    auto* block = static_cast<std::uint8_t*>(::GlobalLock(memory.get()));
    if (!block)
        return {};
    if (prefix)
        std::memcpy(block, kPngSignature, prefix);
    std::memcpy(block + prefix, data, size);
    ::GlobalUnlock(memory.get());

    // The stream must not free the block: the block is ours (or the source's)
    // and goes after the stream.
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), FALSE, stream.put())))
        return {};

    GpImagePtr decoded;
    if (GdipLoadImageFromStream(stream.get(), decoded.put()) != Ok)
        return {};

    if (source) {
        source->Adopt(std::move(memory), std::move(stream));
        return decoded;
    }
    const UINT width = ImageWidth(decoded.get());
    const UINT height = ImageHeight(decoded.get());
    GpImagePtr copy = CopyToArgb(decoded.get(), width, height, false);
    // Image, then stream, then block: the decoder may still read the stream.
    decoded.reset();
    stream.reset();
    return copy;
}

GpImagePtr LoadImageFromBytes(const ByteBuffer& data, bool addSignature, ImageSource* source)
{
    return LoadImageFromBytes(data.data(), data.size(), addSignature, source);
}

void ReleaseImage(GpImagePtr& image, ImageSource& source) noexcept
{
    image.reset();
    source.Release();
}

void ReleaseImage(GpImagePtr& image) noexcept
{
    image.reset();
}

unsigned ImageWidth(GpImage* image) noexcept
{
    UINT width = 0;
    if (!image || GdipGetImageWidth(image, &width) != Ok)
        return 0;
    return width;
}

unsigned ImageHeight(GpImage* image) noexcept
{
    UINT height = 0;
    if (!image || GdipGetImageHeight(image, &height) != Ok)
        return 0;
    return height;
}

HBITMAP BitmapToDib(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) != static_cast<int>(sizeof info))
        return nullptr;
    if (info.bmBits)
        return bitmap;

    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = info.bmBitsPixel < 24 ? 24 : info.bmBitsPixel;
    header.bmiHeader.biCompression = BI_RGB;

    WindowDc screen(nullptr);
    void* bits = nullptr;
    UniqueBitmap dib(::CreateDIBSection(screen.get(), &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dib && bits)
        ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(std::abs(info.bmHeight)), bits, &header,
                    DIB_RGB_COLORS);
    return dib.release();
}

bool DibHasAlpha(HBITMAP bitmap)
{
    DIBSECTION section;
    if (!ReadDibSection(bitmap, section) || section.dsBmih.biBitCount != 32 || !section.dsBm.bmBits)
        return false;
    const auto* rows = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    const long width = section.dsBm.bmWidth;
    const long height = std::labs(section.dsBm.bmHeight);
    const std::size_t stride = static_cast<std::size_t>(section.dsBm.bmWidthBytes);
    for (long y = 0; y < height; ++y) {
        const std::uint8_t* row = rows + static_cast<std::size_t>(y) * stride;
        for (long x = 0; x < width; ++x)
            if (row[static_cast<std::size_t>(x) * 4 + 3] != 0)
                return true;
    }
    return false;
}

GpImagePtr IconToImage(HICON icon)
{
    ICONINFO parts{};
    if (!icon || !::GetIconInfo(icon, &parts))
        return {};
    // The icon's bitmaps are copies that we own. They are deleted only after
    // the drawing below: the source bitmap may read the colour bitmap's own
    // pixels when that already is a DIB section.
    UniqueBitmap colour(parts.hbmColor);
    UniqueBitmap mask(parts.hbmMask);

    UniqueBitmap madeDib;
    HBITMAP dib = colour ? BitmapToDib(colour.get()) : nullptr;
    if (dib && dib != colour.get())
        madeDib.reset(dib);

    GpImagePtr source;
    DIBSECTION section;
    if (ReadDibSection(dib, section) && DibHasAlpha(dib)) {
        const INT width = section.dsBm.bmWidth;
        const INT height = std::abs(section.dsBm.bmHeight);
        auto* scan0 = static_cast<BYTE*>(section.dsBm.bmBits);
        GpBitmap* bitmap = nullptr;
        if (GdipCreateBitmapFromScan0(width, height, section.dsBm.bmWidthBytes, PixelFormat32bppARGB, scan0,
                                      &bitmap) == Ok)
            source.reset(bitmap);
    } else {
        GpBitmap* bitmap = nullptr;
        if (GdipCreateBitmapFromHICON(icon, &bitmap) == Ok)
            source.reset(bitmap);
    }
    if (!source)
        return {};
    return CopyToArgb(source.get(), ImageWidth(source.get()), ImageHeight(source.get()), true);
}
