// One-call LZMA decoding with the LzmaLib contract, over the LZMA SDK's
// LzmaDecode.
//
//   dest, *destLen   in: room for the unpacked data; out: bytes produced
//   src, *srcLen     in: the raw LZMA stream; out: bytes consumed
//   props, propsSize the 5 property bytes: (pb * 5 + lp) * 9 + lc, then the
//                    dictionary size as u32 little-endian
//
// Decoding stops when *destLen bytes are produced or at an end marker; the
// stream need not carry one. Answers the SDK's codes: SZ_OK (0),
// SZ_ERROR_DATA, SZ_ERROR_MEM, SZ_ERROR_UNSUPPORTED (bad properties),
// SZ_ERROR_INPUT_EOF (the stream ended before the output was full).
#pragma once

#include <cstddef>

int LzmaUncompress(unsigned char* dest, std::size_t* destLen, const unsigned char* src, std::size_t* srcLen,
                   const unsigned char* props, std::size_t propsSize);
