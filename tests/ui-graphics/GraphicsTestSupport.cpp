#include "GraphicsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace GfxTest {

namespace {

// GDI+ for the whole test program, as StartLibrary starts it for the product.
class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&m_token, &input, nullptr), Ok);
    }
    void TearDown() override { GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const testing::Environment* const g_gdiplus = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

} // namespace

Canvas::Canvas(int width, int height, ARGB fill) : m_width(width), m_height(height)
{
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) == Ok)
        m_bitmap.reset(bitmap);
    if (m_bitmap && GdipGetImageGraphicsContext(m_bitmap.get(), m_graphics.put()) == Ok)
        GdipGraphicsClear(m_graphics.get(), fill);
}

GpBitmap* Canvas::Bitmap() const
{
    return static_cast<GpBitmap*>(m_bitmap.get());
}

void Canvas::Flush() const
{
    if (m_graphics)
        GdipFlush(m_graphics.get(), FlushIntentionSync);
}

ARGB Canvas::Pixel(int x, int y) const
{
    Flush();
    ARGB colour = 0xDEADBEEF;
    GdipBitmapGetPixel(Bitmap(), x, y, &colour);
    return colour;
}

Canvas Canvas::CopyOf(GpImage* image)
{
    UINT width = 0, height = 0;
    GdipGetImageWidth(image, &width);
    GdipGetImageHeight(image, &height);
    Canvas copy(static_cast<int>(width), static_cast<int>(height));
    GdipSetCompositingMode(copy.Graphics(), CompositingModeSourceCopy);
    GdipDrawImageRectRectI(copy.Graphics(), image, 0, 0, static_cast<INT>(width), static_cast<INT>(height), 0, 0,
                           static_cast<INT>(width), static_cast<INT>(height), UnitPixel, nullptr, nullptr, nullptr);
    copy.Flush();
    return copy;
}

ARGB PixelOf(GpImage* image, int x, int y)
{
    return Canvas::CopyOf(image).Pixel(x, y);
}

GpImagePtr MakeBitmap(int width, int height, PixelFormat format, ARGB (*colour)(int x, int y))
{
    GpImagePtr result;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap) != Ok)
        return result;
    result.reset(bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            GdipBitmapSetPixel(bitmap, x, y, colour(x, y));
    return result;
}

ByteBuffer Encode(GpImage* image, const wchar_t* mimeType)
{
    UINT count = 0, size = 0;
    GdipGetImageEncodersSize(&count, &size);
    std::unique_ptr<std::uint8_t[]> storage(new std::uint8_t[size]);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(storage.get());
    GdipGetImageEncoders(count, size, codecs);
    const CLSID* clsid = nullptr;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == mimeType)
            clsid = &codecs[i].Clsid;
    if (!clsid)
        return {};

    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())))
        return {};
    if (GdipSaveImageToStream(image, stream.get(), clsid, nullptr) != Ok)
        return {};
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream.get(), &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    ByteBuffer result(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
    return result;
}

ByteBuffer MakeGif(int width, int height, const std::vector<std::uint8_t>& palette,
                   const std::vector<std::vector<std::uint8_t>>& frames)
{
    ByteBuffer gif = {'G', 'I', 'F', '8', '9', 'a'};
    auto put16 = [&gif](int value) {
        gif.push_back(static_cast<std::uint8_t>(value & 0xFF));
        gif.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    };
    put16(width);
    put16(height);
    gif.push_back(0xF1); // global colour table of 4 entries, 8-bit colour resolution
    gif.push_back(0);
    gif.push_back(0);
    for (int i = 0; i < 12; ++i)
        gif.push_back(i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0);
    // Loop forever (NETSCAPE2.0), so the decoder treats it as an animation.
    const std::uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    gif.insert(gif.end(), loop, loop + sizeof loop);
    for (const auto& frame : frames) {
        const std::uint8_t control[] = {0x21, 0xF9, 4, 0x04, 10, 0, 0, 0}; // 100 ms, keep frame
        gif.insert(gif.end(), control, control + sizeof control);
        gif.push_back(0x2C);
        put16(0);
        put16(0);
        put16(width);
        put16(height);
        gif.push_back(0);
        // LZW with minimum code size 2: a clear code (4) before every pixel
        // keeps all codes 3 bits wide; 5 ends the data.
        std::vector<int> codes;
        for (std::uint8_t index : frame) {
            codes.push_back(4);
            codes.push_back(index);
        }
        codes.push_back(5);
        ByteBuffer packed;
        unsigned bits = 0, count = 0;
        for (int code : codes) {
            bits |= static_cast<unsigned>(code) << count;
            count += 3;
            while (count >= 8) {
                packed.push_back(static_cast<std::uint8_t>(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        }
        if (count)
            packed.push_back(static_cast<std::uint8_t>(bits & 0xFF));
        gif.push_back(2);
        for (std::size_t at = 0; at < packed.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, packed.size() - at);
            gif.push_back(static_cast<std::uint8_t>(n));
            gif.insert(gif.end(), packed.begin() + static_cast<std::ptrdiff_t>(at),
                       packed.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        gif.push_back(0);
    }
    gif.push_back(0x3B);
    return gif;
}

std::string Hex(ARGB c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(c));
    return text;
}

} // namespace GfxTest
