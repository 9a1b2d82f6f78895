// Images from memory and from icons, decoded by Wine's GDI+.
#include "GraphicsTestSupport.h"

#include "ui/graphics/EmbeddedPictures.h"
#include "ui/graphics/Images.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using namespace GfxTest;

namespace {

PixelFormat FormatOf(GpImage* image)
{
    PixelFormat format = 0;
    GdipGetImagePixelFormat(image, &format);
    return format;
}

UINT FrameCount(GpImage* image)
{
    UINT count = 0;
    GUID time = FrameDimensionTime;
    if (GdipImageGetFrameCount(image, &time, &count) != Ok) {
        GUID page = FrameDimensionPage;
        GdipImageGetFrameCount(image, &page, &count);
    }
    return count;
}

ARGB Gradient(int x, int y)
{
    return 0xFF000000u | static_cast<ARGB>(x * 20) << 16 | static_cast<ARGB>(y * 30) << 8 | 0x40u;
}

ByteBuffer WithoutSignature(const ByteBuffer& png)
{
    return ByteBuffer(png.begin() + 8, png.end());
}

} // namespace

TEST(LoadImageFromBytes, EmptyDataYieldsNothing)
{
    ImageSource source;
    EXPECT_FALSE(LoadImageFromBytes(ByteBuffer{}));
    EXPECT_FALSE(LoadImageFromBytes(ByteBuffer{}, true));
    EXPECT_FALSE(LoadImageFromBytes(ByteBuffer{}, false, &source));
    EXPECT_TRUE(source.Empty());
}

TEST(LoadImageFromBytes, UndecodableBytesYieldNothingAndLeaveNoSource)
{
    const ByteBuffer garbage = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (bool signature : {false, true}) {
        ImageSource source;
        EXPECT_FALSE(LoadImageFromBytes(garbage, signature));
        EXPECT_FALSE(LoadImageFromBytes(garbage, signature, &source));
        EXPECT_TRUE(source.Empty());
    }
}

// Address space of this process in use.
std::uint64_t VirtualInUse()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    return status.ullTotalVirtual - status.ullAvailVirtual;
}

TEST(LoadImageFromBytes, FailedDecodingFreesTheBlockAndTheStream)
{
    // 4 MiB of bytes no decoder takes, 100 times: a block kept by any failure
    // path would add 400 MiB.
    const ByteBuffer garbage(4u << 20, 0x5A);
    ImageSource source;
    LoadImageFromBytes(garbage, true);
    const std::uint64_t before = VirtualInUse();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_FALSE(LoadImageFromBytes(garbage, false));
        EXPECT_FALSE(LoadImageFromBytes(garbage, true, &source));
    }
    EXPECT_TRUE(source.Empty());
    EXPECT_LT(VirtualInUse(), before + (64u << 20));
}

TEST(LoadImageFromBytes, PngWithoutSignatureDecodesOnlyWithTheFlag)
{
    GpImagePtr original = MakeBitmap(6, 5, PixelFormat32bppARGB, Gradient);
    const ByteBuffer png = Encode(original.get(), L"image/png");
    ASSERT_GT(png.size(), 8u);
    ASSERT_EQ(std::memcmp(png.data(), kPngSignature, 8), 0);
    const ByteBuffer bare = WithoutSignature(png);

    EXPECT_FALSE(LoadImageFromBytes(bare, false));
    GpImagePtr decoded = LoadImageFromBytes(bare, true);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(ImageWidth(decoded.get()), 6u);
    EXPECT_EQ(ImageHeight(decoded.get()), 5u);
    EXPECT_EQ(PixelOf(decoded.get(), 4, 3), Gradient(4, 3));

    // A complete file decodes as it is; a signature written twice does not.
    EXPECT_TRUE(LoadImageFromBytes(png, false));
    EXPECT_FALSE(LoadImageFromBytes(png, true));
}

