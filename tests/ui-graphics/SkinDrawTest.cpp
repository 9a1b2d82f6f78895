// Skin drawing through Wine's GDI+, probed pixel by pixel.
#include "GraphicsTestSupport.h"

#include "ui/graphics/EmbeddedPictures.h"
#include "ui/graphics/Images.h"
#include "ui/graphics/SkinDraw.h"
#include "ui/graphics/StateStrip.h"

#include <gtest/gtest.h>

using Gdiplus::ARGB;
using namespace GfxTest;
namespace Gp = Gdiplus::DllExports;

namespace {

// Every pixel a different opaque colour.
ARGB Unique(int x, int y)
{
    return 0xFF000000u | static_cast<ARGB>(x * 17 + 3) << 16 | static_cast<ARGB>(y * 23 + 5) << 8 |
           static_cast<ARGB>((x * 7 + y * 11) & 0xFF);
}

// Four 4 x 4 quadrants: red, green / blue, white.
ARGB Quadrants(int x, int y)
{
    static const ARGB colours[2][2] = {{0xFFFF0000u, 0xFF00FF00u}, {0xFF0000FFu, 0xFFFFFFFFu}};
    return colours[y / 4][x / 4];
}

// An 11 x 9 frame for nine-grid tests with centre (3, 2, 4, 3): corner
// pixels unique, edges and centre one colour each, so stretching them keeps
// their colour whatever the interpolation.
ARGB Frame(int x, int y)
{
    const int column = x < 3 ? 0 : x < 7 ? 1 : 2;
    const int row = y < 2 ? 0 : y < 5 ? 1 : 2;
    if (column != 1 && row != 1)
        return Unique(x, y);
    static const ARGB parts[3][3] = {
        {0, 0xFF102030u, 0}, {0xFF405060u, 0xFF708090u, 0xFFA0B0C0u}, {0, 0xFFD0E0F0u, 0}};
    return parts[row][column];
}

const RectF kFrameCentre = Rect(3, 2, 4, 3);

void ExpectSameBlock(const Canvas& canvas, int cx, int cy, Gdiplus::GpImage* image, int ix, int iy, int w, int h)
{
    const Canvas source = Canvas::CopyOf(image);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(Hex(canvas.Pixel(cx + x, cy + y)), Hex(source.Pixel(ix + x, iy + y)))
                << "canvas " << cx + x << "," << cy + y;
}

} // namespace

TEST(DrawNineGrid, DestinationOfTheImageSizeReproducesIt)
{
    GpImagePtr frame = MakeBitmap(11, 9, PixelFormat32bppARGB, Unique);
    Canvas canvas(20, 16);
    DrawNineGrid(canvas.Graphics(), frame.get(), Rect(5, 4, 11, 9), kFrameCentre);
    ExpectSameBlock(canvas, 5, 4, frame.get(), 0, 0, 11, 9);
    EXPECT_EQ(canvas.Pixel(4, 4), 0u);
    EXPECT_EQ(canvas.Pixel(16, 12), 0u);

    // The dialog button's pressed slice with its own centre, as buttons use it.
    GpImagePtr strip = LoadImageFromBytes(DialogButtonSkinPng());
    GpImagePtr slice = StateStrip::DialogButton().CutSlice(strip.get(), StatePressed);
    ASSERT_TRUE(slice);
    Canvas button(13, 28);
    DrawNineGrid(button.Graphics(), slice.get(), Rect(0, 0, 13, 28), Rect(5, 5, 3, 15));
    ExpectSameBlock(button, 0, 0, strip.get(), 28, 0, 13, 28);
}

