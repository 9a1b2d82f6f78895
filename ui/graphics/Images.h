// Images from memory: encoded pictures (PNG, JPEG, GIF, BMP, ICO) carried as
// bytes, and Windows icons, turned into GDI+ images.
//
// Two kinds of image come out of LoadImageFromBytes:
//   copied         a 32bpp ARGB bitmap that owns its pixels; the default
//   stream-backed  the image as the decoder made it (every GIF frame kept),
//                  valid only while its ImageSource lives
//
// Nothing here keeps state; GDI+ must have been started (StartLibrary).
// Failures answer an empty pointer and free whatever the call allocated.
#pragma once

#include "ui/core/ByteBuffer.h"
#include "ui/core/Handles.h"
#include "ui/graphics/ImageSource.h"

#include <cstddef>
#include <cstdint>

// The 8 bytes every PNG file starts with. Some embedded strips are stored
// without them and are decoded with addSignature = true.
inline constexpr std::uint8_t kPngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// Decodes size bytes at data. With addSignature the PNG signature is put in
// front first. Without source the answer is a copied image
// (PixelFormat32bppARGB, the decoded image's size) and nothing else outlives
// the call. With source the decoded image itself is answered and source
// receives the block and the stream it reads from (what it held before is
// released first). Empty data, a failed allocation or undecodable bytes
// answer an empty pointer.
GpImagePtr LoadImageFromBytes(const std::uint8_t* data, std::size_t size, bool addSignature = false,
                              ImageSource* source = nullptr);
GpImagePtr LoadImageFromBytes(const ByteBuffer& data, bool addSignature = false, ImageSource* source = nullptr);

// Disposes the image, then releases the source's stream, then frees its
// block; each is left empty. Any of them may already be empty.
void ReleaseImage(GpImagePtr& image, ImageSource& source) noexcept;
void ReleaseImage(GpImagePtr& image) noexcept;

// The image's size in pixels; 0 for no image or when GDI+ fails.
unsigned ImageWidth(Gdiplus::GpImage* image) noexcept;
unsigned ImageHeight(Gdiplus::GpImage* image) noexcept;

// A copied 32bpp ARGB image of the icon, at the icon's size. An icon whose
// colour bitmap carries alpha keeps it (translucent edges); one without is
// converted by GDI+, which applies the mask. The icon stays the caller's.
GpImagePtr IconToImage(HICON icon);

// A DIB section with the bitmap's pixels. When bitmap already is a DIB
// section, that same handle is answered (still owned by the caller);
// otherwise a new top-down section of at least 24 bits per pixel, owned by
// the caller. nullptr when bitmap is not a bitmap or the copy fails.
HBITMAP BitmapToDib(HBITMAP bitmap);

// True when bitmap is a 32-bit DIB section with at least one pixel whose
// alpha byte is not zero.
bool DibHasAlpha(HBITMAP bitmap);