TEST(LoadImageFromBytes, CopiesAreArgbWhateverTheSource)
{
    struct Case {
        const char* name;
        ByteBuffer bytes;
        int width, height;
    };
    GpImagePtr rgb24 = MakeBitmap(7, 3, PixelFormat24bppRGB, Gradient);
    const std::vector<std::uint8_t> palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const Case cases[] = {
        {"24-bit BMP", Encode(rgb24.get(), L"image/bmp"), 7, 3},
        {"24-bit PNG", Encode(rgb24.get(), L"image/png"), 7, 3},
        {"paletted GIF", MakeGif(3, 2, palette, {{0, 1, 2, 3, 2, 1}}), 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty());
        GpImagePtr image = LoadImageFromBytes(c.bytes);
        ASSERT_TRUE(image);
        EXPECT_EQ(FormatOf(image.get()), static_cast<PixelFormat>(PixelFormat32bppARGB));
        EXPECT_EQ(ImageWidth(image.get()), static_cast<unsigned>(c.width));
        EXPECT_EQ(ImageHeight(image.get()), static_cast<unsigned>(c.height));
    }
    GpImagePtr bmp = LoadImageFromBytes(cases[0].bytes);
    EXPECT_EQ(PixelOf(bmp.get(), 6, 2), Gradient(6, 2));
    GpImagePtr gif = LoadImageFromBytes(cases[2].bytes);
    EXPECT_EQ(PixelOf(gif.get(), 0, 0), 0xFFFF0000u);
    EXPECT_EQ(PixelOf(gif.get(), 1, 0), 0xFF00FF00u);
    EXPECT_EQ(PixelOf(gif.get(), 2, 0), 0xFF0000FFu);
    EXPECT_EQ(PixelOf(gif.get(), 0, 1), 0xFFFFFFFFu);
}

TEST(LoadImageFromBytes, StreamBackedGifKeepsEveryFrameCopyOnlyTheFirst)
{
    const std::vector<std::uint8_t> palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    const ByteBuffer gif = MakeGif(2, 2, palette, {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}});

    ImageSource source;
    GpImagePtr animated = LoadImageFromBytes(gif, false, &source);
    ASSERT_TRUE(animated);
    EXPECT_FALSE(source.Empty());
    EXPECT_NE(source.Stream(), nullptr);
    EXPECT_NE(source.Memory(), nullptr);
    EXPECT_EQ(FrameCount(animated.get()), 3u);
    GUID time = FrameDimensionTime;
    ASSERT_EQ(GdipImageSelectActiveFrame(animated.get(), &time, 2), Ok);
    EXPECT_EQ(PixelOf(animated.get(), 1, 1), 0xFF0000FFu);

    GpImagePtr copied = LoadImageFromBytes(gif);
    ASSERT_TRUE(copied);
    EXPECT_LE(FrameCount(copied.get()), 1u);
    EXPECT_EQ(PixelOf(copied.get(), 1, 1), 0xFFFF0000u);

    ReleaseImage(animated, source);
    EXPECT_FALSE(animated);
    EXPECT_TRUE(source.Empty());
    // Everything already released: nothing happens.
    ReleaseImage(animated, source);
    EXPECT_TRUE(source.Empty());
    ReleaseImage(copied);
    ReleaseImage(copied);
    EXPECT_FALSE(copied);
}

TEST(LoadImageFromBytes, LoadingIntoAHeldSourceReleasesTheOldOne)
{
    GpImagePtr original = MakeBitmap(2, 2, PixelFormat32bppARGB, Gradient);
    const ByteBuffer png = Encode(original.get(), L"image/png");
    ImageSource source;
    GpImagePtr first = LoadImageFromBytes(png, false, &source);
    ASSERT_TRUE(first);
    first.reset();
    GpImagePtr second = LoadImageFromBytes(png, false, &source);
    ASSERT_TRUE(second);
    EXPECT_EQ(PixelOf(second.get(), 1, 1), Gradient(1, 1));
    ReleaseImage(second, source);
}

