#include "ui/graphics/SkinDraw.h"

#include "ui/graphics/Images.h"

#include <cmath>

namespace Gp = Gdiplus::DllExports;

namespace {

// A piece rectangle in whole pixels: each value truncated toward zero.
struct PixelRect {
    float x, y, width, height;
    PixelRect(float x_, float y_, float w_, float h_)
        : x(std::trunc(x_)), y(std::trunc(y_)), width(std::trunc(w_)), height(std::trunc(h_))
    {
    }
};

void DrawPiece(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const PixelRect& to, const PixelRect& from,
               const Gdiplus::GpImageAttributes* attributes)
{
    Gp::GdipDrawImageRectRect(graphics, image, to.x, to.y, to.width, to.height, from.x, from.y, from.width,
                              from.height, Gdiplus::UnitPixel, attributes, nullptr, nullptr);
}

} // namespace

GpImageAttributesPtr MakeOpacityAttributes(int opacity)
{
    GpImageAttributesPtr attributes;
    if (Gp::GdipCreateImageAttributes(attributes.put()) != Gdiplus::Ok)
        return attributes;
    Gdiplus::ColorMatrix matrix = {};
    matrix.m[0][0] = 1.0f;
    matrix.m[1][1] = 1.0f;
    matrix.m[2][2] = 1.0f;
    matrix.m[3][3] = static_cast<float>(opacity) / 255.0f;
    matrix.m[4][4] = 1.0f;
    Gp::GdipSetImageAttributesColorMatrix(attributes.get(), Gdiplus::ColorAdjustTypeBitmap, TRUE, &matrix, nullptr,
                                          Gdiplus::ColorMatrixFlagsDefault);
    return attributes;
}

void DrawImageStretched(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination)
{
    if (!graphics || !image)
        return;
    Gp::GdipDrawImageRect(graphics, image, destination.left, destination.top, destination.width,
                          destination.height);
}

void DrawImageNatural(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination,
                      bool centred)
{
    if (!graphics || !image)
        return;
    const float width = static_cast<float>(ImageWidth(image));
    const float height = static_cast<float>(ImageHeight(image));
    float x, y;
    if (centred) {
        x = std::floor(destination.left - (width - destination.width) / 2.0f + 0.5f);
        y = std::floor(destination.top - (height - destination.height) / 2.0f + 0.5f);
    } else {
        x = std::trunc(destination.left);
        y = std::trunc(destination.top);
    }
    Gp::GdipDrawImageRect(graphics, image, x, y, width, height);
}

void DrawImageAlpha(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination, int opacity)
{
    if (!graphics || !image)
        return;
    if (opacity == 255) {
        DrawImageStretched(graphics, image, destination);
        return;
    }
    GpImageAttributesPtr attributes = MakeOpacityAttributes(opacity);
    Gp::GdipDrawImageRectRect(graphics, image, destination.left, destination.top, destination.width,
                              destination.height, 0.0f, 0.0f, destination.width, destination.height,
                              Gdiplus::UnitPixel, attributes.get(), nullptr, nullptr);
}

void DrawNineGrid(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination,
                  const RectF& centre, std::optional<int> opacity)
{
    if (!graphics || !image)
        return;
    const float W = static_cast<float>(ImageWidth(image));
    const float H = static_cast<float>(ImageHeight(image));
    const float cx = centre.left, cy = centre.top, cw = centre.width, ch = centre.height;
    const float L = cx, T = cy, R = W - cx - cw, B = H - cy - ch;
    const float x = destination.left, y = destination.top, w = destination.width, h = destination.height;

    GpImageAttributesPtr attributes;
    if (opacity && *opacity >= 0 && *opacity < 255)
        attributes = MakeOpacityAttributes(*opacity);

    const PixelRect pieces[9][2] = {
        {{x, y, L, T}, {0, 0, L, T}},
        {{x + L, y, w - L - R, T}, {L, 0, W - L - R, T}},
        {{x + w - R, y, R, T}, {W - R, 0, R, T}},
        {{x, y + T, L, h - T - B}, {0, cy, L, ch}},
        {{x + L, y + T, w - L - R, h - T - B}, {cx, cy, cw, ch}},
        {{x + w - R, y + T, R, h - T - B}, {W - R, cy, R, ch}},
        {{x, y + h - B, L, B}, {0, H - B, L, B}},
        {{x + L, y + h - B, w - L - R, B}, {L, H - B, W - L - R, B}},
        {{x + w - R, y + h - B, R, B}, {W - R, H - B, R, B}},
    };
    for (const auto& piece : pieces)
        DrawPiece(graphics, image, piece[0], piece[1], attributes.get());
}

GpImagePtr CropImage(Gdiplus::GpImage* image, const RectF& source)
{
    GpImagePtr slice;
    Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
    if (!image || Gp::GdipGetImageType(image, &type) != Gdiplus::Ok || type != Gdiplus::ImageTypeBitmap)
        return slice;
    Gdiplus::PixelFormat format = 0;
    if (Gp::GdipGetImagePixelFormat(image, &format) != Gdiplus::Ok)
        return slice;
    Gdiplus::GpBitmap* area = nullptr;
    if (Gp::GdipCloneBitmapArea(source.left, source.top, source.width, source.height, format,
                                static_cast<Gdiplus::GpBitmap*>(image), &area) == Gdiplus::Ok)
        slice.reset(area);
    return slice;
}

void DrawImageInMode(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, ImageDrawMode mode,
                     const RectF& destination, const RectF& centre)
{
    switch (mode) {
    case ImageDrawMode::Natural:
        DrawImageNatural(graphics, image, destination, false);
        break;
    case ImageDrawMode::Stretched:
        DrawImageStretched(graphics, image, destination);
        break;
    case ImageDrawMode::NineGrid:
        DrawNineGrid(graphics, image, destination, centre);
        break;
    }
}
