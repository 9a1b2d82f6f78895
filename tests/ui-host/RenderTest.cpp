// Rendering of a bound window: the canvas read back pixel by pixel after
// Render and dirty repaints, and the layered window read back from the
// screen.
#include "ui-host/HostTestSupport.h"

#include "ui/core/ElementPainter.h"
#include "ui/core/EventCodes.h"

#include <gtest/gtest.h>

#include <objidl.h>

#include <cstdlib>

using namespace HostTest;
using namespace Gdiplus::DllExports;

namespace {

constexpr COLORREF kBackground = RGB(40, 80, 120);

// Expects the premultiplied pixel p to show r, g, b (straight) within tol.
::testing::AssertionResult Shows(std::uint32_t p, int r, int g, int b, int tol = 3)
{
    const int a = A(p);
    auto straight = [a](int v) { return a ? v * 255 / a : 0; };
    if (std::abs(straight(R(p)) - r) <= tol && std::abs(straight(G(p)) - g) <= tol && std::abs(straight(B(p)) - b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel a=" << a << " r=" << straight(R(p)) << " g=" << straight(G(p))
                                         << " b=" << straight(B(p)) << ", expected " << r << "," << g << "," << b;
}

// A PNG of the given size, left half one colour, right half another.
ByteBuffer TwoColourPng(int w, int h, Gdiplus::ARGB left, Gdiplus::ARGB right)
{
    EnsureLibrary();
    Gdiplus::GpBitmap* bitmap = nullptr;
    GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GpImagePtr owned(bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            GdipBitmapSetPixel(bitmap, x, y, x < w / 2 ? left : right);
    IStream* stream = nullptr;
    ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    CLSID png;
    ::CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    GdipSaveImageToStream(bitmap, stream, &png, nullptr);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    ByteBuffer bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    stream->Release();
    return bytes;
}

BindOptions Layered(int cornerStyle = 7)
{
    BindOptions options;
    options.flags = 0;
    options.windowAlpha = 255;
    options.backgroundColor = static_cast<int>(kBackground);
    options.cornerStyle = cornerStyle;
    options.blurBehind = false;
    return options;
}

// The screen pixel at (x, y) as RGB.
COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

} // namespace

TEST(Render, BackgroundFrameShadowAndElementsOnTheCanvas)
{
    HWND hwnd = MakeWindow(200, 150);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, Layered()));
    const HostCanvas& c = host.Canvas();
    ASSERT_TRUE(c);
    // Fill, corners outside the rounded frame, shadow margin, outlines.
    EXPECT_TRUE(Shows(c.Pixel(100, 75), 40, 80, 120));
    EXPECT_GE(A(c.Pixel(100, 75)), 250);
    EXPECT_EQ(A(c.Pixel(0, 0)), 0) << "outside the window's rounded region";
    EXPECT_GT(A(c.Pixel(5, 75)), 0) << "shadow in the margin";
    EXPECT_LT(A(c.Pixel(5, 75)), 60);
    EXPECT_EQ(host.BackgroundCache().Pixel(100, 75), c.Pixel(100, 75));

    ColourElement red(0xFFFF0000);
    red.Create(hwnd, {20, 20, 40, 30}, 2, true, {});
    ColourElement hiddenParent(0xFF00FF00), child(0xFF00FF00);
    hiddenParent.Create(hwnd, {80, 20, 40, 40}, 2, false, {});
    child.Create(hiddenParent, {90, 30, 10, 10}, 2, true, {});
    ColourElement disabled(0xFF0000FF), fullLook(0xFF0000FF);
    disabled.Create(hwnd, {20, 70, 40, 30}, 2, true, {});
    fullLook.Create(hwnd, {80, 70, 40, 30}, 2, true, {});
    fullLook.answer = [](UINT code, WPARAM, LPARAM) -> LRESULT { return code == QXE_QUERYDISABLEDLOOK ? 1 : -1; };
    disabled.SetDisabled(true);
    fullLook.SetDisabled(true);
    Pump();

    EXPECT_TRUE(Shows(c.Pixel(30, 30), 255, 0, 0));
    EXPECT_TRUE(Shows(c.Pixel(95, 35), 40, 80, 120)) << "child of a hidden element";
    EXPECT_TRUE(Shows(c.Pixel(85, 25), 40, 80, 120)) << "hidden element";
    EXPECT_TRUE(Shows(c.Pixel(30, 80), 20, 40, 187, 4)) << "disabled: half opacity over the background";
    EXPECT_TRUE(Shows(c.Pixel(90, 80), 0, 0, 255)) << "class asks for its full look";

    // A dirty repaint restores the background from the cache.
    red.SetVisible(false);
    Pump();
    EXPECT_TRUE(Shows(c.Pixel(30, 30), 40, 80, 120));
    red.SetVisible(true);
    red.Recolour(0xFF00FF00);
    Pump();
    EXPECT_TRUE(Shows(c.Pixel(30, 30), 0, 255, 0));

    // Moving shows the element at its new place and the background at the old.
    red.Move(140.0f, 100.0f);
    Pump();
    EXPECT_TRUE(Shows(c.Pixel(30, 30), 40, 80, 120));
    EXPECT_TRUE(Shows(c.Pixel(150, 110), 0, 255, 0));

    // The screen shows the layered window as presented.
    RECT wr{};
    ::GetWindowRect(hwnd, &wr);
    PumpFor(100);
    const COLORREF onScreen = ScreenPixel(wr.left + 150, wr.top + 110);
    EXPECT_LE(GetRValue(onScreen), 10);
    EXPECT_GE(GetGValue(onScreen), 245);
    const COLORREF background = ScreenPixel(wr.left + 30, wr.top + 30);
    EXPECT_NEAR(GetBValue(background), 120, 4);
    EXPECT_NEAR(GetGValue(background), 80, 4);
    ::DestroyWindow(hwnd);
}

TEST(Render, ImageModesAndAverageColour)
{
    // 100 x 60: red left half, blue right half; average (127, 0, 127).
    const ByteBuffer png = TwoColourPng(100, 60, 0xFFFF0000, 0xFF0000FF);
    ASSERT_FALSE(png.empty());
    struct Case {
        int mode;
        int cornerStyle;
        int x, y;
        int r, g, b;
    } cases[] = {
        {3, 7, 20, 20, 127, 0, 127},  // colour only
        {3, 7, 80, 30, 127, 0, 127},
        {1, 7, 20, 20, 255, 0, 0},    // stretched over the content area
        {1, 7, 180, 130, 0, 0, 255},
        {0, 7, 10, 50, 255, 0, 0},    // natural size at (5, 5)
        {0, 1, 2, 2, 255, 0, 0},      // skin mode: natural size at (0, 0)
        {0, 1, 98, 2, 0, 0, 255},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << k.mode << " corner " << k.cornerStyle);
        HWND hwnd = MakeWindow(200, 150);
        Qx_Window host;
        BindOptions options = Layered(k.cornerStyle);
        options.backgroundColor = -1;
        options.backgroundImage = &png;
        options.imageMode = k.mode;
        options.imageFrame = false;
        ASSERT_TRUE(host.Bind(hwnd, options));
        EXPECT_EQ(host.BackgroundColor(), RGB(127, 0, 127));
        EXPECT_TRUE(Shows(host.Canvas().Pixel(k.x, k.y), k.r, k.g, k.b, 4));
        ::DestroyWindow(hwnd);
    }
}