// The library's own strips: their sizes, how they are stored and where their
// slices lie.
TEST(EmbeddedPictures, DecodeToTheirSizesAsStored)
{
    struct Case {
        const char* name;
        const ByteBuffer& bytes;
        bool storedWithoutSignature;
        unsigned width, height;
    };
    const Case cases[] = {
        {"system-button glyphs", SysButtonGlyphsPng(), true, 729, 20},
        {"dialog button", DialogButtonSkinPng(), false, 55, 28},
        {"check box", CheckBoxStripPng(), true, 68, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::memcmp(c.bytes.data(), kPngSignature, 8) != 0, c.storedWithoutSignature);
        EXPECT_EQ(static_cast<bool>(LoadImageFromBytes(c.bytes, false)), !c.storedWithoutSignature);
        GpImagePtr image = LoadImageFromBytes(c.bytes, c.storedWithoutSignature);
        ASSERT_TRUE(image);
        EXPECT_EQ(ImageWidth(image.get()), c.width);
        EXPECT_EQ(ImageHeight(image.get()), c.height);
    }
}

TEST(EmbeddedPictures, CopiesKeepTheDecodedPixels)
{
    // Copied and stream-backed decodes agree on every pixel, compared
    // premultiplied: the anti-aliased edges are translucent.
    for (const ByteBuffer* bytes : {&SysButtonGlyphsPng(), &CheckBoxStripPng()}) {
        ImageSource source;
        GpImagePtr decoded = LoadImageFromBytes(*bytes, true, &source);
        GpImagePtr copied = LoadImageFromBytes(*bytes, true);
        ASSERT_TRUE(decoded);
        ASSERT_TRUE(copied);
        const Canvas a = Canvas::CopyOf(decoded.get());
        const Canvas b = Canvas::CopyOf(copied.get());
        int translucent = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) {
                const ARGB p = a.Pixel(x, y), q = b.Pixel(x, y);
                ASSERT_NEAR(AlphaOf(p), AlphaOf(q), 1) << x << "," << y;
                ASSERT_NEAR(RedOf(p) * AlphaOf(p) / 255, RedOf(q) * AlphaOf(q) / 255, 1) << x << "," << y;
                ASSERT_NEAR(BlueOf(p) * AlphaOf(p) / 255, BlueOf(q) * AlphaOf(q) / 255, 1) << x << "," << y;
                translucent += AlphaOf(p) > 0 && AlphaOf(p) < 255;
            }
        EXPECT_GT(translucent, 0);
        ReleaseImage(decoded, source);
    }
    EXPECT_EQ(ImageWidth(nullptr), 0u);
    EXPECT_EQ(ImageHeight(nullptr), 0u);
}

TEST(EmbeddedPictures, SysButtonSlicesSitWhereTheButtonsCutThem)
{
    GpImagePtr image = LoadImageFromBytes(SysButtonGlyphsPng(), true);
    ASSERT_TRUE(image);
    const Canvas strip = Canvas::CopyOf(image.get());
    // Left edges of normal, hot, pressed for each kind.
    std::vector<std::pair<int, int>> slices; // x, width
    for (int i = 0; i < 3; ++i)
        slices.push_back({40 * i, 39});
    for (int kind = 0; kind < 7; ++kind)
        for (int i = 0; i < 3; ++i)
            slices.push_back({120 + 87 * kind + 29 * i, 28});
    for (std::size_t n = 0; n < slices.size(); ++n) {
        const int x = slices[n].first, w = slices[n].second;
        const bool normal = n % 3 == 0;
        SCOPED_TRACE("slice at x " + std::to_string(x));
        // Rows 0 and 1 are above every slice; the column after a slice is a gap.
        EXPECT_EQ(AlphaOf(strip.Pixel(x + 1, 0)), 0);
        EXPECT_EQ(AlphaOf(strip.Pixel(x + 1, 1)), 0);
        if (x + w < 729) {
            EXPECT_EQ(AlphaOf(strip.Pixel(x + w, 10)), 0);
        }
        // Hot and pressed slices have a face; normal ones only the glyph.
        EXPECT_EQ(AlphaOf(strip.Pixel(x + 2, 10)) > 0, !normal);
        EXPECT_EQ(AlphaOf(strip.Pixel(x + w - 3, 10)) > 0, !normal);
        // The glyph lies in the middle.
        int glyph = 0;
        for (int y = 2; y < 20; ++y)
            for (int gx = x + w / 2 - 5; gx <= x + w / 2 + 5; ++gx)
                glyph = std::max(glyph, RedOf(strip.Pixel(gx, y)) * AlphaOf(strip.Pixel(gx, y)) / 255);
        EXPECT_GT(glyph, 200);
    }
}

