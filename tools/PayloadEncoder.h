// Compresses a resource pack into the payload layout of
// package/DecompressPayload.h with the LZMA SDK encoder: lc 3, lp 0, pb 2,
// no end marker, the stream first and the 9-byte trailer after it.
#pragma once

#include "ui/core/ByteBuffer.h"

#include <cstdint>

class PayloadEncoder {
public:
    // level 0-9 as the SDK takes it; dictionarySize 0 picks one that covers
    // the input. Answers the SDK's result (0 on success).
    static int Encode(const ByteBuffer& pack, ByteBuffer& payload, int level = 5, std::uint32_t dictionarySize = 0);
};
