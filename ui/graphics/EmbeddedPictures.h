// The pictures the library itself carries, as encoded bytes. They are drawn
// and written by resources/ui/make_pictures.py (which also writes viewable
// .png files next to the embedded bytes).
//
//   picture              size      stored
//   SysButtonGlyphsPng   729 x 20  without the PNG signature
//   DialogButtonSkinPng  55 x 28   complete PNG
//   CheckBoxStripPng     68 x 17   without the PNG signature
//
// SysButtonGlyphsPng: normal, hot and pressed slices of each button kind,
// 19 rows high from y = 2 (the slices' last row lies below the strip and
// draws nothing); close slices are 39 wide, all others 28, with a one-pixel
// column between slices:
//
//   x  0      40     80     120  149  178  207  236  265  294 ... 642  671  700  729
//      |close |close |close |max |max |max |rest|rest|rest|min ... |256 |256 |256 |
//       normal hot    pressed     (kinds 8, 8 restored, 16, 32, 64, 128, 256 alike)
//
// DialogButtonSkinPng: four 13 x 28 slices at x = 0, 14, 28, 42 (normal, hot,
// pressed, disabled), each a frame for a nine-grid with centre (5, 5, 3, 15).
//
// CheckBoxStripPng: four 17 x 17 slices at x = 0, 17, 34, 51 (unchecked,
// unchecked hot, checked, checked hot).
//
// Decode the strips stored without signature with
// LoadImageFromBytes(bytes, /*addSignature=*/true).
#pragma once

#include "ui/core/ByteBuffer.h"

const ByteBuffer& SysButtonGlyphsPng();
const ByteBuffer& DialogButtonSkinPng();
const ByteBuffer& CheckBoxStripPng();