TEST(Render, RenderWithoutPresentationLeavesTheScreenAlone)
{
    HWND hwnd = MakeWindow(120, 90);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, Layered()));
    PumpFor(100);
    RECT wr{};
    ::GetWindowRect(hwnd, &wr);
    const COLORREF before = ScreenPixel(wr.left + 60, wr.top + 45);
    ColourElement e(0xFFFFFFFF);
    e.LockUpdates();
    host.SetOnPaintBackground([](HWND, Gdiplus::GpGraphics* g, int, int) { GdipGraphicsClear(g, 0xFFFFFF00); });
    host.Render(nullptr, -1, -1, true);
    PumpFor(100);
    EXPECT_TRUE(Shows(host.Canvas().Pixel(60, 45), 255, 255, 0));
    EXPECT_EQ(ScreenPixel(wr.left + 60, wr.top + 45), before);
    host.Render(nullptr, -1, 0, true);
    PumpFor(100);
    const COLORREF after = ScreenPixel(wr.left + 60, wr.top + 45);
    EXPECT_GE(GetRValue(after), 250);
    EXPECT_GE(GetGValue(after), 250);
    EXPECT_LE(GetBValue(after), 5);
    ::DestroyWindow(hwnd);
}

TEST(Render, TransitionFramesFromOldToNewLook)
{
    struct Case {
        int effect;
        int frameIndex;
        int probeY;  // offset inside the element
        int r, g;    // expected red and green
    } cases[] = {
        {0, 0, 15, 255, 0},    // cross-fade, first frame: old look only
        {0, 2, 15, 127, 127},  // half way
        {0, 4, 15, 0, 255},    // last frame: the new look
        {1, 2, 2, 0, 255},     // slide down: new look enters from the top
        {1, 2, 25, 255, 0},
        {2, 2, 2, 255, 0},     // slide up: old look leaves at the top
        {2, 2, 25, 0, 255},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "effect " << k.effect << " frame " << k.frameIndex);
        HWND hwnd = MakeWindow(200, 150);
        Qx_Window host;
        ASSERT_TRUE(host.Bind(hwnd, Layered()));
        ColourElement e(0xFFFF0000);
        ElementOptions options;
        options.transitionEffect = k.effect;
        e.Create(hwnd, {20, 20, 40, 30}, 2, true, options);
        Pump();
        e.SetTransition(4, 10000);  // frames are driven by hand here
        EXPECT_TRUE(Shows(host.Canvas().Pixel(30, 30), 255, 0, 0));
        e.Recolour(0xFF00FF00);
        EXPECT_EQ(e.Count(QXE_TRANSITIONSTART), 1);
        ASSERT_NE(e.Snapshot(), nullptr);
        e.SetFrameIndex(k.frameIndex);
        host.PaintRect(e.Rect(), false);
        EXPECT_TRUE(Shows(host.Canvas().Pixel(40, 20 + k.probeY), k.r, k.g, 0, 6));
        ::DestroyWindow(hwnd);
    }
}

