// Qx_Window: composing the window canvas, the background cache and dirty
// rectangles, and presenting the result.
#include "ui/core/Qx_Window.h"

#include "ui/core/ElementPainter.h"
#include "ui/core/EventCodes.h"
#include "ui/graphics/Images.h"
#include "ui/graphics/Shapes.h"
#include "ui/graphics/SkinDraw.h"

#include <vector>

using namespace Gdiplus::DllExports;

namespace {

UniqueRegion RoundRectRegion(int cx, int cy, int inset, int ellipse, bool rounded)
{
    const int e = rounded ? ellipse : 0;
    return UniqueRegion(::CreateRoundRectRgn(inset, inset, cx - inset + 1, cy - inset + 1, e, e));
}

void SetWindowRegion(HWND hwnd, int cx, int cy, int inset, int ellipse, bool rounded)
{
    if (::IsZoomed(hwnd))
        --inset;
    UniqueRegion region = RoundRectRegion(cx, cy, inset, ellipse, rounded);
    // The window owns the region from here on.
    if (::SetWindowRgn(hwnd, region.get(), TRUE))
        region.release();
}

// The average colour of an image: blue, green and red summed over every pixel
// and divided by the pixel count, each truncated. Black when it cannot be read.
COLORREF AverageColour(Gdiplus::GpImage* image)
{
    const unsigned w = ImageWidth(image);
    const unsigned h = ImageHeight(image);
    if (!w || !h)
        return 0;
    HBITMAP raw = nullptr;
    if (GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(image), &raw, 0) != Gdiplus::Ok || !raw)
        return 0;
    UniqueBitmap bitmap(raw);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(w);
    info.bmiHeader.biHeight = static_cast<LONG>(h);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * 4);
    const HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, bitmap.get(), 0, h, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (lines <= 0)
        return 0;
    std::uint64_t sum[3] = {};
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        sum[0] += pixels[i];
        sum[1] += pixels[i + 1];
        sum[2] += pixels[i + 2];
    }
    const std::uint64_t n = static_cast<std::uint64_t>(w) * h;
    return RGB(static_cast<BYTE>(sum[2] / n), static_cast<BYTE>(sum[1] / n), static_cast<BYTE>(sum[0] / n));
}

enum Band { Top = 1, Left = 2, Bottom = 4, Right = 8 };

// Gradient bands that blend the edges of a placed image into the fill colour.
void SoftEdges(Gdiplus::GpGraphics* g, RectF rect, COLORREF colour, int bands, float bandSize = 100, float inset = 6)
{
    rect.left += inset;
    rect.top += inset;
    const float bw = rect.width <= bandSize ? rect.width / 2 : bandSize;
    const float bh = rect.height <= bandSize ? rect.height / 2 : bandSize;
    const Gdiplus::ARGB opaque = ToArgb(colour, 255);
    const Gdiplus::ARGB clear = ToArgb(colour, 0);
    if (bands & Top)
        FillGradientRect(g, {rect.left - inset, rect.top - inset, rect.width, bh}, opaque, clear, 1);
    if (bands & Left)
        FillGradientRect(g, {rect.left - inset, rect.top - inset, bw, rect.height}, opaque, clear, 0);
    if (bands & Bottom)
        FillGradientRect(g, {rect.left, rect.top + rect.height - bh, rect.width, bh + 1}, clear, opaque, 1);
    if (bands & Right)
        FillGradientRect(g, {rect.left + rect.width - bw, rect.top, bw + 1, rect.height}, clear, opaque, 0);
}

bool Overlaps(const RectF& a, const RectF& b)
{
    constexpr float e = 1e-7f;
    return a.left < b.Right() - e && b.left < a.Right() - e && a.top < b.Bottom() - e && b.top < a.Bottom() - e;
}

// The clip of g, to be put back after a child subtree narrowed it.
GpRegionPtr SaveClip(Gdiplus::GpGraphics* g)
{
    GpRegionPtr region;
    Gdiplus::GpRegion* raw = nullptr;
    if (GdipCreateRegion(&raw) == Gdiplus::Ok) {
        region.reset(raw);
        GdipGetClip(g, raw);
    }
    return region;
}

} // namespace