TEST(EmbeddedPictures, SysButtonSliceOverhangingTheStripStillDraws)
{
    // A glyph slice is 19 rows from y = 2 of a 20-row strip: its source
    // rectangle ends one row below the image. Drawn into a 39 x 19 button,
    // the rows that exist land 1:1.
    GpImagePtr image = LoadImageFromBytes(SysButtonGlyphsPng(), true);
    ASSERT_TRUE(image);
    const Canvas strip = Canvas::CopyOf(image.get());
    Canvas button(39, 19);
    ASSERT_EQ(GdipDrawImageRectRect(button.Graphics(), image.get(), 0, 0, 39, 19, 40, 2, 39, 19, UnitPixel, nullptr,
                                    nullptr, nullptr),
              Ok);
    for (int y = 0; y < 17; y += 2)
        for (int x = 0; x < 39; x += 3)
            ASSERT_EQ(Hex(button.Pixel(x, y)), Hex(strip.Pixel(40 + x, 2 + y))) << x << "," << y;
}

TEST(EmbeddedPictures, DialogButtonAndCheckBoxSlices)
{
    GpImagePtr button = LoadImageFromBytes(DialogButtonSkinPng());
    ASSERT_TRUE(button);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("dialog slice " + std::to_string(i));
        EXPECT_EQ(AlphaOf(PixelOf(button.get(), 14 * i + 6, 14)), 255);  // face
        EXPECT_EQ(AlphaOf(PixelOf(button.get(), 14 * i, 0)), 0);        // rounded corner
        if (i < 3) {
            EXPECT_EQ(AlphaOf(PixelOf(button.get(), 14 * i + 13, 14)), 0); // gap column
        }
    }
    GpImagePtr box = LoadImageFromBytes(CheckBoxStripPng(), true);
    ASSERT_TRUE(box);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("check slice " + std::to_string(i));
        const ARGB border = PixelOf(box.get(), 17 * i + 2, 8);
        EXPECT_EQ(AlphaOf(border), 255);
        EXPECT_EQ(AlphaOf(PixelOf(box.get(), 17 * i, 8)), 0);
        // Checked slices (2 and 3) carry a dark mark across the box.
        const ARGB mark = PixelOf(box.get(), 17 * i + 7, 10);
        EXPECT_EQ(RedOf(mark) < 128, i >= 2);
        // Hot slices (1 and 3) have a blue border.
        EXPECT_EQ(BlueOf(border) > RedOf(border) + 50, i % 2 == 1);
    }
}

namespace {

// A 32-bit top-down DIB section, pixel (x, y) = colour(x, y) as BGRA bytes.
UniqueBitmap MakeDib(int width, int height, int bits, ARGB (*colour)(int, int), bool bottomUp = false)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottomUp ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!dib || !colour)
        return dib;
    const int stride = ((width * bits + 31) / 32) * 4;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<std::uint8_t*>(pixels) + (bottomUp ? height - 1 - y : y) * stride;
        for (int x = 0; x < width; ++x) {
            const ARGB c = colour(x, y);
            std::uint8_t* p = row + x * (bits / 8);
            p[0] = static_cast<std::uint8_t>(BlueOf(c));
            p[1] = static_cast<std::uint8_t>(GreenOf(c));
            p[2] = static_cast<std::uint8_t>(RedOf(c));
            if (bits == 32)
                p[3] = static_cast<std::uint8_t>(AlphaOf(c));
        }
    }
    return dib;
}

