#include "ui/graphics/Shapes.h"

#include <cmath>

namespace Gp = Gdiplus::DllExports;

namespace {

constexpr Gdiplus::ARGB kWhite = 0x00FFFFFF;
constexpr Gdiplus::ARGB kBlack = 0x00000000;

void Line(Gdiplus::GpGraphics* graphics, Gdiplus::GpPen* pen, float x1, float y1, float x2, float y2)
{
    if (pen)
        Gp::GdipDrawLine(graphics, pen, x1, y1, x2, y2);
}

} // namespace

Gdiplus::ARGB ToArgb(COLORREF colour, std::optional<int> alpha)
{
    const int a = !alpha || *alpha == 255 ? 254 : (*alpha & 0xFF);
    const Gdiplus::ARGB red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    return static_cast<Gdiplus::ARGB>(a) << 24 | red << 16 | green << 8 | blue;
}

Gdiplus::ARGB WithAlpha(Gdiplus::ARGB argb, std::uint8_t alpha)
{
    return (argb & 0x00FFFFFFu) | static_cast<Gdiplus::ARGB>(alpha) << 24;
}

void OffsetRectF(float dx, float dy, float dwidth, float dheight, RectF& rect)
{
    rect.left += dx;
    rect.top += dy;
    rect.width += dwidth;
    rect.height += dheight;
}

GpPathPtr RoundRectPath(const RectF& rect, int d, Gdiplus::FillMode fillMode)
{
    GpPathPtr path;
    if (Gp::GdipCreatePath(fillMode, path.put()) != Gdiplus::Ok)
        return path;
    const float size = static_cast<float>(d);
    const float right = rect.left + rect.width - size - 1.0f;
    const float bottom = rect.top + rect.height - size - 1.0f;
    Gp::GdipAddPathArc(path.get(), rect.left, rect.top, size, size, 180.0f, 90.0f);
    Gp::GdipAddPathArc(path.get(), right, rect.top, size, size, 270.0f, 90.0f);
    Gp::GdipAddPathArc(path.get(), right, bottom, size, size, 0.0f, 90.0f);
    Gp::GdipAddPathArc(path.get(), rect.left, bottom, size, size, 90.0f, 90.0f);
    Gp::GdipClosePathFigure(path.get());
    return path;
}

GpPenPtr MakePen(Gdiplus::ARGB argb, float width, Gdiplus::Unit unit)
{
    GpPenPtr pen;
    Gp::GdipCreatePen1(argb, width, unit, pen.put());
    return pen;
}

GpBrushPtr MakeSolidBrush(Gdiplus::ARGB argb)
{
    GpBrushPtr brush;
    Gdiplus::GpSolidFill* fill = nullptr;
    if (Gp::GdipCreateSolidFill(argb, &fill) == Gdiplus::Ok)
        brush.reset(fill);
    return brush;
}

void FillRoundRect(Gdiplus::GpGraphics* graphics, const RectF& rect, float arc, Gdiplus::ARGB argb)
{
    if (!graphics)
        return;
    GpPathPtr path = RoundRectPath(rect, static_cast<int>(arc), Gdiplus::FillModeAlternate);
    GpBrushPtr brush = MakeSolidBrush(argb);
    if (path && brush)
        Gp::GdipFillPath(graphics, brush.get(), path.get());
}

void DrawRoundRect(Gdiplus::GpGraphics* graphics, const RectF& rect, float arc, Gdiplus::ARGB argb,
                   Gdiplus::DashStyle dash, float width)
{
    if (!graphics)
        return;
    GpPathPtr path = RoundRectPath(rect, static_cast<int>(arc), Gdiplus::FillModeAlternate);
    GpPenPtr pen = MakePen(argb, width);
    if (!path || !pen)
        return;
    Gp::GdipSetPenDashStyle(pen.get(), dash);
    Gp::GdipDrawPath(graphics, pen.get(), path.get());
}

void FillGradientRect(Gdiplus::GpGraphics* graphics, const RectF& rect, Gdiplus::ARGB argb1, Gdiplus::ARGB argb2,
                      int mode)
{
    if (!graphics)
        return;
    const Gdiplus::GpRectF area(rect.left, rect.top, rect.width, rect.height);
    GpBrushPtr brush;
    Gdiplus::GpLineGradient* gradient = nullptr;
    if (Gp::GdipCreateLineBrushFromRect(&area, argb1, argb2, static_cast<Gdiplus::LinearGradientMode>(mode),
                                        Gdiplus::WrapModeTileFlipXY, &gradient) != Gdiplus::Ok)
        return;
    brush.reset(gradient);
    Gp::GdipFillRectangle(graphics, brush.get(), rect.left, rect.top, rect.width - 1.0f, rect.height - 1.0f);
}