void Qx_Window::StartFadeIn() { PresentRect(); }

void Qx_Window::LoadBackground(const ByteBuffer* image, int colour)
{
    Qx_Window* source = m_backgroundSource ? Qx_Window::FromHwnd(m_backgroundSource) : nullptr;
    if (source && source != this) {
        m_ownBackgroundImage.reset();
        m_backgroundImage = source->m_backgroundImage;
        m_backgroundColor = source->m_backgroundColor;
    } else if (image) {
        m_ownBackgroundImage.reset();
        m_ownBackgroundImage = LoadImageFromBytes(*image, false);
        m_backgroundImage = m_ownBackgroundImage.get();
        m_backgroundColor = AverageColour(m_backgroundImage);
    }
    if (colour != -1)
        m_backgroundColor = static_cast<COLORREF>(colour);
}

int Qx_Window::Render(const ByteBuffer* image, int colour, int presentMode, bool suppressSnapshot)
{
    m_busy = true;
    LoadBackground(image, colour);
    const int cx = m_clientSize.cx;
    const int cy = m_clientSize.cy;
    Gdiplus::GpGraphics* g = m_canvas.Graphics();
    const bool skin = m_cornerStyle == 1;
    const bool rounded = m_cornerStyle != 0;

    GdipResetClip(g);
    GdipGraphicsClear(g, 0);
    if (skin) {
        if (m_backgroundImage) {
            const RECT& c = m_nineGridCenter;
            if (::IsRectEmpty(&c)) {
                DrawImageNatural(g, m_backgroundImage,
                                 {0, 0, static_cast<float>(ImageWidth(m_backgroundImage)),
                                  static_cast<float>(ImageHeight(m_backgroundImage))},
                                 false);
            } else {
                DrawNineGrid(g, m_backgroundImage, {0, 0, static_cast<float>(cx), static_cast<float>(cy)},
                             {static_cast<float>(c.left), static_cast<float>(c.top), static_cast<float>(c.right - c.left),
                              static_cast<float>(c.bottom - c.top)});
            }
        }
    } else {
        DrawFramedBackground(g, cx, cy);
    }
    if (m_onPaintBackground)
        m_onPaintBackground(Hwnd(), g, cx, cy);
    if (!skin) {
        const RectF content{5, 5, static_cast<float>(cx - 10), static_cast<float>(cy - 10)};
        RectF outer{content.left + 1, content.top + 1, content.width - 2, content.height - 2};
        RectF inner{outer.left + 1, outer.top + 1, outer.width - 2, outer.height - 2};
        if (rounded) {
            DrawRoundRect(g, outer, 7, ToArgb(0x606060, 204));
            DrawRoundRect(g, inner, 6, ToArgb(0xFFFFFF, 102));
        } else {
            DrawBorder(g, outer, ToArgb(0x606060, 204));
            DrawBorder(g, inner, ToArgb(0xFFFFFF, 102));
        }
        GdipResetClip(g);
        if (!Layered())
            SetWindowRegion(Hwnd(), cx, cy, 6, 5, rounded);
        else if (m_flags & WindowFlags::Shadow)
            DrawShadow(g);
    }
    GdipFlush(g, Gdiplus::FlushIntentionSync);
    ::BitBlt(m_background.Dc(), 0, 0, cx, cy, m_canvas.Dc(), 0, 0, SRCCOPY);
    ::GdiFlush();
    if (!skin) {
        m_clipRegion.reset();
        UniqueRegion region = RoundRectRegion(cx, cy, 7, 3, rounded);
        Gdiplus::GpRegion* clip = nullptr;
        if (region && GdipCreateRegionHrgn(region.get(), &clip) == Gdiplus::Ok)
            m_clipRegion.reset(clip);
        if (m_clipRegion)
            GdipSetClipRegion(g, m_clipRegion.get(), Gdiplus::CombineModeReplace);
    }
    m_paintQueue.Init(this);
    LayoutCaption();
    PaintTree(FirstElement(), g, !suppressSnapshot);
    if (!skin)
        GdipResetClip(g);
    GdipFlush(g, Gdiplus::FlushIntentionSync);
    m_busy = false;
    if (m_blurBehind && Layered())
        EnableBlurBehind();
    if (presentMode == 0)
        PresentRect();
    else if (presentMode == 1 && Layered())
        StartFadeIn();
    else if (presentMode == 1)
        PresentRect();
    return 1;
}