TEST(Render, TransitionTimerRunsToTheEnd)
{
    HWND hwnd = MakeWindow(200, 150);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, Layered()));
    ColourElement e(0xFFFF0000);
    e.Create(hwnd, {20, 20, 40, 30}, 2, true, {});
    Pump();
    e.SetTransition(3, 15);
    e.Recolour(0xFF00FF00);
    for (int i = 0; i < 100 && e.Count(QXE_TRANSITIONEND) == 0; ++i)
        PumpFor(10);
    EXPECT_EQ(e.Count(QXE_TRANSITIONEND), 1);
    EXPECT_EQ(e.FrameIndex(), 0);
    EXPECT_EQ(e.Snapshot(), nullptr);
    EXPECT_TRUE(Shows(host.Canvas().Pixel(30, 30), 0, 255, 0));

    // Without frames the change shows at once.
    ColourElement plain(0xFFFF0000);
    ElementOptions noFrames;
    noFrames.frameInterval = 60;
    plain.Create(hwnd, {100, 20, 40, 30}, 2, true, noFrames);
    plain.Recolour(0xFF0000FF);
    EXPECT_EQ(plain.Count(QXE_TRANSITIONSTART), 0);
    EXPECT_TRUE(Shows(host.Canvas().Pixel(110, 30), 0, 0, 255));
    ::DestroyWindow(hwnd);
}
