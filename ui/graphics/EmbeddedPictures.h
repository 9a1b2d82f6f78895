// The pictures the library itself carries, as encoded bytes. They are drawn
// and written by resources/ui/make_pictures.py (which also writes viewable
// .png files next to the embedded bytes).
//
//   picture                 size      slices                             stored
//   SysButtonGlyphsPng      729 x 20  19 high from y = 2; close 39 wide  no PNG signature
//                                     at x 0/40/80, the other seven
//                                     kinds 28 wide, from x 120 in steps
//                                     of 29 (normal, hot, pressed)
//   DialogButtonSkinPng     55 x 28   four 13 x 28 at x 0/14/28/42       complete PNG
//                                     (normal, hot, pressed, disabled);
//                                     nine-grid centre (5, 5, 3, 15)
//   CheckBoxStripPng        68 x 17   four 17 x 17 (unchecked, unchecked no PNG signature
//                                     hot, checked, checked hot)
//
// Decode the strips stored without signature with
// LoadImageFromBytes(bytes, /*addSignature=*/true).
#pragma once

#include "ui/core/ByteBuffer.h"

const ByteBuffer& SysButtonGlyphsPng();
const ByteBuffer& DialogButtonSkinPng();
const ByteBuffer& CheckBoxStripPng();