void Qx_Window::DrawFramedBackground(Gdiplus::GpGraphics* g, int cx, int cy)
{
    SetClipHrgn(g, RoundRectRegion(cx, cy, 6, 4, m_cornerStyle != 0));
    const float fcx = static_cast<float>(cx);
    const float fcy = static_cast<float>(cy);
    if (!m_backgroundImage) {
        GpBrushPtr brush = MakeSolidBrush(ToArgb(m_backgroundColor, Layered() ? m_windowAlpha : 255));
        GdipFillRectangle(g, brush.get(), 0, 0, fcx, fcy);
        return;
    }
    {
        GpBrushPtr brush = MakeSolidBrush(ToArgb(m_backgroundColor, 255));
        GdipFillRectangle(g, brush.get(), 0, 0, fcx, fcy);
    }
    const float iw = static_cast<float>(ImageWidth(m_backgroundImage));
    const float ih = static_cast<float>(ImageHeight(m_backgroundImage));
    const RectF content{5, 5, fcx - 10, fcy - 10};
    switch (m_imageMode) {
    case 0:
        DrawImageNatural(g, m_backgroundImage, {content.left, content.top, iw, ih}, false);
        if (m_imageFrame)
            SoftEdges(g, {0, 0, iw, ih}, m_backgroundColor, Bottom | Right);
        break;
    case 1:
        DrawImageStretched(g, m_backgroundImage, content);
        break;
    case 2: {
        // DrawImageNatural centres with an odd spare pixel on the left and top.
        const float spareX = fcx - iw;
        const float spareY = fcy - ih;
        RectF placed{static_cast<float>(static_cast<int>(spareX / 2 + (static_cast<int>(spareX) % 2 ? 0.5f : 0))),
                     static_cast<float>(static_cast<int>(spareY / 2 + (static_cast<int>(spareY) % 2 ? 0.5f : 0))), iw, ih};
        DrawImageNatural(g, m_backgroundImage, {0, 0, fcx, fcy}, true);
        if (m_imageFrame) {
            OffsetRectF(-1, -1, 1, 1, placed);
            SoftEdges(g, placed, m_backgroundColor, Top | Left | Bottom | Right);
        }
        break;
    }
    default:
        break;
    }
    if (Layered() && m_canvas.Bitmap()) {
        // The whole look at the window's opacity.
        Gdiplus::GpBitmap* copy = nullptr;
        if (GdipCloneBitmapAreaI(0, 0, cx, cy, PixelFormat32bppPARGB, m_canvas.Bitmap(), &copy) == Gdiplus::Ok) {
            GpImagePtr owned(copy);
            GdipGraphicsClear(g, 0);
            DrawImageAlpha(g, copy, {0, 0, fcx, fcy}, m_windowAlpha);
        }
    }
}

void Qx_Window::DrawShadow(Gdiplus::GpGraphics* g)
{
    const COLORREF colour = m_shadowColor == -1 ? 0 : static_cast<COLORREF>(m_shadowColor);
    static const int opacity[] = {45, 25, 10, 5};
    static const int roundArcs[] = {10, 12, 15, 18};
    static const int squareArcs[] = {1, 4, 7, 11};
    RectF rect{5, 5, static_cast<float>(m_clientSize.cx - 10), static_cast<float>(m_clientSize.cy - 10)};
    for (int i = 0; i < 4; ++i) {
        DrawRoundRect(g, rect, static_cast<float>(m_cornerStyle ? roundArcs[i] : squareArcs[i]),
                      ToArgb(colour, opacity[i]));
        OffsetRectF(-1, -1, 2, 2, rect);
    }
}

