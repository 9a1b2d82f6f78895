// Colours, shapes, fills and clips through Wine's GDI+, probed pixel by pixel.
#include "GraphicsTestSupport.h"

#include "ui/graphics/Shapes.h"

#include <gtest/gtest.h>

using Gdiplus::ARGB;
using namespace GfxTest;
namespace Gp = Gdiplus::DllExports;

namespace {

constexpr ARGB kGrey = 0xFF808080u;

bool Dark(ARGB c) { return RedOf(c) < 100; }
bool Light(ARGB c) { return RedOf(c) > 200; }

} // namespace

TEST(ToArgb, SwapsRedAndBlueAndStoresOpaqueAs254)
{
    struct Case {
        COLORREF colour;
        std::optional<int> alpha;
        ARGB expected;
    };
    const Case cases[] = {
        {0x000000FF, std::nullopt, 0xFEFF0000u}, // red
        {0x000000FF, 255, 0xFEFF0000u},
        {0x000000FF, 0, 0x00FF0000u},
        {0x00FF0000, 254, 0xFE0000FFu}, // blue
        {0x00336699, 128, 0x80996633u},
        {0x00FFFFFF, 50, 0x32FFFFFFu},
        {0x00000000, 210, 0xD2000000u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(ToArgb(c.colour, c.alpha)), Hex(c.expected)) << Hex(c.colour);
    EXPECT_EQ(Hex(WithAlpha(0xFE123456u, 7)), Hex(0x07123456u));

    // Drawn, the colour is what GDI+ stores for it.
    Canvas canvas(2, 2);
    Gp::GdipGraphicsClear(canvas.Graphics(), ToArgb(RGB(255, 0, 0)));
    EXPECT_EQ(Hex(canvas.Pixel(1, 1)), Hex(0xFEFF0000u));
}

TEST(OffsetRectF, AddsToEachField)
{
    RectF r = Rect(1, 2, 3, 4);
    OffsetRectF(-1, -1, 1, 2, r);
    EXPECT_TRUE(r.SameAs(Rect(0, 1, 4, 6)));
}

TEST(RoundRectPath, ArcZeroIsTheRectangleOnePixelSmaller)
{
    GpPathPtr path = RoundRectPath(Rect(2, 3, 6, 5), 0);
    ASSERT_TRUE(path);
    Gdiplus::GpRectF bounds;
    ASSERT_EQ(Gp::GdipGetPathWorldBounds(path.get(), &bounds, nullptr, nullptr), Gdiplus::Ok);
    EXPECT_FLOAT_EQ(bounds.X, 2);
    EXPECT_FLOAT_EQ(bounds.Y, 3);
    EXPECT_FLOAT_EQ(bounds.Width, 5);
    EXPECT_FLOAT_EQ(bounds.Height, 4);

    Canvas canvas(12, 12);
    FillRoundRect(canvas.Graphics(), Rect(2, 3, 6, 5), 0.9f, 0xFFFF0000u); // arc truncated to 0
    EXPECT_EQ(canvas.Pixel(2, 3), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(6, 6), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(7, 4), 0u);
    EXPECT_EQ(canvas.Pixel(4, 7), 0u);
}

TEST(RoundRectPath, CornersAreCutAndTheBodyFilled)
{
    GpPathPtr path = RoundRectPath(Rect(0, 0, 20, 14), 8);
    Gdiplus::GpRectF bounds;
    ASSERT_EQ(Gp::GdipGetPathWorldBounds(path.get(), &bounds, nullptr, nullptr), Gdiplus::Ok);
    EXPECT_FLOAT_EQ(bounds.X, 0);
    EXPECT_FLOAT_EQ(bounds.Width, 19);
    EXPECT_FLOAT_EQ(bounds.Height, 13);

    Canvas filled(24, 18);
    FillRoundRect(filled.Graphics(), Rect(0, 0, 20, 14), 8, 0xFF00FF00u);
    EXPECT_EQ(filled.Pixel(0, 0), 0u);
    EXPECT_EQ(filled.Pixel(18, 12), 0u);
    EXPECT_EQ(filled.Pixel(10, 7), 0xFF00FF00u);
    EXPECT_EQ(filled.Pixel(10, 0), 0xFF00FF00u);

    Canvas outlined(24, 18);
    DrawRoundRect(outlined.Graphics(), Rect(0, 0, 20, 14), 8, 0xFF0000FFu);
    EXPECT_EQ(outlined.Pixel(10, 7), 0u);
    EXPECT_EQ(outlined.Pixel(10, 0), 0xFF0000FFu);
    EXPECT_EQ(outlined.Pixel(19, 7), 0xFF0000FFu);
    EXPECT_EQ(outlined.Pixel(0, 0), 0u);

    // Dashed: the top edge has gaps, the solid one has none.
    Canvas dashed(24, 18);
    DrawRoundRect(dashed.Graphics(), Rect(0, 0, 20, 14), 2, 0xFF0000FFu, Gdiplus::DashStyleDash);
    int drawn = 0;
    for (int x = 2; x < 17; ++x)
        drawn += dashed.Pixel(x, 0) != 0;
    EXPECT_GT(drawn, 3);
    EXPECT_LT(drawn, 15);
}

TEST(FillGradientRect, LeavesTheLastRowAndColumn)
{
    for (int mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        Canvas canvas(14, 12);
        FillGradientRect(canvas.Graphics(), Rect(1, 1, 10, 8), 0xFFFF0000u, 0xFF0000FFu, mode);
        EXPECT_NE(canvas.Pixel(1, 1), 0u);
        EXPECT_NE(canvas.Pixel(9, 7), 0u);
        for (int y = 1; y < 9; ++y)
            EXPECT_EQ(canvas.Pixel(10, y), 0u) << "last column, row " << y;
        for (int x = 1; x < 11; ++x)
            EXPECT_EQ(canvas.Pixel(x, 8), 0u) << "last row, column " << x;
    }
}

TEST(FillGradientRect, RunsAlongTheModesDirection)
{
    Canvas vertical(20, 40), horizontal(40, 20);
    FillGradientRect(vertical.Graphics(), Rect(0, 0, 20, 40), 0xFFFF0000u, 0xFF0000FFu); // default mode 1
    FillGradientRect(horizontal.Graphics(), Rect(0, 0, 40, 20), 0xFFFF0000u, 0xFF0000FFu, 0);
    EXPECT_GT(RedOf(vertical.Pixel(10, 0)), 230);
    EXPECT_GT(BlueOf(vertical.Pixel(10, 38)), 220);
    EXPECT_EQ(vertical.Pixel(0, 20), vertical.Pixel(18, 20));
    EXPECT_GT(RedOf(horizontal.Pixel(0, 10)), 230);
    EXPECT_GT(BlueOf(horizontal.Pixel(38, 10)), 220);
    EXPECT_EQ(horizontal.Pixel(20, 0), horizontal.Pixel(20, 18));

    Canvas none(10, 10);
    FillGradientRect(none.Graphics(), Rect(0, 0, 10, 10), 0xFFFF0000u, 0xFF0000FFu, 7);
    EXPECT_EQ(none.Pixel(4, 4), 0u);
}

TEST(DrawBorder, SunkenReachesTheFarCornersRaisedStopsShort)
{
    Canvas sunken(12, 12, kGrey), raised(12, 12, kGrey);
    DrawBorder(sunken.Graphics(), Rect(1, 1, 10, 10), BorderSunken);
    DrawBorder(raised.Graphics(), Rect(1, 1, 10, 10), BorderRaised);
    // Near corner: both start their light or dark edges there.
    EXPECT_TRUE(Dark(sunken.Pixel(1, 1))) << Hex(sunken.Pixel(1, 1));
    EXPECT_TRUE(Light(raised.Pixel(1, 1))) << Hex(raised.Pixel(1, 1));
    // Along the edges.
    EXPECT_TRUE(Dark(sunken.Pixel(5, 1)));
    EXPECT_TRUE(Light(sunken.Pixel(5, 10)));
    EXPECT_TRUE(Light(sunken.Pixel(10, 5)));
    EXPECT_TRUE(Light(raised.Pixel(5, 1)));
    EXPECT_TRUE(Dark(raised.Pixel(5, 10)));
    EXPECT_TRUE(Dark(raised.Pixel(10, 5)));
    // Far corners (top-right, bottom-left): sunken ends light there, raised
    // has stopped its light lines one pixel before and shows dark.
    for (auto [x, y] : {std::pair{10, 1}, std::pair{1, 10}}) {
        EXPECT_TRUE(Light(sunken.Pixel(x, y))) << x << "," << y << " " << Hex(sunken.Pixel(x, y));
        EXPECT_TRUE(Dark(raised.Pixel(x, y))) << x << "," << y << " " << Hex(raised.Pixel(x, y));
    }
    EXPECT_TRUE(Light(raised.Pixel(9, 1)));
    EXPECT_TRUE(Light(raised.Pixel(1, 9)));
    // Inside untouched.
    EXPECT_EQ(sunken.Pixel(5, 5), kGrey);
    EXPECT_EQ(raised.Pixel(5, 5), kGrey);
}

TEST(DrawBorder, SolidFocusAndColourStyles)
{
    struct Case {
        const char* name;
        std::uint32_t style;
        std::optional<ARGB> colour;
        ARGB edge; // the colour on a solid edge (0 = nothing drawn)
    };
    const Case cases[] = {
        {"none", BorderNone, std::nullopt, 0},
        {"solid, default grey", BorderSolid, std::nullopt, 0xFE646464u},
        {"solid, given", BorderSolid, 0xFF00FF00u, 0xFF00FF00u},
        {"style 5 is a transparent colour", 5, std::nullopt, 0},
        {"style is an ARGB colour", 0xFFFF00FFu, std::nullopt, 0xFFFF00FFu},
        {"style colour ignores the colour argument", 0xFF0000FFu, 0xFF00FF00u, 0xFF0000FFu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(12, 12);
        DrawBorder(canvas.Graphics(), Rect(1, 1, 10, 10), c.style, c.colour);
        // (left, top, width - 1, height - 1): edges on rows and columns 1 and 10.
        for (auto [x, y] : {std::pair{1, 5}, std::pair{5, 1}, std::pair{10, 5}, std::pair{5, 10}})
            EXPECT_EQ(Hex(canvas.Pixel(x, y)), Hex(c.edge)) << x << "," << y;
        EXPECT_EQ(canvas.Pixel(5, 5), 0u);
        EXPECT_EQ(canvas.Pixel(11, 5), 0u);
    }

    // Focus frame: dashed, black at alpha 120 unless a colour is given.
    for (std::optional<ARGB> colour : {std::optional<ARGB>{}, std::optional<ARGB>{0xFFFF0000u}}) {
        Canvas canvas(40, 12);
        DrawBorder(canvas.Graphics(), Rect(0, 0, 40, 12), BorderFocus, colour);
        int drawn = 0;
        for (int x = 0; x < 39; ++x) {
            const ARGB c = canvas.Pixel(x, 0);
            if (c != 0) {
                ++drawn;
                EXPECT_EQ(Hex(c), Hex(colour ? *colour : 0x78000000u));
            }
        }
        EXPECT_GT(drawn, 8);
        EXPECT_LT(drawn, 35);
    }
}

TEST(DrawBorder, WidthWidensEveryStyle)
{
    Canvas canvas(20, 20);
    DrawBorder(canvas.Graphics(), Rect(2, 2, 16, 16), BorderSolid, 0xFF00FF00u, 3.0f);
    EXPECT_EQ(canvas.Pixel(3, 9), 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(1, 9), 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(9, 9), 0u);
}

TEST(LinesAndPolygons, DrawWhereTheyAreGiven)
{
    Canvas canvas(30, 30);
    DrawLineF(canvas.Graphics(), 0xFFFF0000u, 2, 2, 27, 2);
    EXPECT_EQ(canvas.Pixel(15, 2), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(15, 4), 0u);
    DrawLineF(canvas.Graphics(), 0xFFFF0000u, 2, 10, 27, 10, 5.0f);
    EXPECT_EQ(canvas.Pixel(15, 8), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(15, 12), 0xFFFF0000u);

    const std::vector<Gdiplus::PointF> triangle = {{5, 15}, {25, 15}, {15, 28}};
    FillPolygonF(canvas.Graphics(), triangle, 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(15, 18), 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(6, 27), 0u);

    Canvas outline(30, 30);
    DrawPolygonF(outline.Graphics(), triangle, 0xFF0000FFu);
    EXPECT_EQ(outline.Pixel(15, 15), 0xFF0000FFu);
    EXPECT_EQ(outline.Pixel(15, 20), 0u);
    // An empty point list draws nothing.
    FillPolygonF(outline.Graphics(), {}, 0xFF0000FFu);
    DrawPolygonF(outline.Graphics(), {}, 0xFF0000FFu);

    GpPenPtr pen = MakePen(0x80FFFFFFu, 2.5f);
    ASSERT_TRUE(pen);
    float width = 0;
    ARGB colour = 0;
    Gp::GdipGetPenWidth(pen.get(), &width);
    Gp::GdipGetPenColor(pen.get(), &colour);
    EXPECT_FLOAT_EQ(width, 2.5f);
    EXPECT_EQ(colour, 0x80FFFFFFu);
}

TEST(RadialGlow, SoftWhiteSpotFadingToItsRim)
{
    Canvas canvas(60, 60);
    RadialGlow(canvas.Graphics(), Gdiplus::PointF(30, 30));
    const ARGB centre = canvas.Pixel(30, 30);
    EXPECT_GE(AlphaOf(centre), 230) << Hex(centre);
    EXPECT_EQ(RedOf(centre), 255);
    EXPECT_EQ(BlueOf(centre), 255);
    const ARGB rim = canvas.Pixel(30 + 17, 30);
    EXPECT_GT(AlphaOf(rim), 30) << Hex(rim);
    EXPECT_LT(AlphaOf(rim), 90) << Hex(rim);
    EXPECT_GT(AlphaOf(canvas.Pixel(30 + 9, 30)), AlphaOf(rim));
    EXPECT_EQ(canvas.Pixel(30 + 20, 30), 0u);
    EXPECT_EQ(canvas.Pixel(30 + 15, 30 + 15), 0u); // outside the circle, inside its box
}

TEST(RadialGlow, CentredOnAClipCornerShowsOneQuarter)
{
    Canvas canvas(60, 60);
    SetClipRect(canvas.Graphics(), Rect(30, 30, 30, 30));
    RadialGlow(canvas.Graphics(), Gdiplus::PointF(30, 30));
    EXPECT_NE(canvas.Pixel(33, 33), 0u);
    EXPECT_EQ(canvas.Pixel(27, 27), 0u);
    EXPECT_EQ(canvas.Pixel(27, 33), 0u);
    EXPECT_EQ(canvas.Pixel(33, 27), 0u);
}

TEST(Clip, RectPathRegionAndGdiRegion)
{
    auto fillAll = [](Canvas& canvas) {
        GpBrushPtr brush = MakeSolidBrush(0xFFFF0000u);
        Gp::GdipFillRectangle(canvas.Graphics(), brush.get(), 0, 0, 40, 40);
    };
    {
        Canvas canvas(40, 40);
        SetClipRect(canvas.Graphics(), Rect(10, 10, 10, 10));
        const RectF bounds = VisibleClipBounds(canvas.Graphics());
        EXPECT_TRUE(bounds.SameAs(Rect(10, 10, 10, 10)));
        SetClipRect(canvas.Graphics(), Rect(12, 12, 4, 4), Gdiplus::CombineModeExclude);
        fillAll(canvas);
        EXPECT_NE(canvas.Pixel(10, 10), 0u);
        EXPECT_EQ(canvas.Pixel(13, 13), 0u); // excluded hole
        EXPECT_EQ(canvas.Pixel(25, 25), 0u);
        ResetClip(canvas.Graphics());
        fillAll(canvas);
        EXPECT_NE(canvas.Pixel(25, 25), 0u);
    }
    {
        Canvas canvas(40, 40);
        GpPathPtr round = RoundRectPath(Rect(0, 0, 40, 40), 20);
        SetClipPath(canvas.Graphics(), round.get());
        fillAll(canvas);
        EXPECT_EQ(canvas.Pixel(1, 1), 0u);
        EXPECT_NE(canvas.Pixel(20, 20), 0u);
    }
    {
        Canvas canvas(40, 40);
        HRGN raw = CreateRectRgn(5, 5, 15, 15);
        SetClipHrgn(canvas.Graphics(), UniqueRegion(raw));
        EXPECT_EQ(GetObjectType(raw), 0u); // deleted at once
        fillAll(canvas);
        EXPECT_NE(canvas.Pixel(5, 5), 0u);
        EXPECT_NE(canvas.Pixel(14, 14), 0u);
        EXPECT_EQ(canvas.Pixel(15, 15), 0u);
        EXPECT_EQ(canvas.Pixel(4, 4), 0u);

        GpRegionPtr region;
        const Gdiplus::GpRectF area(20, 20, 5, 5);
        ASSERT_EQ(Gp::GdipCreateRegionRect(&area, region.put()), Gdiplus::Ok);
        SetClipRegion(canvas.Graphics(), region.get());
        Gp::GdipGraphicsClear(canvas.Graphics(), 0xFF0000FFu);
        EXPECT_EQ(canvas.Pixel(22, 22), 0xFF0000FFu);
        EXPECT_EQ(canvas.Pixel(10, 10), 0xFFFF0000u);
    }
}

TEST(Shapes, NullGraphicsDrawsNothing)
{
    const RectF r = Rect(0, 0, 10, 10);
    FillRoundRect(nullptr, r, 4, 0xFFFFFFFFu);
    DrawRoundRect(nullptr, r, 4, 0xFFFFFFFFu);
    FillGradientRect(nullptr, r, 0xFFFFFFFFu, 0);
    DrawBorder(nullptr, r, BorderSunken);
    DrawLineF(nullptr, 0xFFFFFFFFu, 0, 0, 1, 1);
    RadialGlow(nullptr, Gdiplus::PointF(1, 1));
    SetClipRect(nullptr, r);
    ResetClip(nullptr);
    EXPECT_TRUE(VisibleClipBounds(nullptr).SameAs(RectF{}));
}