TEST(DrawNineGrid, CornersKeepTheirSizeEdgesStretch)
{
    GpImagePtr frame = MakeBitmap(11, 9, PixelFormat32bppARGB, Frame);
    Canvas canvas(40, 30);
    const int x = 2, y = 3, w = 31, h = 22; // R = 4, B = 4
    DrawNineGrid(canvas.Graphics(), frame.get(), Rect(x, y, w, h), kFrameCentre);
    ExpectSameBlock(canvas, x, y, frame.get(), 0, 0, 3, 2);                  // top-left
    ExpectSameBlock(canvas, x + w - 4, y, frame.get(), 7, 0, 4, 2);          // top-right
    ExpectSameBlock(canvas, x, y + h - 4, frame.get(), 0, 5, 3, 4);          // bottom-left
    ExpectSameBlock(canvas, x + w - 4, y + h - 4, frame.get(), 7, 5, 4, 4);  // bottom-right
    EXPECT_EQ(Hex(canvas.Pixel(x + w / 2, y)), Hex(0xFF102030u));             // top edge
    EXPECT_EQ(Hex(canvas.Pixel(x + w / 2, y + h - 1)), Hex(0xFFD0E0F0u));     // bottom edge
    EXPECT_EQ(Hex(canvas.Pixel(x + 1, y + h / 2)), Hex(0xFF405060u));         // left edge
    EXPECT_EQ(Hex(canvas.Pixel(x + w - 2, y + h / 2)), Hex(0xFFA0B0C0u));     // right edge
    EXPECT_EQ(Hex(canvas.Pixel(x + w / 2, y + h / 2)), Hex(0xFF708090u));     // centre
    EXPECT_EQ(canvas.Pixel(x + w, y + h / 2), 0u);
    EXPECT_EQ(canvas.Pixel(x + w / 2, y + h), 0u);
}