void Qx_Window::LayoutCaption()
{
    if (!m_flags)
        return;
    float x = static_cast<float>(m_clientSize.cx - 5);
    if (m_flags & WindowFlags::Close)
        x -= 12;
    for (auto& button : m_sysButtons) {
        x -= 28;
        button->Move(x, 7.0f, std::nullopt, std::nullopt, false);
    }
    if ((m_flags & WindowFlags::Title) && m_titleElement) {
        const float t = (m_flags & WindowFlags::Icon) ? 28.0f : 11.0f;
        m_titleElement->Move(t, 10.0f, x - t, 20.0f, false);
    }
}

int Qx_Window::ElementOpacity(Qx_Object& element)
{
    if (element.Disabled() && element.Dispatch(QXE_QUERYDISABLEDLOOK, 0, 1) == -1)
        return static_cast<int>(element.Alpha() * 0.5);
    return element.Alpha();
}

void Qx_Window::PaintTree(Qx_Object* first, Gdiplus::GpGraphics* g, bool sendSnapshot)
{
    for (Qx_Object* element = first; element; element = element->NextSibling()) {
        if (!element->Visible())
            continue;
        if (sendSnapshot)
            element->Dispatch(QXE_SNAPSHOT, 0, 0);
        DrawImageAlpha(g, element->Canvas(), element->Rect(), ElementOpacity(*element));
        if (element->FirstChild()) {
            GpRegionPtr saved = SaveClip(g);
            SetClipRect(g, element->Rect(), Gdiplus::CombineModeIntersect);
            PaintTree(element->FirstChild(), g, sendSnapshot);
            if (saved)
                GdipSetClipRegion(g, saved.get(), Gdiplus::CombineModeReplace);
        }
    }
}

void Qx_Window::PaintRect(const RectF& rect, bool present)
{
    if (m_busy || !m_canvas)
        return;
    Gdiplus::GpGraphics* g = m_canvas.Graphics();
    if (m_clipRegion)
        GdipSetClipRegion(g, m_clipRegion.get(), Gdiplus::CombineModeReplace);
    else
        GdipResetClip(g);
    SetClipRect(g, rect, Gdiplus::CombineModeIntersect);
    GdipFlush(g, Gdiplus::FlushIntentionSync);
    const int x = static_cast<int>(rect.left);
    const int y = static_cast<int>(rect.top);
    // Whole pixels covering the rectangle.
    const int w = static_cast<int>(rect.left + rect.width + 0.999f) - x;
    const int h = static_cast<int>(rect.top + rect.height + 0.999f) - y;
    ::BitBlt(m_canvas.Dc(), x, y, w, h, m_background.Dc(), x, y, SRCCOPY);
    ::GdiFlush();
    PaintElements(FirstElement(), rect, g);
    GdipResetClip(g);
    GdipFlush(g, Gdiplus::FlushIntentionSync);
    if (present)
        Present(rect);
}

void Qx_Window::PaintElements(Qx_Object* first, const RectF& rect, Gdiplus::GpGraphics* g)
{
    for (Qx_Object* element = first; element; element = element->NextSibling()) {
        if (!element->Visible() || !Overlaps(element->Rect(), rect))
            continue;
        GpRegionPtr saved = element->FirstChild() ? SaveClip(g) : GpRegionPtr();
        const bool transition = element->FrameInterval() != 0 && element->FrameCount() != 0
                                && element->FrameIndex() != element->FrameCount();
        if (element->Disabled()) {
            DrawImageAlpha(g, element->Canvas(), element->Rect(), ElementOpacity(*element));
        } else if (transition) {
            HostCanvas& scratch = HostCanvas::EnsureScratch(m_clientSize.cx, m_clientSize.cy);
            const RectF clip = VisibleClipBounds(g);
            TransitionFrame frame;
            frame.canvasDc = m_canvas.Dc();
            frame.canvasGraphics = g;
            frame.scratchDc = scratch.Dc();
            frame.scratchGraphics = scratch.Graphics();
            frame.canvas = element->Canvas();
            frame.snapshot = element->Snapshot();
            frame.rect = element->Rect();
            frame.clipLeft = clip.left;
            frame.clipTop = clip.top;
            if (element->Dispatch(QXE_DRAWTRANSITION, 0, reinterpret_cast<LPARAM>(&frame)) < 1)
                DrawDefaultTransition(*element, g);
        } else {
            DrawImageAlpha(g, element->Canvas(), element->Rect(), element->Alpha());
        }
        if (element->FirstChild()) {
            SetClipRect(g, element->Rect(), Gdiplus::CombineModeIntersect);
            PaintElements(element->FirstChild(), rect, g);
            if (saved)
                GdipSetClipRegion(g, saved.get(), Gdiplus::CombineModeReplace);
        }
    }
}