ARGB TransparentBlack(int, int) { return 0; }
ARGB OneAlphaPixel(int x, int y) { return x == 3 && y == 2 ? 0x01000000u : 0x00FFFFFFu; }

// Opaque red centre, a translucent (alpha 128) green ring one pixel wide,
// and an opaque white top row: the picture's top is visible.
ARGB Badge(int x, int y)
{
    if (y == 0)
        return 0xFFFFFFFFu;
    const bool edge = x == 0 || y == 15 || x == 15;
    return edge ? 0x8000FF00u : 0xFFFF0000u;
}

} // namespace

TEST(DibHasAlpha, OnlyThirtyTwoBitSectionsWithAnAlphaByte)
{
    EXPECT_FALSE(DibHasAlpha(MakeDib(5, 4, 32, TransparentBlack).get()));
    EXPECT_TRUE(DibHasAlpha(MakeDib(5, 4, 32, OneAlphaPixel).get()));
    EXPECT_TRUE(DibHasAlpha(MakeDib(5, 4, 32, OneAlphaPixel, true).get()));
    EXPECT_FALSE(DibHasAlpha(MakeDib(5, 4, 24, TransparentBlack).get()));
    WindowDc screen(nullptr);
    UniqueBitmap ddb(CreateCompatibleBitmap(screen.get(), 5, 4));
    EXPECT_FALSE(DibHasAlpha(ddb.get()));
    EXPECT_FALSE(DibHasAlpha(nullptr));
}

TEST(BitmapToDib, SectionsPassThroughDeviceBitmapsAreCopied)
{
    UniqueBitmap dib = MakeDib(4, 3, 32, OneAlphaPixel);
    EXPECT_EQ(BitmapToDib(dib.get()), dib.get());
    EXPECT_EQ(BitmapToDib(nullptr), nullptr);
    UniqueBrush notABitmap(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(BitmapToDib(reinterpret_cast<HBITMAP>(notABitmap.get())), nullptr);

    // A device bitmap painted with a colour comes back as a top-down section
    // holding that colour.
    WindowDc screen(nullptr);
    UniqueBitmap ddb(CreateCompatibleBitmap(screen.get(), 6, 5));
    {
        UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        SelectObjectScope select(dc.get(), ddb.get());
        UniqueBrush brush(CreateSolidBrush(RGB(10, 200, 30)));
        RECT all = {0, 0, 6, 5};
        FillRect(dc.get(), &all, brush.get());
        UniqueBrush corner(CreateSolidBrush(RGB(250, 5, 5)));
        RECT topLeft = {0, 0, 1, 1};
        FillRect(dc.get(), &topLeft, corner.get());
    }
    UniqueBitmap copy(BitmapToDib(ddb.get()));
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), ddb.get());
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(copy.get(), sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 6);
    EXPECT_EQ(std::abs(section.dsBmih.biHeight), 5);
    EXPECT_GE(section.dsBmih.biBitCount, 24);
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    const int bytesPerPixel = section.dsBmih.biBitCount / 8;
    // Top-left pixel first (top-down), then one in the middle.
    EXPECT_EQ(bits[2], 250);
    EXPECT_EQ(bits[0], 5);
    const std::uint8_t* middle = bits + 2 * section.dsBm.bmWidthBytes + 3 * bytesPerPixel;
    EXPECT_EQ(middle[0], 30);
    EXPECT_EQ(middle[1], 200);
    EXPECT_EQ(middle[2], 10);
}