TEST(DrawNineGrid, OpacityRule)
{
    GpImagePtr frame = MakeBitmap(11, 9, PixelFormat32bppARGB, Frame);
    struct Case {
        const char* name;
        std::optional<int> opacity;
        int alpha;
    };
    const Case cases[] = {
        {"none", std::nullopt, 255}, {"255", 255, 255}, {"negative", -1, 255},
        {"128", 128, 128},           {"0", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(30, 20);
        DrawNineGrid(canvas.Graphics(), frame.get(), Rect(0, 0, 30, 20), kFrameCentre, c.opacity);
        for (auto [px, py] : {std::pair{0, 0}, std::pair{15, 10}, std::pair{29, 19}, std::pair{15, 0}})
            EXPECT_NEAR(AlphaOf(canvas.Pixel(px, py)), c.alpha, 1) << px << "," << py;
        if (c.alpha == 255) {
            EXPECT_EQ(Hex(canvas.Pixel(15, 10)), Hex(0xFF708090u));
        }
    }
}

TEST(DrawNineGrid, NarrowDestinationIsNotClamped)
{
    // Five pixels wide for corners of 3 + 4: the middle column has width -2
    // and the right corner starts left of the left corner's end.
    GpImagePtr frame = MakeBitmap(11, 9, PixelFormat32bppARGB, Frame);
    Canvas canvas(20, 20);
    DrawNineGrid(canvas.Graphics(), frame.get(), Rect(2, 2, 5, 9), kFrameCentre);
    // The right corner still ends at the destination's right edge, drawn last.
    ExpectSameBlock(canvas, 3, 2, frame.get(), 7, 0, 4, 2);
    EXPECT_EQ(canvas.Pixel(7, 5), 0u);

    // Nothing to draw with: no crash, no pixels.
    Canvas empty(4, 4);
    DrawNineGrid(empty.Graphics(), nullptr, Rect(0, 0, 4, 4), kFrameCentre);
    DrawNineGrid(nullptr, frame.get(), Rect(0, 0, 4, 4), kFrameCentre);
    EXPECT_EQ(empty.Pixel(1, 1), 0u);
}

TEST(DrawImageNatural, PlacesAtTheCornerOrCentredWithTheOddPixelLeftAndTop)
{
    GpImagePtr image = MakeBitmap(7, 7, PixelFormat32bppARGB, Unique);
    struct Case {
        const char* name;
        RectF destination;
        bool centred;
        int x, y; // where the image's top-left pixel lands
    };
    const Case cases[] = {
        {"odd spare, centred", Rect(0, 0, 10, 10), true, 2, 2},
        {"even spare, centred", Rect(1, 3, 11, 9), true, 3, 4},
        {"larger than destination", Rect(6, 6, 4, 3), true, 5, 4},
        {"corner, truncated", Rect(3.7f, 2.9f, 10, 10), false, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(20, 20);
        DrawImageNatural(canvas.Graphics(), image.get(), c.destination, c.centred);
        ExpectSameBlock(canvas, c.x, c.y, image.get(), 0, 0, 7, 7);
        EXPECT_EQ(canvas.Pixel(c.x - 1, c.y + 3), 0u);
        EXPECT_EQ(canvas.Pixel(c.x + 7, c.y + 3), 0u);
        EXPECT_EQ(canvas.Pixel(c.x + 3, c.y - 1), 0u);
        EXPECT_EQ(canvas.Pixel(c.x + 3, c.y + 7), 0u);
    }
}

TEST(DrawImageAlpha, OpaqueScalesOtherOpacitiesCopyOneToOne)
{
    GpImagePtr image = MakeBitmap(8, 8, PixelFormat32bppARGB, Quadrants);
    {
        // 255: the whole 8 x 8 image squeezed into 4 x 4.
        Canvas canvas(10, 10);
        DrawImageAlpha(canvas.Graphics(), image.get(), Rect(1, 1, 4, 4), 255);
        EXPECT_EQ(Hex(canvas.Pixel(1, 1)), Hex(0xFFFF0000u));
        EXPECT_EQ(Hex(canvas.Pixel(4, 1)), Hex(0xFF00FF00u));
        EXPECT_EQ(Hex(canvas.Pixel(1, 4)), Hex(0xFF0000FFu));
        EXPECT_EQ(Hex(canvas.Pixel(4, 4)), Hex(0xFFFFFFFFu));
        EXPECT_EQ(canvas.Pixel(5, 5), 0u);
    }
    for (int opacity : {254, 128, 0}) {
        // Anything else: the top-left 4 x 4 (all red), unscaled, faded.
        SCOPED_TRACE(opacity);
        Canvas canvas(10, 10);
        DrawImageAlpha(canvas.Graphics(), image.get(), Rect(1, 1, 4, 4), opacity);
        for (auto [px, py] : {std::pair{1, 1}, std::pair{4, 1}, std::pair{1, 4}, std::pair{4, 4}}) {
            const ARGB c = canvas.Pixel(px, py);
            EXPECT_NEAR(AlphaOf(c), opacity, 1) << px << "," << py;
            if (opacity > 0) {
                EXPECT_EQ(RedOf(c), 255) << Hex(c);
                EXPECT_EQ(GreenOf(c), 0) << Hex(c);
                EXPECT_EQ(BlueOf(c), 0) << Hex(c);
            }
        }
        EXPECT_EQ(canvas.Pixel(5, 5), 0u);
    }
}

TEST(DrawImageStretched, FillsTheDestination)
{
    GpImagePtr image = MakeBitmap(8, 8, PixelFormat32bppARGB, Quadrants);
    Canvas canvas(20, 20);
    DrawImageStretched(canvas.Graphics(), image.get(), Rect(2, 2, 16, 16));
    EXPECT_EQ(Hex(canvas.Pixel(3, 3)), Hex(0xFFFF0000u));
    EXPECT_EQ(Hex(canvas.Pixel(16, 3)), Hex(0xFF00FF00u));
    EXPECT_EQ(Hex(canvas.Pixel(3, 16)), Hex(0xFF0000FFu));
    EXPECT_EQ(Hex(canvas.Pixel(16, 16)), Hex(0xFFFFFFFFu));
    EXPECT_EQ(canvas.Pixel(1, 10), 0u);
    EXPECT_EQ(canvas.Pixel(18, 10), 0u);
}

TEST(DrawImageInMode, EachModeAndUnknownValues)
{
    GpImagePtr image = MakeBitmap(8, 8, PixelFormat32bppARGB, Quadrants);
    const RectF destination = Rect(0, 0, 16, 16);
    Canvas natural(16, 16), stretched(16, 16), grid(16, 16), unknown(16, 16);
    DrawImageInMode(natural.Graphics(), image.get(), ImageDrawMode::Natural, destination, Rect(2, 2, 4, 4));
    DrawImageInMode(stretched.Graphics(), image.get(), ImageDrawMode::Stretched, destination, Rect(2, 2, 4, 4));
    DrawImageInMode(grid.Graphics(), image.get(), ImageDrawMode::NineGrid, destination, Rect(2, 2, 4, 4));
    DrawImageInMode(unknown.Graphics(), image.get(), static_cast<ImageDrawMode>(2), destination, Rect(2, 2, 4, 4));
    EXPECT_EQ(natural.Pixel(12, 12), 0u);
    EXPECT_EQ(Hex(stretched.Pixel(12, 12)), Hex(0xFFFFFFFFu));
    EXPECT_EQ(Hex(grid.Pixel(15, 15)), Hex(0xFFFFFFFFu));
    EXPECT_EQ(Hex(grid.Pixel(15, 0)), Hex(0xFF00FF00u));
    EXPECT_EQ(unknown.Pixel(1, 1), 0u);
}

TEST(CropImage, CopiesTheAreaInTheImagesFormat)
{
    GpImagePtr image = MakeBitmap(9, 6, PixelFormat24bppRGB, Unique);
    GpImagePtr area = CropImage(image.get(), Rect(2, 1, 5, 4));
    ASSERT_TRUE(area);
    Gdiplus::PixelFormat format = 0;
    Gp::GdipGetImagePixelFormat(area.get(), &format);
    EXPECT_EQ(format, static_cast<Gdiplus::PixelFormat>(PixelFormat24bppRGB));
    EXPECT_EQ(ImageWidth(area.get()), 5u);
    EXPECT_EQ(ImageHeight(area.get()), 4u);
    EXPECT_EQ(Hex(PixelOf(area.get(), 0, 0)), Hex(Unique(2, 1)));
    EXPECT_EQ(Hex(PixelOf(area.get(), 4, 3)), Hex(Unique(6, 4)));

    EXPECT_FALSE(CropImage(nullptr, Rect(0, 0, 1, 1)));
    EXPECT_FALSE(CropImage(image.get(), Rect(7, 0, 5, 4)));
}

TEST(StateStrip, SliceOfEveryStateInEveryStrip)
{
    struct Case {
        const char* name;
        StateStrip strip;
        int disabled, normal, hot, pressed, focused; // slice left edges
        float width, height;
    };
    const Case cases[] = {
        {"dialog button", StateStrip::DialogButton(), 0, 0, 14, 28, 14, 13, 28},
        {"image button, 4 of 280", StateStrip::ImageButton(280, 30, 4), 210, 0, 70, 140, 70, 70, 30},
        {"image button, 3 of 630", StateStrip::ImageButton(630, 90, 3), 0, 0, 210, 420, 210, 210, 90},
        {"image button, 3 of 100", StateStrip::ImageButton(100, 20, 3), 0, 0, 33, 66, 33, 33, 20},
        {"image button, gap 2", StateStrip::ImageButton(304, 20, 4, 2), 228, 0, 76, 152, 76, 74, 20},
        {"check box, unchecked", StateStrip::CheckBox(false), 17, 0, 17, 17, 0, 17, 17},
        {"check box, checked", StateStrip::CheckBox(true), 51, 34, 51, 51, 34, 17, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::pair<VisualState, int> expected[] = {{StateDisabled, c.disabled}, {StateNormal, c.normal},
                                                        {StateHot, c.hot},           {StatePressed, c.pressed},
                                                        {StateFocused, c.focused}};
        for (auto [state, left] : expected) {
            const RectF r = c.strip.SliceRect(state);
            EXPECT_FLOAT_EQ(r.left, static_cast<float>(left)) << "state " << state;
            EXPECT_FLOAT_EQ(r.top, 0.0f);
            EXPECT_FLOAT_EQ(r.width, c.width);
            EXPECT_FLOAT_EQ(r.height, c.height);
        }
        // Values outside VisualState show the normal slice.
        EXPECT_FLOAT_EQ(c.strip.SliceRect(static_cast<VisualState>(9)).left, static_cast<float>(c.normal));
    }
}

TEST(StateStrip, CutsSlicesOutOfTheEmbeddedStrips)
{
    GpImagePtr boxes = LoadImageFromBytes(CheckBoxStripPng(), true);
    ASSERT_TRUE(boxes);
    GpImagePtr checkedHot = StateStrip::CheckBox(true).CutSlice(boxes.get(), StateHot);
    ASSERT_TRUE(checkedHot);
    EXPECT_EQ(ImageWidth(checkedHot.get()), 17u);
    EXPECT_EQ(ImageHeight(checkedHot.get()), 17u);
    for (int y = 0; y < 17; y += 4)
        for (int x = 0; x < 17; x += 4)
            EXPECT_EQ(Hex(PixelOf(checkedHot.get(), x, y)), Hex(PixelOf(boxes.get(), 51 + x, y)));

    // A check box 24 high: the mark centred in the box (4, 4, 20, 16) lands
    // at (6, 4) and its last row is clipped off by the box.
    Canvas canvas(40, 24);
    Gp::GdipSetClipRect(canvas.Graphics(), 4, 4, 20, 16, Gdiplus::CombineModeReplace);
    DrawImageNatural(canvas.Graphics(), checkedHot.get(), Rect(4, 4, 20, 16), true);
    EXPECT_EQ(Hex(canvas.Pixel(6 + 2, 4 + 6)), Hex(PixelOf(checkedHot.get(), 2, 6)));
    EXPECT_EQ(Hex(canvas.Pixel(6 + 10, 4 + 15)), Hex(PixelOf(checkedHot.get(), 10, 15)));
    EXPECT_EQ(canvas.Pixel(6 + 10, 20), 0u);
}