void Qx_Window::DrawDefaultTransition(Qx_Object& element, Gdiplus::GpGraphics* g)
{
    const RectF& r = element.Rect();
    const int count = element.FrameCount();
    const int index = element.FrameIndex();
    const int effect = element.TransitionEffect();
    if (effect == 0) {
        HostCanvas& scratch = HostCanvas::EnsureScratch(m_clientSize.cx, m_clientSize.cy);
        const RectF clip = VisibleClipBounds(g);
        const int x = static_cast<int>(clip.left);
        const int y = static_cast<int>(clip.top);
        const int w = static_cast<int>(clip.width);
        const int h = static_cast<int>(clip.height);
        if (w <= 0 || h <= 0 || !scratch)
            return;
        GdipFlush(g, Gdiplus::FlushIntentionSync);
        ::BitBlt(scratch.Dc(), x, y, w, h, m_canvas.Dc(), x, y, SRCCOPY);
        ::GdiFlush();
        DrawImageAlpha(g, element.Snapshot(), r, element.Alpha());
        DrawImageAlpha(scratch.Graphics(), element.Canvas(), r, element.Alpha());
        GdipFlush(g, Gdiplus::FlushIntentionSync);
        GdipFlush(scratch.Graphics(), Gdiplus::FlushIntentionSync);
        using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
        static const auto alphaBlend = reinterpret_cast<AlphaBlendFn>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"gdi32.dll"), "GdiAlphaBlend")));
        if (!alphaBlend)
            return;
        const double p = static_cast<double>(index) / count;
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(element.Alpha() * p), 0};
        alphaBlend(m_canvas.Dc(), x, y, w, h, scratch.Dc(), x, y, w, h, blend);
        ::GdiFlush();
        return;
    }
    if (effect < 1 || effect > 4)
        return;
    const bool vertical = effect <= 2;
    const int step = static_cast<int>((vertical ? r.height : r.width) / count);
    const float offset = static_cast<float>(step * index);
    float oldX = r.left, oldY = r.top, newX = r.left, newY = r.top;
    switch (effect) {
    case 1: oldY += offset; newY = oldY - r.height; break;
    case 2: oldY -= offset; newY = oldY + r.height; break;
    case 3: oldX += offset; newX = oldX - r.width; break;
    default: oldX -= offset; newX = oldX + r.width; break;
    }
    GpRegionPtr saved = SaveClip(g);
    SetClipRect(g, r, Gdiplus::CombineModeIntersect);
    if (element.Snapshot())
        GdipDrawImageRect(g, element.Snapshot(), oldX, oldY, r.width, r.height);
    if (element.Canvas())
        GdipDrawImageRect(g, element.Canvas(), newX, newY, r.width, r.height);
    if (saved)
        GdipSetClipRegion(g, saved.get(), Gdiplus::CombineModeReplace);
}

void Qx_Window::InvalidateRect(const RectF& rect, int mode) { m_paintQueue.Add(rect, mode); }

void Qx_Window::Present(const RectF& rect)
{
    if (m_busy || !m_canvas)
        return;
    if (!Layered()) {
        const int x = static_cast<int>(rect.left);
        const int y = static_cast<int>(rect.top);
        ::BitBlt(m_windowDc, x, y, static_cast<int>(rect.width), static_cast<int>(rect.height), m_canvas.Dc(), x, y,
                 SRCCOPY);
        return;
    }
    POINT origin{0, 0};
    SIZE size = m_clientSize;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(Hwnd(), nullptr, nullptr, &size, m_canvas.Dc(), &origin, 0, &blend, ULW_ALPHA);
}

void Qx_Window::PresentRect(std::optional<RectF> rect)
{
    Present(rect ? *rect : RectF{0, 0, static_cast<float>(m_clientSize.cx), static_cast<float>(m_clientSize.cy)});
}