void DrawBorder(Gdiplus::GpGraphics* graphics, const RectF& rect, std::uint32_t style,
                std::optional<Gdiplus::ARGB> colour, float width)
{
    if (!graphics || style == BorderNone)
        return;
    const float x = rect.left, y = rect.top, w = rect.width, h = rect.height;

    if (style == BorderSunken) {
        GpPenPtr dark = MakePen(WithAlpha(kBlack, 160), width);
        Line(graphics, dark.get(), x, y, x + w - 1, y);
        Line(graphics, dark.get(), x, y, x, y + h - 1);
        GpPenPtr light = MakePen(WithAlpha(kWhite, 245), width);
        Line(graphics, light.get(), x, y + h - 1, x + w - 1, y + h - 1);
        Line(graphics, light.get(), x + w - 1, y, x + w - 1, y + h - 1);
        return;
    }
    if (style == BorderRaised) {
        GpPenPtr light = MakePen(WithAlpha(kWhite, 245), width);
        Line(graphics, light.get(), x, y, x + w - 2, y);
        Line(graphics, light.get(), x, y, x, y + h - 2);
        GpPenPtr dark = MakePen(WithAlpha(kBlack, 168), width);
        Line(graphics, dark.get(), x, y + h - 1, x + w - 1, y + h - 1);
        Line(graphics, dark.get(), x + w - 1, y, x + w - 1, y + h - 2);
        return;
    }

    Gdiplus::ARGB penColour = style;
    if (style == BorderSolid)
        penColour = colour ? *colour : ToArgb(RGB(0x64, 0x64, 0x64));
    else if (style == BorderFocus)
        penColour = colour ? *colour : WithAlpha(kBlack, 120);
    GpPenPtr pen = MakePen(penColour, width);
    if (!pen)
        return;
    if (style == BorderFocus)
        Gp::GdipSetPenDashStyle(pen.get(), Gdiplus::DashStyleDash);
    Gp::GdipDrawRectangle(graphics, pen.get(), x, y, w - 1, h - 1);
}

void DrawLineF(Gdiplus::GpGraphics* graphics, Gdiplus::ARGB argb, float x1, float y1, float x2, float y2, float width)
{
    if (!graphics)
        return;
    GpPenPtr pen = MakePen(argb, width);
    Line(graphics, pen.get(), x1, y1, x2, y2);
}

void FillPolygonF(Gdiplus::GpGraphics* graphics, const std::vector<Gdiplus::PointF>& points, Gdiplus::ARGB argb)
{
    if (!graphics || points.empty())
        return;
    GpBrushPtr brush = MakeSolidBrush(argb);
    if (brush)
        Gp::GdipFillPolygon(graphics, brush.get(), points.data(), static_cast<INT>(points.size()),
                            Gdiplus::FillModeAlternate);
}

void DrawPolygonF(Gdiplus::GpGraphics* graphics, const std::vector<Gdiplus::PointF>& points, Gdiplus::ARGB argb,
                  float width)
{
    if (!graphics || points.empty())
        return;
    GpPenPtr pen = MakePen(argb, width);
    if (pen)
        Gp::GdipDrawPolygon(graphics, pen.get(), points.data(), static_cast<INT>(points.size()));
}

void RadialGlow(Gdiplus::GpGraphics* graphics, Gdiplus::PointF centre)
{
    if (!graphics)
        return;
    const float x = centre.X - 18.0f, y = centre.Y - 18.0f;
    GpPathPtr path;
    if (Gp::GdipCreatePath(Gdiplus::FillModeAlternate, path.put()) != Gdiplus::Ok)
        return;
    Gp::GdipAddPathEllipse(path.get(), x, y, 36.0f, 36.0f);
    Gdiplus::GpPathGradient* gradient = nullptr;
    if (Gp::GdipCreatePathGradientFromPath(path.get(), &gradient) != Gdiplus::Ok)
        return;
    GpBrushPtr brush(gradient);
    Gp::GdipSetPathGradientCenterColor(gradient, ToArgb(RGB(255, 255, 255), 255));
    Gdiplus::ARGB surround = ToArgb(RGB(255, 255, 255), 50);
    INT count = 1;
    Gp::GdipSetPathGradientSurroundColorsWithCount(gradient, &surround, &count);
    Gp::GdipFillRectangle(graphics, brush.get(), x, y, 36.0f, 36.0f);
}

void SetClipPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Gdiplus::CombineMode mode)
{
    if (graphics && path)
        Gp::GdipSetClipPath(graphics, path, mode);
}

void SetClipRect(Gdiplus::GpGraphics* graphics, const RectF& rect, Gdiplus::CombineMode mode)
{
    if (graphics)
        Gp::GdipSetClipRect(graphics, rect.left, rect.top, rect.width, rect.height, mode);
}

void SetClipRegion(Gdiplus::GpGraphics* graphics, Gdiplus::GpRegion* region, Gdiplus::CombineMode mode)
{
    if (graphics && region)
        Gp::GdipSetClipRegion(graphics, region, mode);
}

void SetClipHrgn(Gdiplus::GpGraphics* graphics, UniqueRegion region, Gdiplus::CombineMode mode)
{
    GpRegionPtr converted;
    if (region && Gp::GdipCreateRegionHrgn(region.get(), converted.put()) != Gdiplus::Ok)
        converted.reset();
    region.reset();
    SetClipRegion(graphics, converted.get(), mode);
}

void ResetClip(Gdiplus::GpGraphics* graphics)
{
    if (graphics)
        Gp::GdipResetClip(graphics);
}

RectF VisibleClipBounds(Gdiplus::GpGraphics* graphics)
{
    RectF bounds;
    Gdiplus::GpRectF area(0.0f, 0.0f, 0.0f, 0.0f);
    if (graphics && Gp::GdipGetVisibleClipBounds(graphics, &area) == Gdiplus::Ok) {
        bounds.left = area.X;
        bounds.top = area.Y;
        bounds.width = area.Width;
        bounds.height = area.Height;
    }
    return bounds;
}