TEST(IconToImage, AlphaIconKeepsTranslucentEdgesMaskIconUsesItsMask)
{
    // With alpha: a 32-bit colour bitmap and an all-zero mask.
    UniqueBitmap colour = MakeDib(16, 16, 32, Badge);
    UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    UniqueIcon alphaIcon(CreateIconIndirect(&info));
    ASSERT_TRUE(alphaIcon);
    GpImagePtr image = IconToImage(alphaIcon.get());
    ASSERT_TRUE(image);
    EXPECT_EQ(ImageWidth(image.get()), 16u);
    EXPECT_EQ(ImageHeight(image.get()), 16u);
    EXPECT_EQ(FormatOf(image.get()), static_cast<PixelFormat>(PixelFormat32bppARGB));
    const ARGB centre = PixelOf(image.get(), 8, 8);
    EXPECT_EQ(AlphaOf(centre), 255) << Hex(centre);
    EXPECT_GT(RedOf(centre), 240) << Hex(centre);
    const ARGB edge = PixelOf(image.get(), 0, 7);
    EXPECT_NEAR(AlphaOf(edge), 128, 2) << Hex(edge);
    EXPECT_GT(GreenOf(edge), 200) << Hex(edge);
    // Top row stays at the top.
    EXPECT_EQ(PixelOf(image.get(), 7, 0), 0xFFFFFFFFu);
    EXPECT_NEAR(AlphaOf(PixelOf(image.get(), 7, 15)), 128, 2);

    // Without alpha: a 24-bit colour bitmap; the mask hides the left half.
    UniqueBitmap plain = MakeDib(16, 16, 24, [](int, int) -> ARGB { return 0xFF0000FFu; });
    std::vector<std::uint8_t> maskBits(16 * 2, 0);
    for (int y = 0; y < 16; ++y)
        maskBits[static_cast<std::size_t>(y) * 2] = 0xFF; // x 0..7 transparent
    UniqueBitmap halfMask(CreateBitmap(16, 16, 1, 1, maskBits.data()));
    ICONINFO plainInfo{TRUE, 0, 0, halfMask.get(), plain.get()};
    UniqueIcon maskIcon(CreateIconIndirect(&plainInfo));
    ASSERT_TRUE(maskIcon);
    GpImagePtr masked = IconToImage(maskIcon.get());
    ASSERT_TRUE(masked);
    EXPECT_EQ(ImageWidth(masked.get()), 16u);
    EXPECT_EQ(AlphaOf(PixelOf(masked.get(), 3, 5)), 0);
    const ARGB shown = PixelOf(masked.get(), 12, 5);
    EXPECT_EQ(AlphaOf(shown), 255) << Hex(shown);
    EXPECT_GT(BlueOf(shown), 240) << Hex(shown);

    EXPECT_FALSE(IconToImage(nullptr));
}

TEST(IconToImage, MonochromeIconHasTheIconsSize)
{
    // No colour bitmap: a double-height mask, AND half over XOR half. The
    // left half is transparent, the right half black.
    std::vector<std::uint8_t> bits(2 * 16 * 2, 0);
    for (int y = 0; y < 16; ++y)
        bits[static_cast<std::size_t>(y) * 2] = 0xFF;
    UniqueBitmap mask(CreateBitmap(16, 32, 1, 1, bits.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), nullptr};
    UniqueIcon icon(CreateIconIndirect(&info));
    ASSERT_TRUE(icon);
    GpImagePtr image = IconToImage(icon.get());
    ASSERT_TRUE(image);
    EXPECT_EQ(ImageWidth(image.get()), 16u);
    EXPECT_EQ(ImageHeight(image.get()), 16u);
    EXPECT_EQ(AlphaOf(PixelOf(image.get(), 3, 3)), 0);
    EXPECT_EQ(Hex(PixelOf(image.get(), 12, 3)), Hex(0xFF000000u));
}
