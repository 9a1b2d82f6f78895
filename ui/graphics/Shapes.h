// Shapes and fills: the library's vector parts (button faces, borders,
// focus frames, glows, arrows) and its one colour convention.
//
// Colours come from callers as a Win32 COLORREF (0x00BBGGRR) plus an alpha
// and are drawn as GDI+ ARGB (0xAARRGGBB) made by ToArgb, which stores an
// alpha of 255, or no alpha, as 254: the library's "opaque" is 254.
//
// Every routine makes its pens, brushes and paths, draws and frees them
// before returning, also when a GDI+ call fails (that shape is then simply
// not drawn). A null graphics draws nothing.
#pragma once

#include "ui/core/Handles.h"
#include "ui/core/RectF.h"

#include <cstdint>
#include <optional>
#include <vector>

// Values of DrawBorder's style below 5; every other value is an ARGB colour.
enum BorderStyle : std::uint32_t {
    BorderNone = 0,
    BorderSunken = 1,
    BorderRaised = 2,
    BorderSolid = 3,
    BorderFocus = 4, // dashed focus frame
};

// The ARGB form of colour: red and blue swapped into ARGB order, alpha (its
// low byte) on top; no alpha or 255 gives 254.
Gdiplus::ARGB ToArgb(COLORREF colour, std::optional<int> alpha = std::nullopt);

// argb with its alpha byte replaced.
Gdiplus::ARGB WithAlpha(Gdiplus::ARGB argb, std::uint8_t alpha);

// Adds dx, dy, dwidth, dheight to rect's left, top, width, height.
void OffsetRectF(float dx, float dy, float dwidth, float dheight, RectF& rect);

// A closed path of four d x d corner arcs (radius d / 2) inside rect: it lies
// within left .. left + width - 1 and top .. top + height - 1. d = 0 gives that
// one-pixel-smaller rectangle. The caller owns the path.
GpPathPtr RoundRectPath(const RectF& rect, int d, Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);

// Fills RoundRectPath(rect, arc truncated) with a solid colour.
void FillRoundRect(Gdiplus::GpGraphics* graphics, const RectF& rect, float arc, Gdiplus::ARGB argb);

// Outlines RoundRectPath(rect, arc truncated) with a pen of that colour, dash
// style and width.
void DrawRoundRect(Gdiplus::GpGraphics* graphics, const RectF& rect, float arc, Gdiplus::ARGB argb,
                   Gdiplus::DashStyle dash = Gdiplus::DashStyleSolid, float width = 1.0f);

// A linear gradient from argb1 to argb2 laid over rect (mode 0 horizontal,
// 1 vertical, 2 forward diagonal, 3 backward diagonal; tiled flipped beyond
// it), filling (left, top, width - 1, height - 1): the last column and row of
// rect stay unpainted. Another mode draws nothing.
void FillGradientRect(Gdiplus::GpGraphics* graphics, const RectF& rect, Gdiplus::ARGB argb1, Gdiplus::ARGB argb2,
                      int mode = 1);

// A border along the inside of rect in a BorderStyle or, for any value from
// 5 up, in that ARGB colour. Solid and focus frames outline (left, top,
// width - 1, height - 1), in colour when given, else grey 0x646464 (solid) or
// black at alpha 120 (focus, dashed). Sunken: dark top and left, light
// bottom and right, each reaching the far corner. Raised: light top and left
// stopping one pixel short of the far corners, dark bottom and right.
void DrawBorder(Gdiplus::GpGraphics* graphics, const RectF& rect, std::uint32_t style,
                std::optional<Gdiplus::ARGB> colour = std::nullopt, float width = 1.0f);

// One line with a temporary pen.
void DrawLineF(Gdiplus::GpGraphics* graphics, Gdiplus::ARGB argb, float x1, float y1, float x2, float y2,
               float width = 1.0f);

// A pen the caller owns.
GpPenPtr MakePen(Gdiplus::ARGB argb, float width = 1.0f, Gdiplus::Unit unit = Gdiplus::UnitWorld);

// A solid brush the caller owns.
GpBrushPtr MakeSolidBrush(Gdiplus::ARGB argb);

// The polygon through points, filled (alternate fill mode) or outlined.
void FillPolygonF(Gdiplus::GpGraphics* graphics, const std::vector<Gdiplus::PointF>& points, Gdiplus::ARGB argb);
void DrawPolygonF(Gdiplus::GpGraphics* graphics, const std::vector<Gdiplus::PointF>& points, Gdiplus::ARGB argb,
                  float width = 1.0f);

// A soft white spot of radius 18 around centre, opaque (254) in the middle
// fading to alpha 50 at its rim. Callers restrict it with a clip.
void RadialGlow(Gdiplus::GpGraphics* graphics, Gdiplus::PointF centre);

// Clip routines. mode combines the new area with the current clip
// (CombineModeReplace, CombineModeExclude, ...).
void SetClipPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path,
                 Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
void SetClipRect(Gdiplus::GpGraphics* graphics, const RectF& rect,
                 Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
void SetClipRegion(Gdiplus::GpGraphics* graphics, Gdiplus::GpRegion* region,
                   Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
// Takes a GDI region: it is turned into a GDI+ region and deleted at once.
void SetClipHrgn(Gdiplus::GpGraphics* graphics, UniqueRegion region,
                 Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
void ResetClip(Gdiplus::GpGraphics* graphics);
// The bounds of the visible clip area, for painting code that narrows the
// clip and restores it afterwards.
RectF VisibleClipBounds(Gdiplus::GpGraphics* graphics);
