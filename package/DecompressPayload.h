// The payload carried by the setup program: a resource pack compressed with
// LZMA, its decoder parameters at the end.
//
//   0        +------------------------------------+
//            | raw LZMA1 stream (no header, end   |
//            | marker optional)                   |
//   n - 9    +------------------------------------+
//            | properties: (pb*5+lp)*9+lc   u8    |
//            |             dictionary size  u32   |
//   n - 4    +------------------------------------+
//            | unpacked size                u32   |
//   n        +------------------------------------+
#pragma once

#include "ui/core/ByteBuffer.h"

#include <cstddef>
#include <cstdint>

constexpr std::size_t kPayloadTrailerSize = 9;

// Decodes payload into out, which is replaced by the decoded bytes: all of
// the unpacked size on success, what was decoded before an error otherwise.
// Answers the decoder's result: 0 on
// success; SZ_ERROR_INPUT_EOF for a payload shorter than its trailer or a
// stream that ends early; SZ_ERROR_DATA for a corrupt stream or an unpacked
// size that no stream of this length can produce; SZ_ERROR_MEM when the
// buffer cannot be allocated; SZ_ERROR_UNSUPPORTED for bad properties.
int DecompressPayload(const ByteBuffer& payload, ByteBuffer& out);

// The largest unpacked size an LZMA stream of streamSize bytes can encode: no
// symbol yields more than 273 bytes, and none costs less than about 0.02 bits
// however well the model has adapted (bounded below 1/7000 in practice); the
// limit keeps a twofold margin above that.
std::uint64_t MaxUnpackedSize(std::uint64_t streamSize);
