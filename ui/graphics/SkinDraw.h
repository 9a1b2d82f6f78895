// Skin image drawing: images put into an element's rectangle on a GDI+
// graphics, stretched, at natural size, with constant opacity or as a
// nine-grid, and areas cut out of images.
//
// None of these changes the graphics' modes (smoothing, interpolation,
// compositing); none takes ownership of the graphics or the image. A null
// graphics or image draws nothing. GDI+ failures are ignored: the piece is
// simply not drawn. Temporary GDI+ objects are freed before returning.
#pragma once

#include "ui/core/Handles.h"
#include "ui/core/RectF.h"

#include <optional>

// How an image button lays its slice into its rectangle.
enum class ImageDrawMode : int {
    Natural = 0,   // natural size at the rectangle's top-left corner
    Stretched = 1, // stretched over the rectangle
    NineGrid = 3,  // nine-grid around a centre rectangle
};

// The whole image scaled into destination.
void DrawImageStretched(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination);

// The whole image at its own pixel size: at destination's top-left corner
// (truncated to whole pixels) or, centred, in its middle with halves rounded
// up, so an odd spare pixel falls on the left and top (a 7-pixel image in a
// 10-pixel destination starts 2 pixels in). A larger image overhangs
// destination on both sides; nothing is clipped.
void DrawImageNatural(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination,
                      bool centred);

// Opacity 255 draws exactly as DrawImageStretched. Any other opacity draws
// the destination-sized top-left part of the image unscaled, its alpha
// multiplied by opacity / 255. (Element canvases have their element's size,
// so for them both give the same geometry.)
void DrawImageAlpha(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination, int opacity);

// Nine pieces cut around centre (in image pixels): corners unscaled, edges
// stretched along their edge, the centre stretched both ways. Piece
// rectangles are truncated to whole pixels. A destination narrower (or
// lower) than the two corners together gives the middle pieces a zero or
// negative extent, drawn as GDI+ draws such rectangles. Opacity 0 to 254
// draws every piece through the opacity matrix; 255, a negative value or
// none draws opaque.
void DrawNineGrid(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const RectF& destination,
                  const RectF& centre, std::optional<int> opacity = std::nullopt);

// A new bitmap holding the area source of image, in the image's own pixel
// format. Empty when the area cannot be copied (no image, not a bitmap, an
// area outside it).
GpImagePtr CropImage(Gdiplus::GpImage* image, const RectF& source);

// Image attributes that multiply alpha by opacity / 255 (the diagonal colour
// matrix 1, 1, 1, opacity / 255, 1). Empty when GDI+ fails.
GpImageAttributesPtr MakeOpacityAttributes(int opacity);

// Draws image into destination by mode; NineGrid uses centre. Any other mode
// value draws nothing.
void DrawImageInMode(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, ImageDrawMode mode,
                     const RectF& destination, const RectF& centre);
